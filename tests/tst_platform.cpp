// The system's side of the program: device events for the port lists, and
// the terminal's stop request.

#include "platform/posixplatform.h"
#include "platform/posixportwatch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void portWatchTellsOfSerialDevicesOnly();
    void stopRequestsReachTheEventLoop();
};

void TestPlatform::portWatchTellsOfSerialDevicesOnly()
{
    // A device folder and udev's folder of names, which does not exist yet
    // (no adapter was ever plugged in).
    // A folder of links, one of them a port named by the user.
    QTemporaryDir dev;
    QTemporaryDir links;
    const QString byId = dev.filePath("serial/by-id");
    int told = 0;
    PosixPortWatch watch({dev.path(), byId}, {links.filePath("aton")}, [&] { ++told; });
    QVERIFY(watch.IsWatching());
    const auto touch = [](const QString &path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    };

    // Other devices and files come and go without a word.
    touch(dev.filePath("sda1"));
    touch(dev.filePath("video0"));
    touch(links.filePath("other"));
    QTest::qWait(PosixPortWatch::SettleMs * 2);
    QCOMPARE(told, 0);

    // An adapter brings its node, then udev its folders and name: told once,
    // when all has settled.
    touch(dev.filePath("ttyUSB3"));
    QVERIFY(QDir(dev.path()).mkpath("serial/by-id"));
    QTest::qWait(50);
    touch(byId + "/usb-Vandrel_AtoN_unit-if00-port0");
    QTRY_COMPARE(told, 1);
    QTest::qWait(PosixPortWatch::SettleMs * 2);
    QCOMPARE(told, 1);

    // Pulled out: the name goes from the folder that appeared meanwhile.
    QVERIFY(QFile::remove(byId + "/usb-Vandrel_AtoN_unit-if00-port0"));
    QTRY_COMPARE(told, 2);
    QVERIFY(QFile::remove(dev.filePath("ttyUSB3")));
    QTRY_COMPARE(told, 3);

    // The folder of names itself goes and comes back.
    QVERIFY(QDir(dev.filePath("serial")).removeRecursively());
    QTRY_COMPARE(told, 4);
    QVERIFY(QDir(dev.path()).mkpath("serial/by-id"));
    QTest::qWait(50);
    touch(byId + "/usb-other");
    QTRY_COMPARE(told, 5);

    // The named port comes, a link to a device; the device goes, the link
    // standing.
    touch(dev.filePath("pty7"));
    QVERIFY(QFile::link(dev.filePath("pty7"), links.filePath("aton")));
    QTRY_COMPARE(told, 6);
    QVERIFY(QFile::remove(dev.filePath("pty7")));
    QTRY_COMPARE(told, 7);
}

void TestPlatform::stopRequestsReachTheEventLoop()
{
    int stops = 0;
    QObject *watch = Platform::Current().WatchStopRequests([&] { ++stops; }, nullptr);
    QVERIFY(watch);
    // Both signals, and one that comes while the first is still unread.
    std::raise(SIGINT);
    std::raise(SIGTERM);
    QTRY_VERIFY(stops >= 1);
    const int afterTwo = stops;
    std::raise(SIGTERM);
    QTRY_COMPARE(stops, afterTwo + 1);
    delete watch;
    // The default handling is back: the program would end again.
    struct sigaction now = {};
    QCOMPARE(::sigaction(SIGTERM, nullptr, &now), 0);
    QVERIFY(now.sa_handler == SIG_DFL);
    QCOMPARE(::sigaction(SIGINT, nullptr, &now), 0);
    QVERIFY(now.sa_handler == SIG_DFL);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
