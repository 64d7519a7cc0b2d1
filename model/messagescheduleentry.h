#ifndef MESSAGESCHEDULEENTRY_H
#define MESSAGESCHEDULEENTRY_H

#include <QTime>

class QDataStream;

// One scheduled AIS message: when and how often it goes out on each of the two
// channels, and with which access scheme. A plain value.
//
// A row is specified when the document says what the unit should hold there;
// an unspecified row is the unit's business: a send leaves it as the unit
// holds it. Whether a row is specified is not stored with it in a file: the
// rows a file holds are the rows it specifies.
class MessageScheduleEntry
{
public:
    enum AccessSchemes
    {
        FATDMA = 0,
        RATDMA = 1,
        CSTDMA = 2
    };
    // 6750 slots are three minutes at 2250 slots per minute.
    static constexpr int DefaultInterval = 6750;
    static constexpr int SlotsPerMinute = 2250;
    // Start slot value that switches a channel off.
    static constexpr int DisabledSlot = -1;

    MessageScheduleEntry() = default;
    // A free row of the block of messageId: start slots -1, not active. A
    // send switches the unit's row off.
    static MessageScheduleEntry Placeholder(int messageId);
    // The same, left as the unit holds it.
    static MessageScheduleEntry Unspecified(int messageId);

    bool operator==(const MessageScheduleEntry &other) const;
    bool operator!=(const MessageScheduleEntry &other) const { return !(*this == other); }

    // File form: 37 bytes (see Write).
    void Write(QDataStream &out) const;
    void Read(QDataStream &in);
    static constexpr int FileSize = 37;

    int MessageId() const { return messageId; }
    void SetMessageId(int value) { messageId = value; }
    int AccessScheme() const { return accessScheme; }
    void SetAccessScheme(int value) { accessScheme = value; }
    QTime StartTime1() const { return startTime1; }
    void SetStartTime1(const QTime &value) { startTime1 = value; }
    int StartSlot1() const { return startSlot1; }
    void SetStartSlot1(int value) { startSlot1 = value; }
    int Interval1() const { return interval1; }
    void SetInterval1(int value) { interval1 = value; }
    QTime StartTime2() const { return startTime2; }
    void SetStartTime2(const QTime &value) { startTime2 = value; }
    int StartSlot2() const { return startSlot2; }
    void SetStartSlot2(int value) { startSlot2 = value; }
    int Interval2() const { return interval2; }
    void SetInterval2(int value) { interval2 = value; }
    bool Active() const { return active; }
    void SetActive(bool value) { active = value; }
    int SpareValue() const { return spareValue; }
    void SetSpareValue(int value) { spareValue = value; }
    bool Specified() const { return specified; }
    void SetSpecified(bool value) { specified = value; }
    // The row is in use: active, and for message 21 not sent with both
    // channels off (the form in which the unit answers a report it does not
    // send).
    bool InUse() const;

private:
    qint32 messageId = 21;
    qint32 accessScheme = FATDMA;
    QTime startTime1 = QTime(0, 0, 0);
    qint32 startSlot1 = 0;
    qint32 interval1 = DefaultInterval;
    QTime startTime2 = QTime(0, 0, 0);
    qint32 startSlot2 = 0;
    qint32 interval2 = DefaultInterval;
    bool active = true;
    qint32 spareValue = 0;
    bool specified = true;
};

#endif // MESSAGESCHEDULEENTRY_H
