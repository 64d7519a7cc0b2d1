#include "model/geoposition.h"

#include <QtTest>

namespace {

const QString Degree = QString(QChar(0xB0));

} // namespace

class TestGeoPosition : public QObject
{
    Q_OBJECT

private slots:
    void notAvailableTexts();
    void rangeChecks();
    void formats_data();
    void formats();
    void latitudeText_data();
    void latitudeText();
    void longitudeText_data();
    void longitudeText();
    void textRoundTrip();
    void parseAngleUnits_data();
    void parseAngleUnits();
};

void TestGeoPosition::notAvailableTexts()
{
    GeoPosition position;
    const QString blank = QStringLiteral("__") + Degree + QStringLiteral(" __' __.___\"");
    QCOMPARE(position.LatitudeDms(), blank + QStringLiteral(" N"));
    QCOMPARE(position.LongitudeDms(), blank + QStringLiteral(" E"));
    // This form has no not-available text.
    QCOMPARE(position.LongitudeDm(), QStringLiteral("181") + Degree + QStringLiteral(" 0.0000' E"));
    QCOMPARE(position.LatitudeDm(), QStringLiteral("91") + Degree + QStringLiteral(" 0.0000' N"));
}

void TestGeoPosition::rangeChecks()
{
    GeoPosition position;
    position.SetLatitude(90.0);
    QCOMPARE(position.Latitude(), 90.0);
    position.SetLatitude(90.0001);
    QCOMPARE(position.Latitude(), 91.0);
    position.SetLatitude(-90.0);
    QCOMPARE(position.Latitude(), -90.0);
    position.SetLatitude(-90.0001);
    QCOMPARE(position.Latitude(), 91.0);
    position.SetLatitude(qQNaN());
    QCOMPARE(position.Latitude(), 91.0);
    position.SetLongitude(-180.0);
    QCOMPARE(position.Longitude(), -180.0);
    position.SetLongitude(180.0);
    QCOMPARE(position.Longitude(), 180.0);
    position.SetLongitude(180.5);
    QCOMPARE(position.Longitude(), 181.0);
    position.SetLongitude(-qInf());
    QCOMPARE(position.Longitude(), 181.0);

    // The text setters store without the range check...
    position.SetLatitudeText(QStringLiteral("95 N"));
    QCOMPARE(position.Latitude(), 95.0);
    // ...and such a value formats as not available.
    QVERIFY(position.LatitudeDms().startsWith(QStringLiteral("__")));

    GeoPosition copy;
    copy = position;
    QCOMPARE(copy.Latitude(), 95.0);
    QCOMPARE(copy.Longitude(), 181.0);
}

void TestGeoPosition::formats_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("latitudeDms");
    QTest::addColumn<QString>("longitudeDms");
    QTest::addColumn<QString>("latitudeDm");
    QTest::addColumn<QString>("longitudeDm");
    const QString d = Degree;
    QTest::newRow("half degrees") << 50.5 << 4.5 << "50" + d + " 30' 0.000\" N"
                                  << "004" + d + " 30' 0.000\" E"
                                  << "50" + d + " 30.0000' N"
                                  << "004" + d + " 30.0000' E";
    QTest::newRow("south west") << -12.5 << -123.25 << "12" + d + " 30' 0.000\" S"
                                << "123" + d + " 15' 0.000\" W"
                                << "12" + d + " 30.0000' S"
                                << "123" + d + " 15.0000' W";
    // Minutes within 0.00005 of the next minute round up; the carry stops there.
    QTest::newRow("minute carry") << -33.9999995 << 0.0 << "33" + d + " 60' 0.002\" S"
                                  << "000" + d + " 00' 0.000\" E"
                                  << "33" + d + " 60.0000' S"
                                  << "000" + d + " 0.0000' E";
    QTest::newRow("seconds") << 1.0 + 2.0 / 60 + 3.5 / 3600 << 179.999
                             << "01" + d + " 02' 3.500\" N"
                             << "179" + d + " 59' 56.400\" E"
                             << "01" + d + " 2.0583' N"
                             << "179" + d + " 59.9400' E";
    QTest::newRow("ends of the range") << -90.0 << -180.0 << "90" + d + " 00' 0.000\" S"
                                       << "180" + d + " 00' 0.000\" W"
                                       << "90" + d + " 0.0000' S"
                                       << "180" + d + " 0.0000' W";
}

void TestGeoPosition::formats()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    GeoPosition position;
    position.SetLatitude(latitude);
    position.SetLongitude(longitude);
    QTEST(position.LatitudeDms(), "latitudeDms");
    QTEST(position.LongitudeDms(), "longitudeDms");
    QTEST(position.LatitudeDm(), "latitudeDm");
    QTEST(position.LongitudeDm(), "longitudeDm");
}

void TestGeoPosition::latitudeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("latitude");
    const QString d = Degree;
    QTest::newRow("dms south") << "50" + d + " 30' 0.000\" S" << -50.5;
    QTest::newRow("plain north") << "50 30 N" << 50.5;
    QTest::newRow("colon, minus") << "-12:30" << -12.5;
    QTest::newRow("semicolon") << "12;30;36" << 12.51;
    QTest::newRow("lower-case s counts as south") << "12 30 15s" << -(12 + 30 / 60.0 + 15 / 3600.0);
    QTest::newRow("lower-case n") << "10 n" << 10.0;
    QTest::newRow("blank field") << "__" + d + " __' __.___\" N" << 91.0;
    QTest::newRow("underscore anywhere") << "12 3_ N" << 91.0;
    QTest::newRow("no range check") << "95 N" << 95.0;
    QTest::newRow("surrounding blanks") << "   7 30 S  " << -7.5;
    QTest::newRow("minus and south stay south") << "-7 30 S" << -7.5;
    QTest::newRow("marked minutes first") << "30' 10" << 0.5 + 10 / 3600.0;
    QTest::newRow("not a number counts 0") << "abc 30 N" << 0.5;
    QTest::newRow("nan is not a number") << "nan 30 N" << 0.5;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("fourth part ignored") << "10 30 36 99" << 10.51;
    QTest::newRow("markers without blanks") << "10" + d + "30'36\" N" << 10.51;
    QTest::newRow("letter markers") << "10D 30M 36S" << -10.51;
}

void TestGeoPosition::latitudeText()
{
    QFETCH(QString, text);
    QFETCH(double, latitude);
    GeoPosition position;
    position.SetLatitude(1.0);
    position.SetLatitudeText(text);
    QVERIFY2(qAbs(position.Latitude() - latitude) < 1e-9,
             qPrintable(QString::number(position.Latitude(), 'g', 12)));
}

void TestGeoPosition::longitudeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("longitude");
    QTest::newRow("O means west") << "004 30 O" << -4.5;
    QTest::newRow("lower-case w") << "004 30 w" << -4.5;
    QTest::newRow("east") << "004 30 E" << 4.5;
    QTest::newRow("east lower-case") << "179 59 e" << 179 + 59 / 60.0;
    QTest::newRow("underscore") << "___ 30 E" << 181.0;
    QTest::newRow("no range check") << "200 E" << 200.0;
    QTest::newRow("minus") << "-120" << -120.0;
}

void TestGeoPosition::longitudeText()
{
    QFETCH(QString, text);
    QFETCH(double, longitude);
    GeoPosition position;
    position.SetLongitudeText(text);
    QVERIFY2(qAbs(position.Longitude() - longitude) < 1e-9,
             qPrintable(QString::number(position.Longitude(), 'g', 12)));
}

void TestGeoPosition::textRoundTrip()
{
    // What the tab shows must read back as the same position (to the
    // precision of the text).
    const double latitudes[] = {-89.999, -50.5, -12.3456, 0.0, 0.0001, 33.3333, 60.25, 90.0};
    const double longitudes[] = {-180.0, -123.4567, -4.5, 0.0, 7.25, 151.2093, 179.9999};
    for (double latitude : latitudes) {
        GeoPosition position;
        position.SetLatitude(latitude);
        GeoPosition parsed;
        parsed.SetLatitudeText(position.LatitudeDms());
        QVERIFY2(qAbs(parsed.Latitude() - latitude) < 0.0005 / 3600.0 + 1e-9,
                 qPrintable(position.LatitudeDms()));
        parsed.SetLatitudeText(position.LatitudeDm());
        QVERIFY2(qAbs(parsed.Latitude() - latitude) < 0.00005 / 60.0 + 1e-9,
                 qPrintable(position.LatitudeDm()));
    }
    for (double longitude : longitudes) {
        GeoPosition position;
        position.SetLongitude(longitude);
        GeoPosition parsed;
        parsed.SetLongitudeText(position.LongitudeDms());
        QVERIFY2(qAbs(parsed.Longitude() - longitude) < 0.0005 / 3600.0 + 1e-9,
                 qPrintable(position.LongitudeDms()));
        parsed.SetLongitudeText(position.LongitudeDm());
        QVERIFY2(qAbs(parsed.Longitude() - longitude) < 0.00005 / 60.0 + 1e-9,
                 qPrintable(position.LongitudeDm()));
    }
    // Not available survives the trip too.
    GeoPosition blank;
    GeoPosition parsed;
    parsed.SetLatitude(1.0);
    parsed.SetLongitude(1.0);
    parsed.SetLatitudeText(blank.LatitudeDms());
    parsed.SetLongitudeText(blank.LongitudeDms());
    QCOMPARE(parsed.Latitude(), 91.0);
    QCOMPARE(parsed.Longitude(), 181.0);
}

void TestGeoPosition::parseAngleUnits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("degrees");
    QTest::newRow("unit follows the marked part") << "10 20M 30" << 10 + 20 / 60.0 + 30 / 3600.0;
    QTest::newRow("seconds only") << "36\"" << 0.01;
    QTest::newRow("degrees marker letter") << "12d" << 12.0;
    QTest::newRow("minutes then more") << "30m 36 5" << 0.5 + 0.01;
    QTest::newRow("huge stays finite") << "1e300" << 1e300;
    QTest::newRow("negative") << "-0 30" << -0.5;
}

void TestGeoPosition::parseAngleUnits()
{
    QFETCH(QString, text);
    QFETCH(double, degrees);
    QCOMPARE(GeoPosition::ParseAngle(text), degrees);
}

QTEST_GUILESS_MAIN(TestGeoPosition)
#include "tst_model_geoposition.moc"
