#include "model/messageschedule.h"

#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <cstdlib>

MessageSchedule::MessageSchedule(QObject *parent) : ModelObject(2, parent)
{
    Reset();
}

MessageSchedule &MessageSchedule::operator=(const MessageSchedule &other)
{
    if (this != &other) {
        CopyObjectVersion(other);
        entries = other.entries;
        lookupValid = false;
    }
    return *this;
}

bool MessageSchedule::operator==(const MessageSchedule &other) const
{
    return objectVersion == other.objectVersion && entries == other.entries;
}

void MessageSchedule::Reset()
{
    ResetObjectVersion();
    lookupValid = false;
    entries.clear();
    entries.append(MessageScheduleEntry());
    // The placeholders give every received schedule row, and every added
    // message, a row of its block to go to.
    for (int i = 1; i < BlockLayoutRows; ++i)
        entries.append(MessageScheduleEntry::Unspecified(BlockMessageOfRow(i)));
}

void MessageSchedule::Write(QDataStream &out) const
{
    ModelObject::Write(out);
    // A file has no other way to leave a row to the unit than not to hold
    // it; a row that a later one of its message counts on for its instance
    // is written all the same, and reads back as switched off.
    QHash<int, int> lastSpecified;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).Specified())
            lastSpecified.insert(entries.at(i).MessageId(), i);
    }
    auto written = [&](int i) { return i <= lastSpecified.value(entries.at(i).MessageId(), -1); };
    qint32 count = 0;
    for (int i = 0; i < entries.size(); ++i)
        count += written(i) ? 1 : 0;
    out << count;
    for (int i = 0; i < entries.size(); ++i) {
        if (written(i))
            entries.at(i).Write(out);
    }
}

void MessageSchedule::Read(QDataStream &in)
{
    ModelObject::Read(in);
    entries.clear();
    lookupValid = false;
    qint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return;
    if (count < 0) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    // Never trust the count further than the data present.
    const QIODevice *device = in.device();
    if (device && !device->isSequential() &&
        count > device->bytesAvailable() / MessageScheduleEntry::FileSize) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    for (qint32 i = 0; i < count; ++i) {
        MessageScheduleEntry entry;
        entry.Read(in);
        if (in.status() != QDataStream::Ok)
            return;
        entries.append(entry);
    }
}

void MessageSchedule::CompleteLayout()
{
    QList<MessageScheduleEntry> layout;
    for (int i = 0; i < BlockLayoutRows; ++i)
        layout.append(MessageScheduleEntry::Unspecified(BlockMessageOfRow(i)));
    QList<MessageScheduleEntry> beyond;
    // The place of a row is what a send makes of it: its message, and its
    // instance counted among the rows of that message before it.
    QHash<int, int> seen;
    for (const MessageScheduleEntry &entry : qAsConst(entries)) {
        const int message = entry.MessageId();
        const int row = FirstRow(message) + seen[message]++;
        const bool hasBlock = LastRow(message) > 0;
        if (hasBlock && row <= LastRow(message))
            layout[row] = entry;
        else
            beyond.append(entry);
    }
    entries = layout + beyond;
    lookupValid = false;
}

QStringList MessageSchedule::LayoutProblems() const
{
    QStringList problems;
    QHash<int, int> seen;
    for (int i = 0; i < entries.size() && problems.size() < MaxLayoutProblems; ++i) {
        const int message = entries.at(i).MessageId();
        const int instance = ++seen[message];
        if (!entries.at(i).Specified())
            continue;
        if (message < 1 || message > MaxMessage)
            problems << tr("Schedule row %1: message %2 is not an AIS message number (1 to %3)")
                            .arg(QString::number(i + 1), QString::number(message),
                                 QString::number(MaxMessage));
        else if (instance > MaxInstance)
            problems << tr("Schedule %1/%2: the schedule's sentence carries at most %3 rows of "
                           "a message")
                            .arg(QString::number(message), QString::number(instance),
                                 QString::number(MaxInstance));
    }
    return problems;
}

QList<int> MessageSchedule::SpecifiedRows() const
{
    QList<int> rows;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).Specified())
            rows << i;
    }
    return rows;
}

bool MessageSchedule::SwitchOff(int i)
{
    if (i < 0 || i >= entries.size() || entries.at(i).Specified())
        return false;
    entries[i] = MessageScheduleEntry::Placeholder(entries.at(i).MessageId());
    lookupValid = false;
    return true;
}

int MessageSchedule::SwitchOffUnspecified()
{
    int count = 0;
    for (int i = 0; i < entries.size(); ++i)
        count += SwitchOff(i) ? 1 : 0;
    return count;
}

QStringList MessageSchedule::MakeExact(const MessageSchedule &held)
{
    QStringList goingOff;
    for (int j = 0; j < held.Count(); ++j) {
        int number = 0;
        int n = 0;
        if (!held.EntryAt(j).InUse() || !held.Ordinal(j, number, n))
            continue;
        int i = FindRow(number, n);
        if (i >= 0 && entries.at(i).Specified())
            continue;
        // PrepareRow leaves the rows it adds before this one to the unit:
        // they are switched off below with the rest.
        if (i < 0 && !PrepareRow(number, n, i))
            continue;
        entries[i] = MessageScheduleEntry::Unspecified(number);
        goingOff << held.RowName(j);
    }
    SwitchOffUnspecified();
    return goingOff;
}

QString MessageSchedule::RowName(int i) const
{
    int number = 0;
    int n = 0;
    if (!Ordinal(i, number, n))
        return QString();
    return QStringLiteral("%1/%2").arg(number).arg(n);
}

QStringList MessageSchedule::UnspecifiedRowRuns() const
{
    QStringList runs;
    int runStart = -1;
    for (int i = 0; i <= entries.size(); ++i) {
        const bool unspecified = i < entries.size() && !entries.at(i).Specified();
        const bool continues = unspecified && runStart >= 0 &&
                               entries.at(i).MessageId() == entries.at(i - 1).MessageId();
        if (continues)
            continue;
        if (runStart >= 0) {
            runs << (runStart == i - 1 ? RowName(runStart)
                                       : tr("%1 to %2").arg(RowName(runStart), RowName(i - 1)));
        }
        runStart = unspecified ? i : -1;
    }
    return runs;
}

int MessageSchedule::FindRow(int number, int n) const
{
    if (n < 1)
        return -1;
    BuildLookup();
    // The rows of a block come first: look there before walking the list.
    const int inBlock = FirstRow(number) + n - 1;
    if (LastRow(number) > 0 && inBlock <= LastRow(number) && inBlock < entries.size() &&
        entries.at(inBlock).MessageId() == number && ordinals.at(inBlock) == n)
        return inBlock;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).MessageId() == number && ordinals.at(i) == n)
            return i;
    }
    return -1;
}

MessageScheduleEntry MessageSchedule::EntryAt(int i) const
{
    if (i < 0 || i >= entries.size())
        return MessageScheduleEntry();
    return entries.at(i);
}

bool MessageSchedule::SetEntry(int i, const MessageScheduleEntry &entry)
{
    if (i < 0 || i >= entries.size())
        return false;
    const int maximum =
        entry.AccessScheme() == MessageScheduleEntry::FATDMA ? MaxFatdmaInterval : MaxOtherInterval;
    MessageScheduleEntry stored = entry;
    stored.SetInterval1(qBound(0, entry.Interval1(), maximum));
    stored.SetInterval2(qBound(0, entry.Interval2(), maximum));
    entries[i] = stored;
    lookupValid = false;
    return true;
}

int MessageSchedule::FirstRow(int messageNumber)
{
    switch (messageNumber) {
    case 21:
        return 0;
    case 6:
        return 2;
    case 8:
        return 6;
    case 12:
        return 10;
    case 14:
        return 14;
    default:
        return 0;
    }
}

int MessageSchedule::LastRow(int messageNumber)
{
    switch (messageNumber) {
    case 21:
        return 1;
    case 6:
        return 5;
    case 8:
        return 9;
    case 12:
        return 13;
    case 14:
        return 17;
    default:
        return 0;
    }
}

int MessageSchedule::BlockMessageOfRow(int i)
{
    for (int number : {6, 8, 12, 14}) {
        if (i >= FirstRow(number) && i <= LastRow(number))
            return number;
    }
    return 21;
}

bool MessageSchedule::FindFreeRow(int number, int &row) const
{
    const int last = qMin(LastRow(number), entries.size() - 1);
    for (int i = FirstRow(number); i <= last; ++i) {
        const MessageScheduleEntry &entry = entries.at(i);
        if (entry.MessageId() == number && !entry.Active()) {
            row = i;
            return true;
        }
    }
    return false;
}

bool MessageSchedule::FindVariantRow(int number, int &row) const
{
    const int variant = number / 100;
    const int base = number % 100;
    const int candidate = variant + FirstRow(base);
    // A variant beyond the block would land in another message's rows.
    if (variant < 0 || candidate > LastRow(base) || candidate >= entries.size())
        return false;
    const MessageScheduleEntry &entry = entries.at(candidate);
    if (entry.MessageId() != base || entry.Active())
        return false;
    row = candidate;
    return true;
}

bool MessageSchedule::AddMessage(int number, int &row)
{
    MessageScheduleEntry entry;
    if (number != 21 && number != 12 && number != 14) {
        int free = 0;
        if (FindFreeRow(number, free)) {
            entry.SetMessageId(number);
            entries[free] = entry;
            lookupValid = false;
            row = free;
            return true;
        }
        if (number < 12 || number > 314)
            return false;
    }
    int variantRow = 0;
    if (!FindVariantRow(number, variantRow))
        return false;
    entry.SetMessageId(number % 100);
    entries[variantRow] = entry;
    lookupValid = false;
    row = variantRow;
    return true;
}

bool MessageSchedule::IsAvailable(int number) const
{
    int row = 0;
    switch (number) {
    case 6:
    case 8:
        return FindFreeRow(number, row);
    case 12:
    case 14:
    case 112:
    case 114:
    case 212:
    case 214:
    case 312:
    case 314:
        return FindVariantRow(number, row);
    default:
        return false;
    }
}

bool MessageSchedule::RemoveEntry(int i)
{
    if (i < 0 || i >= entries.size() || !entries.at(i).Active())
        return false;
    const int number = entries.at(i).MessageId();
    const MessageScheduleEntry placeholder = MessageScheduleEntry::Placeholder(number);
    lookupValid = false;
    const int first = FirstRow(number);
    const int last = qMin(LastRow(number), entries.size() - 1);
    // Rows of 12 and 14 are fixed by their variant, and the two rows of 21 by
    // their meaning (normal and off-position report): they are freed in place.
    // So is a row that lies outside its own block (a file may hold anything).
    const bool fixedRow = number == 21 || number == 12 || number == 14;
    if (fixedRow || i < first || i > last) {
        entries[i] = placeholder;
        return true;
    }
    // Only the document's own rows move: a row left to the unit keeps its
    // instance, and so the rows after it theirs.
    int end = i;
    while (end < last && entries.at(end + 1).Specified())
        ++end;
    for (int k = i; k < end; ++k)
        entries[k] = entries.at(k + 1);
    entries[end] = placeholder;
    return true;
}

QString MessageSchedule::ReportSwitchOffWarning() const
{
    const MessageScheduleEntry report = EntryAt(1);
    if (entries.size() < 2 || report.MessageId() != 21 || !report.Specified() || report.InUse())
        return QString();
    return tr("This send switches off the unit's off-position report (message 21, row 2): the "
              "unit will no longer report when its AtoN drifts off its position.");
}

bool MessageSchedule::EnableReport(int i)
{
    if (i < 0 || i >= entries.size())
        return false;
    MessageScheduleEntry &entry = entries[i];
    if (entry.MessageId() != 21 || entry.Active())
        return false;
    entry.SetStartSlot1(0);
    entry.SetStartSlot2(0);
    entry.SetActive(true);
    entry.SetSpecified(true);
    lookupValid = false;
    return true;
}

bool MessageSchedule::DisableReport(int i)
{
    if (i < 0 || i >= entries.size())
        return false;
    MessageScheduleEntry &entry = entries[i];
    if (entry.MessageId() != 21 || !entry.Active())
        return false;
    entry.SetAccessScheme(MessageScheduleEntry::FATDMA);
    entry.SetStartSlot1(MessageScheduleEntry::DisabledSlot);
    entry.SetStartSlot2(MessageScheduleEntry::DisabledSlot);
    entry.SetActive(false);
    entry.SetSpecified(true);
    lookupValid = false;
    return true;
}

bool MessageSchedule::Ordinal(int i, int &number, int &n) const
{
    if (i < 0 || i >= entries.size())
        return false;
    BuildLookup();
    number = entries.at(i).MessageId();
    n = ordinals.at(i);
    return true;
}

int MessageSchedule::VisibleCount() const
{
    BuildLookup();
    return tableRows.size();
}

void MessageSchedule::BuildLookup() const
{
    // Views and printers ask per cell; one pass per change keeps them linear.
    if (lookupValid)
        return;
    const int count = entries.size();
    ordinals.resize(count);
    tableRowOfEntry.fill(-1, count);
    tableRows.clear();
    QHash<int, int> seen;
    for (int i = 0; i < count; ++i)
        ordinals[i] = ++seen[entries.at(i).MessageId()];
    // Message 21 rows first (always shown), then the active rows of 6, 8, 12
    // and 14, each group in list order. Active rows of any other message come
    // last, so that the table always has a row for every active entry.
    auto add = [this](int i) {
        tableRowOfEntry[i] = tableRows.size();
        tableRows.append(i);
    };
    for (int i = 0; i < count; ++i) {
        if (entries.at(i).MessageId() == 21)
            add(i);
    }
    for (int number : {6, 8, 12, 14}) {
        for (int i = 0; i < count; ++i) {
            if (entries.at(i).MessageId() == number && entries.at(i).Active())
                add(i);
        }
    }
    for (int i = 0; i < count; ++i) {
        if (tableRowOfEntry.at(i) < 0 && entries.at(i).Active())
            add(i);
    }
    lookupValid = true;
}

bool MessageSchedule::TableRowOf(int i, int &row) const
{
    if (i < 0 || i >= entries.size())
        return false;
    BuildLookup();
    if (tableRowOfEntry.at(i) < 0)
        return false;
    row = tableRowOfEntry.at(i);
    return true;
}

bool MessageSchedule::EntryOfTableRow(int row, int &i) const
{
    BuildLookup();
    if (row < 0 || row >= tableRows.size())
        return false;
    i = tableRows.at(row);
    return true;
}

bool MessageSchedule::PrepareRow(int number, int n, int &row)
{
    // The values come from the line: bound them before any arithmetic.
    if (entries.size() < BlockLayoutRows || number < 1 || number > MaxMessage || n < 1 ||
        n > MaxInstance)
        return false;
    int target = FindRow(number, n);
    if (target < 0) {
        // Beyond the layout: rows for the instances before it, which the
        // unit may hold too, are left to it.
        int held = 0;
        for (const MessageScheduleEntry &entry : qAsConst(entries))
            held += entry.MessageId() == number ? 1 : 0;
        for (; held < n - 1; ++held)
            entries.append(MessageScheduleEntry::Unspecified(number));
        target = entries.size();
        entries.append(MessageScheduleEntry());
    }
    MessageScheduleEntry entry;
    entry.SetMessageId(number);
    entries[target] = entry;
    lookupValid = false;
    row = target;
    if (number == 21 && target == 1)
        emit off_position_checked(true);
    return true;
}

bool MessageSchedule::RisksSlotClash() const
{
    if (entries.isEmpty())
        return false;
    const MessageScheduleEntry &entry = entries.at(0);
    if (entry.AccessScheme() != MessageScheduleEntry::FATDMA)
        return false;
    const qint64 slot1 = entry.StartSlot1();
    const qint64 slot2 = entry.StartSlot2();
    if (slot1 < 0 || slot2 < 0 || std::llabs(slot1 - slot2) >= 3)
        return false;
    const int interval = entry.Interval1();
    if (interval <= 0 || interval % MessageScheduleEntry::SlotsPerMinute != 0 ||
        entry.Interval2() != interval)
        return true;
    const int k = interval / MessageScheduleEntry::SlotsPerMinute;
    const int minutes1 = entry.StartTime1().hour() * 60 + entry.StartTime1().minute();
    const int minutes2 = entry.StartTime2().hour() * 60 + entry.StartTime2().minute();
    return std::abs(minutes1 - minutes2) != k / 2;
}

QList<int> MessageSchedule::SlotClashRows() const
{
    return RisksSlotClash() ? QList<int>{0} : QList<int>();
}

QStringList MessageSchedule::SlotClashRowTexts() const
{
    QStringList texts;
    for (int i : SlotClashRows()) {
        int tableRow = -1;
        int number = 0;
        int n = 0;
        if (!TableRowOf(i, tableRow) || !Ordinal(i, number, n))
            continue;
        const MessageScheduleEntry &entry = entries.at(i);
        texts
            << tr("Row %1 (message %2, index %3): channel 1 start slot %4, channel 2 start slot %5")
                   .arg(tableRow + 1)
                   .arg(number)
                   .arg(n)
                   .arg(entry.StartSlot1())
                   .arg(entry.StartSlot2());
    }
    return texts;
}

std::array<bool, 4> MessageSchedule::ActiveInBlock(int number) const
{
    std::array<bool, 4> flags{{false, false, false, false}};
    const int first = FirstRow(number);
    const int last = LastRow(number);
    for (int k = 0; k < 4 && first + k <= last && first + k < entries.size(); ++k) {
        const MessageScheduleEntry &entry = entries.at(first + k);
        flags[k] = entry.MessageId() == number && entry.Active();
    }
    return flags;
}
