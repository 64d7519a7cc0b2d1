#ifndef LANTERNINTERFACETAB_H
#define LANTERNINTERFACETAB_H

#include "ui/atonconfiguration.h"

class LanternInterface;
class NumberBox;

namespace Ui {
class LanternInterfaceTab;
}

// Tab 1 of the main window: the eight lantern interface parameters of the
// model, shown in volts, seconds, amperes (or amperes per second) and lux.
// Steady on (both times 0) turns the current field from an on/off slew rate
// into an on current.  A number a field cannot take stays as typed, marked,
// and is not stored: the model keeps what it held, and InputProblems names it.
class LanternInterfaceTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // Threshold that checking the low-light error report puts in, in lux.
    static constexpr int DefaultLowLightLux = 30;

    explicit LanternInterfaceTab(Model *model, QWidget *parent = nullptr);
    ~LanternInterfaceTab() override;

    bool UpdateTabFromModel(Model *model) override;
    bool UpdateModelFromTab(Model *model) override;
    QStringList InputProblems() const override;
    // A refused number is never stored, so every one is unheld as well.
    QStringList UnheldInput() const override { return InputProblems(); }

public slots:
    // Reloads the widgets from the tab's own model after the unit answered a
    // parameter request.
    void onParameterGet();

private slots:
    void on_LimEnable_stateChanged(int state);
    void on_SteadyOn_stateChanged(int state);
    void on_MaxOnTime_valueChanged(double v);
    void on_MaxOffTime_valueChanged(double v);
    void on_MinVoltage_valueChanged(double v);
    void on_MaxVoltage_valueChanged(double v);
    void on_LanternSwitchSlewRate_valueChanged(double i);
    void on_HighGainSelect_toggled(bool state);
    void on_LowLightThreshold_valueChanged(double value);
    void on_checkBoxLowLightOffError_stateChanged(int);
    void on_LanternCurrentSense_toggled(bool checked);
    void on_LanternPhotoSense_toggled(bool checked);

private:
    LanternInterface *Lantern() const;
    // Announces the edit and stores the tab into its own model.
    void MarkEdited();
    // Stores the tab into its own model and announces the edit when that
    // changed the model (for the controls that have no value of their own).
    void StoreAndAnnounceChange();
    bool IsSteadyOn() const;
    // The current field's value for a stored limion under the given mode.
    static double CurrentFieldValue(int limion, bool steadyOn);
    static int LimionFromCurrentField(double value, bool steadyOn);
    void ShowGain(bool highGain);
    // After an edit of `box`, whose text gives `typed` in the model's unit:
    // a refused text is announced but not stored.  False when nothing is to
    // be stored.
    bool NumberEdited(const NumberBox *box, int typed, int stored);

    Ui::LanternInterfaceTab *ui;
};

#endif // LANTERNINTERFACETAB_H
