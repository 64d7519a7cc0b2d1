#ifndef CONNECTIONVIEW_H
#define CONNECTIONVIEW_H

#include "link/portprobe.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>

class GpsData;
class LanternInterfaceTab;
class QLabel;
class QStatusBar;
class QWidget;
class RealAtoNTab;
class SerialTab;
class SerialTransport;
class TrafficLog;
class UnitSession;

// The window's side of the connection: it opens and closes the session's
// link, wires the tabs to each link's transport and lets go of them when the
// link ends, shows the link in the status bar with the unit's GPS time, and
// shows the one error that ends a link. A link to a unit that was lost
// because its port went away is opened again once the same port is back.
class ConnectionView : public QObject
{
    Q_OBJECT

public:
    ConnectionView(QWidget *window, QStatusBar *statusBar, SerialTab *serialTab,
                   RealAtoNTab *realAtoNTab, LanternInterfaceTab *lanternTab,
                   TrafficLog *trafficLog);
    // The session whose link is shown; the caller connects the session's
    // signals to the slots below.
    void SetSession(UnitSession *newSession);

    // Opens the link to the port the settings name.
    void Open();
    // Closes the link at the engineer's word, if one is up; false when none
    // was.
    bool Close();
    // A replay has started in place of a link.
    void ReplayStarted();
    // The chosen port has been looked at (the port tool bar's Checked): a
    // lost link's port that went and is back is linked again.
    void OnPortChecked(const QString &portName, PortProblem problem);

    void OnLinkStarting(SerialTransport *transport);
    void OnLinkUp();
    void OnLinkDown();
    // Every such error ends the link; a second report of the same end (a
    // failed write, then the answers it left missing) would only repeat it.
    void ShowError(const QString &text, const QString &informativeText);

private:
    void OnGpsData(GpsData *gpsData);

    QWidget *window;
    QStatusBar *statusBar;
    SerialTab *serialTab;
    RealAtoNTab *realAtoNTab;
    LanternInterfaceTab *lanternTab;
    TrafficLog *trafficLog;
    UnitSession *session = nullptr;
    QLabel *utcClockLabel;
    QLabel *connectionLabel;
    bool errorShown = false;
    QMetaObject::Connection identityConnection;
    // The port of the link opened last; empty for a replay.
    QString linkPort;
    // The unit has not yet told who it is on that link: a failure now is a
    // failure to connect.
    bool awaitingUnit = false;
    // The engineer asked for the link to close.
    bool closeAsked = false;
    // The port of a link to a unit that ended without being asked to, and
    // whether the port has gone since; the link is opened again when it
    // comes back.
    QString lostPort;
    bool lostPortWent = false;
    // The link was opened again by itself, which the status bar says.
    bool resumed = false;
    // Made when the link comes up and undone when it goes down.
    QList<QMetaObject::Connection> linkConnections;
};

#endif // CONNECTIONVIEW_H
