#ifndef UNITHISTORYVIEW_H
#define UNITHISTORYVIEW_H

#include "register/registerentry.h"

#include <QWidget>

class Model;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class UnitRegister;

// The register's timeline of one unit, newest first: every transfer with its
// kind, MMSI, result and engineer. Any entry that holds a configuration can
// be opened as a document, or compared with what the unit holds now.
class UnitHistoryView : public QWidget
{
    Q_OBJECT

public:
    // unitRegister is not owned and must outlive the view.
    explicit UnitHistoryView(UnitRegister *unitRegister, QWidget *parent = nullptr);

    // Shows the unit's entries (none for an empty serial number); false, with
    // the reason shown, when the register cannot be read.
    bool ShowUnit(const QString &serial);
    // What the unit holds now, for the comparison; null when not known (not
    // owned; the view copies nothing and keeps the pointer).
    void SetUnitConfiguration(const Model *held);
    QString Serial() const { return serial; }

signals:
    // The engineer asked to open the entry as a document; its configuration
    // (entry.configuration) was read whole and holds a .pad file's bytes.
    void OpenRequested(const RegisterEntry &entry);

private slots:
    void UpdateButtons();
    void OpenSelected();
    void CompareSelected();

private:
    // The selected entry with its configuration read from the register;
    // false after saying why.
    bool SelectedConfiguration(RegisterEntry *entry, Model *configuration);

    UnitRegister *unitRegister;
    const Model *held = nullptr;
    QString serial;
    QLabel *heading;
    QTreeWidget *timeline;
    QPushButton *openButton;
    QPushButton *compareButton;
    QPlainTextEdit *comparison;
};

#endif // UNITHISTORYVIEW_H
