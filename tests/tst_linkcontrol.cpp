// The link as a unit session runs it: one transport per connection on its
// own worker thread, wired to the state machine and the decoders, against the
// unit simulator on a pseudo-terminal; the unit status model against the
// simulator's traffic over that link, and against the same traffic played
// back from the log that link wrote.

#include "app/statemachine.h"
#include "app/unitsession.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "status/geooffset.h"
#include "status/unitstatus.h"

#include "support/simprocess.h"

#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QThread>
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

// Records what a session tells whoever shows it.
class SessionRecord : public QObject
{
    Q_OBJECT
public:
    explicit SessionRecord(UnitSession *session)
    {
        connect(
            session, &UnitSession::Failed, this,
            [this](const QString &text, const QString &info) { errors << qMakePair(text, info); });
        connect(session, &UnitSession::LinkDown, this, [this] { calls << "disconnected"; });
    }
    QStringList calls;
    QList<QPair<QString, QString>> errors;
};

class TestLinkControl : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void portInUseAndReconnecting();
    void programExitsWhileLinked_data();
    void programExitsWhileLinked();
    void offsetBetweenPositions_data();
    void offsetBetweenPositions();
    void unitStatusLiveThenReplayed();

private:
    // Connects to the simulator and waits until the link is up.
    bool Link(const QString &port);
    void WaitIdle();

    UnitSession session;
    SessionRecord window{&session};
};

void TestLinkControl::cleanup()
{
    session.Close();
    WaitIdle();
    window.calls.clear();
    window.errors.clear();
}

void TestLinkControl::WaitIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetTransport(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetWorkerThread(), 5000);
}

bool TestLinkControl::Link(const QString &port)
{
    return session.Open(port) && QTest::qWaitFor([this] { return session.IsReady(); }, 5000);
}

void TestLinkControl::portInUseAndReconnecting()
{
    SimProcess sim({"--quiet", "--fast"});
    QSerialPort holder(sim.port);
    QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));

    // Held elsewhere: the message, and neither a transport nor a thread.
    QVERIFY(!session.Open(sim.port));
    QCOMPARE(window.errors.size(), 1);
    QVERIFY(window.errors.at(0).second.contains(sim.port + " is busy: another program"));
    QVERIFY(!session.GetTransport());
    QVERIFY(!session.GetWorkerThread());
    // So for a traffic log that cannot be opened.
    session.Replay(QStringLiteral("/nonexistent/vandrel/traffic.log"), QString());
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 2, 3000);
    WaitIdle();

    // Released, the port links.
    holder.close();
    QVERIFY(Link(sim.port));
    QPointer<SerialTransport> firstTransport = session.GetTransport();
    QPointer<QThread> firstThread = session.GetWorkerThread();
    // Asked again while linked, the own port is busy: the message is shown
    // and the state machine's disconnect closes the link. Reconnect as soon
    // as the link is detached, before its thread may have ended: the late
    // end of the first thread must not touch the second link.
    QVERIFY(!session.Open(sim.port));
    QCOMPARE(window.errors.size(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetTransport(), 3000);
    QVERIFY(Link(sim.port));
    QCOMPARE(window.calls.count("disconnected"), 1);
    QTRY_VERIFY_WITH_TIMEOUT(firstThread.isNull(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(firstTransport.isNull(), 3000);
    QTest::qWait(100);
    QThread *second = session.GetWorkerThread();
    QVERIFY(second && second->isRunning());
    QCOMPARE(session.GetTransport()->thread(), second);

    // The second link works: a retrieve of the lantern tab completes.
    QVERIFY(session.Retrieve(StateMachine::LanternPart));
    QTRY_COMPARE_WITH_TIMEOUT(session.GetStateMachine()->TabStateOf(1),
                              int(StateMachine::TabSynced), 15000);
    QCOMPARE(window.errors.size(), 3);
}

void TestLinkControl::programExitsWhileLinked_data()
{
    QTest::addColumn<QString>("mode");
    // As when the window is closed during a link: a disconnect is asked for,
    // then the event loop ends before the link has closed.
    QTest::newRow("disconnect asked") << "disconnect";
    // As above, while the link still asks who the unit is.
    QTest::newRow("disconnect while starting") << "starting";
    // No disconnect at all (no window, or a tool that just returns).
    QTest::newRow("nothing asked") << "plain";
}

void TestLinkControl::programExitsWhileLinked()
{
    QFETCH(QString, mode);
    SimProcess sim({"--verbose", "--quiet", "--fast"});
    QVERIFY(!sim.port.isEmpty());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--exit-while-linked", sim.port, mode});
    QVERIFY(child.waitForFinished(30000));
    const QByteArray out = child.readAllStandardOutput();
    const QByteArray err = child.readAllStandardError();
    // Exit code 2: the child never linked.
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, out.constData());
    // The worker closed its line and ended in an orderly way, not by the
    // last-resort stop after the exit time limit.
    QVERIFY2(!err.contains("did not end"), err.constData());
    const int at = out.indexOf("exit ms ");
    QVERIFY2(at >= 0 && out.mid(at + 8).trimmed().toInt() < 3000, out.constData());

    // Index of the first line from index from on, in what the simulator
    // received ("<< ") and did so far, that contains text; -1 if none.
    QString log;
    const auto find = [&](const QString &text, int from = 0) {
        log += QString::fromLatin1(sim.process.readAllStandardError());
        const QRegularExpression line(".*" + QRegularExpression::escape(text) + ".*");
        return log.split('\n').indexOf(line, from);
    };
    // The line closes after the link's last traffic (the port-in-use probe
    // before the link closes it once as well).
    const QString last = mode == "starting" ? ",appver,0*" : ",getserno,1*";
    QTRY_VERIFY_WITH_TIMEOUT(find(last) >= 0, 3000);
    const int serialNumber = find(last);
    QTRY_VERIFY_WITH_TIMEOUT(find("line closed", serialNumber) > serialNumber, 3000);
    if (mode != "plain") {
        // "reset" reached the unit before its line closed.
        const int reset = find(",reset,5*", serialNumber);
        QVERIFY2(reset >= 0, qPrintable(log));
        QVERIFY(find("line closed", reset) > reset);
    }
}

// Expected values worked by hand on a flat patch of a sphere of radius
// 6371008.8 m: a thousandth of a degree of latitude is 111.195 m.
void TestLinkControl::offsetBetweenPositions_data()
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

void TestLinkControl::offsetBetweenPositions()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(double, metres);
    QFETCH(double, bearing);
    const GeoOffset o = GeoOffset::Between(from.y(), from.x(), to.y(), to.x());
    QVERIFY2(qAbs(o.metres - metres) < 0.01, qPrintable(QString::number(o.metres, 'f', 4)));
    QVERIFY2(qAbs(o.bearing - bearing) < 0.01, qPrintable(QString::number(o.bearing, 'f', 4)));
}

void TestLinkControl::unitStatusLiveThenReplayed()
{
    // A document of another unit, far away and with another threshold, which
    // the status must not judge the unit by.
    AtoN *aton = session.Document()->GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992359999"));
    aton->GetPosition()->SetLatitude(51);
    aton->GetPosition()->SetLongitude(-2);
    aton->SetOffPositionThreshold(66);

    const UnitStatus &status = *session.Status();

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
    QVERIFY(session.Open(sim.port));
    QVERIFY(session.GetSerialController()->StartLog(log));
    // Until the unit's settings are read, its nominal position is not known;
    // its own MMSI, asked as the link starts, is.
    QTRY_COMPARE_WITH_TIMEOUT(session.Identity().mmsi, QStringLiteral("992351234"), 5000);
    QVERIFY(!session.Identity().serialNumber.isEmpty());
    QVERIFY(!status.NominalAvailable());
    QVERIFY(session.Retrieve(StateMachine::AtoNPart));
    QTRY_VERIFY_WITH_TIMEOUT(session.ConfigurationKnown(), 10000);
    // The sample unit's nominal position and 75 m threshold, not the document's.
    QVERIFY(status.NominalAvailable());
    QCOMPARE(status.ThresholdMetres(), 75);
    QVERIFY(qAbs(status.NominalLatitude() - (50 + 47.4512 / 60)) < 1e-6);

    // Off position (62) and the lost fix (25) raised and cleared again. A
    // loaded machine may take more than one cycle to show them all.
    const QStringList expected{"fix 2, 7 of 10", "fix 0, 0 of 10", "no position", "alarm 62 1",
                               "alarm 62 0",     "alarm 25 1",     "alarm 25 0"};
    const auto allSeen = [&] {
        for (const QString &e : expected)
            if (!seen.contains(e))
                return false;
        return status.OwnReports().Count() >= 2;
    };
    QTRY_VERIFY2_WITH_TIMEOUT(allSeen(), qPrintable(QStringList(seen.values()).join('|')), 40000);
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

    session.Close();
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetWorkerThread(), 5000);
    const QStringList live = Describe(status);
    const QVector<QPointF> liveTrail = status.Gps().Trail();
    // Without sentences the GPS data go stale but stay.
    QTRY_VERIFY_WITH_TIMEOUT(status.Gps().FixStale() && status.Gps().SatellitesStale(), 4000);
    QVERIFY(status.Gps().HasFixData());

    // The replay starts from nothing and ends where the live link ended.
    // The log holds no settings: the reports of the MMSI named are the unit's.
    QVERIFY(session.Replay(log, QStringLiteral("992351234")));
    QCOMPARE(status.Alarms().Count(), 0);
    QVERIFY(!status.OwnReports().HasReport() && !status.Gps().HasFixData());
    QVERIFY(status.Replaying() && !status.NominalAvailable());
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetWorkerThread(), 10000);
    QCOMPARE(Describe(status), live);
    const QVector<QPointF> trail = status.Gps().Trail();
    QVERIFY(!trail.isEmpty() && trail.size() <= liveTrail.size());
    QCOMPARE(trail, liveTrail.mid(liveTrail.size() - trail.size()));
}

// The child of programExitsWhileLinked: link, then leave at once. Prints
// how long the session took to go.
static int ExitWhileLinked(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QElapsedTimer exitClock;
    {
        UnitSession session;
        const QStringList args = application.arguments();
        session.Open(args.value(2));
        StateMachine *machine = session.GetStateMachine();
        const bool starting = args.value(3) == QLatin1String("starting");
        // Linked, and (unless leaving while it starts) the unit has named itself.
        const auto ready = [&] {
            return machine->IsConnected() &&
                   (starting || (!session.Identity().serialNumber.isEmpty() &&
                                 !session.GetTransport()->IsBusy()));
        };
        if (!QTest::qWaitFor(ready, 5000) && !machine->IsConnected())
            return 2;
        if (starting || args.value(3) == QLatin1String("disconnect"))
            session.Close();
        exitClock.start();
    }
    printf("exit ms %lld\n", static_cast<long long>(exitClock.elapsed()));
    return 0;
}

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--exit-while-linked") == 0)
        return ExitWhileLinked(argc, argv);
    QCoreApplication application(argc, argv);
    TestLinkControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_linkcontrol.moc"
