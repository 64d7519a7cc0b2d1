#include "decode/gpsdata.h"

#include "decode/clocktime.h"

GpsData::GpsData(QObject *parent) : QObject(parent) {}

void GpsData::Reset()
{
    // Made once: the calendar's conversion costs more than the rest of a reset.
    static const QDate start(2000, 1, 1);
    time = QTime::fromMSecsSinceStartOfDay(0);
    date = start;
    position.SetLatitude(0.0);
    position.SetLongitude(0.0);
    speed = 0.0;
    course = 0.0;
}

bool GpsData::SetTime(QStringView hhmmss)
{
    time = ClockTime(hhmmss);
    return time.isValid();
}

bool GpsData::SetDate(QStringView ddMMyy)
{
    // The framework would read a two-digit year as 19yy. GPS receivers report
    // dates from 1980 on, so 80 to 99 are 1980 to 1999 and 00 to 79 are 2000
    // to 2079 (which also makes 29 February 2000 a valid date).
    date = QDate();
    if (ddMMyy.size() != 6)
        return false;
    int digits = 0;
    for (const QChar c : ddMMyy) {
        const uint digit = uint(c.unicode()) - '0';
        if (digit > 9)
            return false;
        digits = digits * 10 + int(digit);
    }
    if (digits != lastDateDigits) {
        const int day = digits / 10000;
        const int month = digits / 100 % 100;
        const int yy = digits % 100;
        lastDate = QDate(yy < 80 ? 2000 + yy : 1900 + yy, month, day);
        lastDateDigits = digits;
    }
    date = lastDate;
    return date.isValid();
}

void GpsData::SetPosition(double latitude, double longitude)
{
    position.SetLatitude(latitude);
    position.SetLongitude(longitude);
}

bool GpsData::SetCourse(double degrees)
{
    if (!(degrees >= 0.0 && degrees < 360.0))
        return false;
    course = degrees;
    return true;
}

int GpsData::ModeFromLetter(QChar letter)
{
    static const char letters[] = "ADEFMNPRS";
    const ushort code = letter.unicode();
    for (int i = 0; i < int(sizeof letters) - 1; ++i) {
        if (code == uchar(letters[i]))
            return i;
    }
    return 5;
}
