// The look-up before a send that gives a unit an MMSI, on both storages:
// another unit's MMSI is named with where it was last seen, a register out
// of reach is said to be so, and a unit's own MMSI asks nothing.

#include "app/mmsiguard.h"
#include "register/unitregister.h"
#include "support/postgresserver.h"

#include <QtTest>

class TestRegisterGuard : public QObject
{
    Q_OBJECT

    PostgresServer server;
    QTemporaryDir scratch;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(server.Start(&error), qPrintable(error));
        QVERIFY2(server.CreateDatabase(QStringLiteral("guard"), &error), qPrintable(error));
    }
    void verdicts_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("sqlite") << scratch.filePath(QStringLiteral("guard.sqlite"));
        QTest::newRow("postgres") << server.Url(QStringLiteral("guard"));
    }
    void verdicts();
};

void TestRegisterGuard::verdicts()
{
    QFETCH(QString, where);
    RegisterLocation location;
    QString error;
    QVERIFY(RegisterLocation::Parse(where, &location, &error));
    UnitRegister unitRegister(location, scratch.filePath(QStringLiteral("spool")));
    unitRegister.SetRetryInterval(0);
    QVERIFY(unitRegister.Open());

    RegisterEntry a = RegisterEntry::New(RegisterEntry::Kind::Send);
    a.serial = QStringLiteral("A");
    a.mmsiAfter = QStringLiteral("992351001");
    a.computer = QStringLiteral("bench-2");
    a.port = QStringLiteral("/dev/ttyACM1");
    unitRegister.Record(a);

    using Verdict = MmsiGuard::Verdict;
    const auto check = [&](const QString &serial, const QString &held, const QString &sent) {
        return MmsiGuard::Check(&unitRegister, serial, held, sent);
    };
    QCOMPARE(check("A", "992351001", "992351001").verdict, Verdict::Keeps);
    QCOMPARE(check("B", "992351002", "000000000").verdict, Verdict::Keeps);
    const MmsiGuard::Finding fresh = check("B", "992351002", "992351009");
    QCOMPARE(fresh.verdict, Verdict::Changes);
    QVERIFY(fresh.text.contains("from 992351002 to 992351009"));

    // B docked with A's file: refused, naming A and where it was last seen.
    const MmsiGuard::Finding taken = check("B", "992351002", "992351001");
    QCOMPARE(taken.verdict, Verdict::HeldByAnother);
    QCOMPARE(taken.holder.serial, QStringLiteral("A"));
    QVERIFY2(taken.text.contains("serial number A") && taken.text.contains("bench-2") &&
                 taken.text.contains("/dev/ttyACM1"),
             qPrintable(taken.text));

    if (!location.IsShared())
        return;
    QVERIFY2(server.Stop(&error), qPrintable(error));
    const MmsiGuard::Finding unchecked = check("B", "992351002", "992351001");
    QVERIFY2(server.Start(&error), qPrintable(error));
    QCOMPARE(unchecked.verdict, Verdict::NotChecked);
    QVERIFY(unchecked.text.contains("could not be checked"));
}

QTEST_GUILESS_MAIN(TestRegisterGuard)
#include "tst_registerguard.moc"
