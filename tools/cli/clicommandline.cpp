#include "clicommandline.h"

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

} // namespace

QString CliCommandLine::Usage()
{
    return QStringLiteral(
        "Usage:\n"
        "  vandrel-cli retrieve --port PATH [-o FILE.pad]\n"
        "  vandrel-cli send --port PATH FILE.pad\n"
        "  vandrel-cli show FILE.pad [--json]\n"
        "  vandrel-cli diff A.pad B.pad\n"
        "  vandrel-cli monitor --port PATH [--mmsi MMSI]\n"
        "  vandrel-cli replay LOG [--fast] [--mmsi MMSI]\n"
        "\n"
        "\n"
        "Progress goes to standard error; --debug adds the program's diagnostics there.\n"
        "Exit status: 0 done (diff: equal), 1 differences (diff) or fields the unit\n"
        "did not take (send), 2 wrong command line, 3 failure (file, port, unit).\n");
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
    if (arguments.size() < 2)
        return Fail(QStringLiteral("No command given."));

    const QString word = arguments.at(1);
    if (word == QLatin1String("help") || word == QLatin1String("--help") ||
        word == QLatin1String("-h")) {
        m_command = Help;
        return true;
    }
    const CommandInfo *info = nullptr;
    for (const CommandInfo &c : commands) {
        if (word == QLatin1String(c.word))
            info = &c;
    }
    if (!info)
        return Fail(QStringLiteral("Unknown command \"%1\".").arg(word));

    bool portGiven = false;
    bool endOfOptions = false;
    for (int i = 2; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        const bool option = !endOfOptions && arg.startsWith(QLatin1Char('-')) && arg.size() > 1;
        if (!option) {
            m_files << arg;
            continue;
        }
        QString name = arg;
        QString value;
        bool hasValue = false;
        const int equals = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && equals > 0) {
            name = arg.left(equals);
            value = arg.mid(equals + 1);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= arguments.size())
                return false;
            value = arguments.at(++i);
            return true;
        };
        if (name == QLatin1String("--")) {
            endOfOptions = true;
        } else if (name == QLatin1String("--port") || name == QLatin1String("-p")) {
            if (!info->port)
                return Fail(QStringLiteral("%1 takes no --port.").arg(word));
            if (!takeValue() || value.isEmpty())
                return Fail(QStringLiteral("--port needs the path of the serial port."));
            m_port = value;
            portGiven = true;
        } else if (name == QLatin1String("--output") || name == QLatin1String("-o")) {
            if (info->command != Retrieve)
                return Fail(QStringLiteral("%1 takes no -o.").arg(word));
            if (!takeValue() || value.isEmpty())
                return Fail(QStringLiteral("-o needs the name of a .pad file."));
            m_output = value;
        } else if (name == QLatin1String("--debug")) {
            m_debug = true;
        } else if (name == QLatin1String("--json")) {
            if (info->command != Show)
                return Fail(QStringLiteral("%1 takes no --json.").arg(word));
            m_json = true;
        } else if (name == QLatin1String("--fast")) {
            if (info->command != Replay)
                return Fail(QStringLiteral("%1 takes no --fast.").arg(word));
            m_fast = true;
        } else if (name == QLatin1String("--mmsi")) {
            if (info->command != Replay && info->command != Monitor)
                return Fail(QStringLiteral("%1 takes no --mmsi.").arg(word));
            if (!takeValue() ||
                !QRegularExpression(QStringLiteral("^[0-9]{9}$")).match(value).hasMatch())
                return Fail(QStringLiteral("--mmsi needs nine digits."));
            m_mmsi = value;
        } else {
            return Fail(QStringLiteral("Unknown option \"%1\".").arg(arg));
        }
    }

    if (info->port && !portGiven)
        return Fail(QStringLiteral("%1 needs --port PATH.").arg(word));
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
