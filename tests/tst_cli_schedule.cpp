// vandrel-cli and the unit's message schedule: a send changes the rows the
// file names and no others, or with --schedule exact makes the unit's
// schedule the file's, saying which rows go off; rows the table has no place
// for are read and sent back as they are; answers that contradict fail the
// read; a file's impossible position is refused.

#include "support/schedulerows.h"
#include "tst_cli_support.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

namespace {

// The unit's rows as "message/instance", in the order it keeps them.
QStringList RowNames(const QJsonObject &state)
{
    QStringList names;
    for (const QJsonValue &row : state.value("schedule").toArray()) {
        const QJsonObject o = row.toObject();
        names << QStringLiteral("%1/%2")
                     .arg(o.value("message").toInt())
                     .arg(o.value("instance").toInt());
    }
    return names;
}

QJsonObject Row(const QJsonObject &state, const QString &name)
{
    for (const QJsonValue &row : state.value("schedule").toArray()) {
        const QJsonObject o = row.toObject();
        if (QStringLiteral("%1/%2")
                .arg(o.value("message").toInt())
                .arg(o.value("instance").toInt()) == name)
            return o;
    }
    return QJsonObject();
}

} // namespace

class TestCliSchedule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void sendChangesTheRowsTheFileNames();
    void rowsBeyondTheTableAreReadAndSentBack();
    void contradictingAnswersAndImpossiblePositions();

private:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

void TestCliSchedule::sendChangesTheRowsTheFileNames()
{
    // The sample unit holds its two reports, 6/1 and 12/2.
    Simulator unit({"--fast", "--quiet"});
    const QJsonObject before = unit.State();
    QCOMPARE(RowNames(before), QStringList({"21/1", "21/2", "6/1", "12/2"}));

    // A file with one row, a RATDMA normal report: only that row goes out;
    // the unit keeps its off-position report and its binary messages, and
    // the read-back compares the one row sent. A name holding line ends and
    // an escape is sent and kept as it is.
    Model one;
    one.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    one.GetAtoN()->SetName(QStringLiteral("PIER\r\nUNIT MMSI 1\x1b"));
    MessageScheduleEntry report;
    report.SetAccessScheme(MessageScheduleEntry::RATDMA);
    report.SetInterval1(3);
    report.SetInterval2(3);
    LoadRows(one.GetMessageSchedule(), {report});
    const QString file = SavePad(Path("one.pad"), one);
    const CliRun send = RunCli({"send", "--port", unit.port, file});
    QVERIFY2(send.status == 0 && send.err.contains("The unit holds every field sent."),
             qPrintable(send.err));
    QVERIFY2(send.err.count("query AAR") == 1 && send.err.count("set AAR") == 1,
             qPrintable(send.err));
    QVERIFY(!send.err.contains("off-position"));
    const QJsonObject held = unit.State();
    QCOMPARE(RowNames(held), RowNames(before));
    QCOMPARE(Row(held, "21/1").value("scheme").toInt(), 1);
    for (const char *row : {"21/2", "6/1", "12/2"})
        QCOMPARE(Row(held, row), Row(before, row));
    QCOMPARE(held.value("ace").toObject().value("name").toString(), one.GetAtoN()->Name());

    // Exact: every row in use on the unit that the file does not name goes
    // off, each named, and the off-position report's loss is said, before
    // anything goes out.
    const CliRun exact = RunCli({"send", "--schedule", "exact", "--port", unit.port, file});
    QVERIFY2(exact.status == 0, qPrintable(exact.err));
    const QStringList lines = exact.err.split('\n');
    const int named =
        lines.indexOf("Switching off schedule rows the file does not name: 21/2, 6/1, 12/2");
    const int warned = lines.indexOf(QRegularExpression("^Warning: .*off-position report.*"));
    const int firstSet = lines.indexOf(QRegularExpression(".*set AAR.*"));
    QVERIFY2(named >= 0 && warned > named && firstSet > warned, qPrintable(exact.err.right(2000)));
    const QJsonObject exactly = unit.State();
    QCOMPARE(RowNames(exactly), QStringList({"21/1", "21/2"}));
    QCOMPARE(Row(exactly, "21/2").value("slot1").toInt(), -1);

    // "exact" is the one way, and send the one command.
    const CliRun loose = RunCli({"send", "--schedule", "loose", "--port", unit.port, file});
    QVERIFY(loose.status == 2 && loose.err.contains("--schedule takes \"exact\" only."));
    QCOMPARE(RunCli({"retrieve", "--schedule", "exact", "--port", unit.port}).status, 2);
    QCOMPARE(unit.State(), exactly);
}

void TestCliSchedule::rowsBeyondTheTableAreReadAndSentBack()
{
    // A unit with a row of message 25 and a fifth message 6: the whole unit
    // is read, the two rows shown by name, and sent back they stay as they
    // were; the read-back compares them too.
    Simulator unit({"--fast", "--quiet", "--extra-row", "25/1", "--extra-row", "6/5"});
    const QJsonObject before = unit.State();
    Model read;
    QCOMPARE(unit.Retrieve(Path("extra.pad"), &read), 0);
    const CliRun show = RunCli({"show", Path("extra.pad")});
    QVERIFY2(show.out.contains(QRegularExpression("\\n *25 +1 +FATDMA")) &&
                 show.out.contains(QRegularExpression("\\n *6 +5 +FATDMA")),
             qPrintable(show.out));
    const CliRun send = RunCli({"send", "--port", unit.port, Path("extra.pad")});
    QVERIFY2(send.status == 0 && send.err.contains("set AAR 25/1") &&
                 send.err.contains("set AAR 6/5"),
             qPrintable(send.err));
    QCOMPARE(unit.State().value("schedule"), before.value("schedule"));
}

void TestCliSchedule::contradictingAnswersAndImpossiblePositions()
{
    // Two answers for 21/2: the read fails, naming both, and writes nothing.
    Simulator unit({"--fast", "--quiet", "--bad-answer", "contradicting-row"});
    const CliRun retrieve = RunCli({"retrieve", "--port", unit.port, "-o", Path("two.pad")});
    QVERIFY2(retrieve.status == 3 && retrieve.err.contains("two different answers"),
             qPrintable(retrieve.err));
    QVERIFY(!QFile::exists(Path("two.pad")));

    // A latitude of 95 is no position and not "not available": refused by
    // name before anything goes out.
    Model model;
    model.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    QByteArray bytes = PadFile::ToBytes(model);
    QByteArray latitude;
    QDataStream(&latitude, QIODevice::WriteOnly) << 95.0;
    bytes.replace(4 + 4 + 53 + 4, 8, latitude);
    QVERIFY(WriteBytes(Path("far.pad"), bytes));
    const QJsonObject before = unit.State();
    const CliRun send = RunCli({"send", "--port", unit.port, Path("far.pad")});
    QVERIFY2(send.status != 0 && send.err.contains("Latitude: 95 is not a position"),
             qPrintable(send.err));
    QCOMPARE(unit.State(), before);
}

QTEST_GUILESS_MAIN(TestCliSchedule)
#include "tst_cli_schedule.moc"
