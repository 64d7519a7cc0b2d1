#ifndef FLEETMENU_H
#define FLEETMENU_H

#include <QObject>
#include <QPointer>

class FleetView;
class Model;
class TransferJournal;
class UnitRegister;
class QMenu;
class QWidget;
class UnitSession;

// The File menu's commissioning entries: "Commission a fleet…" opens the
// fleet view; "Save record…" prints the docked unit's record; "Verify" lists
// where the unit differs from the open document. The last two read the unit
// afresh and send nothing; the open document stays as it is.
class FleetMenu : public QObject
{
    Q_OBJECT

public:
    // Adds the entries before the menu's last one (Exit).
    FleetMenu(QMenu *file, QWidget *window, UnitSession *session, const Model *document);
    // The register the fleet view asks and writes, and the journal of the
    // session's reads in it (neither owned; null: none).
    void BindRegister(UnitRegister *unitRegister, TransferJournal *journal);

private:
    enum class Pending
    {
        Nothing,
        Record,
        Verify
    };
    void OpenFleetView();
    // Reads the unit; what follows comes once it has been read.
    void ReadUnitFor(Pending what, const QString &title);
    void OnUnitRead(bool ok);
    // The configuration tabs say whether the document holds what was just read.
    void MarkTabs();
    void SaveRecord();
    void Verify();

    QWidget *window;
    UnitSession *session;
    const Model *document;
    QPointer<FleetView> view;
    QPointer<UnitRegister> unitRegister;
    QPointer<TransferJournal> journal;
    Pending pending = Pending::Nothing;
};

#endif // FLEETMENU_H
