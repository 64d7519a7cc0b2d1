#ifndef JOBTABLE_H
#define JOBTABLE_H

#include "link/job.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>

class AtoNSentence;
class Model;
class NmeaShellCommand;
class QObject;

// The fixed jobs of a transport, and the codecs, shell commands and lantern
// set parameters of their steps, built on the transport's model and owned
// by the table.
class JobTable
{
public:
    // The tag of the serial number question before each lantern set command.
    static constexpr int UnitCheckTag = 22;

    explicit JobTable(Model *model);
    ~JobTable();
    JobTable(const JobTable &) = delete;
    JobTable &operator=(const JobTable &) = delete;

    Job *Find(const QString &name) const { return jobs.value(name, nullptr); }
    // The codec of the schedule's rows, whose count a send sets.
    AtoNSentence *ScheduleCodec() const { return scheduleCodec; }
    QList<AtoNSentence *> Codecs() const;
    void SetVendorId(const QString &code);

    // The commands whose answers the transport passes on: the version and
    // serial number asked as the link starts, the battery voltage, the
    // serial number asked to see the unit is still there (the presence poll
    // and the checks before each lantern command), and the lantern reads.
    NmeaShellCommand *versionCommand = nullptr;
    NmeaShellCommand *serialNumberCommand = nullptr;
    NmeaShellCommand *batteryCommand = nullptr;
    QList<NmeaShellCommand *> presenceCommands;
    QList<NmeaShellCommand *> lanternReads;

private:
    Job *AddJob(const QString &name);
    NmeaShellCommand *AddShellStep(Job *job, const QString &command, int accessLevel, int mode,
                                   int tag, bool modelParent);
    void AddSentenceStep(Job *job, AtoNSentence *codec, int repeatCount, int expectedReplies,
                         bool answerRequired = true);

    Model *model;
    QHash<QString, Job *> jobs;
    // The jobs in the order they were built, and the objects of their steps,
    // which the model may parent.
    QList<Job *> jobOrder;
    QList<QPointer<QObject>> stepObjects;
    AtoNSentence *scheduleCodec = nullptr;
};

#endif // JOBTABLE_H
