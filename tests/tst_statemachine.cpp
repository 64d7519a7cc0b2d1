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

    explicit Recorder(StateMachine *machine)
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
                [this](const QString &text) { Add("warning", text.section('\n', 0, 0)); });
    }
    // The events since the last call, joined by "|".
    QString Take()
    {
        const QString taken = events.join('|');
        events.clear();
        return taken;
    }

private:
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

private slots:
    void init();
    void cleanup();
    void connectAndDisconnect();
    void retrieveJobsAndCompletion();
    void sendTabCopiesAndKeepsUnitMmsi();
    void sendRefusedForSlotClash();
    void editedAndFileLoad();
    void linkFailures_data();
    void linkFailures();
    void pollingTimerQueuesSerialNumberTests();

private:
    Model *editModel = nullptr;
    Model *transportModel = nullptr;
    StateMachine *machine = nullptr;
    Recorder *recorder = nullptr;
};

void TestStateMachine::init()
{
    editModel = new Model;
    transportModel = new Model;
    machine = new StateMachine(editModel, transportModel);
    recorder = new Recorder(machine);
}

void TestStateMachine::cleanup()
{
    delete recorder;
    delete machine;
    delete transportModel;
    delete editModel;
}

void TestStateMachine::connectAndDisconnect()
{
    // Nothing happens without a link.
    machine->GetAllTabs();
    machine->SendTab(0);
    machine->FileLoad();
    machine->Edited(0);
    EXPECT_EVENTS("");

    machine->Connected();
    EXPECT_EVENTS("icon 0 2|enable 0 true|icon 1 2|enable 1 true|job Version false");
    machine->Disconnecting();
    EXPECT_EVENTS("job Reset false");
    machine->Disconnected();
    QVERIFY(!machine->IsConnected());
    EXPECT_EVENTS("icon 0 0|enable 0 true|icon 1 0|enable 1 true");
    machine->Disconnected();
    EXPECT_EVENTS("");
}

void TestStateMachine::retrieveJobsAndCompletion()
{
    machine->Connected();
    recorder->Take();
    // The transport model's schedule is reset before it is read again.
    SetRow0(*transportModel, 10, 11, 4500, 6750);

    machine->GetAllTabs();
    EXPECT_EVENTS("job Kelvane false|job Message Schedule false|job Version false|"
                  "job Voltage false|icon 0 3|enable 0 false|"
                  "job Get LIM false|icon 1 3|enable 1 false");
    MessageSchedule fresh;
    fresh.Reset();
    QVERIFY(*transportModel->GetMessageSchedule() == fresh);
    // Again while syncing: the jobs, but no icon or enable signal.
    machine->GetTab(1);
    EXPECT_EVENTS("job Get LIM false");
    // Other tab numbers have no state.
    machine->GetTab(2);
    machine->SendTab(-1);
    EXPECT_EVENTS("");

    machine->JobComplete("Kelvane", false);
    EXPECT_EVENTS("refresh 0|icon 0 4|enable 0 true");
    machine->JobComplete("Message Schedule", false);
    machine->JobComplete("Version", false);
    machine->JobComplete("SerNo Test", false);
    EXPECT_EVENTS("refresh 0");
    QVERIFY(!machine->IsPolling());
    machine->JobComplete("Voltage", false);
    QVERIFY(machine->IsPolling());
    machine->JobComplete("Get LIM", false);
    machine->AllJobsComplete();
    EXPECT_EVENTS("refresh 1|icon 1 4|enable 1 true|update");

    // A retrieve of tab 1 leaves polling running; one of tab 0 stops it.
    machine->GetTab(1);
    QVERIFY(machine->IsPolling());
    machine->GetTab(0);
    QVERIFY(!machine->IsPolling());

    // The send completions: no refresh, and a sent "Voltage" does not poll.
    recorder->Take();
    machine->JobComplete("Kelvane", true);
    machine->JobComplete("Message Schedule", true);
    machine->JobComplete("Voltage", true);
    EXPECT_EVENTS("icon 0 4|enable 0 true");
    QVERIFY(!machine->IsPolling());
}

void TestStateMachine::sendTabCopiesAndKeepsUnitMmsi()
{
    machine->Connected();
    machine->JobComplete("Voltage", false);
    recorder->Take();
    transportModel->GetAtoN()->GetAtoNMMSI()->SetMmsi("235000001");
    AtoN *edited = editModel->GetAtoN();
    edited->GetAtoNMMSI()->SetMmsi("111111111");
    edited->GetAtoNMMSI()->SetNewMmsi("992350002");
    edited->SetName("NORTH PIER");
    SetRow0(*editModel, 10, -1, 4500, 6750);

    // Copies are made before the jobs that read them are queued.
    QStringList seenAtQueue;
    connect(machine, &StateMachine::QueueJob, this, [&](const QString &name, bool) {
        seenAtQueue << name + ":" + transportModel->GetAtoN()->Name() + ":" +
                           QString::number(
                               transportModel->GetMessageSchedule()->EntryAt(0).StartSlot1());
    });
    machine->SendTab(0);
    EXPECT_EVENTS("job Kelvane true|job Message Schedule true|icon 0 3|enable 0 false");
    QCOMPARE(seenAtQueue, QStringList({"Kelvane:NORTH PIER:0", "Message Schedule:NORTH PIER:10"}));
    QVERIFY(!machine->IsPolling());
    QCOMPARE(transportModel->GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("235000001"));
    QCOMPARE(transportModel->GetAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992350002"));
    QCOMPARE(edited->GetAtoNMMSI()->Mmsi(), QStringLiteral("111111111"));

    // The lantern tab: copied, sent, and polling again once it is done.
    editModel->GetLanternInterface()->Reset();
    machine->SendTab(1);
    QVERIFY(*transportModel->GetLanternInterface() == *editModel->GetLanternInterface());
    EXPECT_EVENTS("job Set LIM true|icon 1 3|enable 1 false");
    machine->JobComplete("Set LIM", true);
    EXPECT_EVENTS("icon 1 4|enable 1 true");
    QVERIFY(machine->IsPolling());
}

void TestStateMachine::sendRefusedForSlotClash()
{
    machine->Connected();
    machine->JobComplete("Kelvane", false);
    machine->JobComplete("Voltage", false);
    recorder->Take();
    transportModel->GetAtoN()->SetName("UNIT");

    // Start slots 10 and 11 with different intervals: refused, tab 1 still sent.
    SetRow0(*editModel, 10, 11, 6750, 4500);
    editModel->GetAtoN()->SetName("CHANGED");
    machine->SendAllTabs();
    EXPECT_EVENTS("warning The message schedule set risks clashing timeslots.|"
                  "job Set LIM true|icon 1 3|enable 1 false");
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSynced));
    QVERIFY(!machine->IsPolling());
    QCOMPARE(transportModel->GetAtoN()->Name(), QStringLiteral("UNIT"));

    // A disabled channel (-1) on either side is no risk.
    SetRow0(*editModel, -1, 11, 6750, 4500);
    machine->SendTab(0);
    QVERIFY(recorder->Take().startsWith("job Kelvane true"));
    SetRow0(*editModel, 10, -1, 6750, 4500);
    machine->SendTab(0);
    QVERIFY(recorder->Take().startsWith("job Kelvane true"));

    const QString text = StateMachine::SlotClashText();
    QVERIFY(text.startsWith("The message schedule set risks clashing timeslots.\nThe configuration "
                            "has not been sent.\n\nThere must be a difference of at least three "
                            "slots between the start slots allocated to each channel unless:\n"));
    QVERIFY(text.endsWith("\n    This gives a \"symmetrical\" schedule and avoids the risk of "
                          "overlapping\n    slots being used by both channels at the same time."));
}

void TestStateMachine::editedAndFileLoad()
{
    machine->Connected();
    recorder->Take();
    // Not synced stays not synced.
    machine->Edited(1);
    machine->FileLoad();
    EXPECT_EVENTS("");

    machine->JobComplete("Kelvane", false);
    machine->JobComplete("Get LIM", false);
    recorder->Take();
    machine->Edited(0);
    machine->Edited(0);
    EXPECT_EVENTS("icon 0 1|enable 0 true");
    // A file load marks every synced tab edited; tab 0 is already edited.
    machine->FileLoad();
    EXPECT_EVENTS("icon 1 1|enable 1 true");
    // Syncing is not touched by an edit.
    machine->GetTab(1);
    recorder->Take();
    machine->Edited(1);
    EXPECT_EVENTS("");
}

void TestStateMachine::linkFailures_data()
{
    // A script of transport reports: link (Connected), poll (the voltage read,
    // polling starts), Tn (n timeouts), answer (a serial number), limit
    // (OnPollingLimit), drop (Disconnected), get1 and got1 (a retrieve of the
    // lantern tab queued and done), open, command and sentence (the connect,
    // command and sentence errors); then the error signals raised in order,
    // the missed answers counted and whether polling runs.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("missed");
    QTest::addColumn<bool>("polling");
    const auto row = [](const char *name, const char *script, const QString &events, int missed,
                        bool polling) {
        QTest::newRow(name) << script << events << missed << polling;
    };
    row("open", "open", "error Error connecting to the AtoN busy port|disconnect", 0, false);
    row("command", "command",
        "error Error sending a command to the AtoN $PVKX,battvolts|disconnect", 0, false);
    row("sentence", "sentence",
        "disconnect|error Error reading an NMEA sentence from the AtoN NMEA sentence: ACF", 0,
        false);
    row("eight misses", "link poll T8", "", 8, true);
    row("an answer resets the count", "link poll T8 answer T8", "", 8, true);
    row("the ninth miss ends the link", "link poll T8 answer T9", PollingLimitError, 0, false);
    // The same link: a late timeout after the give-up stays silent.
    row("silent after giving up", "link poll T9 T", PollingLimitError, 0, false);
    row("polling limit", "link poll limit", PollingLimitError, 0, false);
    row("timeout outside polling", "link T", TimeoutError, 0, false);
    // After a give-up, the next link's timeout outside polling is reported.
    row("give-up ends with its link", "link poll limit drop link T",
        PollingLimitError + "|" + TimeoutError, 0, false);
    // A line lost while polling leaves polling as it was; the new link must
    // not count its first timeout as a missed answer of the old one.
    row("polling ends with its link", "link poll T drop link T", TimeoutError, 0, false);
    // A retrieve of tab 1 leaves polling running; its timeout is a failure
    // of the link, not a missed poll answer, and the engineer is told.
    row("lantern retrieve times out", "link poll T get1 T", TimeoutError, 1, true);
    row("after the lantern retrieve", "link poll get1 got1 T", "", 1, true);
}

void TestStateMachine::linkFailures()
{
    QFETCH(QString, script);
    for (const QString &step : script.split(' ')) {
        if (step == "link")
            machine->Connected();
        else if (step == "poll")
            machine->JobComplete("Voltage", false);
        else if (step == "answer")
            machine->OnProductSerialNumberTest("12345");
        else if (step == "limit")
            machine->OnPollingLimit();
        else if (step == "drop")
            machine->Disconnected();
        else if (step == "get1")
            machine->GetTab(1);
        else if (step == "got1")
            machine->JobComplete("Get LIM", false);
        else if (step == "open")
            machine->ConnectError("busy port");
        else if (step == "command")
            machine->CommandError("$PVKX,battvolts");
        else if (step == "sentence")
            machine->AtoNSentenceError("ACF");
        for (int i = step.startsWith('T') ? qMax(1, step.mid(1).toInt()) : 0; i > 0; --i)
            machine->Timeout();
    }
    const QStringList errors = recorder->events.filter(QRegularExpression("^(error|disconnect)"));
    QTEST(errors.join('|'), "events");
    QTEST(machine->MissedAnswers(), "missed");
    QTEST(machine->IsPolling(), "polling");
}

void TestStateMachine::pollingTimerQueuesSerialNumberTests()
{
    machine->Connected();
    QSignalSpy jobs(machine, &StateMachine::QueueJob);
    jobs.clear();
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

QTEST_GUILESS_MAIN(TestStateMachine)
#include "tst_statemachine.moc"
