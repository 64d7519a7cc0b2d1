// The program's serial transport against the unit simulator: a complete
// retrieval of the simulator's sample unit, then a changed configuration sent
// back and read again.

#include "app/vandrelapplication.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "support/tempsettings.h"
#include "tst_unitsim_client.h"

#include <QSignalSpy>
#include <QtTest>

class TestSimLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void retrieveTheSampleUnitAndSendItChanged();
    void retrievalThroughAFlood();

private:
    // Runs the jobs on a fresh transport over the simulator's line and waits
    // until the queue has run empty; fails on any error.
    void runJobs(Model *model, const QList<QPair<QString, bool>> &jobs,
                 QStringList *shellAnswers = nullptr, const QString &port = QString());

    // Paced like a real line, with its unsolicited traffic and the shell
    // prompt on: the transport must pick its answers out of the rest.
    SimProcess simulator{QStringList{"--prompt"}};
};

void TestSimLink::initTestCase()
{
    QVERIFY(!simulator.port.isEmpty());
}

void TestSimLink::runJobs(Model *model, const QList<QPair<QString, bool>> &jobs,
                          QStringList *shellAnswers, const QString &port)
{
    VandrelApplication::instance()->SetPortName(port.isEmpty() ? simulator.port : port);
    SerialTransport transport(model);
    QSignalSpy done(&transport, &Transport::AllJobsComplete);
    QStringList answers;
    connect(&transport, &Transport::Version, this,
            [&](const QString &v) { answers << "version " + v; });
    connect(&transport, &Transport::ProductSerialNumber, this,
            [&](const QString &v) { answers << "serial " + v; });
    connect(&transport, &Transport::BatteryVoltage, this,
            [&](const QString &v) { answers << "volts " + v; });

    transport.Connect(QString());
    QVERIFY2(transport.IsConnected(), qPrintable(transport.LastError()));
    for (const auto &job : jobs)
        transport.QueueJob(job.first, job.second);
    // Every failure (time-out, refused answer, failed write) leaves its text.
    QTRY_VERIFY_WITH_TIMEOUT(!done.isEmpty() || !transport.LastError().isEmpty(), 30000);
    QVERIFY2(transport.LastError().isEmpty(), qPrintable(transport.LastError()));
    QVERIFY(!transport.IsBusy());
    transport.Disconnect();
    if (shellAnswers)
        *shellAnswers = answers;
}

void TestSimLink::retrieveTheSampleUnitAndSendItChanged()
{
    Model model;
    QStringList answers;
    const QList<QPair<QString, bool>> get = {
        {"Kelvane", false}, {"Message Schedule", false}, {"Get LIM", false}};
    runJobs(&model, QList<QPair<QString, bool>>{{"Version", false}, {"Voltage", false}} + get,
            &answers);
    QCOMPARE(answers, (QStringList{"version 3.10AT.0417", "serial VK0012345", "volts 12600"}));

    AtoN *aton = model.GetAtoN();
    QCOMPARE(aton->GetAtoNMMSI()->Mmsi() + " " + aton->GetAtoNMMSI()->NewMmsi(),
             QStringLiteral("992351234 992351234"));
    QVERIFY(qAbs(aton->GetPosition()->Latitude() - (50 + 47.4512 / 60)) < 1e-7);
    QVERIFY(qAbs(aton->GetPosition()->Longitude() + (1 + 6.2275 / 60)) < 1e-7);
    QCOMPARE(aton->Name(), QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
    QCOMPARE(QList<int>({aton->TypeOfEPFS(), aton->PositionAccuracy(), aton->Channel1(),
                         aton->Channel2(), aton->TypeOfAtoN(), aton->Racon(),
                         aton->OffPositionThreshold(), aton->DimensionA(), aton->DimensionB(),
                         aton->DimensionC(), aton->DimensionD()}),
             QList<int>({1, 1, 2087, 2088, 13, 1, 75, 5, 5, 3, 3}));

    // Rows as the unit answers them: row, message, scheme, slots, intervals
    // (RATDMA and CSTDMA in minutes), start times in minutes of the day.
    MessageSchedule *s = model.GetMessageSchedule();
    QCOMPARE(s->VisibleCount(), 4);
    const QList<QList<int>> rows = {
        {0, 21, 0, 120, 860, 6750, 6750, 0, 1},
        {1, 21, 0, 300, 1500, 2250, 2250, 1, 2},
        {MessageSchedule::FirstRow(6), 6, 1, 0, 0, 10, 10, 5, 10},
        {MessageSchedule::FirstRow(12) + 1, 12, 2, 0, 0, 30, 30, 360, 375}};
    for (const QList<int> &row : rows) {
        const MessageScheduleEntry e = s->EntryAt(row[0]);
        QVERIFY(e.Active());
        QCOMPARE(
            QList<int>({row[0], e.MessageId(), e.AccessScheme(), e.StartSlot1(), e.StartSlot2(),
                        e.Interval1(), e.Interval2(), e.StartTime1().msecsSinceStartOfDay() / 60000,
                        e.StartTime2().msecsSinceStartOfDay() / 60000}),
            row);
    }

    LanternInterface *lim = model.GetLanternInterface();
    QList<int> values;
    for (int i = 0; i < LanternInterface::ParameterCount; ++i)
        values << lim->ParameterValue(i);
    QCOMPARE(values, QList<int>({1, 10500, 14500, 500, 1500, 25, 1, 247}));

    // A changed configuration sent back: everything sent is read again.
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    aton->SetName(QStringLiteral("SOUTH MOLE, INNER BASIN LT 12345"));
    aton->GetPosition()->SetLatitude(-33.5);
    aton->GetPosition()->SetLongitude(18.25);
    aton->SetRacon(false);
    aton->SetOffPositionThreshold(120);
    aton->SetTypeOfAtoN(25); // floating: dimension A stands for all four
    aton->SetDimensionA(7);

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
    lim->SetLimvmax(24000);
    lim->SetLimen(false);

    runJobs(&model, {{"Kelvane", true}, {"Message Schedule", true}, {"Set LIM", true}});
    Model again;
    runJobs(&again, get);
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
    QVERIFY(*again.GetLanternInterface() == *lim);
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

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication app(argc, argv);
    TestSimLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_simlink.moc"
