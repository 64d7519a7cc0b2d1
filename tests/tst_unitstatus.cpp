// The unit status model against the simulator's traffic over the
// application's link, and against the same traffic played back from the log
// that link wrote.

#include "app/vandrelapplication.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/serialcontroller.h"
#include "model/aton.h"
#include "model/model.h"
#include "status/geooffset.h"
#include "status/unitstatus.h"

#include "support/apptestmain.h"
#include "support/simprocess.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Everything the model holds that a log carries, one line per item. The
// trail and the receiver texts are left out: the log starts a moment after
// the link, and the first of them may come before it.
QStringList Describe(const UnitStatus &s)
{
    QStringList out;
    const GpsStatus &gps = s.Gps();
    out << QStringLiteral("fix %1 %2 %3 mode %4 %5 of %6 used")
               .arg(gps.Utc().toString(Qt::ISODate))
               .arg(gps.Latitude(), 0, 'f', 7)
               .arg(gps.Longitude(), 0, 'f', 7)
               .arg(gps.Mode())
               .arg(gps.SatellitesUsed())
               .arg(gps.SatellitesInView());
    const OwnReportTrack &reports = s.OwnReports();
    const Message21Report &r = reports.Last();
    out << QStringLiteral("reports %1 last %2 every %3 s: %4 %5 %6 off %7 racon %8 light %9")
               .arg(reports.Count())
               .arg(reports.LastTime().toString(Qt::ISODate))
               .arg(reports.IntervalSeconds())
               .arg(r.mmsi)
               .arg(r.latitude, 0, 'f', 7)
               .arg(r.longitude, 0, 'f', 7)
               .arg(r.offPosition)
               .arg(r.racon)
               .arg(r.light);
    for (const AlarmTable::Row &a : s.Alarms().Rows())
        out << QStringLiteral("alarm %1 %2 active %3 ack %4 %5 to %6")
                   .arg(a.number)
                   .arg(a.text)
                   .arg(a.active)
                   .arg(a.acknowledged)
                   .arg(a.firstSeen.toString(Qt::ISODate), a.lastSeen.toString(Qt::ISODate));
    for (const TimedTextList::Entry &t : s.Texts().Entries())
        out << QStringLiteral("text %1 %2").arg(t.time.toString(Qt::ISODate), t.text);
    return out;
}

} // namespace

class TestUnitStatus : public QObject
{
    Q_OBJECT

private slots:
    void offsetBetweenPositions_data();
    void offsetBetweenPositions();
    void liveLinkThenReplay();
};

// Expected values worked by hand on a flat patch of a sphere of radius
// 6371008.8 m: a thousandth of a degree of latitude is 111.195 m.
void TestUnitStatus::offsetBetweenPositions_data()
{
    QTest::addColumn<QPointF>("from"); // x longitude, y latitude
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<double>("metres");
    QTest::addColumn<double>("bearing");
    QTest::newRow("north") << QPointF(0, 0) << QPointF(0, 0.001) << 111.195 << 0.0;
    QTest::newRow("east on the equator") << QPointF(0, 0) << QPointF(0.001, 0) << 111.195 << 90.0;
    // Two thousandths of a degree of longitude at 60 N are half as long.
    QTest::newRow("east at 60 N") << QPointF(0, 60) << QPointF(0.002, 60) << 111.195 << 90.0;
    QTest::newRow("across the date line")
        << QPointF(179.9995, 0) << QPointF(-179.9995, 0) << 111.195 << 90.0;
    // 100.076 m south and 98.391 m west (cos 50.79955 = 0.63190).
    QTest::newRow("south-west") << QPointF(-1.1, 50.8) << QPointF(-1.1014, 50.7991) << 140.342
                                << 224.514;
}

void TestUnitStatus::offsetBetweenPositions()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(double, metres);
    QFETCH(double, bearing);
    const GeoOffset o = GeoOffset::Between(from.y(), from.x(), to.y(), to.x());
    QVERIFY2(qAbs(o.metres - metres) < 0.01, qPrintable(QString::number(o.metres, 'f', 4)));
    QVERIFY2(qAbs(o.bearing - bearing) < 0.01, qPrintable(QString::number(o.bearing, 'f', 4)));
}

void TestUnitStatus::liveLinkThenReplay()
{
    // The document holds the sample unit's MMSI, nominal position and threshold.
    AtoN *aton = App()->EditModel()->GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351234"));
    aton->GetPosition()->SetLatitude(50 + 47.4512 / 60);
    aton->GetPosition()->SetLongitude(-(1 + 6.2275 / 60));
    aton->SetOffPositionThreshold(75);

    UnitStatus status(App()->EditModel());
    status.Follow(App()->GetGpsDecoder(), App()->GetMessageDecoder());
    status.FollowLinks(App());

    // What passes while the unit drifts out 150 m and back every 8 s and
    // loses its fix for the last second of each cycle.
    QSet<QString> seen;
    connect(&status, &UnitStatus::Changed, this, [&] {
        const GpsStatus &gps = status.Gps();
        if (gps.HasSatelliteData())
            seen << QStringLiteral("fix %1, %2 of %3")
                        .arg(gps.FixMode())
                        .arg(gps.SatellitesUsed())
                        .arg(gps.SatellitesInView());
        if (gps.HasFixData() && !gps.PositionValid())
            seen << QStringLiteral("no position");
        for (const AlarmTable::Row &a : status.Alarms().Rows())
            seen << QStringLiteral("alarm %1 %2").arg(a.number).arg(a.active);
    });

    SimProcess sim({"--fast", "--drift", "150", "--fix-gaps", "--cycle", "8"});
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("traffic.log"));
    App()->SetPortName(sim.port);
    App()->ConnectSerialTransport();
    QTRY_VERIFY_WITH_TIMEOUT(App()->GetSerialController(), 5000);
    QVERIFY(App()->GetSerialController()->StartLog(log));

    QTRY_VERIFY_WITH_TIMEOUT(status.OwnReports().Count() >= 2, 20000);
    QVERIFY2(seen.contains("fix 2, 7 of 10"), qPrintable(QStringList(seen.values()).join('|')));
    QVERIFY(seen.contains("fix 0, 0 of 10"));
    QVERIFY(seen.contains("no position"));
    // Off position (62) and the lost fix (25) raised and cleared again.
    for (const char *alarm : {"alarm 62 1", "alarm 62 0", "alarm 25 1", "alarm 25 0"})
        QVERIFY2(seen.contains(alarm), alarm);
    QVERIFY(status.Alarms().Count() >= 4);
    QTRY_VERIFY_WITH_TIMEOUT(!status.Texts().Entries().isEmpty(), 5000);

    const OwnReportTrack &reports = status.OwnReports();
    const Message21Report &r = reports.Last();
    QCOMPARE(r.mmsi, QStringLiteral("992351234"));
    // Its last fourteen characters come in the name extension.
    QCOMPARE(r.name, QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
    QCOMPARE(r.racon, 2u); // operational
    QVERIFY(!r.virtualAid);
    QVERIFY2(qAbs(reports.IntervalSeconds() - 10) <= 1,
             qPrintable(QString::number(reports.IntervalSeconds())));
    // The report lies on the drift's bearing (a few metres of wobble aside)
    // and flags itself off position beyond the 75 m threshold.
    GeoOffset offset;
    QVERIFY(status.ReportOffset(offset));
    if (offset.metres > 30)
        QVERIFY2(qAbs(offset.bearing - 45) < 15, qPrintable(QString::number(offset.bearing)));
    if (qAbs(offset.metres - 75) > 10)
        QCOMPARE(r.offPosition, offset.metres > 75);

    App()->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 5000);
    const QStringList live = Describe(status);
    const QVector<QPointF> liveTrail = status.Gps().Trail();
    // Without sentences the GPS data go stale but stay.
    QTRY_VERIFY_WITH_TIMEOUT(status.Gps().FixStale() && status.Gps().SatellitesStale(), 4000);
    QVERIFY(status.Gps().HasFixData());

    // The replay starts from nothing and ends where the live link ended.
    App()->SetLogFilename(log);
    App()->ConnectSerialTransportToLogFile();
    QCOMPARE(status.Alarms().Count(), 0);
    QVERIFY(!status.OwnReports().HasReport() && !status.Gps().HasFixData());
    QVERIFY(status.Replaying());
    QTRY_VERIFY_WITH_TIMEOUT(!App()->GetWorkerThread(), 10000);
    QCOMPARE(Describe(status), live);
    const QVector<QPointF> trail = status.Gps().Trail();
    QVERIFY(!trail.isEmpty() && trail.size() <= liveTrail.size());
    QCOMPARE(trail, liveTrail.mid(liveTrail.size() - trail.size()));
}

VANDREL_APP_TEST_MAIN(TestUnitStatus)

#include "tst_unitstatus.moc"
