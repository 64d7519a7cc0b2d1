#include "ui/offpositionview.h"

#include "status/geooffset.h"
#include "status/unitstatus.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// Metres east and north of the centre, in a plain local frame.
QPointF Plan(double centreLatitude, double centreLongitude, const QPointF &lonLat)
{
    const GeoOffset o = GeoOffset::Between(centreLatitude, centreLongitude, lonLat.y(), lonLat.x());
    return QPointF(o.East(), o.North());
}

// A round number of metres for the scale ring: 1, 2 or 5 times a power of ten.
double RoundMetres(double metres)
{
    const double power = std::pow(10.0, std::floor(std::log10(qMax(metres, 1.0))));
    for (double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * power >= metres)
            return step * power;
    }
    return 10 * power;
}

} // namespace

OffPositionView::OffPositionView(const UnitStatus *status, QWidget *parent)
    : QWidget(parent), status(status)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void OffPositionView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    p.fillRect(rect(), pal.base());
    p.setPen(pal.mid().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QVector<QPointF> &trail = status->Gps().Trail();
    const QVector<QPointF> &reports = status->OwnReports().Positions();

    // Centre: the nominal position, or else the latest position known.
    double centreLat = 0;
    double centreLon = 0;
    const bool nominal = status->NominalAvailable();
    if (nominal) {
        centreLat = status->NominalLatitude();
        centreLon = status->NominalLongitude();
    } else if (!trail.isEmpty()) {
        centreLat = trail.last().y();
        centreLon = trail.last().x();
    } else if (!reports.isEmpty()) {
        centreLat = reports.last().y();
        centreLon = reports.last().x();
    } else {
        p.setPen(pal.text().color());
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("No position yet"));
        return;
    }

    QVector<QPointF> trailPlan;
    trailPlan.reserve(trail.size());
    double reach = nominal ? status->ThresholdMetres() * 1.25 : 0.0;
    for (const QPointF &point : trail) {
        trailPlan.append(Plan(centreLat, centreLon, point));
        reach = qMax(reach, std::hypot(trailPlan.last().x(), trailPlan.last().y()));
    }
    QVector<QPointF> reportPlan;
    for (const QPointF &point : reports) {
        reportPlan.append(Plan(centreLat, centreLon, point));
        reach = qMax(reach, std::hypot(reportPlan.last().x(), reportPlan.last().y()));
    }
    reach = qMax(reach * 1.1, 10.0);

    const QPointF centre = QRectF(rect()).center();
    const double radiusPx = qMin(width(), height()) / 2.0 - 14;
    const double scale = radiusPx / reach; // pixels per metre
    const auto toScreen = [&](const QPointF &m) {
        return QPointF(centre.x() + m.x() * scale, centre.y() - m.y() * scale);
    };

    // Scale ring and north mark.
    const double ring = RoundMetres(reach / 2);
    p.setPen(QPen(pal.mid().color(), 1, Qt::DotLine));
    p.drawEllipse(centre, ring * scale, ring * scale);
    p.setPen(pal.text().color());
    p.drawText(QPointF(centre.x() + ring * scale * 0.71 + 2, centre.y() + ring * scale * 0.71 + 12),
               tr("%1 m").arg(ring));
    p.drawText(QRectF(centre.x() - 10, 2, 20, 14), Qt::AlignCenter, tr("N"));

    if (nominal) {
        const double threshold = status->ThresholdMetres() * scale;
        p.setPen(QPen(QColor(200, 40, 40), 1.5, Qt::DashLine));
        p.drawEllipse(centre, threshold, threshold);
    }
    // The nominal (or reference) position: a cross.
    p.setPen(QPen(pal.text().color(), 1.5));
    p.drawLine(centre + QPointF(-7, 0), centre + QPointF(7, 0));
    p.drawLine(centre + QPointF(0, -7), centre + QPointF(0, 7));

    if (trailPlan.size() > 1) {
        QPainterPath path(toScreen(trailPlan.first()));
        for (int i = 1; i < trailPlan.size(); ++i)
            path.lineTo(toScreen(trailPlan.at(i)));
        p.setPen(QPen(QColor(40, 100, 200, 160), 1.5));
        p.drawPath(path);
    }
    if (!trailPlan.isEmpty() && status->Gps().PositionValid()) {
        p.setPen(QPen(QColor(20, 60, 160), 1.5));
        p.setBrush(QColor(60, 130, 230));
        p.drawEllipse(toScreen(trailPlan.last()), 4.5, 4.5);
    }
    // The reports on top: they often lie on the last fix.
    p.setPen(QPen(QColor(150, 80, 0), 1.5));
    p.setBrush(QColor(255, 160, 0));
    for (const QPointF &m : qAsConst(reportPlan)) {
        const QPointF s = toScreen(m);
        p.drawPolygon(QPolygonF(
            {s + QPointF(0, -5), s + QPointF(5, 0), s + QPointF(0, 5), s + QPointF(-5, 0)}));
    }
}
