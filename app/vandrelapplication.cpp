#include "app/vandrelapplication.h"

#include "app/statemachine.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"

#include <QDebug>
#include <QSettings>
#include <QStringList>
#include <QThread>
#include <QTimer>

namespace {

const char *const KeyFilename = "Filename";
const char *const KeyLogFilename = "LogFilename";
const char *const KeyPortName = "PortName";
const char *const KeyShowTransmit = "ShowTransmit";
const char *const KeyFCCAccept = "FCCAccept";
const char *const KeyVendorID = "VendorID";

} // namespace

VandrelApplication::VandrelApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setOrganizationName(QCoreApplication::translate("Application", "Orvante"));
    setApplicationName(QCoreApplication::translate("Application", "Quorvel"));
    setOrganizationDomain(QStringLiteral("orvante.com"));
    setApplicationVersion(VersionText());

    editModel = new Model(this);
    transportModel = new Model(this);

    gpsDecoder = new GPSDecoder(this);
    messageDecoder = new MessageDecoder(editModel, this);
    stateMachine = new StateMachine(editModel, transportModel, this);
    connect(stateMachine, &StateMachine::Disconnect, this, &VandrelApplication::Disconnect);
    connect(this, &VandrelApplication::Disconnecting, stateMachine, &StateMachine::Disconnecting);
    connect(this, &VandrelApplication::FaultLogRequest, stateMachine,
            &StateMachine::OnFaultLogRequest);

    ReadSettings();
    connect(this, &QCoreApplication::aboutToQuit, this, &VandrelApplication::OnClosing);
}

VandrelApplication::~VandrelApplication()
{
    EndWorkerThreads();
}

VandrelApplication *VandrelApplication::instance()
{
    auto *application = qobject_cast<VandrelApplication *>(QCoreApplication::instance());
    if (!application)
        qBadAlloc();
    return application;
}

QString VandrelApplication::VersionText()
{
    // __DATE__ pads a one-digit day with a blank ("Feb  1 2023"); the version
    // separates month, day and year by single blanks.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    return QStringLiteral("090300.03.00.05 ") + QStringLiteral(" (") + date + QStringLiteral(")");
}

QString VandrelApplication::GetFilename() const
{
    QMutexLocker locker(&namesLock);
    return fileName;
}

void VandrelApplication::SetFilename(const QString &name)
{
    QMutexLocker locker(&namesLock);
    fileName = name;
    settingsChanged = true;
}

QString VandrelApplication::GetLogFilename() const
{
    QMutexLocker locker(&namesLock);
    return logFileName;
}

void VandrelApplication::SetLogFilename(const QString &name)
{
    QMutexLocker locker(&namesLock);
    logFileName = name;
    settingsChanged = true;
}

QString VandrelApplication::GetPortName() const
{
    QMutexLocker locker(&namesLock);
    return portName;
}

void VandrelApplication::SetPortName(const QString &name)
{
    QMutexLocker locker(&namesLock);
    portName = name;
    settingsChanged = true;
}

void VandrelApplication::SetShowTransmit(bool show)
{
    if (show != showTransmit) {
        showTransmit = show;
        settingsChanged = true;
    }
}

void VandrelApplication::OnClosing()
{
    if (settingsChanged)
        WriteSettings();
}

void VandrelApplication::ReadSettings()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, organizationName(),
                   applicationName());
    fileName = user.value(QLatin1String(KeyFilename), QString()).toString();
    logFileName = user.value(QLatin1String(KeyLogFilename), QString()).toString();
    portName = user.value(QLatin1String(KeyPortName), QString()).toString();
    showTransmit = user.value(QLatin1String(KeyShowTransmit), false).toBool();
    fccAccept = user.value(QLatin1String(KeyFCCAccept), false).toBool();
    settingsChanged = false;

    QSettings system(QSettings::NativeFormat, QSettings::SystemScope, organizationName(),
                     applicationName());
    vendorID = system.value(QLatin1String(KeyVendorID), QStringLiteral("VKX")).toString();
}

void VandrelApplication::WriteSettings()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, organizationName(),
                   applicationName());
    user.setValue(QLatin1String(KeyFilename), fileName);
    user.setValue(QLatin1String(KeyLogFilename), logFileName);
    user.setValue(QLatin1String(KeyPortName), portName);
    user.setValue(QLatin1String(KeyShowTransmit), showTransmit);
    user.setValue(QLatin1String(KeyFCCAccept), fccAccept);
    user.sync();
    settingsChanged = false;
}

// ---- Link control

SerialController *VandrelApplication::GetSerialController() const
{
    return transport ? transport->GetSerialController() : nullptr;
}

void VandrelApplication::SetMainWindow(QObject *window)
{
    for (const QMetaObject::Connection &c : qAsConst(windowConnections))
        disconnect(c);
    windowConnections.clear();
    mainWindow = window;
    if (!window)
        return;

    // The window is a widget, which this library does not know; it is wired by
    // signature.
    const auto wire = [this](const QObject *sender, const char *signal, const QObject *receiver,
                             const char *method) {
        const QMetaObject::Connection c = connect(sender, signal, receiver, method);
        if (c)
            windowConnections.append(c);
    };
    wire(window, SIGNAL(FileLoad()), stateMachine, SLOT(FileLoad()));
    wire(window, SIGNAL(Edited(int)), stateMachine, SLOT(Edited(int)));
    wire(window, SIGNAL(SendTab(int)), stateMachine, SLOT(SendTab(int)));
    wire(window, SIGNAL(SendAllTabs()), stateMachine, SLOT(SendAllTabs()));
    wire(window, SIGNAL(GetTab(int)), stateMachine, SLOT(GetTab(int)));
    wire(window, SIGNAL(GetAllTabs()), stateMachine, SLOT(GetAllTabs()));
    wire(stateMachine, SIGNAL(Update()), window, SLOT(OnUpdate()));
    wire(stateMachine, SIGNAL(UpdateTabFromTransportModel(int)), window,
         SLOT(OnUpdateTabFromTransportModel(int)));
    wire(stateMachine, SIGNAL(UpdateTransportModelFromTab(int)), window,
         SLOT(OnUpdateTransportModelFromTab(int)));
    wire(stateMachine, SIGNAL(UpdateTabIcon(int, int)), window, SLOT(OnUpdateTabIcon(int, int)));
    wire(stateMachine, SIGNAL(EnableTab(int, bool)), window, SLOT(OnEnableTab(int, bool)));
    wire(stateMachine, SIGNAL(DisplayError(QString, QString)), window,
         SLOT(OnDisplayError(QString, QString)));
    wire(stateMachine, SIGNAL(SlotClashWarning(QString)), window,
         SLOT(OnSlotClashWarning(QString)));
    // The transfer signals reach a window that has the slots for them.
    const QMetaObject *windowType = window->metaObject();
    for (const auto &[signal, slot] :
         {std::pair{SIGNAL(TransferRunning(bool)), SLOT(OnTransferRunning(bool))},
          std::pair{SIGNAL(TransferProgress(QString, int, int, int)),
                    SLOT(OnTransferProgress(QString, int, int, int))},
          std::pair{SIGNAL(ReadBackResult(int, QStringList)),
                    SLOT(OnReadBackResult(int, QStringList))},
          std::pair{SIGNAL(SendRefused(QString)), SLOT(OnSendRefused(QString))},
          std::pair{SIGNAL(TransferInterrupted(QString)), SLOT(OnTransferInterrupted(QString))},
          std::pair{SIGNAL(RetrieveFinished(bool)), SLOT(OnRetrieveFinished(bool))}}) {
        // SLOT() puts a code digit before the signature.
        const QByteArray signature = QMetaObject::normalizedSignature(slot + 1);
        if (windowType->indexOfSlot(signature.constData()) >= 0)
            wire(stateMachine, signal, window, slot);
    }
}

void VandrelApplication::ConnectSerialTransport()
{
    QString detail;
    const PortProblem problem = PortProbe::Probe(portName, &detail);
    if (problem != PortProblem::None) {
        const QMetaObject::Connection once = connect(this, &VandrelApplication::ConnectError,
                                                     stateMachine, &StateMachine::ConnectError);
        emit ConnectError(PortProbe::Message(problem, portName, detail));
        disconnect(once);
        return;
    }
    if (transport)
        return;
    StartTransport(false);
}

void VandrelApplication::ConnectSerialTransportToLogFile()
{
    if (transport)
        return;
    StartTransport(true);
}

// One transport per connection, on a worker thread of its own. A replayed
// traffic log runs on a worker thread too, like a port.
void VandrelApplication::StartTransport(bool replay)
{
    transport = new SerialTransport(transportModel);
    workerThread = new QThread(this);
    transport->moveToThread(workerThread);
    workerThread->start(QThread::InheritPriority);
    connect(workerThread, &QThread::finished, this, &VandrelApplication::Finished);

    QList<QMetaObject::Connection> &c = linkConnections;
    if (mainWindow) {
        for (const auto &[signal, slot] :
             {std::pair{SIGNAL(Connected()), SLOT(OnConnected())},
              std::pair{SIGNAL(Disconnected()), SLOT(OnDisconnected())}}) {
            const QMetaObject::Connection w = connect(transport, signal, mainWindow, slot);
            if (w)
                c << w;
        }
    }

    c << connect(this, &VandrelApplication::ConnectTransport, transport, &SerialTransport::Connect);
    c << connect(this, &VandrelApplication::ConnectTransportToFile, transport,
                 &SerialTransport::ConnectFile);
    c << connect(this, &VandrelApplication::DisconnectTransport, transport,
                 &SerialTransport::Disconnect);
    // Stays connected after the link has closed: Disconnected() ignores it then.
    connect(transport, &Transport::Disconnected, this, &VandrelApplication::Disconnected);
    // Also for a replay: a log file that cannot be opened ends in this signal,
    // and without it the dead transport would block every later connection.
    c << connect(transport, &Transport::DisconnectedCleanUp, this,
                 &VandrelApplication::Disconnected);

    // A replayed log cannot answer: the state machine is not told of the
    // link, so it neither queues a job nor offers a transfer.
    if (!replay)
        c << connect(transport, &Transport::Connected, stateMachine, &StateMachine::Connected);
    c << connect(transport, &Transport::ConnectError, stateMachine, &StateMachine::ConnectError);
    c << connect(transport, &Transport::CommandError, stateMachine, &StateMachine::CommandError);
    c << connect(transport, &Transport::AtoNSentenceError, stateMachine,
                 &StateMachine::AtoNSentenceError);
    c << connect(transport, &Transport::JobComplete, stateMachine, &StateMachine::JobComplete);
    c << connect(transport, &Transport::AllJobsComplete, stateMachine,
                 &StateMachine::AllJobsComplete);
    c << connect(transport, &Transport::Timeout, stateMachine, &StateMachine::Timeout);
    // A failed write is told by the state machine, which knows what it cut off.
    c << connect(transport, &Transport::SendError, stateMachine, &StateMachine::SendError);
    c << connect(transport, &Transport::JobLineSent, stateMachine, &StateMachine::LineSent);
    c << connect(transport, &Transport::Disconnected, stateMachine, &StateMachine::Disconnected);
    if (!replay) {
        c << connect(transport, &Transport::ProductSerialNumberTest, stateMachine,
                     &StateMachine::OnProductSerialNumberTest);
    }
    c << connect(stateMachine, &StateMachine::QueueJob, transport,
                 qOverload<QString, bool>(&Transport::QueueJob));

    if (!replay)
        gpsDecoder->Reset();

    c << connect(transport, &Transport::Received, gpsDecoder, &GPSDecoder::OnReceived);
    c << connect(transport, &Transport::Received, messageDecoder, &MessageDecoder::OnReceived);

    // The window listens to the line before anything can arrive on it, so
    // that not even the first lines of a replay pass unseen.
    if (mainWindow && mainWindow->metaObject()->indexOfSlot("OnLinkStarting()") >= 0)
        QMetaObject::invokeMethod(mainWindow, "OnLinkStarting", Qt::DirectConnection);

    if (replay)
        emit ConnectTransportToFile(logFileName);
    else
        emit ConnectTransport(portName);
}

void VandrelApplication::Disconnect()
{
    if (!transport)
        return;
    // Both reach the transport in this order: "Reset" is queued before the
    // line closes.
    emit Disconnecting();
    emit DisconnectTransport();
    gpsDecoder->Reset();
    stateMachine->StopSerialNumberTest();
}

void VandrelApplication::Disconnected()
{
    if (!transport)
        return;
    for (const QMetaObject::Connection &c : qAsConst(linkConnections))
        disconnect(c);
    linkConnections.clear();
    RetireTransport(transport, false);
    transport = nullptr;
}

// Hands a transport whose link is over back to this thread and ends its worker
// thread; Finished() then destroys it here, where its codecs' parent (the
// transport model) lives. closeLine: close the line first (at exit).
void VandrelApplication::RetireTransport(SerialTransport *link, bool closeLine)
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

void VandrelApplication::Finished()
{
    // Only the end of a worker thread means anything here. The thread may
    // still be in its last steps; deleteLater() below copes with that.
    auto *ended = qobject_cast<QThread *>(sender());
    if (!ended)
        return;

    SerialTransport *old = retiredTransports.take(ended);
    if (old && old->thread() == thread())
        delete old;
    // A thread of an earlier link may end after a new link has started: only
    // the current thread's end clears the current pointers.
    if (ended == workerThread) {
        workerThread = nullptr;
        if (transport) {
            qWarning() << "VandrelApplication: worker thread ended under a live transport";
            for (const QMetaObject::Connection &c : qAsConst(linkConnections))
                disconnect(c);
            linkConnections.clear();
            transport = nullptr;
        }
    }
    ended->deleteLater();
}

// At exit the event loop no longer runs, so the Disconnected() and Finished()
// of a link still open would never arrive: close the line on its own thread
// (after whatever the window queued for it, such as "Reset"), end every
// worker thread, and never wait without a limit.
void VandrelApplication::EndWorkerThreads()
{
    if (transport) {
        // Nothing more from the link may be posted to this dying object.
        for (QObject *listener :
             {static_cast<QObject *>(this), static_cast<QObject *>(stateMachine),
              static_cast<QObject *>(gpsDecoder), static_cast<QObject *>(messageDecoder),
              mainWindow.data()}) {
            if (listener)
                disconnect(transport, nullptr, listener, nullptr);
        }
        linkConnections.clear();
        RetireTransport(transport, true);
        transport = nullptr;
    }

    const QList<QThread *> threads = findChildren<QThread *>(QString(), Qt::FindDirectChildrenOnly);
    for (QThread *worker : threads) {
        disconnect(worker, nullptr, this, nullptr);
        if (worker->wait(WorkerExitTimeoutMs))
            continue;
        qWarning() << "VandrelApplication: worker thread did not end; stopping it";
        worker->quit();
        if (!worker->wait(WorkerExitTimeoutMs)) {
            worker->terminate();
            worker->wait();
        }
    }
    for (SerialTransport *old : qAsConst(retiredTransports)) {
        if (old->thread() == thread())
            delete old;
    }
    retiredTransports.clear();
    workerThread = nullptr;
}

void VandrelApplication::OnFaultLogRequest()
{
    emit FaultLogRequest();
}

void VandrelApplication::OnFaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences)
{
    emit FaultLogMessageCount(sentenceNumber, totalNumberOfSentences);
}
