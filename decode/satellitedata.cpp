#include "decode/satellitedata.h"

#include <algorithm>

SatelliteData::SatelliteData(QObject *parent) : QObject(parent) {}

void SatelliteData::Clear()
{
    satellites.fill(Satellite());
    fixMode = 0;
    satellitesInView = 0;
    inViewKnown = false;
    usedKnown = false;
    usedCount = 0;
    haveGsa = false;
}

void SatelliteData::ClearUsed()
{
    usedCount = 0;
    haveGsa = false;
    usedKnown = false;
    MarkUsed();
}

SatelliteData::Satellite SatelliteData::Satellite::InView(int prn, int elevation, int azimuth,
                                                          int snr, bool snrPresent)
{
    Satellite s;
    s.prn = prn;
    s.elevation = elevation;
    s.azimuth = azimuth;
    s.snr = snr;
    s.snrPresent = snrPresent;
    s.sbas = prn >= 33 && prn < 65;
    s.glonass = prn >= 65;
    return s;
}

void SatelliteData::SetUsed(const int *prns, int count)
{
    usedCount = 0;
    for (int i = 0; i < count && usedCount < MaxUsed; ++i) {
        if (prns[i] != 0)
            usedPrns[static_cast<size_t>(usedCount++)] = prns[i];
    }
    haveGsa = true;
    usedKnown = inViewKnown;
    MarkUsed();
}

void SatelliteData::SetInView(const std::array<Satellite, MaxSatellites> &set, int inView)
{
    satellites = set;
    satellitesInView = inView;
    inViewKnown = true;
    usedKnown = haveGsa;
    MarkUsed();
}

int SatelliteData::UsedCount() const
{
    return int(std::count_if(satellites.begin(), satellites.end(),
                             [](const Satellite &s) { return s.usedInFix; }));
}

bool SatelliteData::IsUsed(int prn) const
{
    return prn != 0 && std::find(usedPrns.begin(), usedPrns.begin() + usedCount, prn) !=
                           usedPrns.begin() + usedCount;
}

void SatelliteData::MarkUsed()
{
    for (Satellite &s : satellites)
        s.usedInFix = IsUsed(s.prn);
}
