#ifndef GPSDECODER_H
#define GPSDECODER_H

#include <QObject>
#include <QString>

#include <array>

#include "decode/satellitedata.h"
#include "decode/textreassembler.h"

class GpsData;
class SentenceView;
class Watchdog;

// Reads the sentences of the unit's GPS receiver (talker "GP") from the
// received lines: the fix (RMC), the satellites used (GSA) and in view (GSV),
// and text messages (TXT). Each kind has a watchdog: two seconds without such
// a sentence clear its data and tell the listeners. The satellites in view
// are announced a whole GSV set at a time, so that a count is never made
// from part of one. A receiver that sends no GSA has its fix taken from RMC.
class GPSDecoder : public QObject
{
    Q_OBJECT
public:
    static constexpr int WatchdogIntervalMs = 2000;
    static constexpr int TextIdentifiers = 100;

    explicit GPSDecoder(QObject *parent = nullptr);

    // Clears the stored fix and satellites, each if it exists; announces nothing.
    void Reset();

    // The records stay owned by the decoder; null until the first sentence of their kind.
    GpsData *GetGpsData() const { return gpsData; }
    SatelliteData *GetSatelliteData() const { return satelliteData; }

    // One received line; the line sinks hand over its parse.
    void Decode(const SentenceView &sentence);

signals:
    void GpsDataReceived(GpsData *gpsData);
    void SatelliteDataReceived(SatelliteData *satelliteData);
    void GPSTextMessageReceived(QString message);

public slots:
    void OnReceived(QString received);
    void OnRMCTimeout();
    void OnGSATimeout();
    void OnGSVTimeout();

private:
    void DecodeRMC(const SentenceView &sentence);
    void DecodeGSA(const SentenceView &sentence);
    void DecodeGSV(const SentenceView &sentence);
    void DecodeTXT(const SentenceView &sentence);
    SatelliteData *Satellites();
    void TakeFixFromRmc(const SentenceView &sentence);

    Watchdog *rmcWatchdog;
    Watchdog *gsaWatchdog;
    Watchdog *gsvWatchdog;
    GpsData *gpsData = nullptr;
    SatelliteData *satelliteData = nullptr;
    // The satellites have been reported lost, and no GSA or GSV has come since.
    bool satellitesLost = false;
    // The GSV set under way: its satellites and the parts in order so far
    // (-1: a part was missed, and the set is not used).
    std::array<SatelliteData::Satellite, SatelliteData::MaxSatellites> arriving{};
    int arrivingParts = -1;
    int arrivingInView = 0;
    // Whether an RMC has come, and a GSA since the last one.
    bool rmcSeen = false;
    bool gsaSinceRmc = false;
    TextReassembler texts;
};

#endif // GPSDECODER_H
