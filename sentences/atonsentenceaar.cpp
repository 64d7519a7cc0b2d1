#include "sentences/atonsentenceaar.h"
#include "sentences/logcategories.h"

#include "model/aton.h"
#include "model/messageschedule.h"

#include <QDebug>
#include <QTime>

AtoNSentenceAAR::AtoNSentenceAAR(MessageSchedule *target) : AtoNSentence(target, nullptr)
{
    formatter = QStringLiteral("AAR");
}

MessageSchedule *AtoNSentenceAAR::Record() const
{
    return static_cast<MessageSchedule *>(target);
}

// $UPAAR,000000000,21,01,00,00,00,6750,0,00,00,00,6750,C
QString AtoNSentenceAAR::Encode(int index, int * /*extra*/)
{
    const MessageSchedule *schedule = Record();
    MessageScheduleEntry entry;
    int message = 21;
    int instance = 1;
    if (schedule->Ordinal(index, message, instance)) {
        entry = schedule->EntryAt(index);
    } else {
        message = 21;
        instance = 1;
    }

    const AtoN *aton = schedule->GetAtoN();
    const QString mmsi = aton ? aton->GetAtoNMMSI()->NewMmsi() : Unconfigured;
    // FATDMA counts slots from a start slot; the other schemes have no start
    // slot and count minutes, which the unit takes in seconds.
    const bool fatdma = entry.AccessScheme() == MessageScheduleEntry::FATDMA;
    auto slot = [fatdma](int startSlot) { return fatdma ? Padded(startSlot, 2) : QString(); };
    auto interval = [fatdma](int value) {
        return QString::number(fatdma ? qint64(value) : qint64(value) * 60);
    };
    return Frame({mmsi, Padded(entry.MessageId(), 2), Padded(instance, 2),
                  Padded(entry.StartTime1().hour(), 2), Padded(entry.StartTime1().minute(), 2),
                  slot(entry.StartSlot1()), interval(entry.Interval1()),
                  QString::number(entry.AccessScheme()), Padded(entry.StartTime2().hour(), 2),
                  Padded(entry.StartTime2().minute(), 2), slot(entry.StartSlot2()),
                  interval(entry.Interval2()), QStringLiteral("C")});
}

QString AtoNSentenceAAR::Query()
{
    reportAnswered[0] = reportAnswered[1] = false;
    return AtoNSentence::Query();
}

QString AtoNSentenceAAR::Missing() const
{
    if (!reportAnswered[0])
        return tr("no row came for message 21, instance 1 (the AtoN report)");
    if (!reportAnswered[1])
        return tr("no row came for message 21, instance 2 (the off-position report)");
    return QString();
}

// $AIAAR,123456789,21,02,00,30,-1,6750,0,00,30,-1,6750,R
int AtoNSentenceAAR::Decode(ParsedSentence sentence)
{
    if (!AcceptHead(sentence))
        return DecodeFieldError;
    MessageSchedule *schedule = Record();
    const AtoN *aton = schedule->GetAtoN();
    QString mmsi;
    if (!ReadUnitMmsi(sentence, aton ? aton->GetAtoNMMSI() : nullptr, mmsi))
        return DecodeFieldError;

    int message = 0, instance = 0, hour1 = 0, minute1 = 0, scheme = 0, hour2 = 0, minute2 = 0;
    if (!ReadNumber(sentence, 2, tr("message"), message))
        return DecodeFieldError;
    if (!FieldRanges::IsScheduledMessage(message))
        return Refuse(2, tr("message"), tr("%1 is not 6, 8, 12, 14 or 21").arg(message));
    const FieldRanges::Field instances =
        message == 21 ? FieldRanges::ReportInstance : FieldRanges::MessageInstance;
    if (!ReadInRange(sentence, 3, instances, instance) ||
        !ReadInRange(sentence, 4, FieldRanges::Hour, hour1) ||
        !ReadInRange(sentence, 5, FieldRanges::Minute, minute1) ||
        !ReadInRange(sentence, 8, FieldRanges::AccessScheme, scheme) ||
        !ReadInRange(sentence, 9, FieldRanges::Hour, hour2) ||
        !ReadInRange(sentence, 10, FieldRanges::Minute, minute2))
        return DecodeFieldError;
    // RATDMA has no start slots; a missing slot or interval counts as 0.
    const bool ratdma = scheme == MessageScheduleEntry::RATDMA;
    const FieldRanges::Field interval = FieldRanges::IntervalField(scheme);
    int slot1 = 0, slot2 = 0, interval1 = 0, interval2 = 0;
    if ((!ratdma && !ReadOptional(sentence, 6, FieldRanges::StartSlot, 0, slot1)) ||
        !ReadOptional(sentence, 7, interval, 0, interval1) ||
        (!ratdma && !ReadOptional(sentence, 11, FieldRanges::StartSlot, 0, slot2)) ||
        !ReadOptional(sentence, 12, interval, 0, interval2) || !ReadAnswerStatus(sentence, 13))
        return DecodeFieldError;
    if (message == 21)
        reportAnswered[instance - 1] = true;

    if (aton && aton->GetAtoNMMSI()->AidMode() != 0) {
        qCDebug(lcSentences) << "Message rejected";
        return DecodeOk;
    }
    // A report with both channels off is kept only as one of the two rows
    // of message 21.
    if (slot1 == MessageScheduleEntry::DisabledSlot &&
        slot2 == MessageScheduleEntry::DisabledSlot && message != 21)
        return DecodeOk;

    MessageScheduleEntry entry;
    entry.SetMessageId(message);
    entry.SetAccessScheme(scheme);
    entry.SetStartTime1(QTime(hour1, minute1));
    entry.SetStartSlot1(slot1);
    entry.SetInterval1(interval1);
    entry.SetStartTime2(QTime(hour2, minute2));
    entry.SetStartSlot2(slot2);
    entry.SetInterval2(interval2);
    entry.SetActive(true);
    // Rows of 12, 14 and 21 sit at their instance; 6 and 8 fill their block.
    int row = message == 12 || message == 14 || message == 21 ? instance - 1 : 0;
    if (schedule->PrepareRow(message, row))
        schedule->SetEntry(row, entry);
    return DecodeOk;
}
