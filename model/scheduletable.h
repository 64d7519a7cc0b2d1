#ifndef SCHEDULETABLE_H
#define SCHEDULETABLE_H

#include <QString>
#include <QStringList>

class MessageSchedule;

// The message schedule as the window's table shows it: one row per visible
// schedule row (message 21 rows always, the other messages when active), nine
// columns of display texts.
class ScheduleTable
{
public:
    enum Column
    {
        MessageId = 0,
        Index,
        AccessScheme,
        Channel1StartUtc,
        Channel1StartSlot,
        Channel1Interval,
        Channel2StartUtc,
        Channel2StartSlot,
        Channel2Interval,
        ColumnCount
    };

    explicit ScheduleTable(const MessageSchedule *schedule);

    int RowCount() const;
    // Header text of a column, its two lines joined by lineBreak: a space
    // for one line, or a line break where the words are to be broken as
    // the translation breaks them (a page's narrow columns).
    static QString Header(int column, QChar lineBreak = QLatin1Char(' '));
    // Display text of a cell; empty outside the table.
    QString Cell(int row, int column) const;
    // The row is in use (an inactive message 21 row, or one switched off, is
    // shown in grey).
    bool Active(int row) const;
    // The document says what the unit should hold in the row; the cells of
    // a row it leaves to the unit are empty but for the access scheme's,
    // which says so.
    bool Specified(int row) const;
    static QString UnitHoldsIt();
    // "21/1", "6/2": the message and its index, which names a row across
    // two configurations whatever list rows they use.
    QString RowName(int row) const;

private:
    const MessageSchedule *schedule;
};

#endif // SCHEDULETABLE_H
