// vandrel-cli: retrieve, send, show and compare AtoN configurations, and
// decode the unit's traffic, without a window.

#include "clicommandline.h"
#include "console.h"
#include "exitstatus.h"
#include "filecommands.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    CliCommandLine commandLine;
    if (!commandLine.Parse(arguments)) {
        Console::Error(commandLine.errorText());
        Console::Err(CliCommandLine::Usage());
        return ExitUsage;
    }

    switch (commandLine.command()) {
    case CliCommandLine::Help:
        Console::Out(CliCommandLine::Usage());
        return ExitDone;
    case CliCommandLine::Show: {
        QCoreApplication app(argc, argv);
        return FileCommands::Show(commandLine.files().at(0), commandLine.json());
    }
    case CliCommandLine::Diff: {
        QCoreApplication app(argc, argv);
        return FileCommands::Diff(commandLine.files().at(0), commandLine.files().at(1));
    }
    default:
        Console::Error(QStringLiteral("This command is not available yet."));
        return ExitFailure;
    }
}
