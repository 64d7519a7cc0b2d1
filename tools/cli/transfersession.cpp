#include "transfersession.h"

#include "console.h"
#include "consolewindow.h"
#include "progressreporter.h"

#include "app/statemachine.h"
#include "app/unitsession.h"
#include "link/serialtransport.h"
#include "model/model.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

TransferSession::TransferSession(const QString &vendorId, QObject *parent)
    : QObject(parent), unit(new UnitSession(this)),
      window(new ConsoleWindow(unit->Document(), unit->Configuration(), this)),
      progress(new ProgressReporter(this))
{
    unit->SetVendorId(vendorId);
    connect(window, &ConsoleWindow::TabState, progress, &ProgressReporter::OnTabState);

    StateMachine *machine = unit->GetStateMachine();
    connect(window, &ConsoleWindow::FileLoad, machine, &StateMachine::FileLoad);
    connect(window, &ConsoleWindow::Edited, machine, &StateMachine::Edited);
    connect(window, &ConsoleWindow::SendTab, machine, &StateMachine::SendTab);
    connect(window, &ConsoleWindow::SendAllTabs, machine, &StateMachine::SendAllTabs);
    connect(window, &ConsoleWindow::GetTab, machine, &StateMachine::GetTab);
    connect(window, &ConsoleWindow::GetAllTabs, machine, &StateMachine::GetAllTabs);
    connect(machine, &StateMachine::Update, window, &ConsoleWindow::OnUpdate);
    connect(machine, &StateMachine::UpdateTabFromTransportModel, window,
            &ConsoleWindow::OnUpdateTabFromTransportModel);
    connect(machine, &StateMachine::UpdateTabIcon, window, &ConsoleWindow::OnUpdateTabIcon);
    connect(machine, &StateMachine::EnableTab, window, &ConsoleWindow::OnEnableTab);
    connect(machine, &StateMachine::ReadBackResult, window, &ConsoleWindow::OnReadBackResult);
    connect(machine, &StateMachine::TransferInterrupted, window,
            &ConsoleWindow::OnTransferInterrupted);
    connect(unit, &UnitSession::Failed, window, &ConsoleWindow::OnDisplayError);
    connect(unit, &UnitSession::SlotClashWarning, window, &ConsoleWindow::OnSlotClashWarning);
    connect(unit, &UnitSession::SendRefused, window, &ConsoleWindow::OnSendRefused);
    connect(unit, &UnitSession::TransferRunning, window, &ConsoleWindow::OnTransferRunning);
    connect(unit, &UnitSession::TransferProgress, window, &ConsoleWindow::OnTransferProgress);
    connect(unit, &UnitSession::RetrieveFinished, window, &ConsoleWindow::OnRetrieveFinished);
    connect(unit, &UnitSession::LinkUp, window, &ConsoleWindow::OnConnected);
    connect(unit, &UnitSession::LinkDown, window, &ConsoleWindow::OnDisconnected);
}

const Model *TransferSession::Document() const
{
    return unit->Document();
}

bool TransferSession::Fail(const QString &text)
{
    errorText = text;
    return false;
}

bool TransferSession::WaitFor(const std::function<bool()> &done, int limitMs, const QString &what,
                              bool stopOnFailure)
{
    const auto stop = [&] { return (stopOnFailure && window->Failed()) || done(); };
    if (!stop()) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        const auto check = [&] {
            if (stop())
                loop.quit();
        };
        connect(window, &ConsoleWindow::Changed, &loop, check);
        // A slow look now and then, in case a change comes by a road that
        // raises nothing here.
        QTimer backstop;
        connect(&backstop, &QTimer::timeout, &loop, check);
        backstop.start(100);
        limit.start(limitMs);
        loop.exec();
    }
    if (stopOnFailure && window->Failed())
        return Fail(window->ErrorText());
    if (done())
        return true;
    return Fail(QStringLiteral("%1 did not end within %2 s.").arg(what).arg(limitMs / 1000));
}

bool TransferSession::Open(const QString &port)
{
    Console::Err(QStringLiteral("Connecting to %1\n").arg(port));
    unit->Open(port);
    SerialTransport *transport = unit->GetTransport();
    if (transport) {
        // Made before the event loop runs again: the state machine asks for
        // its first job only once it has heard of the connection there.
        connect(transport, &Transport::Sent, progress, &ProgressReporter::OnSent);
        connect(transport, &Transport::JobComplete, progress, &ProgressReporter::OnJobComplete);
        connect(transport, &Transport::Sent, this, &TransferSession::OnSentLine);
        connect(transport, &Transport::JobComplete, this, &TransferSession::OnJobComplete);
        connect(transport, &Transport::Received, this, &TransferSession::OnReceivedLine);
        connect(transport, &Transport::QuietWait, this, [this] {
            if (measuring)
                ++silentWaits;
        });
    }
    StateMachine *machine = unit->GetStateMachine();
    // A port that is not there is named by the connection error itself.
    return WaitFor([machine] { return machine->IsConnected(); }, ConnectLimitMs,
                   QStringLiteral("Connecting"));
}

bool TransferSession::WaitForIdentity()
{
    // A unit that does not answer the MMSI question is still known by its
    // serial number once it has been asked.
    return WaitFor(
        [this] {
            const UnitIdentity identity = unit->Identity();
            return unit->IsReady() && !unit->IsTransferring() && !identity.serialNumber.isEmpty() &&
                   (!identity.mmsi.isEmpty() || unit->IdentityAsked());
        },
        IdentifyLimitMs, QStringLiteral("Asking the unit who it is"));
}

void TransferSession::OnJobComplete(QString, bool send)
{
    if (measuring && send && sendClock.isValid())
        sendNs = sendClock.nsecsElapsed();
}

void TransferSession::OnSentLine(QString sent)
{
    if (!measuring)
        return;
    sentCharacters += sent.size();
    if (!sent.startsWith(QLatin1String("$UPAIQ")) && !sent.contains(QLatin1String("nvgeti")) &&
        (sent.startsWith(QLatin1String("$UP")) || sent.contains(QLatin1String("nvseti")))) {
        if (setSteps == 0)
            sendClock.start();
        ++setSteps;
    }
}

void TransferSession::OnReceivedLine(QString received)
{
    // The line lost its carriage return on the way.
    if (measuring)
        receivedCharacters += received.size() + (received.endsWith(QLatin1Char('\n')) ? 1 : 0);
}

bool TransferSession::RetrieveAll()
{
    measuring = true;
    sentCharacters = 0;
    receivedCharacters = 0;
    silentWaits = 0;
    QElapsedTimer clock;
    clock.start();
    const int before = window->RetrievesDone();
    window->RequestGetAllTabs();
    const bool done = WaitFor([&] { return window->RetrievesDone() > before; }, TransferLimitMs,
                              QStringLiteral("Retrieving"));
    measuring = false;
    if (done) {
        const double seconds = clock.nsecsElapsed() / 1e9;
        // On a serial line the queries and the answers take their turns; a
        // pseudo-terminal paces only what the simulated unit writes. Only
        // the waits for silence that happened count: a query that ended at
        // its first answer waited for none.
        const double waited = silentWaits * (Transport::AnswerTimeoutMs / 1000.0);
        const double floor = waited + (sentCharacters + receivedCharacters) / CharactersPerSecond;
        const double answersFloor = waited + receivedCharacters / CharactersPerSecond;
        const QString waits = silentWaits == 1 ? QStringLiteral("1 silent wait")
                                               : QStringLiteral("%1 silent waits").arg(silentWaits);
        Console::Err(QStringLiteral("Retrieve of both tabs took %1 s; floor %2 s (%3 of %8 s, %4 "
                                    "characters sent and %5 received at %6 a second); %7 s "
                                    "counting the received characters only\n")
                         .arg(seconds, 0, 'f', 3)
                         .arg(floor, 0, 'f', 3)
                         .arg(waits)
                         .arg(sentCharacters)
                         .arg(receivedCharacters)
                         .arg(CharactersPerSecond, 0, 'f', 0)
                         .arg(answersFloor, 0, 'f', 3)
                         .arg(Transport::AnswerTimeoutMs / 1000.0));
    }
    return done;
}

bool TransferSession::SendAll(const Model &configuration)
{
    // As the window's File Open: the file becomes the document.
    *unit->Document() = configuration;
    window->RequestFileLoad();

    measuring = true;
    setSteps = 0;
    sendClock.invalidate();
    sendNs = 0;
    QElapsedTimer clock;
    clock.start();
    window->ClearSlotClash();
    const int before = window->TransfersEnded();
    window->RequestSendAllTabs();
    if (window->SlotClashRefused()) {
        measuring = false;
        return Fail(window->ErrorText());
    }
    // The send ends with its read-back.
    const bool done = WaitFor([&] { return window->TransfersEnded() > before; }, TransferLimitMs,
                              QStringLiteral("Sending"));
    measuring = false;
    if (done) {
        // From the first set sentence to the end of the last set job; the
        // question for the unit's MMSI before and the read-back after are
        // given apart.
        Console::Err(QStringLiteral("Send of both tabs took %1 s; floor %2 s (%3 set sentences, "
                                    "one per %4 ms); with the MMSI question and the read-back "
                                    "%5 s\n")
                         .arg(sendNs / 1e9, 0, 'f', 3)
                         .arg(setSteps * Transport::SendPacingMs / 1000.0, 0, 'f', 3)
                         .arg(setSteps)
                         .arg(Transport::SendPacingMs)
                         .arg(clock.nsecsElapsed() / 1e9, 0, 'f', 3));
    }
    return done;
}

QStringList TransferSession::ReadBackMismatches() const
{
    return window->ReadBackLines();
}

void TransferSession::Close()
{
    if (!unit->HasLink())
        return;
    Console::Err(QStringLiteral("Disconnecting\n"));
    window->ExpectClose();
    unit->Close();
    StateMachine *machine = unit->GetStateMachine();
    // Whatever happens while closing, the cause of the close stays the error.
    const QString cause = errorText;
    WaitFor([&] { return !machine->IsConnected() || !unit->HasLink(); }, DisconnectLimitMs,
            QStringLiteral("Disconnecting"), false);
    errorText = cause;
}
