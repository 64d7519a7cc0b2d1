// The program's serial transport against the unit simulator: a complete
// retrieval of the simulator's sample unit, then a changed configuration sent
// back and read again.

#include "app/vandrelapplication.h"
#include "decode/alarmdata.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "support/tempsettings.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// A simulator process for one test; stopped when the test leaves, pass or fail.
class SimProcess
{
public:
    explicit SimProcess(const QStringList &options)
    {
        process.start(QStringLiteral(VANDREL_UNITSIM), options);
        if (!process.waitForStarted(5000))
            return;
        QElapsedTimer t;
        t.start();
        while (!process.canReadLine() && t.elapsed() < 5000)
            process.waitForReadyRead(100);
        const QByteArray first = process.readLine().trimmed();
        if (first.startsWith("PORT /dev/"))
            port = QString::fromLatin1(first.mid(5));
    }
    ~SimProcess()
    {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(1000);
    }

    QProcess process;
    QString port;
};

} // namespace

class TestSimLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void unsolicitedTrafficIsDecoded();
    void retrieveTheSampleUnit();
    void sendAChangedConfiguration();
    void retrievalThroughAFlood();
    void faultsReachTheTransport_data();
    void faultsReachTheTransport();

private:
    // Runs the jobs on a fresh transport over the simulator's line and waits
    // until the queue has run empty; fails on any error signal.
    void runJobs(Model *model, const QList<QPair<QString, bool>> &jobs,
                 QStringList *shellAnswers = nullptr, QString onPort = QString());

    std::unique_ptr<SimProcess> simulator;
    QString port;
};

void TestSimLink::initTestCase()
{
    // Paced like a real line, with its unsolicited traffic and the shell
    // prompt on: the transport must pick its answers out of the rest.
    simulator = std::make_unique<SimProcess>(QStringList{"--prompt"});
    port = simulator->port;
    QVERIFY(!port.isEmpty());
    VandrelApplication::instance()->SetPortName(port);
}

void TestSimLink::cleanupTestCase()
{
    simulator.reset();
}

void TestSimLink::runJobs(Model *model, const QList<QPair<QString, bool>> &jobs,
                          QStringList *shellAnswers, QString onPort)
{
    VandrelApplication::instance()->SetPortName(onPort.isEmpty() ? port : onPort);
    SerialTransport transport(model);
    QSignalSpy connected(&transport, &Transport::Connected);
    QSignalSpy connectError(&transport, &Transport::ConnectError);
    QSignalSpy done(&transport, &Transport::AllJobsComplete);
    QSignalSpy timeout(&transport, &Transport::Timeout);
    QSignalSpy sentenceError(&transport, &Transport::AtoNSentenceError);
    QSignalSpy commandError(&transport, &Transport::CommandError);
    QStringList answers;
    connect(&transport, &Transport::Version, this,
            [&](const QString &v) { answers << "version " + v; });
    connect(&transport, &Transport::ProductSerialNumber, this,
            [&](const QString &v) { answers << "serial " + v; });
    connect(&transport, &Transport::BatteryVoltage, this,
            [&](const QString &v) { answers << "volts " + v; });

    transport.Connect(port);
    QTRY_COMPARE_WITH_TIMEOUT(connected.count() + connectError.count(), 1, 5000);
    QCOMPARE(connected.count(), 1);
    for (const auto &job : jobs)
        transport.QueueJob(job.first, job.second);
    QTRY_VERIFY_WITH_TIMEOUT(done.count() > 0 || timeout.count() > 0 || sentenceError.count() > 0 ||
                                 commandError.count() > 0,
                             30000);
    QVERIFY2(timeout.isEmpty() && sentenceError.isEmpty() && commandError.isEmpty(),
             qPrintable(transport.LastError()));
    QVERIFY(!transport.IsBusy());
    transport.Disconnect();
    if (shellAnswers)
        *shellAnswers = answers;
}

void TestSimLink::unsolicitedTrafficIsDecoded()
{
    // A unit of its own, so that its sparse traffic (first sent between 1.5
    // and 3 s after the start) reaches a line that is already open.
    SimProcess unit{QStringList()};
    QVERIFY(!unit.port.isEmpty());
    VandrelApplication::instance()->SetPortName(unit.port);

    Model model;
    model.GetAtoN()->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351234"));
    GPSDecoder gps;
    MessageDecoder ais(&model);
    SerialTransport transport(&model);
    connect(&transport, &Transport::Received, &gps, &GPSDecoder::OnReceived);
    connect(&transport, &Transport::Received, &ais, &MessageDecoder::OnReceived);
    QTime fix;
    connect(&gps, &GPSDecoder::GpsDataReceived, this, [&](GpsData *data) {
        if (data)
            fix = data->time;
    });
    QSignalSpy gpsText(&gps, &GPSDecoder::GPSTextMessageReceived);
    QList<uint> status; // RACON, light, health of the first message 21
    connect(&ais, &MessageDecoder::Message21RACONStatus, this, [&](uint v) { status << v; });
    connect(&ais, &MessageDecoder::Message21LightStatus, this, [&](uint v) { status << v; });
    connect(&ais, &MessageDecoder::Message21HealthStatus, this, [&](uint v) { status << v; });
    QSignalSpy texts(&ais, &MessageDecoder::TextMessageReceived);
    int alarms = 0;
    connect(&ais, &MessageDecoder::AlarmReceived, this, [&](AlarmData *) { ++alarms; });
    QSignalSpy connected(&transport, &Transport::Connected);
    transport.Connect(QString());
    QCOMPARE(connected.count(), 1);

    QTRY_VERIFY_WITH_TIMEOUT(
        status.size() >= 3 && alarms >= 3 && !texts.isEmpty() && !gpsText.isEmpty(), 35000);
    QVERIFY(fix.isValid());
    QVERIFY(qAbs(fix.secsTo(QDateTime::currentDateTimeUtc().time())) <= 3);
    QCOMPARE(status.mid(0, 3), QList<uint>({2, 1, 0}));
    QCOMPARE(gpsText.first().first().toString(),
             QStringLiteral("GNSS RECEIVER FW 2.01 (59842)ANTENNA OKTIME PULSE LOCKED"));
    transport.Disconnect();
}

void TestSimLink::retrieveTheSampleUnit()
{
    Model model;
    QStringList answers;
    runJobs(&model,
            {{"Version", false},
             {"Kelvane", false},
             {"Message Schedule", false},
             {"Voltage", false},
             {"Get LIM", false}},
            &answers);
    QCOMPARE(answers, (QStringList{"version 3.10AT.0417", "serial VK0012345", "volts 12600"}));

    const AtoN *a = model.GetAtoN();
    QCOMPARE(a->GetAtoNMMSI()->Mmsi() + " " + a->GetAtoNMMSI()->NewMmsi(),
             QStringLiteral("992351234 992351234"));
    QVERIFY(qAbs(a->GetPosition()->Latitude() - (50 + 47.4512 / 60)) < 1e-7);
    QVERIFY(qAbs(a->GetPosition()->Longitude() + (1 + 6.2275 / 60)) < 1e-7);
    QCOMPARE(a->Name(), QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
    QCOMPARE(QList<int>({a->TypeOfEPFS(), a->PositionAccuracy(), a->Channel1(), a->Channel2(),
                         a->TypeOfAtoN(), a->Racon(), a->OffPositionThreshold(), a->DimensionA(),
                         a->DimensionB(), a->DimensionC(), a->DimensionD()}),
             QList<int>({1, 1, 2087, 2088, 13, 1, 75, 5, 5, 3, 3}));

    // Rows as the unit answers them: message, scheme, slots, intervals, start
    // times; RATDMA and CSTDMA intervals in minutes.
    const MessageSchedule *s = model.GetMessageSchedule();
    QCOMPARE(s->VisibleCount(), 4);
    const QList<QPair<int, QString>> rows = {
        {0, "21 0 120 860 6750 6750 00:00 00:01"},
        {1, "21 0 300 1500 2250 2250 00:01 00:02"},
        {MessageSchedule::FirstRow(6), "6 1 0 0 10 10 00:05 00:10"},
        {MessageSchedule::FirstRow(12) + 1, "12 2 0 0 30 30 06:00 06:15"}};
    for (const auto &row : rows) {
        const MessageScheduleEntry e = s->EntryAt(row.first);
        QVERIFY(e.Active());
        QCOMPARE(QString("%1 %2 %3 %4 %5 %6 %7 %8")
                     .arg(e.MessageId())
                     .arg(e.AccessScheme())
                     .arg(e.StartSlot1())
                     .arg(e.StartSlot2())
                     .arg(e.Interval1())
                     .arg(e.Interval2())
                     .arg(e.StartTime1().toString("hh:mm"), e.StartTime2().toString("hh:mm")),
                 row.second);
    }

    const LanternInterface *lim = model.GetLanternInterface();
    QList<int> values;
    for (int i = 0; i < LanternInterface::ParameterCount; ++i)
        values << lim->ParameterValue(i);
    QCOMPARE(values, QList<int>({1, 10500, 14500, 500, 1500, 25, 1, 247}));
}

void TestSimLink::sendAChangedConfiguration()
{
    Model model;
    runJobs(&model, {{"Kelvane", false}, {"Message Schedule", false}, {"Get LIM", false}});

    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    aton->SetName(QStringLiteral("SOUTH MOLE, INNER BASIN LT 12345"));
    aton->GetPosition()->SetLatitude(-33.5);
    aton->GetPosition()->SetLongitude(18.25);
    aton->SetRacon(false);
    aton->SetOffPositionThreshold(120);
    aton->SetTypeOfAtoN(25); // floating: dimension A stands for all four
    aton->SetDimensionA(7);

    MessageSchedule *s = model.GetMessageSchedule();
    QVERIFY(s->DisableReport(1));
    MessageScheduleEntry binary = s->EntryAt(MessageSchedule::FirstRow(6));
    binary.SetInterval1(15);
    QVERIFY(s->SetEntry(MessageSchedule::FirstRow(6), binary));
    int row = -1;
    QVERIFY(s->AddMessage(8, row));
    MessageScheduleEntry eight = s->EntryAt(row);
    eight.SetStartSlot1(400);
    eight.SetStartSlot2(1400);
    QVERIFY(s->SetEntry(row, eight));
    QVERIFY(s->RemoveEntry(MessageSchedule::FirstRow(12) + 1));
    model.GetLanternInterface()->SetLimvmax(24000);
    model.GetLanternInterface()->SetLimen(false);

    runJobs(&model, {{"Kelvane", true}, {"Message Schedule", true}, {"Set LIM", true}});

    // Read back, everything sent is there.
    Model again;
    runJobs(&again, {{"Kelvane", false}, {"Message Schedule", false}, {"Get LIM", false}});
    const AtoN *a = again.GetAtoN();
    QCOMPARE(a->GetAtoNMMSI()->Mmsi() + " " + a->Name(),
             QStringLiteral("235000001 SOUTH MOLE, INNER BASIN LT 12345"));
    QCOMPARE(a->GetPosition()->Latitude(), -33.5);
    QCOMPARE(a->GetPosition()->Longitude(), 18.25);
    QCOMPARE(QList<int>({a->Racon(), a->OffPositionThreshold(), a->TypeOfAtoN(), a->DimensionA(),
                         a->DimensionD()}),
             QList<int>({0, 120, 25, 7, 7}));
    const MessageSchedule *t = again.GetMessageSchedule();
    QCOMPARE(t->EntryAt(0), s->EntryAt(0));
    QCOMPARE(QList<int>({t->EntryAt(1).StartSlot1(), t->EntryAt(1).StartSlot2()}),
             QList<int>({-1, -1}));
    QCOMPARE(t->EntryAt(MessageSchedule::FirstRow(6)).Interval1(), 15);
    QCOMPARE(t->EntryAt(MessageSchedule::FirstRow(8)), s->EntryAt(MessageSchedule::FirstRow(8)));
    QVERIFY(!t->EntryAt(MessageSchedule::FirstRow(12) + 1).Active());
    QVERIFY(*again.GetLanternInterface() == *model.GetLanternInterface());
}

void TestSimLink::retrievalThroughAFlood()
{
    // Far more lines than the line carries, half of them broken.
    SimProcess unit(QStringList{"--flood", "400"});
    QVERIFY(!unit.port.isEmpty());
    Model model;
    QStringList answers;
    runJobs(&model, {{"Version", false}, {"Kelvane", false}, {"Message Schedule", false}}, &answers,
            unit.port);
    QCOMPARE(answers, (QStringList{"version 3.10AT.0417", "serial VK0012345"}));
    QCOMPARE(model.GetAtoN()->Name(), QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
    QCOMPARE(model.GetMessageSchedule()->VisibleCount(), 4);
}

void TestSimLink::faultsReachTheTransport_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("error");
    QTest::newRow("ACF unanswered") << QStringList{"--no-answer", "ACF"} << "Kelvane"
                                    << "Timeout waiting for response for: ACF";
    QTest::newRow("status C") << QStringList{"--answer-status-c"} << "Kelvane"
                              << "Error parsing the response for: AID";
    QTest::newRow("missing field") << QStringList{"--missing-field"} << "Kelvane"
                                   << "Error parsing the response for: AID";
    QTest::newRow("late") << QStringList{"--late-ms", "1300"} << "Version"
                          << "Timeout waiting for response to command: appver";
    QTest::newRow("corrupt checksums") << QStringList{"--corrupt-checksums"} << "Voltage"
                                       << "Timeout waiting for response to command: battvolts";
}

void TestSimLink::faultsReachTheTransport()
{
    QFETCH(QStringList, options);
    QFETCH(QString, job);
    QFETCH(QString, error);
    SimProcess unit(QStringList{"--fast"} + options);
    QVERIFY(!unit.port.isEmpty());
    VandrelApplication::instance()->SetPortName(unit.port);

    Model model;
    SerialTransport transport(&model);
    QSignalSpy timeout(&transport, &Transport::Timeout);
    QSignalSpy sentenceError(&transport, &Transport::AtoNSentenceError);
    QSignalSpy done(&transport, &Transport::AllJobsComplete);
    transport.Connect(QString());
    QVERIFY(transport.IsConnected());
    transport.QueueJob(job, false);
    QTRY_VERIFY_WITH_TIMEOUT(!timeout.isEmpty() || !sentenceError.isEmpty() || !done.isEmpty(),
                             10000);
    QCOMPARE(transport.LastError(), error);
    QVERIFY(done.isEmpty());
    transport.Disconnect();
}

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication app(argc, argv);
    TestSimLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_simlink.moc"
