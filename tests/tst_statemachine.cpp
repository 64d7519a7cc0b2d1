#include <QSignalSpy>
#include <QtTest>

#include "app/statemachine.h"
#include "model/model.h"

namespace {

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
    QStringList Take()
    {
        QStringList taken = events;
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

void SetRow0(Model &model, int slot1, int slot2, int interval1, int interval2,
             QTime start2 = QTime(0, 0))
{
    MessageSchedule *schedule = model.GetMessageSchedule();
    MessageScheduleEntry row = schedule->EntryAt(0);
    row.SetStartSlot1(slot1);
    row.SetStartSlot2(slot2);
    row.SetInterval1(interval1);
    row.SetInterval2(interval2);
    row.SetStartTime1(QTime(0, 0));
    row.SetStartTime2(start2);
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
    void getTabQueuesJobsInOrder();
    void getAllTabsAndRetrieveCompletion();
    void sendTabCopiesAndKeepsUnitMmsi();
    void sendRefusedForSlotClash();
    void sendLanternTab();
    void editedAndFileLoad();
    void errorsInTheirOrder();
    void pollingCountsMissedAnswers();
    void pollingTimerQueuesSerialNumberTests();
    void gaveUpIsClearedByNewConnection();
    void pollingOfAnEarlierLinkDoesNotCarryOver();

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
    machine->GetTab(0);
    machine->SendTab(0);
    machine->GetAllTabs();
    machine->FileLoad();
    machine->Edited(0);
    QCOMPARE(recorder->Take(), QStringList());

    machine->Connected();
    QVERIFY(machine->IsConnected());
    QCOMPARE(recorder->Take(), QStringList({"icon 0 2", "enable 0 true", "icon 1 2",
                                            "enable 1 true", "job Version false"}));
    // A second Connected changes no state, so only the job is asked for.
    machine->Connected();
    QCOMPARE(recorder->Take(), QStringList({"job Version false"}));

    machine->Disconnecting();
    QCOMPARE(recorder->Take(), QStringList({"job Reset false"}));

    machine->Disconnected();
    QVERIFY(!machine->IsConnected());
    QCOMPARE(recorder->Take(),
             QStringList({"icon 0 0", "enable 0 true", "icon 1 0", "enable 1 true"}));
    machine->Disconnected();
    QCOMPARE(recorder->Take(), QStringList());

    machine->OnFaultLogRequest();
    QCOMPARE(recorder->Take(), QStringList({"job Fault Log false"}));
}

void TestStateMachine::getTabQueuesJobsInOrder()
{
    machine->Connected();
    recorder->Take();

    // The transport model's schedule is reset before it is read again.
    SetRow0(*transportModel, 10, 11, 4500, 6750);
    int row = 0;
    QVERIFY(transportModel->GetMessageSchedule()->AddMessage(6, row));

    machine->GetTab(0);
    QCOMPARE(recorder->Take(),
             QStringList({"job Kelvane false", "job Message Schedule false", "job Version false",
                          "job Voltage false", "icon 0 3", "enable 0 false"}));
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSyncing));
    MessageSchedule fresh;
    fresh.Reset();
    QVERIFY(*transportModel->GetMessageSchedule() == fresh);

    // Again while syncing: the jobs, but no icon or enable signal.
    machine->GetTab(0);
    QCOMPARE(recorder->Take(), QStringList({"job Kelvane false", "job Message Schedule false",
                                            "job Version false", "job Voltage false"}));

    machine->GetTab(1);
    QCOMPARE(recorder->Take(), QStringList({"job Get LIM false", "icon 1 3", "enable 1 false"}));

    // Tab 2 (serial data) and others have no state.
    machine->GetTab(2);
    machine->SendTab(2);
    machine->GetTab(-1);
    machine->Edited(2);
    QCOMPARE(recorder->Take(), QStringList());
    QCOMPARE(machine->TabStateOf(2), int(StateMachine::TabNoLink));
}

void TestStateMachine::getAllTabsAndRetrieveCompletion()
{
    machine->Connected();
    recorder->Take();
    machine->GetAllTabs();
    QCOMPARE(recorder->Take(),
             QStringList({"job Kelvane false", "job Message Schedule false", "job Version false",
                          "job Voltage false", "icon 0 3", "enable 0 false", "job Get LIM false",
                          "icon 1 3", "enable 1 false"}));

    // Completion as the transport reports it during a retrieve.
    machine->JobComplete("Kelvane", false);
    QCOMPARE(recorder->Take(), QStringList({"refresh 0", "icon 0 4", "enable 0 true"}));
    machine->JobComplete("Message Schedule", false);
    QCOMPARE(recorder->Take(), QStringList({"refresh 0"}));
    machine->JobComplete("Version", false);
    machine->JobComplete("SerNo Test", false);
    machine->JobComplete("Unknown", true);
    QCOMPARE(recorder->Take(), QStringList());
    QVERIFY(!machine->IsPolling());
    machine->JobComplete("Voltage", false);
    QVERIFY(machine->IsPolling());
    machine->JobComplete("Get LIM", false);
    QCOMPARE(recorder->Take(), QStringList({"refresh 1", "icon 1 4", "enable 1 true"}));
    machine->AllJobsComplete();
    QCOMPARE(recorder->Take(), QStringList({"update"}));
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSynced));
    QCOMPARE(machine->TabStateOf(1), int(StateMachine::TabSynced));

    // A retrieve of tab 0 stops polling; one of tab 1 leaves it running.
    machine->GetTab(1);
    QVERIFY(machine->IsPolling());
    machine->GetTab(0);
    QVERIFY(!machine->IsPolling());

    // The send completions: no refresh, and "Voltage" sent does not poll.
    recorder->Take();
    machine->JobComplete("Kelvane", true);
    machine->JobComplete("Message Schedule", true);
    machine->JobComplete("Voltage", true);
    QCOMPARE(recorder->Take(), QStringList({"icon 0 4", "enable 0 true"}));
    QVERIFY(!machine->IsPolling());
}

void TestStateMachine::sendTabCopiesAndKeepsUnitMmsi()
{
    machine->Connected();
    recorder->Take();
    transportModel->GetAtoN()->GetAtoNMMSI()->SetMmsi("235000001");
    AtoN *edited = editModel->GetAtoN();
    edited->GetAtoNMMSI()->SetMmsi("111111111");
    edited->GetAtoNMMSI()->SetNewMmsi("992350002");
    edited->SetName("NORTH PIER");
    edited->SetChannel1(2086);
    edited->GetPosition()->SetLatitude(50.5);
    SetRow0(*editModel, 10, -1, 4500, 6750);
    machine->JobComplete("Voltage", false);
    QVERIFY(machine->IsPolling());

    // Copies are made before the jobs that read them are queued.
    QStringList seenAtQueue;
    connect(machine, &StateMachine::QueueJob, this, [&](const QString &name, bool) {
        seenAtQueue << name + ":" + transportModel->GetAtoN()->Name() + ":" +
                           QString::number(
                               transportModel->GetMessageSchedule()->EntryAt(0).StartSlot1());
    });
    machine->SendTab(0);
    QCOMPARE(recorder->Take(), QStringList({"job Kelvane true", "job Message Schedule true",
                                            "icon 0 3", "enable 0 false"}));
    QCOMPARE(seenAtQueue, QStringList({"Kelvane:NORTH PIER:0", "Message Schedule:NORTH PIER:10"}));
    QVERIFY(!machine->IsPolling());

    const AtoN *sent = transportModel->GetAtoN();
    QCOMPARE(sent->GetAtoNMMSI()->Mmsi(), QStringLiteral("235000001"));
    QCOMPARE(sent->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992350002"));
    QCOMPARE(sent->Channel1(), 2086);
    QCOMPARE(sent->GetPosition()->Latitude(), 50.5);
    QCOMPARE(*transportModel->GetMessageSchedule(), *editModel->GetMessageSchedule());
    // The edit model itself is not touched.
    QCOMPARE(edited->GetAtoNMMSI()->Mmsi(), QStringLiteral("111111111"));
}

void TestStateMachine::sendRefusedForSlotClash()
{
    machine->Connected();
    machine->JobComplete("Kelvane", false);
    machine->JobComplete("Voltage", false);
    recorder->Take();
    transportModel->GetAtoN()->SetName("UNIT");

    // Start slots 10 and 11 with different intervals: refused.
    SetRow0(*editModel, 10, 11, 6750, 4500);
    editModel->GetAtoN()->SetName("CHANGED");
    machine->SendTab(0);
    QCOMPARE(recorder->Take(),
             QStringList({"warning The message schedule set risks clashing timeslots."}));
    QCOMPARE(machine->TabStateOf(0), int(StateMachine::TabSynced));
    QVERIFY(!machine->IsPolling());
    QCOMPARE(transportModel->GetAtoN()->Name(), QStringLiteral("UNIT"));

    // Send all: tab 0 refused, tab 1 still sent.
    machine->SendAllTabs();
    QCOMPARE(recorder->Take(),
             QStringList({"warning The message schedule set risks clashing timeslots.",
                          "job Set LIM true", "icon 1 3", "enable 1 false"}));

    // A disabled channel (-1) on either side is no risk.
    SetRow0(*editModel, -1, 11, 6750, 4500);
    machine->SendTab(0);
    QCOMPARE(recorder->Take().first(), QStringLiteral("job Kelvane true"));
    SetRow0(*editModel, 10, -1, 6750, 4500);
    machine->SendTab(0);
    QCOMPARE(recorder->Take().first(), QStringLiteral("job Kelvane true"));

    // The whole text of the warning, as the window shows it.
    const QString text = StateMachine::SlotClashText();
    QVERIFY(text.startsWith("The message schedule set risks clashing timeslots.\nThe configuration "
                            "has not been sent.\n\nThere must be a difference of at least three "
                            "slots between the start slots allocated to each channel unless:\n"));
    QVERIFY(text.contains("\n    This gives a \"symmetrical\" schedule and avoids the risk of "
                          "overlapping\n    slots being used by both channels at the same time."));
    QVERIFY(text.endsWith("same time."));
}

void TestStateMachine::sendLanternTab()
{
    machine->Connected();
    recorder->Take();
    LanternInterface *lantern = editModel->GetLanternInterface();
    lantern->Reset();
    QVERIFY(*transportModel->GetLanternInterface() == *lantern);

    machine->JobComplete("Voltage", false);
    machine->SendTab(1);
    QVERIFY(!machine->IsPolling());
    QCOMPARE(recorder->Take(), QStringList({"job Set LIM true", "icon 1 3", "enable 1 false"}));
    machine->JobComplete("Set LIM", true);
    QCOMPARE(recorder->Take(), QStringList({"icon 1 4", "enable 1 true"}));
    QVERIFY(machine->IsPolling());
}

void TestStateMachine::editedAndFileLoad()
{
    machine->Connected();
    recorder->Take();

    // Not synced stays not synced.
    machine->Edited(1);
    machine->FileLoad();
    QCOMPARE(recorder->Take(), QStringList());

    machine->JobComplete("Kelvane", false);
    machine->JobComplete("Get LIM", false);
    recorder->Take();
    machine->Edited(0);
    QCOMPARE(recorder->Take(), QStringList({"icon 0 1", "enable 0 true"}));
    machine->Edited(0);
    QCOMPARE(recorder->Take(), QStringList());

    // A file load marks every synced tab edited; tab 0 is already edited.
    machine->FileLoad();
    QCOMPARE(recorder->Take(), QStringList({"icon 1 1", "enable 1 true"}));

    // Syncing is not touched by an edit.
    machine->GetTab(1);
    recorder->Take();
    machine->Edited(1);
    QCOMPARE(recorder->Take(), QStringList());
    QCOMPARE(machine->TabStateOf(1), int(StateMachine::TabSyncing));

    machine->Disconnected();
    recorder->Take();
    machine->FileLoad();
    machine->Edited(0);
    QCOMPARE(recorder->Take(), QStringList());
}

void TestStateMachine::errorsInTheirOrder()
{
    machine->ConnectError("busy port");
    QCOMPARE(recorder->Take(),
             QStringList({"error Error connecting to the AtoN busy port", "disconnect"}));
    machine->CommandError("$PVKX,battvolts");
    QCOMPARE(
        recorder->Take(),
        QStringList({"error Error sending a command to the AtoN $PVKX,battvolts", "disconnect"}));
    machine->AtoNSentenceError("ACF");
    QCOMPARE(
        recorder->Take(),
        QStringList({"disconnect",
                     "error Error reading an NMEA sentence from the AtoN NMEA sentence: ACF"}));
    machine->Timeout();
    QCOMPARE(recorder->Take(),
             QStringList({"disconnect", "error Error communicating with the Device A timeout "
                                        "occurred."}));
}

void TestStateMachine::pollingCountsMissedAnswers()
{
    machine->Connected();
    machine->JobComplete("Voltage", false);
    recorder->Take();

    // Eight misses, then an answer: the count starts again.
    for (int i = 0; i < 8; ++i)
        machine->Timeout();
    QCOMPARE(machine->MissedAnswers(), 8);
    QCOMPARE(recorder->Take(), QStringList());
    machine->OnProductSerialNumberTest("12345");
    QCOMPARE(machine->MissedAnswers(), 0);

    for (int i = 0; i < 8; ++i)
        machine->Timeout();
    QCOMPARE(recorder->Take(), QStringList());
    machine->Timeout();
    QCOMPARE(recorder->Take(),
             QStringList({"disconnect", "error Error communicating with the device A timeout "
                                        "occurred. Has the device been removed from the dock?"}));
    QVERIFY(!machine->IsPolling());
    QVERIFY(machine->HasGivenUp());
    QCOMPARE(machine->MissedAnswers(), 0);

    // The same link: a late timeout after the give-up stays silent.
    machine->Timeout();
    QCOMPARE(recorder->Take(), QStringList());

    // OnPollingLimit has the same effect as the ninth miss.
    machine->JobComplete("Voltage", false);
    machine->OnPollingLimit();
    QCOMPARE(recorder->Take(),
             QStringList({"disconnect", "error Error communicating with the device A timeout "
                                        "occurred. Has the device been removed from the dock?"}));
    QVERIFY(!machine->IsPolling());
}

void TestStateMachine::pollingTimerQueuesSerialNumberTests()
{
    machine->Connected();
    recorder->Take();
    QSignalSpy jobs(machine, &StateMachine::QueueJob);
    machine->JobComplete("Voltage", false);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(jobs.wait(3000));
    const qint64 first = clock.elapsed();
    QVERIFY2(first >= 1150 && first < 2500, qPrintable(QString::number(first)));
    QCOMPARE(jobs.at(0).at(0).toString(), QStringLiteral("SerNo Test"));
    QCOMPARE(jobs.at(0).at(1).toBool(), false);

    // Polling stops on request and nothing more is queued.
    machine->StopSerialNumberTest();
    QTest::qWait(1500);
    QCOMPARE(jobs.count(), 1);
}

void TestStateMachine::gaveUpIsClearedByNewConnection()
{
    machine->Connected();
    machine->JobComplete("Voltage", false);
    machine->OnPollingLimit();
    machine->Disconnected();
    recorder->Take();

    // The next link's timeout outside polling is reported again.
    machine->Connected();
    QVERIFY(!machine->HasGivenUp());
    recorder->Take();
    machine->Timeout();
    QCOMPARE(recorder->Take(),
             QStringList({"disconnect", "error Error communicating with the Device A timeout "
                                        "occurred."}));
}

void TestStateMachine::pollingOfAnEarlierLinkDoesNotCarryOver()
{
    // The line dropped while polling (no Disconnect through the application,
    // so nobody stopped the test). The new link must not count its first
    // timeouts as missed answers of the old one.
    machine->Connected();
    machine->JobComplete("Voltage", false);
    machine->Timeout();
    machine->Disconnected();
    QVERIFY(machine->IsPolling()); // a lost line leaves polling as it was

    machine->Connected();
    QVERIFY(!machine->IsPolling());
    QCOMPARE(machine->MissedAnswers(), 0);
    recorder->Take();
    machine->Timeout();
    QCOMPARE(recorder->Take().size(), 2);
}

QTEST_GUILESS_MAIN(TestStateMachine)
#include "tst_statemachine.moc"
