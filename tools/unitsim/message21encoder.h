#ifndef MESSAGE21ENCODER_H
#define MESSAGE21ENCODER_H

#include "unitconfig.h"

#include <QByteArray>

// The unit's own aid-to-navigation report (AIS message 21) as a six-bit
// armoured payload, ready for a VDO sentence.
class Message21Encoder
{
public:
    // AtoN status bits, as the unit reports them.
    enum RaconStatus
    {
        RaconNone = 0,
        RaconNotMonitored = 1,
        RaconOperational = 2,
        RaconError = 3
    };
    enum LightStatus
    {
        LightNone = 0,
        LightOn = 1,
        LightOff = 2,
        LightError = 3
    };

    struct Status
    {
        int racon = RaconNone;
        int light = LightNone;
        int health = 0; // 0 good, 1 alarm
        bool offPosition = false;
    };

    // payload and fill bits (0 to 5) for the given configuration; second is
    // the UTC second of the report (60 when not available).
    static QByteArray encode(const UnitConfig &config, const Status &status, int second,
                             int *fillBits);

private:
    static void append(QByteArray *bits, quint64 value, int width);
};

#endif // MESSAGE21ENCODER_H
