#include "ui/statustexts.h"

#include "model/geoposition.h"
#include "status/gpsstatus.h"

#include <QLocale>

namespace {

// The text of code in a table of untranslated texts; the last entry stands
// for every code beyond the table.
template <int N> QString Pick(const char *const (&texts)[N], int code)
{
    return QCoreApplication::translate("StatusTexts", texts[code >= 0 && code < N ? code : N - 1]);
}

} // namespace

QString StatusTexts::FixMode(int fixMode)
{
    static const char *const texts[] = {QT_TR_NOOP("no fix"), QT_TR_NOOP("2D fix"),
                                        QT_TR_NOOP("3D fix"), QT_TR_NOOP("no fix")};
    return Pick(texts, fixMode);
}

QString StatusTexts::SatellitesUsed(const GpsStatus &gps)
{
    // A count of 0 would say that no satellite is used.
    return gps.SatellitesUsedKnown() ? QString::number(gps.SatellitesUsed()) : tr("not known yet");
}

QString StatusTexts::SatelliteCounts(const GpsStatus &gps)
{
    if (!gps.HasSatelliteData())
        return QStringLiteral("-");
    if (!gps.SatellitesInViewKnown())
        return tr("not known yet");
    const QString inView = QString::number(gps.SatellitesInView());
    if (!gps.SatellitesUsedKnown())
        return tr("used not known yet, %1 in view").arg(inView);
    return tr("%1 used of %2 in view").arg(SatellitesUsed(gps), inView);
}

QString StatusTexts::PositioningMode(int mode)
{
    static const char *const texts[] = {QT_TR_NOOP("autonomous"), QT_TR_NOOP("differential"),
                                        QT_TR_NOOP("estimated"),  QT_TR_NOOP("float RTK"),
                                        QT_TR_NOOP("manual"),     QT_TR_NOOP("not valid"),
                                        QT_TR_NOOP("precise"),    QT_TR_NOOP("RTK"),
                                        QT_TR_NOOP("simulated"),  QT_TR_NOOP("not valid")};
    return Pick(texts, mode);
}

QString StatusTexts::Racon(uint status)
{
    static const char *const texts[] = {QT_TR_NOOP("no RACON fitted"),
                                        QT_TR_NOOP("fitted, not monitored"),
                                        QT_TR_NOOP("operational"), QT_TR_NOOP("error")};
    return Pick(texts, int(qMin(status, 3u)));
}

QString StatusTexts::Light(uint status)
{
    static const char *const texts[] = {QT_TR_NOOP("no light or not monitored"), QT_TR_NOOP("on"),
                                        QT_TR_NOOP("off"), QT_TR_NOOP("error")};
    return Pick(texts, int(qMin(status, 3u)));
}

QString StatusTexts::Health(uint health)
{
    return health == 0 ? tr("good") : tr("alarm");
}

QString StatusTexts::YesNo(bool value)
{
    return value ? tr("yes") : tr("no");
}

QString StatusTexts::Position(double latitude, double longitude)
{
    GeoPosition position;
    position.SetLatitude(latitude);
    position.SetLongitude(longitude);
    if (position.Latitude() > 90.0 || position.Longitude() > 180.0)
        return tr("not available");
    // The texts hold no point but the decimal ones.
    QString text = position.LatitudeDm() + QStringLiteral("  ") + position.LongitudeDm();
    return text.replace(QLatin1String("."), QString(QLocale().decimalPoint()));
}

namespace {
QLocale Numbers()
{
    QLocale numbers;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    return numbers;
}
} // namespace

QString StatusTexts::SpeedAndCourse(double knots, double course)
{
    const QLocale numbers = Numbers();
    return tr("%1 kn, %2°").arg(numbers.toString(knots, 'f', 1), numbers.toString(course, 'f', 1));
}

QString StatusTexts::Offset(double metres, double bearing)
{
    const QLocale numbers = Numbers();
    return tr("%1 m at %2°")
        .arg(numbers.toString(metres, 'f', metres < 10 ? 1 : 0))
        .arg(qRound(bearing) % 360, 3, 10, QLatin1Char('0'));
}

QString StatusTexts::Time(const QDateTime &utc, const QDateTime &now, bool zone)
{
    if (!utc.isValid())
        return QStringLiteral("-");
    QString time = utc.toString(QStringLiteral("hh:mm:ss"));
    if (utc.date() != now.date())
        time = utc.toString(QStringLiteral("yyyy-MM-dd ")) + time;
    return zone ? tr("%1 UTC").arg(time) : time;
}
