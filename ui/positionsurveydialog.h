#ifndef POSITIONSURVEYDIALOG_H
#define POSITIONSURVEYDIALOG_H

#include <QDialog>
#include <QTimer>

class PositionSurvey;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class UnitStatus;

// The AtoN tab's survey: the unit's own fixes averaged for the minutes
// chosen, with their count, spread and HDOP as they come, and at the end
// their mean offered as the nominal position (or why it is not). Accepting
// takes the mean into the document; nothing goes to the unit.
class PositionSurveyDialog : public QDialog
{
    Q_OBJECT

public:
    // status must outlive the dialog; the spread is held to thresholdMetres.
    PositionSurveyDialog(const UnitStatus *status, int thresholdMetres, QWidget *parent = nullptr);

    // The mean, to the ten-thousandth of a minute the unit keeps; meaningful
    // once accepted.
    double Latitude() const;
    double Longitude() const;

private:
    void StartSurvey();
    void Show();

    PositionSurvey *survey;
    int threshold;
    QDoubleSpinBox *minutes;
    QPushButton *startButton;
    QPushButton *useButton;
    QLabel *progress;
    QLabel *mean;
    // The time left moves on between fixes too.
    QTimer tick;
};

#endif // POSITIONSURVEYDIALOG_H
