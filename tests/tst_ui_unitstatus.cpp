// The "Unit Status" tab in the window, linked to the simulator of a unit
// that drifts off its position and back. With VANDREL_SCREENSHOT_DIR set to
// a folder, each language's run also saves a picture of the tab there.

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "model/aton.h"
#include "ui/mainwindow.h"
#include "ui/unitstatussummary.h"
#include "ui/unitstatustab.h"

#include "childwidget.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>

namespace {

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

QString Text(QWidget &window, const char *label)
{
    return child<QLabel>(window, label)->text();
}

} // namespace

class TstUnitStatusTab : public QObject
{
    Q_OBJECT

private slots:
    void linkedToDriftingUnit_data();
    void linkedToDriftingUnit();
};

void TstUnitStatusTab::linkedToDriftingUnit_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("tabTitle");
    QTest::newRow("English") << "en"
                             << "Unit Status";
    QTest::newRow("German") << "de" << QString::fromUtf8("Gerätestatus");
}

void TstUnitStatusTab::linkedToDriftingUnit()
{
    QFETCH(QString, language);
    QFETCH(QString, tabTitle);
    const auto german = language == QLatin1String("de") ? InstallGerman() : nullptr;
    QVERIFY(german || language == QLatin1String("en"));

    // The document holds the unit's MMSI, nominal position and threshold.
    AtoN *aton = App()->EditModel()->GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351234"));
    aton->GetPosition()->SetLatitude(50 + 47.4512 / 60);
    aton->GetPosition()->SetLongitude(-(1 + 6.2275 / 60));
    aton->SetOffPositionThreshold(75);

    SimProcess sim({"--drift", "150", "--cycle", "30"});
    qputenv("VANDREL_PORTS", sim.port.toLocal8Bit());
    App()->SetPortName(sim.port);
    MainWindow window;
    App()->SetMainWindow(&window);
    window.resize(1024, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(3), tabTitle);

    auto *combo = child<QComboBox>(window, "comboBoxPort");
    combo->showPopup();
    combo->hidePopup();
    QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(App()->GetTransport() && App()->GetTransport()->IsConnected(), 5000);

    // The status bar summary opens the tab.
    auto *summary = child<UnitStatusSummary>(window, "buttonUnitStatusSummary");
    QTest::mouseClick(summary, Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 3);

    QTRY_COMPARE_WITH_TIMEOUT(Text(window, "labelReportMmsi"), QStringLiteral("992351234"), 15000);
    QVERIFY(!Text(window, "labelGpsSatellites").startsWith('-'));
    // The unit drifts off and reports it: an active alarm, first in the table.
    QTRY_VERIFY_WITH_TIMEOUT(summary->styleSheet().contains("bold"), 20000);
    auto *alarms = child<QTableWidget>(window, "tableAlarms");
    QTRY_VERIFY_WITH_TIMEOUT(alarms->rowCount() >= 4, 5000);
    QTRY_VERIFY(alarms->item(0, 0)->font().bold());
    QCOMPARE(alarms->item(0, 0)->text(), QStringLiteral("062"));
    QVERIFY(!alarms->item(alarms->rowCount() - 1, 0)->font().bold());

    // The battery voltage is read on request while the link is idle.
    auto *refresh = child<QPushButton>(window, "pushButtonBatteryRefresh");
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetStateMachine()->IsTransferring(), 10000);
    QTest::mouseClick(refresh, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Text(window, "labelBatteryVoltage").startsWith("12600 mV"), 5000);

    const QString folder = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        // A second report, so that the picture holds a track.
        QTRY_VERIFY_WITH_TIMEOUT(Text(window, "labelReportInterval") != "-", 15000);
        QTest::qWait(UnitStatusTab::RedrawDelayMs * 2);
        QVERIFY(QDir().mkpath(folder));
        // The whole tab, which scrolls in the window.
        QVERIFY(
            child<UnitStatusTab>(window, "tabUnitStatus")
                ->widget()
                ->grab()
                .save(QDir(folder).filePath(QStringLiteral("unitstatus-%1.png").arg(language))));
    }

    auto *disconnect = child<QPushButton>(window, "pushButtonDisconnect");
    QTRY_VERIFY_WITH_TIMEOUT(disconnect->isEnabled(), 10000);
    QTest::mouseClick(disconnect, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
    // Without a link there is nothing to ask (the tab is redrawn when the
    // GPS data go stale).
    QTRY_VERIFY(!refresh->isEnabled());
    App()->SetMainWindow(nullptr);
}

VANDREL_UI_TEST_MAIN(TstUnitStatusTab)
#include "tst_ui_unitstatus.moc"
