#ifndef SATELLITEDATA_H
#define SATELLITEDATA_H

#include <QObject>
#include <array>

// The satellites that the unit's GPS receiver reports: those in view (GSV)
// and which of them are used in the fix (GSA).
class SatelliteData : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxSatellites = 16;

    struct Satellite
    {
        int prn = 0;
        int elevation = 0; // degrees
        int azimuth = 0;   // degrees
        int snr = 0;
        bool sbas = false;    // 33 <= prn < 65
        bool glonass = false; // prn >= 65
        bool snrPresent = false;
        bool usedInFix = false;
    };

    explicit SatelliteData(QObject *parent = nullptr);

    int fixMode = 0; // 0 no fix, 1 two-dimensional, 2 three-dimensional
    int satellitesInView = 0;
    std::array<Satellite, MaxSatellites> satellites{};

    void Clear();
    void ClearUsed();
    bool SetSatellite(int index, int prn, int elevation, int azimuth, int snr, bool snrPresent);
    // The satellites whose PRN is one of prns are used in the fix, the
    // others not.
    void SetUsed(const int *prns, int count);
};

#endif // SATELLITEDATA_H
