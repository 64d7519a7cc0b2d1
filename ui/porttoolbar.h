#ifndef PORTTOOLBAR_H
#define PORTTOOLBAR_H

#include "link/portprobe.h"

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QComboBoxDropdown;
class PortWatch;
class QPushButton;
class QToolBar;
class QWidget;
class UnitSession;

// The port tool bar: the choice of port, each port marked with what keeps it
// from opening, and Connect and Disconnect. While the unit's own USB adapter
// is plugged in and no port was chosen, the adapter's port is taken and the
// choice hidden. The chosen port is kept in the application's settings, and
// in the list while it is unplugged: the engineer's choice stands until the
// engineer makes another.
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
    // Lists the ports afresh; done when the list is opened and when ports
    // come or go.
    void Refresh();
    // The window's clock: takes the unit's adapter when the list holds it.
    // The port itself is never looked at on a clock, since the look opens
    // it: a pulse of the modem lines that resets many adapters, and a port
    // taken from under another program for a moment. It is looked at when
    // the list opens, when ports come or go and when it is chosen.
    void Check();
    void UpdateControls();
    void SetSession(UnitSession *newSession) { session = newSession; }

signals:
    void ConnectClicked();
    void DisconnectClicked();
    // The list or the choice has changed.
    void Changed();
    // The chosen port was looked at while no link held it.
    void Checked(const QString &portName, PortProblem problem);

private:
    void OnPortChanged(int index);
    void DetectDevicePort();
    // Marks every port in the list, the current one first, within a
    // bounded time.
    void MarkPorts();
    // Marks the current port; Checked follows when it was looked at.
    void MarkCurrent();
    void WatchPorts();
    // The session's link holds the port or is closing it.
    bool SessionLine(const QString &portName) const;
    // Labels the item at index with problem; None leaves it unmarked.
    void Mark(int index, PortProblem problem);

    UnitSession *session;
    QWidget *window;
    QComboBoxDropdown *portComboBox;
    QAction *portComboAction;
    QPushButton *connectButton;
    QPushButton *disconnectButton;
    PortWatch *watch = nullptr;
    bool populatingPortList = false;
    bool portsAvailable = false;
    bool devicePortFound = false;
    // The user chose the port, in the port list or on the command line; the
    // unit's adapter does not take its place.
    bool portChosen = false;
    // Every port listed since the window opened, with its label: one of
    // them that goes stays the choice, under the name it was shown with.
    QHash<QString, QString> seenPorts;
};

#endif // PORTTOOLBAR_H
