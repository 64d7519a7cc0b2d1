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
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(schedule.Count(), rows.size());
}

bool IsPlaceholderOf(const MessageScheduleEntry &entry, int message)
{
    return entry == MessageScheduleEntry::Placeholder(message);
}

} // namespace

class TestMessageSchedule : public QObject
{
    Q_OBJECT

private slots:
    void slotClash_data();
    void slotClash();
    void setEntryClampsIntervals();
    void packedBlocksAddAndRemove();
    void variantBlocksKeepFixedRows();
    void reportsEnableAndDisable();
    void singleRowScheduleRefusesBlockPositions();
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
    QTest::newRow("slots three apart") << 10 << 13 << 6750 << 4500 << t0 << t0 << false;
    QTest::newRow("slots three apart, reversed") << 13 << 10 << 1 << 2 << t0 << t0 << false;
    QTest::newRow("channel 1 off") << -1 << 0 << 1 << 2 << t0 << t0 << false;
    QTest::newRow("channel 2 off") << 0 << -1 << 1 << 2 << t0 << t0 << false;
    QTest::newRow("zero interval") << 5 << 5 << 0 << 0 << t0 << t0 << true;
    QTest::newRow("not whole minutes") << 5 << 5 << 3000 << 3000 << t0 << t0 << true;
    // k = 4 minutes: the channels must be 2 minutes apart, either way round.
    QTest::newRow("4 min, 2 apart")
        << 5 << 7 << 9000 << 9000 << QTime(23, 58) << QTime(23, 56) << false;
    QTest::newRow("4 min, same time") << 5 << 7 << 9000 << 9000 << t0 << t0 << true;
    // Seconds do not count.
    QTest::newRow("seconds ignored")
        << 5 << 6 << 6750 << 6750 << QTime(1, 0, 59) << QTime(1, 1) << false;
    // k = 1: k / 2 is 0, so the same minute is required.
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
    MessageScheduleEntry entry = schedule.EntryAt(0);
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
    entry.SetStartSlot1(0);
    entry.SetStartSlot2(0);
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
    QVERIFY(schedule.SetEntry(0, entry));
    QCOMPARE(schedule.EntryAt(0).Interval1(), 0);
    QCOMPARE(schedule.EntryAt(0).Interval2(), 3240000);
    entry.SetInterval1(3240000);
    entry.SetInterval2(90000);
    QVERIFY(schedule.SetEntry(0, entry));
    QCOMPARE(schedule.EntryAt(0).Interval1(), 3240000);
    QCOMPARE(schedule.EntryAt(0).Interval2(), 90000);

    entry.SetAccessScheme(MessageScheduleEntry::CSTDMA);
    entry.SetInterval1(86401);
    QVERIFY(schedule.SetEntry(17, entry));
    QCOMPARE(schedule.EntryAt(17).Interval1(), 86400);

    // Out of range: refused, and reads give the default entry.
    QVERIFY(!schedule.SetEntry(18, entry));
    QVERIFY(!schedule.SetEntry(-1, entry));
    QCOMPARE(schedule.EntryAt(18), MessageScheduleEntry());
    QCOMPARE(schedule.EntryAt(-1), MessageScheduleEntry());
    QCOMPARE(schedule.Count(), 18);
}

void TestMessageSchedule::packedBlocksAddAndRemove()
{
    MessageSchedule schedule;
    int row = -1;
    QVERIFY(schedule.IsAvailable(6));
    QVERIFY(schedule.AddMessage(6, row));
    QCOMPARE(row, 2);
    QVERIFY(schedule.AddMessage(6, row));
    QCOMPARE(row, 3);
    MessageScheduleEntry marked = schedule.EntryAt(3);
    QCOMPARE(marked.MessageId(), 6);
    QCOMPARE(marked.StartSlot1(), 0);
    QCOMPARE(marked.StartSlot2(), 0);
    QVERIFY(marked.Active());
    marked.SetSpareValue(33);
    QVERIFY(schedule.SetEntry(3, marked));

    // Removing row 2 moves row 3 up and leaves 3 to 5 free.
    QVERIFY(schedule.RemoveEntry(2));
    QCOMPARE(schedule.EntryAt(2).SpareValue(), 33);
    QVERIFY(schedule.EntryAt(2).Active());
    for (int i = 3; i <= 5; ++i)
        QVERIFY(IsPlaceholderOf(schedule.EntryAt(i), 6));
    // A free row cannot be removed again.
    QVERIFY(!schedule.RemoveEntry(3));
    QVERIFY(!schedule.RemoveEntry(18));
    QVERIFY(!schedule.RemoveEntry(-1));

    // The block holds four; the fifth is refused and nothing else moves.
    for (int i = 0; i < 3; ++i)
        QVERIFY(schedule.AddMessage(6, row));
    QCOMPARE(row, 5);
    QVERIFY(!schedule.IsAvailable(6));
    QVERIFY(!schedule.AddMessage(6, row));
    QCOMPARE(schedule.EntryAt(6).MessageId(), 8);
    QVERIFY(!schedule.EntryAt(6).Active());

    // Removing the last row of a full block frees just that row.
    QVERIFY(schedule.RemoveEntry(5));
    QVERIFY(IsPlaceholderOf(schedule.EntryAt(5), 6));
    QVERIFY(schedule.EntryAt(4).Active());

    // Message 8 uses its own block.
    QVERIFY(schedule.AddMessage(8, row));
    QCOMPARE(row, 6);
    // Numbers without a block are never available.
    QVERIFY(!schedule.IsAvailable(7));
    QVERIFY(!schedule.AddMessage(7, row));
    QVERIFY(!schedule.IsAvailable(21));
    QVERIFY(!schedule.AddMessage(500, row));
    QVERIFY(!schedule.AddMessage(-6, row));
    QCOMPARE(schedule.Count(), 18);
}

void TestMessageSchedule::variantBlocksKeepFixedRows()
{
    MessageSchedule schedule;
    int row = -1;
    QVERIFY(schedule.IsAvailable(212));
    QVERIFY(schedule.AddMessage(212, row));
    QCOMPARE(row, 12);
    QCOMPARE(schedule.EntryAt(12).MessageId(), 12);
    QVERIFY(!schedule.IsAvailable(212));
    QVERIFY(!schedule.AddMessage(212, row));
    QVERIFY(schedule.AddMessage(12, row));
    QCOMPARE(row, 10);
    QVERIFY(schedule.AddMessage(314, row));
    QCOMPARE(row, 17);
    QCOMPARE(schedule.EntryAt(17).MessageId(), 14);
    QVERIFY(schedule.IsAvailable(14));
    QVERIFY(schedule.IsAvailable(114));
    // No fifth variant.
    QVERIFY(!schedule.IsAvailable(412));
    QVERIFY(!schedule.AddMessage(412, row));
    QCOMPARE(schedule.EntryAt(14).MessageId(), 14);

    std::array<bool, 4> flags = schedule.ActiveInBlock(12);
    QCOMPARE(flags, (std::array<bool, 4>{{true, false, true, false}}));
    flags = schedule.ActiveInBlock(14);
    QCOMPARE(flags, (std::array<bool, 4>{{false, false, false, true}}));
    flags = schedule.ActiveInBlock(21);
    QCOMPARE(flags, (std::array<bool, 4>{{true, false, false, false}}));

    // Removing variant 0 leaves variant 2 where it is.
    QVERIFY(schedule.RemoveEntry(10));
    QVERIFY(IsPlaceholderOf(schedule.EntryAt(10), 12));
    QVERIFY(schedule.EntryAt(12).Active());
    QVERIFY(schedule.IsAvailable(12));
}

void TestMessageSchedule::reportsEnableAndDisable()
{
    MessageSchedule schedule;
    // Row 1 starts as the disabled off-position report.
    QVERIFY(!schedule.DisableReport(1));
    QVERIFY(schedule.EnableReport(1));
    QVERIFY(!schedule.EnableReport(1));
    MessageScheduleEntry entry = schedule.EntryAt(1);
    QVERIFY(entry.Active());
    QCOMPARE(entry.StartSlot1(), 0);
    QCOMPARE(entry.StartSlot2(), 0);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetStartSlot1(100);
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
    QVERIFY(!schedule.EnableReport(18));

    // Removing the normal report frees it in place: the off-position report
    // must not move into its row.
    entry = schedule.EntryAt(1);
    entry.SetSpareValue(5);
    QVERIFY(schedule.SetEntry(1, entry));
    QVERIFY(schedule.RemoveEntry(0));
    QVERIFY(IsPlaceholderOf(schedule.EntryAt(0), 21));
    QCOMPARE(schedule.EntryAt(1).SpareValue(), 5);
    QVERIFY(schedule.EntryAt(1).Active());
    // A freed report can be added back in its row.
    QVERIFY(schedule.AddMessage(21, row));
    QCOMPARE(row, 0);
    QVERIFY(schedule.EntryAt(0).Active());
}

void TestMessageSchedule::singleRowScheduleRefusesBlockPositions()
{
    MessageSchedule schedule;
    LoadRows(schedule, {MessageScheduleEntry()});
    int row = 0;
    QVERIFY(!schedule.IsAvailable(6));
    QVERIFY(!schedule.AddMessage(6, row));
    QVERIFY(!schedule.IsAvailable(12));
    QVERIFY(!schedule.AddMessage(112, row));
    QVERIFY(!schedule.EnableReport(1));
    QVERIFY(!schedule.DisableReport(1));
    row = 1;
    QVERIFY(!schedule.PrepareRow(21, row));
    row = 0;
    QVERIFY(!schedule.PrepareRow(8, row));
    QCOMPARE(schedule.Count(), 1);
    QCOMPARE(schedule.VisibleCount(), 1);
    QCOMPARE(schedule.ActiveInBlock(6), (std::array<bool, 4>{{false, false, false, false}}));

    // And an empty one.
    LoadRows(schedule, {});
    QVERIFY(!schedule.IsAvailable(6));
    QVERIFY(!schedule.RisksSlotClash());
    QCOMPARE(schedule.VisibleCount(), 0);
    QVERIFY(!schedule.EntryOfTableRow(0, row));
    row = 0;
    QVERIFY(!schedule.PrepareRow(21, row));

    // A file may put rows anywhere; removing one outside its block touches
    // nothing else.
    MessageScheduleEntry stray;
    stray.SetMessageId(6);
    LoadRows(schedule, {MessageScheduleEntry(), stray});
    QVERIFY(schedule.RemoveEntry(1));
    QVERIFY(IsPlaceholderOf(schedule.EntryAt(1), 6));
    QCOMPARE(schedule.EntryAt(0), MessageScheduleEntry());
    QCOMPARE(schedule.Count(), 2);
}

void TestMessageSchedule::tableRowMapping()
{
    MessageSchedule schedule;
    int row = 0;
    QVERIFY(schedule.AddMessage(6, row));
    QVERIFY(schedule.AddMessage(6, row));
    QVERIFY(schedule.AddMessage(8, row));
    QVERIFY(schedule.AddMessage(212, row));
    QVERIFY(schedule.AddMessage(12, row));
    QVERIFY(schedule.AddMessage(114, row));
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
    QVERIFY(!schedule.EntryOfTableRow(-1, i));
    QVERIFY(!schedule.TableRowOf(4, row)); // free row of 6
    QVERIFY(!schedule.TableRowOf(18, row));

    int number = 0;
    int n = 0;
    QVERIFY(schedule.Ordinal(3, number, n));
    QCOMPARE(number, 6);
    QCOMPARE(n, 2);
    QVERIFY(schedule.Ordinal(1, number, n));
    QCOMPARE(number, 21);
    QCOMPARE(n, 2);
    QVERIFY(schedule.Ordinal(12, number, n));
    QCOMPARE(number, 12);
    QCOMPARE(n, 3);
    QVERIFY(!schedule.Ordinal(18, number, n));

    // A file row of an unknown message still gets a table row, so the table
    // never asks for a row it cannot map.
    MessageSchedule odd;
    MessageScheduleEntry five;
    five.SetMessageId(5);
    LoadRows(odd, {five, MessageScheduleEntry()});
    QCOMPARE(odd.VisibleCount(), 2);
    QVERIFY(odd.EntryOfTableRow(0, i));
    QCOMPARE(i, 1);
    QVERIFY(odd.EntryOfTableRow(1, i));
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
    QCOMPARE(schedule.EntryAt(1).StartSlot1(), 0);
    // Instance 3 of message 21 would land on a row of message 6.
    row = 2;
    QVERIFY(!schedule.PrepareRow(21, row));
    row = -1;
    QVERIFY(!schedule.PrepareRow(21, row));
    QCOMPARE(schedule.EntryAt(2).MessageId(), 6);

    // Packed messages take the next free row whatever the instance says.
    for (int expected = 2; expected <= 5; ++expected) {
        row = 0;
        QVERIFY(schedule.PrepareRow(6, row));
        QCOMPARE(row, expected);
        QVERIFY(schedule.EntryAt(row).Active());
    }
    row = 0;
    QVERIFY(!schedule.PrepareRow(6, row));

    // Variants go to the row of their instance.
    row = 2;
    QVERIFY(schedule.PrepareRow(14, row));
    QCOMPARE(row, 16);
    QCOMPARE(schedule.EntryAt(16).MessageId(), 14);
    row = 4;
    QVERIFY(!schedule.PrepareRow(14, row));
    QCOMPARE(schedule.EntryAt(17).MessageId(), 14);
    QVERIFY(!schedule.EntryAt(17).Active());
    row = 0;
    QVERIFY(!schedule.PrepareRow(5, row));
    QCOMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TestMessageSchedule)
#include "tst_model_schedule.moc"
