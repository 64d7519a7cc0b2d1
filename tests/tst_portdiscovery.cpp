#include "link/portenumerator.h"
#include "link/serialcontroller.h"

#include "support/ptypair.h"

#include <QtTest>

// Port discovery with records fed in place of the system's enumeration, and
// the pseudo-terminal lines offered through VANDREL_PORTS.
class TestPortDiscovery : public QObject
{
    Q_OBJECT

private:
    static PortInfo Port(const QString &name, const QString &friendly, int vendor = 0,
                         int product = 0)
    {
        PortInfo port;
        port.portName = name;
        port.friendlyName = friendly;
        port.vendorId = vendor;
        port.productId = product;
        return port;
    }

    PortInfoList records;
    int enumerations = 0;

private slots:
    void init()
    {
        records.clear();
        enumerations = 0;
        SerialController::SetPortEnumeration([this] {
            ++enumerations;
            return records;
        });
    }

    void cleanup() { SerialController::SetPortEnumeration({}); }

    void findsTheFirstUnitAdapter()
    {
        QCOMPARE(SerialController::FindDevicePort(), QString());
        records = {Port("/dev/ttyS0", "Built-in"),
                   // Same vendor, another product: not the unit's adapter.
                   Port("/dev/ttyUSB0", "Other adapter", 0x27C5, 0x0503),
                   Port("/dev/ttyUSB1", "AtoN unit A", 0x27C5, 0x0502),
                   Port("/dev/ttyUSB2", "AtoN unit B", 0x27C5, 0x0502)};
        QCOMPARE(SerialController::FindDevicePort(), QString("/dev/ttyUSB1"));
        // The product alone does not make it the unit either.
        records = {Port("/dev/ttyUSB0", "", 0x0403, 0x0502)};
        QCOMPARE(SerialController::FindDevicePort(), QString());
    }

    void portListFriendlyNamesAndCache()
    {
        records = {Port("LPT1", "Printer Port"), Port("/dev/ttyS0", ""),
                   Port("/dev/ttyUSB0", "AtoN adapter", 0x27C5, 0x0502),
                   Port("lpt2", "lower-case name")};
        const QList<QPair<QString, QString>> expected = {
            {"/dev/ttyS0", "/dev/ttyS0"},
            {"/dev/ttyUSB0", "AtoN adapter"},
            {"lpt2", "lower-case name"}, // the printer rule is case-sensitive
        };
        QCOMPARE(SerialController::PortList(), expected);
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB0"), QString("AtoN adapter"));
        QCOMPARE(SerialController::FriendlyName("/dev/ttyACM9"), QString("/dev/ttyACM9"));
        QCOMPARE(enumerations, 1);

        // Until the next listing, the friendly name comes from the cache.
        records = {Port("/dev/ttyUSB0", "Second name")};
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB0"), QString("AtoN adapter"));
        QCOMPARE(enumerations, 1);
        SerialController::FindDevicePort();
        QCOMPARE(enumerations, 2);
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB0"), QString("Second name"));
    }

    void pseudoTerminalsFromTheEnvironment()
    {
        PtyPair first;
        PtyPair second;
        QVERIFY(first.isOpen() && second.isOpen());
        qputenv("VANDREL_PORTS",
                QString(first.slavePath() + ":/dev/vandrel-missing::" + second.slavePath())
                    .toLocal8Bit());
        const PortInfoList ports = PortEnumerator::EnvironmentPorts();
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports.at(0).portName, first.slavePath());
        QCOMPARE(ports.at(0).friendlyName, first.slavePath());
        QCOMPARE(ports.at(0).vendorId + ports.at(0).productId, 0);
        QCOMPARE(ports.at(1).portName, second.slavePath());

        // The system's enumeration offers them as well, each once, and the
        // name listed opens the line.
        SerialController::SetPortEnumeration({});
        const auto list = SerialController::PortList();
        QCOMPARE(list.count(qMakePair(first.slavePath(), first.slavePath())), 1);
        QCOMPARE(list.count(qMakePair(second.slavePath(), second.slavePath())), 1);
        SerialController controller;
        QVERIFY(controller.Open(list.last().first, 38400));
        QVERIFY(controller.Close());
        qunsetenv("VANDREL_PORTS");
    }

    void busyPorts()
    {
        PtyPair pty;
        // Asking leaves the port free.
        QVERIFY(!SerialController::IsPortBusy(pty.slavePath()));
        QVERIFY(!SerialController::IsPortBusy(pty.slavePath()));
        QVERIFY(SerialController::IsPortBusy("/dev/vandrel-missing"));

        SerialController holder;
        QVERIFY(holder.Open(pty.slavePath(), 38400));
        QVERIFY(SerialController::IsPortBusy(pty.slavePath()));
        QVERIFY(holder.Close());
        QVERIFY(!SerialController::IsPortBusy(pty.slavePath()));
    }
};

QTEST_GUILESS_MAIN(TestPortDiscovery)
#include "tst_portdiscovery.moc"
