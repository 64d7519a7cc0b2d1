#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "support/schedulerows.h"

// Compares the signals raised since the last check with the "|"-joined list.
#define EXPECT_EVENTS(text) QCOMPARE(recorder->Take(), QString(text))

namespace {

const QString TimeoutError =
    "disconnect|error Error communicating with the AtoN A timeout occurred.";
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
        connect(machine, &StateMachine::QueueLastJob, this,
                [this](const QString &name) { Add("last job", name); });
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
        connect(machine, &StateMachine::TransferRunning, this,
                [this](bool running) { Add("running", int(running)); });
        connect(machine, &StateMachine::RetrieveFinished, this,
                [this](bool ok) { Add("retrieved", int(ok)); });
        connect(machine, &StateMachine::SendRefused, this,
                [this](const QString &text) { Add("refused", text.section('\n', 1)); });
        connect(machine, &StateMachine::TransferInterrupted, this,
                [this](const QString &text) { Add("interrupted", text); });
        connect(
            machine, &StateMachine::ReadBackResult, this,
            [this](int tab, const QStringList &lines) { Add("readback", tab, lines.join(';')); });
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
    // n times); docked:SERIAL docks another unit; got:Job and sent:Job complete a job, line:Job is
    // a line of a job that reads, setline:Job one of a job that sets. "-" forgets the signals so
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
            } else if (name == "docked") {
                UnitIdentity now;
                now.serialNumber = arg;
                machine->OtherUnitDocked(now);
            } else if (name == "got" || name == "sent") {
                machine->JobComplete(arg, name == "sent");
            } else if (name == "line" || name == "setline") {
                machine->LineSent(arg, name == "setline");
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
            << "icon 0 2|enable 0 true|icon 1 2|enable 1 true|job Version false|job Link Identity "
               "false|"
               "last job Reset|"
               "icon 0 0|enable 0 true|icon 1 0|enable 1 true|state 0 0 0";
        // One transfer at a time: requests while it runs are ignored. Its jobs
        // are queued one by one, a completion out of turn moves nothing on,
        // and the tabs are shown only when the last job has completed.
        // Polling starts once the transfer is over.
        QTest::newRow("retrieve")
            << "Connected - GetAllTabs GetTab:1 SendTab:0 GetTab:2 got:Kelvane got:Version "
               "sent:Message_Schedule got:Message_Schedule got:Version ? got:Voltage got:Get_LIM "
               "? AllJobsComplete"
            << "running 1|icon 0 3|enable 0 false|icon 1 3|enable 1 false|job Kelvane false|"
               "job Message Schedule false|job Version false|job Voltage false|state 1 0 0|"
               "job Get LIM false|running 0|refresh 0|icon 0 4|enable 0 true|refresh 1|"
               "icon 1 4|enable 1 true|retrieved 1|state 1 1 0|update";
        // Not synced and syncing stay as they are; an edit or a file load marks
        // a synced tab edited, once.
        QTest::newRow("edits and loads")
            << "Connected GetTab:1 got:Get_LIM - Edited:0 Edited:1 Edited:1 FileLoad GetTab:1 "
               "Edited:1"
            << "icon 1 1|enable 1 true|running 1|icon 1 3|enable 1 false|job Get LIM false";
    }
    void tabStates()
    {
        QFETCH(QString, script);
        recorder->Play(script);
        QTEST(recorder->events.join('|'), "events");
    }

    // What a send checks, sends and reads back; the traffic itself is the
    // transport's and the tool's tests' business.
    void sendChecksCopiesAndReadsBack()
    {
        // (Refused sends are shown by the window's session and the tool.)
        recorder->Play("Connected -");
        AtoN *edited = editModel->GetAtoN();
        edited->SetName("NORTH PIER");
        editModel->GetLanternInterface()->SetLimvmax(14000);
        QVERIFY(editModel->GetMessageSchedule()->DisableReport(0)); // its slots would clash
        // Every other row specified and off, as files of earlier versions
        // hold them.
        editModel->GetMessageSchedule()->SwitchOffUnspecified();

        // The unit's serial number and MMSI are asked for first; everything
        // after comes from the copy taken when the send was accepted, and is
        // prepared in the transport's own model.
        SerialTransport link;
        Model *prepared = link.TransportModel();
        connect(machine, &StateMachine::PrepareJob, &link, &Transport::Prepare);
        edited->GetAtoNMMSI()->SetNewMmsi("992350002");
        prepared->GetAtoN()->GetAtoNMMSI()->SetMmsi("111111111"); // an earlier unit's
        QSignalSpy progress(machine, &StateMachine::TransferProgress);
        QSignalSpy preparations(machine, &StateMachine::PrepareJob);
        const auto rowsSent = [&] {
            QList<QList<int>> rows;
            for (const QVariantList &p : qAsConst(preparations)) {
                if (p.at(0).toInt() == Transport::CopySchedule)
                    rows << p.at(2).value<QList<int>>();
            }
            return rows;
        };
        machine->SendAllTabs();
        recorder->Play("OnProductSerialNumberTest:VK1 got:SerNo_Test");
        QCOMPARE(prepared->GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("000000000"));
        Model sent;
        sent = *editModel;
        edited->SetName("CHANGED LATER");
        editModel->GetLanternInterface()->SetLimvmax(9000);
        // The unit's answer, in the transport's model and as read from it.
        prepared->GetAtoN()->GetAtoNMMSI()->SetMmsi("235000001");
        transportModel->GetAtoN()->GetAtoNMMSI()->SetMmsi("235000001");
        // Most rows of the document are off, and this unit's rows have not
        // been read on the link: they are read first, and only the rows in
        // use in the document or on the unit go out.
        recorder->Play("got:Identity got:Message_Schedule");
        MessageSchedule unitRows;
        unitRows = *transportModel->GetMessageSchedule();
        QCOMPARE(prepared->GetAtoN()->Name(), QStringLiteral("NORTH PIER"));
        QCOMPARE(prepared->GetAtoN()->GetAtoNMMSI()->Mmsi(), QStringLiteral("235000001"));
        QCOMPARE(prepared->GetAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992350002"));
        recorder->Play("sent:Kelvane got:SerNo_Test sent:Message_Schedule");
        QVERIFY(*prepared->GetMessageSchedule() == *sent.GetMessageSchedule());
        QCOMPARE(rowsSent().size(), 1);
        const QList<int> rows = rowsSent().last();
        QVERIFY(!rows.isEmpty() && rows.size() < sent.GetMessageSchedule()->Count());
        for (int i = 0; i < sent.GetMessageSchedule()->Count(); ++i)
            QCOMPARE(rows.contains(i), sent.GetMessageSchedule()->EntryAt(i).Active() ||
                                           unitRows.EntryAt(i).Active());
        recorder->Play("sent:Set_LIM got:SerNo_Test");
        QCOMPARE(prepared->GetLanternInterface()->GetLimvmax(), 14000);
        // A line of a job queued before the transfer is not the transfer's.
        machine->LineSent("SerNo Test", false);
        for (int line = 0; line < 3; ++line)
            machine->LineSent("Kelvane", false);
        const int total = 1 + 1 + 1 + 3 + 1 + rows.size() + 8 + 1 + 3 + 1 + 8;
        const QVariantList third = progress.last();
        QCOMPARE(third.at(0).toString(), QStringLiteral("Reading back the AtoN settings 3 of 3"));
        QCOMPARE(third.at(2).toInt(), total);
        QCOMPARE(third.at(1).toInt(), total - 9 - 3 + 3);
        QVERIFY(third.at(3).toInt() >= 1000);

        // The unit kept part of the name and another voltage; the message
        // schedule, read afresh, is what was sent.
        *transportModel->GetAtoN() = *prepared->GetAtoN();
        transportModel->GetAtoN()->SetName("NORTH PI");
        recorder->Play("got:Kelvane");
        QVERIFY(*transportModel->GetMessageSchedule() != *sent.GetMessageSchedule());
        *transportModel->GetMessageSchedule() = *sent.GetMessageSchedule();
        *transportModel->GetLanternInterface() = *prepared->GetLanternInterface();
        transportModel->GetLanternInterface()->SetLimvmax(12000);
        recorder->Play("got:Message_Schedule got:Get_LIM ?");
        EXPECT_EVENTS("running 1|icon 0 3|enable 0 false|icon 1 3|enable 1 false|"
                      "job SerNo Test false|job Identity false|job Message Schedule false|"
                      "job Kelvane true|job SerNo Test false|job Message Schedule true|"
                      "job Set LIM true|job SerNo Test false|job Kelvane false|"
                      "job Message Schedule false|"
                      "job Get LIM false|running 0|icon 0 1|enable 0 true|"
                      "readback 0 Name: \"NORTH PIER\" -> \"NORTH PI\"|icon 1 1|enable 1 true|"
                      "readback 1 Maximum voltage: 14.000 V -> 12.000 V|state 1 1 0");
        QCOMPARE(progress.last(), QVariantList({QString(), 0, 0, 0}));

        // A second send on the link asks who the unit is again. An empty
        // schedule sends no row, and whatever rows the unit holds are its own.
        editModel->GetAtoN()->SetName("NORTH PIER");
        LoadRows(editModel->GetMessageSchedule(), {});
        QCOMPARE(editModel->GetMessageSchedule()->Count(), 0);
        recorder->Play("SendTab:0 got:SerNo_Test got:Identity sent:Kelvane got:SerNo_Test");
        *transportModel->GetAtoN() = *prepared->GetAtoN();
        recorder->Play("got:Kelvane got:Message_Schedule");
        EXPECT_EVENTS("running 1|icon 0 3|enable 0 false|job SerNo Test false|"
                      "job Identity false|job Kelvane true|job SerNo Test false|job Kelvane false|"
                      "job Message Schedule false|running 0|icon 0 4|enable 0 true|readback 0 ");

        // The same unit's rows, read back by the first send, are known: the
        // next send of the layout asks nothing first and leaves out the same
        // rows. Another unit's rows are not taken for them.
        *editModel->GetMessageSchedule() = *sent.GetMessageSchedule();
        *transportModel->GetMessageSchedule() = unitRows;
        for (const char *serial : {"VK1", "VK2"}) {
            recorder->events.clear();
            preparations.clear();
            // The unit on the line has told its serial number while polled, and
            // again as the send starts.
            recorder->Play(
                QStringLiteral("OnProductSerialNumberTest:%1 SendTab:0 "
                               "OnProductSerialNumberTest:%1 got:SerNo_Test got:Identity")
                    .arg(serial));
            const bool known = QLatin1String(serial) == QLatin1String("VK1");
            QCOMPARE(recorder->events.contains("job Message Schedule false"), !known);
            recorder->Play(known ? "sent:Kelvane got:SerNo_Test sent:Message_Schedule "
                                   "got:SerNo_Test got:Kelvane got:Message_Schedule"
                                 : "got:Message_Schedule sent:Kelvane got:SerNo_Test "
                                   "sent:Message_Schedule got:SerNo_Test got:Kelvane "
                                   "got:Message_Schedule");
            QCOMPARE(rowsSent(), QList<QList<int>>({rows}));
        }
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
        // Before the transfer's first line a failed answer is of a job queued
        // ahead of it: the step could not begin. A lost line fails the step.
        row("sentence", "Connected GetTab:1 AtoNSentenceError:ACF ?",
            "retrieved 0|disconnect|error Error reading from the AtoN Reading lantern settings "
            "could not begin. ACF|state 1 0 0");
        row("unplugged during a retrieve",
            "Connected GetTab:1 got:Get_LIM GetTab:0 got:Kelvane LineLost:hung_up Disconnected ?",
            "retrieved 0|disconnect|error Error reading from the AtoN Reading the message "
            "schedule failed. hung up|state 0 0 0");
        // An answer resets the count; the ninth miss in a row ends the link, and a
        // late timeout after the give-up stays silent.
        row("nine misses",
            "Connected GetTab:1 got:Get_LIM Timeout*8 OnProductSerialNumberTest:12345 Timeout*8 ? "
            "Timeout "
            "Timeout ?",
            "state 1 1 8|" + PollingLimitError + "|state 1 0 0");
        row("timeout outside polling", "Connected Timeout ?", TimeoutError + "|state 1 0 0");
        // After a give-up, the next link's timeout outside polling is reported.
        row("give-up ends with its link",
            "Connected GetTab:1 got:Get_LIM OnPollingLimit Disconnected Connected Timeout ?",
            PollingLimitError + "|" + TimeoutError + "|state 1 0 0");
        // A line lost while polling is told once, whatever follows; the new
        // link must not count its first timeout as a missed poll answer.
        row("unit lost while polling",
            "Connected GetTab:1 got:Get_LIM Timeout SendError Timeout Disconnected Connected "
            "Timeout ?",
            "disconnect|error Error communicating with the AtoN The line to the unit could not be "
            "written.|" +
                TimeoutError + "|state 1 0 0");
        row("line closes while polling", "Connected GetTab:1 got:Get_LIM Disconnected ?",
            "error Error communicating with the AtoN The connection to the AtoN was lost.|"
            "state 0 0 0");
        // Another unit docked during a retrieve: nothing read is taken, and
        // the link stays for the unit now docked.
        row("another unit during a retrieve", "Connected GetTab:1 docked:VK2 ?",
            "retrieved 0|error Error reading from the AtoN Another unit was docked during the "
            "retrieve: the unit on the line now has serial number VK2, MMSI not known. Nothing "
            "that was read has been taken.|state 1 0 0");
        // A transfer's timeout is a failure of the link, not a missed poll.
        row("retrieve times out",
            "Connected GetTab:1 got:Get_LIM Timeout GetTab:0 got:Kelvane line:Message_Schedule "
            "Timeout:no_answer ?",
            "retrieved 0|disconnect|error Error reading from the AtoN Reading the message "
            "schedule failed. no answer|state 1 0 1");
        // Closed on purpose: no error, but what the unit may hold in part (only
        // the parts that had lines out), or that it holds what it held when
        // nothing went out.
        row("send of all cut off in the AtoN settings",
            "Connected SendAllTabs got:SerNo_Test got:Identity got:Message_Schedule "
            "setline:Kelvane Disconnecting Disconnected",
            "interrupted The send ended before it was complete: the unit may hold the AtoN "
            "settings and message schedule only in part. Nothing of the lantern settings went "
            "out: the unit holds that as before.");
        row("send of all cut off in the lantern settings",
            "Connected SendAllTabs got:SerNo_Test got:Identity got:Message_Schedule "
            "setline:Kelvane sent:Kelvane got:SerNo_Test setline:Message_Schedule "
            "sent:Message_Schedule setline:Set_LIM Disconnecting Disconnected",
            "interrupted The send ended before it was complete: the unit may hold the lantern "
            "settings only in part. All of the AtoN settings and message schedule went out, but "
            "was not read back: what the unit holds of it now is not known.");
        row("send cut off before setting",
            "Connected SendTab:1 got:SerNo_Test got:Identity Disconnecting Disconnected",
            "interrupted The send ended before any of the lantern settings went out: the unit "
            "holds what it held before.");
        // A failed send: one box, naming the step and what the unit holds.
        row("send times out",
            "Connected SendTab:1 got:SerNo_Test got:Identity setline:Set_LIM Timeout:no_answer",
            "disconnect|error Error sending to the AtoN Sending lantern settings 1 of 8 failed. "
            "no answer\n\nThe send ended before it was complete: the unit may hold the lantern "
            "settings only in part.");
        row("unplugged during a send", "Connected SendTab:1 Disconnected",
            "error Error sending to the AtoN Asking the unit for its serial number failed. The "
            "connection to the AtoN was lost.\n\nThe send ended before any of the lantern settings "
            "went out: the unit holds what it held "
            "before.");
    }

    // A send confirms the unit first: another unit on the line gets nothing,
    // the lantern settings (which carry no address) included.
    void sendGoesOnlyToTheUnitMeant()
    {
        UnitIdentity meant;
        meant.serialNumber = "A1";
        meant.mmsi = "992351234";
        machine->SetExpectedUnit(meant);
        recorder->Play("Connected - SendTab:1 OnProductSerialNumberTest:B2 got:SerNo_Test");
        transportModel->GetAtoN()->GetAtoNMMSI()->SetMmsi("992357777");
        recorder->Play("got:Identity ?");
        const QString other = recorder->Take();
        QVERIFY2(!other.contains("Set LIM") && other.endsWith("state 1 1 0"), qPrintable(other));
        for (const char *named : {"refused", "A1", "B2", "992351234", "992357777"})
            QVERIFY2(other.contains(named), named);
        QCOMPARE(machine->TabStateOf(1), int(StateMachine::TabNotSynced));
        // An MMSI of another unit under the same serial number is refused too.
        recorder->Play("SendTab:1 OnProductSerialNumberTest:A1 got:SerNo_Test got:Identity");
        QVERIFY(!recorder->Take().contains("Set LIM"));
        // The unit meant: the send goes on.
        recorder->Play("SendTab:1 OnProductSerialNumberTest:A1 got:SerNo_Test");
        transportModel->GetAtoN()->GetAtoNMMSI()->SetMmsi("992351234");
        recorder->Play("got:Identity");
        QVERIFY(recorder->Take().contains("job Set LIM true"));
    }

    void linkFailures()
    {
        QFETCH(QString, script);
        // A document that tab 0 may send: an MMSI, slots that do not clash.
        editModel->GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992350002");
        QVERIFY(editModel->GetMessageSchedule()->DisableReport(0));
        recorder->Play(script);
        const QStringList errors = recorder->events.filter(
            QRegularExpression("^(error|disconnect|state|retrieved 0|interr)"));
        QTEST(errors.join('|'), "events");
    }
};

QTEST_GUILESS_MAIN(TestStateMachine)
#include "tst_statemachine.moc"
