#ifndef TRAFFICLOG_H
#define TRAFFICLOG_H

#include <QElapsedTimer>
#include <QObject>

class SerialTab;
class SerialTransport;
class TransferControls;
class QStatusBar;
class QWidget;
class UnitSession;

// The window's traffic logs: what passes on the line written to a file (the
// Serial Data tab's button), and a log played back in place of a link, with
// the count of lines played. The last log's name is kept in the settings.
class TrafficLog : public QObject
{
    Q_OBJECT

public:
    // How often the count of replayed lines is shown.
    static constexpr int ReplayCountIntervalMs = 200;

    TrafficLog(QWidget *window, UnitSession *session, SerialTab *serialTab,
               TransferControls *transfers, QStatusBar *statusBar);
    void SetSession(UnitSession *newSession) { session = newSession; }

    // Asks for a log and plays it back; false when none started.
    bool StartReplay();
    // A link to a unit, not a replay, is being opened.
    void LinkOpening() { replayedLines = -1; }
    // Follows the new link's lines and log errors.
    void LinkStarting(SerialTransport *transport);
    // The link is over; the status bar says so, for a replay with its count.
    void LinkEnded();
    // Stops writing the log.
    void Stop();

private:
    void OnSaveClicked(bool stop);
    void Start();
    void OnSaveError();
    void OnReplayedLines(const QStringList &lines);

    QWidget *window;
    UnitSession *session;
    SerialTab *serialTab;
    TransferControls *transfers;
    QStatusBar *statusBar;
    // Lines of the log being replayed so far; -1 when no replay runs.
    int replayedLines = -1;
    QElapsedTimer replayShown;
};

#endif // TRAFFICLOG_H
