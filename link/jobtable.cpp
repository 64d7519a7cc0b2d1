#include "link/jobtable.h"

#include "lim/lanterninterface.h"
#include "lim/limsetparam.h"
#include "link/nmeashellcommand.h"
#include "model/model.h"
#include "sentences/atonsentenceaar.h"
#include "sentences/atonsentenceace.h"
#include "sentences/atonsentenceacf.h"
#include "sentences/atonsentenceaid.h"

Job *JobTable::AddJob(const QString &name)
{
    Job *job = new Job(name);
    jobs.insert(name, job);
    jobOrder.append(job);
    return job;
}

NmeaShellCommand *JobTable::AddShellStep(Job *job, const QString &command, int accessLevel,
                                         int mode, int tag, bool modelParent)
{
    auto *shell =
        new NmeaShellCommand(command, accessLevel, mode, tag, modelParent ? model : nullptr);
    stepObjects.append(shell);
    JobStep step;
    step.shellCommand = shell;
    job->AddStep(step);
    return shell;
}

void JobTable::AddSentenceStep(Job *job, AtoNSentence *codec, int repeatCount, int expectedReplies,
                               bool answerRequired)
{
    stepObjects.append(codec);
    JobStep step;
    step.sentence = codec;
    step.repeatCount = repeatCount;
    step.expectedReplies = expectedReplies;
    step.answerRequired = answerRequired;
    job->AddStep(step);
}

JobTable::JobTable(Model *model) : model(model)
{
    Job *version = AddJob(QStringLiteral("Version"));
    versionCommand = AddShellStep(version, QStringLiteral("appver"), 0, 2, 0, false);
    serialNumberCommand = AddShellStep(version, QStringLiteral("getserno"), 0, 2, 1, false);

    Job *voltage = AddJob(QStringLiteral("Voltage"));
    batteryCommand = AddShellStep(voltage, QStringLiteral("battvolts"), 3, 1, 2, false);

    Job *serNoTest = AddJob(QStringLiteral("SerNo Test"));
    presenceCommands << AddShellStep(serNoTest, QStringLiteral("getserno"), 0, 2, 3, false);

    AtoN *aton = model->GetAtoN();
    Job *kelvane = AddJob(QStringLiteral("Kelvane"));
    // Without an answer the tab would show what the model held before as the
    // unit's MMSI or name.
    AddSentenceStep(kelvane, new AtoNSentenceAID(aton->GetAtoNMMSI(), model), 1, 0, true);
    AddSentenceStep(kelvane, new AtoNSentenceACF(aton, model), 1, 1);
    AddSentenceStep(kelvane, new AtoNSentenceACE(aton, model), 1, 0, true);
    kelvane->AddReads(Job::ReadMmsi | Job::ReadAtoN);

    // The unit's MMSI alone, for a send on a link that has not read it yet.
    // Its answer is awaited: a send must not go out addressed to no unit.
    Job *identity = AddJob(QStringLiteral("Identity"));
    AddSentenceStep(identity, new AtoNSentenceAID(aton->GetAtoNMMSI(), model), 1, 1);
    identity->AddReads(Job::ReadMmsi);

    // The unit's MMSI as the link starts: a help for what follows, not a
    // condition of it. A unit that does not answer it (or not yet) is still
    // linked; its MMSI stays unknown until a transfer asks on its own terms.
    Job *linkIdentity = AddJob(QStringLiteral("Link Identity"));
    AddSentenceStep(linkIdentity, new AtoNSentenceAID(aton->GetAtoNMMSI(), model), 1, 1, false);
    linkIdentity->AddReads(Job::ReadMmsi);

    Job *schedule = AddJob(QStringLiteral("Message Schedule"));
    scheduleCodec = new AtoNSentenceAAR(model->GetMessageSchedule());
    // One sentence per schedule row; a send takes the count afresh when it
    // starts (StartNextJob), so that rows added since are sent too. A unit
    // always reports its message 21 rows: a query without any answer fails
    // rather than leaving the document's rows for the unit's.
    AddSentenceStep(schedule, scheduleCodec, model->GetMessageSchedule()->Count(), 0, true);
    schedule->AddReads(Job::ReadSchedule);

    Job *gpsOff = AddJob(QStringLiteral("GPS OFF"));
    AddShellStep(gpsOff, QStringLiteral("gpsfilt 0"), 0, 0, 4, false);

    Job *reset = AddJob(QStringLiteral("Reset"));
    AddShellStep(reset, QStringLiteral("reset"), 0, 0, 5, false);

    // The lantern parameters, in the order of the lantern interface's table.
    Job *getLim = AddJob(QStringLiteral("Get LIM"));
    for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
        const QString command =
            QStringLiteral("nvgeti \"%1\"").arg(LanternInterface::ParameterName(i));
        lanternReads << AddShellStep(getLim, command, 3, 1, LanternInterface::GetTag(i), true);
    }
    getLim->AddReads(Job::ReadLantern);

    // The lantern commands carry no address: before each, the unit is asked
    // who it is, so that a unit docked in the middle of the send takes none.
    Job *setLim = AddJob(QStringLiteral("Set LIM"));
    for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
        presenceCommands << AddShellStep(setLim, QStringLiteral("getserno"), 0, 2, UnitCheckTag,
                                         false);
        setLim->Steps().last().checksUnit = true;
        auto *set =
            new LimSetParam(LanternInterface::ParameterName(i), LanternInterface::SetTag(i), model);
        stepObjects.append(set);
        JobStep step;
        step.setParameter = set;
        setLim->AddStep(step);
    }
}

JobTable::~JobTable()
{
    for (const QPointer<QObject> &object : qAsConst(stepObjects))
        delete object.data();
    qDeleteAll(jobOrder);
}

QList<AtoNSentence *> JobTable::Codecs() const
{
    QList<AtoNSentence *> codecs;
    for (const QPointer<QObject> &object : stepObjects) {
        if (auto *codec = qobject_cast<AtoNSentence *>(object.data()))
            codecs << codec;
    }
    return codecs;
}

void JobTable::SetVendorId(const QString &code)
{
    for (const QPointer<QObject> &object : qAsConst(stepObjects)) {
        if (auto *shell = qobject_cast<NmeaShellCommand *>(object.data()))
            shell->SetVendorId(code);
    }
}
