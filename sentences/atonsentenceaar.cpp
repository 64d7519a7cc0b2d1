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
    answered.clear();
    return AtoNSentence::Query();
}

QString AtoNSentenceAAR::Missing() const
{
    if (!answered.contains(qMakePair(21, 1)))
        return tr("no row came for message 21, instance 1 (the AtoN report)");
    if (!answered.contains(qMakePair(21, 2)))
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
    if (!ReadNumber(sentence, 2, tr("message"), message) ||
        !ReadNumber(sentence, 3, tr("instance"), instance))
        return DecodeFieldError;
    // Any row the fields carry is the unit's to hold, whether or not the
    // layout has a place for it.
    if (message < 1 || message > MessageSchedule::MaxMessage)
        return Refuse(2, tr("message"),
                      tr("%1 is not an AIS message number (1 to %2)")
                          .arg(message)
                          .arg(MessageSchedule::MaxMessage));
    if (instance < 1 || instance > MessageSchedule::MaxInstance)
        return Refuse(3, tr("instance"),
                      tr("%1 is outside 1 to %2").arg(instance).arg(MessageSchedule::MaxInstance));
    if (!ReadInRange(sentence, 4, FieldRanges::Hour, hour1) ||
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
    // A report with both channels off is kept only as one of the two rows
    // of message 21.
    if (slot1 == MessageScheduleEntry::DisabledSlot &&
        slot2 == MessageScheduleEntry::DisabledSlot && message != 21)
        return DecodeOk;
    // A row told twice must be told alike: which of two answers holds is
    // not for the tool to guess.
    const QPair<int, int> key(message, instance);
    const auto before = answered.constFind(key);
    if (before != answered.constEnd()) {
        if (*before == entry)
            return DecodeOk;
        return Refuse(tr("two different answers for schedule row %1/%2: %3, then %4")
                          .arg(message)
                          .arg(instance)
                          .arg(RowText(*before), RowText(entry)));
    }
    answered.insert(key, entry);

    if (aton && aton->GetAtoNMMSI()->AidMode() != 0) {
        qCDebug(lcSentences) << "Message rejected";
        return DecodeOk;
    }
    int row = 0;
    if (schedule->PrepareRow(message, instance, row))
        schedule->SetEntry(row, entry);
    return DecodeOk;
}

QString AtoNSentenceAAR::RowText(const MessageScheduleEntry &entry)
{
    const auto channel = [&entry](const QTime &start, int slot, int interval) {
        return entry.AccessScheme() == MessageScheduleEntry::FATDMA
                   ? tr("%1 slot %2 every %3")
                         .arg(start.toString(QStringLiteral("hh:mm")))
                         .arg(slot)
                         .arg(interval)
                   : tr("%1 every %2").arg(start.toString(QStringLiteral("hh:mm"))).arg(interval);
    };
    return tr("scheme %1, channel 1 %2, channel 2 %3")
        .arg(entry.AccessScheme())
        .arg(channel(entry.StartTime1(), entry.StartSlot1(), entry.Interval1()),
             channel(entry.StartTime2(), entry.StartSlot2(), entry.Interval2()));
}
