// The link as the application object runs it: one transport per connection
// on its own worker thread, wired to the state machine, the decoders and a
// stand-in window, against the unit simulator on a pseudo-terminal.

#include "app/statemachine.h"
#include "app/vandrelapplication.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "lim/lanterninterface.h"
#include "link/serialtransport.h"
#include "model/model.h"

#include "support/tempsettings.h"
#include "support/testchecksum.h"

#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// The unit simulator as a child process; its first line names its port.
class UnitSim
{
public:
    bool Start(const QStringList &args)
    {
        process.start(QStringLiteral(VANDREL_UNITSIM), QStringList{"--verbose"} + args);
        for (int i = 0; i < 50 && !process.canReadLine(); ++i)
            process.waitForReadyRead(100);
        const QByteArray first = process.readLine().trimmed();
        port = QString::fromLatin1(first.mid(5));
        return first.startsWith("PORT /dev/");
    }
    ~UnitSim()
    {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
    }
    // Index of the first line from index from on, in what the simulator
    // received ("<< ") and did so far, that contains text; -1 if none.
    int Find(const QString &text, int from = 0)
    {
        log += QString::fromLatin1(process.readAllStandardError());
        const QRegularExpression line(".*" + QRegularExpression::escape(text) + ".*");
        return log.split('\n').indexOf(line, qMax(0, from));
    }

    QProcess process;
    QString port;
    QString log;
};

} // namespace

// Offers the window's side of the wiring and records what reaches it.
class FakeWindow : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
    QList<QPair<QString, QString>> errors;

signals:
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void SendAllTabs();
    void GetTab(int tab);
    void GetAllTabs();

public slots:
    void OnUpdate() {}
    void OnUpdateTabFromTransportModel(int tab) { calls << QStringLiteral("refresh %1").arg(tab); }
    void OnUpdateTransportModelFromTab(int) {}
    void OnUpdateTabIcon(int, int) {}
    void OnEnableTab(int, bool) {}
    void OnDisplayError(QString text, QString info) { errors << qMakePair(text, info); }
    void OnSlotClashWarning(QString) {}
    void OnConnected() { calls << "connected"; }
    void OnSendError() {}
    void OnDisconnected() { calls << "disconnected"; }
};

class TestLinkControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { App()->SetMainWindow(&window); }
    void cleanup();
    void retrieveSendAndRetrieveOverWorkerThread();
    void portInUseAndReconnecting();
    void silentUnitEndsTheLink();
    void replayOfTrafficLog();
    void programExitsWhileLinked_data();
    void programExitsWhileLinked();

private:
    // Connects to the simulator and waits until the link is up.
    bool Link(UnitSim &sim);
    void WaitIdle();

    FakeWindow window;
    QStringList jobs;
};

void TestLinkControl::cleanup()
{
    App()->Disconnect();
    WaitIdle();
    window.calls.clear();
    window.errors.clear();
    jobs.clear();
}

void TestLinkControl::WaitIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
}

bool TestLinkControl::Link(UnitSim &sim)
{
    App()->SetPortName(sim.port);
    App()->ConnectSerialTransport();
    if (!App()->GetTransport())
        return false;
    // The job completions that the transport reports, collected on this thread.
    connect(App()->GetTransport(), &Transport::JobComplete, this,
            [this](const QString &name, bool send) { jobs << name + (send ? " sent" : " got"); });
    return QTest::qWaitFor([] { return App()->GetStateMachine()->IsConnected(); }, 5000);
}

void TestLinkControl::retrieveSendAndRetrieveOverWorkerThread()
{
    UnitSim sim;
    QVERIFY(sim.Start({"--fast"}));
    StateMachine *machine = App()->GetStateMachine();
    QSignalSpy fixes(App()->GetGpsDecoder(), &GPSDecoder::GpsDataReceived);

    QVERIFY(Link(sim));
    SerialTransport *transport = App()->GetTransport();
    QPointer<QThread> worker = App()->GetWorkerThread();
    QVERIFY(worker->isRunning() && worker != QThread::currentThread());
    QCOMPARE(transport->thread(), worker);
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("connected"), 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Version got"), 5000);
    // Received lines reach the GPS decoder on this thread.
    QTRY_VERIFY_WITH_TIMEOUT(!fixes.isEmpty(), 5000);

    // The window's retrieve: both tabs synced, the transport model filled.
    emit window.GetAllTabs();
    QTRY_COMPARE_WITH_TIMEOUT(machine->TabStateOf(0), int(StateMachine::TabSynced), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(machine->TabStateOf(1), int(StateMachine::TabSynced), 15000);
    QVERIFY(window.calls.contains("refresh 0") && window.calls.contains("refresh 1"));
    Model *unit = App()->TransportModel();
    QCOMPARE(unit->GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("992351234"));
    QVERIFY(unit->GetMessageSchedule()->EntryAt(1).Active());
    QVERIFY(!(*unit->GetLanternInterface() == LanternInterface()));
    // Presence polling runs once the voltage has been read.
    QVERIFY(machine->IsPolling());
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("SerNo Test got"), 4000);

    // Send a changed configuration, then read it back.
    Model *edit = App()->EditModel();
    *edit->GetAtoN() = *unit->GetAtoN();
    *edit->GetMessageSchedule() = *unit->GetMessageSchedule();
    edit->GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    edit->GetAtoN()->SetName(QStringLiteral("LINK TEST 7"));
    edit->GetAtoN()->GetPosition()->SetLatitude(-33.5);
    emit window.SendTab(0);
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Message Schedule sent"), 15000);
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSynced));
    unit->GetAtoN()->SetName(QStringLiteral("NOT READ"));
    jobs.clear();
    emit window.GetTab(0);
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Voltage got"), 15000);
    QCOMPARE(unit->GetAtoN()->Name(), QStringLiteral("LINK TEST 7"));
    QCOMPARE(unit->GetAtoN()->GetPosition()->Latitude(), -33.5);
    QCOMPARE(unit->GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("992351234"));

    // Disconnect: "reset" goes out before the line closes. Let the line go
    // quiet first, so that no polling job holds the queue.
    machine->StopSerialNumberTest();
    QTRY_VERIFY_WITH_TIMEOUT(!transport->IsBusy(), 3000);
    App()->Disconnect();
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("disconnected"), 1, 3000);
    // The port-in-use probe before the link closes the line once too; what
    // counts is the close after the reset.
    QTRY_VERIFY_WITH_TIMEOUT(sim.Find(",reset,5*") >= 0, 3000);
    const int reset = sim.Find(",reset,5*");
    QTRY_VERIFY_WITH_TIMEOUT(sim.Find("line closed", reset) > reset, 3000);
    WaitIdle();
    // The thread object goes once it has ended.
    QTRY_VERIFY_WITH_TIMEOUT(worker.isNull(), 3000);
    QVERIFY(window.errors.isEmpty());
}

void TestLinkControl::portInUseAndReconnecting()
{
    UnitSim sim;
    QVERIFY(sim.Start({"--quiet", "--fast"}));
    QSerialPort holder(sim.port);
    QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));

    QSignalSpy connectTransport(App(), &VandrelApplication::ConnectTransport);
    App()->SetPortName(sim.port);
    App()->ConnectSerialTransport();
    const QString text = QStringLiteral("An error was encountered in trying to open the serial "
                                        "port.  The port may be busy or resetting. ( 1 ).");
    QCOMPARE(window.errors,
             QList({qMakePair(QStringLiteral("Error connecting to the AtoN"), text)}));
    QCOMPARE(connectTransport.count(), 0);
    QVERIFY(!App()->GetTransport());
    QVERIFY(!App()->GetWorkerThread());
    // The connection to the state machine held for that one emission only.
    emit App()->ConnectError(QStringLiteral("again"));
    QCOMPARE(window.errors.size(), 1);

    // Released, the port links. Asked again while linked, the own port is
    // busy: the message is shown and the state machine's disconnect closes
    // the existing link.
    holder.close();
    QVERIFY(Link(sim));
    App()->ConnectSerialTransport();
    QCOMPARE(window.errors.size(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("disconnected"), 1, 3000);
    WaitIdle();

    QVERIFY(Link(sim));
    QPointer<SerialTransport> firstTransport = App()->GetTransport();
    QPointer<QThread> firstThread = App()->GetWorkerThread();
    // Reconnect as soon as the link is detached, before its thread may have
    // ended: the late end of the first thread must not touch the second link.
    App()->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 3000);
    QVERIFY(Link(sim));
    QTRY_VERIFY_WITH_TIMEOUT(firstThread.isNull(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(firstTransport.isNull(), 3000);
    QTest::qWait(100);
    QThread *second = App()->GetWorkerThread();
    QVERIFY(second && second->isRunning());
    QCOMPARE(App()->GetTransport()->thread(), second);

    // Whatever the timing above: another thread ending now is not the
    // current link's and changes nothing.
    QPointer<QThread> late = new QThread;
    connect(late, &QThread::finished, App(), &VandrelApplication::Finished);
    late->start();
    late->quit();
    QTRY_VERIFY_WITH_TIMEOUT(late.isNull(), 3000);
    QCOMPARE(App()->GetWorkerThread(), second);

    // The second link works: a retrieve of the lantern tab completes.
    emit window.GetTab(1);
    QTRY_COMPARE_WITH_TIMEOUT(App()->GetStateMachine()->TabStateOf(1), int(StateMachine::TabSynced),
                              15000);
    QCOMPARE(window.errors.size(), 2);
}

void TestLinkControl::silentUnitEndsTheLink()
{
    UnitSim sim;
    QVERIFY(sim.Start({"--quiet", "--fast", "--dock-out-after", "5"}));
    StateMachine *machine = App()->GetStateMachine();
    QVERIFY(Link(sim));
    emit window.GetTab(0);
    QTRY_VERIFY_WITH_TIMEOUT(machine->IsPolling(), 10000);

    // From the dock-out on, every "getserno" goes unanswered: nine polling
    // periods later the link ends with the message.
    QTRY_VERIFY_WITH_TIMEOUT(!window.errors.isEmpty(), 25000);
    QCOMPARE(window.errors,
             QList({qMakePair(QStringLiteral("Error communicating with the device"),
                              QStringLiteral("A timeout occurred. Has the device been removed "
                                             "from the dock?"))}));
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("disconnected"), 1, 3000);
}

void TestLinkControl::replayOfTrafficLog()
{
    // A log that cannot be opened is reported and blocks no later link.
    App()->SetLogFilename(QStringLiteral("/nonexistent/vandrel/traffic.log"));
    App()->ConnectSerialTransportToLogFile();
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 1, 3000);
    QCOMPARE(window.errors.at(0).first, QStringLiteral("Error connecting to the AtoN"));
    WaitIdle();

    QTemporaryDir dir;
    QFile file(dir.filePath("traffic.log"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        TestChecksum::Line("$GPRMC,101500,A,5130.5000,N,00007.2500,W,0,0,061226").toLatin1());
    file.close();

    QSignalSpy fixes(App()->GetGpsDecoder(), &GPSDecoder::GpsDataReceived);
    App()->SetLogFilename(file.fileName());
    App()->ConnectSerialTransportToLogFile();
    QVERIFY(App()->GetTransport());
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("connected"), 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!fixes.isEmpty(), 5000);
    QCOMPARE(fixes.at(0).at(0).value<GpsData *>()->time, QTime(10, 15));
    // The end of the file ends the link.
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("disconnected"), 1, 5000);
    WaitIdle();
}

void TestLinkControl::programExitsWhileLinked_data()
{
    QTest::addColumn<QString>("mode");
    // As when the window is closed during a link: a disconnect is asked for,
    // then the event loop ends before the link has closed.
    QTest::newRow("disconnect asked") << "disconnect";
    // No disconnect at all (no window, or a tool that just returns).
    QTest::newRow("nothing asked") << "plain";
}

void TestLinkControl::programExitsWhileLinked()
{
    QFETCH(QString, mode);
    UnitSim sim;
    QVERIFY(sim.Start({"--quiet", "--fast"}));

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--exit-while-linked", sim.port, mode});
    QVERIFY(child.waitForFinished(30000));
    const QByteArray out = child.readAllStandardOutput();
    const QByteArray err = child.readAllStandardError();
    // Exit code 2: the child never linked.
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, out.constData());
    // The worker closed its line and ended in an orderly way, not by the
    // last-resort stop after the exit time limit.
    QVERIFY2(!err.contains("did not end"), err.constData());
    const int at = out.indexOf("exit ms ");
    QVERIFY2(at >= 0 && out.mid(at + 8).trimmed().toInt() < 3000, out.constData());

    // The line closes after the link's last traffic (the port-in-use probe
    // before the link closes it once as well).
    QTRY_VERIFY_WITH_TIMEOUT(sim.Find(",getserno,1*") >= 0, 3000);
    const int serialNumber = sim.Find(",getserno,1*");
    QTRY_VERIFY_WITH_TIMEOUT(sim.Find("line closed", serialNumber) > serialNumber, 3000);
    if (mode == "disconnect") {
        const int reset = sim.Find(",reset,5*", serialNumber); // what the simulator received
        QVERIFY2(reset >= 0, qPrintable(sim.log));
        QVERIFY(sim.Find("line closed", reset) > reset);
    }
}

// The child of programExitsWhileLinked: link, then leave at once. Prints
// how long the application object took to go.
static int ExitWhileLinked(int argc, char **argv)
{
    TempSettings settings;
    QElapsedTimer exitClock;
    {
        VandrelApplication application(argc, argv);
        const QStringList args = application.arguments();
        application.SetPortName(args.value(2));
        application.ConnectSerialTransport();
        StateMachine *machine = application.GetStateMachine();
        const auto linkedAndIdle = [&] {
            return machine->IsConnected() && !application.GetTransport()->IsBusy();
        };
        if (!QTest::qWaitFor(linkedAndIdle, 5000) && !machine->IsConnected())
            return 2;
        if (args.value(3) == QLatin1String("disconnect"))
            application.Disconnect();
        exitClock.start();
    }
    printf("exit ms %lld\n", static_cast<long long>(exitClock.elapsed()));
    return 0;
}

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--exit-while-linked") == 0)
        return ExitWhileLinked(argc, argv);
    TempSettings settings;
    VandrelApplication application(argc, argv);
    TestLinkControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_linkcontrol.moc"
