#include "app/vandrelapplication.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"

#include "support/ptypair.h"
#include "support/tempsettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

// Opening, closing and describing the link, over pseudo-terminals and
// replayed traffic logs.
class TestSerialTransport : public QObject
{
    Q_OBJECT

private:
    static VandrelApplication *App() { return VandrelApplication::instance(); }

    static QByteArray Answer(const QString &body)
    {
        return (body + QLatin1Char('*') + ParsedSentence::Checksum(body) + QStringLiteral("\r\n"))
            .toLatin1();
    }

private slots:
    void cleanup() { SerialController::SetPortEnumeration({}); }

    void connectOnce()
    {
        PtyPair pty;
        App()->SetPortName(pty.slavePath());
        Model model;
        SerialTransport transport(&model);
        QSignalSpy connected(&transport, &Transport::Connected);
        QSignalSpy connectError(&transport, &Transport::ConnectError);
        QVERIFY(!transport.IsConnected());

        // The port comes from the settings, whatever the argument says.
        transport.Connect("ignored");
        QCOMPARE(connected.count(), 1);
        QVERIFY(transport.IsConnected());
        transport.Connect(pty.slavePath());
        QVERIFY(!transport.ConnectFile("whatever.log"));
        QCOMPARE(connected.count(), 1);
        QCOMPARE(connectError.count(), 0);

        // What the jobs send reaches the line.
        transport.QueueJob("Voltage", false);
        QVERIFY(pty.readUntil("\r\n", 1000).contains(",battvolts,2*"));
    }

    void connectFailureTellsTheReason()
    {
        App()->SetPortName("/dev/vandrel-no-such-port");
        Model model;
        SerialTransport transport(&model);
        QSignalSpy connectError(&transport, &Transport::ConnectError);
        QSignalSpy connected(&transport, &Transport::Connected);
        transport.Connect("/dev/vandrel-no-such-port");
        QCOMPARE(connected.count(), 0);
        QCOMPARE(connectError.count(), 1);
        QCOMPARE(connectError.at(0).at(0).toString(),
                 QString("An error was encountered in trying to open the serial port it is "
                         "probably blocked ( No such file or directory )."));
        QCOMPARE(transport.LastError(), QString("No such file or directory"));
        QVERIFY(!transport.IsConnected());

        // The state machine then asks for a disconnect.
        QSignalSpy cleanUp(&transport, &Transport::DisconnectedCleanUp);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);
        transport.Disconnect();
        QCOMPARE(cleanUp.count(), 1);
        QCOMPARE(disconnected.count(), 0);
    }

    void disconnect()
    {
        PtyPair pty;
        App()->SetPortName(pty.slavePath());
        Model model;
        SerialTransport transport(&model);
        QSignalSpy cleanUp(&transport, &Transport::DisconnectedCleanUp);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);

        // Never connected: only the clean-up.
        transport.Disconnect();
        QCOMPARE(cleanUp.count(), 1);
        QCOMPARE(disconnected.count(), 0);

        transport.Connect(pty.slavePath());
        QVERIFY(transport.IsConnected());
        // "Reset" queued just before the disconnect still reaches the unit.
        transport.QueueJob("Reset", false);
        transport.Disconnect();
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!transport.IsConnected());
        QVERIFY(pty.readFor(100).contains(",reset,5*"));
        QVERIFY(!SerialController::IsPortBusy(pty.slavePath()));

        transport.Disconnect();
        QTest::qWait(50);
        QCOMPARE(disconnected.count(), 1);
        QCOMPARE(cleanUp.count(), 2);
        // A transport connects once; nothing is left to connect with.
        transport.Connect(pty.slavePath());
        QVERIFY(!transport.IsConnected());
    }

    void receivedLinesAndBadChecksums()
    {
        PtyPair pty;
        App()->SetPortName(pty.slavePath());
        Model model;
        SerialTransport transport(&model);
        QSignalSpy received(&transport, &Transport::Received);
        QSignalSpy allDone(&transport, &Transport::AllJobsComplete);
        QSignalSpy version(&transport, &Transport::Version);
        transport.Connect(pty.slavePath());
        transport.QueueJob("Version", false);
        QVERIFY(pty.readUntil("\r\n", 1000).contains(",appver,0*"));

        // Every line is passed on; only a valid one answers the step.
        QByteArray broken = Answer("$PVKX,255,appver,0,AX01");
        broken.replace("AX01", "AX02");
        QVERIFY(pty.write("$GPTXT,no checksum\r\n" + broken + "\r\n"));
        QVERIFY(pty.readFor(300).isEmpty());
        QCOMPARE(received.count(), 3);
        QCOMPARE(received.at(0).at(0).toString(), QString("$GPTXT,no checksum\n"));
        QCOMPARE(version.count(), 0);

        QVERIFY(pty.write(Answer("$PVKX,255,appver,0,AX01")));
        QVERIFY(pty.readUntil("\r\n", 1000).contains(",getserno,1*"));
        QCOMPARE(version.count(), 1);
        QCOMPARE(version.at(0).at(0).toString(), QString("AX01"));
        QCOMPARE(allDone.count(), 0);
    }

    void deadLineRaisesSendError()
    {
        PtyPair pty;
        App()->SetPortName(pty.slavePath());
        Model model;
        SerialTransport transport(&model);
        QSignalSpy sendError(&transport, &Transport::SendError);
        transport.Connect(pty.slavePath());
        pty.closeSlave();
        pty.closeMaster();
        QTest::qWait(100);
        transport.QueueJob("SerNo Test", false);
        QVERIFY(sendError.count() == 1 || sendError.wait(1000));
        QCOMPARE(transport.LastError(), QString("The serial device has hung up"));
        // The link stays up until it is asked to close.
        QVERIFY(transport.IsConnected());
    }

    void replayEndsWithOneDisconnect()
    {
        QTemporaryDir dir;
        const QString logName = dir.filePath("traffic.log");
        {
            QFile log(logName);
            QVERIFY(log.open(QIODevice::WriteOnly));
            log.write("#\n# vandrel Started log file at 10:00:00 2026/01/01\n#\n");
            log.write(Answer("$GPTXT,01,01,02,first").replace("\r", ""));
            log.write(Answer("$GPTXT,01,01,02,second").replace("\r", ""));
            log.write("#\n# vandrel Stopped log file at 10:00:05 2026/01/01\n#\n");
        }
        App()->SetLogFilename(logName);
        Model model;
        SerialTransport transport(&model);
        QSignalSpy connected(&transport, &Transport::Connected);
        QSignalSpy received(&transport, &Transport::Received);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);
        QSignalSpy connectError(&transport, &Transport::ConnectError);

        QVERIFY(!transport.ConnectFile(dir.filePath("missing.log")));
        QCOMPARE(connectError.count(), 1);
        QVERIFY(connectError.at(0).at(0).toString().contains("No such file"));

        QVERIFY(transport.ConnectFile(logName));
        QCOMPARE(connected.count(), 1);
        QCOMPARE(transport.ConnectionDescription(),
                 QString("Reading Log File ") + logName + " ...");
        QVERIFY(disconnected.wait(2000));
        QCOMPARE(received.count(), 2);
        // The end of the file is reported on every tick; the transport hears it once.
        QTest::qWait(200);
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!transport.IsConnected());

        // The controller still holds the played file.
        QVERIFY(!transport.ConnectFile(logName));
        QCOMPARE(connectError.count(), 2);
        QCOMPARE(connectError.at(1).at(0).toString(), QString("A connection is already open"));
        QCOMPARE(transport.LastError(), QString("A connection is already open"));
    }

    void connectionDescription()
    {
        PtyPair pty;
        App()->SetPortName(pty.slavePath());
        Model model;
        SerialTransport transport(&model);
        transport.Connect(pty.slavePath());

        PortInfo named;
        named.portName = pty.slavePath();
        named.friendlyName = "AtoN service adapter";
        SerialController::SetPortEnumeration([named] { return PortInfoList{named}; });
        QCOMPARE(transport.ConnectionDescription(),
                 QString("Connected to Serial Port: AtoN service adapter ..."));

        PortInfo unnamed = named;
        unnamed.friendlyName.clear();
        SerialController::SetPortEnumeration([unnamed] { return PortInfoList{unnamed}; });
        QCOMPARE(transport.ConnectionDescription(),
                 "Connected to Serial Port: " + pty.slavePath() + " ...");
    }

    void runsOnAWorkerThread()
    {
        PtyPair pty;
        App()->SetPortName(pty.slavePath());
        Model model;
        auto *transport = new SerialTransport(&model);
        QThread worker;
        transport->moveToThread(&worker);
        worker.start();

        QSignalSpy connected(transport, &Transport::Connected);
        QSignalSpy done(transport, &Transport::JobComplete);
        QSignalSpy voltage(transport, &Transport::BatteryVoltage);
        QMetaObject::invokeMethod(transport, "Connect", Q_ARG(QString, pty.slavePath()));
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 3000);
        QMetaObject::invokeMethod(transport, "QueueJob", Q_ARG(QString, "Voltage"),
                                  Q_ARG(bool, false));
        QVERIFY(pty.readUntil("\r\n", 2000).contains(",battvolts,2*"));
        QVERIFY(transport->IsBusy());
        QVERIFY(pty.write(Answer("$PVKX,255,battvolts,2,12.6")));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 2000);
        QCOMPARE(voltage.count(), 1);
        QCOMPARE(voltage.at(0).at(0).toString(), QString("12.6"));
        QVERIFY(!transport->IsBusy());

        QSignalSpy disconnected(transport, &Transport::Disconnected);
        QMetaObject::invokeMethod(transport, "Disconnect");
        QTRY_COMPARE_WITH_TIMEOUT(disconnected.count(), 1, 2000);
        QMetaObject::invokeMethod(transport, "deleteLater");
        worker.quit();
        QVERIFY(worker.wait(3000));
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
