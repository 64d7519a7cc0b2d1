// The window's fleet view against two simulated units: opened from the File
// menu, a template and a table typed in and checked, both units found (one
// on its USB adapter, one on a port named) and no other serial device asked,
// commissioned at once, and the units end up holding their rows; a row
// whose MMSI the register has for another unit refused, then given on the
// engineer's explicit word, with the unit's report on air checked.

#include "app/transferentry.h"
#include "link/serialcontroller.h"
#include "model/padfile.h"
#include "platform/platform.h"
#include "register/unitregister.h"
#include "ui/fleetview.h"
#include "ui/mainwindow.h"

#include "modalanswer.h"
#include "support/ptypair.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QToolButton>

class TstFleetView : public QObject
{
    Q_OBJECT

private slots:
    void commissionTwoUnitsFromTheWindow();
    void mmsiOfAnotherUnitGivenOnlyWhenChosen();

private:
    static QString Cell(QTableWidget *table, int row, int column)
    {
        const QTableWidgetItem *item = table->item(row, column);
        return item ? item->text() : QString();
    }
    // Opens the File menu and clicks the entry, as a person does.
    static void Choose(MainWindow &window, const char *action)
    {
        QMenuBar *bar = window.menuBar();
        auto *file = child<QMenu>(window, "menuFile");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(file->menuAction()).center());
        QTRY_VERIFY(file->isVisible());
        QTest::mouseClick(file, Qt::LeftButton, {},
                          file->actionGeometry(child<QAction>(window, action)).center());
    }
    static void ClickCell(QTableWidget *table, int row, int column)
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(row, column)).center());
    }
    static QString PdfText(const QString &pdf)
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        pdftotext.waitForFinished(30000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
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
    // The first unit is on its own USB adapter; the second on a port the
    // engineer names. The computer's on-board port and its GPS receiver
    // must never be sent a unit's questions.
    PtyPair onBoard, gps;
    QVERIFY(onBoard.isOpen() && gps.isOpen());
    const PortInfoList system = {
        {onBoard.slavePath(), QString()},
        {gps.slavePath(), "u-blox GNSS receiver", 0x1546, 0x01A8},
        {first.port, "AtoN unit", SerialController::DeviceVendorId,
         SerialController::DeviceProductId},
    };

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
    App()->SetMainWindow(&window);
    // Only now, so that the window does not link to the first unit by itself.
    SerialController::SetPortEnumeration([&] { return system; });
    const auto restore = qScopeGuard([] { SerialController::SetPortEnumeration({}); });
    Choose(window, "actionCommissionFleet");
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

    TypeInto(child<QLineEdit>(*view, "portsField"), second.port);
    QTest::mouseClick(child<QPushButton>(*view, "findButton"), Qt::LeftButton);
    auto *units = child<QTableWidget>(*view, "units");
    QCOMPARE(units->rowCount(), 2);
    QCOMPARE(Cell(units, 0, 0), first.port);
    QCOMPARE(Cell(units, 1, 0), second.port);
    QTRY_VERIFY_WITH_TIMEOUT(Cell(units, 0, 3) == "docked" && Cell(units, 1, 3) == "docked", 20000);
    QCOMPARE(Cell(units, 0, 1), QString("W-1"));
    QCOMPARE(onBoard.readFor(100) + gps.readFor(100), QByteArray());

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

    // Both lines go back as the run ends. Looking for units again sends
    // nothing, and a unit docked where a finished one was is a new unit:
    // it does not get the row the other unit holds.
    QTRY_VERIFY_WITH_TIMEOUT(
        Platform::Current().ReadPortLock(first.port).state != Platform::LockState::Held &&
            Platform::Current().ReadPortLock(second.port).state != Platform::LockState::Held,
        10000);
    QJsonObject newUnit = second.State();
    QJsonObject shell = newUnit.value("shell").toObject();
    shell.insert("serialNumber", "W-3");
    newUnit.insert("shell", shell);
    newUnit.insert("mmsi", "992351803");
    second.Redock(newUnit);
    // The view hears that a line has gone a moment after its lock goes: an
    // engineer presses again.
    const auto bothDocked = [&] {
        return Cell(units, 1, 1) == "W-3" && Cell(units, 1, 3) == "docked" &&
               Cell(units, 0, 3) == "docked";
    };
    for (int press = 0; press < 10 && !bothDocked(); ++press) {
        QTest::mouseClick(child<QPushButton>(*view, "findButton"), Qt::LeftButton);
        if (QTest::qWaitFor(bothDocked, 2000))
            break;
    }
    QVERIFY2(bothDocked(), qPrintable(Cell(units, 0, 3) + " | " + Cell(units, 1, 3)));
    QTest::qWait(1000);
    QCOMPARE(second.State().value("mmsi").toString(), QString("992351803"));
    QTest::mouseClick(child<QPushButton>(*view, "allButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Cell(units, 1, 3).contains("no row of the table is left") &&
                                 Cell(units, 0, 3).contains("nothing sent"),
                             60000);
    QCOMPARE(second.State().value("mmsi").toString(), QString("992351803"));
    QCOMPARE(Cell(rows, 0, 4), QString("verified"));
    // The view's run ends with its batch record, as the command line's.
    QTRY_VERIFY(!records.entryList({"batch-*.pdf"}).isEmpty());

    // For the documentation, when asked.
    const QString shots = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QVERIFY(view->grab().save(QDir(shots).filePath("fleet-view.png")));

    // The window on one of them: Verify and Save record read the unit afresh,
    // send nothing and leave the edited document as it is. The run lets go
    // of each line on the line's own thread, after the unit's reset; under
    // load that may still go on, and the window would rightly find the port
    // busy.
    const QPointer<FleetView> closing(view);
    view->close();
    QTRY_VERIFY_WITH_TIMEOUT(!closing && Platform::Current().ReadPortLock(first.port).state !=
                                             Platform::LockState::Held,
                             10000);
    App()->SetPortName(first.port);
    auto *ports = child<QComboBox>(window, "comboBoxPort");
    ports->showPopup();
    ports->hidePopup();
    auto *retrieve = child<QToolButton>(window, "toolButtonRetrieveFromAtoN");
    {
        // A box would otherwise wait for a click until the test is killed.
        ModalAnswer failure({ModalAnswer::Press(QMessageBox::Ok)});
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(retrieve->isEnabled() || failure.answered() > 0, 15000);
        QVERIFY2(failure.answered() == 0, qPrintable(failure.informativeTexts.value(0)));
    }
    QTest::mouseClick(retrieve, Qt::LeftButton, {},
                      QPoint(retrieve->height() / 2, retrieve->height() / 2));
    QTRY_VERIFY_WITH_TIMEOUT(child<QLineEdit>(window, "lineName")->text() == "BOUND TO W-1", 30000);
    QTRY_VERIFY_WITH_TIMEOUT(retrieve->isEnabled(), 10000);
    auto *name = child<QLineEdit>(window, "lineName");
    name->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, " X");
    QTest::keyClick(name, Qt::Key_Tab);
    // The unit is changed behind the window's back: Verify must read it.
    QJsonObject held = first.State();
    QJsonObject ace = held.value("ace").toObject();
    ace.insert("offPositionThreshold", ace.value("offPositionThreshold").toInt() + 7);
    held.insert("ace", ace);
    first.Redock(held);
    const QString pdf = dir.filePath("visit.pdf");
    // The record's details: no file is asked for before an engineer is named.
    bool engineerRequired = false;
    const auto details = [&engineerRequired](QWidget *dialog) {
        auto *engineer = dialog->findChild<QLineEdit *>("lineRecordEngineer");
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        if (!engineer || !buttons) {
            dialog->close();
            return;
        }
        QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
        TypeInto(engineer, " ");
        engineerRequired = !ok->isEnabled();
        TypeInto(engineer, "Ana Ruiz");
        TypeInto(dialog->findChild<QLineEdit *>("lineRecordCustomer"), "Port of Exbury");
        TypeInto(dialog->findChild<QLineEdit *>("lineRecordSite"), "North pier");
        QTest::mouseClick(ok, Qt::LeftButton);
    };
    ModalAnswer boxes({ModalAnswer::Press(QMessageBox::Ok), details, ModalAnswer::ChooseFile(pdf)});
    Choose(window, "actionVerify");
    QTRY_COMPARE_WITH_TIMEOUT(boxes.answered(), 1, 30000);
    QVERIFY2(boxes.texts.value(0).contains("differs from the open document in 2 field"),
             qPrintable(boxes.texts.value(0)));
    QTRY_VERIFY_WITH_TIMEOUT(retrieve->isEnabled(), 10000);
    Choose(window, "actionSaveRecord");
    QTRY_COMPARE_WITH_TIMEOUT(boxes.answered(), 3, 30000);
    QTRY_VERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(engineerRequired);
    const QString text = PdfText(pdf);
    for (const char *expected : {"READ: read from the unit", "Serial number W-1",
                                 "Engineer Ana Ruiz", "Customer Port of Exbury", "Site North pier"})
        QVERIFY2(text.contains(expected), qPrintable(text));
    QCOMPARE(name->text(), QString("BOUND TO W-1 X"));
    QCOMPARE(first.State(), held);
}

void TstFleetView::mmsiOfAnotherUnitGivenOnlyWhenChosen()
{
    QTemporaryDir dir;
    SimProcess unit({"--fast", "--report-every", "2", "--no-alr", "--no-ai-text", "--serial", "W-5",
                     "--mmsi", "992351805"});
    QVERIFY(!unit.port.isEmpty());
    // The register last saw the row's MMSI on another unit.
    RegisterEntry holder = TransferEntry::Make(RegisterEntry::Kind::Send, "bo", "/dev/ttyUSB9");
    holder.serial = "OTHER-1";
    holder.mmsiAfter = "992351821";
    holder.result = RegisterEntry::Result::Verified;
    App()->Register()->Record(holder);
    Model templateModel;
    MessageScheduleEntry normal = templateModel.GetMessageSchedule()->EntryAt(0);
    normal.SetStartSlot2(1125);
    QVERIFY(templateModel.GetMessageSchedule()->SetEntry(0, normal));
    QCOMPARE(PadFile::Save(dir.filePath("t.pad"), templateModel), PadFile::Done);
    QFile table(dir.filePath("units.csv"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("mmsi,name,latitude,longitude\n992351821,TAKEN ROW,51,2\n");
    table.close();

    // Whatever line an earlier test left open goes first, without a box.
    App()->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const PortInfoList system = {{unit.port, "AtoN unit", SerialController::DeviceVendorId,
                                  SerialController::DeviceProductId}};
    SerialController::SetPortEnumeration([&] { return system; });
    const auto restore = qScopeGuard([] {
        SerialController::SetPortEnumeration({});
        App()->SetMainWindow(nullptr);
    });
    Choose(window, "actionCommissionFleet");
    FleetView *view = nullptr;
    QTRY_VERIFY((view = window.findChild<FleetView *>()) && view->isVisible());
    TypeInto(child<QLineEdit>(*view, "templateField"), dir.filePath("t.pad"));
    TypeInto(child<QLineEdit>(*view, "tableField"), dir.filePath("units.csv"));
    QTest::mouseClick(child<QPushButton>(*view, "loadButton"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(*view, "onAirBox"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(*view, "findButton"), Qt::LeftButton);
    auto *rows = child<QTableWidget>(*view, "rows");
    auto *units = child<QTableWidget>(*view, "units");
    QTRY_VERIFY_WITH_TIMEOUT(Cell(units, 0, 3) == "docked", 20000);

    // Refused, naming the other unit and the way on in this view.
    QTest::mouseClick(child<QPushButton>(*view, "allButton"), Qt::LeftButton);
    QTRY_VERIFY2_WITH_TIMEOUT(Cell(rows, 0, 4).startsWith("refused"),
                              qPrintable(Cell(rows, 0, 4) + " | " + Cell(units, 0, 3) + " | " +
                                         child<QPlainTextEdit>(*view, "problems")->toPlainText()),
                              20000);
    for (const char *named : {"OTHER-1", "Commission chosen row on chosen unit"})
        QVERIFY2(Cell(rows, 0, 4).contains(named), qPrintable(Cell(rows, 0, 4)));
    QVERIFY(!Cell(rows, 0, 4).contains("--reassign-mmsi"));

    // The box is cancelled, then the override ticked.
    auto *chosen = child<QPushButton>(*view, "chosenButton");
    ClickCell(rows, 0, 1);
    ClickCell(units, 0, 0);
    QTRY_VERIFY(chosen->isEnabled());
    {
        ModalAnswer cancel({ModalAnswer::Press(QMessageBox::Cancel)});
        QTest::mouseClick(chosen, Qt::LeftButton);
        QTRY_COMPARE(cancel.answered(), 1);
        QVERIFY(cancel.informativeTexts.first().contains("OTHER-1"));
    }
    QTest::qWait(500);
    QCOMPARE(unit.State().value("mmsi").toString(), QString("992351805"));
    ModalAnswer give({ModalAnswer::TickAndPress(QMessageBox::Yes)});
    QTest::mouseClick(chosen, Qt::LeftButton);
    QTRY_COMPARE(give.answered(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(Cell(rows, 0, 4) == "verified", 60000);
    QCOMPARE(unit.State().value("mmsi").toString(), QString("992351821"));

    // The entry keeps the choice and the report on air; so does the record.
    QVector<RegisterEntry> entries;
    QString error;
    QVERIFY(App()->Register()->History({"W-5", {}, {}, {}, 0}, &entries, &error));
    int commissions = 0;
    for (const RegisterEntry &entry : qAsConst(entries)) {
        if (entry.kind != RegisterEntry::Kind::Commission)
            continue;
        ++commissions;
        QVERIFY(entry.mmsiReassigned);
        QVERIFY2(entry.detail.contains("carries every field sent"), qPrintable(entry.detail));
    }
    QCOMPARE(commissions, 1);
    const QString pdf = view->RecordsFolder() + "/992351821-W-5.pdf";
    QVERIFY2(PdfText(pdf).contains("carries every field sent"), qPrintable(PdfText(pdf)));
    view->close();
}

VANDREL_UI_TEST_MAIN(TstFleetView)
#include "tst_ui_fleetview.moc"
