#ifndef PORTPROBE_H
#define PORTPROBE_H

#include <QCoreApplication>
#include <QSerialPort>
#include <QString>

// Why a port cannot be opened, as far as the system tells.
enum class PortProblem
{
    None,
    // Held by another program (its lock file or exclusive open).
    Busy,
    // The user may not open the device.
    NoPermission,
    // The device has gone or never was.
    NotPresent,
    // Any other refusal; the port's error text says more.
    Unusable,
    // Locked by a program that has ended, and the lock is not this user's
    // to remove.
    StaleLock,
};

// Finds out whether a serial port can be opened, and if not why, in the words
// the port list and the connection error use.
class PortProbe
{
    Q_DECLARE_TR_FUNCTIONS(PortProbe)

public:
    // Opens the port for a moment, as a link would; `detail` receives the
    // system's error text when it cannot be opened. User-interface thread.
    static PortProblem Probe(const QString &portName, QString *detail = nullptr);
    // What must be settled before the port at `path` is opened, since the
    // serial port's own open would take a lock that another program wrote
    // in a form it does not know for stale, and lets the superuser share a
    // line opened exclusively: a lock naming a running process, or an
    // exclusive open, make the port Busy whoever asks; a lock whose process
    // has ended is removed, and `note` says so (StaleLock when this user
    // may not remove it).
    static PortProblem Claim(const QString &path, QString *note = nullptr);
    // Tells what keeps the port from opening without opening it the way a
    // link does: its presence, its lock and a non-blocking open that leaves
    // the line's settings alone, each returning at once, so that a whole
    // list can be marked as it is shown. Any thread.
    static PortProblem Glance(const QString &portName);
    // The problem behind a failed open of the port at `path`.
    static PortProblem ProblemOf(const QString &path, QSerialPort::SerialPortError error);
    // The lock file of the port at `path` that names a process no longer
    // running, or empty.
    static QString StaleLockFile(const QString &path);
    // The word that marks a port with the problem in the port list.
    static QString Word(PortProblem problem);
    // What a user is told when connecting to the port fails for the problem.
    static QString Message(PortProblem problem, const QString &portName, const QString &detail);
};

#endif // PORTPROBE_H
