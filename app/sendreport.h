#ifndef SENDREPORT_H
#define SENDREPORT_H

#include "app/sendoutcome.h"
#include "app/unitidentity.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// The record of one send: every line that sets something, in the order
// written, and how far the unit on the line has confirmed, by its serial
// number, that it is still the unit the send began with. From it, what each
// unit holds when the send ends early, in words and as data.
class SendReport
{
    Q_DECLARE_TR_FUNCTIONS(SendReport)

public:
    // The parts (StateMachine::Part bits) a send writes, and the unit it is
    // meant for.
    void Begin(int parts, const UnitIdentity &meantFor);
    int Parts() const { return parts; }
    const UnitIdentity &MeantFor() const { return meantFor; }
    // A job that sets writes this many lines of part.
    void PlanJob(const QString &job, int part, int lines);
    // A line of a job that sets has gone out.
    void LineSent(const QString &job);
    // The unit on the line told its serial number: when it is the unit the
    // send began with, it holds every line written before.
    void SerialNumberTold(const QString &number);
    // The unit on the line has been found to be the one meant, with this
    // serial number and MMSI: they fill in what the send was not told.
    void UnitConfirmed(const QString &serial, const QString &mmsi);
    // The serial number the unit told as the send began.
    QString SerialNumber() const { return serialNumber; }
    bool AnyLineSent() const { return !lines.isEmpty(); }

    // What the unit holds after the send ended early, the parts of started
    // having had lines out, those of sent every line; readingBack: it ended
    // while they were read back.
    QString Interrupted(int started, int sent, bool readingBack) const;
    // What each unit holds after another unit (now) was docked during the send.
    QString Swapped(const UnitIdentity &now) const;
    // The same as data.
    SendOutcome InterruptedOutcome(int started, int sent, bool readingBack) const;
    SendOutcome SwappedOutcome(const UnitIdentity &now) const;

    // "the lantern settings", or several such joined.
    static QString PartNames(int parts);
    // "a, b and c".
    static QString Joined(const QStringList &items);

private:
    struct Job
    {
        QString name;
        int part = 0;
        int lines = 0;
    };
    struct Line
    {
        int job = 0; // index into jobs
        int index = 0;
    };
    // The lines [from, to) by job: "the AtoN settings", "the lantern
    // settings "limen", "limvmin"".
    QStringList Describe(int from, int to) const;
    // The parts every line of which is among the first count lines.
    int PartsWholeIn(int count) const;
    // The parts of the lines [from, to).
    int PartsIn(int from, int to) const;

    int parts = 0;
    UnitIdentity meantFor;
    QString serialNumber;
    QList<Job> jobs;
    QList<Line> lines;
    // The lines written before the unit last confirmed it is the one meant.
    int confirmed = 0;
};

#endif // SENDREPORT_H
