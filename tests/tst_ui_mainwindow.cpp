#include "app/windowcommandline.h"
#include "link/serialcontroller.h"
#include "model/padfile.h"
#include "platform/platform.h"
#include "ui/mainwindow.h"
#include "ui/qcomboboxdropdown.h"
#include "ui/serialdisplay.h"

#include "modalanswer.h"
#include "support/ptypair.h"
#include "support/testchecksum.h"
#include "tst_cli_support.h"
#include "uitestmain.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>

#include <sys/stat.h>
#include <unistd.h>

namespace {

PortInfoList fakePorts;

QString NameIn(const QString &path)
{
    Model model;
    return PadFile::Load(path, &model) == PadFile::Done ? model.GetAtoN()->Name() : "(unread)";
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
            if (bar->widgetForAction(action) == combo(w))
                return action->isVisible();
        }
        return false;
    }
    // The object names of the port and transfer controls that are enabled.
    static QStringList enabled(MainWindow &w)
    {
        QStringList names;
        for (const char *name : {"pushButtonConnect", "pushButtonDisconnect", "comboBoxPort",
                                 "toolButtonRetrieveFromAtoN", "toolButtonSendToAtoN"}) {
            if (child<QWidget>(w, name)->isEnabled())
                names << name;
        }
        return names;
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
    void portChoiceFollowsThePorts();
    void fileCommandsAskBeforeLosingEdits();
    void fileGivenOnTheCommandLine();
    void replayPlaysALogThroughTheWindow();
    void windowFitsASmallScreen();
};

void TstMainWindow::init()
{
    fakePorts.clear();
    SerialController::SetPortEnumeration([] { return fakePorts; });
    App()->SetPortName(QString());
    App()->SetFilename(QString());
    App()->EditModel()->Reset();
}

void TstMainWindow::portChoiceFollowsThePorts()
{
    {
        // No port: nothing to do.
        MainWindow window;
        QVERIFY(enabled(window).isEmpty());
    }
    PtyPair a, b, unit, locked;
    {
        // A port that cannot be opened is marked with the reason, and Connect
        // gives it in full. The locked port is one this user may not open;
        // root may open anything, so the window acts as "nobody" for it.
        SerialController holder;
        QVERIFY(holder.Open(b.slavePath(), 38400));
        const QByteArray lockedPath = QFile::encodeName(locked.slavePath());
        QCOMPARE(::chmod(lockedPath.constData(), ::geteuid() == 0 ? 0600 : 0), 0);
        // The pseudo-terminal is new, so a lock on its number is one that a
        // killed program left (its process id perhaps taken since); "nobody"
        // could not remove it, and the reason given would be the lock's.
        Platform &platform = Platform::Current();
        const Platform::PortLock leftover = platform.ReadPortLock(locked.slavePath());
        int error = 0;
        QVERIFY2(leftover.state == Platform::LockState::None ||
                     platform.RemovePortLock(leftover, &error),
                 qPrintable(leftover.file));
        const QStringList words = {"not present", "busy", "no permission"};
        const QStringList reasons = {"not present. Check", "busy: another program",
                                     "Add your user to the \"dialout\" group"};
        const PortInfoList ports = {{"/dev/vandrel-no-such-port", "Missing adapter"},
                                    {b.slavePath(), "Held adapter"},
                                    {locked.slavePath(), "Locked adapter"}};
        for (int i = 0; i < ports.size(); ++i) {
            // Root stays the saved user, taken back when the window has gone.
            const bool nobody = ports.at(i).portName == locked.slavePath() && ::geteuid() == 0;
            QVERIFY(!nobody || ::setresuid(65534, 65534, 0) == 0);
            const auto root = qScopeGuard([nobody] {
                if (nobody && ::setresuid(0, 0, 0) != 0)
                    qFatal("Cannot act as root again");
            });
            fakePorts = {ports.at(i)};
            MainWindow window;
            QTRY_COMPARE_WITH_TIMEOUT(combo(window)->currentText(),
                                      ports.at(i).friendlyName + " - " + words.at(i),
                                      MainWindow::ClockIntervalMs + 500);
            App()->SetMainWindow(&window);
            ModalAnswer error({ModalAnswer::Press(QMessageBox::Ok)});
            QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
            QTRY_COMPARE(error.answered(), 1);
            QVERIFY2(error.informativeTexts.value(0).contains(reasons.at(i)),
                     qPrintable(error.informativeTexts.value(0)));
            QTRY_VERIFY(!App()->GetTransport());
            App()->SetMainWindow(nullptr);
        }
    }

    fakePorts = {{a.slavePath(), "First adapter"}, {b.slavePath(), QString()}, {"LPT1", "Printer"}};
    App()->SetPortName(b.slavePath());
    {
        // The remembered serial port is selected; choosing another remembers it.
        MainWindow window;
        QCOMPARE(combo(window)->count(), 2);
        QCOMPARE(combo(window)->itemText(0), QString("First adapter"));
        QCOMPARE(combo(window)->currentIndex(), 1);
        QCOMPARE(enabled(window), (QStringList{"pushButtonConnect", "comboBoxPort"}));
        combo(window)->setCurrentIndex(0);
        QCOMPARE(App()->GetPortName(), a.slavePath());
        // The choice stands when the unit's adapter comes.
        fakePorts << PortInfo{unit.slavePath(), "AtoN unit", SerialController::DeviceVendorId,
                              SerialController::DeviceProductId};
        QTest::qWait(MainWindow::ClockIntervalMs + 500);
        QVERIFY(portChoiceShown(window) && App()->GetPortName() == a.slavePath());
        fakePorts.removeLast();
    }

    // An unknown remembered port gives way to the first, which is remembered.
    App()->SetPortName("/dev/gone");
    MainWindow window;
    QCOMPARE(combo(window)->currentIndex(), 0);
    QCOMPARE(App()->GetPortName(), a.slavePath());

    // The list is refilled each time it is opened, before it is drawn.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = static_cast<QComboBoxDropdown *>(combo(window));
    bool drawnFirst = false;
    connect(list, &QComboBoxDropdown::Dropdown, this,
            [&] { drawnFirst = list->view()->isVisible(); });
    fakePorts << PortInfo{"/dev/ttyNEW", "New adapter"};
    QTest::mouseClick(list, Qt::LeftButton);
    QTRY_VERIFY(list->view()->isVisible());
    QVERIFY(!drawnFirst);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentIndex(), 0);
    list->hidePopup();
    fakePorts << PortInfo{"/dev/ttyNEWER", "Newer adapter"};
    list->showPopup();
    QCOMPARE(list->count(), 4);
    list->hidePopup();

    // The unit's adapter, not another product of the same maker, is found
    // within a second: the choice goes, the setting points at it, and the
    // window does not connect by itself after start-up.
    QVERIFY(portChoiceShown(window));
    fakePorts << PortInfo{"/dev/ttyX", "Same maker", SerialController::DeviceVendorId, 0x0503};
    fakePorts << PortInfo{unit.slavePath(), "AtoN unit", SerialController::DeviceVendorId,
                          SerialController::DeviceProductId};
    QTRY_VERIFY_WITH_TIMEOUT(!portChoiceShown(window), MainWindow::ClockIntervalMs + 500);
    QCOMPARE(App()->GetPortName(), unit.slavePath());
    QVERIFY(!App()->GetTransport());
}

void TstMainWindow::fileCommandsAskBeforeLosingEdits()
{
    using A = ModalAnswer;
    QTemporaryDir dir;
    const QString first = dir.filePath("first.pad"), other = dir.filePath("other.pad");
    const QString unwritable = dir.filePath("no-such-folder/config.pad");
    MainWindow window;
    window.show();
    QSignalSpy fileLoad(&window, &MainWindow::FileLoad);

    // Unmodified: nothing is asked.
    {
        A none({A::Cancel()});
        window.OnNew();
        QCOMPARE(none.answered(), 0);
    }
    edit(window, "FIRST");

    // Cancel in the question, a cancelled name dialog after Save, or a file
    // that cannot be written: the window stays open with its edits.
    {
        A answers({A::Press(QMessageBox::Cancel), A::Press(QMessageBox::Save), A::Cancel(),
                   A::Press(QMessageBox::Save), A::ChooseFile(unwritable),
                   A::Press(QMessageBox::Ok)});
        for (int i = 0; i < 3; ++i)
            QVERIFY(!window.close());
        QCOMPARE(answers.answered(), 6);
        // The box names the file once, and says why.
        QCOMPARE(answers.texts.value(3), "Could not save file: " + unwritable);
        QCOMPARE(answers.informativeTexts.value(3),
                 "The folder " + dir.filePath("no-such-folder") + " does not exist.");
    }
    QVERIFY(window.isVisible() && window.isWindowModified());
    QVERIFY(window.CurrentFileName().isEmpty());
    QCOMPARE(App()->EditModel()->GetAtoN()->Name(), QString("FIRST"));

    // Save asks for a name (typed without ".pad" it gets one), then the new
    // document follows.  The next document has no name either: its Save asks
    // again rather than overwrite the file remembered from before.
    for (const QString &path : {dir.filePath("first"), other}) {
        A answers({A::Press(QMessageBox::Save), A::ChooseFile(path)});
        window.OnNew();
        QCOMPARE(answers.answered(), 2);
        QCOMPARE(App()->EditModel()->GetAtoN()->Name(), Model().GetAtoN()->Name());
        QVERIFY(!window.isWindowModified());
        edit(window, "SECOND");
    }
    QCOMPARE(NameIn(first), QString("FIRST"));
    QCOMPARE(NameIn(other), QString("SECOND"));
    QCOMPARE(App()->GetFilename(), other);

    // Open brings the file back under its name.
    {
        A answers({A::Press(QMessageBox::Discard), A::ChooseFile(first)});
        window.OnOpen();
        QCOMPARE(answers.answered(), 2);
    }
    QCOMPARE(window.CurrentFileName(), first);
    QCOMPARE(QFileInfo(window.windowFilePath()).fileName(), QString("first.pad"));
    QCOMPARE(child<QLineEdit>(window, "lineName")->text(), QString("FIRST"));
    QCOMPARE(fileLoad.count(), 4);

    // A file that cannot be read, or a failed Save As: the document, its
    // name, the remembered path and the modified mark stay as they were.
    edit(window, "EDITED");
    const QString truncated = dir.filePath("truncated.pad");
    QFile good(first);
    QVERIFY(good.open(QIODevice::ReadOnly));
    QVERIFY(WriteBytes(truncated, good.readAll().left(60)));
    for (const QString &bad : {truncated, unwritable}) {
        const bool open = bad != unwritable;
        const auto error = A::Press(QMessageBox::Ok);
        A answers(open ? QList<A::Answer>{A::Press(QMessageBox::Discard), A::ChooseFile(bad), error}
                       : QList<A::Answer>{A::ChooseFile(bad), error});
        open ? window.OnOpen() : window.OnSaveAs();
        QCOMPARE(answers.answered(), open ? 3 : 2);
        QCOMPARE(answers.texts.last(),
                 (open ? "Could not open file: " : "Could not save file: ") + bad);
        QVERIFY(!answers.informativeTexts.last().isEmpty());
        QCOMPARE(window.CurrentFileName(), first);
        QCOMPARE(App()->GetFilename(), first);
        QVERIFY(window.isWindowModified());
        QCOMPARE(App()->EditModel()->GetAtoN()->Name(), QString("EDITED"));
        QCOMPARE(child<QLineEdit>(window, "lineName")->text(), QString("EDITED"));
        QCOMPARE(fileLoad.count(), 4);
    }

    // Discard drops the edit and goes on; the remembered path stays.
    {
        A discard({A::Press(QMessageBox::Discard)});
        window.OnClose();
        QCOMPARE(discard.answered(), 1);
    }
    QVERIFY(window.CurrentFileName().isEmpty());
    QCOMPARE(NameIn(first), QString("FIRST"));
    QCOMPARE(App()->GetFilename(), first);
}

void TstMainWindow::fileGivenOnTheCommandLine()
{
    using A = ModalAnswer;
    QTemporaryDir dir;
    const QString good = dir.filePath("start.pad");
    Model model;
    model.GetAtoN()->SetName("AT START");
    QCOMPARE(PadFile::Save(good, model), PadFile::Done);
    // A readable file is the document; one that cannot be read, or a FIFO
    // (which would hold the window up until something wrote to it), gives
    // File > Open's box at once and leaves the new, empty document. (Two
    // files given are refused in the install check.)
    const QString fifo = dir.filePath("unit.pad");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString &path : {good, dir.filePath("missing.pad"), fifo}) {
        WindowCommandLine commandLine;
        QCOMPARE(
            commandLine.Parse({"vandrel", "-platform", "offscreen", path, "--port", "/dev/ttyX"}),
            WindowCommandLine::Run);
        QCOMPARE(commandLine.port(), QString("/dev/ttyX"));
        App()->EditModel()->Reset();
        MainWindow window;
        window.show();
        A answers({A::Press(QMessageBox::Ok)});
        QElapsedTimer clock;
        clock.start();
        window.OpenFileAtStart(commandLine.file());
        QVERIFY(clock.elapsed() < 5000);
        const bool readable = path == good;
        QCOMPARE(answers.answered(), readable ? 0 : 1);
        QCOMPARE(answers.texts.value(0), readable ? QString() : "Could not open file: " + path);
        if (path == fifo)
            QCOMPARE(answers.informativeTexts.value(0), fifo + " is a pipe (FIFO), not a file.");
        QCOMPARE(window.CurrentFileName(), readable ? path : QString());
        QCOMPARE(child<QLineEdit>(window, "lineName")->text(),
                 readable ? QString("AT START") : Model().GetAtoN()->Name());
        QVERIFY(!window.isWindowModified());
    }

    // A port that is not there is reported, not replaced by one that is,
    // not even by the unit's adapter.
    PtyPair other;
    fakePorts = {{other.slavePath(), "AtoN unit", SerialController::DeviceVendorId,
                  SerialController::DeviceProductId}};
    MainWindow window;
    A box({A::Press(QMessageBox::Ok)});
    window.ConnectAtStart(dir.filePath("no-port"));
    QCOMPARE(box.texts.value(0), "There is no serial port " + dir.filePath("no-port") + ".");
    QTest::qWait(MainWindow::ClockIntervalMs + 500);
    QVERIFY(!App()->GetTransport() && portChoiceShown(window));
}

void TstMainWindow::replayPlaysALogThroughTheWindow()
{
    // A log of a unit's GPS traffic, played whole at no more than a line
    // each 10 ms: no line lost (a line in UTF-8 and a last line without its
    // end among them, the logged sent line shown as sent, the comments left out), no
    // job sent to a log that cannot answer, no transfer offered, the clock
    // set from the fixes as a live unit would set it.
    const int lineCount = 5000;
    QTemporaryDir dir;
    const QString log = dir.filePath("field.log");
    QByteArray lines = "#\n# logged in the field\n#\n";
    for (int i = 0; i < lineCount - 1; ++i)
        lines += TestChecksum::Framed(QStringLiteral("$GPRMC,1230%1.00,A,5047.4495,N,00106.2246,W,"
                                                     "0.02,211.6,061226,,,A")
                                          .arg(i % 60, 2, 10, QLatin1Char('0')))
                     .toLatin1() +
                 (i < lineCount - 2 ? "\n" : "\n> $PVKX,0,appver*00\ncaf\xC3\xA9\n");
    QVERIFY(WriteBytes(log, lines.chopped(1)));
    QElapsedTimer played;
    played.start();
    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    auto *received = child<SerialDisplay>(window, "textEditReceived");
    auto *step = child<QLabel>(window, "labelTransferStep");
    auto *showSent = child<QCheckBox>(window, "checkBoxShowSent");
    if (!showSent->isChecked())
        QTest::mouseClick(showSent, Qt::LeftButton);
    ModalAnswer boxes({ModalAnswer::ChooseFile(log), ModalAnswer::Press(QMessageBox::Ok)});
    child<QAction>(window, "actionReplayLogFile")->trigger();
    QCOMPARE(boxes.answered(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(
        step->isVisible() && step->text().startsWith("Replaying the log, lines played: "), 5000);
    QVERIFY(!child<QWidget>(window, "toolButtonRetrieveFromAtoN")->isEnabled());
    QVERIFY(!child<QAction>(window, "actionReplayLogFile")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(window, "labelUtcClock")->text().left(9),
                              QString(" UTC 12:3"), 5000);
    // Played to its end, the replay closes like a link and says what it did.
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 300000);
    QTRY_VERIFY_WITH_TIMEOUT(child<QAction>(window, "actionReplayLogFile")->isEnabled(), 500);
    QVERIFY2(played.elapsed() >= lineCount * 9, qPrintable(QString::number(played.elapsed())));
    QCOMPARE(received->Text().count('\n'), lineCount + 1);
    QVERIFY(
        received->Text().endsWith(QString::fromUtf8("\u2192 $PVKX,0,appver*00\ncaf\xC3\xA9\n")));
    QCOMPARE(window.statusBar()->currentMessage(),
             QString("The log replay has ended; lines played: %1").arg(lineCount));
    QVERIFY(!step->isVisible());
    QCOMPARE(boxes.answered(), 1);
    App()->SetMainWindow(nullptr);
}

void TstMainWindow::windowFitsASmallScreen()
{
    // The window opens within its screen (the test platform's is 800 x 600).
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    QVERIFY(window.width() <= screen.width() && window.height() <= screen.height());
    QVERIFY(window.width() >= screen.width() / 2 && window.height() >= screen.height() / 2);
    QVERIFY(window.minimumSizeHint().width() <= 1024 && window.minimumSizeHint().height() <= 600);
    // A laptop's 1366 x 768 screen less its panel shows the whole page, the
    // schedule with it; on a 1024 x 600 screen the page scrolls down (to the
    // schedule, where it lies below the view), never sideways.  The status
    // bar stays in view.
    auto *page = child<QScrollArea>(window, "scrollAreaRealAtoN");
    auto *schedule = child<QTableView>(window, "tableSchedules");
    for (const QSize size : {QSize(1366, 730), QSize(1024, 600)}) {
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        const bool laptop = size.width() == 1366;
        QTRY_COMPARE(page->verticalScrollBar()->maximum() == 0, laptop);
        page->ensureWidgetVisible(schedule);
        QTRY_VERIFY(!page->horizontalScrollBar()->isVisible());
        QVERIFY(schedule->visibleRegion().boundingRect().height() >= 3 * schedule->rowHeight(0));
        QVERIFY(window.rect().contains(window.statusBar()->geometry()));
        QVERIFY(window.statusBar()->isVisible());
    }
}

VANDREL_UI_TEST_MAIN(TstMainWindow)
#include "tst_ui_mainwindow.moc"
