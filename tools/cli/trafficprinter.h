#ifndef TRAFFICPRINTER_H
#define TRAFFICPRINTER_H

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>

#include "decode/alarmdata.h"
#include "decode/message21report.h"
#include "model/geoposition.h"

class AlarmData;
class AtoNSentenceAID;
class GPSDecoder;
class GpsData;
class MessageDecoder;
class Model;
class ReceivedLine;
class SatelliteData;

// Prints what the decoders make of the received traffic, one line per
// event: GPS time and fix, satellites, the unit's message 21 status, alarms
// and texts, as text lines or as one JSON object a line. The unit's own
// MMSI, which message 21 reports are matched against, is the one given or
// else the one the traffic's AID answers name.
class TrafficPrinter : public QObject
{
    Q_OBJECT

public:
    // model: the unit's MMSI is its AtoN's mmsi (the message decoder reads it).
    TrafficPrinter(Model *model, GPSDecoder *gps, MessageDecoder *messages, bool learnMmsi,
                   bool json = false, QObject *parent = nullptr);
    ~TrafficPrinter() override;

    int Events() const { return events; }

    static QString RaconText(uint status);
    static QString LightText(uint status);

    // Every received line; only AID answers are looked at here.
    void OnLine(const ReceivedLine &line);
    // Writes out what is held. While standard output is block buffered the
    // lines are collected and written a block at a time; otherwise each
    // line is written when its event comes.
    void Flush();

public slots:
    void OnGpsData(GpsData *data);
    void OnSatelliteData(SatelliteData *data);
    void OnGpsText(QString message);
    void OnText(QString message);
    void OnAlarms(AlarmData *alarms);
    void OnReport(const Message21Report &report);

private:
    // Lines collected before they are written.
    static constexpr int BlockSize = 64 * 1024;

    void Print(const QString &line);
    // An event of no more than its kind, or its kind and a text, as JSON.
    void PrintJson(const char *event);
    void PrintJsonText(const char *event, const QString &text);
    // The line now at the end of the output is whole.
    void EndLine();

    Model *model;
    AtoNSentenceAID *aidCodec = nullptr;
    // The counts of the last satellite line shown: fix, used, in view.
    int lastSatelliteKey[3] = {-1, -1, -1};
    // Each alarm as last shown, by its number.
    QHash<int, AlarmData::Alarm> lastAlarms;
    bool json;
    int events = 0;
    GeoPosition::Hemispheres hemispheres;
    // The UTF-8 of the lines not yet written, every character visible.
    QByteArray output;
    // The date of the last fix shown and its text: it changes once a day.
    QDate shownDate;
    QByteArray shownDateText;
};

#endif // TRAFFICPRINTER_H
