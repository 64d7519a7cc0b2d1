// vandrel-cli on site: a nominal position surveyed from the unit's own
// fixes (steady, drifting, none, lost part way), and a send followed by the
// unit's own report on air (matching, another name, none in time).

#include "tst_cli_support.h"

#include "app/onaircheck.h"
#include "decode/message21report.h"
#include "status/geooffset.h"

#include <QtTest>

class TestCliOnSite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void surveyOffersTheMeanOfSteadyFixesOnly();
    void onAirComparesTheNextReport();
    void reportComparedFieldByField();

private:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

void TestCliOnSite::surveyOffersTheMeanOfSteadyFixesOnly()
{
    // A steady fix: the mean lies within metres of where the unit is, and
    // -o writes the unit's configuration with it as its nominal position.
    {
        Simulator unit({"--no-vdo", "--no-alr", "--no-ai-text", "--no-gps-text"});
        QVERIFY(!unit.port.isEmpty());
        const QJsonObject before = unit.State();
        const QString pad = Path("surveyed.pad");
        const CliRun run = RunCli({"survey", "--port", unit.port, "--minutes", "0.08", "-o", pad});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains("Surveyed nominal position: 50"), qPrintable(run.out));
        QVERIFY(run.out.contains("HDOP 0.9"));
        Model surveyed;
        QCOMPARE(PadFile::Load(pad, &surveyed), PadFile::Done);
        const GeoPosition *position = surveyed.GetAtoN()->GetPosition();
        const double metres = GeoOffset::Between(50 + 47.4512 / 60, -(1 + 6.2275 / 60),
                                                 position->Latitude(), position->Longitude())
                                  .metres;
        QVERIFY2(metres < 8.0, qPrintable(QString::number(metres)));
        QCOMPARE(surveyed.GetAtoN()->Name(), QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
        // Nothing went to the unit.
        QCOMPARE(unit.State(), before);
    }
    // Drifting beyond the threshold (75 m), no fix at all, and a fix lost
    // part way: refused, and no file written.
    const struct
    {
        QStringList switches;
        const char *minutes;
        const char *said;
    } refusals[] = {
        {{"--drift", "400", "--cycle", "8"}, "0.1", "beyond the off-position threshold of 75 m"},
        {{"--no-gps"}, "0.1", "no valid GPS fix within 5 s"},
        {{"--fix-gaps", "--cycle", "8"}, "0.2", "lost its GPS fix (fixes taken"},
    };
    for (const auto &refusal : refusals) {
        Simulator unit(refusal.switches + QStringList{"--no-vdo", "--no-alr", "--no-ai-text"});
        QVERIFY(!unit.port.isEmpty());
        const QString pad = Path("refused.pad");
        const CliRun run =
            RunCli({"survey", "--port", unit.port, "--minutes", refusal.minutes, "-o", pad});
        QVERIFY2(run.status == 3 && run.err.contains(refusal.said), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(pad));
    }
    for (const QStringList &wrong :
         {QStringList{"survey", "--port", "/dev/null", "--minutes", "0"},
          QStringList{"survey", "--minutes", "1"},
          QStringList{"retrieve", "--port", "/dev/null", "--on-air"},
          QStringList{"send", "--port", "/dev/null", "--on-air=-1", "a.pad"}})
        QCOMPARE(RunCli(wrong).status, 2);
}

void TestCliOnSite::onAirComparesTheNextReport()
{
    const QString pad = Path("unit.pad");
    {
        Simulator unit({"--report-every", "2"});
        QVERIFY(!unit.port.isEmpty());
        QCOMPARE(unit.Retrieve(pad), 0);
        const CliRun run = RunCli({"send", "--port", unit.port, "--on-air", "0.5", pad});
        QVERIFY2(run.status == 0 && run.err.contains("carries every field sent"),
                 qPrintable(run.err));
    }
    {
        // The store takes the name, the air carries another.
        Simulator unit({"--report-every", "2", "--broadcast-name", "OLD NAME"});
        QVERIFY(!unit.port.isEmpty());
        const CliRun run = RunCli({"send", "--port", unit.port, "--on-air=0.5", pad});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains("differs from what was sent in 1 field") &&
                     run.out.contains(
                         "name: sent \"NORTH PIER, WEST HARBOUR ENTRANCE\", on air \"OLD NAME\""),
                 qPrintable(run.out));
        // The finding stays with the send's entry in the register.
        const CliRun history = RunCli({"history", "--json"});
        QVERIFY2(history.out.section('\n', 0, 0).contains("OLD NAME"), qPrintable(history.out));
    }
    {
        Simulator unit({"--no-vdo"});
        QVERIFY(!unit.port.isEmpty());
        const CliRun run = RunCli({"send", "--port", unit.port, "--on-air", "0.05", pad});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("no report of the unit came within 0.05 min"),
                 qPrintable(run.err));
    }
}

void TestCliOnSite::reportComparedFieldByField()
{
    AtoN sent;
    sent.GetAtoNMMSI()->SetMmsi(QStringLiteral("992351234"));
    sent.GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351235"));
    sent.SetName(QStringLiteral("North mole "));
    sent.SetTypeOfAtoN(13);
    sent.GetPosition()->SetLatitude(50.5);
    sent.GetPosition()->SetLongitude(-1.0);
    sent.SetPositionAccuracy(1);
    sent.SetOffPositionThreshold(50);
    // Beyond its field: the report carries the field's largest value.
    sent.SetDimensionA(600);
    sent.SetDimensionB(0);
    sent.SetDimensionC(3);
    sent.SetDimensionD(0);
    Message21Report report;
    report.mmsi = QStringLiteral("992351235");
    report.name = QStringLiteral("NORTH MOLE");
    report.aidType = 13;
    report.latitude = 50.5 + 15.0 / 1852 / 60; // 15 m north
    report.longitude = -1.0;
    report.toBow = 511;
    report.toPort = 3;
    // High accuracy holds to ten metres; a low one to the threshold.
    QCOMPARE(OnAirCheck::Compare(sent, report).size(), 1);
    QVERIFY(OnAirCheck::Compare(sent, report).first().startsWith("position: sent"));
    sent.SetPositionAccuracy(0);
    QVERIFY(OnAirCheck::Compare(sent, report).isEmpty());

    report.mmsi = QStringLiteral("992351234");
    report.toPort = 4;
    report.latitude = 91.0;
    const QStringList found = OnAirCheck::Compare(sent, report);
    QCOMPARE(found.size(), 3);
    QCOMPARE(found.at(0), QStringLiteral("MMSI: sent 992351235, on air 992351234"));
    QVERIFY(found.at(1).startsWith("position: sent 50") &&
            found.at(1).endsWith("on air not available"));
    QCOMPARE(found.at(2), QStringLiteral("dimension C (to port): sent 3, on air 4"));
}

QTEST_GUILESS_MAIN(TestCliOnSite)
#include "tst_cli_onsite.moc"
