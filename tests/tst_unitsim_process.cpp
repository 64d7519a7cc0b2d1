// The vandrel-unitsim program as a user or a script starts it.

#include "tst_unitsim_client.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestUnitSimProcess : public QObject
{
    Q_OBJECT

private slots:
    void helpAndBadArguments();
    void portLineAndLink();
};

void TestUnitSimProcess::helpAndBadArguments()
{
    QProcess p;
    p.start(QStringLiteral(VANDREL_UNITSIM), {"--help"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().contains("--flood"));
    // A bad argument: exit code 2 and a message naming it, nothing else (the
    // last value is blank).
    for (const char *line :
         {"--late-ms", "--flood lots", "--close-after -1", "--frobnicate", "--no-answer \t"}) {
        const QStringList bad = QString(line).split(' ');
        p.start(QStringLiteral(VANDREL_UNITSIM), bad);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains(bad[0].toLatin1()));
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
}

void TestUnitSimProcess::portLineAndLink()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("aton");
    // The first run ends by --close-after, the second by a signal: both end
    // normally, hang up the line and remove their link.
    for (const bool signalled : {false, true}) {
        const QStringList closing{"--close-after", "1"};
        SimProcess p(QStringList{"--fast", "--link", link} + (signalled ? QStringList() : closing));
        QVERIFY(!p.port.isEmpty());
        QCOMPARE(QFileInfo(link).symLinkTarget(), p.port);
        SimClient c(link);
        QCOMPARE(c.query("AID", 1).size(), 1);
        if (signalled)
            p.process.terminate();
        QVERIFY(p.process.waitForFinished(4000));
        QCOMPARE(p.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.process.exitCode(), 0);
        QElapsedTimer t;
        t.start();
        while (!c.hungUp() && t.elapsed() < 1000)
            c.pump(10);
        QVERIFY(c.hungUp());
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // A file in the way of the link is neither replaced nor removed.
    QFile blocker(link);
    QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write("keep me") == 7);
    blocker.close();
    QProcess q;
    q.start(QStringLiteral(VANDREL_UNITSIM), {"--quiet", "--link", link});
    QVERIFY(q.waitForFinished(5000));
    QCOMPARE(q.exitCode(), 1);
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("keep me"));
}

QTEST_GUILESS_MAIN(TestUnitSimProcess)
#include "tst_unitsim_process.moc"
