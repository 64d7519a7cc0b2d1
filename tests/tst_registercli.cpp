// vandrel-cli's register commands end to end: earlier records folders taken
// in once however often, every entry found and its configuration given back
// byte for byte, and a wrong register named plainly. retrieve and send
// against simulated units: each written to the register, and a send that
// would give a unit another's MMSI refused before its first sentence.

#include "tst_cli_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestRegisterCli : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;
    QString registerFile;

    QList<QJsonObject> JsonHistory(const QStringList &options)
    {
        const CliRun run =
            RunCli(QStringList{"history", "--json", "--register", registerFile} + options);
        QList<QJsonObject> lines;
        for (const QString &line : run.out.split('\n', Qt::SkipEmptyParts))
            lines << QJsonDocument::fromJson(line.toUtf8()).object();
        if (run.status != 0)
            qWarning() << run.err;
        return lines;
    }

private slots:
    void initTestCase()
    {
        // The spool and the default register stay in the test's own folder.
        qputenv("XDG_DATA_HOME", scratch.filePath("data").toUtf8());
        qunsetenv("VANDREL_REGISTER");
        registerFile = scratch.filePath("register.sqlite");
    }

    void importHistoryAndGiveBack();
    void wrongInput();
    void sendsAreGuardedAndRecorded();
};

void TestRegisterCli::importHistoryAndGiveBack()
{
    const QString records = scratch.filePath("records");
    QVERIFY(QDir().mkpath(records + "/older"));
    Model north;
    north.GetAtoN()->GetAtoNMMSI()->SetMmsi("992351001");
    north.GetAtoN()->SetName("NORTH \"MOLE\"; DROP TABLE transfers");
    SavePad(records + "/992351001-S1.pad", north);
    Model south;
    QVERIFY(ChangeAsAnEngineer(&south));
    south.GetAtoN()->GetAtoNMMSI()->SetMmsi("992351002");
    SavePad(records + "/older/992351002-S2.pad", south);
    QVERIFY(WriteBytes(records + "/notes.pad", "not a unit's"));
    QVERIFY(WriteBytes(records + "/summary.csv",
                       "mmsi,serial,state,time,verdict\n"
                       "992351001,S1,verified,2024-05-01T10:00:00Z,verified\n"
                       "992351003,S3,failed,2024-05-01T11:00:00Z,failed: the unit went away\n"
                       "992351004,,waiting,2024-05-01T11:00:00Z,\n"));

    for (int run = 0; run < 2; ++run) {
        const CliRun imported = RunCli({"register", "import", records, "--register", registerFile});
        QCOMPARE(imported.status, 0);
        QVERIFY2(imported.err.contains("notes.pad"), qPrintable(imported.err));
    }
    const QList<QJsonObject> all = JsonHistory({});
    QCOMPARE(all.size(), 3); // each once, the waiting row none
    QCOMPARE(all.at(0).value("serial").toString(), QString("S2")); // file time: today
    QCOMPARE(all.at(1).value("serial").toString(), QString("S3"));
    QCOMPARE(all.at(2).value("unit_name").toString(), north.GetAtoN()->Name());
    for (const char *field : {"time", "kind", "serial", "mmsi", "result", "engineer", "id"})
        QVERIFY2(all.at(1).contains(QLatin1String(field)), field);
    // The failed row's MMSI stays tied to the unit that may hold part of it.
    QCOMPARE(all.at(1).value("mmsi").toString(), QString("992351003"));
    QCOMPARE(all.at(1).value("result").toString(), QString("cut-off"));
    QCOMPARE(JsonHistory({"--mmsi", "992351001"}).size(), 1);
    QCOMPARE(JsonHistory({"--serial", "S2"}).size(), 1);
    QCOMPARE(JsonHistory({"--since", "2024-05-01T10:30:00Z"}).size(), 2);

    const CliRun plain = RunCli({"history", "--serial", "S1", "--register", registerFile});
    QCOMPARE(plain.status, 0);
    QVERIFY(plain.out.contains("S1") && plain.out.contains("verified") &&
            plain.out.count('\n') == 1);

    // Given back by the start of its id, byte for byte as the file was.
    const QString copy = scratch.filePath("copy.pad");
    const CliRun back = RunCli({"history", "--config", all.at(0).value("id").toString().left(8),
                                "-o", copy, "--register", registerFile});
    QCOMPARE(back.status, 0);
    QFile original(records + "/older/992351002-S2.pad");
    QFile given(copy);
    QVERIFY(original.open(QIODevice::ReadOnly) && given.open(QIODevice::ReadOnly));
    QCOMPARE(given.readAll(), original.readAll());
    QCOMPARE(RunCli({"history", "--config", all.at(1).value("id").toString(), "-o", copy,
                     "--register", registerFile})
                 .status,
             3); // the failed row left no configuration

    const QString csv = scratch.filePath("all.csv");
    QCOMPARE(RunCli({"register", "export", "--csv", csv, "--register", registerFile}).status, 0);
    QFile exported(csv);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QByteArray table = exported.readAll();
    QVERIFY(table.startsWith("id,time,kind,result,"));
    QCOMPARE(table.count('\n'), 4);
}

void TestRegisterCli::wrongInput()
{
    for (const QStringList &arguments :
         {QStringList{"history", "--since", "yesterday"}, QStringList{"history", "--config", "x"},
          QStringList{"history", "--config", "x", "-o", "a.pad", "--serial", "S1"},
          QStringList{"history", "--file", "a.pad", "--config", "x", "-o", "b.pad"},
          QStringList{"register", "export"}, QStringList{"register", "purge"},
          QStringList{"show", "a.pad", "--register", "x.sqlite"}})
        QCOMPARE(RunCli(arguments).status, 2);

    const CliRun noFile = RunCli({"history", "--file", scratch.filePath("none.pad")});
    QVERIFY(noFile.status == 3 && noFile.err.contains("none.pad does not exist"));
    const CliRun badUrl = RunCli({"history", "--register", "postgresql://u:Secret@h"});
    QCOMPARE(badUrl.status, 3);
    QVERIFY(badUrl.err.contains("--register") && !badUrl.err.contains("Secret"));

    // A damaged register named by the environment: set aside, both files named.
    const QString damaged = scratch.filePath("damaged.sqlite");
    QVERIFY(WriteBytes(damaged, QByteArray(4096, 'x')));
    qputenv("VANDREL_REGISTER", damaged.toUtf8());
    const CliRun setAside = RunCli({"history"});
    qunsetenv("VANDREL_REGISTER");
    QCOMPARE(setAside.status, 0);
    QVERIFY2(setAside.err.contains(damaged + ".damaged-"), qPrintable(setAside.err));
}

void TestRegisterCli::sendsAreGuardedAndRecorded()
{
    registerFile = scratch.filePath("units.sqlite");
    Simulator a({"--quiet", "--serial", "A-1", "--mmsi", "992351701"});
    Simulator b({"--quiet", "--serial", "B-1", "--mmsi", "992351702"});
    QVERIFY(!a.port.isEmpty() && !b.port.isEmpty());
    const QString aPad = scratch.filePath("a.pad");
    QCOMPARE(RunCli({"retrieve", "--port", a.port, "-o", aPad, "--register", registerFile}).status,
             0);
    const QList<QJsonObject> retrieved = JsonHistory({"--serial", "A-1"});
    QCOMPARE(retrieved.size(), 1);
    QCOMPARE(retrieved.at(0).value("kind").toString(), QString("retrieve"));
    QCOMPARE(retrieved.at(0).value("mmsi").toString(), QString("992351701"));
    // The file carries no id: its bytes find the entry that read them.
    QCOMPARE(JsonHistory({"--file", aPad}).value(0).value("id"), retrieved.at(0).value("id"));

    // A's file to B: refused, naming A, before anything reached B.
    Model file;
    QCOMPARE(PadFile::Load(aPad, &file), PadFile::Done);
    file.GetAtoN()->SetName("ALPHA ONE");
    SavePad(aPad, file);
    const QStringList toB{"send", "--port", b.port, aPad, "--register", registerFile};
    const CliRun refused = RunCli(toB);
    QCOMPARE(refused.status, 3);
    QVERIFY2(refused.err.contains("serial number A-1") && refused.err.contains(a.port) &&
                 refused.err.contains("--reassign-mmsi"),
             qPrintable(refused.err));
    QCOMPARE(b.State().value("mmsi").toString(), QString("992351702"));
    QVERIFY(b.State().value("ace").toObject().value("name").toString() != "ALPHA ONE");
    QVERIFY(JsonHistory({"--serial", "B-1"}).isEmpty());

    const CliRun overridden = RunCli(toB + QStringList{"--reassign-mmsi"});
    QVERIFY2(overridden.status == 0, qPrintable(overridden.err));
    QCOMPARE(b.State().value("mmsi").toString(), QString("992351701"));
    const QList<QJsonObject> sent = JsonHistory({"--serial", "B-1"});
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.at(0).value("kind").toString(), QString("send"));
    QCOMPARE(sent.at(0).value("result").toString(), QString("verified"));
    QCOMPARE(sent.at(0).value("mmsi_before").toString(), QString("992351702"));
    QCOMPARE(sent.at(0).value("mmsi_reassigned").toBool(), true);
    const QList<QJsonObject> ofFile = JsonHistory({"--file", aPad});
    QVERIFY(ofFile.size() == 1 && ofFile.at(0).value("id") == sent.at(0).value("id"));

    // A ship's MMSI: warned of, refused with --strict before the unit is
    // spoken to.
    file.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("235000001");
    const QString ship = SavePad(scratch.filePath("ship.pad"), file);
    const CliRun strict =
        RunCli({"send", "--port", a.port, ship, "--register", registerFile, "--strict"});
    QCOMPARE(strict.status, 2);
    QVERIFY2(strict.err.contains("warning: ") && strict.err.contains("--strict"),
             qPrintable(strict.err));
    QCOMPARE(a.State().value("mmsi").toString(), QString("992351701"));

    // A shared register out of reach: the check could not be made, so
    // nothing goes without the override; with it the entry waits in the
    // spool.
    file.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992351709");
    const QString fresh = SavePad(scratch.filePath("fresh.pad"), file);
    const QStringList unreachable{"send", "--port",     a.port,
                                  fresh,  "--register", "postgresql://vandrel@127.0.0.1:1/none"};
    const CliRun unchecked = RunCli(unreachable);
    QCOMPARE(unchecked.status, 3);
    QVERIFY2(unchecked.err.contains("could not be checked"), qPrintable(unchecked.err));
    QCOMPARE(a.State().value("mmsi").toString(), QString("992351701"));
    const CliRun spooled = RunCli(unreachable + QStringList{"--reassign-mmsi"});
    QVERIFY2(spooled.status == 0 && spooled.err.contains("waits in"), qPrintable(spooled.err));
    QCOMPARE(a.State().value("mmsi").toString(), QString("992351709"));
}

QTEST_GUILESS_MAIN(TestRegisterCli)
#include "tst_registercli.moc"
