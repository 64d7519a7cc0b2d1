#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include "app/statemachine.h"
#include "model/model.h"

// Compares the signals raised since the last check with the "|"-joined list.
#define EXPECT_EVENTS(text) QCOMPARE(recorder->Take(), QString(text))

namespace {

const QString TimeoutError =
    "disconnect|error Error communicating with the Device A timeout occurred.";
const QString PollingLimitError = "disconnect|error Error communicating with the device A timeout "
                                  "occurred. Has the device been removed from the dock?";

// Writes every signal of the state machine into one list, in the order raised.
class Recorder : public QObject
{
public:
    QStringList events;

    explicit Recorder(StateMachine *machine) : machine(machine)
    {
        connect(machine, &StateMachine::QueueJob, this,
                [this](const QString &name, bool send) { Add("job", name, send); });
        connect(machine, &StateMachine::Update, this, [this] { events << "update"; });
        connect(machine, &StateMachine::UpdateTabFromTransportModel, this,
                [this](int tab) { Add("refresh", tab); });
        connect(machine, &StateMachine::UpdateTabIcon, this,
                [this](int tab, int icon) { Add("icon", tab, icon); });
        connect(machine, &StateMachine::EnableTab, this,
                [this](int tab, bool enable) { Add("enable", tab, enable); });
        connect(machine, &StateMachine::DisplayError, this,
                [this](const QString &text, const QString &info) { Add("error", text, info); });
        connect(machine, &StateMachine::Disconnect, this, [this] { events << "disconnect"; });
        connect(machine, &StateMachine::SlotClashWarning, this,
                [this](const QString &text) { Add("warning", text.section('\n', 0, 1)); });
    }
    // The events since the last call, joined by "|".
    QString Take()
    {
        const QString taken = events.join('|');
        events.clear();
        return taken;
    }

    // Plays a script of the state machine's slots, separated by spaces: "Slot",
    // "Slot:argument" (a number or a text, "_" for a space) or "Slot*n" (called
    // n times); got:Job and sent:Job complete a job. "-" forgets the signals so
    // far, "?" records "state <connected> <polling> <missed answers>".
    void Play(const QString &script)
    {
        for (const QString &step : script.split(' ')) {
            const QByteArray name = step.section(QRegularExpression("[:*]"), 0, 0).toLatin1();
            const char *slot = name.constData();
            const QString arg = step.section(':', 1).replace('_', ' ');
            const QByteArray intSlot = name + "(int)";
            const bool takesInt = machine->metaObject()->indexOfSlot(intSlot.constData()) >= 0;
            if (step == "-") {
                events.clear();
            } else if (step == "?") {
                events << QStringLiteral("state %1 %2 %3")
                              .arg(int(machine->IsConnected()))
                              .arg(int(machine->IsPolling()))
                              .arg(machine->MissedAnswers());
            } else if (name == "got" || name == "sent") {
                machine->JobComplete(arg, name == "sent");
            } else {
                for (int i = qMax(1, step.section('*', 1).toInt()); i > 0; --i) {
                    const bool called =
                        arg.isEmpty() ? QMetaObject::invokeMethod(machine, slot)
                        : takesInt
                            ? QMetaObject::invokeMethod(machine, slot, Q_ARG(int, arg.toInt()))
                            : QMetaObject::invokeMethod(machine, slot, Q_ARG(QString, arg));
                    QVERIFY2(called, qPrintable(step));
                }
            }
        }
    }

private:
    StateMachine *machine;

    template <typename... T> void Add(const char *what, const T &...values)
    {
        QStringList parts{QString::fromLatin1(what)};
        (parts << ... << QVariant(values).toString());
        events << parts.join(' ');
    }
};

void SetRow0(Model &model, int slot1, int slot2, int interval1, int interval2)
{
    MessageSchedule *schedule = model.GetMessageSchedule();
    MessageScheduleEntry row = schedule->EntryAt(0);
    row.SetStartSlot1(slot1);
    row.SetStartSlot2(slot2);
    row.SetInterval1(interval1);
    row.SetInterval2(interval2);
    QVERIFY(schedule->SetEntry(0, row));
}

} // namespace

class TestStateMachine : public QObject
{
    Q_OBJECT

private:
    Model *editModel = nullptr;
    Model *transportModel = nullptr;
    StateMachine *machine = nullptr;
    Recorder *recorder = nullptr;

private slots:
    void init()
    {
        editModel = new Model;
        transportModel = new Model;
        machine = new StateMachine(editModel, transportModel);
        recorder = new Recorder(machine);
    }
    void cleanup()
    {
        delete recorder;
        delete machine;
        delete transportModel;
        delete editModel;
    }

    void tabStates_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("events");
        // Nothing happens without a link; a second Disconnected changes nothing.
        QTest::newRow("link and close")
            << "GetAllTabs SendTab:0 FileLoad Edited:0 Connected Disconnecting Disconnected ? "
               "Disconnected"
            << "icon 0 2|enable 0 true|icon 1 2|enable 1 true|job Version false|job Reset false|"
               "icon 0 0|enable 0 true|icon 1 0|enable 1 true|state 0 0 0";
        // Asked again while syncing: the jobs, but no icon or enable signal.
        // Other tab numbers have no state. Polling starts once the voltage has
        // been read.
        QTest::newRow("retrieve")
            << "Connected - GetAllTabs GetTab:1 GetTab:2 SendTab:-1 got:Kelvane "
               "got:Message_Schedule got:Version got:SerNo_Test ? got:Voltage ? got:Get_LIM "
               "AllJobsComplete"
            << "job Kelvane false|job Message Schedule false|job Version false|job Voltage false|"
               "icon 0 3|enable 0 false|job Get LIM false|icon 1 3|enable 1 false|"
               "job Get LIM false|refresh 0|icon 0 4|enable 0 true|refresh 0|state 1 0 0|"
               "state 1 1 0|refresh 1|icon 1 4|enable 1 true|update";
        // A retrieve of tab 1 leaves polling running; one of tab 0 stops it.
        QTest::newRow("retrieve while polling")
            << "Connected got:Voltage - GetTab:1 ? GetTab:0 ?"
            << "job Get LIM false|icon 1 3|enable 1 false|state 1 1 0|job Kelvane false|"
               "job Message Schedule false|job Version false|job Voltage false|icon 0 3|"
               "enable 0 false|state 1 0 0";
        // The send completions: no refresh, and a sent "Voltage" does not poll.
        QTest::newRow("send completes")
            << "Connected GetTab:0 - sent:Kelvane sent:Message_Schedule sent:Voltage ?"
            << "icon 0 4|enable 0 true|state 1 0 0";
        // Not synced and syncing stay as they are; an edit or a file load marks
        // a synced tab edited, once.
        QTest::newRow("edits and loads")
            << "Connected - Edited:1 FileLoad got:Kelvane got:Get_LIM Edited:0 Edited:0 FileLoad "
               "GetTab:1 Edited:1"
            << "refresh 0|icon 0 4|enable 0 true|refresh 1|icon 1 4|enable 1 true|icon 0 1|"
               "enable 0 true|icon 1 1|enable 1 true|job Get LIM false|icon 1 3|enable 1 false";
    }
    void tabStates()
    {
        QFETCH(QString, script);
        recorder->Play(script);
        QTEST(recorder->events.join('|'), "events");
    }

    // The slot-clash rule itself (disabled channels, intervals, offsets) is
    // the schedule's own; what the lantern send copies is checked by the
    // tool's send and retrieve.
    void sendRefusedOrCopiedKeepingUnitMmsi()
    {
        recorder->Play("Connected got:Kelvane got:Voltage -");
        transportModel->GetAtoN()->SetName("UNIT");
        transportModel->GetAtoN()->GetAtoNMMSI()->SetMmsi("235000001");
        AtoN *edited = editModel->GetAtoN();
        edited->GetAtoNMMSI()->SetMmsi("111111111");
        edited->GetAtoNMMSI()->SetNewMmsi("992350002");
        edited->SetName("NORTH PIER");

        // Start slots 10 and 11 with different intervals: tab 0 is refused and
        // nothing of it copied; tab 1 is sent, and polling runs again once it
        // is done.
        SetRow0(*editModel, 10, 11, 6750, 4500);
        machine->SendAllTabs();
        EXPECT_EVENTS("warning The message schedule set risks clashing timeslots.\nThe "
                      "configuration has not been sent.|job Set LIM true|icon 1 3|enable 1 false");
        QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSynced));
        QVERIFY(!machine->IsPolling());
        QCOMPARE(transportModel->GetAtoN()->Name(), QStringLiteral("UNIT"));
        machine->JobComplete("Set LIM", true);
        EXPECT_EVENTS("icon 1 4|enable 1 true");
        QVERIFY(machine->IsPolling());

        // Without the clash: copies are made before the jobs that read them
        // are queued.
        SetRow0(*editModel, 10, -1, 4500, 6750);
        QStringList seenAtQueue;
        connect(machine, &StateMachine::QueueJob, this, [&](const QString &name, bool) {
            seenAtQueue << name + ":" + transportModel->GetAtoN()->Name() + ":" +
                               QString::number(
                                   transportModel->GetMessageSchedule()->EntryAt(0).StartSlot1());
        });
        machine->SendTab(0);
        EXPECT_EVENTS("job Kelvane true|job Message Schedule true|icon 0 3|enable 0 false");
        QCOMPARE(seenAtQueue,
                 QStringList({"Kelvane:NORTH PIER:0", "Message Schedule:NORTH PIER:10"}));
        QVERIFY(!machine->IsPolling());
        QCOMPARE(transportModel->GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("235000001"));
        QCOMPARE(transportModel->GetAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992350002"));
        QCOMPARE(edited->GetAtoNMMSI()->Mmsi(), QStringLiteral("111111111"));

        // A retrieve resets the transport model's schedule before it is read again.
        SetRow0(*transportModel, 10, 11, 4500, 6750);
        machine->GetTab(0);
        MessageSchedule fresh;
        fresh.Reset();
        QVERIFY(*transportModel->GetMessageSchedule() == fresh);
    }

    void linkFailures_data()
    {
        // A script as for tabStates; then the error signals raised in order and
        // the state.
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("events");
        const auto row = [](const char *name, const char *script, const QString &events) {
            QTest::newRow(name) << script << events;
        };
        row("open", "ConnectError:busy_port ?",
            "error Error connecting to the AtoN busy port|disconnect|state 0 0 0");
        row("command", "CommandError:$PVKX,battvolts ?",
            "error Error sending a command to the AtoN $PVKX,battvolts|disconnect|state 0 0 0");
        row("sentence", "AtoNSentenceError:ACF ?",
            "disconnect|error Error reading an NMEA sentence from the AtoN NMEA sentence: ACF|"
            "state 0 0 0");
        // An answer resets the count; the ninth miss in a row ends the link, and a
        // late timeout after the give-up stays silent.
        row("nine misses",
            "Connected got:Voltage Timeout*8 OnProductSerialNumberTest:12345 Timeout*8 ? Timeout "
            "Timeout ?",
            "state 1 1 8|" + PollingLimitError + "|state 1 0 0");
        row("timeout outside polling", "Connected Timeout ?", TimeoutError + "|state 1 0 0");
        // After a give-up, the next link's timeout outside polling is reported.
        row("give-up ends with its link",
            "Connected got:Voltage OnPollingLimit Disconnected Connected Timeout ?",
            PollingLimitError + "|" + TimeoutError + "|state 1 0 0");
        // A line lost while polling leaves polling as it was; the new link must
        // not count its first timeout as a missed answer of the old one.
        row("polling ends with its link",
            "Connected got:Voltage Timeout Disconnected Connected Timeout ?",
            TimeoutError + "|state 1 0 0");
        // A retrieve of tab 1 leaves polling running; its timeout is a failure
        // of the link, not a missed poll answer, and the engineer is told.
        row("lantern retrieve times out", "Connected got:Voltage Timeout GetTab:1 Timeout ?",
            TimeoutError + "|state 1 1 1");
        row("after the lantern retrieve", "Connected got:Voltage GetTab:1 got:Get_LIM Timeout ?",
            "state 1 1 1");
    }

    void linkFailures()
    {
        QFETCH(QString, script);
        recorder->Play(script);
        const QStringList errors =
            recorder->events.filter(QRegularExpression("^(error|disconnect|state)"));
        QTEST(errors.join('|'), "events");
    }

    void pollingTimerQueuesSerialNumberTests()
    {
        machine->Connected();
        QSignalSpy jobs(machine, &StateMachine::QueueJob);
        machine->JobComplete("Voltage", false);

        QElapsedTimer clock;
        clock.start();
        QVERIFY(jobs.wait(3000));
        const qint64 first = clock.elapsed();
        QVERIFY2(first >= 1150 && first < 2500, qPrintable(QString::number(first)));
        QCOMPARE(jobs.at(0), QVariantList({"SerNo Test", false}));

        // Polling stops on request and nothing more is queued.
        machine->StopSerialNumberTest();
        QTest::qWait(1500);
        QCOMPARE(jobs.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStateMachine)
#include "tst_statemachine.moc"
