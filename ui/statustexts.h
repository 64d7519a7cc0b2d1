#ifndef STATUSTEXTS_H
#define STATUSTEXTS_H

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

class GpsStatus;

// The words the unit status is shown in: codes of the GPS and of the unit's
// own report, positions, distances and times.
class StatusTexts
{
    Q_DECLARE_TR_FUNCTIONS(StatusTexts)

public:
    static QString FixMode(int fixMode);
    // The count of satellites used, or that it is not known yet: the status
    // bar and the status page say the same.
    static QString SatellitesUsed(const GpsStatus &gps);
    // Used and in view, as far as each is known.
    static QString SatelliteCounts(const GpsStatus &gps);
    static QString PositioningMode(int mode);
    static QString Racon(uint status);
    static QString Light(uint status);
    static QString Health(uint health);
    static QString YesNo(bool value);
    static QString Position(double latitude, double longitude);
    // "0.4 kn, 211.6°", in the language's numbers.
    static QString SpeedAndCourse(double knots, double course);
    // "123 m at 045°"
    static QString Offset(double metres, double bearing);
    // "hh:mm:ss UTC", with the date when it is not now's; "-" when invalid.
    // Without the zone where a heading names it.
    static QString Time(const QDateTime &utc, const QDateTime &now, bool zone = true);
};

#endif // STATUSTEXTS_H
