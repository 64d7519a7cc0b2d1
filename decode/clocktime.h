#ifndef CLOCKTIME_H
#define CLOCKTIME_H

#include <QString>
#include <QStringView>
#include <QTime>

// A time of day as sentences carry it, "hhmmss"; invalid when it is not one.
// Six digits, by far the most common case, are read by hand, since the
// framework's format parser costs more than the rest of a sentence's decode.
inline QTime ClockTime(QStringView hhmmss)
{
    if (hhmmss.size() == 6) {
        int digits[6];
        bool allDigits = true;
        for (int i = 0; i < 6 && allDigits; ++i) {
            const ushort u = hhmmss.at(i).unicode();
            allDigits = u >= '0' && u <= '9';
            digits[i] = u - '0';
        }
        if (allDigits) {
            const int h = digits[0] * 10 + digits[1];
            const int m = digits[2] * 10 + digits[3];
            const int s = digits[4] * 10 + digits[5];
            // Made from its milliseconds, which the framework does inline.
            return h < 24 && m < 60 && s < 60
                       ? QTime::fromMSecsSinceStartOfDay((h * 3600 + m * 60 + s) * 1000)
                       : QTime();
        }
    }
    return QTime::fromString(hhmmss.toString(), QStringLiteral("hhmmss"));
}

#endif // CLOCKTIME_H
