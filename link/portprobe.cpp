#include "link/portprobe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <unistd.h>

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
    // The serial port names its lock after the device: /dev/pts/3 is
    // LCK..pts_3, in the system's lock folder.
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
        bool number = false;
        const qint64 pid = lock.readLine(32).trimmed().toLongLong(&number);
        if (number && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            return lock.fileName();
        return QString();
    }
    return QString();
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
