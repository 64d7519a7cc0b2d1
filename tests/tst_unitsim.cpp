// The unit simulator, driven over its pseudo-terminal as the program drives a
// docked unit.

#include "tst_unitsim_client.h"

#include "simoptions.h"
#include "unitsimulator.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<UnitSimulator> startSimulator(const QStringList &args, QString *error = nullptr)
{
    SimOptions options;
    QString why;
    bool help = false;
    std::unique_ptr<UnitSimulator> sim;
    if (options.parse(args, &why, &help)) {
        sim = std::make_unique<UnitSimulator>(options);
        if (!sim->start(&why))
            sim.reset();
    }
    if (error)
        *error = why;
    return sim;
}

QByteArray field(const QByteArray &line, int i)
{
    return SimClient::fields(line).value(i, "<missing>");
}

int count(const QList<QByteArray> &lines, const QByteArray &prefix)
{
    int n = 0;
    for (const QByteArray &l : lines)
        n += l.startsWith(prefix) ? 1 : 0;
    return n;
}

// An independent reading of an AIS six-bit payload.
QByteArray payloadBits(const QByteArray &payload)
{
    QByteArray bits;
    for (char c : payload) {
        const int v = c - 48 > 40 ? c - 56 : c - 48;
        for (int k = 5; k >= 0; --k)
            bits.append(char((v >> k) & 1));
    }
    return bits;
}

quint64 bitsAt(const QByteArray &bits, int start, int count)
{
    quint64 v = 0;
    for (int i = 0; i < count; ++i)
        v = (v << 1) | quint64(bits.at(start + i));
    return v;
}

QByteArray sixBitText(const QByteArray &bits, int start, int chars)
{
    QByteArray text;
    for (int p = start; p + 6 <= bits.size() && text.size() < chars; p += 6) {
        const int v = int(bitsAt(bits, p, 6));
        text += char(v < 32 ? v + 64 : v);
    }
    return text;
}

// The sample unit's answers, without start character and checksum.
const QByteArray Aid = "AIAID,992351234,1,992351234,R,R";
const QByteArray Acf = "AIACF,992351234,1,5047.4512,N,00106.2275,W,1,2087,2088,2087,2088,1,13,0,R";
const QByteArray Ace1 = "AIACE,992351234,E8,0075,1,0,1,,0050050303,R";
const QByteArray Ace2 = "AIACE,992351234,,,,,,NORTH PIER^2C WEST HARBOUR ENTRANCE,,R";
const QByteArray Aar21 = "AIAAR,992351234,21,01,00,00,120,6750,0,00,01,860,6750,R";
const QByteArray Aar21b = "AIAAR,992351234,21,02,00,01,300,2250,0,00,02,1500,2250,R";
const QByteArray Aar6 = "AIAAR,992351234,06,01,00,05,,10,1,00,10,,10,R";
const QByteArray Aar12 = "AIAAR,992351234,12,02,06,00,,30,2,06,15,,30,R";

// The answer to a set sentence that the unit keeps as sent.
QByteArray echo(const QByteArray &set)
{
    return "AI" + set.mid(2).chopped(1) + 'R';
}

} // namespace

class TestUnitSim : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void shell_data();
    void shell();
    void stateFileSurvivesARestart();
    void unsolicitedTrafficAndItsSwitches();
    void faultSwitches();
    void flood();
    void linePacing();
    void lineMayBeClosedAndReopened();
    void optionErrors();
};

void TestUnitSim::answers_data()
{
    // What is sent first ("UP..." bodies are framed here, anything else goes
    // out as it stands), the query, and every answer in order.
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QList<QByteArray>>("expected");
    using B = QList<QByteArray>;
    const QStringList none;
    const QByteArray newAid = "UPAID,992351234,1,235000001,R,C";
    const QByteArray acf = "UPACF,992351234,2,%1,N,00000.0000,E,%2,%3,2088,%3,2088,1,0,0,C";
    const QByteArray aar14 = "UPAAR,%1,14,%2,00,%3,10,%4,0,00,00,20,6750,C";

    QTest::newRow("AID") << none << B{} << QByteArray("AID") << B{Aid};
    QTest::newRow("ACF") << none << B{} << QByteArray("ACF") << B{Acf};
    QTest::newRow("ACE with continuation") << none << B{} << QByteArray("ACE") << B{Ace1, Ace2};
    QTest::newRow("AAR") << none << B{} << QByteArray("AAR") << B{Aar21, Aar21b, Aar6, Aar12};
    QTest::newRow("unknown formatter, other talker")
        << none << B{"UPAIQ,XYZ", "UPGPQ,AID"} << QByteArray() << B{};

    QTest::newRow("AID for another MMSI")
        << none << B{"UPAID,111111111,1,235000001,R,C"} << QByteArray("AID") << B{Aid};
    QTest::newRow("AID of eight digits")
        << none << B{"UPAID,992351234,1,23500001,R,C"} << QByteArray("AID") << B{Aid};
    QTest::newRow("AID applied") << none << B{newAid} << QByteArray("AID")
                                 << B{"AIAID,235000001,1,235000001,R,R"};
    QTest::newRow("new MMSI in other answers")
        << none << B{newAid} << QByteArray("ACF")
        << B{QByteArray(Acf).replace("992351234", "235000001")};
    QTest::newRow("unconfigured") << QStringList{"--unconfigured"} << B{} << QByteArray("AID")
                                  << B{"AIAID,000000000,1,000000000,R,R"};
    // ACF names the new MMSI; afterwards one naming the old is ignored.
    QTest::newRow("unconfigured takes an MMSI")
        << QStringList{"--unconfigured"}
        << B{"UPAID,000000000,1,123456789,R,C",
             "UPACF,123456789,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,5,0,C",
             "UPACF,000000000,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,7,0,C"}
        << QByteArray("ACF")
        << B{"AIACF,123456789,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,5,0,R"};

    const QByteArray acfSet =
        "UPACF,992351234,7,3330.0000,S,00415.0000,W,0,2001,2002,2001,2002,1,25,3,C";
    const QByteArray aceShort = "UPACE,992351234,E0,0120,1,4,2,BUOY 7,0050060708,C";
    const QByteArray ace32 =
        "UPACE,992351234,E0,0050,1,0,1,ABCDEFGHIJKLMNOPQRSTUVWXY^2C1234,0010010101,C";
    const QByteArray aceLong = "UPACE,992351234,E8,0050,1,0,1,,0010010101,C";
    const QByteArray aceMore = "UPACE,992351234,,,,,,SOUTH MOLE^2C INNER BASIN LT 12345,,C";
    const QByteArray notAvailable = QString(acf).arg("9100.0000", "1", "2087").toLatin1();
    QTest::newRow("ACF applied") << none << B{acfSet} << QByteArray("ACF") << B{echo(acfSet)};
    QTest::newRow("ACF not available")
        << none << B{notAvailable} << QByteArray("ACF") << B{echo(notAvailable)};
    // Values the unit could not keep are refused as a whole: latitude 92,
    // minute 60, accuracy 2, a five-digit channel.
    B wrongAcf;
    for (const QStringList &a : QList<QStringList>{{"9200.0000", "1", "2087"},
                                                   {"1060.0000", "1", "2087"},
                                                   {"0000.0000", "2", "2087"},
                                                   {"0000.0000", "1", "20870"}})
        wrongAcf << QString(acf).arg(a[0], a[1], a[2]).toLatin1();
    QTest::newRow("ACF refused") << none << wrongAcf << QByteArray("ACF") << B{Acf};
    QTest::newRow("ACE short name")
        << none << B{aceShort} << QByteArray("ACE") << B{echo(aceShort)};
    QTest::newRow("ACE long name")
        << none << B{aceLong, aceMore} << QByteArray("ACE") << B{echo(aceLong), echo(aceMore)};
    QTest::newRow("ACE 32 escaped characters fit")
        << none << B{ace32} << QByteArray("ACE") << B{echo(ace32)};
    QTest::newRow("ACE dimensions not ten digits")
        << none << B{"UPACE,992351234,E8,0999,1,0,1,X,00100101,C"} << QByteArray("ACE")
        << B{Ace1, Ace2};

    QTest::newRow("AAR message 8 in its place")
        << none << B{"UPAAR,992351234,08,01,01,30,500,6750,0,01,31,1600,6750,C"}
        << QByteArray("AAR")
        << B{Aar21, Aar21b, Aar6, "AIAAR,992351234,08,01,01,30,500,6750,0,01,31,1600,6750,R",
             Aar12};
    // RATDMA: the program sends seconds, the unit answers minutes.
    QTest::newRow("AAR RATDMA minutes")
        << none << B{"UPAAR,992351234,06,01,02,00,,180,1,02,05,,240,C"} << QByteArray("AAR")
        << B{Aar21, Aar21b, "AIAAR,992351234,06,01,02,00,,3,1,02,05,,4,R", Aar12};
    QTest::newRow("AAR longest RATDMA")
        << none << B{"UPAAR,992351234,06,02,00,00,,5184000,1,00,00,,5184000,C"} << QByteArray("AAR")
        << B{Aar21, Aar21b, Aar6, "AIAAR,992351234,06,02,00,00,,86400,1,00,00,,86400,R", Aar12};
    // Both start slots -1 disable the instance; message 21 keeps its row.
    QTest::newRow("AAR disabled") << none
                                  << B{"UPAAR,992351234,06,01,00,00,-1,6750,0,00,00,-1,6750,C",
                                       "UPAAR,992351234,21,02,00,30,-1,6750,0,00,30,-1,6750,C"}
                                  << QByteArray("AAR")
                                  << B{Aar21,
                                       "AIAAR,992351234,21,02,00,30,-1,6750,0,00,30,-1,6750,R",
                                       Aar12};
    QTest::newRow("AAR variant 3 of 14 is instance 4")
        << none << B{"UPAAR,992351234,14,04,23,59,10,6750,0,23,58,20,6750,C"} << QByteArray("AAR")
        << B{Aar21, Aar21b, Aar6, Aar12, "AIAAR,992351234,14,04,23,59,10,6750,0,23,58,20,6750,R"};
    const QList<QPair<const char *, QStringList>> refused = {
        {"AAR minute 60", {"992351234", "01", "60", "6750"}},
        {"AAR instance 5", {"992351234", "05", "00", "6750"}},
        {"AAR wrong MMSI", {"111111111", "01", "00", "6750"}},
        {"AAR interval too long", {"992351234", "01", "00", "3240001"}}};
    for (const auto &r : refused) {
        const QString s = QString(aar14).arg(r.second[0], r.second[1], r.second[2], r.second[3]);
        QTest::newRow(r.first) << none << B{s.toLatin1()} << QByteArray("AAR")
                               << B{Aar21, Aar21b, Aar6, Aar12};
    }
    QTest::newRow("AAR unknown message")
        << none << B{"UPAAR,992351234,07,01,00,00,10,6750,0,00,00,20,6750,C"} << QByteArray("AAR")
        << B{Aar21, Aar21b, Aar6, Aar12};

    // Broken input changes nothing; noise before the start character is skipped.
    const QByteArray longBody = newAid + QByteArray(60, 'C');
    const QList<QPair<const char *, QByteArray>> broken = {
        {"wrong checksum", '$' + newAid + "*00\r\n"},
        {"no checksum", '$' + newAid + "\r\n"},
        {"status R", "$UPAID,992351234,1,235000001,R,R*" +
                         SimClient::checksumOf("UPAID,992351234,1,235000001,R,R") + "\r\n"},
        {"a field too few", "$UPAID,992351234,235000001,R,C*" +
                                SimClient::checksumOf("UPAID,992351234,235000001,R,C") + "\r\n"},
        {"too long", '$' + longBody + '*' + SimClient::checksumOf(longBody) + "\r\n"},
        {"endless noise", QByteArray(20000, 'x') + "\r\n"},
        {"binary noise", QByteArray("\x00\xff\x01$$$***,,,\r\n", 15)}};
    for (const auto &b : broken)
        QTest::newRow(b.first) << none << B{b.second} << QByteArray("AID") << B{Aid};
    QTest::newRow("noise before the start")
        << none << B{"garbage$" + newAid + '*' + SimClient::checksumOf(newAid) + "\r\n"}
        << QByteArray("AID") << B{"AIAID,235000001,1,235000001,R,R"};
}

void TestUnitSim::answers()
{
    QFETCH(QStringList, options);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(QByteArray, query);
    QFETCH(QList<QByteArray>, expected);
    auto sim = startSimulator(QStringList{"--fast", "--quiet"} + options);
    QVERIFY(sim);
    SimClient c(sim->portPath());
    for (const QByteArray &s : sent)
        s.startsWith("UP") ? c.send(s) : c.sendRaw(s);
    if (!query.isEmpty())
        c.send("UPAIQ," + query);
    // One more than expected is waited for, to see that nothing else follows.
    const QList<QByteArray> got = c.collect(
        700, [&](const QList<QByteArray> &lines) { return lines.size() > expected.size(); });
    QList<QByteArray> bodies;
    for (const QByteArray &l : got) {
        QVERIFY2(SimClient::checksumOk(l) && l.size() <= 80, l.constData());
        bodies << SimClient::body(l);
    }
    QCOMPARE(bodies, expected);
}

void TestUnitSim::shell_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("code"); // empty: the right one for the level
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("appver") << QByteArray("appver") << 0 << QByteArray()
                            << QByteArray("3.10AT.0417");
    QTest::newRow("getserno") << QByteArray("getserno") << 0 << QByteArray()
                              << QByteArray("VK0012345");
    QTest::newRow("battvolts") << QByteArray("battvolts") << 3 << QByteArray()
                               << QByteArray("12600");
    QTest::newRow("reset") << QByteArray("reset") << 0 << QByteArray() << QByteArray("OK");
    QTest::newRow("gpsfilt 0") << QByteArray("gpsfilt 0") << 0 << QByteArray() << QByteArray("OK");
    const QList<QByteArray> names{"limen",   "limvmin", "limvmax",  "limton",
                                  "limtoff", "limion",  "limigain", "limpthresh"};
    const QList<QByteArray> values{"1", "10500", "14500", "500", "1500", "25", "1", "247"};
    for (int i = 0; i < names.size(); ++i)
        QTest::newRow(names[i].constData())
            << "nvgeti \"" + names[i] + '"' << 3 << QByteArray() << values[i];
    // The lantern set sentence as the program builds it.
    QTest::newRow("nvseti") << QByteArray("nvseti \"limvmax\"^2C24000^2C0^2C0^2C1") << 3
                            << QByteArray() << QByteArray("24000");
    // Refused: a wrong code, one of another level, a level without a code,
    // writing below level 3, unknown commands and parameters, not a number.
    QTest::newRow("wrong code") << QByteArray("appver") << 0 << QByteArray("0x6E2D9A42")
                                << QByteArray("ACCESS DENIED");
    QTest::newRow("code of level 0")
        << QByteArray("battvolts") << 3 << QByteArray("0x6E2D9A41") << QByteArray("ACCESS DENIED");
    QTest::newRow("level 4") << QByteArray("battvolts") << 4 << QByteArray("0xD4716B5E")
                             << QByteArray("ACCESS DENIED");
    QTest::newRow("nvseti at level 0") << QByteArray("nvseti \"limen\"^2C0^2C0^2C0^2C1") << 0
                                       << QByteArray() << QByteArray("ACCESS DENIED");
    QTest::newRow("unknown command")
        << QByteArray("format disk") << 0 << QByteArray() << QByteArray("UNKNOWN COMMAND");
    QTest::newRow("escaped comma echoed")
        << QByteArray("echo a^2Cb") << 0 << QByteArray() << QByteArray("UNKNOWN COMMAND");
    QTest::newRow("unknown parameter")
        << QByteArray("nvgeti \"limfoo\"") << 3 << QByteArray() << QByteArray("BAD ARGUMENT");
    QTest::newRow("not a number") << QByteArray("nvseti \"limton\"^2Cabc^2C0^2C0^2C1") << 3
                                  << QByteArray() << QByteArray("BAD ARGUMENT");
}

void TestUnitSim::shell()
{
    QFETCH(QByteArray, command);
    QFETCH(int, level);
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, answer);
    auto sim = startSimulator({"--fast", "--quiet"});
    QVERIFY(sim);
    SimClient c(sim->portPath());
    const QByteArray line = c.shell(command, 7, level, code);
    QVERIFY2(SimClient::checksumOk(line), line.constData());
    // 255 when done; 1 refused access, 2 unknown command, 3 bad argument.
    const QByteArray result = answer == "ACCESS DENIED"     ? "1"
                              : answer == "UNKNOWN COMMAND" ? "2"
                              : answer == "BAD ARGUMENT"    ? "3"
                                                            : "255";
    QCOMPARE(SimClient::fields(line), (QList<QByteArray>{"PVKX", result, command, "7", answer}));
    // A set takes effect; a refused one changes nothing.
    if (command.startsWith("nvseti")) {
        const QByteArray name = command.mid(7, command.indexOf("\"^") - 6);
        const QByteArray value = field(c.shell("nvgeti " + name, 8, 3), 4);
        QCOMPARE(value, result == "255" ? answer : (name == "\"limen\"" ? "1" : "500"));
    }
}

void TestUnitSim::stateFileSurvivesARestart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("unit.json");
    {
        auto sim = startSimulator({"--fast", "--quiet", "--state", path});
        QVERIFY(sim);
        // A missing state file is created with the unit's current state.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(f.readAll()).object().value("mmsi").toString(),
                 QStringLiteral("992351234"));
        SimClient c(sim->portPath());
        c.send("UPAID,992351234,1,235000001,R,C");
        c.send("UPACE,235000001,E0,0050,1,0,1,,0010010101,C");
        c.send("UPACE,235000001,,,,,,HARBOUR^2C LIGHT N^B04 ^7E WEST^0ASIDE,,C");
        c.send("UPAAR,235000001,08,02,01,30,,300,2,01,31,,360,C");
        QCOMPARE(field(c.shell("nvseti \"limton\"^2C750^2C0^2C0^2C1", 17, 3), 4),
                 QByteArray("750"));
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--state", path});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QCOMPARE(field(c.query("AID", 1).value(0), 1), QByteArray("235000001"));
        // Escaped characters outside printable ASCII come back as sent.
        QCOMPARE(field(c.query("ACE", 2).value(1), 7),
                 QByteArray("HARBOUR^2C LIGHT N^B04 ^7E WEST^0ASIDE"));
        QCOMPARE(SimClient::body(c.query("AAR", 5).value(3)),
                 QByteArray("AIAAR,235000001,08,02,01,30,,5,2,01,31,,6,R"));
        QCOMPARE(field(c.shell("nvgeti \"limton\"", 9, 3), 4), QByteArray("750"));
    }
    // A state file that cannot be read stops the start and is left as it was.
    for (const QByteArray &bad :
         {QByteArray("{ \"mmsi\": \"12"), QByteArray("{\"mmsi\": \"992351234\"}")}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bad);
        f.close();
        QString error;
        QVERIFY(!startSimulator({"--fast", "--quiet", "--state", path}, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bad);
    }
}

void TestUnitSim::unsolicitedTrafficAndItsSwitches()
{
    // Three units at once, so that the waits overlap.
    auto all = startSimulator({"--fast"});
    auto noGps = startSimulator({"--fast", "--no-gps", "--no-alr"});
    auto fewer = startSimulator({"--fast", "--no-gps-text", "--no-vdo", "--no-ai-text"});
    QVERIFY(all && noGps && fewer);
    SimClient ca(all->portPath());
    SimClient cb(noGps->portPath());
    SimClient cc(fewer->portPath());
    const QList<QByteArray> a = ca.collect(3700);
    const QList<QByteArray> b = cb.collect(100);
    const QList<QByteArray> c = cc.collect(100);

    // GPS once a second, with a running UTC time and a fix.
    QList<QByteArray> times;
    QList<QByteArray> parts;
    QByteArray vdo;
    for (const QByteArray &l : a) {
        QVERIFY2(SimClient::checksumOk(l) && l.size() <= 80, l.constData());
        if (l.startsWith("$GPRMC,")) {
            times << field(l, 1);
            QCOMPARE(field(l, 2) + field(l, 4) + field(l, 6) + field(l, 12), QByteArray("ANWA"));
        }
        parts << (l.startsWith("$GPTXT,") ? QList<QByteArray>{l} : QList<QByteArray>{});
        vdo = l.startsWith("!AIVDO,") ? l : vdo;
    }
    QVERIFY2(times.size() >= 3 && times.size() <= 5, QByteArray::number(times.size()).constData());
    for (int i = 1; i < times.size(); ++i)
        QVERIFY(times[i].toDouble() > times[i - 1].toDouble() || times[i].startsWith("00"));
    QVERIFY(count(a, "$GPGSA,A,3,") >= 3);
    QVERIFY(count(a, "$GPGSV,3,3,10,") >= 3);
    // A GPS text in numbered parts of one identifier.
    QCOMPARE(parts.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(field(parts[i], 1) + field(parts[i], 2) + field(parts[i], 3),
                 "030" + QByteArray::number(i + 1) + field(parts[0], 3));

    // The unit's own message 21, decoded here from the bits.
    QCOMPARE(SimClient::fields(vdo).mid(0, 5), (QList<QByteArray>{"AIVDO", "1", "1", "", "A"}));
    const QByteArray bits = payloadBits(field(vdo, 5));
    QCOMPARE((bits.size() - field(vdo, 6).toInt()) % 8, 0);
    QVERIFY(bits.size() >= 272);
    QCOMPARE(bitsAt(bits, 0, 6), quint64(21));
    QCOMPARE(bitsAt(bits, 8, 30), quint64(992351234));
    QCOMPARE(bitsAt(bits, 38, 5), quint64(13));
    QCOMPARE(sixBitText(bits, 43, 20) + sixBitText(bits, 272, 13),
             QByteArray("NORTH PIER, WEST HARBOUR ENTRANCE"));
    const qint64 lon =
        qint64(bitsAt(bits, 164, 28)) - (bitsAt(bits, 164, 1) ? (qint64(1) << 28) : 0);
    QCOMPARE(lon, -((1 * 60 + 6) * 10000LL + 2275));
    QCOMPARE(bitsAt(bits, 192, 27), quint64((50 * 60 + 47) * 10000LL + 4512));
    QCOMPARE(bitsAt(bits, 219, 9), quint64(5));
    // RACON operational, light on, healthy, a real aid.
    QCOMPARE(QList<quint64>({bitsAt(bits, 263, 2), bitsAt(bits, 265, 2), bitsAt(bits, 267, 1),
                             bitsAt(bits, 269, 1)}),
             QList<quint64>({2, 1, 0, 0}));
    QCOMPARE(count(a, "$AIALR,"), 3);
    QVERIFY(count(a, "$AITXT,01,01,") >= 1);

    // Each switch takes away its own kind only.
    QCOMPARE(count(b, "$GP"), 3); // the GPS text alone
    QCOMPARE(count(b, "$GPTXT,"), 3);
    QCOMPARE(count(b, "$AIALR,"), 0);
    QCOMPARE(count(b, "!AIVDO,"), 1);
    QVERIFY(count(b, "$AITXT,") >= 1);
    QVERIFY(count(c, "$GPRMC,") >= 3);
    QCOMPARE(count(c, "$GPTXT,") + count(c, "!AIVDO,") + count(c, "$AITXT,"), 0);
    QCOMPARE(count(c, "$AIALR,"), 3);
}

void TestUnitSim::faultSwitches()
{
    {
        auto sim = startSimulator({"--fast", "--quiet", "--no-answer", "ACF", "--no-answer",
                                   "getserno", "--no-answer", "nvgeti"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QVERIFY(c.query("ACF", 1, 1100).isEmpty());
        QVERIFY(c.shell("getserno", 1, 0, {}, 1100).isEmpty());
        QVERIFY(c.shell("nvgeti \"limen\"", 6, 3, {}, 500).isEmpty());
        // What was not named is still answered.
        QCOMPARE(c.query("AID", 1).size(), 1);
        QCOMPARE(field(c.shell("appver", 0), 1), QByteArray("255"));
    }
    {
        auto sim =
            startSimulator({"--fast", "--corrupt-checksums", "--zero-mmsi", "--answer-status-c"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        const QByteArray aid = c.query("AID", 1).value(0);
        QVERIFY2(!aid.isEmpty() && !SimClient::checksumOk(aid), aid.constData());
        QCOMPARE(SimClient::body(aid), QByteArray("AIAID,000000000,1,000000000,R,C"));
        QCOMPARE(field(c.query("ACF", 1).value(0), 1), QByteArray("000000000"));
        QVERIFY(!SimClient::checksumOk(c.shell("appver", 0)));
        // Unsolicited lines are damaged too.
        const QList<QByteArray> gps = c.expect("$GPRMC,", 1, 1500);
        QVERIFY(!gps.isEmpty() && !SimClient::checksumOk(gps[0]));
        // The unit's own MMSI is unchanged; only its answers say otherwise.
        QCOMPARE(sim->config().mmsi, QStringLiteral("992351234"));
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--prompt", "--missing-field"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QCOMPARE(field(c.shell("appver", 0), 1), QByteArray("255"));
        // The prompt has no line end: it runs into the next line.
        c.send("UPAIQ,AID");
        const QByteArray aid = c.expect(">$AIAID,", 1, 1500).value(0);
        QCOMPARE(aid.left(1) + SimClient::body(aid.mid(1)),
                 QByteArray(">AIAID,992351234,1,992351234,R"));
        QVERIFY(SimClient::checksumOk(aid.mid(1)));
        QCOMPARE(SimClient::fields(c.query("ACF", 1).value(0)).size(), 15);
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--late-ms", "1300"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QElapsedTimer t;
        t.start();
        c.send("UPAIQ,AID");
        QVERIFY(c.expect("$AIAID,", 1, 1200).isEmpty());
        QCOMPARE(c.expect("$AIAID,", 1, 1500).size(), 1);
        QVERIFY(t.elapsed() >= 1290);
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--dock-out-after", "1.0"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QCOMPARE(field(c.shell("getserno", 3), 4), QByteArray("VK0012345"));
        c.collect(1100);
        // Taken from its dock: getserno is no longer answered, the rest is.
        QVERIFY(c.shell("getserno", 3, 0, {}, 800).isEmpty());
        QCOMPARE(field(c.shell("appver", 0), 1), QByteArray("255"));
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--close-after", "0.3"});
        QVERIFY(sim);
        QSignalSpy finished(sim.get(), &UnitSimulator::finished);
        SimClient c(sim->portPath());
        QCOMPARE(c.query("AID", 1).size(), 1);
        QElapsedTimer t;
        t.start();
        while (!c.hungUp() && t.elapsed() < 2000)
            c.pump(10);
        QVERIFY(c.hungUp());
        QCOMPARE(finished.count(), 1);
        QVERIFY(!sim->line().isOpen());
    }
}

void TestUnitSim::flood()
{
    auto sim = startSimulator({"--fast", "--quiet", "--flood", "500"});
    QVERIFY(sim);
    SimClient c(sim->portPath());
    c.collect(100);
    const QList<QByteArray> lines = c.collect(1000);
    int valid = 0;
    for (const QByteArray &l : lines)
        valid += SimClient::checksumOk(l) && l.size() <= 80 ? 1 : 0;
    QVERIFY2(valid >= 150 && lines.size() - valid >= 150 && lines.size() <= 700,
             qPrintable(QString("%1 valid of %2").arg(valid).arg(lines.size())));
    // The unit still answers amid the flood.
    QCOMPARE(c.query("ACE", 2).size(), 2);

    // On a paced line a flood beyond the line's capacity does not hold the
    // answers back by more than a moment.
    auto paced = startSimulator({"--quiet", "--flood", "3000"});
    QVERIFY(paced);
    SimClient p(paced->portPath());
    p.collect(1000);
    QElapsedTimer t;
    t.start();
    QCOMPARE(p.query("AID", 1, 1000).size(), 1);
    QVERIFY2(t.elapsed() < 800, QByteArray::number(t.elapsed()).constData());
}

void TestUnitSim::linePacing()
{
    // Twelve AAR answers of four rows: about 2300 characters, 0.6 s at 38400 baud.
    for (bool fast : {false, true}) {
        auto sim = startSimulator(fast ? QStringList{"--quiet", "--fast"} : QStringList{"--quiet"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        c.collect(60);
        for (int i = 0; i < 12; ++i)
            c.send("UPAIQ,AAR");
        QElapsedTimer t;
        qint64 first = -1;
        qint64 bytes = 0;
        t.start();
        const QList<QByteArray> lines = c.collect(5000, [&](const QList<QByteArray> &lines) {
            if (first < 0 && !lines.isEmpty())
                first = t.elapsed();
            return lines.size() >= 48;
        });
        const qint64 span = t.elapsed() - first;
        for (int i = 1; i < lines.size(); ++i)
            bytes += lines[i].size() + 2;
        const double lineTime = double(bytes) * 1000.0 / 3840.0;
        QCOMPARE(lines.size(), 48);
        QVERIFY2(fast ? span < lineTime / 3
                      : span >= lineTime * 0.9 && span <= lineTime * 2.5 + 200,
                 qPrintable(QString("%1: %2 ms for %3 characters").arg(fast).arg(span).arg(bytes)));
    }
}

void TestUnitSim::lineMayBeClosedAndReopened()
{
    auto sim = startSimulator({"--fast"});
    QVERIFY(sim);
    SimClient c(sim->portPath());
    QCOMPARE(c.query("AID", 1).size(), 1);
    c.close();
    // While nobody listens the unit goes on (GPS every second) without harm.
    QTest::qWait(1300);
    QVERIFY(!sim->line().isPeerOpen());
    QVERIFY(c.open(sim->portPath()));
    QCOMPARE(c.query("AID", 1).size(), 1);
    QCOMPARE(field(c.shell("appver", 0), 1), QByteArray("255"));
    QCOMPARE(c.expect("$GPRMC,", 1, 1500).size(), 1);
}

void TestUnitSim::optionErrors()
{
    SimOptions o;
    QString error;
    bool help = false;
    for (const QStringList &bad : QList<QStringList>{{"--late-ms"},
                                                     {"--flood", "lots"},
                                                     {"--close-after", "-1"},
                                                     {"--frobnicate"},
                                                     {"--no-answer", " "}}) {
        QVERIFY(!o.parse(bad, &error, &help));
        QVERIFY2(error.contains(bad[0]), qPrintable(error));
    }
    SimOptions q;
    QVERIFY(q.parse({"--quiet", "--no-answer", "AAR", "--no-answer", "appver", "--late-ms", "1200"},
                    &error, &help));
    QVERIFY(!q.gps && !q.gpsText && !q.vdo && !q.alarms && !q.aiText && !help);
    QCOMPARE(q.noAnswer, (QStringList{"AAR", "appver"}));
    QCOMPARE(q.lateMs, 1200);
}

QTEST_GUILESS_MAIN(TestUnitSim)
#include "tst_unitsim.moc"
