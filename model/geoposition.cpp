#include "model/geoposition.h"

#include "model/decimaltext.h"

#include <QRegExp>
#include <QStringList>
#include <cmath>

namespace {

const QChar DegreeSign(0xB0);

} // namespace

GeoPosition::GeoPosition(QObject *parent)
    : QObject(parent), latitude(NotAvailableLatitude), longitude(NotAvailableLongitude)
{}

GeoPosition &GeoPosition::operator=(const GeoPosition &other)
{
    if (this != &other) {
        latitude = other.latitude;
        longitude = other.longitude;
    }
    return *this;
}

bool GeoPosition::operator==(const GeoPosition &other) const
{
    return latitude == other.latitude && longitude == other.longitude;
}

void GeoPosition::Reset()
{
    latitude = NotAvailableLatitude;
    longitude = NotAvailableLongitude;
}

void GeoPosition::SetLatitude(double value)
{
    // Written so that NaN fails the test too.
    latitude = (value >= -90.0 && value <= 90.0) ? value : NotAvailableLatitude;
}

void GeoPosition::SetLongitude(double value)
{
    longitude = (value >= -180.0 && value <= 180.0) ? value : NotAvailableLongitude;
}

void GeoPosition::SetLatitudeText(const QString &text)
{
    QString t = text.trimmed();
    if (t.contains(QLatin1Char('_'))) {
        latitude = NotAvailableLatitude;
        return;
    }
    const bool south = t.endsWith(tr("S"), Qt::CaseInsensitive);
    if (south || t.endsWith(tr("N"), Qt::CaseInsensitive))
        t.chop(1);
    double value = ParseAngle(t);
    if (south && value > 0)
        value = -value;
    latitude = value;
}

void GeoPosition::SetLongitudeText(const QString &text)
{
    QString t = text.trimmed();
    if (t.contains(QLatin1Char('_'))) {
        longitude = NotAvailableLongitude;
        return;
    }
    // "O" marks west too (Ouest, Oeste).
    const bool west =
        t.endsWith(tr("W"), Qt::CaseInsensitive) || t.endsWith(tr("O"), Qt::CaseInsensitive);
    if (west || t.endsWith(tr("E"), Qt::CaseInsensitive))
        t.chop(1);
    double value = ParseAngle(t);
    if (west && value > 0)
        value = -value;
    longitude = value;
}

QString GeoPosition::LatitudeDms() const
{
    // !(x <= 90) rather than x > 90, so that NaN shows as not available.
    const bool notAvailable = !(latitude <= 90.0);
    const QString hemisphere = notAvailable ? tr("N") : (latitude < 0 ? tr("S") : tr("N"));
    return Dms(latitude, notAvailable, 2, hemisphere);
}

QString GeoPosition::LongitudeDms() const
{
    const bool notAvailable = !(longitude <= 180.0);
    const QString hemisphere = notAvailable ? tr("E") : (longitude < 0 ? tr("W") : tr("E"));
    return Dms(longitude, notAvailable, 3, hemisphere);
}

QString GeoPosition::LatitudeDm() const
{
    return Dm(latitude, 2, latitude < 0 ? tr("S") : tr("N"));
}

QString GeoPosition::LongitudeDm() const
{
    return Dm(longitude, 3, longitude < 0 ? tr("W") : tr("E"));
}

QString GeoPosition::Dms(double value, bool notAvailable, int degreeDigits,
                         const QString &hemisphere)
{
    QString text;
    if (notAvailable) {
        text = QStringLiteral("__%1 __' __.___\"").arg(DegreeSign);
    } else {
        // Degrees stay a double: a parsed text may hold a value far outside
        // the range of int.
        const double x = std::fabs(value);
        const double d = std::trunc(x);
        const double m = (x - d) * 60.0;
        // Minutes within 0.00005 of the next whole minute round up; the carry
        // does not reach the degrees.
        const double mm = std::trunc(m + 0.00005);
        const double s = std::fabs(m - mm) * 60.0;
        text = QStringLiteral("%1%2 %3' %4\"")
                   .arg(d, degreeDigits, 'f', 0, QLatin1Char('0'))
                   .arg(DegreeSign)
                   .arg(mm, 2, 'f', 0, QLatin1Char('0'))
                   .arg(s, 5, 'f', 3, QLatin1Char('0'));
    }
    return text + QLatin1Char(' ') + hemisphere;
}

QString GeoPosition::Dm(double value, int degreeDigits, const QString &hemisphere)
{
    const double x = std::fabs(value);
    const double d = std::trunc(x);
    const double m = (x - d) * 60.0;
    return DecimalText::Fixed(d, 0, degreeDigits) + DegreeSign + QLatin1Char(' ') +
           DecimalText::Fixed(m, 4, 6) + QLatin1String("' ") + hemisphere;
}

GeoPosition::Unit GeoPosition::UnitOf(const QString &part)
{
    if (part.isEmpty())
        return Unit::Unmarked;
    const QString last = part.right(1);
    auto is = [&last](const QString &marker) {
        return last.compare(marker, Qt::CaseInsensitive) == 0;
    };
    if (is(QString(DegreeSign)) || is(tr("D")))
        return Unit::Degrees;
    if (is(tr("'")) || is(tr("M")))
        return Unit::Minutes;
    if (is(tr("\"")) || is(tr("S")))
        return Unit::Seconds;
    return Unit::Unmarked;
}

double GeoPosition::ParseAngle(const QString &input)
{
    QString text = input.trimmed();
    bool negative = false;
    const QString minus = tr("-");
    if (!minus.isEmpty() && text.startsWith(minus)) {
        negative = true;
        text.remove(0, 1);
    }
    text.replace(QRegExp(QStringLiteral("[:;]")), QStringLiteral(" "));

    // Separate every unit marker from what follows it, so that 10°20'30" splits
    // into three parts. The search starts at the degree sign; without one only
    // the last character is looked at (a negative start counts from the end).
    int p = text.indexOf(DegreeSign);
    if (p >= 0 && p + 1 < text.size() && text.at(p + 1) != QLatin1Char(' '))
        text.insert(p + 1, QLatin1Char(' '));
    const QRegExp marker(tr("[Dd'Mm\"Ss]"));
    for (;;) {
        const int found = text.indexOf(marker, p);
        if (found < 0)
            break;
        p = found + 1;
        if (p < text.size() && text.at(p) != QLatin1Char(' '))
            text.insert(p, QLatin1Char(' '));
    }

    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    double sum = 0.0;
    Unit expected = Unit::Degrees;
    for (QString part : parts) {
        Unit unit = UnitOf(part);
        if (unit == Unit::Unmarked)
            unit = expected;
        else
            part.chop(1);
        bool ok = false;
        double value = part.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            value = 0.0;
        switch (unit) {
        case Unit::Degrees:
            sum += value;
            expected = Unit::Minutes;
            break;
        case Unit::Minutes:
            sum += value / 60.0;
            expected = Unit::Seconds;
            break;
        case Unit::Seconds:
            sum += value / 3600.0;
            expected = Unit::None;
            break;
        case Unit::None:
        case Unit::Unmarked:
            expected = Unit::None;
            break;
        }
    }
    return negative ? -sum : sum;
}
