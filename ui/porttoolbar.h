#ifndef PORTTOOLBAR_H
#define PORTTOOLBAR_H

#include <QObject>
#include <QString>

class QAction;
class QComboBoxDropdown;
class QPushButton;
class QToolBar;
class QWidget;
class UnitSession;

// The port tool bar: the choice of port, each port marked with what keeps it
// from opening, and Connect and Disconnect. While the unit's own USB adapter
// is plugged in and no port was chosen, the adapter's port is taken and the
// choice hidden. The chosen port is kept in the application's settings.
class PortToolBar : public QObject
{
    Q_OBJECT

public:
    // Characters the port choice shows at least.
    static constexpr int PortNameLength = 20;

    // Builds its widgets into bar; session: whose link they open and close.
    PortToolBar(QToolBar *bar, UnitSession *session, QWidget *window);

    // Makes the port of that name the current item; item 0 and false when no
    // item carries it.
    bool SelectPort(const QString &portName);
    // Offers portName even when the system does not list it as a serial
    // port (a pseudo-terminal) and makes it the choice; false, with a box,
    // when there is no such port.
    bool ChooseAtStart(const QString &portName);
    // The unit's adapter is the port, found without a choice.
    bool DevicePortFound() const { return devicePortFound; }
    // Lists the ports afresh.
    void Refresh();
    // Marks the current port with what keeps it from opening and looks for
    // the unit's adapter again; the window's clock calls it.
    void Check();
    void UpdateControls();
    void SetSession(UnitSession *newSession) { session = newSession; }

signals:
    void ConnectClicked();
    void DisconnectClicked();
    // The list or the choice has changed.
    void Changed();

private:
    void OnPortChanged(int index);
    void DetectDevicePort();
    void RelabelCurrentPort();

    UnitSession *session;
    QWidget *window;
    QComboBoxDropdown *portComboBox;
    QAction *portComboAction;
    QPushButton *connectButton;
    QPushButton *disconnectButton;
    bool populatingPortList = false;
    bool portsAvailable = false;
    bool devicePortFound = false;
    // The user chose the port, in the port list or on the command line; the
    // unit's adapter does not take its place.
    bool portChosen = false;
};

#endif // PORTTOOLBAR_H
