#include "app/configurationcheck.h"
#include "lim/lanterninterface.h"
#include "model/decimaltext.h"
#include "model/model.h"
#include "model/padfile.h"
#include "support/schedulerows.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Offsets in a file: name length, the schedule's row count.
const int NameAt = 4 + 4 + 53 + 4 + 16 + 20 + 1 + 12;
const int CountAt = NameAt + 12 + 16 + 4;

// The file bytes, packed by hand so that the check does not lean on the
// stream code that the model uses.
class Bytes
{
public:
    Bytes &Big(quint64 u, int size)
    {
        for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
            data.append(char((u >> shift) & 0xFF));
        return *this;
    }
    Bytes &Int32(qint32 value) { return Big(quint32(value), 4); }
    Bytes &Bool(bool value) { return Big(value ? 1 : 0, 1); }
    Bytes &Double(double value)
    {
        quint64 u = 0;
        std::memcpy(&u, &value, sizeof u);
        return Big(u, 8);
    }
    Bytes &String(const QString &text)
    {
        Int32(text.isNull() ? -1 : text.size() * 2);
        for (QChar c : text)
            Big(c.unicode(), 2);
        return *this;
    }
    // FATDMA, start 00:00 on both channels, interval 6750.
    Bytes &Row(int message, int slot, bool active)
    {
        Int32(message).Int32(0).Int32(0).Int32(slot).Int32(6750);
        return Int32(0).Int32(slot).Int32(6750).Bool(active).Int32(0);
    }
    QByteArray data;
};

QByteArray DefaultFileByHand()
{
    Bytes b;
    b.Int32(2).Int32(2);                                  // Model, AtoN
    b.Int32(2).String("000000000").String("000000000");   // AtoNMMSI
    b.Int32(0).Bool(true);                                // aidMode, aidFlag
    b.Int32(1).Double(91.0).Double(181.0);                // typeOfEPFS, position
    b.Int32(0).Int32(2087).Int32(2088).Int32(0).Int32(0); // accuracy .. acfField14
    b.Bool(false).Int32(50).Int32(0).Int32(1);            // racon .. aceField6
    b.String("ATON").Int32(1).Int32(1).Int32(1).Int32(1); // name, dimensions
    b.Int32(2).Int32(1).Row(21, 0, true);                 // MessageSchedule
    b.Int32(2).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0);
    return b.data;
}

// A default file whose row count field says count, followed by rows real rows.
QByteArray WithRows(int count, int rows)
{
    const QByteArray bytes = PadFile::ToBytes(Model());
    Bytes b;
    b.Int32(count);
    for (int i = 0; i < rows; ++i)
        b.Row(i % 2 ? 6 : 21, i, i % 3 != 0);
    return bytes.left(CountAt) + b.data + bytes.right(36);
}

// Models that stress the file form: 0 extremes and a null text, 1 non-ASCII
// and a busy schedule. Schedules of 0 to 18 rows go through rowCounts.
void Vary(Model &model, int variant)
{
    AtoN *aton = model.GetAtoN();
    AtoNMMSI *mmsi = aton->GetAtoNMMSI();
    MessageSchedule *schedule = model.GetMessageSchedule();
    LanternInterface *lantern = model.GetLanternInterface();
    if (variant == 0) {
        mmsi->SetMmsi("999999999");
        mmsi->SetNewMmsi(QString());
        mmsi->SetAidMode(INT_MIN);
        mmsi->SetAidFlag(false);
        aton->GetPosition()->SetLatitude(-90.0);
        aton->GetPosition()->SetLongitude(180.0);
        aton->SetRacon(true);
        aton->SetName(QString(40, 'W')); // cut to 34 by the setter
        const QList<void (AtoN::*)(int)> setters = {
            &AtoN::SetTypeOfEPFS, &AtoN::SetPositionAccuracy, &AtoN::SetChannel1,
            &AtoN::SetChannel2,   &AtoN::SetTypeOfAtoN,       &AtoN::SetAcfField14,
            &AtoN::SetAceField5,  &AtoN::SetAceField6,        &AtoN::SetOffPositionThreshold,
            &AtoN::SetDimensionA, &AtoN::SetDimensionB,       &AtoN::SetDimensionC,
            &AtoN::SetDimensionD};
        const int extremes[] = {INT_MAX, INT_MIN, -1, 31};
        for (int i = 0; i < setters.size(); ++i)
            (aton->*setters[i])(extremes[i % 4]);
        for (int i = 0; i < LanternInterface::ParameterCount; ++i)
            lantern->SetParameterValue(i, i % 2 ? INT_MIN : INT_MAX);
    } else {
        aton->SetName(QString::fromUtf8("Leuchtfeuer Großer Vogelsand \xC3\xB8\xE2\x82\xAC"));
        aton->GetPosition()->SetLatitude(53.9123456789);
        aton->GetPosition()->SetLongitude(-8.123456789);
        int row = 0;
        for (int number : {6, 6, 6, 6, 8, 12, 112, 212, 312, 14, 114, 214, 314})
            QVERIFY(schedule->AddMessage(number, row));
        QVERIFY(schedule->EnableReport(1));
        MessageScheduleEntry entry = schedule->EntryAt(3);
        entry.SetAccessScheme(MessageScheduleEntry::CSTDMA);
        entry.SetStartTime1(QTime(23, 59, 59, 999));
        entry.SetStartTime2(QTime(12, 34));
        entry.SetStartSlot1(2249);
        entry.SetInterval1(86400);
        entry.SetSpareValue(INT_MIN);
        QVERIFY(schedule->SetEntry(3, entry));
    }
}

// A free row, whether it switches the unit's row off or leaves it alone.
bool IsFree(const MessageSchedule &schedule, int row, int message)
{
    MessageScheduleEntry entry = schedule.EntryAt(row);
    entry.SetSpecified(true);
    return row < schedule.Count() && entry == MessageScheduleEntry::Placeholder(message);
}

// Active flag, access scheme and the two start slots of a row.
QList<int> Head(const MessageSchedule &schedule, int row)
{
    const MessageScheduleEntry e = schedule.EntryAt(row);
    return {e.Active(), e.AccessScheme(), e.StartSlot1(), e.StartSlot2()};
}

// The row that AddMessage or PrepareRow chose, or -1.
int Add(MessageSchedule &schedule, int number)
{
    int row = -1;
    return schedule.AddMessage(number, row) ? row : -1;
}
int Prepare(MessageSchedule &schedule, int number, int instance)
{
    int row = -1;
    return schedule.PrepareRow(number, instance, row) ? row : -1;
}

} // namespace

// Records of the configuration and the message schedule's rows; whole models
// through their file form.
class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void decimalTextWritesAsTheFramework()
    {
        // Halfway values (k/32, k/4, k + 1/2) are where rounding rules part.
        QList<double> values{0.0,      -0.0, 0.03125, 0.25,     0.75, 1.25,  2.5,     0.125,
                             59.99995, 9.5,  99.95,   999.9995, 1e15, -1.25, qQNaN(), qInf()};
        quint32 seed = 12345;
        for (int i = 0; i < 2000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            values << (seed % 3600000) / 10000.0 << (seed % 4096) / 32.0;
        }
        for (double value : values) {
            for (int decimals = 0; decimals <= 5; ++decimals) {
                for (int width : {0, 2, 6}) {
                    const QString expected =
                        QStringLiteral("%1").arg(value, width, 'f', decimals, QLatin1Char('0'));
                    QCOMPARE(DecimalText::Fixed(value, decimals, width), expected);
                }
            }
        }
    }
    void nameKeepsFirst34Characters_data();
    void nameKeepsFirst34Characters();
    void lanternConversions();
    void positionRangesAndNotAvailable();
    void positionFormats_data();
    void positionFormats();
    void positionParseText_data();
    void positionParseText();
    void positionTextRoundTrip();
    void configurationCheck_data();
    void configurationCheck();
    void slotClash_data();
    void slotClash();
    void setEntryClampsIntervals();
    void addRemoveAndReports();
    void tableRowMapping();
    void prepareRowAndShortSchedules();
    void rowsLeftToTheUnit();
    void defaultFileWriteReadAssignAndReset();
    void rowCounts_data();
    void rowCounts();
    void readRulesOfTheFileForm();
    void truncatedFileIsRefusedAtEveryOffset();
    void filesOnDisk();
};

void TestModel::nameKeepsFirst34Characters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");
    const QString forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    QTest::newRow("40") << forty << forty.left(34);
    QTest::newRow("characters, not bytes") << QString(40, QChar(0xE4)) << QString(34, QChar(0xE4));
    // A surrogate pair that straddles the cut is dropped whole.
    QTest::newRow("pair across the cut") << QString(33, 'x') + clef + "yy" << QString(33, 'x');
    QTest::newRow("pair before the cut")
        << QString(32, 'x') + clef + "yy" << QString(32, 'x') + clef;
}

void TestModel::nameKeepsFirst34Characters()
{
    QFETCH(QString, name);
    AtoN aton;
    aton.SetName(name);
    QTEST(aton.Name(), "kept");
}

void TestModel::lanternConversions()
{
    // Typical values are checked where the lantern tab converts what is typed;
    // here the edges.
    LanternInterface lantern;
    QVERIFY(!lantern.SetParameterValue(LanternInterface::ParameterCount, 1));
    using L = LanternInterface;
    const QList<QPair<int, int>> whole = {
        {L::MillivoltsFromVolts(-1.0004), -1000},
        {L::MillivoltsFromVolts(32.3), 32300},
        {L::OnCurrentFromAmperes(0.5), 250},
        {L::ThresholdFromLux(0), 0},
        {L::LuxFromThreshold(0), 0},
        // Values beyond int are held to its ends rather than converted blindly.
        {L::MillivoltsFromVolts(1e12), INT_MAX},
        {L::MillivoltsFromVolts(-1e12), INT_MIN},
        {L::MillisecondsFromSeconds(qQNaN()), 0},
        {L::ThresholdFromLux(qInf()), INT_MAX},
    };
    for (int i = 0; i < whole.size(); ++i)
        QVERIFY2(whole[i].first == whole[i].second, qPrintable(QString::number(i)));
    // Every step the unit stores comes back from its value in volts,
    // seconds, amperes or amperes per second as the same step.
    for (int step = 0; step <= 33000; ++step) {
        QCOMPARE(L::MillivoltsFromVolts(L::VoltsFromMillivolts(step)), step);
        QCOMPARE(L::MillisecondsFromSeconds(L::SecondsFromMilliseconds(step)), step);
        QCOMPARE(L::OnCurrentFromAmperes(L::AmperesFromOnCurrent(step)), step);
        QCOMPARE(L::SlewRateFromAmperesPerSecond(L::AmperesPerSecondFromSlewRate(step)), step);
    }
}

void TestModel::positionRangesAndNotAvailable()
{
    GeoPosition position;
    const QString blank = "__° __' __._\"";
    QCOMPARE(position.LatitudeDms() + position.LongitudeDms(), blank + " N" + blank + " E");
    // value, stored latitude, stored longitude
    const double cases[][3] = {{90.0, 90.0, 90.0},     {90.0001, 91.0, 90.0001},
                               {-90.0, -90.0, -90.0},  {-90.5, 91.0, -90.5},
                               {180.0, 91.0, 180.0},   {-180.0, 91.0, -180.0},
                               {180.001, 91.0, 181.0}, {-1e300, 91.0, 181.0},
                               {qQNaN(), 91.0, 181.0}, {qInf(), 91.0, 181.0}};
    for (const auto &c : cases) {
        position.SetLatitude(c[0]);
        position.SetLongitude(c[0]);
        QCOMPARE(position.Latitude(), c[1]);
        QCOMPARE(position.Longitude(), c[2]);
    }
}

void TestModel::positionFormats_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("texts");
    // Rounded to what is shown, a value just below the next degree carries
    // into it: never 60 minutes or seconds.
    QTest::newRow("degree carry")
        << -33.9999995 << 179.99999999
        << "34° 00' 0.0\" S|180° 00' 0.0\" E|34° 0.0000' S|180° 0.0000' E";
    QTest::newRow("seconds") << 1.0 + 2.0 / 60 + 3.5 / 3600 << -179.999
                             << "01° 02' 3.5\" N|179° 59' 56.4\" W|01° 2.0583' N|179° 59.9400' W";
    QTest::newRow("tenths carry")
        << 59.999986 << -0.0000139
        << "59° 59' 59.9\" N|000° 00' 0.1\" W|59° 59.9992' N|000° 0.0008' W";
}

void TestModel::positionFormats()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    GeoPosition p;
    p.SetLatitude(latitude);
    p.SetLongitude(longitude);
    QTEST(
        QStringList({p.LatitudeDms(), p.LongitudeDms(), p.LatitudeDm(), p.LongitudeDm()}).join('|'),
        "texts");
}

void TestModel::positionParseText_data()
{
    // A refused text has no value; the problem is matched by its start.
    QTest::addColumn<bool>("isLatitude");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("problem");
    const double refused = 0.0;
    QTest::newRow("colon, minus") << true << "-12:30" << -12.5 << "";
    QTest::newRow("lower-case s is south") << true << "12 30 15s" << -(12.5 + 15 / 3600.0) << "";
    QTest::newRow("unit follows marked part")
        << true << "10 20M 30" << 10 + 20 / 60.0 + 30 / 3600.0 << "";
    QTest::newRow("markers without blanks") << true << "10°30'36\" N" << 10.51 << "";
    QTest::newRow("letter markers, S south") << true << "10d30m36S" << -10.51 << "";
    QTest::newRow("minute carry as shown")
        << true << "33° 60' 0.002\" S" << -(34 + 0.002 / 3600) << "";
    QTest::newRow("lower-case w") << false << "004 30 w" << -4.5 << "";
    QTest::newRow("longitude underscore") << false << "_" << 181.0 << "";
    QTest::newRow("edge of range") << false << "-180" << -180.0 << "";

    QTest::newRow("decimal comma") << true << "50,5 N" << refused << "\"50,5\" is not";
    QTest::newRow("empty") << true << " " << refused << "No degrees";
    QTest::newRow("nan") << true << "nan N" << refused << "\"nan\" is not";
    QTest::newRow("sign inside") << true << "10 -5" << refused << "\"-5\" is not";
    QTest::newRow("marker alone") << true << "10 '" << refused << "\"\" is not";
    QTest::newRow("above 90") << true << "95 N" << refused << "Out of range";
    QTest::newRow("above 180") << false << "180 0 1 E" << refused << "Out of range";
    QTest::newRow("fourth part") << true << "10 30 36 99" << refused << "Too many";
    QTest::newRow("units backwards") << true << "10' 20°" << refused << "Too many";
    QTest::newRow("61 minutes") << true << "10 61" << refused << "Minutes and";
    QTest::newRow("half typed blank") << true << "12 3_ N" << refused << "\"_\"";
    QTest::newRow("minus and letter") << true << "-7 30 S" << refused << "Give either";
    // "O" is no hemisphere in English (in German it is east).
    QTest::newRow("O") << false << "004 30 O" << refused << "\"O\" is not";
}

void TestModel::positionParseText()
{
    QFETCH(bool, isLatitude);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    GeoPosition position;
    position.SetLatitude(1.0);
    position.SetLongitude(1.0);
    QString why;
    const bool understood =
        isLatitude ? position.SetLatitudeText(text, &why) : position.SetLongitudeText(text, &why);
    const double stored = isLatitude ? position.Latitude() : position.Longitude();
    QCOMPARE(understood, problem.isEmpty());
    QVERIFY2(understood ? why.isEmpty() : why.startsWith(problem), qPrintable(why));
    // A refused text leaves the stored value as it was.
    QFETCH(double, value);
    const double expected = understood ? value : 1.0;
    QVERIFY2(qAbs(stored - expected) < 1e-9, qPrintable(QString::number(stored, 'g', 12)));
}

void TestModel::positionTextRoundTrip()
{
    // What the tab shows reads back as the same position, to the precision of
    // the text (0.05 seconds, or 0.00005 minutes).
    for (double value : {-180.0, -123.4567, -89.999, -12.3456, 0.0, 0.0001, 7.25, 33.3333, 90.0,
                         151.2093, 179.9999}) {
        GeoPosition p;
        p.SetLatitude(value);
        p.SetLongitude(value);
        const QString texts[] = {p.LatitudeDms(), p.LongitudeDms(), p.LatitudeDm(),
                                 p.LongitudeDm()};
        for (int k = 0; k < 4; ++k) {
            // The short form has no text for a latitude not available.
            if (k == 2 && qAbs(value) > 90)
                continue;
            GeoPosition back;
            QVERIFY(k % 2 ? back.SetLongitudeText(texts[k]) : back.SetLatitudeText(texts[k]));
            const double error =
                k % 2 ? back.Longitude() - p.Longitude() : back.Latitude() - p.Latitude();
            const double tolerance = (k < 2 ? 0.05 / 3600.0 : 0.00005 / 60.0) + 1e-9;
            QVERIFY2(qAbs(error) < tolerance, qPrintable(texts[k]));
        }
        // The shown text given back, as leaving the field does, moves nothing.
        const double latitude = p.Latitude();
        QVERIFY(p.SetLatitudeText(texts[0]) && p.SetLongitudeText(texts[1]));
        QCOMPARE(p.Latitude(), latitude);
        QCOMPARE(p.Longitude(), value);
    }
    // Every hundredth of a minute the unit keeps is shown exactly: typed
    // back, it is the same hundredth and shows the same text.
    for (qint64 hundredths = -1080000; hundredths <= 1080000; hundredths += 1237) {
        GeoPosition p;
        p.SetLongitude(hundredths / 6000.0);
        const QString shown = p.LongitudeDms();
        GeoPosition back;
        QVERIFY(back.SetLongitudeText(shown));
        QCOMPARE(std::llround(back.Longitude() * 6000.0), hundredths);
        QCOMPARE(back.LongitudeDms(), shown);
    }
}

void TestModel::configurationCheck_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("problems");
    QTest::newRow("sendable") << "" << int(ConfigurationCheck::AllTabs) << "";
    QTest::newRow("mmsi") << "mmsi" << int(ConfigurationCheck::AtoNTab)
                          << "MMSI: \"000000000\" is not valid (nine digits, not all zeros)";
    // Each escaped comma takes three characters: the name's own sentence is too long.
    QTest::newRow("name") << "name" << int(ConfigurationCheck::AtoNTab)
                          << "name: 102 characters once $ * , ! \\ ^ ~ are escaped, at most 52 "
                             "fit a sentence|Name: the sentence that sets it would have 132 "
                             "characters, more than the 82 a line may have";
    QTest::newRow("ranges") << "ranges" << int(ConfigurationCheck::AllTabs)
                            << "Type of EPFS: 16 is outside 0 to 15|Channel 1: 2500 is not a VHF "
                               "channel|Schedule 21/1 channel 2 start "
                               "slot: 2250 is outside -1 to 2249|Lantern maximum voltage (mV): "
                               "-2147483648 is outside 0 to 2147483647";
    // Only the fields of the tabs sent count.
    QTest::newRow("other tab")
        << "ranges" << int(ConfigurationCheck::LanternTab)
        << "Lantern maximum voltage (mV): -2147483648 is outside 0 to 2147483647";
}

void TestModel::configurationCheck()
{
    QFETCH(QString, change);
    QFETCH(int, tabs);
    Model model;
    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(change == "mmsi" ? "000000000" : "235012345");
    if (change == "name")
        aton->SetName(QString(34, QLatin1Char(',')));
    if (change == "ranges") {
        aton->SetTypeOfEPFS(16);
        aton->SetChannel1(2500);
        MessageScheduleEntry row = model.GetMessageSchedule()->EntryAt(0);
        row.SetStartSlot2(2250);
        QVERIFY(model.GetMessageSchedule()->SetEntry(0, row));
        model.GetLanternInterface()->SetLimvmax(std::numeric_limits<int>::min());
    }
    QTEST(ConfigurationCheck::Problems(model, tabs).join('|'), "problems");
}

void TestModel::slotClash_data()
{
    QTest::addColumn<QList<int>>("slotsAndIntervals");
    QTest::addColumn<QTime>("time1");
    QTest::addColumn<QTime>("time2");
    QTest::addColumn<bool>("risk");
    const QTime t0(0, 0), t1(0, 1), t2(0, 2);
    using L = QList<int>;
    QTest::newRow("half the interval apart") << L{10, 12, 6750, 6750} << t0 << t1 << false;
    QTest::newRow("two minutes apart") << L{10, 12, 6750, 6750} << t0 << t2 << true;
    QTest::newRow("different intervals") << L{10, 12, 6750, 4500} << t0 << t1 << true;
    QTest::newRow("slots three apart") << L{13, 10, 1, 2} << t0 << t0 << false;
    QTest::newRow("channel 1 off") << L{-1, 0, 1, 2} << t0 << t0 << false;
    QTest::newRow("channel 2 off") << L{0, -1, 1, 2} << t0 << t0 << false;
    QTest::newRow("zero interval") << L{5, 5, 0, 0} << t0 << t0 << true;
    QTest::newRow("not whole minutes") << L{5, 5, 3000, 3000} << t0 << t0 << true;
    QTest::newRow("4 min, 2 apart")
        << L{5, 7, 9000, 9000} << QTime(23, 58) << QTime(23, 56) << false;
    QTest::newRow("seconds ignored")
        << L{5, 6, 6750, 6750} << QTime(1, 0, 59) << QTime(1, 1) << false;
    QTest::newRow("1 min, same minute") << L{0, 0, 2250, 2250} << t1 << t1 << false;
    QTest::newRow("extreme slots") << L{INT_MIN, INT_MAX, 0, 0} << t0 << t0 << false;
}

void TestModel::slotClash()
{
    QFETCH(QList<int>, slotsAndIntervals);
    QFETCH(QTime, time1);
    QFETCH(QTime, time2);
    MessageSchedule schedule;
    MessageScheduleEntry entry;
    entry.SetStartSlot1(slotsAndIntervals[0]);
    entry.SetStartSlot2(slotsAndIntervals[1]);
    entry.SetInterval1(slotsAndIntervals[2]);
    entry.SetInterval2(slotsAndIntervals[3]);
    entry.SetStartTime1(time1);
    entry.SetStartTime2(time2);
    QVERIFY(schedule.SetEntry(0, entry));
    QTEST(schedule.RisksSlotClash(), "risk");
    entry.SetInterval1(1); // only row 0 counts
    QVERIFY(schedule.SetEntry(1, entry));
    QTEST(schedule.RisksSlotClash(), "risk");
}

void TestModel::setEntryClampsIntervals()
{
    MessageSchedule schedule;
    MessageScheduleEntry entry;
    // scheme, row, interval 1 and 2 set, interval 1 and 2 kept (the clamp of
    // the other schemes is met when a received schedule is decoded)
    const int cases[][6] = {{MessageScheduleEntry::FATDMA, 17, -5, INT_MAX, 0, 3240000},
                            {MessageScheduleEntry::FATDMA, 17, 90000, 0, 90000, 0}};
    for (const auto &c : cases) {
        entry.SetAccessScheme(c[0]);
        entry.SetInterval1(c[2]);
        entry.SetInterval2(c[3]);
        QVERIFY(schedule.SetEntry(c[1], entry));
        QCOMPARE(schedule.EntryAt(c[1]).Interval1(), c[4]);
        QCOMPARE(schedule.EntryAt(c[1]).Interval2(), c[5]);
    }
    // Out of range: refused.
    QVERIFY(!schedule.SetEntry(18, entry));
    QVERIFY(!schedule.SetEntry(-1, entry));
    QCOMPARE(schedule.Count(), 18);
}

void TestModel::addRemoveAndReports()
{
    MessageSchedule schedule;
    QCOMPARE(Add(schedule, 6), 2);
    QCOMPARE(Add(schedule, 6), 3);
    QCOMPARE(Head(schedule, 3), QList<int>({1, 0, 0, 0}));
    MessageScheduleEntry marked = schedule.EntryAt(3);
    marked.SetSpareValue(33);
    QVERIFY(schedule.SetEntry(3, marked));

    // Removing row 2 moves row 3 up and leaves 3 to 5 free.
    QVERIFY(schedule.RemoveEntry(2));
    QCOMPARE(schedule.EntryAt(2).SpareValue(), 33);
    QVERIFY(IsFree(schedule, 3, 6) && IsFree(schedule, 4, 6) && IsFree(schedule, 5, 6));
    QVERIFY(!schedule.RemoveEntry(3));
    QVERIFY(!schedule.RemoveEntry(18));

    // The block holds four; a fifth is refused and the next block untouched.
    QCOMPARE(QList<int>({Add(schedule, 6), Add(schedule, 6), Add(schedule, 6)}),
             QList<int>({3, 4, 5}));
    QCOMPARE(Add(schedule, 6), -1);
    QVERIFY(IsFree(schedule, 6, 8));

    // Variants of 12 and 14 have fixed rows and are freed in place.
    QCOMPARE(Add(schedule, 212), 12);
    QCOMPARE(Add(schedule, 12), 10);
    QVERIFY(schedule.RemoveEntry(10));
    QVERIFY(IsFree(schedule, 10, 12) && schedule.EntryAt(12).Active());

    // Numbers without a block, or a fifth variant, find nothing.
    for (int number : {7, 412, 500, -6}) {
        QVERIFY2(!schedule.IsAvailable(number), qPrintable(QString::number(number)));
        QCOMPARE(Add(schedule, number), -1);
    }
    QVERIFY(!schedule.IsAvailable(21));

    // Row 1 starts as the disabled off-position report.
    QVERIFY(!schedule.DisableReport(1));
    QVERIFY(schedule.EnableReport(1));
    QVERIFY(!schedule.EnableReport(1));
    MessageScheduleEntry entry = schedule.EntryAt(1);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetSpareValue(5);
    QVERIFY(schedule.SetEntry(1, entry));
    QVERIFY(schedule.DisableReport(1));
    QCOMPARE(Head(schedule, 1), QList<int>({0, 0, -1, -1}));
    QVERIFY(schedule.EnableReport(1));
    QCOMPARE(Head(schedule, 1), QList<int>({1, 0, 0, 0}));
    // Only message 21 rows are reports.
    QVERIFY(!schedule.DisableReport(2));
    QVERIFY(!schedule.EnableReport(3));

    // Removing the normal report frees it in place: the off-position report
    // must not move into its row. It can be added back there.
    QVERIFY(schedule.RemoveEntry(0));
    QVERIFY(IsFree(schedule, 0, 21));
    QCOMPARE(schedule.EntryAt(1).SpareValue(), 5);
    QCOMPARE(Add(schedule, 21), 0);
    QVERIFY(schedule.EntryAt(0).Active());
}

void TestModel::tableRowMapping()
{
    // The order and numbering that the table shows are checked through the
    // schedule table itself; here the mapping both ways and its ends.
    MessageSchedule schedule;
    for (int number : {6, 6, 8, 212, 12, 114})
        QVERIFY(Add(schedule, number) >= 0);
    QCOMPARE(schedule.VisibleCount(), 8);
    const int listRows[] = {0, 1, 2, 3, 6, 10, 12, 15};
    int i = -1;
    int back = -1;
    for (int table = 0; table < 8; ++table) {
        QVERIFY(schedule.EntryOfTableRow(table, i) && schedule.TableRowOf(i, back));
        QCOMPARE(QList<int>({i, back}), QList<int>({listRows[table], table}));
    }
    QVERIFY(!schedule.EntryOfTableRow(8, i));
    QVERIFY(!schedule.TableRowOf(4, back)); // a free row of 6

    // An active row of an unknown message still gets a table row, so the
    // table never asks for a row that cannot be mapped.
    MessageScheduleEntry five;
    five.SetMessageId(5);
    LoadRows(&schedule, {five, MessageScheduleEntry()});
    QCOMPARE(schedule.VisibleCount(), 2);
    QVERIFY(schedule.EntryOfTableRow(0, i) && i == 1);
    QVERIFY(schedule.EntryOfTableRow(1, i) && i == 0);
}

void TestModel::prepareRowAndShortSchedules()
{
    MessageSchedule schedule;
    QSignalSpy spy(&schedule, &MessageSchedule::off_position_checked);
    QCOMPARE(Prepare(schedule, 21, 1), 0);
    QCOMPARE(Prepare(schedule, 21, 2), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QVERIFY(schedule.EntryAt(1).Active() && schedule.EntryAt(1).Specified());

    // Every message goes to the row of its instance: 6/3 heard alone stays
    // 6/3, and the rows before it stay the unit's.
    QCOMPARE(Prepare(schedule, 6, 3), 4);
    QCOMPARE(schedule.RowName(4), QString("6/3"));
    QVERIFY(!schedule.EntryAt(2).Specified() && !schedule.EntryAt(3).Specified());
    QCOMPARE(Prepare(schedule, 14, 2), 15);
    // Rows the layout has no place for follow it with their instance: the
    // fifth 6, and 25/3 after two rows of 25 left to the unit. Asked again,
    // a row is found where it went.
    QCOMPARE(Prepare(schedule, 6, 5), 18);
    QCOMPARE(Prepare(schedule, 25, 3), 21);
    QCOMPARE(Prepare(schedule, 21, 3), 22);
    QCOMPARE(QStringList({schedule.RowName(18), schedule.RowName(21), schedule.RowName(22)}),
             QStringList({"6/5", "25/3", "21/3"}));
    QVERIFY(!schedule.EntryAt(19).Specified() && !schedule.EntryAt(20).Specified());
    QCOMPARE(Prepare(schedule, 25, 3), 21);
    QCOMPARE(Prepare(schedule, 25, 1), 19);
    QCOMPARE(schedule.VisibleCount(), 2 + 2 + 2 + 1 + 1);
    // What the sentence cannot carry has no row.
    for (const auto &wrong : {qMakePair(0, 1), qMakePair(64, 1), qMakePair(6, 0), qMakePair(6, 100),
                              qMakePair(12, INT_MAX), qMakePair(INT_MIN, 1)})
        QCOMPARE(Prepare(schedule, wrong.first, wrong.second), -1);
    QCOMPARE(schedule.Count(), 23);
    QCOMPARE(spy.count(), 1);

    // Schedules that a file left short refuse the rows they lack.
    LoadRows(&schedule, {MessageScheduleEntry()});
    QCOMPARE(Add(schedule, 6), -1);
    QCOMPARE(Add(schedule, 112), -1);
    QVERIFY(!schedule.EnableReport(1));
    QCOMPARE(Prepare(schedule, 21, 2), -1);
    QCOMPARE(Prepare(schedule, 8, 1), -1);
    QCOMPARE(schedule.Count(), 1);

    LoadRows(&schedule, {});
    int row = 0;
    QVERIFY(!schedule.RisksSlotClash());
    QVERIFY(!schedule.EntryOfTableRow(0, row));
    QCOMPARE(Prepare(schedule, 21, 1), -1);

    // A file may put a row outside its block; removing it touches nothing else.
    MessageScheduleEntry stray;
    stray.SetMessageId(6);
    LoadRows(&schedule, {MessageScheduleEntry(), stray});
    QVERIFY(schedule.RemoveEntry(1));
    QVERIFY(IsFree(schedule, 1, 6));
    QCOMPARE(schedule.EntryAt(0), MessageScheduleEntry());
}

void TestModel::rowsLeftToTheUnit()
{
    // A new document names the normal report only, and its file holds that
    // one row.
    Model model;
    MessageSchedule *schedule = model.GetMessageSchedule();
    QCOMPARE(schedule->SpecifiedRows(), QList<int>{0});
    QCOMPARE(schedule->UnspecifiedRowRuns(),
             QStringList({"21/2", "6/1 to 6/4", "8/1 to 8/4", "12/1 to 12/4", "14/1 to 14/4"}));
    QCOMPARE(PadFile::ToBytes(model).size(), 223);

    // Removing a row of 6 or 8 moves up only the document's own rows after
    // it: a row left to the unit keeps its instance.
    QCOMPARE(Add(*schedule, 6), 2);
    QCOMPARE(Add(*schedule, 6), 3);
    QVERIFY(schedule->SetEntry(5, schedule->EntryAt(3)));
    QVERIFY(schedule->RemoveEntry(2));
    QVERIFY(schedule->EntryAt(2).Active() && IsFree(*schedule, 3, 6));
    QVERIFY(schedule->EntryAt(3).Specified() && !schedule->EntryAt(4).Specified());
    QVERIFY(schedule->EntryAt(5).Active());
    // One switched off, then the rest; the report's row switched off is
    // the disabled report.
    QVERIFY(schedule->SwitchOff(9) && !schedule->SwitchOff(9) && !schedule->SwitchOff(0));
    QCOMPARE(schedule->UnspecifiedRowRuns(),
             QStringList({"21/2", "6/3", "8/1 to 8/3", "12/1 to 12/4", "14/1 to 14/4"}));
    QCOMPARE(schedule->SwitchOffUnspecified(), 13);
    QCOMPARE(Head(*schedule, 1), QList<int>({0, 0, -1, -1}));
    QCOMPARE(schedule->SpecifiedRows().size(), 18);
    QVERIFY(schedule->UnspecifiedRowRuns().isEmpty());

    // A file keeps which rows are specified by holding them; a row left to
    // the unit that a later row of its message counts on for its instance
    // is held too, and reads back switched off. Rows beyond the layout keep
    // their instance the same way.
    Model unit;
    MessageSchedule *heard = unit.GetMessageSchedule();
    int row = 0;
    QVERIFY(heard->PrepareRow(12, 2, row) && heard->PrepareRow(25, 2, row));
    Model read;
    QCOMPARE(PadFile::FromBytes(PadFile::ToBytes(unit), &read), PadFile::Done);
    const MessageSchedule *back = read.GetMessageSchedule();
    QCOMPARE(back->SpecifiedRows(), QList<int>({0, 10, 11, 18, 19}));
    QCOMPARE(back->RowName(19), QString("25/2"));
    QVERIFY(back->EntryAt(11).Active() && !back->EntryAt(10).Active());
    QCOMPARE(back->UnspecifiedRowRuns(),
             QStringList({"21/2", "6/1 to 6/4", "8/1 to 8/4", "12/3 to 12/4", "14/1 to 14/4"}));
    // What the sentence cannot carry is named before a send; rows beyond the
    // layout are not, nor are rows left to the unit.
    QVERIFY(back->LayoutProblems().isEmpty());
    // Made exact against that unit, a new document switches off by name the
    // unit's rows in use that it does not name, beyond the layout too, and
    // every row it left to the unit; its own row stays.
    Model exact;
    MessageSchedule *own = exact.GetMessageSchedule();
    QCOMPARE(own->MakeExact(*back), QStringList({"12/2", "25/2"}));
    QVERIFY(own->UnspecifiedRowRuns().isEmpty() && own->EntryAt(0).InUse());
    QCOMPARE(own->SpecifiedRows().size(), 20);
    QVERIFY(!own->EntryAt(own->FindRow(25, 2)).InUse() && !own->EntryAt(11).InUse());
    MessageScheduleEntry zero;
    zero.SetMessageId(0);
    QVector<MessageScheduleEntry> many(MessageSchedule::MaxInstance + 1, MessageScheduleEntry());
    LoadRows(heard, many << zero);
    QCOMPARE(heard->LayoutProblems(),
             QStringList({"Schedule 21/100: the schedule's sentence carries at most 99 rows of a "
                          "message",
                          "Schedule row 101: message 0 is not an AIS message number (1 to 63)"}));

    // A file of the full layout, as earlier versions wrote every file, says
    // what every row should be: its free rows switch the unit's rows off.
    QByteArray full = PadFile::ToBytes(Model());
    Bytes rows;
    rows.Int32(18).Row(21, 0, true);
    for (int message : {21, 6, 6, 6, 6, 8, 8, 8, 8, 12, 12, 12, 12, 14, 14, 14, 14})
        rows.Row(message, -1, false);
    full.replace(CountAt, 4 + MessageScheduleEntry::FileSize, rows.data);
    QCOMPARE(PadFile::FromBytes(full, &read), PadFile::Done);
    QCOMPARE(back->SpecifiedRows().size(), 18);
    QCOMPARE(PadFile::ToBytes(read), full);
}

void TestModel::defaultFileWriteReadAssignAndReset()
{
    // A new document's file: 223 bytes with its one row.
    QCOMPARE(PadFile::ToBytes(Model()), DefaultFileByHand());
    for (int variant = 0; variant < 2; ++variant) {
        Model model;
        Vary(model, variant);
        const QByteArray bytes = PadFile::ToBytes(model);
        Model read;
        QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Done);
        QVERIFY2(read == model, qPrintable(QString("variant %1").arg(variant)));
        QCOMPARE(PadFile::ToBytes(read), bytes);

        // A copy holds every field in records of its own.
        Model copy;
        copy = model;
        copy = static_cast<Model &>(copy); // self-assignment changes nothing
        QCOMPARE(PadFile::ToBytes(copy), bytes);
        QCOMPARE(copy.GetMessageSchedule()->GetAtoN(), copy.GetAtoN());
        copy.GetAtoN()->GetPosition()->SetLatitude(10.0);
        QVERIFY(model == read);
        model.Reset();
        QCOMPARE(PadFile::ToBytes(model), DefaultFileByHand());
    }
}

void TestModel::rowCounts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("loads");
    for (int n = 0; n <= 18; ++n)
        QTest::addRow("%d rows", n) << n << n << true;
    QTest::newRow("more than the block layout") << 40 << 40 << true;
    for (int count : {-1, INT_MIN, 4, 5, 1000, INT_MAX})
        QTest::addRow("count %d for 3 rows", count) << count << 3 << false;
}

void TestModel::rowCounts()
{
    QFETCH(int, count);
    QFETCH(int, rows);
    QFETCH(bool, loads);
    const QByteArray bytes = WithRows(count, rows);
    Model read;
    Vary(read, 0);
    const QByteArray before = PadFile::ToBytes(read);
    // A refused file leaves the model as it was; the row layout of a loaded
    // one is pinned by the hand-packed default file.
    QString error;
    QCOMPARE(PadFile::FromBytes(bytes, &read, &error), loads ? PadFile::Done : PadFile::Invalid);
    QVERIFY2(error.isEmpty() == loads, qPrintable(error));
    if (!loads || rows == 0) {
        QCOMPARE(PadFile::ToBytes(read), loads ? bytes : before);
        return;
    }
    // The schedule gets the whole layout: every row of the file kept, rows
    // left to the unit for the rest, and the file saved so reads back the
    // same.
    Model raw;
    QDataStream in(bytes);
    raw.Read(in);
    const QList<MessageScheduleEntry> &original = raw.GetMessageSchedule()->Entries();
    const QList<MessageScheduleEntry> &loaded = read.GetMessageSchedule()->Entries();
    QVERIFY(loaded.size() >= MessageSchedule::BlockLayoutRows);
    for (const MessageScheduleEntry &entry : original)
        QVERIFY(loaded.count(entry) >= original.count(entry));
    Model again;
    QCOMPARE(PadFile::FromBytes(PadFile::ToBytes(read), &again), PadFile::Done);
    QVERIFY(again == read);
}

void TestModel::readRulesOfTheFileForm()
{
    QByteArray bytes = PadFile::ToBytes(Model());
    bytes.replace(0, 4, Bytes().Int32(77).data); // odd object versions are kept, not checked
    bytes.replace(bytes.size() - 36, 4, Bytes().Int32(7).data);
    // A 40-character name, as only a file can hold it, is kept whole.
    bytes.replace(NameAt, 4 + 8, Bytes().String(QString(40, QChar(0xE9))).data);
    // Any non-zero lantern flag (limen, limigain) reads as true and is written back as 1.
    bytes.replace(bytes.size() - 32, 4, Bytes().Int32(-9).data);
    bytes.replace(bytes.size() - 8, 4, Bytes().Int32(256).data);
    Model read;
    QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Done);
    QCOMPARE(read.ObjectVersion(), 77);
    QCOMPARE(read.GetAtoN()->Name(), QString(40, QChar(0xE9)));
    const QByteArray back = PadFile::ToBytes(read);
    QCOMPARE(back.mid(back.size() - 32, 4) + back.mid(back.size() - 8, 4),
             Bytes().Int32(1).Int32(1).data);
    // Bytes after the configuration, or two files joined, are not one configuration.
    QString error;
    QCOMPARE(PadFile::FromBytes(bytes + "junk", &read, &error), PadFile::Invalid);
    QCOMPARE(error, QString("The file holds 4 byte(s) after the end of the configuration."));
    // Versions read from a file do not survive a reset.
    read.Reset();
    QCOMPARE(PadFile::ToBytes(read), DefaultFileByHand());

    // A position is one, or "not available" in the form the file gives it
    // (91, 181); anything else is refused by name, not sent as unknown.
    const int positionAt = 4 + 4 + 53 + 4;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        double latitude, longitude;
        const char *error;
    } positions[] = {
        {91.0, 181.0, nullptr},
        {-90.0, -180.0, nullptr},
        {95.0, 0.0, "Latitude: 95 is not a position (-90 to 90, or 91 for not available)."},
        {90.5, 0.0, "Latitude: 90.5 is not a position (-90 to 90, or 91 for not available)."},
        {nan, 0.0, "Latitude: nan is not a position (-90 to 90, or 91 for not available)."},
        {0.0, -181.0, "Longitude: -181 is not a position (-180 to 180, or 181 for not available)."},
    };
    for (const auto &position : positions) {
        QByteArray placed = bytes;
        placed.replace(positionAt, 16,
                       Bytes().Double(position.latitude).Double(position.longitude).data);
        QString error;
        read.GetAtoN()->GetPosition()->SetLatitude(10.0);
        QCOMPARE(PadFile::FromBytes(placed, &read, &error),
                 position.error ? PadFile::Invalid : PadFile::Done);
        QCOMPARE(error, QString(position.error));
        QCOMPARE(read.GetAtoN()->GetPosition()->Latitude(),
                 position.error ? 10.0 : position.latitude);
    }

    // An odd string length is damage, not text.
    bytes.replace(4 + 4 + 4, 4, Bytes().Int32(3).data);
    QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Invalid);
}

void TestModel::truncatedFileIsRefusedAtEveryOffset()
{
    Model source;
    Vary(source, 1);
    const QByteArray bytes = PadFile::ToBytes(source);
    Model target;
    Vary(target, 0);
    const QByteArray before = PadFile::ToBytes(target);
    for (int length = 0; length < bytes.size(); ++length) {
        QString error;
        QVERIFY2(PadFile::FromBytes(bytes.left(length), &target, &error) == PadFile::Invalid &&
                     !error.isEmpty() && PadFile::ToBytes(target) == before,
                 qPrintable(QString("a file of %1 bytes").arg(length)));
    }
}

void TestModel::filesOnDisk()
{
    // The texts of the usual causes are checked where the window and the
    // command-line tool show them; the full disk there too.
    QTemporaryDir dir;
    const QString path = dir.filePath("buoy.pad");
    Model model;
    Vary(model, 1);
    QCOMPARE(PadFile::Save(path, model), PadFile::Done);
    Model read;
    QCOMPARE(PadFile::Load(path, &read), PadFile::Done);
    QVERIFY(read == model);
    const QByteArray saved = PadFile::ToBytes(model);

    // Nothing but an ordinary file is read or replaced: a FIFO (which would
    // block the open), a folder, a device. Each is named, and stays what it is.
    const QString fifo = dir.filePath("fifo.pad");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString &name : {fifo, dir.path(), QString("/dev/urandom")}) {
        QString error;
        QCOMPARE(PadFile::Load(name, &read, &error), PadFile::OpenFailed);
        QVERIFY2(error.startsWith(name + " is a ") && read == model, qPrintable(error));
        if (name != "/dev/urandom") {
            QCOMPARE(PadFile::Save(name, Model(), &error), PadFile::OpenFailed);
            QVERIFY2(error.startsWith(name + " is a "), qPrintable(error));
        }
    }
    QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo(fifo).exists());

    // A link to the file: the file gets the new configuration and keeps its
    // permissions; the link stays a link. Temporary files of a save that was
    // killed (its process gone) go; one of a live process (pid 1) stays.
    const QString link = dir.filePath("link.pad");
    QVERIFY(QFile::link(path, link));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const QString dead = FileSaver::TemporaryName(path, 999999999),
                  live = FileSaver::TemporaryName(path, 1);
    QVERIFY(WriteFile(dead, "half") && WriteFile(live, "busy"));
    QCOMPARE(PadFile::Save(link, Model()), PadFile::Done);
    QVERIFY(QFileInfo(link).isSymLink());
    struct stat info = {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &info) == 0 &&
            (info.st_mode & 0777) == 0640);
    QCOMPARE(PadFile::Load(path, &read), PadFile::Done);
    QVERIFY(read == Model());
    QVERIFY(!QFile::exists(dead) && QFile::exists(live));

    // A folder that refuses new files (tried as "nobody" where this runs as
    // root) with a file that may be written: refused, saying so, until the
    // direct write is asked for.
    QCOMPARE(PadFile::Save(path, model), PadFile::Done);
    QFile::remove(live);
    const QString folder = dir.filePath("locked");
    const QString inside = folder + "/unit.pad";
    QVERIFY(QDir(dir.path()).mkdir("locked"));
    QCOMPARE(PadFile::Save(inside, Model()), PadFile::Done);
    QCOMPARE(::chmod(QFile::encodeName(inside).constData(), 0666), 0);
    QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    {
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || ::setresuid(65534, 65534, 0) == 0);
        const auto back = qScopeGuard([root] {
            if (root && ::setresuid(0, 0, 0) != 0)
                qFatal("could not become root again");
        });
        QString error;
        QCOMPARE(PadFile::Save(inside, model, &error), PadFile::FolderRefuses);
        QVERIFY2(error.contains("does not allow new files"), qPrintable(error));
        QCOMPARE(PadFile::Load(inside, &read), PadFile::Done);
        QVERIFY(read == Model());
        QCOMPARE(PadFile::Save(inside, model, &error, FileSaver::InPlace), PadFile::Done);
    }
    QCOMPARE(PadFile::Load(inside, &read), PadFile::Done);
    QVERIFY(read == model);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A sound file padded far beyond any real size is read no further than
    // the limit.
    QFile file(path);
    QVERIFY(file.resize(PadFile::MaxFileSize + 1));
    QString error;
    QCOMPARE(PadFile::Load(path, &read, &error), PadFile::Invalid);
    QVERIFY2(error.contains("too large") && read == model, qPrintable(error));
    QCOMPARE(saved, PadFile::ToBytes(read));
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
