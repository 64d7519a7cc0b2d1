#include "platform/posixplatform.h"

#ifdef Q_OS_UNIX

#include "platform/posixportwatch.h"
#include "platform/posixstopwatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows in one path before it gives up.
constexpr int MaxLinks = 40;
constexpr qint64 MaxWriteChunk = 1 << 20;
// More than any lock form holds; the rest of a bigger file is not read.
constexpr int MaxLockBytes = 128;

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

Platform::FileKind KindOf(mode_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG:
        return Platform::FileKind::Regular;
    case S_IFDIR:
        return Platform::FileKind::Folder;
    case S_IFIFO:
        return Platform::FileKind::Pipe;
    case S_IFCHR:
    case S_IFBLK:
        return Platform::FileKind::Device;
    case S_IFSOCK:
        return Platform::FileKind::Socket;
    default:
        return Platform::FileKind::Other;
    }
}

// A folder held for the walk: only ever looked through, never read.
int OpenFolderAt(int at, const char *name)
{
#ifdef O_PATH
    const int flags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif
    return ::openat(at, name, flags);
}

// The rule of Linux's protected symbolic links: in a sticky folder that
// everyone may write to (/tmp), a link is followed only by its owner or when
// it belongs to the folder's owner; anyone could have put it there.
bool MayFollow(int folder, const struct stat &link)
{
    struct stat dir = {};
    if (::fstat(folder, &dir) != 0)
        return false;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

bool ReadLinkAt(int folder, const QByteArray &name, QByteArray *target, int *error)
{
    QByteArray buffer(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t length =
            ::readlinkat(folder, name.constData(), buffer.data(), size_t(buffer.size()));
        if (length < 0) {
            *error = errno;
            return false;
        }
        if (length < buffer.size()) {
            *target = buffer.left(int(length));
            return true;
        }
        if (buffer.size() >= 1 << 16) {
            *error = ENAMETOOLONG;
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

QList<QByteArray> Components(const QByteArray &path)
{
    QList<QByteArray> parts;
    for (const QByteArray &part : path.split('/')) {
        if (!part.isEmpty() && part != ".")
            parts << part;
    }
    return parts;
}

QString JoinPath(const QString &folder, const QByteArray &name)
{
    return QDir(folder).filePath(QFile::decodeName(name));
}

} // namespace

Platform &Platform::System()
{
    static PosixPlatform system;
    return system;
}

Platform::FileKind PosixPlatform::Kind(const QString &path, int *error)
{
    struct stat info = {};
    if (::stat(Native(path).constData(), &info) != 0) {
        *error = errno;
        return FileKind::Missing;
    }
    return KindOf(info.st_mode);
}

bool PosixPlatform::OpenRegularForReading(const QString &path, QFile *file, FileKind *kind,
                                          int *error)
{
    *kind = FileKind::Missing;
    *error = 0;
    // Not blocking: opening a FIFO without a writer would otherwise wait for
    // ever, before the kind of the file could be looked at.
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    struct stat info = {};
    bool ok = ::fstat(fd, &info) == 0;
    if (!ok)
        *error = errno;
    else
        *kind = KindOf(info.st_mode);
    ok = ok && *kind == FileKind::Regular;
    if (ok && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        *error = errno;
        ok = false;
    }
    if (ok && !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        *error = EIO;
        ok = false;
    }
    if (!ok)
        ::close(fd);
    return ok;
}

bool PosixPlatform::OpenSaveTarget(const QString &path, SaveTarget *target, int *error,
                                   QString *failedPath)
{
    *target = SaveTarget();
    *failedPath = path;
    const QByteArray native = Native(path);
    QList<QByteArray> pending = Components(native);
    if (pending.isEmpty()) {
        *error = native.isEmpty() ? ENOENT : EISDIR;
        return false;
    }
    const bool absolute = native.startsWith('/');
    int folder = OpenFolderAt(AT_FDCWD, absolute ? "/" : ".");
    QString folderPath = absolute ? QStringLiteral("/") : QDir::currentPath();
    if (folder < 0) {
        *error = errno;
        return false;
    }
    const auto fail = [&](int code) {
        *error = code;
        ::close(folder);
        return false;
    };
    int links = 0;
    while (!pending.isEmpty()) {
        const QByteArray name = pending.takeFirst();
        const bool last = pending.isEmpty();
        if (name == ".." && !last) {
            const int parent = OpenFolderAt(folder, "..");
            if (parent < 0)
                return fail(errno);
            ::close(folder);
            folder = parent;
            folderPath = QFileInfo(folderPath).path();
            continue;
        }
        struct stat info = {};
        if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || !last)
                return fail(errno);
            target->kind = FileKind::Missing;
        } else if (S_ISLNK(info.st_mode)) {
            if (!MayFollow(folder, info)) {
                *failedPath = JoinPath(folderPath, name);
                return fail(ForeignLink);
            }
            QByteArray linkTarget;
            int linkError = 0;
            if (++links > MaxLinks)
                return fail(ELOOP);
            if (!ReadLinkAt(folder, name, &linkTarget, &linkError))
                return fail(linkError);
            pending = Components(linkTarget) + pending;
            if (linkTarget.startsWith('/')) {
                const int root = OpenFolderAt(AT_FDCWD, "/");
                if (root < 0)
                    return fail(errno);
                ::close(folder);
                folder = root;
                folderPath = QStringLiteral("/");
            }
            if (pending.isEmpty())
                return fail(EISDIR); // a link to "/" or "."
            continue;
        } else if (!last) {
            if (!S_ISDIR(info.st_mode))
                return fail(ENOTDIR);
            const int next = OpenFolderAt(folder, name.constData());
            if (next < 0)
                return fail(errno);
            ::close(folder);
            folder = next;
            folderPath = JoinPath(folderPath, name);
            continue;
        } else {
            target->kind = KindOf(info.st_mode);
            target->permissions = info.st_mode & 07777;
            target->owner = info.st_uid;
            target->group = info.st_gid;
        }
        target->folder = folder;
        target->folderPath = folderPath;
        target->name = QFile::decodeName(name);
        return true;
    }
    return fail(ENOENT);
}

void PosixPlatform::CloseSaveTarget(SaveTarget *target)
{
    if (target->folder >= 0)
        ::close(int(target->folder));
    target->folder = NoHandle;
}

bool PosixPlatform::MayWrite(const SaveTarget &target, const QString &name, int *error)
{
    const QByteArray native = name.isEmpty() ? QByteArray(".") : Native(name);
    if (::faccessat(int(target.folder), native.constData(), W_OK, AT_EACCESS) == 0)
        return true;
    *error = errno;
    return false;
}

Platform::Handle PosixPlatform::CreateBeside(const SaveTarget &target, const QString &name,
                                             int *error)
{
    const int folder = int(target.folder);
    const QByteArray native = Native(name);
    const int fd = ::openat(folder, native.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = errno;
        return NoHandle;
    }
    if (target.kind == FileKind::Missing)
        return fd;
    // The new file keeps the old one's permissions (and, saved by root, its
    // owner), as an edit in place would. A file system that cannot take them
    // (FAT) gives every file the same, which is then what the new one has.
    struct stat now = {};
    const bool keepOwner = IsSuperuser();
    const bool chmodOk = ::fchmod(fd, mode_t(target.permissions)) == 0;
    int failure = chmodOk ? 0 : errno;
    const bool chownOk = !keepOwner || ::fchown(fd, uid_t(target.owner), gid_t(target.group)) == 0;
    if (!chownOk && failure == 0)
        failure = errno;
    if (failure != 0 && ::fstat(fd, &now) == 0 && (now.st_mode & 07777) == target.permissions &&
        (!keepOwner || (qint64(now.st_uid) == target.owner && qint64(now.st_gid) == target.group)))
        failure = 0;
    if (failure != 0) {
        ::close(fd);
        ::unlinkat(folder, native.constData(), 0);
        *error = failure;
        return NoHandle;
    }
    return fd;
}

Platform::Handle PosixPlatform::OpenExisting(const SaveTarget &target, int *error)
{
    // Not blocking and not following, so that whatever has taken the file's
    // place since it was looked at is found out rather than waited on.
    const int fd = ::openat(int(target.folder), Native(target.name).constData(),
                            O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = errno == ELOOP ? EPERM : errno;
        return NoHandle;
    }
    struct stat info = {};
    int failure = 0;
    if (::fstat(fd, &info) != 0)
        failure = errno;
    else if (!S_ISREG(info.st_mode))
        failure = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        failure = errno;
    if (failure != 0) {
        ::close(fd);
        *error = failure;
        return NoHandle;
    }
    return fd;
}

bool PosixPlatform::Write(Handle file, const char *bytes, qint64 length, int *error)
{
    while (length > 0) {
        const ssize_t written = ::write(int(file), bytes, size_t(qMin(length, MaxWriteChunk)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *error = written < 0 ? errno : EIO;
            return false;
        }
        bytes += written;
        length -= written;
    }
    return true;
}

bool PosixPlatform::Truncate(Handle file, qint64 length, int *error)
{
    if (::ftruncate(int(file), off_t(length)) == 0)
        return true;
    *error = errno;
    return false;
}

bool PosixPlatform::Sync(Handle file, int *error)
{
    // A file system that cannot sync (EINVAL) keeps the data as it keeps
    // everything else.
    if (::fsync(int(file)) == 0 || errno == EINVAL)
        return true;
    *error = errno;
    return false;
}

bool PosixPlatform::Close(Handle file, int *error)
{
    // After EINTR the descriptor is gone all the same on Linux; trying again
    // could close another file's.
    if (::close(int(file)) == 0 || errno == EINTR)
        return true;
    if (error)
        *error = errno;
    return false;
}

bool PosixPlatform::ReplaceWith(const SaveTarget &target, const QString &name, int *error)
{
    const int folder = int(target.folder);
    if (::renameat(folder, Native(name).constData(), folder, Native(target.name).constData()) == 0)
        return true;
    *error = errno;
    return false;
}

bool PosixPlatform::Remove(const SaveTarget &target, const QString &name)
{
    return ::unlinkat(int(target.folder), Native(name).constData(), 0) == 0;
}

QStringList PosixPlatform::NamesBeside(const SaveTarget &target, const QString &prefix)
{
    QStringList names;
    const int fd = ::openat(int(target.folder), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    const QByteArray start = Native(prefix);
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, start.constData(), size_t(start.size())) == 0)
            names << QFile::decodeName(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

void PosixPlatform::SyncFolder(const SaveTarget &target)
{
    // Some file systems refuse to sync a folder; the file is whole all the
    // same.
    const int fd = ::openat(int(target.folder), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

qint64 PosixPlatform::ProcessId()
{
    return ::getpid();
}

bool PosixPlatform::IsSuperuser()
{
    return ::geteuid() == 0;
}

bool PosixPlatform::ProcessGone(qint64 processId)
{
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max())
        return false;
    // EPERM: it runs, under another user.
    return ::kill(pid_t(processId), 0) != 0 && errno == ESRCH;
}

QStringList PosixPlatform::LockFolders()
{
    return {QStringLiteral("/run/lock"), QStringLiteral("/var/lock")};
}

qint64 PosixPlatform::LockProcess(const QByteArray &bytes)
{
    // Four bytes that are not all text are the binary form.
    const bool text = std::all_of(bytes.begin(), bytes.end(), [](char c) {
        return c == '\n' || c == '\t' || (c >= ' ' && c < 127);
    });
    if (!text) {
        qint32 binary = 0;
        if (bytes.size() != int(sizeof binary))
            return 0;
        std::memcpy(&binary, bytes.constData(), sizeof binary);
        return binary > 0 ? binary : 0;
    }
    int at = 0;
    while (at < bytes.size() && (bytes.at(at) == ' ' || bytes.at(at) == '\t'))
        ++at;
    const int digits = at;
    qint64 number = 0;
    while (at < bytes.size() && bytes.at(at) >= '0' && bytes.at(at) <= '9' &&
           number < std::numeric_limits<qint32>::max())
        number = number * 10 + (bytes.at(at++) - '0');
    return at > digits && (at == bytes.size() || bytes.at(at) == '\n') ? number : 0;
}

Platform::PortLock PosixPlatform::ReadPortLock(const QString &path)
{
    // The lock is named after the device, not the alias it was reached by:
    // /dev/pts/3 is LCK..pts_3.
    QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        device = path;
    if (device.startsWith(QLatin1String("/dev/")))
        device.remove(0, 5);
    device.replace(QLatin1Char('/'), QLatin1Char('_'));
    PortLock lock;
    for (const QString &folder : LockFolders()) {
        const QString file = folder + QLatin1String("/LCK..") + device;
        const int fd = ::open(Native(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT)
            continue;
        lock.file = file;
        lock.state = LockState::Held;
        if (fd < 0)
            return lock; // there, but not readable: taken as held
        char bytes[MaxLockBytes];
        const ssize_t length = ::read(fd, bytes, sizeof bytes);
        ::close(fd);
        const QByteArray content(bytes, int(qMax<ssize_t>(length, 0)));
        lock.processId = LockProcess(content);
        // A lock made on another machine sharing the folder names a process
        // that cannot be looked at from here.
        const QList<QByteArray> lines = content.split('\n');
        const QByteArray host = lines.value(2).trimmed();
        const bool here = host.isEmpty() || host == QSysInfo::machineHostName().toUtf8();
        if (here && ProcessGone(lock.processId))
            lock.state = LockState::Stale;
        return lock;
    }
    return lock;
}

bool PosixPlatform::MayRemovePortLock(const PortLock &lock)
{
    const QByteArray folder = Native(QFileInfo(lock.file).absolutePath());
    struct stat dir = {};
    struct stat file = {};
    if (::stat(folder.constData(), &dir) != 0 ||
        ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0 ||
        ::lstat(Native(lock.file).constData(), &file) != 0)
        return false;
    // The lock folder is usually sticky: only the file's or the folder's
    // owner may remove a file in it.
    const uid_t me = ::geteuid();
    return !(dir.st_mode & S_ISVTX) || me == 0 || file.st_uid == me || dir.st_uid == me;
}

bool PosixPlatform::RemovePortLock(const PortLock &lock, int *error)
{
    if (::unlink(Native(lock.file).constData()) == 0 || errno == ENOENT)
        return true;
    *error = errno;
    return false;
}

Platform::PortAccess PosixPlatform::GlancePort(const QString &path)
{
    // Non-blocking, so that a port that waits for its carrier does not hold
    // the caller; nothing is set on the line and nothing is written.
    const int fd = ::open(Native(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case EBUSY:
            return PortAccess::Busy;
        case EACCES:
        case EPERM:
            return PortAccess::NoPermission;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return PortAccess::NotPresent;
        default:
            return PortAccess::Unusable;
        }
    }
    int exclusive = 0;
#ifdef TIOCGEXCL
    // An exclusive open refuses everyone but the superuser, who would
    // otherwise find the port free and then share the line.
    if (::ioctl(fd, TIOCGEXCL, &exclusive) != 0)
        exclusive = 0;
#endif
    ::close(fd);
    return exclusive ? PortAccess::Busy : PortAccess::Free;
}

bool PosixPlatform::MayUseDevice(const QString &path)
{
    return ::faccessat(AT_FDCWD, Native(path).constData(), R_OK | W_OK, AT_EACCESS) == 0 ||
           errno != EACCES;
}

QObject *PosixPlatform::WatchPorts(const QStringList &named, const std::function<void()> &changed,
                                   QObject *parent)
{
#ifdef Q_OS_LINUX
    auto *watch = new PosixPortWatch(PosixPortWatch::DeviceFolders(), named, changed, parent);
    if (watch->IsWatching())
        return watch;
    delete watch;
#else
    Q_UNUSED(named)
    Q_UNUSED(changed)
    Q_UNUSED(parent)
#endif
    return nullptr;
}

QObject *PosixPlatform::WatchStopRequests(const std::function<void()> &stop, QObject *parent)
{
    return new PosixStopWatch(stop, parent);
}

#endif // Q_OS_UNIX
