#include "sentences/atonsentenceaar.h"

#include "model/aton.h"
#include "model/messageschedule.h"

#include <QDebug>
#include <QTime>

namespace {

const QString Unconfigured = QStringLiteral("000000000");

// A missing or empty optional field counts as 0.
int OptionalInt(const ParsedSentence &sentence, int i)
{
    int value = 0;
    sentence.GetInt(i, value);
    return value;
}

} // namespace

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

// $AIAAR,123456789,21,02,00,30,-1,6750,0,00,30,-1,6750,R
int AtoNSentenceAAR::Decode(ParsedSentence sentence)
{
    QString mmsi;
    if (CheckHead(sentence) != DecodeOk || !sentence.GetString(1, mmsi))
        return DecodeFieldError;

    MessageScheduleEntry entry;
    int message = 0, instance = 0, hour1 = 0, minute1 = 0, scheme = 0;
    if (!sentence.GetInt(2, message) || !sentence.GetInt(3, instance) ||
        !sentence.GetInt(4, hour1) || !sentence.GetInt(5, minute1) || !sentence.GetInt(8, scheme))
        return DecodeFieldError;
    entry.SetMessageId(message);
    entry.SetAccessScheme(scheme);
    const bool ratdma = scheme == MessageScheduleEntry::RATDMA;
    entry.SetStartSlot1(ratdma ? 0 : OptionalInt(sentence, 6));
    entry.SetInterval1(OptionalInt(sentence, 7));

    int hour2 = 0, minute2 = 0;
    if (!sentence.GetInt(9, hour2) || !sentence.GetInt(10, minute2))
        return DecodeFieldError;
    entry.SetStartSlot2(ratdma ? 0 : OptionalInt(sentence, 11));
    entry.SetInterval2(OptionalInt(sentence, 12));

    QChar status;
    if (!sentence.GetChar(13, status) || status != QLatin1Char('R'))
        return DecodeFieldError;

    if (!QTime::isValid(hour1, minute1, 0) || !QTime::isValid(hour2, minute2, 0))
        return DecodeFieldError;
    entry.SetStartTime1(QTime(hour1, minute1));
    entry.SetStartTime2(QTime(hour2, minute2));
    entry.SetActive(true);

    MessageSchedule *schedule = Record();
    const AtoN *aton = schedule->GetAtoN();
    if (aton && aton->GetAtoNMMSI()->AidMode() != 0) {
        qDebug() << "Message rejected";
        return DecodeOk;
    }

    // A report with both channels off is kept only as one of the two rows
    // of message 21.
    if (entry.StartSlot1() == MessageScheduleEntry::DisabledSlot &&
        entry.StartSlot2() == MessageScheduleEntry::DisabledSlot &&
        !(message == 21 && (instance == 1 || instance == 2)))
        return DecodeOk;

    int row = 0;
    if (message == 12 || message == 14 || message == 21)
        row = instance >= 1 ? instance - 1 : -1;
    if (schedule->PrepareRow(message, row))
        schedule->SetEntry(row, entry);
    return DecodeOk;
}
