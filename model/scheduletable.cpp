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

QString ScheduleTable::Header(int column)
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
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString ScheduleTable::Cell(int row, int column) const
{
    int i = 0;
    if (!schedule->EntryOfTableRow(row, i))
        return QString();
    const MessageScheduleEntry entry = schedule->EntryAt(i);
    const bool fatdma = entry.AccessScheme() == MessageScheduleEntry::FATDMA;
    auto interval = [&](int value) {
        return fatdma
                   ? QCoreApplication::translate("MessageScheduleTableModel", "%1 slots").arg(value)
                   : QCoreApplication::translate("MessageScheduleTableModel", "%1 minutes")
                         .arg(value);
    };
    switch (column) {
    case MessageId: {
        const int id = entry.MessageId();
        return (id == 21 || id == 6 || id == 8 || id == 12 || id == 14) ? QString::number(id)
                                                                        : QString();
    }
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
    // A report switched off is sent as FATDMA with both start slots -1, and
    // the unit answers it so; read back, such a row is not in use either.
    const MessageScheduleEntry entry = schedule->EntryAt(i);
    const bool switchedOff = entry.MessageId() == 21 &&
                             entry.AccessScheme() == MessageScheduleEntry::FATDMA &&
                             entry.StartSlot1() == MessageScheduleEntry::DisabledSlot &&
                             entry.StartSlot2() == MessageScheduleEntry::DisabledSlot;
    return entry.Active() && !switchedOff;
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
