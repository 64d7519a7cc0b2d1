// Every failure of a transfer ends with its message, a non-zero status and
// no file written: a unit that falls silent, a corrupted answer, a busy or
// missing port, a line that closes, and a truncated configuration file.

#include "tst_cli_support.h"

#include "model/model.h"
#include "model/padfile.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

class TestCliFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedRetrieveWritesNoFile_data();
    void failedRetrieveWritesNoFile();
    void busyOrMissingPort();
    void truncatedFileIsNotSent();
    void replayDecodesALog();

private:
    QTemporaryDir dir;
};

void TestCliFailures::initTestCase()
{
    QVERIFY(dir.isValid());
}

void TestCliFailures::failedRetrieveWritesNoFile_data()
{
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<QString>("message");
    // Silent after the AID answers: the one awaited ACF answer never comes.
    QTest::newRow("silent mid-transfer")
        << QStringList{QStringLiteral("--no-answer"), QStringLiteral("ACF")}
        << QStringLiteral("Error communicating with the Device: A timeout occurred. (Timeout "
                          "waiting for response for: ACF)");
    // Silent on the lantern values, which come while presence polling runs.
    QTest::newRow("silent during polling")
        << QStringList{QStringLiteral("--no-answer"), QStringLiteral("nvgeti")}
        << QStringLiteral("(Timeout waiting for response to command: nvgeti \"limen\")");
    QTest::newRow("malformed answer")
        << QStringList{QStringLiteral("--missing-field")}
        << QStringLiteral("Error reading an NMEA sentence from the AtoN: NMEA sentence: AID");
    QTest::newRow("corrupted checksums")
        << QStringList{QStringLiteral("--corrupt-checksums")}
        << QStringLiteral("Error communicating with the Device: A timeout occurred.");
    QTest::newRow("line closes") << QStringList{QStringLiteral("--close-after"),
                                                QStringLiteral("2")}
                                 << QStringLiteral("hung up");
}

void TestCliFailures::failedRetrieveWritesNoFile()
{
    QFETCH(QStringList, switches);
    QFETCH(QString, message);
    Simulator unit(QStringList{QStringLiteral("--fast")} + switches);
    QVERIFY(!unit.port.isEmpty());

    // A file from an earlier retrieval must survive a failed one.
    const QString earlier = dir.filePath(QStringLiteral("earlier.pad"));
    QFile old(earlier);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    const QString fresh = dir.filePath(QStringLiteral("fresh.pad"));

    const CliRun run = RunCli({QStringLiteral("retrieve"), QStringLiteral("--port"), unit.port,
                               QStringLiteral("-o"), fresh});
    QCOMPARE(run.status, 3);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(fresh));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("fresh")).isEmpty());

    if (switches.contains(QStringLiteral("--close-after")))
        return;
    const CliRun over = RunCli({QStringLiteral("retrieve"), QStringLiteral("--port"), unit.port,
                                QStringLiteral("-o"), earlier});
    QCOMPARE(over.status, 3);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("earlier"));
    old.close();
}

void TestCliFailures::busyOrMissingPort()
{
    Simulator unit({QStringLiteral("--fast"), QStringLiteral("--quiet")});
    QVERIFY(!unit.port.isEmpty());
    const QString busyText = QStringLiteral(
        "Error connecting to the AtoN: An error was encountered in trying to open the serial "
        "port.  The port may be busy or resetting. ( 1 ).");
    const QString out = dir.filePath(QStringLiteral("busy.pad"));
    {
        QSerialPort holder(unit.port);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const CliRun busy = RunCli({QStringLiteral("retrieve"), QStringLiteral("--port"), unit.port,
                                    QStringLiteral("-o"), out});
        QCOMPARE(busy.status, 3);
        QVERIFY2(busy.err.contains(busyText), qPrintable(busy.err));
        QVERIFY(!QFile::exists(out));
        const CliRun monitor =
            RunCli({QStringLiteral("monitor"), QStringLiteral("--port"), unit.port}, 10000);
        QCOMPARE(monitor.status, 3);
        QVERIFY2(monitor.err.contains(QStringLiteral("probably blocked")), qPrintable(monitor.err));
    }
    // Once the port is free again the same command works.
    QCOMPARE(RunCli({QStringLiteral("retrieve"), QStringLiteral("--port"), unit.port,
                     QStringLiteral("-o"), out})
                 .status,
             0);

    // A file that cannot be written is found out before the unit is asked.
    const CliRun unwritable =
        RunCli({QStringLiteral("retrieve"), QStringLiteral("--port"), unit.port,
                QStringLiteral("-o"), dir.filePath(QStringLiteral("no-such-folder/x.pad"))});
    QCOMPARE(unwritable.status, 3);
    QVERIFY(unwritable.err.contains(QStringLiteral("Could not save file: ")));
    QVERIFY(!unwritable.err.contains(QStringLiteral("Connecting")));

    const QString missing = QStringLiteral("/dev/no-such-port-here");
    const CliRun gone = RunCli({QStringLiteral("send"), QStringLiteral("--port"), missing, out});
    QCOMPARE(gone.status, 3);
    QVERIFY(gone.err.contains(busyText));
    QVERIFY(gone.err.contains(QStringLiteral("There is no port ") + missing));
}

void TestCliFailures::truncatedFileIsNotSent()
{
    Model model;
    model.GetAtoN()->SetName(QStringLiteral("HALF"));
    const QByteArray bytes = PadFile::ToBytes(model);
    const QString cut = dir.filePath(QStringLiteral("cut.pad"));
    QFile file(cut);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.left(bytes.size() - 10));
    file.close();

    Simulator unit({QStringLiteral("--fast"), QStringLiteral("--quiet")});
    QVERIFY(!unit.port.isEmpty());
    const CliRun send = RunCli({QStringLiteral("send"), QStringLiteral("--port"), unit.port, cut});
    QCOMPARE(send.status, 3);
    QVERIFY2(send.err.contains(cut + QStringLiteral(": The file ends before the configuration")),
             qPrintable(send.err));
    // Refused before the port was touched.
    QVERIFY(!send.err.contains(QStringLiteral("Connecting")));
    const CliRun after = RunCli({QStringLiteral("retrieve"), QStringLiteral("--port"), unit.port});
    QCOMPARE(after.status, 0);
    QVERIFY(!after.out.contains(QStringLiteral("\"HALF\"")));
}

void TestCliFailures::replayDecodesALog()
{
    // A traffic log as the serial line controller writes it: header and
    // footer lines, received lines without carriage returns, one sent line.
    const QString log = dir.filePath(QStringLiteral("traffic.log"));
    QFile file(log);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#\n# vandrel Started log file at 12:00:00 2026/12/06\n#\n"
               "$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*78\n"
               "$GPGSA,A,3,02,05,13,15,20,24,29,,,,,,1.6,0.9,1.3*30\n"
               ">$PVKX,0,0,0x6E2D9A41,2,appver,0*00\n"
               "$AIAID,992351234,1,992351234,R,R*59\n"
               "!AIVDO,1,1,,A,E>jHD0VW7a:4@84RaF@;Rab@40aOuNCu>R0R050`HHpQ80SmD`1CU4PCPi@,2*37\n"
               "$AIALR,201149.87,061,V,A,AtoN: supply voltage low*7E\n"
               "$AITXT,01,01,21,AtoN: lantern on*12\n"
               "$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*00\n"
               "#\n# vandrel Stopped log file at 12:00:01 2026/12/06\n#\n");
    file.close();
    for (const QStringList &fast : {QStringList{}, QStringList{QStringLiteral("--fast")}}) {
        const CliRun run = RunCli(QStringList{QStringLiteral("replay"), log} + fast);
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QString::fromUtf8("GPS 20:11:48 2026-12-06 50° 47.4495' N 001° "
                                                   "6.2246' W 0.0 kn 211.6 deg autonomous"));
        QCOMPARE(lines.value(1), QStringLiteral("GPS 3D fix, 0 satellites used, 0 in view"));
        // The MMSI of the AID answer makes the next message 21 the unit's own.
        QCOMPARE(lines.value(2), QStringLiteral("UNIT MMSI 992351234"));
        QCOMPARE(lines.value(3), QStringLiteral("AIS 21 992351234: RACON operational, light on, "
                                                "health good"));
        QCOMPARE(lines.value(4), QStringLiteral("ALARM 061 20:11:49 cleared, acknowledged: AtoN: "
                                                "supply voltage low"));
        QCOMPARE(lines.value(5), QStringLiteral("TEXT AtoN: lantern on"));
        // The sent line, the header, and the line with a wrong checksum show nothing.
        QCOMPARE(lines.size(), 6);
        QVERIFY(run.err.contains(QStringLiteral("Replayed 7 lines")));
    }
    // Another MMSI given: the report is not the unit's.
    const CliRun other = RunCli(
        {QStringLiteral("replay"), QStringLiteral("--mmsi"), QStringLiteral("123456789"), log});
    QVERIFY(!other.out.contains(QStringLiteral("AIS 21")));

    const CliRun missing =
        RunCli({QStringLiteral("replay"), dir.filePath(QStringLiteral("no.log"))});
    QCOMPARE(missing.status, 3);
    QVERIFY(missing.err.contains(QStringLiteral("Could not read")));
}

QTEST_GUILESS_MAIN(TestCliFailures)
#include "tst_cli_failures.moc"
