#include "uitestmain.h"

#include "model/model.h"
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
class TestRealAtoNTab : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lists();
    void constructionLeavesModelAlone();
    void loadingAnnouncesNothing();
    void mmsi();
    void name();
    void typeChoosesLayout();
    void epfsLinks();
    void threshold();
    void latitudeStoredWhileTyping();
    void longitudeRewrittenOnLeaving();
    void unlistedCodesStoreZero();
    void loadKeepsDimensionsOfOtherLayout();
    void combosAndCheckBox();
    void readOnlyValues();
    void scheduleCellEdit();
    void scheduleMenuAddsAndRemoves();
    void scheduleMenuVariantsAndReport();
    void scheduleMenuPopup();

private:
    template <typename T> T *Find(const char *name) const
    {
        T *widget = tab->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    // Selects the whole text of a line edit or spin box and types over it.
    void TypeOver(QWidget *widget, const QString &text);
    void Choose(const char *combo, int code);
    bool ItemEnabled(const char *combo, int code) const;
    AtoN *EditAtoN() const { return model->GetAtoN(); }

    Model *model = nullptr;
    RealAtoNTab *tab = nullptr;
    QSignalSpy *edited = nullptr;
};

void TestRealAtoNTab::init()
{
    model = VandrelApplication::instance()->EditModel();
    model->Reset();
    tab = new RealAtoNTab(model);
    edited = new QSignalSpy(tab, &AtoNConfiguration::Edited);
    tab->show();
    tab->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tab));
}

void TestRealAtoNTab::cleanup()
{
    delete edited;
    delete tab;
    edited = nullptr;
    tab = nullptr;
}

void TestRealAtoNTab::TypeOver(QWidget *widget, const QString &text)
{
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    QTest::keyClicks(widget, text);
}

void TestRealAtoNTab::Choose(const char *combo, int code)
{
    auto *box = Find<QComboBox>(combo);
    const int index = box->findData(code);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
}

bool TestRealAtoNTab::ItemEnabled(const char *combo, int code) const
{
    auto *box = tab->findChild<QComboBox *>(QLatin1String(combo));
    auto *items = qobject_cast<QStandardItemModel *>(box->model());
    return items->item(box->findData(code))->isEnabled();
}

void TestRealAtoNTab::lists()
{
    auto *types = Find<QComboBox>("comboTypeOfAtoN");
    QCOMPARE(types->count(), 31);
    QCOMPARE(types->findData(4), -1);
    QCOMPARE(types->itemText(0), QStringLiteral(" (0)  Default"));
    QCOMPARE(types->itemText(types->findData(10)), QStringLiteral("(10)  Beacon Cardinal E"));
    QCOMPARE(types->itemText(types->findData(12)), QStringLiteral("(12)  Beacon cardinal W"));
    QCOMPARE(types->itemText(30), QStringLiteral("(31)  Light Vessel"));
    for (int i = 1; i < types->count(); ++i)
        QVERIFY(types->itemData(i).toInt() > types->itemData(i - 1).toInt());

    auto *epfs = Find<QComboBox>("comboTypeOfEPFS");
    QCOMPARE(epfs->count(), 2);
    QCOMPARE(epfs->itemText(epfs->findData(1)), QStringLiteral("Autonomous"));
    QCOMPARE(epfs->itemText(epfs->findData(7)), QStringLiteral("Surveyed"));
    auto *accuracy = Find<QComboBox>("comboPositionAccuracy");
    QCOMPARE(accuracy->itemText(accuracy->findData(0)), QStringLiteral("> 10 m"));
    QCOMPARE(accuracy->itemText(accuracy->findData(1)), QStringLiteral("< 10 m"));

    for (const char *name : {"comboChannel1", "comboChannel2"}) {
        auto *channels = Find<QComboBox>(name);
        QCOMPARE(channels->count(), 114);
        QCOMPARE(channels->itemText(0), QStringLiteral("CH1001 ( 156.050MHz )"));
        QCOMPARE(channels->itemData(28).toInt(), 1060);
        QCOMPARE(channels->itemText(28), QStringLiteral("CH1060 ( 156.025MHz )"));
        QCOMPARE(channels->itemText(channels->findData(2001)),
                 QStringLiteral("CH2001 ( 160.650MHz )"));
        // Simplex channels: the 20xx item shows the 10xx frequency.
        QCOMPARE(channels->itemText(channels->findData(2006)),
                 QStringLiteral("CH2006 ( 156.300MHz )"));
        QCOMPARE(channels->itemText(channels->findData(2016)),
                 QStringLiteral("CH2016 ( 156.800MHz )"));
        QCOMPARE(channels->itemText(channels->findData(2077)),
                 QStringLiteral("CH2077 ( 156.875MHz )"));
        QCOMPARE(channels->itemText(channels->findData(2078)),
                 QStringLiteral("CH2078 ( 161.525MHz )"));
        QCOMPARE(channels->itemText(112), QStringLiteral("CH2087 AIS1 ( 161.975MHz )"));
        QCOMPARE(channels->itemText(113), QStringLiteral("CH2088 AIS2 ( 162.025MHz )"));
    }
    // A fresh model: AIS 1 and AIS 2 selected.
    QCOMPARE(Find<QComboBox>("comboChannel1")->currentData().toInt(), 2087);
    QCOMPARE(Find<QComboBox>("comboChannel2")->currentData().toInt(), 2088);
}

void TestRealAtoNTab::constructionLeavesModelAlone()
{
    Model own;
    own.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
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

void TestRealAtoNTab::loadingAnnouncesNothing()
{
    Model source;
    source.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    source.GetAtoN()->SetOffPositionThreshold(15);
    source.GetAtoN()->SetName(QStringLiteral("NORTH PIER"));
    source.GetAtoN()->GetPosition()->SetLatitude(-50.5);
    source.GetAtoN()->GetPosition()->SetLongitude(4.25);
    int row = -1;
    QVERIFY(source.GetMessageSchedule()->AddMessage(8, row));

    QVERIFY(Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    tab->UpdateTabFromModel(&source);
    QCOMPARE(edited->count(), 0);
    // The loaded record became the edit model's.
    QCOMPARE(EditAtoN()->Name(), QStringLiteral("NORTH PIER"));
    QCOMPARE(model->GetMessageSchedule()->VisibleCount(), 3);
    QCOMPARE(Find<QTableView>("tableSchedules")->model()->rowCount(), 3);
    // Both warnings follow the loaded values.
    QVERIFY(!Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    QVERIFY(Find<QLabel>("labelOffPositionFeedback")->isVisible());
    QCOMPARE(Find<QLineEdit>("lineLatitude")->text(),
             source.GetAtoN()->GetPosition()->LatitudeDms());
    QCOMPARE(Find<QLineEdit>("lineLatitude")->toolTip(),
             QStringLiteral("-50.5000\n50\u00b0 30.0000' S"));
    QCOMPARE(Find<QLineEdit>("lineLongitude")->toolTip(),
             QStringLiteral("4.2500\n004\u00b0 15.0000' E"));

    // A fresh model's position is not available.
    tab->UpdateTabFromModel(&*std::make_unique<Model>());
    QCOMPARE(Find<QLineEdit>("lineLatitude")->text(), QStringLiteral("__\u00b0 __' __.___\" N"));
    QVERIFY(Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    QVERIFY(!Find<QLabel>("labelOffPositionFeedback")->isVisible());
    QCOMPARE(edited->count(), 0);
}

void TestRealAtoNTab::mmsi()
{
    auto *line = Find<QLineEdit>("lineMMSI");
    auto *warning = Find<QLabel>("MMSIValidationWarningLabel");
    QVERIFY(warning->text().contains(QStringLiteral("MMSI is not valid")));
    QVERIFY(warning->text().contains(QStringLiteral("#ff0000")));
    QCOMPARE(line->text(), QStringLiteral("000000000"));
    QVERIFY(warning->isVisible());

    TypeOver(line, QStringLiteral("99235"));
    QVERIFY(warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("99235"));
    QTest::keyClicks(line, QStringLiteral("x1-2"));
    QCOMPARE(line->text(), QStringLiteral("9923512"));
    QTest::keyClicks(line, QStringLiteral("345"));
    QCOMPARE(line->text(), QStringLiteral("992351234"));
    QVERIFY(!warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351234"));
    QVERIFY(EditAtoN()->GetAtoNMMSI()->AidFlag());
    QVERIFY(edited->count() >= 1);
    QCOMPARE(edited->last().at(0).value<QWidget *>(), tab);

    QTest::keyClick(line, Qt::Key_Backspace);
    QVERIFY(warning->isVisible());
    TypeOver(line, QString());
    QVERIFY(warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QString());

    // Callable on its own.
    tab->EvalulateMMSIValidity(QStringLiteral("123456789"));
    QVERIFY(!warning->isVisible());
    tab->EvalulateMMSIValidity(QStringLiteral("000000000"));
    QVERIFY(warning->isVisible());
}

void TestRealAtoNTab::name()
{
    auto *line = Find<QLineEdit>("lineName");
    QCOMPARE(line->text(), QStringLiteral("ATON"));
    TypeOver(line, QStringLiteral("west pier"));
    QCOMPARE(line->text(), QStringLiteral("WEST PIER"));
    QCOMPARE(EditAtoN()->Name(), QStringLiteral("WEST PIER"));
    QVERIFY(edited->count() >= 1);

    TypeOver(line, QString(34, 'b'));
    QCOMPARE(line->text(), QString(34, 'B'));
    QTest::keyClicks(line, QStringLiteral("C"));
    QCOMPARE(line->text(), QString(34, 'B'));
    QCOMPARE(EditAtoN()->Name(), QString(34, 'B'));

    // Each comma takes three of the 52 characters of the sentence field.
    TypeOver(line, QString(17, ',') + QStringLiteral("AB"));
    QCOMPARE(line->text(), QString(17, ',') + QStringLiteral("A"));
    QCOMPARE(EditAtoN()->Name(), QString(17, ',') + QStringLiteral("A"));

    TypeOver(line, QStringLiteral("A{B"));
    QCOMPARE(line->text(), QStringLiteral("AB"));
}

void TestRealAtoNTab::typeChoosesLayout()
{
    auto *group = Find<QGroupBox>("groupBoxAtoNDimensions");
    auto *a = Find<QSpinBox>("spinBoxDimensionA");
    auto *b = Find<QSpinBox>("spinBoxDimensionB");
    auto *c = Find<QSpinBox>("spinBoxDimensionC");
    auto *d = Find<QSpinBox>("spinBoxDimensionD");
    auto *drawing = Find<QLabel>("labelDimensionsDrawing");
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Fixed)"));
    QCOMPARE(a->maximum(), 511);
    QCOMPARE(a->pos(), QPoint(10, 50));
    QCOMPARE(drawing->pos(), QPoint(70, 5));
    QVERIFY(!drawing->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(b->isVisible() && c->isVisible() && d->isVisible());

    auto *types = Find<QComboBox>("comboTypeOfAtoN");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_End);
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 31);
    QCOMPARE(edited->count(), 1);
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Floating)"));
    QCOMPARE(a->pos(), QPoint(40, 82));
    QCOMPARE(drawing->geometry(), QRect(20, 20, 181, 181));
    QVERIFY(a->isVisible());
    QVERIFY(!b->isVisible() && !c->isVisible() && !d->isVisible());
    QCOMPARE(a->minimum(), 1);
    QCOMPARE(a->maximum(), 63);
    QCOMPARE(a->toolTip(), QStringLiteral("Enter the AtoN Dimension in metres (1-63)"));
    QVERIFY(!ItemEnabled("comboTypeOfEPFS", 7));
    QVERIFY(a->isEnabled());

    TypeOver(a, QStringLiteral("99"));
    QCOMPARE(a->value(), 9);
    QCOMPARE(EditAtoN()->DimensionA(), 9);

    // Reference point: a fixed type whose dimensions cannot be edited.
    Choose("comboTypeOfAtoN", 1);
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 1);
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Fixed)"));
    QVERIFY(ItemEnabled("comboTypeOfEPFS", 7));
    for (QSpinBox *box : {a, b, c, d})
        QVERIFY(!box->isEnabled());
    QCOMPARE(a->toolTip(), QStringLiteral("Enter the AtoN Dimension in metres (0-511)"));

    Choose("comboTypeOfAtoN", 3);
    for (QSpinBox *box : {a, b, c, d})
        QVERIFY(box->isEnabled());
    TypeOver(b, QStringLiteral("600"));
    QCOMPARE(b->value(), 60);
    TypeOver(c, QStringLiteral("0"));
    TypeOver(d, QStringLiteral("0"));
    QCOMPARE(EditAtoN()->DimensionB(), 60);
    QCOMPARE(EditAtoN()->DimensionC(), 0);
    QCOMPARE(EditAtoN()->DimensionD(), 1);
    QCOMPARE(d->minimum(), 1);
}

void TestRealAtoNTab::epfsLinks()
{
    auto *accuracy = Find<QComboBox>("comboPositionAccuracy");
    QVERIFY(!accuracy->isEnabled());
    for (int code = 20; code <= 31; ++code)
        QVERIFY(ItemEnabled("comboTypeOfAtoN", code));

    Choose("comboTypeOfEPFS", 7);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 7);
    QCOMPARE(edited->count(), 1);
    QVERIFY(accuracy->isEnabled());
    for (int code = 20; code <= 31; ++code)
        QVERIFY(!ItemEnabled("comboTypeOfAtoN", code));
    QVERIFY(ItemEnabled("comboTypeOfAtoN", 19));
    // Withdrawing items leaves the chosen type alone.
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 0);
    QCOMPARE(Find<QComboBox>("comboTypeOfAtoN")->currentData().toInt(), 0);
    QCOMPARE(edited->count(), 1);

    accuracy->setFocus();
    QTest::keyClick(accuracy, Qt::Key_Down);
    QCOMPARE(EditAtoN()->PositionAccuracy(), 1);
    QCOMPARE(edited->count(), 2);

    Choose("comboTypeOfEPFS", 1);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 1);
    QVERIFY(!accuracy->isEnabled());
    for (int code = 20; code <= 31; ++code)
        QVERIFY(ItemEnabled("comboTypeOfAtoN", code));

    // A surveyed model loaded withdraws the floating types as well.
    Model surveyed;
    surveyed.GetAtoN()->SetTypeOfEPFS(7);
    tab->UpdateTabFromModel(&surveyed);
    QVERIFY(!ItemEnabled("comboTypeOfAtoN", 25));
}

void TestRealAtoNTab::threshold()
{
    auto *spin = Find<QSpinBox>("spinBoxOffPositionThreshold");
    auto *feedback = Find<QLabel>("labelOffPositionFeedback");
    QCOMPARE(spin->value(), 50);
    QCOMPARE(spin->suffix(), QStringLiteral(" m"));
    QVERIFY(!feedback->isVisible());
    QCOMPARE(feedback->size(), QSize(16, 16));

    TypeOver(spin, QStringLiteral("19"));
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 19);
    QVERIFY(feedback->isVisible());
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 20);
    QVERIFY(!feedback->isVisible());
    QVERIFY(edited->count() >= 2);

    TypeOver(spin, QStringLiteral("5"));
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 20);
    TypeOver(spin, QStringLiteral("1000"));
    QCOMPARE(spin->value(), 100);
    spin->setValue(5);
    QCOMPARE(spin->value(), 10);
    QVERIFY(feedback->isVisible());

    tab->EvaluateOffPositionThresholdValidity(500);
    QVERIFY(!feedback->isVisible());
}

void TestRealAtoNTab::latitudeStoredWhileTyping()
{
    auto *latitude = Find<QLineEdit>("lineLatitude");
    TypeOver(latitude, QStringLiteral("50 30"));
    // Stored as typed, before the field is left.
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), 50.5);
    QVERIFY(edited->count() >= 1);
    QTest::keyClicks(latitude, QStringLiteral(" S"));
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), -50.5);
    QCOMPARE(latitude->text(), QStringLiteral("50 30 S"));

    const int before = edited->count();
    QTest::keyClick(latitude, Qt::Key_Tab);
    QCOMPARE(latitude->text(), QStringLiteral("50\u00b0 30' 0.000\" S"));
    QCOMPARE(latitude->toolTip(), QStringLiteral("-50.5000\n50\u00b0 30.0000' S"));
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), -50.5);
    QCOMPARE(edited->count(), before);
}

void TestRealAtoNTab::longitudeRewrittenOnLeaving()
{
    auto *longitude = Find<QLineEdit>("lineLongitude");
    TypeOver(longitude, QStringLiteral("004 30 O"));
    QCOMPARE(EditAtoN()->GetPosition()->Longitude(), -4.5);
    Find<QLineEdit>("lineName")->setFocus();
    QCOMPARE(longitude->text(), QStringLiteral("004\u00b0 30' 0.000\" W"));
    QCOMPARE(longitude->toolTip(), QStringLiteral("-4.5000\n004\u00b0 30.0000' W"));

    // Clearing the field makes the position not available.
    TypeOver(longitude, QStringLiteral("_"));
    QCOMPARE(EditAtoN()->GetPosition()->Longitude(), 181.0);
}

void TestRealAtoNTab::unlistedCodesStoreZero()
{
    Model odd;
    odd.GetAtoN()->SetTypeOfAtoN(4);
    odd.GetAtoN()->SetTypeOfEPFS(3);
    odd.GetAtoN()->SetChannel1(2090);
    odd.GetAtoN()->SetPositionAccuracy(2);
    tab->UpdateTabFromModel(&odd);
    QCOMPARE(Find<QComboBox>("comboTypeOfAtoN")->currentIndex(), -1);
    QCOMPARE(Find<QComboBox>("comboTypeOfEPFS")->currentIndex(), -1);
    QCOMPARE(Find<QComboBox>("comboChannel1")->currentIndex(), -1);
    QCOMPARE(Find<QComboBox>("comboPositionAccuracy")->currentIndex(), -1);
    QCOMPARE(Find<QComboBox>("comboChannel2")->currentData().toInt(), 2088);
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 4);

    // The next store writes 0 for them.
    Find<QCheckBox>("RACONFittedCheckBox")->click();
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 0);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 0);
    QCOMPARE(EditAtoN()->Channel1(), 0);
    QCOMPARE(EditAtoN()->PositionAccuracy(), 0);
    QCOMPARE(EditAtoN()->Channel2(), 2088);
}

void TestRealAtoNTab::loadKeepsDimensionsOfOtherLayout()
{
    Model floating;
    floating.GetAtoN()->SetTypeOfAtoN(25);
    floating.GetAtoN()->SetDimensionA(5);
    tab->UpdateTabFromModel(&floating);
    QCOMPARE(Find<QSpinBox>("spinBoxDimensionA")->maximum(), 63);

    Model fixed;
    fixed.GetAtoN()->SetTypeOfAtoN(3);
    fixed.GetAtoN()->SetDimensionA(300);
    fixed.GetAtoN()->SetDimensionB(200);
    tab->UpdateTabFromModel(&fixed);
    QCOMPARE(Find<QSpinBox>("spinBoxDimensionA")->value(), 300);
    // Another edit stores every widget: A must still be 300.
    Find<QCheckBox>("RACONFittedCheckBox")->click();
    QCOMPARE(EditAtoN()->DimensionA(), 300);
    QCOMPARE(EditAtoN()->DimensionB(), 200);
}

void TestRealAtoNTab::combosAndCheckBox()
{
    auto *channel = Find<QComboBox>("comboChannel1");
    channel->setFocus();
    QTest::keyClick(channel, Qt::Key_Home);
    QCOMPARE(EditAtoN()->Channel1(), 1001);
    QCOMPARE(edited->count(), 1);
    Choose("comboChannel2", 2087);
    QCOMPARE(EditAtoN()->Channel2(), 2087);
    QCOMPARE(edited->count(), 2);

    auto *racon = Find<QCheckBox>("RACONFittedCheckBox");
    QCOMPARE(racon->text(), QStringLiteral("RACON Fitted"));
    QTest::mouseClick(racon, Qt::LeftButton, {}, QPoint(8, racon->height() / 2));
    QVERIFY(EditAtoN()->Racon());
    QCOMPARE(edited->count(), 3);
    QTest::keyClick(racon, Qt::Key_Space);
    QVERIFY(!EditAtoN()->Racon());
    QCOMPARE(edited->count(), 4);
}

void TestRealAtoNTab::readOnlyValues()
{
    QCOMPARE(Find<QLabel>("label_battery_voltage")->text(), QStringLiteral("Unknown"));
    tab->OnBatteryVoltage(QStringLiteral("3600"));
    QCOMPARE(Find<QLabel>("label_battery_voltage")->text(), QStringLiteral("3600 mV"));
    tab->OnVersion(QStringLiteral("2.4.1"));
    QCOMPARE(Find<QLabel>("labelVersion")->text(), QStringLiteral("2.4.1"));
    tab->OnProductSerialNumber(QStringLiteral("SN00417"));
    QCOMPARE(Find<QLabel>("labelProductSerialNumber")->text(), QStringLiteral("SN00417"));
    QCOMPARE(edited->count(), 0);
    QCOMPARE(tab->windowTitle(), QStringLiteral("Real AtoN"));
}

void TestRealAtoNTab::scheduleCellEdit()
{
    auto *view = Find<QTableView>("tableSchedules");
    const QPoint cell = view->visualRect(view->model()->index(0, 8)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    auto *editor = view->findChild<QSpinBox *>(QStringLiteral("Channel2Interval"));
    QVERIFY(editor);
    QCOMPARE(edited->count(), 0);
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(model->GetMessageSchedule()->EntryAt(0).Interval2(), 6749);
    QCOMPARE(edited->count(), 1);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(model->GetMessageSchedule()->EntryAt(0).Interval2(), 6749);
}

void TestRealAtoNTab::scheduleMenuAddsAndRemoves()
{
    MessageSchedule *schedule = model->GetMessageSchedule();
    auto *view = Find<QTableView>("tableSchedules");
    QCOMPARE(view->model()->rowCount(), 2);

    for (int n = 1; n <= 4; ++n) {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(0));
        auto *add6 = menu->findChild<QAction *>(QStringLiteral("actionAddMessage6"));
        QVERIFY(add6 && add6->isEnabled());
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("actionRemoveMessage"))->isEnabled());
        add6->trigger();
        QCOMPARE(edited->count(), n);
        QCOMPARE(view->model()->rowCount(), 2 + n);
    }
    // The block of message 6 is full.
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(-1));
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("actionAddMessage6"))->isEnabled());
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("actionAddMessage8"))->isEnabled());
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("actionRemoveMessage"))->isEnabled());
        menu->findChild<QAction *>(QStringLiteral("actionAddMessage8"))->trigger();
    }
    QCOMPARE(view->model()->rowCount(), 7);
    QCOMPARE(view->model()->index(6, 0).data().toString(), QStringLiteral("8"));
    QCOMPARE(view->currentIndex().row(), 6);

    // Give the second message 6 a mark, then remove the first: the second moves up.
    MessageScheduleEntry second = schedule->EntryAt(3);
    second.SetStartSlot1(77);
    QVERIFY(schedule->SetEntry(3, second));
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(2));
        QAction *remove = menu->findChild<QAction *>(QStringLiteral("actionRemoveMessage"));
        QVERIFY(remove->isEnabled());
        remove->trigger();
    }
    QCOMPARE(view->model()->rowCount(), 6);
    QCOMPARE(schedule->EntryAt(2).StartSlot1(), 77);
    QVERIFY(!schedule->EntryAt(5).Active());
    QCOMPARE(view->model()->index(2, 4).data().toString(), QStringLiteral("77"));
    QCOMPARE(edited->count(), 6);
}

void TestRealAtoNTab::scheduleMenuVariantsAndReport()
{
    MessageSchedule *schedule = model->GetMessageSchedule();
    auto *view = Find<QTableView>("tableSchedules");
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(0));
        menu->findChild<QAction *>(QStringLiteral("actionAddMessage212"))->trigger();
    }
    QVERIFY(schedule->EntryAt(12).Active());
    QCOMPARE(schedule->EntryAt(12).MessageId(), 12);
    QCOMPARE(view->model()->index(2, 1).data().toString(), QStringLiteral("3"));
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(2));
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("actionAddMessage212"))->isEnabled());
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("actionAddMessage12"))->isEnabled());
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("actionAddMessage314"))->isEnabled());
        menu->findChild<QAction *>(QStringLiteral("actionAddMessage314"))->trigger();
    }
    QVERIFY(schedule->EntryAt(17).Active());
    QCOMPARE(view->model()->rowCount(), 4);

    // The off-position report row: switched on, then off again.
    auto reportAction = [](QMenu *menu) {
        return menu->findChild<QAction *>(QStringLiteral("actionOffPositionReport"));
    };
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(1));
        QVERIFY(!reportAction(menu.get())->isChecked());
        // A message 21 row is never removed.
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("actionRemoveMessage"))->isEnabled());
        reportAction(menu.get())->trigger();
    }
    QVERIFY(schedule->EntryAt(1).Active());
    QCOMPARE(schedule->EntryAt(1).StartSlot1(), 0);
    QVERIFY(view->model()->flags(view->model()->index(1, 4)) & Qt::ItemIsEditable);
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(1));
        QVERIFY(reportAction(menu.get())->isChecked());
        reportAction(menu.get())->trigger();
    }
    QVERIFY(!schedule->EntryAt(1).Active());
    QCOMPARE(schedule->EntryAt(1).StartSlot2(), -1);
    QCOMPARE(view->model()->index(1, 7).data().toString(), QStringLiteral("-1"));
    QCOMPARE(edited->count(), 4);
}

void TestRealAtoNTab::scheduleMenuPopup()
{
    // The real thing: a right click opens the menu on the row under the mouse.
    auto *view = Find<QTableView>("tableSchedules");
    const QPoint cell = view->visualRect(view->model()->index(0, 3)).center();
    QTimer::singleShot(0, this, [this]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction *>(QStringLiteral("actionAddMessage8"))->trigger();
        menu->close();
    });
    emit view->customContextMenuRequested(cell);
    QTRY_COMPARE(view->model()->rowCount(), 3);
    QCOMPARE(edited->count(), 1);
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

VANDREL_UI_TEST_MAIN(TestRealAtoNTab)
#include "tst_ui_realatontab.moc"
