#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/satellitedata.h"
#include "decode/textreassembler.h"

namespace {

// A received line: the body, "*", the XOR of everything after the start
// character, and the line end (which the controller leaves as "\n").
QString Line(const QString &body)
{
    uchar sum = 0;
    for (int i = 1; i < body.size(); ++i)
        sum ^= uchar(body.at(i).unicode());
    return body + QStringLiteral("*%1\n").arg(sum, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

class TestGpsDecoder : public QObject
{
    Q_OBJECT

private slots:
    void rmcFix();
    void rmcKeepsModeAndRefusesCourse();
    void ignoresOtherTalkersAndBadLines();
    void satellitesInViewAndUsed();
    void watchdogsClearAndAnnounce();
    void rmcWatchdogFiresTwoSecondsAfterLastFix();
    void textMessagesJoinParts();
    void textBufferIsBounded();
};

void TestGpsDecoder::rmcFix()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::GpsDataReceived);
    QCOMPARE(decoder.GetGpsData(), nullptr);

    decoder.OnReceived(Line("$GPRMC,123519.00,A,5130.5000,N,00007.2500,W,12.5,84.4,060326,,,D"));
    QCOMPARE(spy.count(), 1);
    auto *fix = spy.at(0).at(0).value<GpsData *>();
    QVERIFY(fix);
    QCOMPARE(fix, decoder.GetGpsData());
    QCOMPARE(fix->time, QTime(12, 35, 19));
    // A two-digit year is in this century, not 1926.
    QCOMPARE(fix->date, QDate(2026, 3, 6));
    QVERIFY(qAbs(fix->position.Latitude() - 51.5083333333) < 1e-9);
    QVERIFY(qAbs(fix->position.Longitude() - -0.1208333333) < 1e-9);
    QCOMPARE(fix->speed, 12.5);
    QCOMPARE(fix->course, 84.4);
    QCOMPARE(fix->mode, 1);

    // Southern and eastern hemispheres; every RMC starts from a reset record,
    // so fields missing here do not keep the previous fix's values.
    decoder.OnReceived(Line("$GPRMC,000001,A,3352.1200,S,15112.6000,E,,,290200,,,A"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(fix->time, QTime(0, 0, 1));
    QCOMPARE(fix->date, QDate(2000, 2, 29));
    QVERIFY(qAbs(fix->position.Latitude() - -33.868666667) < 1e-8);
    QVERIFY(qAbs(fix->position.Longitude() - 151.21) < 1e-8);
    QCOMPARE(fix->speed, 0.0);
    QCOMPARE(fix->course, 0.0);
    QCOMPARE(fix->mode, 0);

    // A fix without a position: position (0, 0), not the previous one.
    decoder.OnReceived(Line("$GPRMC,101010,V,,,,,,,311299"));
    QCOMPARE(fix->position.Latitude(), 0.0);
    QCOMPARE(fix->position.Longitude(), 0.0);
    QCOMPARE(fix->date, QDate(1999, 12, 31));
    QCOMPARE(GpsData::ModeFromLetter(QLatin1Char('S')), 8);
    QCOMPARE(GpsData::ModeFromLetter(QLatin1Char('X')), 5);
}

void TestGpsDecoder::rmcKeepsModeAndRefusesCourse()
{
    GPSDecoder decoder;
    decoder.OnReceived(Line("$GPRMC,120000,A,5000.0000,N,00100.0000,E,1.0,359.9,010126,,,R"));
    GpsData *fix = decoder.GetGpsData();
    QVERIFY(fix);
    QCOMPARE(fix->course, 359.9);
    QCOMPARE(fix->mode, 7);

    // 360 is outside 0 <= course < 360: the reset value 0 stays. Without
    // field 12 the mode of the previous fix stays.
    decoder.OnReceived(Line("$GPRMC,120001,A,5000.0000,N,00100.0000,E,1.0,360.0,010126"));
    QCOMPARE(fix->course, 0.0);
    QCOMPARE(fix->mode, 7);
    QVERIFY(!fix->SetCourse(-0.5));
    QVERIFY(fix->SetCourse(0.0));

    // An unknown mode letter reads as "not valid".
    decoder.OnReceived(Line("$GPRMC,120002,A,5000.0000,N,00100.0000,E,1.0,10.0,010126,,,Q"));
    QCOMPARE(fix->mode, 5);
    QCOMPARE(fix->course, 10.0);

    // A time that is no time is stored as invalid and reported so.
    QVERIFY(!fix->SetTime(QStringLiteral("256000")));
    QVERIFY(!fix->time.isValid());
    QVERIFY(!fix->SetDate(QStringLiteral("320126")));
    QVERIFY(!fix->date.isValid());
}

void TestGpsDecoder::ignoresOtherTalkersAndBadLines()
{
    GPSDecoder decoder;
    QSignalSpy fixes(&decoder, &GPSDecoder::GpsDataReceived);
    QSignalSpy satellites(&decoder, &GPSDecoder::SatelliteDataReceived);
    QSignalSpy texts(&decoder, &GPSDecoder::GPSTextMessageReceived);

    const QString good = Line("$GPRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326");
    QString badChecksum = good;
    badChecksum[badChecksum.size() - 2] = badChecksum.at(badChecksum.size() - 2) == '0' ? '1' : '0';
    decoder.OnReceived(badChecksum);
    decoder.OnReceived(Line("$GNRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326"));
    decoder.OnReceived(Line("$AITXT,01,01,01,HELLO"));
    decoder.OnReceived(Line("$GPGGA,123519,5130.5000,N,00007.2500,W,1,08,0.9,545.4,M,,,,"));
    decoder.OnReceived(QStringLiteral("garbage\n"));
    decoder.OnReceived(QString());
    QCOMPARE(fixes.count(), 0);
    QCOMPARE(satellites.count(), 0);
    QCOMPARE(texts.count(), 0);
    QCOMPARE(decoder.GetGpsData(), nullptr);
    QCOMPARE(decoder.GetSatelliteData(), nullptr);

    decoder.OnReceived(good);
    QCOMPARE(fixes.count(), 1);
}

void TestGpsDecoder::satellitesInViewAndUsed()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::SatelliteDataReceived);

    decoder.OnReceived(Line("$GPGSV,3,1,09,01,40,083,46,34,17,308,,70,07,344,39,14,22,228,45"));
    QCOMPARE(spy.count(), 1);
    SatelliteData *data = spy.at(0).at(0).value<SatelliteData *>();
    QVERIFY(data);
    QCOMPARE(data->satellitesInView, 9);
    const auto &s = data->satellites;
    QCOMPARE(s[0].prn, 1);
    QCOMPARE(s[0].elevation, 40);
    QCOMPARE(s[0].azimuth, 83);
    QCOMPARE(s[0].snr, 46);
    QVERIFY(s[0].snrPresent);
    QVERIFY(!s[0].sbas && !s[0].glonass);
    QCOMPARE(s[1].prn, 34);
    QVERIFY(s[1].sbas && !s[1].glonass);
    QCOMPARE(s[1].snr, 0);
    QVERIFY(s[1].snrPresent); // empty but present
    QVERIFY(s[2].glonass && !s[2].sbas);

    // Message 2 fills entries 4 to 7; a group missing at the end of the
    // sentence leaves zeros and no SNR.
    decoder.OnReceived(Line("$GPGSV,3,2,09,20,10,100,30,21,11,110"));
    QCOMPARE(s[4].prn, 20);
    QCOMPARE(s[5].prn, 21);
    QVERIFY(!s[5].snrPresent);
    QCOMPARE(s[6].prn, 0);

    // Message 5 would start at entry 16: nothing changes, but it is announced.
    const auto before = data->satellites;
    decoder.OnReceived(Line("$GPGSV,5,5,20,99,10,100,30"));
    QCOMPARE(spy.count(), 3);
    for (int i = 0; i < SatelliteData::MaxSatellites; ++i)
        QCOMPARE(data->satellites[i].prn, before[i].prn);
    QCOMPARE(data->satellitesInView, 20);
    // A message number so large that four times it wraps round to entry 12,
    // and one below 1: neither reaches an entry.
    decoder.OnReceived(Line("$GPGSV,5,1073741828,20,99,10,100,30"));
    decoder.OnReceived(Line("$GPGSV,5,-1073741820,20,98,10,100,30"));
    for (int i = 0; i < SatelliteData::MaxSatellites; ++i)
        QCOMPARE(data->satellites[i].prn, before[i].prn);

    // GSA: fix mode and the satellites used; the previous marks are cleared.
    QCOMPARE(spy.count(), 5);
    decoder.OnReceived(Line("$GPGSA,A,3,01,34,,,,,,,,,,,2.5,1.3,2.1"));
    QCOMPARE(data->fixMode, 2);
    QVERIFY(s[0].usedInFix && s[1].usedInFix);
    QVERIFY(!s[4].usedInFix);
    decoder.OnReceived(Line("$GPGSA,A,2,20,,,,,,,,,,,,2.5,1.3,2.1"));
    QCOMPARE(data->fixMode, 1);
    QVERIFY(!s[0].usedInFix && !s[1].usedInFix);
    QVERIFY(s[4].usedInFix);
    decoder.OnReceived(Line("$GPGSA,A,1,,,,,,,,,,,,,,,"));
    QCOMPARE(data->fixMode, 0);
    decoder.OnReceived(Line("$GPGSA,A,7"));
    QCOMPARE(data->fixMode, 0);

    QVERIFY(!data->SetSatellite(16, 1, 1, 1, 1, true));
    QVERIFY(!data->SetSatellite(-1, 1, 1, 1, 1, true));
    QVERIFY(!data->MarkUsed(200, true));

    decoder.Reset();
    QCOMPARE(data->satellitesInView, 0);
    QCOMPARE(data->satellites[0].prn, 0);
}

void TestGpsDecoder::watchdogsClearAndAnnounce()
{
    GPSDecoder decoder;
    QSignalSpy fixes(&decoder, &GPSDecoder::GpsDataReceived);
    QSignalSpy satellites(&decoder, &GPSDecoder::SatelliteDataReceived);

    // Before any sentence the watchdogs still announce "no data".
    decoder.OnGSATimeout();
    QCOMPARE(satellites.count(), 1);
    QCOMPARE(satellites.at(0).at(0).value<SatelliteData *>(), nullptr);

    decoder.OnReceived(Line("$GPRMC,123519,A,5130.5000,N,00007.2500,W,0,0,060326,,,A"));
    decoder.OnReceived(Line("$GPGSV,1,1,01,07,40,083,46"));
    decoder.OnReceived(Line("$GPGSA,A,3,07,,,,,,,,,,,,2.5,1.3,2.1"));
    SatelliteData *data = decoder.GetSatelliteData();
    QVERIFY(data->satellites[0].usedInFix);

    decoder.OnGSATimeout();
    QCOMPARE(satellites.last().at(0).value<SatelliteData *>(), data);
    QVERIFY(!data->satellites[0].usedInFix);
    QCOMPARE(data->satellites[0].prn, 7);

    decoder.OnGSVTimeout();
    QCOMPARE(satellites.last().at(0).value<SatelliteData *>(), nullptr);
    QCOMPARE(data->satellites[0].prn, 0);

    decoder.OnRMCTimeout();
    QCOMPARE(fixes.last().at(0).value<GpsData *>(), nullptr);
    QCOMPARE(decoder.GetGpsData()->time, QTime(0, 0, 0));
    QCOMPARE(decoder.GetGpsData()->position.Latitude(), 0.0);
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
    QCOMPARE(fixes.count(), 2);

    QVERIFY(fixes.wait(5000));
    const qint64 silence = clock.elapsed() - lastFix;
    QCOMPARE(fixes.count(), 3);
    QCOMPARE(fixes.last().at(0).value<GpsData *>(), nullptr);
    QVERIFY2(silence >= 1900 && silence < 3500, qPrintable(QString::number(silence)));

    // It stops after firing once.
    QTest::qWait(2300);
    QCOMPARE(fixes.count(), 3);
}

void TestGpsDecoder::textMessagesJoinParts()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::GPSTextMessageReceived);

    decoder.OnReceived(Line("$GPTXT,03,01,02,ANT"));
    decoder.OnReceived(Line("$GPTXT,03,02,05,OTHER")); // another identifier
    decoder.OnReceived(Line("$GPTXT,03,02,02,STATUS"));
    QCOMPARE(spy.count(), 0);
    decoder.OnReceived(Line("$GPTXT,03,03,02,=OK^2C FINE"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("ANTSTATUS=OK, FINE"));

    // Identifier 99 has a buffer, 100 has none.
    decoder.OnReceived(Line("$GPTXT,01,01,99,LAST"));
    decoder.OnReceived(Line("$GPTXT,01,01,100,NONE"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("LAST"));

    // No text field, or an empty total or number: nothing.
    decoder.OnReceived(Line("$GPTXT,01,01,03"));
    decoder.OnReceived(Line("$GPTXT,,01,03,X"));
    decoder.OnReceived(Line("$GPTXT,01,,03,X"));
    QCOMPARE(spy.count(), 2);

    // The bytes of the text are UTF-8 (the line arrives byte for byte).
    decoder.OnReceived(
        Line(QStringLiteral("$GPTXT,01,01,04,") + QString::fromLatin1("caf\xc3\xa9")));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(2).at(0).toString(), QString::fromUtf8("caf\xc3\xa9"));
    // Text that is not UTF-8 that way (decoded already, or Latin-1) is kept.
    decoder.OnReceived(Line(QStringLiteral("$GPTXT,01,01,04,") + QString::fromUtf8("caf\xc3\xa9")));
    QCOMPARE(spy.at(3).at(0).toString(), QString::fromUtf8("caf\xc3\xa9"));
}

void TestGpsDecoder::textBufferIsBounded()
{
    GPSDecoder decoder;
    QSignalSpy spy(&decoder, &GPSDecoder::GPSTextMessageReceived);

    // A peer that keeps sending part 2 of 3 must not grow the buffer without
    // limit; the text that passed the limit is dropped, not announced cut.
    const QString part = QString(60, QLatin1Char('x'));
    decoder.OnReceived(Line("$GPTXT,03,01,07,START"));
    const int parts = TextReassembler::MaxTextLength / part.size() + 10;
    for (int i = 0; i < parts; ++i)
        decoder.OnReceived(Line("$GPTXT,03,02,07," + part));
    decoder.OnReceived(Line("$GPTXT,03,03,07,END"));
    QCOMPARE(spy.count(), 0);

    // A long text just under the limit still comes through whole.
    decoder.OnReceived(Line("$GPTXT,99,01,07," + part));
    const int fit = TextReassembler::MaxTextLength / part.size() - 1;
    for (int i = 2; i <= fit; ++i)
        decoder.OnReceived(Line("$GPTXT,99,02,07," + part));
    decoder.OnReceived(Line("$GPTXT,99,99,07,END"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString().size(), fit * part.size() + 3);
}

QTEST_GUILESS_MAIN(TestGpsDecoder)
#include "tst_gpsdecoder.moc"
