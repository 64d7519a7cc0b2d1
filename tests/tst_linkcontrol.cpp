// The link as the application object runs it: one transport per connection
// on its own worker thread, wired to the state machine, the decoders and a
// stand-in window, against the unit simulator on a pseudo-terminal.

#include "app/statemachine.h"
#include "app/vandrelapplication.h"
#include "link/serialtransport.h"

#include "support/apptestmain.h"
#include "support/simprocess.h"

#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QThread>
#include <QtTest>

// Offers the window's side of the wiring and records what reaches it.
class FakeWindow : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
    QList<QPair<QString, QString>> errors;

signals:
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void SendAllTabs();
    void GetTab(int tab);
    void GetAllTabs();

public slots:
    void OnUpdate() {}
    void OnUpdateTabFromTransportModel(int) {}
    void OnUpdateTransportModelFromTab(int) {}
    void OnUpdateTabIcon(int, int) {}
    void OnEnableTab(int, bool) {}
    void OnDisplayError(QString text, QString info) { errors << qMakePair(text, info); }
    void OnSlotClashWarning(QString) {}
    void OnConnected() {}
    void OnDisconnected() { calls << "disconnected"; }
    void OnReadBackResult(int, QStringList) {}
    void OnRetrieveFinished(bool) {}
    void OnSendRefused(QString text) { errors << qMakePair(QStringLiteral("refused"), text); }
};

class TestLinkControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { App()->SetMainWindow(&window); }
    void cleanup();
    void portInUseAndReconnecting();
    void programExitsWhileLinked_data();
    void programExitsWhileLinked();

private:
    // Connects to the simulator and waits until the link is up.
    bool Link(const QString &port);
    void WaitIdle();

    FakeWindow window;
};

void TestLinkControl::cleanup()
{
    App()->Disconnect();
    WaitIdle();
    window.calls.clear();
    window.errors.clear();
}

void TestLinkControl::WaitIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
}

bool TestLinkControl::Link(const QString &port)
{
    App()->SetPortName(port);
    App()->ConnectSerialTransport();
    return App()->GetTransport() &&
           QTest::qWaitFor([] { return App()->GetStateMachine()->IsConnected(); }, 5000);
}

void TestLinkControl::portInUseAndReconnecting()
{
    SimProcess sim({"--quiet", "--fast"});
    QSerialPort holder(sim.port);
    QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));

    // Held elsewhere: the message, and neither a transport nor a thread.
    App()->SetPortName(sim.port);
    App()->ConnectSerialTransport();
    QCOMPARE(window.errors.size(), 1);
    QVERIFY(window.errors.at(0).second.contains(sim.port + " is busy: another program"));
    QVERIFY(!App()->GetTransport());
    QVERIFY(!App()->GetWorkerThread());
    // The connection to the state machine held for that one emission only.
    emit App()->ConnectError(QStringLiteral("again"));
    QCOMPARE(window.errors.size(), 1);
    // So for a traffic log that cannot be opened.
    App()->SetLogFilename(QStringLiteral("/nonexistent/vandrel/traffic.log"));
    App()->ConnectSerialTransportToLogFile();
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 2, 3000);
    WaitIdle();

    // Released, the port links.
    holder.close();
    QVERIFY(Link(sim.port));
    QPointer<SerialTransport> firstTransport = App()->GetTransport();
    QPointer<QThread> firstThread = App()->GetWorkerThread();
    // Asked again while linked, the own port is busy: the message is shown
    // and the state machine's disconnect closes the link. Reconnect as soon
    // as the link is detached, before its thread may have ended: the late
    // end of the first thread must not touch the second link.
    App()->ConnectSerialTransport();
    QCOMPARE(window.errors.size(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport(), 3000);
    QVERIFY(Link(sim.port));
    QCOMPARE(window.calls.count("disconnected"), 1);
    QTRY_VERIFY_WITH_TIMEOUT(firstThread.isNull(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(firstTransport.isNull(), 3000);
    QTest::qWait(100);
    QThread *second = App()->GetWorkerThread();
    QVERIFY(second && second->isRunning());
    QCOMPARE(App()->GetTransport()->thread(), second);

    // Whatever the timing above: another thread ending now is not the
    // current link's and changes nothing.
    QPointer<QThread> late = new QThread;
    connect(late, &QThread::finished, App(), &VandrelApplication::Finished);
    late->start();
    late->quit();
    QTRY_VERIFY_WITH_TIMEOUT(late.isNull(), 3000);
    QCOMPARE(App()->GetWorkerThread(), second);

    // The second link works: a retrieve of the lantern tab completes.
    emit window.GetTab(1);
    QTRY_COMPARE_WITH_TIMEOUT(App()->GetStateMachine()->TabStateOf(1), int(StateMachine::TabSynced),
                              15000);
    QCOMPARE(window.errors.size(), 3);
}

void TestLinkControl::programExitsWhileLinked_data()
{
    QTest::addColumn<QString>("mode");
    // As when the window is closed during a link: a disconnect is asked for,
    // then the event loop ends before the link has closed.
    QTest::newRow("disconnect asked") << "disconnect";
    // No disconnect at all (no window, or a tool that just returns).
    QTest::newRow("nothing asked") << "plain";
}

void TestLinkControl::programExitsWhileLinked()
{
    QFETCH(QString, mode);
    SimProcess sim({"--verbose", "--quiet", "--fast"});
    QVERIFY(!sim.port.isEmpty());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--exit-while-linked", sim.port, mode});
    QVERIFY(child.waitForFinished(30000));
    const QByteArray out = child.readAllStandardOutput();
    const QByteArray err = child.readAllStandardError();
    // Exit code 2: the child never linked.
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, out.constData());
    // The worker closed its line and ended in an orderly way, not by the
    // last-resort stop after the exit time limit.
    QVERIFY2(!err.contains("did not end"), err.constData());
    const int at = out.indexOf("exit ms ");
    QVERIFY2(at >= 0 && out.mid(at + 8).trimmed().toInt() < 3000, out.constData());

    // Index of the first line from index from on, in what the simulator
    // received ("<< ") and did so far, that contains text; -1 if none.
    QString log;
    const auto find = [&](const QString &text, int from = 0) {
        log += QString::fromLatin1(sim.process.readAllStandardError());
        const QRegularExpression line(".*" + QRegularExpression::escape(text) + ".*");
        return log.split('\n').indexOf(line, from);
    };
    // The line closes after the link's last traffic (the port-in-use probe
    // before the link closes it once as well).
    QTRY_VERIFY_WITH_TIMEOUT(find(",getserno,1*") >= 0, 3000);
    const int serialNumber = find(",getserno,1*");
    QTRY_VERIFY_WITH_TIMEOUT(find("line closed", serialNumber) > serialNumber, 3000);
    if (mode == "disconnect") {
        // "reset" reached the unit before its line closed.
        const int reset = find(",reset,5*", serialNumber);
        QVERIFY2(reset >= 0, qPrintable(log));
        QVERIFY(find("line closed", reset) > reset);
    }
}

// The child of programExitsWhileLinked: link, then leave at once. Prints
// how long the application object took to go.
static int ExitWhileLinked(int argc, char **argv)
{
    TempSettings settings;
    QElapsedTimer exitClock;
    {
        VandrelApplication application(argc, argv);
        const QStringList args = application.arguments();
        application.SetPortName(args.value(2));
        application.ConnectSerialTransport();
        StateMachine *machine = application.GetStateMachine();
        const auto linkedAndIdle = [&] {
            return machine->IsConnected() && !application.GetTransport()->IsBusy();
        };
        if (!QTest::qWaitFor(linkedAndIdle, 5000) && !machine->IsConnected())
            return 2;
        if (args.value(3) == QLatin1String("disconnect"))
            application.Disconnect();
        exitClock.start();
    }
    printf("exit ms %lld\n", static_cast<long long>(exitClock.elapsed()));
    return 0;
}

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--exit-while-linked") == 0)
        return ExitWhileLinked(argc, argv);
    TempSettings settings;
    VandrelApplication application(argc, argv);
    TestLinkControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_linkcontrol.moc"
