#include "model/scheduletable.h"

#include "model/codetexts.h"

#include "model/messageschedule.h"

#include <QCoreApplication>

ScheduleTable::ScheduleTable(const MessageSchedule *schedule) : schedule(schedule)
{
    Q_CHECK_PTR(schedule);
}

int ScheduleTable::RowCount() const
{
    return schedule->VisibleCount();
}

QString ScheduleTable::Header(int column, QChar lineBreak)
{
    static const char *const headers[ColumnCount] = {
        "Message\nID",           "Index",
        "Access\nScheme",        "Channel 1\nStart UTC",
        "Channel 1\nStart Slot", "Channel 1\nInterval",
        "Channel 2\nStart UTC",  "Channel 2\nStart Slot",
        "Channel 2\nInterval",
    };
    if (column < 0 || column >= ColumnCount)
        return QString();
    return QCoreApplication::translate("MessageScheduleTableModel", headers[column])
        .replace(QLatin1Char('\n'), lineBreak);
}

QString ScheduleTable::Cell(int row, int column) const
{
    int i = 0;
    if (!schedule->EntryOfTableRow(row, i))
        return QString();
    const MessageScheduleEntry entry = schedule->EntryAt(i);
    const bool fatdma = entry.AccessScheme() == MessageScheduleEntry::FATDMA;
    // A row the document leaves to the unit has no values of its own.
    if (!entry.Specified() && column >= AccessScheme)
        return column == AccessScheme ? UnitHoldsIt() : QString();
    auto interval = [&](int value) {
        return fatdma
                   ? QCoreApplication::translate("MessageScheduleTableModel", "%1 slots").arg(value)
                   : QCoreApplication::translate("MessageScheduleTableModel", "%1 minutes")
                         .arg(value);
    };
    switch (column) {
    case MessageId:
        return QString::number(entry.MessageId());
    case Index: {
        int number = 0;
        int n = 0;
        schedule->Ordinal(i, number, n);
        if (number == 21)
            return n == 1 ? QStringLiteral("1") : QStringLiteral("2");
        return QString::number(n);
    }
    case AccessScheme:
        return CodeTexts::AccessScheme(entry.AccessScheme());
    case Channel1StartUtc:
        return entry.StartTime1().toString(QStringLiteral("hh:mm"));
    case Channel1StartSlot:
        return fatdma ? QString::number(entry.StartSlot1()) : QString();
    case Channel1Interval:
        return interval(entry.Interval1());
    case Channel2StartUtc:
        return entry.StartTime2().toString(QStringLiteral("hh:mm"));
    case Channel2StartSlot:
        return fatdma ? QString::number(entry.StartSlot2()) : QString();
    case Channel2Interval:
        return interval(entry.Interval2());
    default:
        return QString();
    }
}

bool ScheduleTable::Active(int row) const
{
    int i = 0;
    if (!schedule->EntryOfTableRow(row, i))
        return false;
    return schedule->EntryAt(i).InUse();
}

bool ScheduleTable::Specified(int row) const
{
    int i = 0;
    return schedule->EntryOfTableRow(row, i) && schedule->EntryAt(i).Specified();
}

QString ScheduleTable::UnitHoldsIt()
{
    return QCoreApplication::translate("MessageScheduleTableModel", "as the unit holds it");
}

QString ScheduleTable::RowName(int row) const
{
    int i = 0;
    if (!schedule->EntryOfTableRow(row, i))
        return QString();
    int number = 0;
    int n = 0;
    schedule->Ordinal(i, number, n);
    return QStringLiteral("%1/%2").arg(number).arg(n);
}
