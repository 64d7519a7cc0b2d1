#ifndef MESSAGESCHEDULE_H
#define MESSAGESCHEDULE_H

#include "model/messagescheduleentry.h"
#include "model/modelobject.h"

#include <QList>
#include <QStringList>
#include <QVector>
#include <array>

class AtoN;

// The AIS messages that the unit sends on its own schedule. Rows are grouped in
// fixed blocks by message number:
//   21: rows 0-1 (normal report, off-position report)
//    6: rows 2-5 and 8: rows 6-9 (row FirstRow + instance - 1)
//   12: rows 10-13 and 14: rows 14-17 (variant v of the message at first row + v)
// A row that is not active is a free placeholder of its block. Rows the unit
// holds that the layout has no place for (a message without a block, an
// instance beyond its block) follow the layout, kept as read; a row's
// instance is always its ordinal among the rows of its message.
//
// Only specified rows are the document's (see MessageScheduleEntry): a send
// writes those and leaves the unit's other rows as they are.
class MessageSchedule : public ModelObject
{
    Q_OBJECT

public:
    // Rows of the full block layout.
    static constexpr int BlockLayoutRows = 18;
    // Interval limits: FATDMA counts slots, the other schemes minutes.
    static constexpr int MaxFatdmaInterval = 3240000;
    static constexpr int MaxOtherInterval = 86400;

    explicit MessageSchedule(QObject *parent = nullptr);
    // Copies the rows; each schedule keeps its own AtoN pointer.
    MessageSchedule &operator=(const MessageSchedule &other);
    // Compares the rows (and object version), not the AtoN pointer.
    bool operator==(const MessageSchedule &other) const;
    bool operator!=(const MessageSchedule &other) const { return !(*this == other); }

    // The largest message number and instance the schedule's sentence
    // carries (a message number has six bits on the air).
    static constexpr int MaxMessage = 63;
    static constexpr int MaxInstance = 99;

    // Row 0 the default entry, specified; rows 1 to 17 unspecified
    // placeholders of their block: a new document names the normal report
    // only.
    void Reset() override;
    // The specified rows in list order, and the unspecified ones that a
    // later specified row of the same message needs to keep its instance.
    void Write(QDataStream &out) const override;
    // Replaces the rows by those read, all specified. A negative row count,
    // or one larger than the rows the rest of a file could hold, marks the
    // stream corrupt and reads no rows.
    void Read(QDataStream &in) override;

    // Gives the rows read from a file the block layout: each row goes to
    // the place of its message and instance, rows without a place in the
    // layout follow it, and the layout rows the file did not hold are
    // unspecified placeholders (all of them for a file without rows).
    void CompleteLayout();
    // One text per specified row the schedule's sentence could not carry: a
    // message number outside 1 to MaxMessage, an instance above MaxInstance.
    // At most MaxLayoutProblems rows are named.
    QStringList LayoutProblems() const;
    static constexpr int MaxLayoutProblems = 10;

    // The rows a send writes: the specified ones, in list order.
    QList<int> SpecifiedRows() const;
    // Makes an unspecified row a placeholder that switches the unit's row
    // off; false for a specified or missing row.
    bool SwitchOff(int i);
    // The same for every unspecified row; returns how many there were.
    int SwitchOffUnspecified();
    // The unspecified rows by name, runs of one message joined: "21/2",
    // "6/1 to 6/4", "12/1" (none when every row is specified).
    QStringList UnspecifiedRowRuns() const;
    // Makes a send of this schedule leave the unit holding these rows and
    // no others: every row left to the unit is switched off, and so is each
    // row `held` has in use that this schedule does not name (added when it
    // has no place here). Returns the names of those rows `held` has in use.
    QStringList MakeExact(const MessageSchedule &held);
    // "21/2": the message and instance of row i.
    QString RowName(int i) const;
    // The list row of message number, instance n, or -1.
    int FindRow(int number, int n) const;
    // The schedule says the off-position report (21/2) is not sent: a send
    // switches it off on the unit. What that means, for the engineer to read
    // before anything goes out; empty when it does not.
    QString ReportSwitchOffWarning() const;

    AtoN *GetAtoN() const { return aton; }
    void SetAtoN(AtoN *value) { aton = value; }

    int Count() const { return entries.size(); }
    const QList<MessageScheduleEntry> &Entries() const { return entries; }
    // Copy of row i; the default entry when i is out of range.
    MessageScheduleEntry EntryAt(int i) const;
    // Stores row i after clamping both intervals; false when i is out of range.
    bool SetEntry(int i, const MessageScheduleEntry &entry);

    // First and last row of the block of a message number (0 and 0 for numbers
    // without a block).
    static int FirstRow(int messageNumber);
    static int LastRow(int messageNumber);
    // The message number whose block holds list row i (21 for rows outside the layout).
    static int BlockMessageOfRow(int i);

    // Adds message number (6, 8, 12, 14, or a variant 112...314) in a free row;
    // row receives the row used.
    bool AddMessage(int number, int &row);
    bool IsAvailable(int number) const;
    // Frees an active row; the placeholder left switches the unit's row off.
    // In the blocks of 6 and 8 the specified rows after it move up, up to
    // the first unspecified one, and the last of them becomes the
    // placeholder. Rows of 12, 14 and 21 are freed in place. False for a
    // free or missing row.
    bool RemoveEntry(int i);
    // Switch a message 21 row on (start slots 0) or off (FATDMA, start slots -1).
    bool EnableReport(int i);
    bool DisableReport(int i);
    // number := row i's message; n := 1 + rows before i with the same message.
    bool Ordinal(int i, int &number, int &n) const;
    // Rows that are active or carry message 21.
    int VisibleCount() const;
    // Mapping between list rows and the rows of the schedule table.
    bool TableRowOf(int i, int &row) const;
    bool EntryOfTableRow(int row, int &i) const;
    // Makes room for a received schedule row of message number, instance n,
    // and gives the row to store it into: the row of its block for that
    // instance, or the row after the layout that has its instance (made,
    // with unspecified rows for the instances before it, when there is
    // none). False for a schedule short of the layout, and for a message or
    // instance outside the sentence's range.
    bool PrepareRow(int number, int n, int &row);
    // True when row 0's two channels risk using the same slots: a FATDMA
    // report only, as the other schemes have no start slots.
    bool RisksSlotClash() const;
    // The rows that risk a slot clash (row 0 or none).
    QList<int> SlotClashRows() const;
    // One line per row that risks a slot clash, naming it by its place in the
    // table and giving its two start slots.
    QStringList SlotClashRowTexts() const;
    // Flag k set when block row k carries number and is active.
    std::array<bool, 4> ActiveInBlock(int number) const;

    bool FindFreeRow(int number, int &row) const;
    bool FindVariantRow(int number, int &row) const;

signals:
    void off_position_checked(bool ticked);

private:
    // Works out the table rows and ordinals after a change.
    void BuildLookup() const;

    AtoN *aton = nullptr;
    QList<MessageScheduleEntry> entries;
    // Every change of entries clears lookupValid.
    mutable bool lookupValid = false;
    mutable QVector<int> tableRows;       // list row of each table row
    mutable QVector<int> tableRowOfEntry; // table row of each list row, -1 when not shown
    mutable QVector<int> ordinals;        // Ordinal's n of each list row
};

#endif // MESSAGESCHEDULE_H
