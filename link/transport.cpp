#include "link/transport.h"
#include "sentences/logcategories.h"

#include "lim/lanterninterface.h"
#include "lim/limsetparam.h"
#include "link/nmeashellcommand.h"
#include "link/receivedline.h"
#include "link/requestname.h"
#include "link/serialcontroller.h"
#include "model/model.h"
#include "sentences/atonsentenceaar.h"
#include "sentences/atonsentenceace.h"
#include "sentences/atonsentenceacf.h"
#include "sentences/atonsentenceaid.h"

#include <QDebug>
#include <QMetaMethod>
#include <QMutexLocker>
#include <QTimer>

#include <utility>

Transport::Transport(QObject *parent) : QObject(parent), model(new Model(this))
{
    qRegisterMetaType<ModelSnapshot>();

    auto *line = new SerialController(this);
    controller.store(line);
    connect(this, &Transport::SerialSend, line, &SerialController::OnSend);
    connect(line, &SerialController::Sent, this, &Transport::SerialSent);
    connect(line, &SerialController::SendError, this, &Transport::SerialSendError);
    connect(line, &SerialController::LineLost, this, &Transport::OnLineLost);
    line->AddLineSink(this);
    connect(line, &SerialController::Closed, this, &Transport::SerialClosed);

    responseTimer = new QTimer(this);
    responseTimer->setSingleShot(true);
    // The pacing of set sentences is measured by the unit; keep it exact.
    responseTimer->setTimerType(Qt::PreciseTimer);
    responseTimer->setInterval(AnswerTimeoutMs);
    connect(responseTimer, &QTimer::timeout, this, &Transport::OnTimeout);

    BuildJobTable();
}

Transport::~Transport()
{
    // The controller's last Closed() must not reach the half-destroyed transport.
    if (controller)
        DisconnectController();
    for (const QPointer<QObject> &object : qAsConst(stepObjects))
        delete object.data();
    qDeleteAll(jobOrder);
}

void Transport::SetVendorId(const QString &code)
{
    for (const QPointer<QObject> &object : qAsConst(stepObjects)) {
        if (auto *shell = qobject_cast<NmeaShellCommand *>(object.data()))
            shell->SetVendorId(code);
    }
}

Job *Transport::AddJob(const QString &name)
{
    Job *job = new Job(name);
    jobs.insert(name, job);
    jobOrder.append(job);
    return job;
}

NmeaShellCommand *Transport::AddShellStep(Job *job, const QString &command, int accessLevel,
                                          int mode, int tag, bool modelParent)
{
    auto *shell =
        new NmeaShellCommand(command, accessLevel, mode, tag, modelParent ? model : nullptr);
    stepObjects.append(shell);
    JobStep step;
    step.shellCommand = shell;
    step.repeatCount = 1;
    step.expectedReplies = 1;
    job->AddStep(step);
    return shell;
}

void Transport::AddSentenceStep(Job *job, AtoNSentence *codec, int repeatCount, int expectedReplies,
                                bool answerRequired)
{
    stepObjects.append(codec);
    if (!answerCodecs.contains(codec->Formatter()))
        answerCodecs.insert(codec->Formatter(), codec);
    JobStep step;
    step.sentence = codec;
    step.repeatCount = repeatCount;
    step.expectedReplies = expectedReplies;
    step.answerRequired = answerRequired;
    job->AddStep(step);
}

void Transport::BuildJobTable()
{
    Job *version = AddJob(QStringLiteral("Version"));
    NmeaShellCommand *appver = AddShellStep(version, QStringLiteral("appver"), 0, 2, 0, false);
    NmeaShellCommand *serNo = AddShellStep(version, QStringLiteral("getserno"), 0, 2, 1, false);
    connect(appver, &NmeaShellCommand::Version, this, &Transport::OnVersion);
    connect(serNo, &NmeaShellCommand::ProductSerialNumber, this, &Transport::OnProductSerialNumber);

    Job *voltage = AddJob(QStringLiteral("Voltage"));
    NmeaShellCommand *battery = AddShellStep(voltage, QStringLiteral("battvolts"), 3, 1, 2, false);
    connect(battery, &NmeaShellCommand::BatteryVoltage, this, &Transport::OnBatteryVoltage);

    Job *serNoTest = AddJob(QStringLiteral("SerNo Test"));
    NmeaShellCommand *serNoPoll =
        AddShellStep(serNoTest, QStringLiteral("getserno"), 0, 2, 3, false);
    connect(serNoPoll, &NmeaShellCommand::ProductSerialNumber, this,
            &Transport::OnProductSerialNumberTest);

    AtoN *aton = model->GetAtoN();
    Job *kelvane = AddJob(QStringLiteral("Kelvane"));
    // Without an answer the tab would show what the model held before as the
    // unit's MMSI or name.
    AddSentenceStep(kelvane, new AtoNSentenceAID(aton->GetAtoNMMSI(), model), 1, 0, true);
    AddSentenceStep(kelvane, new AtoNSentenceACF(aton, model), 1, 1);
    AddSentenceStep(kelvane, new AtoNSentenceACE(aton, model), 1, 0, true);
    kelvane->AddReads(ReadMmsi | ReadAtoN);

    // The unit's MMSI alone, for a send on a link that has not read it yet.
    // Its answer is awaited: a send must not go out addressed to no unit.
    Job *identity = AddJob(QStringLiteral("Identity"));
    AddSentenceStep(identity, new AtoNSentenceAID(aton->GetAtoNMMSI(), model), 1, 1);
    identity->AddReads(ReadMmsi);

    // The unit's MMSI as the link starts: a help for what follows, not a
    // condition of it. A unit that does not answer it (or not yet) is still
    // linked; its MMSI stays unknown until a transfer asks on its own terms.
    Job *linkIdentity = AddJob(QStringLiteral("Link Identity"));
    AddSentenceStep(linkIdentity, new AtoNSentenceAID(aton->GetAtoNMMSI(), model), 1, 1, false);
    linkIdentity->AddReads(ReadMmsi);

    Job *schedule = AddJob(QStringLiteral("Message Schedule"));
    scheduleCodec = new AtoNSentenceAAR(model->GetMessageSchedule());
    // One sentence per schedule row; a send takes the count afresh when it
    // starts (StartNextJob), so that rows added since are sent too. A unit
    // always reports its message 21 rows: a query without any answer fails
    // rather than leaving the document's rows for the unit's.
    AddSentenceStep(schedule, scheduleCodec, model->GetMessageSchedule()->Count(), 0, true);
    schedule->AddReads(ReadSchedule);

    Job *gpsOff = AddJob(QStringLiteral("GPS OFF"));
    AddShellStep(gpsOff, QStringLiteral("gpsfilt 0"), 0, 0, 4, false);

    Job *reset = AddJob(QStringLiteral("Reset"));
    AddShellStep(reset, QStringLiteral("reset"), 0, 0, 5, false);

    // The lantern parameters, in the order of the lantern interface's table.
    Job *getLim = AddJob(QStringLiteral("Get LIM"));
    for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
        const QString command =
            QStringLiteral("nvgeti \"%1\"").arg(LanternInterface::ParameterName(i));
        NmeaShellCommand *get =
            AddShellStep(getLim, command, 3, 1, LanternInterface::GetTag(i), true);
        connect(get, &NmeaShellCommand::showLimParams, this, &Transport::onShowLimParams);
    }
    getLim->AddReads(ReadLantern);

    Job *setLim = AddJob(QStringLiteral("Set LIM"));
    for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
        auto *set =
            new LimSetParam(LanternInterface::ParameterName(i), LanternInterface::SetTag(i), model);
        stepObjects.append(set);
        JobStep step;
        step.setParameter = set;
        step.repeatCount = 1;
        step.expectedReplies = 1;
        setLim->AddStep(step);
    }
}

QString Transport::LastError() const
{
    QMutexLocker locker(&lastErrorLock);
    return lastError;
}

void Transport::SetLastError(const QString &text)
{
    QMutexLocker locker(&lastErrorLock);
    lastError = text;
}

QStringList Transport::QueuedJobNames() const
{
    QStringList names;
    for (const QueuedJob &entry : queue)
        names << entry.job->Name();
    return names;
}

QString Transport::CurrentJobName() const
{
    return current.job ? current.job->Name() : QString();
}

void Transport::UpdateBusy()
{
    busy.store(current.job != nullptr || !queue.isEmpty());
}

void Transport::SetCurrent(const QueuedJob &job)
{
    current = job;
    UpdateBusy();
}

JobStep &Transport::CurrentStep()
{
    return current.job->Steps()[stepIndex];
}

void Transport::QueueJob(QString name, bool send)
{
    Job *job = jobs.value(name, nullptr);
    if (!job)
        return;
    QueueJob(job, send);
}

void Transport::QueueJob(Job *job, bool send)
{
    if (!job)
        return;
    // The running job does not count: a job may be queued again while it runs.
    for (const QueuedJob &entry : qAsConst(queue)) {
        if (entry.job->Name() == job->Name() && entry.send == send)
            return;
    }
    queue.append(QueuedJob{job, send});
    UpdateBusy();
    if (!HasCurrent())
        StartNextJob();
    else
        qCDebug(lcLink).noquote() << "\tCurrent job active: " + current.job->Name();
}

void Transport::Prepare(int preparation, ModelSnapshot sent, QList<int> scheduleRows)
{
    AtoN *held = model->GetAtoN();
    switch (Preparation(preparation)) {
    case PrepareNothing:
        break;
    case ForgetUnitMmsi:
        // An unconfigured unit names no MMSI and is addressed as such.
        held->GetAtoNMMSI()->Reset();
        break;
    case CopyAtoN: {
        // Everything sent, the new MMSI included, addressed to the MMSI the
        // unit holds now.
        const QString heldMmsi = held->GetAtoNMMSI()->Mmsi();
        *held = *sent->GetAtoN();
        held->GetAtoNMMSI()->SetMmsi(heldMmsi);
        break;
    }
    case CopySchedule:
        *model->GetMessageSchedule() = *sent->GetMessageSchedule();
        nextScheduleRows = scheduleRows;
        break;
    case CopyLantern:
        *model->GetLanternInterface() = *sent->GetLanternInterface();
        break;
    case ResetSchedule:
        model->GetMessageSchedule()->Reset();
        break;
    }
}

void Transport::StartNextJob()
{
    stepIndex = -1;
    repeat = 0;
    while (!queue.isEmpty()) {
        SetCurrent(queue.takeFirst());
        jobAnswers = 0;
        if (current.send) {
            endedQuery.clear();
            // The schedule being sent is the one the transport model holds now.
            for (JobStep &step : current.job->Steps()) {
                if (step.sentence && step.sentence == scheduleCodec) {
                    scheduleRows = std::exchange(nextScheduleRows, QList<int>());
                    step.repeatCount = scheduleRows.isEmpty() ? model->GetMessageSchedule()->Count()
                                                              : scheduleRows.size();
                }
            }
        }
        // A job with no step to run leaves stepIndex at -1 and repeat at 0.
        if (Advance())
            return;
    }
    SetCurrent(QueuedJob());
    emit AllJobsComplete();
}

bool Transport::Advance()
{
    if (!HasCurrent())
        return false;
    if (stepIndex != -1 && current.send && repeat < CurrentStep().repeatCount) {
        Issue();
        ++repeat;
        return true;
    }
    ++stepIndex;
    repeat = 0;
    // A send step with nothing to send (an empty schedule) is passed over.
    while (current.send && stepIndex < current.job->Steps().size() &&
           current.job->Steps().at(stepIndex).repeatCount <= 0)
        ++stepIndex;
    if (stepIndex >= current.job->Steps().size()) {
        stepIndex = -1;
        if (!current.send && current.job->Reads() && jobAnswers > 0)
            emit Read(current.job->Name(), current.job->Reads(), TakeSnapshot(*model));
        emit JobComplete(current.job->Name(), current.send);
        return false;
    }
    Issue();
    repeat = 1;
    return true;
}

void Transport::Issue()
{
    JobStep &step = CurrentStep();
    QString text;
    if (step.shellCommand) {
        // A shell command gets the full time to answer, after a send too.
        text = step.shellCommand->Sentence();
        responseTimer->setInterval(ResponseTimeout());
    } else if (step.setParameter) {
        // Paced like the set sentences; the read-back tells what was taken.
        text = step.setParameter->Sentence();
        responseTimer->setInterval(SendPacingMs);
    } else if (current.send) {
        if (repeat == 0 && step.sentence != scheduleCodec) {
            // A continuation asked for by an earlier send is not asked for now.
            step.repeatCount = 1;
        }
        int extra = 0;
        const bool someRows = step.sentence == scheduleCodec && !scheduleRows.isEmpty();
        text = step.sentence->Encode(someRows ? scheduleRows.value(repeat) : repeat, &extra);
        if (extra > 0)
            step.repeatCount = extra + 1;
        responseTimer->setInterval(SendPacingMs);
    } else {
        text = step.sentence->Query();
        responseTimer->setInterval(ResponseTimeout());
        if (step.sentence->Formatter() == endedQuery)
            endedQuery.clear();
        heard.remove(step.sentence->Formatter());
        // Whom the link talks to has been heard: one answer tells it again,
        // and waiting out the silence after it would only cost a second.
        endsAtFirstAnswer = step.expectedReplies == 1 ||
                            (aidAnswered && step.sentence->Formatter() == QLatin1String("AID"));
    }
    answers = 0;
    damagedAnswer.clear();
    Send(text);
    emit Sent(text);
    emit JobLineSent(current.job->Name(), current.send);
    responseTimer->start();
}

QString Transport::Refused(const QString &request, const QString &problem)
{
    return problem.isEmpty() ? tr("The answer to %1 was not understood.").arg(request)
                             : tr("The answer to %1 was refused: %2").arg(request, problem);
}

void Transport::HandleResponse(ParsedSentence sentence)
{
    if (!HasCurrent() || stepIndex == -1)
        return;
    JobStep &step = CurrentStep();

    if (step.shellCommand) {
        const int result = step.shellCommand->Parse(sentence);
        if (result == NmeaShellCommand::ShellBadAnswer) {
            // A bad answer ends the transfer: the job waits for the
            // disconnect that the error brings, and no later answer can
            // overwrite the error.
            responseTimer->stop();
            stepIndex = -1;
            const QString reason = Refused(RequestName::OfCommand(step.shellCommand->Command()),
                                           step.shellCommand->Problem());
            SetLastError(reason);
            emit CommandError(reason);
        } else if (result == NmeaShellCommand::ShellAnswered) {
            responseTimer->stop();
            ++jobAnswers;
            if (!Advance())
                StartNextJob();
        }
        return;
    }

    // Lantern set and sentence steps of a send wait for their timer only.
    if (current.send)
        return;

    AtoNSentence *codec = step.sentence;
    if (!codec || sentence.formatter != codec->Formatter())
        return;
    responseTimer->stop();
    qCDebug(lcLink).noquote() << "Parse: " + sentence.ToText();
    const int result = codec->Decode(sentence);
    if (result == AtoNSentence::DecodeFieldError) {
        const QString reason = Refused(RequestName::OfQuery(codec->Formatter()), codec->Problem());
        if (!step.answerRequired) {
            // Only a help: the transfers that need the answer ask themselves.
            qCDebug(lcLink).noquote() << reason;
            if (!Advance())
                StartNextJob();
            return;
        }
        SetLastError(reason);
        // As for a bad shell answer: nothing more of this job is taken.
        stepIndex = -1;
        emit AtoNSentenceError(reason);
        return;
    }
    ++answers;
    ++jobAnswers;
    if (result == AtoNSentence::DecodeOk && codec->Formatter() == QLatin1String("AID"))
        aidAnswered = true;
    responseTimer->start();
    // A complete answer ends the query at once; a part of it coming after
    // all the same fails the read, as one after the silence would.
    const bool complete = !endsAtFirstAnswer && codec->AnswersComplete();
    if (complete && codec->Formatter() != QLatin1String("AID"))
        endedQuery = codec->Formatter();
    if (endsAtFirstAnswer || complete) {
        if (!Advance())
            StartNextJob();
    }
}

void Transport::OnTimeout()
{
    responseTimer->stop();
    if (!HasCurrent() || stepIndex == -1)
        return;
    JobStep &step = CurrentStep();
    QString request;
    if (step.shellCommand) {
        request = RequestName::OfCommand(step.shellCommand->Command());
    } else if (current.send || step.setParameter || !step.answerRequired ||
               (step.expectedReplies == 0 && answers > 0)) {
        // Set sentences, and a lantern set queued as a get, await no answer.
        // A later AID answer only repeats whom the link talks to; a later
        // row or name continuation would be missing from what was read.
        if (!current.send && step.sentence)
            emit QuietWait(current.job->Name());
        if (!current.send && step.sentence && step.expectedReplies == 0) {
            // Asked once more, a part lost on the line comes the second time.
            if (repeat == 1 && step.sentence->AskAgain()) {
                Issue();
                repeat = 2;
                return;
            }
            const QString missing = step.sentence->Missing();
            if (!missing.isEmpty()) {
                FailRead(tr("The answers to %1 were not whole: %2.")
                             .arg(RequestName::OfQuery(step.sentence->Formatter()), missing));
                return;
            }
            if (step.sentence->Formatter() != QLatin1String("AID"))
                endedQuery = step.sentence->Formatter();
        }
        if (!Advance())
            StartNextJob();
        return;
    } else {
        request = RequestName::OfQuery(step.sentence->Formatter());
    }
    const QString reason = !damagedAnswer.isEmpty()
                               ? damagedAnswer
                               : tr("No answer to %1 within %2 s.")
                                     .arg(request)
                                     .arg(responseTimer->interval() / 1000.0, 0, 'g', 3);
    SetLastError(reason);
    if (IsConnected()) {
        // The job is dropped and the queue runs on: a presence poll waiting
        // behind a poll that went unanswered must still be sent.
        stepIndex = -1;
        SetCurrent(QueuedJob());
        emit Timeout(reason);
        StartNextJob();
    }
}

void Transport::OnLineLost(const QString &reason)
{
    // Nothing more will be answered: the job under way is not timed out as
    // unanswered, and waits for the disconnect that the loss brings.
    responseTimer->stop();
    stepIndex = -1;
    SetLastError(reason);
    emit LineLost(reason);
}

void Transport::DisconnectController()
{
    SerialController *line = controller.load();
    if (!line)
        return;
    disconnect(this, &Transport::SerialSend, line, &SerialController::OnSend);
    disconnect(line, &SerialController::Sent, this, &Transport::SerialSent);
    disconnect(line, &SerialController::SendError, this, &Transport::SerialSendError);
    disconnect(line, &SerialController::LineLost, this, &Transport::OnLineLost);
    line->RemoveLineSink(this);
    disconnect(line, &SerialController::Closed, this, &Transport::SerialClosed);
}

void Transport::TakeLine(const ReceivedLine &line)
{
    static const QMetaMethod receivedSignal = QMetaMethod::fromSignal(&Transport::Received);
    if (textListeners.Listened([this] { return isSignalConnected(receivedSignal); }))
        emit Received(line.Text());
    for (int i = 0; i < sinks.size(); ++i)
        sinks.at(i)->TakeLine(line);
    // Traffic with no job step waiting, the whole of a replayed log, is not
    // parsed into fields here; only answers that may contradict earlier ones
    // are looked at between the jobs of a transfer.
    const bool awaited = AwaitsAnswer();
    if (!awaited && heard.isEmpty())
        return;
    if (!line.Sentence().IsValid()) {
        if (awaited)
            RefuseDamagedAnswer(line.Text());
        return;
    }
    if (CompareWithEarlier(line.Sentence(), line.Text()) != Heard::First || !awaited)
        return;
    if (!RefuseLateAnswer(line.Sentence(), line.Text()))
        HandleResponse(ParsedSentence(line.Text()));
}

bool Transport::RefuseLateAnswer(const SentenceView &sentence, const QString &text)
{
    // Answers taken until silence have no count: a row or a name continuation
    // that comes after the pause would be left out of what was read. Coming
    // while the read still runs, it fails it, naming what came.
    if (endedQuery.isEmpty() || current.send || sentence.Formatter() != endedQuery)
        return false;
    const JobStep &step = CurrentStep();
    if (step.sentence && !step.shellCommand && step.sentence->Formatter() == endedQuery)
        return false;
    FailRead(tr("An answer to %1 came after its answers had ended: %2")
                 .arg(RequestName::OfQuery(endedQuery), text.trimmed().left(MaxQuotedLine)));
    endedQuery.clear();
    return true;
}

// A unit answers a query once; the same answer again changes nothing, but
// two that differ leave no way of telling which the unit holds.
Transport::Heard Transport::CompareWithEarlier(const SentenceView &sentence, const QString &text)
{
    if (current.send && AwaitsAnswer())
        return Heard::First;
    const QString formatter = sentence.Formatter().toString();
    const AtoNSentence *codec = answerCodecs.value(formatter, nullptr);
    if (!codec)
        return Heard::First;
    const QString key = codec->AnswerKey(ParsedSentence(text));
    if (key.isEmpty())
        return Heard::First;
    const QString answer = text.trimmed().left(MaxQuotedLine);
    QHash<QString, QString> &answers = heard[formatter];
    const auto earlier = answers.constFind(key);
    if (earlier == answers.cend()) {
        if (answers.size() < MaxHeardAnswers)
            answers.insert(key, answer);
        return Heard::First;
    }
    if (*earlier == answer)
        return Heard::Repeat;
    FailRead(tr("The unit gave two different answers to %1: %2 and then %3")
                 .arg(RequestName::OfQuery(formatter), *earlier, answer));
    return Heard::Contradiction;
}

void Transport::FailRead(const QString &reason)
{
    responseTimer->stop();
    SetLastError(reason);
    stepIndex = -1;
    emit AtoNSentenceError(reason);
}

QString Transport::DamagedAnswer(const QString &request, const QString &text)
{
    const QString line = text.trimmed().left(MaxQuotedLine);
    const SentenceView::Frame frame = SentenceView::Locate(text.constData(), int(text.size()));
    if (frame.start >= 0 && frame.star >= 0 && !frame.checksumOk)
        return tr("The answer to %1 came with a wrong checksum: %2").arg(request, line);
    return tr("The answer to %1 came damaged: %2").arg(request, line);
}

void Transport::RefuseDamagedAnswer(const QString &text)
{
    const JobStep &step = CurrentStep();
    if (current.send || step.setParameter)
        return;
    if (step.shellCommand) {
        // Kept for the time-out: a unit whose every answer is damaged has
        // answered all the same, and the engineer is to learn how.
        if (text.contains(step.shellCommand->Command()))
            damagedAnswer =
                DamagedAnswer(RequestName::OfCommand(step.shellCommand->Command()), text);
        return;
    }
    if (!step.sentence || !text.contains(step.sentence->Formatter() + QLatin1Char(',')))
        return;
    const QString reason = DamagedAnswer(RequestName::OfQuery(step.sentence->Formatter()), text);
    // An answer that came damaged to a query whose answers are taken until
    // silence (the schedule's rows, a name and its continuation) fails the
    // read: leaving it out would lose a row or a name without a word. A query
    // awaiting one answer runs into its time-out, which names the damage.
    if (step.expectedReplies != 0)
        damagedAnswer = reason;
    else
        FailRead(reason);
}

void Transport::connectNotify(const QMetaMethod &signal)
{
    Q_UNUSED(signal)
    textListeners.Forget();
}

void Transport::disconnectNotify(const QMetaMethod &signal)
{
    Q_UNUSED(signal)
    textListeners.Forget();
}

void Transport::AddLineSink(LineSink *sink)
{
    if (!sinks.contains(sink))
        sinks.append(sink);
}

void Transport::RemoveLineSink(LineSink *sink)
{
    sinks.removeAll(sink);
}

void Transport::OnVersion(QString version)
{
    emit Version(version);
}

void Transport::OnVariant(QString variant)
{
    emit Variant(variant);
}

void Transport::OnBootloaderVersion(QString version)
{
    emit BootloaderVersion(version);
}

void Transport::OnPCASerialNumber(QString version)
{
    emit PCASerialNumber(version);
}

void Transport::OnProductSerialNumber(QString version)
{
    emit ProductSerialNumber(version);
}

void Transport::OnProductSerialNumberTest(QString version)
{
    emit ProductSerialNumberTest(version);
}

void Transport::OnBatteryVoltage(QString voltage)
{
    emit BatteryVoltage(voltage);
}

void Transport::OnAtoNType(int atonType)
{
    emit AtoNType(atonType);
}

void Transport::OnFaultLogMessage(int sentenceNumber, int totalNumberOfSentnces, QString dateString,
                                  QString timeString, QString faultDescritionString)
{
    emit FaultLogMessage(dateString, timeString, faultDescritionString);
    emit FaultLogMessageCount(sentenceNumber, totalNumberOfSentnces);
}

void Transport::OnFaultLogRequestComplete()
{
    emit FaultLogRequestComplete();
}

void Transport::onShowLimParams()
{
    emit showLimParams();
}

QString Transport::FindDevicePort()
{
    return SerialController::FindDevicePort();
}

QString Transport::FriendlyName(const QString &portName)
{
    return SerialController::FriendlyName(portName);
}

QList<QPair<QString, QString>> Transport::PortList()
{
    return SerialController::PortList();
}
