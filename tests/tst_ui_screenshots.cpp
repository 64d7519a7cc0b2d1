#include "uitestmain.h"

#include "app/statemachine.h"
#include "ui/aboutdialog.h"
#include "ui/mainwindow.h"
#include "ui/realatontab.h"
#include "ui/serialdisplay.h"
#include "ui/serialtab.h"
#include "ui/statuslabel.h"
#include "ui/unitstatussummary.h"
#include "ui/unitstatustab.h"

#include "modalanswer.h"
#include "support/simprocess.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QTranslator>

// Renders each tab, the About box and the whole window linked to a unit with
// the offscreen platform into a temporary folder, or VANDREL_SCREENSHOT_DIR
// (docs/screenshots for the documentation), and checks that nothing is cut
// off.  The linked window's Unit Status tab is used as a person uses it.
namespace {

// Widgets with less room than their text needs, lying outside their parent,
// or a table that cuts columns off.
QStringList Clipped(const QWidget *top)
{
    QStringList faults;
    for (const QWidget *widget : top->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(top) || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString name = widget->objectName();
        const QWidget *parent = widget->parentWidget();
        if (parent && parent->isVisibleTo(top) && !parent->rect().contains(widget->geometry()) &&
            !qobject_cast<const QAbstractScrollArea *>(parent->parentWidget()))
            faults << QStringLiteral("%1 lies outside %2").arg(name, parent->objectName());

        // A word-wrapping label, a status-bar text (which ends in an
        // ellipsis) and any other widget may be narrower than its hint.
        const auto *label = qobject_cast<const QLabel *>(widget);
        int needed = -1;
        if ((label && !label->wordWrap() && !qobject_cast<const StatusLabel *>(label)) ||
            qobject_cast<const QAbstractButton *>(widget) ||
            qobject_cast<const QComboBox *>(widget) ||
            qobject_cast<const QAbstractSpinBox *>(widget))
            needed = widget->sizeHint().width();
        else if (qobject_cast<const QGroupBox *>(widget))
            needed = widget->minimumSizeHint().width();
        // What a scroll area holds scrolls, so it may be lower than its hint.
        const int lowest =
            qobject_cast<const QAbstractScrollArea *>(widget)
                ? 0
                : qMin(widget->sizeHint().height(), widget->minimumSizeHint().height());
        if (needed > widget->width() || widget->height() < lowest)
            faults << QStringLiteral("%1 is too small").arg(name);
    }
    // A page that scrolls does so up and down only.
    for (const QScrollArea *page : top->findChildren<QScrollArea *>()) {
        if (page->isVisibleTo(top) && page->horizontalScrollBar()->isVisible())
            faults << QStringLiteral("%1 needs %2 pixels across")
                          .arg(page->objectName())
                          .arg(page->widget()->minimumSizeHint().width());
    }
    for (const QTableView *table : top->findChildren<QTableView *>()) {
        if (table->isVisibleTo(top) &&
            table->viewport()->width() < table->horizontalHeader()->length())
            faults << QStringLiteral("%1 cuts columns off").arg(table->objectName());
    }
    return faults;
}

void FillAtoN(Model *model)
{
    AtoN *aton = model->GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    aton->SetName(QStringLiteral("NORTH PIER LIGHT"));
    aton->SetTypeOfAtoN(25);
    aton->SetTypeOfEPFS(1);
    aton->SetPositionAccuracy(1);
    aton->GetPosition()->SetLatitude(57.69125);
    aton->GetPosition()->SetLongitude(-3.00417);
    aton->SetOffPositionThreshold(15);
    aton->SetRacon(true);
    aton->SetDimensionA(12);
    aton->SetDimensionB(30);
    aton->SetDimensionC(4);
    aton->SetDimensionD(9);

    MessageSchedule *schedule = model->GetMessageSchedule();
    QVERIFY(schedule->EnableReport(1));
    // The report's channels well apart: no slot clash.
    MessageScheduleEntry report = schedule->EntryAt(0);
    report.SetStartSlot1(120);
    report.SetStartSlot2(860);
    QVERIFY(schedule->SetEntry(0, report));
    int row = -1;
    for (int message : {6, 8, 112})
        QVERIFY(schedule->AddMessage(message, row));
    MessageScheduleEntry entry = schedule->EntryAt(row);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetInterval1(30);
    entry.SetInterval2(0);
    entry.SetStartTime1(QTime(12, 30));
    QVERIFY(schedule->SetEntry(row, entry));
}

} // namespace

// A unit's traffic, shown and sent, a log being written, two lines selected,
// and the display paused with lines held.
void ShowTraffic(SerialTab *tab)
{
    tab->OnOpened();
    tab->findChild<QCheckBox *>("checkBoxShowSent")->setChecked(true);
    tab->SetLogging(true, "/home/eng/logs/buoy-7.log");
    tab->OnReceived("$PVKX,0,appver,3.1.4*5C\n$AIALR,101530.00,006,V,V,AIS: Antenna VSWR*0E\n"
                    "$GNZDA,101530.00,07,12,2026,00,00*7C\n$AITXT,01,01,91,FREQ,2087,2088*57\n");
    tab->OnSent("$PVKX,0,battvolts*1F\r\n");
    tab->OnReceived("$PVKX,0,battvolts,13.58*7A\n");
    auto *view = tab->findChild<SerialDisplay *>("textEditReceived");
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(1, view->height() / 10));
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    tab->findChild<QToolButton *>("toolButtonPause")->click();
    tab->OnReceived("$GPRMC,101531.00,A,5741.4750,N,00300.2502,W,0.02,,071226,,,A*63\n");
    QTest::qWait(300);
}

class TestScreenshots : public QObject
{
    Q_OBJECT

    QTemporaryDir temporary;
    QString folder;

private slots:
    void initTestCase()
    {
        folder = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
        if (folder.isEmpty())
            folder = temporary.path();
        QVERIFY(QDir().mkpath(folder));
    }

    void shoot_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"realaton-floating", "about", "serial-data", "serial-data-de"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // Shows each at its preferred size, checks it and writes <name>.png.
    void shoot()
    {
        QFETCH(QString, name);
        std::unique_ptr<QTranslator> german;
        if (name.endsWith("-de") && !(german = InstallGerman()))
            QSKIP("the translations are not built");
        const NumbersOf numbers(german != nullptr);
        Model model;
        std::unique_ptr<QWidget> widget;
        QSize size;
        if (name.startsWith("realaton")) {
            FillAtoN(&model);
            auto *tab = new RealAtoNTab(&model);
            widget.reset(tab);
            tab->OnVersion(QStringLiteral("3.1.4 (build 2207)"));
            tab->OnProductSerialNumber(QStringLiteral("QV-004417"));
            tab->OnBatteryVoltage(QStringLiteral("13580"));
            // The tab page of a 1366 x 768 window.
            size = QSize(1366, 768 - 135);
        } else if (name.startsWith("serial")) {
            widget = std::make_unique<SerialTab>();
        } else {
            widget = std::make_unique<AboutDialog>();
        }

        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        // Otherwise the preferred size of what is shown (not of a scroll
        // area), known once it is shown.
        auto *scrolled = widget->findChild<QScrollArea *>();
        const QWidget *shown = scrolled ? scrolled->widget() : widget.get();
        if (size.isEmpty())
            size = shown->sizeHint().expandedTo(shown->minimumSizeHint());
        widget->resize(size);
        if (auto *tab = qobject_cast<SerialTab *>(widget.get()))
            ShowTraffic(tab);
        QTest::qWait(50);
        Save(widget.get(), name);
        // The warning on an MMSI of another form takes no room from the columns beside.
        if (name.startsWith("realaton")) {
            child<QLineEdit>(*widget, "lineMMSI")->setText(QStringLiteral("235123456"));
            QTest::qWait(50);
            QVERIFY(child<QLabel>(*widget, "MMSIValidationWarningLabel")->isVisible());
            QCOMPARE(Clipped(widget.get()), QStringList());
        }
    }

    void window_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "en";
        QTest::newRow("de") << "de";
    }

    // The window at 1366 x 768 (and at 1024 x 600) linked to a
    // drifting unit: what it holds retrieved and saved, its traffic with the
    // lines sent shown, its status as it reports it.  Each tab is checked
    // and written to window-<tab>-<language>.png.
    void window()
    {
        QFETCH(QString, language);
        const auto german = language == QLatin1String("de") ? InstallGerman() : nullptr;
        if (language == QLatin1String("de") && !german)
            QSKIP("the translations are not built");
        const NumbersOf numbers(german != nullptr);
        SimProcess unit({"--drift", "150", "--cycle", "30"});
        QVERIFY(!unit.port.isEmpty());
        qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
        App()->SetPortName(unit.port);
        MainWindow window;
        App()->SetMainWindow(&window);
        window.resize(1366, 768);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        child<QCheckBox>(window, "checkBoxShowSent")->setChecked(true);
        auto *combo = child<QComboBox>(window, "comboBoxPort");
        combo->showPopup();
        combo->hidePopup();
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        auto *retrieve = child<QToolButton>(window, "toolButtonRetrieveFromAtoN");
        QTRY_VERIFY_WITH_TIMEOUT(retrieve->isEnabled(), 10000);
        // The status bar summary opens the status tab; its battery voltage
        // is read on request (nothing has read it before).
        auto *tabs = child<QTabWidget>(window, "tabWidget");
        QCOMPARE(tabs->tabText(3) == QLatin1String("Unit Status"), !german);
        auto *summary = child<UnitStatusSummary>(window, "buttonUnitStatusSummary");
        QTest::mouseClick(summary, Qt::LeftButton);
        QCOMPARE(tabs->currentIndex(), 3);
        auto *refresh = child<QPushButton>(window, "pushButtonBatteryRefresh");
        QVERIFY(!child<QLabel>(window, "labelBatteryVoltage")->text().startsWith("12600"));
        QTest::mouseClick(refresh, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(
            child<QLabel>(window, "labelBatteryVoltage")->text().startsWith("12600 mV"), 5000);
        QTest::mouseClick(retrieve, Qt::LeftButton, {}, QPoint(8, retrieve->height() / 2));
        const StateMachine *machine = App()->GetStateMachine();
        QTRY_VERIFY_WITH_TIMEOUT(machine->TabStateOf(0) == StateMachine::TabSynced &&
                                     machine->TabStateOf(1) == StateMachine::TabSynced,
                                 30000);
        ModalAnswer saved({ModalAnswer::ChooseFile(temporary.filePath("north-pier"))});
        child<QAction>(window, "actionSave_As")->trigger();
        QCOMPARE(saved.answered(), 1);
        // The status tab, drawn while it is shown: the unit drifts off and
        // reports it, an active alarm in bold, first in the table.
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(window, "labelReportMmsi")->text(),
                                  QStringLiteral("992351234"), 15000);
        QVERIFY(!child<QLabel>(window, "labelGpsSatellites")->text().startsWith('-'));
        // Numbers in the language's form: 50° 47,4767' N in German.
        QCOMPARE(child<QLabel>(window, "labelReportPosition")->text().contains(','), !!german);
        QTRY_VERIFY_WITH_TIMEOUT(summary->styleSheet().contains("bold"), 20000);
        auto *alarms = child<QTableWidget>(window, "tableAlarms");
        QTRY_VERIFY_WITH_TIMEOUT(alarms->rowCount() >= 4, 5000);
        QTRY_VERIFY(alarms->item(0, 0)->font().bold());
        QCOMPARE(alarms->item(0, 0)->text(), QStringLiteral("062"));
        QVERIFY(!alarms->item(alarms->rowCount() - 1, 0)->font().bold());
        // For the documentation, a second report: its interval and a track.
        if (!qEnvironmentVariableIsEmpty("VANDREL_SCREENSHOT_DIR"))
            QTRY_VERIFY_WITH_TIMEOUT(
                child<QLabel>(window, "labelReportInterval")->text() != QLatin1String("-"), 15000);

        const char *names[] = {"aton", "lantern", "serial", "unitstatus"};
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QTest::qWait(300);
            Save(&window, QStringLiteral("window-%1-%2").arg(names[tab], language));
        }
        // The whole status tab, which scrolls in the window.
        const QString status = QStringLiteral("unitstatus-%1.png").arg(language);
        QVERIFY(child<UnitStatusTab>(window, "tabUnitStatus")
                    ->widget()
                    ->grab()
                    .save(QDir(folder).filePath(status)));
        window.resize(1024, 600);
        tabs->setCurrentIndex(0);
        QTest::qWait(300);
        Save(&window, QStringLiteral("window-aton-1024x600") + (german ? "-de" : ""));
        // Without a link there is nothing to ask (the shown status tab is
        // redrawn when the GPS data go stale).
        tabs->setCurrentIndex(3);
        QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
        QTRY_VERIFY(!refresh->isEnabled());
        App()->SetMainWindow(nullptr);
    }

private:
    // Writes <name>.png, then checks that nothing in `widget` is cut off.
    void Save(QWidget *widget, const QString &name)
    {
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        QVERIFY(widget->grab().save(file));
        qInfo().noquote() << "wrote" << file;
        const QStringList faults = Clipped(widget);
        QVERIFY2(faults.isEmpty(), qPrintable(name + ": " + faults.join(QStringLiteral("; "))));
    }
};

VANDREL_UI_TEST_MAIN(TestScreenshots)
#include "tst_ui_screenshots.moc"
