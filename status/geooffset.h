#ifndef GEOOFFSET_H
#define GEOOFFSET_H

// Where one position lies as seen from another: the great-circle distance
// and the initial bearing, on a sphere of the earth's mean radius. Over the
// few hundred metres an aid drifts this is good to well under a metre.
struct GeoOffset
{
    static constexpr double EarthRadiusMetres = 6371008.8;

    double metres = 0.0;
    double bearing = 0.0; // degrees true, 0 <= bearing < 360

    // Positions in signed decimal degrees.
    static GeoOffset Between(double fromLatitude, double fromLongitude, double toLatitude,
                             double toLongitude);

    // The offset as east and north components, metres.
    double East() const;
    double North() const;
};

#endif // GEOOFFSET_H
