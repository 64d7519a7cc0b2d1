#ifndef MESSAGEDECODER_H
#define MESSAGEDECODER_H

#include <QObject>
#include <QString>
#include <QVector>

#include "decode/alarmdata.h"
#include "decode/message21report.h"
#include "decode/multipartbuffer.h"
#include "decode/textreassembler.h"

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

    // One received line; the line sinks hand over its parse.
    void Decode(const SentenceView &sentence);

signals:
    void TextMessageReceived(QString message);
    void AlarmReceived(AlarmData *alarmData);
    // The alarm of this one sentence, after AlarmReceived. The table above
    // lives as long as the decoder; this tells which of its alarms was
    // reported just now.
    void AlarmReported(const AlarmData::Alarm &alarm);
    void Message21RACONStatus(uint RACONStatus);
    void Message21LightStatus(uint lightStatus);
    void Message21HealthStatus(uint health);
    // Every field of the unit's own report, after the three status signals.
    void Message21Received(const Message21Report &report);
    // Every report the unit sends of itself, whatever MMSI it carries: a
    // unit that did not take a new MMSI still broadcasts under its old one.
    void OwnReportHeard(const Message21Report &report);

public slots:
    void OnReceived(QString received);

private:
    void DecodeTXT(const SentenceView &sentence);
    void DecodeALR(const SentenceView &sentence);
    void DecodeVDO(const SentenceView &sentence);
    void DecodeMessage21(const QString &armoured);

    AlarmData *alarmData = nullptr;
    TextReassembler texts;
    QVector<MultipartBuffer> payloads;
    Model *model;
};

#endif // MESSAGEDECODER_H
