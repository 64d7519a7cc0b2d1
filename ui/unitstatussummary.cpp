#include "ui/unitstatussummary.h"

#include "status/unitstatus.h"
#include "ui/statustexts.h"

UnitStatusSummary::UnitStatusSummary(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setToolTip(tr("GPS fix, satellites used and active alarms of the unit; click for the "
                  "unit status"));
}

void UnitStatusSummary::Show(const UnitStatus &status)
{
    const GpsStatus &gps = status.Gps();
    // Not "No GPS": the clock beside it may well show the GPS time.
    QString fix = tr("No satellite data");
    if (gps.HasSatelliteData() && !gps.SatellitesStale())
        fix = tr("%1, satellites used: %2")
                  .arg(StatusTexts::FixMode(gps.FixMode()))
                  .arg(StatusTexts::SatellitesUsed(gps));
    const int active = status.Alarms().ActiveCount();
    const QString text = fix + QStringLiteral("  |  ") + tr("active alarms: %1").arg(active);
    if (text != this->text())
        setText(text);
    const QString style =
        active > 0 ? QStringLiteral("color: #b00000; font-weight: bold;") : QString();
    if (style != styleSheet())
        setStyleSheet(style);
}
