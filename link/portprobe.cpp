#include "link/portprobe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class LockState
{
    None,
    // Names a process that is running, this one included: another link
    // of this program holds the port as surely as another program does.
    Held,
    Stale,
};

// The serial port names its lock after the device: /dev/pts/3 is LCK..pts_3,
// in the system's lock folder.
LockState ReadLock(const QString &path, QString *fileName)
{
    QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        device = path;
    if (device.startsWith(QLatin1String("/dev/")))
        device.remove(0, 5);
    device.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char *folder : {"/run/lock/", "/var/lock/"}) {
        QFile lock(QLatin1String(folder) + QLatin1String("LCK..") + device);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        if (fileName)
            *fileName = lock.fileName();
        bool number = false;
        const qint64 pid = lock.readLine(32).trimmed().toLongLong(&number);
        if (number && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            return LockState::Stale;
        // A lock that names no process is taken as held, as the serial
        // port's own open takes it.
        return LockState::Held;
    }
    return LockState::None;
}

// Whether this user may remove the lock file, as the serial port's open
// does with a stale lock; the lock folder is usually sticky.
bool MayRemove(const QString &lockFile)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(lockFile).absolutePath());
    struct stat dir;
    struct stat file;
    if (::stat(folder.constData(), &dir) != 0 || ::access(folder.constData(), W_OK) != 0 ||
        ::stat(QFile::encodeName(lockFile).constData(), &file) != 0)
        return false;
    const uid_t me = ::geteuid();
    return !(dir.st_mode & S_ISVTX) || me == 0 || file.st_uid == me || dir.st_uid == me;
}

} // namespace

PortProblem PortProbe::Probe(const QString &portName, QString *detail)
{
    QSerialPort probe(portName);
    if (probe.open(QIODevice::ReadWrite)) {
        probe.close();
        return PortProblem::None;
    }
    if (detail)
        *detail = probe.errorString();
    return ProblemOf(portName, probe.error());
}

PortProblem PortProbe::ProblemOf(const QString &path, QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
        return PortProblem::None;
    case QSerialPort::DeviceNotFoundError:
        return PortProblem::NotPresent;
    case QSerialPort::PermissionError:
        // A refused access and a port that another program holds (its lock
        // file, or an exclusive open) come as the same error; whether this
        // user may read and write the device tells them apart.
        if (!QFileInfo::exists(path))
            return PortProblem::NotPresent;
        if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES)
            return PortProblem::NoPermission;
        // The open removes a stale lock itself where it may.
        return StaleLockFile(path).isEmpty() ? PortProblem::Busy : PortProblem::StaleLock;
    default:
        return QFileInfo::exists(path) ? PortProblem::Unusable : PortProblem::NotPresent;
    }
}

QString PortProbe::StaleLockFile(const QString &path)
{
    QString lock;
    return ReadLock(path, &lock) == LockState::Stale ? lock : QString();
}

PortProblem PortProbe::Glance(const QString &portName)
{
    if (!QFileInfo::exists(portName))
        return PortProblem::NotPresent;
    QString lock;
    switch (ReadLock(portName, &lock)) {
    case LockState::Held:
        return PortProblem::Busy;
    case LockState::Stale:
        if (!MayRemove(lock))
            return PortProblem::StaleLock;
        break;
    case LockState::None:
        break;
    }
    // Non-blocking, so that a port that waits for its carrier does not
    // hold the window; nothing is set on the line and nothing is written.
    const int fd =
        ::open(QFile::encodeName(portName).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case EBUSY:
            return PortProblem::Busy;
        case EACCES:
        case EPERM:
            return PortProblem::NoPermission;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return PortProblem::NotPresent;
        default:
            return PortProblem::Unusable;
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
    return exclusive ? PortProblem::Busy : PortProblem::None;
}

QString PortProbe::Word(PortProblem problem)
{
    switch (problem) {
    case PortProblem::None:
        break;
    case PortProblem::Busy:
        return tr("busy");
    case PortProblem::NoPermission:
        return tr("no permission");
    case PortProblem::StaleLock:
        return tr("stale lock");
    case PortProblem::NotPresent:
        return tr("not present");
    case PortProblem::Unusable:
        return tr("cannot be opened");
    }
    return QString();
}

QString PortProbe::Message(PortProblem problem, const QString &portName, const QString &detail)
{
    switch (problem) {
    case PortProblem::None:
        break;
    case PortProblem::Busy:
        return tr("The serial port %1 is busy: another program is using it. Close that program "
                  "or choose another port.")
            .arg(portName);
    case PortProblem::NoPermission:
        return tr("Permission denied: you may not open the serial port %1. Add your user to the "
                  "\"dialout\" group (then log out and in again), or install the device rule "
                  "that comes with the program.")
            .arg(portName);
    case PortProblem::NotPresent:
        return tr("The serial port %1 is not present. Check that the adapter is plugged in, "
                  "then choose the port again.")
            .arg(portName);
    case PortProblem::StaleLock: {
        const QString lock = StaleLockFile(portName);
        return tr("The serial port %1 is locked by a program that has ended, and its lock file "
                  "%2 is not yours to remove. Remove it as root (sudo rm %2), then connect "
                  "again.")
            .arg(portName, lock.isEmpty() ? tr("(gone now)") : lock);
    }
    case PortProblem::Unusable:
        break;
    }
    return tr("The serial port %1 cannot be opened (%2).")
        .arg(portName, detail.isEmpty() ? tr("Unknown error") : detail);
}
