#include "status/gpsstatus.h"

#include "decode/gpsdata.h"
#include "decode/satellitedata.h"

void GpsStatus::TakeFix(const GpsData *data)
{
    if (!data) {
        fixStale = haveFix;
        return;
    }
    haveFix = true;
    fixStale = false;
    // The two-digit year of the sentence is read as 19yy.
    QDate date = data->date;
    if (date.isValid() && date.year() < 1980)
        date = date.addYears(100);
    utc = QDateTime(date, data->time, Qt::UTC);
    latitude = data->position.Latitude();
    longitude = data->position.Longitude();
    speed = data->speed;
    course = data->course;
    mode = data->mode;
    if (PositionValid()) {
        trail.append(QPointF(longitude, latitude));
        if (trail.size() > TrailLength)
            trail.remove(0, trail.size() - TrailLength);
    }
}

void GpsStatus::TakeSatellites(const SatelliteData *data)
{
    if (!data) {
        satellitesStale = haveSatellites;
        return;
    }
    haveSatellites = true;
    satellitesStale = false;
    fixMode = data->fixMode;
    inView = data->satellitesInView;
    inViewKnown = data->inViewKnown;
    usedKnown = data->usedKnown;
    hdop = data->hdop;
    satellites.clear();
    for (const SatelliteData::Satellite &s : data->satellites) {
        if (s.prn != 0)
            satellites.append({s.prn, s.elevation, s.azimuth, s.snr, s.snrPresent, s.usedInFix});
    }
}

int GpsStatus::SatellitesUsed() const
{
    int used = 0;
    for (const Satellite &s : satellites)
        used += s.used ? 1 : 0;
    return used;
}

void GpsStatus::Clear()
{
    *this = GpsStatus();
}
