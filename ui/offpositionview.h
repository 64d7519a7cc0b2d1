#ifndef OFFPOSITIONVIEW_H
#define OFFPOSITIONVIEW_H

#include <QWidget>

class UnitStatus;

// A plan of the unit around its nominal position, north up: the nominal
// position at the centre, the off-position threshold as a circle, the recent
// GPS fixes as a trail and the positions of the unit's own reports as marks.
class OffPositionView : public QWidget
{
    Q_OBJECT
public:
    explicit OffPositionView(const UnitStatus *status, QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(260, 260); }
    QSize minimumSizeHint() const override { return QSize(180, 180); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const UnitStatus *status;
};

#endif // OFFPOSITIONVIEW_H
