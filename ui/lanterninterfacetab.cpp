#include "lanterninterfacetab.h"
#include "ui_lanterninterfacetab.h"

#include "lim/lanterninterface.h"
#include "model/model.h"

LanternInterfaceTab::LanternInterfaceTab(Model *model, QWidget *parent)
    : AtoNConfiguration(model, parent), ui(new Ui::LanternInterfaceTab)
{
    ui->setupUi(this);
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
    ui->LowLightThreshold->setValue(LanternInterface::LuxFromThreshold(lantern->GetLimpthresh()));
    ui->MaxVoltage->setValue(LanternInterface::VoltsFromMillivolts(lantern->GetLimvmax()));
    ui->MinVoltage->setValue(LanternInterface::VoltsFromMillivolts(lantern->GetLimvmin()));
    ui->MaxOnTime->setValue(LanternInterface::SecondsFromMilliseconds(lantern->GetLimton()));
    ui->MaxOffTime->setValue(LanternInterface::SecondsFromMilliseconds(lantern->GetLimtoff()));
    ui->SteadyOn->setChecked(lantern->IsSteadyOn());
    ui->LanternSwitchSlewRate->setValue(CurrentFieldValue(lantern->GetLimion(), IsSteadyOn()));
    ShowGain(lantern->GetLimigain());
    updating = false;
    return true;
}

bool LanternInterfaceTab::UpdateModelFromTab(Model *target)
{
    LanternInterface *lantern = (target ? target : model)->GetLanternInterface();
    lantern->SetLimen(ui->LimEnable->isChecked());
    lantern->SetLimvmax(LanternInterface::MillivoltsFromVolts(ui->MaxVoltage->value()));
    lantern->SetLimvmin(LanternInterface::MillivoltsFromVolts(ui->MinVoltage->value()));
    if (IsSteadyOn()) {
        lantern->SetLimton(0);
        lantern->SetLimtoff(0);
    } else {
        lantern->SetLimton(LanternInterface::MillisecondsFromSeconds(ui->MaxOnTime->value()));
        lantern->SetLimtoff(LanternInterface::MillisecondsFromSeconds(ui->MaxOffTime->value()));
    }
    lantern->SetLimion(LimionFromCurrentField(ui->LanternSwitchSlewRate->value(), IsSteadyOn()));
    lantern->SetLimigain(ui->HighGainSelect->isChecked());
    if (ui->LanternPhotoSense->isChecked() && ui->checkBoxLowLightOffError->isChecked())
        lantern->SetLimpthresh(LanternInterface::ThresholdFromLux(ui->LowLightThreshold->value()));
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
        lantern->SetLimton(LanternInterface::MillisecondsFromSeconds(ui->MaxOnTime->value()));
        lantern->SetLimtoff(LanternInterface::MillisecondsFromSeconds(ui->MaxOffTime->value()));
    }
    ui->LanternSwitchSlewRate->setValue(CurrentFieldValue(lantern->GetLimion(), steadyOn));
    // A user's switch between steady and flashing changes the stored times;
    // say so, or the change would go unnoticed by the window.
    if (!updating && (lantern->GetLimton() != onTime || lantern->GetLimtoff() != offTime))
        emit Edited(this);
}

void LanternInterfaceTab::on_MaxOnTime_valueChanged(double v)
{
    if (updating)
        return;
    if (LanternInterface::MillisecondsFromSeconds(v) != Lantern()->GetLimton())
        MarkEdited();
}

void LanternInterfaceTab::on_MaxOffTime_valueChanged(double v)
{
    if (updating)
        return;
    if (LanternInterface::MillisecondsFromSeconds(v) != Lantern()->GetLimtoff())
        MarkEdited();
}

void LanternInterfaceTab::on_MinVoltage_valueChanged(double v)
{
    if (updating)
        return;
    const int millivolts = LanternInterface::MillivoltsFromVolts(v);
    if (millivolts > Lantern()->GetLimvmax())
        ui->MaxVoltage->setValue(v);
    if (millivolts != Lantern()->GetLimvmin())
        MarkEdited();
}

void LanternInterfaceTab::on_MaxVoltage_valueChanged(double v)
{
    if (updating)
        return;
    const int millivolts = LanternInterface::MillivoltsFromVolts(v);
    if (millivolts < Lantern()->GetLimvmin())
        ui->MinVoltage->setValue(v);
    if (millivolts != Lantern()->GetLimvmax())
        MarkEdited();
}

void LanternInterfaceTab::on_LanternSwitchSlewRate_valueChanged(double i)
{
    if (updating)
        return;
    if (LimionFromCurrentField(i, IsSteadyOn()) != Lantern()->GetLimion())
        MarkEdited();
}

void LanternInterfaceTab::on_HighGainSelect_toggled(bool state)
{
    if (updating)
        return;
    if (state != Lantern()->GetLimigain())
        MarkEdited();
}

void LanternInterfaceTab::on_LowLightThreshold_valueChanged(int value)
{
    if (updating)
        return;
    if (LanternInterface::ThresholdFromLux(value) == Lantern()->GetLimpthresh())
        return;
    if (value == 0) {
        // No threshold means no low-light reporting; the check box's slot stores.
        emit Edited(this);
        ui->checkBoxLowLightOffError->setChecked(false);
        return;
    }
    MarkEdited();
}

void LanternInterfaceTab::on_checkBoxLowLightOffError_stateChanged(int state)
{
    if (state == Qt::Checked)
        ui->LowLightThreshold->setValue(DefaultLowLightLux);
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
    ui->MinVoltage->setValue(LanternInterface::VoltsFromMillivolts(minimum));
    ui->MaxVoltage->setValue(LanternInterface::VoltsFromMillivolts(maximum));
    ui->MaxOnTime->setValue(LanternInterface::SecondsFromMilliseconds(onTime));
    ui->MaxOffTime->setValue(LanternInterface::SecondsFromMilliseconds(offTime));
    // The mode goes before the current field: loaded under the other mode the
    // field's value would be read back in the wrong unit and stored as such.
    ui->SteadyOn->setChecked(steadyOn);
    ui->LanternSwitchSlewRate->setValue(CurrentFieldValue(limion, steadyOn));
    ShowGain(highGain);
    ui->LowLightThreshold->setValue(LanternInterface::LuxFromThreshold(threshold));
}
