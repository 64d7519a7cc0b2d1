// vandrel-cli on .pad files: show (readable and JSON), diff, and the refusal
// of files that are missing, truncated or not configurations.

#include "model/model.h"
#include "model/padfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run RunCli(const QStringList &arguments)
{
    Run run;
    QProcess process;
    process.start(QStringLiteral(VANDREL_CLI), arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

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
    QString Save(const QString &name, const Model &model);
    QTemporaryDir dir;
    Model sample;
};

void TestCliFiles::init()
{
    QVERIFY(dir.isValid());
    sample.Reset();
    FillSample(&sample);
}

QString TestCliFiles::Save(const QString &name, const Model &model)
{
    const QString path = dir.filePath(name);
    QString error;
    if (PadFile::Save(path, model, &error) != PadFile::Done)
        qWarning() << error;
    return path;
}

void TestCliFiles::showReadable()
{
    const Run run = RunCli({QStringLiteral("show"), Save(QStringLiteral("s.pad"), sample)});
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.isEmpty());
    const QString &out = run.out;
    QCOMPARE(Line(out, QStringLiteral("MMSI:")),
             QStringLiteral("MMSI:                   992351002"));
    QVERIFY(Line(out, QStringLiteral("MMSI held")).endsWith(QStringLiteral("992351001")));
    QVERIFY(Line(out, QStringLiteral("Name:")).endsWith(QStringLiteral("\"NORTH, PIER\"")));
    QVERIFY(Line(out, QStringLiteral("Type of AtoN:"))
                .endsWith(QStringLiteral("(25)  Starboard Hand Mark")));
    QVERIFY(Line(out, QStringLiteral("Type of EPFS:")).endsWith(QStringLiteral("7 Surveyed")));
    QVERIFY(Line(out, QStringLiteral("Position accuracy:")).endsWith(QStringLiteral("1 < 10 m")));
    QVERIFY(Line(out, QStringLiteral("Latitude:")).endsWith(QString::fromUtf8("33° 30.0000' S")));
    QVERIFY(Line(out, QStringLiteral("Longitude:")).endsWith(QString::fromUtf8("004° 15.0000' W")));
    // Channel 06 is simplex: its 20xx item keeps the ship frequency.
    QVERIFY(
        Line(out, QStringLiteral("Channel 1:")).endsWith(QStringLiteral("CH2006 ( 156.300MHz )")));
    QVERIFY(
        Line(out, QStringLiteral("Channel 2:")).endsWith(QStringLiteral("CH1060 ( 156.025MHz )")));
    QVERIFY(Line(out, QStringLiteral("RACON:")).endsWith(QStringLiteral(" fitted")));
    QVERIFY(Line(out, QStringLiteral("Off-position threshold:")).endsWith(QStringLiteral("120 m")));

    // The schedule as the table shows it: message 21 rows always, the RATDMA
    // row of message 8 without start slots and with its interval in minutes.
    const QStringList normal =
        Line(out, QStringLiteral("21 ")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(normal, QStringList({"21", "1", "FATDMA", "00:00", "0", "6750", "slots", "00:00", "0",
                                  "6750", "slots"}));
    const QStringList ratdma =
        Line(out, QStringLiteral("8 ")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(ratdma,
             QStringList({"8", "1", "RATDMA", "12:30", "3", "minutes", "00:00", "0", "minutes"}));
    QVERIFY(out.contains(QStringLiteral("(not in use)")));

    QVERIFY(Line(out, QStringLiteral("Lantern interface support:"))
                .endsWith(QStringLiteral("enabled")));
    QVERIFY(Line(out, QStringLiteral("Minimum voltage:")).endsWith(QStringLiteral("11.500 V")));
    QVERIFY(Line(out, QStringLiteral("Maximum voltage:")).endsWith(QStringLiteral("32.299 V")));
    QVERIFY(
        Line(out, QStringLiteral("On current (steady on):")).endsWith(QStringLiteral("0.500 A")));
    QVERIFY(Line(out, QStringLiteral("Current range:")).endsWith(QStringLiteral("1 Amp")));
    QVERIFY(Line(out, QStringLiteral("Ambient light-on threshold:"))
                .endsWith(QStringLiteral("30 lux (sensor value 247)")));

    // Flashing: the same value is a slew rate in amperes per second.
    sample.GetLanternInterface()->SetLimton(500);
    const Run flashing = RunCli({QStringLiteral("show"), Save(QStringLiteral("f.pad"), sample)});
    QVERIFY(Line(flashing.out, QStringLiteral("On/off slew rate:"))
                .endsWith(QStringLiteral("5.00 A/s")));
    QVERIFY(
        Line(flashing.out, QStringLiteral("Maximum on time:")).endsWith(QStringLiteral("0.500 s")));

    // A fresh configuration has no position.
    const Run fresh = RunCli({QStringLiteral("show"), Save(QStringLiteral("n.pad"), Model())});
    QVERIFY(Line(fresh.out, QStringLiteral("Latitude:")).endsWith(QStringLiteral("not available")));
    QVERIFY(Line(fresh.out, QStringLiteral("Name:")).endsWith(QStringLiteral("\"ATON\"")));
}

void TestCliFiles::showJson()
{
    const Run run = RunCli(
        {QStringLiteral("show"), QStringLiteral("--json"), Save(QStringLiteral("j.pad"), sample)});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject aton = root.value(QStringLiteral("aton")).toObject();
    QCOMPARE(aton.value(QStringLiteral("mmsi")).toString(), QStringLiteral("992351002"));
    QCOMPARE(aton.value(QStringLiteral("heldMmsi")).toString(), QStringLiteral("992351001"));
    QCOMPARE(aton.value(QStringLiteral("name")).toString(), QStringLiteral("NORTH, PIER"));
    QCOMPARE(aton.value(QStringLiteral("latitude")).toDouble(), -33.5);
    QCOMPARE(aton.value(QStringLiteral("longitude")).toDouble(), -4.25);
    QCOMPARE(aton.value(QStringLiteral("typeOfAtoN")).toInt(), 25);
    QCOMPARE(aton.value(QStringLiteral("channel1")).toInt(), 2006);
    QCOMPARE(aton.value(QStringLiteral("racon")).toBool(), true);

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
    QCOMPARE(ratdma.value(QStringLiteral("interval1")).toInt(), 3);
    QCOMPARE(ratdma.value(QStringLiteral("startTime1")).toString(), QStringLiteral("12:30:00"));

    const QJsonObject lantern = root.value(QStringLiteral("lantern")).toObject();
    QCOMPARE(lantern.value(QStringLiteral("limvmax")).toInt(), 32299);
    QCOMPARE(lantern.value(QStringLiteral("limpthresh")).toInt(), 247);
    QCOMPARE(lantern.value(QStringLiteral("thresholdLux")).toInt(), 30);
    QCOMPARE(lantern.value(QStringLiteral("onCurrentAmperes")).toDouble(), 0.5);

    // Not available is null, not 91.
    const Run fresh = RunCli(
        {QStringLiteral("show"), QStringLiteral("--json"), Save(QStringLiteral("n.pad"), Model())});
    const QJsonObject freshAton = QJsonDocument::fromJson(fresh.out.toUtf8())
                                      .object()
                                      .value(QStringLiteral("aton"))
                                      .toObject();
    QVERIFY(freshAton.value(QStringLiteral("latitude")).isNull());
    QVERIFY(freshAton.value(QStringLiteral("longitude")).isNull());
}

void TestCliFiles::diffReportsEachDifferentFieldOnce()
{
    const QString a = Save(QStringLiteral("a.pad"), sample);
    const Run same = RunCli({QStringLiteral("diff"), a, Save(QStringLiteral("a2.pad"), sample)});
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
    const Run diff = RunCli({QStringLiteral("diff"), a, Save(QStringLiteral("b.pad"), changed)});
    QCOMPARE(diff.status, 1);
    QStringList lines = diff.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(lines.contains(QStringLiteral("Name: \"NORTH, PIER\" -> \"SOUTH PIER\"")),
             qPrintable(diff.out));
    QVERIFY(lines.contains(QString::fromUtf8("Latitude: 33° 30.0000' S -> 33° 30.0000' N")));
    QVERIFY(lines.contains(QStringLiteral("Maximum voltage: 32.299 V -> 24.000 V")));
    QVERIFY(lines.contains(QStringLiteral("Schedule 6/1 In use: (none) -> yes")));
    QVERIFY(
        lines.contains(QStringLiteral("Schedule 6/1 Channel 1 Interval: (none) -> 6750 slots")));
    // Nothing else differs, and each field shows once.
    for (const QString &line : lines) {
        QVERIFY2(line.startsWith(QStringLiteral("Name:")) ||
                     line.startsWith(QStringLiteral("Latitude:")) ||
                     line.startsWith(QStringLiteral("Maximum voltage:")) ||
                     line.startsWith(QStringLiteral("Schedule 6/1 ")),
                 qPrintable(line));
    }
    QCOMPARE(lines.removeDuplicates(), 0);
    // The schedule row comes among the schedule lines, before the lantern.
    QVERIFY(lines.indexOf(QStringLiteral("Schedule 6/1 In use: (none) -> yes")) <
            lines.indexOf(QStringLiteral("Maximum voltage: 32.299 V -> 24.000 V")));

    // Positions count to the ten-thousandth of a minute that the unit keeps.
    Model close;
    close = sample;
    close.GetAtoN()->GetPosition()->SetLatitude(-33.5 - 1e-8);
    QCOMPARE(RunCli({QStringLiteral("diff"), a, Save(QStringLiteral("c.pad"), close)}).status, 0);
    close.GetAtoN()->GetPosition()->SetLatitude(-33.5 - 0.0001 / 60);
    QCOMPARE(RunCli({QStringLiteral("diff"), a, Save(QStringLiteral("c.pad"), close)}).status, 1);
}

void TestCliFiles::refusesBadFilesAndCommandLines()
{
    const QString good = Save(QStringLiteral("good.pad"), sample);
    QFile file(good);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();

    // Cut inside the lantern record, inside the schedule, inside the name.
    for (int length : {int(bytes.size()) - 1, int(bytes.size()) - 40, 60, 0}) {
        const QString cut = dir.filePath(QStringLiteral("cut%1.pad").arg(length));
        QFile out(cut);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(length));
        out.close();
        const Run show = RunCli({QStringLiteral("show"), cut});
        QCOMPARE(show.status, 3);
        QVERIFY2(show.err.contains(cut) &&
                     (show.err.contains(QStringLiteral("ends before")) ||
                      show.err.contains(QStringLiteral("not hold a valid configuration"))),
                 qPrintable(show.err));
        QVERIFY(show.out.isEmpty());
        QCOMPARE(RunCli({QStringLiteral("diff"), good, cut}).status, 3);
    }

    const QString missing = dir.filePath(QStringLiteral("missing.pad"));
    const Run gone = RunCli({QStringLiteral("show"), missing});
    QCOMPARE(gone.status, 3);
    QVERIFY2(gone.err.contains(QStringLiteral("Could not open file: ") + missing),
             qPrintable(gone.err));

    QCOMPARE(RunCli({}).status, 2);
    QCOMPARE(RunCli({QStringLiteral("fetch")}).status, 2);
    QCOMPARE(RunCli({QStringLiteral("show")}).status, 2);
    QCOMPARE(RunCli({QStringLiteral("diff"), good}).status, 2);
    QCOMPARE(RunCli({QStringLiteral("show"), good, QStringLiteral("--fast")}).status, 2);
    QCOMPARE(RunCli({QStringLiteral("retrieve"), QStringLiteral("-o"), good}).status, 2);
    const Run help = RunCli({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains(QStringLiteral("vandrel-cli send --port PATH FILE.pad")));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
