// Sessions side by side in one process: four simulated units on four lines,
// each with a session of its own, retrieving and sending all at once.

#include "app/statemachine.h"
#include "app/unitsession.h"
#include "decode/messagedecoder.h"
#include "model/model.h"

#include "support/apptestmain.h"
#include "support/schedulerows.h"
#include "support/simprocess.h"

#include <QJsonObject>
#include <QSet>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

class TestUnitSession : public QObject
{
    Q_OBJECT

private slots:
    void fourUnitsTransferAtOnce();
    void sendStartedFromIdentitySignal();
    void nameBroadcastBeforeASendIsNotHeldAgainstIt();
};

void TestUnitSession::fourUnitsTransferAtOnce()
{
    constexpr int Units = 4;
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::vector<std::unique_ptr<UnitSession>> sessions;
    QVector<int> retrieves(Units), sends(Units);
    QVector<QStringList> missed(Units);
    QStringList failures;
    for (int i = 0; i < Units; ++i) {
        sims.push_back(std::make_unique<SimProcess>(QStringList{"--quiet", "--fast"}));
        QVERIFY(!sims.back()->port.isEmpty());
        sessions.push_back(std::make_unique<UnitSession>());
        UnitSession *session = sessions.back().get();
        connect(session, &UnitSession::RetrieveFinished, this,
                [&, i](bool ok) { retrieves[i] += ok ? 1 : 100; });
        connect(session, &UnitSession::SendFinished, this,
                [&, i](bool complete, const QStringList &mismatches) {
                    sends[i] += complete ? 1 : 100;
                    missed[i] = mismatches;
                });
        connect(session, &UnitSession::Failed, this,
                [&, i](const QString &title, const QString &text) {
                    failures << QStringLiteral("unit %1: %2 %3").arg(i).arg(title, text);
                });
        QVERIFY(session->Open(sims.back()->port));
    }
    const auto all = [&](auto done) { return std::all_of(sessions.begin(), sessions.end(), done); };
    QTRY_VERIFY_WITH_TIMEOUT(all([](const auto &s) { return s->IsReady(); }), 10000);
    QSet<QThread *> threads;
    for (const auto &session : sessions)
        threads << session->GetWorkerThread();
    QCOMPARE(threads.size(), Units);

    for (const auto &session : sessions)
        QVERIFY(session->Retrieve(StateMachine::AllParts));
    QTRY_VERIFY_WITH_TIMEOUT(retrieves == QVector<int>(Units, 1), 30000);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));

    // Each unit gets a document of its own, made from what it holds.
    std::vector<Model> documents(Units);
    for (int i = 0; i < Units; ++i) {
        UnitSession &session = *sessions[i];
        QVERIFY(session.ConfigurationKnown());
        QCOMPARE(session.Identity().mmsi, QStringLiteral("992351234"));
        documents[i] = *session.Configuration();
        AtoN *aton = documents[i].GetAtoN();
        aton->SetName(QStringLiteral("UNIT %1").arg(i));
        aton->SetOffPositionThreshold(20 + i);
        documents[i].GetLanternInterface()->SetLimvmax(12000 + 100 * i);
        QVERIFY(session.Send(documents[i], StateMachine::AllParts));
    }
    QTRY_VERIFY_WITH_TIMEOUT(sends == QVector<int>(Units, 1), 60000);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));

    for (int i = 0; i < Units; ++i) {
        QVERIFY2(missed[i].isEmpty(), qPrintable(missed[i].join('\n')));
        const QJsonObject held = sims[i]->State();
        const QJsonObject ace = held.value("ace").toObject();
        QCOMPARE(ace.value("name").toString(), QStringLiteral("UNIT %1").arg(i));
        QCOMPARE(ace.value("offPositionThreshold").toInt(), 20 + i);
        QCOMPARE(held.value("lantern").toObject().value("limvmax").toInt(), 12000 + 100 * i);
        // The session knows the unit by what it now holds.
        QCOMPARE(sessions[i]->Configuration()->GetAtoN()->Name(), QStringLiteral("UNIT %1").arg(i));
        QVERIFY(sessions[i]->ConfigurationKnown());
    }

    for (const auto &session : sessions)
        session->Close();
    QTRY_VERIFY_WITH_TIMEOUT(all([](const auto &s) { return !s->GetWorkerThread(); }), 10000);
}

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

VANDREL_CORE_TEST_MAIN(TestUnitSession)

#include "tst_unitsession.moc"
