#ifndef POSIXPLATFORM_H
#define POSIXPLATFORM_H

#include "platform/platform.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX

// Linux and the other POSIX systems. Symbolic links on the way to a saved
// file are followed by this code itself, one at a time, with the rule of
// Linux's protected-symlinks guard applied to each, whether or not the
// kernel has the guard on; the final steps then work relative to the folder
// reached, so a link swapped in meanwhile is never followed.
class PosixPlatform : public Platform
{
public:
    FileKind Kind(const QString &path, int *error) override;
    bool OpenRegularForReading(const QString &path, QFile *file, FileKind *kind,
                               int *error) override;

    bool OpenSaveTarget(const QString &path, SaveTarget *target, int *error,
                        QString *failedPath) override;
    void CloseSaveTarget(SaveTarget *target) override;
    bool MayWrite(const SaveTarget &target, const QString &name, int *error) override;
    Handle CreateBeside(const SaveTarget &target, const QString &name, int *error) override;
    Handle OpenExisting(const SaveTarget &target, int *error) override;
    bool Write(Handle file, const char *bytes, qint64 length, int *error) override;
    bool Truncate(Handle file, qint64 length, int *error) override;
    bool Sync(Handle file, int *error) override;
    bool Close(Handle file, int *error) override;
    bool ReplaceWith(const SaveTarget &target, const QString &name, int *error) override;
    bool Remove(const SaveTarget &target, const QString &name) override;
    QStringList NamesBeside(const SaveTarget &target, const QString &prefix) override;
    void SyncFolder(const SaveTarget &target) override;

    qint64 ProcessId() override;
    bool IsSuperuser() override;
    bool ProcessGone(qint64 processId) override;

    PortLock ReadPortLock(const QString &path) override;
    bool MayRemovePortLock(const PortLock &lock) override;
    bool RemovePortLock(const PortLock &lock, int *error) override;
    PortAccess GlancePort(const QString &path) override;
    bool MayUseDevice(const QString &path) override;
    QObject *WatchPorts(const QStringList &named, const std::function<void()> &changed,
                        QObject *parent) override;

    QObject *WatchStopRequests(const std::function<void()> &stop, QObject *parent) override;

    // The folders where serial port locks are looked for, first to last.
    static QStringList LockFolders();
    // What a lock file's bytes say: the process named in the ASCII form
    // ("      1234\n", with or without the program name and host after it)
    // or the binary form (the number as the machine's own 4-byte integer);
    // 0 when it names none.
    static qint64 LockProcess(const QByteArray &bytes);
};

#endif // Q_OS_UNIX

#endif // POSIXPLATFORM_H
