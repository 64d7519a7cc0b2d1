#include "platform/posixportwatch.h"

#ifdef Q_OS_LINUX

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr uint32_t Events = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;

// Kernel names of serial devices (USB adapters, on-board ports, Bluetooth
// serial), and the folder udev keeps its names in.
bool IsSerialName(const QString &name)
{
    return name.startsWith(QLatin1String("tty")) || name.startsWith(QLatin1String("rfcomm")) ||
           name == QLatin1String("serial");
}

} // namespace

QStringList PosixPortWatch::DeviceFolders()
{
    return {QStringLiteral("/dev"), QStringLiteral("/dev/serial/by-id")};
}

PosixPortWatch::PosixPortWatch(const QStringList &folders, const QStringList &named,
                               std::function<void()> changed, QObject *parent)
    : QObject(parent), folders(folders), changed(std::move(changed))
{
    for (const QString &port : named)
        this->named << QFileInfo(port).absoluteFilePath();
    settle.setSingleShot(true);
    settle.setInterval(SettleMs);
    connect(&settle, &QTimer::timeout, this, [this] {
        if (this->changed)
            this->changed();
    });
    fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return;
    WatchFolders();
    if (watched.isEmpty()) {
        ::close(fd);
        fd = -1;
        return;
    }
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PosixPortWatch::ReadEvents);
}

PosixPortWatch::~PosixPortWatch()
{
    delete notifier;
    if (fd >= 0)
        ::close(fd);
}

QStringList PosixPortWatch::NamedFolders() const
{
    QStringList places;
    for (const QString &port : named) {
        const QFileInfo info(port);
        places << info.absolutePath();
        // A link to a device goes on standing when the device goes (a
        // pseudo-terminal whose program ended): its device is watched too.
        if (info.isSymLink())
            places << QFileInfo(info.symLinkTarget()).absolutePath();
    }
    places.removeDuplicates();
    return places;
}

void PosixPortWatch::WatchFolders()
{
    namedFolders = NamedFolders();
    for (const QString &folder : folders + namedFolders) {
        // The folder itself, or else the nearest parent there is.
        QString path = folder;
        int watch = -1;
        while (!path.isEmpty()) {
            watch = ::inotify_add_watch(fd, QFile::encodeName(path).constData(), Events);
            if (watch >= 0 || path == QLatin1String("/") || errno != ENOENT)
                break;
            path = QFileInfo(path).path();
        }
        // Adding a folder already watched returns its descriptor again.
        if (watch >= 0)
            watched.insert(watch, path);
    }
}

bool PosixPortWatch::Counts(int watch, const QString &name) const
{
    const QString folder = watched.value(watch);
    if (folder.isEmpty())
        return false;
    const QString path = QDir(folder).filePath(name);
    for (const QString &port : qAsConst(named)) {
        if (port == path || QFileInfo(port).symLinkTarget() == path)
            return true;
    }
    for (const QString &waited : qAsConst(namedFolders)) {
        if (waited.startsWith(path + QLatin1Char('/')) || waited == path)
            return true;
    }
    for (int i = 0; i < folders.size(); ++i) {
        // On the way to a folder that is not there yet.
        if (folders.at(i).startsWith(path + QLatin1Char('/')) || folders.at(i) == path)
            return true;
        if (folders.at(i) == folder)
            return i > 0 || IsSerialName(name);
    }
    return false;
}

void PosixPortWatch::ReadEvents()
{
    alignas(inotify_event) char buffer[4096];
    bool relevant = false;
    bool rewatch = false;
    for (;;) {
        const ssize_t length = ::read(fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= length;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char *name = buffer + at + sizeof(inotify_event);
            const QString entry = event.len > 0 ? QFile::decodeName(name) : QString();
            if (event.mask & IN_IGNORED) {
                // The folder itself went; its parent is watched again.
                watched.remove(event.wd);
                rewatch = relevant = true;
            } else if (event.mask & IN_Q_OVERFLOW) {
                relevant = true;
            } else if (Counts(event.wd, entry)) {
                // A named link made anew may point to a device elsewhere.
                relevant = rewatch = true;
            }
            at += ssize_t(sizeof(inotify_event)) + event.len;
        }
    }
    if (rewatch)
        WatchFolders();
    if (relevant)
        settle.start();
}

#elif defined(Q_OS_UNIX)

QStringList PosixPortWatch::DeviceFolders()
{
    return {};
}

PosixPortWatch::PosixPortWatch(const QStringList &folders, const QStringList &named,
                               std::function<void()> changed, QObject *parent)
    : QObject(parent), folders(folders), named(named), changed(std::move(changed))
{}

PosixPortWatch::~PosixPortWatch() = default;

#endif // Q_OS_LINUX
