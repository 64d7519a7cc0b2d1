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
#include "tst_unitsim_client.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    void OnDisconnected() { calls << "disconnected"; }
    void OnReadBackResult(int tab, QStringList lines)
    {
        calls << QStringLiteral("readback %1 %2").arg(tab).arg(lines.join(';'));
    }
    void OnRetrieveFinished(bool ok) { calls << QStringLiteral("retrieved %1").arg(ok); }
    void OnSendRefused(QString text) { errors << qMakePair(QStringLiteral("refused"), text); }
};

class TestLinkControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { App()->SetMainWindow(&window); }
    void cleanup();
    void retrieveSendAndRetrieveOverWorkerThread();
    void transfersWithAUnitThatRefuses();
    void sendToAUnitThatDoesNotNameItself();
    void portInUseAndReconnecting();
    void replayOfTrafficLog();
    void programExitsWhileLinked_data();
    void programExitsWhileLinked();

private:
    // Connects to the simulator and waits until the link is up.
    bool Link(const QString &port);
    void WaitIdle();

    FakeWindow window;
    QStringList jobs;
    QStringList answers;
};

void TestLinkControl::cleanup()
{
    App()->Disconnect();
    WaitIdle();
    window.calls.clear();
    window.errors.clear();
    jobs.clear();
    answers.clear();
}

void TestLinkControl::WaitIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
}

bool TestLinkControl::Link(const QString &port)
{
    App()->SetPortName(port);
    App()->ConnectSerialTransport();
    const SerialTransport *transport = App()->GetTransport();
    if (!transport)
        return false;
    // What the transport reports, collected on this thread.
    connect(transport, &Transport::JobComplete, this,
            [this](const QString &name, bool send) { jobs << name + (send ? " sent" : " got"); });
    connect(transport, &Transport::Version, this,
            [this](const QString &v) { answers << "version " + v; });
    connect(transport, &Transport::ProductSerialNumber, this,
            [this](const QString &v) { answers << "serial " + v; });
    connect(transport, &Transport::BatteryVoltage, this,
            [this](const QString &v) { answers << "volts " + v; });
    return QTest::qWaitFor([] { return App()->GetStateMachine()->IsConnected(); }, 5000);
}

void TestLinkControl::retrieveSendAndRetrieveOverWorkerThread()
{
    // Paced like a real line, with its unsolicited traffic, the shell prompt
    // and a flood of lines (half of them broken) beyond what the line
    // carries: the transport must pick its answers out of the rest.
    SimProcess sim({"--prompt", "--flood", "400"});
    StateMachine *machine = App()->GetStateMachine();
    QSignalSpy fixes(App()->GetGpsDecoder(), &GPSDecoder::GpsDataReceived);
    QVERIFY(Link(sim.port));
    SerialTransport *transport = App()->GetTransport();
    QPointer<QThread> worker = App()->GetWorkerThread();
    QVERIFY(worker->isRunning() && worker != QThread::currentThread());
    QCOMPARE(transport->thread(), worker);
    QTRY_COMPARE_WITH_TIMEOUT(window.calls.count("connected"), 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Version got"), 5000);
    // Received lines reach the GPS decoder on this thread.
    QTRY_VERIFY_WITH_TIMEOUT(!fixes.isEmpty(), 5000);

    // The window's retrieve: both tabs synced, the whole sample unit in the
    // transport model.
    emit window.GetAllTabs();
    QTRY_COMPARE_WITH_TIMEOUT(machine->TabStateOf(0), int(StateMachine::TabSynced), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(machine->TabStateOf(1), int(StateMachine::TabSynced), 20000);
    QVERIFY(window.calls.contains("refresh 0") && window.calls.contains("refresh 1"));
    QCOMPARE(answers.mid(2),
             (QStringList{"version 3.10AT.0417", "serial VK0012345", "volts 12600"}));
    Model *unit = App()->TransportModel();
    const AtoN *held = unit->GetAtoN();
    QCOMPARE(held->GetAtoNMMSI()->Mmsi() + " " + held->GetAtoNMMSI()->NewMmsi(),
             QStringLiteral("992351234 992351234"));
    QVERIFY(qAbs(held->GetPosition()->Latitude() - (50 + 47.4512 / 60)) < 1e-7);
    QVERIFY(qAbs(held->GetPosition()->Longitude() + (1 + 6.2275 / 60)) < 1e-7);
    QCOMPARE(held->Name(), QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
    QCOMPARE(QList<int>({held->TypeOfEPFS(), held->PositionAccuracy(), held->Channel1(),
                         held->Channel2(), held->TypeOfAtoN(), held->Racon(),
                         held->OffPositionThreshold(), held->DimensionA(), held->DimensionB(),
                         held->DimensionC(), held->DimensionD()}),
             QList<int>({1, 1, 2087, 2088, 13, 1, 75, 5, 5, 3, 3}));
    // Rows as the unit answers them: row, message, scheme, slots, intervals
    // (RATDMA and CSTDMA in minutes), start times in minutes of the day.
    QCOMPARE(unit->GetMessageSchedule()->VisibleCount(), 4);
    const QList<QList<int>> rows = {
        {0, 21, 0, 120, 860, 6750, 6750, 0, 1},
        {1, 21, 0, 300, 1500, 2250, 2250, 1, 2},
        {MessageSchedule::FirstRow(6), 6, 1, 0, 0, 10, 10, 5, 10},
        {MessageSchedule::FirstRow(12) + 1, 12, 2, 0, 0, 30, 30, 360, 375}};
    for (const QList<int> &row : rows) {
        const MessageScheduleEntry e = unit->GetMessageSchedule()->EntryAt(row[0]);
        QVERIFY(e.Active());
        QCOMPARE(
            QList<int>({row[0], e.MessageId(), e.AccessScheme(), e.StartSlot1(), e.StartSlot2(),
                        e.Interval1(), e.Interval2(), e.StartTime1().msecsSinceStartOfDay() / 60000,
                        e.StartTime2().msecsSinceStartOfDay() / 60000}),
            row);
    }
    QList<int> values;
    for (int i = 0; i < LanternInterface::ParameterCount; ++i)
        values << unit->GetLanternInterface()->ParameterValue(i);
    QCOMPARE(values, QList<int>({1, 10500, 14500, 500, 1500, 25, 1, 247}));

    // Send a changed configuration of both tabs, the MMSI included.
    Model *edit = App()->EditModel();
    *edit = *unit;
    AtoN *aton = edit->GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    aton->SetName(QStringLiteral("SOUTH MOLE, INNER BASIN LT 12345"));
    aton->GetPosition()->SetLatitude(-33.5);
    aton->GetPosition()->SetLongitude(18.25);
    aton->SetRacon(false);
    aton->SetOffPositionThreshold(120);
    aton->SetTypeOfAtoN(25); // floating: dimension A stands for all four
    aton->SetDimensionA(7);
    MessageSchedule *s = edit->GetMessageSchedule();
    // Both go out as rows with start slots -1: the unit disables them.
    QVERIFY(s->DisableReport(1));
    QVERIFY(s->RemoveEntry(MessageSchedule::FirstRow(12) + 1));
    edit->GetLanternInterface()->SetLimvmax(24000);
    edit->GetLanternInterface()->SetLimen(false);
    emit window.SendAllTabs();
    QVERIFY(machine->IsTransferring());
    QTRY_VERIFY_WITH_TIMEOUT(!machine->IsTransferring(), 40000);
    QCOMPARE(window.calls.filter("readback"), (QStringList{"readback 0 ", "readback 1 "}));
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSynced));
    QCOMPARE(machine->TabStateOf(1), int(StateMachine::TabSynced));

    // Read back into an emptied transport model: the unit holds what was sent.
    QTRY_VERIFY_WITH_TIMEOUT(!transport->IsBusy(), 3000);
    *unit = Model();
    jobs.clear();
    emit window.GetAllTabs();
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Get LIM got"), 20000);
    QCOMPARE(held->GetAtoNMMSI()->Mmsi() + " " + held->Name(),
             QStringLiteral("235000001 SOUTH MOLE, INNER BASIN LT 12345"));
    QCOMPARE(held->GetPosition()->Latitude(), -33.5);
    QCOMPARE(held->GetPosition()->Longitude(), 18.25);
    QCOMPARE(QList<int>({held->Racon(), held->OffPositionThreshold(), held->TypeOfAtoN(),
                         held->DimensionA(), held->DimensionD()}),
             QList<int>({0, 120, 25, 7, 7}));
    const MessageSchedule *t = unit->GetMessageSchedule();
    QCOMPARE(t->EntryAt(0), s->EntryAt(0));
    QCOMPARE(QList<int>({t->EntryAt(1).StartSlot1(), t->EntryAt(1).StartSlot2()}),
             QList<int>({-1, -1}));
    QCOMPARE(t->EntryAt(MessageSchedule::FirstRow(6)), s->EntryAt(MessageSchedule::FirstRow(6)));
    QVERIFY(!t->EntryAt(MessageSchedule::FirstRow(12) + 1).Active());
    QVERIFY(*unit->GetLanternInterface() == *edit->GetLanternInterface());
    // Presence polling runs once the transfer is over.
    QVERIFY(machine->IsPolling());
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("SerNo Test got"), 4000);
    QVERIFY(window.errors.isEmpty());
}

void TestLinkControl::transfersWithAUnitThatRefuses()
{
    // Takes no ACE sentence, and leaves the lantern queries unanswered.
    QTemporaryDir dir;
    const QString stateFile = dir.filePath("unit.json");
    SimProcess sim(
        {"--quiet", "--fast", "--refuse", "ACE", "--no-answer", "nvgeti", "--state", stateFile});
    const auto unitState = [&stateFile] {
        QFile file(stateFile);
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                              : QJsonObject();
    };
    QVERIFY(Link(sim.port));
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Version got"), 5000);
    const QJsonObject before = unitState();
    QVERIFY(!before.value("schedule").toArray().isEmpty());

    // Sent on a link that has read nothing: the unit is asked for its MMSI
    // first. The document has no schedule rows: no AAR goes out, and the
    // unit keeps its rows. A retrieve asked for meanwhile is not run.
    Model *edit = App()->EditModel();
    *edit = Model();
    edit->GetAtoN()->GetAtoNMMSI()->SetNewMmsi("235000001");
    edit->GetAtoN()->SetName("NEW NAME");
    edit->GetAtoN()->GetPosition()->SetLatitude(10.25);
    QByteArray noRows;
    QDataStream(&noRows, QIODevice::WriteOnly) << qint32(2) << qint32(0);
    QDataStream rows(noRows);
    edit->GetMessageSchedule()->Read(rows);
    StateMachine *machine = App()->GetStateMachine();
    emit window.SendTab(0);
    emit window.GetAllTabs();
    QTRY_VERIFY_WITH_TIMEOUT(!machine->IsTransferring(), 20000);
    QCOMPARE(jobs.mid(1),
             (QStringList{"Identity got", "Kelvane sent", "Kelvane got", "Message Schedule got"}));
    // What the ACE carried is named; the position went out in the ACF, and
    // the unit's schedule rows are not counted as differences.
    const QStringList readBack = window.calls.filter("readback");
    QCOMPARE(readBack.size(), 1);
    QVERIFY2(readBack.at(0).startsWith("readback 0 ") &&
                 readBack.at(0).contains("Name: \"NEW NAME\" -> \"NORTH PIER, WEST HARBOUR "
                                         "ENTRANCE\"") &&
                 !readBack.at(0).contains("Latitude") && !readBack.at(0).contains("Schedule"),
             qPrintable(readBack.at(0)));
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabEdited));
    const QJsonObject after = unitState();
    QCOMPARE(after.value("mmsi").toString(), QStringLiteral("235000001"));
    QCOMPARE(after.value("schedule"), before.value("schedule"));

    // A retrieve that fails part way shows no tab at all.
    emit window.GetAllTabs();
    QTRY_VERIFY_WITH_TIMEOUT(window.calls.contains("retrieved 0"), 20000);
    QVERIFY(window.calls.filter("refresh").isEmpty());
    QCOMPARE(window.errors.size(), 1);
}

void TestLinkControl::sendToAUnitThatDoesNotNameItself()
{
    // Without the unit's MMSI a send would be addressed to no unit: it ends
    // with an error before anything goes out.
    QTemporaryDir dir;
    const QString stateFile = dir.filePath("unit.json");
    SimProcess sim({"--quiet", "--fast", "--no-answer", "AID", "--state", stateFile});
    QVERIFY(Link(sim.port));
    QTRY_VERIFY_WITH_TIMEOUT(jobs.contains("Version got"), 5000);
    QFile before(stateFile);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray held = before.readAll();
    Model *edit = App()->EditModel();
    *edit = Model();
    edit->GetAtoN()->GetAtoNMMSI()->SetNewMmsi("235000001");
    QVERIFY(edit->GetMessageSchedule()->DisableReport(0));
    emit window.SendTab(0);
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 1, 5000);
    QVERIFY(!jobs.contains("Kelvane sent"));
    QFile after(stateFile);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), held);
}

void TestLinkControl::portInUseAndReconnecting()
{
    SimProcess sim({"--quiet", "--fast"});
    QSerialPort holder(sim.port);
    QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));

    // Held elsewhere: the message, and neither a transport nor a thread.
    App()->SetPortName(sim.port);
    App()->ConnectSerialTransport();
    QCOMPARE(window.errors.size(), 1);
    QVERIFY(window.errors.at(0).second.contains(sim.port + " is busy: another program"));
    QVERIFY(!App()->GetTransport());
    QVERIFY(!App()->GetWorkerThread());
    // The connection to the state machine held for that one emission only.
    emit App()->ConnectError(QStringLiteral("again"));
    QCOMPARE(window.errors.size(), 1);

    // Released, the port links.
    holder.close();
    QVERIFY(Link(sim.port));
    QPointer<SerialTransport> firstTransport = App()->GetTransport();
    QPointer<QThread> firstThread = App()->GetWorkerThread();
    // Asked again while linked, the own port is busy: the message is shown
    // and the state machine's disconnect closes the link. Reconnect as soon
    // as the link is detached, before its thread may have ended: the late
    // end of the first thread must not touch the second link.
    App()->ConnectSerialTransport();
    QCOMPARE(window.errors.size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 3000);
    QVERIFY(Link(sim.port));
    QCOMPARE(window.calls.count("disconnected"), 1);
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

void TestLinkControl::replayOfTrafficLog()
{
    // A log that cannot be opened is reported and blocks no later link.
    App()->SetLogFilename(QStringLiteral("/nonexistent/vandrel/traffic.log"));
    App()->ConnectSerialTransportToLogFile();
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 1, 3000);
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
    SimProcess sim({"--verbose", "--quiet", "--fast"});
    QVERIFY(!sim.port.isEmpty());
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

    // Index of the first line from index from on, in what the simulator
    // received ("<< ") and did so far, that contains text; -1 if none.
    QString log;
    const auto find = [&](const QString &text, int from = 0) {
        log += QString::fromLatin1(sim.process.readAllStandardError());
        const QRegularExpression line(".*" + QRegularExpression::escape(text) + ".*");
        return log.split('\n').indexOf(line, from);
    };
    // The line closes after the link's last traffic (the port-in-use probe
    // before the link closes it once as well).
    QTRY_VERIFY_WITH_TIMEOUT(find(",getserno,1*") >= 0, 3000);
    const int serialNumber = find(",getserno,1*");
    QTRY_VERIFY_WITH_TIMEOUT(find("line closed", serialNumber) > serialNumber, 3000);
    if (mode == "disconnect") {
        // "reset" reached the unit before its line closed.
        const int reset = find(",reset,5*", serialNumber);
        QVERIFY2(reset >= 0, qPrintable(log));
        QVERIFY(find("line closed", reset) > reset);
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
