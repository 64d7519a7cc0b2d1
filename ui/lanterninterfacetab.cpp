#include "lanterninterfacetab.h"
#include "ui_lanterninterfacetab.h"

#include "lim/lanterninterface.h"
#include "model/model.h"

#include <QLabel>

namespace {

// A field that cannot take its text leaves the value stored before.
int Taken(const NumberBox *box, int typed, int stored)
{
    return box->Problem().isEmpty() ? typed : stored;
}

int Milliseconds(const NumberBox *box, int stored)
{
    return Taken(box, LanternInterface::MillisecondsFromSeconds(box->value()), stored);
}

} // namespace

LanternInterfaceTab::LanternInterfaceTab(Model *model, QWidget *parent)
    : AtoNConfiguration(model, parent), ui(new Ui::LanternInterfaceTab)
{
    ui->setupUi(this);
    ui->MaxOnTime->SetUsualRange(0, 30);
    ui->MaxOffTime->SetUsualRange(0, 30);
    ui->MinVoltage->SetUsualRange(0, 33);
    ui->MaxVoltage->SetUsualRange(0, 33);
    ui->LanternSwitchSlewRate->SetUsualRange(0, 50);
    ui->LowLightThreshold->SetUsualRange(0, 400);
    // A number is taken when the typing is done: on the way, "2,5" typed in
    // English would store the 2 before the comma is refused.
    for (NumberBox *box : {ui->MaxOnTime, ui->MaxOffTime, ui->MinVoltage, ui->MaxVoltage,
                           ui->LanternSwitchSlewRate, ui->LowLightThreshold})
        box->setKeyboardTracking(false);
    // Why a typed number is not taken, beside its field.
    ui->gridLayoutTiming->addWidget(ui->MaxOnTime->ProblemLabel(), 1, 2);
    ui->gridLayoutTiming->addWidget(ui->MaxOffTime->ProblemLabel(), 2, 2);
    ui->gridLayoutVoltage->addWidget(ui->MinVoltage->ProblemLabel(), 0, 2);
    ui->gridLayoutVoltage->addWidget(ui->MaxVoltage->ProblemLabel(), 1, 2);
    ui->horizontalLayoutSlewRate->insertWidget(2, ui->LanternSwitchSlewRate->ProblemLabel());
    ui->horizontalLayoutThreshold->insertWidget(2, ui->LowLightThreshold->ProblemLabel());
    const bool enabled = ui->LimEnable->isChecked();
    ui->LanternTiming->setVisible(enabled);
    ui->LanternVoltage->setVisible(enabled);
    ui->LanternSense->setVisible(enabled);
    updating = false;
    UpdateTabFromModel(nullptr);
}

LanternInterfaceTab::~LanternInterfaceTab()
{
    DisconnectChildren();
    delete ui;
}

LanternInterface *LanternInterfaceTab::Lantern() const
{
    return model->GetLanternInterface();
}

bool LanternInterfaceTab::IsSteadyOn() const
{
    return ui->SteadyOn->isChecked();
}

double LanternInterfaceTab::CurrentFieldValue(int limion, bool steadyOn)
{
    return steadyOn ? LanternInterface::AmperesFromOnCurrent(limion)
                    : LanternInterface::AmperesPerSecondFromSlewRate(limion);
}

int LanternInterfaceTab::LimionFromCurrentField(double value, bool steadyOn)
{
    return steadyOn ? LanternInterface::OnCurrentFromAmperes(value)
                    : LanternInterface::SlewRateFromAmperesPerSecond(value);
}

void LanternInterfaceTab::ShowGain(bool highGain)
{
    // The two buttons are exclusive; unchecking one does not check the other.
    if (highGain)
        ui->HighGainSelect->setChecked(true);
    else
        ui->LowGainSelect->setChecked(true);
}

bool LanternInterfaceTab::NumberEdited(const NumberBox *box, int typed, int stored)
{
    if (updating)
        return false;
    if (!box->Problem().isEmpty()) {
        emit Edited(this);
        return false;
    }
    if (typed != stored)
        MarkEdited();
    return true;
}

QStringList LanternInterfaceTab::InputProblems() const
{
    // A disabled field is not stored (steady on has no times, the threshold
    // goes only with photo sense and the report).
    const QPair<const NumberBox *, QString> numbers[] = {
        {ui->MaxOnTime, ui->label_5->text()},
        {ui->MaxOffTime, ui->label_7->text()},
        {ui->MinVoltage, tr("%1, %2").arg(ui->LanternVoltage->title(), ui->label_1->text())},
        {ui->MaxVoltage, tr("%1, %2").arg(ui->LanternVoltage->title(), ui->label_3->text())},
        {ui->LanternSwitchSlewRate, ui->CurrentSenseLabel->text().trimmed()},
        {ui->LowLightThreshold, ui->label->text().trimmed()}};
    QStringList lines;
    for (const auto &number : numbers) {
        const QString problem =
            number.first->isEnabledTo(this) ? number.first->Problem() : QString();
        if (!problem.isEmpty())
            lines.append(tr("%1 %2").arg(number.second, problem));
    }
    return lines;
}

void LanternInterfaceTab::MarkEdited()
{
    emit Edited(this);
    UpdateModelFromTab(nullptr);
}

void LanternInterfaceTab::StoreAndAnnounceChange()
{
    LanternInterface before;
    before = *Lantern();
    UpdateModelFromTab(nullptr);
    if (*Lantern() != before)
        emit Edited(this);
}

bool LanternInterfaceTab::UpdateTabFromModel(Model *source)
{
    if (source)
        *Lantern() = *source->GetLanternInterface();
    const LanternInterface *lantern = Lantern();

    updating = true;
    ui->LimEnable->setChecked(lantern->GetLimen());
    ui->checkBoxLowLightOffError->setChecked(lantern->GetLimpthresh() > 0);
    ui->LowLightThreshold->Load(LanternInterface::LuxFromThreshold(lantern->GetLimpthresh()));
    ui->MaxVoltage->Load(LanternInterface::VoltsFromMillivolts(lantern->GetLimvmax()));
    ui->MinVoltage->Load(LanternInterface::VoltsFromMillivolts(lantern->GetLimvmin()));
    ui->MaxOnTime->Load(LanternInterface::SecondsFromMilliseconds(lantern->GetLimton()));
    ui->MaxOffTime->Load(LanternInterface::SecondsFromMilliseconds(lantern->GetLimtoff()));
    ui->SteadyOn->setChecked(lantern->IsSteadyOn());
    ui->LanternSwitchSlewRate->Load(CurrentFieldValue(lantern->GetLimion(), IsSteadyOn()));
    ShowGain(lantern->GetLimigain());
    updating = false;
    return true;
}

bool LanternInterfaceTab::UpdateModelFromTab(Model *target)
{
    LanternInterface *lantern = (target ? target : model)->GetLanternInterface();
    const LanternInterface *own = Lantern();
    const auto millivolts = [](const NumberBox *box, int stored) {
        return Taken(box, LanternInterface::MillivoltsFromVolts(box->value()), stored);
    };
    lantern->SetLimen(ui->LimEnable->isChecked());
    lantern->SetLimvmax(millivolts(ui->MaxVoltage, own->GetLimvmax()));
    lantern->SetLimvmin(millivolts(ui->MinVoltage, own->GetLimvmin()));
    if (IsSteadyOn()) {
        lantern->SetLimton(0);
        lantern->SetLimtoff(0);
    } else {
        lantern->SetLimton(Milliseconds(ui->MaxOnTime, own->GetLimton()));
        lantern->SetLimtoff(Milliseconds(ui->MaxOffTime, own->GetLimtoff()));
    }
    lantern->SetLimion(
        Taken(ui->LanternSwitchSlewRate,
              LimionFromCurrentField(ui->LanternSwitchSlewRate->value(), IsSteadyOn()),
              own->GetLimion()));
    lantern->SetLimigain(ui->HighGainSelect->isChecked());
    if (ui->LanternPhotoSense->isChecked() && ui->checkBoxLowLightOffError->isChecked())
        lantern->SetLimpthresh(
            Taken(ui->LowLightThreshold,
                  LanternInterface::ThresholdFromLux(ui->LowLightThreshold->value()),
                  own->GetLimpthresh()));
    else
        lantern->SetLimpthresh(0);
    return true;
}

void LanternInterfaceTab::on_LimEnable_stateChanged(int state)
{
    if (updating)
        return;
    if ((state != 0) != Lantern()->GetLimen())
        MarkEdited();
}

void LanternInterfaceTab::on_SteadyOn_stateChanged(int state)
{
    // Runs while loading too: the label, the unit and the value of the current
    // field follow the mode.
    LanternInterface *lantern = Lantern();
    const int onTime = lantern->GetLimton();
    const int offTime = lantern->GetLimtoff();
    const bool steadyOn = state == Qt::Checked;
    if (steadyOn) {
        ui->CurrentSenseLabel->setText(tr("On current: "));
        ui->LanternSwitchSlewRate->setSuffix(tr(" A"));
        lantern->SetLimton(0);
        lantern->SetLimtoff(0);
    } else {
        ui->CurrentSenseLabel->setText(tr("On/Off slew rate: "));
        ui->LanternSwitchSlewRate->setSuffix(tr(" A/s"));
        lantern->SetLimton(Milliseconds(ui->MaxOnTime, onTime));
        lantern->SetLimtoff(Milliseconds(ui->MaxOffTime, offTime));
    }
    ui->LanternSwitchSlewRate->Load(CurrentFieldValue(lantern->GetLimion(), steadyOn));
    // A user's switch between steady and flashing changes the stored times;
    // say so, or the change would go unnoticed by the window.
    if (!updating && (lantern->GetLimton() != onTime || lantern->GetLimtoff() != offTime))
        emit Edited(this);
}

void LanternInterfaceTab::on_MaxOnTime_valueChanged(double v)
{
    NumberEdited(ui->MaxOnTime, LanternInterface::MillisecondsFromSeconds(v),
                 Lantern()->GetLimton());
}

void LanternInterfaceTab::on_MaxOffTime_valueChanged(double v)
{
    NumberEdited(ui->MaxOffTime, LanternInterface::MillisecondsFromSeconds(v),
                 Lantern()->GetLimtoff());
}

void LanternInterfaceTab::on_MinVoltage_valueChanged(double v)
{
    const int millivolts = LanternInterface::MillivoltsFromVolts(v);
    // The maximum follows before the store, which takes both.
    if (!updating && ui->MinVoltage->Problem().isEmpty() && millivolts > Lantern()->GetLimvmax())
        ui->MaxVoltage->Load(v);
    NumberEdited(ui->MinVoltage, millivolts, Lantern()->GetLimvmin());
}

void LanternInterfaceTab::on_MaxVoltage_valueChanged(double v)
{
    const int millivolts = LanternInterface::MillivoltsFromVolts(v);
    if (!updating && ui->MaxVoltage->Problem().isEmpty() && millivolts < Lantern()->GetLimvmin())
        ui->MinVoltage->Load(v);
    NumberEdited(ui->MaxVoltage, millivolts, Lantern()->GetLimvmax());
}

void LanternInterfaceTab::on_LanternSwitchSlewRate_valueChanged(double i)
{
    NumberEdited(ui->LanternSwitchSlewRate, LimionFromCurrentField(i, IsSteadyOn()),
                 Lantern()->GetLimion());
}

void LanternInterfaceTab::on_HighGainSelect_toggled(bool state)
{
    if (updating)
        return;
    if (state != Lantern()->GetLimigain())
        MarkEdited();
}

void LanternInterfaceTab::on_LowLightThreshold_valueChanged(double value)
{
    if (updating)
        return;
    const int threshold = LanternInterface::ThresholdFromLux(value);
    if (ui->LowLightThreshold->Problem().isEmpty() && threshold == 0 &&
        threshold != Lantern()->GetLimpthresh()) {
        // No threshold means no low-light reporting; the check box's slot stores.
        emit Edited(this);
        ui->checkBoxLowLightOffError->setChecked(false);
        return;
    }
    NumberEdited(ui->LowLightThreshold, threshold, Lantern()->GetLimpthresh());
}

void LanternInterfaceTab::on_checkBoxLowLightOffError_stateChanged(int state)
{
    if (state == Qt::Checked)
        ui->LowLightThreshold->Load(DefaultLowLightLux);
    if (!updating)
        StoreAndAnnounceChange();
}

void LanternInterfaceTab::on_LanternCurrentSense_toggled(bool checked)
{
    // At least one of the two sense groups stays checked.
    if (!checked && !ui->LanternPhotoSense->isChecked())
        ui->LanternPhotoSense->setChecked(true);
}

void LanternInterfaceTab::on_LanternPhotoSense_toggled(bool checked)
{
    if (!checked && !ui->LanternCurrentSense->isChecked())
        ui->LanternCurrentSense->setChecked(true);
    // Photo sense gates the stored threshold.
    if (!updating)
        StoreAndAnnounceChange();
}

void LanternInterfaceTab::onParameterGet()
{
    // No `updating` here: each change runs its edit slot, which finds the
    // model equal and marks nothing unless the widget had to round the value.
    // Such a store writes every widget, so the values are taken first.
    const LanternInterface *lantern = Lantern();
    const bool steadyOn = lantern->IsSteadyOn();
    const int limion = lantern->GetLimion();
    const bool highGain = lantern->GetLimigain();
    const int threshold = lantern->GetLimpthresh();
    const int onTime = lantern->GetLimton();
    const int offTime = lantern->GetLimtoff();
    const int minimum = lantern->GetLimvmin();
    const int maximum = lantern->GetLimvmax();

    ui->LimEnable->setChecked(lantern->GetLimen());
    ui->MinVoltage->Load(LanternInterface::VoltsFromMillivolts(minimum));
    ui->MaxVoltage->Load(LanternInterface::VoltsFromMillivolts(maximum));
    ui->MaxOnTime->Load(LanternInterface::SecondsFromMilliseconds(onTime));
    ui->MaxOffTime->Load(LanternInterface::SecondsFromMilliseconds(offTime));
    // The mode goes before the current field: loaded under the other mode the
    // field's value would be read back in the wrong unit and stored as such.
    ui->SteadyOn->setChecked(steadyOn);
    ui->LanternSwitchSlewRate->Load(CurrentFieldValue(limion, steadyOn));
    ShowGain(highGain);
    ui->LowLightThreshold->Load(LanternInterface::LuxFromThreshold(threshold));
}
