#ifndef MESSAGEDECODER_H
#define MESSAGEDECODER_H

#include <QObject>
#include <QString>
#include <QVector>

#include "decode/multipartbuffer.h"
#include "decode/textreassembler.h"

class AlarmData;
class Model;
class SentenceView;

// Reads what the unit reports about itself (talker "AI"): its own AIS
// messages (VDO), of which message 21 for its own MMSI gives the RACON, light
// and health status; its alarms (ALR); and text messages (TXT).
class MessageDecoder : public QObject
{
    Q_OBJECT
public:
    static constexpr int TextIdentifiers = 256;
    static constexpr int PayloadSequences = 10;
    // Longest VDO payload kept per sequence, in characters. An AIS message
    // takes at most five slots (1008 bits, 168 characters) and a VDO has at
    // most nine parts; this leaves room for both.
    static constexpr int MaxPayloadLength = 1024;

    // model: its AtoN's MMSI is the unit's own; a null model aborts.
    explicit MessageDecoder(Model *model, QObject *parent = nullptr);

    // Null until the first ALR; stays owned by the decoder.
    AlarmData *GetAlarmData() const { return alarmData; }

signals:
    void TextMessageReceived(QString message);
    void AlarmReceived(AlarmData *alarmData);
    void Message21RACONStatus(uint RACONStatus);
    void Message21LightStatus(uint lightStatus);
    void Message21HealthStatus(uint health);

public slots:
    void OnReceived(QString received);

private:
    void DecodeTXT(const SentenceView &sentence);
    void DecodeALR(const SentenceView &sentence);
    void DecodeVDO(const SentenceView &sentence);
    void DecodeMessage21(const QString &armoured);
    // count bits from bit start of the armoured payload, most significant
    // first; false (value 0) when count is not 1 to 32 or the payload is too short.
    static bool GetBits(const QString &armoured, int start, int count, quint32 &value);

    AlarmData *alarmData = nullptr;
    TextReassembler texts;
    QVector<MultipartBuffer> payloads;
    Model *model;
};

#endif // MESSAGEDECODER_H
