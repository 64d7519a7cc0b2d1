#include "uitestmain.h"

#include "ui/realatontab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>

// The Real AtoN tab on the application's edit model, driven by keys, clicks
// and selections; every check looks at the edit model and the Edited signal.
class TestRealAtoNTab : public QObject, TabUnderTest<RealAtoNTab>
{
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }
    void lists_data();
    void lists();
    void loadingAnnouncesNothing();
    void mmsiAndThresholdWarnings();
    void name_data();
    void name();
    void layoutsAndReferencePoint();
    void epfsLinks();
    void positionTyped_data();
    void positionTyped();
    void storeAfterUnusualLoad();
    void otherWidgets();
    void scheduleMenu();
    void scheduleMenuPopup();

private:
    void Choose(const char *combo, int code)
    {
        Find<QComboBox>(combo)->setCurrentIndex(Find<QComboBox>(combo)->findData(code));
    }
    bool ItemEnabled(const char *combo, int code) const
    {
        auto *box = Find<QComboBox>(combo);
        return qobject_cast<QStandardItemModel *>(box->model())
            ->item(box->findData(code))
            ->isEnabled();
    }
    // Opens the schedule menu on a row and triggers the action when it is
    // enabled and `trigger` is set; returns whether it was enabled.
    bool MenuAction(int row, const char *action, bool trigger = true)
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(row));
        auto *item = menu->findChild<QAction *>(QLatin1String(action));
        if (item->isEnabled() && trigger)
            item->trigger();
        return item->isEnabled();
    }
    AtoN *EditAtoN() const { return model->GetAtoN(); }
    QAbstractItemModel *Table() const { return Find<QTableView>("tableSchedules")->model(); }
};

void TestRealAtoNTab::lists_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");

    QTest::newRow("type 0") << "comboTypeOfAtoN" << 31 << 0 << " (0)  Default";
    QTest::newRow("type 31") << "comboTypeOfAtoN" << 31 << 31 << "(31)  Light Vessel";
    QTest::newRow("EPFS 7") << "comboTypeOfEPFS" << 2 << 7 << "Surveyed";
    const QString ch1 = "comboChannel1";
    QTest::newRow("CH1060") << ch1 << 114 << 1060 << "CH1060 ( 156.025MHz )";
    QTest::newRow("CH2001") << ch1 << 114 << 2001 << "CH2001 ( 160.650MHz )";
    // Simplex channels: the 20xx item shows the 10xx frequency.
    QTest::newRow("CH2006") << ch1 << 114 << 2006 << "CH2006 ( 156.300MHz )";
    QTest::newRow("CH2077") << ch1 << 114 << 2077 << "CH2077 ( 156.875MHz )";
    QTest::newRow("CH2078") << ch1 << 114 << 2078 << "CH2078 ( 161.525MHz )";
    QTest::newRow("CH2088") << "comboChannel2" << 114 << 2088 << "CH2088 AIS2 ( 162.025MHz )";
}

void TestRealAtoNTab::lists()
{
    QFETCH(QString, combo);
    QFETCH(int, code);
    auto *box = Find<QComboBox>(qPrintable(combo));
    QTEST(box->count(), "count");
    QTEST(box->itemText(box->findData(code)), "text");
    for (int i = 1; i < box->count(); ++i)
        QVERIFY(box->itemData(i).toInt() > box->itemData(i - 1).toInt());
}

void TestRealAtoNTab::loadingAnnouncesNothing()
{
    Model source;
    source.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    source.GetAtoN()->SetOffPositionThreshold(15);
    source.GetAtoN()->GetPosition()->SetLatitude(-50.5);
    int row = -1;
    QVERIFY(source.GetMessageSchedule()->AddMessage(8, row));
    tab->UpdateTabFromModel(&source);
    // The loaded record became the edit model's; the warnings follow it.
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351234"));
    QCOMPARE(Table()->rowCount(), 3);
    QVERIFY(!Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    QVERIFY(Find<QLabel>("labelOffPositionFeedback")->isVisible());
    QCOMPARE(Find<QLineEdit>("lineLatitude")->text(), QStringLiteral("50\u00b0 30' 0.000\" S"));

    Model fresh;
    tab->UpdateTabFromModel(&fresh);
    QCOMPARE(Find<QLineEdit>("lineLatitude")->text(), QStringLiteral("__\u00b0 __' __.___\" N"));
    QVERIFY(Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    QVERIFY(!Find<QLabel>("labelOffPositionFeedback")->isVisible());
    QCOMPARE(edited->count(), 0);

    // Building a tab leaves its model as it was.
    Model own;
    own.GetAtoN()->SetName(QStringLiteral("BUOY 7"));
    own.GetAtoN()->SetChannel1(1060);
    own.GetAtoN()->SetTypeOfAtoN(28);
    Model copy;
    copy = own;
    RealAtoNTab second(&own);
    QVERIFY(own == copy);
    QCOMPARE(second.findChild<QComboBox *>(QStringLiteral("comboChannel1"))->currentData().toInt(),
             1060);
}

void TestRealAtoNTab::mmsiAndThresholdWarnings()
{
    auto *line = Find<QLineEdit>("lineMMSI");
    auto *warning = Find<QLabel>("MMSIValidationWarningLabel");
    QVERIFY(warning->isVisible());
    TypeOver(line, QStringLiteral("99235"));
    QVERIFY(warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("99235"));
    QTest::keyClicks(line, QStringLiteral("x1-2345"));
    QCOMPARE(line->text(), QStringLiteral("992351234"));
    QVERIFY(!warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351234"));
    QCOMPARE(edited->last().at(0).value<QWidget *>(), tab.get());
    QTest::keyClick(line, Qt::Key_Backspace);
    QVERIFY(warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("99235123"));

    auto *spin = Find<QSpinBox>("spinBoxOffPositionThreshold");
    auto *feedback = Find<QLabel>("labelOffPositionFeedback");
    QVERIFY(!feedback->isVisible());
    TypeOver(spin, QStringLiteral("19"));
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 19);
    QVERIFY(feedback->isVisible());
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 20);
    QVERIFY(!feedback->isVisible());
}

void TestRealAtoNTab::name_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("capitals") << QStringLiteral("west pier") << "WEST PIER";
    QTest::newRow("34 characters") << QString(35, 'b') << QString(34, 'B');
    // Each comma takes three of the 52 characters of the sentence field.
    QTest::newRow("52 encoded") << QString(17, ',') + "AB" << QString(17, ',') + "A";
    QTest::newRow("outside the set") << QStringLiteral("A{B") << "AB";
}

void TestRealAtoNTab::name()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TypeOver(Find<QLineEdit>("lineName"), typed);
    QCOMPARE(Find<QLineEdit>("lineName")->text(), shown);
    QCOMPARE(EditAtoN()->Name(), shown);
    QVERIFY(edited->count() >= 1);
}

void TestRealAtoNTab::layoutsAndReferencePoint()
{
    auto *group = Find<QGroupBox>("groupBoxAtoNDimensions");
    auto *a = Find<QSpinBox>("spinBoxDimensionA");
    auto *b = Find<QSpinBox>("spinBoxDimensionB");
    auto *c = Find<QSpinBox>("spinBoxDimensionC");
    auto *d = Find<QSpinBox>("spinBoxDimensionD");
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Fixed)"));
    QCOMPARE(a->pos(), QPoint(10, 50));
    QVERIFY(b->isVisible() && c->isVisible() && d->isVisible());

    auto *types = Find<QComboBox>("comboTypeOfAtoN");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_End);
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 31);
    QCOMPARE(edited->count(), 1);
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Floating)"));
    QCOMPARE(a->pos(), QPoint(40, 82));
    QCOMPARE(Find<QLabel>("labelDimensionsDrawing")->geometry(), QRect(20, 20, 181, 181));
    QVERIFY(a->isVisible() && !b->isVisible() && !c->isVisible() && !d->isVisible());
    QCOMPARE(a->toolTip(), QStringLiteral("Enter the AtoN Dimension in metres (1-63)"));
    QVERIFY(!ItemEnabled("comboTypeOfEPFS", 7));
    TypeOver(a, QStringLiteral("99"));
    QCOMPARE(EditAtoN()->DimensionA(), 9);

    // Reference point: a fixed type whose dimensions cannot be edited.
    Choose("comboTypeOfAtoN", 1);
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Fixed)"));
    QVERIFY(ItemEnabled("comboTypeOfEPFS", 7));
    QVERIFY(!a->isEnabled() && !b->isEnabled() && !c->isEnabled() && !d->isEnabled());
    Choose("comboTypeOfAtoN", 3);
    QVERIFY(a->isEnabled() && b->isEnabled() && c->isEnabled() && d->isEnabled());
    TypeOver(b, QStringLiteral("600"));
    TypeOver(d, QStringLiteral("0"));
    QCOMPARE(EditAtoN()->DimensionB(), 60);
    QCOMPARE(EditAtoN()->DimensionD(), 1);
}

void TestRealAtoNTab::epfsLinks()
{
    auto *accuracy = Find<QComboBox>("comboPositionAccuracy");
    QVERIFY(!accuracy->isEnabled());
    Choose("comboTypeOfEPFS", 7);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 7);
    QCOMPARE(edited->count(), 1);
    QVERIFY(accuracy->isEnabled());
    QVERIFY(ItemEnabled("comboTypeOfAtoN", 19) && !ItemEnabled("comboTypeOfAtoN", 20));
    QVERIFY(!ItemEnabled("comboTypeOfAtoN", 31));
    accuracy->setFocus();
    QTest::keyClick(accuracy, Qt::Key_Down);
    QCOMPARE(EditAtoN()->PositionAccuracy(), 1);
    QCOMPARE(edited->count(), 2);

    Choose("comboTypeOfEPFS", 1);
    QVERIFY(!accuracy->isEnabled());
    QVERIFY(ItemEnabled("comboTypeOfAtoN", 20) && ItemEnabled("comboTypeOfAtoN", 31));
    // A surveyed model loaded withdraws the floating types as well.
    Model surveyed;
    surveyed.GetAtoN()->SetTypeOfEPFS(7);
    tab->UpdateTabFromModel(&surveyed);
    QVERIFY(!ItemEnabled("comboTypeOfAtoN", 25));
}

void TestRealAtoNTab::positionTyped_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("rewritten");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("latitude") << "lineLatitude"
                              << "50 30 S" << -50.5 << "50\u00b0 30' 0.000\" S"
                              << "-50.5000\n50\u00b0 30.0000' S";
    QTest::newRow("longitude") << "lineLongitude"
                               << "004 30 O" << -4.5 << "004\u00b0 30' 0.000\" W"
                               << "-4.5000\n004\u00b0 30.0000' W";
    QTest::newRow("longitude cleared") << "lineLongitude"
                                       << "_" << 181.0 << "__\u00b0 __' __.___\" E" << QString();
}

void TestRealAtoNTab::positionTyped()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(QString, toolTip);
    auto *line = Find<QLineEdit>(qPrintable(field));
    const GeoPosition *position = EditAtoN()->GetPosition();
    auto inModel = [&]() {
        return field.contains(QLatin1String("Lat")) ? position->Latitude() : position->Longitude();
    };
    TypeOver(line, typed);
    // Stored as typed, before the field is left; leaving is no further edit.
    QCOMPARE(inModel(), stored);
    const int before = edited->count();
    QVERIFY(before >= 1);
    QTest::keyClick(line, Qt::Key_Tab);
    QTEST(line->text(), "rewritten");
    if (!toolTip.isEmpty())
        QCOMPARE(line->toolTip(), toolTip);
    QCOMPARE(inModel(), stored);
    QCOMPARE(edited->count(), before);
}

void TestRealAtoNTab::storeAfterUnusualLoad()
{
    // Codes no list holds leave their combos empty; dimensions over the
    // floating limits survive a floating type loaded before.
    Model floating;
    floating.GetAtoN()->SetTypeOfAtoN(25);
    tab->UpdateTabFromModel(&floating);
    Model odd;
    odd.GetAtoN()->SetTypeOfAtoN(4);
    odd.GetAtoN()->SetTypeOfEPFS(3);
    odd.GetAtoN()->SetChannel1(2090);
    odd.GetAtoN()->SetDimensionA(300);
    tab->UpdateTabFromModel(&odd);
    for (const char *combo : {"comboTypeOfAtoN", "comboTypeOfEPFS", "comboChannel1"})
        QCOMPARE(Find<QComboBox>(combo)->currentIndex(), -1);

    // The next store writes 0 for them, and keeps A.
    Find<QCheckBox>("RACONFittedCheckBox")->click();
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 0);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 0);
    QCOMPARE(EditAtoN()->Channel1(), 0);
    QCOMPARE(EditAtoN()->Channel2(), 2088);
    QCOMPARE(EditAtoN()->DimensionA(), 300);
}

void TestRealAtoNTab::otherWidgets()
{
    auto *racon = Find<QCheckBox>("RACONFittedCheckBox");
    QTest::mouseClick(racon, Qt::LeftButton, {}, QPoint(8, racon->height() / 2));
    QVERIFY(EditAtoN()->Racon());
    QCOMPARE(edited->count(), 1);

    auto *view = Find<QTableView>("tableSchedules");
    const QPoint cell = view->visualRect(Table()->index(0, 8)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::keyClick(view->findChild<QSpinBox *>(QStringLiteral("Channel2Interval")), Qt::Key_Down);
    QCOMPARE(model->GetMessageSchedule()->EntryAt(0).Interval2(), 6749);
    QCOMPARE(edited->count(), 2);

    tab->OnBatteryVoltage(QStringLiteral("3600"));
    QCOMPARE(Find<QLabel>("label_battery_voltage")->text(), QStringLiteral("3600 mV"));
    tab->OnProductSerialNumber(QStringLiteral("SN00417"));
    QCOMPARE(Find<QLabel>("labelProductSerialNumber")->text(), QStringLiteral("SN00417"));
    QCOMPARE(edited->count(), 2);
}

void TestRealAtoNTab::scheduleMenu()
{
    MessageSchedule *schedule = model->GetMessageSchedule();
    for (int n = 1; n <= 4; ++n) {
        QVERIFY(MenuAction(0, "actionAddMessage6"));
        QCOMPARE(Table()->rowCount(), 2 + n);
    }
    // The block of message 6 is full; a message 21 row is never removed.
    QVERIFY(!MenuAction(-1, "actionAddMessage6"));
    QVERIFY(!MenuAction(0, "actionRemoveMessage"));
    QVERIFY(!MenuAction(1, "actionRemoveMessage"));
    QVERIFY(MenuAction(2, "actionAddMessage212"));
    QVERIFY(!MenuAction(2, "actionAddMessage212"));
    QVERIFY(MenuAction(2, "actionAddMessage12", false));
    QVERIFY(MenuAction(2, "actionAddMessage314"));
    QCOMPARE(schedule->EntryAt(12).MessageId(), 12);
    QVERIFY(schedule->EntryAt(17).Active());
    QCOMPARE(Table()->index(6, 1).data().toString(), QStringLiteral("3"));

    // Mark the second message 6, then remove the first: the second moves up.
    MessageScheduleEntry second = schedule->EntryAt(3);
    second.SetStartSlot1(77);
    QVERIFY(schedule->SetEntry(3, second));
    QVERIFY(MenuAction(2, "actionRemoveMessage"));
    QCOMPARE(Table()->rowCount(), 7);
    QCOMPARE(Table()->index(2, 4).data().toString(), QStringLiteral("77"));

    // The off-position report: switched on, then off.
    QVERIFY(MenuAction(1, "actionOffPositionReport"));
    QVERIFY(schedule->EntryAt(1).Active());
    QVERIFY(Table()->flags(Table()->index(1, 4)) & Qt::ItemIsEditable);
    QVERIFY(MenuAction(1, "actionOffPositionReport"));
    QVERIFY(!schedule->EntryAt(1).Active());
    QCOMPARE(edited->count(), 9);
}

void TestRealAtoNTab::scheduleMenuPopup()
{
    // The real thing: a right click opens the menu on the row under the mouse.
    auto *view = Find<QTableView>("tableSchedules");
    QTimer::singleShot(0, this, []() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction *>(QStringLiteral("actionAddMessage8"))->trigger();
        menu->close();
    });
    emit view->customContextMenuRequested(view->visualRect(Table()->index(0, 3)).center());
    QTRY_COMPARE(Table()->rowCount(), 3);
    QCOMPARE(Table()->index(2, 0).data().toString(), QStringLiteral("8"));
    QCOMPARE(edited->count(), 1);
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

VANDREL_UI_TEST_MAIN(TestRealAtoNTab)
#include "tst_ui_realatontab.moc"
