#include "app/statemachine.h"
#include "sentences/logcategories.h"

#include <QDebug>
#include <QMetaMethod>
#include <QTimer>

#include "app/configurationcheck.h"
#include "app/sendreport.h"
#include "lim/lanterninterface.h"
#include "link/transport.h"
#include "model/configurationdiff.h"
#include "model/messageschedule.h"
#include "model/model.h"
#include "sentences/atonsentenceace.h"

StateMachine::StateMachine(Model *document, const Model *unitModel, QObject *parent)
    : QObject(parent), document(document), unitModel(unitModel), pollingTimer(new QTimer(this)),
      sentCopy(TakeSnapshot(Model()))
{
    if (!document || !unitModel)
        qBadAlloc();
    // The preparations go to the transport's thread.
    qRegisterMetaType<QList<int>>();
    qRegisterMetaType<ModelSnapshot>();
    pollingTimer->setInterval(PollingIntervalMs);
    connect(pollingTimer, &QTimer::timeout, this, &StateMachine::OnSerialNumberTestTimeout);
}

void StateMachine::SetDocument(Model *newDocument)
{
    if (!newDocument)
        qBadAlloc();
    document = newDocument;
}

int StateMachine::TabStateOf(int tab) const
{
    return IsConfigurationTab(tab) ? tabStates[tab] : TabNoLink;
}

void StateMachine::SetTabState(int tab, int state, bool enable)
{
    if (!IsConfigurationTab(tab) || tabStates[tab] == state)
        return;
    tabStates[tab] = state;
    emit UpdateTabIcon(tab, state);
    emit EnableTab(tab, enable);
}

QString StateMachine::SlotClashText()
{
    // One line a paragraph: the window's box and the terminal wrap them.
    return tr("The message schedule set risks clashing timeslots.\n"
              "The configuration has not been sent.\n"
              "\n"
              "There must be a difference of at least three slots between the start slots "
              "allocated to each channel unless:\n"
              "- one or both of the channels is disabled (slot = -1), or\n"
              "- the transmission interval is the same for both channels and is at least (and in "
              "multiples of) 2250 slots, and the time offset between the two channels is half of "
              "the transmission interval (2250 slots per minute).\n"
              "\n"
              "This gives a \"symmetrical\" schedule and avoids the risk of overlapping slots "
              "being used by both channels at the same time.");
}

void StateMachine::Connected()
{
    connected = true;
    closing = false;
    errorShown = false;
    answeredSerial.clear();
    unitRowsSerial.clear();
    // A new link starts afresh: a give-up or a polling run of an earlier link
    // says nothing about this one, and a later silent unit must be reported.
    gaveUp = false;
    StopSerialNumberTest();
    missedAnswers = 0;
    SetTabState(0, TabNotSynced, true);
    SetTabState(1, TabNotSynced, true);
    // Which unit is on the line: serial number and version, then its MMSI,
    // by which its own reports are told from other stations'. A unit that
    // does not tell its MMSI now is still linked: each transfer asks anew.
    emit QueueJob(QStringLiteral("Version"), false);
    emit QueueJob(QStringLiteral("Link Identity"), false);
}

void StateMachine::Disconnected()
{
    const bool wasInUse = connected && (polling || IsTransferring());
    connected = false;
    unitRowsSerial.clear();
    StopSerialNumberTest();
    // A link to a unit in use that closed without being asked to: the unit
    // was unplugged or the line failed. Told once, with what it cut off.
    // One box says both what failed and what the unit may hold.
    if (wasInUse && !closing && !errorShown) {
        errorShown = true;
        const QString title = TransferErrorTitle();
        const QString failure = FailureText(tr("The connection to the AtoN was lost."), true);
        emit DisplayError(title, WithWhatIsHeld(failure, AbandonTransfer()));
    } else if (IsTransferring()) {
        const QString held = AbandonTransfer();
        if (!held.isEmpty())
            emit TransferInterrupted(held);
    }
    SetTabState(0, TabNoLink, true);
    SetTabState(1, TabNoLink, true);
}

void StateMachine::Disconnecting()
{
    closing = true;
    emit QueueLastJob(QStringLiteral("Reset"));
}

QString StateMachine::TransferErrorTitle() const
{
    if (transfer == Sending && !plan.InReadBack())
        return tr("Error sending to the AtoN");
    if (transfer != NoTransfer)
        return tr("Error reading from the AtoN");
    return tr("Error communicating with the AtoN");
}

QString StateMachine::FailureText(const QString &reason, bool lineFailed) const
{
    if (!IsTransferring() || plan.IsDone())
        return reason;
    // The line fails for every job alike; an answer missing before the step's
    // first line belongs to a job queued ahead of the transfer's.
    if (plan.CurrentStarted() || lineFailed)
        return tr("%1 failed. %2").arg(plan.StepText(), reason);
    return tr("%1 could not begin. %2").arg(plan.CurrentText(), reason);
}

void StateMachine::LinkError(const QString &text, const QString &informativeText,
                             bool disconnectFirst)
{
    if (errorShown || closing)
        return;
    errorShown = true;
    StopSerialNumberTest();
    const QString held = AbandonTransfer();
    if (disconnectFirst)
        emit Disconnect();
    emit DisplayError(text, WithWhatIsHeld(informativeText, held));
    if (!disconnectFirst)
        emit Disconnect();
}

void StateMachine::ConnectError(QString error)
{
    qCDebug(lcApp) << "StateMachine::ConnectError";
    // A failed open is its own link: nothing of an earlier one silences it.
    errorShown = false;
    closing = false;
    LinkError(tr("Error connecting to the AtoN"), error, false);
}

void StateMachine::CommandError(QString reason)
{
    LinkError(TransferErrorTitle(), FailureText(reason), false);
}

void StateMachine::AtoNSentenceError(QString reason)
{
    LinkError(TransferErrorTitle(), FailureText(reason), true);
}

void StateMachine::SendError(QString reason)
{
    LinkError(TransferErrorTitle(),
              FailureText(reason.isEmpty()
                              ? tr("The line to the unit could not be written.")
                              : tr("The line to the unit could not be written: %1").arg(reason),
                          true),
              true);
}

void StateMachine::LineLost(QString reason)
{
    LinkError(TransferErrorTitle(), FailureText(reason, true), true);
}

void StateMachine::GetTab(int tab)
{
    if (IsConfigurationTab(tab))
        Retrieve(tab == 0 ? AtoNPart : LanternPart);
}

void StateMachine::GetAllTabs()
{
    Retrieve(AllParts);
}

void StateMachine::SendTab(int tab)
{
    if (IsConfigurationTab(tab))
        Send(*document, tab == 0 ? AtoNPart : LanternPart);
}

void StateMachine::SendAllTabs()
{
    Send(*document, AllParts);
}

bool StateMachine::Retrieve(int tabs)
{
    tabs &= AllParts;
    if (!connected || IsTransferring() || !tabs)
        return false;
    plan.Clear();
    AddReadJobs(tabs, false);
    BeginTransfer(Retrieving, tabs);
    return true;
}

void StateMachine::AddReadJobs(int tabs, bool readBack)
{
    const int silence = TransferPlan::SilenceMs;
    const int answer = TransferPlan::AnswerMs;
    if (tabs & AtoNPart) {
        plan.Add({QStringLiteral("Kelvane"), false, Transport::PrepareNothing,
                  readBack ? tr("Reading back the AtoN settings") : tr("Reading the AtoN settings"),
                  3, (2 * silence + answer) / 3, readBack});
        plan.Add({QStringLiteral("Message Schedule"), false, Transport::ResetSchedule,
                  readBack ? tr("Reading back the message schedule")
                           : tr("Reading the message schedule"),
                  1, silence + 4 * answer, readBack});
        if (!readBack) {
            plan.Add({QStringLiteral("Version"), false, Transport::PrepareNothing,
                      tr("Reading the unit's version"), 2, answer, false});
            plan.Add({QStringLiteral("Voltage"), false, Transport::PrepareNothing,
                      tr("Reading the battery voltage"), 1, answer, false});
        }
    }
    if (tabs & LanternPart) {
        plan.Add({QStringLiteral("Get LIM"), false, Transport::PrepareNothing,
                  readBack ? tr("Reading back lantern settings") : tr("Reading lantern settings"),
                  LanternInterface::ParameterCount, answer, readBack});
    }
}

bool StateMachine::Send(const Model &source, int tabs)
{
    tabs &= AllParts;
    if (!connected || IsTransferring() || !tabs || !SendAccepted(source, tabs))
        return false;
    sentCopy = TakeSnapshot(source);
    plan.Clear();
    report.Begin(tabs, expectedUnit);
    const int pace = Transport::SendPacingMs;
    // Nothing carries the unit's serial number, and the lantern commands
    // carry no address at all: the unit is asked who it is first, again
    // between the parts (the transport asks before each lantern command),
    // and once more before the read-back, so that a unit docked in the
    // middle of the send stops it.
    unitConfirmed = false;
    const QString lastSerial = answeredSerial;
    answeredSerial.clear();
    const TransferPlan::Job check{QStringLiteral("SerNo Test"),
                                  false,
                                  Transport::PrepareNothing,
                                  tr("Asking the unit for its serial number"),
                                  1,
                                  TransferPlan::AnswerMs,
                                  false};
    plan.Add(check);
    plan.Add({QStringLiteral("Identity"), false, Transport::ForgetUnitMmsi,
              tr("Asking the unit for its MMSI"), 1, TransferPlan::AnswerMs, false});
    if (tabs & AtoNPart) {
        // The name continuation is a fourth sentence.
        AtoN named;
        named = *sentCopy->GetAtoN();
        AtoNSentenceACE ace(&named, nullptr);
        int extra = 0;
        ace.Encode(0, &extra);
        // The rows the unit does not use need not be switched off: when they
        // are many and this unit's rows have not been read on this link,
        // reading them first is quicker than sending them all.
        const MessageSchedule *schedule = sentCopy->GetMessageSchedule();
        int offRows = 0;
        for (int i : schedule->SpecifiedRows())
            offRows += schedule->EntryAt(i).Active() ? 0 : 1;
        const int readMs = TransferPlan::SilenceMs + 4 * TransferPlan::AnswerMs;
        if ((unitRowsSerial.isEmpty() || unitRowsSerial != lastSerial) && offRows * pace > readMs)
            plan.Add({QStringLiteral("Message Schedule"), false, Transport::ResetSchedule,
                      tr("Reading the message schedule"), 1, readMs, false});
        plan.Add({QStringLiteral("Kelvane"), true, Transport::CopyAtoN,
                  tr("Sending the AtoN settings"), 3 + extra, pace, false, AtoNPart});
        report.PlanJob(QStringLiteral("Kelvane"), AtoNPart, 3 + extra);
        // A schedule that specifies no row has none to send; the unit keeps
        // its own.
        const int rows = int(ScheduleRowsToSend(lastSerial).size());
        if (rows > 0) {
            plan.Add(check);
            plan.Add({QStringLiteral("Message Schedule"), true, Transport::CopySchedule,
                      tr("Sending the message schedule"), rows, pace, false, AtoNPart});
            report.PlanJob(QStringLiteral("Message Schedule"), AtoNPart, rows);
        }
    }
    if (tabs & LanternPart) {
        plan.Add({QStringLiteral("Set LIM"), true, Transport::CopyLantern,
                  tr("Sending lantern settings"), LanternInterface::ParameterCount, pace, false,
                  LanternPart});
        report.PlanJob(QStringLiteral("Set LIM"), LanternPart, LanternInterface::ParameterCount);
    }
    plan.Add(check);
    AddReadJobs(tabs, true);
    BeginTransfer(Sending, tabs);
    return true;
}

// Everything that will go out is checked before anything does.
bool StateMachine::SendAccepted(const Model &source, int tabs)
{
    if ((tabs & AtoNPart) && source.GetMessageSchedule()->RisksSlotClash()) {
        ShowSlotClashWarning(source);
        return false;
    }
    int checked = 0;
    if (tabs & AtoNPart)
        checked |= ConfigurationCheck::AtoNTab;
    if (tabs & LanternPart)
        checked |= ConfigurationCheck::LanternTab;
    const QStringList problems = ConfigurationCheck::Problems(source, checked);
    if (problems.isEmpty())
        return true;
    const QString text = tr("The configuration has not been sent:") + QLatin1Char('\n') +
                         problems.join(QLatin1Char('\n'));
    if (isSignalConnected(QMetaMethod::fromSignal(&StateMachine::SendRefused)))
        emit SendRefused(text);
    else
        qCWarning(lcApp).noquote() << text;
    return false;
}

void StateMachine::BeginTransfer(Transfer kind, int tabs)
{
    // A send goes on watching for another unit in the dock.
    if (kind == Sending && !gaveUp)
        StartSerialNumberTest();
    else
        StopSerialNumberTest();
    transfer = kind;
    transferTabs = tabs;
    for (int tab = 0; tab < TabCount; ++tab)
        editedDuringTransfer[tab] = false;
    emit TransferRunning(true);
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabs & (1 << tab))
            SetTabState(tab, TabSyncing, false);
    }
    QueueCurrentJob();
}

void StateMachine::QueueCurrentJob()
{
    const TransferPlan::Job *job = plan.Current();
    if (!job)
        return;
    if (transfer == Sending && job->send && !unitConfirmed) {
        const QString mismatch = UnitMismatch();
        if (!mismatch.isEmpty()) {
            RefuseForOtherUnit(mismatch);
            return;
        }
        unitConfirmed = true;
        report.UnitConfirmed(answeredSerial, unitModel->GetAtoN()->GetAtoNMMSI()->Mmsi());
    }
    Prepare(job->preparation);
    EmitProgress();
    emit QueueJob(job->name, job->send);
}

void StateMachine::Prepare(Transport::Preparation preparation)
{
    QList<int> rows;
    if (preparation == Transport::PrepareNothing)
        return;
    if (preparation == Transport::CopySchedule) {
        rows = ScheduleRowsToSend(answeredSerial);
        const int lines = int(rows.size());
        plan.SetCurrentLines(lines);
        report.PlanJob(QStringLiteral("Message Schedule"), AtoNPart, lines);
    }
    emit PrepareJob(preparation, sentCopy, rows);
}

void StateMachine::LineSent(QString name, bool send)
{
    const TransferPlan::Job *job = plan.Current();
    if (!IsTransferring() || !job || job->name != name || job->send != send)
        return;
    if (send)
        report.LineSent(name);
    plan.LineSent();
    EmitProgress();
}

void StateMachine::EmitProgress()
{
    emit TransferProgress(plan.StepText(), plan.DoneLines(), plan.TotalLines(), plan.RemainingMs());
}

void StateMachine::JobComplete(QString name, bool send)
{
    // The unit has been asked who it is as the link started: from now on it
    // is asked now and then whether it is still there.
    if (connected && !send && name == QLatin1String("Link Identity") && !IsTransferring() &&
        !polling && !gaveUp && !closing)
        StartSerialNumberTest();
    const TransferPlan::Job *job = plan.Current();
    if (IsTransferring() && job && job->name == name && job->send == send) {
        // What the unit holds of the schedule, read back or retrieved.
        if (!send && name == QLatin1String("Message Schedule") && !answeredSerial.isEmpty()) {
            const MessageSchedule *held = unitModel->GetMessageSchedule();
            unitRowsInUse.clear();
            for (int i = 0; i < held->Count(); ++i) {
                if (held->EntryAt(i).Active())
                    unitRowsInUse.insert(held->RowName(i));
            }
            unitRowsSerial = answeredSerial;
        }
        plan.Next();
        if (!plan.IsDone())
            QueueCurrentJob();
        else if (transfer == Retrieving)
            FinishRetrieve();
        else
            FinishSend();
    }
}

void StateMachine::FinishRetrieve()
{
    const int tabs = transferTabs;
    EndTransfer();
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabs & (1 << tab)) {
            emit UpdateTabFromTransportModel(tab);
            SetTabState(tab, TabSynced, true);
        }
    }
    emit RetrieveFinished(true);
    StartSerialNumberTest();
}

void StateMachine::FinishSend()
{
    const int tabs = transferTabs;
    QStringList results[TabCount];
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabs & (1 << tab))
            results[tab] = Mismatches(tab);
    }
    const bool edited[TabCount] = {editedDuringTransfer[0], editedDuringTransfer[1]};
    EndTransfer();
    SendOutcome outcome;
    outcome.parts = outcome.partsWhole = outcome.partsCompared = tabs;
    outcome.meantFor = report.MeantFor();
    for (int tab = 0; tab < TabCount; ++tab) {
        if (!(tabs & (1 << tab)))
            continue;
        const bool synced = results[tab].isEmpty() && !edited[tab];
        SetTabState(tab, synced ? TabSynced : TabEdited, true);
        emit ReadBackResult(tab, results[tab]);
        outcome.mismatches << results[tab];
    }
    emit SendReported(outcome);
    emit SendFinished(true);
    StartSerialNumberTest();
}

// Only the rows the document specifies go: the others are the unit's. Of
// those, a row that is off in the document and was not in use on the unit
// when it was last read on this link is left out: its sentence would only
// switch off what is off already, and each costs the send pace. Without a
// reading of the unit with this serial number every specified row goes.
QList<int> StateMachine::ScheduleRowsToSend(const QString &serial) const
{
    const MessageSchedule *sent = sentCopy->GetMessageSchedule();
    const bool read = !unitRowsSerial.isEmpty() && unitRowsSerial == serial;
    QList<int> rows;
    for (int i : sent->SpecifiedRows()) {
        if (!read || sent->EntryAt(i).Active() || unitRowsInUse.contains(sent->RowName(i)))
            rows << i;
    }
    // A send of no row at all sends the first the document specifies, which
    // the read-back compares like the rest; a schedule that specifies none
    // sends none.
    if (rows.isEmpty() && !sent->SpecifiedRows().isEmpty())
        rows << sent->SpecifiedRows().first();
    return rows;
}

// The sent copy against the same copy with the tab's part replaced by what
// the unit answered: only that tab's fields can differ.
QStringList StateMachine::Mismatches(int tab) const
{
    Model held;
    held = *sentCopy;
    if (tab == 0) {
        *held.GetAtoN() = *unitModel->GetAtoN();
        // The comparison looks only at the rows the document specifies.
        *held.GetMessageSchedule() = *unitModel->GetMessageSchedule();
    } else {
        *held.GetLanternInterface() = *unitModel->GetLanternInterface();
    }
    return ConfigurationDiff::SentLines(*sentCopy, held);
}

QString StateMachine::AbandonTransfer()
{
    if (!IsTransferring())
        return QString();
    const Transfer kind = transfer;
    const int tabs = transferTabs;
    const bool readingBack = plan.InReadBack();
    const int started = plan.PartsStarted() & tabs;
    const int sent = plan.PartsSent() & tabs;
    EndTransfer();
    if (kind == Retrieving) {
        emit RetrieveFinished(false);
        return QString();
    }
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabs & (1 << tab))
            SetTabState(tab, TabEdited, true);
    }
    const SendOutcome outcome = report.InterruptedOutcome(started, sent, readingBack);
    emit SendReported(outcome);
    emit SendFinished(false);
    return outcome.text;
}

QString StateMachine::WithWhatIsHeld(const QString &failure, const QString &held)
{
    return held.isEmpty() ? failure : failure + QStringLiteral("\n\n") + held;
}

void StateMachine::EndTransfer()
{
    transfer = NoTransfer;
    transferTabs = 0;
    plan.Clear();
    emit TransferProgress(QString(), 0, 0, 0);
    emit TransferRunning(false);
}

void StateMachine::ShowSlotClashWarning(const Model &source)
{
    // The rule looks at the normal report, the first row.
    const QString text = SlotClashText() + QStringLiteral("\n\n") +
                         tr("Clashing row: message 21, normal report (start slots %1 and %2).")
                             .arg(source.GetMessageSchedule()->EntryAt(0).StartSlot1())
                             .arg(source.GetMessageSchedule()->EntryAt(0).StartSlot2());
    if (isSignalConnected(QMetaMethod::fromSignal(&StateMachine::SlotClashWarning)))
        emit SlotClashWarning(text);
    else
        qCWarning(lcApp).noquote() << text;
}

void StateMachine::AllJobsComplete()
{
    emit Update();
}

void StateMachine::FileLoad()
{
    if (!connected)
        return;
    for (int tab = 0; tab < TabCount; ++tab) {
        if (IsTransferring())
            editedDuringTransfer[tab] = true;
        if (tabStates[tab] == TabSynced)
            SetTabState(tab, TabEdited, true);
    }
}

void StateMachine::Edited(int tab)
{
    if (!connected || !IsConfigurationTab(tab))
        return;
    if (IsTransferring())
        editedDuringTransfer[tab] = true;
    if (tabStates[tab] == TabSynced)
        SetTabState(tab, TabEdited, true);
}

void StateMachine::Timeout(QString reason)
{
    // Only the presence poll may miss answers quietly; no transfer runs
    // while it polls.
    if (polling && !IsTransferring()) {
        ++missedAnswers;
        if (missedAnswers < MissedAnswerLimit)
            return;
        missedAnswers = 0;
        GiveUpPolling();
        return;
    }
    if (gaveUp)
        return;
    LinkError(TransferErrorTitle(),
              FailureText(reason.isEmpty() ? tr("A timeout occurred.") : reason), true);
}

void StateMachine::OnPollingLimit()
{
    GiveUpPolling();
}

void StateMachine::GiveUpPolling()
{
    StopSerialNumberTest();
    gaveUp = true;
    LinkError(tr("Error communicating with the device"),
              tr("A timeout occurred. Has the device been removed from the dock?"), true);
}

void StateMachine::StartSerialNumberTest()
{
    pollingTimer->start();
    polling = true;
    missedAnswers = 0;
}

void StateMachine::StopSerialNumberTest()
{
    polling = false;
    pollingTimer->stop();
}

void StateMachine::OnSerialNumberTestTimeout()
{
    emit QueueJob(QStringLiteral("SerNo Test"), false);
}

void StateMachine::OnProductSerialNumberTest(QString serial_number)
{
    answeredSerial = serial_number;
    missedAnswers = 0;
    if (transfer == Sending)
        report.SerialNumberTold(serial_number);
}

QString StateMachine::UnitMismatch() const
{
    const UnitIdentity &expectedUnit = report.MeantFor();
    const QString answeredMmsi = unitModel->GetAtoN()->GetAtoNMMSI()->Mmsi();
    const bool sameSerial =
        expectedUnit.serialNumber.isEmpty() || answeredSerial == expectedUnit.serialNumber;
    const bool sameMmsi = expectedUnit.mmsi.isEmpty() || answeredMmsi == expectedUnit.mmsi;
    if (sameSerial && sameMmsi)
        return QString();
    UnitIdentity answered;
    answered.serialNumber = answeredSerial;
    answered.mmsi = answeredMmsi;
    return tr("The send was meant for the unit with %1, but the unit on the line answers with "
              "%2. Nothing has been sent.")
        .arg(expectedUnit.Text(), answered.Text());
}

// Nothing has gone out: the tabs go back to what they were before the send.
void StateMachine::RefuseForOtherUnit(const QString &mismatch)
{
    const int tabs = transferTabs;
    EndTransfer();
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabs & (1 << tab))
            SetTabState(tab, TabNotSynced, true);
    }
    const QString text = tr("The configuration has not been sent:") + QLatin1Char('\n') + mismatch;
    SendOutcome outcome = report.InterruptedOutcome(0, 0, false);
    outcome.text = text;
    emit SendReported(outcome);
    emit SendFinished(false);
    if (isSignalConnected(QMetaMethod::fromSignal(&StateMachine::SendRefused)))
        emit SendRefused(text);
    else
        qCWarning(lcApp).noquote() << text;
    StartSerialNumberTest();
}

void StateMachine::OtherUnitDocked(const UnitIdentity &now)
{
    if (!connected)
        return;
    // The transport has dropped what was queued for the unit before; a
    // transfer under way ends here, saying what each unit got.
    if (transfer == Retrieving) {
        EndTransfer();
        emit RetrieveFinished(false);
        emit DisplayError(tr("Error reading from the AtoN"),
                          tr("Another unit was docked during the retrieve: the unit on the line "
                             "now has %1. Nothing that was read has been taken.")
                              .arg(now.Text()));
    } else if (transfer == Sending && !report.AnyLineSent()) {
        UnitIdentity answered = now;
        answered.mmsi.clear();
        RefuseForOtherUnit(tr("The send was meant for the unit with %1, but the unit on the line "
                              "answers with %2. Nothing has been sent.")
                               .arg(report.MeantFor().Text(), answered.Text()));
    } else if (transfer == Sending) {
        const int tabs = transferTabs;
        EndTransfer();
        for (int tab = 0; tab < TabCount; ++tab) {
            if (tabs & (1 << tab))
                SetTabState(tab, TabEdited, true);
        }
        const SendOutcome outcome = report.SwappedOutcome(now);
        emit SendReported(outcome);
        emit SendFinished(false);
        emit DisplayError(tr("Error sending to the AtoN"), outcome.text);
        StartSerialNumberTest();
    }
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabStates[tab] != TabSyncing)
            SetTabState(tab, TabNotSynced, true);
    }
}

void StateMachine::OnFaultLogRequest()
{
    emit QueueJob(QStringLiteral("Fault Log"), false);
}
