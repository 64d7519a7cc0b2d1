// vandrel-cli on .pad files: show (readable and JSON) and diff. Files that
// cannot be read are refused in the failure tests.

#include "support/schedulerows.h"
#include "tst_cli_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// The output's lines with their padding taken out.
static QStringList Lines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n')))
        lines << line.simplified();
    return lines;
}

static QJsonObject Json(const QString &pad)
{
    return QJsonDocument::fromJson(RunCli({"show", "--json", pad}).out.toUtf8()).object();
}

class TestCliFiles : public CliTest
{
    Q_OBJECT

private slots:
    void init();
    void show();
    void diffReportsEachDifferentFieldOnce();

private:
    Model sample;
};

void TestCliFiles::init()
{
    QVERIFY(dir.isValid());
    sample.Reset();
    AtoN *aton = sample.GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351001"));
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351002"));
    aton->SetTypeOfAtoN(25);
    QVERIFY(ChangeAsAnEngineer(&sample));
}

void TestCliFiles::show()
{
    // A name as a file may hold it: an escape sequence that would retitle the
    // terminal is shown, not obeyed; JSON escapes it and keeps it whole.
    const QString name = QStringLiteral("NORTH\x1b]0;OWNED\x07 PIER\u202e");
    sample.GetAtoN()->SetName(name);
    const CliRun run = RunCli({"show", SavePad(Path("s.pad"), sample)});
    QVERIFY(run.status == 0 && run.err.isEmpty());
    QVERIFY(Lines(run.out).contains("Name: \"NORTH\\x1b]0;OWNED\\x07 PIER\\u202e\""));
    const CliRun jsonRun = RunCli({"show", "--json", Path("s.pad")});
    QVERIFY(!run.out.contains(QChar(0x1b)) && !jsonRun.out.contains(QChar(0x1b)) &&
            !jsonRun.out.contains(QChar(0x202e)));
    QCOMPARE(Json(Path("s.pad")).value("aton").toObject().value("name").toString(), name);
    // Fields that the diff test shows are left to it. Channel 06 is simplex:
    // its 20xx item keeps the ship frequency. The schedule as the table shows
    // it: message 21 rows always, the RATDMA row of message 8 without start
    // slots and with its intervals in minutes.
    const QStringList expected{"MMSI: 992351002",
                               "MMSI held by the unit: 992351001",
                               "Type of AtoN: (25) Starboard Hand Mark",
                               QString::fromUtf8("Longitude: 004° 14.8080' W"),
                               "Channel 1: CH2006 ( 156.300MHz )",
                               "Channel 2: CH1060 ( 156.025MHz )",
                               "21 1 FATDMA 00:00 0 6750 slots 00:00 0 6750 slots",
                               "21 2 FATDMA 00:00 -1 6750 slots 00:00 -1 6750 slots (not in use)",
                               "8 1 RATDMA 07:15 3 minutes 07:45 12 minutes",
                               "On current (steady on): 0.500 A",
                               "Ambient light-on threshold: 51 lux (sensor value 420)"};
    const QStringList lines = Lines(run.out);
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line));
    // JSON holds the numbers; every list row, placeholders included.
    const QJsonObject json = Json(Path("s.pad"));
    QCOMPARE(json.value("aton").toObject().value("latitude").toDouble(), -(33 + 30.75 / 60));
    QCOMPARE(json.value("schedule").toArray().size(), sample.GetMessageSchedule()->Count());
    QCOMPARE(json.value("lantern").toObject().value("onCurrentAmperes").toDouble(), 0.5);

    // Flashing: the same value is a slew rate in amperes per second. Without
    // a position: not 91, but not available, or null.
    sample.GetLanternInterface()->SetLimton(500);
    sample.GetAtoN()->GetPosition()->SetLatitude(GeoPosition::NotAvailableLatitude);
    const QStringList flashing = Lines(RunCli({"show", SavePad(Path("f.pad"), sample)}).out);
    QVERIFY(flashing.contains("On/off slew rate: 5.00 A/s"));
    QVERIFY(flashing.contains("Maximum on time: 0.500 s"));
    QVERIFY(flashing.contains("Latitude: not available"));
    QVERIFY(Json(Path("f.pad")).value("aton").toObject().value("latitude").isNull());

    // Many rows: show and its JSON stay linear in them (16,000 rows once took
    // minutes, each cell looking through every row).
    MessageScheduleEntry entry;
    entry.SetMessageId(6);
    LoadRows(sample.GetMessageSchedule(), QVector<MessageScheduleEntry>(16000, entry));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(RunCli({"show", SavePad(Path("many.pad"), sample)}, 60000).status, 0);
    QCOMPARE(RunCli({"show", "--json", Path("many.pad")}, 60000).status, 0);
    qInfo("show and show --json of 16,000 rows: %lld ms", clock.elapsed());
    QVERIFY(clock.elapsed() < 45000);
}

void TestCliFiles::diffReportsEachDifferentFieldOnce()
{
    const QString a = SavePad(Path("a.pad"), sample);
    Model changed;
    changed = sample;
    changed.GetAtoN()->SetName(QStringLiteral("SOUTH PIER"));
    changed.GetAtoN()->GetPosition()->SetLatitude(33.5);
    changed.GetLanternInterface()->SetLimvmax(24000);
    // A schedule row that only the second file has.
    int row = -1;
    QVERIFY(changed.GetMessageSchedule()->AddMessage(6, row));
    const CliRun diff = RunCli({"diff", a, SavePad(Path("b.pad"), changed)});
    QCOMPARE(diff.status, 1);
    // Name, latitude, the new row's eight columns and maximum voltage: each
    // once, in the order the configuration is shown.
    QStringList lines = diff.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.removeDuplicates(), 0);
    QCOMPARE(lines.at(0),
             QStringLiteral("Name: \"SOUTH MOLE, OUTER HARBOUR LIGHT 34\" -> \"SOUTH PIER\""));
    QCOMPARE(lines.at(1), QString::fromUtf8("Latitude: 33° 30.7500' S -> 33° 30.0000' N"));
    QCOMPARE(lines.at(6), QStringLiteral("Schedule 6/1 Channel 1 Interval: (none) -> 6750 slots"));
    QCOMPARE(lines.at(10), QStringLiteral("Maximum voltage: 32.299 V -> 24.000 V"));

    // Positions count to the ten-thousandth of a minute that the unit keeps.
    const double latitude = sample.GetAtoN()->GetPosition()->Latitude();
    changed = sample;
    changed.GetAtoN()->GetPosition()->SetLatitude(latitude - 1e-8);
    QCOMPARE(RunCli({"diff", a, SavePad(Path("c.pad"), changed)}).status, 0);
    changed.GetAtoN()->GetPosition()->SetLatitude(latitude - 0.0001 / 60);
    QCOMPARE(RunCli({"diff", a, SavePad(Path("c.pad"), changed)}).status, 1);
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
