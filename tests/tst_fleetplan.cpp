// The fleet plan without a unit: reading unit tables as spreadsheets write
// them, refusing every row a send would refuse (by line and column), which
// row each docked unit gets, and the summary a second run resumes from.

#include "fleet/csvtable.h"
#include "fleet/fleetplan.h"
#include "fleet/fleetsummary.h"
#include "fleet/unitassignment.h"
#include "model/model.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QtTest>

// A template a send takes: message 21's channels apart.
static void SpreadSlots(Model *model)
{
    MessageSchedule *schedule = model->GetMessageSchedule();
    MessageScheduleEntry normal = schedule->EntryAt(0);
    normal.SetStartSlot2(1125);
    schedule->SetEntry(0, normal);
}

class TestFleetPlan : public QObject
{
    Q_OBJECT

private slots:
    // The sentence builders that a send's check runs say every sentence.
    void initTestCase() { QLoggingCategory::setFilterRules("*.debug=false"); }
    void csvAsSpreadsheetsWriteIt();
    void planTakesRowsOverTheTemplate();
    void planRefusesEveryBadRow_data();
    void planRefusesEveryBadRow();
    void assignment_data();
    void assignment();
    void summaryResumes();
};

void TestFleetPlan::csvAsSpreadsheetsWriteIt()
{
    // A byte-order mark, CR LF, a quoted comma, a doubled quote, a line end
    // inside quotes (the next record's line counts it), a blank line, an
    // empty last field.
    const QByteArray bytes = "\xef\xbb\xbfmmsi,name\r\n"
                             "992351001,\"PIER, NORTH\"\r\n"
                             "992351002,\"SAY \"\"HI\"\"\nTWICE\"\r\n"
                             "\r\n"
                             "992351003,\n";
    QList<CsvTable::Record> records;
    QString error;
    QVERIFY(CsvTable::Parse(bytes, &records, &error));
    QCOMPARE(records.size(), 4);
    QCOMPARE(records.at(0).fields, QStringList({"mmsi", "name"}));
    QCOMPARE(records.at(1).fields.at(1), QString("PIER, NORTH"));
    QCOMPARE(records.at(2).fields.at(1), QString("SAY \"HI\"\nTWICE"));
    QCOMPARE(records.at(3).line, 6);
    QCOMPARE(records.at(3).fields, QStringList({"992351003", ""}));
    // What the writer quotes, the reader gives back.
    const QStringList awkward{"a,b", "\"q\"", "two\nlines", "plain", ""};
    QVERIFY(CsvTable::Parse(CsvTable::Line(awkward), &records, &error));
    QCOMPARE(records.value(0).fields, awkward);

    const struct
    {
        QByteArray bytes;
        QString problem;
    } bad[] = {{"a,b\n1,\"open\n2,3\n", "line 2: a quoted field is not closed"},
               {"a\n\"x\"y\n", "line 2: text after the closing quote"},
               {"a\nok\n\xff\xfe\n", "line 3: the text is not UTF-8"}};
    for (const auto &b : bad) {
        QVERIFY(!CsvTable::Parse(b.bytes, &records, &error));
        QVERIFY2(error.startsWith(b.problem), qPrintable(error));
    }
}

void TestFleetPlan::planTakesRowsOverTheTemplate()
{
    Model templateModel;
    templateModel.GetAtoN()->SetChannel1(2006);
    templateModel.GetAtoN()->SetOffPositionThreshold(75);
    const QByteArray table =
        "serial,mmsi,name,latitude,longitude,offPositionThreshold,limen,customer\n"
        "S-2,992351002,\"MOLE, SOUTH\",-33.5,-4.25,,true, Port of Exbury \n"
        ",992351001,NORTH,50.5,1.125,120,0,\n";
    // A schedule that a send refuses is the template's problem, named once.
    FleetPlan plan;
    QVERIFY(!plan.Load(templateModel, table, "units%2.csv"));
    QCOMPARE(plan.Problems().size(), 1);
    QVERIFY(plan.Problems().first().contains("clashing time slots"));
    SpreadSlots(&templateModel);
    QVERIFY2(plan.Load(templateModel, table, "units.csv"), qPrintable(plan.Problems().join('\n')));
    QCOMPARE(plan.RowCount(), 2);
    const FleetPlan::Row &south = plan.Rows().at(0);
    QCOMPARE(south.serial, QString("S-2"));
    QCOMPARE(south.customer, QString("Port of Exbury"));
    QCOMPARE(south.line, 2);
    const AtoN *aton = south.configuration->GetAtoN();
    QCOMPARE(aton->GetAtoNMMSI()->NewMmsi(), QString("992351002"));
    QCOMPARE(aton->Name(), QString("MOLE, SOUTH"));
    QCOMPARE(aton->GetPosition()->Latitude(), -33.5);
    QCOMPARE(aton->GetPosition()->Longitude(), -4.25);
    // An empty cell keeps the template's value; the template's own fields stay.
    QCOMPARE(aton->OffPositionThreshold(), 75);
    QCOMPARE(aton->Channel1(), 2006);
    QVERIFY(south.configuration->GetLanternInterface()->GetLimen());
    const FleetPlan::Row &north = plan.Rows().at(1);
    QVERIFY(north.serial.isEmpty() && north.customer.isEmpty());
    QCOMPARE(north.configuration->GetAtoN()->OffPositionThreshold(), 120);
    QVERIFY(!north.configuration->GetLanternInterface()->GetLimen());

    // The largest table taken, each row checked as a send would check it,
    // in linear time; one row more is refused.
    QByteArray big = "mmsi,name,latitude,longitude\n";
    for (int i = 0; i < FleetPlan::MaxRows; ++i)
        big += QByteArray::number(200000000 + i) + ",UNIT " + QByteArray::number(i) + ",50,1\n";
    QElapsedTimer clock;
    clock.start();
    QVERIFY(plan.Load(templateModel, big, "big.csv"));
    qInfo("%d rows planned in %lld ms", plan.RowCount(), clock.elapsed());
    QVERIFY(clock.elapsed() < 60000);
    QVERIFY(!plan.Load(templateModel, big + "299999999,ONE MORE,50,1\n", "big.csv"));
    QVERIFY(plan.Problems().first().contains("more than the 10000"));
}

void TestFleetPlan::planRefusesEveryBadRow_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("problems");
    const QByteArray head = "mmsi,name,latitude,longitude,serial,offPositionThreshold\n";
    const QByteArray good = "992351001,A,50,1,S1,\n";
    QTest::newRow("invalid MMSI on line 3")
        << head + good + "99235100,B,50,1,,\n"
        << QStringList{"units%2.csv line 3, column 1 (mmsi): MMSI \"99235100\" is not valid"};
    QTest::newRow("all-zero MMSI, text for a number")
        << head + "000000000,A,50,1,,many\n"
        << QStringList{"line 2, column 1 (mmsi)", "line 2, column 6 (offPositionThreshold): "
                                                  "\"many\" is not a whole number"};
    // A number, but outside what a send takes: the send's own check names it.
    QTest::newRow("threshold out of range")
        << head + good + "992351002,B,50,1,,99999\n"
        << QStringList{"line 3, column 6 (offPositionThreshold): Off-position threshold: 99999 "
                       "is outside"};
    QTest::newRow("south of the pole, name too long, required cell empty")
        << head + "992351001,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789,-91,,,\n"
        << QStringList{"column 2 (name): the name has 36 characters", "column 3 (latitude)",
                       "column 4 (longitude): empty"};
    QTest::newRow("duplicate MMSI and serial")
        << head + good + "992351002,B,50,1,S1,\n992351001,C,50,1,,\n"
        << QStringList{"line 3, column 5 (serial): the serial number S1 is also on line 2",
                       "line 4, column 1 (mmsi): the MMSI 992351001 is also on line 2"};
    QTest::newRow("header: unknown, doubled, missing")
        << QByteArray("mmsi,name,latitude,colour,name\n992351001,A,50,red,A\n")
        << QStringList{"line 1, column 4 (colour): not a field",
                       "line 1, column 5 (name): the column is also column 2",
                       "line 1: the column \"longitude\" is missing"};
    QTest::newRow("short row, no rows") << head + "992351001,A\n"
                                        << QStringList{"line 2: 2 fields where the header has 6"};
    QTest::newRow("header alone") << head << QStringList{"the table has no unit rows"};
    // What a unit cannot broadcast, and what would start a line of its own
    // in a message: a cell of two lines from a spreadsheet moves the rows
    // after it down a line.
    QTest::newRow("names a unit cannot broadcast, a serial with an escape")
        << head + "992351001,\"NORTH\nPIER\",50,1,,\n"
                  "992351002,A\aB,50,1,,\n992351003,North,50,1,,\n"
                  "992351004,M\xc3\x9cHLE {1},50,1,,\n992351005,A@B,50,1,,\n"
                  "992351006,OK,50,1,S\x1b[2J,\n"
        << QStringList{"line 2, column 2 (name): the name \"NORTH\\x0aPIER\" holds a line break",
                       "line 4, column 2 (name): the name \"A\\x07B\" holds the control character "
                       "\\x07",
                       "line 5, column 2 (name): the name \"North\" has small letters, which a "
                       "unit cannot broadcast; write it in capitals: \"NORTH\"",
                       "line 6, column 2 (name): the name \"M\xc3\x9cHLE {1}\" holds \xc3\x9c{}",
                       "line 7, column 2 (name): the name \"A@B\" holds @",
                       "line 8, column 5 (serial): the serial number \"S\\x1b[2J\" holds"};
    // Printed on the record as the table says it, so it must fit one line.
    QTest::newRow("customer and site of two lines")
        << QByteArray("mmsi,name,latitude,longitude,customer,site\n"
                      "992351001,A,50,1,\"Port\nAuthority\",\"Mole\r\"\n")
        << QStringList{"line 2, column 5 (customer): \"Port\\x0aAuthority\" holds a control",
                       "line 2, column 6 (site): \"Mole\\x0d\" holds a control"};
    QTest::newRow("a header of two lines with %2")
        << QByteArray("mmsi,name,latitude,longitude,\"a%2\nb\"\n992351001,A,50,1,\n")
        << QStringList{"units%2.csv line 1, column 5 (a%2\\x0ab): not a field"};
}

void TestFleetPlan::planRefusesEveryBadRow()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, problems);
    Model templateModel;
    SpreadSlots(&templateModel);
    FleetPlan plan;
    QVERIFY(!plan.Load(templateModel, table, "units%2.csv"));
    // Nothing at all to send, not even the good rows.
    QCOMPARE(plan.RowCount(), 0);
    const QString all = plan.Problems().join('\n');
    for (const QString &problem : problems)
        QVERIFY2(all.contains(problem), qPrintable(all));
    QCOMPARE(plan.Problems().size(), problems.size());
    // Each problem is one line, whatever the table holds.
    QCOMPARE(all.count('\n'), problems.size() - 1);
}

void TestFleetPlan::assignment_data()
{
    // rows: bound serial, the serial of an earlier run's verified unit and
    // of one that took part of the row, "bound/done/taken"; docked:
    // "port=serial" in the order the units report; expected: per docked
    // unit, its row, "done N" or "none".
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("docked");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("reassign");
    QTest::newRow("serials first, then table order")
        << QStringList{"/", "B/", "/", "A/"} << QStringList{"p1=X", "p2=A", "p3=B", "p4=Y"}
        << QStringList{"0", "3", "1", "2"} << false;
    QTest::newRow("a row bound to an absent unit stays free")
        << QStringList{"Q/", "/"} << QStringList{"p1=X", "p2=Y"} << QStringList{"1", "none"}
        << false;
    QTest::newRow("resume: verified rows skipped, their units get nothing again")
        << QStringList{"/A", "/", "C/C"} << QStringList{"p1=A", "p2=C", "p3=B"}
        << QStringList{"done 0", "done 2", "1"} << false;
    QTest::newRow("one unit asking twice keeps its row; a second unit with its serial gets none")
        << QStringList{"A/", "/"} << QStringList{"p1=A", "p1=A", "p2=A"}
        << QStringList{"0", "0", "none"} << false;
    // "@N": the window's chosen row N for the unit.
    QTest::newRow("chosen rows: never another unit's, a done one, or a second one")
        << QStringList{"A/", "/", "/B"}
        << QStringList{"p1=X@0", "p1=X@2", "p1=X@1", "p1=X@0", "p2=A@0", "p3=Y@1"}
        << QStringList{"none", "none", "1", "none", "0", "none"} << false;
    QTest::newRow("a unit without a serial takes an unbound row")
        << QStringList{"A/", "/"} << QStringList{"p1=", "p2="} << QStringList{"1", "none"} << false;
    QTest::newRow("a row cut off on a unit stays that unit's")
        << QStringList{"//A", "/"} << QStringList{"p1=B", "p2=A", "p3=C"}
        << QStringList{"1", "0", "none"} << false;
    QTest::newRow("another unit docked on a port is a new unit")
        << QStringList{"/", "/"} << QStringList{"p1=A", "p1=B", "p1=A"}
        << QStringList{"0", "1", "0"} << false;
    QTest::newRow("reassigned: a row that went wrong goes on, a verified one never")
        << QStringList{"//A", "/B"} << QStringList{"p1=C", "p2=D"} << QStringList{"0", "none"}
        << true;
}

void TestFleetPlan::assignment()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, docked);
    QFETCH(QStringList, expected);
    QFETCH(bool, reassign);
    UnitAssignment assignment;
    assignment.SetReassign(reassign);
    for (const QString &row : rows) {
        assignment.AddRow(row.section('/', 0, 0), row.section('/', 1, 1));
        assignment.TakenBy(assignment.RowCount() - 1, row.section('/', 2, 2));
    }
    QStringList got;
    for (const QString &unit : docked) {
        const QString port = unit.section('=', 0, 0);
        const QString serial = unit.section('=', 1).section('@', 0, 0);
        if (unit.contains('@')) {
            const int row = unit.section('@', 1).toInt();
            got << (assignment.Claim(port, serial, row) ? QString::number(row) : "none");
            continue;
        }
        const UnitAssignment::Outcome outcome = assignment.Assign(port, serial);
        switch (outcome.kind) {
        case UnitAssignment::Kind::Assigned:
            QCOMPARE(assignment.UnitOf(outcome.row), port);
            got << QString::number(outcome.row);
            break;
        case UnitAssignment::Kind::AlreadyDone:
            got << QStringLiteral("done %1").arg(outcome.row);
            break;
        case UnitAssignment::Kind::NoRow:
            got << QStringLiteral("none");
            break;
        }
    }
    QCOMPARE(got, expected);
}

void TestFleetPlan::summaryResumes()
{
    QTemporaryDir dir;
    FleetSummary summary;
    QString error;
    QVERIFY(summary.Open(dir.path(), {"992351001", "992351002"}, &error));
    const QDateTime when = QDateTime(QDate(2026, 12, 7), QTime(15, 0), Qt::UTC);
    QVERIFY(summary.Set(
        1, {"992351002", "SN, 7", FleetSummary::State::Verified, when, "holds every field"},
        &error));
    // Cells a spreadsheet would run as formulas are written as text, and
    // come back as they were.
    const QString formula = "=HYPERLINK(\"http://x\",\"SN8\")";
    QVERIFY(summary.Set(0, {"992351001", formula, FleetSummary::State::Failed, when, "-1+2 @x"},
                        &error));
    QFile written(dir.filePath(FleetSummary::FileName()));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    QCOMPARE(lines.value(1), QByteArray("992351001,\"'=HYPERLINK(\"\"http://x\"\",\"\"SN8\"\")\","
                                        "failed,2026-12-07T15:00:00Z,'-1+2 @x"));
    written.close();
    // The next run's table has another order and a new row; rows are found
    // by MMSI.
    FleetSummary next;
    QVERIFY(next.Open(dir.path(), {"992351003", "992351002", "992351001"}, &error));
    QCOMPARE(next.At(0).state, FleetSummary::State::Waiting);
    QCOMPARE(next.At(1).state, FleetSummary::State::Verified);
    QCOMPARE(next.At(1).serial, QString("SN, 7"));
    QCOMPARE(next.At(1).time, when);
    QCOMPARE(next.At(2).state, FleetSummary::State::Failed);
    QCOMPARE(next.At(2).serial, formula);
    QCOMPARE(next.At(2).verdict, QString("-1+2 @x"));
    // A batch of other units into the same folder keeps the earlier lines.
    FleetSummary other;
    QVERIFY(other.Open(dir.path(), {"992351009"}, &error));
    QVERIFY(other.Write(&error));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> both = written.readAll().split('\n');
    written.close();
    QCOMPARE(both.size(), 5); // header, the new row, both earlier ones, the end
    QVERIFY(both.at(1).startsWith("992351009,,waiting,"));
    QCOMPARE(both.at(2), lines.at(1));
    QVERIFY(both.at(3).startsWith("992351002,\"SN, 7\",verified,"));
    for (const QString &cell : {QString("'=x"), QString("\tx"), QString("+"), QString("@"),
                                QString("\rx"), QString("''"), QString("x=1"), QString()})
        QCOMPARE(CsvTable::FromText(CsvTable::AsText(cell)), cell);
    // A file it did not write is left alone and named.
    QFile foreign(dir.filePath(FleetSummary::FileName()));
    QVERIFY(foreign.open(QIODevice::WriteOnly) && foreign.write("a,b\n") == 4);
    foreign.close();
    QVERIFY(!next.Open(dir.path(), {"992351001"}, &error));
    QVERIFY(error.contains("not a summary"));
    // A folder that cannot take the file says so.
    FleetSummary nowhere;
    QVERIFY(nowhere.Open(dir.filePath("missing"), {"992351001"}, &error));
    QVERIFY(!nowhere.Write(&error));
    QVERIFY(error.contains("could not be written"));
}

QTEST_MAIN(TestFleetPlan)
#include "tst_fleetplan.moc"
