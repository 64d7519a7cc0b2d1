#ifndef GEOPOSITION_H
#define GEOPOSITION_H

#include <QByteArray>
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
    // Read a typed latitude or longitude: degrees, minutes and seconds in the
    // forms shown here or shorter ("50 30 15 N", "50 30.25 N", "-12:30"), the
    // hemisphere by the letters of the language shown, "_" for not available.
    // A text that is understood and in range is stored and true returned;
    // otherwise the stored value stays and *problem says why. The text shown
    // for the value held leaves it as it is.
    bool SetLatitudeText(const QString &text, QString *problem = nullptr);
    bool SetLongitudeText(const QString &text, QString *problem = nullptr);

    // Degrees, minutes and seconds to the tenth, e.g. 50° 30' 0.0" N.
    QString LatitudeDms() const;
    QString LongitudeDms() const;
    // Degrees and decimal minutes, e.g. 50° 30.0000' N.
    QString LatitudeDm() const { return LatitudeDm(latitude); }
    QString LongitudeDm() const { return LongitudeDm(longitude); }
    static QString LatitudeDm(double latitude);
    static QString LongitudeDm(double longitude);
    // The hemisphere letters in the language shown, in UTF-8: looked up
    // once for the many positions of a stream of fixes.
    struct Hemispheres
    {
        QByteArray north;
        QByteArray south;
        QByteArray east;
        QByteArray west;
    };
    static Hemispheres HemisphereLetters();
    // The texts of LatitudeDm and LongitudeDm in UTF-8, added to the end of text.
    static void AppendLatitudeDm(QByteArray &text, double latitude, const Hemispheres &letters);
    static void AppendLongitudeDm(QByteArray &text, double longitude, const Hemispheres &letters);

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
    static Unit UnitOf(QChar last);
    // Reads a coordinate text with the hemisphere letters given; limit is 90
    // or 180, notAvailable the value stored for "_".
    static bool ReadCoordinate(const QString &text, double limit, double notAvailable,
                               const QString &positive, const QString &negative, double &value,
                               QString *problem);
    // Decimal degrees from a text of degrees, minutes and seconds with optional
    // unit markers (°, D, ', M, ", S); parts without a marker take the next unit.
    static bool ParseAngle(const QString &text, double &degrees, QString *problem);
    static QString Dms(double value, bool notAvailable, int degreeDigits,
                       const QString &hemisphere);
    template <class Text, class Letter>
    static void AppendDm(Text &text, double value, int degreeDigits, const Letter &hemisphere);

    double latitude;
    double longitude;
};

#endif // GEOPOSITION_H
