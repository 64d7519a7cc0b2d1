#include "status/ownreporttrack.h"

void OwnReportTrack::Add(const Message21Report &report, const QDateTime &time, int clock)
{
    if (count > 0 && clock == lastClock && lastTime.isValid() && time.isValid())
        interval = lastTime.secsTo(time);
    lastClock = clock;
    ++count;
    last = report;
    lastTime = time;
    if (report.PositionAvailable()) {
        positions.append(QPointF(report.longitude, report.latitude));
        if (positions.size() > PositionLimit)
            positions.remove(0, positions.size() - PositionLimit);
    }
}
