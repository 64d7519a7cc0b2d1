#include "model/geoposition.h"

#include "model/decimaltext.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Beyond this a value (only ever from a text being parsed) is shown as it
// is: its tenths of a second would not fit an integer.
const double MaxWholeDegrees = 1e9;

const QChar DegreeSign(0xB0);

void AddText(QString &text, const QString &piece)
{
    text += piece;
}

void AddText(QByteArray &text, const QByteArray &piece)
{
    text += piece;
}

void AddText(QString &text, QLatin1String piece)
{
    text += piece;
}

void AddText(QByteArray &text, QLatin1String piece)
{
    text.append(piece.data(), piece.size());
}

void AddDegreeSign(QString &text)
{
    text += DegreeSign;
}

void AddDegreeSign(QByteArray &text)
{
    text += "\xC2\xB0";
}

// The degree sign where a text of that kind is written as bytes: Latin-1
// for a QString, UTF-8 for bytes.
int WriteDegreeSign(char *to, const QString &)
{
    to[0] = '\xB0';
    return 1;
}

int WriteDegreeSign(char *to, const QByteArray &)
{
    to[0] = '\xC2';
    to[1] = '\xB0';
    return 2;
}

void AddBytes(QString &text, const char *bytes, int size)
{
    text += QLatin1String(bytes, size);
}

void AddBytes(QByteArray &text, const char *bytes, int size)
{
    text.append(bytes, size);
}

// The last `digits` digits of value, zeros in front included.
int WriteDigits(char *to, quint32 value, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        to[i] = char('0' + value % 10);
        value /= 10;
    }
    return digits;
}

// value's digits, with zeros in front to width.
int WriteWhole(char *to, quint32 value, int width)
{
    char reversed[10];
    int count = 0;
    do {
        reversed[count++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    int length = 0;
    for (; length < width - count; ++length)
        to[length] = '0';
    while (count > 0)
        to[length++] = reversed[--count];
    return length;
}

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

bool GeoPosition::SetLatitudeText(const QString &text, QString *problem)
{
    // The text shown is rounded: read back, it would move the value by up
    // to half a tenth of a second each time the field is left.
    if (text.trimmed() == LatitudeDms())
        return true;
    return ReadCoordinate(text, 90.0, NotAvailableLatitude, tr("N"), tr("S"), latitude, problem);
}

bool GeoPosition::SetLongitudeText(const QString &text, QString *problem)
{
    if (text.trimmed() == LongitudeDms())
        return true;
    return ReadCoordinate(text, 180.0, NotAvailableLongitude, tr("E"), tr("W"), longitude, problem);
}

bool GeoPosition::ReadCoordinate(const QString &text, double limit, double notAvailable,
                                 const QString &positive, const QString &negative, double &value,
                                 QString *problem)
{
    QString why;
    QString t = text.trimmed();
    const bool south = t.endsWith(negative, Qt::CaseInsensitive);
    if (south)
        t.chop(negative.size());
    else if (t.endsWith(positive, Qt::CaseInsensitive))
        t.chop(positive.size());
    const bool lettered = t.size() != text.trimmed().size();

    double parsed = 0.0;
    if (t.contains(QLatin1Char('_'))) {
        // The not-available text as shown, or any part of it.
        const bool mixed =
            std::any_of(t.cbegin(), t.cend(), [](QChar c) { return c.isLetterOrNumber(); });
        if (mixed) {
            why = tr("\"_\" (not available) cannot be mixed with a value.");
        } else {
            value = notAvailable;
            return true;
        }
    } else if (ParseAngle(t, parsed, &why)) {
        if (lettered && parsed < 0)
            why = tr("Give either a minus sign or %1 / %2, not both.").arg(positive, negative);
        else if (!(std::fabs(parsed) <= limit))
            why = tr("Out of range: %1 degrees at most.").arg(limit);
    }
    if (!why.isEmpty()) {
        if (problem)
            *problem = why;
        return false;
    }
    value = south ? -parsed : parsed;
    return true;
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

QString GeoPosition::LatitudeDm(double latitude)
{
    QString text;
    text.reserve(22);
    AppendDm(text, latitude, 2, latitude < 0 ? tr("S") : tr("N"));
    return text;
}

QString GeoPosition::LongitudeDm(double longitude)
{
    QString text;
    text.reserve(22);
    AppendDm(text, longitude, 3, longitude < 0 ? tr("W") : tr("E"));
    return text;
}

GeoPosition::Hemispheres GeoPosition::HemisphereLetters()
{
    return {tr("N").toUtf8(), tr("S").toUtf8(), tr("E").toUtf8(), tr("W").toUtf8()};
}

void GeoPosition::AppendLatitudeDm(QByteArray &text, double latitude, const Hemispheres &letters)
{
    AppendDm(text, latitude, 2, latitude < 0 ? letters.south : letters.north);
}

void GeoPosition::AppendLongitudeDm(QByteArray &text, double longitude, const Hemispheres &letters)
{
    AppendDm(text, longitude, 3, longitude < 0 ? letters.west : letters.east);
}

QString GeoPosition::Dms(double value, bool notAvailable, int degreeDigits,
                         const QString &hemisphere)
{
    QString text;
    if (notAvailable) {
        text = QStringLiteral("__%1 __' __._\"").arg(DegreeSign);
    } else {
        // Degrees stay a double: a parsed text may hold a value far outside
        // the range of int.
        const double x = std::fabs(value);
        double d = std::trunc(x);
        double mm = 0;
        double s = 0;
        // Tenths of a second: the unit keeps hundredths of a minute (0.6"),
        // each a whole number of tenths, so that what it holds is shown
        // exactly and nothing finer is pretended. Rounded once, so that a
        // value just below a whole minute or degree carries into it rather
        // than showing 60.
        if (x < MaxWholeDegrees) {
            const qint64 tenths = std::llround(x * 36000.0);
            d = double(tenths / 36000);
            mm = double(tenths / 600 % 60);
            s = double(tenths % 600) / 10.0;
        }
        text = QStringLiteral("%1%2 %3' %4\"")
                   .arg(d, degreeDigits, 'f', 0, QLatin1Char('0'))
                   .arg(DegreeSign)
                   .arg(mm, 2, 'f', 0, QLatin1Char('0'))
                   .arg(s, 3, 'f', 1, QLatin1Char('0'));
    }
    return text + QLatin1Char(' ') + hemisphere;
}

template <class Text, class Letter>
void GeoPosition::AppendDm(Text &text, double value, int degreeDigits, const Letter &hemisphere)
{
    const double x = std::fabs(value);
    // Rounded once, to the ten-thousandth of a minute shown, so that 59.99999
    // minutes carry into the next degree rather than showing 60.0000. The
    // whole numbers are written as they are, in one piece: a log's replay
    // shows a position for every fix.
    if (x < MaxWholeDegrees) {
        const qint64 tenThousandths = std::llround(x * 600000.0);
        const auto minutes = quint32(tenThousandths % 600000);
        const auto degrees = quint32(tenThousandths / 600000);
        char written[32];
        int length = degrees < 1000 && degreeDigits == 3 ? WriteDigits(written, degrees, 3)
                     : degrees < 100 && degreeDigits == 2
                         ? WriteDigits(written, degrees, 2)
                         : WriteWhole(written, degrees, degreeDigits);
        length += WriteDegreeSign(written + length, text);
        written[length++] = ' ';
        length += WriteDigits(written + length, minutes / 10000, minutes < 100000 ? 1 : 2);
        written[length++] = '.';
        length += WriteDigits(written + length, minutes % 10000, 4);
        written[length++] = '\'';
        written[length++] = ' ';
        AddBytes(text, written, length);
        AddText(text, hemisphere);
        return;
    }
    const double d = std::trunc(x);
    const double m = (x - d) * 60.0;
    DecimalText::Append(text, d, 0, degreeDigits);
    AddDegreeSign(text);
    AddText(text, QLatin1String(" "));
    DecimalText::Append(text, m, 4, 6);
    AddText(text, QLatin1String("' "));
    AddText(text, hemisphere);
}

GeoPosition::Unit GeoPosition::UnitOf(QChar last)
{
    auto is = [last](const QString &marker) {
        return marker.size() == 1 && last.toUpper() == marker.at(0).toUpper();
    };
    if (last == DegreeSign || is(tr("D")))
        return Unit::Degrees;
    if (is(tr("'")) || is(tr("M")))
        return Unit::Minutes;
    if (is(tr("\"")) || is(tr("S")))
        return Unit::Seconds;
    return Unit::Unmarked;
}

bool GeoPosition::ParseAngle(const QString &input, double &degrees, QString *problem)
{
    QString text = input.trimmed();
    bool negative = false;
    const QString minus = tr("-");
    if (!minus.isEmpty() && text.startsWith(minus)) {
        negative = true;
        text.remove(0, minus.size());
    }
    // Every unit marker ends its part, so that 10°20'30" gives three parts.
    QString spaced;
    spaced.reserve(text.size() * 2);
    for (const QChar c : qAsConst(text)) {
        const bool separator = c == QLatin1Char(':') || c == QLatin1Char(';');
        spaced += separator ? QChar(QLatin1Char(' ')) : c;
        if (UnitOf(c) != Unit::Unmarked)
            spaced += QLatin1Char(' ');
    }
    const QStringList parts = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        *problem = tr("No degrees given.");
        return false;
    }

    double sum = 0.0;
    Unit expected = Unit::Degrees;
    for (QString part : parts) {
        Unit unit = UnitOf(part.back());
        if (unit == Unit::Unmarked)
            unit = expected;
        else
            part.chop(1);
        if (unit < expected || unit == Unit::None) {
            *problem = tr("Too many parts, or the units out of order: degrees, minutes, seconds.");
            return false;
        }
        bool ok = false;
        const double value = part.toDouble(&ok);
        // Signs belong in front of the whole text; the decimal mark is a point.
        const bool plain = !part.isEmpty() && (part.at(0).isDigit() || part.at(0) == '.');
        if (!ok || !plain || !std::isfinite(value)) {
            *problem = tr("\"%1\" is not a number.").arg(part);
            return false;
        }
        if (unit != Unit::Degrees && value > 60.0) {
            *problem = tr("Minutes and seconds go up to 60.");
            return false;
        }
        switch (unit) {
        case Unit::Degrees:
            sum += value;
            expected = Unit::Minutes;
            break;
        case Unit::Minutes:
            sum += value / 60.0;
            expected = Unit::Seconds;
            break;
        default:
            sum += value / 3600.0;
            expected = Unit::None;
            break;
        }
    }
    degrees = negative ? -sum : sum;
    return true;
}
