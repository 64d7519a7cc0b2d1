#ifndef POSITIONSURVEYBUTTON_H
#define POSITIONSURVEYBUTTON_H

#include <QPushButton>

#include <functional>

class UnitStatus;

// The AtoN tab's way to a surveyed nominal position: opens the survey of
// the docked unit's own fixes, and hands on the mean the engineer accepts.
class PositionSurveyButton : public QPushButton
{
    Q_OBJECT

public:
    // threshold gives the off-position threshold in metres as the document
    // holds it when the survey opens.
    PositionSurveyButton(std::function<int()> threshold, QWidget *parent = nullptr);

    // The status of the unit on the line; null: none, and no survey.
    void SetUnitStatus(const UnitStatus *status);

signals:
    void Accepted(double latitude, double longitude);

private:
    void OpenSurvey();

    std::function<int()> threshold;
    const UnitStatus *unitStatus = nullptr;
};

#endif // POSITIONSURVEYBUTTON_H
