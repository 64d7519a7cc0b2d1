#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

// The lantern interface tab on the application's edit model: what the user
// types in volts, seconds, amperes and lux, and what the model then holds.
class TestLanternInterfaceTab : public QObject, TabUnderTest<LanternInterfaceTab>
{
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }
    void enableShowsGroups();
    void loadShows_data();
    void loadShows();
    void typedIsStored_data();
    void typedIsStored();
    void voltagePull();
    void lowLightThreshold();
    void senseGroups();
    void loadKeepsValuesUntilNextEdit();
    void parameterGet();

private:
    LanternInterface *Lantern() const { return model->GetLanternInterface(); }
    // Loads an enabled record into the tab as the window does after a retrieval.
    void Load(int vmin, int vmax, int ton, int toff, int ion, bool gain, int thresh)
    {
        Model source;
        const int values[] = {1, vmin, vmax, ton, toff, ion, gain, thresh};
        for (int index = LanternInterface::Limen; index <= LanternInterface::Limpthresh; ++index)
            source.GetLanternInterface()->SetParameterValue(index, values[index]);
        tab->UpdateTabFromModel(&source);
    }
};

void TestLanternInterfaceTab::enableShowsGroups()
{
    // A fresh record: disabled and steady on (both times 0).
    QVERIFY(Find<QCheckBox>("SteadyOn")->isChecked());
    QVERIFY(Find<QGroupBox>("LanternTiming")->isHidden());
    Load(11000, 14000, 500, 1500, 100, false, 0);
    QVERIFY(Find<QGroupBox>("LanternTiming")->isVisible());
    Find<QCheckBox>("LimEnable")->click();
    for (const char *group : {"LanternTiming", "LanternVoltage", "LanternSense"})
        QVERIFY(!Find<QGroupBox>(group)->isVisible());
    QCOMPARE(edited->count(), 1);
    QVERIFY(!Lantern()->GetLimen());
    // The hidden values stay.
    QCOMPARE(Lantern()->GetLimvmax(), 14000);
    QCOMPARE(Lantern()->GetLimtoff(), 1500);
}

void TestLanternInterfaceTab::loadShows_data()
{
    QTest::addColumn<int>("onTime");
    QTest::addColumn<double>("current");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<double>("switched");

    QTest::newRow("steady: 250 is 0.5 A") << 0 << 0.5 << " A" << 5.0;
    QTest::newRow("flashing: 250 is 5.0 A/s") << 2000 << 5.0 << " A/s" << 0.5;
}

void TestLanternInterfaceTab::loadShows()
{
    QFETCH(int, onTime);
    Load(0, 0, onTime, 0, 250, onTime == 0, 0);
    auto *current = Find<QDoubleSpinBox>("LanternSwitchSlewRate");
    QTEST(current->value(), "current");
    QTEST(current->suffix(), "suffix");
    QCOMPARE(Find<QDoubleSpinBox>("MaxOnTime")->isEnabled(), onTime != 0);
    QCOMPARE(Find<QRadioButton>("HighGainSelect")->isChecked(), onTime == 0);
    QCOMPARE(edited->count(), 0);

    // The user's switch: the same record in the other unit, the times
    // stored at once, and the window told when they changed.
    Find<QCheckBox>("SteadyOn")->click();
    QTEST(current->value(), "switched");
    QCOMPARE(Lantern()->GetLimion(), 250);
    QCOMPARE(Lantern()->GetLimton(), 0);
    QCOMPARE(edited->count(), onTime ? 1 : 0);
    Find<QCheckBox>("SteadyOn")->click();
    QCOMPARE(Lantern()->GetLimton(), onTime);
}

void TestLanternInterfaceTab::typedIsStored_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");

    using L = LanternInterface;
    // The double product lies just below 32300.
    QTest::newRow("32.3 V") << "MaxVoltage" << int(L::Limvmax) << "32.3" << 32299;
    QTest::newRow("10.5 V") << "MinVoltage" << int(L::Limvmin) << "10.5" << 10500;
    QTest::newRow("2.5 s on") << "MaxOnTime" << int(L::Limton) << "2.5" << 2500;
    QTest::newRow("0.7 s off") << "MaxOffTime" << int(L::Limtoff) << "0.7" << 700;
    QTest::newRow("7.5 A/s") << "LanternSwitchSlewRate" << int(L::Limion) << "7.5" << 375;
    QTest::newRow("120 lux") << "LowLightThreshold" << int(L::Limpthresh) << "120" << 999;
}

void TestLanternInterfaceTab::typedIsStored()
{
    QFETCH(QString, field);
    QFETCH(int, parameter);
    QFETCH(QString, typed);
    Load(9000, 33000, 1000, 1000, 100, true, 247);
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    auto *widget = Find<QAbstractSpinBox>(qPrintable(field));
    TypeOver(widget, typed);
    QTest::keyClick(widget, Qt::Key_Return);
    QTEST(Lantern()->ParameterValue(parameter), "stored");
    QVERIFY(edited->count() >= 1);
}

void TestLanternInterfaceTab::voltagePull()
{
    Load(10000, 12000, 0, 0, 0, true, 0);
    auto *minimum = Find<QDoubleSpinBox>("MinVoltage");
    auto *maximum = Find<QDoubleSpinBox>("MaxVoltage");
    TypeOver(minimum, QStringLiteral("13"));
    QTest::keyClick(minimum, Qt::Key_Tab);
    QCOMPARE(Lantern()->GetLimvmin(), 13000);
    QCOMPARE(Lantern()->GetLimvmax(), 13000);

    TypeOver(maximum, QStringLiteral("9.5"));
    // The voltages take their value when the typing is done, not at every
    // digit (else typing 24 would pull the minimum down to 2 on the way).
    QCOMPARE(minimum->value(), 13.0);
    QTest::keyClick(maximum, Qt::Key_Return);
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
    QTest::mouseClick(report, Qt::LeftButton, {}, QPoint(8, report->height() / 2));
    QVERIFY(lux->isEnabled());
    QCOMPARE(lux->value(), 30);
    QCOMPARE(Lantern()->GetLimpthresh(), 247);
    QCOMPARE(edited->count(), 1);

    // 247 shows again as 30 lux.
    Model copy;
    copy = *model;
    tab->UpdateTabFromModel(&copy);
    QCOMPARE(lux->value(), 30);
    QVERIFY(report->isChecked());

    // No threshold without the report: unchecked, or a threshold of 0.
    report->click();
    QVERIFY(!lux->isEnabled());
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    QCOMPARE(edited->count(), 2);
    report->click();
    TypeOver(lux, QStringLiteral("0"));
    QVERIFY(!report->isChecked());
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
}

void TestLanternInterfaceTab::senseGroups()
{
    Load(0, 0, 0, 0, 0, true, 247);
    auto *current = Find<QGroupBox>("LanternCurrentSense");
    auto *photo = Find<QGroupBox>("LanternPhotoSense");
    // One of the two stays checked.
    photo->setChecked(false);
    QVERIFY(current->isChecked());
    current->setChecked(false);
    QVERIFY(photo->isChecked());
    photo->setChecked(false);
    // Stored at once: no threshold without photo sense, whatever the field shows.
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    QCOMPARE(Find<QSpinBox>("LowLightThreshold")->value(), 30);
    QVERIFY(edited->count() >= 1);
}

void TestLanternInterfaceTab::loadKeepsValuesUntilNextEdit()
{
    Load(0, 12345, 0, 0, 0, true, 0);
    QCOMPARE(Find<QDoubleSpinBox>("MaxVoltage")->value(), 12.3);
    QCOMPARE(Lantern()->GetLimvmax(), 12345);
    // The current fields are usable only with current sense checked.
    QVERIFY(!Find<QRadioButton>("LowGainSelect")->isEnabled());
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    QCOMPARE(edited->count(), 0);
    Find<QRadioButton>("LowGainSelect")->click();
    QVERIFY(!Lantern()->GetLimigain());
    QCOMPARE(Lantern()->GetLimvmax(), 12300);
    QCOMPARE(edited->count(), 1);
}

void TestLanternInterfaceTab::parameterGet()
{
    // The widgets are flashing; the unit's answers then make the record steady.
    Load(0, 0, 1000, 1000, 100, true, 0);
    LanternInterface *lantern = Lantern();
    lantern->SetLimton(0);
    lantern->SetLimtoff(0);
    lantern->SetLimion(250);
    lantern->SetLimvmin(10550);
    lantern->SetLimvmax(14000);
    lantern->SetLimigain(false);
    lantern->SetLimpthresh(247);
    tab->onParameterGet();

    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->value(), 0.5);
    QCOMPARE(lantern->GetLimion(), 250);
    QVERIFY(!lantern->GetLimigain());
    // The report check box is not touched by a parameter reload.
    QVERIFY(!Find<QCheckBox>("checkBoxLowLightOffError")->isChecked());
    // A value the widget rounds is stored rounded, every other value intact.
    QCOMPARE(lantern->GetLimvmin(), 10600);
    QCOMPARE(lantern->GetLimvmax(), 14000);

    lantern->SetLimton(1234);
    lantern->SetLimtoff(800);
    lantern->SetLimion(100);
    tab->onParameterGet();
    QCOMPARE(lantern->GetLimton(), 1200);
    QCOMPARE(lantern->GetLimion(), 100);
}

VANDREL_UI_TEST_MAIN(TestLanternInterfaceTab)
#include "tst_ui_lanterninterfacetab.moc"
