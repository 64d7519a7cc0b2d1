#include "status/positionsurvey.h"

#include "status/geooffset.h"
#include "status/unitstatus.h"

#include <QtMath>
#include <cmath>
#include <limits>

namespace {

constexpr double MetresPerDegree = GeoOffset::EarthRadiusMetres * M_PI / 180.0;

// A longitude difference across the date line is the short way round.
double LongitudeStep(double from, double to)
{
    double step = to - from;
    if (step > 180.0)
        step -= 360.0;
    else if (step < -180.0)
        step += 360.0;
    return step;
}

} // namespace

PositionSurvey::PositionSurvey(const UnitStatus *status, QObject *parent)
    : QObject(parent), status(status)
{
    firstFixLimit.setSingleShot(true);
    duration.setSingleShot(true);
    connect(status, &UnitStatus::FixTaken, this, &PositionSurvey::OnFix);
    connect(&firstFixLimit, &QTimer::timeout, this, [this] {
        Refuse(tr("The unit reported no valid GPS fix within %1 s; a survey needs one.")
                   .arg(FirstFixLimitMs / 1000));
    });
    connect(&duration, &QTimer::timeout, this, &PositionSurvey::End);
    // The status starts afresh for a new link and for another unit docked:
    // fixes from before are not this unit's, or not from this dock.
    connect(status, &UnitStatus::Changed, this, [this] {
        if (IsRunning() && this->status->Generation() != generation)
            Refuse(tr("The link closed or another unit was docked during the survey."));
    });
}

void PositionSurvey::Start(qint64 durationMs, int thresholdMetres)
{
    this->durationMs = qMax<qint64>(0, durationMs);
    this->thresholdMetres = thresholdMetres;
    count = 0;
    meanEast = meanNorth = squaresEast = squaresNorth = 0.0;
    hdop = -1.0;
    problem.clear();
    generation = status->Generation();
    duration.stop();
    // Counting starts with a fix that comes after the start, not with one
    // that may have come long before.
    state = State::WaitingForFix;
    firstFixLimit.start(FirstFixLimitMs);
    emit Changed();
}

void PositionSurvey::Cancel()
{
    if (IsRunning())
        Refuse(tr("The survey was stopped; fixes taken: %n.", nullptr, count));
}

void PositionSurvey::OnFix()
{
    if (!IsRunning())
        return;
    const GpsStatus &gps = status->Gps();
    if (!gps.PositionValid()) {
        // A gap in the fixes leaves a mean of fixes the receiver doubted,
        // with the unit perhaps moved while it could not tell.
        if (state == State::Running)
            Refuse(tr("The unit lost its GPS fix (fixes taken: %n); survey again once it "
                      "holds one steadily.",
                      nullptr, count));
        return;
    }
    if (state == State::WaitingForFix) {
        firstFixLimit.stop();
        state = State::Running;
        originLatitude = gps.Latitude();
        originLongitude = gps.Longitude();
        metresPerDegreeEast = MetresPerDegree * std::cos(qDegreesToRadians(originLatitude));
        clock.start();
        duration.start(int(qMin<qint64>(durationMs, std::numeric_limits<int>::max())));
    }
    const double east = LongitudeStep(originLongitude, gps.Longitude()) * metresPerDegreeEast;
    const double north = (gps.Latitude() - originLatitude) * MetresPerDegree;
    ++count;
    const double stepEast = east - meanEast;
    const double stepNorth = north - meanNorth;
    meanEast += stepEast / count;
    meanNorth += stepNorth / count;
    squaresEast += stepEast * (east - meanEast);
    squaresNorth += stepNorth * (north - meanNorth);
    if (gps.HasSatelliteData() && !gps.SatellitesStale())
        hdop = gps.Hdop();
    emit Changed();
}

void PositionSurvey::End()
{
    if (state != State::Running)
        return;
    if (count < MinimumFixes) {
        Refuse(
            tr("Fixes taken: %n; a survey needs at least %1.", nullptr, count).arg(MinimumFixes));
        return;
    }
    if (SpreadMetres() > thresholdMetres) {
        Refuse(tr("The fixes spread %1 m, beyond the off-position threshold of %2 m: the unit "
                  "moves or its fix is poor, and the mean is not offered.")
                   .arg(SpreadMetres(), 0, 'f', 1)
                   .arg(thresholdMetres));
        return;
    }
    state = State::Done;
    emit Changed();
    emit Finished(true);
}

void PositionSurvey::Refuse(const QString &why)
{
    firstFixLimit.stop();
    duration.stop();
    state = State::Refused;
    problem = why;
    emit Changed();
    emit Finished(false);
}

double PositionSurvey::SpreadMetres() const
{
    if (count < 2)
        return 0.0;
    return std::sqrt((squaresEast + squaresNorth) / (count - 1));
}

double PositionSurvey::MeanLatitude() const
{
    return originLatitude + meanNorth / MetresPerDegree;
}

double PositionSurvey::MeanLongitude() const
{
    double longitude = originLongitude;
    if (metresPerDegreeEast > 0.0)
        longitude += meanEast / metresPerDegreeEast;
    if (longitude > 180.0)
        longitude -= 360.0;
    else if (longitude <= -180.0)
        longitude += 360.0;
    return longitude;
}

double PositionSurvey::UnitResolution(double degrees)
{
    return std::round(degrees * 600000.0) / 600000.0;
}

qint64 PositionSurvey::RemainingMs() const
{
    if (state == State::WaitingForFix)
        return durationMs;
    if (state != State::Running)
        return 0;
    return qMax<qint64>(0, durationMs - clock.elapsed());
}

QString PositionSurvey::ProgressText() const
{
    if (state == State::WaitingForFix)
        return tr("Waiting for the unit's next GPS fix");
    const QString hdopText = hdop < 0 ? tr("HDOP not known") : tr("HDOP %1").arg(hdop, 0, 'f', 1);
    return tr("Fixes: %n, spread %1 m, %2, %3 s left", nullptr, count)
        .arg(SpreadMetres(), 0, 'f', 1)
        .arg(hdopText)
        .arg((RemainingMs() + 999) / 1000);
}

QString PositionSurvey::ResultText() const
{
    if (state == State::Refused)
        return problem;
    if (state != State::Done)
        return ProgressText();
    const QString hdopText = hdop < 0 ? tr("HDOP not known") : tr("HDOP %1").arg(hdop, 0, 'f', 1);
    return tr("Mean of the fixes (%n): spread %1 m, %2.", nullptr, count)
        .arg(SpreadMetres(), 0, 'f', 1)
        .arg(hdopText);
}
