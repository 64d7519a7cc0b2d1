// The window against the unit simulator.  With VANDREL_SCREENSHOT_DIR set to a
// folder, the session also saves a picture of each tab while linked
// (docs/screenshots/ holds the committed ones).

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "model/padfile.h"
#include "ui/mainwindow.h"

#include "childwidget.h"
#include "modalanswer.h"
#include "uitestmain.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

#include <signal.h>

namespace {

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// One simulated unit on a pseudo-terminal, for the life of the object; the
// window finds it among its ports.
class Simulator
{
public:
    explicit Simulator(const QStringList &options)
    {
        process.start(QStringLiteral(VANDREL_UNITSIM), options);
        QByteArray out;
        while (!out.contains('\n') && process.waitForReadyRead(5000))
            out += process.readAllStandardOutput();
        if (out.startsWith("PORT "))
            port = QString::fromLocal8Bit(out.mid(5, out.indexOf('\n') - 5).trimmed());
        qputenv("VANDREL_PORTS", port.toLocal8Bit());
    }
    // Ended politely; QProcess kills it if that takes too long.
    ~Simulator()
    {
        pause(false);
        process.terminate();
        process.waitForFinished(3000);
    }
    // A stopped program answers nothing, as a unit taken from its dock.
    void pause(bool paused)
    {
        if (process.processId() > 0)
            ::kill(pid_t(process.processId()), paused ? SIGSTOP : SIGCONT);
    }
    QString port;

private:
    QProcess process;
};

} // namespace

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

    void shoot(MainWindow &window, int tab, const QString &name)
    {
        const QString folder = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        child<QTabWidget>(window, "tabWidget")->setCurrentIndex(tab);
        QTest::qWait(300);
        QVERIFY(window.grab().save(QDir(folder).filePath(name)));
    }

    // Connects to the unit on the chosen port and waits until the transfers
    // are offered.
    void link(MainWindow &window, const QString &port)
    {
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

    // Retrieves both tabs with the tool-bar button and waits until they are synced.
    void retrieveAll(MainWindow &window, bool waitIdle = true)
    {
        if (waitIdle)
            QTRY_VERIFY_WITH_TIMEOUT(idle(), 15000);
        child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->click();
        // Busy: Disconnect waits, the transfer buttons stay.
        QTRY_VERIFY_WITH_TIMEOUT(!on(window, "pushButtonDisconnect"), 3000);
        QVERIFY(on(window, "toolButtonSendToAtoN"));
        QTRY_VERIFY_WITH_TIMEOUT(synced(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(on(window, "pushButtonDisconnect"), 3000);
    }

private slots:
    void wholeSession();
};

void TstMainWindowSession::wholeSession()
{
    Simulator unit({"--fast"});
    QVERIFY(!unit.port.isEmpty());
    QTemporaryDir dir;
    const QString file = dir.filePath("session.pad");
    MainWindow window;
    App()->SetMainWindow(&window);
    window.resize(900, 760);
    window.show();
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    auto *name = child<QLineEdit>(window, "lineName");
    link(window, unit.port);
    retrieveAll(window, false);

    // What the unit holds became the document; its clock reached the status bar.
    QVERIFY(!App()->TransportModel()->GetAtoN()->Name().isEmpty());
    QCOMPARE(name->text(), App()->TransportModel()->GetAtoN()->Name());
    QVERIFY(window.isWindowModified());
    QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>(window, "labelUtcClock")->text().startsWith(" UTC "),
                             5000);
    // The port is not probed while the link holds it.
    QVERIFY(!child<QComboBox>(window, "comboBoxPort")->currentText().endsWith("- IN USE"));

    // The traffic log: one that cannot be created gives an error and leaves
    // the button idle; a good one records the unit's traffic until stopped.
    auto *log = child<QToolButton>(window, "toolButtonSaveToLog");
    const QString logFile = dir.filePath("traffic.log");
    const auto logged = [&logFile] {
        QFile file(logFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    {
        ModalAnswer answers({ModalAnswer::ChooseFile(dir.filePath("no/such.log")),
                             ModalAnswer::Press(QMessageBox::Ok),
                             ModalAnswer::ChooseFile(logFile)});
        log->click();
        QVERIFY(!log->isChecked());
        log->click();
        QCOMPARE(answers.answered(), 3);
        QCOMPARE(answers.titles.value(0), QString("Error creating Log File"));
    }
    QVERIFY(log->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(logged().contains('$'), 5000);
    log->click();
    QVERIFY(!log->isChecked());

    shoot(window, 0, "aton-tab.png");
    shoot(window, 1, "lantern-tab.png");
    shoot(window, 2, "serial-tab.png");
    tabs->setCurrentIndex(0);

    // Edit, then send everything.
    name->selectAll();
    QTest::keyClicks(name, "SESSION TEST");
    QCOMPARE(image(tabs->tabIcon(0)), image(QIcon(":/Images/TabEdited.png")));
    child<QToolButton>(window, "toolButtonSendToAtoN")->click();
    QTRY_VERIFY_WITH_TIMEOUT(synced(), 30000);
    Model edited;
    edited = *App()->EditModel();

    // Read back: the unit now holds the edit.
    retrieveAll(window);
    QCOMPARE(App()->TransportModel()->GetAtoN()->Name(), QString("SESSION TEST"));
    QCOMPARE(*App()->EditModel()->GetLanternInterface(), *edited.GetLanternInterface());
    QCOMPARE(App()->EditModel()->GetMessageSchedule()->Count(),
             edited.GetMessageSchedule()->Count());
    Model retrieved;
    retrieved = *App()->EditModel();

    // Save, close, open: the same configuration comes back.
    {
        ModalAnswer answers({ModalAnswer::ChooseFile(file), ModalAnswer::ChooseFile(file)});
        window.OnSaveAs();
        QVERIFY(!window.isWindowModified());
        window.OnClose();
        QCOMPARE(name->text(), Model().GetAtoN()->Name());
        window.OnOpen();
        QCOMPARE(answers.answered(), 2);
    }
    QVERIFY(*App()->EditModel() == retrieved);
    QCOMPARE(name->text(), QString("SESSION TEST"));
    // A file loaded over a synced tab marks it edited.
    QCOMPARE(App()->GetStateMachine()->TabStateOf(0), int(StateMachine::TabEdited));

    // Disconnect: back to a port choice.
    QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QTRY_VERIFY(on(window, "pushButtonConnect"));
    QVERIFY(!on(window, "pushButtonDisconnect"));
    QVERIFY(!on(window, "toolButtonRetrieveFromAtoN"));
    QCOMPARE(child<QLabel>(window, "labelUtcClock")->text(), QString(" No GPS "));
    QVERIFY(tabs->tabIcon(0).isNull());

    // Linked again, the unit goes silent in the middle of a retrieve (its
    // program stopped, as when it is taken from the dock): the link ends with
    // an error box.
    link(window, unit.port);
    {
        ModalAnswer error({ModalAnswer::Press(QMessageBox::Ok)});
        child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->click();
        unit.pause(true);
        QTRY_VERIFY_WITH_TIMEOUT(error.answered() == 1, 30000);
        QVERIFY(error.informativeTexts.value(0).startsWith("A timeout occurred."));
    }
    unit.pause(false);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QCOMPARE(window.statusBar()->currentMessage(), QString("Ready"));
    App()->SetMainWindow(nullptr);
}

VANDREL_UI_TEST_MAIN(TstMainWindowSession)
#include "tst_ui_mainwindow_session.moc"
