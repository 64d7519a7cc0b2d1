#include "link/portprobe.h"

#include "platform/platform.h"
#include "sentences/logcategories.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

PortProblem FromAccess(Platform::PortAccess access)
{
    switch (access) {
    case Platform::PortAccess::Free:
        return PortProblem::None;
    case Platform::PortAccess::Busy:
        return PortProblem::Busy;
    case Platform::PortAccess::NoPermission:
        return PortProblem::NoPermission;
    case Platform::PortAccess::NotPresent:
        return PortProblem::NotPresent;
    case Platform::PortAccess::Unusable:
        break;
    }
    return PortProblem::Unusable;
}

} // namespace

PortProblem PortProbe::Probe(const QString &portName, QString *detail)
{
    const PortProblem before = Claim(portName);
    if (before != PortProblem::None)
        return before;
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
        if (!Platform::Current().MayUseDevice(path))
            return PortProblem::NoPermission;
        // The open removes a stale lock itself where it may.
        return StaleLockFile(path).isEmpty() ? PortProblem::Busy : PortProblem::StaleLock;
    default:
        return QFileInfo::exists(path) ? PortProblem::Unusable : PortProblem::NotPresent;
    }
}

QString PortProbe::StaleLockFile(const QString &path)
{
    const Platform::PortLock lock = Platform::Current().ReadPortLock(path);
    return lock.state == Platform::LockState::Stale ? lock.file : QString();
}

PortProblem PortProbe::Glance(const QString &portName)
{
    if (!QFileInfo::exists(portName))
        return PortProblem::NotPresent;
    Platform &platform = Platform::Current();
    const Platform::PortLock lock = platform.ReadPortLock(portName);
    if (lock.state == Platform::LockState::Held)
        return PortProblem::Busy;
    const PortProblem problem = FromAccess(platform.GlancePort(portName));
    // A stale lock is cleared by the open, where this user may remove it.
    if (problem == PortProblem::None && lock.state == Platform::LockState::Stale &&
        !platform.MayRemovePortLock(lock))
        return PortProblem::StaleLock;
    return problem;
}

PortProblem PortProbe::Claim(const QString &path, QString *note)
{
    Platform &platform = Platform::Current();
    const Platform::PortLock lock = platform.ReadPortLock(path);
    if (lock.state == Platform::LockState::Held)
        return PortProblem::Busy;
    if (lock.state == Platform::LockState::Stale) {
        int error = 0;
        if (!platform.RemovePortLock(lock, &error))
            return PortProblem::StaleLock;
        const QString text = tr("Removed the lock file %1 of the serial port %2: the process %3 "
                                "that made it has ended.")
                                 .arg(lock.file, path, QString::number(lock.processId));
        qCWarning(lcLink).noquote() << text;
        if (note)
            *note = text;
    }
    // The system's open lets the superuser share a line that another
    // program holds exclusively; everyone else it refuses by itself (and
    // a look of its own would pulse the line's modem signals once more).
    if (platform.IsSuperuser() && platform.GlancePort(path) == Platform::PortAccess::Busy)
        return PortProblem::Busy;
    return PortProblem::None;
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
