#include "decode/satellitedata.h"

SatelliteData::SatelliteData(QObject *parent) : QObject(parent) {}

void SatelliteData::Clear()
{
    satellites.fill(Satellite());
    fixMode = 0;
    satellitesInView = 0;
}

void SatelliteData::ClearUsed()
{
    for (Satellite &s : satellites)
        s.usedInFix = false;
}

bool SatelliteData::SetSatellite(int index, int prn, int elevation, int azimuth, int snr,
                                 bool snrPresent)
{
    if (index < 0 || index >= MaxSatellites)
        return false;
    Satellite &s = satellites[static_cast<size_t>(index)];
    s.prn = prn;
    s.elevation = elevation;
    s.azimuth = azimuth;
    s.snr = snr;
    s.snrPresent = snrPresent;
    s.sbas = prn >= 33 && prn < 65;
    s.glonass = prn >= 65;
    return true;
}

bool SatelliteData::MarkUsed(int prn, bool used)
{
    bool matched = false;
    for (Satellite &s : satellites) {
        if (s.prn == prn) {
            s.usedInFix = used;
            matched = true;
        }
    }
    return matched;
}
