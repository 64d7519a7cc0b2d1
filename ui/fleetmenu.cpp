#include "ui/fleetmenu.h"

#include "app/statemachine.h"
#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "app/vandrelsettings.h"
#include "fleet/engineersetting.h"
#include "fleet/record/recordwriter.h"
#include "fleet/sessionunitlink.h"
#include "fleet/unitrecord.h"
#include "link/serialcontroller.h"
#include "model/configurationdiff.h"
#include "model/model.h"
#include "register/unitregister.h"
#include "ui/fleetview.h"
#include "ui/recorddetailsdialog.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

FleetMenu::FleetMenu(QMenu *file, QWidget *window, UnitSession *session, const Model *document)
    : QObject(window), window(window), session(session), document(document)
{
    QAction *last = file->actions().isEmpty() ? nullptr : file->actions().last();
    auto *fleet = new QAction(tr("Co&mmission a fleet…"), file);
    fleet->setObjectName(QStringLiteral("actionCommissionFleet"));
    auto *record = new QAction(tr("Save recor&d…"), file);
    record->setObjectName(QStringLiteral("actionSaveRecord"));
    auto *verify = new QAction(tr("&Verify"), file);
    verify->setObjectName(QStringLiteral("actionVerify"));
    file->insertActions(last, {fleet, record, verify});
    file->insertSeparator(last);
    connect(fleet, &QAction::triggered, this, &FleetMenu::OpenFleetView);
    connect(record, &QAction::triggered, this,
            [this] { ReadUnitFor(Pending::Record, tr("Save record")); });
    connect(verify, &QAction::triggered, this,
            [this] { ReadUnitFor(Pending::Verify, tr("Verify")); });
    connect(session, &UnitSession::RetrieveFinished, this, &FleetMenu::OnUnitRead);
}

void FleetMenu::BindRegister(UnitRegister *newRegister, TransferJournal *newJournal)
{
    unitRegister = newRegister;
    journal = newJournal;
    if (view)
        view->SetRegister(unitRegister);
}

void FleetMenu::OpenFleetView()
{
    if (!view) {
        const QString vendor = VandrelSettings::SystemVendorId();
        view = new FleetView(
            [vendor](const QString &port, QObject *parent) -> UnitLink * {
                return new SessionUnitLink(port, vendor, parent);
            },
            [](const QStringList &named) { return SerialController::UnitPorts(named); },
            EngineerSetting::Read(), window);
        view->setAttribute(Qt::WA_DeleteOnClose);
    }
    view->SetRegister(unitRegister);
    view->show();
    view->raise();
}

void FleetMenu::ReadUnitFor(Pending what, const QString &title)
{
    if (pending != Pending::Nothing)
        return;
    if (!session->IsReady() || session->IsTransferring()) {
        QMessageBox::information(window, title,
                                 tr("Connect to the unit and wait until no transfer runs: this "
                                    "reads what the unit on the dock holds, sending nothing."));
        return;
    }
    pending = what;
    // A read that cannot start or fails is told by the window's own box.
    if (!session->Inspect(StateMachine::AllParts)) {
        pending = Pending::Nothing;
        return;
    }
    if (journal)
        journal->SetNextKind(what == Pending::Record ? RegisterEntry::Kind::Record
                                                     : RegisterEntry::Kind::Verify);
}

void FleetMenu::OnUnitRead(bool ok)
{
    if (!session->IsInspecting() || pending == Pending::Nothing)
        return;
    const Pending what = pending;
    pending = Pending::Nothing;
    if (!ok)
        return;
    MarkTabs();
    // Boxes and file dialogs open once the session has finished with the
    // read, not from inside its signal.
    QTimer::singleShot(0, this,
                       what == Pending::Record ? &FleetMenu::SaveRecord : &FleetMenu::Verify);
}

void FleetMenu::MarkTabs()
{
    const Model &unit = *session->Configuration();
    StateMachine *machine = session->GetStateMachine();
    for (int tab = 0; tab < StateMachine::TabCount; ++tab) {
        Model withUnitPart;
        withUnitPart = *document;
        if (tab == 0) {
            *withUnitPart.GetAtoN() = *unit.GetAtoN();
            *withUnitPart.GetMessageSchedule() = *unit.GetMessageSchedule();
        } else {
            *withUnitPart.GetLanternInterface() = *unit.GetLanternInterface();
        }
        if (!ConfigurationDiff::SentLines(*document, withUnitPart).isEmpty())
            machine->Edited(tab);
    }
}

void FleetMenu::SaveRecord()
{
    const QString title = tr("Save record");
    SessionUnitLink link(session);
    UnitRecord record = UnitRecord::OfVisit(link, QString());
    // The read just made is the record's entry.
    if (journal)
        record.registerEntry = journal->LastEntryId();
    RecordDetailsDialog details(EngineerSetting::Read(), window);
    if (details.exec() != QDialog::Accepted)
        return;
    record.engineer = details.Engineer();
    record.customer = details.Customer();
    record.site = details.Site();
    EngineerSetting::Write(record.engineer);
    const QString path = QFileDialog::getSaveFileName(
        window, title,
        QDir::home().filePath(UnitRecord::FileStem(record.mmsi, record.serial) +
                              QStringLiteral(".pdf")),
        tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!RecordWriter::WritePdf(record, path, &error))
        QMessageBox::critical(window, title, error);
}

void FleetMenu::Verify()
{
    const QString title = tr("Verify");
    // What a send of the document would carry, against what the unit holds.
    const QStringList differences =
        ConfigurationDiff::SentLines(*document, *session->Configuration());
    QMessageBox box(differences.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, title,
                    differences.isEmpty()
                        ? tr("The unit holds every field of the open document.")
                        : tr("The unit differs from the open document in %n field(s) "
                             "(document -> unit).",
                             nullptr, differences.size()),
                    QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("verifyBox"));
    box.setDetailedText(differences.join(QLatin1Char('\n')));
    box.exec();
}
