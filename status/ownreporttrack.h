#ifndef OWNREPORTTRACK_H
#define OWNREPORTTRACK_H

#include <QDateTime>
#include <QPointF>
#include <QVector>

#include "decode/message21report.h"

// The unit's own aid-to-navigation reports: the last one, when it came, the
// interval since the one before, and the recent reported positions.
class OwnReportTrack
{
public:
    static constexpr int PositionLimit = 60;

    // clock names where time was read (the unit's GPS, this computer): an
    // interval is only taken between two times of the same clock.
    void Add(const Message21Report &report, const QDateTime &time, int clock);
    void Clear() { *this = OwnReportTrack(); }

    bool HasReport() const { return count > 0; }
    int Count() const { return count; }
    const Message21Report &Last() const { return last; }
    QDateTime LastTime() const { return lastTime; }
    // Seconds between the last two reports; negative until there are two.
    qint64 IntervalSeconds() const { return interval; }
    // Recent reported positions, oldest first: x longitude, y latitude.
    const QVector<QPointF> &Positions() const { return positions; }

private:
    int count = 0;
    Message21Report last;
    QDateTime lastTime;
    int lastClock = -1;
    qint64 interval = -1;
    QVector<QPointF> positions;
};

#endif // OWNREPORTTRACK_H
