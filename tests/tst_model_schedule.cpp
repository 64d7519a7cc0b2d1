#include "model/messageschedule.h"

#include <QDataStream>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A schedule holding only the given rows, as a file may leave it.
void LoadRows(MessageSchedule &schedule, const QList<MessageScheduleEntry> &rows)
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(2) << qint32(rows.size());
        for (const MessageScheduleEntry &row : rows)
            row.Write(out);
    }
    QDataStream in(bytes);
    schedule.Read(in);
    QCOMPARE(schedule.Count(), rows.size());
}

bool IsFree(const MessageSchedule &schedule, int row, int message)
{
    return schedule.EntryAt(row) == MessageScheduleEntry::Placeholder(message);
}

} // namespace

class TestMessageSchedule : public QObject
{
    Q_OBJECT

private slots:
    void slotClash_data();
    void slotClash();
    void setEntryClampsIntervals();
    void addAndRemoveKeepTheBlocks();
    void reportsEnableAndDisable();
    void shortSchedulesRefuseMissingRows();
    void tableRowMapping();
    void prepareRowForReceivedRows();
};

void TestMessageSchedule::slotClash_data()
{
    QTest::addColumn<int>("slot1");
    QTest::addColumn<int>("slot2");
    QTest::addColumn<int>("interval1");
    QTest::addColumn<int>("interval2");
    QTest::addColumn<QTime>("time1");
    QTest::addColumn<QTime>("time2");
    QTest::addColumn<bool>("risk");
    const QTime t0(0, 0), t1(0, 1), t2(0, 2);
    QTest::newRow("half the interval apart") << 10 << 12 << 6750 << 6750 << t0 << t1 << false;
    QTest::newRow("two minutes apart") << 10 << 12 << 6750 << 6750 << t0 << t2 << true;
    QTest::newRow("different intervals") << 10 << 12 << 6750 << 4500 << t0 << t1 << true;
    QTest::newRow("slots three apart") << 13 << 10 << 1 << 2 << t0 << t0 << false;
    QTest::newRow("channel 1 off") << -1 << 0 << 1 << 2 << t0 << t0 << false;
    QTest::newRow("channel 2 off") << 0 << -1 << 1 << 2 << t0 << t0 << false;
    QTest::newRow("zero interval") << 5 << 5 << 0 << 0 << t0 << t0 << true;
    QTest::newRow("not whole minutes") << 5 << 5 << 3000 << 3000 << t0 << t0 << true;
    QTest::newRow("4 min, 2 apart")
        << 5 << 7 << 9000 << 9000 << QTime(23, 58) << QTime(23, 56) << false;
    QTest::newRow("seconds ignored")
        << 5 << 6 << 6750 << 6750 << QTime(1, 0, 59) << QTime(1, 1) << false;
    QTest::newRow("1 min, same minute") << 0 << 0 << 2250 << 2250 << t1 << t1 << false;
    QTest::newRow("extreme slots") << INT_MIN << INT_MAX << 0 << 0 << t0 << t0 << false;
}

void TestMessageSchedule::slotClash()
{
    QFETCH(int, slot1);
    QFETCH(int, slot2);
    QFETCH(int, interval1);
    QFETCH(int, interval2);
    QFETCH(QTime, time1);
    QFETCH(QTime, time2);
    QFETCH(bool, risk);
    MessageSchedule schedule;
    MessageScheduleEntry entry;
    entry.SetStartSlot1(slot1);
    entry.SetStartSlot2(slot2);
    entry.SetInterval1(interval1);
    entry.SetInterval2(interval2);
    entry.SetStartTime1(time1);
    entry.SetStartTime2(time2);
    QVERIFY(schedule.SetEntry(0, entry));
    QCOMPARE(schedule.RisksSlotClash(), risk);
    // Only row 0 counts.
    entry.SetInterval1(1);
    QVERIFY(schedule.SetEntry(1, entry));
    QCOMPARE(schedule.RisksSlotClash(), risk);
}

void TestMessageSchedule::setEntryClampsIntervals()
{
    MessageSchedule schedule;
    MessageScheduleEntry entry;
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetInterval1(90000);
    entry.SetInterval2(-1);
    QVERIFY(schedule.SetEntry(0, entry));
    QCOMPARE(schedule.EntryAt(0).Interval1(), 86400);
    QCOMPARE(schedule.EntryAt(0).Interval2(), 0);
    entry.SetAccessScheme(MessageScheduleEntry::FATDMA);
    entry.SetInterval1(-5);
    entry.SetInterval2(INT_MAX);
    QVERIFY(schedule.SetEntry(17, entry));
    QCOMPARE(schedule.EntryAt(17).Interval1(), 0);
    QCOMPARE(schedule.EntryAt(17).Interval2(), 3240000);
    entry.SetInterval1(90000);
    QVERIFY(schedule.SetEntry(17, entry));
    QCOMPARE(schedule.EntryAt(17).Interval1(), 90000);
    // Out of range: refused, and reads give the default entry.
    QVERIFY(!schedule.SetEntry(18, entry));
    QVERIFY(!schedule.SetEntry(-1, entry));
    QCOMPARE(schedule.EntryAt(18), MessageScheduleEntry());
    QCOMPARE(schedule.Count(), 18);
}

void TestMessageSchedule::addAndRemoveKeepTheBlocks()
{
    MessageSchedule schedule;
    int row = -1;
    QVERIFY(schedule.AddMessage(6, row));
    QCOMPARE(row, 2);
    QVERIFY(schedule.AddMessage(6, row));
    QCOMPARE(row, 3);
    MessageScheduleEntry marked = schedule.EntryAt(3);
    QCOMPARE(marked.StartSlot1(), 0);
    QVERIFY(marked.Active());
    marked.SetSpareValue(33);
    QVERIFY(schedule.SetEntry(3, marked));

    // Removing row 2 moves row 3 up and leaves 3 to 5 free.
    QVERIFY(schedule.RemoveEntry(2));
    QCOMPARE(schedule.EntryAt(2).SpareValue(), 33);
    for (int i = 3; i <= 5; ++i)
        QVERIFY(IsFree(schedule, i, 6));
    QVERIFY(!schedule.RemoveEntry(3));
    QVERIFY(!schedule.RemoveEntry(18));

    // The block holds four; a fifth is refused and the next block untouched.
    for (int i = 0; i < 3; ++i)
        QVERIFY(schedule.AddMessage(6, row));
    QVERIFY(!schedule.IsAvailable(6));
    QVERIFY(!schedule.AddMessage(6, row));
    QVERIFY(IsFree(schedule, 6, 8));
    QVERIFY(schedule.RemoveEntry(5));
    QVERIFY(IsFree(schedule, 5, 6));

    // Variants of 12 and 14 have fixed rows and keep them.
    QVERIFY(schedule.IsAvailable(212));
    QVERIFY(schedule.AddMessage(212, row));
    QCOMPARE(row, 12);
    QCOMPARE(schedule.EntryAt(12).MessageId(), 12);
    QVERIFY(!schedule.AddMessage(212, row));
    QVERIFY(schedule.AddMessage(12, row));
    QCOMPARE(row, 10);
    QVERIFY(schedule.AddMessage(314, row));
    QCOMPARE(row, 17);
    QCOMPARE(schedule.ActiveInBlock(12), (std::array<bool, 4>{{true, false, true, false}}));
    QCOMPARE(schedule.ActiveInBlock(14), (std::array<bool, 4>{{false, false, false, true}}));
    QVERIFY(schedule.RemoveEntry(10));
    QVERIFY(IsFree(schedule, 10, 12));
    QVERIFY(schedule.EntryAt(12).Active());

    // Numbers without a block, or a fifth variant, find nothing.
    for (int number : {7, 21, 412, 500, -6})
        QVERIFY2(!schedule.IsAvailable(number), qPrintable(QString::number(number)));
    for (int number : {7, 412, 500, -6})
        QVERIFY2(!schedule.AddMessage(number, row), qPrintable(QString::number(number)));
    QCOMPARE(schedule.Count(), 18);
}

void TestMessageSchedule::reportsEnableAndDisable()
{
    MessageSchedule schedule;
    // Row 1 starts as the disabled off-position report.
    QVERIFY(!schedule.DisableReport(1));
    QVERIFY(schedule.EnableReport(1));
    QVERIFY(!schedule.EnableReport(1));
    MessageScheduleEntry entry = schedule.EntryAt(1);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetStartSlot1(100);
    entry.SetSpareValue(5);
    QVERIFY(schedule.SetEntry(1, entry));
    QVERIFY(schedule.DisableReport(1));
    entry = schedule.EntryAt(1);
    QVERIFY(!entry.Active());
    QCOMPARE(entry.AccessScheme(), 0);
    QCOMPARE(entry.StartSlot1(), -1);
    QCOMPARE(entry.StartSlot2(), -1);
    QVERIFY(schedule.EnableReport(1));
    entry = schedule.EntryAt(1);
    QVERIFY(entry.Active());
    QCOMPARE(entry.AccessScheme(), 0);
    QCOMPARE(entry.StartSlot1(), 0);
    QCOMPARE(entry.StartSlot2(), 0);
    // Only message 21 rows are reports.
    int row = 0;
    QVERIFY(schedule.AddMessage(6, row));
    QVERIFY(!schedule.DisableReport(row));
    QVERIFY(!schedule.EnableReport(3));

    // Removing the normal report frees it in place: the off-position report
    // must not move into its row. It can be added back there.
    QVERIFY(schedule.RemoveEntry(0));
    QVERIFY(IsFree(schedule, 0, 21));
    QCOMPARE(schedule.EntryAt(1).SpareValue(), 5);
    QVERIFY(schedule.AddMessage(21, row));
    QCOMPARE(row, 0);
    QVERIFY(schedule.EntryAt(0).Active());
}

void TestMessageSchedule::shortSchedulesRefuseMissingRows()
{
    MessageSchedule schedule;
    LoadRows(schedule, {MessageScheduleEntry()});
    int row = 0;
    QVERIFY(!schedule.IsAvailable(6));
    QVERIFY(!schedule.AddMessage(6, row));
    QVERIFY(!schedule.AddMessage(112, row));
    QVERIFY(!schedule.EnableReport(1));
    row = 1;
    QVERIFY(!schedule.PrepareRow(21, row));
    row = 0;
    QVERIFY(!schedule.PrepareRow(8, row));
    QCOMPARE(schedule.Count(), 1);
    QCOMPARE(schedule.VisibleCount(), 1);

    LoadRows(schedule, {});
    QVERIFY(!schedule.RisksSlotClash());
    QVERIFY(!schedule.EntryOfTableRow(0, row));
    QVERIFY(!schedule.PrepareRow(21, row));

    // A file may put a row outside its block; removing it touches nothing else.
    MessageScheduleEntry stray;
    stray.SetMessageId(6);
    LoadRows(schedule, {MessageScheduleEntry(), stray});
    QVERIFY(schedule.RemoveEntry(1));
    QVERIFY(IsFree(schedule, 1, 6));
    QCOMPARE(schedule.EntryAt(0), MessageScheduleEntry());
}

void TestMessageSchedule::tableRowMapping()
{
    MessageSchedule schedule;
    int row = 0;
    for (int number : {6, 6, 8, 212, 12, 114})
        QVERIFY(schedule.AddMessage(number, row));
    QCOMPARE(schedule.VisibleCount(), 8);
    const int listRows[] = {0, 1, 2, 3, 6, 10, 12, 15};
    for (int table = 0; table < 8; ++table) {
        int i = -1;
        QVERIFY(schedule.EntryOfTableRow(table, i));
        QCOMPARE(i, listRows[table]);
        int back = -1;
        QVERIFY(schedule.TableRowOf(i, back));
        QCOMPARE(back, table);
    }
    int i = 0;
    QVERIFY(!schedule.EntryOfTableRow(8, i));
    QVERIFY(!schedule.TableRowOf(4, row)); // a free row of 6

    int number = 0;
    int n = 0;
    QVERIFY(schedule.Ordinal(3, number, n));
    QCOMPARE(number, 6);
    QCOMPARE(n, 2);
    QVERIFY(schedule.Ordinal(1, number, n));
    QCOMPARE(n, 2);
    QVERIFY(!schedule.Ordinal(18, number, n));

    // An active row of an unknown message still gets a table row, so the
    // table never asks for a row that cannot be mapped.
    MessageScheduleEntry five;
    five.SetMessageId(5);
    LoadRows(schedule, {five, MessageScheduleEntry()});
    QCOMPARE(schedule.VisibleCount(), 2);
    QVERIFY(schedule.EntryOfTableRow(0, i));
    QCOMPARE(i, 1);
    QVERIFY(schedule.EntryOfTableRow(1, i));
    QCOMPARE(i, 0);
}

void TestMessageSchedule::prepareRowForReceivedRows()
{
    MessageSchedule schedule;
    QSignalSpy spy(&schedule, &MessageSchedule::off_position_checked);
    int row = 0;
    QVERIFY(schedule.PrepareRow(21, row));
    QCOMPARE(row, 0);
    QCOMPARE(spy.count(), 0);
    row = 1;
    QVERIFY(schedule.PrepareRow(21, row));
    QCOMPARE(row, 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QVERIFY(schedule.EntryAt(1).Active());
    // Instance 3 of message 21 would land on a row of message 6.
    row = 2;
    QVERIFY(!schedule.PrepareRow(21, row));
    QVERIFY(IsFree(schedule, 2, 6));

    // Packed messages take the next free row whatever the instance.
    for (int expected = 2; expected <= 5; ++expected) {
        row = 0;
        QVERIFY(schedule.PrepareRow(6, row));
        QCOMPARE(row, expected);
    }
    row = 0;
    QVERIFY(!schedule.PrepareRow(6, row));
    // Variants go to the row of their instance, never beyond the block.
    row = 2;
    QVERIFY(schedule.PrepareRow(14, row));
    QCOMPARE(row, 16);
    row = 4;
    QVERIFY(!schedule.PrepareRow(14, row));
    QVERIFY(IsFree(schedule, 17, 14));
    row = 0;
    QVERIFY(!schedule.PrepareRow(5, row));
    QCOMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TestMessageSchedule)
#include "tst_model_schedule.moc"
