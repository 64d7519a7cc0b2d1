// Identities a form check passes but no AtoN should carry: MMSIs of other
// stations, MIDs of no country, names a receiver cannot show; and the unit
// table and vandrel-cli commission warning of them, or refusing with --strict.

#include "fleet/fleetplan.h"
#include "model/mmsiplausibility.h"
#include "model/model.h"
#include "model/padfile.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(MmsiPlausibility::Form)

class TestFleetIdentities : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("*.debug=false"); }
    void mmsiForms_data();
    void mmsiForms();
    void names();
    void tableWarnsAndStrictRefuses();
};

void TestFleetIdentities::mmsiForms_data()
{
    using Form = MmsiPlausibility::Form;
    QTest::addColumn<QString>("mmsi");
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("country");
    // Empty: no warning; otherwise a word the warning must hold.
    QTest::addColumn<QString>("warning");

    QTest::newRow("UK physical") << "992351234" << Form::PhysicalAtoN << "United Kingdom"
                                 << "";
    QTest::newRow("German virtual") << "992116001" << Form::VirtualAtoN << "Germany"
                                    << "";
    QTest::newRow("Norwegian mobile") << "992598123" << Form::MobileAtoN << "Norway"
                                      << "";
    QTest::newRow("US physical") << "993661001" << Form::PhysicalAtoN << "United States"
                                 << "";
    QTest::newRow("Australian virtual") << "995036999" << Form::VirtualAtoN << "Australia"
                                        << "";
    QTest::newRow("Brazilian physical") << "997101001" << Form::PhysicalAtoN << "Brazil"
                                        << "";
    QTest::newRow("Singapore") << "995631002" << Form::PhysicalAtoN << "Singapore"
                               << "";
    QTest::newRow("South Africa") << "996011003" << Form::PhysicalAtoN << "South Africa"
                                  << "";
    QTest::newRow("Hong Kong") << "994771004" << Form::PhysicalAtoN << "Hong Kong (China)"
                               << "";
    // The AtoN form with digits no country holds, or a sixth digit of no kind.
    QTest::newRow("MID 200") << "992001001" << Form::PhysicalAtoN << ""
                             << "belongs to no country";
    QTest::newRow("MID 999") << "999991001" << Form::PhysicalAtoN << ""
                             << "belongs to no country";
    QTest::newRow("MID 217") << "992176001" << Form::VirtualAtoN << ""
                             << "belongs to no country";
    QTest::newRow("sixth digit 2") << "992352222" << Form::OtherAtoN << "United Kingdom"
                                   << "sixth digit 2";
    QTest::newRow("sixth digit 0") << "992350002" << Form::OtherAtoN << "United Kingdom"
                                   << "sixth digit 0";
    // Other stations' forms, with their MIDs where they hold one.
    QTest::newRow("German ship") << "211234567" << Form::Ship << "Germany"
                                 << "a ship's MMSI (Germany)";
    QTest::newRow("Panama ship") << "351000001" << Form::Ship << "Panama"
                                 << "a ship's MMSI";
    QTest::newRow("ship, no MID") << "299000001" << Form::Ship << ""
                                  << "a ship's MMSI,";
    QTest::newRow("coast station") << "002320001" << Form::CoastStation << "United Kingdom"
                                   << "coast station";
    QTest::newRow("group") << "023200001" << Form::Group << "United Kingdom"
                           << "group";
    QTest::newRow("SAR aircraft") << "111232001" << Form::SarAircraft << "United Kingdom"
                                  << "aircraft";
    QTest::newRow("craft") << "982351234" << Form::Craft << "United Kingdom"
                           << "parent ship";
    QTest::newRow("SART") << "970123456" << Form::Device << ""
                          << "distress device";
    QTest::newRow("EPIRB") << "974123456" << Form::Device << ""
                           << "distress device";
    QTest::newRow("handheld") << "812345678" << Form::Unknown << ""
                              << "no form";
    // Nonsense.
    QTest::newRow("zeros") << "000000000" << Form::NotAnMmsi << ""
                           << "not an MMSI";
    QTest::newRow("short") << "99235123" << Form::NotAnMmsi << ""
                           << "not an MMSI";
    QTest::newRow("letters") << "99235l234" << Form::NotAnMmsi << ""
                             << "not an MMSI";
    QTest::newRow("Arabic digits") << QString::fromUtf8("٩٩٢٣٥١٢٣٤") << Form::NotAnMmsi << ""
                                   << "not an MMSI";
    QTest::newRow("empty") << "" << Form::NotAnMmsi << ""
                           << "not an MMSI";
}

void TestFleetIdentities::mmsiForms()
{
    QFETCH(QString, mmsi);
    QFETCH(MmsiPlausibility::Form, form);
    QFETCH(QString, country);
    QFETCH(QString, warning);
    QCOMPARE(MmsiPlausibility::FormOf(mmsi), form);
    QCOMPARE(MmsiPlausibility::Country(MmsiPlausibility::Mid(mmsi)), country);
    const QString said = MmsiPlausibility::MmsiWarning(mmsi);
    if (warning.isEmpty()) {
        QVERIFY2(said.isEmpty(), qPrintable(said));
        return;
    }
    QVERIFY2(said.contains(warning), qPrintable(said));
    // A warning names the MMSI; one of another kind of station says what an
    // AtoN's looks like.
    QVERIFY(said.contains(mmsi));
    const bool atonKind = form == MmsiPlausibility::Form::PhysicalAtoN ||
                          form == MmsiPlausibility::Form::VirtualAtoN ||
                          form == MmsiPlausibility::Form::MobileAtoN;
    QCOMPARE(said.contains("99MIDaXXX"), form != MmsiPlausibility::Form::NotAnMmsi && !atonKind);
}

void TestFleetIdentities::names()
{
    for (const char *good : {"NORTH PIER", "MOLE, SOUTH 2", "A-1 [WEST] ^_?", ""})
        QVERIFY2(MmsiPlausibility::NameWarning(QString::fromUtf8(good)).isEmpty(), good);
    const struct
    {
        const char *name;
        const char *lost;
    } bad[] = {{"north pier", "northpie"}, {"PIER@2", "@"},
               {"KØBENHAVN", "Ø"},         {"TAB\tHERE", "\\x09"},
               {"BELL{1}", "{}"},          {"SMILE \xF0\x9F\x99\x82", "\xF0\x9F\x99\x82"}};
    for (const auto &b : bad) {
        const QString said = MmsiPlausibility::NameWarning(QString::fromUtf8(b.name));
        QVERIFY2(said.contains(QStringLiteral(" holds %1, ").arg(QString::fromUtf8(b.lost))),
                 qPrintable(said));
    }
    QCOMPARE(MmsiPlausibility::Warnings("211234567", "pier").size(), 2);
    QVERIFY(MmsiPlausibility::Warnings("992351234", "PIER").isEmpty());
}

void TestFleetIdentities::tableWarnsAndStrictRefuses()
{
    QTemporaryDir dir;
    Model templateModel;
    MessageSchedule *schedule = templateModel.GetMessageSchedule();
    MessageScheduleEntry normal = schedule->EntryAt(0);
    normal.SetStartSlot2(1125);
    schedule->SetEntry(0, normal);
    QString error;
    const QString templatePath = dir.filePath("t.pad");
    QCOMPARE(PadFile::Save(templatePath, templateModel, &error), PadFile::Done);
    const QString tablePath = dir.filePath("units.csv");
    QFile table(tablePath);
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("name,mmsi,latitude,longitude\n"
                "GOOD,992351001,50,1\n"
                "SHIP,211234567,50,1\n"
                "NOWHERE,992001001,50,1\n");
    table.close();

    // The rows are taken, each implausible one named by line and column.
    FleetPlan plan;
    QVERIFY2(plan.Load(templatePath, tablePath), qPrintable(plan.Problems().join('\n')));
    QCOMPARE(plan.RowCount(), 3);
    const QStringList warnings = plan.Warnings();
    QCOMPARE(warnings.size(), 2);
    QVERIFY2(warnings.at(0).startsWith(tablePath + " line 3, column 2 (mmsi): MMSI 211234567 is "
                                                   "a ship's MMSI (Germany)"),
             qPrintable(warnings.at(0)));
    QVERIFY2(warnings.at(1).startsWith(tablePath + " line 4, column 2 (mmsi):"),
             qPrintable(warnings.at(1)));

    // --strict refuses the table before any port is opened.
    QProcess cli;
    cli.start(VANDREL_CLI,
              {"commission", "--template", templatePath, "--units", tablePath, "--records",
               dir.filePath("records"), "--port", dir.filePath("no-such-port"), "--strict"});
    QVERIFY(cli.waitForFinished(60000));
    const QString said = QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitCode(), 2);
    QVERIFY2(said.contains("vandrel-cli: warning: " + tablePath + " line 3, column 2 (mmsi)"),
             qPrintable(said));
    QVERIFY2(said.contains("Nothing was sent: --strict refuses"), qPrintable(said));
    QVERIFY(!QFileInfo::exists(dir.filePath("records")));
    // Without it the same warnings are said and the run goes on to the port.
    cli.start(VANDREL_CLI,
              {"commission", "--template", templatePath, "--units", tablePath, "--records",
               dir.filePath("records"), "--port", dir.filePath("no-such-port")});
    QVERIFY(cli.waitForFinished(60000));
    const QString onward = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(onward.contains("warning: " + tablePath + " line 4") &&
                 onward.contains("no-such-port"),
             qPrintable(onward));
    QCOMPARE(cli.exitCode(), 3);
}

QTEST_MAIN(TestFleetIdentities)
#include "tst_fleetidentities.moc"
