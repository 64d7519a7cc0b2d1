// Every failure of a transfer ends with its message, a non-zero status and
// no file written: a unit that falls silent, a corrupted answer, a busy or
// missing port, a line that closes, and a truncated configuration file.
// Also wrong command lines and the decoding of a traffic log.

#include "tst_cli_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <QtTest>

class TestCliFailures : public CliTest
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void failedRetrieveWritesNoFile();
    void refusedCommands();
    void replayDecodesALog();
};

void TestCliFailures::failedRetrieveWritesNoFile()
{
    // With earlier, a file from an earlier retrieval is in the way.
    const auto failed = [](const QStringList &switches, const QString &message, bool earlier) {
        Simulator unit(QStringList{"--fast"} + switches);
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("unit.pad"));
        QVERIFY(!earlier || WriteBytes(path, "earlier"));
        const CliRun run = RunCli({"retrieve", "--port", unit.port, "-o", path});
        QVERIFY2(run.status == 3 && run.err.contains(message),
                 qPrintable(switches.join(QLatin1Char(' ')) + QStringLiteral(": ") + run.err));
        // No file begun, none left behind half written, an earlier one untouched.
        QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::Hidden),
                 earlier ? QStringList{"unit.pad"} : QStringList());
        QFile file(path);
        QVERIFY(!earlier || (file.open(QIODevice::ReadOnly) && file.readAll() == "earlier"));
    };
    // The message names the step, the query or command and what it reads.
    failed({"--no-answer", "ACF"},
           "Error reading from the AtoN: Reading the AtoN settings 2 of 3 failed. No answer to the "
           "ACF query (the AtoN settings: type, position, channels) within 1 s.",
           true);
    failed({"--no-answer", "nvgeti"}, "settings 1 of 8 failed. No answer to the lantern query",
           false);
    // A unit that never names itself leaves no name to show as the unit's.
    failed({"--no-answer", "ACE"}, "No answer to the ACE query (the AtoN's name)", false);
    failed({"--missing-field"}, "settings 1 of 3 failed. The answer to the AID query (", true);
    failed({"--corrupt-checksums"}, "No answer to the command appver", false);
    failed({"--close-after", "2"}, "hung up", true);

    // Answers the unit cannot have meant end the transfer, naming the query
    // and the field (the sample unit's MMSI is 992351234).
    const QList<QPair<QString, QString>> badAnswers{
        {"empty-value", "appver (the unit's software version) was refused: the answer text"},
        {"lantern-range", "\"limen\" (lantern interface on or off) was refused: limen: 99999999"},
        {"acf-range", "channels) was refused: field 2, type of EPFS: 99 is outside 0 to 15"},
        {"lonely-continuation", "(the AtoN's name) was refused: field 7, name: a continuation"},
        {"second-unit", "field 1, MMSI: 992351231, while the unit answered as 992351234"},
        {"other-mmsi", "field 1, MMSI: 992351231 is another unit than 992351234"},
        {"huge-instance", "AAR query (the message schedule) was refused: field 3, instance"}};
    for (const auto &bad : badAnswers)
        failed({"--bad-answer", bad.first}, bad.second, bad.first == "acf-range");
    // Empty latitude and longitude fields are NMEA's "no value", not 0/0.
    {
        Simulator unit({"--fast", "--quiet", "--bad-answer", "empty-position"});
        Model model;
        QCOMPARE(unit.Retrieve(Path("empty-position.pad"), &model), 0);
        const GeoPosition *position = model.GetAtoN()->GetPosition();
        QCOMPARE(QList<double>({position->Latitude(), position->Longitude()}),
                 QList<double>({91.0, 181.0}));
    }
    // A program that only reads learns of the closed line too.
    Simulator closing({"--fast", "--close-after", "1"});
    const CliRun monitor = RunCli({"monitor", "--port", closing.port}, 20000);
    QVERIFY2(monitor.status == 3 && monitor.err.contains("The line to the unit closed: "),
             qPrintable(monitor.err));
}

void TestCliFailures::refusedCommands()
{
    Simulator unit({"--fast", "--quiet"});
    const QString busy = QStringLiteral("Error connecting to the AtoN: The serial port %1 is busy");
    const QString good = SavePad(Path("good.pad"), Model());
    const QString cut = Path("cut.pad");
    QVERIFY(WriteBytes(cut, PadFile::ToBytes(Model()).chopped(10)));
    const QString truncated = cut + QStringLiteral(": The file ends before the configuration");
    const QString out = Path("busy.pad");
    // Without opensPort the refusal must come before the port is opened.
    const auto refused = [](const QStringList &arguments, const QString &message, bool opensPort) {
        const CliRun run = RunCli(arguments, 20000);
        QVERIFY2(run.status == 3 && run.err.contains(message) && run.out.isEmpty(),
                 qPrintable(arguments.join(QLatin1Char(' ')) + QStringLiteral(": ") + run.err));
        QVERIFY(opensPort || !run.err.contains(QStringLiteral("Connecting")));
    };
    QSerialPort holder(unit.port);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    refused({"retrieve", "--port", unit.port, "-o", out}, busy.arg(unit.port), true);
    QVERIFY(!QFile::exists(out));
    refused({"monitor", "--port", unit.port}, busy.mid(30).arg(unit.port), true);
    const QString nowhere = QStringLiteral("/dev/no-such-port-here");
    refused({"send", "--port", nowhere, good},
            "Error connecting to the AtoN: The serial port " + nowhere + " is not present.", true);
    refused({"retrieve", "--port", unit.port, "-o", Path("no-dir/x.pad")},
            "Could not save file: ", false);
    refused({"send", "--port", unit.port, cut}, truncated, false);
    refused({"show", cut}, truncated, false);
    refused({"diff", good, cut}, truncated, false);
    refused({"show", Path("no.pad")}, "Could not open file: " + Path("no.pad"), false);
    refused({"replay", Path("no.log")}, "Could not read " + Path("no.log"), false);
    // Wrong command lines end with status 2, a request for help with 0.
    const QStringList usageErrors[] = {{},
                                       {"fetch"},
                                       {"show"},
                                       {"diff", good},
                                       {"show", good, "--fast"},
                                       {"retrieve", "-o", good}};
    for (const QStringList &arguments : usageErrors)
        QVERIFY2(RunCli(arguments).status == 2, qPrintable(arguments.join(QLatin1Char(' '))));
    const CliRun help = RunCli({"--help"});
    QVERIFY(help.status == 0 && help.out.contains(QStringLiteral("vandrel-cli send --port PATH")));
    // Without the unit's MMSI a send would be addressed to no unit: it ends
    // with an error before anything goes out.
    Simulator nameless({"--fast", "--quiet", "--no-answer", "AID"});
    const QJsonObject held = nameless.State();
    Model sendable;
    sendable.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    QVERIFY(sendable.GetMessageSchedule()->DisableReport(0));
    const CliRun send = RunCli({"send", "--port", nameless.port, SavePad(Path("s.pad"), sendable)});
    QVERIFY2(send.status == 3 && !send.err.contains(": set "), qPrintable(send.err));
    QCOMPARE(nameless.State(), held);
    // Once the port is free again the same retrieval works.
    holder.close();
    QCOMPARE(unit.Retrieve(out), 0);
}

void TestCliFailures::replayDecodesALog()
{
    // A traffic log as the serial line controller writes it: header and
    // footer lines, received lines without carriage returns, one sent line.
    const QString log = Path("traffic.log");
    QVERIFY(WriteBytes(
        log, "#\n# vandrel Started log file at 12:00:00 2026/12/06\n#\n"
             "$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*78\n"
             "$GPGSA,A,3,02,05,13,15,20,24,29,,,,,,1.6,0.9,1.3*30\n"
             ">$PVKX,0,0,0x6E2D9A41,2,appver,0*00\n"
             "$AIAID,992351234,1,992351234,R,R*59\n"
             "!AIVDO,1,1,,A,E>jHD0VW7a:4@84RaF@;Rab@40aOuNCu>R0R050`HHpQ80SmD`1CU4PCPi@,2*37\n"
             "$AIALR,201149.87,061,V,A,AtoN: supply voltage low*7E\n"
             // A text's escape sequence and reversal are shown, not obeyed.
             "$AITXT,01,01,21,AtoN: lantern on\x1b[2J caf\xc3\xa9\xe2\x80\xae*B8\n"
             "$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*00\n"
             "#\n# vandrel Stopped log file at 12:00:01 2026/12/06\n#\n"));
    // The MMSI of the AID answer makes the next message 21 the unit's own;
    // the sent line, the header, and the line with a wrong checksum show nothing.
    const QStringList expected{
        QString::fromUtf8("GPS 20:11:48 2026-12-06 50° 47.4495' N 001° 6.2246' W 0.0 kn 211.6 "
                          "deg autonomous"),
        "GPS 3D fix, 0 satellites used, 0 in view",
        "UNIT MMSI 992351234",
        "AIS 21 992351234: RACON operational, light on, health good",
        "ALARM 061 20:11:49 cleared, acknowledged: AtoN: supply voltage low",
        QString::fromUtf8("TEXT AtoN: lantern on\\x1b[2J caf\xc3\xa9\\u202e")};
    for (const QStringList &fast : {QStringList{}, QStringList{"--fast"}}) {
        const CliRun run = RunCli(QStringList{"replay", log} + fast);
        QVERIFY2(run.status == 0 && run.err.contains(QStringLiteral("Replayed 7 lines")),
                 qPrintable(run.err));
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    }
    // The same events as JSON objects, one a line.
    const CliRun json = RunCli({"replay", "--json", log});
    QStringList events;
    QJsonObject report;
    QJsonObject alarm;
    for (const QString &line : json.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        events << o.value("event").toString();
        if (events.last() == "message21")
            report = o;
        else if (events.last() == "alarm")
            alarm = o;
    }
    QCOMPARE(events, QStringList({"gps", "satellites", "unit_mmsi", "message21", "alarm", "text"}));
    QCOMPARE(report.value("racon").toString(), QStringLiteral("RACON operational"));
    QCOMPARE(report.value("off_position").toBool(), false);
    QVERIFY(qAbs(report.value("latitude").toDouble() - 50.79) < 0.01);
    QCOMPARE(alarm.value("number").toInt(), 61);
    QCOMPARE(alarm.value("active").toBool(), false);
    QCOMPARE(alarm.value("time").toString(), QStringLiteral("20:11:49"));
    QVERIFY(json.out.contains(QStringLiteral("lantern on\\u001b[2J caf\u00e9\\u202e\"")));
    // Another MMSI given: the report is not the unit's.
    QVERIFY(!RunCli({"replay", "--mmsi", "123456789", log}).out.contains(QStringLiteral("AIS 21")));
}

QTEST_GUILESS_MAIN(TestCliFailures)
#include "tst_cli_failures.moc"
