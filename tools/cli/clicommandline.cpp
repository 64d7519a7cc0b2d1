#include "clicommandline.h"

#include "app/vandrelversion.h"
#include "onaircommand.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

struct CommandInfo
{
    const char *word;
    CliCommandLine::Command command;
    int files; // file names the command takes
    bool port; // --port is required
};

const CommandInfo commands[] = {
    {"show", CliCommandLine::Show, 1, false},        {"diff", CliCommandLine::Diff, 2, false},
    {"retrieve", CliCommandLine::Retrieve, 0, true}, {"send", CliCommandLine::Send, 1, true},
    {"monitor", CliCommandLine::Monitor, 0, true},   {"replay", CliCommandLine::Replay, 1, false},
    {"history", CliCommandLine::History, 0, false},
};

// "register import DIR" and "register export --csv FILE".
const CommandInfo registerCommands[] = {
    {"import", CliCommandLine::RegisterImport, 1, false},
    {"export", CliCommandLine::RegisterExport, 0, false},
};

// A day (taken as its UTC midnight) or a time with its zone.
QDateTime SinceTime(const QString &text)
{
    // QDate would take the date at the start of a time too.
    const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (day.isValid() && text.size() == 10)
        return QDateTime(day, QTime(0, 0), Qt::UTC);
    QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    if (!time.isValid())
        time = QDateTime::fromString(text, Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : QDateTime();
}

// The argument as typed that brought an option the parser does not know:
// "--frob=1" rather than the bare name "frob".
QString TypedOption(const QStringList &arguments, const QString &name)
{
    for (const QString &arg : arguments) {
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--") + name || arg == QLatin1Char('-') + name ||
            arg.startsWith(QLatin1String("--") + name + QLatin1Char('=')))
            return arg;
    }
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

} // namespace

QString CliCommandLine::Usage()
{
    return QStringLiteral(
        "Usage:\n"
        "  vandrel-cli retrieve --port PATH [-o FILE.pad [--in-place]]\n"
        "  vandrel-cli send --port PATH [--schedule exact] [--on-air [MINUTES]] FILE.pad\n"
        "  vandrel-cli show FILE.pad [--json]\n"
        "  vandrel-cli diff A.pad B.pad\n"
        "  vandrel-cli monitor --port PATH [--mmsi MMSI] [--json]\n"
        "  vandrel-cli replay LOG [--fast] [--mmsi MMSI] [--json]\n"
        "  vandrel-cli commission --template T.pad --units UNITS.csv --records DIR\n"
        "              --port PATH [--port PATH ...] [--engineer NAME] [--reassign-mmsi]\n"
        "              [--strict] [--on-air [MINUTES]]\n"
        "  vandrel-cli verify --port PATH FILE.pad\n"
        "  vandrel-cli record --port PATH -o FILE.pdf [--engineer NAME]\n"
        "  vandrel-cli survey --port PATH [--minutes N] [-o FILE.pad]\n"
        "  vandrel-cli history [--serial S] [--mmsi M] [--since DATE] [--file FILE.pad]\n"
        "              [--json]\n"
        "  vandrel-cli history --config ID -o FILE.pad\n"
        "  vandrel-cli register import DIR\n"
        "  vandrel-cli register export --csv FILE\n"
        "  vandrel-cli --help | --version\n"
        "\n"
        "retrieve, send, commission, verify, record, history and register take\n"
        "--register FILE|postgresql://URL (else VANDREL_REGISTER, else the window's\n"
        "setting, else the default file).\n"
        "commission refuses a row whose MMSI the register has for another unit, or\n"
        "that another unit took part of, unless --reassign-mmsi is given; send\n"
        "refuses a file whose MMSI the register has for another unit the same way.\n"
        "send --strict and commission --strict refuse an MMSI or name no AtoN should\n"
        "carry, which they otherwise only warn of.\n"
        "send changes the schedule rows the file names and leaves the unit's others;\n"
        "--schedule exact switches off, by name, every row the file does not name.\n"
        "--on-air waits (4 minutes unless given) for the unit's own report after the\n"
        "send and compares it with what was sent (exit 1 when it differs, 3 when none\n"
        "came). survey averages the unit's GPS fixes (5 minutes unless given) into a\n"
        "nominal position; -o writes the unit's configuration with it; nothing is sent.\n"
        "history --file lists the entries of a .pad file: those that sent or read its\n"
        "configuration byte for byte, and the one that made it a record.\n"
        "Progress goes to standard error; --debug adds the program's diagnostics there.\n"
        "Exit status: 0 done (diff: equal), 1 differences (diff) or fields the unit\n"
        "did not take (send), 2 wrong command line, 3 failure (file, port, unit).\n");
}

QString CliCommandLine::VersionText()
{
    return QStringLiteral("vandrel-cli ") + QLatin1String(VandrelVersion::Number()) +
           QLatin1Char('\n');
}

bool CliCommandLine::Fail(const QString &text)
{
    m_error = text;
    return false;
}

bool CliCommandLine::Parse(const QStringList &given)
{
    m_command = None;
    m_error.clear();
    m_files.clear();
    // --on-air comes with its minutes or without, which the parser cannot read.
    QStringList arguments = given;
    if (!OnAirCommand::Take(&arguments, &m_onAirMinutes, &m_error))
        return false;

    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption port(QStringList{QStringLiteral("p"), QStringLiteral("port")},
                                  QString(), QStringLiteral("PATH"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QString(), QStringLiteral("FILE"));
    const QCommandLineOption debug(QStringLiteral("debug"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption fast(QStringLiteral("fast"));
    const QCommandLineOption inPlace(QStringLiteral("in-place"));
    const QCommandLineOption mmsi(QStringLiteral("mmsi"), QString(), QStringLiteral("MMSI"));
    const QCommandLineOption serial(QStringLiteral("serial"), QString(), QStringLiteral("S"));
    const QCommandLineOption since(QStringLiteral("since"), QString(), QStringLiteral("DATE"));
    const QCommandLineOption config(QStringLiteral("config"), QString(), QStringLiteral("ID"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption padFile(QStringLiteral("file"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption where(QStringLiteral("register"), QString(), QStringLiteral("WHERE"));
    const QCommandLineOption schedule(QStringLiteral("schedule"), QString(), QStringLiteral("HOW"));
    const QCommandLineOption reassign(QStringLiteral("reassign-mmsi"));
    const QCommandLineOption strict(QStringLiteral("strict"));
    QCommandLineParser parser;
    parser.addOptions({help, version, port, output, debug, json, fast, mmsi, inPlace, serial, since,
                       config, csv, padFile, where, schedule, reassign, strict});

    const QString portMissing = QStringLiteral("--port needs the path of the serial port.");
    const QString outputMissing = QStringLiteral("-o needs the name of a .pad file.");
    const QString mmsiWrong = QStringLiteral("--mmsi needs nine digits.");
    const QString serialMissing = QStringLiteral("--serial needs the unit's serial number.");
    const QString sinceWrong =
        QStringLiteral("--since needs a date (2024-05-01) or a time (2024-05-01T12:00:00Z).");
    const QString configMissing = QStringLiteral("--config needs the id of a register entry.");
    const QString csvMissing = QStringLiteral("--csv needs the name of a CSV file.");
    const QString fileMissing = QStringLiteral("--file needs the name of a .pad file.");
    const QString registerMissing =
        QStringLiteral("--register needs a file path or a postgresql:// URL.");
    const QString scheduleWrong = QStringLiteral("--schedule takes \"exact\" only.");
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            return Fail(QStringLiteral("Unknown option \"%1\".")
                            .arg(TypedOption(arguments, unknown.first())));
        }
        // The one other failure of a known option: its value is missing at
        // the end of the line.
        const QString last = arguments.isEmpty() ? QString() : arguments.last();
        for (const auto &[option, text] : {std::pair{&port, portMissing},
                                           {&output, outputMissing},
                                           {&mmsi, mmsiWrong},
                                           {&serial, serialMissing},
                                           {&since, sinceWrong},
                                           {&config, configMissing},
                                           {&csv, csvMissing},
                                           {&padFile, fileMissing},
                                           {&where, registerMissing},
                                           {&schedule, scheduleWrong}}) {
            for (const QString &name : option->names()) {
                if (last == TypedOption({}, name))
                    return Fail(text);
            }
        }
        return Fail(parser.errorText());
    }

    const QStringList positional = parser.positionalArguments();
    const QString word = positional.value(0);
    if (parser.isSet(help) || word == QLatin1String("help")) {
        m_command = Help;
        return true;
    }
    if (parser.isSet(version)) {
        m_command = Version;
        return true;
    }
    if (positional.isEmpty())
        return Fail(QStringLiteral("No command given."));

    const CommandInfo *info = nullptr;
    for (const CommandInfo &c : commands) {
        if (word == QLatin1String(c.word))
            info = &c;
    }
    int filesFrom = 1;
    if (word == QLatin1String("register")) {
        const QString sub = positional.value(1);
        for (const CommandInfo &c : registerCommands) {
            if (sub == QLatin1String(c.word))
                info = &c;
        }
        if (!info)
            return Fail(QStringLiteral("register needs \"import DIR\" or \"export --csv FILE\"."));
        filesFrom = 2;
    }
    if (!info)
        return Fail(QStringLiteral("Unknown command \"%1\".").arg(word));
    const Command command = info->command;

    // Each option belongs to some commands only.
    const struct
    {
        const QCommandLineOption &option;
        const char *shown;
        bool allowed;
    } uses[] = {
        {port, "--port", info->port},
        {output, "-o", command == Retrieve || (command == History && parser.isSet(config))},
        {inPlace, "--in-place", parser.isSet(output)},
        {json, "--json",
         command == Show || command == Monitor || command == Replay ||
             (command == History && !parser.isSet(config))},
        {fast, "--fast", command == Replay},
        {mmsi, "--mmsi",
         command == Replay || command == Monitor || (command == History && !parser.isSet(config))},
        {serial, "--serial", command == History && !parser.isSet(config)},
        {since, "--since", command == History && !parser.isSet(config)},
        {config, "--config", command == History},
        {padFile, "--file", command == History && !parser.isSet(config)},
        {csv, "--csv", command == RegisterExport},
        {where, "--register",
         command == History || command == RegisterImport || command == RegisterExport ||
             command == Retrieve || command == Send},
        {schedule, "--schedule", command == Send},
        {reassign, "--reassign-mmsi", command == Send},
        {strict, "--strict", command == Send},
    };
    for (const auto &use : uses) {
        if (parser.isSet(use.option) && !use.allowed)
            return Fail(QStringLiteral("%1 takes no %2.").arg(word, QLatin1String(use.shown)));
    }
    m_port = parser.value(port);
    m_output = parser.value(output);
    m_mmsi = parser.value(mmsi);
    m_debug = parser.isSet(debug);
    m_json = parser.isSet(json);
    m_fast = parser.isSet(fast);
    m_inPlace = parser.isSet(inPlace);
    m_serial = parser.value(serial);
    m_configId = parser.value(config);
    m_csv = parser.value(csv);
    m_padFile = parser.value(padFile);
    m_register = parser.value(where);
    m_exactSchedule = parser.isSet(schedule);
    m_reassignMmsi = parser.isSet(reassign);
    m_strict = parser.isSet(strict);
    if (m_exactSchedule && parser.value(schedule) != QLatin1String("exact"))
        return Fail(scheduleWrong);
    if (m_onAirMinutes > 0 && command != Send)
        return Fail(QStringLiteral("%1 takes no --on-air.").arg(word));
    m_since = parser.isSet(since) ? SinceTime(parser.value(since)) : QDateTime();
    for (const auto &[option, text] : {std::pair{&serial, serialMissing},
                                       {&config, configMissing},
                                       {&csv, csvMissing},
                                       {&padFile, fileMissing},
                                       {&where, registerMissing}}) {
        if (parser.isSet(*option) && parser.value(*option).trimmed().isEmpty())
            return Fail(text);
    }
    if (parser.isSet(since) && !m_since.isValid())
        return Fail(sinceWrong);
    if (parser.isSet(config) && !parser.isSet(output))
        return Fail(QStringLiteral("history --config needs -o FILE.pad."));
    if (command == RegisterExport && !parser.isSet(csv))
        return Fail(QStringLiteral("register export needs --csv FILE."));
    if (parser.isSet(port) && m_port.isEmpty())
        return Fail(portMissing);
    if (parser.isSet(output) && m_output.isEmpty())
        return Fail(outputMissing);
    if (parser.isSet(mmsi) &&
        !QRegularExpression(QStringLiteral("^[0-9]{9}$")).match(m_mmsi).hasMatch())
        return Fail(mmsiWrong);

    if (info->port && !parser.isSet(port))
        return Fail(QStringLiteral("%1 needs --port PATH.").arg(word));
    m_files = positional.mid(filesFrom);
    if (m_files.size() != info->files) {
        if (info->files == 0)
            return Fail(
                QStringLiteral("%1 takes no file name (\"%2\").").arg(word, m_files.first()));
        return Fail(QStringLiteral("%1 needs %2 file name%3.")
                        .arg(word)
                        .arg(info->files)
                        .arg(info->files == 1 ? QString() : QStringLiteral("s")));
    }
    m_command = info->command;
    return true;
}
