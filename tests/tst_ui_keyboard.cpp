// The window against the unit simulator, typed into as a person types: what a
// field cannot take stays out of the unit and the file, and numbers typed the
// German way reach the unit as meant.

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "ui/mainwindow.h"
#include "ui/numberbox.h"

#include "modalanswer.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

class TstKeyboard : public QObject
{
    Q_OBJECT

private:
    // A value that the unit holds now.
    static QJsonValue Held(const SimProcess &unit, const char *group, const char *key)
    {
        const QJsonObject state = unit.State();
        return state[group][key];
    }
    static bool synced()
    {
        const SerialTransport *transport = App()->GetTransport();
        const StateMachine *machine = App()->GetStateMachine();
        return transport && transport->IsConnected() && !transport->IsBusy() &&
               machine->TabStateOf(0) == StateMachine::TabSynced &&
               machine->TabStateOf(1) == StateMachine::TabSynced;
    }
    // Clicks a tool-bar button on its main part (not its menu arrow).
    static void press(MainWindow &w, const char *button)
    {
        auto *b = child<QToolButton>(w, button);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2));
    }
    // Clicks into a field and types over what it holds.
    static void typeOver(MainWindow &w, const char *field, const QString &text)
    {
        auto *widget = child<QWidget>(w, field);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(widget, text);
    }
    // The window linked to `unit`, with what the unit holds retrieved.
    void open(MainWindow &window, const SimProcess &unit)
    {
        QVERIFY(!unit.port.isEmpty());
        App()->SetMainWindow(&window);
        window.resize(1100, 760);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
        App()->SetPortName(unit.port);
        auto *combo = child<QComboBox>(window, "comboBoxPort");
        combo->showPopup();
        combo->hidePopup();
        activate(window);
        // Connect and Retrieve by their keys (the offscreen platform may
        // leave no window active between them).
        QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(child<QWidget>(window, "toolButtonRetrieveFromAtoN")->isEnabled(),
                                 10000);
        activate(window);
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(synced(), 60000);
        activate(window);
    }
    // Disconnect, and the link is gone before the next test links again.
    static void close(MainWindow &window)
    {
        activate(window);
        QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    }
    // The offscreen platform leaves a popup or a dialog that has gone active.
    static void activate(MainWindow &window)
    {
        QApplication::setActiveWindow(&window);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }

private slots:
    void refusedFieldsStayOut();
    void germanNumbersReachTheUnit();
    void cleanup() { App()->SetMainWindow(nullptr); }
};

void TstKeyboard::refusedFieldsStayOut()
{
    using A = ModalAnswer;
    SimProcess unit({"--fast"});
    QTemporaryDir dir;
    const QString file = dir.filePath("unit.pad");
    MainWindow window;
    open(window, unit);
    {
        A choose({A::ChooseFile(file)});
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(choose.answered(), 1);
    }
    activate(window);
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    const int held = Held(unit, "ace", "offPositionThreshold").toInt();

    // Every digit stays; Ctrl+S and Send refuse, naming the field, and
    // neither the file nor the unit gets anything.
    typeOver(window, "spinBoxOffPositionThreshold", "1000");
    auto *threshold = child<NumberBox>(window, "spinBoxOffPositionThreshold");
    QCOMPARE(threshold->text(), QString("1000 m"));
    const QString why = "Threshold: 1000 m is outside 10 m to 999 m.";
    {
        A refused({A::Press(QMessageBox::Ok), A::Press(QMessageBox::Ok)});
        QTest::keyClick(threshold, Qt::Key_S, Qt::ControlModifier);
        activate(window);
        press(window, "toolButtonSendToAtoN");
        QCOMPARE(refused.answered(), 2);
        QCOMPARE(refused.titles, QStringList({"Vandrel", "Vandrel"}));
        QCOMPARE(refused.texts.value(0), QString("The file has not been saved:"));
        QCOMPARE(refused.informativeTexts.value(0), why);
        QVERIFY(refused.texts.value(1).contains(why) ||
                refused.informativeTexts.value(1).contains(why));
    }
    QVERIFY(saved.seek(0));
    QCOMPARE(saved.readAll(), before);
    QCOMPARE(threshold->text(), QString("1000 m"));
    QVERIFY(!App()->GetTransport()->IsBusy());
    QCOMPARE(Held(unit, "ace", "offPositionThreshold").toInt(), held);

    // Stepped back into the range, it goes.
    QTest::keyClick(threshold, Qt::Key_Down);
    press(window, "toolButtonSendToAtoN");
    QTRY_VERIFY_WITH_TIMEOUT(Held(unit, "ace", "offPositionThreshold").toInt() == 999, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);

    // A longitude not available goes only when the box is answered so.
    const double longitude = Held(unit, "acf", "longitude").toDouble();
    typeOver(window, "lineLongitude", "_");
    {
        A cancel({A::Press(QMessageBox::Cancel)});
        press(window, "toolButtonSendToAtoN");
        QCOMPARE(cancel.texts, QStringList{"The nominal longitude is not available."});
    }
    QVERIFY(!App()->GetTransport()->IsBusy());
    QCOMPARE(Held(unit, "acf", "longitude").toDouble(), longitude);
    close(window);
}

void TstKeyboard::germanNumbersReachTheUnit()
{
    SimProcess unit({"--fast"});
    MainWindow window;
    window.setLocale(QLocale(QLocale::German, QLocale::Germany));
    open(window, unit);
    typeOver(window, "lineLatitude", "50 30,5 N");
    QTest::keyClick(child<QWidget>(window, "lineLatitude"), Qt::Key_Tab);
    QCOMPARE(child<QLineEdit>(window, "lineLatitude")->text(), QString("50° 30' 30,0\" N"));
    child<QTabWidget>(window, "tabWidget")->setCurrentIndex(1);
    typeOver(window, "MaxVoltage", "13,2");
    // Send by its key, the voltage still being typed.
    QTest::keyClick(child<QWidget>(window, "MaxVoltage"), Qt::Key_T, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(Held(unit, "lantern", "limvmax").toInt() == 13200, 30000);
    QVERIFY(qAbs(Held(unit, "acf", "latitude").toDouble() - (50.5 + 0.5 / 60)) < 1e-6);
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
    close(window);
}

VANDREL_UI_TEST_MAIN(TstKeyboard)
#include "tst_ui_keyboard.moc"
