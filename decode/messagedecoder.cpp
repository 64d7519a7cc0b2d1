#include "decode/messagedecoder.h"

#include <QTime>

#include "decode/alarmdata.h"
#include "decode/clocktime.h"
#include "model/aton.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

MessageDecoder::MessageDecoder(Model *model, QObject *parent)
    : QObject(parent), texts(TextIdentifiers),
      payloads(PayloadSequences, MultipartBuffer(MaxPayloadLength)), model(model)
{
    if (!model)
        qBadAlloc();
    qRegisterMetaType<AlarmData *>("AlarmData*");
    qRegisterMetaType<Message21Report>();
}

void MessageDecoder::OnReceived(QString received)
{
    // The other consumers of the line share this parse.
    Decode(SentenceView::Shared(received));
}

void MessageDecoder::Decode(const SentenceView &sentence)
{
    const QLatin1String unit("AI");
    if (sentence.Is(unit, QLatin1String("TXT")))
        DecodeTXT(sentence);
    else if (sentence.Is(unit, QLatin1String("ALR")))
        DecodeALR(sentence);
    else if (sentence.Is(unit, QLatin1String("VDO")))
        DecodeVDO(sentence);
}

// $AITXT,01,01,12,LOW BATTERY*hh
void MessageDecoder::DecodeTXT(const SentenceView &sentence)
{
    QString message;
    if (texts.Add(sentence, message))
        emit TextMessageReceived(message);
}

// $AIALR,123519.00,007,A,V,LANTERN FAILURE*hh
// Fields: 1 time of the last change, 2 alarm number, 3 condition (A: the
// threshold is exceeded), 4 acknowledged (A), 5 description.
void MessageDecoder::DecodeALR(const SentenceView &sentence)
{
    if (!alarmData)
        alarmData = new AlarmData(this);

    QTime alarmTime;
    const QStringView time = sentence.Field(1);
    if (!time.isEmpty())
        alarmTime = ClockTime(time.left(qMin<qsizetype>(6, time.size())));

    int alarmId = 0;
    sentence.Int(2, alarmId);
    QChar condition;
    sentence.Char(3, condition);
    QChar acknowledged;
    sentence.Char(4, acknowledged);
    QString description;
    sentence.String(5, description);
    ParsedSentence::Unescape(description);

    const AlarmData::Alarm alarm{alarmId, alarmTime, condition == QLatin1Char('A'),
                                 acknowledged == QLatin1Char('A'), description};
    alarmData->Update(alarm.alarmId, alarm.alarmTime, alarm.thresholdExceeded, alarm.acknowledged,
                      alarm.description);
    emit AlarmReceived(alarmData);
    emit AlarmReported(alarm);
}

// !AIVDO,1,1,,,<payload>,0*hh
// Fields: 1 total parts, 2 part number, 3 sequential message identifier,
// 4 channel, 5 armoured payload, 6 fill bits.
void MessageDecoder::DecodeVDO(const SentenceView &sentence)
{
    int total = 0;
    int number = 0;
    int sequence = 0;
    int fill = 0;
    QString payload;
    const bool haveTotal = sentence.Digit(1, total);
    const bool haveNumber = sentence.Digit(2, number);
    sentence.Digit(3, sequence);
    const bool havePayload = sentence.String(5, payload);
    const bool haveFill = sentence.Digit(6, fill);
    if (!haveTotal || !haveNumber || !havePayload || !haveFill)
        return;

    if (sequence < 0 || sequence >= payloads.size())
        return;
    MultipartBuffer &buffer = payloads[sequence];
    if (!buffer.Add(number, payload) || number != total)
        return;

    DecodeMessage21(buffer.Text());
}

// The aid-to-navigation report, heard whenever it holds every field up to
// the spare bit (272 bits), and taken as the unit's only when it carries the
// MMSI the unit holds.
void MessageDecoder::DecodeMessage21(const QString &armoured)
{
    quint32 messageId = 0;
    if (!Message21Report::Bits(armoured, 0, 6, messageId) || messageId != 21)
        return;
    quint32 spare = 0;
    if (!Message21Report::Bits(armoured, 271, 1, spare))
        return;

    Message21Report report;
    Message21Report::Read(armoured, report);
    emit OwnReportHeard(report);
    if (model->GetAtoN()->GetAtoNMMSI()->Mmsi() != report.mmsi)
        return;

    emit Message21RACONStatus(report.racon);
    emit Message21LightStatus(report.light);
    emit Message21HealthStatus(report.health);
    emit Message21Received(report);
}
