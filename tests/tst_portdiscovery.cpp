#include "link/portenumerator.h"
#include "link/serialcontroller.h"

#include "support/ptypair.h"

#include <QtTest>

// Port discovery with records fed in place of the system's enumeration, and
// the pseudo-terminal lines offered through VANDREL_PORTS. (The window's test
// shows each port problem as the port list marks it, and as Connect reports
// it; its session connects to a port the list has just probed.)
class TestPortDiscovery : public QObject
{
    Q_OBJECT

private:
    PortInfoList records;
    int enumerations = 0;

private slots:
    void init()
    {
        enumerations = 0;
        SerialController::SetPortEnumeration([this] {
            ++enumerations;
            return records;
        });
    }

    void cleanup() { SerialController::SetPortEnumeration({}); }

    void discoveryFromRecords()
    {
        records = {{"LPT1", "Printer Port"},
                   {"/dev/ttyS0", ""},
                   // Same vendor, another product: not the unit's adapter.
                   {"/dev/ttyUSB0", "Other adapter", 0x27C5, 0x0503},
                   {"/dev/ttyUSB1", "AtoN unit A", 0x27C5, 0x0502},
                   {"/dev/ttyUSB2", "AtoN unit B", 0x27C5, 0x0502},
                   {"lpt2", "lower-case name"}};
        QCOMPARE(SerialController::FindDevicePort(), QString("/dev/ttyUSB1"));
        const QList<QPair<QString, QString>> expected = {
            {"/dev/ttyS0", "/dev/ttyS0"},    {"/dev/ttyUSB0", "Other adapter"},
            {"/dev/ttyUSB1", "AtoN unit A"}, {"/dev/ttyUSB2", "AtoN unit B"},
            {"lpt2", "lower-case name"}, // the printer rule is case-sensitive
        };
        QCOMPARE(SerialController::PortList(), expected);
        QCOMPARE(SerialController::FriendlyName("/dev/ttyACM9"), QString("/dev/ttyACM9"));

        // Until the next listing, the friendly name comes from the cache. The
        // product alone does not make a port the unit's.
        records = {{"/dev/ttyUSB1", "Second name", 0x0403, 0x0502}};
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB1"), QString("AtoN unit A"));
        QCOMPARE(enumerations, 2);
        QCOMPARE(SerialController::FindDevicePort(), QString());
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB1"), QString("Second name"));
    }

    void pseudoTerminalsFromTheEnvironment()
    {
        PtyPair first;
        PtyPair second;
        QVERIFY(first.isOpen() && second.isOpen());
        qputenv("VANDREL_PORTS",
                QString(first.slavePath() + ":/dev/vandrel-missing::" + second.slavePath())
                    .toLocal8Bit());
        // A missing path and an empty one are left out.
        QCOMPARE(PortEnumerator::EnvironmentPorts().size(), 2);

        // The system's enumeration offers them, each once under its path, and
        // the name listed opens the line.
        SerialController::SetPortEnumeration({});
        const auto list = SerialController::PortList();
        QCOMPARE(list.count(qMakePair(first.slavePath(), first.slavePath())), 1);
        QCOMPARE(list.count(qMakePair(second.slavePath(), second.slavePath())), 1);
        qunsetenv("VANDREL_PORTS");
        SerialController opener;
        QVERIFY(opener.Open(list.last().first, 38400));
    }
};

QTEST_GUILESS_MAIN(TestPortDiscovery)
#include "tst_portdiscovery.moc"
