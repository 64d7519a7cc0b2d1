#ifndef SATELLITEBARS_H
#define SATELLITEBARS_H

#include <QVector>
#include <QWidget>

#include "status/gpsstatus.h"

// The signal level of each satellite in view as a bar, filled when the
// satellite is used in the fix, with its number below.
class SatelliteBars : public QWidget
{
    Q_OBJECT
public:
    explicit SatelliteBars(QWidget *parent = nullptr);

    void SetSatellites(const QVector<GpsStatus::Satellite> &satellites);

    QSize sizeHint() const override { return QSize(300, 90); }
    QSize minimumSizeHint() const override { return QSize(160, 70); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<GpsStatus::Satellite> satellites;
};

#endif // SATELLITEBARS_H
