// The window against the unit simulator, worked by the keyboard alone: every
// field is reached by Tab, the pages by Ctrl+Tab, the commands by their keys,
// and what was typed is checked where it ends up, in the unit and the file.

#include "app/statemachine.h"
#include "lim/lanterninterface.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "model/padfile.h"
#include "ui/mainwindow.h"
#include "ui/numberbox.h"
#include "ui/realatontab.h"

#include "modalanswer.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QClipboard>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>

#include <functional>

class TstKeyboard : public QObject
{
    Q_OBJECT

private:
    static QJsonValue Held(const SimProcess &unit, const char *group, const char *key)
    {
        const QJsonObject state = unit.State();
        return state[group][key];
    }
    // The unit's schedule rows of message `id`.
    static QList<QJsonObject> HeldRows(const SimProcess &unit, int id)
    {
        QList<QJsonObject> rows;
        for (const QJsonValue row : unit.State()["schedule"].toArray())
            if (row["message"].toInt() == id)
                rows << row.toObject();
        return rows;
    }
    static bool synced()
    {
        const SerialTransport *transport = App()->GetTransport();
        const StateMachine *machine = App()->GetStateMachine();
        return transport && transport->IsConnected() && !transport->IsBusy() &&
               machine->TabStateOf(0) == StateMachine::TabSynced &&
               machine->TabStateOf(1) == StateMachine::TabSynced;
    }
    static QWidget *focused() { return QApplication::focusWidget(); }
    // A key pressed where the focus is, as the keyboard sends it.
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QVERIFY(focused());
        QTest::keyClick(focused(), k, modifiers);
    }
    static void typeOver(const QString &text)
    {
        key(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(focused(), text);
    }
    // Tab, and the name of the widget it reached.
    static QString tab()
    {
        QTest::keyClick(focused(), Qt::Key_Tab);
        return focused() ? focused()->objectName() : QString();
    }
    // Tab until `name` has the focus, within one round of the window.
    static void tabTo(const char *name)
    {
        for (int i = 0; i < 40 && focused()->objectName() != QLatin1String(name); ++i)
            tab();
        QCOMPARE(focused()->objectName(), QString(name));
    }
    // The offscreen platform leaves a popup or a dialog that has gone active.
    static void activate(MainWindow &window)
    {
        QApplication::setActiveWindow(&window);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }
    // The window on `unit`'s line, connected and retrieved by the keys.
    static void open(MainWindow &window, const SimProcess &unit)
    {
        QVERIFY(!unit.port.isEmpty());
        App()->SetMainWindow(&window);
        window.resize(1100, 760);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(child<QComboBox>(window, "comboBoxPort")->currentData().toString(), unit.port);
        key(Qt::Key_K, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(child<QWidget>(window, "toolButtonRetrieveFromAtoN")->isEnabled(),
                                 10000);
        activate(window);
        key(Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(synced(), 60000);
        activate(window);
    }
    static void close(MainWindow &window)
    {
        activate(window);
        key(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    }

private slots:
    void wholeSessionByKeys();
    void refusedAndGermanNumbers();
    void numberEdgesByKeys();
    void everyMenuEntryHasItsOwnKey_data();
    void everyMenuEntryHasItsOwnKey();
    void cleanup() { App()->SetMainWindow(nullptr); }
};

void TstKeyboard::wholeSessionByKeys()
{
    SimProcess unit({"--fast"});
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
    App()->SetPortName(unit.port);
    MainWindow window;
    open(window, unit);

    // Round the window from the tab bar: the AtoN page as it reads, column by
    // column, then the status bar and the tool bars.
    tabTo("qt_tabwidget_tabbar");
    const auto edit = [](const char *field, const QString &text) {
        QCOMPARE(tab(), QString(field));
        typeOver(text);
    };
    const auto step = [](const char *field, Qt::Key k) {
        QCOMPARE(tab(), QString(field));
        key(k);
    };
    edit("lineMMSI", "992359876");
    // The name pasted keeps what the unit can hold, in capitals, and says
    // what it dropped.
    QCOMPARE(tab(), QString("lineName"));
    QApplication::clipboard()->setText(QString::fromUtf8("keyboard p\u00e4ier"));
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY2(QToolTip::text().startsWith("\"\u00e4\" dropped: it is not in the AIS character set"),
             qPrintable(QToolTip::text()));
    step("comboTypeOfAtoN", Qt::Key_Down); // 13 to 14
    step("comboTypeOfEPFS", Qt::Key_Down); // surveyed: the accuracy is offered
    step("comboChannel1", Qt::Key_Down);   // 2087 to 2088
    step("comboChannel2", Qt::Key_Up);     // 2088 to 2087
    step("RACONFittedCheckBox", Qt::Key_Space);
    edit("lineLatitude", "50 47.5 N");
    edit("lineLongitude", "1 6.25 W");
    step("comboPositionAccuracy", Qt::Key_Up);
    QCOMPARE(tab(), QString("pushButtonSurvey"));
    edit("spinBoxOffPositionThreshold", "120");
    edit("spinBoxDimensionA", "6");
    edit("spinBoxDimensionB", "7");
    edit("spinBoxDimensionC", "4");
    edit("spinBoxDimensionD", "2");
    // In the table the arrows go from cell to cell and a digit opens the
    // cell; Tab takes the value and leaves for the buttons.
    QCOMPARE(tab(), QString("tableSchedules"));
    auto *table = child<QTableView>(window, "tableSchedules");
    QCOMPARE(table->currentIndex().row(), 0);
    for (int i = table->currentIndex().column(); i < 4; ++i)
        key(Qt::Key_Right);
    // The first digit opens the editor, which takes the focus for the rest.
    for (const char digit : {'1', '3', '5'})
        QTest::keyClick(focused(), digit);
    QCOMPARE(tab(), QString("pushButtonAddMessage"));
    key(Qt::Key_Space);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_8);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    // Back into the table to the message 12 row, and Remove takes it.
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), table);
    const auto message = [table] { return table->currentIndex().siblingAtColumn(0).data(); };
    key(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 8 && message() != QVariant(QStringLiteral("12")); ++i)
        key(Qt::Key_Down);
    QCOMPARE(message().toString(), QString("12"));
    QCOMPARE(tab(), QString("pushButtonAddMessage"));
    step("pushButtonRemoveMessage", Qt::Key_Space);
    QCOMPARE(focused(), table);
    for (const char *next :
         {"pushButtonAddMessage", "buttonUnitStatusSummary", "pushButtonDisconnect",
          "toolButtonRetrieveFromAtoN", "toolButtonSendToAtoN", "qt_tabwidget_tabbar", "lineMMSI"})
        QCOMPARE(tab(), QString(next));

    // The next page, and the focus goes with it; a field typed into there.
    key(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(child<QTabWidget>(window, "tabWidget")->currentIndex(), 1);
    QCOMPARE(focused()->objectName(), QString("LimEnable"));
    for (const char *next : {"SteadyOn", "MaxOnTime", "MaxOffTime", "MinVoltage"})
        QCOMPARE(tab(), QString(next));
    edit("MaxVoltage", "13.2");

    // Send while the voltage is still being typed; the box that names the
    // new MMSI is answered by its key.
    {
        ModalAnswer asked({[](QWidget *box) {
            QApplication::setActiveWindow(box);
            QTest::keyClick(box, Qt::Key_S, Qt::AltModifier);
        }});
        key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(asked.answered(), 1);
        QVERIFY2(asked.informativeTexts.value(0).contains("to 992359876."),
                 qPrintable(asked.informativeTexts.value(0)));
    }
    QTRY_VERIFY_WITH_TIMEOUT(Held(unit, "lantern", "limvmax").toInt() == 13200, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
    activate(window);
    QCOMPARE(focused()->objectName(), QString("MaxVoltage"));
    const QJsonObject held = unit.State();
    QCOMPARE(held["mmsi"].toString(), QString("992359876"));
    QCOMPARE(held["ace"]["name"].toString(), QString("KEYBOARD PIER"));
    QCOMPARE(held["acf"]["typeOfAtoN"].toInt(), 14);
    QCOMPARE(held["acf"]["typeOfEPFS"].toInt(), 7);
    QCOMPARE(held["acf"]["channel1"].toInt(), 2088);
    QCOMPARE(held["acf"]["channel2"].toInt(), 2087);
    QCOMPARE(held["ace"]["racon"].toBool(), false);
    QVERIFY(qAbs(held["acf"]["latitude"].toDouble() - (50 + 47.5 / 60)) < 1e-6);
    QVERIFY(qAbs(held["acf"]["longitude"].toDouble() + (1 + 6.25 / 60)) < 1e-6);
    QCOMPARE(held["acf"]["positionAccuracy"].toInt(), 0);
    QCOMPARE(held["ace"]["offPositionThreshold"].toInt(), 120);
    const int dimensions[] = {6, 7, 4, 2};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(held["ace"][QStringLiteral("dimension%1").arg(QChar('A' + i))].toInt(),
                 dimensions[i]);
    QCOMPARE(HeldRows(unit, 21).value(0)["slot1"].toInt(), 135);
    QCOMPARE(HeldRows(unit, 8).size(), 1);
    QCOMPARE(HeldRows(unit, 12).size(), 0);

    // Save: the dialog is answered by typing a name and Return.
    QTemporaryDir dir;
    const QString file = dir.filePath("keyboard.pad");
    QTimer::singleShot(0, [file] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        // The offscreen platform leaves the dialog inactive.
        QWidget *dialog = QApplication::activeModalWidget();
        QApplication::setActiveWindow(dialog);
        QTRY_VERIFY(focused());
        QTest::keyClicks(focused(), file);
        key(Qt::Key_Return);
        // Shut, so that a dialog that did not take the name fails the test
        // rather than hang it.
        if (QApplication::activeModalWidget() == dialog)
            dialog->close();
    });
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!QApplication::activeModalWidget());
    Model saved;
    QCOMPARE(PadFile::Load(file, &saved), PadFile::Done);
    QCOMPARE(saved.GetAtoN()->Name(), QString("KEYBOARD PIER"));
    QCOMPARE(saved.GetLanternInterface()->GetLimvmax(), 13200);
    QCOMPARE(window.CurrentFileName(), file);
    // Disconnect from the Unit menu, opened by its letter.
    activate(window);
    key(Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
}

// German numbers reach the unit as meant, and a number out of its range is
// refused by Save and Send alike until it is mended, all by the keys.
void TstKeyboard::refusedAndGermanNumbers()
{
    using A = ModalAnswer;
    SimProcess unit({"--fast"});
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
    App()->SetPortName(unit.port);
    QTemporaryDir dir;
    const QString file = dir.filePath("unit.pad");
    MainWindow window;
    window.setLocale(QLocale(QLocale::German, QLocale::Germany));
    open(window, unit);
    {
        A choose({A::ChooseFile(file)});
        key(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(choose.answered(), 1);
    }
    activate(window);
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();

    tabTo("lineLatitude");
    typeOver("50 30,5 N");
    tabTo("spinBoxOffPositionThreshold");
    QCOMPARE(child<QLineEdit>(window, "lineLatitude")->text(), QString("50° 30' 30,0\" N"));
    typeOver("1000");
    const QString why = "Threshold: 1000 m is outside 10 m to 999 m.";
    {
        A refused({A::Press(QMessageBox::Ok), A::Press(QMessageBox::Ok)});
        key(Qt::Key_S, Qt::ControlModifier);
        activate(window);
        key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(refused.answered(), 2);
        QCOMPARE(refused.titles, QStringList({"Vandrel", "Vandrel"}));
        QCOMPARE(refused.texts.value(0), QString("The file has not been saved:"));
        QCOMPARE(refused.informativeTexts.value(0), why);
        QVERIFY(refused.texts.value(1).contains(why) ||
                refused.informativeTexts.value(1).contains(why));
    }
    activate(window);
    QVERIFY(saved.seek(0));
    QCOMPARE(saved.readAll(), before);
    QCOMPARE(focused()->objectName(), QString("spinBoxOffPositionThreshold"));
    QVERIFY(!App()->GetTransport()->IsBusy());
    QCOMPARE(Held(unit, "ace", "offPositionThreshold").toInt(), 75);

    // Stepped back into the range, it goes, with German voltages: a comma
    // and a point both mean the decimal. The maximum, still being typed as
    // the AtoN page is taken again, is kept; there the focus is where it was.
    key(Qt::Key_Down);
    key(Qt::Key_Tab, Qt::ControlModifier);
    tabTo("MinVoltage");
    typeOver("12.3");
    tabTo("MaxVoltage");
    typeOver("13,2");
    key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(focused()->objectName(), QString("spinBoxOffPositionThreshold"));
    QCOMPARE(App()->EditModel()->GetLanternInterface()->GetLimvmax(), 13200);
    key(Qt::Key_T, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(Held(unit, "lantern", "limvmax").toInt() == 13200, 30000);
    QCOMPARE(Held(unit, "lantern", "limvmin").toInt(), 12300);
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
    QCOMPARE(Held(unit, "ace", "offPositionThreshold").toInt(), 999);
    QVERIFY(qAbs(Held(unit, "acf", "latitude").toDouble() - (50.5 + 0.5 / 60)) < 1e-6);

    // A longitude not available goes only when the box is answered so.
    const double longitude = Held(unit, "acf", "longitude").toDouble();
    tabTo("lineLongitude");
    typeOver("_");
    {
        A cancel({A::Press(QMessageBox::Cancel)});
        key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(cancel.texts, QStringList{"The nominal longitude is not available."});
    }
    QVERIFY(!App()->GetTransport()->IsBusy());
    QCOMPARE(Held(unit, "acf", "longitude").toDouble(), longitude);
    close(window);
}

// Every number field typed at both edges of its range and one step beyond
// each: beyond, Send refuses and names the field and the unit keeps what it
// held; at the edges, the unit takes them. A schedule cell whose number is
// refused stays open, so the two cells go one at a time.
void TstKeyboard::numberEdgesByKeys()
{
    using A = ModalAnswer;
    using L = LanternInterface;
    SimProcess unit({"--fast"});
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
    App()->SetPortName(unit.port);
    MainWindow window;
    open(window, unit);
    auto *pages = child<QTabWidget>(window, "tabWidget");
    struct Field
    {
        int page;
        const char *name; // a box, or the schedule table
        int column;       // of the table's first row
        QString below, lowest, highest, above;
        const char *group, *key;
        int heldLowest, heldHighest;
    };
    const QList<Field> boxes = {
        {0, "spinBoxOffPositionThreshold", -1, "9", "10", "999", "1000", "ace",
         "offPositionThreshold", 10, 999},
        {0, "spinBoxDimensionA", -1, "-1", "0", "511", "512", "ace", "dimensionA", 0, 511},
        {0, "spinBoxDimensionB", -1, "-1", "0", "511", "512", "ace", "dimensionB", 0, 511},
        {0, "spinBoxDimensionC", -1, "-1", "0", "63", "64", "ace", "dimensionC", 0, 63},
        {0, "spinBoxDimensionD", -1, "-1", "0", "63", "64", "ace", "dimensionD", 0, 63},
        {1, "MaxOnTime", -1, "-0.1", "0", "30", "30.1", "lantern", "limton", 0, 30000},
        {1, "MaxOffTime", -1, "-0.1", "0", "30", "30.1", "lantern", "limtoff", 0, 30000},
        {1, "MinVoltage", -1, "-0.1", "0", "33", "33.1", "lantern", "limvmin", 0, 33000},
        {1, "MaxVoltage", -1, "-0.1", "0", "33", "33.1", "lantern", "limvmax", 0, 33000},
        {1, "LanternSwitchSlewRate", -1, "-0.01", "0", "50", "50.01", "lantern", "limion", 0,
         L::SlewRateFromAmperesPerSecond(50)},
        {1, "LowLightThreshold", -1, "-1", "0", "400", "401", "lantern", "limpthresh", 0,
         L::ThresholdFromLux(400)},
    };
    const QList<Field> cells = {
        {0, "tableSchedules", 4, "-2", "-1", "2249", "2250", "schedule", "slot1", -1, 2249},
        {0, "tableSchedules", 5, "-1", "0", "3240000", "3240001", "schedule", "interval1", 0,
         3240000},
    };
    const auto toPage = [pages](int page) {
        while (pages->currentIndex() != page)
            key(page > pages->currentIndex() ? Qt::Key_PageDown : Qt::Key_PageUp,
                Qt::ControlModifier);
    };
    // The lantern's current is sensed only once asked for.
    toPage(1);
    tabTo("LanternCurrentSense");
    key(Qt::Key_Space);
    const auto type = [&](const Field &field, const QString &text) {
        toPage(field.page);
        tabTo(field.name);
        if (field.column >= 0) {
            key(Qt::Key_Home, Qt::ControlModifier);
            for (int i = 0; i < field.column; ++i)
                key(Qt::Key_Right);
            key(Qt::Key_F2);
        }
        typeOver(text);
    };
    const auto held = [&unit](const QList<Field> &fields) {
        QList<int> values;
        for (const Field &field : fields)
            values << (field.column < 0 ? Held(unit, field.group, field.key)
                                        : HeldRows(unit, 21).value(0)[field.key])
                          .toInt();
        return values;
    };
    // Send is refused, naming each of `fields` as `problem` does.
    const auto refused = [&](const QList<Field> &fields,
                             const std::function<QString(const Field &)> &problem) {
        toPage(0);
        A box({A::Press(QMessageBox::Ok)});
        key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(box.answered(), 1);
        const QString told = box.texts.value(0) + box.informativeTexts.value(0);
        for (const Field &field : fields) {
            const QString why = problem(field);
            QVERIFY2(!why.isEmpty() && told.contains(why), qPrintable(told));
        }
        activate(window);
        QVERIFY(!App()->GetTransport()->IsBusy());
    };
    const QList<Field> all = boxes + cells;
    const QList<int> before = held(all);
    for (QString Field::*beyond : {&Field::below, &Field::above}) {
        for (const Field &field : boxes)
            type(field, field.*beyond);
        refused(boxes, [&window](const Field &field) {
            const QString problem = child<NumberBox>(window, field.name)->Problem();
            return problem.contains(" is outside ") ? problem : QString();
        });
        for (const Field &field : cells) {
            type(field, field.*beyond);
            refused({field}, [beyond](const Field &field) {
                return QString("Schedule row 1, Channel 1 %1: %2 is outside ")
                    .arg(field.column == 4 ? "Start Slot" : "Interval")
                    .arg(field.*beyond + (field.column == 4 ? "" : " slots"));
            });
            key(Qt::Key_Escape);
        }
        QCOMPARE(held(all), before);
    }

    // Typed as a number in another notation, the threshold is refused whole
    // rather than read as the digits it holds.
    for (const Field &field : boxes)
        type(field, field.highest);
    type(boxes.first(), "1e3");
    key(Qt::Key_Tab);
    QCOMPARE(child<NumberBox>(window, boxes.first().name)->cleanText(), QString("1e3"));
    refused({boxes.first()}, [](const Field &) { return "Threshold: \"1e3\" is not a number."; });
    QCOMPARE(held(all), before);
    type(boxes.first(), boxes.first().highest);

    // The highest edge goes first: on and off times of 0 make the lantern
    // steady, which leaves the times out of the page.
    for (QString Field::*edge : {&Field::highest, &Field::lowest}) {
        if (edge == &Field::lowest)
            for (const Field &field : boxes)
                type(field, field.*edge);
        // The last cell is sent while its editor is still open: the cell
        // goes with the rest, and the keyboard comes back to its table.
        for (const Field &field : cells) {
            type(field, field.*edge);
            if (&field != &cells.last()) {
                key(Qt::Key_Return);
                QTRY_COMPARE(focused()->objectName(), QString(field.name));
            }
        }
        key(Qt::Key_T, Qt::ControlModifier);
        QList<int> expected;
        for (const Field &field : all)
            expected << (edge == &Field::lowest ? field.heldLowest : field.heldHighest);
        QTRY_COMPARE_WITH_TIMEOUT(held(all), expected, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
        activate(window);
        QTRY_VERIFY(focused());
        QCOMPARE(focused()->objectName(), QString("tableSchedules"));
    }
    close(window);
}

void TstKeyboard::everyMenuEntryHasItsOwnKey_data()
{
    QTest::addColumn<bool>("german");
    QTest::newRow("English") << false;
    QTest::newRow("German") << true;
}

// Alt and a letter reach every menu and every entry in it, in both languages.
void TstKeyboard::everyMenuEntryHasItsOwnKey()
{
    QFETCH(bool, german);
    const auto translation = german ? InstallGerman() : nullptr;
    if (german && !translation)
        QSKIP("the translations are not built");
    MainWindow window;
    std::unique_ptr<QMenu> schedule(
        child<RealAtoNTab>(window, "tabKelvane")->CreateScheduleMenu(-1));
    QList<QWidget *> menus{window.menuBar(), schedule.get()};
    for (int i = 0; i < menus.size(); ++i) {
        QSet<QChar> keys;
        for (QAction *action : menus.at(i)->actions()) {
            if (action->isSeparator())
                continue;
            const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
            const int mark = text.indexOf(QLatin1Char('&'));
            QVERIFY2(mark >= 0 && mark + 1 < text.size(), qPrintable(text));
            const QChar letter = text.at(mark + 1).toLower();
            QVERIFY2(!keys.contains(letter), qPrintable(text));
            keys << letter;
            // The key is named in the tool tip that the tool bars show.
            const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
            QVERIFY2(action->toolTip().contains(shortcut), qPrintable(action->toolTip()));
            if (action->menu())
                menus << action->menu();
        }
    }
    QVERIFY(menus.size() >= 8);
}

VANDREL_UI_TEST_MAIN(TstKeyboard)
#include "tst_ui_keyboard.moc"
