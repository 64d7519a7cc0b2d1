#include "status/geooffset.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

double Radians(double degrees)
{
    return degrees * Pi / 180.0;
}

} // namespace

// Haversine distance: keeps its precision for short distances, where the
// spherical law of cosines loses it to rounding.
GeoOffset GeoOffset::Between(double fromLatitude, double fromLongitude, double toLatitude,
                             double toLongitude)
{
    const double phi1 = Radians(fromLatitude);
    const double phi2 = Radians(toLatitude);
    const double dPhi = phi2 - phi1;
    const double dLambda = Radians(toLongitude - fromLongitude);

    const double s = std::sin(dPhi / 2);
    const double t = std::sin(dLambda / 2);
    const double a = s * s + std::cos(phi1) * std::cos(phi2) * t * t;
    GeoOffset offset;
    offset.metres = 2 * EarthRadiusMetres * std::atan2(std::sqrt(a), std::sqrt(1 - a));

    const double y = std::sin(dLambda) * std::cos(phi2);
    const double x =
        std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLambda);
    double bearing = offset.metres > 0 ? std::atan2(y, x) * 180.0 / Pi : 0.0;
    if (bearing < 0)
        bearing += 360.0;
    offset.bearing = bearing >= 360.0 ? 0.0 : bearing;
    return offset;
}

double GeoOffset::East() const
{
    return metres * std::sin(Radians(bearing));
}

double GeoOffset::North() const
{
    return metres * std::cos(Radians(bearing));
}
