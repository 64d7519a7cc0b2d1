#include "fleetcommands.h"

#include "clicommandline.h"
#include "console.h"
#include "exitstatus.h"
#include "identitywarnings.h"
#include "onaircommand.h"
#include "recordloader.h"
#include "registercommands.h"
#include "stopsignals.h"

#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "app/vandrelsettings.h"
#include "fleet/batchrecord.h"
#include "fleet/engineersetting.h"
#include "fleet/fleetplan.h"
#include "fleet/fleetrun.h"
#include "fleet/sessionunitlink.h"
#include "fleet/unitrecord.h"
#include "model/configurationdiff.h"
#include "model/model.h"
#include "model/padfile.h"
#include "model/visibletext.h"
#include "register/unitregister.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// The record writer, loaded only by the commands that write records.
RecordLoader &Records()
{
    static RecordLoader loader;
    return loader;
}

QString Shown(const QString &text)
{
    return VisibleText::OneLine(text);
}

// Starts a step of the link and runs the event loop until done() comes or
// the link fails; false with *reason on failure. A port that cannot be
// opened fails within start(), so the signals are heard from before it.
template <class Signal>
bool RunStep(SessionUnitLink *link, const std::function<void()> &start, Signal done,
             QString *reason)
{
    QEventLoop loop;
    bool ok = false;
    bool ended = false;
    QObject::connect(link, done, &loop, [&] {
        ok = ended = true;
        loop.quit();
    });
    QObject::connect(link, &UnitLink::Failed, &loop, [&](const QString &text) {
        *reason = text;
        ended = true;
        loop.quit();
    });
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stop, &loop, [&] {
        *reason = QStringLiteral("Stopped; nothing was sent to the unit.");
        ended = true;
        loop.quit();
    });
    start();
    if (!ended)
        loop.exec();
    return ok;
}

// The line is given back (the unit reset) before the program ends.
void CloseAll(const QList<SessionUnitLink *> &links)
{
    QEventLoop loop;
    QTimer limit;
    QTimer poll;
    const auto check = [&] {
        for (SessionUnitLink *link : links) {
            if (link->Session()->HasLink())
                return;
        }
        loop.quit();
    };
    QObject::connect(&poll, &QTimer::timeout, &loop, check);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (SessionUnitLink *link : links)
        link->Close();
    poll.start(50);
    limit.start(5000);
    check();
    if (poll.isActive())
        loop.exec();
}

QtMessageHandler programHandler = nullptr;

// The offscreen platform's note about a missing runtime folder says nothing
// about the units.
void DropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) && programHandler)
        programHandler(type, context, message);
}

// Opens the link and reads the whole configuration; a failure is said and
// the line given back.
bool ReadUnit(SessionUnitLink *link)
{
    QString reason;
    if (RunStep(
            link, [link] { link->Open(); }, &UnitLink::Identified, &reason) &&
        RunStep(
            link, [link] { link->Retrieve(); }, &UnitLink::Retrieved, &reason))
        return true;
    CloseAll({link});
    Console::Error(Shown(reason.simplified()));
    return false;
}

QString EngineerOf(const QString &given)
{
    return given.isEmpty() ? EngineerSetting::Read() : given;
}

// The journal that writes the link's read to the register as kind.
std::unique_ptr<TransferJournal> JournalFor(SessionUnitLink *link, UnitRegister *unitRegister,
                                            RegisterEntry::Kind kind, const QString &engineer)
{
    auto journal = std::make_unique<TransferJournal>(link->Session(), unitRegister);
    journal->SetEngineer(engineer);
    journal->SetNextKind(kind);
    return journal;
}

} // namespace

bool FleetCommands::Handles(const QString &word)
{
    return word == QLatin1String("commission") || word == QLatin1String("verify") ||
           word == QLatin1String("record");
}

bool FleetCommands::Parse(const QStringList &arguments, Options *options, QString *errorText)
{
    const QCommandLineOption port(QStringList{QStringLiteral("p"), QStringLiteral("port")},
                                  QString(), QStringLiteral("PATH"));
    const QCommandLineOption templateFile(QStringLiteral("template"), QString(),
                                          QStringLiteral("FILE"));
    const QCommandLineOption units(QStringLiteral("units"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption records(QStringLiteral("records"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption engineer(QStringLiteral("engineer"), QString(),
                                      QStringLiteral("NAME"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QString(), QStringLiteral("FILE"));
    const QCommandLineOption debug(QStringLiteral("debug"));
    const QCommandLineOption where(QStringLiteral("register"), QString(), QStringLiteral("WHERE"));
    const QCommandLineOption reassign(QStringLiteral("reassign-mmsi"));
    const QCommandLineOption strict(QStringLiteral("strict"));
    QCommandLineParser parser;
    parser.addOptions(
        {port, templateFile, units, records, engineer, output, debug, where, reassign, strict});
    if (!parser.parse(arguments)) {
        *errorText = parser.errorText();
        return false;
    }
    const QStringList positional = parser.positionalArguments();
    options->command = positional.value(0);
    options->ports = parser.values(port);
    options->templatePath = parser.value(templateFile);
    options->unitsPath = parser.value(units);
    options->records = parser.value(records);
    options->engineer = parser.value(engineer);
    options->output = parser.value(output);
    options->debug = parser.isSet(debug);
    options->registerText = parser.value(where);
    options->reassignMmsi = parser.isSet(reassign);
    options->strict = parser.isSet(strict);
    const bool commission = options->command == QLatin1String("commission");
    const bool verify = options->command == QLatin1String("verify");
    const struct
    {
        const QCommandLineOption &option;
        const char *shown;
        bool allowed;
        bool required;
    } uses[] = {
        {templateFile, "--template FILE", commission, commission},
        {units, "--units FILE", commission, commission},
        {records, "--records DIR", commission, commission},
        {engineer, "--engineer NAME", !verify, false},
        {output, "-o FILE", options->command == QLatin1String("record"),
         options->command == QLatin1String("record")},
        {port, "--port PATH", true, true},
        {where, "--register WHERE", true, false},
        {reassign, "--reassign-mmsi", commission, false},
        {strict, "--strict", commission, false},
    };
    for (const auto &use : uses) {
        const QString shown = QLatin1String(use.shown);
        if (parser.isSet(use.option) && !use.allowed) {
            *errorText = QStringLiteral("%1 takes no %2.").arg(Shown(options->command), shown);
            return false;
        }
        if (use.required && (!parser.isSet(use.option) || parser.value(use.option).isEmpty())) {
            *errorText = QStringLiteral("%1 needs %2.").arg(Shown(options->command), shown);
            return false;
        }
    }
    if (!commission && options->ports.size() > 1) {
        *errorText = QStringLiteral("%1 takes one --port.").arg(Shown(options->command));
        return false;
    }
    if (options->ports.removeDuplicates() > 0) {
        *errorText = QStringLiteral("A port is given twice; each unit is on a port of its own.");
        return false;
    }
    const int files = verify ? 1 : 0;
    if (positional.size() - 1 != files) {
        *errorText = verify ? QStringLiteral("verify needs the .pad file to compare with.")
                            : QStringLiteral("%1 takes no file name (\"%2\").")
                                  .arg(Shown(options->command), Shown(positional.value(1)));
        return false;
    }
    options->file = positional.value(1);
    return true;
}

int FleetCommands::Run(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    Options options;
    QString error;
    // commission --on-air comes with its minutes or without, which the
    // parser cannot read.
    if (!OnAirCommand::Take(&arguments, &options.onAirMinutes, &error) ||
        (options.onAirMinutes > 0 && arguments.value(1) != QLatin1String("commission"))) {
        Console::Error(error.isEmpty() ? QStringLiteral("Only commission takes --on-air.") : error);
        Console::Err(CliCommandLine::Usage());
        return ExitUsage;
    }
    if (!Parse(arguments, &options, &error)) {
        Console::Error(Shown(error));
        Console::Err(CliCommandLine::Usage());
        return ExitUsage;
    }
    // verify writes no record: it needs no platform, as the other commands.
    if (options.command == QLatin1String("verify")) {
        QCoreApplication app(argc, argv);
        VandrelSettings::Name();
        return Verify(options);
    }
    // Records are laid out with Qt's fonts and PDF writer, which need a GUI
    // application; no window is shown. Both come with the record writer's
    // module, so that the other commands start without Qt Gui.
    if (!Records().Load(argv[0], &error)) {
        Console::Error(error);
        return ExitFailure;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    programHandler = qInstallMessageHandler(DropPlatformNotes);
    const std::unique_ptr<QCoreApplication> app = Records().CreateApplication(argc, argv);
    VandrelSettings::Name();
    if (options.command == QLatin1String("commission"))
        return Commission(options);
    return Record(options);
}

int FleetCommands::Commission(const Options &options)
{
    // The whole table is checked before any unit is spoken to.
    FleetPlan plan;
    if (!plan.Load(options.templatePath, options.unitsPath)) {
        for (const QString &problem : plan.Problems())
            Console::Error(problem);
        Console::Err(QStringLiteral("Nothing was sent.\n"));
        return ExitUsage;
    }
    // Rows a send would take, with identities no AtoN should carry.
    if (!IdentityWarnings::Tell(plan.Warnings(), options.strict, QStringLiteral("table")))
        return ExitUsage;
    // Each unit's record with what the plan says of its row, kept for the
    // batch's record.
    BatchRecord batch(plan, EngineerOf(options.engineer));
    FleetRun run(plan, options.records, EngineerOf(options.engineer),
                 [&batch](const UnitRecord &record, const QString &path, QString *errorText) {
                     return Records().WritePdf(batch.Completed(record, path), path, errorText);
                 });
    // A register out of reach sends nothing to the spool here; its notice
    // is said, and a shared one refuses MMSIs it could not check.
    const std::unique_ptr<UnitRegister> unitRegister = RegisterCommands::Open(options.registerText);
    if (!unitRegister)
        return ExitFailure;
    run.SetRegister(unitRegister.get());
    run.SetReassign(options.reassignMmsi);
    run.SetOnAirMinutes(options.onAirMinutes);
    QString error;
    if (!run.Prepare(&error)) {
        Console::Error(error);
        return ExitFailure;
    }
    QObject::connect(&run, &FleetRun::UnitMessage, [](const QString &port, const QString &text) {
        Console::Err(port.isEmpty()
                         ? text + QLatin1Char('\n')
                         : Shown(port) + QStringLiteral(": ") + text + QLatin1Char('\n'));
    });
    // Sending progress in quarters, not a line per sentence.
    auto quarters = std::make_shared<QHash<int, QString>>();
    QObject::connect(&run, &FleetRun::RowChanged, [&run, quarters](int row) {
        const QString status = run.RowStatus(row);
        const QStringList words = status.split(QLatin1Char(' '));
        QString shown = status;
        if (words.size() == 4 && words.at(0) == QLatin1String("sending")) {
            const int total = qMax(1, words.at(3).toInt());
            shown = QStringLiteral("sending %1%").arg(words.at(1).toInt() * 4 / total * 25);
        }
        if (quarters->value(row) == shown)
            return;
        quarters->insert(row, shown);
        if (shown.startsWith(QLatin1String("sending")))
            Console::Err(QStringLiteral("%1: line %2, %3\n")
                             .arg(run.Summary().At(row).mmsi,
                                  QString::number(run.Plan().Rows().at(row).line), shown));
    });

    QList<SessionUnitLink *> links;
    const QString vendor = VandrelSettings::SystemVendorId();
    for (const QString &port : options.ports) {
        links << new SessionUnitLink(port, vendor, &run);
    }
    QEventLoop loop;
    QObject::connect(&run, &FleetRun::Finished, &loop, &QEventLoop::quit);
    // Ctrl-C or SIGTERM: every unit is reset and its row recorded as it
    // stands, rather than left half-sent without a word.
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stop, &run,
                     [&run] { run.Stop(QStringLiteral("the run was stopped")); });
    for (SessionUnitLink *link : links)
        run.AddUnit(link);
    if (run.Running() > 0)
        loop.exec();
    CloseAll(links);

    for (int row = 0; row < plan.RowCount(); ++row) {
        const FleetSummary::Entry &entry = run.Summary().At(row);
        Console::Out(QStringLiteral("%1 %2 %3\n")
                         .arg(entry.mmsi,
                              entry.serial.isEmpty() ? QStringLiteral("-") : Shown(entry.serial),
                              Shown(run.RowStatus(row))));
        batch.SetLine(row, entry, run.RowStatus(row));
    }
    const QString batchPath = QDir(options.records).filePath(batch.FileName());
    QString batchError;
    if (!Records().WriteBatchPdf(batch, batchPath, &batchError)) {
        Console::Error(Shown(batchError));
        return ExitFailure;
    }
    Console::Err(QStringLiteral("Batch record written to %1\n").arg(Shown(batchPath)));
    // What the register added to the run, as measured.
    Console::Err(QStringLiteral("Register %1: %2 ms of the run\n")
                     .arg(Shown(unitRegister->Location().Display()))
                     .arg(unitRegister->BusyNs() / 1e6, 0, 'f', 1));
    switch (run.Worst()) {
    case FleetRun::Outcome::Verified:
        return ExitDone;
    case FleetRun::Outcome::Differs:
        return ExitDifferent;
    case FleetRun::Outcome::Failed:
        break;
    }
    return ExitFailure;
}

int FleetCommands::Verify(const Options &options)
{
    Model document;
    QString error;
    if (PadFile::Load(options.file, &document, &error) != PadFile::Done) {
        Console::Error(Shown(error));
        return ExitFailure;
    }
    const std::unique_ptr<UnitRegister> unitRegister = RegisterCommands::Open(options.registerText);
    if (!unitRegister)
        return ExitFailure;
    SessionUnitLink link(options.ports.first(), VandrelSettings::SystemVendorId());
    const auto journal = JournalFor(&link, unitRegister.get(), RegisterEntry::Kind::Verify,
                                    EngineerOf(options.engineer));
    if (!ReadUnit(&link))
        return ExitFailure;
    CloseAll({&link});
    // What a send of the file would carry, against what the unit holds.
    const QStringList differences = ConfigurationDiff::SentLines(document, link.Held());
    if (differences.isEmpty()) {
        Console::Err(
            QStringLiteral("The unit holds every field of %1.\n").arg(Shown(options.file)));
        return ExitDone;
    }
    Console::Out(QStringLiteral("The unit differs from %1 in %2 field%3 (file -> unit):\n")
                     .arg(Shown(options.file), QString::number(differences.size()),
                          differences.size() == 1 ? QString() : QStringLiteral("s")));
    for (const QString &line : differences)
        Console::Out(QStringLiteral("  ") + Shown(line) + QLatin1Char('\n'));
    return ExitDifferent;
}

int FleetCommands::Record(const Options &options)
{
    const std::unique_ptr<UnitRegister> unitRegister = RegisterCommands::Open(options.registerText);
    if (!unitRegister)
        return ExitFailure;
    SessionUnitLink link(options.ports.first(), VandrelSettings::SystemVendorId());
    const auto journal = JournalFor(&link, unitRegister.get(), RegisterEntry::Kind::Record,
                                    EngineerOf(options.engineer));
    if (!ReadUnit(&link))
        return ExitFailure;
    UnitRecord record = UnitRecord::OfVisit(link, EngineerOf(options.engineer));
    // The read just written is the record's entry.
    record.registerEntry = journal->LastEntryId();
    CloseAll({&link});
    QString error;
    if (!Records().WritePdf(record, options.output, &error)) {
        Console::Error(Shown(error));
        return ExitFailure;
    }
    Console::Err(QStringLiteral("Written to %1\n").arg(Shown(options.output)));
    return ExitDone;
}
