// vandrel-cli: retrieve, send, show and compare AtoN configurations, and
// decode the unit's traffic, without a window.

#include "clicommandline.h"
#include "console.h"
#include "exitstatus.h"
#include "filecommands.h"
#include "fleetcommands.h"
#include "registercommands.h"
#include "surveycommands.h"
#include "trafficcommands.h"
#include "transfercommands.h"

#include "app/vandrelsettings.h"
#include "sentences/logcategories.h"

#include <QCoreApplication>

namespace {

// Whatever the logging categories let through goes to standard error by the
// same road as the progress, so the two never interleave mid-line.
void PrintMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    Console::Err(message + QLatin1Char('\n'));
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // The bench commands (commission, verify, record) read their own options.
    if (FleetCommands::Handles(arguments.value(1))) {
        if (arguments.contains(QLatin1String("--debug")))
            LogCategories::EnableDiagnostics();
        qInstallMessageHandler(PrintMessage);
        return FleetCommands::Run(argc, argv);
    }

    if (SurveyCommands::Handles(arguments.value(1))) {
        if (arguments.contains(QLatin1String("--debug")))
            LogCategories::EnableDiagnostics();
        qInstallMessageHandler(PrintMessage);
        return SurveyCommands::Run(argc, argv);
    }

    CliCommandLine commandLine;
    if (!commandLine.Parse(arguments)) {
        Console::Error(commandLine.errorText());
        Console::Err(CliCommandLine::Usage());
        return ExitUsage;
    }

    if (commandLine.debug())
        LogCategories::EnableDiagnostics();
    qInstallMessageHandler(PrintMessage);

    switch (commandLine.command()) {
    case CliCommandLine::Help:
        Console::Out(CliCommandLine::Usage());
        return ExitDone;
    case CliCommandLine::Version:
        Console::Out(CliCommandLine::VersionText());
        return ExitDone;
    case CliCommandLine::Show: {
        QCoreApplication app(argc, argv);
        return FileCommands::Show(commandLine.files().at(0), commandLine.json());
    }
    case CliCommandLine::Diff: {
        QCoreApplication app(argc, argv);
        return FileCommands::Diff(commandLine.files().at(0), commandLine.files().at(1));
    }
    case CliCommandLine::Retrieve:
    case CliCommandLine::Send: {
        QCoreApplication app(argc, argv);
        // The installation's vendor code is read from the store the names fix.
        VandrelSettings::Name();
        const QString vendorId = VandrelSettings::SystemVendorId();
        if (commandLine.command() == CliCommandLine::Retrieve)
            return TransferCommands::Retrieve(vendorId, commandLine.port(), commandLine.output(),
                                              commandLine.inPlace(), commandLine.registerText());
        TransferCommands::SendOptions options;
        options.exactSchedule = commandLine.exactSchedule();
        options.registerText = commandLine.registerText();
        options.reassignMmsi = commandLine.reassignMmsi();
        options.strict = commandLine.strict();
        options.onAirMinutes = commandLine.onAirMinutes();
        return TransferCommands::Send(vendorId, commandLine.port(), commandLine.files().at(0),
                                      options);
    }
    case CliCommandLine::History:
    case CliCommandLine::RegisterImport:
    case CliCommandLine::RegisterExport: {
        QCoreApplication app(argc, argv);
        VandrelSettings::Name();
        const QString where = commandLine.registerText();
        if (commandLine.command() == CliCommandLine::RegisterImport)
            return RegisterCommands::Import(where, commandLine.files().at(0));
        if (commandLine.command() == CliCommandLine::RegisterExport)
            return RegisterCommands::Export(where, commandLine.csv());
        if (!commandLine.configId().isEmpty())
            return RegisterCommands::Configuration(where, commandLine.configId(),
                                                   commandLine.output());
        return RegisterCommands::History(
            where, {commandLine.serial(), commandLine.mmsi(), commandLine.since(), {}, 0},
            commandLine.json(), commandLine.padFile());
    }
    case CliCommandLine::Monitor:
    case CliCommandLine::Replay: {
        // Every GPS time is parsed as a local time. Without TZ the C library
        // looks at /etc/localtime again on each of them; naming the same file
        // lets it read the file once.
        if (qEnvironmentVariableIsEmpty("TZ"))
            qputenv("TZ", ":/etc/localtime");
        QCoreApplication app(argc, argv);
        VandrelSettings::Name();
        const QString vendorId = VandrelSettings::SystemVendorId();
        if (commandLine.command() == CliCommandLine::Monitor)
            return TrafficCommands::Monitor(vendorId, commandLine.port(), commandLine.mmsi(),
                                            commandLine.json());
        return TrafficCommands::Replay(vendorId, commandLine.files().at(0), commandLine.fast(),
                                       commandLine.mmsi(), commandLine.json());
    }
    default:
        break;
    }
    return ExitUsage;
}
