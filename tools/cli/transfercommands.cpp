#include "transfercommands.h"

#include "configurationprinter.h"
#include "console.h"
#include "exitstatus.h"
#include "filecommands.h"
#include "model/configurationdiff.h"
#include "onaircommand.h"
#include "transfersession.h"

#include "model/messageschedule.h"
#include "model/model.h"
#include "model/padfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

int Failed(TransferSession *session)
{
    const QString cause = session->ErrorText();
    session->Close();
    Console::Error(cause);
    return ExitFailure;
}

} // namespace

int TransferCommands::Retrieve(const QString &vendorId, const QString &port, const QString &output,
                               bool inPlace)
{
    // Find out before talking to the unit whether the file can be written.
    if (!output.isEmpty() && !FileCommands::CheckTarget(output, inPlace))
        return ExitFailure;

    TransferSession session(vendorId);
    if (!session.Open(port) || !session.RetrieveAll())
        return Failed(&session);
    session.Close();

    const Model *retrieved = session.Document();
    if (output.isEmpty()) {
        ConfigurationPrinter::Print(*retrieved, &Console::Out);
        return ExitDone;
    }
    return FileCommands::Save(*retrieved, output, inPlace);
}

int TransferCommands::Send(const QString &vendorId, const QString &port, const QString &file,
                           bool exactSchedule, double onAirMinutes)
{
    // The whole file or nothing: a file that cannot be read sends nothing.
    Model configuration;
    QString error;
    if (PadFile::Load(file, &configuration, &error) != PadFile::Done) {
        Console::Error(error);
        return ExitFailure;
    }

    // The send asks the unit for its MMSI first and reads back what it sent.
    TransferSession session(vendorId);
    if (!session.Open(port))
        return Failed(&session);
    MessageSchedule *schedule = configuration.GetMessageSchedule();
    if (exactSchedule) {
        // What the unit holds decides which of its rows go off, each named
        // before anything is sent.
        if (!session.RetrieveAll())
            return Failed(&session);
        const QStringList off = schedule->MakeExact(*session.Document()->GetMessageSchedule());
        Console::Err(off.isEmpty()
                         ? QStringLiteral("The unit holds no schedule row in use that the file "
                                          "does not name.\n")
                         : QStringLiteral("Switching off schedule rows the file does not name: "
                                          "%1\n")
                               .arg(off.join(QStringLiteral(", "))));
    }
    const QString reportOff = schedule->ReportSwitchOffWarning();
    if (!reportOff.isEmpty())
        Console::Err(QStringLiteral("Warning: ") + reportOff + QLatin1Char('\n'));
    if (!session.SendAll(configuration))
        return Failed(&session);
    const int onAir = onAirMinutes > 0 ? OnAirCommand::Wait(session.Session(),
                                                            *configuration.GetAtoN(), onAirMinutes)
                                       : ExitDone;
    session.Close();

    const QStringList missed = session.ReadBackMismatches();
    if (missed.isEmpty()) {
        Console::Err(QStringLiteral("The unit holds every field sent.\n"));
        return onAir;
    }
    Console::Out(QStringLiteral("The unit did not take %1 field%2 (sent -> held):\n")
                     .arg(missed.size())
                     .arg(missed.size() == 1 ? QString() : QStringLiteral("s")));
    for (const QString &line : missed)
        Console::Out(QStringLiteral("  ") + line + QLatin1Char('\n'));
    return ExitDifferent;
}
