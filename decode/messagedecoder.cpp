#include "decode/messagedecoder.h"

#include <QBitArray>
#include <QTime>

#include "decode/alarmdata.h"
#include "decode/clocktime.h"
#include "model/aton.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"

MessageDecoder::MessageDecoder(Model *model, QObject *parent)
    : QObject(parent),
      wanted(UnitTalker, {QStringLiteral("TXT"), QStringLiteral("ALR"), QStringLiteral("VDO")}),
      texts(TextIdentifiers), payloads(PayloadSequences, MultipartBuffer(MaxPayloadLength)),
      model(model)
{
    if (!model)
        qBadAlloc();
    qRegisterMetaType<AlarmData *>("AlarmData*");
}

void MessageDecoder::OnReceived(QString received)
{
    // Most lines are the GPS receiver's; they are not parsed here.
    if (!wanted.MayHold(received))
        return;
    const ParsedSentence sentence(received);
    if (!sentence.valid || sentence.talker != UnitTalker)
        return;
    if (sentence.formatter == QLatin1String("TXT"))
        DecodeTXT(sentence);
    else if (sentence.formatter == QLatin1String("ALR"))
        DecodeALR(sentence);
    else if (sentence.formatter == QLatin1String("VDO"))
        DecodeVDO(sentence);
}

// $AITXT,01,01,12,LOW BATTERY*hh
void MessageDecoder::DecodeTXT(const ParsedSentence &sentence)
{
    QString message;
    if (texts.Add(sentence, message))
        emit TextMessageReceived(message);
}

// $AIALR,123519.00,007,A,V,LANTERN FAILURE*hh
// Fields: 1 time of the last change, 2 alarm number, 3 condition (A: the
// threshold is exceeded), 4 acknowledged (A), 5 description.
void MessageDecoder::DecodeALR(const ParsedSentence &sentence)
{
    if (!alarmData)
        alarmData = new AlarmData(this);

    QString field;
    QTime alarmTime;
    if (sentence.GetString(1, field) && !field.isEmpty())
        alarmTime = ClockTime(field.left(6));

    int alarmId = 0;
    sentence.GetInt(2, alarmId);
    QChar condition;
    sentence.GetChar(3, condition);
    QChar acknowledged;
    sentence.GetChar(4, acknowledged);
    QString description;
    sentence.GetString(5, description);
    ParsedSentence::Unescape(description);

    alarmData->Update(alarmId, alarmTime, condition == QLatin1Char('A'),
                      acknowledged == QLatin1Char('A'), description);
    emit AlarmReceived(alarmData);
}

// !AIVDO,1,1,,,<payload>,0*hh
// Fields: 1 total parts, 2 part number, 3 sequential message identifier,
// 4 channel, 5 armoured payload, 6 fill bits.
void MessageDecoder::DecodeVDO(const ParsedSentence &sentence)
{
    int total = 0;
    int number = 0;
    int sequence = 0;
    int fill = 0;
    QString payload;
    const bool haveTotal = sentence.GetDigit(1, total);
    const bool haveNumber = sentence.GetDigit(2, number);
    sentence.GetDigit(3, sequence);
    const bool havePayload = sentence.GetString(5, payload);
    const bool haveFill = sentence.GetDigit(6, fill);
    if (!haveTotal || !haveNumber || !havePayload || !haveFill)
        return;

    if (sequence < 0 || sequence >= payloads.size())
        return;
    MultipartBuffer &buffer = payloads[sequence];
    if (!buffer.Add(number, payload) || number != total)
        return;

    const QString &armoured = buffer.Text();
    QBitArray bits(armoured.size() * 6);
    int bit = 0;
    for (const QChar c : armoured) {
        const int value = ParsedSentence::SixBitValue(c);
        for (int b = 5; b >= 0; --b)
            bits.setBit(bit++, (value >> b) & 1);
    }
    DecodeMessage21(bits);
}

// The aid-to-navigation report. Only the MMSI and the AtoN status bits are
// used, but the report must hold every field up to the spare bit (272 bits).
void MessageDecoder::DecodeMessage21(const QBitArray &bits)
{
    quint32 messageId = 0;
    if (!GetBits(&bits, 0, 6, messageId) || messageId != 21)
        return;
    quint32 spare = 0;
    if (!GetBits(&bits, 271, 1, spare))
        return;

    quint32 mmsi = 0;
    GetBits(&bits, 8, 30, mmsi);
    const QString mmsiText = QStringLiteral("%1").arg(mmsi, 9, 10, QLatin1Char('0'));
    if (mmsiText != model->GetAtoN()->GetAtoNMMSI()->Mmsi())
        return;

    quint32 racon = 0;
    quint32 light = 0;
    quint32 health = 0;
    GetBits(&bits, 263, 2, racon);
    GetBits(&bits, 265, 2, light);
    GetBits(&bits, 267, 1, health);
    emit Message21RACONStatus(racon);
    emit Message21LightStatus(light);
    emit Message21HealthStatus(health);
}

bool MessageDecoder::GetBits(const QBitArray *bits, int start, int count, quint32 &value)
{
    value = 0;
    if (!bits || count < 1 || count > 32 || start < 0 || start + count > bits->size())
        return false;
    for (int i = start; i < start + count; ++i)
        value = (value << 1) | (bits->testBit(i) ? 1u : 0u);
    return true;
}
