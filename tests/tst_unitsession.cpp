// A unit session against the simulator where the order of its signals and
// the unit's own broadcasts matter.

#include "app/statemachine.h"
#include "app/unitsession.h"
#include "decode/messagedecoder.h"
#include "model/model.h"

#include "support/apptestmain.h"
#include "support/schedulerows.h"
#include "support/simprocess.h"

#include <QJsonObject>
#include <QtTest>

class TestUnitSession : public QObject
{
    Q_OBJECT

private slots:
    void sendStartedFromIdentitySignal();
    void nameBroadcastBeforeASendIsNotHeldAgainstIt();
    void sendGoesOnlyToTheUnitMeant();
};

// A handler of IdentityChanged that sends at once (as the fleet does when a
// unit has told who it is) must get a send of its own: the answer that ended
// the identity question is not the send's MMSI question.
void TestUnitSession::sendStartedFromIdentitySignal()
{
    SimProcess sim({"--quiet", "--fast", "--mmsi", "992351111"});
    QVERIFY(!sim.port.isEmpty());
    UnitSession session;
    Model document;
    document.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992352222"));
    document.GetAtoN()->SetName(QStringLiteral("FROM SIGNAL"));
    // No schedule rows: the unit keeps its own.
    LoadRows(document.GetMessageSchedule(), {});
    bool sent = false;
    int finished = 0;
    QStringList missed;
    QStringList failures;
    connect(&session, &UnitSession::IdentityChanged, this, [&](const UnitIdentity &now) {
        if (sent || now.mmsi.isEmpty())
            return;
        sent = session.Send(document, StateMachine::AtoNPart);
        QVERIFY2(sent, qPrintable(failures.join('\n')));
    });
    connect(&session, &UnitSession::SendFinished, this,
            [&](bool complete, const QStringList &mismatches) {
                finished += complete ? 1 : 100;
                missed = mismatches;
            });
    connect(&session, &UnitSession::Failed, this,
            [&](const QString &title, const QString &text) { failures << title + ' ' + text; });
    connect(&session, &UnitSession::SlotClashWarning, this,
            [&](const QString &text) { failures << text; });
    connect(&session, &UnitSession::SendRefused, this,
            [&](const QString &text) { failures << text; });
    QVERIFY(session.Open(sim.port));
    QTRY_COMPARE_WITH_TIMEOUT(finished, 1, 30000);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join('\n')));
    const QJsonObject held = sim.State();
    QCOMPARE(held.value("mmsi").toString(), QStringLiteral("992352222"));
    QCOMPARE(held.value("ace").toObject().value("name").toString(), QStringLiteral("FROM SIGNAL"));
    QCOMPARE(session.Identity().mmsi, QStringLiteral("992352222"));
    session.Close();
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetWorkerThread(), 10000);
}

// The unit's own message 21 tells a lost name continuation from a unit
// without a name only while its name can still be the unit's: once a send
// has cleared the name, the name broadcast before it is not held against
// the next read.
void TestUnitSession::nameBroadcastBeforeASendIsNotHeldAgainstIt()
{
    // Its own message 21 first comes 2 s after the start, then every 30 s.
    SimProcess sim({"--fast", "--no-gps", "--no-gps-text", "--no-alr", "--no-ai-text",
                    "--report-every", "30"});
    QVERIFY(!sim.port.isEmpty());
    UnitSession session;
    QStringList failures;
    connect(&session, &UnitSession::Failed, this,
            [&](const QString &title, const QString &text) { failures << title + ' ' + text; });
    int retrieved = 0;
    int sent = 0;
    connect(&session, &UnitSession::RetrieveFinished, this,
            [&](bool ok) { retrieved += ok ? 1 : 100; });
    connect(&session, &UnitSession::SendFinished, this,
            [&](bool complete, const QStringList &mismatches) {
                sent += complete && mismatches.isEmpty() ? 1 : 100;
            });
    QSignalSpy reports(session.GetMessageDecoder(), &MessageDecoder::Message21Received);
    QVERIFY(session.Open(sim.port));
    QTRY_VERIFY_WITH_TIMEOUT(session.IsReady(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(reports.count(), 1, 40000);
    QCOMPARE(reports.at(0).at(0).value<Message21Report>().name,
             QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));

    QVERIFY(session.Retrieve(StateMachine::AtoNPart));
    QTRY_COMPARE_WITH_TIMEOUT(retrieved, 1, 30000);
    Model document;
    document = *session.Configuration();
    document.GetAtoN()->SetName(QString());
    QVERIFY(session.Send(document, StateMachine::AtoNPart));
    QTRY_COMPARE_WITH_TIMEOUT(sent, 1, 30000);
    QVERIFY(session.Retrieve(StateMachine::AtoNPart));
    QTRY_COMPARE_WITH_TIMEOUT(retrieved, 2, 30000);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    QCOMPARE(session.Configuration()->GetAtoN()->Name(), QString());
    // No broadcast of the new name came between.
    QCOMPARE(reports.count(), 1);
    session.Close();
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetWorkerThread(), 10000);
}

// A send meant for one unit sends nothing to another on the line, also when
// the session has already learnt, by polling, that the other one is docked.
void TestUnitSession::sendGoesOnlyToTheUnitMeant()
{
    SimProcess sim({"--quiet", "--fast"});
    QVERIFY(!sim.port.isEmpty());
    UnitSession session;
    QVERIFY(session.Open(sim.port));
    QTRY_VERIFY_WITH_TIMEOUT(!session.Identity().mmsi.isEmpty(), 10000);
    const UnitIdentity meant = session.Identity();
    QCOMPARE(meant.serialNumber, QStringLiteral("VK0012345"));

    QJsonObject other = sim.State();
    other.insert("mmsi", "992357777");
    QJsonObject shell = other.value("shell").toObject();
    shell.insert("serialNumber", "VK0077777");
    other.insert("shell", shell);
    sim.Redock(other);
    QTRY_COMPARE_WITH_TIMEOUT(session.Identity().serialNumber, QStringLiteral("VK0077777"), 10000);
    const QJsonObject before = sim.State();

    Model document;
    document.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(meant.mmsi);
    document.GetAtoN()->SetName(QStringLiteral("MEANT FOR THE FIRST"));
    LoadRows(document.GetMessageSchedule(), {});
    QStringList refusals;
    connect(&session, &UnitSession::SendRefused, this,
            [&](const QString &text) { refusals << text; });
    int finished = 0;
    connect(&session, &UnitSession::SendFinished, this,
            [&](bool complete) { finished += complete ? 100 : 1; });
    QVERIFY(session.Send(document, StateMachine::AtoNPart, meant));
    QTRY_COMPARE_WITH_TIMEOUT(finished, 1, 10000);
    QCOMPARE(refusals.size(), 1);
    for (const char *named : {"VK0012345", "992351234", "VK0077777"})
        QVERIFY2(refusals.at(0).contains(named), qPrintable(refusals.at(0)));
    const SendOutcome outcome = session.LastSend();
    QVERIFY(outcome.partsWhole == 0 && outcome.partsInPart == 0 && outcome.unitStateKnown);
    QCOMPARE(sim.State(), before);
    session.Close();
    QTRY_VERIFY_WITH_TIMEOUT(!session.GetWorkerThread(), 10000);
}

VANDREL_CORE_TEST_MAIN(TestUnitSession)

#include "tst_unitsession.moc"
