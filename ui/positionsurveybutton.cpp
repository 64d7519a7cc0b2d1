#include "positionsurveybutton.h"

#include "positionsurveydialog.h"

PositionSurveyButton::PositionSurveyButton(std::function<int()> threshold, QWidget *parent)
    : QPushButton(tr("S&urvey..."), parent), threshold(std::move(threshold))
{
    setObjectName(QStringLiteral("pushButtonSurvey"));
    setToolTip(tr("Average the unit's own GPS fixes into the nominal position"));
    setEnabled(false);
    connect(this, &QPushButton::clicked, this, &PositionSurveyButton::OpenSurvey);
}

void PositionSurveyButton::SetUnitStatus(const UnitStatus *status)
{
    unitStatus = status;
    setEnabled(status != nullptr);
}

void PositionSurveyButton::OpenSurvey()
{
    if (!unitStatus)
        return;
    auto *dialog = new PositionSurveyDialog(unitStatus, threshold(), window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { emit Accepted(dialog->Latitude(), dialog->Longitude()); });
    dialog->open();
}
