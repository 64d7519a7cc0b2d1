#include "link/portenumerator.h"
#include "link/portprobe.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"

#include "support/apptestmain.h"
#include "support/ptypair.h"
#include "support/schedulerows.h"
#include "support/testchecksum.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A transport and a fresh pseudo-terminal for it.
struct Line
{
    PtyPair pty;
    SerialTransport transport;
    // The transport's own model: the tests answer on its thread.
    Model &model = *transport.TransportModel();
};

} // namespace

// The job queue, run over a pseudo-terminal with the test answering as the
// unit; opening and closing the link over pseudo-terminals; finding the ports.
class TestTransport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Line> link;
    QStringList events;
    // What the transport wrote and NextLine has not taken yet.
    QByteArray buffer;
    QElapsedTimer clock;
    // When NextLine took its last line.
    qint64 lastArrival = 0;

    // The next line written by the transport, without its "\r\n"; empty when
    // none comes within ms.
    QString NextLine(int ms = 2000)
    {
        QElapsedTimer waited;
        waited.start();
        while (!buffer.contains('\n') && waited.elapsed() < ms)
            buffer += link->pty.readUntil("\n", int(ms - waited.elapsed()));
        const int end = buffer.indexOf('\n');
        if (end < 0)
            return QString();
        lastArrival = clock.elapsed();
        const QString line = QString::fromLatin1(buffer.left(end)).trimmed();
        buffer.remove(0, end + 1);
        return line;
    }
    // Nothing more arrives within ms.
    bool Silent(int ms)
    {
        buffer += link->pty.readFor(ms);
        return buffer.isEmpty();
    }
    void Say(const QString &body) { QVERIFY(link->pty.write(TestChecksum::Line(body).toLatin1())); }

    // The formatter of a set sentence, or the one that a query asks for.
    static QString Formatter(const QString &line)
    {
        const ParsedSentence sentence(line);
        return sentence.formatter == "AIQ" ? sentence.fields.value(1) : sentence.formatter;
    }
    static QString ShellCommandOf(const QString &line)
    {
        return ParsedSentence(line).fields.value(5);
    }

private slots:
    void init()
    {
        link = std::make_unique<Line>();
        QVERIFY(link->pty.isOpen());
        buffer.clear();
        clock.start();
        events.clear();
        connect(&link->transport, &Transport::JobComplete, this, [this](QString name, bool send) {
            events << QStringLiteral("JobComplete %1 %2").arg(name).arg(send);
        });
        connect(&link->transport, &Transport::AllJobsComplete, this,
                [this] { events << "AllJobsComplete"; });
        connect(&link->transport, &Transport::Timeout, this, [this] { events << "Timeout"; });
        const QList<QPair<void (Transport::*)(QString), QString>> relays{
            {&Transport::CommandError, "CommandError"},
            {&Transport::AtoNSentenceError, "AtoNSentenceError"},
            {&Transport::Version, "Version"}};
        for (const auto &relay : relays)
            connect(&link->transport, relay.first, this,
                    [this, name = relay.second](QString text) { events << name + ' ' + text; });
        link->transport.Connect(link->pty.slavePath());
        QVERIFY(link->transport.IsConnected());
    }

    void cleanup()
    {
        link.reset();
        SerialController::SetPortEnumeration({});
    }

    void queueRulesAndShellAnswers()
    {
        QVERIFY(!link->transport.IsBusy());
        link->transport.QueueJob("Version", false);
        QVERIFY(link->transport.IsBusy());
        // While a job runs: one entry per name and send flag, the running job
        // may be queued again, and an unknown name changes nothing.
        for (const char *name : {"Voltage", "Voltage", "Fault Log"})
            link->transport.QueueJob(name, false);
        link->transport.QueueJob("Voltage", true);
        link->transport.QueueJob("Version", false);
        QCOMPARE(link->transport.QueuedJobNames(), (QStringList{"Voltage", "Voltage", "Version"}));

        QCOMPARE(ShellCommandOf(NextLine()), QString("appver"));
        Say("$PVKX,255,appver,0,AX01.07");
        QCOMPARE(ShellCommandOf(NextLine()), QString("getserno"));
        // An answer for another command is passed over.
        Say("$PVKX,255,appver,0,AX01.07");
        Say("$PVKX,255,getserno,1,SN1");
        QCOMPARE(ShellCommandOf(NextLine()), QString("battvolts"));
        QCOMPARE(events, (QStringList{"Version AX01.07", "JobComplete Version 0"}));
        // No answer at all: a time-out, and the queue runs on.
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("Timeout"), 1500);
        QCOMPARE(link->transport.LastError(),
                 QString("No answer to the command battvolts (the battery "
                         "voltage) within 1 s."));
        QCOMPARE(ShellCommandOf(NextLine()), QString("battvolts"));
        QCOMPARE(link->transport.QueuedJobNames(), QStringList{"Version"});
        // A rejected answer (first field 254) ends the transfer: the job waits
        // for the disconnect that the error brings, with no time-out.
        events.clear();
        Say("$PVKX,254,battvolts,2,12600");
        const QString refused("CommandError The answer to the command battvolts (the battery "
                              "voltage) was refused: the answer's first field is \"254\", not 255");
        QTRY_VERIFY(events.contains(refused));
        QCOMPARE("CommandError " + link->transport.LastError(), refused);
        QVERIFY(Silent(1500));
        QCOMPARE(events, QStringList{refused});
    }

    // The presence poll: one that goes unanswered while the next is queued
    // must not hold the next one up, nor leave the transport busy.
    void pollTimeoutWithAPollQueued()
    {
        link->transport.QueueJob("SerNo Test", false);
        QCOMPARE(ShellCommandOf(NextLine()), QString("getserno"));
        link->transport.QueueJob("SerNo Test", false);
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("Timeout"), 1500);
        QCOMPARE(ShellCommandOf(NextLine()), QString("getserno"));
        Say("$PVKX,255,getserno,3,SN1");
        QTRY_VERIFY(!link->transport.IsBusy());
        QCOMPARE(events, (QStringList{"Timeout", "JobComplete SerNo Test 0", "AllJobsComplete"}));
    }

    void kelvaneGetCollectsAnswersUntilSilenceOrTimeout()
    {
        link->transport.QueueJob("Kelvane", false);
        QCOMPARE(NextLine(), TestChecksum::Framed("$UPAIQ,AID"));
        // The first AID question of a link waits for the silence after its
        // answers; the same answer again 500 ms later is a harmless repeat
        // and does not put the silence off.
        Say("$AIAID,123456789,1,123456789,R,R");
        const qint64 firstAnswer = clock.elapsed();
        QTest::qWait(500);
        Say("$AIAID,123456789,1,123456789,R,R");
        QCOMPARE(Formatter(NextLine()), QString("ACF"));
        const qint64 silence = lastArrival - firstAnswer;
        qInfo("ACF asked %lld ms after the first AID answer", silence);
        QVERIFY2(silence >= 950 && silence <= 1400, QByteArray::number(silence).constData());
        QCOMPARE(link->model.GetAtoN()->GetAtoNMMSI()->Mmsi(), QString("123456789"));

        // One ACF answer is awaited; ACE follows at once.
        Say("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,R");
        const qint64 acfAnswer = clock.elapsed();
        QCOMPARE(Formatter(NextLine()), QString("ACE"));
        QVERIFY(lastArrival - acfAnswer < 700);

        // ACE with its name continuation: the answer is whole, the job ends
        // without waiting for silence.
        QSignalSpy reads(&link->transport, &Transport::Read);
        Say("$AIACE,123456789,E8,0050,1,0,1,,0010010101,R");
        QTest::qWait(200);
        Say("$AIACE,123456789,,,,,,NORTH PIER LIGHT,,R");
        const qint64 continuation = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("AllJobsComplete"), 2500);
        QVERIFY2(clock.elapsed() - continuation < 600,
                 QByteArray::number(clock.elapsed() - continuation).constData());
        QCOMPARE(events, (QStringList{"JobComplete Kelvane 0", "AllJobsComplete"}));
        QCOMPARE(link->model.GetAtoN()->Name(), QString("NORTH PIER LIGHT"));
        // What was read leaves as a copy of its own.
        QCOMPARE(reads.count(), 1);
        const ModelSnapshot read = reads.at(0).at(2).value<ModelSnapshot>();
        QCOMPARE(reads.at(0).at(1).toInt(), int(Transport::ReadMmsi | Transport::ReadAtoN));
        QVERIFY(read.data() != &link->model && *read->GetAtoN() == *link->model.GetAtoN());

        // A unit that never answers AID: a time-out naming it, not the MMSI
        // held before passed off as the unit's, and ACF is never asked for.
        events.clear();
        link->transport.QueueJob("Kelvane", false);
        QCOMPARE(Formatter(NextLine()), QString("AID"));
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("Timeout"), 2500);
        QVERIFY2(link->transport.LastError().contains("AID query"),
                 qPrintable(link->transport.LastError()));
        QVERIFY(Silent(300));

        // Another formatter, and an ACF answer with a wrong checksum: neither
        // is the awaited answer, and neither restarts the timer.
        events.clear();
        QSignalSpy received(&link->transport, &Transport::Received);
        link->transport.QueueJob("Kelvane", false);
        QCOMPARE(Formatter(NextLine()), QString("AID"));
        Say("$AIAID,123456789,1,123456789,R,R");
        QCOMPARE(Formatter(NextLine()), QString("ACF"));
        const qint64 acfQuery = lastArrival;
        QTest::qWait(700);
        Say("$AIAID,123456789,1,123456789,R,R");
        // (The right checksum is 1E.)
        QVERIFY(link->pty.write(
            "$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,"
            "R*1F\r\n"));
        // No ACF answer: a time-out, and ACE is never asked for.
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("Timeout"), 1500);
        const qint64 timedOut = clock.elapsed() - acfQuery;
        // A restarted timer would have run out 1700 ms after the query.
        QVERIFY2(timedOut >= 950 && timedOut <= 1500, QByteArray::number(timedOut).constData());
        // Every line was still passed on as received.
        QCOMPARE(received.count(), 3);
        QCOMPARE(link->model.GetAtoN()->GetAtoNMMSI()->Mmsi(), QString("123456789"));
        QVERIFY(Silent(300));
        QCOMPARE(events, (QStringList{"Timeout", "AllJobsComplete"}));

        // A malformed answer awaited once stops the job.
        events.clear();
        link->transport.QueueJob("Kelvane", false);
        QCOMPARE(Formatter(NextLine()), QString("AID"));
        Say("$AIAID,123456789,1,123456789,R,R");
        QCOMPARE(Formatter(NextLine()), QString("ACF"));
        Say("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,C");
        const QString refused(
            "AtoNSentenceError The answer to the ACF query (the AtoN settings: "
            "type, position, channels) was refused: field 15, status: \"C\", not R");
        QTRY_VERIFY(events.contains(refused));
        QCOMPARE("AtoNSentenceError " + link->transport.LastError(), refused);
        // Waits for the disconnect that the error brings: no ACE, no time-out.
        QVERIFY(Silent(1500));
        QCOMPARE(events, QStringList{refused});
        QVERIFY(link->transport.IsBusy());
    }

    // Once the unit has named itself on the link, AID ends at its first
    // answer; a second ACE that differs from the first fails the read,
    // naming both.
    void answersThatContradictFailTheRead()
    {
        link->transport.QueueJob("Identity", false);
        QCOMPARE(Formatter(NextLine()), QString("AID"));
        Say("$AIAID,123456789,1,123456789,R,R");
        QTRY_VERIFY(events.contains("AllJobsComplete"));
        link->transport.QueueJob("Kelvane", false);
        QCOMPARE(Formatter(NextLine()), QString("AID"));
        Say("$AIAID,123456789,1,123456789,R,R");
        const qint64 aidAnswer = clock.elapsed();
        QCOMPARE(Formatter(NextLine()), QString("ACF"));
        QVERIFY2(lastArrival - aidAnswer < 600,
                 QByteArray::number(lastArrival - aidAnswer).constData());
        Say("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,R");
        QCOMPARE(Formatter(NextLine()), QString("ACE"));
        Say("$AIACE,123456789,E8,0050,1,0,1,,0010010101,R");
        Say("$AIACE,123456789,E8,0051,1,0,1,,0010010101,R");
        QTRY_VERIFY_WITH_TIMEOUT(!events.filter("AtoNSentenceError").isEmpty(), 2000);
        const QString contradiction = events.filter("AtoNSentenceError").value(0);
        QVERIFY2(contradiction.contains("two different answers to the ACE query") &&
                     contradiction.contains("E8,0050,1") && contradiction.contains("E8,0051,1"),
                 qPrintable(contradiction));
    }

    void sendPacesSentences250msApart()
    {
        AtoN *aton = link->model.GetAtoN();
        aton->GetAtoNMMSI()->SetNewMmsi("235012345");
        // Escaped, this name needs more than 32 characters: a second ACE sentence.
        aton->SetName("NORTH PIER, OUTER END LIGHT ONE");
        // This transport was built while the schedule held its full layout; the
        // schedule to be sent holds two rows, and only those go out.
        QCOMPARE(link->model.GetMessageSchedule()->Count(), MessageSchedule::BlockLayoutRows);
        LoadRows(link->model.GetMessageSchedule(), QVector<MessageScheduleEntry>(2));
        link->transport.QueueJob("Kelvane", true);

        QStringList sentences;
        QList<qint64> times;
        for (int i = 0; i < 9; ++i) {
            const ParsedSentence sentence(NextLine(1000));
            QVERIFY2(sentence.valid, qPrintable(QString::number(i)));
            // ACE sentences with their name field, AAR with message and row.
            QString shown = sentence.formatter;
            if (shown == "ACE")
                shown += "," + sentence.fields.value(7);
            else if (shown == "AAR")
                shown += "," + sentence.fields.value(2) + "/" + sentence.fields.value(3);
            sentences << shown;
            times << lastArrival;
            if (i == 3) {
                // A later send of a short name sends no continuation.
                aton->SetName("SHORT");
                link->transport.QueueJob("Kelvane", true);
                link->transport.QueueJob("Message Schedule", true);
                link->transport.QueueJob("Version", false);
            }
        }
        QCOMPARE(sentences,
                 (QStringList{"AID", "ACF", "ACE,", "ACE,NORTH PIER^2C OUTER END LIGHT ONE", "AID",
                              "ACF", "ACE,SHORT", "AAR,21/01", "AAR,21/02"}));
        // No answers are awaited; the next job starts 250 ms after the last sentence.
        QCOMPARE(ShellCommandOf(NextLine(1000)), QString("appver"));
        times << lastArrival;
        for (int i = 1; i < times.size(); ++i) {
            const qint64 gap = times.at(i) - times.at(i - 1);
            qInfo("line %d followed %lld ms after the one before", i, gap);
            // 250 ms apart; well short of the 1000 ms of an answer time-out.
            QVERIFY2(gap >= 200 && gap <= 500, QByteArray::number(gap).constData());
        }
        // A shell command after sentences of a send gets the full time to answer.
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("Timeout"), 2000);
        const qint64 guarded = clock.elapsed() - times.last();
        QVERIFY2(guarded >= 950 && guarded <= 1600, QByteArray::number(guarded).constData());
        QCOMPARE(events,
                 (QStringList{"JobComplete Kelvane 1", "JobComplete Kelvane 1",
                              "JobComplete Message Schedule 1", "Timeout", "AllJobsComplete"}));

        // An empty schedule sends no row at all.
        events.clear();
        LoadRows(link->model.GetMessageSchedule(), {});
        link->transport.QueueJob("Message Schedule", true);
        QCOMPARE(events, (QStringList{"JobComplete Message Schedule 1", "AllJobsComplete"}));
        QVERIFY(Silent(300));
    }

    // Hang-ups and the "Reset" sent before the line closes are checked below
    // (the controller) and above (the application's link, the tool's transfers).
    void connectAndDisconnect()
    {
        Line line;
        SerialTransport &transport = line.transport;
        QSignalSpy connected(&transport, &Transport::Connected);
        QSignalSpy connectError(&transport, &Transport::ConnectError);
        QSignalSpy disconnected(&transport, &Transport::Disconnected);

        // A port that cannot be opened is refused with its real reason.
        transport.Connect("/dev/vandrel-no-such-port");
        QCOMPARE(transport.LastError(), QString("No such file or directory"));
        QVERIFY(connectError.at(0).at(0).toString().contains(
            "The serial port /dev/vandrel-no-such-port is not present."));

        // A log that cannot be read is refused alike (a log is played
        // through the window and the unit status).
        QVERIFY(!transport.ConnectFile("/nonexistent/vandrel.log"));
        QVERIFY(connectError.at(1).at(0).toString().contains("No such file"));

        // A second open while linked is ignored, whatever it names.
        transport.Connect(line.pty.slavePath());
        transport.Connect("/dev/vandrel-no-such-port");
        QVERIFY(!transport.ConnectFile("whatever.log"));
        QCOMPARE(connected.count(), 1);
        // The status bar names the line that was opened.
        QVERIFY(transport.ConnectionDescription().contains(line.pty.slavePath()));

        transport.Disconnect();
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(!transport.IsConnected());
        QCOMPARE(PortProbe::Probe(line.pty.slavePath()), PortProblem::None);
        transport.Disconnect();
        QCOMPARE(disconnected.count(), 1);
        // A transport connects once; nothing is left to connect with.
        transport.Connect(line.pty.slavePath());
        QVERIFY(!transport.IsConnected());
    }

    // Port discovery with records fed in place of the system's enumeration.
    void discoveryFromRecords()
    {
        PortInfoList records;
        int enumerations = 0;
        SerialController::SetPortEnumeration([&] {
            ++enumerations;
            return records;
        });
        records = {{"LPT1", "Printer Port"},
                   {"/dev/ttyS0", ""},
                   // Same vendor, another product: not the unit's adapter.
                   {"/dev/ttyUSB0", "Other adapter", 0x27C5, 0x0503},
                   {"/dev/ttyUSB1", "AtoN unit A", 0x27C5, 0x0502},
                   {"/dev/ttyUSB2", "AtoN unit B", 0x27C5, 0x0502},
                   {"lpt2", "lower-case name"}};
        QCOMPARE(SerialController::FindDevicePort(), QString("/dev/ttyUSB1"));
        const QList<QPair<QString, QString>> expected = {
            {"/dev/ttyS0", "/dev/ttyS0"},    {"/dev/ttyUSB0", "Other adapter"},
            {"/dev/ttyUSB1", "AtoN unit A"}, {"/dev/ttyUSB2", "AtoN unit B"},
            {"lpt2", "lower-case name"}, // the printer rule is case-sensitive
        };
        QCOMPARE(SerialController::PortList(), expected);
        QCOMPARE(SerialController::FriendlyName("/dev/ttyACM9"), QString("/dev/ttyACM9"));

        // Until the next listing, the friendly name comes from the cache. The
        // product alone does not make a port the unit's.
        records = {{"/dev/ttyUSB1", "Second name", 0x0403, 0x0502}};
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB1"), QString("AtoN unit A"));
        QCOMPARE(enumerations, 2);
        QCOMPARE(SerialController::FindDevicePort(), QString());
        QCOMPARE(SerialController::FriendlyName("/dev/ttyUSB1"), QString("Second name"));
        SerialController::SetPortEnumeration({}); // before the records go
    }

    // The pseudo-terminal lines offered through VANDREL_PORTS. (The window's
    // test shows each port problem as the port list marks it, and as Connect
    // reports it; its session connects to a port the list has just probed.)
    void pseudoTerminalsFromTheEnvironment()
    {
        PtyPair first;
        PtyPair second;
        QVERIFY(first.isOpen() && second.isOpen());
        qputenv("VANDREL_PORTS",
                QString(first.slavePath() + ":/dev/vandrel-missing::" + second.slavePath())
                    .toLocal8Bit());
        // A missing path and an empty one are left out.
        QCOMPARE(PortEnumerator::EnvironmentPorts().size(), 2);

        // The system's enumeration offers them, each once under its path, and
        // the name listed opens the line.
        SerialController::SetPortEnumeration({});
        const auto list = SerialController::PortList();
        QCOMPARE(list.count(qMakePair(first.slavePath(), first.slavePath())), 1);
        QCOMPARE(list.count(qMakePair(second.slavePath(), second.slavePath())), 1);
        qunsetenv("VANDREL_PORTS");
        SerialController opener;
        QVERIFY(opener.Open(list.last().first, 38400));
    }

    // A lock left by root's program that was killed cannot be removed by
    // another user: the open says so and how, rather than calling the port
    // busy; root's own open clears it.
    void staleLockOfAnotherUser()
    {
        if (::geteuid() != 0)
            QSKIP("Only root can leave a lock that another user may not remove");
        PtyPair pty;
        QVERIFY(pty.isOpen());
        QString name = QFileInfo(pty.slavePath()).canonicalFilePath().mid(5);
        const QString lock = "/run/lock/LCK.." + name.replace('/', '_');
        QFile file(lock);
        QFile pidMax("/proc/sys/kernel/pid_max");
        if (!QFileInfo("/run/lock").isDir() || file.exists() || !pidMax.open(QIODevice::ReadOnly))
            QSKIP("No lock folder to leave a lock in");
        // No process has the highest number.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pidMax.readAll().trimmed() + "\nvandrel-test\n" +
                   QSysInfo::machineHostName().toUtf8() + "\n");
        file.close();
        const auto removeLock = qScopeGuard([&] { QFile::remove(lock); });
        QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0666), 0);
        {
            QVERIFY(::setresuid(65534, 65534, 0) == 0);
            const auto root = qScopeGuard([] {
                if (::setresuid(0, 0, 0) != 0)
                    qFatal("Cannot act as root again");
            });
            SerialController line;
            QVERIFY(!line.Open(pty.slavePath(), 38400));
            QCOMPARE(line.OpenProblem(), PortProblem::StaleLock);
            const QString message = PortProbe::Message(PortProblem::StaleLock, pty.slavePath(), {});
            QVERIFY2(message.contains("sudo rm " + lock), qPrintable(message));
            // The port list's quick look finds the same.
            QCOMPARE(PortProbe::Glance(pty.slavePath()), PortProblem::StaleLock);
        }
        {
            SerialController line;
            QVERIFY(line.Open(pty.slavePath(), 38400));
        }
        // Without the lock, a device this user may not open.
        QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0600), 0);
        QVERIFY(::setresuid(65534, 65534, 0) == 0);
        const PortProblem refused = PortProbe::Glance(pty.slavePath());
        QVERIFY(::setresuid(0, 0, 0) == 0);
        QCOMPARE(refused, PortProblem::NoPermission);
    }
};

VANDREL_CORE_TEST_MAIN(TestTransport)

#include "tst_transport.moc"
