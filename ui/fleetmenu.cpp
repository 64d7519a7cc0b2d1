#include "ui/fleetmenu.h"

#include "app/unitsession.h"
#include "app/vandrelsettings.h"
#include "fleet/engineersetting.h"
#include "fleet/record/recordwriter.h"
#include "fleet/sessionunitlink.h"
#include "fleet/unitrecord.h"
#include "link/portenumerator.h"
#include "model/configurationdiff.h"
#include "model/model.h"
#include "ui/fleetview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

FleetMenu::FleetMenu(QMenu *file, QWidget *window, UnitSession *session, const Model *document)
    : QObject(window), window(window), session(session), document(document)
{
    QAction *last = file->actions().isEmpty() ? nullptr : file->actions().last();
    auto *fleet = new QAction(tr("Commission a fleet…"), file);
    fleet->setObjectName(QStringLiteral("actionCommissionFleet"));
    auto *record = new QAction(tr("Save record…"), file);
    record->setObjectName(QStringLiteral("actionSaveRecord"));
    auto *verify = new QAction(tr("Verify"), file);
    verify->setObjectName(QStringLiteral("actionVerify"));
    file->insertActions(last, {fleet, record, verify});
    file->insertSeparator(last);
    connect(fleet, &QAction::triggered, this, &FleetMenu::OpenFleetView);
    connect(record, &QAction::triggered, this, &FleetMenu::SaveRecord);
    connect(verify, &QAction::triggered, this, &FleetMenu::Verify);
}

void FleetMenu::OpenFleetView()
{
    if (!view) {
        const QString vendor = VandrelSettings::SystemVendorId();
        view = new FleetView(
            [vendor](const QString &port, QObject *parent) -> UnitLink * {
                return new SessionUnitLink(port, vendor, parent);
            },
            [] {
                QStringList ports;
                for (const PortInfo &port : PortEnumerator::Ports())
                    ports << port.portName;
                return ports;
            },
            EngineerSetting::Read(), window);
        view->setAttribute(Qt::WA_DeleteOnClose);
    }
    view->show();
    view->raise();
}

bool FleetMenu::UnitKnown(const QString &title)
{
    if (session->IsReady() && session->ConfigurationKnown())
        return true;
    QMessageBox::information(window, title,
                             tr("Retrieve the unit's configuration first: this shows what the "
                                "unit on the dock holds, as last read from it."));
    return false;
}

void FleetMenu::SaveRecord()
{
    const QString title = tr("Save record");
    if (!UnitKnown(title))
        return;
    SessionUnitLink link(session);
    UnitRecord record =
        UnitRecord::Of(link, UnitRecord::tr("Unit record"), EngineerSetting::Read());
    record.verdict = UnitRecord::tr("As read from the unit; nothing was sent for this record.");
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
    if (!UnitKnown(title))
        return;
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
