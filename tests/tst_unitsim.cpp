// The unit simulator, driven over its pseudo-terminal as the program drives a
// docked unit, and the vandrel-unitsim program as a user or a script starts it.

#include "simoptions.h"
#include "support/ptypair.h"
#include "support/simprocess.h"
#include "support/testchecksum.h"
#include "unitsimulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The program's side of the line: opens the simulator's pseudo-terminal like
// a serial port and frames NMEA with the tests' own checksum, so that the
// simulator is checked against an independent implementation.
class SimClient
{
public:
    explicit SimClient(const QString &path) : m_line(path) {}
    bool hungUp() const { return m_line.hungUp(); }

    // "$body*HH" (or "!...") framed as the tests frame it.
    static QByteArray framed(const QByteArray &line)
    {
        return TestChecksum::Framed(QString::fromLatin1(line)).toLatin1();
    }
    static bool checksumOk(const QByteArray &line)
    {
        return (line.startsWith('$') || line.startsWith('!')) &&
               framed(line.left(line.lastIndexOf('*'))) == line;
    }
    // The line without its start character and checksum.
    static QByteArray body(const QByteArray &l) { return l.mid(1, l.lastIndexOf('*') - 1); }
    // Data field i of a received line (0: the address).
    static QByteArray field(const QByteArray &l, int i) { return body(l).split(',').value(i); }

    void sendRaw(const QByteArray &bytes) { m_line.write(bytes); }
    void send(const QByteArray &body) { sendRaw(framed('$' + body) + "\r\n"); }

    // Lines starting with prefix, for ms milliseconds or until count of them came.
    QList<QByteArray> collect(int ms, const QByteArray &prefix = {}, int count = INT_MAX)
    {
        QList<QByteArray> lines;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms && lines.size() < count) {
            m_pending += m_line.readUntil("\n", int(ms - t.elapsed()));
            for (int nl; (nl = m_pending.indexOf('\n')) >= 0; m_pending.remove(0, nl + 1)) {
                const QByteArray line = m_pending.left(nl).trimmed();
                if (line.startsWith(prefix))
                    lines << line;
            }
        }
        return lines;
    }
    QList<QByteArray> query(const QByteArray &formatter, int count)
    {
        send("UPAIQ," + formatter);
        return collect(1500, "$AI" + formatter + ',', count);
    }
    // A shell command as the program sends it; an empty code is the right
    // one for the level.
    static QByteArray shellSentence(const QByteArray &command, int tag, int level,
                                    QByteArray code = QByteArray())
    {
        static const char *codes[] = {"0x6E2D9A41", "0x8B47F2D0", "0x19C5E3A7", "0xD4716B5E"};
        if (code.isEmpty())
            code = codes[qBound(0, level, 3)];
        return "PVKX,0," + QByteArray::number(level) + ',' + code + ",1," + command + ',' +
               QByteArray::number(tag);
    }
    // Sends a shell command and returns its answer (empty when none came).
    QByteArray shell(const QByteArray &command, int tag, int level)
    {
        send(shellSentence(command, tag, level));
        return collect(1500, "$PVKX,", 1).value(0);
    }

    // Runs the event loop and reads what arrives for ms milliseconds.
    void pump(int ms) { m_pending += m_line.readFor(ms); }

private:
    PtyPair m_line;
    QByteArray m_pending;
};

const auto field = SimClient::field;

// A simulator and the test's end of its line; sim is empty when it did not start.
struct Unit
{
    explicit Unit(const QStringList &args, QString *error = nullptr)
    {
        SimOptions options;
        QString why;
        bool help = false;
        if (options.parse(args, &why, &help))
            sim = std::make_unique<UnitSimulator>(options);
        if (sim && sim->start(&why))
            line = std::make_unique<SimClient>(sim->portPath());
        else
            sim.reset();
        if (error)
            *error = why;
    }
    std::unique_ptr<UnitSimulator> sim;
    std::unique_ptr<SimClient> line;
};

int count(const QList<QByteArray> &lines, const QByteArray &prefix)
{
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const QByteArray &l) { return l.startsWith(prefix); }));
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
    void stateFileSurvivesARestart();
    void anotherUnitDockedDuringASend();
    void unsolicitedTrafficAndItsSwitches();
    void flood();
    void lateAnswersAtTheLinePace();
    void badArguments();
    void portLineAndLink();
};

void TestUnitSim::answers_data()
{
    // The options, what is sent (framed here unless it ends a line of its
    // own), and every answer in order.
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::addColumn<QList<QByteArray>>("expected");
    using B = QList<QByteArray>;
    auto row = [](const char *name, const B &sent, const B &expected,
                  const QStringList &options = {}) {
        QTest::newRow(name) << options << sent << expected;
    };

    // ACF names the new MMSI; afterwards one naming the old is ignored. Noise
    // before the start character is skipped.
    row("unconfigured takes an MMSI",
        {"UPAIQ,AID", "garbage" + SimClient::framed("$UPAID,000000000,1,123456789,R,C") + "\r\n",
         "UPACF,123456789,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,5,0,C",
         "UPACF,000000000,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,7,0,C", "UPAIQ,ACF"},
        {"AIAID,000000000,1,000000000,R,R",
         "AIACF,123456789,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,5,0,R"},
        {"--unconfigured"});
    // Another MMSI, eight digits, status R, a field too few, too long, a
    // wrong or no checksum, endless and binary noise: nothing changes. An
    // unknown query and another talker's go unanswered.
    const QByteArray newAid = "UPAID,992351234,1,235000001,R,C";
    row("AID not taken",
        {"UPAID,111111111,1,235000001,R,C", "UPAID,992351234,1,23500001,R,C",
         "UPAID,992351234,1,235000001,R,R", "UPAID,992351234,235000001,R,C",
         newAid + QByteArray(60, 'C'), '$' + newAid + "*00\r\n", '$' + newAid + "\r\n",
         QByteArray(20000, 'x') + "\r\n", QByteArray("\x00\xff\x01$$$***,,,\r\n", 15), "UPAIQ,XYZ",
         "UPGPQ,AID", "UPAIQ,AID"},
        {Aid});

    // 32 escaped characters fit: the sample's name continuation goes.
    const QByteArray ace32 =
        "UPACE,992351234,E0,0050,1,0,1,ABCDEFGHIJKLMNOPQRSTUVWXY^2C1234,0010010101,C";
    row("ACE applied", {ace32, "UPAIQ,ACE"}, {echo(ace32)});

    // Variant 3 of 14 is instance 4; the longest RATDMA interval arrives in
    // seconds and is answered in minutes; both start slots -1 disable an instance.
    const QByteArray aar14 = "UPAAR,992351234,14,04,23,59,10,6750,0,23,58,20,6750,C";
    row("AAR applied",
        {aar14, "UPAAR,992351234,06,02,00,00,,5184000,1,00,00,,5184000,C",
         "UPAAR,992351234,06,01,00,00,-1,6750,0,00,00,-1,6750,C", "UPAIQ,AAR"},
        {Aar21, Aar21b, "AIAAR,992351234,06,02,00,00,,86400,1,00,00,,86400,R", Aar12, echo(aar14)});

    // Values the unit could not keep are refused as a whole: latitude 92,
    // minute 60, accuracy 2, a five-digit channel, dimensions not ten digits,
    // AAR minute 60, instance 10, an interval too long, message 7.
    const QString acf = "UPACF,992351234,2,%1,N,00000.0000,E,%2,%3,2088,%3,2088,1,0,0,C";
    const QString aar = "UPAAR,992351234,%1,%2,00,%3,10,%4,0,00,00,20,6750,C";
    row("refused",
        {acf.arg("9200.0000", "1", "2087").toLatin1(), acf.arg("1060.0000", "1", "2087").toLatin1(),
         acf.arg("0000.0000", "2", "2087").toLatin1(),
         acf.arg("0000.0000", "1", "20870").toLatin1(),
         "UPACE,992351234,E8,0999,1,0,1,X,00100101,C", aar.arg("14", "01", "60", "6750").toLatin1(),
         aar.arg("14", "10", "00", "6750").toLatin1(),
         aar.arg("14", "01", "00", "3240001").toLatin1(),
         aar.arg("07", "01", "00", "6750").toLatin1(), "UPAIQ,ACF", "UPAIQ,ACE", "UPAIQ,AAR"},
        {Acf, Ace1, Ace2, Aar21, Aar21b, Aar6, Aar12});

    // Shell commands and their answers: 255 when done; 1 refused access,
    // 2 unknown command, 3 bad argument.
    B commands;
    B replies;
    auto shell = [&](const QByteArray &command, int level, const QByteArray &result,
                     const QByteArray &answer, const QByteArray &code = {}) {
        const QByteArray tag = QByteArray::number(commands.size() + 1);
        commands << SimClient::shellSentence(command, tag.toInt(), level, code);
        replies << "PVKX," + result + ',' + command + ',' + tag + ',' + answer;
    };
    shell("appver", 0, "255", "3.10AT.0417");
    shell("getserno", 0, "255", "VK0012345");
    shell("reset", 0, "255", "OK");
    shell("gpsfilt 0", 0, "255", "OK");
    // Refused, changing nothing: a wrong code, one of another level, a level
    // without a code, writing below level 3, unknown commands and parameters,
    // not a number.
    shell("appver", 0, "1", "ACCESS DENIED", "0x6E2D9A42");
    shell("battvolts", 3, "1", "ACCESS DENIED", "0x6E2D9A41");
    shell("battvolts", 4, "1", "ACCESS DENIED", "0xD4716B5E");
    shell("nvseti \"limen\"^2C0^2C0^2C0^2C1", 0, "1", "ACCESS DENIED");
    shell("format disk", 0, "2", "UNKNOWN COMMAND");
    shell("nvgeti \"limfoo\"", 3, "3", "BAD ARGUMENT");
    shell("nvseti \"limton\"^2Cabc^2C0^2C0^2C1", 3, "3", "BAD ARGUMENT");
    shell("nvgeti \"limen\"", 3, "255", "1");
    shell("nvgeti \"limton\"", 3, "255", "500");
    row("shell", commands, replies);

    // Fault switches, with appver and getserno from above (a switch naming
    // what goes unanswered is shown by the command-line program's failures).
    // Sets naming the unit's own MMSI still apply.
    const QByteArray acfSet =
        "UPACF,992351234,7,3330.0000,S,00415.0000,W,0,2001,2002,2001,2002,1,25,3,C";
    row("damaged answers", {commands[0], acfSet, "UPAIQ,AID", "UPAIQ,ACF"},
        {replies[0], "AIAID,000000000,1,000000000,R,C",
         QByteArray(acfSet).replace("UPACF,992351234", "AIACF,000000000")},
        {"--corrupt-checksums", "--zero-mmsi", "--answer-status-c"});
    // The prompt after a shell answer has no line end: it runs into the next.
    // Out of its dock the unit leaves only getserno unanswered.
    // Rows of message 25 and of message 6, instance 5 are kept and taken
    // like any other; answers that contradict each other come after the first.
    row("unusual rows, contradicting answers",
        {"UPAAR,992351234,25,01,00,00,401,6750,0,00,02,1400,6750,C", "UPAIQ,AID", "UPAIQ,ACF",
         "UPAIQ,ACE", "UPAIQ,AAR"},
        {"AIAID,992351234,1,992351234,V,R", Acf,
         QByteArray(Acf).replace("AIACF,992351234,1,", "AIACF,992351234,2,"), Ace1, Ace2,
         "AIACE,992351234,E8,0076,1,0,1,,0050050303,R", Aar21, Aar21b, Aar6,
         "AIAAR,992351234,06,05,00,00,410,6750,0,00,02,1410,6750,R", Aar12,
         "AIAAR,992351234,25,01,00,00,401,6750,0,00,02,1400,6750,R",
         QByteArray(Aar21b).replace(",300,", ",307,")},
        {"--extra-row", "25/1", "--extra-row", "6/5", "--bad-answer", "aid-mode-v", "--bad-answer",
         "two-acf", "--bad-answer", "two-ace", "--bad-answer", "contradicting-row"});
    // A unit still starting up leaves the first question unanswered.
    row("first question unanswered", {"UPAIQ,AID", commands[1], "UPAIQ,AID", commands[1]},
        {Aid, replies[1]}, {"--no-answer-first", "AID", "--no-answer-first", "getserno"});
    row("prompt, missing field, docked out", {commands[1], commands[0], "UPAIQ,AID", "UPAIQ,ACF"},
        {replies[0], ">AIAID,992351234,1,992351234,R", Acf.chopped(2)},
        {"--prompt", "--missing-field", "--dock-out-after", "0"});
}

void TestUnitSim::answers()
{
    QFETCH(QStringList, options);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(QList<QByteArray>, expected);
    Unit u(QStringList{"--fast", "--quiet"} + options);
    QVERIFY(u.sim);
    for (const QByteArray &s : sent)
        s.endsWith('\n') ? u.line->sendRaw(s) : u.line->send(s);
    // One more than expected is waited for, to see that nothing else follows.
    const QList<QByteArray> got = u.line->collect(700, {}, expected.size() + 1);
    const bool corrupt = options.contains("--corrupt-checksums");
    QList<QByteArray> bodies;
    for (const QByteArray &l : got) {
        const QByteArray prompt = l.startsWith('>') ? ">" : "";
        const QByteArray line = l.mid(prompt.size());
        QVERIFY2(SimClient::checksumOk(line) != corrupt && line.size() <= 80, l.constData());
        bodies << prompt + SimClient::body(line);
    }
    QCOMPARE(bodies, expected);
}

void TestUnitSim::stateFileSurvivesARestart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("unit.json");
    {
        Unit u({"--fast", "--quiet", "--state", path});
        QVERIFY(u.sim);
        // A missing state file is created at the start.
        QVERIFY(QFile::exists(path));
        u.line->send("UPAID,992351234,1,235000001,R,C");
        u.line->send("UPACE,235000001,E0,0050,1,0,1,,0010010101,C");
        u.line->send("UPACE,235000001,,,,,,HARBOUR^2C LIGHT N^B04 ^7E WEST^0ASIDE,,C");
        QCOMPARE(field(u.line->shell("nvseti \"limton\"^2C750^2C0^2C0^2C1", 17, 3), 4),
                 QByteArray("750"));
    }
    {
        // --unconfigured does not override a state that exists.
        Unit u({"--fast", "--quiet", "--unconfigured", "--state", path});
        QVERIFY(u.sim);
        QCOMPARE(field(u.line->query("AID", 1).value(0), 1), QByteArray("235000001"));
        // Escaped characters outside printable ASCII come back as sent.
        QCOMPARE(field(u.line->query("ACE", 2).value(1), 7),
                 QByteArray("HARBOUR^2C LIGHT N^B04 ^7E WEST^0ASIDE"));
        QCOMPARE(field(u.line->shell("nvgeti \"limton\"", 9, 3), 4), QByteArray("750"));
    }
    // A state file that cannot be read stops the start and is left as it was.
    for (const QByteArray &bad :
         {QByteArray("{ \"mmsi\": \"12"), QByteArray("{\"mmsi\": \"992351234\"}")}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bad) == bad.size());
        f.close();
        QString error;
        QVERIFY(!Unit({"--fast", "--quiet", "--state", path}, &error).sim);
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bad);
    }
}

// The first unit keeps what it took before the swap; the second takes the
// lantern commands after it, and no sentence addressed to the first.
void TestUnitSim::anotherUnitDockedDuringASend()
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.json");
    const QString second = dir.filePath("second.json");
    Unit u({"--fast", "--quiet", "--state", first, "--swap-after", "2", "--swap-state", second});
    QVERIFY(u.sim);
    QCOMPARE(field(u.line->shell("getserno", 3, 0), 4), QByteArray("VK0012345"));
    u.line->send("UPACE,992351234,E0,0042,1,0,1,,0010010101,C");
    QCOMPARE(field(u.line->shell("nvseti \"limton\"^2C750^2C0^2C0^2C1", 17, 3), 4),
             QByteArray("750"));
    QCOMPARE(field(u.line->shell("getserno", 3, 0), 4), QByteArray("VK0099999"));
    QCOMPARE(field(u.line->shell("nvseti \"limtoff\"^2C900^2C0^2C0^2C1", 18, 3), 4),
             QByteArray("900"));
    u.line->send("UPACE,992351234,E0,0043,1,0,1,,0010010101,C");
    QCOMPARE(field(u.line->query("AID", 1).value(0), 1), QByteArray("992359999"));

    const auto state = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object()
                                           : QJsonObject();
    };
    const QJsonObject a = state(first), b = state(second);
    QCOMPARE(a["ace"]["offPositionThreshold"].toInt(), 42);
    QCOMPARE(a["lantern"]["limton"].toInt(), 750);
    QCOMPARE(a["lantern"]["limtoff"].toInt(), 1500);
    QCOMPARE(b["shell"]["serialNumber"].toString(), QStringLiteral("VK0099999"));
    QCOMPARE(b["ace"]["offPositionThreshold"].toInt(), 75);
    QCOMPARE(b["lantern"]["limton"].toInt(), 500);
    QCOMPARE(b["lantern"]["limtoff"].toInt(), 900);
}

void TestUnitSim::unsolicitedTrafficAndItsSwitches()
{
    // Three units at once, so that the waits overlap.
    Unit all({"--fast"});
    Unit noGps({"--fast", "--no-gps", "--no-alr", "--dock-out-after", "2"});
    Unit fewer({"--fast", "--no-gps-text", "--no-vdo", "--no-ai-text", "--corrupt-checksums"});
    QVERIFY(all.sim && noGps.sim && fewer.sim);
    const QDateTime started = QDateTime::currentDateTimeUtc();
    // Taken from its dock after two seconds: getserno is answered only before.
    noGps.line->send(SimClient::shellSentence("getserno", 1, 0));
    const QList<QByteArray> a = all.line->collect(3700);
    noGps.line->send(SimClient::shellSentence("getserno", 2, 0));
    const QList<QByteArray> b = noGps.line->collect(300);
    const QList<QByteArray> c = fewer.line->collect(100);

    // GPS once a second, with a running UTC time and a fix.
    QList<QTime> times;
    QList<QByteArray> parts;
    QByteArray vdo;
    for (const QByteArray &l : a) {
        QVERIFY2(SimClient::checksumOk(l) && l.size() <= 80, l.constData());
        if (l.startsWith("$GPRMC,")) {
            const QByteArray hms = field(l, 1);
            times << QTime::fromString(hms.left(6), "hhmmss").addMSecs(hms.mid(7).toInt() * 10);
            QCOMPARE(field(l, 2) + field(l, 4) + field(l, 6) + field(l, 12), QByteArray("ANWA"));
        }
        parts << (l.startsWith("$GPTXT,") ? QList<QByteArray>{l} : QList<QByteArray>{});
        vdo = l.startsWith("!AIVDO,") ? l : vdo;
    }
    QVERIFY2(times.size() >= 3 && times.size() <= 5, QByteArray::number(times.size()).constData());
    for (int i = 0; i < times.size(); ++i) {
        // Running, and close to the clock's UTC (also across midnight).
        const QTime before = i ? times[i - 1] : started.time();
        const int step = (before.msecsTo(times[i]) + 86400000 + 1000) % 86400000 - 1000;
        QVERIFY2(step > (i ? 0 : -1000) && step < 3000, qPrintable(times[i].toString()));
    }
    QVERIFY(count(a, "$GPGSA,A,3,") >= 3 && count(a, "$GPGSV,3,3,10,") >= 3);
    // A GPS text in numbered parts of one identifier.
    QCOMPARE(parts.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(field(parts[i], 1) + field(parts[i], 2) + field(parts[i], 3),
                 "030" + QByteArray::number(i + 1) + field(parts[0], 3));

    // The unit's own message 21 (decoded where the status tab shows it).
    QVERIFY2(vdo.startsWith("!AIVDO,1,1,,A,"), vdo.constData());
    QVERIFY(count(a, "$AITXT,01,01,") >= 1 && count(b, "$AITXT,") >= 1);

    // Each switch takes away its own kind only: alarms, GPS but its text,
    // then the texts and VDO.
    QCOMPARE(QList<int>({count(a, "$AIALR,"), count(b, "$AIALR,"), count(b, "$GP"),
                         count(b, "$GPTXT,"), count(b, "!AIVDO,"), count(c, "$AIALR,"),
                         count(c, "$GPTXT,") + count(c, "!AIVDO,") + count(c, "$AITXT,")}),
             QList<int>({4, 0, 3, 3, 1, 4, 0}));
    QVERIFY(count(c, "$GPRMC,") >= 3);
    QCOMPARE(count(b, "$PVKX,"), 1); // the answer before the dock-out alone
    QCOMPARE(count(b, "$PVKX,255,getserno,1,"), 1);
    // Damaged checksums reach the unasked lines too.
    for (const QByteArray &l : c)
        QVERIFY2(!SimClient::checksumOk(l), l.constData());
}

void TestUnitSim::flood()
{
    Unit u({"--fast", "--quiet", "--flood", "500"});
    QVERIFY(u.sim);
    u.line->collect(100);
    const QList<QByteArray> lines = u.line->collect(1000);
    int valid = 0;
    for (const QByteArray &l : lines)
        valid += SimClient::checksumOk(l) && l.size() <= 80 ? 1 : 0;
    QVERIFY2(valid >= 150 && lines.size() - valid >= 150 && lines.size() <= 700,
             qPrintable(QString("%1 valid of %2").arg(valid).arg(lines.size())));
}

void TestUnitSim::lateAnswersAtTheLinePace()
{
    // Twelve AAR answers of four rows, 1.3 s late: about 2300 characters,
    // 0.6 s at 38400 baud, timed from the first line on. (The flood shows
    // --fast unpaced.)
    Unit u({"--quiet", "--late-ms", "1300"});
    QVERIFY(u.sim);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 12; ++i)
        u.line->send("UPAIQ,AAR");
    QList<QByteArray> lines = u.line->collect(5000, {}, 1);
    QVERIFY2(t.elapsed() >= 1290 && t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
    t.restart();
    lines += u.line->collect(5000, {}, 48 - lines.size());
    const qint64 span = t.elapsed();
    qint64 bytes = 0;
    for (int i = 1; i < lines.size(); ++i)
        bytes += lines[i].size() + 2;
    const double lineTime = double(bytes) * 1000.0 / 3840.0;
    QCOMPARE(lines.size(), 48);
    QVERIFY2(span >= lineTime * 0.9 && span <= lineTime * 2.5 + 200,
             qPrintable(QString("%1 ms for %2 characters").arg(span).arg(bytes)));
}

void TestUnitSim::badArguments()
{
    // (--help and --version are run on the installed program.) A bad
    // argument: exit code 2 and a message naming it, nothing else (the last
    // value is blank).
    QProcess p;
    for (const char *line : {"--late-ms", "--flood lots", "--close-after -1", "--frobnicate",
                             "--no-answer \t", "--mmsi 23500077", "--serial \t"}) {
        const QStringList bad = QString(line).split(' ');
        p.start(QStringLiteral(VANDREL_UNITSIM), bad);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains(bad[0].toLatin1()));
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
}

void TestUnitSim::portLineAndLink()
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

    // A parent killed before its cleanup (a test or script at its time limit)
    // takes the unit with it, and the unit still removes its link.
    QProcess parent;
    parent.start("/bin/sh", {"-c", "\"$0\" --quiet --link \"$1\" & echo $!; wait",
                             QStringLiteral(VANDREL_UNITSIM), link});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 5000);
    // Not left running should it outlive its parent.
    const struct Orphan
    {
        pid_t pid;
        QString link;
        ~Orphan()
        {
            if (pid > 0 && QFileInfo(link).isSymLink())
                ::kill(pid, SIGKILL);
        }
    } orphan{pid_t(parent.readLine().trimmed().toInt()), link};
    parent.kill();
    QVERIFY(parent.waitForFinished(3000));
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo(link).isSymLink(), 5000);

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

QTEST_GUILESS_MAIN(TestUnitSim)
#include "tst_unitsim.moc"
