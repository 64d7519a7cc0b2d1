#include "app/configurationcheck.h"
#include "lim/lanterninterface.h"
#include "model/decimaltext.h"
#include "model/model.h"
#include "support/schedulerows.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

bool IsFree(const MessageSchedule &schedule, int row, int message)
{
    return schedule.EntryAt(row) == MessageScheduleEntry::Placeholder(message);
}

// Active flag, access scheme and the two start slots of a row.
QList<int> Head(const MessageSchedule &schedule, int row)
{
    const MessageScheduleEntry e = schedule.EntryAt(row);
    return {e.Active(), e.AccessScheme(), e.StartSlot1(), e.StartSlot2()};
}

// The row that AddMessage or PrepareRow (instance given in row) chose, or -1.
int Add(MessageSchedule &schedule, int number)
{
    int row = -1;
    return schedule.AddMessage(number, row) ? row : -1;
}
int Prepare(MessageSchedule &schedule, int number, int instanceRow)
{
    return schedule.PrepareRow(number, instanceRow) ? instanceRow : -1;
}

} // namespace

// Records of the configuration and the message schedule's rows; whole models
// are compared through their file form in tst_padfile.
class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void decimalTextWritesAsTheFramework()
    {
        // Halfway values (k/32, k/4, k + 1/2) are where rounding rules part.
        QList<double> values{0.0,      -0.0, 0.03125, 0.25,     0.75, 1.25,  2.5,     0.125,
                             59.99995, 9.5,  99.95,   999.9995, 1e15, -1.25, qQNaN(), qInf()};
        quint32 seed = 12345;
        for (int i = 0; i < 2000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            values << (seed % 3600000) / 10000.0 << (seed % 4096) / 32.0;
        }
        for (double value : values) {
            for (int decimals = 0; decimals <= 5; ++decimals) {
                for (int width : {0, 2, 6}) {
                    const QString expected =
                        QStringLiteral("%1").arg(value, width, 'f', decimals, QLatin1Char('0'));
                    QCOMPARE(DecimalText::Fixed(value, decimals, width), expected);
                }
            }
        }
    }
    void nameKeepsFirst34Characters_data();
    void nameKeepsFirst34Characters();
    void lanternConversions();
    void positionRangesAndNotAvailable();
    void positionFormats_data();
    void positionFormats();
    void positionParseText_data();
    void positionParseText();
    void positionTextRoundTrip();
    void configurationCheck_data();
    void configurationCheck();
    void slotClash_data();
    void slotClash();
    void setEntryClampsIntervals();
    void addRemoveAndReports();
    void tableRowMapping();
    void prepareRowAndShortSchedules();
};

void TestModel::nameKeepsFirst34Characters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");
    const QString forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    QTest::newRow("40") << forty << forty.left(34);
    QTest::newRow("characters, not bytes") << QString(40, QChar(0xE4)) << QString(34, QChar(0xE4));
    // A surrogate pair that straddles the cut is dropped whole.
    QTest::newRow("pair across the cut") << QString(33, 'x') + clef + "yy" << QString(33, 'x');
    QTest::newRow("pair before the cut")
        << QString(32, 'x') + clef + "yy" << QString(32, 'x') + clef;
}

void TestModel::nameKeepsFirst34Characters()
{
    QFETCH(QString, name);
    AtoN aton;
    aton.SetName(name);
    QTEST(aton.Name(), "kept");
}

void TestModel::lanternConversions()
{
    // Typical values are checked where the lantern tab converts what is typed;
    // here the edges.
    LanternInterface lantern;
    QVERIFY(!lantern.SetParameterValue(LanternInterface::ParameterCount, 1));
    using L = LanternInterface;
    const QList<QPair<int, int>> whole = {
        {L::MillivoltsFromVolts(-1.0005), -1000},
        {L::OnCurrentFromAmperes(0.5), 250},
        {L::ThresholdFromLux(0), 0},
        {L::LuxFromThreshold(0), 0},
        // Values beyond int are held to its ends rather than converted blindly.
        {L::MillivoltsFromVolts(1e12), INT_MAX},
        {L::MillivoltsFromVolts(-1e12), INT_MIN},
        {L::MillisecondsFromSeconds(qQNaN()), 0},
        {L::ThresholdFromLux(qInf()), INT_MAX},
    };
    for (int i = 0; i < whole.size(); ++i)
        QVERIFY2(whole[i].first == whole[i].second, qPrintable(QString::number(i)));
}

void TestModel::positionRangesAndNotAvailable()
{
    GeoPosition position;
    const QString blank = "__° __' __.___\"";
    QCOMPARE(position.LatitudeDms() + position.LongitudeDms(), blank + " N" + blank + " E");
    // value, stored latitude, stored longitude
    const double cases[][3] = {{90.0, 90.0, 90.0},     {90.0001, 91.0, 90.0001},
                               {-90.0, -90.0, -90.0},  {-90.5, 91.0, -90.5},
                               {180.0, 91.0, 180.0},   {-180.0, 91.0, -180.0},
                               {180.001, 91.0, 181.0}, {-1e300, 91.0, 181.0},
                               {qQNaN(), 91.0, 181.0}, {qInf(), 91.0, 181.0}};
    for (const auto &c : cases) {
        position.SetLatitude(c[0]);
        position.SetLongitude(c[0]);
        QCOMPARE(position.Latitude(), c[1]);
        QCOMPARE(position.Longitude(), c[2]);
    }
}

void TestModel::positionFormats_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("texts");
    // Minutes within 0.00005 of the next minute round up; the carry stops there.
    QTest::newRow("minute carry")
        << -33.9999995 << 0.0
        << "33° 60' 0.002\" S|000° 00' 0.000\" E|33° 60.0000' S|000° 0.0000' E";
    QTest::newRow("seconds")
        << 1.0 + 2.0 / 60 + 3.5 / 3600 << -179.999
        << "01° 02' 3.500\" N|179° 59' 56.400\" W|01° 2.0583' N|179° 59.9400' W";
}

void TestModel::positionFormats()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    GeoPosition p;
    p.SetLatitude(latitude);
    p.SetLongitude(longitude);
    QTEST(
        QStringList({p.LatitudeDms(), p.LongitudeDms(), p.LatitudeDm(), p.LongitudeDm()}).join('|'),
        "texts");
}

void TestModel::positionParseText_data()
{
    // A refused text has no value; the problem is matched by its start.
    QTest::addColumn<bool>("isLatitude");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("problem");
    const double refused = 0.0;
    QTest::newRow("colon, minus") << true << "-12:30" << -12.5 << "";
    QTest::newRow("lower-case s is south") << true << "12 30 15s" << -(12.5 + 15 / 3600.0) << "";
    QTest::newRow("unit follows marked part")
        << true << "10 20M 30" << 10 + 20 / 60.0 + 30 / 3600.0 << "";
    QTest::newRow("markers without blanks") << true << "10°30'36\" N" << 10.51 << "";
    QTest::newRow("letter markers, S south") << true << "10d30m36S" << -10.51 << "";
    QTest::newRow("minute carry as shown")
        << true << "33° 60' 0.002\" S" << -(34 + 0.002 / 3600) << "";
    QTest::newRow("lower-case w") << false << "004 30 w" << -4.5 << "";
    QTest::newRow("longitude underscore") << false << "_" << 181.0 << "";
    QTest::newRow("edge of range") << false << "-180" << -180.0 << "";

    QTest::newRow("decimal comma") << true << "50,5 N" << refused << "\"50,5\" is not";
    QTest::newRow("empty") << true << " " << refused << "No degrees";
    QTest::newRow("nan") << true << "nan N" << refused << "\"nan\" is not";
    QTest::newRow("sign inside") << true << "10 -5" << refused << "\"-5\" is not";
    QTest::newRow("marker alone") << true << "10 '" << refused << "\"\" is not";
    QTest::newRow("above 90") << true << "95 N" << refused << "Out of range";
    QTest::newRow("above 180") << false << "180 0 1 E" << refused << "Out of range";
    QTest::newRow("fourth part") << true << "10 30 36 99" << refused << "Too many";
    QTest::newRow("units backwards") << true << "10' 20°" << refused << "Too many";
    QTest::newRow("61 minutes") << true << "10 61" << refused << "Minutes and";
    QTest::newRow("half typed blank") << true << "12 3_ N" << refused << "\"_\"";
    QTest::newRow("minus and letter") << true << "-7 30 S" << refused << "Give either";
    // "O" is no hemisphere in English (in German it is east).
    QTest::newRow("O") << false << "004 30 O" << refused << "\"O\" is not";
}

void TestModel::positionParseText()
{
    QFETCH(bool, isLatitude);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    GeoPosition position;
    position.SetLatitude(1.0);
    position.SetLongitude(1.0);
    QString why;
    const bool understood =
        isLatitude ? position.SetLatitudeText(text, &why) : position.SetLongitudeText(text, &why);
    const double stored = isLatitude ? position.Latitude() : position.Longitude();
    QCOMPARE(understood, problem.isEmpty());
    QVERIFY2(understood ? why.isEmpty() : why.startsWith(problem), qPrintable(why));
    // A refused text leaves the stored value as it was.
    QFETCH(double, value);
    const double expected = understood ? value : 1.0;
    QVERIFY2(qAbs(stored - expected) < 1e-9, qPrintable(QString::number(stored, 'g', 12)));
}

void TestModel::positionTextRoundTrip()
{
    // What the tab shows reads back as the same position, to the precision of
    // the text (0.0005 seconds, or 0.00005 minutes).
    for (double value : {-180.0, -123.4567, -89.999, -12.3456, 0.0, 0.0001, 7.25, 33.3333, 90.0,
                         151.2093, 179.9999}) {
        GeoPosition p;
        p.SetLatitude(value);
        p.SetLongitude(value);
        const QString texts[] = {p.LatitudeDms(), p.LongitudeDms(), p.LatitudeDm(),
                                 p.LongitudeDm()};
        for (int k = 0; k < 4; ++k) {
            // The short form has no text for a latitude not available.
            if (k == 2 && qAbs(value) > 90)
                continue;
            GeoPosition back;
            QVERIFY(k % 2 ? back.SetLongitudeText(texts[k]) : back.SetLatitudeText(texts[k]));
            const double error =
                k % 2 ? back.Longitude() - p.Longitude() : back.Latitude() - p.Latitude();
            const double tolerance = (k < 2 ? 0.0005 / 3600.0 : 0.00005 / 60.0) + 1e-9;
            QVERIFY2(qAbs(error) < tolerance, qPrintable(texts[k]));
        }
    }
}

void TestModel::configurationCheck_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("problems");
    QTest::newRow("sendable") << "" << int(ConfigurationCheck::AllTabs) << "";
    QTest::newRow("mmsi") << "mmsi" << int(ConfigurationCheck::AtoNTab)
                          << "MMSI: \"000000000\" is not valid (nine digits, not all zeros)";
    // Each escaped comma takes three characters: the name's own sentence is too long.
    QTest::newRow("name") << "name" << int(ConfigurationCheck::AtoNTab)
                          << "Name: the sentence that sets it would have 132 characters, more "
                             "than the 82 a line may have";
    QTest::newRow("ranges") << "ranges" << int(ConfigurationCheck::AllTabs)
                            << "Type of EPFS: 16 is outside 0 to 15|Channel 1: 2500 is not a VHF "
                               "channel|Schedule 21/1 channel 2 start "
                               "slot: 2250 is outside -1 to 2249|Lantern maximum voltage (mV): "
                               "-2147483648 is outside 0 to 33000";
    // Only the fields of the tabs sent count.
    QTest::newRow("other tab") << "ranges" << int(ConfigurationCheck::LanternTab)
                               << "Lantern maximum voltage (mV): -2147483648 is outside 0 to 33000";
}

void TestModel::configurationCheck()
{
    QFETCH(QString, change);
    QFETCH(int, tabs);
    Model model;
    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(change == "mmsi" ? "000000000" : "235012345");
    if (change == "name")
        aton->SetName(QString(34, QLatin1Char(',')));
    if (change == "ranges") {
        aton->SetTypeOfEPFS(16);
        aton->SetChannel1(2500);
        MessageScheduleEntry row = model.GetMessageSchedule()->EntryAt(0);
        row.SetStartSlot2(2250);
        QVERIFY(model.GetMessageSchedule()->SetEntry(0, row));
        model.GetLanternInterface()->SetLimvmax(std::numeric_limits<int>::min());
    }
    QTEST(ConfigurationCheck::Problems(model, tabs).join('|'), "problems");
}

void TestModel::slotClash_data()
{
    QTest::addColumn<QList<int>>("slotsAndIntervals");
    QTest::addColumn<QTime>("time1");
    QTest::addColumn<QTime>("time2");
    QTest::addColumn<bool>("risk");
    const QTime t0(0, 0), t1(0, 1), t2(0, 2);
    using L = QList<int>;
    QTest::newRow("half the interval apart") << L{10, 12, 6750, 6750} << t0 << t1 << false;
    QTest::newRow("two minutes apart") << L{10, 12, 6750, 6750} << t0 << t2 << true;
    QTest::newRow("different intervals") << L{10, 12, 6750, 4500} << t0 << t1 << true;
    QTest::newRow("slots three apart") << L{13, 10, 1, 2} << t0 << t0 << false;
    QTest::newRow("channel 1 off") << L{-1, 0, 1, 2} << t0 << t0 << false;
    QTest::newRow("channel 2 off") << L{0, -1, 1, 2} << t0 << t0 << false;
    QTest::newRow("zero interval") << L{5, 5, 0, 0} << t0 << t0 << true;
    QTest::newRow("not whole minutes") << L{5, 5, 3000, 3000} << t0 << t0 << true;
    QTest::newRow("4 min, 2 apart")
        << L{5, 7, 9000, 9000} << QTime(23, 58) << QTime(23, 56) << false;
    QTest::newRow("seconds ignored")
        << L{5, 6, 6750, 6750} << QTime(1, 0, 59) << QTime(1, 1) << false;
    QTest::newRow("1 min, same minute") << L{0, 0, 2250, 2250} << t1 << t1 << false;
    QTest::newRow("extreme slots") << L{INT_MIN, INT_MAX, 0, 0} << t0 << t0 << false;
}

void TestModel::slotClash()
{
    QFETCH(QList<int>, slotsAndIntervals);
    QFETCH(QTime, time1);
    QFETCH(QTime, time2);
    MessageSchedule schedule;
    MessageScheduleEntry entry;
    entry.SetStartSlot1(slotsAndIntervals[0]);
    entry.SetStartSlot2(slotsAndIntervals[1]);
    entry.SetInterval1(slotsAndIntervals[2]);
    entry.SetInterval2(slotsAndIntervals[3]);
    entry.SetStartTime1(time1);
    entry.SetStartTime2(time2);
    QVERIFY(schedule.SetEntry(0, entry));
    QTEST(schedule.RisksSlotClash(), "risk");
    entry.SetInterval1(1); // only row 0 counts
    QVERIFY(schedule.SetEntry(1, entry));
    QTEST(schedule.RisksSlotClash(), "risk");
}

void TestModel::setEntryClampsIntervals()
{
    MessageSchedule schedule;
    MessageScheduleEntry entry;
    // scheme, row, interval 1 and 2 set, interval 1 and 2 kept (the clamp of
    // the other schemes is met when a received schedule is decoded)
    const int cases[][6] = {{MessageScheduleEntry::FATDMA, 17, -5, INT_MAX, 0, 3240000},
                            {MessageScheduleEntry::FATDMA, 17, 90000, 0, 90000, 0}};
    for (const auto &c : cases) {
        entry.SetAccessScheme(c[0]);
        entry.SetInterval1(c[2]);
        entry.SetInterval2(c[3]);
        QVERIFY(schedule.SetEntry(c[1], entry));
        QCOMPARE(schedule.EntryAt(c[1]).Interval1(), c[4]);
        QCOMPARE(schedule.EntryAt(c[1]).Interval2(), c[5]);
    }
    // Out of range: refused.
    QVERIFY(!schedule.SetEntry(18, entry));
    QVERIFY(!schedule.SetEntry(-1, entry));
    QCOMPARE(schedule.Count(), 18);
}

void TestModel::addRemoveAndReports()
{
    MessageSchedule schedule;
    QCOMPARE(Add(schedule, 6), 2);
    QCOMPARE(Add(schedule, 6), 3);
    QCOMPARE(Head(schedule, 3), QList<int>({1, 0, 0, 0}));
    MessageScheduleEntry marked = schedule.EntryAt(3);
    marked.SetSpareValue(33);
    QVERIFY(schedule.SetEntry(3, marked));

    // Removing row 2 moves row 3 up and leaves 3 to 5 free.
    QVERIFY(schedule.RemoveEntry(2));
    QCOMPARE(schedule.EntryAt(2).SpareValue(), 33);
    QVERIFY(IsFree(schedule, 3, 6) && IsFree(schedule, 4, 6) && IsFree(schedule, 5, 6));
    QVERIFY(!schedule.RemoveEntry(3));
    QVERIFY(!schedule.RemoveEntry(18));

    // The block holds four; a fifth is refused and the next block untouched.
    QCOMPARE(QList<int>({Add(schedule, 6), Add(schedule, 6), Add(schedule, 6)}),
             QList<int>({3, 4, 5}));
    QCOMPARE(Add(schedule, 6), -1);
    QVERIFY(IsFree(schedule, 6, 8));

    // Variants of 12 and 14 have fixed rows and are freed in place.
    QCOMPARE(Add(schedule, 212), 12);
    QCOMPARE(Add(schedule, 12), 10);
    QVERIFY(schedule.RemoveEntry(10));
    QVERIFY(IsFree(schedule, 10, 12) && schedule.EntryAt(12).Active());

    // Numbers without a block, or a fifth variant, find nothing.
    for (int number : {7, 412, 500, -6}) {
        QVERIFY2(!schedule.IsAvailable(number), qPrintable(QString::number(number)));
        QCOMPARE(Add(schedule, number), -1);
    }
    QVERIFY(!schedule.IsAvailable(21));

    // Row 1 starts as the disabled off-position report.
    QVERIFY(!schedule.DisableReport(1));
    QVERIFY(schedule.EnableReport(1));
    QVERIFY(!schedule.EnableReport(1));
    MessageScheduleEntry entry = schedule.EntryAt(1);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetSpareValue(5);
    QVERIFY(schedule.SetEntry(1, entry));
    QVERIFY(schedule.DisableReport(1));
    QCOMPARE(Head(schedule, 1), QList<int>({0, 0, -1, -1}));
    QVERIFY(schedule.EnableReport(1));
    QCOMPARE(Head(schedule, 1), QList<int>({1, 0, 0, 0}));
    // Only message 21 rows are reports.
    QVERIFY(!schedule.DisableReport(2));
    QVERIFY(!schedule.EnableReport(3));

    // Removing the normal report frees it in place: the off-position report
    // must not move into its row. It can be added back there.
    QVERIFY(schedule.RemoveEntry(0));
    QVERIFY(IsFree(schedule, 0, 21));
    QCOMPARE(schedule.EntryAt(1).SpareValue(), 5);
    QCOMPARE(Add(schedule, 21), 0);
    QVERIFY(schedule.EntryAt(0).Active());
}

void TestModel::tableRowMapping()
{
    // The order and numbering that the table shows are checked through the
    // schedule table itself; here the mapping both ways and its ends.
    MessageSchedule schedule;
    for (int number : {6, 6, 8, 212, 12, 114})
        QVERIFY(Add(schedule, number) >= 0);
    QCOMPARE(schedule.VisibleCount(), 8);
    const int listRows[] = {0, 1, 2, 3, 6, 10, 12, 15};
    int i = -1;
    int back = -1;
    for (int table = 0; table < 8; ++table) {
        QVERIFY(schedule.EntryOfTableRow(table, i) && schedule.TableRowOf(i, back));
        QCOMPARE(QList<int>({i, back}), QList<int>({listRows[table], table}));
    }
    QVERIFY(!schedule.EntryOfTableRow(8, i));
    QVERIFY(!schedule.TableRowOf(4, back)); // a free row of 6

    // An active row of an unknown message still gets a table row, so the
    // table never asks for a row that cannot be mapped.
    MessageScheduleEntry five;
    five.SetMessageId(5);
    LoadRows(&schedule, {five, MessageScheduleEntry()});
    QCOMPARE(schedule.VisibleCount(), 2);
    QVERIFY(schedule.EntryOfTableRow(0, i) && i == 1);
    QVERIFY(schedule.EntryOfTableRow(1, i) && i == 0);
}

void TestModel::prepareRowAndShortSchedules()
{
    MessageSchedule schedule;
    QSignalSpy spy(&schedule, &MessageSchedule::off_position_checked);
    QCOMPARE(Prepare(schedule, 21, 0), 0);
    QCOMPARE(Prepare(schedule, 21, 1), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QVERIFY(schedule.EntryAt(1).Active());
    // Instance 3 of message 21 would land on a row of message 6.
    QCOMPARE(Prepare(schedule, 21, 2), -1);
    QVERIFY(IsFree(schedule, 2, 6));

    // Packed messages take the next free row whatever the instance.
    for (int expected : {2, 3, 4, 5, -1})
        QCOMPARE(Prepare(schedule, 6, 0), expected);
    // Variants go to the row of their instance, never beyond the block.
    QCOMPARE(Prepare(schedule, 14, 2), 16);
    QCOMPARE(Prepare(schedule, 14, 4), -1);
    QVERIFY(IsFree(schedule, 17, 14));
    QCOMPARE(Prepare(schedule, 5, 0), -1);
    QCOMPARE(spy.count(), 1);

    // Schedules that a file left short refuse the rows they lack.
    LoadRows(&schedule, {MessageScheduleEntry()});
    QCOMPARE(Add(schedule, 6), -1);
    QCOMPARE(Add(schedule, 112), -1);
    QVERIFY(!schedule.EnableReport(1));
    QCOMPARE(Prepare(schedule, 21, 1), -1);
    QCOMPARE(Prepare(schedule, 8, 0), -1);
    QCOMPARE(schedule.Count(), 1);

    LoadRows(&schedule, {});
    int row = 0;
    QVERIFY(!schedule.RisksSlotClash());
    QVERIFY(!schedule.EntryOfTableRow(0, row));
    QCOMPARE(Prepare(schedule, 21, 0), -1);

    // A file may put a row outside its block; removing it touches nothing else.
    MessageScheduleEntry stray;
    stray.SetMessageId(6);
    LoadRows(&schedule, {MessageScheduleEntry(), stray});
    QVERIFY(schedule.RemoveEntry(1));
    QVERIFY(IsFree(schedule, 1, 6));
    QCOMPARE(schedule.EntryAt(0), MessageScheduleEntry());
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
