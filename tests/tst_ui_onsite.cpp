// The window on site: the nominal position surveyed from the unit's own
// fixes on the AtoN tab and sent with a look at the unit's report on air,
// whose finding joins the send's register entry however the wait ends;
// a receiver that tells its fix in RMC alone, said alike in the status bar
// and the Unit Status tab, and taken afresh when another unit docks, in
// English and German.

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "register/unitregister.h"
#include "status/geooffset.h"
#include "ui/mainwindow.h"
#include "ui/positionsurveydialog.h"

#include "modalanswer.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

class TestUiOnSite : public QObject
{
    Q_OBJECT

private:
    static bool idle()
    {
        const SerialTransport *transport = App()->GetTransport();
        return transport && transport->IsConnected() && !transport->IsBusy();
    }

    void showAndLink(MainWindow &window, const QString &port)
    {
        qputenv("VANDREL_PORTS", port.toLocal8Bit());
        App()->SetPortName(port);
        App()->SetMainWindow(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *combo = child<QComboBox>(window, "comboBoxPort");
        combo->showPopup();
        combo->hidePopup();
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(
            child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->isEnabled(), 10000);
    }

    void linkAndRetrieve(MainWindow &window, const QString &port)
    {
        showAndLink(window, port);
        press(window, "toolButtonRetrieveFromAtoN");
        QTRY_VERIFY_WITH_TIMEOUT(
            App()->GetStateMachine()->TabStateOf(0) == StateMachine::TabSynced && idle(), 30000);
    }

    static void press(MainWindow &window, const char *name)
    {
        auto *button = child<QToolButton>(window, name);
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(button->height() / 2, button->height() / 2));
    }

    static void tickOnAir(MainWindow &window)
    {
        auto *menu = child<QMenu>(window, "menuSend");
        auto *onAir = child<QAction>(window, "actionCheckOnAir");
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(onAir).center());
        QTRY_VERIFY(onAir->isChecked());
        menu->hide();
    }

    // The details of the unit's send entries, newest first.
    static QStringList sendDetails(const SimProcess &unit)
    {
        const QString serial = unit.State()["shell"].toObject()["serialNumber"].toString();
        QVector<RegisterEntry> entries;
        QString error;
        if (!App()->Register()->History({serial, {}, {}, {}, 0}, &entries, &error))
            qWarning("%s", qPrintable(error));
        QStringList details;
        for (const RegisterEntry &entry : qAsConst(entries)) {
            if (entry.kind == RegisterEntry::Kind::Send)
                details << entry.detail;
        }
        return details;
    }

    static void disconnect(MainWindow &window)
    {
        QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
        App()->SetMainWindow(nullptr);
    }

private slots:
    void surveyTakenAndCheckedOnAir();
    void onAirFindingInTheSendsEntry();
    void rmcAloneSaidAlikeAndTakenAfresh_data();
    void rmcAloneSaidAlikeAndTakenAfresh();
};

void TestUiOnSite::surveyTakenAndCheckedOnAir()
{
    SimProcess unit({"--fast", "--report-every", "2", "--no-alr", "--no-ai-text"});
    QVERIFY(!unit.port.isEmpty());
    MainWindow window;
    linkAndRetrieve(window, unit.port);
    const QJsonObject before = unit.State();
    auto *latitude = child<QLineEdit>(window, "lineLatitude");

    QTest::mouseClick(child<QPushButton>(window, "pushButtonSurvey"), Qt::LeftButton);
    auto *dialog = window.findChild<PositionSurveyDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    auto *use = child<QPushButton>(*dialog, "buttonSurveyUse");
    QVERIFY(!use->isEnabled());
    auto *minutes = child<QDoubleSpinBox>(*dialog, "spinSurveyMinutes");
    QTest::mouseClick(minutes, Qt::LeftButton);
    QTest::keyClick(minutes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(minutes, "0.1");
    QCOMPARE(minutes->value(), 0.1);
    QTest::mouseClick(child<QPushButton>(*dialog, "buttonSurveyStart"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(
        child<QLabel>(*dialog, "labelSurveyProgress")->text().contains("s left"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(use->isEnabled(), 20000);
    QVERIFY(child<QLabel>(*dialog, "labelSurveyMean")->text().startsWith("Mean: 50"));
    const double north = dialog->Latitude();
    const double east = dialog->Longitude();
    QTest::mouseClick(use, Qt::LeftButton);
    QTRY_VERIFY(!window.findChild<PositionSurveyDialog *>());
    // The mean is where the unit sits, within its receiver's wander; the
    // tab shows it and nothing went to the unit.
    QVERIFY(GeoOffset::Between(50 + 47.4512 / 60, -(1 + 6.2275 / 60), north, east).metres < 8.0);
    QCOMPARE(App()->EditModel()->GetAtoN()->GetPosition()->Latitude(), north);
    // The tab shows the mean (which may read as the old text: the unit's
    // nominal position lies within a metre of its fix).
    QCOMPARE(latitude->text(), App()->EditModel()->GetAtoN()->GetPosition()->LatitudeDms());
    QCOMPARE(unit.State(), before);

    // Sent with the look on air asked for in the send menu.
    tickOnAir(window);
    press(window, "toolButtonSendToAtoN");
    QTRY_VERIFY_WITH_TIMEOUT(window.statusBar()->currentMessage().contains("waiting up to"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(
        window.statusBar()->currentMessage().contains("carries every field sent"), 20000);
    QVERIFY(qAbs(unit.State()["acf"].toObject()["latitude"].toDouble() - north) < 1e-6);
    const QStringList sends = sendDetails(unit);
    QCOMPARE(sends.size(), 1);
    QVERIFY2(sends.first().contains(QRegularExpression("report at \\S+ \\S+ UTC carries every")),
             qPrintable(sends.first()));
    disconnect(window);
}

void TestUiOnSite::onAirFindingInTheSendsEntry()
{
    // A report that names the unit otherwise than it was sent: the box says
    // so, and the entry keeps the field that differs.
    {
        SimProcess unit({"--fast", "--report-every", "2", "--broadcast-name", "NOT SENT",
                         "--serial", "AIR-1", "--no-alr", "--no-ai-text"});
        QVERIFY(!unit.port.isEmpty());
        MainWindow window;
        linkAndRetrieve(window, unit.port);
        tickOnAir(window);
        ModalAnswer box({ModalAnswer::Press(QMessageBox::Ok)});
        press(window, "toolButtonSendToAtoN");
        QTRY_COMPARE_WITH_TIMEOUT(box.answered(), 1, 40000);
        QVERIFY(box.texts.first().contains("does not broadcast"));
        const QStringList sends = sendDetails(unit);
        QCOMPARE(sends.size(), 1);
        QVERIFY2(sends.first().contains("differs") && sends.first().contains("\"NOT SENT\""),
                 qPrintable(sends.first()));
        disconnect(window);
    }

    // No report comes while the check waits: the window closes over it, or
    // the unit is pulled. Each send has its entry, once, saying which.
    SimProcess unit(
        {"--fast", "--report-every", "3600", "--serial", "AIR-2", "--no-alr", "--no-ai-text"});
    QVERIFY(!unit.port.isEmpty());
    const auto sendAndWait = [this, &unit](MainWindow &window) {
        linkAndRetrieve(window, unit.port);
        tickOnAir(window);
        press(window, "toolButtonSendToAtoN");
        QTRY_VERIFY_WITH_TIMEOUT(window.statusBar()->currentMessage().contains("waiting up to"),
                                 30000);
    };
    auto window = std::make_unique<MainWindow>();
    sendAndWait(*window);
    QCOMPARE(sendDetails(unit).size(), 0);
    window.reset();
    QStringList sends = sendDetails(unit);
    QCOMPARE(sends.size(), 1);
    QVERIFY2(sends.first().contains("the window closed"), qPrintable(sends.first()));
    App()->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);

    MainWindow second;
    sendAndWait(second);
    ModalAnswer boxes({ModalAnswer::Press(QMessageBox::Ok), ModalAnswer::Press(QMessageBox::Ok)});
    unit.Unplug();
    QTRY_VERIFY_WITH_TIMEOUT(boxes.answered() >= 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(sendDetails(unit).size(), 2, 5000);
    sends = sendDetails(unit);
    QVERIFY2(sends.first().contains("line closed before the unit reported"),
             qPrintable(sends.first()));
    QVERIFY2(sends.last().contains("the window closed"), qPrintable(sends.last()));
    QTest::qWait(200);
    QCOMPARE(sendDetails(unit).size(), 2);
    App()->SetMainWindow(nullptr);
}

void TestUiOnSite::rmcAloneSaidAlikeAndTakenAfresh_data()
{
    QTest::addColumn<bool>("german");
    QTest::newRow("en") << false;
    QTest::newRow("de") << true;
}

void TestUiOnSite::rmcAloneSaidAlikeAndTakenAfresh()
{
    QFETCH(bool, german);
    const auto translation = german ? InstallGerman() : nullptr;
    QVERIFY2(!german || translation, "the German translation is not built");
    SimProcess unit({"--fast", "--rmc-only", "--no-alr", "--no-ai-text", "--no-vdo"});
    QVERIFY(!unit.port.isEmpty());
    MainWindow window;
    showAndLink(window, unit.port);
    auto *summary = child<QToolButton>(window, "buttonUnitStatusSummary");
    QTest::mouseClick(summary, Qt::LeftButton);
    auto *fix = child<QLabel>(window, "labelGpsFix");
    auto *satellites = child<QLabel>(window, "labelGpsSatellites");
    auto *position = child<QLabel>(window, "labelGpsPosition");
    const QString twoD = german ? "2D-Fix" : "2D fix";
    const QString notKnown = german ? "noch nicht bekannt" : "not known yet";
    QTRY_VERIFY_WITH_TIMEOUT(fix->text().startsWith(twoD), 10000);
    QTRY_VERIFY(summary->text().startsWith(twoD));
    // Neither says a count the receiver never told.
    QCOMPARE(satellites->text(), notKnown);
    QVERIFY2(summary->text().contains(notKnown), qPrintable(summary->text()));
    QVERIFY(position->text().startsWith("50"));

    // Another unit docks, ten degrees south: its own fix is shown, not
    // "no fix" for the rest of the link.
    QJsonObject other = unit.State();
    QJsonObject acf = other["acf"].toObject(), shell = other["shell"].toObject();
    acf["latitude"] = 40.5;
    shell["serialNumber"] = "VK0077777";
    other["acf"] = acf, other["shell"] = shell;
    ModalAnswer docked({ModalAnswer::Press(QMessageBox::Ok)});
    unit.Redock(other);
    QTRY_COMPARE_WITH_TIMEOUT(docked.answered(), 1, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(position->text().startsWith("40"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(fix->text().startsWith(twoD), 5000);
    QVERIFY(summary->text().startsWith(twoD) && summary->text().contains(notKnown));
    QCOMPARE(satellites->text(), notKnown);
    disconnect(window);
}

VANDREL_UI_TEST_MAIN(TestUiOnSite)
#include "tst_ui_onsite.moc"
