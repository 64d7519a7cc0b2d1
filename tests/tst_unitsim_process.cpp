// The vandrel-unitsim program as a user or a script starts it.

#include "tst_unitsim_client.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Starts the simulator and reads its port from the first line of its output.
std::unique_ptr<QProcess> startProgram(const QStringList &args, QString *port)
{
    auto p = std::make_unique<QProcess>();
    p->start(QStringLiteral(VANDREL_UNITSIM), args);
    if (!p->waitForStarted(5000))
        return nullptr;
    QElapsedTimer t;
    t.start();
    while (!p->canReadLine() && t.elapsed() < 5000 && p->state() == QProcess::Running)
        p->waitForReadyRead(100);
    const QByteArray first = p->readLine().trimmed();
    if (!first.startsWith("PORT /dev/")) {
        p->kill();
        p->waitForFinished();
        return nullptr;
    }
    *port = QString::fromLatin1(first.mid(5));
    return p;
}

bool stopProgram(QProcess *p)
{
    p->terminate();
    return p->waitForFinished(5000) && p->exitStatus() == QProcess::NormalExit &&
           p->exitCode() == 0;
}

} // namespace

class TestUnitSimProcess : public QObject
{
    Q_OBJECT

private slots:
    void helpAndBadArguments();
    void portLineAndLink();
    void stateSurvivesARestartOfTheProgram();
};

void TestUnitSimProcess::helpAndBadArguments()
{
    QProcess p;
    p.start(QStringLiteral(VANDREL_UNITSIM), {"--help"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray usage = p.readAllStandardOutput();
    for (const QByteArray &option :
         QByteArray(
             "--link --fast --state --quiet --no-gps --no-gps-text --no-vdo --no-alr "
             "--no-ai-text --no-answer --corrupt-checksums --answer-status-c --missing-field "
             "--zero-mmsi --late-ms --dock-out-after --close-after --flood")
             .split(' '))
        QVERIFY2(usage.contains(option), option.constData());
    p.start(QStringLiteral(VANDREL_UNITSIM), {"--late-ms", "soon"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("--late-ms"));
    QVERIFY(p.readAllStandardOutput().isEmpty());
}

void TestUnitSimProcess::portLineAndLink()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("aton");
    QString port;
    auto p = startProgram({"--fast", "--quiet", "--link", link}, &port);
    QVERIFY(p);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), port);
    {
        SimClient c(link);
        QVERIFY(c.isOpen());
        QCOMPARE(c.query("AID", 1).size(), 1);
    }
    QVERIFY(stopProgram(p.get()));
    QVERIFY(!QFileInfo(link).isSymLink());

    // A file in the way of the link is neither replaced nor removed.
    QFile blocker(link);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep me");
    blocker.close();
    QProcess q;
    q.start(QStringLiteral(VANDREL_UNITSIM), {"--quiet", "--link", link});
    QVERIFY(q.waitForFinished(5000));
    QCOMPARE(q.exitCode(), 1);
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("keep me"));
}

void TestUnitSimProcess::stateSurvivesARestartOfTheProgram()
{
    QTemporaryDir dir;
    const QString state = dir.filePath("unit.json");
    QString port;
    // --unconfigured does not override a state that exists; the state outlives
    // the program, and --close-after ends the program normally.
    for (int run = 0; run < 2; ++run) {
        auto p = startProgram(
            {"--fast", "--unconfigured", "--state", state, "--close-after", "2.5"}, &port);
        QVERIFY(p);
        SimClient c(port);
        if (run == 0) {
            c.send("UPAID,000000000,1,257123450,R,C");
            c.send("UPACF,257123450,1,6000.0000,N,00500.0000,E,1,2087,2088,2087,2088,1,21,0,C");
        }
        const QList<QByteArray> acf = SimClient::fields(c.query("ACF", 1).value(0));
        QCOMPARE(acf.value(1) + acf.value(3) + acf.value(13), QByteArray("2571234506000.000021"));
        QVERIFY(!c.expect("$GPRMC,", 1, 1000).isEmpty());
        QVERIFY(p->waitForFinished(4000));
        QCOMPARE(p->exitCode(), 0);
        QElapsedTimer t;
        t.start();
        while (!c.hungUp() && t.elapsed() < 1000)
            c.pump(10);
        QVERIFY(c.hungUp());
    }
}

QTEST_GUILESS_MAIN(TestUnitSimProcess)
#include "tst_unitsim_process.moc"
