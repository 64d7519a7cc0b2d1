#ifndef FLEETMENU_H
#define FLEETMENU_H

#include <QObject>
#include <QPointer>

class FleetView;
class Model;
class QMenu;
class QWidget;
class UnitSession;

// The File menu's commissioning entries: "Commission a fleet…" opens the
// fleet view; "Save record…" prints the docked unit's record; "Verify" lists
// where the unit differs from the open document. The last two send nothing
// and read nothing: they take what the window's session last read from the
// unit or had it confirm.
class FleetMenu : public QObject
{
    Q_OBJECT

public:
    // Adds the entries before the menu's last one (Exit).
    FleetMenu(QMenu *file, QWidget *window, UnitSession *session, const Model *document);

private:
    void OpenFleetView();
    void SaveRecord();
    void Verify();
    // False (and says why) when the session does not know what the unit holds.
    bool UnitKnown(const QString &title);

    QWidget *window;
    UnitSession *session;
    const Model *document;
    QPointer<FleetView> view;
};

#endif // FLEETMENU_H
