#include "app/unitsession.h"
#include "sentences/logcategories.h"

#include "app/broadcastname.h"
#include "app/statemachine.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/portprobe.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "platform/handoverorder.h"
#include "status/unitstatus.h"

#include <QDebug>
#include <QThread>
#include <QTimer>

UnitSession::UnitSession(QObject *parent)
    : QObject(parent), ownDocument(new Model(this)), document(ownDocument),
      configuration(new Model(this)), stateMachine(new StateMachine(document, configuration, this)),
      gpsDecoder(new GPSDecoder(this)),
      // The unit's own reports are those of the MMSI the unit holds.
      messageDecoder(new MessageDecoder(configuration, this)),
      status(new UnitStatus(configuration, this)),
      broadcastName(new BroadcastName(messageDecoder, stateMachine, this))
{
    qRegisterMetaType<UnitIdentity>();
    qRegisterMetaType<SendOutcome>();
    status->Follow(gpsDecoder, messageDecoder);
    connect(stateMachine, &StateMachine::Disconnect, this, &UnitSession::Close);
    connect(stateMachine, &StateMachine::DisplayError, this, &UnitSession::Failed);
    connect(stateMachine, &StateMachine::SendRefused, this, &UnitSession::SendRefused);
    connect(stateMachine, &StateMachine::SlotClashWarning, this, &UnitSession::SlotClashWarning);
    connect(stateMachine, &StateMachine::TransferRunning, this, &UnitSession::TransferRunning);
    connect(stateMachine, &StateMachine::TransferProgress, this, &UnitSession::TransferProgress);
    connect(stateMachine, &StateMachine::RetrieveFinished, this, [this](bool ok) {
        emit RetrieveFinished(ok);
        inspecting = false;
    });
    connect(stateMachine, &StateMachine::ReadBackResult, this,
            [this](int, const QStringList &mismatches) { readBack << mismatches; });
    connect(stateMachine, &StateMachine::SendReported, this, [this](const SendOutcome &outcome) {
        lastSend = outcome;
        emit SendReported(outcome);
    });
    connect(stateMachine, &StateMachine::SendFinished, this, [this](bool complete) {
        const QStringList mismatches = readBack;
        readBack.clear();
        emit SendFinished(complete, mismatches);
    });
}

UnitSession::~UnitSession()
{
    EndWorkerThreads();
}

void UnitSession::SetDocument(Model *newDocument)
{
    document = newDocument ? newDocument : ownDocument;
    stateMachine->SetDocument(document);
}

bool UnitSession::IsLinked() const
{
    return transport && transport->IsConnected();
}

bool UnitSession::IsReady() const
{
    return IsLinked() && !replaying && stateMachine->IsConnected();
}

bool UnitSession::IsTransferring() const
{
    return stateMachine->IsTransferring();
}

SerialController *UnitSession::GetSerialController() const
{
    return transport ? transport->GetSerialController() : nullptr;
}

bool UnitSession::Retrieve(int parts)
{
    inspecting = false;
    return IsReady() && stateMachine->Retrieve(parts);
}

bool UnitSession::Inspect(int parts)
{
    inspecting = Retrieve(parts);
    return inspecting;
}

bool UnitSession::Send(const Model &source, int parts, const UnitIdentity &meantFor)
{
    if (!IsReady())
        return false;
    readBack.clear();
    stateMachine->SetExpectedUnit(meantFor.IsEmpty() ? identity : meantFor);
    const bool started = stateMachine->Send(source, parts);
    stateMachine->SetExpectedUnit(identity);
    if (!started)
        return false;
    // What the unit holds of its AtoN settings is known again once they
    // have been read back.
    if (parts & StateMachine::AtoNPart)
        SetConfigurationKnown(false);
    return true;
}

bool UnitSession::ReadBatteryVoltage()
{
    if (!IsReady() || IsTransferring())
        return false;
    emit stateMachine->QueueJob(QStringLiteral("Voltage"), false);
    return true;
}

bool UnitSession::Open(const QString &port)
{
    QString detail;
    const PortProblem problem = PortProbe::Probe(port, &detail);
    if (problem != PortProblem::None) {
        stateMachine->ConnectError(PortProbe::Message(problem, port, detail));
        return false;
    }
    if (transport)
        return false;
    portName = port;
    StartTransport(false);
    return true;
}

bool UnitSession::Replay(const QString &logFile, const QString &mmsi)
{
    if (transport)
        return false;
    logFileName = logFile;
    StartTransport(true);
    SetReportMmsi(mmsi);
    return true;
}

void UnitSession::SetReportMmsi(const QString &mmsi)
{
    configuration->GetAtoN()->GetAtoNMMSI()->SetMmsi(mmsi);
}

// One transport per link, on a worker thread of its own. A replayed traffic
// log runs on a worker thread too, like a port.
void UnitSession::StartTransport(bool replay)
{
    replaying = replay;
    // What an earlier link read may be another unit's.
    configuration->Reset();
    SetConfigurationKnown(false);
    SetIdentity(UnitIdentity());
    identityAsked = false;
    broadcastName->Forget();

    // Everything the worker thread is to see (the connections, the listeners,
    // the call that opens the line) is in place before it starts: its
    // start orders all of it before anything it does.
    transport = new SerialTransport;
    transport->SetVendorId(vendorId);
    workerThread = new QThread(this);
    transport->moveToThread(workerThread);
    QThread *thread = workerThread;
    connect(workerThread, &QThread::finished, this, [this, thread] { OnThreadFinished(thread); });

    WireTransport(replay);
    if (!replay)
        gpsDecoder->Reset();

    // Listeners take the line before anything can arrive on it, so that not
    // even the first lines of a replay pass unseen.
    status->StartLink(transport, replay);
    emit LinkStarting(transport, replay);

    SerialTransport *link = transport;
    if (replay) {
        const QString log = logFileName;
        QMetaObject::invokeMethod(link, [link, log] { link->ConnectFile(log); });
    } else {
        const QString port = portName;
        QMetaObject::invokeMethod(link, [link, port] { link->Connect(port); });
    }
    workerThread->start(QThread::InheritPriority);
}

void UnitSession::WireTransport(bool replay)
{
    QList<QMetaObject::Connection> &c = linkConnections;
    StateMachine *machine = stateMachine;
    c << connect(transport, &Transport::Connected, this, &UnitSession::OnConnected);
    // Stays connected after the link has closed: OnTransportClosed() ignores it then.
    connect(transport, &Transport::Disconnected, this, &UnitSession::OnTransportClosed);
    // Also for a replay: a log file that cannot be opened ends in this signal,
    // and without it the dead transport would block every later link.
    c << connect(transport, &Transport::DisconnectedCleanUp, this, &UnitSession::OnTransportClosed);

    c << connect(transport, &Transport::ConnectError, machine, &StateMachine::ConnectError);
    c << connect(transport, &Transport::CommandError, machine, &StateMachine::CommandError);
    c << connect(transport, &Transport::AtoNSentenceError, machine,
                 &StateMachine::AtoNSentenceError);
    c << connect(transport, &Transport::JobComplete, this, &UnitSession::OnJobComplete);
    c << connect(transport, &Transport::AllJobsComplete, machine, &StateMachine::AllJobsComplete);
    c << connect(transport, &Transport::Timeout, machine, &StateMachine::Timeout);
    // A failed write is told by the state machine, which knows what it cut off.
    c << connect(transport, &Transport::SendError, machine, &StateMachine::SendError);
    c << connect(transport, &Transport::LineLost, machine, &StateMachine::LineLost);
    c << connect(transport, &Transport::JobLineSent, machine, &StateMachine::LineSent);
    c << connect(machine, &StateMachine::PrepareJob, transport, &Transport::Prepare);
    c << connect(transport, &Transport::Read, this, &UnitSession::TakeRead);
    c << connect(machine, &StateMachine::QueueJob, transport,
                 qOverload<QString, bool>(&Transport::QueueJob));
    c << connect(machine, &StateMachine::QueueLastJob, transport, &Transport::QueueLastJob);
    c << connect(transport, &Transport::ReceivedLines, this, &UnitSession::DecodeLines);
    if (replay)
        return;
    c << connect(transport, &Transport::ProductSerialNumberTest, machine,
                 &StateMachine::OnProductSerialNumberTest);
    c << connect(transport, &Transport::Version, this, [this](const QString &version) {
        UnitIdentity now = identity;
        now.softwareVersion = version;
        SetIdentity(now);
    });
    const auto serial = [this](const QString &number) {
        UnitIdentity now = identity;
        now.serialNumber = number;
        SetIdentity(now);
    };
    c << connect(transport, &Transport::ProductSerialNumber, this, serial);
    c << connect(transport, &Transport::ProductSerialNumberTest, this, serial);
}

void UnitSession::DecodeLines(const QStringList &lines)
{
    for (const QString &line : lines) {
        gpsDecoder->OnReceived(line);
        messageDecoder->OnReceived(line);
    }
}

void UnitSession::OnConnected()
{
    linkUp = true;
    emit LinkUp();
    // A replayed log cannot answer: the state machine is not told of the
    // link, so it neither queues a job nor offers a transfer.
    if (!replaying)
        stateMachine->Connected();
}

// The transport's model is its own thread's: what it has read is taken over
// here, part by part, so that the configuration changes only on this thread.
void UnitSession::TakeRead(const QString &job, int parts, const ModelSnapshot &read)
{
    AtoN *aton = configuration->GetAtoN();
    if (parts & Transport::ReadMmsi)
        mmsiReadBy = job;
    if (parts & Transport::ReadAtoN)
        *aton = *read->GetAtoN();
    else if (parts & Transport::ReadMmsi)
        *aton->GetAtoNMMSI() = *read->GetAtoN()->GetAtoNMMSI();
    if (parts & Transport::ReadSchedule)
        *configuration->GetMessageSchedule() = *read->GetMessageSchedule();
    if (parts & Transport::ReadLantern)
        *configuration->GetLanternInterface() = *read->GetLanternInterface();
}

void UnitSession::OnJobComplete(const QString &name, bool send)
{
    if (!send && name == QLatin1String("Kelvane")) {
        const AtoN *read = configuration->GetAtoN();
        const QString lost =
            broadcastName->LostContinuation(read->GetAtoNMMSI()->Mmsi(), read->Name());
        if (!lost.isEmpty()) {
            stateMachine->AtoNSentenceError(lost);
            return;
        }
    }
    // A job that asked for the MMSI and got no answer tells nothing.
    const bool told = !send && mmsiReadBy == name;
    mmsiReadBy.clear();
    if (!send && name == QLatin1String("Link Identity"))
        identityAsked = true;
    const UnitIdentity before = identity;
    bool changed = false;
    if (told) {
        UnitIdentity now = identity;
        now.mmsi = configuration->GetAtoN()->GetAtoNMMSI()->Mmsi();
        changed = AdoptIdentity(now);
        if (name == QLatin1String("Kelvane"))
            SetConfigurationKnown(true);
    }
    // The state machine learns first that the job has ended: a send started
    // by a listener of IdentityChanged would otherwise be taken for the job
    // that is ending, and its own MMSI question answered too late.
    stateMachine->JobComplete(name, send);
    if (changed)
        AnnounceIdentity(before);
}

void UnitSession::SetIdentity(const UnitIdentity &told)
{
    const UnitIdentity before = identity;
    if (AdoptIdentity(told))
        AnnounceIdentity(before);
}

bool UnitSession::AdoptIdentity(const UnitIdentity &told)
{
    if (told == identity)
        return false;
    const UnitIdentity before = identity;
    identity = told;
    if (told.IsOtherUnitThan(before)) {
        // Everything known of the unit before is another unit's.
        identity.mmsi.clear();
        identity.softwareVersion.clear();
        configuration->Reset();
        SetConfigurationKnown(false);
        status->Clear();
        broadcastName->Forget();
        identityAsked = false;
        stateMachine->OtherUnitDocked(identity);
    }
    stateMachine->SetExpectedUnit(identity);
    return true;
}

void UnitSession::AnnounceIdentity(const UnitIdentity &before)
{
    emit IdentityChanged(identity, before);
    // The new unit tells its version and MMSI; a transfer running asks for
    // what it needs itself.
    if (identity.IsOtherUnitThan(before) && IsReady() && !IsTransferring()) {
        emit stateMachine->QueueJob(QStringLiteral("Version"), false);
        emit stateMachine->QueueJob(QStringLiteral("Link Identity"), false);
    }
}

void UnitSession::SetConfigurationKnown(bool known)
{
    configurationKnown = known;
    status->SetUnitConfigurationKnown(known);
}

void UnitSession::Close()
{
    if (!transport)
        return;
    // "Reset" goes out before the line closes, even while the link is still
    // asking who the unit is.
    stateMachine->Disconnecting();
    SerialTransport *link = transport;
    QMetaObject::invokeMethod(link, [link] { link->Disconnect(); });
    gpsDecoder->Reset();
    stateMachine->StopSerialNumberTest();
}

void UnitSession::OnTransportClosed()
{
    if (!transport || sender() != transport)
        return;
    for (const QMetaObject::Connection &c : qAsConst(linkConnections))
        disconnect(c);
    linkConnections.clear();
    SerialTransport *closed = transport;
    transport = nullptr;
    inspecting = false;
    if (linkUp) {
        linkUp = false;
        emit LinkDown();
    }
    RetireTransport(closed, false);
    stateMachine->Disconnected();
}

// Hands a transport whose link is over back to this thread and ends its worker
// thread; OnThreadFinished() then destroys it here, with its model and
// codecs. closeLine: close the line first (at exit).
void UnitSession::RetireTransport(SerialTransport *link, bool closeLine)
{
    QThread *linkThread = link->thread();
    retiredTransports.insert(linkThread, link);
    QThread *home = thread();
    QMetaObject::invokeMethod(
        link,
        [link, home, closeLine] {
            if (closeLine && link->IsConnected())
                link->Disconnect();
            // A link that is over has nothing left to time. A timer still
            // running would be handed over to the new thread by a queued
            // call, which is lost (with what it holds) when the transport is
            // destroyed before that call is delivered, as at exit.
            for (QTimer *timer : link->findChildren<QTimer *>())
                timer->stop();
            link->moveToThread(home);
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
}

void UnitSession::OnThreadFinished(QThread *ended)
{
    SerialTransport *old = retiredTransports.take(ended);
    if (old && old->thread() == thread())
        delete old;
    // A thread of an earlier link may end after a new link has started: only
    // the current thread's end clears the current pointers.
    if (ended == workerThread) {
        workerThread = nullptr;
        if (transport) {
            qCWarning(lcApp) << "UnitSession: worker thread ended under a live transport";
            for (const QMetaObject::Connection &c : qAsConst(linkConnections))
                disconnect(c);
            linkConnections.clear();
            transport = nullptr;
            linkUp = false;
        }
    }
    ended->deleteLater();
}

// At exit the event loop no longer runs, so the Disconnected() and the end of
// a worker thread would never arrive: close the line on its own thread (after
// whatever was queued for it, such as "Reset"), end every worker thread, and
// never wait without a limit.
void UnitSession::EndWorkerThreads()
{
    if (transport) {
        // Nothing more from the link may be posted to this dying session.
        for (QObject *listener : std::initializer_list<QObject *>{this, stateMachine, gpsDecoder,
                                                                  messageDecoder, status})
            disconnect(transport, nullptr, listener, nullptr);
        linkConnections.clear();
        RetireTransport(transport, true);
        transport = nullptr;
        linkUp = false;
    }

    const QList<QThread *> threads = findChildren<QThread *>(QString(), Qt::FindDirectChildrenOnly);
    for (QThread *worker : threads) {
        disconnect(worker, nullptr, this, nullptr);
        if (worker->wait(WorkerExitTimeoutMs))
            continue;
        qCWarning(lcApp) << "UnitSession: worker thread did not end; stopping it";
        worker->quit();
        if (!worker->wait(WorkerExitTimeoutMs)) {
            worker->terminate();
            worker->wait();
        }
    }
    OrderAfterEndedThreads();
    for (SerialTransport *old : qAsConst(retiredTransports)) {
        if (old->thread() == thread())
            delete old;
    }
    retiredTransports.clear();
    workerThread = nullptr;
}
