// The window against the unit simulator: a whole working session, the control
// states while linked, and the error box when the unit goes away.
//
// With VANDREL_SCREENSHOT_DIR set to a folder, the session also saves a picture
// of each tab while linked (docs/screenshots/ holds the committed ones).

#include "app/statemachine.h"
#include "app/vandrelapplication.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "model/padfile.h"
#include "ui/mainwindow.h"

#include "childwidget.h"
#include "modalanswer.h"
#include "support/tempsettings.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// One simulated unit on a pseudo-terminal, for the life of the object.
class Simulator
{
public:
    explicit Simulator(const QStringList &options)
    {
#ifdef VANDREL_UNITSIM
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(QStringLiteral(VANDREL_UNITSIM), options);
        if (!process.waitForStarted(5000)) {
            return;
        }
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains('\n') && clock.elapsed() < 5000) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
        }
        const QByteArray first = out.left(out.indexOf('\n')).trimmed();
        if (first.startsWith("PORT ")) {
            port = QString::fromLocal8Bit(first.mid(5));
        }
#else
        Q_UNUSED(options)
#endif
    }
    ~Simulator()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(3000)) {
                process.kill();
                process.waitForFinished(1000);
            }
        }
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
    static bool linked() { return App()->GetTransport() && App()->GetTransport()->IsConnected(); }
    static bool idle() { return linked() && !App()->GetTransport()->IsBusy(); }
    static int tabState(int tab) { return App()->GetStateMachine()->TabStateOf(tab); }
    static QImage image(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }

    void shoot(MainWindow &window, int tab, const QString &name)
    {
        const QString folder = qEnvironmentVariable("VANDREL_SCREENSHOT_DIR");
        if (folder.isEmpty()) {
            return;
        }
        QDir().mkpath(folder);
        child<QTabWidget>(window, "tabWidget")->setCurrentIndex(tab);
        QTest::qWait(300);
        QVERIFY(window.grab().save(QDir(folder).filePath(name)));
    }

    void connectTo(MainWindow &window, const QString &port)
    {
        App()->SetPortName(port);
        child<QComboBox>(window, "comboBoxPort")->showPopup();
        child<QComboBox>(window, "comboBoxPort")->hidePopup();
        QCOMPARE(child<QComboBox>(window, "comboBoxPort")->currentData().toString(), port);
        QVERIFY(child<QPushButton>(window, "pushButtonConnect")->isEnabled());
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(linked(), 10000);
        // The window hears of the link after the transport has it.
        QTRY_VERIFY_WITH_TIMEOUT(
            child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->isEnabled(), 5000);
    }

    // Retrieves both tabs with the tool-bar button and waits until they are synced.
    void retrieveAll(MainWindow &window)
    {
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 15000);
        child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->click();
        // Busy: Disconnect waits, the transfer buttons stay.
        QTRY_VERIFY_WITH_TIMEOUT(!child<QPushButton>(window, "pushButtonDisconnect")->isEnabled(),
                                 3000);
        QVERIFY(child<QToolButton>(window, "toolButtonSendToAtoN")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(tabState(0) == StateMachine::TabSynced &&
                                     tabState(1) == StateMachine::TabSynced && idle(),
                                 60000);
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "pushButtonDisconnect")->isEnabled(),
                                 3000);
    }

private slots:
    void init();
    void wholeSession();
    void lostUnitShowsAnError();
};

void TstMainWindowSession::init()
{
#ifndef VANDREL_UNITSIM
    QSKIP("the unit simulator is not built");
#endif
}

void TstMainWindowSession::wholeSession()
{
    Simulator unit({"--fast"});
    QVERIFY(!unit.port.isEmpty());
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
    QTemporaryDir dir;
    const QString file = dir.filePath("session.pad");

    MainWindow window;
    App()->SetMainWindow(&window);
    window.resize(900, 760);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *tabs = child<QTabWidget>(window, "tabWidget");

    connectTo(window, unit.port);
    QVERIFY(!child<QPushButton>(window, "pushButtonConnect")->isEnabled());
    QVERIFY(!child<QComboBox>(window, "comboBoxPort")->isEnabled());
    QVERIFY(child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->isEnabled());
    QTRY_VERIFY(window.statusBar()->currentMessage().startsWith("Connected to Serial Port: "));
    QTRY_COMPARE(image(tabs->tabIcon(0)), image(QIcon(":/Images/TabNotSynced.png")));
    // Connected and idle once the version has been read.
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "pushButtonDisconnect")->isEnabled(),
                             15000);

    retrieveAll(window);
    QCOMPARE(image(tabs->tabIcon(0)), image(QIcon(":/Images/TabSynced.png")));
    QCOMPARE(image(tabs->tabIcon(1)), image(QIcon(":/Images/TabSynced.png")));
    // What the unit holds became the document.
    const QString unitName = App()->TransportModel()->GetAtoN()->Name();
    QVERIFY(!unitName.isEmpty());
    QCOMPARE(child<QLineEdit>(window, "lineName")->text(), unitName);
    QVERIFY(window.isWindowModified());
    // The unit's traffic reaches the serial tab and its clock the status bar.
    QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>(window, "labelUtcClock")->text().startsWith(" UTC "),
                             5000);

    shoot(window, 0, "aton-tab.png");
    shoot(window, 1, "lantern-tab.png");
    shoot(window, 2, "serial-tab.png");
    tabs->setCurrentIndex(0);

    // Edit, then send everything.
    auto *name = child<QLineEdit>(window, "lineName");
    name->selectAll();
    QTest::keyClicks(name, "SESSION TEST");
    QCOMPARE(image(tabs->tabIcon(0)), image(QIcon(":/Images/TabEdited.png")));

    child<QToolButton>(window, "toolButtonSendToAtoN")->click();
    QTRY_VERIFY_WITH_TIMEOUT(tabState(0) == StateMachine::TabSyncing, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(tabState(0) == StateMachine::TabSynced &&
                                 tabState(1) == StateMachine::TabSynced && idle(),
                             30000);
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
        ModalAnswer name({ModalAnswer::ChooseFile(file)});
        window.OnSaveAs();
        QCOMPARE(name.answered(), 1);
    }
    QVERIFY(!window.isWindowModified());
    QCOMPARE(tabState(0), int(StateMachine::TabSynced));
    window.OnClose();
    QCOMPARE(App()->EditModel()->GetAtoN()->Name(), Model().GetAtoN()->Name());
    {
        ModalAnswer open({ModalAnswer::ChooseFile(file)});
        window.OnOpen();
        QCOMPARE(open.answered(), 1);
    }
    QVERIFY(*App()->EditModel() == retrieved);
    QCOMPARE(child<QLineEdit>(window, "lineName")->text(), QString("SESSION TEST"));
    // A file loaded over a synced tab marks it edited.
    QCOMPARE(tabState(0), int(StateMachine::TabEdited));

    // Disconnect: back to a port choice.
    QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QTRY_VERIFY(child<QPushButton>(window, "pushButtonConnect")->isEnabled());
    QVERIFY(!child<QPushButton>(window, "pushButtonDisconnect")->isEnabled());
    QVERIFY(!child<QToolButton>(window, "toolButtonRetrieveFromAtoN")->isEnabled());
    QCOMPARE(child<QLabel>(window, "labelUtcClock")->text(), QString(" No GPS "));
    QVERIFY(tabs->tabIcon(0).isNull());
    window.setWindowModified(false);
    App()->SetMainWindow(nullptr);
}

void TstMainWindowSession::lostUnitShowsAnError()
{
    // The unit stops answering its presence poll some seconds in, as when it
    // is taken from the dock; late enough that a slow machine has finished
    // the retrieve by then.
    Simulator unit({"--fast", "--dock-out-after", "16"});
    QVERIFY(!unit.port.isEmpty());
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());

    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    connectTo(window, unit.port);
    retrieveAll(window);

    ModalAnswer error({ModalAnswer::Press(QMessageBox::Ok)}, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(error.answered() == 1, 60000);
    QCOMPARE(error.texts.value(0), QString("Error communicating with the device"));
    QCOMPARE(error.informativeTexts.value(0),
             QString("A timeout occurred. Has the device been removed from the dock?"));
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 10000);
    QCOMPARE(window.statusBar()->currentMessage(), QString("Ready"));
    window.setWindowModified(false);
    App()->SetMainWindow(nullptr);
}

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication app(argc, argv);
    Q_INIT_RESOURCE(tabs);
    Q_INIT_RESOURCE(window);
    TstMainWindowSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_mainwindow_session.moc"
