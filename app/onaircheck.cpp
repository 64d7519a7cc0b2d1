#include "app/onaircheck.h"

#include "app/mmsiguard.h"
#include "app/unitsession.h"
#include "decode/messagedecoder.h"
#include "model/configurationfields.h"
#include "status/geooffset.h"
#include "status/unitstatus.h"

#include <limits>

namespace {

QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString PositionText(double latitude, double longitude)
{
    if (!(latitude <= 90.0) || !(longitude <= 180.0))
        return OnAirCheck::tr("not available");
    return ConfigurationFields::LatitudeText(latitude) + QStringLiteral(", ") +
           ConfigurationFields::LongitudeText(longitude);
}

// What the message carries of a dimension: its field holds up to
// 511 (bow, stern) or 63 (port, starboard) metres, more as that.
int Carried(int metres, int limit)
{
    return qBound(0, metres, limit);
}

} // namespace

OnAirCheck::OnAirCheck(UnitSession *session, QObject *parent) : QObject(parent), session(session)
{
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [this] { Finish(Verdict::NoReport); });
    connect(session->GetMessageDecoder(), &MessageDecoder::OwnReportHeard, this,
            &OnAirCheck::OnReport);
    connect(session, &UnitSession::LinkDown, this, [this] {
        if (!IsRunning())
            return;
        ending = tr("the line closed before the unit reported");
        Finish(Verdict::NoReport);
    });
}

void OnAirCheck::Start(const AtoN &what, qint64 ms)
{
    sent = what;
    limitMs = qBound(qint64(0), ms, qint64(std::numeric_limits<int>::max()));
    verdict = Verdict::Pending;
    differences.clear();
    reportTime = QDateTime();
    ending.clear();
    limit.start(int(limitMs));
}

void OnAirCheck::OnReport(const Message21Report &report)
{
    if (!IsRunning())
        return;
    reportTime = session->Status()->Now();
    differences = Compare(sent, report);
    Finish(differences.isEmpty() ? Verdict::Matches : Verdict::Differs);
}

void OnAirCheck::Finish(Verdict result)
{
    limit.stop();
    verdict = result;
    emit Finished(result);
}

QStringList OnAirCheck::Compare(const AtoN &sent, const Message21Report &report)
{
    QStringList found;
    const auto differ = [&found](const QString &field, const QString &was, const QString &is) {
        found << tr("%1: sent %2, on air %3").arg(field, was, is);
    };
    const QString newMmsi = sent.GetAtoNMMSI()->NewMmsi();
    const QString mmsi = MmsiGuard::IsUnset(newMmsi) ? sent.GetAtoNMMSI()->Mmsi() : newMmsi;
    if (mmsi != report.mmsi)
        differ(tr("MMSI"), mmsi, report.mmsi);
    // The air carries capitals only, and no spaces at the end.
    const QString name = sent.Name().toUpper().trimmed();
    if (name != report.name)
        differ(tr("name"), Quoted(name), Quoted(report.name));
    if (sent.TypeOfAtoN() != report.aidType)
        differ(tr("type of AtoN"), QString::number(sent.TypeOfAtoN()),
               QString::number(report.aidType));

    const GeoPosition *position = sent.GetPosition();
    const bool sentAvailable = position->Latitude() <= 90.0 && position->Longitude() <= 180.0;
    const QString sentText = PositionText(position->Latitude(), position->Longitude());
    const QString airText = PositionText(report.latitude, report.longitude);
    if (sentAvailable != report.PositionAvailable()) {
        differ(tr("position"), sentText, airText);
    } else if (sentAvailable) {
        // A low accuracy is the off-position threshold's business: a unit
        // within it is where it should be.
        const double tolerance = sent.PositionAccuracy() == 1
                                     ? AccurateMetres
                                     : qMax(AccurateMetres, double(sent.OffPositionThreshold()));
        const double metres = GeoOffset::Between(position->Latitude(), position->Longitude(),
                                                 report.latitude, report.longitude)
                                  .metres;
        if (metres > tolerance)
            differ(tr("position"), sentText,
                   tr("%1 (%2 m away, beyond %3 m)")
                       .arg(airText, QString::number(metres, 'f', 0),
                            QString::number(tolerance, 'f', 0)));
    }

    const struct
    {
        QString field;
        int sent;
        int limit;
        int onAir;
    } dimensions[] = {
        {tr("dimension A (to bow)"), sent.DimensionA(), 511, report.toBow},
        {tr("dimension B (to stern)"), sent.DimensionB(), 511, report.toStern},
        {tr("dimension C (to port)"), sent.DimensionC(), 63, report.toPort},
        {tr("dimension D (to starboard)"), sent.DimensionD(), 63, report.toStarboard},
    };
    for (const auto &d : dimensions) {
        if (Carried(d.sent, d.limit) != d.onAir)
            differ(d.field, QString::number(d.sent), QString::number(d.onAir));
    }
    return found;
}

QString OnAirCheck::VerdictWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Matches:
        return QStringLiteral("matches");
    case Verdict::Differs:
        return QStringLiteral("differs");
    case Verdict::NoReport:
        return QStringLiteral("no report");
    case Verdict::Pending:
        break;
    }
    return QStringLiteral("pending");
}

QString OnAirCheck::Text() const
{
    const QString time = reportTime.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    switch (verdict) {
    case Verdict::Matches:
        return tr("On air: the unit's own report at %1 UTC carries every field sent (MMSI, name, "
                  "type, position, dimensions).")
            .arg(time);
    case Verdict::Differs:
        return tr("On air: the unit's own report at %1 UTC differs from what was sent: %2.")
            .arg(time, differences.join(QStringLiteral("; ")));
    case Verdict::NoReport:
        if (!ending.isEmpty())
            return tr("On air: no report of the unit came; %1. Whether it broadcasts what it "
                      "holds is not known.")
                .arg(ending);
        return tr("On air: no report of the unit came within %1 min. Whether it broadcasts what "
                  "it holds is not known.")
            .arg(QString::number(limitMs / 60000.0, 'g', 3));
    case Verdict::Pending:
        break;
    }
    return tr("On air: waiting for the unit's own report.");
}
