#include "transfercommands.h"

#include "configurationprinter.h"
#include "console.h"
#include "exitstatus.h"
#include "filecommands.h"
#include "identitywarnings.h"
#include "model/configurationdiff.h"
#include "onaircommand.h"
#include "registercommands.h"
#include "transfersession.h"

#include "app/mmsiguard.h"
#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "fleet/engineersetting.h"
#include "model/messageschedule.h"
#include "model/mmsiplausibility.h"
#include "model/model.h"
#include "model/padfile.h"
#include "register/unitregister.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

int Failed(TransferSession *session)
{
    const QString cause = session->ErrorText();
    session->Close();
    // The journal writes a transfer that failed once the session has said
    // why, a turn of the event loop later.
    QCoreApplication::processEvents();
    Console::Error(cause);
    return ExitFailure;
}

TransferJournal *JournalFor(TransferSession *session, UnitRegister *unitRegister)
{
    auto *journal = new TransferJournal(session->Unit(), unitRegister, session);
    journal->SetEngineer(EngineerSetting::Read());
    return journal;
}

// Whether the file's MMSI may go to the unit on the line; *reassigned: the
// engineer's --reassign-mmsi let it go, for the register to keep.
bool MayGoToThisUnit(TransferSession *session, UnitRegister *unitRegister, const Model &file,
                     bool reassign, bool *reassigned)
{
    *reassigned = false;
    const QString given = MmsiGuard::GivenBy(file);
    if (MmsiGuard::IsUnset(given))
        return true;
    // The unit's serial number and MMSI come as the link starts; a unit
    // that never tells them is checked as one of no known serial number.
    session->WaitForIdentity();
    const UnitIdentity unit = session->Unit()->Identity();
    const MmsiGuard::Finding finding =
        MmsiGuard::Check(unitRegister, unit.serialNumber, unit.mmsi, given);
    const QString refusal = MmsiGuard::Refusal(finding, unitRegister->Location().IsShared());
    if (refusal.isEmpty()) {
        if (finding.verdict != MmsiGuard::Verdict::Keeps)
            Console::Err(finding.text + QLatin1Char('\n'));
        return true;
    }
    if (!reassign) {
        Console::Error(refusal);
        return false;
    }
    Console::Err(finding.text +
                 QStringLiteral(" Sent all the same, as --reassign-mmsi asks; the register keeps "
                                "that choice.\n"));
    *reassigned = true;
    return true;
}

} // namespace

int TransferCommands::Retrieve(const QString &vendorId, const QString &port, const QString &output,
                               bool inPlace, const QString &registerText)
{
    // Find out before talking to the unit whether the file can be written.
    if (!output.isEmpty() && !FileCommands::CheckTarget(output, inPlace))
        return ExitFailure;
    const std::unique_ptr<UnitRegister> unitRegister = RegisterCommands::Open(registerText);
    if (!unitRegister)
        return ExitFailure;

    TransferSession session(vendorId);
    JournalFor(&session, unitRegister.get());
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
                           const SendOptions &options)
{
    // The whole file or nothing: a file that cannot be read sends nothing.
    Model configuration;
    QString error;
    if (PadFile::Load(file, &configuration, &error) != PadFile::Done) {
        Console::Error(error);
        return ExitFailure;
    }
    // A file that keeps the unit's MMSI (nine zeros) is not warned of it.
    const QString given = MmsiGuard::GivenBy(configuration);
    const QString name = configuration.GetAtoN()->Name();
    QStringList warnings;
    if (MmsiGuard::IsUnset(given)) {
        if (!MmsiPlausibility::NameWarning(name).isEmpty())
            warnings << MmsiPlausibility::NameWarning(name);
    } else {
        warnings = MmsiPlausibility::Warnings(given, name);
    }
    if (!IdentityWarnings::Tell(warnings, options.strict, QStringLiteral("file")))
        return ExitUsage;
    const std::unique_ptr<UnitRegister> unitRegister = RegisterCommands::Open(options.registerText);
    if (!unitRegister)
        return ExitFailure;

    // The send asks the unit for its MMSI first and reads back what it sent.
    TransferSession session(vendorId);
    TransferJournal *journal = JournalFor(&session, unitRegister.get());
    if (!session.Open(port))
        return Failed(&session);
    bool reassigned = false;
    if (!MayGoToThisUnit(&session, unitRegister.get(), configuration, options.reassignMmsi,
                         &reassigned)) {
        session.Close();
        return ExitFailure;
    }
    MessageSchedule *schedule = configuration.GetMessageSchedule();
    if (options.exactSchedule) {
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
    journal->NoteSend(configuration, reassigned);
    // The on-air finding belongs to the send's entry, which waits for it.
    if (options.onAirMinutes > 0)
        journal->HoldNextEntry();
    if (!session.SendAll(configuration))
        return Failed(&session);
    int onAir = ExitDone;
    if (options.onAirMinutes > 0) {
        QString verdict;
        onAir = OnAirCommand::Wait(session.Session(), *configuration.GetAtoN(),
                                   options.onAirMinutes, &verdict);
        journal->AddDetail(verdict);
        journal->SetRecords({});
    }
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
