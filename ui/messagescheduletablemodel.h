#ifndef MESSAGESCHEDULETABLEMODEL_H
#define MESSAGESCHEDULETABLEMODEL_H

#include <QAbstractTableModel>
#include <QColor>

class MessageSchedule;
class MessageScheduleEntry;
class QTableView;

// Presents a MessageSchedule as a table of nine columns, one row per visible
// schedule row (table row r is the schedule row EntryOfTableRow(r)).  Keeps no
// copy of the rows: every call reads the schedule afresh.
class MessageScheduleTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Columns
    {
        MessageIdColumn = 0,
        IndexColumn,
        AccessSchemeColumn,
        StartTime1Column,
        StartSlot1Column,
        Interval1Column,
        StartTime2Column,
        StartSlot2Column,
        Interval2Column,
        ColumnCount
    };
    // Background of the rows that risk a slot clash.
    static constexpr QRgb ClashColour = 0xffffc8c8;
    // Rows the attached view shows at least; more rows scroll.
    static constexpr int LeastRows = 3;

    // `schedule` is not owned and must not be null (treated as an allocation failure).
    MessageScheduleTableModel(MessageSchedule *schedule, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Shows this model in `view` (whole-row selection, no sorting, no vertical
    // header) and sizes the columns to their contents; with `widen` the columns
    // get some air, the view is as wide as all columns and grows in height.
    void AttachToView(QTableView *view, bool widen);
    // Makes attached views read everything again (rows may have come or gone).
    void Refresh();
    // One cell across the values of each row the document leaves to the
    // unit, which says so; to be done after every refresh.
    void SpanRowsLeftToUnit(QTableView *view) const;

    // Schedule row shown in table row `row`, or -1.
    int ScheduleRowOf(int row) const;
    // What a row that risks a slot clash has wrong and how to mend it.
    static QString SlotClashToolTip();

private:
    QVariant DisplayText(const MessageScheduleEntry &entry, int scheduleRow, int column) const;
    QVariant ToolTipText(const MessageScheduleEntry &entry, int scheduleRow, int column) const;
    QString IntervalText(const MessageScheduleEntry &entry, int interval) const;
    // Empty for a message number the table does not know.
    QString MessageToolTip(int messageId) const;
    // A row the unit holds beyond the table's layout: shown, named and kept
    // as read, never edited.
    static bool KeptAsRead(int scheduleRow);
    QString KeptAsReadToolTip(int scheduleRow) const;
    static QString LeftToUnitToolTip();
    // The index column: the ordinal among the rows of the same message, or
    // the report's text for the two message 21 rows.
    QVariant IndexText(int scheduleRow, bool toolTip) const;

    MessageSchedule *schedule;
};

#endif // MESSAGESCHEDULETABLEMODEL_H
