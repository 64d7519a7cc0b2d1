#include "clicommandline.h"

#include "app/vandrelversion.h"

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
};

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
        "  vandrel-cli send --port PATH FILE.pad\n"
        "  vandrel-cli show FILE.pad [--json]\n"
        "  vandrel-cli diff A.pad B.pad\n"
        "  vandrel-cli monitor --port PATH [--mmsi MMSI] [--json]\n"
        "  vandrel-cli replay LOG [--fast] [--mmsi MMSI] [--json]\n"
        "  vandrel-cli commission --template T.pad --units UNITS.csv --records DIR\n"
        "              --port PATH [--port PATH ...] [--engineer NAME]\n"
        "  vandrel-cli verify --port PATH FILE.pad\n"
        "  vandrel-cli record --port PATH -o FILE.pdf [--engineer NAME]\n"
        "  vandrel-cli --help | --version\n"
        "\n"
        "\n"
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

bool CliCommandLine::Parse(const QStringList &arguments)
{
    m_command = None;
    m_error.clear();
    m_files.clear();

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
    QCommandLineParser parser;
    parser.addOptions({help, version, port, output, debug, json, fast, mmsi, inPlace});

    const QString portMissing = QStringLiteral("--port needs the path of the serial port.");
    const QString outputMissing = QStringLiteral("-o needs the name of a .pad file.");
    const QString mmsiWrong = QStringLiteral("--mmsi needs nine digits.");
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            return Fail(QStringLiteral("Unknown option \"%1\".")
                            .arg(TypedOption(arguments, unknown.first())));
        }
        // The one other failure of a known option: its value is missing at
        // the end of the line.
        const QString last = arguments.isEmpty() ? QString() : arguments.last();
        for (const auto &[option, text] :
             {std::pair{&port, portMissing}, {&output, outputMissing}, {&mmsi, mmsiWrong}}) {
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
    if (!info)
        return Fail(QStringLiteral("Unknown command \"%1\".").arg(word));

    // Each option belongs to some commands only.
    const struct
    {
        const QCommandLineOption &option;
        const char *shown;
        bool allowed;
    } uses[] = {
        {port, "--port", info->port},
        {output, "-o", info->command == Retrieve},
        {inPlace, "--in-place", parser.isSet(output)},
        {json, "--json",
         info->command == Show || info->command == Monitor || info->command == Replay},
        {fast, "--fast", info->command == Replay},
        {mmsi, "--mmsi", info->command == Replay || info->command == Monitor},
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
    if (parser.isSet(port) && m_port.isEmpty())
        return Fail(portMissing);
    if (parser.isSet(output) && m_output.isEmpty())
        return Fail(outputMissing);
    if (parser.isSet(mmsi) &&
        !QRegularExpression(QStringLiteral("^[0-9]{9}$")).match(m_mmsi).hasMatch())
        return Fail(mmsiWrong);

    if (info->port && !parser.isSet(port))
        return Fail(QStringLiteral("%1 needs --port PATH.").arg(word));
    m_files = positional.mid(1);
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
