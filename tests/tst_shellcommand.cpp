#include "app/vandrelsettings.h"
#include "lim/limsetparam.h"
#include "link/nmeashellcommand.h"
#include "model/model.h"
#include "support/tempsettings.h"
#include "support/testchecksum.h"

#include <QtTest>
#include <tuple>

namespace {
ParsedSentence Answer(const QString &body)
{
    return ParsedSentence(TestChecksum::Line(body));
}
} // namespace

class TestShellCommand : public QObject
{
    Q_OBJECT

private slots:
    void sentences();
    void resultCodes();
    void answers();
};

void TestShellCommand::sentences()
{
    struct Row
    {
        QString command;
        int level, mode, tag;
        QString body;
    };
    const QList<Row> rows = {
        {"appver", 0, 2, 0, "$PVKX,0,0,0x6E2D9A41,2,appver,0"},
        {"battvolts", 3, 1, 2, "$PVKX,0,3,0xD4716B5E,1,battvolts,2"},
        {"reset", 1, 0, 5, "$PVKX,0,1,0x8B47F2D0,0,reset,5"},
        {"nvgeti \"limpthresh\"", 2, 1, 13, "$PVKX,0,2,0x19C5E3A7,1,nvgeti \"limpthresh\",13"},
        {"set a,b*c", 0, 0, 7, "$PVKX,0,0,0x6E2D9A41,0,set a^2Cb^2Ac,7"},
        {QString(60, 'x'), 0, 0, 8, "$PVKX,0,0,0x6E2D9A41,0," + QString(50, 'x') + ",8"},
        // A level outside the table goes out without a code instead of reading past it.
        {"reset", 4, 0, 5, "$PVKX,0,4,,0,reset,5"}};
    for (const Row &row : rows) {
        const NmeaShellCommand command(row.command, row.level, row.mode, row.tag);
        QCOMPARE(command.Sentence(), TestChecksum::Line(row.body));
    }

    // A lantern set sentence. The other parameters differ only in name and
    // value; all eight are sent and read back through the simulator.
    Model model;
    LanternInterface *lim = model.GetLanternInterface();
    lim->SetLimvmax(24000);
    const LimSetParam maximum("limvmax", 16, &model);
    QCOMPARE(
        maximum.Sentence(),
        TestChecksum::Line("$PVKX,0,3,0xD4716B5E,1,nvseti \"limvmax\"^2C24000^2C0^2C0^2C1,16"));
    // The value is read when the sentence is built, not when the object is made.
    lim->SetLimvmax(-3);
    QVERIFY(maximum.Sentence().contains("\"limvmax\"^2C-3^2C0"));
}

void TestShellCommand::resultCodes()
{
    NmeaShellCommand command("getserno", 0, 2, 1);
    const QList<QPair<QString, int>> answers = {
        {"$GPRMC,1,2", -5}, {"$PXYZ,255,getserno,1,123", -4}, {"$PVKX,,getserno,1,123", 0},
        {"$PVKX,255", 0},   {"$PVKX,255,GETSERNO,1,123", -1}, {"$PVKX,255,getserno,,123", 0}};
    for (const auto &a : answers)
        QVERIFY2(command.Parse(Answer(a.first)) == a.second, qPrintable(a.first));
    QCOMPARE(command.Parse(ParsedSentence("$PVKX,255,getserno,1,123*00")), -6);
    QCOMPARE(command.Response(), QString());
    QCOMPARE(command.Tag(), 1);

    // The tag and the response of the accepted answer are kept; a serial
    // number without text is a bad answer that changes neither.
    QCOMPARE(command.Parse(Answer("$PVKX,255,getserno,9,A^2C1")), 1);
    QCOMPARE(command.Response(), QString("A,1"));
    QCOMPARE(command.Tag(), 9);
    for (const char *empty : {"$PVKX,255,getserno,8", "$PVKX,255,getserno,8,"})
        QCOMPARE(command.Parse(Answer(empty)), 0);
    QCOMPARE(command.Problem(), QString("the answer text is empty"));
    QCOMPARE(QStringList({command.Response(), QString::number(command.Tag())}),
             QStringList({"A,1", "9"}));

    // The installation's "VendorID" setting adds a second manufacturer code
    // for answers; commands still go out under "VKX".
    QCOMPARE(command.Parse(Answer("$PABC,255,getserno,1,7")),
             int(NmeaShellCommand::ShellWrongManufacturer));
    command.SetVendorId(VandrelSettings::SystemVendorId());
    QCOMPARE(command.Parse(Answer("$PABC,255,getserno,1,7")), 1);
    QVERIFY(command.Sentence().startsWith("$PVKX,"));

    // An escaped command is compared as sent.
    NmeaShellCommand withComma("gpsfilt 0,1", 0, 0, 4);
    QCOMPARE(withComma.Command(), QString("gpsfilt 0^2C1"));
    QCOMPARE(withComma.Parse(Answer("$PVKX,255,gpsfilt 0^2C1,4,ok")), 1);
    QCOMPARE(withComma.Parse(Answer("$PVKX,255,gpsfilt 0,1,4,ok")), -1);

    // The sentence carries 50 characters but the answer is compared with the
    // whole command, so it is never taken.
    const QString longText = QString(55, 'y');
    NmeaShellCommand longCommand(longText, 0, 0, 4);
    QCOMPARE(longCommand.Parse(Answer("$PVKX,255," + longText.left(50) + ",4,ok")), -1);
}

void TestShellCommand::answers()
{
    // The version, serial number and battery answers reach their signals in
    // the simulator session; here the variant cut from the version text.
    NmeaShellCommand appver("appver", 0, 2, 0);
    QStringList seen;
    connect(&appver, &NmeaShellCommand::Version, this,
            [&](const QString &v) { seen << "version " + v; });
    connect(&appver, &NmeaShellCommand::Variant, this,
            [&](const QString &v) { seen << "variant " + v; });
    QCOMPARE(appver.Parse(Answer("$PVKX,255,appver,0,2.4.17-B3")), 1);
    QCOMPARE(appver.Parse(Answer("$PVKX,255,appver,0,1.2")), 1);
    QCOMPARE(seen, QStringList({"version 2.4.17-B3", "variant 17", "version 1.2", "variant "}));

    // Lantern answers fill the model (the sound values of all eight come back
    // from the simulator) only when they are whole numbers in range; the
    // battery voltage is a number too.
    Model model;
    LanternInterface *lim = model.GetLanternInterface();
    // command, answer text after the tag, result, value stored.
    const QList<std::tuple<QString, QString, int, int>> rows = {
        {"nvgeti \"limigain\"", ",1", 1, 1},
        {"nvseti \"limpthresh\"", ",247", 1, 247},
        {"nvgeti \"limigain\"", ",7", 0, 1},
        {"nvgeti \"limton\"", ",-500", 0, 0},
        {"nvgeti \"limvmax\"", ",36000", 1, 36000}, // beyond the window's 33 V, still read
        {"nvgeti \"limvmax\"", ",2147483648", 0, 0},
        {"nvgeti \"limtoff\"", ",24 V", 0, 0},
        {"nvgeti \"limion\"", "", 0, 0},
        {"nvgeti \"limfoo\"", ",5", 1, -1}, // an unknown name changes nothing
        {"battvolts", ",12600", 1, -1},
        {"battvolts", ",x", 0, -1},
        {"battvolts", ",", 0, -1},
        {"battvolts", ",100001", 0, -1}};
    for (const auto &row : rows) {
        auto *command = new NmeaShellCommand(std::get<0>(row), 3, 1, 6, &model);
        QSignalSpy shown(command, &NmeaShellCommand::showLimParams);
        LanternInterface before;
        before = *lim;
        const int result =
            command->Parse(Answer("$PVKX,255," + command->Command() + ",6" + std::get<1>(row)));
        QVERIFY2(result == std::get<2>(row), qPrintable(command->Command() + std::get<1>(row)));
        const int index = LanternInterface::ParameterIndex(command->Command().section('"', 1, 1));
        QCOMPARE(shown.count(), result == 1 && command->Command().startsWith("nv") ? 1 : 0);
        if (index < 0 || result != 1)
            QVERIFY(*lim == before);
        else
            QCOMPARE(lim->ParameterValue(index), std::get<3>(row));
    }
    // Without a model there is nowhere to store: the answer is still taken.
    NmeaShellCommand orphan("nvgeti \"limvmax\"", 3, 1, 8);
    QCOMPARE(orphan.Parse(Answer("$PVKX,255,nvgeti \"limvmax\",8,5")), 1);
}

int main(int argc, char **argv)
{
    TempSettings settings;
    QSettings(QSettings::NativeFormat, QSettings::SystemScope, "Orvante", "Quorvel")
        .setValue("VendorID", "ABC");
    QCoreApplication application(argc, argv);
    VandrelSettings::Name();
    TestShellCommand test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shellcommand.moc"
