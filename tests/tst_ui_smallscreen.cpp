// The window on a 1024 x 600 screen, in English and German: retrieving and
// sending fill its pages with the unit's texts, and it must not grow past
// the screen for them; its pages scroll down instead.

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "ui/mainwindow.h"

#include "support/simprocess.h"
#include "uitestmain.h"

#include <QComboBox>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

class TestSmallScreen : public QObject
{
    Q_OBJECT

private slots:
    void staysOnTheScreen_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("en") << false;
        QTest::newRow("de") << true;
    }

    void staysOnTheScreen()
    {
        QFETCH(bool, german);
        const auto translation = german ? InstallGerman() : nullptr;
        QVERIFY2(!german || translation, "the German translation is not built");
        const NumbersOf numbers(german);
        SimProcess unit({"--fast"});
        QVERIFY(!unit.port.isEmpty());
        qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
        App()->SetPortName(unit.port);
        MainWindow window;
        App()->SetMainWindow(&window);
        const QSize screen(1024, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The whole screen, less the frame the window system draws.
        window.resize(screen - (window.frameGeometry().size() - window.size()));
        QTRY_VERIFY(window.frameGeometry().size() == screen);
        auto *tabs = child<QTabWidget>(window, "tabWidget");

        // Every page shown in turn, as the engineer would look at it.
        const auto fits = [&](const char *when) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                QTest::qWait(50);
                const QString where = QStringLiteral("%1, page %2: ").arg(when).arg(tab);
                QVERIFY2(window.frameGeometry().width() <= screen.width() &&
                             window.frameGeometry().height() <= screen.height() &&
                             window.minimumSizeHint().width() <= screen.width() &&
                             window.minimumSizeHint().height() <= screen.height(),
                         qPrintable(where + QStringLiteral("the window is %1 x %2, needs %3 x %4")
                                                .arg(window.frameGeometry().width())
                                                .arg(window.frameGeometry().height())
                                                .arg(window.minimumSizeHint().width())
                                                .arg(window.minimumSizeHint().height())));
                for (const QScrollArea *page : tabs->currentWidget()->findChildren<QScrollArea *>())
                    QVERIFY2(!page->horizontalScrollBar()->isVisible(),
                             qPrintable(where + page->objectName() + " scrolls sideways"));
            }
            tabs->setCurrentIndex(0);
        };
        const auto idle = [] {
            const StateMachine *machine = App()->GetStateMachine();
            const SerialTransport *transport = App()->GetTransport();
            return machine->TabStateOf(0) == StateMachine::TabSynced &&
                   machine->TabStateOf(1) == StateMachine::TabSynced && transport &&
                   !transport->IsBusy();
        };
        const auto press = [&](const char *name) {
            auto *button = child<QToolButton>(window, name);
            QTest::mouseClick(button, Qt::LeftButton, {},
                              QPoint(button->height() / 2, button->height() / 2));
        };

        auto *combo = child<QComboBox>(window, "comboBoxPort");
        combo->showPopup();
        combo->hidePopup();
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(
            child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->isEnabled(), 10000);
        fits("linked");
        press("toolButtonRetrieveFromAtoN");
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 30000);
        fits("retrieved");

        // A changed name, sent: the unit holds it, and the window still fits.
        auto *name = child<QLineEdit>(window, "lineName");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, "SMALL SCREEN");
        press("toolButtonSendToAtoN");
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 30000);
        QCOMPARE(unit.State()["ace"].toObject()["name"].toString(), QString("SMALL SCREEN"));
        fits("sent");

        QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
        App()->SetMainWindow(nullptr);
    }
};

VANDREL_UI_TEST_MAIN(TestSmallScreen)
#include "tst_ui_smallscreen.moc"
