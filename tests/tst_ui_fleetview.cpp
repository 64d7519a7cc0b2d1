// The window's fleet view against two simulated units: opened from the File
// menu, a template and a table typed in and checked, both units found on
// their own ports, commissioned at once, and the units end up holding their
// rows.

#include "model/padfile.h"
#include "ui/fleetview.h"
#include "ui/mainwindow.h"

#include "support/simprocess.h"
#include "uitestmain.h"

#include <QDir>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

class TstFleetView : public QObject
{
    Q_OBJECT

private slots:
    void commissionTwoUnitsFromTheWindow();

private:
    static QString Cell(QTableWidget *table, int row, int column)
    {
        const QTableWidgetItem *item = table->item(row, column);
        return item ? item->text() : QString();
    }
    static void TypeInto(QLineEdit *field, const QString &text)
    {
        field->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }
};

void TstFleetView::commissionTwoUnitsFromTheWindow()
{
    QTemporaryDir dir;
    SimProcess first({"--quiet", "--serial", "W-1", "--mmsi", "992351801"});
    SimProcess second({"--quiet", "--serial", "W-2", "--mmsi", "992351802"});
    QVERIFY(!first.port.isEmpty() && !second.port.isEmpty());
    qputenv("VANDREL_PORTS", (first.port + ':' + second.port).toLocal8Bit());

    Model templateModel;
    MessageSchedule *schedule = templateModel.GetMessageSchedule();
    MessageScheduleEntry normal = schedule->EntryAt(0);
    normal.SetStartSlot2(1125);
    QVERIFY(schedule->SetEntry(0, normal));
    templateModel.GetAtoN()->SetChannel2(2006);
    QCOMPARE(PadFile::Save(dir.filePath("t.pad"), templateModel), PadFile::Done);
    QFile table(dir.filePath("units.csv"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("mmsi,name,latitude,longitude,serial\n"
                "992351811,FIRST ROW,51,2,\n"
                "992351812,BOUND TO W-1,52,3,W-1\n");
    table.close();

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // File > Commission a fleet…, as a person opens it.
    QMenuBar *bar = window.menuBar();
    auto *file = child<QMenu>(window, "menuFile");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QTRY_VERIFY(file->isVisible());
    QAction *commission = child<QAction>(window, "actionCommissionFleet");
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(commission).center());
    FleetView *view = nullptr;
    QTRY_VERIFY((view = window.findChild<FleetView *>()) && view->isVisible());

    // A table with a problem is named and nothing is offered.
    TypeInto(child<QLineEdit>(*view, "templateField"), dir.filePath("t.pad"));
    TypeInto(child<QLineEdit>(*view, "tableField"), dir.filePath("missing.csv"));
    QTest::mouseClick(child<QPushButton>(*view, "loadButton"), Qt::LeftButton);
    QVERIFY(child<QPlainTextEdit>(*view, "problems")->toPlainText().contains("missing.csv"));
    QVERIFY(!child<QPushButton>(*view, "allButton")->isEnabled());

    TypeInto(child<QLineEdit>(*view, "tableField"), dir.filePath("units.csv"));
    QTest::mouseClick(child<QPushButton>(*view, "loadButton"), Qt::LeftButton);
    auto *rows = child<QTableWidget>(*view, "rows");
    QCOMPARE(rows->rowCount(), 2);
    QCOMPARE(Cell(rows, 1, 4), QString("waiting"));

    QTest::mouseClick(child<QPushButton>(*view, "findButton"), Qt::LeftButton);
    // Every port is looked at; the machine's own serial ports have no unit.
    auto *units = child<QTableWidget>(*view, "units");
    int at[2] = {-1, -1};
    for (int row = 0; row < units->rowCount(); ++row) {
        if (Cell(units, row, 0) == first.port)
            at[0] = row;
        if (Cell(units, row, 0) == second.port)
            at[1] = row;
    }
    QVERIFY(at[0] >= 0 && at[1] >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(Cell(units, at[0], 3) == "docked" && Cell(units, at[1], 3) == "docked",
                             20000);
    QCOMPARE(Cell(units, at[0], 1), QString("W-1"));

    QTest::mouseClick(child<QPushButton>(*view, "allButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Cell(rows, 0, 4) == "verified" && Cell(rows, 1, 4) == "verified",
                             60000);
    QCOMPARE(Cell(rows, 1, 3), QString("W-1"));
    QCOMPARE(Cell(rows, 0, 3), QString("W-2"));
    // What the units hold, not only what the view shows.
    QCOMPARE(first.State().value("mmsi").toString(), QString("992351812"));
    QCOMPARE(second.State().value("mmsi").toString(), QString("992351811"));
    QCOMPARE(second.State().value("acf").toObject().value("channel2").toInt(), 2006);
    const QDir records(view->RecordsFolder());
    QVERIFY(records.exists("992351811-W-2.pdf") && records.exists("992351812-W-1.pad") &&
            records.exists("summary.csv"));
}

VANDREL_UI_TEST_MAIN(TstFleetView)
#include "tst_ui_fleetview.moc"
