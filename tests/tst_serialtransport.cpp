#include "app/vandrelapplication.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"

#include "support/ptypair.h"
#include "support/tempsettings.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A transport whose port, as the settings name it, is a fresh pseudo-terminal.
struct Line
{
    Line() { VandrelApplication::instance()->SetPortName(pty.slavePath()); }
    PtyPair pty;
    Model model;
    SerialTransport transport{&model};
};

} // namespace

// Opening, closing and describing the link, over pseudo-terminals and
// replayed traffic logs.
class TestSerialTransport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SerialController::SetPortEnumeration({}); }

    // Hang-ups and the "Reset" sent before the line closes are checked below
    // (the controller) and above (the application's link, the tool's transfers).
    void connectDescribeAndDisconnect()
    {
        Line line;
        SerialTransport &transport = line.transport;
        QSignalSpy connected(&transport, &Transport::Connected);
        QSignalSpy connectError(&transport, &Transport::ConnectError);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);

        // A port that cannot be opened is refused with its real reason.
        VandrelApplication::instance()->SetPortName("/dev/vandrel-no-such-port");
        transport.Connect("/dev/vandrel-no-such-port");
        QCOMPARE(transport.LastError(), QString("No such file or directory"));
        QVERIFY(connectError.at(0).at(0).toString().contains(
            "The serial port /dev/vandrel-no-such-port is not present."));

        // The port comes from the settings, whatever the argument says.
        VandrelApplication::instance()->SetPortName(line.pty.slavePath());
        transport.Connect("ignored");
        transport.Connect(line.pty.slavePath());
        QVERIFY(!transport.ConnectFile("whatever.log"));
        QCOMPARE(connected.count(), 1);

        // The description names the port by its friendly name, or its path.
        PortInfoList ports{{line.pty.slavePath(), "AtoN service adapter"}};
        SerialController::SetPortEnumeration([&ports] { return ports; });
        QCOMPARE(transport.ConnectionDescription(),
                 QString("Connected to Serial Port: AtoN service adapter ..."));
        ports[0].friendlyName.clear();
        SerialController::PortList(); // a new listing refreshes the names
        QCOMPARE(transport.ConnectionDescription(),
                 "Connected to Serial Port: " + line.pty.slavePath() + " ...");

        transport.Disconnect();
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!transport.IsConnected());
        QCOMPARE(PortProbe::Probe(line.pty.slavePath()), PortProblem::None);
        transport.Disconnect();
        QCOMPARE(disconnected.count(), 1);
        // A transport connects once; nothing is left to connect with.
        transport.Connect(line.pty.slavePath());
        QVERIFY(!transport.IsConnected());
    }

    void replayPlaysPiecesEveryTenMillisecondsAndEndsOnce()
    {
        QByteArray bytes = "#\n# vandrel Started log file at 10:00:00 2026/01/01\n#\n";
        QStringList expected;
        for (int i = 0; i < 20; ++i) {
            expected << QString("$GPTXT,replay %1*00\n").arg(i);
            bytes += expected.last().toLatin1();
        }
        // A logged transmitted line, a line the log holds in UTF-8, and a last
        // line without its end.
        bytes += ">appver\ncaf\xC3\xA9\n$GPTXT,last*00";
        expected << QString::fromUtf8("caf\xC3\xA9\n") << "$GPTXT,last*00\n";
        QTemporaryDir dir;
        const QString logName = dir.filePath("traffic.log");
        QFile log(logName);
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write(bytes) == bytes.size());
        log.close();
        VandrelApplication::instance()->SetLogFilename(logName);
        QStringList received;
        Line line;
        SerialTransport &transport = line.transport;
        connect(&transport, &Transport::Received, [&received](QString text) { received << text; });
        QSignalSpy disconnected(&transport, &Transport::Disconnected);
        QSignalSpy connectError(&transport, &Transport::ConnectError);

        QVERIFY(!transport.ConnectFile(dir.filePath("missing.log")));
        QVERIFY(connectError.at(0).at(0).toString().contains("No such file"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(transport.ConnectFile(logName));
        QCOMPARE(transport.ConnectionDescription(), "Reading Log File " + logName + " ...");
        QVERIFY(disconnected.wait(5000));
        const qint64 took = clock.elapsed();
        qInfo("replay of 26 pieces took %lld ms", took);
        // At least the 10 ms per piece; a loaded machine delays ticks.
        QVERIFY2(took >= 250 && took <= 3000, QByteArray::number(took).constData());
        QCOMPARE(received, expected);
        // The end of the file is reported on every tick; the transport hears it once.
        QTest::qWait(200);
        QCOMPARE(disconnected.count(), 1);

        // The controller still holds the played file.
        QVERIFY(!transport.ConnectFile(logName));
        QCOMPARE(connectError.at(1).at(0).toString(), QString("A connection is already open"));
    }
};

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication application(argc, argv);
    TestSerialTransport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serialtransport.moc"
