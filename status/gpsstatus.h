#ifndef GPSSTATUS_H
#define GPSSTATUS_H

#include <QDateTime>
#include <QPointF>
#include <QVector>

#include "status/timedtextlist.h"

class GpsData;
class SatelliteData;

// What the unit's GPS receiver last said: the fix, the satellites, a trail of
// recent positions and its texts. Data whose watchdog has expired are kept
// but marked stale, so that they can be shown greyed rather than vanish.
class GpsStatus
{
public:
    static constexpr int TrailLength = 300;
    static constexpr int TextLimit = 50;
    // Positioning mode "N": the receiver has no valid position.
    static constexpr int ModeNotValid = 5;

    struct Satellite
    {
        int prn = 0;
        int elevation = 0;
        int azimuth = 0;
        int snr = 0; // dB-Hz; meaningful when snrPresent
        bool snrPresent = false;
        bool used = false;
    };

    GpsStatus() : texts(TextLimit) {}

    // A fix from the decoder; null when its watchdog expired.
    void TakeFix(const GpsData *data);
    // Satellites from the decoder; null when the satellites in view expired.
    void TakeSatellites(const SatelliteData *data);
    void AddText(const QDateTime &time, const QString &text) { texts.Add(time, text); }
    void Clear();

    bool HasFixData() const { return haveFix; }
    bool FixStale() const { return fixStale; }
    // A position that can be used: a fix that is not stale and not "no fix".
    bool PositionValid() const { return haveFix && !fixStale && mode != ModeNotValid; }
    QDateTime Utc() const { return utc; }
    double Latitude() const { return latitude; }
    double Longitude() const { return longitude; }
    double Speed() const { return speed; }
    double Course() const { return course; }
    int Mode() const { return mode; }

    bool HasSatelliteData() const { return haveSatellites; }
    bool SatellitesStale() const { return satellitesStale; }
    int FixMode() const { return fixMode; } // 0 none, 1 2D, 2 3D
    int SatellitesInView() const { return inView; }
    int SatellitesUsed() const;
    // Until a whole set of satellites in view, and a fix's list of those used
    // beside it, have come, their counts are no count at all.
    bool SatellitesInViewKnown() const { return inViewKnown; }
    bool SatellitesUsedKnown() const { return usedKnown; }
    const QVector<Satellite> &Satellites() const { return satellites; }
    // Horizontal dilution of precision; negative while the receiver has not
    // told it (it comes with the satellites used).
    double Hdop() const { return hdop; }

    // Recent valid positions, oldest first: x longitude, y latitude.
    const QVector<QPointF> &Trail() const { return trail; }
    const TimedTextList &Texts() const { return texts; }

private:
    bool haveFix = false;
    bool fixStale = false;
    QDateTime utc;
    double latitude = 0.0;
    double longitude = 0.0;
    double speed = 0.0;
    double course = 0.0;
    int mode = ModeNotValid;

    bool haveSatellites = false;
    bool satellitesStale = false;
    int fixMode = 0;
    int inView = 0;
    bool inViewKnown = false;
    bool usedKnown = false;
    double hdop = -1.0;
    QVector<Satellite> satellites;

    QVector<QPointF> trail;
    TimedTextList texts;
};

#endif // GPSSTATUS_H
