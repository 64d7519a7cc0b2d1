// Records as an authority files them, read back from the PDF's own text:
// the banner for a pass, a difference, a failure and a plain visit; the
// unit, the program and "page x of y" on every page; where the settings came
// from; and the batch record of a fleet run with one mode for every file.

#include "tst_cli_support.h"

#include "app/vandrelversion.h"
#include "fleet/record/recordwriter.h"
#include "fleet/unitrecord.h"
#include "model/configurationfields.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTranslator>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The text of each page, spaces run together.
QStringList PdfPages(const QString &path)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", path, "-"});
    process.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
    for (QString &page : pages)
        page = page.simplified();
    while (!pages.isEmpty() && pages.last().isEmpty())
        pages.removeLast();
    return pages;
}

QString Program()
{
    return "Vandrel " + QString::fromLatin1(VandrelVersion::Number());
}

// Each page names the program, the unit and its place in the document.
void CheckPages(const QStringList &pages, const QString &identity,
                const QString &pageOf = QStringLiteral("Page %1 of %2"))
{
    QVERIFY(!pages.isEmpty());
    for (int i = 0; i < pages.size(); ++i) {
        const QString &page = pages.at(i);
        QVERIFY2(page.contains(Program()), qPrintable(page));
        QVERIFY2(page.contains(identity), qPrintable(page));
        QVERIFY2(page.contains(pageOf.arg(i + 1).arg(pages.size())), qPrintable(page));
    }
}

UnitRecord Sample()
{
    auto held = std::make_shared<Model>();
    held->GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992351007");
    held->GetAtoN()->SetName("<b>PIER & MOLE</b>");
    // Every row a schedule has: it runs onto another page.
    MessageSchedule *schedule = held->GetMessageSchedule();
    for (int message : {6, 6, 6, 6, 8, 8, 8, 8, 12, 112, 212, 312, 14, 114, 214, 314}) {
        int row = -1;
        schedule->AddMessage(message, row);
    }
    UnitRecord record;
    record.title = "Commissioning record";
    record.serial = "SN/77";
    record.mmsi = "992351007";
    record.softwareVersion = "1.2.3";
    record.utc = QDateTime(QDate(2026, 12, 7), QTime(15, 4, 5), Qt::UTC);
    record.engineer = "Ana Ruiz";
    record.customer = "Port of Exbury";
    record.site = "Outer mole";
    record.templateFile = "/srv/templates/harbour.pad";
    record.templateSha256 = QString(64, 'a');
    record.tableFile = "units.csv";
    record.tableLine = 7;
    record.registerEntry = "6f1c2a40-0b7e-4b8e-9a57-3f0d2c1e9b11";
    record.batteryMillivolts = "12600";
    record.held = held;
    record.sent = true;
    record.verdict = "The unit holds every field sent.";
    record.gpsFix = "50° 30.0000' N, 001° 07.5000' W; 3D fix, 7 of 9 satellites used";
    record.alarms = QStringList{"062 AtoN: off position"};
    return record;
}

} // namespace

class TestFleetRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordNamesEverythingOnEveryPage();
    void bannerSaysPassDiffersFailedOrRead();
    void bothLanguages();
    void batchOfAFleetRun();

private:
    QTemporaryDir dir;
};

void TestFleetRecords::initTestCase()
{
    QLoggingCategory::setFilterRules("*.debug=false");
    QVERIFY(dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
             "pdftotext (poppler-utils, scripts/setup installs it) reads the records' text");
}

void TestFleetRecords::recordNamesEverythingOnEveryPage()
{
    const UnitRecord record = Sample();
    QCOMPARE(UnitRecord::FileStem(record.mmsi, record.serial), QString("992351007-SN_77"));
    const QString path = dir.filePath("r.pdf");
    QString error;
    QVERIFY2(RecordWriter::WritePdf(record, path, &error), qPrintable(error));
    QVERIFY(!RecordWriter::WritePdf(record, dir.filePath("missing/r.pdf"), &error));
    QVERIFY(error.contains("missing/r.pdf"));

    const QStringList pages = PdfPages(path);
    QVERIFY2(pages.size() >= 2, qPrintable(pages.join("\n---\n")));
    CheckPages(pages, "Serial number SN/77 · MMSI 992351007 · PASS");
    const QString text = pages.join(' ');
    for (const char *expected :
         {"PASS: the unit holds every field sent", "Commissioning record", "Software version 1.2.3",
          "2026-12-07 15:04:05", "Engineer Ana Ruiz", "Customer Port of Exbury", "Site Outer mole",
          "Template /srv/templates/harbour.pad",
          "Register entry 6f1c2a40-0b7e-4b8e-9a57-3f0d2c1e9b11", "units.csv, line 7",
          "Battery voltage 12.60 V (12600 mV)", "3D fix, 7 of 9 satellites used",
          "062 AtoN: off position", "Name \"<b>PIER & MOLE</b>\"", "Message schedule",
          "Lantern interface support", "Signatures", "Witness"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(text.contains("Template SHA-256 " + QString(64, 'a')));
    QVERIFY2(!text.contains("not given"), qPrintable(text));
    // The banner comes before anything else on the first page.
    QVERIFY2(pages.first().indexOf("PASS:") < pages.first().indexOf("Software version"),
             qPrintable(pages.first()));
    // The schedule's column names stand again where it runs onto a page.
    QVERIFY2(!pages.at(1).contains("Message schedule") &&
                 pages.at(1).contains("Message Index Access"),
             qPrintable(pages.at(1)));
}

void TestFleetRecords::bannerSaysPassDiffersFailedOrRead()
{
    UnitRecord differs = Sample();
    differs.verdict = "The unit does not hold 1 field sent.";
    differs.differences = QStringList{"Name: \"A\" -> \"B\""};
    UnitRecord failed = Sample();
    failed.failure = "the line closed during the send: the unit may hold line 7 in part";
    failed.held.reset();
    UnitRecord visit = Sample();
    visit.sent = false;
    visit.engineer.clear();
    visit.templateFile.clear();
    visit.tableFile.clear();
    visit.registerEntry.clear();
    visit.batteryMillivolts.clear();
    const struct
    {
        const UnitRecord &record;
        const char *banner;
        const char *also;
    } cases[] = {
        {differs, "DIFFERS: the unit does not hold every field sent (1 not held)",
         "Name: \"A\" -> \"B\""},
        {failed, "FAILED: the line closed during the send: the unit may hold line 7 in part",
         "The configuration could not be read."},
        {visit, "READ: read from the unit; nothing was sent or compared", "Engineer: not given"},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath("banner.pdf");
        QString error;
        QVERIFY2(RecordWriter::WritePdf(c.record, path, &error), qPrintable(error));
        const QStringList pages = PdfPages(path);
        QVERIFY(!pages.isEmpty());
        const QString banner = QString::fromUtf8(c.banner);
        // First after the line the page header takes.
        const QString first = pages.first();
        QVERIFY2(first.indexOf(banner) >= 0 &&
                     first.indexOf(banner) < first.indexOf("Serial number SN/77 MMSI"),
                 qPrintable(first));
        QVERIFY2(pages.join(' ').contains(QString::fromUtf8(c.also)), c.also);
        CheckPages(pages, "MMSI 992351007 · " + banner.left(banner.indexOf(':')));
        // A pass is said only of a unit that holds every field sent.
        QVERIFY(!pages.join(' ').contains("PASS"));
    }
    const QString visitText = PdfPages(dir.filePath("banner.pdf")).join(' ');
    for (const char *expected : {"Battery voltage not read during this visit",
                                 "Register entry none written", "Engineer not given"})
        QVERIFY2(visitText.contains(expected), expected);
    QVERIFY(!visitText.contains("Template"));
}

void TestFleetRecords::bothLanguages()
{
    // VANDREL_SCREENSHOT_DIR: where the pages go as pictures, for the
    // documentation.
    const QString pictures = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
    QTranslator german;
    QVERIFY(german.load(QCoreApplication::applicationDirPath() + "/../vandrel_de.qm"));
    UnitRecord record = Sample();
    record.differences = QStringList{"Name: \"A\" -> \"B\""};
    record.verdict.clear();
    for (const QString &language : {QString("en"), QString("de")}) {
        if (language == "de")
            QCoreApplication::installTranslator(&german);
        // As a fleet run titles it and a unit's link tells its fix, in the
        // record's language.
        record.title = QCoreApplication::translate("FleetRun", "Commissioning record");
        const auto link = [](const char *text) {
            return QCoreApplication::translate("SessionUnitLink", text);
        };
        record.gpsFix = ConfigurationFields::LatitudeText(50.5) + ", " +
                        ConfigurationFields::LongitudeText(-1.125) +
                        link("; %1, %2 of %3 satellites used").arg(link("3D fix")).arg(7).arg(9);
        const QString path = dir.filePath("record-" + language + ".pdf");
        QString error;
        const bool written = RecordWriter::WritePdf(record, path, &error);
        QCoreApplication::removeTranslator(&german);
        QVERIFY2(written, qPrintable(error));
        const QStringList pages = PdfPages(path);
        if (language == "de") {
            CheckPages(pages, "Seriennummer SN/77 · MMSI 992351007 · ABWEICHUNG",
                       "Seite %1 von %2");
            for (const char *expected :
                 {"ABWEICHUNG: das Gerät hält nicht jedes gesendete Feld (1 nicht gehalten)",
                  "Inbetriebnahmeprotokoll", "Techniker Ana Ruiz", "Kunde Port of Exbury", "Zeuge",
                  "Unterschrift", "Seite 1 von", "Art des AtoN", "Laternen-Schnittstelle"})
                QVERIFY2(pages.join(' ').contains(QString::fromUtf8(expected)), expected);
        } else {
            CheckPages(pages, "Serial number SN/77 · MMSI 992351007 · DIFFERS");
        }
        if (!pictures.isEmpty())
            QCOMPARE(QProcess::execute(
                         QStandardPaths::findExecutable("pdftoppm"),
                         {"-png", "-r", "60", path, QDir(pictures).filePath("record-" + language)}),
                     0);
    }
}

void TestFleetRecords::batchOfAFleetRun()
{
    Model templateModel;
    templateModel.GetAtoN()->SetChannel1(2006);
    MessageSchedule *schedule = templateModel.GetMessageSchedule();
    MessageScheduleEntry normal = schedule->EntryAt(0);
    normal.SetStartSlot2(1125);
    QVERIFY(schedule->SetEntry(0, normal));
    const QString templatePad = SavePad(dir.filePath("harbour.pad"), templateModel);
    QFile templateFile(templatePad);
    QVERIFY(templateFile.open(QIODevice::ReadOnly));
    const QString sha = QString::fromLatin1(
        QCryptographicHash::hash(templateFile.readAll(), QCryptographicHash::Sha256).toHex());

    // The second unit takes no ACE sentence: its name is not what was sent;
    // it reports nothing of itself either. The first unit's receiver tells
    // its fix in RMC alone, and the unit reports itself every second.
    Simulator first({"--no-alr", "--no-ai-text", "--no-gps-text", "--rmc-only", "--report-every",
                     "1", "--serial", "B-1", "--mmsi", "992351901"});
    Simulator second({"--quiet", "--serial", "B-2", "--mmsi", "992351902", "--refuse", "ACE"});
    QVERIFY(!first.port.isEmpty() && !second.port.isEmpty());
    const QString table = dir.filePath("units.csv");
    QVERIFY(WriteBytes(table, "serial,mmsi,name,latitude,longitude,customer,site\n"
                              "B-1,992351051,NORTH,50,1,Port of Exbury,North pier\n"
                              "B-2,992351052,SOUTH,50,1,Port of Exbury,\n"
                              ",992351053,SPARE,50,1,,\n"));
    const QString records = dir.filePath("records");
    // The register is out of reach (a file where its folder should be): the
    // entries wait in the spool, and the records name the ids they will have.
    const QString blocked = dir.filePath("blocked");
    QVERIFY(WriteBytes(blocked, "not a folder"));
    qputenv("VANDREL_REGISTER", QFile::encodeName(blocked + "/register.sqlite"));
    const auto unset = qScopeGuard([] { qunsetenv("VANDREL_REGISTER"); });
    const CliRun run = RunCli({"commission", "--template", templatePad, "--units", table,
                               "--records", records, "--engineer", "Ana Ruiz", "--port", first.port,
                               "--port", second.port, "--on-air", "0.1"},
                              180000);
    QVERIFY2(run.status == 1, qPrintable(run.err));

    const QStringList batches = QDir(records).entryList({"batch-*.pdf"}, QDir::Files, QDir::Name);
    QCOMPARE(batches.size(), 1);
    QVERIFY2(run.err.contains(batches.first()), qPrintable(run.err));
    const QStringList pages = PdfPages(QDir(records).filePath(batches.first()));
    const QString summary = pages.value(0);
    for (const QString &expected :
         QStringList{"Fleet commissioning record", "Engineer Ana Ruiz", "Template " + templatePad,
                     "Template SHA-256 " + sha, "Unit table " + table, "Units that pass: 1 of 3",
                     QString("2 992351051 B-1 PASS verified"), QString("3 992351052 B-2 DIFFERS"),
                     QString("4 992351053 - NOT DONE waiting")})
        QVERIFY2(summary.contains(expected), qPrintable(expected + "\n" + summary));
    // Each unit's record follows, on its own pages, the pages counted
    // through the whole document.
    const QString all = pages.join(' ');
    const int north = all.indexOf("Serial number B-1 · MMSI 992351051 · PASS");
    const int south = all.indexOf("Serial number B-2 · MMSI 992351052 · DIFFERS");
    QVERIFY2(north > 0 && south > north, qPrintable(all));
    // The field the unit did not take is named, with what was sent.
    QVERIFY2(all.indexOf("\"SOUTH\"", south) > south, qPrintable(all.mid(south)));
    for (const QString &expected :
         QStringList{"Customer Port of Exbury Site North pier", "Site not given",
                     "Template SHA-256 " + sha, table + ", line 2", table + ", line 3",
                     QString("DIFFERS: the unit does not hold every field sent"),
                     QString("Battery voltage 12.60 V (12600 mV)"), QString("satellites not known"),
                     QString("carries every field sent (MMSI, name, type, position, dimensions)"),
                     QString("no report of the unit came within 0.1 min")})
        QVERIFY2(all.contains(expected), qPrintable(expected));
    for (int i = 0; i < pages.size(); ++i)
        QVERIFY(pages.at(i).contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));

    // Every record names the entry, the .pad through the register: its
    // bytes or its path find the entry once the register is reached again.
    QVERIFY(QFile::remove(blocked) && QDir().mkpath(blocked));
    for (const QString &stem : {QString("992351051-B-1"), QString("992351052-B-2")}) {
        const QString path = QDir(records).filePath(stem);
        const QString pdf = PdfPages(path + ".pdf").join(' ');
        const QString id =
            QRegularExpression("Register entry ([0-9a-f-]{36})").match(pdf).captured(1);
        QVERIFY2(!id.isEmpty(), qPrintable(pdf));
        QFile log(path + ".log");
        QVERIFY(log.open(QIODevice::ReadOnly));
        // In the header: "#", when the log began, the entry, "#".
        const QList<QByteArray> head = log.readAll().split('\n').mid(0, 4);
        QVERIFY2(head.size() == 4 && head[0] == "#" &&
                     head[1].startsWith("# vandrel Started log file at ") &&
                     head[2] == "# vandrel register entry " + id.toLatin1() && head[3] == "#",
                 head.join('\n').constData());
        const CliRun found = RunCli({"history", "--json", "--file", path + ".pad"});
        QVERIFY2(found.status == 0 && found.out.contains("\"id\":\"" + id + "\""),
                 qPrintable(found.out + found.err));
    }

    // One mode for every file a record is made of, as the folder's umask has it.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const char *name : {"992351051-B-1.pdf", "992351051-B-1.pad", "992351051-B-1.log"}) {
        struct stat info = {};
        QCOMPARE(::stat(QFile::encodeName(QDir(records).filePath(name)).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0666 & ~mask);
    }
}

QTEST_MAIN(TestFleetRecords)
#include "tst_fleetrecords.moc"
