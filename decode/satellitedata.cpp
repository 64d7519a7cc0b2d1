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

void SatelliteData::SetUsed(const int *prns, int count)
{
    // Receivers number their satellites below 256: a set of those numbers
    // answers for each satellite at once; any other number is looked for.
    quint64 set[4] = {};
    bool others = false;
    for (int i = 0; i < count; ++i) {
        const uint prn = uint(prns[i]);
        if (prn < 256)
            set[prn >> 6] |= quint64(1) << (prn & 63);
        else
            others = true;
    }
    for (Satellite &s : satellites) {
        const uint prn = uint(s.prn);
        bool used = prn < 256 && (set[prn >> 6] >> (prn & 63)) & 1;
        for (int i = 0; others && !used && i < count; ++i)
            used = s.prn == prns[i];
        s.usedInFix = used;
    }
}
