// The transfer journal against the unit simulator: a retrieve, a send read
// back whole, and a send cut off when the unit is pulled each leave one entry
// that says what the unit holds, or may hold.

#include "app/statemachine.h"
#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "model/model.h"
#include "model/padfile.h"
#include "register/unitregister.h"
#include "support/apptestmain.h"
#include "support/simprocess.h"

#include <QtTest>

class TestRegisterJournal : public QObject
{
    Q_OBJECT

private slots:
    void entriesOfTransfers();
};

void TestRegisterJournal::entriesOfTransfers()
{
    QTemporaryDir scratch;
    RegisterLocation location;
    QString error;
    QVERIFY(RegisterLocation::Parse(scratch.filePath("register.sqlite"), &location, &error));
    UnitRegister unitRegister(location, scratch.filePath("spool"));
    QVERIFY(unitRegister.Open());

    SimProcess sim({"--quiet", "--fast", "--mmsi", "992351111", "--serial", "SN-7"});
    QVERIFY(!sim.port.isEmpty());
    UnitSession session;
    TransferJournal journal(&session, &unitRegister);
    journal.SetEngineer("ann");
    QSignalSpy recorded(&journal, &TransferJournal::EntryRecorded);
    QVERIFY(session.Open(sim.port));
    QTRY_VERIFY_WITH_TIMEOUT(session.IsReady() && !session.Identity().serialNumber.isEmpty(),
                             20000);

    // Held for a finding to come; a second hold writes it as it stands.
    journal.HoldNextEntry();
    QSignalSpy retrieved(&session, &UnitSession::RetrieveFinished);
    QVERIFY(session.Retrieve(StateMachine::AllParts));
    QTRY_COMPARE_WITH_TIMEOUT(retrieved.size(), 1, 30000);
    QCOMPARE(recorded.size(), 0);

    Model document;
    document = *session.Configuration();
    document.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992352222");
    document.GetAtoN()->SetName("SENT WHOLE");
    journal.NoteSend(document, true);
    journal.HoldNextEntry();
    QSignalSpy sendsEnded(&session, &UnitSession::SendFinished);
    QVERIFY(session.Send(document, StateMachine::AllParts));
    QTRY_COMPARE_WITH_TIMEOUT(sendsEnded.size(), 1, 30000);
    QCOMPARE(recorded.size(), 1);
    journal.AddDetail("On air: checked");
    journal.SetRecords({});
    QCOMPARE(recorded.size(), 2);
    QCOMPARE(sim.State().value("mmsi").toString(), QStringLiteral("992352222"));

    // Pulled once the next send has begun to go out: the MMSI on its way is
    // tied to the unit.
    document.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992353333");
    journal.NoteSend(document, false);
    connect(&session, &UnitSession::TransferProgress, this, [&](const QString &step) {
        if (step.contains(" 2 of "))
            sim.Unplug();
    });
    QVERIFY(session.Send(document, StateMachine::AllParts));
    QTRY_COMPARE_WITH_TIMEOUT(recorded.size(), 3, 30000);

    QVector<RegisterEntry> entries;
    QVERIFY(unitRegister.History({"SN-7", {}, {}, {}, 0}, &entries, &error));
    QCOMPARE(entries.size(), 3);
    const RegisterEntry &cut = entries.at(0);
    const RegisterEntry &whole = entries.at(1);
    const RegisterEntry &read = entries.at(2);

    QCOMPARE(read.kind, RegisterEntry::Kind::Retrieve);
    QCOMPARE(read.result, RegisterEntry::Result::Done);
    QCOMPARE(read.mmsiAfter, QStringLiteral("992351111"));
    QCOMPARE(read.engineer, QStringLiteral("ann"));
    QCOMPARE(read.port, sim.port);

    QCOMPARE(whole.kind, RegisterEntry::Kind::Send);
    QCOMPARE(whole.result, RegisterEntry::Result::Verified);
    QCOMPARE(QStringList({whole.mmsiBefore, whole.mmsiAfter}),
             QStringList({"992351111", "992352222"}));
    QVERIFY(whole.mmsiReassigned);
    QCOMPARE(whole.detail, QStringLiteral("On air: checked"));
    RegisterEntry found;
    QVERIFY(unitRegister.Find(whole.id, &found, &error));
    Model sent;
    QCOMPARE(PadFile::FromBytes(found.configuration, &sent), PadFile::Done);
    QCOMPARE(sent.GetAtoN()->Name(), QStringLiteral("SENT WHOLE"));

    QVERIFY2(cut.result == RegisterEntry::Result::CutOff, qPrintable(cut.detail));
    QVERIFY(!cut.detail.isEmpty());
    QVERIFY(!cut.mmsiReassigned);
    RegisterEntry holder;
    QVERIFY(unitRegister.HolderOf("992353333", "another", &holder, &error));
    QCOMPARE(holder.serial, QStringLiteral("SN-7"));
}

VANDREL_CORE_TEST_MAIN(TestRegisterJournal)
#include "tst_registerjournal.moc"
