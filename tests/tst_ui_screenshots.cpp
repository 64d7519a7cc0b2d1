#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"
#include "ui/aboutdialog.h"
#include "ui/realatontab.h"
#include "ui/serialdisplay.h"
#include "ui/serialtab.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QTranslator>

// Renders each tab and the About box with the offscreen platform into a
// temporary folder, or VANDREL_SCREENSHOT_DIR (docs/screenshots for the
// documentation), and checks that nothing is cut off.
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

        // A word-wrapping label and any other widget may be narrower than its hint.
        const auto *label = qobject_cast<const QLabel *>(widget);
        int needed = -1;
        if ((label && !label->wordWrap()) || qobject_cast<const QAbstractButton *>(widget) ||
            qobject_cast<const QComboBox *>(widget) ||
            qobject_cast<const QAbstractSpinBox *>(widget))
            needed = widget->sizeHint().width();
        else if (qobject_cast<const QGroupBox *>(widget))
            needed = widget->minimumSizeHint().width();
        const int lowest = qMin(widget->sizeHint().height(), widget->minimumSizeHint().height());
        if (needed > widget->width() || widget->height() < lowest)
            faults << QStringLiteral("%1 is too small").arg(name);
    }
    for (const QTableView *table : top->findChildren<QTableView *>()) {
        if (table->viewport()->width() < table->horizontalHeader()->length())
            faults << QStringLiteral("%1 cuts columns off").arg(table->objectName());
    }
    return faults;
}

void FillAtoN(Model *model, int type)
{
    AtoN *aton = model->GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    aton->SetName(QStringLiteral("NORTH PIER LIGHT"));
    aton->SetTypeOfAtoN(type);
    aton->SetTypeOfEPFS(AtoN::IsFixedAtoNType(type) ? 7 : 1);
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
        for (const char *name :
             {"realaton-fixed", "realaton-floating", "realaton-fixed-de", "realaton-small",
              "lantern-steady", "lantern-flashing", "about", "serial-data", "serial-data-de"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // Shows each at its preferred size, checks it and writes <name>.png.
    void shoot()
    {
        QFETCH(QString, name);
        std::unique_ptr<QTranslator> german;
        if (name.endsWith("-de") && !(german = InstallGerman()))
            QSKIP("the translations are not built");
        Model model;
        std::unique_ptr<QWidget> widget;
        QSize size;
        if (name.startsWith("realaton")) {
            FillAtoN(&model, name.contains("fixed") ? 3 : 25);
            auto *tab = new RealAtoNTab(&model);
            widget.reset(tab);
            tab->OnVersion(QStringLiteral("3.1.4 (build 2207)"));
            tab->OnProductSerialNumber(QStringLiteral("QV-004417"));
            tab->OnBatteryVoltage(QStringLiteral("13580"));
            // The tab page of a 1366 x 768 window, or of a 1024 x 600 one; the
            // window's menu, tool bars, tab bar and status bar take 170 pixels.
            size = name.endsWith("small") ? QSize(1024, 600 - 170) : QSize(1366, 768 - 170);
        } else if (name.startsWith("lantern")) {
            const bool steadyOn = name.endsWith("steady");
            LanternInterface *lantern = model.GetLanternInterface();
            lantern->SetLimen(true);
            lantern->SetLimvmin(steadyOn ? 10500 : 11000);
            lantern->SetLimvmax(steadyOn ? 14400 : 28000);
            lantern->SetLimton(steadyOn ? 0 : 1500);
            lantern->SetLimtoff(steadyOn ? 0 : 3500);
            lantern->SetLimion(steadyOn ? 250 : 120);
            lantern->SetLimigain(steadyOn);
            lantern->SetLimpthresh(steadyOn ? 247 : 0);
            widget = std::make_unique<LanternInterfaceTab>(&model);
            widget->findChild<QGroupBox *>(QStringLiteral("LanternCurrentSense"))
                ->setChecked(!steadyOn);
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
        // A page that scrolls does so up and down only, and the schedule can
        // be scrolled to.
        if (scrolled) {
            QVERIFY2(!scrolled->horizontalScrollBar()->isVisible(),
                     qPrintable(QStringLiteral("needs %1 pixels across")
                                    .arg(shown->minimumSizeHint().width())));
        }
        if (auto *table = widget->findChild<QTableView *>()) {
            scrolled->ensureWidgetVisible(table);
            QTest::qWait(50);
            QVERIFY(!table->visibleRegion().isEmpty());
            // The small page is shown scrolled down, the others from the top.
            if (!name.endsWith("small"))
                scrolled->verticalScrollBar()->setValue(0);
        }
        const QStringList faults = Clipped(widget.get());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        QVERIFY(widget->grab().save(file));
        qInfo().noquote() << "wrote" << file;
    }
};

VANDREL_UI_TEST_MAIN(TestScreenshots)
#include "tst_ui_screenshots.moc"
