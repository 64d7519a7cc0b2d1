#include "ui/documentcontroller.h"

#include "app/vandrelapplication.h"
#include "model/model.h"
#include "model/padfile.h"
#include "ui/atonconfiguration.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>

namespace {

const char *const PadFileFilter =
    QT_TRANSLATE_NOOP("DocumentController", "vandrel Files ( *.pad )");

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// Sets the wait cursor for the life of the object.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

DocumentController::DocumentController(QWidget *window, Model *editModel,
                                       QList<AtoNConfiguration *> tabs)
    : QObject(window), window(window), editModel(editModel), tabs(std::move(tabs))
{
    ShowTitle();
}

bool DocumentController::IsModified() const
{
    return window->isWindowModified();
}

bool DocumentController::HasUnsavedEdits() const
{
    return IsModified() && !unchangedFromUnit;
}

void DocumentController::SetModified(bool modified)
{
    window->setWindowModified(modified);
}

void DocumentController::CommitTypedInput()
{
    // Only the configuration tabs: a line half typed elsewhere (the serial
    // tab's send line) is not part of the document.
    QWidget *focus = QApplication::focusWidget();
    const auto holds = [focus](const AtoNConfiguration *tab) { return tab->isAncestorOf(focus); };
    if (!focus || std::none_of(tabs.cbegin(), tabs.cend(), holds))
        return;
    // Leaving a field is what ends an edit: a spin box takes its text, a line
    // edit reports that editing finished, a table's cell editor writes its
    // value and closes. The focus then comes back where it was, or to the
    // cell's table when that was a cell's editor.
    const QPointer<QWidget> field(focus);
    QWidget *table = focus->parentWidget();
    while (table && !qobject_cast<QAbstractItemView *>(table))
        table = table->parentWidget();
    const QPointer<QWidget> view(table);
    field->clearFocus();
    if (field && field->isVisible())
        field->setFocus(Qt::OtherFocusReason);
    else if (view && view->isVisible())
        view->setFocus(Qt::OtherFocusReason);
}

bool DocumentController::MaybeSave()
{
    CommitTypedInput();
    return !IsModified() || AskToSave();
}

bool DocumentController::MaybeSaveEdits()
{
    CommitTypedInput();
    return !HasUnsavedEdits() || AskToSave();
}

bool DocumentController::AskToSave()
{
    QMessageBox box(window);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setIcon(QMessageBox::Question);
    box.setText(tr("The file has been modified."));
    box.setInformativeText(tr("Do you want to save your changes?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        // Going on after a failed or cancelled save would lose the edits.
        return Save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void DocumentController::ShowModel()
{
    for (AtoNConfiguration *tab : qAsConst(tabs))
        tab->UpdateTabFromModel(editModel);
}

void DocumentController::New()
{
    if (!MaybeSave())
        return;
    {
        WaitCursor wait;
        SetOrigin(QString(), QString(), false);
        SetModified(false);
        ShowTitle();
        editModel->Reset();
        ShowModel();
    }
    emit Replaced();
}

void DocumentController::Open()
{
    if (!MaybeSave())
        return;
    const QString name = QFileDialog::getOpenFileName(window, tr("Open File"), App()->GetFilename(),
                                                      tr(PadFileFilter));
    if (!name.isEmpty())
        OpenFile(name);
}

void DocumentController::OpenFile(const QString &name)
{
    // The file is read whole before anything changes, so a file that cannot
    // be opened or read leaves the document, its name and its mark alone.
    QString reason;
    PadFile::Result result;
    {
        WaitCursor wait;
        result = PadFile::Load(name, editModel, &reason);
    }
    if (result != PadFile::Done) {
        QMessageBox box(QMessageBox::Critical, tr("Could not open the file"),
                        tr("Could not open file: ") + name, QMessageBox::Ok, window);
        box.setInformativeText(reason);
        box.exec();
        return;
    }
    {
        WaitCursor wait;
        SetOrigin(name, QString(), false);
        App()->SetFilename(name);
        SetModified(false);
        ShowTitle();
        ShowModel();
    }
    emit Replaced();
}

void DocumentController::OpenRecorded(const QByteArray &pad, const QString &title)
{
    if (!MaybeSave())
        return;
    QString reason;
    if (PadFile::FromBytes(pad, editModel, &reason) != PadFile::Done) {
        QMessageBox box(QMessageBox::Critical, tr("Could not open the file"),
                        tr("Could not open: ") + title, QMessageBox::Ok, window);
        box.setInformativeText(reason);
        box.exec();
        return;
    }
    SetOrigin(QString(), title, false);
    // Unchanged, it is still in the register: closing it loses nothing.
    SetModified(false);
    ShowTitle();
    ShowModel();
    emit Replaced();
}

bool DocumentController::HoldsWhatItShows()
{
    QStringList problems;
    for (const AtoNConfiguration *tab : qAsConst(tabs))
        problems << tab->UnheldInput();
    if (problems.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                    tr("The file has not been saved:"), QMessageBox::Ok, window);
    box.setInformativeText(problems.join(QLatin1Char('\n')));
    box.exec();
    return false;
}

bool DocumentController::Save()
{
    CommitTypedInput();
    if (!HoldsWhatItShows())
        return false;
    // Without a name of its own the document asks for one, rather than going
    // to the last file used (which may hold another configuration).
    return fileName.isEmpty() ? SaveAs() : SaveFile(fileName);
}

bool DocumentController::SaveAs()
{
    CommitTypedInput();
    if (!HoldsWhatItShows())
        return false;
    // A configuration read from a unit is offered under the unit's MMSI, in
    // the folder of the last file, never under that file's own name.
    QString proposal = App()->GetFilename();
    if (fileName.isEmpty() && fromUnit && !unitMmsi.isEmpty())
        proposal = QFileInfo(proposal).dir().filePath(unitMmsi + QStringLiteral(".pad"));
    // A name typed without an extension gets ".pad", which the dialog itself
    // adds, so that it also asks before replacing a file of that name.
    QFileDialog dialog(window, tr("Save File"), proposal, tr(PadFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pad"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString name = dialog.selectedFiles().constFirst();
    if (name.isEmpty() || !SaveFile(name))
        return false;
    fileName = name;
    App()->SetFilename(name);
    ShowTitle();
    return true;
}

bool DocumentController::SaveFile(const QString &name)
{
    QString reason;
    PadFile::Result result;
    {
        WaitCursor wait;
        result = PadFile::Save(name, *editModel, &reason);
    }
    // The folder refuses a new file beside the old one: the file can only be
    // written directly, which the user must choose knowing the risk.
    if (result == PadFile::FolderRefuses) {
        QMessageBox ask(QMessageBox::Warning, tr("Save into the file directly?"),
                        tr("The file %1 cannot be replaced as a whole.").arg(name),
                        QMessageBox::Yes | QMessageBox::Cancel, window);
        ask.setInformativeText(reason + QLatin1Char(' ') +
                               tr("Do you want to write into the file directly?"));
        ask.setDefaultButton(QMessageBox::Cancel);
        if (ask.exec() != QMessageBox::Yes)
            return false;
        WaitCursor wait;
        result = PadFile::Save(name, *editModel, &reason, FileSaver::InPlace);
    }
    if (result != PadFile::Done) {
        QMessageBox box(QMessageBox::Critical, tr("Could not save the file"),
                        tr("Could not save file: ") + name, QMessageBox::Ok, window);
        box.setInformativeText(reason);
        box.exec();
        return false;
    }
    unchangedFromUnit = false;
    SetModified(false);
    return true;
}

void DocumentController::MarkEdited()
{
    unchangedFromUnit = false;
    SetModified(true);
}

void DocumentController::TakeFromUnit(const QString &mmsi)
{
    SetOrigin(QString(), QString(), true);
    unitMmsi = mmsi;
    SetModified(true);
    ShowTitle();
}

void DocumentController::SetOrigin(const QString &file, const QString &title, bool unit)
{
    fileName = file;
    untitled = title;
    fromUnit = unit;
    unchangedFromUnit = unit;
}

void DocumentController::ShowTitle()
{
    if (!fileName.isEmpty())
        window->setWindowFilePath(fileName);
    else if (fromUnit)
        window->setWindowFilePath(unitMmsi.isEmpty() ? tr("AtoN configuration")
                                                     : tr("MMSI %1").arg(unitMmsi));
    else
        window->setWindowFilePath(untitled.isEmpty() ? QStringLiteral("untitled.pad") : untitled);
}
