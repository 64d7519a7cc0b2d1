#include "ui/positionsurveydialog.h"

#include "model/geoposition.h"
#include "status/positionsurvey.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {} // namespace

PositionSurveyDialog::PositionSurveyDialog(const UnitStatus *status, int thresholdMetres,
                                           QWidget *parent)
    : QDialog(parent), survey(new PositionSurvey(status, this)), threshold(thresholdMetres),
      minutes(new QDoubleSpinBox(this)), startButton(new QPushButton(tr("&Start"), this)),
      useButton(new QPushButton(tr("&Use as nominal position"), this)), progress(new QLabel(this)),
      mean(new QLabel(this))
{
    setWindowTitle(tr("Survey the nominal position"));
    minutes->setObjectName(QStringLiteral("spinSurveyMinutes"));
    minutes->setRange(0.1, 24 * 60);
    minutes->setDecimals(1);
    minutes->setValue(5.0);
    minutes->setSuffix(tr(" min"));
    startButton->setObjectName(QStringLiteral("buttonSurveyStart"));
    useButton->setObjectName(QStringLiteral("buttonSurveyUse"));
    progress->setObjectName(QStringLiteral("labelSurveyProgress"));
    mean->setObjectName(QStringLiteral("labelSurveyMean"));
    for (QLabel *label : {progress, mean})
        label->setWordWrap(true);

    auto *explanation = new QLabel(
        tr("The unit's own GPS fixes are averaged; the mean is offered when every fix was "
           "valid and their spread stays within the off-position threshold (%1 m). Nothing is "
           "sent to the unit.")
            .arg(thresholdMetres),
        this);
    explanation->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(tr("&Duration:"), minutes);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(startButton, QDialogButtonBox::ActionRole);
    buttons->addButton(useButton, QDialogButtonBox::AcceptRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(progress);
    layout->addWidget(mean);
    layout->addWidget(buttons);

    connect(startButton, &QPushButton::clicked, this, &PositionSurveyDialog::StartSurvey);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(survey, &PositionSurvey::Changed, this, &PositionSurveyDialog::Show);
    connect(&tick, &QTimer::timeout, this, &PositionSurveyDialog::Show);
    // Closing the box ends a survey under way; what it counted is not offered.
    connect(this, &QDialog::finished, survey, &PositionSurvey::Cancel);
    tick.setInterval(1000);
    Show();
}

void PositionSurveyDialog::StartSurvey()
{
    survey->Start(qint64(minutes->value() * 60000.0), threshold);
    tick.start();
}

void PositionSurveyDialog::Show()
{
    const PositionSurvey::State state = survey->CurrentState();
    const bool running = survey->IsRunning();
    if (!running)
        tick.stop();
    startButton->setEnabled(!running);
    minutes->setEnabled(!running);
    useButton->setEnabled(state == PositionSurvey::State::Done);
    if (state == PositionSurvey::State::Idle) {
        progress->setText(tr("Press Start when the unit shows a fix."));
        mean->clear();
        return;
    }
    progress->setText(running ? survey->ProgressText() : survey->ResultText());
    progress->setStyleSheet(
        state == PositionSurvey::State::Refused ? QStringLiteral("color: #d00000;") : QString());
    mean->setText(
        state == PositionSurvey::State::Done
            ? tr("Mean: %1, %2")
                  .arg(GeoPosition::LatitudeDm(Latitude()), GeoPosition::LongitudeDm(Longitude()))
            : QString());
}

double PositionSurveyDialog::Latitude() const
{
    return PositionSurvey::UnitResolution(survey->MeanLatitude());
}

double PositionSurveyDialog::Longitude() const
{
    return PositionSurvey::UnitResolution(survey->MeanLongitude());
}
