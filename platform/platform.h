#ifndef PLATFORM_H
#define PLATFORM_H

#include <QString>
#include <QStringList>

#include <functional>

class QFile;
class QObject;

// Everything the program asks of the operating system that Qt does not
// already ask the same way everywhere: what kind of file a path is, saving a
// file so that a failure loses nothing, serial port locks and exclusive
// opens, a terminal's request to stop, and the news that a serial device came
// or went. The layers above call these and never the system itself. Each
// system has one implementation file; tests put one of their own in place to
// make a single call fail.
//
// Failures come back as errno values (ENOENT, EACCES, ENOSPC, ...), which is
// what the messages are written for; an implementation whose system speaks
// otherwise maps its codes to these.
class Platform
{
public:
    // A file descriptor, or a system handle where the system has no
    // descriptors.
    using Handle = qintptr;
    static constexpr Handle NoHandle = -1;
    // A symbolic link that another user made in a folder everyone may write
    // to, which a save does not follow (an error beside the errno values).
    static constexpr int ForeignLink = -1001;

    enum class FileKind
    {
        Missing,
        Regular,
        Folder,
        Pipe,
        Device,
        Socket,
        Other,
    };

    // Where a file is saved: its folder, held open so that every step of the
    // save works in the same folder whatever happens to the path meanwhile,
    // and the file's name in it, with any symbolic links already followed.
    struct SaveTarget
    {
        Handle folder = NoHandle;
        QString folderPath;
        QString name;
        FileKind kind = FileKind::Missing;
        // The existing file's permissions and owner, which a replacement
        // keeps; opaque above this layer.
        quint32 permissions = 0;
        qint64 owner = -1;
        qint64 group = -1;

        QString Path() const;
    };

    enum class LockState
    {
        None,
        // Names a running process, or names none that can be read: either
        // way the port is not this program's to take.
        Held,
        // Names a process that has ended.
        Stale,
    };
    struct PortLock
    {
        LockState state = LockState::None;
        QString file;
        qint64 processId = 0;
    };

    enum class PortAccess
    {
        Free,
        Busy,
        NoPermission,
        NotPresent,
        Unusable,
    };

    virtual ~Platform() = default;

    // The platform in use: the system's, or a test's stand-in.
    static Platform &Current();
    // The system's own, defined in the system's implementation file.
    static Platform &System();
    // Puts `platform` in place of the system's until called with nullptr.
    // Not thread-safe: tests call it before anything runs.
    static void Replace(Platform *platform);

    // Files. The kind of what `path` names, following links; Missing (and
    // *error) when it cannot be looked at.
    virtual FileKind Kind(const QString &path, int *error) = 0;
    // Opens `path` for reading on `file` only when it is an ordinary file,
    // without ever waiting for a FIFO's writer. False with *kind or *error
    // (0 when the kind is the reason).
    virtual bool OpenRegularForReading(const QString &path, QFile *file, FileKind *kind,
                                       int *error) = 0;

    // Saving. Finds the folder and name that a save of `path` writes,
    // following symbolic links except those another user made in a folder
    // everyone may write to (ForeignLink, with *failedPath the link's path).
    virtual bool OpenSaveTarget(const QString &path, SaveTarget *target, int *error,
                                QString *failedPath) = 0;
    virtual void CloseSaveTarget(SaveTarget *target) = 0;
    // Whether this user may write the target's file (or, with an empty
    // name, make new files in its folder).
    virtual bool MayWrite(const SaveTarget &target, const QString &name, int *error) = 0;
    // Makes a new file `name` beside the target, with the existing file's
    // permissions and owner; fails when the name exists.
    virtual Handle CreateBeside(const SaveTarget &target, const QString &name, int *error) = 0;
    // Opens the existing file itself for writing, never through a link.
    virtual Handle OpenExisting(const SaveTarget &target, int *error) = 0;
    virtual bool Write(Handle file, const char *bytes, qint64 length, int *error) = 0;
    virtual bool Truncate(Handle file, qint64 length, int *error) = 0;
    // Waits until the bytes are on the disk.
    virtual bool Sync(Handle file, int *error) = 0;
    virtual bool Close(Handle file, int *error) = 0;
    // Puts the file `name` in place of the target's, in one step.
    virtual bool ReplaceWith(const SaveTarget &target, const QString &name, int *error) = 0;
    virtual bool Remove(const SaveTarget &target, const QString &name) = 0;
    // The names in the target's folder that start with `prefix`.
    virtual QStringList NamesBeside(const SaveTarget &target, const QString &prefix) = 0;
    // Makes the folder's last change (a rename) lasting, where it can.
    virtual void SyncFolder(const SaveTarget &target) = 0;

    // Processes.
    virtual qint64 ProcessId() = 0;
    // Whether this process passes the system's checks of who may do what.
    virtual bool IsSuperuser() = 0;
    // True only when the process is known to have ended.
    virtual bool ProcessGone(qint64 processId) = 0;

    // Serial ports. The lock file that other programs and this one leave
    // for the device at `path`, in any of the forms they write.
    virtual PortLock ReadPortLock(const QString &path) = 0;
    virtual bool MayRemovePortLock(const PortLock &lock) = 0;
    virtual bool RemovePortLock(const PortLock &lock, int *error) = 0;
    // Whether the device can be opened now, without waiting, without
    // changing its settings and without sending anything; a device another
    // program opened exclusively is Busy, for every user.
    virtual PortAccess GlancePort(const QString &path) = 0;
    // Whether this user may read and write the device at `path`.
    virtual bool MayUseDevice(const QString &path) = 0;
    // Calls `changed` on the calling thread's event loop, once things have
    // settled, after serial devices came or went, or any of `named` (ports
    // the system does not list, such as a link to a pseudo-terminal). The
    // watch ends with the returned object (a child of `parent`); null when
    // the system tells no such news, and the caller then looks when it
    // needs to.
    virtual QObject *WatchPorts(const QStringList &named, const std::function<void()> &changed,
                                QObject *parent) = 0;

    // The terminal's request to stop (Ctrl-C, a polite kill): calls `stop`
    // on the event loop while the returned object (a child of `parent`)
    // lives; the default handling comes back with its end.
    virtual QObject *WatchStopRequests(const std::function<void()> &stop, QObject *parent) = 0;
};

#endif // PLATFORM_H
