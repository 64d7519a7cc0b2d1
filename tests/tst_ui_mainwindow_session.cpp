// The window against the unit simulator.

#include "app/statemachine.h"
#include "app/unitsession.h"
#include "link/serialtransport.h"
#include "model/padfile.h"
#include "status/unitstatus.h"
#include "ui/mainwindow.h"

#include "modalanswer.h"
#include "support/schedulerows.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include <fcntl.h>
#include <memory>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

class TstMainWindowSession : public QObject
{
    Q_OBJECT

private:
    static bool idle()
    {
        const SerialTransport *transport = App()->GetTransport();
        return transport && transport->IsConnected() && !transport->IsBusy();
    }
    static bool synced()
    {
        const StateMachine *machine = App()->GetStateMachine();
        return machine->TabStateOf(0) == StateMachine::TabSynced &&
               machine->TabStateOf(1) == StateMachine::TabSynced && idle();
    }
    static QImage image(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }
    static bool on(MainWindow &w, const char *name) { return child<QWidget>(w, name)->isEnabled(); }

    // Connects to the unit on the chosen port and waits until the transfers
    // are offered.
    void link(MainWindow &window, const QString &port)
    {
        if (!qEnvironmentVariable("VANDREL_PORTS").split(':').contains(port))
            qputenv("VANDREL_PORTS", port.toLocal8Bit());
        App()->SetPortName(port);
        auto *combo = child<QComboBox>(window, "comboBoxPort");
        combo->showPopup();
        combo->hidePopup();
        QCOMPARE(combo->currentData().toString(), port);
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        // Both callers click Retrieve the moment it is offered; it is taken
        // because the transfers open only once the link is fully up.
        QTRY_VERIFY_WITH_TIMEOUT(on(window, "toolButtonRetrieveFromAtoN"), 10000);
        QVERIFY(!on(window, "pushButtonConnect") && !on(window, "comboBoxPort"));
    }

    // Shows the window, opens the file with File > Open and links.
    void openAndLink(MainWindow &window, const QString &file, const QString &port)
    {
        App()->SetMainWindow(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        {
            ModalAnswer open({ModalAnswer::ChooseFile(file)});
            child<QAction>(window, "actionOpenFile")->trigger();
            QCOMPARE(open.answered(), 1);
        }
        link(window, port);
    }

    // Clicks a tool-bar button on its main part (not its menu arrow).
    static void press(MainWindow &w, const char *button)
    {
        auto *b = child<QToolButton>(w, button);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2));
    }

    // Nothing that starts another transfer or replaces the document is
    // offered while one runs; Disconnect is.
    static void transferShown(MainWindow &w)
    {
        QVERIFY(!on(w, "toolButtonRetrieveFromAtoN") && !on(w, "toolButtonSendToAtoN"));
        for (const char *name : {"actionRetrieveCurrentTab", "actionRetrieveAllTabs",
                                 "actionSendCurrentTab", "actionSendAllTabs", "actionNewFile",
                                 "actionOpenFile", "actionCloseFile", "actionReplayLogFile"})
            QVERIFY2(!child<QAction>(w, name)->isEnabled(), name);
        QVERIFY(on(w, "pushButtonDisconnect"));
    }

    // Retrieves both tabs with the tool-bar button and waits until they are
    // synced; `answers` are for the boxes that come first.
    void retrieveAll(MainWindow &window, QList<ModalAnswer::Answer> answers = {})
    {
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 15000);
        ModalAnswer boxes(answers);
        press(window, "toolButtonRetrieveFromAtoN");
        QCOMPARE(boxes.answered(), answers.size());
        transferShown(window);
        QTRY_VERIFY_WITH_TIMEOUT(synced(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(on(window, "toolButtonRetrieveFromAtoN"), 3000);
    }

private slots:
    void wholeSession();
    void transfersShowProgressAndFailures();
    void anotherUnitDockedAfterEdits();
    void portStandsAcrossUnplug();
    void portsMarkedAndConnectFailuresNamed();
    void scheduleRowsLeftToTheUnit();
};

void TstMainWindowSession::wholeSession()
{
    using A = ModalAnswer;
    SimProcess unit({"--fast"});
    QVERIFY(!unit.port.isEmpty());
    const QString unitMmsi = unit.State().value("mmsi").toString();
    QTemporaryDir dir;
    const QString file = dir.filePath("session.pad");
    MainWindow window;
    App()->SetMainWindow(&window);
    window.resize(900, 760);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    auto *name = child<QLineEdit>(window, "lineName");
    link(window, unit.port);
    // "Current tab only" is offered for the configuration tabs alone.
    for (int tab : {2, 1}) {
        tabs->setCurrentIndex(tab);
        for (const char *entry : {"actionRetrieveCurrentTab", "actionSendCurrentTab"})
            QCOMPARE(child<QAction>(window, entry)->isEnabled(), tab != 2);
        QVERIFY(child<QAction>(window, "actionSendAllTabs")->isEnabled());
    }
    retrieveAll(window);

    // What the unit holds became the document, named by the unit's MMSI and
    // without a file.
    const QJsonObject first = unit.State();
    QCOMPARE(name->text(), first["ace"]["name"].toString());
    QVERIFY(!child<QLabel>(window, "labelVersion")->text().isEmpty());
    QVERIFY(window.isWindowModified());
    QVERIFY(window.CurrentFileName().isEmpty());
    QCOMPARE(window.windowFilePath(), "MMSI " + unitMmsi);
    // The port is not probed while the link holds it.
    QVERIFY(!child<QComboBox>(window, "comboBoxPort")->currentText().endsWith(" - busy"));

    // The traffic log: one that cannot be created gives an error and leaves
    // the button idle; a good one records the unit's traffic until stopped.
    auto *log = child<QToolButton>(window, "toolButtonSaveToLog");
    const QString logFile = dir.filePath("traffic.log");
    const auto logged = [&logFile] {
        QFile file(logFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    {
        A answers({A::ChooseFile(dir.filePath("no/such.log")), A::Press(QMessageBox::Ok),
                   A::ChooseFile(logFile)});
        log->click();
        QVERIFY(!log->isChecked());
        log->click();
        QCOMPARE(answers.answered(), 3);
        QCOMPARE(answers.titles.value(0), QString("Error creating Log File"));
    }
    QVERIFY(log->isChecked());
    QCOMPARE(child<QLabel>(window, "labelLogFile")->text(), QString("Logging to traffic.log"));
    QTRY_VERIFY_WITH_TIMEOUT(logged().contains('$'), 5000);
    log->click();
    QVERIFY(!log->isChecked());

    // Edit both tabs; the lantern voltage is still being typed (no Enter,
    // the focus stays in the field) when Send is clicked, and goes out.
    tabs->setCurrentIndex(0);
    name->selectAll();
    QTest::keyClicks(name, "SESSION TEST");
    QCOMPARE(image(tabs->tabIcon(0)), image(QIcon(":/Images/TabEdited.png")));
    tabs->setCurrentIndex(1);
    auto *maxVoltage = child<QDoubleSpinBox>(window, "MaxVoltage");
    // The window is active again once the log's dialogs are gone.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(maxVoltage->isVisible());
    QTest::mouseClick(maxVoltage, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), maxVoltage);
    QTest::keyClick(maxVoltage, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(maxVoltage, "13.2");
    press(window, "toolButtonSendToAtoN");
    QCOMPARE(App()->EditModel()->GetLanternInterface()->GetLimvmax(), 13200);
    // While it runs, a click on Retrieve does nothing; the battery's Refresh
    // says why it does nothing.
    transferShown(window);
    press(window, "toolButtonRetrieveFromAtoN");
    QTest::mouseClick(child<QPushButton>(window, "pushButtonBatteryRefresh"), Qt::LeftButton);
    QVERIFY(child<QLabel>(window, "labelBatteryNote")->text().startsWith("The link is busy"));
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
    const QJsonObject held = unit.State();
    QCOMPARE(held["lantern"]["limvmax"].toInt(), 13200);
    QCOMPARE(held["ace"]["name"].toString(), QString("SESSION TEST"));
    QVERIFY(held["schedule"] == first["schedule"]);
    // The reply names what went out and the time; the connection text is
    // still there for when the reply is gone.
    const QString reply = window.statusBar()->currentMessage();
    QVERIFY2(QRegularExpression("^Sent and verified: AtoN settings, schedule, lantern settings, "
                                "\\d+\\.\\d s$")
                 .match(reply)
                 .hasMatch(),
             qPrintable(reply));
    auto *connectionText = child<QLabel>(window, "labelConnection");
    QVERIFY(connectionText->text().contains(unit.port));
    window.statusBar()->clearMessage();
    QVERIFY(connectionText->isVisible());

    // A retrieve over unsaved edits asks first: Cancel keeps them, Discard
    // lets the unit's configuration in.
    tabs->setCurrentIndex(0);
    name->selectAll();
    QTest::keyClicks(name, "NOT SENT");
    {
        A cancel({A::Press(QMessageBox::Cancel)});
        press(window, "toolButtonRetrieveFromAtoN");
        QCOMPARE(cancel.answered(), 1);
        QCOMPARE(cancel.texts.value(0), QString("The file has been modified."));
    }
    QCOMPARE(name->text(), QString("NOT SENT"));
    retrieveAll(window, {A::Press(QMessageBox::Discard)});
    QCOMPARE(name->text(), QString("SESSION TEST"));

    // Save asks where to write the unit's configuration. Read again, the
    // document is the unit's, no longer the file's: nothing was edited, so
    // nothing is asked.
    {
        A answers({A::ChooseFile(file)});
        child<QAction>(window, "actionSaveFile")->trigger();
        QCOMPARE(answers.answered(), 1);
    }
    QCOMPARE(window.CurrentFileName(), file);
    retrieveAll(window);
    QVERIFY(window.CurrentFileName().isEmpty());

    // Another unit takes the dock: after the question about the edit, both
    // tabs show what the new unit holds.
    QJsonObject other = unit.State();
    QJsonObject ace = other["ace"].toObject(), shell = other["shell"].toObject();
    QJsonObject lantern = other["lantern"].toObject();
    ace["name"] = "OTHER UNIT";
    shell["serialNumber"] = "OTHER-2";
    lantern["limvmax"] = 12000;
    other["ace"] = ace, other["shell"] = shell, other["lantern"] = lantern;
    name->selectAll();
    QTest::keyClicks(name, "EDITED");
    {
        A discard({A::Press(QMessageBox::Ok), A::Press(QMessageBox::Discard)});
        unit.Redock(other);
        QTRY_COMPARE_WITH_TIMEOUT(discard.answered(), 2, 10000);
        QCOMPARE(discard.texts.value(0), QString("Another unit has been docked."));
    }
    QTRY_COMPARE_WITH_TIMEOUT(name->text(), QString("OTHER UNIT"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
    QCOMPARE(maxVoltage->value(), 12.0);

    // Disconnect: back to a port choice.
    QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QTRY_VERIFY(on(window, "pushButtonConnect"));
    QVERIFY(!on(window, "pushButtonDisconnect"));
    QVERIFY(!on(window, "toolButtonRetrieveFromAtoN"));
    QCOMPARE(child<QLabel>(window, "labelUtcClock")->text(), QString(" No GPS "));
    // What the unit said about itself went with it.
    QVERIFY(child<QLabel>(window, "labelVersion")->text().isEmpty());
    QVERIFY(child<QLabel>(window, "labelProductSerialNumber")->text().isEmpty());
    QCOMPARE(child<QLabel>(window, "label_battery_voltage")->text(), QString("Unknown"));
    QVERIFY(tabs->tabIcon(0).isNull());

    // Linked again, the unit's line goes in the middle of a retrieve (its
    // adapter pulled): one error box ends the link, and the traffic log
    // started on the link ends with it.
    link(window, unit.port);
    {
        A choose({A::ChooseFile(logFile)});
        log->click();
        QCOMPARE(choose.answered(), 1);
    }
    A errors({A::Press(QMessageBox::Ok), A::Press(QMessageBox::Ok)});
    press(window, "toolButtonRetrieveFromAtoN");
    unit.Unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 30000);
    QTest::qWait(3000);
    QCOMPARE(errors.answered(), 1);
    QCOMPARE(errors.texts.value(0), QString("Error reading from the AtoN"));
    const QRegularExpression named("^Reading .* failed\\. The serial device hung up: the unit "
                                   "or its adapter was unplugged$");
    QVERIFY2(named.match(errors.informativeTexts.value(0)).hasMatch(),
             qPrintable(errors.informativeTexts.value(0)));
    QCOMPARE(window.statusBar()->currentMessage(), QString("Ready"));
    QVERIFY(!log->isChecked());
    QCOMPARE(log->text(), QString("Log To File"));
    QVERIFY(logged().contains("Stopped log file"));
    App()->SetMainWindow(nullptr);
}

void TstMainWindowSession::transfersShowProgressAndFailures()
{
    using A = ModalAnswer;
    // A unit that does not take its name; nothing is read from it before
    // the sends.
    SimProcess unit({"--fast", "--refuse", "ACE"});
    QVERIFY(!unit.port.isEmpty());
    const QJsonObject before = unit.State();
    QTemporaryDir dir;
    const QString file = dir.filePath("fresh.pad"), clash = dir.filePath("clash.pad");
    Model model;
    model.GetAtoN()->GetAtoNMMSI()->SetMmsi(before["mmsi"].toString());
    model.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(before["mmsi"].toString());
    model.GetAtoN()->SetName("REFUSED NAME");
    model.GetAtoN()->SetTypeOfAtoN(14);
    // (a position not available would be asked about first)
    model.GetAtoN()->GetPosition()->SetLatitude(50.8);
    model.GetAtoN()->GetPosition()->SetLongitude(-1.1);
    model.GetLanternInterface()->SetLimvmax(12000);
    // No schedule rows: the unit keeps its own.
    LoadRows(model.GetMessageSchedule(), {});
    QCOMPARE(model.GetMessageSchedule()->Count(), 0);
    QCOMPARE(PadFile::Save(file, model), PadFile::Done);
    // Start slots one apart at different intervals: a clash.
    model.GetMessageSchedule()->Reset();
    MessageScheduleEntry row = model.GetMessageSchedule()->EntryAt(0);
    row.SetStartSlot1(10);
    row.SetStartSlot2(11);
    row.SetInterval1(6750);
    row.SetInterval2(4500);
    QVERIFY(model.GetMessageSchedule()->SetEntry(0, row));
    model.GetLanternInterface()->SetLimvmax(11000);
    QCOMPARE(PadFile::Save(clash, model), PadFile::Done);

    MainWindow window;
    openAndLink(window, file, unit.port);

    // The send shows its steps as the bar fills, and the read-back finds the
    // name not taken. It waits for the unit to say who it is: a send before
    // that is asked about (the unit's MMSI is not known yet), and an earlier
    // test left another unit holding this MMSI in the register.
    QTRY_COMPARE_WITH_TIMEOUT(App()->Session()->Identity().mmsi, before["mmsi"].toString(), 10000);
    auto *step = child<QLabel>(window, "labelTransferStep");
    auto *bar = child<QProgressBar>(window, "progressBar");
    int notTaken = 0;
    {
        A readBack({A::Press(QMessageBox::Ok)});
        press(window, "toolButtonSendToAtoN");
        transferShown(window);
        QTRY_VERIFY(step->isVisible() && step->text().startsWith("Sending "));
        const int sending = bar->value();
        QTRY_VERIFY_WITH_TIMEOUT(step->text().startsWith("Reading back "), 10000);
        QVERIFY(bar->isVisible() && bar->value() > sending && bar->value() < bar->maximum());
        QTRY_COMPARE_WITH_TIMEOUT(readBack.answered(), 1, 30000);
        QVERIFY2(readBack.informativeTexts.value(0).contains("Name: \"REFUSED NAME\" ->"),
                 qPrintable(readBack.informativeTexts.value(0)));
        notTaken = int(readBack.informativeTexts.value(0).count('\n')) + 1;
    }
    QTRY_VERIFY_WITH_TIMEOUT(on(window, "toolButtonSendToAtoN"), 10000);
    QCOMPARE(window.statusBar()->currentMessage(),
             QString("Sent; fields the unit did not take: %1 (see the box).").arg(notTaken));
    QVERIFY(!step->isVisible());
    const StateMachine *machine = App()->GetStateMachine();
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabEdited));
    QCOMPARE(machine->TabStateOf(1), int(StateMachine::TabSynced));
    const QJsonObject held = unit.State();
    QCOMPARE(held["acf"]["typeOfAtoN"].toInt(), 14);
    QCOMPARE(held["lantern"]["limvmax"].toInt(), 12000);
    QVERIFY(held["ace"] == before["ace"]);
    QVERIFY(held["schedule"] == before["schedule"]);

    // "Send all tabs" with clashing slots: neither tab goes out.
    {
        A answers({A::ChooseFile(clash), A::Press(QMessageBox::Ok)});
        child<QAction>(window, "actionOpenFile")->trigger();
        press(window, "toolButtonSendToAtoN");
        QCOMPARE(answers.answered(), 2);
    }
    QVERIFY(unit.State() == held);

    // Disconnect while the AtoN settings go out: a box says what the unit
    // may hold only in part, and the lantern settings, of which nothing went
    // out, are not among it.
    {
        A answers({A::ChooseFile(file), A::Press(QMessageBox::Ok)});
        child<QAction>(window, "actionOpenFile")->trigger();
        press(window, "toolButtonSendToAtoN");
        QTRY_VERIFY_WITH_TIMEOUT(
            step->text().contains(QRegularExpression("^Sending the (AtoN settings [2-9]|message)")),
            10000);
        QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(answers.answered(), 2, 10000);
        QCOMPARE(answers.texts.value(0), QString("The transfer was stopped before it finished."));
        const QString inPart = answers.informativeTexts.value(0);
        QVERIFY2(inPart.contains("may hold the AtoN settings") &&
                     inPart.contains("Nothing of the lantern settings went out") &&
                     !inPart.contains("lantern settings only in part"),
                 qPrintable(inPart));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);

    // A unit that leaves one lantern query unanswered: the retrieve shows
    // its steps, then the box names the step and the query; the document
    // stays as it was.
    SimProcess silent({"--fast", "--no-answer", "nvgeti \"limvmax\""});
    link(window, silent.port);
    {
        A error({A::Press(QMessageBox::Ok)});
        press(window, "toolButtonRetrieveFromAtoN");
        QTRY_VERIFY(step->isVisible() && step->text().startsWith("Reading the "));
        QTRY_COMPARE_WITH_TIMEOUT(error.answered(), 1, 30000);
        QCOMPARE(error.texts.value(0), QString("Error reading from the AtoN"));
        QCOMPARE(error.informativeTexts.value(0),
                 QString("Reading lantern settings 3 of 8 failed. No answer to the lantern query "
                         "nvgeti \"limvmax\" (the lantern's maximum voltage) within 1 s."));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QVERIFY(!step->isVisible() && !bar->isVisible());
    QCOMPARE(child<QLineEdit>(window, "lineName")->text(), QString("REFUSED NAME"));
    App()->SetMainWindow(nullptr);
}

// Unit B is retrieved and edited, then unit A takes the dock; the edits are
// kept (Cancel). Unit A ends holding what it held, or the whole document
// once the engineer has agreed to the box naming both units: never B's
// lantern settings beside its own AtoN settings.
void TstMainWindowSession::anotherUnitDockedAfterEdits()
{
    using A = ModalAnswer;
    SimProcess unit({"--fast", "--serial", "UNIT-B"});
    QVERIFY(!unit.port.isEmpty());
    // A file of a unit far away with another threshold: the unit status
    // judges the docked unit by what it holds, never by this file.
    QTemporaryDir dir;
    const QString file = dir.filePath("far.pad");
    Model far;
    far.GetAtoN()->GetPosition()->SetLatitude(51.8);
    far.GetAtoN()->GetPosition()->SetLongitude(2.5);
    far.GetAtoN()->SetOffPositionThreshold(66);
    QCOMPARE(PadFile::Save(file, far), PadFile::Done);

    MainWindow window;
    openAndLink(window, file, unit.port);
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    tabs->setCurrentWidget(child<QWidget>(window, "tabUnitStatus"));
    auto *warning = child<QLabel>(window, "labelOffPositionWarning");
    auto *fromFix = child<QLabel>(window, "labelOffPositionGps");
    QTRY_VERIFY_WITH_TIMEOUT(warning->text().contains("not known yet"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!child<QLabel>(window, "labelGpsPosition")->text().startsWith("-"),
                             10000);
    QCOMPARE(fromFix->text(), QString("-"));
    // Read, the unit's own nominal position is the measure.
    {
        A discard({A::Press(QMessageBox::Discard)});
        retrieveAll(window);
    }
    QTRY_VERIFY_WITH_TIMEOUT(fromFix->text() != "-", 5000);
    QVERIFY2(fromFix->text().split(' ').value(0).toDouble() < 75, qPrintable(fromFix->text()));
    QVERIFY(!warning->text().contains("not known"));

    // B's document, edited.
    const QJsonObject b = unit.State();
    tabs->setCurrentIndex(0);
    auto *name = child<QLineEdit>(window, "lineName");
    name->selectAll();
    QTest::keyClicks(name, "B EDITED");
    auto *serial = child<QLabel>(window, "labelProductSerialNumber");
    QCOMPARE(serial->text(), QString("UNIT-B"));

    // Unit A takes the dock.
    QJsonObject a = b;
    QJsonObject shell = a["shell"].toObject(), lantern = a["lantern"].toObject(),
                ace = a["ace"].toObject();
    shell["serialNumber"] = "UNIT-A";
    a["mmsi"] = "992357777";
    ace["name"] = "UNIT A";
    lantern["limen"] = 1;
    lantern["limvmin"] = 11500;
    lantern["limvmax"] = 24000;
    a["shell"] = shell, a["lantern"] = lantern, a["ace"] = ace;
    {
        A told({A::Press(QMessageBox::Ok), A::Press(QMessageBox::Cancel)});
        unit.Redock(a);
        QTRY_COMPARE_WITH_TIMEOUT(told.answered(), 2, 15000);
        QCOMPARE(told.texts.value(0), QString("Another unit has been docked."));
        for (const char *named : {"UNIT-A", "UNIT-B", "992357777", "992351234"})
            QVERIFY2(told.informativeTexts.value(0).contains(named),
                     qPrintable(told.informativeTexts.value(0)));
        QCOMPARE(told.texts.value(1), QString("The file has been modified."));
    }
    // The edits stay; nothing of B is shown as the unit's, and neither tab
    // claims to be what the unit holds.
    QCOMPARE(name->text(), QString("B EDITED"));
    const StateMachine *machine = App()->GetStateMachine();
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabNotSynced));
    QCOMPARE(machine->TabStateOf(1), int(StateMachine::TabNotSynced));
    QTRY_COMPARE_WITH_TIMEOUT(serial->text(), QString("UNIT-A"), 5000);
    QVERIFY(!App()->Session()->Status()->NominalAvailable());

    // The lantern tab alone: the box names both units and offers the whole
    // document only. Cancel: the unit holds what it held.
    tabs->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 10000);
    {
        A refused({A::Press(QMessageBox::Cancel)});
        child<QAction>(window, "actionSendCurrentTab")->trigger();
        QCOMPARE(refused.answered(), 1);
        for (const char *named : {"UNIT-A", "UNIT-B", "992357777", "992351234"})
            QVERIFY2(refused.informativeTexts.value(0).contains(named),
                     qPrintable(refused.informativeTexts.value(0)));
    }
    QTest::qWait(500);
    QVERIFY(unit.State() == a);

    // B's MMSI is B's in the register: the whole document goes to unit A
    // only with the override ticked.
    {
        A agreed({A::TickAndPress(QMessageBox::Yes), A::Press(QMessageBox::Ok)});
        child<QAction>(window, "actionSendCurrentTab")->trigger();
        QCOMPARE(agreed.answered(), 1);
        QCOMPARE(agreed.texts.value(0), QString("Another unit holds this MMSI."));
        QTRY_VERIFY_WITH_TIMEOUT(!machine->IsTransferring() && idle(), 60000);
    }
    const QJsonObject held = unit.State();
    QCOMPARE(held["ace"]["name"].toString(), QString("B EDITED"));
    QVERIFY(held["lantern"] == b["lantern"]);
    QVERIFY(held["acf"] == b["acf"]);
    QCOMPARE(held["shell"]["serialNumber"].toString(), QString("UNIT-A"));
    App()->SetMainWindow(nullptr);
    QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
}

// The unit on a path of its own, as an adapter keeps its name, goes and comes
// back: the window says so once, the choice stands, marked, and the link is
// made again by itself only when it was up as the port went.
void TstMainWindowSession::portStandsAcrossUnplug()
{
    using A = ModalAnswer;
    QTemporaryDir dir;
    const QString path = dir.filePath("aton");
    // Listed first: what the choice would fall back to.
    SimProcess spare({"--fast", "--quiet"});
    auto unit = std::make_unique<SimProcess>(QStringList{"--fast", "--quiet", "--link", path});
    qputenv("VANDREL_PORTS", (spare.port + ':' + path).toLocal8Bit());
    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    link(window, path);
    auto *combo = child<QComboBox>(window, "comboBoxPort");
    QTRY_VERIFY_WITH_TIMEOUT(App()->GetStateMachine()->IsPolling(), 5000);
    {
        A lost({A::Press(QMessageBox::Ok), A::Press(QMessageBox::Ok)});
        unit->Unplug();
        QTRY_COMPARE_WITH_TIMEOUT(lost.answered(), 1, 6000);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->Session()->GetWorkerThread(), 10000);
        QVERIFY(on(window, "pushButtonConnect"));
        // Opening the list does not swap the choice for the spare port.
        QTest::mouseClick(combo, Qt::LeftButton);
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->currentData().toString(), path);
        QCOMPARE(combo->currentText(), path + " - not present");
        QCOMPARE(combo->itemText(combo->findData(spare.port)), spare.port);
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QTest::qWait(2000);
        QCOMPARE(lost.answered(), 1);
    }

    // Back at the same path, as another unit: linked again, said so, and a
    // retrieve reads the unit that came back into the new document.
    unit = std::make_unique<SimProcess>(
        QStringList{"--fast", "--quiet", "--serial", "UNIT-BACK", "--link", path});
    QTRY_COMPARE_WITH_TIMEOUT(window.statusBar()->currentMessage(),
                              "Connected again to " + path + " once it came back.", 10000);
    QTRY_VERIFY_WITH_TIMEOUT(on(window, "toolButtonRetrieveFromAtoN"), 10000);
    QCOMPARE(combo->currentText(), path);
    auto *name = child<QLineEdit>(window, "lineName");
    const QString held = unit->State().value("ace")["name"].toString();
    QVERIFY(name->text() != held);
    retrieveAll(window);
    QCOMPARE(name->text(), held);
    QCOMPARE(child<QLabel>(window, "labelProductSerialNumber")->text(), QString("UNIT-BACK"));

    // Disconnected first, the port that comes back is only shown present.
    QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    unit->Unplug();
    QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), path + " - not present", 10000);
    unit = std::make_unique<SimProcess>(QStringList{"--fast", "--quiet", "--link", path});
    QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), path, 10000);
    QTest::qWait(2500);
    QVERIFY(!App()->GetTransport());
    App()->SetMainWindow(nullptr);
}

// Whether the device at path was opened while `during` ran, as the system's
// file events tell.
template <class Action> static bool openedWhile(const QString &path, Action during)
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(path).constData(), IN_OPEN) < 0)
        qFatal("cannot watch %s", qPrintable(path));
    during();
    alignas(inotify_event) char buffer[4096];
    const bool opened = ::read(fd, buffer, sizeof buffer) > 0;
    ::close(fd);
    return opened;
}

// Every port is marked as the list opens, whether another program holds its
// lock or only has it open exclusively, and no port is opened to be looked at
// before (an open pulses an adapter's modem lines); a failed connect names
// the port.
void TstMainWindowSession::portsMarkedAndConnectFailuresNamed()
{
    using A = ModalAnswer;
    SimProcess mute({"--fast", "--quiet", "--no-answer", "appver"});
    SimProcess locked({"--fast", "--quiet"}), exclusive({"--fast", "--quiet"});
    QSerialPort holder(locked.port);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    const int fd = ::open(QFile::encodeName(exclusive.port).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0 && ::ioctl(fd, TIOCEXCL) == 0);
    qputenv("VANDREL_PORTS",
            QStringList{mute.port, locked.port, exclusive.port}.join(':').toLocal8Bit());
    App()->SetPortName(mute.port);
    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *combo = child<QComboBox>(window, "comboBoxPort");
    QVERIFY(!openedWhile(mute.port, [] { QTest::qWait(3 * MainWindow::ClockIntervalMs); }));
    QVERIFY(openedWhile(mute.port, [combo] {
        QTest::mouseClick(combo, Qt::LeftButton);
        static_cast<void>(QTest::qWaitFor([combo] { return combo->view()->isVisible(); }));
    }));
    QVERIFY(combo->view()->isVisible());
    const auto shown = [combo](const QString &port) {
        return combo->itemText(combo->findData(port));
    };
    QCOMPARE(shown(mute.port), mute.port);
    QCOMPARE(shown(locked.port), locked.port + " - busy");
    QCOMPARE(shown(exclusive.port), exclusive.port + " - busy");
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    ::close(fd);

    {
        A failed({A::Press(QMessageBox::Ok)});
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(failed.answered(), 1, 10000);
        QCOMPARE(failed.texts.value(0), "Could not connect to " + mute.port + ".");
        QVERIFY2(failed.informativeTexts.value(0).startsWith("No answer to the command appver"),
                 qPrintable(failed.informativeTexts.value(0)));
    }
    QTRY_VERIFY_WITH_TIMEOUT(on(window, "pushButtonConnect"), 10000);
    // Chosen from the list, the busy port is refused by name.
    QTest::mouseClick(combo, Qt::LeftButton);
    QTRY_VERIFY(combo->view()->isVisible());
    // The busy port is the next one down.
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_COMPARE(combo->currentData().toString(), locked.port);
    {
        A busy({A::Press(QMessageBox::Ok)});
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QCOMPARE(busy.answered(), 1);
        QCOMPARE(busy.texts.value(0), "Could not connect to " + locked.port + ".");
        QVERIFY(busy.informativeTexts.value(0).contains(locked.port + " is busy"));
    }
    QVERIFY(!App()->GetTransport());
    App()->SetMainWindow(nullptr);
}

// A file that names one schedule row, sent to a unit holding five: the other
// rows stay as the unit holds them until the engineer switches one off, and
// switching off the off-position report is asked before anything goes out.
void TstMainWindowSession::scheduleRowsLeftToTheUnit()
{
    using A = ModalAnswer;
    // An identity of its own, which no other test's send has put in the
    // register; a row of message 25, for which the table has no place.
    SimProcess unit(
        {"--fast", "--quiet", "--mmsi", "992351777", "--serial", "UNIT-S", "--extra-row", "25/1"});
    QVERIFY(!unit.port.isEmpty());
    const auto row = [](const QJsonObject &state, const QString &name) {
        for (const QJsonValue &value : state["schedule"].toArray()) {
            const QJsonObject o = value.toObject();
            if (QStringLiteral("%1/%2").arg(o["message"].toInt()).arg(o["instance"].toInt()) ==
                name)
                return o;
        }
        return QJsonObject();
    };
    const QJsonObject before = unit.State();
    QCOMPARE(before["schedule"].toArray().size(), 5);

    QTemporaryDir dir;
    const QString file = dir.filePath("one-row.pad");
    Model one;
    one.GetAtoN()->GetAtoNMMSI()->SetMmsi("992351777");
    one.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992351777");
    one.GetAtoN()->SetName("ONE ROW");
    one.GetAtoN()->GetPosition()->SetLatitude(50.8);
    one.GetAtoN()->GetPosition()->SetLongitude(-1.1);
    MessageScheduleEntry report;
    report.SetAccessScheme(MessageScheduleEntry::RATDMA);
    report.SetInterval1(3);
    report.SetInterval2(3);
    LoadRows(one.GetMessageSchedule(), {report});
    QCOMPARE(PadFile::Save(file, one), PadFile::Done);

    // Retrieved first, so that the unit's identity is known before a send;
    // the row of message 25 is shown as read.
    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    link(window, unit.port);
    retrieveAll(window);
    auto *table = child<QTableView>(window, "tableSchedules");
    const auto messages = [table] {
        QStringList shown;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            shown << table->model()->index(r, 0).data().toString();
        return shown;
    };
    QCOMPARE(messages(), QStringList({"21", "21", "6", "12", "25"}));

    // The file: its one row is sent, the unit keeps the other four.
    {
        A open({A::Press(QMessageBox::Discard), A::ChooseFile(file)});
        child<QAction>(window, "actionOpenFile")->trigger();
        QCOMPARE(open.answered(), 2);
    }
    auto *note = child<QLabel>(window, "labelRowsLeftToUnit");
    QVERIFY2(note->isVisible() && note->text().startsWith("As the unit holds them: 21/2, "),
             qPrintable(note->text()));
    QCOMPARE(table->model()->index(1, 2).data().toString(), QString("As the unit holds it"));
    // Sends the whole document; the texts of the boxes answered go to asked.
    QStringList asked;
    const auto send = [&window, &asked](QList<A::Answer> answers) {
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 15000);
        A boxes(answers);
        press(window, "toolButtonSendToAtoN");
        QTRY_COMPARE_WITH_TIMEOUT(boxes.answered(), answers.size(), 5000);
        asked = boxes.texts;
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetStateMachine()->IsTransferring() && idle(), 60000);
    };
    send({});
    QCOMPARE(window.statusBar()->currentMessage().section(':', 0, 0), QString("Sent and verified"));
    const QJsonObject sent = unit.State();
    QCOMPARE(sent["ace"]["name"].toString(), QString("ONE ROW"));
    QCOMPARE(row(sent, "21/1")["scheme"].toInt(), 1);
    for (const char *kept : {"21/2", "6/1", "12/2", "25/1"})
        QVERIFY2(row(sent, kept) == row(before, kept), kept);

    // Switched off from the schedule's menu (Add, then Left as the Unit
    // Holds Them, then the row's own key): that row goes off, no other.
    const auto switchOff = [&window](const char *action) {
        QTest::mouseClick(child<QPushButton>(window, "pushButtonAddMessage"), Qt::LeftButton);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_L);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()) &&
                    QApplication::activePopupWidget()->objectName() == "menuRowsLeftToUnit");
        auto *rows = QApplication::activePopupWidget();
        const QString text = child<QAction>(*rows, action)->text();
        QVERIFY2(text.startsWith('&'), qPrintable(text));
        QTest::keyClick(rows, text.at(1).toLatin1());
        QTRY_VERIFY(!QApplication::activePopupWidget());
        // (the offscreen platform leaves no window active after a popup)
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    };
    switchOff("actionSwitchOff6_1");
    QVERIFY(!note->text().contains("6/1"));
    send({});
    const QJsonObject offOne = unit.State();
    QVERIFY(row(offOne, "6/1").isEmpty() || row(offOne, "6/1")["slot1"].toInt() == -1);
    for (const char *kept : {"21/1", "21/2", "12/2", "25/1"})
        QVERIFY2(row(offOne, kept) == row(sent, kept), kept);

    // The off-position report: asked before anything goes out; Cancel
    // sends nothing at all, the button that goes ahead switches it off.
    switchOff("actionSwitchOff21_2");
    send({A::Press(QMessageBox::Cancel)});
    QVERIFY2(asked.value(0).contains("switches off the unit's off-position report"),
             qPrintable(asked.value(0)));
    QVERIFY(unit.State() == offOne);
    bool untouched = false;
    send({[&](QWidget *box) {
        untouched = unit.State() == offOne;
        A::PressAccept()(box);
    }});
    QVERIFY(untouched);
    const QJsonObject reportOff = unit.State();
    QCOMPARE(row(reportOff, "21/2")["slot1"].toInt(), -1);
    QCOMPARE(row(reportOff, "21/2")["slot2"].toInt(), -1);
    for (const char *kept : {"21/1", "12/2", "25/1"})
        QVERIFY2(row(reportOff, kept) == row(offOne, kept), kept);
    App()->SetMainWindow(nullptr);
    QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
}

VANDREL_UI_TEST_MAIN(TstMainWindowSession)
#include "tst_ui_mainwindow_session.moc"
