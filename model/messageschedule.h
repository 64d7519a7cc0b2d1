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
//    6: rows 2-5 and 8: rows 6-9 (active rows packed at the start of the block)
//   12: rows 10-13 and 14: rows 14-17 (variant v of the message at first row + v)
// A row that is not active is a free placeholder of its block.
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

    // Row 0 the default entry, rows 1 to 17 placeholders of their block.
    void Reset() override;
    void Write(QDataStream &out) const override;
    // Replaces the rows by those read. A negative row count, or one larger than
    // the rows the rest of a file could hold, marks the stream corrupt and reads
    // no rows.
    void Read(QDataStream &in) override;

    // A schedule a file left short of the block layout (but not empty: an
    // empty one sends nothing and leaves the unit's rows) gets the rows it
    // lacks as placeholders, each read row going to the row of its message
    // and place, so that a send disables every row the document does not use.
    // Rows that have no place in the layout follow it, for the check to name.
    void CompleteLayout();
    // One text per reason the unit could not hold these rows as they are: a
    // message without a block, more instances than its block, more rows than
    // the layout. At most MaxLayoutProblems rows are named.
    QStringList LayoutProblems() const;
    static constexpr int MaxLayoutProblems = 10;

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
    // Frees an active row. In the packed blocks of 6 and 8 the rows after it
    // move up and the block's last row becomes the placeholder; rows of 12, 14
    // and 21 are freed in place. False for a free or missing row.
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
    // Makes room for a received schedule row of message number. On entry row is
    // the position given by the sentence (instance - 1); on success it is the
    // row to store into.
    bool PrepareRow(int number, int &row);
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
