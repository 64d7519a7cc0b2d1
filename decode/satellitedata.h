#ifndef SATELLITEDATA_H
#define SATELLITEDATA_H

#include <QObject>
#include <array>

// The satellites that the unit's GPS receiver reports: those in view (GSV)
// and which of them are used in the fix (GSA). The satellites are those of
// the last whole GSV set; which are used is known only once a GSA has come
// beside such a set, and the counts are not known until then.
class SatelliteData : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxSatellites = 16;
    // A GSA names at most twelve satellites.
    static constexpr int MaxUsed = 12;

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

        // A satellite in view as a GSV names it, not (yet) used.
        static Satellite InView(int prn, int elevation, int azimuth, int snr, bool snrPresent)
        {
            return {prn,       elevation,  azimuth, snr, prn >= 33 && prn < 65,
                    prn >= 65, snrPresent, false};
        }
    };

    explicit SatelliteData(QObject *parent = nullptr);

    int fixMode = 0; // 0 no fix, 1 two-dimensional, 2 three-dimensional
    int satellitesInView = 0;
    std::array<Satellite, MaxSatellites> satellites{};
    // A whole GSV set has come: the satellites in view are known.
    bool inViewKnown = false;
    // A GSA has come beside that set: the satellites used are known.
    bool usedKnown = false;
    // Horizontal dilution of precision of the last GSA; negative when none
    // has told it.
    double hdop = -1.0;

    void Clear();
    // Forgets the GSA: none is used, and that is not known.
    void ClearUsed();
    // The satellites whose PRN is one of prns (at most MaxUsed; PRN 0 names
    // none) are used in the fix, the others not, and so are the satellites
    // of every set after it until the next GSA.
    void SetUsed(const int *prns, int count);
    // A whole GSV set: its satellites replace those held, each marked used
    // as the last GSA says.
    void SetInView(const std::array<Satellite, MaxSatellites> &set, int inView);
    int UsedCount() const { return usedCount; }

private:
    bool IsUsed(int prn) const;
    void MarkUsed();

    // The last GSA's numbers: below 256, as receivers number their
    // satellites, a bit each; any other number in the list.
    quint64 usedSet[4] = {};
    std::array<int, MaxUsed> otherPrns{};
    int otherCount = 0;
    bool haveGsa = false;
    // Of the satellites held, as last marked.
    int usedCount = 0;
    // The slots of satellites up to the last that holds one.
    int held = 0;
};

#endif // SATELLITEDATA_H
