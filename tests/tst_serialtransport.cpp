#include "app/vandrelapplication.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"

#include "support/ptypair.h"
#include "support/tempsettings.h"
#include "support/testchecksum.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Answer(const QString &body)
{
    return TestChecksum::Line(body).toLatin1();
}

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

    void connectAndDisconnect()
    {
        Line line;
        SerialTransport &transport = line.transport;
        QSignalSpy connected(&transport, &Transport::Connected);
        QSignalSpy cleanUp(&transport, &Transport::DisconnectedCleanUp);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);
        // Never connected: only the clean-up.
        transport.Disconnect();
        QCOMPARE(cleanUp.count(), 1);
        QCOMPARE(disconnected.count(), 0);

        // The port comes from the settings, whatever the argument says.
        transport.Connect("ignored");
        transport.Connect(line.pty.slavePath());
        QVERIFY(!transport.ConnectFile("whatever.log"));
        QCOMPARE(connected.count(), 1);
        QVERIFY(transport.IsConnected());

        // "Reset" queued just before the disconnect still reaches the unit.
        transport.QueueJob("Reset", false);
        transport.Disconnect();
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!transport.IsConnected());
        QVERIFY(line.pty.readFor(100).contains(",reset,5*"));
        QVERIFY(!SerialController::IsPortBusy(line.pty.slavePath()));
        transport.Disconnect();
        QTest::qWait(50);
        QCOMPARE(disconnected.count(), 1);
        // A transport connects once; nothing is left to connect with.
        transport.Connect(line.pty.slavePath());
        QVERIFY(!transport.IsConnected());
    }

    void connectFailureTellsTheReason()
    {
        Line line;
        VandrelApplication::instance()->SetPortName("/dev/vandrel-no-such-port");
        QSignalSpy connectError(&line.transport, &Transport::ConnectError);
        line.transport.Connect("/dev/vandrel-no-such-port");
        QCOMPARE(connectError.count(), 1);
        QCOMPARE(connectError.at(0).at(0).toString(),
                 QString("An error was encountered in trying to open the serial port it is "
                         "probably blocked ( No such file or directory )."));
        QCOMPARE(line.transport.LastError(), QString("No such file or directory"));
        QVERIFY(!line.transport.IsConnected());
    }

    void receivedLinesAndBadChecksums()
    {
        Line line;
        QSignalSpy received(&line.transport, &Transport::Received);
        QSignalSpy version(&line.transport, &Transport::Version);
        line.transport.Connect(line.pty.slavePath());
        line.transport.QueueJob("Version", false);
        QVERIFY(line.pty.readUntil("\r\n", 1000).contains(",appver,0*"));

        // Every line is passed on; only a valid one answers the step.
        QByteArray broken = Answer("$PVKX,255,appver,0,AX01");
        broken.replace("AX01", "AX02");
        QVERIFY(line.pty.write("$GPTXT,no checksum\r\n" + broken + "\r\n"));
        QVERIFY(line.pty.readFor(300).isEmpty());
        QCOMPARE(received.count(), 3);
        QCOMPARE(received.at(0).at(0).toString(), QString("$GPTXT,no checksum\n"));
        QCOMPARE(version.count(), 0);

        QVERIFY(line.pty.write(Answer("$PVKX,255,appver,0,AX01")));
        QVERIFY(line.pty.readUntil("\r\n", 1000).contains(",getserno,1*"));
        QCOMPARE(version.count(), 1);
        QCOMPARE(version.at(0).at(0).toString(), QString("AX01"));
    }

    void deadLineRaisesSendError()
    {
        Line line;
        QSignalSpy sendError(&line.transport, &Transport::SendError);
        line.transport.Connect(line.pty.slavePath());
        line.pty.closeSlave();
        line.pty.closeMaster();
        QTest::qWait(100);
        line.transport.QueueJob("SerNo Test", false);
        QVERIFY(sendError.count() == 1 || sendError.wait(1000));
        QCOMPARE(line.transport.LastError(), QString("The serial device has hung up"));
        // The link stays up until it is asked to close.
        QVERIFY(line.transport.IsConnected());
    }

    void replayEndsWithOneDisconnect()
    {
        QTemporaryDir dir;
        const QString logName = dir.filePath("traffic.log");
        QFile log(logName);
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("#\n# vandrel Started log file at 10:00:00 2026/01/01\n#\n");
        log.write(Answer("$GPTXT,01,01,02,first").replace("\r", ""));
        log.write(Answer("$GPTXT,01,01,02,second").replace("\r", ""));
        log.write("#\n# vandrel Stopped log file at 10:00:05 2026/01/01\n#\n");
        log.close();
        VandrelApplication::instance()->SetLogFilename(logName);
        Model model;
        SerialTransport transport(&model);
        QSignalSpy received(&transport, &Transport::Received);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);
        QSignalSpy connectError(&transport, &Transport::ConnectError);

        QVERIFY(!transport.ConnectFile(dir.filePath("missing.log")));
        QVERIFY(connectError.at(0).at(0).toString().contains("No such file"));
        QVERIFY(transport.ConnectFile(logName));
        QCOMPARE(transport.ConnectionDescription(), "Reading Log File " + logName + " ...");
        QVERIFY(disconnected.wait(2000));
        QCOMPARE(received.count(), 2);
        // The end of the file is reported on every tick; the transport hears it once.
        QTest::qWait(200);
        QCOMPARE(disconnected.count(), 1);

        // The controller still holds the played file.
        QVERIFY(!transport.ConnectFile(logName));
        QCOMPARE(connectError.at(1).at(0).toString(), QString("A connection is already open"));
    }

    void connectionDescription()
    {
        Line line;
        line.transport.Connect(line.pty.slavePath());
        PortInfo port;
        port.portName = line.pty.slavePath();
        port.friendlyName = "AtoN service adapter";
        SerialController::SetPortEnumeration([&port] { return PortInfoList{port}; });
        QCOMPARE(line.transport.ConnectionDescription(),
                 QString("Connected to Serial Port: AtoN service adapter ..."));
        port.friendlyName.clear();
        SerialController::PortList(); // a new listing refreshes the names
        QCOMPARE(line.transport.ConnectionDescription(),
                 "Connected to Serial Port: " + line.pty.slavePath() + " ...");
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
