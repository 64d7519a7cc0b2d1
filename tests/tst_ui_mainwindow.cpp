#include "app/vandrelapplication.h"
#include "decode/gpsdata.h"
#include "link/serialcontroller.h"
#include "model/model.h"
#include "model/padfile.h"
#include "ui/mainwindow.h"
#include "ui/serialdisplay.h"

#include "childwidget.h"
#include "modalanswer.h"
#include "support/ptypair.h"
#include "support/tempsettings.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>

namespace {

PortInfoList fakePorts;

PortInfo Port(const QString &name, const QString &friendly, int vendor = 0, int product = 0)
{
    PortInfo info;
    info.portName = name;
    info.friendlyName = friendly;
    info.vendorId = vendor;
    info.productId = product;
    return info;
}

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private:
    static QComboBox *combo(MainWindow &w) { return child<QComboBox>(w, "comboBoxPort"); }
    static bool portChoiceShown(MainWindow &w)
    {
        auto *bar = child<QToolBar>(w, "toolBarPort");
        for (QAction *action : bar->actions()) {
            if (bar->widgetForAction(action) == combo(w)) {
                return action->isVisible();
            }
        }
        return false;
    }
    struct Controls
    {
        bool connect, disconnect, combo, retrieve, send;
    };
    static Controls controls(MainWindow &w)
    {
        return {child<QPushButton>(w, "pushButtonConnect")->isEnabled(),
                child<QPushButton>(w, "pushButtonDisconnect")->isEnabled(), combo(w)->isEnabled(),
                child<QToolButton>(w, "toolButtonRetrieveFromAtoN")->isEnabled(),
                child<QToolButton>(w, "toolButtonSendToAtoN")->isEnabled()};
    }
    // Makes the document differ from the file and marks the window modified,
    // as an edit on the AtoN tab does.
    static void edit(MainWindow &w, const QString &name)
    {
        auto *line = child<QLineEdit>(w, "lineName");
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(0);
        line->selectAll();
        QTest::keyClicks(line, name);
        QVERIFY(w.isWindowModified());
        QCOMPARE(App()->EditModel()->GetAtoN()->Name(), name);
    }

private slots:
    void init();
    void noPortsDisablesEverything();
    void portsOfferTheRememberedOrTheFirst();
    void devicePortHidesTheChoiceAndIsTaken();
    void busyPortIsMarked();
    void fileCommandsAskBeforeLosingEdits();
    void saveThatFailsKeepsTheWindowOpen();
    void unreadableFileChangesNothing();
    void newDocumentAsksForANameOnSave();
    void tabIconsFollowTheirCodes();
    void serialNumberTestAndClock();
    void transferMenusDropFromTheButtons();
    void replayPlaysALogThroughTheWindow();
    void germanTranslationCoversTheWindow();
};

void TstMainWindow::init()
{
    fakePorts.clear();
    SerialController::SetPortEnumeration([] { return fakePorts; });
    App()->SetPortName(QString());
    App()->SetFilename(QString());
    App()->EditModel()->Reset();
}

void TstMainWindow::noPortsDisablesEverything()
{
    MainWindow window;
    const Controls c = controls(window);
    QVERIFY(!c.connect && !c.disconnect && !c.combo && !c.retrieve && !c.send);
    QCOMPARE(combo(window)->count(), 0);
    QVERIFY(portChoiceShown(window));
    QCOMPARE(window.statusBar()->currentMessage(), QString("Ready"));
    QCOMPARE(child<QLabel>(window, "labelUtcClock")->text(), QString(" No GPS "));
    // Nothing to connect to: the start-up connection does nothing.
    QTest::qWait(20);
    QVERIFY(!App()->GetTransport());
}

void TstMainWindow::portsOfferTheRememberedOrTheFirst()
{
    PtyPair a, b;
    fakePorts = {Port(a.slavePath(), "First adapter"), Port(b.slavePath(), QString()),
                 Port("LPT1", "Printer")};

    // The remembered port is selected.
    App()->SetPortName(b.slavePath());
    {
        MainWindow window;
        QCOMPARE(combo(window)->count(), 2);
        QCOMPARE(combo(window)->itemText(0), QString("First adapter"));
        QCOMPARE(combo(window)->currentIndex(), 1);
        const Controls c = controls(window);
        QVERIFY(c.connect && c.combo && !c.disconnect && !c.retrieve && !c.send);
        QVERIFY(portChoiceShown(window));

        // Choosing another port remembers it.
        combo(window)->setCurrentIndex(0);
        QCOMPARE(App()->GetPortName(), a.slavePath());
    }

    // An unknown remembered port gives way to the first, which is remembered.
    App()->SetPortName("/dev/gone");
    {
        MainWindow window;
        QCOMPARE(combo(window)->currentIndex(), 0);
        QCOMPARE(App()->GetPortName(), a.slavePath());
    }

    // The list is refilled when it is opened.
    {
        MainWindow window;
        fakePorts.append(Port("/dev/ttyNEW", "New adapter"));
        QCOMPARE(combo(window)->count(), 2);
        combo(window)->showPopup();
        QCOMPARE(combo(window)->count(), 3);
        QCOMPARE(combo(window)->currentIndex(), 0);
        combo(window)->hidePopup();
    }
}

void TstMainWindow::devicePortHidesTheChoiceAndIsTaken()
{
    PtyPair other, unit;
    fakePorts = {Port(other.slavePath(), "Other adapter")};
    MainWindow window;
    QVERIFY(portChoiceShown(window));
    QCOMPARE(App()->GetPortName(), other.slavePath());

    // An adapter of another product of the same maker is not the unit.
    fakePorts.append(Port("/dev/ttyX", "Same maker", MainWindow::DeviceVendorId, 0x0503));
    QTest::qWait(MainWindow::ClockIntervalMs + 200);
    QVERIFY(portChoiceShown(window));

    // Plugged in: within a second the choice goes and the setting points at it.
    fakePorts.append(Port(unit.slavePath(), "AtoN unit", MainWindow::DeviceVendorId,
                          MainWindow::DeviceProductId));
    QTRY_VERIFY_WITH_TIMEOUT(!portChoiceShown(window), MainWindow::ClockIntervalMs + 500);
    QCOMPARE(App()->GetPortName(), unit.slavePath());
    // The window does not connect by itself after start-up.
    QVERIFY(!App()->GetTransport());
}

void TstMainWindow::busyPortIsMarked()
{
    // A port that cannot be opened counts as in use.
    fakePorts = {Port("/dev/vandrel-no-such-port", "Missing adapter")};
    MainWindow window;
    QTRY_COMPARE_WITH_TIMEOUT(combo(window)->currentText(), QString("Missing adapter- IN USE"),
                              MainWindow::ClockIntervalMs + 500);
}

void TstMainWindow::fileCommandsAskBeforeLosingEdits()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("first.pad");
    MainWindow window;
    QSignalSpy fileLoad(&window, &MainWindow::FileLoad);
    auto *saveAction = child<QAction>(window, "actionSaveFile");

    QVERIFY(!saveAction->isEnabled());
    QCOMPARE(QFileInfo(window.windowFilePath()).fileName(), QString("untitled.pad"));
    QVERIFY(!window.isWindowModified());

    // Unmodified: closing asks nothing.
    {
        ModalAnswer none({ModalAnswer::Cancel()}, 300);
        window.OnNew();
        QCOMPARE(none.answered(), 0);
        QCOMPARE(fileLoad.count(), 1);
    }

    edit(window, "FIRST");

    // Cancel keeps everything.
    {
        ModalAnswer cancel({ModalAnswer::Press(QMessageBox::Cancel)});
        QVERIFY(!window.close());
        QCOMPARE(cancel.answered(), 1);
        QCOMPARE(cancel.texts, QStringList{"The file has been modified."});
        QCOMPARE(cancel.informativeTexts, QStringList{"Do you want to save your changes?"});
        QVERIFY(window.isWindowModified());
        QCOMPARE(App()->EditModel()->GetAtoN()->Name(), QString("FIRST"));
    }

    // Save with no name asks for one and saves there.
    {
        ModalAnswer answers({ModalAnswer::Press(QMessageBox::Save), ModalAnswer::ChooseFile(path)});
        window.OnNew();
        QCOMPARE(answers.answered(), 2);
    }
    QVERIFY(QFile::exists(path));
    QCOMPARE(App()->GetFilename(), path);
    {
        Model saved;
        QCOMPARE(PadFile::Load(path, &saved), PadFile::Done);
        QCOMPARE(saved.GetAtoN()->Name(), QString("FIRST"));
    }
    // ... and then the new document follows.
    QCOMPARE(App()->EditModel()->GetAtoN()->Name(), Model().GetAtoN()->Name());
    QVERIFY(!window.isWindowModified());
    QCOMPARE(fileLoad.count(), 2);

    // Open brings the file back under its name.
    {
        ModalAnswer open({ModalAnswer::ChooseFile(path)});
        window.OnOpen();
        QCOMPARE(open.answered(), 1);
    }
    QCOMPARE(window.CurrentFileName(), path);
    QCOMPARE(QFileInfo(window.windowFilePath()).fileName(), QString("first.pad"));
    QVERIFY(saveAction->isEnabled());
    QCOMPARE(child<QLineEdit>(window, "lineName")->text(), QString("FIRST"));
    QCOMPARE(fileLoad.count(), 3);

    // Discard drops the edit and goes on.
    edit(window, "SECOND");
    {
        ModalAnswer discard({ModalAnswer::Press(QMessageBox::Discard)});
        window.OnClose();
        QCOMPARE(discard.answered(), 1);
    }
    QVERIFY(window.CurrentFileName().isEmpty());
    QVERIFY(!saveAction->isEnabled());
    {
        Model onDisk;
        QCOMPARE(PadFile::Load(path, &onDisk), PadFile::Done);
        QCOMPARE(onDisk.GetAtoN()->Name(), QString("FIRST"));
    }
    // The remembered path stays for the next dialog.
    QCOMPARE(App()->GetFilename(), path);
}

void TstMainWindow::saveThatFailsKeepsTheWindowOpen()
{
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    edit(window, "KEEPME");

    // The name dialog cancelled: the window stays, the edits too.
    {
        ModalAnswer answers({ModalAnswer::Press(QMessageBox::Save), ModalAnswer::Cancel()});
        QVERIFY(!window.close());
        QCOMPARE(answers.answered(), 2);
    }
    QVERIFY(window.isVisible());
    QVERIFY(window.isWindowModified());

    // A file that cannot be written: an error, and the window stays.
    const QString unwritable = dir.filePath("no-such-folder/config.pad");
    {
        ModalAnswer answers({ModalAnswer::Press(QMessageBox::Save),
                             ModalAnswer::ChooseFile(unwritable),
                             ModalAnswer::Press(QMessageBox::Ok)});
        QVERIFY(!window.close());
        QCOMPARE(answers.answered(), 3);
        QCOMPARE(answers.titles.value(1), QString("Could not save the file"));
        QCOMPARE(answers.texts.value(1), "Could not save file: " + unwritable);
    }
    QVERIFY(window.isVisible());
    QVERIFY(window.isWindowModified());
    QVERIFY(window.CurrentFileName().isEmpty());
    QCOMPARE(App()->EditModel()->GetAtoN()->Name(), QString("KEEPME"));

    // Discard lets it close.
    {
        ModalAnswer discard({ModalAnswer::Press(QMessageBox::Discard)});
        QVERIFY(window.close());
    }
}

void TstMainWindow::unreadableFileChangesNothing()
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.pad");
    const QString truncated = dir.filePath("truncated.pad");
    {
        Model model;
        model.GetAtoN()->SetName("ON DISK");
        QCOMPARE(PadFile::Save(good, model), PadFile::Done);
        QFile in(good);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QFile out(truncated);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(in.readAll().left(60));
    }

    MainWindow window;
    {
        ModalAnswer open({ModalAnswer::ChooseFile(good)});
        window.OnOpen();
    }
    QCOMPARE(window.CurrentFileName(), good);
    edit(window, "EDITED");
    QSignalSpy fileLoad(&window, &MainWindow::FileLoad);

    // Keep the edits, then fail to read: nothing of the document moves.
    const QString otherKind = dir.filePath("text.pad");
    {
        QFile text(otherKind);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(300, 'A'));
    }
    for (const QString &bad : {truncated, otherKind}) {
        // Discarding only lets the open go on; the failed read must still
        // leave the document as it was.
        ModalAnswer answers({ModalAnswer::Press(QMessageBox::Discard), ModalAnswer::ChooseFile(bad),
                             ModalAnswer::Press(QMessageBox::Ok)});
        window.OnOpen();
        QCOMPARE(answers.answered(), 3);
        QCOMPARE(answers.titles.value(1), QString("Could not open the file"));
        QCOMPARE(answers.texts.value(1), "Could not open file: " + bad);
        QVERIFY(!answers.informativeTexts.value(1).isEmpty());
        QCOMPARE(window.CurrentFileName(), good);
        QCOMPARE(App()->GetFilename(), good);
        QVERIFY(window.isWindowModified());
        QCOMPARE(App()->EditModel()->GetAtoN()->Name(), QString("EDITED"));
        QCOMPARE(child<QLineEdit>(window, "lineName")->text(), QString("EDITED"));
        QCOMPARE(fileLoad.count(), 0);
    }
    window.setWindowModified(false);
}

void TstMainWindow::newDocumentAsksForANameOnSave()
{
    QTemporaryDir dir;
    const QString earlier = dir.filePath("earlier.pad");
    const QString other = dir.filePath("other.pad");
    Model onDisk;
    onDisk.GetAtoN()->SetName("EARLIER");
    QCOMPARE(PadFile::Save(earlier, onDisk), PadFile::Done);

    MainWindow window;
    {
        ModalAnswer open({ModalAnswer::ChooseFile(earlier)});
        window.OnOpen();
    }
    window.OnNew();
    edit(window, "NEW ONE");

    // Saving the new document must not overwrite the file opened before it.
    {
        ModalAnswer answers(
            {ModalAnswer::Press(QMessageBox::Save), ModalAnswer::ChooseFile(other)});
        window.OnNew();
        QCOMPARE(answers.answered(), 2);
    }
    Model check;
    QCOMPARE(PadFile::Load(earlier, &check), PadFile::Done);
    QCOMPARE(check.GetAtoN()->Name(), QString("EARLIER"));
    QCOMPARE(PadFile::Load(other, &check), PadFile::Done);
    QCOMPARE(check.GetAtoN()->Name(), QString("NEW ONE"));
}

void TstMainWindow::tabIconsFollowTheirCodes()
{
    MainWindow window;
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    const auto image = [](const QIcon &icon) { return icon.pixmap(16, 16).toImage(); };
    const char *const files[] = {nullptr, ":/Images/TabEdited.png", ":/Images/TabNotSynced.png",
                                 ":/Images/TabSyncing.png", ":/Images/TabSynced.png"};
    for (int code = 1; code <= 4; ++code) {
        window.OnUpdateTabIcon(1, code);
        QCOMPARE(image(tabs->tabIcon(1)), image(QIcon(files[code])));
    }
    QVERIFY(image(QIcon(files[1])) != image(QIcon(files[4])));

    // An unknown code leaves the icon; 0 clears it.
    window.OnUpdateTabIcon(1, 5);
    QCOMPARE(image(tabs->tabIcon(1)), image(QIcon(files[4])));
    window.OnUpdateTabIcon(1, 0);
    QVERIFY(tabs->tabIcon(1).isNull());

    // Only the two configuration tabs are enabled and disabled.
    window.OnEnableTab(0, false);
    QVERIFY(!tabs->widget(0)->isEnabled());
    window.OnEnableTab(2, false);
    QVERIFY(tabs->widget(2)->isEnabled());
    window.OnEnableTab(0, true);
    QVERIFY(tabs->widget(0)->isEnabled());
}

void TstMainWindow::serialNumberTestAndClock()
{
    MainWindow window;
    QSignalSpy getTab(&window, &MainWindow::GetTab);
    window.OnProductSerialNumber("A123456");
    window.OnProductSerialNumberTest("A123456");
    QCOMPARE(getTab.count(), 0);
    // Another unit in the dock: its AtoN tab is read.
    window.OnProductSerialNumberTest("B999999");
    QCOMPARE(getTab.count(), 1);
    QCOMPARE(getTab.at(0).at(0).toInt(), 0);
    // The stored number is not changed by a test answer.
    window.OnProductSerialNumberTest("A123456");
    QCOMPARE(getTab.count(), 1);

    auto *clock = child<QLabel>(window, "labelUtcClock");
    GpsData fix;
    fix.SetTime("093005");
    window.OnGpsDataReceived(&fix);
    QCOMPARE(clock->text(), QString(" UTC 09:30:05 "));
    window.OnGpsDataReceived(nullptr);
    QCOMPARE(clock->text(), QString(" UTC **:**:** "));
}

void TstMainWindow::transferMenusDropFromTheButtons()
{
    MainWindow window;
    auto *retrieve = child<QToolButton>(window, "toolButtonRetrieveFromAtoN");
    auto *send = child<QToolButton>(window, "toolButtonSendToAtoN");
    QVERIFY(retrieve->menu() && send->menu());
    QStringList entries;
    for (QAction *action : retrieve->menu()->actions()) {
        entries << action->text();
    }
    QCOMPARE(entries, (QStringList{"Retrieve current tab only", "Retrieve all tabs"}));
    QCOMPARE(send->menu()->actions().size(), 1);
    QCOMPARE(send->menu()->actions().at(0)->text(), QString("Send current tab only"));

    // The entries ask for the tab on show.
    QSignalSpy getTab(&window, &MainWindow::GetTab);
    QSignalSpy sendTab(&window, &MainWindow::SendTab);
    QSignalSpy getAll(&window, &MainWindow::GetAllTabs);
    child<QTabWidget>(window, "tabWidget")->setCurrentIndex(1);
    window.OnGetCurrentTab();
    window.OnSendCurrentTab();
    window.OnGetAllTabs();
    QCOMPARE(getTab.count(), 1);
    QCOMPARE(getTab.at(0).at(0).toInt(), 1);
    QCOMPARE(sendTab.at(0).at(0).toInt(), 1);
    QCOMPARE(getAll.count(), 1);
}

void TstMainWindow::replayPlaysALogThroughTheWindow()
{
    // A traffic log as the window writes it: header, received lines, footer.
    QTemporaryDir dir;
    const QString log = dir.filePath("field.log");
    {
        QFile file(log);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#\n# vandrel Started log file at 10:00:00 2026/06/01\n#\n"
                   "$GPRMC,100000.00,A,5030.0000,N,00312.0000,W,0.0,0.0,010626,,,A*6E\n"
                   "$AITXT,01,01,21,AtoN: lantern on*12\n"
                   "#\n# vandrel Stopped log file at 10:00:01 2026/06/01\n#\n");
    }
    MainWindow window;
    App()->SetMainWindow(&window);
    {
        ModalAnswer open({ModalAnswer::ChooseFile(log)});
        window.OnReplayLogFile();
        QCOMPARE(open.answered(), 1);
    }
    QCOMPARE(App()->GetLogFilename(), log);
    // Played to its end, the replay closes like a link; the serial tab has
    // shown the received lines and nothing of the header.
    auto *display = child<SerialDisplay>(window, "textEditReceived");
    QTRY_VERIFY_WITH_TIMEOUT(display->Text().contains("$AITXT"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QVERIFY(display->Text().startsWith("$GPRMC,100000.00"));
    QCOMPARE(window.statusBar()->currentMessage(), QString("Ready"));
    QTRY_VERIFY_WITH_TIMEOUT(child<QAction>(window, "actionReplayLogFile")->isEnabled(), 500);
    App()->SetMainWindow(nullptr);
}

void TstMainWindow::germanTranslationCoversTheWindow()
{
    // The build puts the compiled translation beside the program, one folder
    // above the tests.
    const QString file = QCoreApplication::applicationDirPath() + "/../vandrel_de.qm";
    if (!QFile::exists(file)) {
        QSKIP("the translations are not built");
    }
    QTranslator german;
    QVERIFY(german.load(file));
    QCoreApplication::installTranslator(&german);
    {
        MainWindow window;
        auto *tabs = child<QTabWidget>(window, "tabWidget");
        QCOMPARE(tabs->tabText(1), QString("Laternen-Schnittstellenmodul"));
        QCOMPARE(child<QPushButton>(window, "pushButtonConnect")->text(), QString("Verbinden"));
        QCOMPARE(window.statusBar()->currentMessage(), QString("Bereit"));
        QCOMPARE(QCoreApplication::translate("SerialTab", "Log To File"),
                 QString("In Datei protokollieren"));
    }
    QCoreApplication::removeTranslator(&german);
}

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication app(argc, argv);
    Q_INIT_RESOURCE(tabs);
    Q_INIT_RESOURCE(window);
    TstMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_mainwindow.moc"
