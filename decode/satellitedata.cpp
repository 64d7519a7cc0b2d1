#include "decode/satellitedata.h"

#include <algorithm>

SatelliteData::SatelliteData(QObject *parent) : QObject(parent) {}

void SatelliteData::Clear()
{
    satellites.fill(Satellite());
    held = 0;
    fixMode = 0;
    satellitesInView = 0;
    inViewKnown = false;
    usedKnown = false;
    hdop = -1.0;
    std::fill(std::begin(usedSet), std::end(usedSet), 0);
    otherCount = 0;
    haveGsa = false;
    usedCount = 0;
}

void SatelliteData::ClearUsed()
{
    std::fill(std::begin(usedSet), std::end(usedSet), 0);
    otherCount = 0;
    haveGsa = false;
    usedKnown = false;
    hdop = -1.0;
    MarkUsed();
}

void SatelliteData::SetUsed(const int *prns, int count)
{
    std::fill(std::begin(usedSet), std::end(usedSet), 0);
    otherCount = 0;
    for (int i = 0; i < count; ++i) {
        const uint prn = uint(prns[i]);
        if (prn == 0)
            continue;
        if (prn < 256)
            usedSet[prn >> 6] |= quint64(1) << (prn & 63);
        else if (otherCount < MaxUsed)
            otherPrns[static_cast<size_t>(otherCount++)] = prns[i];
    }
    haveGsa = true;
    usedKnown = inViewKnown;
    MarkUsed();
}

void SatelliteData::SetInView(const std::array<Satellite, MaxSatellites> &set, int inView)
{
    satellites = set;
    held = MaxSatellites;
    while (held > 0 && satellites[size_t(held - 1)].prn == 0)
        --held;
    satellitesInView = inView;
    inViewKnown = true;
    usedKnown = haveGsa;
    MarkUsed();
}

bool SatelliteData::IsUsed(int prn) const
{
    const uint number = uint(prn);
    if (number < 256)
        return (usedSet[number >> 6] >> (number & 63)) & 1;
    return std::find(otherPrns.begin(), otherPrns.begin() + otherCount, prn) !=
           otherPrns.begin() + otherCount;
}

void SatelliteData::MarkUsed()
{
    usedCount = 0;
    // The slots after the last satellite are empty, and never used.
    for (int i = 0; i < held; ++i) {
        Satellite &s = satellites[size_t(i)];
        const uint prn = uint(s.prn);
        s.usedInFix = prn < 256 ? (usedSet[prn >> 6] >> (prn & 63)) & 1 : IsUsed(s.prn);
        usedCount += int(s.usedInFix);
    }
}
