#include "model/messagescheduleentry.h"

#include <QDataStream>

MessageScheduleEntry MessageScheduleEntry::Placeholder(int messageId)
{
    MessageScheduleEntry entry;
    entry.messageId = messageId;
    entry.startSlot1 = DisabledSlot;
    entry.startSlot2 = DisabledSlot;
    entry.active = false;
    return entry;
}

MessageScheduleEntry MessageScheduleEntry::Unspecified(int messageId)
{
    MessageScheduleEntry entry = Placeholder(messageId);
    entry.specified = false;
    return entry;
}

bool MessageScheduleEntry::InUse() const
{
    const bool switchedOff =
        accessScheme == FATDMA && startSlot1 == DisabledSlot && startSlot2 == DisabledSlot;
    return specified && active && !switchedOff;
}

bool MessageScheduleEntry::operator==(const MessageScheduleEntry &other) const
{
    return messageId == other.messageId && accessScheme == other.accessScheme &&
           startTime1 == other.startTime1 && startSlot1 == other.startSlot1 &&
           interval1 == other.interval1 && startTime2 == other.startTime2 &&
           startSlot2 == other.startSlot2 && interval2 == other.interval2 &&
           active == other.active && spareValue == other.spareValue && specified == other.specified;
}

void MessageScheduleEntry::Write(QDataStream &out) const
{
    out << messageId << accessScheme << startTime1 << startSlot1 << interval1 << startTime2
        << startSlot2 << interval2 << active << spareValue;
}

void MessageScheduleEntry::Read(QDataStream &in)
{
    in >> messageId >> accessScheme >> startTime1 >> startSlot1 >> interval1 >> startTime2 >>
        startSlot2 >> interval2 >> active >> spareValue;
}
