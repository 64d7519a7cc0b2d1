#ifndef GEOPOSITION_H
#define GEOPOSITION_H

#include <QObject>
#include <QString>

// Latitude and longitude in decimal degrees, with the text forms shown and
// accepted on the AtoN tab. 91.0 and 181.0 mean "not available".
class GeoPosition : public QObject
{
    Q_OBJECT

public:
    static constexpr double NotAvailableLatitude = 91.0;
    static constexpr double NotAvailableLongitude = 181.0;

    explicit GeoPosition(QObject *parent = nullptr);
    GeoPosition &operator=(const GeoPosition &other);
    bool operator==(const GeoPosition &other) const;
    bool operator!=(const GeoPosition &other) const { return !(*this == other); }

    // Both values back to not available.
    void Reset();

    double Latitude() const { return latitude; }
    double Longitude() const { return longitude; }
    // Out-of-range values (and NaN) store the not-available value.
    void SetLatitude(double value);
    void SetLongitude(double value);
    // Parse the text forms; the result is stored without a range check.
    void SetLatitudeText(const QString &text);
    void SetLongitudeText(const QString &text);

    // Degrees, minutes and seconds, e.g. 50° 30' 0.000" N.
    QString LatitudeDms() const;
    QString LongitudeDms() const;
    // Degrees and decimal minutes, e.g. 50° 30.0000' N.
    QString LatitudeDm() const;
    QString LongitudeDm() const;

    // Decimal degrees from a text of degrees, minutes and seconds with optional
    // unit markers (°, D, ', M, ", S); parts without a marker take the next unit.
    static double ParseAngle(const QString &text);

private:
    // Unmarked: the part carries no unit marker and takes the expected unit.
    enum class Unit
    {
        Degrees,
        Minutes,
        Seconds,
        None,
        Unmarked
    };
    static Unit UnitOf(const QString &part);
    static QString Dms(double value, bool notAvailable, int degreeDigits,
                       const QString &hemisphere);
    static QString Dm(double value, int degreeDigits, const QString &hemisphere);

    double latitude;
    double longitude;
};

#endif // GEOPOSITION_H
