#include "link/transport.h"
#include "sentences/logcategories.h"

#include "lim/lanterninterface.h"
#include "lim/limsetparam.h"
#include "link/nmeashellcommand.h"
#include "link/receivedline.h"
#include "link/requestname.h"
#include "link/serialcontroller.h"
#include "model/model.h"
#include "sentences/atonsentence.h"

#include <QDebug>
#include <QMetaMethod>
#include <QMutexLocker>
#include <QTimer>

#include <utility>

Transport::Transport(QObject *parent)
    : QObject(parent), model(new Model(this)), table(model), batch(new LineBatch(this))
{
    qRegisterMetaType<ModelSnapshot>();
    connect(batch, &LineBatch::Lines, this, &Transport::ReceivedLines);

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

    for (AtoNSentence *codec : table.Codecs())
        ledger.AddCodec(codec);
    connect(table.versionCommand, &NmeaShellCommand::Version, this, &Transport::OnVersion);
    connect(table.serialNumberCommand, &NmeaShellCommand::ProductSerialNumber, this,
            &Transport::OnProductSerialNumber);
    connect(table.batteryCommand, &NmeaShellCommand::BatteryVoltage, this,
            &Transport::OnBatteryVoltage);
    for (NmeaShellCommand *poll : qAsConst(table.presenceCommands))
        connect(poll, &NmeaShellCommand::ProductSerialNumber, this,
                &Transport::OnProductSerialNumberTest);
    for (NmeaShellCommand *get : qAsConst(table.lanternReads))
        connect(get, &NmeaShellCommand::showLimParams, this, &Transport::onShowLimParams);
}

Transport::~Transport()
{
    // The controller's last Closed() must not reach the half-destroyed transport.
    if (controller)
        DisconnectController();
}

void Transport::SetVendorId(const QString &code)
{
    table.SetVendorId(code);
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
    Job *job = table.Find(name);
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

void Transport::QueueLastJob(QString name)
{
    responseTimer->stop();
    queue.clear();
    SetCurrent(QueuedJob());
    QueueJob(name, false);
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
                if (step.sentence && step.sentence == table.ScheduleCodec()) {
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
        if (repeat == 0 && step.sentence != table.ScheduleCodec()) {
            // A continuation asked for by an earlier send is not asked for now.
            step.repeatCount = 1;
        }
        int extra = 0;
        const bool someRows = step.sentence == table.ScheduleCodec() && !scheduleRows.isEmpty();
        text = step.sentence->Encode(someRows ? scheduleRows.value(repeat) : repeat, &extra);
        if (extra > 0)
            step.repeatCount = extra + 1;
        responseTimer->setInterval(SendPacingMs);
    } else {
        text = step.sentence->Query();
        responseTimer->setInterval(ResponseTimeout());
        if (step.sentence->Formatter() == endedQuery)
            endedQuery.clear();
        ledger.Forget(step.sentence->Formatter());
        // Whom the link talks to has been heard: one answer tells it again,
        // and waiting out the silence after it would only cost a second.
        endsAtFirstAnswer = step.expectedReplies == 1 ||
                            (aidAnswered && step.sentence->Formatter() == QLatin1String("AID"));
    }
    answers = 0;
    damagedAnswer.clear();
    Send(text);
    FlushReceived();
    emit Sent(text);
    if (!step.checksUnit)
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
        // The answer told of another unit: everything has been dropped.
        if (!AwaitsAnswer())
            return;
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
    static const QMetaMethod linesSignal = QMetaMethod::fromSignal(&Transport::ReceivedLines);
    if (batchListeners.Listened([this] { return isSignalConnected(linesSignal); }))
        batch->Add(line.Text());
    for (int i = 0; i < sinks.size(); ++i)
        sinks.at(i)->TakeLine(line);
    // Traffic with no job step waiting, the whole of a replayed log, is not
    // parsed into fields here; only answers that may contradict earlier ones
    // are looked at between the jobs of a transfer.
    const bool awaited = AwaitsAnswer();
    if (!awaited && ledger.IsEmpty())
        return;
    if (!line.Sentence().IsValid()) {
        if (awaited)
            RefuseDamagedAnswer(line.Text());
        return;
    }
    if (CompareWithEarlier(line.Sentence(), line.Text()) != AnswerLedger::First || !awaited)
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
AnswerLedger::Heard Transport::CompareWithEarlier(const SentenceView &sentence, const QString &text)
{
    if (current.send && AwaitsAnswer())
        return AnswerLedger::First;
    QString earlier;
    const AnswerLedger::Heard heard = ledger.Take(sentence, text, &earlier);
    if (heard == AnswerLedger::Contradiction)
        FailRead(tr("The unit gave two different answers to %1: %2 and then %3")
                     .arg(RequestName::OfQuery(sentence.Formatter().toString()), earlier,
                          text.trimmed().left(AnswerLedger::MaxQuoted)));
    return heard;
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
    batchListeners.Forget();
}

void Transport::disconnectNotify(const QMetaMethod &signal)
{
    Q_UNUSED(signal)
    textListeners.Forget();
    batchListeners.Forget();
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
    HearSerialNumber(version);
    emit ProductSerialNumber(version);
}

void Transport::OnProductSerialNumberTest(QString version)
{
    HearSerialNumber(version);
    emit ProductSerialNumberTest(version);
}

void Transport::HearSerialNumber(const QString &number)
{
    const QString before = std::exchange(heardSerial, number);
    if (before.isEmpty() || before == number)
        return;
    qCDebug(lcLink).noquote() << "Another unit in the dock:" << before << "->" << number;
    responseTimer->stop();
    stepIndex = -1;
    queue.clear();
    SetCurrent(QueuedJob());
    model->Reset();
    aidAnswered = false;
    ledger.Clear();
    endedQuery.clear();
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
