#ifndef POSIXPORTWATCH_H
#define POSIXPORTWATCH_H

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class QSocketNotifier;

// Tells of serial device nodes that come or go, from the kernel's file
// events (inotify) on /dev, where a serial adapter's node appears, and on
// /dev/serial/by-id, where udev adds its names for it a moment later. A
// folder that does not exist yet is waited for in its parent. An adapter
// brings several changes at once; they are told once, when they have
// settled. Linux only; nothing is looked at between events.
class PosixPortWatch : public QObject
{
public:
    static constexpr int SettleMs = 300;

    static QStringList DeviceFolders();

    // The first folder is the device folder, where only names of serial
    // devices count; in the others every name does. Of the folders of the
    // named ports (links to pseudo-terminals, say), and of the devices they
    // link to, only those ports and devices count: terminals come and go in
    // /dev/pts all the time.
    PosixPortWatch(const QStringList &folders, const QStringList &named,
                   std::function<void()> changed, QObject *parent = nullptr);
    PosixPortWatch(const QStringList &folders, std::function<void()> changed,
                   QObject *parent = nullptr)
        : PosixPortWatch(folders, {}, std::move(changed), parent)
    {}
    ~PosixPortWatch() override;

    bool IsWatching() const { return fd >= 0; }

private:
    void ReadEvents();
    void WatchFolders();
    bool Counts(int watch, const QString &name) const;
    QStringList NamedFolders() const;

    int fd = -1;
    QStringList folders;
    QStringList named;
    // The folders of the named ports and of the devices they link to, as
    // last watched.
    QStringList namedFolders;
    // Watch descriptor to the folder it watches; a folder not there yet is
    // watched through its parent, for its own name.
    QHash<int, QString> watched;
    QSocketNotifier *notifier = nullptr;
    QTimer settle;
    std::function<void()> changed;
};

#endif // POSIXPORTWATCH_H
