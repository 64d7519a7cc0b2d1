#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"
#include "model/model.h"
#include "ui/aboutdialog.h"
#include "ui/realatontab.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>

// Renders each tab and the About box with the offscreen platform and checks
// that nothing is cut off: every label, button, list and spin box has at
// least the room its text needs, every widget lies inside its parent, and the
// schedule table shows all of its columns.
//
// The pictures go to a temporary folder; to refresh the ones in the
// documentation run
//   VANDREL_SCREENSHOT_DIR=docs/screenshots build/tests/tst_ui_screenshots
class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void realAtoNFixed();
    void realAtoNFloating();
    void lanternSteadyOn();
    void lanternFlashing();
    void aboutBox();

private:
    // Shows `widget` at its preferred size, checks it and writes <name>.png.
    void Shoot(QWidget *widget, const QString &name);
    static QStringList Clipped(const QWidget *top);
    static void FillAtoN(Model *model, int type);

    QTemporaryDir temporary;
    QString folder;
};

void TestScreenshots::initTestCase()
{
    folder = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = temporary.path();
    QVERIFY(QDir().mkpath(folder));
}

QStringList TestScreenshots::Clipped(const QWidget *top)
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

        int needed = -1;
        if (auto *label = qobject_cast<const QLabel *>(widget)) {
            if (!label->wordWrap())
                needed = label->sizeHint().width();
        } else if (qobject_cast<const QAbstractButton *>(widget) ||
                   qobject_cast<const QComboBox *>(widget) ||
                   qobject_cast<const QAbstractSpinBox *>(widget)) {
            needed = widget->sizeHint().width();
        } else if (auto *group = qobject_cast<const QGroupBox *>(widget)) {
            needed = group->minimumSizeHint().width();
        }
        if (needed > widget->width())
            faults << QStringLiteral("%1 is %2 wide, needs %3")
                          .arg(name)
                          .arg(widget->width())
                          .arg(needed);
        const int lowest = qMin(widget->sizeHint().height(), widget->minimumSizeHint().height());
        if (widget->height() < lowest)
            faults << QStringLiteral("%1 is %2 high, needs %3")
                          .arg(name)
                          .arg(widget->height())
                          .arg(lowest);
    }
    for (const QTableView *table : top->findChildren<QTableView *>()) {
        if (table->viewport()->width() < table->horizontalHeader()->length())
            faults << QStringLiteral("%1 cuts columns off").arg(table->objectName());
    }
    return faults;
}

void TestScreenshots::Shoot(QWidget *widget, const QString &name)
{
    widget->resize(widget->sizeHint().expandedTo(widget->minimumSizeHint()));
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    QTest::qWait(50);
    const QStringList faults = Clipped(widget);
    if (!faults.isEmpty())
        QFAIL(qPrintable(faults.join(QStringLiteral("; "))));
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    QVERIFY(widget->grab().save(file));
    qInfo().noquote() << "wrote" << file;
}

void TestScreenshots::FillAtoN(Model *model, int type)
{
    AtoN *aton = model->GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    aton->SetName(QStringLiteral("NORTH PIER LIGHT"));
    aton->SetTypeOfAtoN(type);
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
    int row = -1;
    QVERIFY(schedule->AddMessage(6, row));
    QVERIFY(schedule->AddMessage(8, row));
    QVERIFY(schedule->AddMessage(112, row));
    MessageScheduleEntry entry = schedule->EntryAt(row);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetInterval1(30);
    entry.SetInterval2(0);
    entry.SetStartTime1(QTime(12, 30));
    QVERIFY(schedule->SetEntry(row, entry));
}

void TestScreenshots::realAtoNFixed()
{
    Model model;
    FillAtoN(&model, 3);
    model.GetAtoN()->SetTypeOfEPFS(7);
    model.GetAtoN()->SetPositionAccuracy(1);
    RealAtoNTab tab(&model);
    tab.OnVersion(QStringLiteral("3.1.4 (build 2207)"));
    tab.OnProductSerialNumber(QStringLiteral("QV-004417"));
    tab.OnBatteryVoltage(QStringLiteral("13580"));
    Shoot(&tab, QStringLiteral("realaton-fixed"));
}

void TestScreenshots::realAtoNFloating()
{
    Model model;
    FillAtoN(&model, 25);
    RealAtoNTab tab(&model);
    Shoot(&tab, QStringLiteral("realaton-floating"));
}

void TestScreenshots::lanternSteadyOn()
{
    Model model;
    LanternInterface *lantern = model.GetLanternInterface();
    lantern->SetLimen(true);
    lantern->SetLimvmin(10500);
    lantern->SetLimvmax(14400);
    lantern->SetLimion(250);
    lantern->SetLimigain(true);
    lantern->SetLimpthresh(247);
    LanternInterfaceTab tab(&model);
    Shoot(&tab, QStringLiteral("lantern-steady"));
}

void TestScreenshots::lanternFlashing()
{
    Model model;
    LanternInterface *lantern = model.GetLanternInterface();
    lantern->SetLimen(true);
    lantern->SetLimvmin(11000);
    lantern->SetLimvmax(28000);
    lantern->SetLimton(1500);
    lantern->SetLimtoff(3500);
    lantern->SetLimion(120);
    LanternInterfaceTab tab(&model);
    tab.findChild<QGroupBox *>(QStringLiteral("LanternCurrentSense"))->setChecked(true);
    Shoot(&tab, QStringLiteral("lantern-flashing"));
}

void TestScreenshots::aboutBox()
{
    AboutDialog dialog;
    Shoot(&dialog, QStringLiteral("about"));
}

VANDREL_UI_TEST_MAIN(TestScreenshots)
#include "tst_ui_screenshots.moc"
