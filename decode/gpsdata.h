#ifndef GPSDATA_H
#define GPSDATA_H

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringView>
#include <QTime>

#include "model/geoposition.h"

// The last position fix reported by the unit's GPS receiver (RMC).
class GpsData : public QObject
{
    Q_OBJECT
public:
    explicit GpsData(QObject *parent = nullptr);

    QTime time;           // UTC time of the fix
    QDate date;           // date of the fix
    GeoPosition position; // signed decimal degrees
    double speed = 0.0;   // knots
    double course = 0.0;  // degrees, 0 <= course < 360
    int mode = 5;         // positioning mode, see ModeFromLetter

    // Everything but the mode back to "no fix": 00:00:00, 1 January 2000,
    // position (0, 0), speed and course 0.
    void Reset();

    // Parses "hhmmss"; stores the result and tells whether it is a valid time.
    bool SetTime(QStringView hhmmss);
    bool SetTime(const QString &hhmmss) { return SetTime(QStringView(hhmmss)); }
    // Parses "ddMMyy" and stores the result even when it is not a valid date.
    // Returns whether it is valid.
    bool SetDate(QStringView ddMMyy);
    bool SetDate(const QString &ddMMyy) { return SetDate(QStringView(ddMMyy)); }
    void SetPosition(double latitude, double longitude);
    void SetSpeed(double knots) { speed = knots; }
    // Takes only 0 <= degrees < 360; false (course unchanged) otherwise.
    bool SetCourse(double degrees);
    void SetMode(int value) { mode = value; }

    // RMC mode indicator: A 0, D 1, E 2, F 3, M 4, N 5, P 6, R 7, S 8, anything else 5.
    static int ModeFromLetter(QChar letter);

private:
    // The last date read and its six digits as a number: a receiver tells
    // the same date once a second all day.
    int lastDateDigits = -1;
    QDate lastDate;
};

#endif // GPSDATA_H
