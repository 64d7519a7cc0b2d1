// Every failure of a transfer ends with its message, a non-zero status and
// no file written: a unit that falls silent, a corrupted answer, a busy or
// missing port, a line that closes, and a truncated configuration file.

#include "tst_cli_support.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

class TestCliFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void failedRetrieveWritesNoFile_data();
    void failedRetrieveWritesNoFile();
    void busyOrMissingPort();
    void truncatedFileIsNotSent();
    void replayDecodesALog();

private:
    QString Path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

void TestCliFailures::failedRetrieveWritesNoFile_data()
{
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<QString>("message");
    // Silent after the AID answers: the one awaited ACF answer never comes.
    QTest::newRow("silent mid-transfer")
        << QStringList{"--no-answer", "ACF"}
        << QStringLiteral("Error communicating with the Device: A timeout occurred. (Timeout "
                          "waiting for response for: ACF)");
    // Silent on the lantern values, which come while presence polling runs.
    QTest::newRow("silent during polling")
        << QStringList{"--no-answer", "nvgeti"}
        << QStringLiteral("(Timeout waiting for response to command: nvgeti \"limen\")");
    QTest::newRow("malformed answer")
        << QStringList{"--missing-field"}
        << QStringLiteral("Error reading an NMEA sentence from the AtoN: NMEA sentence: AID");
    QTest::newRow("corrupted checksums")
        << QStringList{"--corrupt-checksums"}
        << QStringLiteral("Error communicating with the Device: A timeout occurred.");
    QTest::newRow("line closes") << QStringList{"--close-after", "2"} << QStringLiteral("hung up");
}

void TestCliFailures::failedRetrieveWritesNoFile()
{
    QFETCH(QStringList, switches);
    QFETCH(QString, message);
    Simulator unit(QStringList{"--fast"} + switches);
    QVERIFY(!unit.port.isEmpty());
    // A file from an earlier retrieval must survive a failed one.
    const QString earlier = Path("earlier.pad");
    QVERIFY(WriteBytes(earlier, "earlier"));
    const QString fresh = Path("fresh.pad");

    const CliRun run = RunCli({"retrieve", "--port", unit.port, "-o", fresh});
    QCOMPARE(run.status, 3);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("fresh")).isEmpty());

    if (switches.contains(QStringLiteral("--close-after")))
        return;
    QCOMPARE(unit.Retrieve(earlier), 3);
    QFile old(earlier);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("earlier"));
}

void TestCliFailures::busyOrMissingPort()
{
    Simulator unit({"--fast", "--quiet"});
    QVERIFY(!unit.port.isEmpty());
    const QString busyText = QStringLiteral(
        "Error connecting to the AtoN: An error was encountered in trying to open the serial "
        "port.  The port may be busy or resetting. ( 1 ).");
    const QString out = Path("busy.pad");
    {
        QSerialPort holder(unit.port);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const CliRun busy = RunCli({"retrieve", "--port", unit.port, "-o", out});
        QCOMPARE(busy.status, 3);
        QVERIFY2(busy.err.contains(busyText), qPrintable(busy.err));
        QVERIFY(!QFile::exists(out));
        const CliRun monitor = RunCli({"monitor", "--port", unit.port}, 10000);
        QCOMPARE(monitor.status, 3);
        QVERIFY2(monitor.err.contains(QStringLiteral("probably blocked")), qPrintable(monitor.err));
    }
    // Once the port is free again the same command works.
    QCOMPARE(unit.Retrieve(out), 0);

    // A file that cannot be written is found out before the unit is asked.
    const CliRun unwritable = RunCli({"retrieve", "--port", unit.port, "-o", Path("no-dir/x.pad")});
    QCOMPARE(unwritable.status, 3);
    QVERIFY(unwritable.err.contains(QStringLiteral("Could not save file: ")));
    QVERIFY(!unwritable.err.contains(QStringLiteral("Connecting")));

    const CliRun gone = RunCli({"send", "--port", "/dev/no-such-port-here", out});
    QCOMPARE(gone.status, 3);
    QVERIFY(gone.err.contains(busyText));
    QVERIFY(gone.err.contains(QStringLiteral("There is no port /dev/no-such-port-here")));
}

void TestCliFailures::truncatedFileIsNotSent()
{
    Model model;
    model.GetAtoN()->SetName(QStringLiteral("HALF"));
    const QByteArray bytes = PadFile::ToBytes(model);
    const QString cut = Path("cut.pad");
    QVERIFY(WriteBytes(cut, bytes.left(bytes.size() - 10)));

    Simulator unit({"--fast", "--quiet"});
    QVERIFY(!unit.port.isEmpty());
    const CliRun send = RunCli({"send", "--port", unit.port, cut});
    QCOMPARE(send.status, 3);
    QVERIFY2(send.err.contains(cut + QStringLiteral(": The file ends before the configuration")),
             qPrintable(send.err));
    // Refused before the port was touched.
    QVERIFY(!send.err.contains(QStringLiteral("Connecting")));
    const CliRun after = RunCli({"retrieve", "--port", unit.port});
    QCOMPARE(after.status, 0);
    QVERIFY(!after.out.contains(QStringLiteral("\"HALF\"")));
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
             "$AITXT,01,01,21,AtoN: lantern on*12\n"
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
        "TEXT AtoN: lantern on"};
    for (const QStringList &fast : {QStringList{}, QStringList{"--fast"}}) {
        const CliRun run = RunCli(QStringList{"replay", log} + fast);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        QVERIFY(run.err.contains(QStringLiteral("Replayed 7 lines")));
    }
    // Another MMSI given: the report is not the unit's.
    QVERIFY(!RunCli({"replay", "--mmsi", "123456789", log}).out.contains(QStringLiteral("AIS 21")));
    const CliRun missing = RunCli({"replay", Path("no.log")});
    QCOMPARE(missing.status, 3);
    QVERIFY(missing.err.contains(QStringLiteral("Could not read")));
}

QTEST_GUILESS_MAIN(TestCliFailures)
#include "tst_cli_failures.moc"
