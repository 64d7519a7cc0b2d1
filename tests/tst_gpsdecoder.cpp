#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "decode/satellitedata.h"
#include "decode/textreassembler.h"
#include "model/model.h"
#include "status/unitstatus.h"
#include "support/testchecksum.h"

namespace {

// A received line, its end as the controller leaves it.
QString Line(const QString &body)
{
    return TestChecksum::Framed(body) + '\n';
}

// Every satellite entry as "prn elevation azimuth snr", then "-" when the
// SNR field is missing and the flags that are set.
QStringList Satellites(const SatelliteData *data)
{
    QStringList out;
    for (const SatelliteData::Satellite &s : data->satellites) {
        out << QStringLiteral("%1 %2 %3 %4").arg(s.prn).arg(s.elevation).arg(s.azimuth).arg(s.snr) +
                   (s.snrPresent ? "" : " -") + (s.sbas ? " sbas" : "") +
                   (s.glonass ? " glonass" : "") + (s.usedInFix ? " used" : "");
    }
    return out;
}

} // namespace

class TestGpsDecoder : public QObject
{
    Q_OBJECT

private slots:
    void rmc_data();
    void rmc();
    void ignoresOtherTalkersAndBadLines();
    void satellitesInViewAndUsed();
    void fixFromRmcWithoutGsa();
    void rmcWatchdogFiresTwoSecondsAfterLastFix();
    void textMessagesJoinParts();
};

void TestGpsDecoder::rmc_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("fix"); // date time latitude,longitude speed course mode
    const auto row = [](const char *name, const QString &before, const QString &body,
                        const QString &fix) { QTest::newRow(name) << before << body << fix; };
    const QString full = "$GPRMC,123519.00,A,5130.5000,N,00007.2500,W,12.5,84.4,060326,,,D";
    const QString kinematic = "$GPRMC,120000,A,5000.0000,N,00100.0000,E,1.0,359.9,010126,,,R";
    // A two-digit year is in this century, not 1926.
    row("full fix", "", full, "2026-03-06 12:35:19 51.508333,-0.120833 12.5 84.4 1");
    // Every RMC starts from a reset record: missing fields are not kept.
    row("south east, no speed", full, "$GPRMC,000001,A,3352.1200,S,15112.6000,E,,,290200,,,A",
        "2000-02-29 00:00:01 -33.868667,151.210000 0 0 0");
    // Without field 12 the mode of the previous fix stays.
    row("no position", full, "$GPRMC,101010,V,,,,,,,311299",
        "1999-12-31 10:10:10 0.000000,0.000000 0 0 1");
    row("course below 360", "", kinematic, "2026-01-01 12:00:00 50.000000,1.000000 1 359.9 7");
    row("course 360 refused", kinematic,
        "$GPRMC,120001,A,5000.0000,N,00100.0000,E,1.0,360.0,010126",
        "2026-01-01 12:00:01 50.000000,1.000000 1 0 7");
    row("unknown mode letter", "", "$GPRMC,120002,A,5000.0000,N,00100.0000,E,1.0,10.0,010126,,,Q",
        "2026-01-01 12:00:02 50.000000,1.000000 1 10 5");
}

void TestGpsDecoder::rmc()
{
    QFETCH(QString, before);
    QFETCH(QString, body);
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::GpsDataReceived);
    if (!before.isEmpty())
        decoder.OnReceived(Line(before));
    decoder.OnReceived(Line(body));
    QCOMPARE(spy.count(), before.isEmpty() ? 1 : 2);
    const GpsData *fix = spy.last().at(0).value<GpsData *>();
    QVERIFY(fix && fix == decoder.GetGpsData());
    QTEST(QStringLiteral("%1 %2 %3,%4 %5 %6 %7")
              .arg(fix->date.toString(Qt::ISODate), fix->time.toString(Qt::ISODate))
              .arg(fix->position.Latitude(), 0, 'f', 6)
              .arg(fix->position.Longitude(), 0, 'f', 6)
              .arg(fix->speed)
              .arg(fix->course)
              .arg(fix->mode),
          "fix");
}

void TestGpsDecoder::ignoresOtherTalkersAndBadLines()
{
    GPSDecoder decoder;
    QSignalSpy fixes(&decoder, &GPSDecoder::GpsDataReceived);
    QSignalSpy satellites(&decoder, &GPSDecoder::SatelliteDataReceived);
    QSignalSpy texts(&decoder, &GPSDecoder::GPSTextMessageReceived);
    const QString good = Line("$GPRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326");
    // The first line's checksum no longer matches its changed body.
    for (const QString &line :
         {QString(good).replace("W,0,0", "W,0,1"),
          Line("$GNRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326"),
          Line("$AITXT,01,01,01,HELLO"), Line("$GPGGA,123519,5130.5000,N,00007.2500,W,1,08,,,,,"),
          QStringLiteral("garbage\n"), QString()})
        decoder.OnReceived(line);
    QCOMPARE(fixes.count() + satellites.count() + texts.count(), 0);
    QCOMPARE(decoder.GetGpsData(), nullptr);

    decoder.OnReceived(good);
    QCOMPARE(fixes.count(), 1);
}

void TestGpsDecoder::satellitesInViewAndUsed()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::SatelliteDataReceived);
    // Before any sentence the watchdogs still announce "no data".
    decoder.OnGSATimeout();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<SatelliteData *>(), nullptr);

    // A GSA ahead of any whole GSV set: the fix is known, the counts are not.
    decoder.OnReceived(Line("$GPGSA,A,3,01,34,,,,,,,,,,,2.5,1.3,2.1"));
    SatelliteData *data = spy.last().at(0).value<SatelliteData *>();
    QVERIFY(data && !data->inViewKnown && !data->usedKnown);
    QCOMPARE(data->fixMode, 2);

    // The parts of a set count together once the last has come. A group
    // missing at the end of a sentence leaves zeros and no SNR, an empty SNR
    // field is present.
    decoder.OnReceived(Line("$GPGSV,3,1,09,01,40,083,46,34,17,308,,70,07,344,39,14,22,228,45"));
    decoder.OnReceived(Line("$GPGSV,3,2,09,20,10,100,30,21,11,110"));
    QCOMPARE(spy.count(), 2);
    decoder.OnReceived(Line("$GPGSV,3,3,09"));
    QCOMPARE(spy.count(), 3);
    QVERIFY(data->inViewKnown && data->usedKnown);
    QCOMPARE(data->satellitesInView, 9);
    const QStringList cleared =
        QVector<QString>(SatelliteData::MaxSatellites, "0 0 0 0 -").toList();
    const QStringList inView =
        QStringList{"1 40 83 46 used", "34 17 308 0 sbas used", "70 7 344 39 glonass",
                    "14 22 228 45",    "20 10 100 30",          "21 11 110 0 -"} +
        cleared.mid(6);
    QCOMPARE(Satellites(data), inView);
    QCOMPARE(data->UsedCount(), 2);

    // A set with a part missing, or with part numbers beyond any entry or
    // out of order, changes nothing and is not announced.
    for (const char *gsv :
         {"$GPGSV,2,1,05,01,40,083,46", "$GPGSV,2,3,05,99,10,100,30", "$GPGSV,5,5,20,99,10,100,30",
          "$GPGSV,5,1073741828,20,99,10,100,30", "$GPGSV,5,-1073741820,20,98,10,100,30"})
        decoder.OnReceived(Line(gsv));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(Satellites(data), inView);

    // A GSA marks the satellites it names at once; satellites that move to
    // other entries in the next set take their marks with them.
    decoder.OnReceived(Line("$GPGSA,A,2,20,14,,,,,,,,,,,2.5,1.3,2.1"));
    QCOMPARE(data->fixMode, 1);
    QCOMPARE(data->UsedCount(), 2);
    decoder.OnReceived(Line("$GPGSV,1,1,03,20,10,100,30,07,11,110,20,14,22,228,45"));
    QCOMPARE(Satellites(data).mid(0, 4),
             QStringList({"20 10 100 30 used", "7 11 110 20", "14 22 228 45 used", "0 0 0 0 -"}));
    QCOMPARE(data->satellitesInView, 3);

    // The watchdogs: the GSA one leaves the used satellites unknown, the GSV
    // one the list cleared.
    decoder.OnGSATimeout();
    QCOMPARE(spy.last().at(0).value<SatelliteData *>(), data);
    QVERIFY(!data->usedKnown && data->UsedCount() == 0 && data->inViewKnown);
    decoder.OnGSVTimeout();
    QCOMPARE(spy.last().at(0).value<SatelliteData *>(), nullptr);
    QCOMPARE(Satellites(data), cleared);
    QVERIFY(!data->inViewKnown);
    // A GSA watchdog that fires later (its sentence came last) leaves them lost.
    const int lost = spy.count();
    decoder.OnGSATimeout();
    QCOMPARE(spy.count(), lost);
}

// Without GSA the fix is taken from RMC's status, once a second has passed
// without one; a GSA has the last word whenever it comes. A status cleared
// for another unit hears the fix again.
void TestGpsDecoder::fixFromRmcWithoutGsa()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::SatelliteDataReceived);
    const QString valid = Line("$GPRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326,,,A");
    const QString invalid = Line("$GPRMC,123520,V,,,,,,,060326,,,N");
    const QString gsa = Line("$GPGSA,A,3,01,34,,,,,,,,,,,2.5,1.3,2.1");
    QList<int> fixes;
    for (const QString &line : {valid, valid, valid, invalid, gsa, valid, valid, valid}) {
        const int before = spy.count();
        decoder.OnReceived(line);
        fixes << (spy.count() > before ? decoder.GetSatelliteData()->fixMode : -1);
    }
    QCOMPARE(fixes, (QList<int>{-1, 1, -1, 0, 2, -1, 1, -1}));

    // Another unit docked clears what the status knows; the fix the new
    // unit reports is taken afresh though it is the same as the last one.
    Model unit;
    MessageDecoder messages(&unit);
    UnitStatus status(&unit);
    status.Follow(&decoder, &messages);
    status.Clear();
    for (int i = 0; i < 3; ++i)
        decoder.OnReceived(valid);
    QCOMPARE(status.Gps().FixMode(), 1);
}

void TestGpsDecoder::rmcWatchdogFiresTwoSecondsAfterLastFix()
{
    GPSDecoder decoder;
    QSignalSpy fixes(&decoder, &GPSDecoder::GpsDataReceived);
    const QString rmc = Line("$GPRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326");

    QElapsedTimer clock;
    clock.start();
    decoder.OnReceived(rmc);
    // A second fix after 1.2 s restarts the watchdog.
    QTest::qWait(1200);
    decoder.OnReceived(rmc);
    const qint64 lastFix = clock.elapsed();

    QVERIFY(fixes.wait(5000));
    const qint64 silence = clock.elapsed() - lastFix;
    QCOMPARE(fixes.count(), 3);
    QCOMPARE(fixes.last().at(0).value<GpsData *>(), nullptr);
    QCOMPARE(decoder.GetGpsData()->position.Latitude(), 0.0);
    // A precise timer: a fix is never dropped before two full seconds.
    QVERIFY2(silence >= 1990 && silence < 3500, qPrintable(QString::number(silence)));
    // It stops after firing once.
    QTest::qWait(2300);
    QCOMPARE(fixes.count(), 3);
}

void TestGpsDecoder::textMessagesJoinParts()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::GPSTextMessageReceived);
    const QString cafe = QString::fromUtf8("caf\xc3\xa9");
    // A part that fills its sentence is continued by the next; short parts
    // are texts of their own, kept apart.
    const QByteArray full(TextReassembler::FullPartLength, 'F');
    for (const QByteArray &body : QList<QByteArray>{
             "$GPTXT,03,01,02,ANTENNA OK", "$GPTXT,03,02,05,OTHER", // another identifier
             "$GPTXT,03,02,02,TIME PULSE", "$GPTXT,03,03,02,=OK^2C FINE", "$GPTXT,02,01,06," + full,
             "$GPTXT,02,02,06,TAIL",
             // Identifier 99 has a buffer, 100 has none.
             "$GPTXT,01,01,99,LAST", "$GPTXT,01,01,100,NONE",
             // No text field, or an empty total or number: nothing.
             "$GPTXT,01,01,03", "$GPTXT,,01,03,X", "$GPTXT,01,,03,X",
             // The bytes of the text are UTF-8 (the line arrives byte for byte).
             "$GPTXT,01,01,04,caf\xc3\xa9"})
        decoder.OnReceived(Line(QString::fromLatin1(body)));
    // Text that is not UTF-8 that way (decoded already, or Latin-1) is kept.
    decoder.OnReceived(Line("$GPTXT,01,01,04," + cafe));

    QStringList texts;
    for (const auto &signal : spy)
        texts << signal.at(0).toString();
    QCOMPARE(texts,
             QStringList({"ANTENNA OK; TIME PULSE; =OK, FINE", full + "TAIL", "LAST", cafe, cafe}));
}

QTEST_GUILESS_MAIN(TestGpsDecoder)
#include "tst_gpsdecoder.moc"
