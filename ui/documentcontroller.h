#ifndef DOCUMENTCONTROLLER_H
#define DOCUMENTCONTROLLER_H

#include <QList>
#include <QObject>
#include <QString>

class AtoNConfiguration;
class Model;
class QWidget;

// The document the window shows: the edit model with its file name, its
// modified mark and the window title.  Carries out New, Open, Save, Save As and
// Close, asks before unsaved edits are lost, and takes a configuration read
// from the unit as a document without a file of its own.
class DocumentController : public QObject
{
    Q_OBJECT

public:
    // The tabs show `editModel`; the dialogs open over `window`, whose title
    // and modified mark name the document.
    DocumentController(QWidget *window, Model *editModel, QList<AtoNConfiguration *> tabs);

    QString FileName() const { return fileName; }
    bool IsModified() const;
    // Unsaved edits that would be lost: a document just read from the unit
    // and not changed since is held by the unit and loses nothing.
    bool HasUnsavedEdits() const;

    // Finishes an edit still being typed in the window (a spin box or line
    // edit holding text, an open table cell editor), so that it counts before
    // the document is saved, sent or replaced.
    void CommitTypedInput();

    // Each returns whether the caller may go on (false: cancelled or failed).
    // MaybeSave asks whether to save a modified document; MaybeSaveEdits
    // only when there are unsaved edits (before the unit's configuration
    // replaces the document).
    bool MaybeSave();
    bool MaybeSaveEdits();
    bool Save();
    bool SaveAs();
    void New();
    void Open();
    // Opens that file as Open does once the file is chosen (a file that
    // cannot be read leaves the document as it is, with a box saying why).
    void OpenFile(const QString &name);
    // Opens a configuration kept elsewhere (a .pad file's bytes, as the
    // register keeps them) as a document without a file, named by title.
    void OpenRecorded(const QByteArray &pad, const QString &title);

    void MarkEdited();
    // The document now is what the unit with that MMSI holds: it has no file,
    // so a save asks where to write.
    void TakeFromUnit(const QString &mmsi);

signals:
    // The tabs show another document (new, opened).
    void Replaced();

private:
    bool AskToSave();
    // False, with a box naming them, while a field holds text it cannot take:
    // the file would get the value the field held before.
    bool HoldsWhatItShows();
    bool SaveFile(const QString &name);
    // Where the document now comes from: a file, a title for one without a
    // file (empty: "untitled.pad"), or the unit, which it then matches.
    void SetOrigin(const QString &file, const QString &title, bool unit);
    void ShowTitle();
    void ShowModel();
    void SetModified(bool modified);

    QWidget *window;
    Model *editModel;
    QList<AtoNConfiguration *> tabs;
    QString fileName;
    // A document without a file that was read from the unit with this MMSI
    // (empty when the unit's MMSI is not known).
    bool fromUnit = false;
    QString unitMmsi;
    bool unchangedFromUnit = false;
    // The title of a document without a file that was not read from the
    // unit: "untitled.pad" unless it came from the register.
    QString untitled;
};

#endif // DOCUMENTCONTROLLER_H
