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
    if (!options.parse(args, &why, &help)) {
        if (error)
            *error = why;
        return nullptr;
    }
    auto sim = std::make_unique<UnitSimulator>(options);
    if (!sim->start(&why)) {
        if (error)
            *error = why;
        return nullptr;
    }
    return sim;
}

QByteArray field(const QByteArray &line, int i)
{
    const QList<QByteArray> f = SimClient::fields(line);
    return i < f.size() ? f.at(i) : QByteArray("<missing>");
}

// An independent reading of an AIS six-bit payload.
QByteArray payloadBits(const QByteArray &payload)
{
    QByteArray bits;
    for (char c : payload) {
        int v = c - 48;
        if (v > 40)
            v -= 8;
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

} // namespace

class TestUnitSim : public QObject
{
    Q_OBJECT

private slots:
    void queriesAnswerTheSampleUnit();
    void aidSetSentenceChangesTheMmsi();
    void acfAndAceSetSentencesApply();
    void aarSetSentencesEditTheSchedule();
    void shellCommandsAnswerWithAccessCodes();
    void brokenInputChangesNothing();
    void stateFileSurvivesARestart();
    void unsolicitedTrafficAndItsSwitches();
    void faultSwitches();
    void flood();
    void linePacing();
    void lineMayBeClosedAndReopened();
    void optionErrors();
};

void TestUnitSim::queriesAnswerTheSampleUnit()
{
    auto sim = startSimulator({"--fast", "--quiet"});
    QVERIFY(sim);
    SimClient c(sim->portPath());
    QVERIFY(c.isOpen());

    QList<QByteArray> all;
    const QList<QByteArray> aid = c.query("AID", 1);
    QCOMPARE(aid.size(), 1);
    QCOMPARE(SimClient::fields(aid[0]),
             (QList<QByteArray>{"AIAID", "992351234", "1", "992351234", "R", "R"}));
    all << aid;

    const QList<QByteArray> acf = c.query("ACF", 1);
    QCOMPARE(acf.size(), 1);
    QCOMPARE(SimClient::fields(acf[0]),
             (QList<QByteArray>{"AIACF", "992351234", "1", "5047.4512", "N", "00106.2275", "W", "1",
                                "2087", "2088", "2087", "2088", "1", "13", "0", "R"}));
    all << acf;

    // The escaped name does not fit the first sentence: a continuation follows.
    const QList<QByteArray> ace = c.query("ACE", 2);
    QCOMPARE(ace.size(), 2);
    QCOMPARE(SimClient::fields(ace[0]), (QList<QByteArray>{"AIACE", "992351234", "E8", "0075", "1",
                                                           "0", "1", "", "0050050303", "R"}));
    QCOMPARE(SimClient::fields(ace[1]),
             (QList<QByteArray>{"AIACE", "992351234", "", "", "", "", "",
                                "NORTH PIER^2C WEST HARBOUR ENTRANCE", "", "R"}));
    all << ace;

    const QList<QByteArray> aar = c.query("AAR", 4);
    QCOMPARE(aar.size(), 4);
    QCOMPARE(SimClient::fields(aar[0]).mid(1),
             (QList<QByteArray>{"992351234", "21", "01", "00", "00", "120", "6750", "0", "00", "01",
                                "860", "6750", "R"}));
    QCOMPARE(field(aar[1], 2), QByteArray("21"));
    QCOMPARE(field(aar[1], 3), QByteArray("02"));
    // RATDMA and CSTDMA rows: no slots, the interval in minutes.
    QCOMPARE(SimClient::fields(aar[2]).mid(1),
             (QList<QByteArray>{"992351234", "06", "01", "00", "05", "", "10", "1", "00", "10", "",
                                "10", "R"}));
    QCOMPARE(SimClient::fields(aar[3]).mid(1),
             (QList<QByteArray>{"992351234", "12", "02", "06", "00", "", "30", "2", "06", "15", "",
                                "30", "R"}));
    all << aar;

    for (const QByteArray &l : all) {
        QVERIFY2(SimClient::checksumOk(l), l.constData());
        QVERIFY2(l.size() <= 82, l.constData());
    }

    // Nothing else arrives from a quiet unit, and an unknown formatter or a
    // query addressed to another talker gets no answer.
    c.send("UPAIQ,XYZ");
    c.send("UPGPQ,AID");
    const QList<QByteArray> rest = c.collect(400);
    QVERIFY2(rest.isEmpty(), rest.value(0).constData());
}

void TestUnitSim::aidSetSentenceChangesTheMmsi()
{
    {
        auto sim = startSimulator({"--fast", "--quiet"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        // Addressed to an MMSI the unit does not hold: ignored.
        c.send("UPAID,111111111,1,235000001,R,C");
        QCOMPARE(field(c.query("AID", 1).value(0), 1), QByteArray("992351234"));
        // A new MMSI that is not nine digits: ignored.
        c.send("UPAID,992351234,1,23500001,R,C");
        QCOMPARE(field(c.query("AID", 1).value(0), 1), QByteArray("992351234"));

        c.send("UPAID,992351234,1,235000001,R,C");
        const QByteArray aid = c.query("AID", 1).value(0);
        QCOMPARE(field(aid, 1), QByteArray("235000001"));
        QCOMPARE(field(aid, 3), QByteArray("235000001"));
        // Every other answer carries the new MMSI too.
        QCOMPARE(field(c.query("ACF", 1).value(0), 1), QByteArray("235000001"));
        for (const QByteArray &l : c.query("AAR", 4))
            QCOMPARE(field(l, 1), QByteArray("235000001"));
        QCOMPARE(sim->config().mmsi, QStringLiteral("235000001"));
    }
    {
        // A unit fresh from the factory is addressed by nine zeros.
        auto sim = startSimulator({"--fast", "--quiet", "--unconfigured"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QCOMPARE(SimClient::fields(c.query("AID", 1).value(0)),
                 (QList<QByteArray>{"AIAID", "000000000", "1", "000000000", "R", "R"}));
        c.send("UPAID,000000000,1,123456789,R,C");
        // ACF and ACE name the new MMSI; one naming the old is ignored.
        c.send("UPACF,000000000,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,5,0,C");
        QCOMPARE(field(c.query("AID", 1).value(0), 1), QByteArray("123456789"));
        QCOMPARE(field(c.query("ACF", 1).value(0), 13), QByteArray("0"));
        c.send("UPACF,123456789,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,5,0,C");
        QCOMPARE(field(c.query("ACF", 1).value(0), 13), QByteArray("5"));
    }
}

void TestUnitSim::acfAndAceSetSentencesApply()
{
    auto sim = startSimulator({"--fast", "--quiet"});
    QVERIFY(sim);
    SimClient c(sim->portPath());

    c.send("UPACF,992351234,7,3330.0000,S,00415.0000,W,0,2001,2002,2001,2002,1,25,3,C");
    QCOMPARE(SimClient::fields(c.query("ACF", 1).value(0)),
             (QList<QByteArray>{"AIACF", "992351234", "7", "3330.0000", "S", "00415.0000", "W", "0",
                                "2001", "2002", "2001", "2002", "1", "25", "3", "R"}));
    // The not-available position of a fresh model survives the round trip.
    c.send("UPACF,992351234,1,9100.0000,N,18100.0000,E,1,2087,2088,2087,2088,1,0,0,C");
    const QByteArray acf = c.query("ACF", 1).value(0);
    QCOMPARE(field(acf, 3), QByteArray("9100.0000"));
    QCOMPARE(field(acf, 5), QByteArray("18100.0000"));
    // A latitude beyond 91 degrees or a minute of 60 is refused as a whole.
    c.send("UPACF,992351234,2,9200.0000,N,00000.0000,E,1,2087,2088,2087,2088,1,0,0,C");
    c.send("UPACF,992351234,2,1060.0000,N,00000.0000,E,1,2087,2088,2087,2088,1,0,0,C");
    // So are values the unit could not keep: accuracy 2, a five-digit channel.
    c.send("UPACF,992351234,3,0000.0000,N,00000.0000,E,2,2087,2088,2087,2088,1,0,0,C");
    c.send("UPACF,992351234,3,0000.0000,N,00000.0000,E,1,20870,2088,20870,2088,1,0,0,C");
    QCOMPARE(field(c.query("ACF", 1).value(0), 2), QByteArray("1"));

    // A short name goes in the first sentence; no continuation is answered.
    c.send("UPACE,992351234,E0,0120,1,4,2,BUOY 7,0050060708,C");
    QList<QByteArray> ace = c.query("ACE", 2, 600);
    QCOMPARE(ace.size(), 1);
    QCOMPARE(SimClient::fields(ace[0]), (QList<QByteArray>{"AIACE", "992351234", "E0", "0120", "1",
                                                           "4", "2", "BUOY 7", "0050060708", "R"}));

    // A long name with a comma: empty in the first sentence, then the continuation.
    c.send("UPACE,992351234,E8,0050,1,0,1,,0010010101,C");
    c.send("UPACE,992351234,,,,,,SOUTH MOLE^2C INNER BASIN LT 12345,,C");
    ace = c.query("ACE", 2);
    QCOMPARE(ace.size(), 2);
    QCOMPARE(field(ace[0], 2), QByteArray("E8"));
    QCOMPARE(field(ace[0], 7), QByteArray(""));
    QCOMPARE(field(ace[1], 7), QByteArray("SOUTH MOLE^2C INNER BASIN LT 12345"));
    QCOMPARE(sim->config().name, QStringLiteral("SOUTH MOLE, INNER BASIN LT 12345"));

    // A name of exactly 32 escaped characters still fits the first sentence.
    c.send("UPACE,992351234,E0,0050,1,0,1,ABCDEFGHIJKLMNOPQRSTUVWXY^2C1234,0010010101,C");
    ace = c.query("ACE", 2, 600);
    QCOMPARE(ace.size(), 1);
    QCOMPARE(field(ace[0], 7), QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXY^2C1234"));

    // Dimensions that are not ten digits: the sentence is refused.
    c.send("UPACE,992351234,E8,0999,1,0,1,X,00100101,C");
    QCOMPARE(field(c.query("ACE", 1).value(0), 3), QByteArray("0050"));
}

void TestUnitSim::aarSetSentencesEditTheSchedule()
{
    auto sim = startSimulator({"--fast", "--quiet"});
    QVERIFY(sim);
    SimClient c(sim->portPath());
    auto rowKeys = [&] {
        QList<QByteArray> keys;
        for (const QByteArray &l : c.query("AAR", 8, 700))
            keys << field(l, 2) + '/' + field(l, 3);
        return keys;
    };

    // A new message 8 row lands in its place in the answer order.
    c.send("UPAAR,992351234,08,01,01,30,500,6750,0,01,31,1600,6750,C");
    QCOMPARE(rowKeys(), (QList<QByteArray>{"21/01", "21/02", "06/01", "08/01", "12/02"}));

    // RATDMA: the program sends seconds, the unit answers minutes.
    c.send("UPAAR,992351234,06,01,02,00,,180,1,02,05,,240,C");
    QByteArray row6;
    for (const QByteArray &l : c.query("AAR", 5))
        row6 = field(l, 2) == "06" ? l : row6;
    QCOMPARE(SimClient::fields(row6).mid(1),
             (QList<QByteArray>{"992351234", "06", "01", "02", "00", "", "3", "1", "02", "05", "",
                                "4", "R"}));

    // Both start slots -1: the instance is disabled; message 21 keeps its row.
    c.send("UPAAR,992351234,06,01,00,00,-1,6750,0,00,00,-1,6750,C");
    c.send("UPAAR,992351234,21,02,00,30,-1,6750,0,00,30,-1,6750,C");
    const QList<QByteArray> rows = c.query("AAR", 4);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(SimClient::fields(rows[1]).mid(1),
             (QList<QByteArray>{"992351234", "21", "02", "00", "30", "-1", "6750", "0", "00", "30",
                                "-1", "6750", "R"}));
    QCOMPARE(rowKeys(), (QList<QByteArray>{"21/01", "21/02", "08/01", "12/02"}));

    // Refused: minute 60, instance 5, an unknown message, a wrong MMSI, an
    // interval beyond what the unit keeps.
    c.send("UPAAR,992351234,14,01,00,60,10,6750,0,00,00,20,6750,C");
    c.send("UPAAR,992351234,14,05,00,00,10,6750,0,00,00,20,6750,C");
    c.send("UPAAR,992351234,07,01,00,00,10,6750,0,00,00,20,6750,C");
    c.send("UPAAR,111111111,14,01,00,00,10,6750,0,00,00,20,6750,C");
    c.send("UPAAR,992351234,14,01,00,00,10,3240001,0,00,00,20,6750,C");
    QCOMPARE(rowKeys(), (QList<QByteArray>{"21/01", "21/02", "08/01", "12/02"}));

    // The longest RATDMA interval the program keeps, 86400 minutes, fits.
    c.send("UPAAR,992351234,06,02,00,00,,5184000,1,00,00,,5184000,C");
    QByteArray longest;
    for (const QByteArray &l : c.query("AAR", 5))
        longest = field(l, 2) == "06" ? l : longest;
    QCOMPARE(field(longest, 7), QByteArray("86400"));
    c.send("UPAAR,992351234,06,02,00,00,-1,6750,0,00,00,-1,6750,C");

    // Message 14 variant 3 is instance 4.
    c.send("UPAAR,992351234,14,04,23,59,10,6750,0,23,58,20,6750,C");
    QCOMPARE(rowKeys(), (QList<QByteArray>{"21/01", "21/02", "08/01", "12/02", "14/04"}));
}

void TestUnitSim::shellCommandsAnswerWithAccessCodes()
{
    auto sim = startSimulator({"--fast", "--quiet"});
    QVERIFY(sim);
    SimClient c(sim->portPath());

    QByteArray a = c.shell("appver", 0);
    QVERIFY2(SimClient::checksumOk(a), a.constData());
    QCOMPARE(SimClient::fields(a),
             (QList<QByteArray>{"PVKX", "255", "appver", "0", "3.10AT.0417"}));
    QCOMPARE(SimClient::fields(c.shell("getserno", 3)),
             (QList<QByteArray>{"PVKX", "255", "getserno", "3", "VK0012345"}));
    QCOMPARE(SimClient::fields(c.shell("battvolts", 2, 3)),
             (QList<QByteArray>{"PVKX", "255", "battvolts", "2", "12.6"}));
    QCOMPARE(SimClient::fields(c.shell("reset", 5)),
             (QList<QByteArray>{"PVKX", "255", "reset", "5", "OK"}));
    QCOMPARE(field(c.shell("gpsfilt 0", 4), 1), QByteArray("255"));

    const QList<QByteArray> names{"limen",   "limvmin", "limvmax",  "limton",
                                  "limtoff", "limion",  "limigain", "limpthresh"};
    const QList<QByteArray> values{"1", "10500", "14500", "500", "1500", "25", "1", "247"};
    for (int i = 0; i < names.size(); ++i) {
        const QByteArray command = "nvgeti \"" + names[i] + '"';
        QCOMPARE(SimClient::fields(c.shell(command, 6 + i, 3)),
                 (QList<QByteArray>{"PVKX", "255", command, QByteArray::number(6 + i), values[i]}));
    }

    // The lantern set sentence as the program builds it; the answer echoes the command.
    const QByteArray set = "nvseti \"limvmax\"^2C24000^2C0^2C0^2C1";
    QCOMPARE(SimClient::fields(c.shell(set, 16, 3)),
             (QList<QByteArray>{"PVKX", "255", set, "16", "24000"}));
    QCOMPARE(field(c.shell("nvgeti \"limvmax\"", 8, 3), 4), QByteArray("24000"));
    QCOMPARE(sim->config().lantern[2], 24000);

    // A wrong access code, or one of another level, is refused.
    QCOMPARE(field(c.shell("appver", 0, 0, "0x6E2D9A42"), 1), QByteArray("1"));
    QCOMPARE(field(c.shell("battvolts", 2, 3, "0x6E2D9A41"), 1), QByteArray("1"));
    QCOMPARE(field(c.shell("battvolts", 2, 4, "0xD4716B5E"), 1), QByteArray("1"));
    // Writing the lantern store needs level 3.
    const QByteArray lowSet = "nvseti \"limen\"^2C0^2C0^2C0^2C1";
    QCOMPARE(field(c.shell(lowSet, 14, 0), 1), QByteArray("1"));
    QCOMPARE(sim->config().lantern[0], 1);
    // Unknown command, unknown parameter, a value that is not a number.
    QCOMPARE(field(c.shell("format disk", 9), 1), QByteArray("2"));
    QCOMPARE(field(c.shell("nvgeti \"limfoo\"", 9, 3), 1), QByteArray("3"));
    QCOMPARE(field(c.shell("nvseti \"limton\"^2Cabc^2C0^2C0^2C1", 17, 3), 1), QByteArray("3"));
    QCOMPARE(sim->config().lantern[3], 500);
    // A command with an escaped comma comes back exactly as sent.
    QCOMPARE(field(c.shell("echo a^2Cb", 30), 2), QByteArray("echo a^2Cb"));
}

void TestUnitSim::brokenInputChangesNothing()
{
    auto sim = startSimulator({"--fast", "--quiet"});
    QVERIFY(sim);
    SimClient c(sim->portPath());

    const QByteArray body = "UPAID,992351234,1,235000001,R,C";
    // Wrong checksum, no checksum, status R, a field too few, too long a line.
    c.sendRaw('$' + body + "*00\r\n");
    c.sendRaw('$' + body + "\r\n");
    c.send("UPAID,992351234,1,235000001,R,R");
    c.send("UPAID,992351234,235000001,R,C");
    const QByteArray longBody = "UPAID,992351234,1,235000001,R," + QByteArray(60, 'C');
    c.sendRaw('$' + longBody + '*' + SimClient::checksumOf(longBody) + "\r\n");
    // A run of noise without a line end, far longer than any line.
    c.sendRaw(QByteArray(20000, 'x'));
    c.sendRaw("\r\n");
    c.sendRaw(QByteArray("\x00\xff\x01$$$***,,,\r\n", 15));
    QCOMPARE(field(c.query("AID", 1).value(0), 1), QByteArray("992351234"));
    // Noise before the start character is skipped, as on a real line.
    c.sendRaw("garbage$" + body + '*' + SimClient::checksumOf(body) + "\r\n");
    QCOMPARE(field(c.query("AID", 1).value(0), 1), QByteArray("235000001"));
}

void TestUnitSim::stateFileSurvivesARestart()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
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
        QByteArray row8;
        for (const QByteArray &l : c.query("AAR", 5))
            row8 = field(l, 2) == "08" ? l : row8;
        QCOMPARE(SimClient::fields(row8).mid(1),
                 (QList<QByteArray>{"235000001", "08", "02", "01", "30", "", "5", "2", "01", "31",
                                    "", "6", "R"}));
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

    auto count = [](const QList<QByteArray> &lines, const QByteArray &prefix) {
        int n = 0;
        for (const QByteArray &l : lines)
            n += l.startsWith(prefix) ? 1 : 0;
        return n;
    };
    for (const QByteArray &l : a) {
        QVERIFY2(SimClient::checksumOk(l), l.constData());
        QVERIFY2(l.size() <= 82, l.constData());
    }

    // GPS once a second, with a running UTC time and a fix.
    QList<QByteArray> times;
    for (const QByteArray &l : a) {
        if (l.startsWith("$GPRMC,")) {
            times << field(l, 1);
            QCOMPARE(field(l, 2), QByteArray("A"));
            QCOMPARE(field(l, 4), QByteArray("N"));
            QCOMPARE(field(l, 6), QByteArray("W"));
            QCOMPARE(field(l, 12), QByteArray("A"));
        }
    }
    QVERIFY2(times.size() >= 3 && times.size() <= 5, QByteArray::number(times.size()).constData());
    for (int i = 1; i < times.size(); ++i)
        QVERIFY(times[i].toDouble() > times[i - 1].toDouble() || times[i].startsWith("00"));
    QVERIFY(count(a, "$GPGSA,A,3,") >= 3);
    QVERIFY(count(a, "$GPGSV,3,3,10,") >= 3);

    // A GPS text in numbered parts of one identifier.
    QList<QByteArray> parts;
    for (const QByteArray &l : a) {
        if (l.startsWith("$GPTXT,"))
            parts << l;
    }
    QCOMPARE(parts.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(field(parts[i], 1), QByteArray("03"));
        QCOMPARE(field(parts[i], 2).toInt(), i + 1);
        QCOMPARE(field(parts[i], 3), field(parts[0], 3));
    }

    // The unit's own message 21, decoded here from the bits.
    QByteArray vdo;
    for (const QByteArray &l : a)
        vdo = l.startsWith("!AIVDO,") ? l : vdo;
    QVERIFY(!vdo.isEmpty());
    QCOMPARE(SimClient::fields(vdo).mid(0, 5), (QList<QByteArray>{"AIVDO", "1", "1", "", "A"}));
    const QByteArray bits = payloadBits(field(vdo, 5));
    QCOMPARE((bits.size() - field(vdo, 6).toInt()) % 8, 0);
    QVERIFY(bits.size() >= 272);
    QCOMPARE(bitsAt(bits, 0, 6), quint64(21));
    QCOMPARE(bitsAt(bits, 8, 30), quint64(992351234));
    QCOMPARE(bitsAt(bits, 38, 5), quint64(13));
    QByteArray name;
    for (int i = 0; i < 20; ++i) {
        const int v = int(bitsAt(bits, 43 + 6 * i, 6));
        name += char(v < 32 ? v + 64 : v);
    }
    QCOMPARE(name, QByteArray("NORTH PIER, WEST HAR"));
    const qint64 lon =
        qint64(bitsAt(bits, 164, 28)) - (bitsAt(bits, 164, 1) ? (qint64(1) << 28) : 0);
    QCOMPARE(lon, -((1 * 60 + 6) * 10000LL + 2275));
    QCOMPARE(bitsAt(bits, 192, 27), quint64((50 * 60 + 47) * 10000LL + 4512));
    QCOMPARE(bitsAt(bits, 219, 9), quint64(5));
    QCOMPARE(bitsAt(bits, 263, 2), quint64(2)); // RACON operational
    QCOMPARE(bitsAt(bits, 265, 2), quint64(1)); // light on
    QCOMPARE(bitsAt(bits, 267, 1), quint64(0)); // healthy
    QCOMPARE(bitsAt(bits, 269, 1), quint64(0)); // a real aid
    QByteArray extension;
    for (int p = 272; p + 6 <= bits.size() && extension.size() < 13; p += 6) {
        const int v = int(bitsAt(bits, p, 6));
        extension += char(v < 32 ? v + 64 : v);
    }
    QCOMPARE(extension, QByteArray("BOUR ENTRANCE"));

    QCOMPARE(count(a, "$AIALR,"), 3);
    QVERIFY(count(a, "$AITXT,01,01,") >= 1);

    // Each switch takes away its own kind only.
    QCOMPARE(count(b, "$GP"), 3); // the GPS text alone
    QCOMPARE(count(b, "$GPTXT,"), 3);
    QCOMPARE(count(b, "$AIALR,"), 0);
    QCOMPARE(count(b, "!AIVDO,"), 1);
    QVERIFY(count(b, "$AITXT,") >= 1);
    QVERIFY(count(c, "$GPRMC,") >= 3);
    QCOMPARE(count(c, "$GPTXT,"), 0);
    QCOMPARE(count(c, "!AIVDO,"), 0);
    QCOMPARE(count(c, "$AITXT,"), 0);
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
        QCOMPARE(SimClient::fields(aid),
                 (QList<QByteArray>{"AIAID", "000000000", "1", "000000000", "R", "C"}));
        QCOMPARE(field(c.query("ACF", 1).value(0), 1), QByteArray("000000000"));
        QVERIFY(!SimClient::checksumOk(c.shell("appver", 0)));
        // Unsolicited lines are damaged too.
        const QList<QByteArray> gps = c.expect("$GPRMC,", 1, 1500);
        QVERIFY(!gps.isEmpty() && !SimClient::checksumOk(gps[0]));
        // The unit's own MMSI is unchanged; only its answers say otherwise.
        QCOMPARE(sim->config().mmsi, QStringLiteral("992351234"));
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--prompt"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        QCOMPARE(field(c.shell("appver", 0), 1), QByteArray("255"));
        // The prompt has no line end: it runs into the next line.
        c.send("UPAIQ,AID");
        QCOMPARE(c.expect(">$AIAID,", 1, 1500).size(), 1);
    }
    {
        auto sim = startSimulator({"--fast", "--quiet", "--missing-field"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        const QByteArray aid = c.query("AID", 1).value(0);
        QVERIFY(SimClient::checksumOk(aid));
        QCOMPARE(SimClient::fields(aid),
                 (QList<QByteArray>{"AIAID", "992351234", "1", "992351234", "R"}));
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
        c.drain(1100);
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
    c.drain(100);
    QList<QByteArray> lines = c.collect(1000);
    int valid = 0;
    int broken = 0;
    for (const QByteArray &l : lines)
        (SimClient::checksumOk(l) && l.size() <= 82 ? valid : broken)++;
    QVERIFY2(valid >= 150 && broken >= 150,
             qPrintable(QStringLiteral("%1 valid, %2 broken").arg(valid).arg(broken)));
    QVERIFY2(lines.size() <= 700, QByteArray::number(lines.size()).constData());
    // The unit still answers amid the flood.
    QCOMPARE(c.query("ACE", 2).size(), 2);

    // On a paced line a flood beyond the line's capacity does not hold the
    // answers back by more than a moment.
    auto paced = startSimulator({"--quiet", "--flood", "3000"});
    QVERIFY(paced);
    SimClient p(paced->portPath());
    p.drain(1000);
    QElapsedTimer t;
    t.start();
    QCOMPARE(p.query("AID", 1, 1000).size(), 1);
    QVERIFY2(t.elapsed() < 800, QByteArray::number(t.elapsed()).constData());
}

void TestUnitSim::linePacing()
{
    // Twelve AAR answers sets of four rows: about 2300 characters, 0.6 s at 38400 baud.
    for (bool fast : {false, true}) {
        auto sim = startSimulator(fast ? QStringList{"--quiet", "--fast"} : QStringList{"--quiet"});
        QVERIFY(sim);
        SimClient c(sim->portPath());
        c.drain(60);
        for (int i = 0; i < 12; ++i)
            c.send("UPAIQ,AAR");
        QElapsedTimer t;
        qint64 first = -1;
        qint64 bytes = 0;
        int got = 0;
        t.start();
        c.collect(5000, [&](const QList<QByteArray> &lines) {
            if (first < 0 && !lines.isEmpty())
                first = t.elapsed();
            got = lines.size();
            bytes = 0;
            for (int i = 1; i < lines.size(); ++i)
                bytes += lines[i].size() + 2;
            return got >= 48;
        });
        const qint64 span = t.elapsed() - first;
        const double lineTime = double(bytes) * 1000.0 / 3840.0;
        QCOMPARE(got, 48);
        if (fast) {
            QVERIFY2(span < lineTime / 3, qPrintable(QStringLiteral("fast: %1 ms").arg(span)));
        } else {
            QVERIFY2(
                span >= lineTime * 0.9 && span <= lineTime * 2.5 + 200,
                qPrintable(QStringLiteral("paced: %1 ms for %2 characters").arg(span).arg(bytes)));
        }
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
    QVERIFY(c.expect("$GPRMC,", 1, 1500).size() == 1);
}

void TestUnitSim::optionErrors()
{
    SimOptions o;
    QString error;
    bool help = false;
    QVERIFY(!o.parse({"--late-ms"}, &error, &help));
    QVERIFY(error.contains("--late-ms"));
    QVERIFY(!o.parse({"--flood", "lots"}, &error, &help));
    QVERIFY(!o.parse({"--close-after", "-1"}, &error, &help));
    QVERIFY(!o.parse({"--frobnicate"}, &error, &help));
    QVERIFY(!o.parse({"--no-answer", " "}, &error, &help));
    SimOptions q;
    QVERIFY(q.parse({"--quiet", "--no-answer", "AAR", "--no-answer", "appver", "--late-ms", "1200"},
                    &error, &help));
    QVERIFY(!q.gps && !q.gpsText && !q.vdo && !q.alarms && !q.aiText);
    QCOMPARE(q.noAnswer, (QStringList{"AAR", "appver"}));
    QCOMPARE(q.lateMs, 1200);
    QVERIFY(!help);
}

QTEST_GUILESS_MAIN(TestUnitSim)
#include "tst_unitsim.moc"
