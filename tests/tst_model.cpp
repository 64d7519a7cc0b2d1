#include "lim/lanterninterface.h"
#include "model/decimaltext.h"
#include "model/model.h"

#include <QtTest>

// Records of the configuration; whole models are compared through their file
// form in tst_padfile.
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
        {L::MillivoltsFromVolts(-1.0005), -1000},
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
}

void TestModel::positionRangesAndNotAvailable()
{
    GeoPosition position;
    const QString blank = "__° __' __.___\"";
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
    // The text setters store without the range check; such a value shows as
    // not available.
    position.SetLatitudeText("95 N");
    QCOMPARE(position.LatitudeDms(), blank + " N");
}

void TestModel::positionFormats_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("texts");
    QTest::newRow("south west")
        << -12.5 << -123.25
        << "12° 30' 0.000\" S|123° 15' 0.000\" W|12° 30.0000' S|123° 15.0000' W";
    // Minutes within 0.00005 of the next minute round up; the carry stops there.
    QTest::newRow("minute carry")
        << -33.9999995 << 0.0
        << "33° 60' 0.002\" S|000° 00' 0.000\" E|33° 60.0000' S|000° 0.0000' E";
    QTest::newRow("seconds")
        << 1.0 + 2.0 / 60 + 3.5 / 3600 << 179.999
        << "01° 02' 3.500\" N|179° 59' 56.400\" E|01° 2.0583' N|179° 59.9400' E";
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
    QTest::addColumn<bool>("isLatitude");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("colon, minus") << true << "-12:30" << -12.5;
    QTest::newRow("lower-case s is south") << true << "12 30 15s" << -(12.5 + 15 / 3600.0);
    QTest::newRow("underscore anywhere") << true << "12 3_ N" << 91.0;
    QTest::newRow("minus and south") << true << "  -7 30 S " << -7.5;
    QTest::newRow("marked minutes first") << true << "30' 10" << 0.5 + 10 / 3600.0;
    QTest::newRow("unit follows marked part")
        << true << "10 20M 30" << 10 + 20 / 60.0 + 30 / 3600.0;
    QTest::newRow("not a number is 0") << true << "abc 30 N" << 0.5;
    QTest::newRow("nan is not a number") << true << "nan 30 N" << 0.5;
    QTest::newRow("fourth part ignored") << true << "10 30 36 99" << 10.51;
    QTest::newRow("markers without blanks") << true << "10°30'36\" N" << 10.51;
    QTest::newRow("letter markers, S south") << true << "10D 30M 36S" << -10.51;
    QTest::newRow("empty") << true << "" << 0.0;
    QTest::newRow("O is west") << false << "004 30 O" << -4.5;
    QTest::newRow("lower-case w") << false << "004 30 w" << -4.5;
    QTest::newRow("east") << false << "179 59 e" << 179 + 59 / 60.0;
    QTest::newRow("longitude underscore") << false << "___ 30 E" << 181.0;
    QTest::newRow("no range check") << false << "200 E" << 200.0;
}

void TestModel::positionParseText()
{
    QFETCH(bool, isLatitude);
    QFETCH(QString, text);
    QFETCH(double, value);
    GeoPosition position;
    position.SetLatitude(1.0);
    position.SetLongitude(1.0);
    isLatitude ? position.SetLatitudeText(text) : position.SetLongitudeText(text);
    const double stored = isLatitude ? position.Latitude() : position.Longitude();
    QVERIFY2(qAbs(stored - value) < 1e-9, qPrintable(QString::number(stored, 'g', 12)));
}

void TestModel::positionTextRoundTrip()
{
    // What the tab shows reads back as the same position, to the precision of
    // the text (0.0005 seconds, or 0.00005 minutes).
    for (double value : {-180.0, -123.4567, -89.999, -12.3456, 0.0, 0.0001, 7.25, 33.3333, 90.0,
                         151.2093, 179.9999, 200.0}) {
        GeoPosition p;
        p.SetLatitude(value);
        p.SetLongitude(value);
        const QString texts[] = {p.LatitudeDms(), p.LongitudeDms(), p.LatitudeDm(),
                                 p.LongitudeDm()};
        for (int k = 0; k < 4; ++k) {
            GeoPosition back;
            k % 2 ? back.SetLongitudeText(texts[k]) : back.SetLatitudeText(texts[k]);
            const double error =
                k % 2 ? back.Longitude() - p.Longitude() : back.Latitude() - p.Latitude();
            const double tolerance = (k < 2 ? 0.0005 / 3600.0 : 0.00005 / 60.0) + 1e-9;
            QVERIFY2(qAbs(error) < tolerance, qPrintable(texts[k]));
        }
    }
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
