#include "model/messageschedule.h"

#include <QDataStream>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A schedule holding only the given rows, as a file may leave it.
void LoadRows(MessageSchedule &schedule, const QList<MessageScheduleEntry> &rows)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(2) << qint32(rows.size());
    for (const MessageScheduleEntry &row : rows)
        row.Write(out);
    QDataStream in(bytes);
    schedule.Read(in);
    QCOMPARE(schedule.Count(), rows.size());
}

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

class TestMessageSchedule : public QObject
{
    Q_OBJECT

private slots:
    void slotClash_data();
    void slotClash();
    void setEntryClampsIntervals();
    void addRemoveAndReports();
    void tableRowMapping();
    void prepareRowAndShortSchedules();
};

void TestMessageSchedule::slotClash_data()
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

void TestMessageSchedule::slotClash()
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

void TestMessageSchedule::setEntryClampsIntervals()
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

void TestMessageSchedule::addRemoveAndReports()
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

void TestMessageSchedule::tableRowMapping()
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
    LoadRows(schedule, {five, MessageScheduleEntry()});
    QCOMPARE(schedule.VisibleCount(), 2);
    QVERIFY(schedule.EntryOfTableRow(0, i) && i == 1);
    QVERIFY(schedule.EntryOfTableRow(1, i) && i == 0);
}

void TestMessageSchedule::prepareRowAndShortSchedules()
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
    LoadRows(schedule, {MessageScheduleEntry()});
    QCOMPARE(Add(schedule, 6), -1);
    QCOMPARE(Add(schedule, 112), -1);
    QVERIFY(!schedule.EnableReport(1));
    QCOMPARE(Prepare(schedule, 21, 1), -1);
    QCOMPARE(Prepare(schedule, 8, 0), -1);
    QCOMPARE(schedule.Count(), 1);

    LoadRows(schedule, {});
    int row = 0;
    QVERIFY(!schedule.RisksSlotClash());
    QVERIFY(!schedule.EntryOfTableRow(0, row));
    QCOMPARE(Prepare(schedule, 21, 0), -1);

    // A file may put a row outside its block; removing it touches nothing else.
    MessageScheduleEntry stray;
    stray.SetMessageId(6);
    LoadRows(schedule, {MessageScheduleEntry(), stray});
    QVERIFY(schedule.RemoveEntry(1));
    QVERIFY(IsFree(schedule, 1, 6));
    QCOMPARE(schedule.EntryAt(0), MessageScheduleEntry());
}

QTEST_GUILESS_MAIN(TestMessageSchedule)
#include "tst_model_schedule.moc"
