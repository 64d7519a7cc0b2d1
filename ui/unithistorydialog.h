#ifndef UNITHISTORYDIALOG_H
#define UNITHISTORYDIALOG_H

#include <QByteArray>
#include <QDialog>

class UnitHistoryView;
class UnitRegister;
class UnitSession;

// The register's timeline of the docked unit, in a window of its own beside
// the main window: the engineer may look, compare with what the unit holds,
// and open an entry's configuration as a document.
class UnitHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    // Neither is owned; both must outlive the dialog.
    UnitHistoryDialog(UnitRegister *unitRegister, UnitSession *session, QWidget *parent = nullptr);

signals:
    // An entry's configuration (a .pad file's bytes) to be opened as a
    // document, with a name for the window's title.
    void OpenRequested(const QByteArray &pad, const QString &title);

private:
    void ShowDockedUnit();

    UnitSession *session;
    UnitHistoryView *view;
};

#endif // UNITHISTORYDIALOG_H
