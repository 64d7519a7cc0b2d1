// A whole session against the unit simulator: retrieve to a file, change the
// file, send it, retrieve again and compare; a send the unit does not take
// in full; a schedule refused before anything is sent.

#include "tst_cli_support.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestCliEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void retrieveChangeSendRetrieveGivesNoDifference();
    void sendRefusedOrNotTakenInFull();
    void monitorDecodesLiveTrafficUntilStopped();

private:
    QString Path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

void TestCliEndToEnd::retrieveChangeSendRetrieveGivesNoDifference()
{
    Simulator unit({"--fast"});
    QVERIFY(!unit.port.isEmpty());
    const QString retrieved = Path("retrieved.pad");
    const CliRun first = RunCli({"retrieve", "--port", unit.port, "-o", retrieved});
    QVERIFY2(first.status == 0, qPrintable(first.err));
    // Progress names the jobs and their steps.
    QVERIFY(first.err.contains(QStringLiteral("Kelvane: query ACF")));
    QVERIFY(first.err.contains(QStringLiteral("Get LIM: get limpthresh")));
    Model model;
    QVERIFY(PadFile::Load(retrieved, &model, nullptr) == PadFile::Done);
    // The sample unit, not a default configuration.
    QCOMPARE(model.GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("992351234"));

    // The changes an engineer makes, through the model.
    AtoN *aton = model.GetAtoN();
    aton->SetName(QStringLiteral("SOUTH MOLE, OUTER HARBOUR LIGHT 34")); // 34 characters
    aton->GetPosition()->SetLatitude(-(33 + 30.75 / 60));
    aton->GetPosition()->SetLongitude(-(118 + 14.808 / 60));
    aton->SetChannel1(2006);
    aton->SetChannel2(1060);
    MessageSchedule *schedule = model.GetMessageSchedule();
    int row = -1;
    QVERIFY(schedule->AddMessage(8, row));
    MessageScheduleEntry entry = schedule->EntryAt(row);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetStartTime1(QTime(7, 15));
    entry.SetInterval1(3);
    entry.SetStartTime2(QTime(7, 45));
    entry.SetInterval2(12);
    QVERIFY(schedule->SetEntry(row, entry));
    LanternInterface *lim = model.GetLanternInterface();
    lim->SetLimen(true);
    lim->SetLimvmax(24000);
    lim->SetLimion(250);
    lim->SetLimigain(false);
    lim->SetLimpthresh(420);
    const QString changed = SavePad(Path("changed.pad"), model);

    const CliRun send = RunCli({"send", "--port", unit.port, changed});
    QVERIFY2(send.status == 0 && send.out.isEmpty(), qPrintable(send.out + send.err));
    QVERIFY(send.err.contains(QStringLiteral("Set LIM: set limvmax = 24000")));
    QVERIFY(send.err.contains(QStringLiteral("The unit holds every field sent.")));

    const QString again = Path("again.pad");
    QCOMPARE(unit.Retrieve(again), 0);
    const CliRun diff = RunCli({"diff", changed, again});
    QVERIFY2(diff.status == 0 && diff.out.isEmpty(), qPrintable(diff.out));
    // And the comparison is not blind: the first retrieval differs.
    const CliRun before = RunCli({"diff", retrieved, again});
    QCOMPARE(before.status, 1);
    QVERIFY(before.out.contains(QStringLiteral("\"SOUTH MOLE, OUTER HARBOUR LIGHT 34\"")));
    QVERIFY(before.out.contains(QStringLiteral("Schedule 8/1 Access Scheme: (none) -> RATDMA")));

    // Without -o the configuration is printed.
    const CliRun printed = RunCli({"retrieve", "--port", unit.port});
    QCOMPARE(printed.status, 0);
    QVERIFY(printed.out.contains(QString::fromUtf8("118° 14.8080' W")));
}

void TestCliEndToEnd::sendRefusedOrNotTakenInFull()
{
    Simulator unit({"--fast", "--quiet"});
    Model model;
    const QString retrieved = Path("clash.pad");
    QCOMPARE(unit.Retrieve(retrieved, &model), 0);
    Model clashing;
    clashing = model;
    MessageScheduleEntry normal = clashing.GetMessageSchedule()->EntryAt(0);
    normal.SetStartSlot1(10);
    normal.SetStartSlot2(11);
    normal.SetInterval1(6750);
    normal.SetInterval2(4500);
    QVERIFY(clashing.GetMessageSchedule()->SetEntry(0, normal));
    clashing.GetAtoN()->SetName(QStringLiteral("NOT SENT"));
    clashing.GetLanternInterface()->SetLimvmax(30000);
    const CliRun refused = RunCli({"send", "--port", unit.port, SavePad(Path("c.pad"), clashing)});
    QCOMPARE(refused.status, 3);
    QVERIFY2(
        refused.err.contains(QStringLiteral("The message schedule set risks clashing timeslots.")),
        qPrintable(refused.err));
    // Neither tab went out.
    QVERIFY(!refused.err.contains(QStringLiteral(": set ")));
    QCOMPARE(unit.Retrieve(Path("afterclash.pad")), 0);
    QCOMPARE(RunCli({"diff", retrieved, Path("afterclash.pad")}).status, 0);

    // The unit refuses an ACF whose type of EPFS is out of its range, and
    // with it the new position; the ACE with the new name is taken.
    model.GetAtoN()->SetTypeOfEPFS(16);
    model.GetAtoN()->GetPosition()->SetLatitude(10.25);
    model.GetAtoN()->SetName(QStringLiteral("TAKEN"));
    const CliRun send = RunCli({"send", "--port", unit.port, SavePad(Path("refusing.pad"), model)});
    QCOMPARE(send.status, 1);
    QVERIFY2(send.out.contains(QStringLiteral("Type of EPFS: 16 (unknown code) -> 1 Autonomous")),
             qPrintable(send.out));
    QVERIFY(send.out.contains(QString::fromUtf8("Latitude: 10° 15.0000' N -> ")));
    QVERIFY(!send.out.contains(QStringLiteral("Name:")));
}

void TestCliEndToEnd::monitorDecodesLiveTrafficUntilStopped()
{
    Simulator unit({"--fast"});
    QVERIFY(!unit.port.isEmpty());
    QProcess monitor;
    monitor.start(QStringLiteral(VANDREL_CLI),
                  {"monitor", "--port", unit.port, "--mmsi", "992351234"});
    QVERIFY(monitor.waitForStarted());
    // The unit reports its fix every second and its own message 21 now and then.
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (
        clock.elapsed() < 20000 &&
        !(out.contains("\nGPS ") && out.contains("AIS 21 992351234: ") && out.contains("ALARM "))) {
        monitor.waitForReadyRead(200);
        out += monitor.readAllStandardOutput();
    }
    // SIGTERM ends it like Ctrl-C: the port is closed and the status is 0.
    monitor.terminate();
    QVERIFY(monitor.waitForFinished(5000));
    out += monitor.readAllStandardOutput();
    QCOMPARE(monitor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(monitor.exitCode(), 0);
    const QString text = QString::fromUtf8(out);
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral(
                 "GPS \\d\\d:\\d\\d:\\d\\d \\d{4}-\\d\\d-\\d\\d 50\u00b0 47\\.\\d{4}' N"))),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("AIS 21 992351234: RACON")));
    QVERIFY(text.contains(QStringLiteral("ALARM ")));
    // The port is free again.
    QCOMPARE(RunCli({"retrieve", "--port", unit.port}).status, 0);
}

QTEST_GUILESS_MAIN(TestCliEndToEnd)
#include "tst_cli_endtoend.moc"
