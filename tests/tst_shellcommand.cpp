#include "app/vandrelapplication.h"
#include "link/nmeashellcommand.h"
#include "model/model.h"
#include "support/tempsettings.h"

#include <QtTest>

namespace {

// The test's own checksum: XOR of every byte after the start character.
QString Framed(const QString &body)
{
    int x = 0;
    for (char c : body.toLatin1().mid(1))
        x ^= uchar(c);
    return body + QString::asprintf("*%02X", x);
}

ParsedSentence Answer(const QString &body)
{
    return ParsedSentence(Framed(body) + "\r\n");
}

} // namespace

class TestShellCommand : public QObject
{
    Q_OBJECT

private slots:
    void sentences();
    void resultCodes();
    void answersRaiseSignals();
    void lanternAnswersFillTheModel();
    void escapedAndLongCommands();
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
        {"getserno", 0, 2, 3, "$PVKX,0,0,0x6E2D9A41,2,getserno,3"},
        {"battvolts", 3, 1, 2, "$PVKX,0,3,0xD4716B5E,1,battvolts,2"},
        {"gpsfilt 0", 0, 0, 4, "$PVKX,0,0,0x6E2D9A41,0,gpsfilt 0,4"},
        {"reset", 1, 0, 5, "$PVKX,0,1,0x8B47F2D0,0,reset,5"},
        {"nvgeti \"limpthresh\"", 2, 1, 13, "$PVKX,0,2,0x19C5E3A7,1,nvgeti \"limpthresh\",13"},
        {"set a,b*c", 0, 0, 7, "$PVKX,0,0,0x6E2D9A41,0,set a^2Cb^2Ac,7"},
        {QString(60, 'x'), 0, 0, 8, "$PVKX,0,0,0x6E2D9A41,0," + QString(50, 'x') + ",8"},
        // A level outside the table goes out without a code instead of reading past it.
        {"reset", 4, 0, 5, "$PVKX,0,4,,0,reset,5"},
    };
    for (const Row &row : rows) {
        const NmeaShellCommand command(row.command, row.level, row.mode, row.tag);
        QCOMPARE(command.Sentence(), Framed(row.body) + "\r\n");
    }
}

void TestShellCommand::resultCodes()
{
    NmeaShellCommand command("getserno", 0, 2, 1);
    const QList<QPair<QString, int>> answers = {
        {"$GPRMC,1,2", -5},
        {"$PXYZ,255,getserno,1,123", -4},
        {"$PVKXA,255,getserno,1,123", -4},
        {"$PVKX,", 0},
        {"$PVKX,,getserno,1,123", 0},
        {"$PVKX,254,getserno,1,123", 0},
        {"$PVKX,255", 0},
        {"$PVKX,255,appver,1,123", -1},
        {"$PVKX,255,GETSERNO,1,123", -1},
        {"$PVKX,255,getserno", 0},
        {"$PVKX,255,getserno,,123", 0},
    };
    for (const auto &a : answers)
        QVERIFY2(command.Parse(Answer(a.first)) == a.second, qPrintable(a.first));
    QCOMPARE(command.Parse(ParsedSentence("$PVKX,255,getserno,1,123*00")), -6);
    QCOMPARE(command.Response(), QString());
    QCOMPARE(command.Tag(), 1);

    // The tag and the response of the accepted answer are kept; a missing
    // answer text is an empty response.
    QCOMPARE(command.Parse(Answer("$PVKX,255,getserno,9,A^2C1")), 1);
    QCOMPARE(command.Response(), QString("A,1"));
    QCOMPARE(command.Tag(), 9);
    QCOMPARE(command.Parse(Answer("$PVKX,255,getserno,9")), 1);
    QCOMPARE(command.Response(), QString());

    // The "VendorID" setting adds a second manufacturer code for answers;
    // commands still go out under "VKX".
    QCOMPARE(command.Parse(Answer("$PABC,255,getserno,1,7")), 1);
    QVERIFY(command.Sentence().startsWith("$PVKX,"));
}

void TestShellCommand::answersRaiseSignals()
{
    NmeaShellCommand appver("appver", 0, 2, 0);
    QSignalSpy version(&appver, &NmeaShellCommand::Version);
    QSignalSpy variant(&appver, &NmeaShellCommand::Variant);
    QSignalSpy serial(&appver, &NmeaShellCommand::ProductSerialNumber);
    QTest::ignoreMessage(QtDebugMsg, "ShellCmd Resp: appver = 2.4.17-B3");
    QCOMPARE(appver.Parse(Answer("$PVKX,255,appver,0,2.4.17-B3")), 1);
    QCOMPARE(appver.Parse(Answer("$PVKX,255,appver,0,1.2")), 1);
    QCOMPARE(version.count(), 2);
    QCOMPARE(version.at(0).at(0).toString(), QString("2.4.17-B3"));
    QCOMPARE(variant.at(0).at(0).toString(), QString("17"));
    QCOMPARE(version.at(1).at(0).toString(), QString("1.2"));
    QCOMPARE(variant.at(1).at(0).toString(), QString());
    QCOMPARE(serial.count(), 0);

    NmeaShellCommand serNo("getserno", 0, 2, 3);
    QSignalSpy serialNumber(&serNo, &NmeaShellCommand::ProductSerialNumber);
    QCOMPARE(serNo.Parse(Answer("$PVKX,255,getserno,3,AX-00417")), 1);
    QCOMPARE(serialNumber.at(0).at(0).toString(), QString("AX-00417"));

    NmeaShellCommand battery("battvolts", 3, 1, 2);
    QSignalSpy voltage(&battery, &NmeaShellCommand::BatteryVoltage);
    QSignalSpy lantern(&battery, &NmeaShellCommand::showLimParams);
    QCOMPARE(battery.Parse(Answer("$PVKX,255,battvolts,2,12.61")), 1);
    QCOMPARE(voltage.at(0).at(0).toString(), QString("12.61"));
    QCOMPARE(lantern.count(), 0);

    // Commands without an answer handler only log.
    NmeaShellCommand reset("reset", 0, 0, 5);
    QSignalSpy none(&reset, &NmeaShellCommand::showLimParams);
    QCOMPARE(reset.Parse(Answer("$PVKX,255,reset,5,OK")), 1);
    QCOMPARE(none.count(), 0);
}

void TestShellCommand::lanternAnswersFillTheModel()
{
    Model model;
    LanternInterface *lim = model.GetLanternInterface();
    auto answer = [&model](const QString &name, const QString &text, const char *verb = "nvgeti") {
        auto *command = new NmeaShellCommand(QString("%1 \"%2\"").arg(verb, name), 3, 1, 6, &model);
        QSignalSpy shown(command, &NmeaShellCommand::showLimParams);
        const int result = command->Parse(Answer("$PVKX,255," + command->Command() + ",6" + text));
        return result == 1 && shown.count() == 1;
    };
    QVERIFY(answer("limvmax", ",24000"));
    QVERIFY(answer("limen", ",1"));
    QVERIFY(answer("limigain", ",7"));
    QVERIFY(answer("limton", ",-500"));
    QVERIFY(answer("limpthresh", ",247", "nvseti"));
    QCOMPARE(lim->GetLimvmax(), 24000);
    QVERIFY(lim->GetLimen());
    QVERIFY(lim->GetLimigain());
    QCOMPARE(lim->GetLimton(), -500);
    QCOMPARE(lim->GetLimpthresh(), 247);

    // Not a number, or no answer text at all, stores 0 and still shows.
    QVERIFY(answer("limvmax", ",24 V"));
    QVERIFY(answer("limen", ""));
    QVERIFY(answer("limigain", ",0"));
    QCOMPARE(lim->GetLimvmax(), 0);
    QVERIFY(!lim->GetLimen());
    QVERIFY(!lim->GetLimigain());

    // An unknown name changes nothing.
    LanternInterface before;
    before = *lim;
    QVERIFY(answer("limfoo", ",5"));
    QVERIFY(*lim == before);

    // Without a model there is nowhere to store: the answer is still taken.
    NmeaShellCommand orphan("nvgeti \"limvmax\"", 3, 1, 8);
    QCOMPARE(orphan.Parse(Answer("$PVKX,255,nvgeti \"limvmax\",8,5")), 1);
}

void TestShellCommand::escapedAndLongCommands()
{
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

int main(int argc, char **argv)
{
    // Nothing here shows a window. The minimal platform frees its screen at
    // exit; the offscreen one does not, which the leak checker reports.
    qputenv("QT_QPA_PLATFORM", "minimal");
    TempSettings settings;
    QSettings(QSettings::NativeFormat, QSettings::SystemScope, "Orvante", "Quorvel")
        .setValue("VendorID", "ABC");
    VandrelApplication application(argc, argv);
    if (application.GetVendorID() != QLatin1String("ABC")) {
        qCritical("The VendorID setting did not reach the application object");
        return 1;
    }
    TestShellCommand test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shellcommand.moc"
