#ifndef CONNECTIONVIEW_H
#define CONNECTIONVIEW_H

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
// shows the one error that ends a link.
class ConnectionView : public QObject
{
    Q_OBJECT

public:
    ConnectionView(QWidget *window, QStatusBar *statusBar, SerialTab *serialTab,
                   RealAtoNTab *realAtoNTab, LanternInterfaceTab *lanternTab,
                   TrafficLog *trafficLog);
    // The session whose link is shown; the caller connects the session's
    // signals to the slots below.
    void SetSession(UnitSession *newSession) { session = newSession; }

    // Opens the link to the port the settings name.
    void Open();
    // Closes the link, if one is up; false when none was.
    bool Close();
    // A replay has started in place of a link.
    void ReplayStarted() { errorShown = false; }

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
    // Made when the link comes up and undone when it goes down.
    QList<QMetaObject::Connection> linkConnections;
};

#endif // CONNECTIONVIEW_H
