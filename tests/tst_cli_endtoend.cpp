// Whole sessions against the unit simulator: retrieve to a file, change the
// file, send it, retrieve again and compare; a send the unit does not take in
// full; a schedule refused before anything is sent; live monitoring.

#include "tst_cli_support.h"

#include <QtTest>

class TestCliEndToEnd : public CliTest
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void retrieveChangeSendRetrieveGivesWhatWasSent();
    void sendRefusedOrNotTakenInFull();
    void monitorDecodesLiveTrafficUntilStopped();
};

void TestCliEndToEnd::retrieveChangeSendRetrieveGivesWhatWasSent()
{
    // Paced like a real line, with its unsolicited traffic, the shell prompt
    // and a flood of lines (half of them broken) beyond what the line
    // carries: the answers are picked out of the rest, and the unit is read
    // as from a quiet line.
    Simulator unit({"--prompt", "--flood", "400"});
    const QString retrieved = Path("retrieved.pad");
    Model model;
    QCOMPARE(unit.Retrieve(retrieved, &model), 0);
    Model quiet;
    QCOMPARE(Simulator({"--fast", "--quiet"}).Retrieve(Path("quiet.pad"), &quiet), 0);
    QVERIFY(model == quiet);

    QVERIFY(ChangeAsAnEngineer(&model));
    // Also a new MMSI, a floating type (dimension A stands for all four, as
    // read back), the off-position report and a variant row taken out (both go out with
    // start slots -1, which the unit takes as disabled), the lantern off.
    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    aton->SetRacon(false);
    aton->SetOffPositionThreshold(120);
    aton->SetTypeOfAtoN(25);
    aton->SetDimensionA(7);
    QVERIFY(model.GetMessageSchedule()->DisableReport(1));
    QVERIFY(model.GetMessageSchedule()->RemoveEntry(MessageSchedule::FirstRow(12) + 1));
    model.GetLanternInterface()->SetLimen(false);
    const QString changed = SavePad(Path("changed.pad"), model);

    const CliRun send = RunCli({"send", "--port", unit.port, changed});
    QVERIFY2(send.status == 0 && send.out.isEmpty(), qPrintable(send.out + send.err));
    QVERIFY(send.err.contains(QStringLiteral("Set LIM: set limvmax = 32299")));

    const QString again = Path("again.pad");
    QCOMPARE(unit.Retrieve(again), 0);
    const CliRun diff = RunCli({"diff", changed, again});
    QVERIFY2(diff.status == 1 && diff.out == "MMSI held by the unit: 992351234 -> 235000001\n"
                                             "Dimension B: 5 m -> 7 m\nDimension C: 3 m -> 7 m\n"
                                             "Dimension D: 3 m -> 7 m\n",
             qPrintable(diff.out));
}

void TestCliEndToEnd::sendRefusedOrNotTakenInFull()
{
    // A unit that ignores every ACE sentence and the maximum voltage.
    Simulator unit({"--fast", "--quiet", "--refuse", "ACE", "--refuse", "nvseti \"limvmax\""});
    Model model;
    const QString retrieved = Path("clash.pad");
    QCOMPARE(unit.Retrieve(retrieved, &model), 0);
    // Refused before anything goes out: clashing slots (with both tabs
    // changed), and a value out of the unit's range, named.
    Model clashing;
    clashing = model;
    MessageScheduleEntry normal = clashing.GetMessageSchedule()->EntryAt(0);
    normal.SetStartSlot1(10);
    normal.SetStartSlot2(11);
    normal.SetInterval2(4500);
    QVERIFY(clashing.GetMessageSchedule()->SetEntry(0, normal));
    QVERIFY(ChangeAsAnEngineer(&clashing));
    Model outOfRange;
    outOfRange = model;
    outOfRange.GetAtoN()->SetTypeOfEPFS(16);
    for (const auto &[file, text] :
         {std::pair{SavePad(Path("c.pad"), clashing),
                    QStringLiteral("The message schedule set risks clashing timeslots.")},
          std::pair{SavePad(Path("r.pad"), outOfRange),
                    QStringLiteral("Type of EPFS: 16 is outside 0 to 15")}}) {
        const CliRun refused = RunCli({"send", "--port", unit.port, file});
        QVERIFY2(refused.status == 3 && refused.err.contains(text), qPrintable(refused.err));
    }
    QCOMPARE(unit.Retrieve(Path("afterclash.pad")), 0);
    QCOMPARE(RunCli({"diff", retrieved, Path("afterclash.pad")}).status, 0);

    // The read-back names what the unit did not take; the new position went
    // out in the ACF, addressed by the MMSI the unit holds.
    model.GetAtoN()->GetPosition()->SetLatitude(10.25);
    model.GetAtoN()->SetName(QStringLiteral("NOT TAKEN"));
    model.GetLanternInterface()->SetLimvmax(13000);
    const CliRun send = RunCli({"send", "--port", unit.port, SavePad(Path("refusing.pad"), model)});
    QVERIFY2(
        send.status == 1 &&
            send.out.contains("The unit did not take 2 fields (sent -> held):\n"
                              "  Name: \"NOT TAKEN\" -> \"NORTH PIER, WEST HARBOUR ENTRANCE\"\n"
                              "  Maximum voltage: 13.000 V -> 14.500 V\n"),
        qPrintable(send.out + send.err));
    QCOMPARE(unit.Retrieve(Path("after.pad"), &model), 0);
    QCOMPARE(model.GetAtoN()->GetPosition()->Latitude(), 10.25);
}

void TestCliEndToEnd::monitorDecodesLiveTrafficUntilStopped()
{
    Simulator unit({"--fast"});
    QProcess monitor;
    monitor.start(QStringLiteral(VANDREL_CLI),
                  {"monitor", "--port", unit.port, "--mmsi", "992351234"});
    // The unit reports its fix every second and its own message 21 now and then.
    QByteArray out;
    const auto seen = [&out] {
        return out.contains("\nGPS ") && out.contains("AIS 21 992351234: RACON");
    };
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && !seen()) {
        monitor.waitForReadyRead(200);
        out += monitor.readAllStandardOutput();
    }
    QVERIFY2(seen(), out.constData());
    // SIGTERM ends it like Ctrl-C: the port is closed and the status is 0.
    monitor.terminate();
    QVERIFY(monitor.waitForFinished(5000));
    QCOMPARE(monitor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(monitor.exitCode(), 0);
    // The port is free again; without -o the configuration is printed.
    const CliRun printed = RunCli({"retrieve", "--port", unit.port});
    QVERIFY2(printed.status == 0 &&
                 printed.out.contains(QStringLiteral("\"NORTH PIER, WEST HARBOUR ENTRANCE\"")),
             qPrintable(printed.err));
}

QTEST_GUILESS_MAIN(TestCliEndToEnd)
#include "tst_cli_endtoend.moc"
