#include "uitestmain.h"

#include "ui/lanterninterfacetab.h"
#include "ui/numberbox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

// The lantern interface tab on the application's edit model: what the user
// types in volts, seconds, amperes and lux, and what the model then holds.
class TestLanternInterfaceTab : public QObject, TabUnderTest<LanternInterfaceTab>
{
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }
    void enableAndGain();
    void currentUnits_data();
    void currentUnits();
    void typedIsStored_data();
    void typedIsStored();
    void voltagePull();
    void lowLightAndSense();
    void parameterGet();
    void refusedNumbersStayOut();

private:
    LanternInterface *Lantern() const { return model->GetLanternInterface(); }
    static void Fill(LanternInterface *lantern, const QVector<int> &values)
    {
        for (int index = LanternInterface::Limen; index <= LanternInterface::Limpthresh; ++index)
            lantern->SetParameterValue(index, values.value(index));
    }
    // Loads an enabled record into the tab as the window does after a retrieval.
    void Load(int vmin, int vmax, int ton, int toff, int ion, bool gain, int thresh)
    {
        Model source;
        Fill(source.GetLanternInterface(), {1, vmin, vmax, ton, toff, ion, gain, thresh});
        tab->UpdateTabFromModel(&source);
    }
};

void TestLanternInterfaceTab::enableAndGain()
{
    QVERIFY(Find<QGroupBox>("LanternTiming")->isHidden());
    Load(0, 12345, 500, 1500, 100, true, 0);
    QVERIFY(Find<QGroupBox>("LanternTiming")->isVisible());
    // A loaded value the widget rounds stays as loaded until the next edit.
    QCOMPARE(Find<QDoubleSpinBox>("MaxVoltage")->value(), 12.3);
    QCOMPARE(Lantern()->GetLimvmax(), 12345);
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    QCOMPARE(edited->count(), 0);
    Find<QRadioButton>("LowGainSelect")->click();
    QVERIFY(!Lantern()->GetLimigain());
    QCOMPARE(Lantern()->GetLimvmax(), 12300);
    QCOMPARE(edited->count(), 1);

    // Disabled: the groups hide, their values stay.
    Find<QCheckBox>("LimEnable")->click();
    for (const char *group : {"LanternTiming", "LanternVoltage", "LanternSense"})
        QVERIFY(!Find<QGroupBox>(group)->isVisible());
    QCOMPARE(edited->count(), 2);
    QVERIFY(!Lantern()->GetLimen());
    QCOMPARE(Lantern()->GetLimtoff(), 1500);
}

void TestLanternInterfaceTab::currentUnits_data()
{
    QTest::addColumn<int>("onTime");
    QTest::addColumn<double>("current");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<double>("switched");

    QTest::newRow("steady: 250 is 0.5 A") << 0 << 0.5 << " A" << 5.0;
    QTest::newRow("flashing: 250 is 5.0 A/s") << 2000 << 5.0 << " A/s" << 0.5;
}

void TestLanternInterfaceTab::currentUnits()
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
    QTest::addColumn<int>("parameter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");

    using L = LanternInterface;
    // The double product lies just below 32300: rounded, not cut.
    QTest::newRow("MaxVoltage") << int(L::Limvmax) << "32.3" << 32300;
    QTest::newRow("MaxOnTime") << int(L::Limton) << "2.5" << 2500;
    QTest::newRow("MaxOffTime") << int(L::Limtoff) << "0.7" << 700;
    QTest::newRow("LanternSwitchSlewRate") << int(L::Limion) << "7.5" << 375;
    QTest::newRow("LowLightThreshold") << int(L::Limpthresh) << "120" << 999;
}

void TestLanternInterfaceTab::typedIsStored()
{
    QFETCH(int, parameter);
    QFETCH(QString, typed);
    Load(9000, 33000, 1000, 1000, 100, true, 247);
    Find<QGroupBox>("LanternCurrentSense")->setChecked(true);
    auto *widget = Find<QAbstractSpinBox>(QTest::currentDataTag()); // the rows are named by field
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
    // Freed while typing: the value then taken must not reach the freed form.
    TypeOver(maximum, QStringLiteral("30"));
    Close();
}

void TestLanternInterfaceTab::lowLightAndSense()
{
    Load(0, 0, 0, 0, 0, true, 0);
    auto *report = Find<QCheckBox>("checkBoxLowLightOffError");
    auto *lux = Find<QDoubleSpinBox>("LowLightThreshold");
    QVERIFY(!report->isChecked());
    QTest::mouseClick(report, Qt::LeftButton, {}, QPoint(8, report->height() / 2));
    QVERIFY(lux->isEnabled());
    QCOMPARE(lux->value(), 30);
    QCOMPARE(Lantern()->GetLimpthresh(), 247);
    QCOMPARE(edited->count(), 1);
    // No threshold without the report, nor the report without a threshold.
    TypeOver(lux, QStringLiteral("0"));
    QTest::keyClick(lux, Qt::Key_Return);
    QVERIFY(!report->isChecked() && !lux->isEnabled());
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    report->click();
    QCOMPARE(Lantern()->GetLimpthresh(), 247);

    // One sense group stays checked; photo sense gates the stored threshold.
    auto *current = Find<QGroupBox>("LanternCurrentSense");
    auto *photo = Find<QGroupBox>("LanternPhotoSense");
    photo->setChecked(false);
    QVERIFY(current->isChecked());
    QCOMPARE(Lantern()->GetLimpthresh(), 0);
    QCOMPARE(lux->value(), 30);
    current->setChecked(false);
    QVERIFY(photo->isChecked());
    QCOMPARE(Lantern()->GetLimpthresh(), 247);
}

void TestLanternInterfaceTab::parameterGet()
{
    // The widgets are flashing; the unit's answers then make the record steady.
    Load(0, 0, 1000, 1000, 100, true, 0);
    LanternInterface *lantern = Lantern();
    Fill(lantern, {1, 10550, 14000, 0, 0, 250, false, 247});
    tab->onParameterGet();

    QCOMPARE(Find<QDoubleSpinBox>("LanternSwitchSlewRate")->value(), 0.5);
    QCOMPARE(lantern->GetLimion(), 250);
    QVERIFY(!lantern->GetLimigain());
    // The report check box is not touched by a parameter reload.
    QVERIFY(!Find<QCheckBox>("checkBoxLowLightOffError")->isChecked());
    // A value the widget rounds is stored rounded, every other value intact.
    QCOMPARE(lantern->GetLimvmin(), 10600);
    QCOMPARE(lantern->GetLimvmax(), 14000);

    Fill(lantern, {1, 10600, 14000, 1234, 800, 100, false, 247});
    tab->onParameterGet();
    QCOMPARE(lantern->GetLimton(), 1200);
    QCOMPARE(lantern->GetLimion(), 100);
}

void TestLanternInterfaceTab::refusedNumbersStayOut()
{
    Load(10000, 12000, 1000, 1000, 100, true, 247);
    Find<QCheckBox>("checkBoxLowLightOffError")->setChecked(true);
    auto *minimum = Find<NumberBox>("MinVoltage");
    auto *onTime = Find<NumberBox>("MaxOnTime");
    auto *lux = Find<NumberBox>("LowLightThreshold");
    const QVector<int> before = {Lantern()->GetLimvmin(), Lantern()->GetLimvmax(),
                                 Lantern()->GetLimton(), Lantern()->GetLimpthresh()};
    const auto held = [&]() {
        return QVector<int>{Lantern()->GetLimvmin(), Lantern()->GetLimvmax(),
                            Lantern()->GetLimton(), Lantern()->GetLimpthresh()};
    };

    // Each text stays as typed, beside its reason, and nothing is stored:
    // not the minimum, nor the maximum it would have pulled up with it.
    TypeOver(minimum, "40");
    QTest::keyClick(minimum, Qt::Key_Tab);
    TypeOver(onTime, "2,55");
    QTest::keyClick(onTime, Qt::Key_Tab);
    TypeOver(lux, "401");
    QTest::keyClick(lux, Qt::Key_Tab);
    QCOMPARE(minimum->text(), QString("40.0 Volts"));
    QCOMPARE(onTime->text(), QString("2,55 Seconds"));
    QCOMPARE(held(), before);
    QVERIFY(edited->count() >= 2);
    const QStringList problems = {
        "Lantern Voltage, Minimum: 40.0 Volts is outside 0.0 Volts to 33.0 Volts.",
        "Maximum On Time: \"2,55\" is not a number.",
        "Ambient light-on threshold: 401 lux is outside 0 lux to 400 lux."};
    QCOMPARE(tab->InputProblems(), QStringList({problems[1], problems[0], problems[2]}));
    QCOMPARE(tab->UnheldInput(), tab->InputProblems());
    for (const char *label : {"MaxOnTimeProblem", "LowLightThresholdProblem"})
        QVERIFY(Find<QLabel>(label)->isVisible());
    auto *reason = Find<QLabel>("MinVoltageProblem");
    QVERIFY(reason->isVisible());
    QCOMPARE(reason->text(), problems[0].section(": ", 1));
    // Another field's edit stores the tab, and still not the refused ones.
    Find<QRadioButton>("LowGainSelect")->click();
    QCOMPARE(held(), before);

    // A field that is not stored is no problem: steady on has no times, and
    // no report has no threshold.
    Find<QCheckBox>("SteadyOn")->click();
    Find<QCheckBox>("checkBoxLowLightOffError")->click();
    QCOMPARE(tab->InputProblems(), QStringList{problems[0]});
    // Mended, the number is taken and the reason goes.
    TypeOver(minimum, "12.5");
    QTest::keyClick(minimum, Qt::Key_Return);
    QCOMPARE(Lantern()->GetLimvmin(), 12500);
    QCOMPARE(Lantern()->GetLimvmax(), 12500);
    QVERIFY(tab->InputProblems().isEmpty() && !reason->isVisible());
}

VANDREL_UI_TEST_MAIN(TestLanternInterfaceTab)
#include "tst_ui_lanterninterfacetab.moc"
