// vandrel-cli commission, verify and record against several simulated units
// at once: every unit holds its own row and the template, each is recorded,
// a second run reads every unit and sends only to one that no longer holds its
// row, a bad table sends nothing to anyone, a unit pulled out in the middle
// fails alone and keeps its row, another unit's MMSI is refused unless the
// engineer overrides, a port or file that cannot be used fails at once, and
// a stopped run records every unit and what each may hold.

#include "tst_cli_support.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>

#include <memory>
#include <vector>

namespace {

// The unit's state, in the fields a row sets and the template fixes.
struct Held
{
    QString mmsi;
    QString name;
    double latitude;
    double longitude;
    int channel1;
};

Held HeldBy(const SimProcess &sim)
{
    const QJsonObject state = sim.State();
    const QJsonObject acf = state.value("acf").toObject();
    return {state.value("mmsi").toString(), state.value("ace").toObject().value("name").toString(),
            acf.value("latitude").toDouble(), acf.value("longitude").toDouble(),
            acf.value("channel1").toInt()};
}

QString PdfText(const QString &path)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", path, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// The newest entry the default register has for the unit.
QJsonObject LatestEntry(const QString &serial)
{
    const CliRun run = RunCli({"history", "--json", "--serial", serial});
    return QJsonDocument::fromJson(run.out.section('\n', 0, 0).toUtf8()).object();
}

QStringList SummaryLines(const QString &folder)
{
    QFile file(QDir(folder).filePath("summary.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestFleetCommission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fourUnitsEachHoldTheirRowAndAreRecorded();
    void badTableSendsNothing();
    void unitPulledOutFailsAlone();
    void anotherUnitsMmsiIsRefused();
    void unusablePortsAndFilesFailAtOnce();
    void stoppedRunRecordsEveryUnit();

private:
    QString Path(const QString &name) const { return dir.filePath(name); }
    // Units of their own serial numbers and MMSIs.
    void Dock(int count, const QStringList &extra = {});
    QStringList Ports() const;
    QTemporaryDir dir;
    QString templatePad;
    std::vector<std::unique_ptr<Simulator>> sims;
};

void TestFleetCommission::initTestCase()
{
    QVERIFY(dir.isValid());
    Model templateModel;
    templateModel.GetAtoN()->SetChannel1(2006);
    templateModel.GetAtoN()->SetOffPositionThreshold(40);
    // Message 21's two channels far enough apart for a send to take them.
    MessageSchedule *schedule = templateModel.GetMessageSchedule();
    MessageScheduleEntry normal = schedule->EntryAt(0);
    normal.SetStartSlot2(1125);
    QVERIFY(schedule->SetEntry(0, normal) && !schedule->RisksSlotClash());
    // Every other row switched off, as templates of earlier versions hold
    // them: sends long enough for a line to close in their middle.
    schedule->SwitchOffUnspecified();
    templatePad = SavePad(Path("template.pad"), templateModel);
}

void TestFleetCommission::Dock(int count, const QStringList &extra)
{
    sims.clear();
    for (int i = 0; i < count; ++i) {
        QStringList options{"--quiet", "--serial", QStringLiteral("SN-%1").arg(i + 1), "--mmsi",
                            QStringLiteral("99235190%1").arg(i + 1)};
        if (i == 0)
            options << extra;
        sims.push_back(std::make_unique<Simulator>(options));
        QVERIFY(!sims.back()->port.isEmpty());
    }
}

QStringList TestFleetCommission::Ports() const
{
    QStringList ports;
    for (const auto &sim : sims)
        ports << "--port" << sim->port;
    return ports;
}

void TestFleetCommission::fourUnitsEachHoldTheirRowAndAreRecorded()
{
    Dock(4);
    // Rows in another order than the ports: two bound by serial number, two
    // to whichever units are left.
    QVERIFY(WriteBytes(Path("units.csv"), "\xef\xbb\xbfmmsi,name,latitude,longitude,serial\n"
                                          "992351011,\"NORTH, PIER\",50.5,-1.25,\n"
                                          "992351012,SOUTH PIER,-33.5,18.25,SN-3\n"
                                          "992351013,EAST MOLE,10.125,-4.5,\n"
                                          "992351014,WEST MOLE,12,5,SN-1\n"));
    const QString records = Path("records");
    const QStringList command =
        QStringList{"commission", "--template", templatePad,  "--units", Path("units.csv"),
                    "--records",  records,      "--engineer", "Ana Ruiz"} +
        Ports();
    QElapsedTimer clock;
    clock.start();
    const CliRun run = RunCli(command, 180000);
    qInfo("four units commissioned in %lld ms", clock.elapsed());
    QVERIFY2(run.status == 0, qPrintable(run.err));

    // SN-1 and SN-3 by their serial numbers; SN-2 and SN-4 take the other
    // two rows, one each.
    const Held sn1 = HeldBy(*sims[0]);
    QCOMPARE(sn1.mmsi, QString("992351014"));
    QCOMPARE(sn1.name, QString("WEST MOLE"));
    const Held sn3 = HeldBy(*sims[2]);
    QCOMPARE(sn3.mmsi, QString("992351012"));
    QCOMPARE(sn3.latitude, -33.5);
    QCOMPARE(sn3.longitude, 18.25);
    const QStringList others{HeldBy(*sims[1]).mmsi, HeldBy(*sims[3]).mmsi};
    QVERIFY(others.contains("992351011") && others.contains("992351013"));
    for (const auto &sim : sims)
        QCOMPARE(HeldBy(*sim).channel1, 2006);

    const QStringList summary = SummaryLines(records);
    QCOMPARE(summary.size(), 5);
    QVERIFY(summary.at(2).startsWith("992351012,SN-3,verified,"));
    const bool havePdfText = !QStandardPaths::findExecutable("pdftotext").isEmpty();
    for (int i = 0; i < 4; ++i) {
        const QString serial = QStringLiteral("SN-%1").arg(i + 1);
        const QString stem = QDir(records).filePath(HeldBy(*sims[i]).mmsi + '-' + serial);
        Model pad;
        QCOMPARE(PadFile::Load(stem + ".pad", &pad), PadFile::Done);
        QCOMPARE(pad.GetAtoN()->Name(), HeldBy(*sims[i]).name);
        QVERIFY(QFileInfo(stem + ".log").size() > 0);
        if (havePdfText) {
            const QString text = PdfText(stem + ".pdf");
            // The record and the register's entry name each other.
            const QJsonObject entry = LatestEntry(serial);
            QCOMPARE(entry.value("kind").toString(), QString("commission"));
            QVERIFY(entry.value("records").toArray().contains(
                QFileInfo(stem + ".pdf").absoluteFilePath()));
            QVERIFY2(text.contains("Serial number " + serial) &&
                         text.contains("MMSI " + HeldBy(*sims[i]).mmsi) &&
                         text.contains("Ana Ruiz") &&
                         text.contains("The unit holds every field sent.") &&
                         text.contains(entry.value("id").toString()),
                     qPrintable(text));
        }
    }

    // Again with the same table and folder: every unit is known as done.
    const QByteArray summaryBefore = SummaryLines(records).join('\n').toUtf8();
    const CliRun again = RunCli(command, 120000);
    QVERIFY2(again.status == 0, qPrintable(again.err));
    QCOMPARE(again.err.count("nothing sent"), 4);
    QVERIFY(!again.err.contains("sending"));
    QCOMPARE(SummaryLines(records).join('\n').toUtf8(), summaryBefore);

    // A unit changed since (its name typed over on the buoy, or a factory
    // reset) no longer holds its row: read afresh, it is named and sent its
    // row again; the others are left alone.
    const Held sn2 = HeldBy(*sims[1]);
    QJsonObject changed = sims[1]->State();
    QJsonObject ace = changed["ace"].toObject();
    ace["name"] = "CHANGED BY HAND";
    changed["ace"] = ace;
    QVERIFY(sims[1]->DockAndWait(changed));
    // summary.csv is a copy: the register tells what each row came to.
    QVERIFY(QFile::remove(QDir(records).filePath("summary.csv")));
    const CliRun third = RunCli(command, 120000);
    QVERIFY2(third.status == 0, qPrintable(third.err));
    QCOMPARE(third.err.count("nothing sent"), 3);
    QCOMPARE(SummaryLines(records).size(), 5);
    QVERIFY2(third.err.contains("no longer holds line"), qPrintable(third.err));
    QCOMPARE(HeldBy(*sims[1]).name, sn2.name);

    // One unit at a time: verify against its record, and against the
    // template (whose MMSI and name it does not hold); a record of its own.
    const QString sn3Pad = QDir(records).filePath("992351012-SN-3.pad");
    QCOMPARE(RunCli({"verify", "--port", sims[2]->port, sn3Pad}).status, 0);
    const CliRun differs = RunCli({"verify", "--port", sims[2]->port, templatePad});
    QCOMPARE(differs.status, 1);
    QVERIFY2(differs.out.contains("Name: \"ATON\" -> \"SOUTH PIER\""), qPrintable(differs.out));
    const CliRun record =
        RunCli({"record", "--port", sims[3]->port, "-o", Path("visit.pdf"), "--engineer", "B"});
    QVERIFY2(record.status == 0, qPrintable(record.err));
    if (!havePdfText)
        QSKIP("pdftotext (poppler-utils) is not installed: the records' text is not checked");
    QVERIFY(PdfText(Path("visit.pdf")).contains("Serial number SN-4"));
}

void TestFleetCommission::badTableSendsNothing()
{
    Dock(2);
    QVERIFY(WriteBytes(Path("bad.csv"), "mmsi,name,latitude,longitude\n"
                                        "992351021,A,50,1\n"
                                        "99235102,B,50,1\n"));
    const CliRun run = RunCli(QStringList{"commission", "--template", templatePad, "--units",
                                          Path("bad.csv"), "--records", Path("bad-records")} +
                              Ports());
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains("bad.csv line 3, column 1 (mmsi)"), qPrintable(run.err));
    // Neither unit was spoken to, nor a records folder made.
    QCOMPARE(HeldBy(*sims[0]).mmsi, QString("992351901"));
    QCOMPARE(HeldBy(*sims[1]).mmsi, QString("992351902"));
    QVERIFY(!QDir(Path("bad-records")).exists());
}

void TestFleetCommission::unitPulledOutFailsAlone()
{
    // The first unit's line closes a few seconds in, in the middle of its send.
    Dock(2, {"--close-after", "6"});
    QVERIFY(WriteBytes(Path("two.csv"), "mmsi,name,latitude,longitude,serial\n"
                                        "992351031,GONE,50,1,\n"
                                        "992351032,STAYS,50,1,SN-2\n"));
    const QString records = Path("two-records");
    const CliRun run = RunCli(QStringList{"commission", "--template", templatePad, "--units",
                                          Path("two.csv"), "--records", records} +
                                  Ports(),
                              120000);
    QCOMPARE(run.status, 3);
    const QStringList summary = SummaryLines(records);
    QCOMPARE(summary.size(), 3);
    QVERIFY2(summary.at(1).startsWith("992351031,SN-1,failed,"), qPrintable(summary.at(1)));
    QVERIFY(summary.at(2).startsWith("992351032,SN-2,verified,"));
    QCOMPARE(HeldBy(*sims[1]).name, QString("STAYS"));
    QVERIFY(QFileInfo(QDir(records).filePath("992351031-SN-1.log")).size() > 0);
    // Its record says so first, and names the register's entry, which
    // names the record.
    const QString failedPdf = QDir(records).filePath("992351031-SN-1.pdf");
    QVERIFY(QFileInfo(failedPdf).size() > 0);
    const QJsonObject cut = LatestEntry("SN-1");
    QCOMPARE(cut.value("result").toString(), QString("cut-off"));
    QCOMPARE(cut.value("kind").toString(), QString("commission"));
    QVERIFY(cut.value("records").toArray().contains(QFileInfo(failedPdf).absoluteFilePath()));
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        const QString text = PdfText(failedPdf);
        QVERIFY2(text.startsWith("FAILED") || text.contains("FAILED:"), qPrintable(text));
        QVERIFY2(text.contains(cut.value("id").toString()), qPrintable(text));
    }

    // The row cut off on SN-1 stays SN-1's: another unit docked in its
    // place gets it only when the engineer says so.
    Simulator other({"--quiet", "--serial", "SN-7", "--mmsi", "992351907"});
    const QStringList rerun{"commission", "--template", templatePad, "--units", Path("two.csv"),
                            "--records",  records,      "--port",    other.port};
    const CliRun refused = RunCli(rerun, 120000);
    QCOMPARE(refused.status, 3);
    QVERIFY2(refused.err.contains("no row of the table is left for serial number SN-7"),
             qPrintable(refused.err));
    QCOMPARE(HeldBy(other).mmsi, QString("992351907"));
    const CliRun reassigned = RunCli(rerun + QStringList{"--reassign-mmsi"}, 120000);
    QVERIFY2(reassigned.status == 0, qPrintable(reassigned.err));
    QCOMPARE(HeldBy(other).mmsi, QString("992351031"));
}

void TestFleetCommission::anotherUnitsMmsiIsRefused()
{
    Dock(2);
    // The register knows MMSI 992351041 as a unit's elsewhere, from the
    // records folder of an earlier batch.
    const QString earlier = Path("elsewhere");
    QVERIFY(QDir().mkpath(earlier));
    QVERIFY(WriteBytes(earlier + "/summary.csv",
                       "mmsi,serial,state,time,verdict\n"
                       "992351041,ELSEWHERE,verified,2026-01-05T10:00:00Z,verified\n"));
    const QString shared = Path("fleet.sqlite");
    QCOMPARE(RunCli({"register", "import", earlier, "--register", shared}).status, 0);
    QVERIFY(WriteBytes(Path("guarded.csv"), "mmsi,name,latitude,longitude,serial\n"
                                            "992351041,TAKEN,50,1,SN-1\n"
                                            "992351042,FREE,50,1,SN-2\n"));
    const QStringList command =
        QStringList{"commission", "--template",    templatePad,  "--units", Path("guarded.csv"),
                    "--records",  Path("guarded"), "--register", shared} +
        Ports();
    const CliRun refused = RunCli(command, 120000);
    QCOMPARE(refused.status, 3);
    QVERIFY2(refused.err.contains("serial number ELSEWHERE") &&
                 refused.err.contains("--reassign-mmsi"),
             qPrintable(refused.err));
    QCOMPARE(HeldBy(*sims[0]).mmsi, QString("992351901"));
    QCOMPARE(HeldBy(*sims[1]).mmsi, QString("992351042"));

    const CliRun reassigned = RunCli(command + QStringList{"--reassign-mmsi"}, 120000);
    QVERIFY2(reassigned.status == 0, qPrintable(reassigned.err));
    QCOMPARE(HeldBy(*sims[0]).mmsi, QString("992351041"));
    QVERIFY2(reassigned.err.contains("still holds its row"), qPrintable(reassigned.err));
}

void TestFleetCommission::unusablePortsAndFilesFailAtOnce()
{
    Dock(1);
    // The port held by another program: the lock makes it busy.
    QSerialPort holder(sims[0]->port);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    const QString missing = "/dev/vandrel-none%2\n";
    for (const QString &port : {sims[0]->port, missing}) {
        for (const QStringList &command :
             {QStringList{"verify", "--port", port, templatePad},
              QStringList{"record", "--port", port, "-o", Path("never.pdf")}}) {
            const CliRun run = RunCli(command, 20000);
            QVERIFY2(run.status == 3, qPrintable(command.join(' ') + run.err));
            // The port's own reason, its name as given: no "%2" replaced,
            // no line of its own.
            QVERIFY2(run.err.contains(port == missing ? "/dev/vandrel-none%2" : "busy"),
                     qPrintable(run.err));
            QCOMPARE(run.err.count('\n'), 1);
        }
    }
    QVERIFY(!QFile::exists(Path("never.pdf")));
    holder.close();

    // A FIFO as the table or as the records' summary: refused, not waited on.
    QVERIFY(WriteBytes(Path("one.csv"), "mmsi,name,latitude,longitude\n992351041,ONE,50,1\n"));
    const QString fifo = Path("fifo%1.csv");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const CliRun table = RunCli({"commission", "--template", templatePad, "--units", fifo,
                                 "--records", Path("fifo-records"), "--port", sims[0]->port},
                                20000);
    QCOMPARE(table.status, 2);
    QVERIFY2(table.err.contains("fifo%1.csv") && table.err.contains("pipe"), qPrintable(table.err));
    QVERIFY(QDir().mkpath(Path("fifo-records")));
    QCOMPARE(::mkfifo(QFile::encodeName(Path("fifo-records/summary.csv")).constData(), 0600), 0);
    const CliRun summary =
        RunCli({"commission", "--template", templatePad, "--units", Path("one.csv"), "--records",
                Path("fifo-records"), "--port", sims[0]->port},
               20000);
    QCOMPARE(summary.status, 3);
    QVERIFY2(summary.err.contains("summary.csv") && summary.err.contains("pipe"),
             qPrintable(summary.err));
    QCOMPARE(HeldBy(*sims[0]).mmsi, QString("992351901"));
}

void TestFleetCommission::stoppedRunRecordsEveryUnit()
{
    // Slow answers keep both sends going long enough to be stopped midway.
    sims.clear();
    for (int i = 0; i < 2; ++i) {
        sims.push_back(std::make_unique<Simulator>(
            QStringList{"--quiet", "--verbose", "--late-ms", "150", "--serial",
                        QStringLiteral("SN-%1").arg(i + 1), "--mmsi",
                        QStringLiteral("99235190%1").arg(i + 1)}));
        QVERIFY(!sims.back()->port.isEmpty());
    }
    QVERIFY(WriteBytes(Path("stop.csv"), "mmsi,name,latitude,longitude,serial\n"
                                         "992351051,FIRST,50,1,SN-1\n"
                                         "992351052,SECOND,50,1,SN-2\n"));
    const QString records = Path("stop-records");
    QProcess cli;
    cli.start(VANDREL_CLI, QStringList{"commission", "--template", templatePad, "--units",
                                       Path("stop.csv"), "--records", records} +
                               Ports());
    // Stopped once both units have had part of their rows.
    QString err;
    QTRY_VERIFY_WITH_TIMEOUT((err += QString::fromUtf8(cli.readAllStandardError()),
                              err.count(QRegularExpression(": line \\d, sending [1-9]")) >= 2),
                             60000);
    cli.terminate();
    QVERIFY(cli.waitForFinished(30000));
    err += QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 3);
    const QStringList summary = SummaryLines(records);
    QCOMPARE(summary.size(), 3);
    for (int i = 0; i < 2; ++i) {
        const QString mmsi = QStringLiteral("99235105%1").arg(i + 1);
        QVERIFY2(err.contains(QStringLiteral("the run was stopped during the send: the unit "
                                             "may hold line %1 of the table (MMSI %2) in part")
                                  .arg(i + 2)
                                  .arg(mmsi)),
                 qPrintable(err));
        QVERIFY2(summary.at(i + 1).startsWith(mmsi + QStringLiteral(",SN-%1,failed,").arg(i + 1)) &&
                     summary.at(i + 1).contains("in part"),
                 qPrintable(summary.at(i + 1)));
    }
}

QTEST_GUILESS_MAIN(TestFleetCommission)
#include "tst_fleetcommission.moc"
