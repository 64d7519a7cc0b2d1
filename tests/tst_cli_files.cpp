// vandrel-cli on .pad files: show (readable and JSON), diff, and the refusal
// of files that are missing, truncated or not configurations.

#include "tst_cli_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A configuration that uses every kind of field the tool prints.
void FillSample(Model *model)
{
    AtoN *aton = model->GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351001"));
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351002"));
    aton->SetName(QStringLiteral("NORTH, PIER"));
    aton->SetTypeOfAtoN(25);
    aton->SetTypeOfEPFS(7);
    aton->SetPositionAccuracy(1);
    aton->GetPosition()->SetLatitude(-33.5);
    aton->GetPosition()->SetLongitude(-4.25);
    aton->SetChannel1(2006);
    aton->SetChannel2(1060);
    aton->SetRacon(true);
    aton->SetOffPositionThreshold(120);
    aton->SetDimensionA(5);
    MessageSchedule *schedule = model->GetMessageSchedule();
    int row = -1;
    QVERIFY(schedule->AddMessage(8, row));
    MessageScheduleEntry entry = schedule->EntryAt(row);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetStartTime1(QTime(12, 30));
    entry.SetInterval1(3);
    entry.SetInterval2(0);
    QVERIFY(schedule->SetEntry(row, entry));
    LanternInterface *lim = model->GetLanternInterface();
    lim->SetLimen(true);
    lim->SetLimvmin(11500);
    lim->SetLimvmax(32299);
    lim->SetLimton(0);
    lim->SetLimtoff(0);
    lim->SetLimion(250);
    lim->SetLimigain(true);
    lim->SetLimpthresh(247);
}

QString Line(const QString &text, const QString &start)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(start))
            return line.trimmed();
    }
    return QString();
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showReadable();
    void showJson();
    void diffReportsEachDifferentFieldOnce();
    void refusesBadFilesAndCommandLines();

private:
    QString Save(const char *name, const Model &model)
    {
        return SavePad(dir.filePath(QLatin1String(name)), model);
    }
    QTemporaryDir dir;
    Model sample;
};

void TestCliFiles::init()
{
    QVERIFY(dir.isValid());
    sample.Reset();
    FillSample(&sample);
}

void TestCliFiles::showReadable()
{
    const CliRun run = RunCli({"show", Save("s.pad", sample)});
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.isEmpty());
    const QString &out = run.out;
    QCOMPARE(Line(out, QStringLiteral("MMSI:")),
             QStringLiteral("MMSI:                   992351002"));
    // Channel 06 is simplex: its 20xx item keeps the ship frequency.
    const QStringList ends[] = {{"MMSI held", "992351001"},
                                {"Name:", "\"NORTH, PIER\""},
                                {"Type of AtoN:", "(25)  Starboard Hand Mark"},
                                {"Type of EPFS:", "7 Surveyed"},
                                {"Position accuracy:", "1 < 10 m"},
                                {"Latitude:", QString::fromUtf8("33° 30.0000' S")},
                                {"Longitude:", QString::fromUtf8("004° 15.0000' W")},
                                {"Channel 1:", "CH2006 ( 156.300MHz )"},
                                {"Channel 2:", "CH1060 ( 156.025MHz )"},
                                {"RACON:", " fitted"},
                                {"Off-position threshold:", "120 m"},
                                {"Lantern interface support:", "enabled"},
                                {"Minimum voltage:", "11.500 V"},
                                {"Maximum voltage:", "32.299 V"},
                                {"On current (steady on):", "0.500 A"},
                                {"Current range:", "1 Amp"},
                                {"Ambient light-on threshold:", "30 lux (sensor value 247)"}};
    for (const QStringList &end : ends)
        QVERIFY2(Line(out, end[0]).endsWith(end[1]), qPrintable(end.join(QLatin1String(" | "))));

    // The schedule as the table shows it: message 21 rows always, the RATDMA
    // row of message 8 without start slots and with its interval in minutes.
    QCOMPARE(Line(out, QStringLiteral("21 ")).split(QLatin1Char(' '), Qt::SkipEmptyParts),
             QStringList({"21", "1", "FATDMA", "00:00", "0", "6750", "slots", "00:00", "0", "6750",
                          "slots"}));
    QCOMPARE(Line(out, QStringLiteral("8 ")).split(QLatin1Char(' '), Qt::SkipEmptyParts),
             QStringList({"8", "1", "RATDMA", "12:30", "3", "minutes", "00:00", "0", "minutes"}));
    QVERIFY(out.contains(QStringLiteral("(not in use)")));

    // Flashing: the same value is a slew rate in amperes per second.
    sample.GetLanternInterface()->SetLimton(500);
    const CliRun flashing = RunCli({"show", Save("f.pad", sample)});
    QVERIFY(Line(flashing.out, QStringLiteral("On/off slew rate:"))
                .endsWith(QStringLiteral("5.00 A/s")));
    QVERIFY(
        Line(flashing.out, QStringLiteral("Maximum on time:")).endsWith(QStringLiteral("0.500 s")));

    // A fresh configuration has no position.
    const CliRun fresh = RunCli({"show", Save("n.pad", Model())});
    QVERIFY(Line(fresh.out, QStringLiteral("Latitude:")).endsWith(QStringLiteral("not available")));
}

void TestCliFiles::showJson()
{
    const CliRun run = RunCli({"show", "--json", Save("j.pad", sample)});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject aton = root.value(QStringLiteral("aton")).toObject();
    QCOMPARE(aton.value(QStringLiteral("mmsi")).toString(), QStringLiteral("992351002"));
    QCOMPARE(aton.value(QStringLiteral("name")).toString(), QStringLiteral("NORTH, PIER"));
    QCOMPARE(aton.value(QStringLiteral("latitude")).toDouble(), -33.5);

    // Every list row, placeholders included, in list order.
    const QJsonArray rows = root.value(QStringLiteral("schedule")).toArray();
    QCOMPARE(rows.size(), sample.GetMessageSchedule()->Count());
    QJsonObject ratdma;
    for (const QJsonValue &row : rows) {
        if (row.toObject().value(QStringLiteral("messageId")).toInt() == 8 &&
            row.toObject().value(QStringLiteral("active")).toBool())
            ratdma = row.toObject();
    }
    QCOMPARE(ratdma.value(QStringLiteral("accessSchemeText")).toString(), QStringLiteral("RATDMA"));
    QCOMPARE(ratdma.value(QStringLiteral("startTime1")).toString(), QStringLiteral("12:30:00"));

    const QJsonObject lantern = root.value(QStringLiteral("lantern")).toObject();
    QCOMPARE(lantern.value(QStringLiteral("thresholdLux")).toInt(), 30);
    QCOMPARE(lantern.value(QStringLiteral("onCurrentAmperes")).toDouble(), 0.5);

    // Not available is null, not 91.
    const CliRun fresh = RunCli({"show", "--json", Save("n.pad", Model())});
    const QJsonObject freshAton = QJsonDocument::fromJson(fresh.out.toUtf8())
                                      .object()
                                      .value(QStringLiteral("aton"))
                                      .toObject();
    QVERIFY(freshAton.value(QStringLiteral("latitude")).isNull());
}

void TestCliFiles::diffReportsEachDifferentFieldOnce()
{
    const QString a = Save("a.pad", sample);
    const CliRun same = RunCli({"diff", a, Save("a2.pad", sample)});
    QCOMPARE(same.status, 0);
    QCOMPARE(same.out, QString());

    Model changed;
    changed = sample;
    changed.GetAtoN()->SetName(QStringLiteral("SOUTH PIER"));
    changed.GetAtoN()->GetPosition()->SetLatitude(33.5);
    changed.GetLanternInterface()->SetLimvmax(24000);
    // A schedule row that only the second file has.
    int row = -1;
    QVERIFY(changed.GetMessageSchedule()->AddMessage(6, row));
    const CliRun diff = RunCli({"diff", a, Save("b.pad", changed)});
    QCOMPARE(diff.status, 1);
    QStringList lines = diff.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(lines.contains(QStringLiteral("Name: \"NORTH, PIER\" -> \"SOUTH PIER\"")),
             qPrintable(diff.out));
    QVERIFY(lines.contains(QString::fromUtf8("Latitude: 33° 30.0000' S -> 33° 30.0000' N")));
    QVERIFY(
        lines.contains(QStringLiteral("Schedule 6/1 Channel 1 Interval: (none) -> 6750 slots")));
    // Nothing else differs, each field shows once, and the schedule row comes
    // among the schedule lines, before the lantern.
    for (const QString &line : lines) {
        QVERIFY2(line.startsWith(QStringLiteral("Name:")) ||
                     line.startsWith(QStringLiteral("Latitude:")) ||
                     line.startsWith(QStringLiteral("Maximum voltage:")) ||
                     line.startsWith(QStringLiteral("Schedule 6/1 ")),
                 qPrintable(line));
    }
    QCOMPARE(lines.removeDuplicates(), 0);
    QVERIFY(lines.indexOf(QStringLiteral("Schedule 6/1 In use: (none) -> yes")) <
            lines.indexOf(QStringLiteral("Maximum voltage: 32.299 V -> 24.000 V")));

    // Positions count to the ten-thousandth of a minute that the unit keeps.
    Model close;
    close = sample;
    close.GetAtoN()->GetPosition()->SetLatitude(-33.5 - 1e-8);
    QCOMPARE(RunCli({"diff", a, Save("c.pad", close)}).status, 0);
    close.GetAtoN()->GetPosition()->SetLatitude(-33.5 - 0.0001 / 60);
    QCOMPARE(RunCli({"diff", a, Save("c.pad", close)}).status, 1);
}

void TestCliFiles::refusesBadFilesAndCommandLines()
{
    const QString good = Save("good.pad", sample);
    const QByteArray bytes = PadFile::ToBytes(sample);
    // Cut inside the lantern record, inside the schedule, inside the name.
    for (int length : {int(bytes.size()) - 1, int(bytes.size()) - 40, 60, 0}) {
        const QString cut = dir.filePath(QStringLiteral("cut%1.pad").arg(length));
        QVERIFY(WriteBytes(cut, bytes.left(length)));
        const CliRun show = RunCli({"show", cut});
        QCOMPARE(show.status, 3);
        QVERIFY2(show.err.contains(cut) &&
                     (show.err.contains(QStringLiteral("ends before")) ||
                      show.err.contains(QStringLiteral("not hold a valid configuration"))),
                 qPrintable(show.err));
        QVERIFY(show.out.isEmpty());
        QCOMPARE(RunCli({"diff", good, cut}).status, 3);
    }

    const QString missing = dir.filePath(QStringLiteral("missing.pad"));
    const CliRun gone = RunCli({"show", missing});
    QCOMPARE(gone.status, 3);
    QVERIFY2(gone.err.contains(QStringLiteral("Could not open file: ") + missing),
             qPrintable(gone.err));

    const QStringList usageErrors[] = {{},
                                       {"fetch"},
                                       {"show"},
                                       {"diff", good},
                                       {"show", good, "--fast"},
                                       {"retrieve", "-o", good}};
    for (const QStringList &arguments : usageErrors)
        QVERIFY2(RunCli(arguments).status == 2, qPrintable(arguments.join(QLatin1Char(' '))));
    const CliRun help = RunCli({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains(QStringLiteral("vandrel-cli send --port PATH FILE.pad")));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
