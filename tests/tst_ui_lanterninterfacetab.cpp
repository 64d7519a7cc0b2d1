#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"
#include "model/model.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

// The lantern interface tab on the application's edit model: what the user
// types in volts, seconds, amperes and lux, and what the model then holds.
class TestLanternInterfaceTab : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void freshTab();
    void steadyOnAndFlashingLoad();
    void voltageTypedIsStored();
    void voltagePull();
    void lowLightThreshold();
    void thresholdZeroSwitchesReportOff();
    void senseGroupRule();
    void photoSenseGatesThreshold();
    void enableHidesGroupsButKeepsValues();
    void loadKeepsValuesUntilNextEdit();
    void steadyOnSwitchByUser();
    void timesAndGain();
    void parameterGet();

private:
    template <typename T> T *Find(const char *name) const
    {
        T *widget = tab->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void TypeOver(QWidget *widget, const QString &text);
    LanternInterface *Lantern() const { return model->GetLanternInterface(); }
    // Loads a record into the tab the way the window does after a retrieval.
    void Load(int vmin, int vmax, int ton, int toff, int ion, bool gain, int thresh);

    Model *model = nullptr;
    LanternInterfaceTab *tab = nullptr;
    QSignalSpy *edited = nullptr;
};

void TestLanternInterfaceTab::init()
{
    model = VandrelApplication::instance()->EditModel();
    model->Reset();
    tab = new LanternInterfaceTab(model);
    edited = new QSignalSpy(tab, &AtoNConfiguration::Edited);
    tab->show();
    tab->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tab));
}

void TestLanternInterfaceTab::cleanup()
{
    delete edited;
    delete tab;
    edited = nullptr;
    tab = nullptr;
}

void TestLanternInterfaceTab::TypeOver(QWidget *widget, const QString &text)
{
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, text);
}

void TestLanternInterfaceTab::Load(int vmin, int vmax, int ton, int toff, int ion, bool gain,
                                   int thresh)
{
    Model source;
    LanternInterface *lantern = source.GetLanternInterface();
    lantern->SetLimen(true);
    lantern->SetLimvmin(vmin);
    lantern->SetLimvmax(vmax);
    lantern->SetLimton(ton);
    lantern->SetLimtoff(toff);
    lantern->SetLimion(ion);
    lantern->SetLimigain(gain);
    lantern->SetLimpthresh(thresh);
    tab->UpdateTabFromModel(&source);
}

void TestLanternInterfaceTab::freshTab()
{
    QCOMPARE(tab->windowTitle(), QStringLiteral("Form"));
    QVERIFY(!Find<QCheckBox>("LimEnable")->isChecked());
    for (const char *group : {"LanternTiming", "LanternVoltage", "LanternSense"})
        QVERIFY(Find<QGroupBox>(group)->isHidden());
    // A fresh record is steady on (both times 0).
    QVERIFY(Find<QCheckBox>("SteadyOn")->isChecked());
    QCOMPARE(Find<QLabel>("CurrentSenseLabel")->text(), QStringLiteral("On current: "));
    QVERIFY(Find<QRadioButton>("LowGainSelect")->isChecked());
    QVERIFY(Find<QGroupBox>("LanternPhotoSense")->isChecked());
    QVERIFY(!Find<QGroupBox>("LanternCurrentSense")->isChecked());
    QCOMPARE(Find<QDoubleSpinBox>("MaxVoltage")->maximum(), 33.0);
    QCOMPARE(Find<QDoubleSpinBox>("MaxOnTime")->maximum(), 30.0);
    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->decimals(), 2);
    QCOMPARE(Find<QSpinBox>("LowLightThreshold")->maximum(), 400);
    QCOMPARE(Find<QSpinBox>("LowLightThreshold")->suffix(), QStringLiteral(" lux"));
    QCOMPARE(edited->count(), 0);
    LanternInterface fresh;
    QVERIFY(*Lantern() == fresh);
}

void TestLanternInterfaceTab::steadyOnAndFlashingLoad()
{
    Load(0, 0, 0, 0, 250, true, 0);
    auto *rate = Find<QDoubleSpinBox>("LanternSwitchSlewRate");
    QVERIFY(Find<QCheckBox>("SteadyOn")->isChecked());
    QVERIFY(!Find<QDoubleSpinBox>("MaxOnTime")->isEnabled());
    QVERIFY(!Find<QDoubleSpinBox>("MaxOffTime")->isEnabled());
    QCOMPARE(Find<QLabel>("CurrentSenseLabel")->text(), QStringLiteral("On current: "));
    QCOMPARE(rate->value(), 0.5);
    QCOMPARE(rate->suffix(), QStringLiteral(" A"));
    QVERIFY(Find<QRadioButton>("HighGainSelect")->isChecked());

    Load(0, 0, 2000, 0, 250, false, 0);
    QVERIFY(!Find<QCheckBox>("SteadyOn")->isChecked());
    QVERIFY(Find<QDoubleSpinBox>("MaxOnTime")->isEnabled());
    QCOMPARE(Find<QDoubleSpinBox>("MaxOnTime")->value(), 2.0);
    QCOMPARE(Find<QLabel>("CurrentSenseLabel")->text(), QStringLiteral("On/Off slew rate: "));
    QCOMPARE(rate->value(), 5.0);
    QCOMPARE(rate->suffix(), QStringLiteral(" A/s"));
    QVERIFY(Find<QRadioButton>("LowGainSelect")->isChecked());
    QCOMPARE(Lantern()->GetLimion(), 250);
    QCOMPARE(Lantern()->GetLimton(), 2000);
    QCOMPARE(edited->count(), 0);

    // Typed in the flashing unit: 7.5 A/s is 375 steps of 20 mA/s.
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    TypeOver(rate, QStringLiteral("7.5"));
    QCOMPARE(Lantern()->GetLimion(), 375);
    QVERIFY(edited->count() >= 1);
}

void TestLanternInterfaceTab::voltageTypedIsStored()
{
    Find<QCheckBox>("LimEnable")->click();
    QVERIFY(Lantern()->GetLimen());
    QCOMPARE(edited->count(), 1);
    auto *maximum = Find<QDoubleSpinBox>("MaxVoltage");
    QVERIFY(maximum->isVisible());
    TypeOver(maximum, QStringLiteral("32.3"));
    QTest::keyClick(maximum, Qt::Key_Return);
    // The double product lies just below 32300.
    QCOMPARE(Lantern()->GetLimvmax(), 32299);
    TypeOver(maximum, QStringLiteral("40"));
    QTest::keyClick(maximum, Qt::Key_Return);
    QVERIFY(maximum->value() <= 33.0);
    QCOMPARE(Lantern()->GetLimvmax(), int(maximum->value() * 1000));
}

void TestLanternInterfaceTab::voltagePull()
{
    Load(10000, 12000, 0, 0, 0, true, 0);
    auto *minimum = Find<QDoubleSpinBox>("MinVoltage");
    auto *maximum = Find<QDoubleSpinBox>("MaxVoltage");
    TypeOver(minimum, QStringLiteral("13"));
    QTest::keyClick(minimum, Qt::Key_Tab);
    QCOMPARE(maximum->value(), 13.0);
    QCOMPARE(Lantern()->GetLimvmin(), 13000);
    QCOMPARE(Lantern()->GetLimvmax(), 13000);
    QVERIFY(edited->count() >= 1);

    TypeOver(maximum, QStringLiteral("9.5"));
    // The voltages take their value when the typing is done, not at every
    // digit (else typing 24 would pull the minimum down to 2 on the way).
    QCOMPARE(minimum->value(), 13.0);
    QTest::keyClick(maximum, Qt::Key_Return);
    QCOMPARE(minimum->value(), 9.5);
    QCOMPARE(Lantern()->GetLimvmin(), 9500);
    QCOMPARE(Lantern()->GetLimvmax(), 9500);

    // Within the range nothing is pulled.
    TypeOver(maximum, QStringLiteral("24"));
    QTest::keyClick(maximum, Qt::Key_Return);
    QCOMPARE(minimum->value(), 9.5);
    QCOMPARE(Lantern()->GetLimvmax(), 24000);
}

void TestLanternInterfaceTab::lowLightThreshold()
{
    Load(0, 0, 0, 0, 0, true, 0);
    auto *report = Find<QCheckBox>("checkBoxLowLightOffError");
    auto *lux = Find<QSpinBox>("LowLightThreshold");
    QVERIFY(!report->isChecked());
    QCOMPARE(lux->value(), 0);

    QTest::mouseClick(report, Qt::LeftButton, {}, QPoint(8, report->height() / 2));
    QVERIFY(report->isChecked());
    QVERIFY(lux->isEnabled());
    QCOMPARE(lux->value(), 30);
    QCOMPARE(Lantern()->GetLimpthresh(), 247);
    QVERIFY(edited->count() >= 1);

    // 247 shows again as 30 lux.
    Model copy;
    copy = *model;
    tab->UpdateTabFromModel(&copy);
    QCOMPARE(lux->value(), 30);
    QVERIFY(report->isChecked());

    TypeOver(lux, QStringLiteral("120"));
    QCOMPARE(Lantern()->GetLimpthresh(), 999);

    // Unchecking the report stores no threshold, and says so.
    const int before = edited->count();
    report->click();
    QVERIFY(!lux->isEnabled());
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    QCOMPARE(edited->count(), before + 1);
}

void TestLanternInterfaceTab::thresholdZeroSwitchesReportOff()
{
    Load(0, 0, 0, 0, 0, true, 247);
    auto *report = Find<QCheckBox>("checkBoxLowLightOffError");
    auto *lux = Find<QSpinBox>("LowLightThreshold");
    QVERIFY(report->isChecked());
    TypeOver(lux, QStringLiteral("0"));
    QVERIFY(!report->isChecked());
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    QVERIFY(edited->count() >= 1);
}

void TestLanternInterfaceTab::senseGroupRule()
{
    auto *current = Find<QGroupBox>("LanternCurrentSense");
    auto *photo = Find<QGroupBox>("LanternPhotoSense");
    QVERIFY(!current->isChecked());
    photo->setChecked(false);
    QVERIFY(current->isChecked());
    current->setChecked(false);
    QVERIFY(photo->isChecked());
    current->setChecked(true);
    photo->setChecked(false);
    QVERIFY(current->isChecked());
    QVERIFY(!photo->isChecked());
}

void TestLanternInterfaceTab::photoSenseGatesThreshold()
{
    Load(0, 0, 0, 0, 0, true, 247);
    auto *photo = Find<QGroupBox>("LanternPhotoSense");
    photo->setChecked(false);
    // Stored at once: no threshold without photo sense, whatever the field shows.
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    QCOMPARE(Find<QSpinBox>("LowLightThreshold")->value(), 30);
    QVERIFY(edited->count() >= 1);
    TypeOver(Find<QDoubleSpinBox>("MinVoltage"), QStringLiteral("6"));
    QTest::keyClick(Find<QDoubleSpinBox>("MinVoltage"), Qt::Key_Return);
    QCOMPARE(Lantern()->GetLimvmin(), 6000);
    QCOMPARE(Lantern()->GetLimpthresh(), 0);

    Model copy;
    copy = *model;
    tab->UpdateTabFromModel(&copy);
    QVERIFY(!Find<QCheckBox>("checkBoxLowLightOffError")->isChecked());
}

void TestLanternInterfaceTab::enableHidesGroupsButKeepsValues()
{
    Load(11000, 14000, 500, 1500, 100, false, 0);
    for (const char *group : {"LanternTiming", "LanternVoltage", "LanternSense"})
        QVERIFY(Find<QGroupBox>(group)->isVisible());
    Find<QCheckBox>("LimEnable")->click();
    for (const char *group : {"LanternTiming", "LanternVoltage", "LanternSense"})
        QVERIFY(!Find<QGroupBox>(group)->isVisible());
    QVERIFY(!Lantern()->GetLimen());
    QCOMPARE(Lantern()->GetLimvmin(), 11000);
    QCOMPARE(Lantern()->GetLimvmax(), 14000);
    QCOMPARE(Lantern()->GetLimton(), 500);
    QCOMPARE(Lantern()->GetLimtoff(), 1500);
    QCOMPARE(Lantern()->GetLimion(), 100);
}

void TestLanternInterfaceTab::loadKeepsValuesUntilNextEdit()
{
    Load(0, 12345, 0, 0, 0, true, 0);
    QCOMPARE(Find<QDoubleSpinBox>("MaxVoltage")->value(), 12.3);
    QCOMPARE(Lantern()->GetLimvmax(), 12345);
    QCOMPARE(edited->count(), 0);
    // The current fields are usable only with current sense checked.
    QVERIFY(!Find<QRadioButton>("LowGainSelect")->isEnabled());
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    QCOMPARE(edited->count(), 0);
    Find<QRadioButton>("LowGainSelect")->click();
    QVERIFY(!Lantern()->GetLimigain());
    QCOMPARE(Lantern()->GetLimvmax(), 12300);
    QCOMPARE(edited->count(), 1);
}

void TestLanternInterfaceTab::steadyOnSwitchByUser()
{
    Load(0, 0, 1000, 2000, 250, true, 0);
    auto *steady = Find<QCheckBox>("SteadyOn");
    QVERIFY(!steady->isChecked());
    steady->click();
    QCOMPARE(Lantern()->GetLimton(), 0);
    QCOMPARE(Lantern()->GetLimtoff(), 0);
    QCOMPARE(Lantern()->GetLimion(), 250);
    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->value(), 0.5);
    // The times changed, and the window is told.
    QVERIFY(edited->count() >= 1);

    steady->click();
    QCOMPARE(Lantern()->GetLimton(), 1000);
    QCOMPARE(Lantern()->GetLimtoff(), 2000);
    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->value(), 5.0);
}

void TestLanternInterfaceTab::timesAndGain()
{
    Load(0, 0, 1000, 1000, 0, true, 0);
    TypeOver(Find<QDoubleSpinBox>("MaxOnTime"), QStringLiteral("2.5"));
    QCOMPARE(Lantern()->GetLimton(), 2500);
    TypeOver(Find<QDoubleSpinBox>("MaxOffTime"), QStringLiteral("0.7"));
    QCOMPARE(Lantern()->GetLimtoff(), 700);
    const int before = edited->count();
    QVERIFY(before >= 2);
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    Find<QRadioButton>("LowGainSelect")->click();
    QVERIFY(!Lantern()->GetLimigain());
    QCOMPARE(edited->count(), before + 1);
    Find<QRadioButton>("HighGainSelect")->click();
    QVERIFY(Lantern()->GetLimigain());
}

void TestLanternInterfaceTab::parameterGet()
{
    // The widgets are flashing; the unit's answers then make the record steady.
    Load(0, 0, 1000, 1000, 100, true, 0);
    LanternInterface *lantern = Lantern();
    lantern->SetLimton(0);
    lantern->SetLimtoff(0);
    lantern->SetLimion(250);
    lantern->SetLimvmin(10500);
    lantern->SetLimvmax(14000);
    lantern->SetLimigain(false);
    lantern->SetLimpthresh(247);
    tab->onParameterGet();

    QVERIFY(Find<QCheckBox>("SteadyOn")->isChecked());
    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->value(), 0.5);
    QCOMPARE(Find<QDoubleSpinBox>("MinVoltage")->value(), 10.5);
    QCOMPARE(Find<QDoubleSpinBox>("MaxVoltage")->value(), 14.0);
    QVERIFY(Find<QRadioButton>("LowGainSelect")->isChecked());
    QCOMPARE(Find<QSpinBox>("LowLightThreshold")->value(), 30);
    QCOMPARE(lantern->GetLimion(), 250);
    QCOMPARE(lantern->GetLimton(), 0);
    QCOMPARE(lantern->GetLimvmin(), 10500);
    QCOMPARE(lantern->GetLimvmax(), 14000);
    QVERIFY(!lantern->GetLimigain());
    // The report check box is not touched by a parameter reload.
    QVERIFY(!Find<QCheckBox>("checkBoxLowLightOffError")->isChecked());

    // A value the widget rounds is stored rounded, every other value intact.
    lantern->SetLimvmin(10550);
    lantern->SetLimton(1234);
    lantern->SetLimtoff(800);
    lantern->SetLimion(100);
    tab->onParameterGet();
    QCOMPARE(lantern->GetLimvmin(), 10600);
    QCOMPARE(lantern->GetLimvmax(), 14000);
    QCOMPARE(lantern->GetLimton(), 1200);
    QCOMPARE(lantern->GetLimtoff(), 800);
    QCOMPARE(lantern->GetLimion(), 100);
    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->value(), 2.0);
}

VANDREL_UI_TEST_MAIN(TestLanternInterfaceTab)
#include "tst_ui_lanterninterfacetab.moc"
