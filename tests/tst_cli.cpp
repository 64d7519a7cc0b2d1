// vandrel-cli against the unit simulator and on .pad files: whole sessions
// (retrieve, change, send, retrieve and compare; a send the unit does not
// take in full; a schedule refused before anything is sent; live
// monitoring); every failure of a transfer with its message, a non-zero
// status and no file written; wrong command lines; the decoding of a traffic
// log; show (readable and JSON) and diff.

#include "support/schedulerows.h"
#include "support/smalldisk.h"
#include "tst_cli_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <QtTest>
#include <functional>

#include <sys/stat.h>

// The output's lines with their padding taken out.
static QStringList Lines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n')))
        lines << line.simplified();
    return lines;
}

static QJsonObject Json(const QString &pad)
{
    return QJsonDocument::fromJson(RunCli({"show", "--json", pad}).out.toUtf8()).object();
}

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void init();
    void retrieveChangeSendRetrieveGivesWhatWasSent();
    void sendRefusedOrNotTakenInFull();
    void unitBeyondTheUsualRangesIsReadAndSentBack();
    void sendCutShortSaysWhatEachUnitHolds();
    void monitorDecodesLiveTrafficUntilStopped();
    void failedRetrieveWritesNoFile();
    void savesLoseNothing();
    void refusedCommands();
    void replayDecodesALog();
    void show();
    void diffReportsEachDifferentFieldOnce();

private:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    // A configuration as an engineer leaves it, for show and diff.
    Model sample;
};

void TestCli::init()
{
    sample.Reset();
    AtoN *aton = sample.GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351001"));
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351002"));
    aton->SetTypeOfAtoN(25);
    QVERIFY(ChangeAsAnEngineer(&sample));
}

void TestCli::show()
{
    // A name as a file may hold it: an escape sequence that would retitle the
    // terminal is shown, not obeyed; JSON escapes it and keeps it whole.
    const QString name = QStringLiteral("NORTH\x1b]0;OWNED\x07 PIER\u202e\nX");
    sample.GetAtoN()->SetName(name);
    const CliRun run = RunCli({"show", SavePad(Path("s.pad"), sample)});
    QVERIFY(run.status == 0 && run.err.isEmpty());
    QVERIFY(Lines(run.out).contains("Name: \"NORTH\\x1b]0;OWNED\\x07 PIER\\u202e\\x0aX\""));
    const CliRun jsonRun = RunCli({"show", "--json", Path("s.pad")});
    QVERIFY(!run.out.contains(QChar(0x1b)) && !jsonRun.out.contains(QChar(0x1b)) &&
            !jsonRun.out.contains(QChar(0x202e)));
    QCOMPARE(Json(Path("s.pad")).value("aton").toObject().value("name").toString(), name);
    // Fields that the diff test shows are left to it. Channel 06 is simplex:
    // its 20xx item keeps the ship frequency. The schedule as the table shows
    // it: message 21 rows always, the RATDMA row of message 8 without start
    // slots and with its intervals in minutes.
    const QStringList expected{"MMSI: 992351002",
                               "MMSI held by the unit: 992351001",
                               "Type of AtoN: (25) Starboard Hand Mark",
                               QString::fromUtf8("Longitude: 004° 14.8080' W"),
                               "Channel 1: CH2006 ( 156.300MHz )",
                               "Channel 2: CH1060 ( 156.025MHz )",
                               "21 1 FATDMA 00:00 0 6750 slots 00:00 0 6750 slots",
                               "21 2 as the unit holds it",
                               "8 1 RATDMA 07:15 3 minutes 07:45 12 minutes",
                               "On current (steady on): 0.500 A",
                               "Ambient light-on threshold: 51 lux (sensor value 420)"};
    const QStringList lines = Lines(run.out);
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line));
    // JSON holds the numbers; every list row, placeholders included.
    const QJsonObject json = Json(Path("s.pad"));
    QCOMPARE(json.value("aton").toObject().value("latitude").toDouble(), -(33 + 30.75 / 60));
    QCOMPARE(json.value("schedule").toArray().size(), sample.GetMessageSchedule()->Count());
    QCOMPARE(json.value("lantern").toObject().value("onCurrentAmperes").toDouble(), 0.5);

    // Flashing: the same value is a slew rate in amperes per second. Without
    // a position: not 91, but not available, or null.
    sample.GetLanternInterface()->SetLimton(500);
    sample.GetAtoN()->GetPosition()->SetLatitude(GeoPosition::NotAvailableLatitude);
    const QStringList flashing = Lines(RunCli({"show", SavePad(Path("f.pad"), sample)}).out);
    QVERIFY(flashing.contains("On/off slew rate: 5.00 A/s"));
    QVERIFY(flashing.contains("Maximum on time: 0.500 s"));
    QVERIFY(flashing.contains("Latitude: not available"));
    QVERIFY(Json(Path("f.pad")).value("aton").toObject().value("latitude").isNull());

    // Many rows: show, its JSON and diff stay linear in them (16,000 rows
    // once took minutes, each cell or field looking through every row).
    MessageScheduleEntry entry;
    entry.SetMessageId(6);
    QVector<MessageScheduleEntry> rows(16000, entry);
    sample.GetAtoN()->SetName(QStringLiteral("MANY ROWS"));
    LoadRows(sample.GetMessageSchedule(), rows);
    SavePad(Path("many.pad"), sample);
    rows[12345].SetInterval1(rows[12345].Interval1() + 1);
    LoadRows(sample.GetMessageSchedule(), rows);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(RunCli({"show", Path("many.pad")}, 60000).status, 0);
    // The JSON is written a row at a time, as the serialiser writes it whole.
    const QByteArray manyJson = RunCli({"show", "--json", Path("many.pad")}, 60000).out.toUtf8();
    QCOMPARE(manyJson, QJsonDocument::fromJson(manyJson).toJson());
    const CliRun diff = RunCli({"diff", Path("many.pad"), SavePad(Path("many-b.pad"), sample)});
    QCOMPARE(diff.status, 1);
    QCOMPARE(diff.out.count(QLatin1Char('\n')), 1);
    qInfo("show, show --json and diff of 16,000 rows: %lld ms", clock.elapsed());
    QVERIFY(clock.elapsed() < 45000);
}

void TestCli::diffReportsEachDifferentFieldOnce()
{
    const QString a = SavePad(Path("a.pad"), sample);
    Model changed;
    changed = sample;
    changed.GetAtoN()->SetName(QStringLiteral("SOUTH PIER"));
    changed.GetAtoN()->GetPosition()->SetLatitude(33.5);
    changed.GetLanternInterface()->SetLimvmax(24000);
    // A schedule row that only the second file has.
    int row = -1;
    QVERIFY(changed.GetMessageSchedule()->AddMessage(6, row));
    const CliRun diff = RunCli({"diff", a, SavePad(Path("b.pad"), changed)});
    QCOMPARE(diff.status, 1);
    // Name, latitude, the new row's eight columns and maximum voltage: each
    // once, in the order the configuration is shown.
    QStringList lines = diff.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.removeDuplicates(), 0);
    QCOMPARE(lines.at(0),
             QStringLiteral("Name: \"SOUTH MOLE, OUTER HARBOUR LIGHT 34\" -> \"SOUTH PIER\""));
    QCOMPARE(lines.at(1), QString::fromUtf8("Latitude: 33° 30.7500' S -> 33° 30.0000' N"));
    QCOMPARE(lines.at(6), QStringLiteral("Schedule 6/1 Channel 1 Interval: (none) -> 6750 slots"));
    QCOMPARE(lines.at(10), QStringLiteral("Maximum voltage: 32.299 V -> 24.000 V"));

    // A report whose scheme has no start slots: its slots are gone on one
    // side, in their place in the row, whichever side it is.
    changed = sample;
    MessageScheduleEntry report = changed.GetMessageSchedule()->EntryAt(0);
    report.SetAccessScheme(MessageScheduleEntry::RATDMA);
    QVERIFY(changed.GetMessageSchedule()->SetEntry(0, report));
    const QString ratdma = SavePad(Path("r.pad"), changed);
    const QStringList slotsGone{"Schedule 21/1 Access Scheme: FATDMA -> RATDMA",
                                "Schedule 21/1 Channel 1 Start Slot: 0 -> (none)",
                                "Schedule 21/1 Channel 1 Interval: 6750 slots -> 6750 minutes",
                                "Schedule 21/1 Channel 2 Start Slot: 0 -> (none)",
                                "Schedule 21/1 Channel 2 Interval: 6750 slots -> 6750 minutes"};
    QCOMPARE(RunCli({"diff", a, ratdma}).out.split('\n', Qt::SkipEmptyParts), slotsGone);
    QCOMPARE(RunCli({"diff", ratdma, a}).out.split('\n', Qt::SkipEmptyParts),
             QStringList({"Schedule 21/1 Access Scheme: RATDMA -> FATDMA",
                          "Schedule 21/1 Channel 1 Start Slot: (none) -> 0",
                          "Schedule 21/1 Channel 1 Interval: 6750 minutes -> 6750 slots",
                          "Schedule 21/1 Channel 2 Start Slot: (none) -> 0",
                          "Schedule 21/1 Channel 2 Interval: 6750 minutes -> 6750 slots"}));

    // Positions count to the ten-thousandth of a minute that the unit keeps.
    const double latitude = sample.GetAtoN()->GetPosition()->Latitude();
    changed = sample;
    changed.GetAtoN()->GetPosition()->SetLatitude(latitude - 1e-8);
    QCOMPARE(RunCli({"diff", a, SavePad(Path("c.pad"), changed)}).status, 0);
    changed.GetAtoN()->GetPosition()->SetLatitude(latitude - 0.0001 / 60);
    QCOMPARE(RunCli({"diff", a, SavePad(Path("c.pad"), changed)}).status, 1);
}

void TestCli::retrieveChangeSendRetrieveGivesWhatWasSent()
{
    // Paced like a real line, with its unsolicited traffic, the shell prompt
    // and a flood of lines (half of them broken) beyond what the line
    // carries: the answers are picked out of the rest, and the unit is read
    // as from a quiet line. A unit that ignores the question for its MMSI as
    // the link starts is read all the same.
    Simulator unit({"--prompt", "--flood", "400"});
    const QString retrieved = Path("retrieved.pad");
    Model model;
    QCOMPARE(unit.Retrieve(retrieved, &model), 0);
    Model quiet;
    QCOMPARE(Simulator({"--fast", "--quiet", "--no-answer-first", "AID"})
                 .Retrieve(Path("quiet.pad"), &quiet),
             0);
    QVERIFY(model == quiet);

    QVERIFY(ChangeAsAnEngineer(&model));
    // Also a new MMSI, a floating type (dimension A stands for all four, as
    // read back), the off-position report and a variant row taken out (both go out with
    // start slots -1, which the unit takes as disabled), the lantern off.
    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    aton->SetRacon(false);
    aton->SetOffPositionThreshold(120);
    aton->SetTypeOfAtoN(25);
    aton->SetDimensionA(7);
    QVERIFY(model.GetMessageSchedule()->DisableReport(1));
    QVERIFY(model.GetMessageSchedule()->RemoveEntry(MessageSchedule::FirstRow(12) + 1));
    model.GetLanternInterface()->SetLimen(false);
    const QString changed = SavePad(Path("changed.pad"), model);

    const CliRun send = RunCli({"send", "--port", unit.port, changed});
    QVERIFY2(send.status == 0 && send.out.isEmpty(), qPrintable(send.out + send.err));
    QVERIFY(send.err.contains(QStringLiteral("Lantern settings: set limvmax = 32299")));
    QVERIFY(send.err.contains(QStringLiteral("\nAtoN settings: sent\n")));

    const QString again = Path("again.pad");
    QCOMPARE(unit.Retrieve(again), 0);
    const CliRun diff = RunCli({"diff", changed, again});
    QVERIFY2(diff.status == 1 && diff.out == "MMSI held by the unit: 992351234 -> 235000001\n"
                                             "Dimension B: 5 m -> 7 m\nDimension C: 3 m -> 7 m\n"
                                             "Dimension D: 3 m -> 7 m\n",
             qPrintable(diff.out));
}

void TestCli::unitBeyondTheUsualRangesIsReadAndSentBack()
{
    // A unit configured beyond what the window offers (threshold 5 m, 36 V
    // maximum) but within what the fields carry: read, saved, and sent back
    // unchanged with a read-back that finds nothing amiss.
    Simulator unit({"--fast", "--quiet"});
    QJsonObject state = unit.State();
    QJsonObject ace = state.value("ace").toObject();
    ace.insert("offPositionThreshold", 5);
    state.insert("ace", ace);
    QJsonObject lantern = state.value("lantern").toObject();
    lantern.insert("limvmax", 36000);
    state.insert("lantern", lantern);
    QVERIFY(unit.DockAndWait(state));
    Model model;
    QCOMPARE(unit.Retrieve(Path("beyond.pad"), &model), 0);
    QCOMPARE(model.GetAtoN()->OffPositionThreshold(), 5);
    QCOMPARE(model.GetLanternInterface()->GetLimvmax(), 36000);
    const CliRun send = RunCli({"send", "--port", unit.port, Path("beyond.pad")});
    QVERIFY2(send.status == 0 && send.err.contains("The unit holds every field sent."),
             qPrintable(send.err));
    QCOMPARE(unit.State().value("ace").toObject().value("offPositionThreshold").toInt(), 5);
    QCOMPARE(unit.State().value("lantern").toObject().value("limvmax").toInt(), 36000);
}

// A send that cannot be read back, or during which another unit is docked,
// claims nothing it does not know, and says what each unit got.
void TestCli::sendCutShortSaysWhatEachUnitHolds()
{
    Model document;
    QCOMPARE(Simulator({"--fast", "--quiet"}).Retrieve(Path("sample.pad"), &document), 0);
    document.GetAtoN()->SetName(QStringLiteral("CUT SHORT"));
    document.GetLanternInterface()->SetLimen(false);
    document.GetLanternInterface()->SetLimvmin(11000);
    document.GetLanternInterface()->SetLimvmax(15000);
    const QString file = SavePad(Path("cut.pad"), document);

    // Everything goes out, but the read-back finds no answer.
    Simulator silent({"--fast", "--quiet", "--no-answer", "ACF"});
    const CliRun unread = RunCli({"send", "--port", silent.port, file});
    QVERIFY2(unread.status == 3 &&
                 unread.err.contains("were read back: everything went out, but what the unit "
                                     "holds now is not known, as it was not compared.") &&
                 !unread.err.contains("holds what was sent"),
             qPrintable(unread.err));
    QCOMPARE(silent.State().value("ace").toObject().value("name").toString(),
             QStringLiteral("CUT SHORT"));

    // The unit meant takes the AtoN settings, the schedule and the first two
    // lantern commands; then another unit takes the dock. The tool asks who
    // is there before each lantern command, so the other unit gets none.
    int before = 0;
    for (const QString &line : unread.err.split('\n'))
        before += line.contains(": set ") && !line.startsWith("Lantern") ? 1 : 0;
    QTemporaryDir dir;
    const QString second = dir.filePath("second.json");
    Simulator unit(
        {"--fast", "--quiet", "--swap-after", QString::number(before + 2), "--swap-state", second});
    const CliRun swapped = RunCli({"send", "--port", unit.port, file});
    QVERIFY2(swapped.status == 3, qPrintable(swapped.err));
    for (const char *told :
         {"Another unit was docked during the send, which stopped at once.",
          "meant for the unit with serial number VK0012345, MMSI 992351234",
          "now has serial number VK0099999",
          "holds the AtoN settings, the message schedule and the lantern settings \"limen\" as "
          "sent (not read back); the rest as before.",
          "Either unit may hold the lantern settings \"limvmin\": it went out while the units "
          "were changed."})
        QVERIFY2(swapped.err.contains(told, Qt::CaseInsensitive), qPrintable(swapped.err));
    const QJsonObject meant = unit.State();
    QCOMPARE(meant.value("ace").toObject().value("name").toString(), QStringLiteral("CUT SHORT"));
    const QJsonObject lantern = meant.value("lantern").toObject();
    QCOMPARE(QList<int>({lantern.value("limen").toInt(), lantern.value("limvmin").toInt(),
                         lantern.value("limvmax").toInt()}),
             QList<int>({0, 11000, 14500}));
    QFile other(second);
    QVERIFY(other.open(QIODevice::ReadOnly));
    const QJsonObject docked = QJsonDocument::fromJson(other.readAll()).object();
    const QJsonObject otherLantern = docked.value("lantern").toObject();
    QCOMPARE(QList<int>({otherLantern.value("limen").toInt(), otherLantern.value("limvmin").toInt(),
                         otherLantern.value("limvmax").toInt()}),
             QList<int>({1, 10500, 14500}));
    QCOMPARE(docked.value("ace").toObject().value("name").toString(),
             QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE"));
}

void TestCli::sendRefusedOrNotTakenInFull()
{
    // A unit that ignores every ACE sentence and the maximum voltage.
    Simulator unit({"--fast", "--quiet", "--refuse", "ACE", "--refuse", "nvseti \"limvmax\""});
    Model model;
    const QString retrieved = Path("clash.pad");
    QCOMPARE(unit.Retrieve(retrieved, &model), 0);
    // Refused before anything goes out: clashing slots (with both tabs
    // changed), and a value out of the unit's range, named.
    Model clashing;
    clashing = model;
    MessageScheduleEntry normal = clashing.GetMessageSchedule()->EntryAt(0);
    normal.SetStartSlot1(10);
    normal.SetStartSlot2(11);
    normal.SetInterval2(4500);
    QVERIFY(clashing.GetMessageSchedule()->SetEntry(0, normal));
    QVERIFY(ChangeAsAnEngineer(&clashing));
    Model outOfRange;
    outOfRange = model;
    outOfRange.GetAtoN()->SetTypeOfEPFS(16);
    outOfRange.GetAtoN()->SetAceField5(5000000);
    // A message number the schedule's sentence cannot carry, a character
    // the unit cannot keep, an AID mode without a letter.
    Model noMessage;
    noMessage = model;
    const QList<MessageScheduleEntry> &held = noMessage.GetMessageSchedule()->Entries();
    QVector<MessageScheduleEntry> rows(held.begin(), held.end());
    rows << MessageScheduleEntry();
    rows.last().SetMessageId(99);
    LoadRows(noMessage.GetMessageSchedule(), rows);
    Model euro;
    euro = model;
    euro.GetAtoN()->SetName(QString::fromUtf8("CAF\xe2\x82\xac"));
    euro.GetAtoN()->GetAtoNMMSI()->SetAidMode(9);
    for (const auto &[file, text] :
         {std::pair{SavePad(Path("c.pad"), clashing),
                    QStringLiteral("The message schedule set risks clashing timeslots.")},
          std::pair{SavePad(Path("r.pad"), outOfRange),
                    QStringLiteral("Type of EPFS: 16 is outside 0 to 15")},
          std::pair{Path("r.pad"), QStringLiteral("ACE field 5: 5000000 is outside 0 to 999999")},
          std::pair{SavePad(Path("m.pad"), noMessage),
                    QStringLiteral("message 99 is not an AIS message number (1 to 63)")},
          std::pair{SavePad(Path("e.pad"), euro),
                    QString::fromUtf8("name: \"\xe2\x82\xac\" cannot be sent, the unit keeps "
                                      "Latin-1 only")},
          std::pair{Path("e.pad"), QStringLiteral("AID mode: 9 is outside 0 to 4")}}) {
        const CliRun refused = RunCli({"send", "--port", unit.port, file});
        QVERIFY2(refused.status == 3 && refused.err.contains(text), qPrintable(refused.err));
    }
    QCOMPARE(unit.Retrieve(Path("afterclash.pad")), 0);
    QCOMPARE(RunCli({"diff", retrieved, Path("afterclash.pad")}).status, 0);

    // The read-back names what the unit did not take; the new position went
    // out in the ACF, addressed by the MMSI the unit holds.
    model.GetAtoN()->GetPosition()->SetLatitude(10.25);
    model.GetAtoN()->SetName(QStringLiteral("NOT TAKEN"));
    model.GetLanternInterface()->SetLimvmax(13000);
    const CliRun send = RunCli({"send", "--port", unit.port, SavePad(Path("refusing.pad"), model)});
    QVERIFY2(
        send.status == 1 &&
            send.out.contains("The unit did not take 2 fields (sent -> held):\n"
                              "  Name: \"NOT TAKEN\" -> \"NORTH PIER, WEST HARBOUR ENTRANCE\"\n"
                              "  Maximum voltage: 13.000 V -> 14.500 V\n"),
        qPrintable(send.out + send.err));
    QCOMPARE(unit.Retrieve(Path("after.pad"), &model), 0);
    QCOMPARE(model.GetAtoN()->GetPosition()->Latitude(), 10.25);
}

void TestCli::monitorDecodesLiveTrafficUntilStopped()
{
    // The name continuation of the first ACE answer is lost on the line:
    // the retrieve at the end asks again and has the whole name.
    Simulator unit({"--fast", "--bad-answer", "lost-continuation-once"});
    QProcess monitor;
    monitor.start(QStringLiteral(VANDREL_CLI),
                  {"monitor", "--port", unit.port, "--mmsi", "992351234"});
    // The unit reports its fix every second and its own message 21 now and then.
    QByteArray out;
    const auto seen = [&out] {
        return out.contains("\nGPS ") && out.contains("AIS 21 992351234: RACON");
    };
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && !seen()) {
        monitor.waitForReadyRead(200);
        out += monitor.readAllStandardOutput();
    }
    QVERIFY2(seen(), out.constData());
    // SIGTERM ends it like Ctrl-C: the port is closed and the status is 0.
    monitor.terminate();
    QVERIFY(monitor.waitForFinished(5000));
    QCOMPARE(monitor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(monitor.exitCode(), 0);
    // The port is free again; without -o the configuration is printed.
    const CliRun printed = RunCli({"retrieve", "--port", unit.port});
    QVERIFY2(printed.status == 0 &&
                 printed.out.contains(QStringLiteral("\"NORTH PIER, WEST HARBOUR ENTRANCE\"")),
             qPrintable(printed.err));
}

void TestCli::failedRetrieveWritesNoFile()
{
    // With earlier, a file from an earlier retrieval is in the way.
    const auto failed = [](const QStringList &switches, const QString &message, bool earlier) {
        Simulator unit(QStringList{"--fast"} + switches);
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("unit.pad"));
        QVERIFY(!earlier || WriteBytes(path, "earlier"));
        const CliRun run = RunCli({"retrieve", "--port", unit.port, "-o", path});
        QVERIFY2(run.status == 3 && run.err.contains(message),
                 qPrintable(switches.join(QLatin1Char(' ')) + QStringLiteral(": ") + run.err));
        // No file begun, none left behind half written, an earlier one untouched.
        QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::Hidden),
                 earlier ? QStringList{"unit.pad"} : QStringList());
        QFile file(path);
        QVERIFY(!earlier || (file.open(QIODevice::ReadOnly) && file.readAll() == "earlier"));
    };
    // The message names the step, the query or command and what it reads.
    failed({"--no-answer", "AAR"}, "No answer to the AAR query (the message schedule) within",
           false);
    failed({"--no-answer", "ACF"},
           "Error reading from the AtoN: Reading the AtoN settings 2 of 3 failed. No answer to the "
           "ACF query (the AtoN settings: type, position, channels) within 1 s.",
           true);
    failed({"--no-answer", "nvgeti"}, "settings 1 of 8 failed. No answer to the lantern query",
           false);
    // A unit that never names itself leaves no name to show as the unit's.
    failed({"--no-answer", "ACE"}, "No answer to the ACE query (the AtoN's name)", false);
    // The unit is asked for its MMSI as the link starts, before any transfer.
    failed({"--missing-field"},
           "The answer to the AID query (the unit's MMSI) was refused: field 5, status: missing",
           true);
    failed({"--corrupt-checksums"},
           "The answer to the command appver (the unit's software version) came with a wrong "
           "checksum: $PVKX,255,appver,",
           false);
    // Slow answers keep the retrieve running when the line closes.
    failed({"--close-after", "2", "--late-ms", "300"}, "hung up", true);

    // Answers the unit cannot have meant end the transfer, naming the query
    // and the field (the sample unit's MMSI is 992351234).
    const QList<QPair<QString, QString>> badAnswers{
        {"empty-value", "appver (the unit's software version) was refused: the answer text"},
        {"lantern-range", "\"limen\" (lantern interface on or off) was refused: limen: 99999999"},
        {"acf-range", "channels) was refused: field 2, type of EPFS: 99 is outside 0 to 15"},
        {"lonely-continuation", "(the AtoN's name) was refused: field 7, name: a continuation"},
        {"second-unit", "The unit gave two different answers to the AID query (the unit's MMSI): "
                        "$AIAID,99235123"},
        {"other-mmsi", "field 1, MMSI: 992351231 is another unit than 992351234"},
        {"huge-instance", "AAR query (the message schedule) was refused: field 3, instance"},
        // All or nothing: zeros after the unit named itself, a schedule row
        // damaged on the line or coming after the pause that ends the rows.
        {"unconfigured-mmsi", "field 1, MMSI: 000000000, while the unit answered the AID query as "
                              "992351234"},
        {"damaged-row", "The answer to the AAR query (the message schedule) came with a wrong "
                        "checksum: "
                        "$AIAAR,992351234,21,02,"},
        {"late-row", "An answer to the AAR query (the message schedule) came after its answers "
                     "had ended: $AIAAR,992351234,"},
        {"lost-row", "The answers to the AAR query (the message schedule) were not whole: no row "
                     "came for message 21, instance 2 (the off-position report)."},
        // Answers that contradict each other, or that name no MMSI.
        {"two-ace", "two different answers to the ACE query (the AtoN's name): "
                    "$AIACE,992351234,E8,0075,1,0,1,,0050050303,R*"},
        {"two-acf", "two different answers to the ACF query (the AtoN settings: type, position, "
                    "channels): $AIACF,992351234,1,"},
        {"aid-mode-v", "field 4, mode: V, an answer that does not name the MMSI the unit holds"}};
    for (const auto &bad : badAnswers)
        failed({"--bad-answer", bad.first}, bad.second, bad.first == "acf-range");
    // A long name whose continuation never comes reads as no name at all;
    // the unit's own message 21 says otherwise.
    failed({"--bad-answer", "lost-continuation", "--report-every", "1"},
           "Reading the AtoN settings 3 of 3 failed. The unit answered with an empty name, but "
           "the name continuation never came; the unit broadcasts the name \"NORTH PIER, WEST "
           "HARBOUR ENTRANCE\".",
           true);
    // A unit without a name reads as one, asked for its name once more only.
    {
        Simulator nameless({"--fast", "--report-every", "1"});
        QJsonObject state = nameless.State();
        QJsonObject ace = state.value("ace").toObject();
        ace.insert("name", QString());
        state.insert("ace", ace);
        QVERIFY(nameless.DockAndWait(state));
        const QString path = Path("nameless.pad");
        const CliRun run = RunCli({"retrieve", "--port", nameless.port, "-o", path});
        QVERIFY2(run.status == 0 && run.err.contains("(3 silent waits of 1 s"),
                 qPrintable(run.err));
        Model model;
        QCOMPARE(PadFile::Load(path, &model), PadFile::Done);
        QCOMPARE(model.GetAtoN()->Name(), QString());
    }
    // Empty latitude and longitude fields are NMEA's "no value", not 0/0.
    {
        Simulator unit({"--fast", "--quiet", "--bad-answer", "empty-position"});
        Model model;
        QCOMPARE(unit.Retrieve(Path("empty-position.pad"), &model), 0);
        const GeoPosition *position = model.GetAtoN()->GetPosition();
        QCOMPARE(QList<double>({position->Latitude(), position->Longitude()}),
                 QList<double>({91.0, 181.0}));
    }
    // A program that only reads learns of the closed line too.
    Simulator closing({"--fast", "--close-after", "1"});
    const CliRun monitor = RunCli({"monitor", "--port", closing.port}, 20000);
    QVERIFY2(monitor.status == 3 && monitor.err.contains("The line to the unit closed: "),
             qPrintable(monitor.err));
}

void TestCli::savesLoseNothing()
{
    Simulator unit({"--fast", "--quiet"});
    // A FIFO is refused before the unit is asked, and stays a FIFO; the
    // direct write is only for a file given with -o.
    const QString fifo = Path("unit-fifo.pad");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const CliRun toFifo = RunCli({"retrieve", "--port", unit.port, "-o", fifo});
    QVERIFY2(toFifo.status == 3 && toFifo.err.contains(fifo + " is a pipe (FIFO), not a file.") &&
                 !toFifo.err.contains("Connecting"),
             qPrintable(toFifo.err));
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    QCOMPARE(RunCli({"retrieve", "--port", unit.port, "--in-place"}).status, 2);

    // On a full disk the retrieve fails, says why, and leaves the earlier
    // file byte for byte with nothing beside it; with room again it works.
    SmallDisk disk;
    if (!disk.isMounted())
        QSKIP("no small file system could be mounted here");
    const QString path = disk.filePath("unit.pad");
    const QByteArray earlier = PadFile::ToBytes(sample);
    SavePad(path, sample);
    QVERIFY(disk.Fill());
    const CliRun full = RunCli({"retrieve", "--port", unit.port, "-o", path});
    QVERIFY2(full.status == 3 && full.err.contains(path + ": The disk is full.") &&
                 !full.err.contains("Written to"),
             qPrintable(full.err));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlier);
    QCOMPARE(disk.Names(), QStringList{"unit.pad"});
    disk.Free();
    Model retrieved;
    QCOMPARE(unit.Retrieve(path, &retrieved), 0);
    QCOMPARE(retrieved.GetAtoN()->GetAtoNMMSI()->Mmsi(), QString("992351234"));
}

void TestCli::refusedCommands()
{
    Simulator unit({"--fast", "--quiet"});
    const QString busy = QStringLiteral("Error connecting to the AtoN: The serial port %1 is busy");
    const QString good = SavePad(Path("good.pad"), Model());
    const QString cut = Path("cut.pad");
    QVERIFY(WriteBytes(cut, PadFile::ToBytes(Model()).chopped(10)));
    const QString truncated = cut + QStringLiteral(": The file ends before the configuration");
    const QString out = Path("busy.pad");
    // Without opensPort the refusal must come before the port is opened.
    const auto refused = [](const QStringList &arguments, const QString &message, bool opensPort) {
        const CliRun run = RunCli(arguments, 20000);
        QVERIFY2(run.status == 3 && run.err.contains(message) && run.out.isEmpty(),
                 qPrintable(arguments.join(QLatin1Char(' ')) + QStringLiteral(": ") + run.err));
        QVERIFY(opensPort || !run.err.contains(QStringLiteral("Connecting")));
    };
    QSerialPort holder(unit.port);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    refused({"retrieve", "--port", unit.port, "-o", out}, busy.arg(unit.port), true);
    QVERIFY(!QFile::exists(out));
    refused({"monitor", "--port", unit.port}, busy.mid(30).arg(unit.port), true);
    // Named through an alias, the port is still the one held.
    const QString alias = Path("aton-alias");
    QVERIFY(QFile::link(unit.port, alias));
    refused({"monitor", "--port", alias}, busy.mid(30).arg(alias), true);
    const QString nowhere = QStringLiteral("/dev/no-such-port-here");
    refused({"send", "--port", nowhere, good},
            "Error connecting to the AtoN: The serial port " + nowhere + " is not present.", true);
    refused({"retrieve", "--port", unit.port, "-o", Path("no-dir/x.pad")},
            "Could not save file: ", false);
    refused({"send", "--port", unit.port, cut}, truncated, false);
    refused({"show", cut}, truncated, false);
    refused({"diff", good, cut}, truncated, false);
    refused({"show", Path("no.pad")}, "The file " + Path("no.pad") + " does not exist.", false);
    refused({"replay", Path("no.log")}, "Could not read " + Path("no.log"), false);
    // Wrong command lines end with status 2, a request for help with 0.
    const QStringList usageErrors[] = {{},
                                       {"fetch"},
                                       {"show"},
                                       {"diff", good},
                                       {"show", good, "--fast"},
                                       {"retrieve", "-o", good}};
    for (const QStringList &arguments : usageErrors)
        QVERIFY2(RunCli(arguments).status == 2, qPrintable(arguments.join(QLatin1Char(' '))));
    const CliRun help = RunCli({"--help"});
    QVERIFY(help.status == 0 && help.out.contains(QStringLiteral("vandrel-cli send --port PATH")));
    // Without the unit's MMSI a send would be addressed to no unit: it ends
    // with an error naming the query, before anything goes out, and says so.
    Simulator nameless({"--fast", "--quiet", "--no-answer", "AID"});
    const QJsonObject held = nameless.State();
    Model sendable;
    sendable.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("235000001"));
    QVERIFY(sendable.GetMessageSchedule()->DisableReport(0));
    const CliRun send = RunCli({"send", "--port", nameless.port, SavePad(Path("s.pad"), sendable)});
    QVERIFY2(send.status == 3 && !send.err.contains(": set ") &&
                 send.err.contains(QStringLiteral("No answer to the AID query")) &&
                 send.err.contains(QStringLiteral("the unit holds what it held before")),
             qPrintable(send.err));
    QCOMPARE(nameless.State(), held);
    // Once the port is free again the same retrieval works.
    holder.close();
    QCOMPARE(unit.Retrieve(out), 0);
}

void TestCli::replayDecodesALog()
{
    // A traffic log as the serial line controller writes it: header and
    // footer lines (a record's copy names its register entry there),
    // received lines without carriage returns, one sent line.
    const QString log = Path("traffic.log");
    QVERIFY(WriteBytes(
        log, "#\n# vandrel Started log file at 12:00:00 2026/12/06\n"
             "# vandrel register entry 6f1c2a40-0b7e-4b8e-9a57-3f0d2c1e9b11\n#\n"
             "$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*78\n"
             "$GPGSA,A,3,02,05,13,15,20,24,29,,,,,,1.6,0.9,1.3*30\n"
             ">$PVKX,0,0,0x6E2D9A41,2,appver,0*00\n"
             "$AIAID,992351234,1,992351234,R,R*59\n"
             "!AIVDO,1,1,,A,E>jHD0VW7a:4@84RaF@;Rab@40aOuNCu>R0R050`HHpQ80SmD`1CU4PCPi@,2*37\n"
             "$AIALR,201149.87,061,V,A,AtoN: supply voltage low*7E\n"
             // A text's escape sequence and reversal are shown, not obeyed.
             "$AITXT,01,01,21,AtoN: lantern on\x1b[2J caf\xc3\xa9\xe2\x80\xae*B8\n"
             // A line feed in a text cannot forge a line of output.
             "$AITXT,01,01,21,AtoN: lantern on^0AUNIT MMSI 111111111*10\n"
             "$GPRMC,201148.75,A,5047.4495,N,00106.2246,W,0.02,211.6,061226,,,A*00\n"
             // No time of day, and a speed too large for a plain number.
             "$GPRMC,256000,A,3352.1200,S,15112.6000,E,1e16,,290200,,,A*32\n"
             "#\n# vandrel Stopped log file at 12:00:01 2026/12/06\n#\n"));
    // The MMSI of the AID answer makes the next message 21 the unit's own;
    // the sent line, the header, and the line with a wrong checksum show nothing.
    const QStringList expected{
        QString::fromUtf8("GPS 20:11:48 2026-12-06 50° 47.4495' N 001° 6.2246' W 0.0 kn 211.6 "
                          "deg autonomous"),
        "GPS 3D fix, satellites not known yet",
        "UNIT MMSI 992351234",
        "AIS 21 992351234: RACON operational, light on, health good",
        "ALARM 061 20:11:49 cleared, acknowledged: AtoN: supply voltage low",
        QString::fromUtf8("TEXT AtoN: lantern on\\x1b[2J caf\xc3\xa9\\u202e"),
        "TEXT AtoN: lantern on\\x0aUNIT MMSI 111111111",
        QString::fromUtf8("GPS  2000-02-29 33° 52.1200' S 151° 12.6000' E 10000000000000000.0 kn "
                          "0.0 deg autonomous")};
    for (const QStringList &fast : {QStringList{}, QStringList{"--fast"}}) {
        const CliRun run = RunCli(QStringList{"replay", log} + fast);
        QVERIFY2(run.status == 0 && run.err.contains(QStringLiteral("Replayed 9 lines")),
                 qPrintable(run.err));
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    }
    // The same events as JSON objects, one a line.
    const CliRun json = RunCli({"replay", "--json", log});
    QStringList events;
    QJsonObject report;
    QJsonObject alarm;
    for (const QString &line : json.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        events << o.value("event").toString();
        if (events.last() == "message21")
            report = o;
        else if (events.last() == "alarm")
            alarm = o;
    }
    QCOMPARE(events, QStringList({"gps", "satellites", "unit_mmsi", "message21", "alarm", "text",
                                  "text", "gps"}));
    QCOMPARE(report.value("racon").toString(), QStringLiteral("RACON operational"));
    QCOMPARE(report.value("off_position").toBool(), false);
    QVERIFY(qAbs(report.value("latitude").toDouble() - 50.79) < 0.01);
    QCOMPARE(alarm.value("number").toInt(), 61);
    QCOMPARE(alarm.value("active").toBool(), false);
    QCOMPARE(alarm.value("time").toString(), QStringLiteral("20:11:49"));
    QVERIFY(json.out.contains(QStringLiteral("lantern on\\u001b[2J caf\u00e9\\u202e\"")));
    // Another MMSI given: the report is not the unit's.
    QVERIFY(!RunCli({"replay", "--mmsi", "123456789", log}).out.contains(QStringLiteral("AIS 21")));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
