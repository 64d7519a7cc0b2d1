#include "ui/satellitebars.h"

#include <QPainter>

namespace {

// Signal levels are drawn up to this many dB-Hz.
const int FullScale = 55;

bool Same(const GpsStatus::Satellite &a, const GpsStatus::Satellite &b)
{
    return a.prn == b.prn && a.snr == b.snr && a.snrPresent == b.snrPresent && a.used == b.used;
}

} // namespace

SatelliteBars::SatelliteBars(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SatelliteBars::SetSatellites(const QVector<GpsStatus::Satellite> &now)
{
    if (now.size() == satellites.size() &&
        std::equal(now.cbegin(), now.cend(), satellites.cbegin(), Same))
        return;
    satellites = now;
    update();
}

void SatelliteBars::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette pal = palette();
    const int labelHeight = fontMetrics().height();
    const int barsHeight = height() - labelHeight - 2;
    if (satellites.isEmpty()) {
        p.setPen(pal.color(QPalette::Text));
        p.drawText(rect(), Qt::AlignCenter, tr("No satellites in view"));
        return;
    }
    const double slot = double(width()) / satellites.size();
    const int barWidth = qMax(4, int(slot * 0.6));
    const QColor used = isEnabled() ? QColor(40, 140, 60) : pal.color(QPalette::Mid);
    for (int i = 0; i < satellites.size(); ++i) {
        const GpsStatus::Satellite &s = satellites.at(i);
        const int x = int(i * slot + (slot - barWidth) / 2);
        const int level = s.snrPresent ? qBound(0, s.snr, FullScale) : 0;
        const int h = barsHeight * level / FullScale;
        const QRect bar(x, barsHeight - h, barWidth, h);
        p.setPen(used);
        p.setBrush(s.used ? QBrush(used) : QBrush(Qt::NoBrush));
        if (h > 0)
            p.drawRect(bar.adjusted(0, 0, -1, 0));
        p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        p.drawText(QRect(int(i * slot), barsHeight + 2, int(slot), labelHeight), Qt::AlignCenter,
                   QString::number(s.prn));
    }
}
