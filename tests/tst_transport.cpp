#include "app/vandrelapplication.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"

#include "support/ptypair.h"
#include "support/tempsettings.h"

#include <QBuffer>
#include <QDataStream>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A complete sentence from the unit: body, checksum and line end.
QByteArray Answer(const QString &body)
{
    return (body + QLatin1Char('*') + ParsedSentence::Checksum(body) + QStringLiteral("\r\n"))
        .toLatin1();
}

// The unit's side of the line: hands out what the transport wrote, one line
// at a time, with the time it arrived.
class Peer
{
public:
    explicit Peer(PtyPair &pty) : pty(pty) { clock.start(); }

    // The next line written by the transport, without its "\r\n"; empty when
    // none comes within ms.
    QString NextLine(int ms = 2000)
    {
        QElapsedTimer waited;
        waited.start();
        while (!buffer.contains('\n') && waited.elapsed() < ms)
            buffer += pty.readUntil("\n", int(ms - waited.elapsed()));
        const int end = buffer.indexOf('\n');
        if (end < 0)
            return QString();
        lastArrival = clock.elapsed();
        const QByteArray line = buffer.left(end + 1);
        buffer.remove(0, end + 1);
        return QString::fromLatin1(line).trimmed();
    }
    // Nothing more arrives within ms.
    bool Silent(int ms)
    {
        buffer += pty.readFor(ms);
        return buffer.isEmpty();
    }
    void Say(const QString &body) { QVERIFY(pty.write(Answer(body))); }
    qint64 Now() const { return clock.elapsed(); }

    qint64 lastArrival = 0;

private:
    PtyPair &pty;
    QByteArray buffer;
    QElapsedTimer clock;
};

} // namespace

// The job queue, run over a pseudo-terminal with the test answering as the unit.
class TestTransport : public QObject
{
    Q_OBJECT

private:
    PtyPair *pty = nullptr;
    Peer *peer = nullptr;
    Model *model = nullptr;
    SerialTransport *transport = nullptr;
    QStringList events;

    void Record(const QString &event) { events << event; }

    void Watch()
    {
        connect(transport, &Transport::JobComplete, this, [this](QString name, bool send) {
            Record(QStringLiteral("JobComplete %1 %2").arg(name).arg(send));
        });
        connect(transport, &Transport::AllJobsComplete, this,
                [this] { Record(QStringLiteral("AllJobsComplete")); });
        connect(transport, &Transport::Timeout, this,
                [this] { Record(QStringLiteral("Timeout")); });
        const QList<QPair<void (Transport::*)(QString), QString>> relays{
            {&Transport::CommandError, "CommandError"},
            {&Transport::AtoNSentenceError, "AtoNSentenceError"},
            {&Transport::Version, "Version"},
            {&Transport::ProductSerialNumber, "ProductSerialNumber"},
            {&Transport::BatteryVoltage, "BatteryVoltage"}};
        for (const auto &relay : relays)
            connect(transport, relay.first, this,
                    [this, name = relay.second](QString text) { Record(name + ' ' + text); });
    }

    bool WaitForEvent(const QString &event, int ms = 3000)
    {
        QElapsedTimer waited;
        waited.start();
        while (!events.contains(event) && waited.elapsed() < ms)
            QTest::qWait(5);
        return events.contains(event);
    }

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
        pty = new PtyPair;
        QVERIFY(pty->isOpen());
        peer = new Peer(*pty);
        model = new Model;
        VandrelApplication::instance()->SetPortName(pty->slavePath());
        transport = new SerialTransport(model);
        events.clear();
        Watch();
        QSignalSpy connected(transport, &Transport::Connected);
        transport->Connect(pty->slavePath());
        QCOMPARE(connected.count(), 1);
    }

    void cleanup()
    {
        delete transport;
        delete model;
        delete peer;
        delete pty;
    }

    void queueRules()
    {
        QSignalSpy sent(transport, &Transport::Sent);
        QVERIFY(!transport->IsBusy());
        transport->QueueJob("Version", false);
        QVERIFY(transport->IsBusy());
        QCOMPARE(transport->CurrentJobName(), QString("Version"));
        QCOMPARE(sent.count(), 1);

        // While a job runs, one entry per name and send flag.
        transport->QueueJob("Voltage", false);
        transport->QueueJob("Voltage", false);
        QCOMPARE(transport->QueuedJobNames(), QStringList{"Voltage"});
        transport->QueueJob("Voltage", true);
        QCOMPARE(transport->QueuedJobNames(), (QStringList{"Voltage", "Voltage"}));
        // The running job may be queued again.
        transport->QueueJob("Version", false);
        QCOMPARE(transport->QueuedJobNames(), (QStringList{"Voltage", "Voltage", "Version"}));

        // An unknown name changes nothing and raises nothing.
        transport->QueueJob("Fault Log", false);
        QCOMPARE(transport->QueuedJobNames(), (QStringList{"Voltage", "Voltage", "Version"}));
        QCOMPARE(sent.count(), 1);
        QVERIFY(events.isEmpty());
    }

    void kelvaneGetCollectsAnswersUntilSilence()
    {
        transport->QueueJob("Kelvane", false);
        QCOMPARE(peer->NextLine(), QString::fromLatin1(Answer("$UPAIQ,AID")).trimmed());
        // Two AID answers, the second 500 ms after the first: both are taken.
        peer->Say("$AIAID,111111111,1,111111111,R,R");
        QTest::qWait(500);
        peer->Say("$AIAID,123456789,1,123456789,R,R");
        const qint64 lastAnswer = peer->Now();
        QCOMPARE(Formatter(peer->NextLine()), QString("ACF"));
        // Only ACF's turn comes after a second of silence.
        const qint64 silence = peer->lastArrival - lastAnswer;
        qInfo("ACF asked %lld ms after the last AID answer", silence);
        QVERIFY2(silence >= 950 && silence <= 1600, QByteArray::number(silence).constData());
        QCOMPARE(model->GetAtoN()->GetAtoNMMSI()->Mmsi(), QString("123456789"));

        // One ACF answer is awaited; ACE follows at once.
        peer->Say("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,R");
        const qint64 acfAnswer = peer->Now();
        QCOMPARE(Formatter(peer->NextLine()), QString("ACE"));
        QVERIFY(peer->lastArrival - acfAnswer < 700);
        QVERIFY(qAbs(model->GetAtoN()->GetPosition()->Latitude() - 50.5) < 1e-9);

        // ACE with its name continuation, then silence ends the job.
        peer->Say("$AIACE,123456789,E8,0050,1,0,1,,0010010101,R");
        QTest::qWait(200);
        peer->Say("$AIACE,123456789,,,,,,NORTH PIER LIGHT,,R");
        QVERIFY(WaitForEvent("AllJobsComplete", 2500));
        QCOMPARE(events, (QStringList{"JobComplete Kelvane 0", "AllJobsComplete"}));
        QCOMPARE(model->GetAtoN()->Name(), QString("NORTH PIER LIGHT"));
        QVERIFY(model->GetAtoN()->Racon());
    }

    void acfTimeoutStallsTheQueue()
    {
        QSignalSpy received(transport, &Transport::Received);
        transport->QueueJob("Kelvane", false);
        QCOMPARE(Formatter(peer->NextLine()), QString("AID"));
        const qint64 aidQuery = peer->lastArrival;
        transport->QueueJob("SerNo Test", false);
        // No AID answer: the step ends after a second, without an error.
        QCOMPARE(Formatter(peer->NextLine()), QString("ACF"));
        QVERIFY(events.isEmpty());
        const qint64 wait = peer->lastArrival - aidQuery;
        QVERIFY2(wait >= 950 && wait <= 1600, QByteArray::number(wait).constData());

        // Another formatter, and an ACF answer with a wrong checksum: neither
        // is the awaited answer, and neither restarts the timer.
        const qint64 acfQuery = peer->lastArrival;
        QTest::qWait(700);
        peer->Say("$AIAID,123456789,1,123456789,R,R");
        QByteArray broken =
            Answer("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,R");
        broken[broken.size() - 3] = broken.at(broken.size() - 3) == '0' ? '1' : '0';
        QVERIFY(pty->write(broken));
        // No ACF answer: a time-out, and ACE is never asked for.
        QVERIFY(WaitForEvent("Timeout", 1500));
        const qint64 timedOut = peer->Now() - acfQuery;
        // A restarted timer would have run out 1700 ms after the query.
        QVERIFY2(timedOut >= 950 && timedOut <= 1500, QByteArray::number(timedOut).constData());
        // Both lines were still passed on as received.
        QCOMPARE(received.count(), 2);
        QCOMPARE(model->GetAtoN()->GetAtoNMMSI()->Mmsi(), QString("000000000"));
        QCOMPARE(transport->LastError(), QString("Timeout waiting for response for: ACF"));
        QVERIFY(peer->Silent(1200));
        QCOMPARE(events, QStringList{"Timeout"});
        QCOMPARE(transport->CurrentJobName(), QString());

        // The queue waits for the next entry; a duplicate is not one.
        QCOMPARE(transport->QueuedJobNames(), QStringList{"SerNo Test"});
        transport->QueueJob("SerNo Test", false);
        QVERIFY(peer->Silent(300));
        transport->QueueJob("Voltage", false);
        QCOMPARE(ShellCommandOf(peer->NextLine()), QString("getserno"));
        QCOMPARE(transport->QueuedJobNames(), QStringList{"Voltage"});
    }

    void shellAnswerWithFirstField254IsRejected()
    {
        transport->QueueJob("Version", false);
        QCOMPARE(ShellCommandOf(peer->NextLine()), QString("appver"));
        peer->Say("$PVKX,254,appver,0,AX01.07");
        // Rejected, and the job goes on with its next step.
        QCOMPARE(ShellCommandOf(peer->NextLine()), QString("getserno"));
        QCOMPARE(events, QStringList{"CommandError appver"});
        QCOMPARE(transport->LastError(), QString("Error checking response of command: appver"));
        // An answer for another command is passed over.
        peer->Say("$PVKX,255,appver,0,AX01.07");
        peer->Say("$PVKX,255,getserno,1,SN1");
        QVERIFY(WaitForEvent("AllJobsComplete"));
        QCOMPARE(events, (QStringList{"CommandError appver", "ProductSerialNumber SN1",
                                      "JobComplete Version 0", "AllJobsComplete"}));

        // No answer at all: a time-out naming the command.
        transport->QueueJob("Voltage", false);
        QCOMPARE(ShellCommandOf(peer->NextLine()), QString("battvolts"));
        QVERIFY(WaitForEvent("Timeout", 1500));
        QCOMPARE(transport->LastError(),
                 QString("Timeout waiting for response to command: battvolts"));
    }

    void malformedAnswerAwaitedOnceStopsTheJob()
    {
        transport->QueueJob("Kelvane", false);
        QCOMPARE(Formatter(peer->NextLine()), QString("AID"));
        QCOMPARE(Formatter(peer->NextLine()), QString("ACF"));
        peer->Say("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,3,0,C");
        QVERIFY(WaitForEvent("AtoNSentenceError ACF"));
        QCOMPARE(transport->LastError(), QString("Error parsing the response for: ACF"));
        // Waits for the disconnect that the error brings: no ACE, no time-out.
        QVERIFY(peer->Silent(1500));
        QCOMPARE(events, QStringList{"AtoNSentenceError ACF"});
        QVERIFY(transport->IsBusy());
    }

    void sendPacesSentences250msApart()
    {
        AtoN *aton = model->GetAtoN();
        aton->GetAtoNMMSI()->SetNewMmsi("235012345");
        // Escaped, this name needs more than 32 characters: a second ACE sentence.
        aton->SetName("NORTH PIER, OUTER END LIGHT ONE");
        transport->QueueJob("Kelvane", true);
        transport->QueueJob("Version", false);

        QStringList formatters;
        QList<qint64> times;
        for (int i = 0; i < 4; ++i) {
            const QString line = peer->NextLine(1000);
            QVERIFY2(!line.isEmpty(), qPrintable(QString::number(i)));
            const ParsedSentence sentence(line);
            QVERIFY(sentence.valid);
            formatters << sentence.formatter;
            times << peer->lastArrival;
            if (i == 2) // the name went to the continuation
                QCOMPARE(sentence.fields.value(7), QString());
            if (i == 3) {
                QCOMPARE(sentence.fields.value(3), QString());
                QCOMPARE(sentence.fields.value(7), QString("NORTH PIER^2C OUTER END LIGHT ONE"));
            }
        }
        QCOMPARE(formatters, (QStringList{"AID", "ACF", "ACE", "ACE"}));
        for (int i = 1; i < times.size(); ++i) {
            const qint64 gap = times.at(i) - times.at(i - 1);
            qInfo("set sentence %d followed %lld ms after the one before", i, gap);
            // 250 ms apart; well short of the 1000 ms of an answer time-out.
            QVERIFY2(gap >= 200 && gap <= 500, QByteArray::number(gap).constData());
        }
        // No answers are awaited; the job completes 250 ms after the last sentence.
        QVERIFY(WaitForEvent("JobComplete Kelvane 1", 900));
        QCOMPARE(ShellCommandOf(peer->NextLine()), QString("appver"));
        const qint64 appverSent = peer->lastArrival;
        // A shell command after sentences of a send is guarded by their 250 ms.
        QVERIFY(WaitForEvent("Timeout", 1000));
        const qint64 guarded = peer->Now() - appverSent;
        QVERIFY2(guarded >= 200 && guarded <= 700, QByteArray::number(guarded).constData());
    }

    void scheduleSendCoversTheRowsHeldWhenItStarts()
    {
        // This transport was built while the schedule held its full layout; the
        // schedule being sent holds fewer rows.
        MessageSchedule *schedule = model->GetMessageSchedule();
        QCOMPARE(schedule->Count(), MessageSchedule::BlockLayoutRows);
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << qint32(2) << qint32(2);
            MessageScheduleEntry first;
            first.Write(out);
            MessageScheduleEntry second;
            second.SetStartSlot1(-1);
            second.SetStartSlot2(-1);
            second.SetActive(false);
            second.Write(out);
        }
        QDataStream in(bytes);
        schedule->Read(in);
        QCOMPARE(schedule->Count(), 2);

        transport->QueueJob("Message Schedule", true);
        QStringList rows;
        QString line;
        while (!(line = peer->NextLine(900)).isEmpty()) {
            const ParsedSentence sentence(line);
            QCOMPARE(sentence.formatter, QString("AAR"));
            rows << sentence.fields.value(2) + "/" + sentence.fields.value(3);
        }
        QCOMPARE(rows, (QStringList{"21/01", "21/02"}));
        QVERIFY(WaitForEvent("JobComplete Message Schedule 1"));
    }
};

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication application(argc, argv);
    TestTransport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_transport.moc"
