// The program's serial transport against the unit simulator: a complete
// retrieval of the simulator's sample unit, then a changed configuration sent
// back and read again.

#include "app/vandrelapplication.h"
#include "decode/alarmdata.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "lim/lanterninterface.h"
#include "link/serialtransport.h"
#include "model/aton.h"
#include "model/atonmmsi.h"
#include "model/geoposition.h"
#include "model/messageschedule.h"
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
    QSignalSpy racon(&ais, &MessageDecoder::Message21RACONStatus);
    QSignalSpy light(&ais, &MessageDecoder::Message21LightStatus);
    QSignalSpy health(&ais, &MessageDecoder::Message21HealthStatus);
    QSignalSpy texts(&ais, &MessageDecoder::TextMessageReceived);
    int alarms = 0;
    connect(&ais, &MessageDecoder::AlarmReceived, this, [&](AlarmData *) { ++alarms; });
    QSignalSpy connected(&transport, &Transport::Connected);
    transport.Connect(QString());
    QCOMPARE(connected.count(), 1);

    QTRY_VERIFY_WITH_TIMEOUT(
        !racon.isEmpty() && alarms >= 3 && !texts.isEmpty() && !gpsText.isEmpty(), 35000);
    QVERIFY(fix.isValid());
    QVERIFY(qAbs(fix.secsTo(QDateTime::currentDateTimeUtc().time())) <= 3);
    QCOMPARE(racon.first().first().toUInt(), 2u);
    QCOMPARE(light.first().first().toUInt(), 1u);
    QCOMPARE(health.first().first().toUInt(), 0u);
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
    QCOMPARE(answers, (QStringList{"version 3.10AT.0417", "serial VK0012345", "volts 12.6"}));

    const AtoN *aton = model.GetAtoN();
    QCOMPARE(aton->GetAtoNMMSI()->Mmsi(), QStringLiteral("992351234"));
    QCOMPARE(aton->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351234"));
    QCOMPARE(aton->TypeOfEPFS(), 1);
    QVERIFY(qAbs(aton->GetPosition()->Latitude() - (50 + 47.4512 / 60)) < 1e-7);
    QVERIFY(qAbs(aton->GetPosition()->Longitude() + (1 + 6.2275 / 60)) < 1e-7);
    QCOMPARE(aton->PositionAccuracy(), 1);
    QCOMPARE(aton->Channel1(), 2087);
    QCOMPARE(aton->Channel2(), 2088);
    QCOMPARE(aton->TypeOfAtoN(), 13);
    QVERIFY(aton->Racon());
    QCOMPARE(aton->OffPositionThreshold(), 75);
    QCOMPARE(aton->Name(), QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
    QCOMPARE(aton->DimensionA(), 5);
    QCOMPARE(aton->DimensionB(), 5);
    QCOMPARE(aton->DimensionC(), 3);
    QCOMPARE(aton->DimensionD(), 3);

    const MessageSchedule *s = model.GetMessageSchedule();
    const MessageScheduleEntry normal = s->EntryAt(0);
    QCOMPARE(normal.MessageId(), 21);
    QCOMPARE(normal.StartSlot1(), 120);
    QCOMPARE(normal.StartSlot2(), 860);
    QCOMPARE(normal.StartTime2(), QTime(0, 1));
    QCOMPARE(normal.Interval1(), 6750);
    const MessageScheduleEntry offPosition = s->EntryAt(1);
    QVERIFY(offPosition.Active());
    QCOMPARE(offPosition.StartSlot1(), 300);
    QCOMPARE(offPosition.Interval2(), 2250);
    const MessageScheduleEntry binary = s->EntryAt(MessageSchedule::FirstRow(6));
    QVERIFY(binary.Active());
    QCOMPARE(binary.MessageId(), 6);
    QCOMPARE(binary.AccessScheme(), 1);
    QCOMPARE(binary.Interval1(), 10); // minutes
    QCOMPARE(binary.StartTime2(), QTime(0, 10));
    const MessageScheduleEntry variant = s->EntryAt(MessageSchedule::FirstRow(12) + 1);
    QVERIFY(variant.Active());
    QCOMPARE(variant.MessageId(), 12);
    QCOMPARE(variant.AccessScheme(), 2);
    QCOMPARE(variant.Interval2(), 30);
    QCOMPARE(variant.StartTime1(), QTime(6, 0));
    QCOMPARE(s->VisibleCount(), 4);

    const LanternInterface *lim = model.GetLanternInterface();
    QVERIFY(lim->GetLimen());
    QCOMPARE(lim->GetLimvmin(), 10500);
    QCOMPARE(lim->GetLimvmax(), 14500);
    QCOMPARE(lim->GetLimton(), 500);
    QCOMPARE(lim->GetLimtoff(), 1500);
    QCOMPARE(lim->GetLimion(), 25);
    QVERIFY(lim->GetLimigain());
    QCOMPARE(lim->GetLimpthresh(), 247);
}

void TestSimLink::sendAChangedConfiguration()
{
    Model model;
    runJobs(&model, {{"Kelvane", false}, {"Message Schedule", false}, {"Get LIM", false}});

    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    aton->GetAtoNMMSI()->SetAidFlag(true);
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

    Model again;
    runJobs(&again, {{"Kelvane", false}, {"Message Schedule", false}, {"Get LIM", false}});
    const AtoN *a = again.GetAtoN();
    QCOMPARE(a->GetAtoNMMSI()->Mmsi(), QStringLiteral("235000001"));
    QCOMPARE(a->Name(), QStringLiteral("SOUTH MOLE, INNER BASIN LT 12345"));
    QCOMPARE(a->GetPosition()->Latitude(), -33.5);
    QCOMPARE(a->GetPosition()->Longitude(), 18.25);
    QVERIFY(!a->Racon());
    QCOMPARE(a->OffPositionThreshold(), 120);
    QCOMPARE(a->TypeOfAtoN(), 25);
    QCOMPARE(a->DimensionA(), 7);
    QCOMPARE(a->DimensionD(), 7);

    const MessageSchedule *t = again.GetMessageSchedule();
    QCOMPARE(t->EntryAt(1).StartSlot1(), -1);
    QCOMPARE(t->EntryAt(1).StartSlot2(), -1);
    QCOMPARE(t->EntryAt(MessageSchedule::FirstRow(6)).Interval1(), 15);
    const MessageScheduleEntry e = t->EntryAt(MessageSchedule::FirstRow(8));
    QVERIFY(e.Active());
    QCOMPARE(e.MessageId(), 8);
    QCOMPARE(e.StartSlot1(), 400);
    QCOMPARE(e.StartSlot2(), 1400);
    QVERIFY(!t->EntryAt(MessageSchedule::FirstRow(12) + 1).Active());
    QCOMPARE(t->EntryAt(0), s->EntryAt(0));

    QCOMPARE(again.GetLanternInterface()->GetLimvmax(), 24000);
    QVERIFY(!again.GetLanternInterface()->GetLimen());
    QCOMPARE(again.GetLanternInterface()->GetLimton(), 500);
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
