#ifndef MESSAGE21REPORT_H
#define MESSAGE21REPORT_H

#include <QMetaType>
#include <QString>

// The fields of an aid-to-navigation report (AIS message 21) as read from
// its bits. Positions are in signed decimal degrees; 91 and 181 mean "not
// available", as the message carries them.
struct Message21Report
{
    // Bits up to and including the spare bit after the flags.
    static constexpr int MinimumBits = 272;

    QString mmsi; // nine digits, leading zeros kept
    int aidType = 0;
    QString name; // the first twenty characters, trailing "@" removed
    bool positionAccurate = false;
    double latitude = 91.0;
    double longitude = 181.0;
    // Metres from the reference point to bow, stern, port and starboard.
    int toBow = 0;
    int toStern = 0;
    int toPort = 0;
    int toStarboard = 0;
    int epfsType = 0;
    int timeStamp = 60; // UTC second of the fix; 60 and above: not available
    bool offPosition = false;
    int statusPage = 0;
    uint racon = 0;
    uint light = 0;
    uint health = 0; // 0 good, 1 alarm
    bool raim = false;
    bool virtualAid = false;
    bool assignedMode = false;

    bool PositionAvailable() const { return latitude <= 90.0 && longitude <= 180.0; }

    // Reads a message 21 from its six-bit armoured payload. False (and the
    // report untouched) when the message is another type or too short.
    static bool Read(const QString &armoured, Message21Report &report);
    // count bits (1 to 32) from bit start of the armoured payload, most
    // significant first; false (value 0) when they are not all in it.
    static bool Bits(const QString &armoured, int start, int count, quint32 &value);
};

Q_DECLARE_METATYPE(Message21Report)

#endif // MESSAGE21REPORT_H
