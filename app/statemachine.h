#ifndef STATEMACHINE_H
#define STATEMACHINE_H

#include <QObject>
#include <QString>

class Model;
class QTimer;

// Turns the user's retrieve and send commands into transport jobs, and the
// transport's reports into tab states, tab refreshes and error messages.
// Keeps a synchronisation state for each of the two configuration tabs (0
// the AtoN tab, 1 the lantern interface tab; other numbers are ignored),
// checks the message schedule before it is sent, and polls the unit for its
// serial number while idle to notice a unit taken from its dock.
class StateMachine : public QObject
{
    Q_OBJECT
public:
    // Tab states; each is also the number of the icon that shows it.
    enum TabState
    {
        TabNoLink = 0,
        TabEdited = 1,
        TabNotSynced = 2,
        TabSyncing = 3,
        TabSynced = 4
    };
    static constexpr int TabCount = 2;
    static constexpr int PollingIntervalMs = 1250;
    // Transport timeouts in a row while polling that end the link.
    static constexpr int MissedAnswerLimit = 9;

    // Neither model may be null.
    StateMachine(Model *editModel, Model *transportModel, QObject *parent = nullptr);

    // Stops presence polling.
    void StopSerialNumberTest();

    bool IsConnected() const { return connected; }
    // The state of tab 0 or 1; TabNoLink for any other number.
    int TabStateOf(int tab) const;
    bool IsPolling() const { return polling; }
    int MissedAnswers() const { return missedAnswers; }
    bool HasGivenUp() const { return gaveUp; }

    // The warning shown when a send is refused for clashing time slots.
    static QString SlotClashText();

signals:
    void QueueJob(QString name, bool send);
    void Update();
    void UpdateTabFromTransportModel(int tab);
    void UpdateTransportModelFromTab(int tab);
    void UpdateTabIcon(int tab, int icon);
    void EnableTab(int tab, bool enable);
    void DisplayError(QString text, QString informativeText);
    void Disconnect();
    // A send of tab 0 has been refused: the message schedule risks clashing
    // time slots. The window shows text in a modal warning box; a tool prints
    // it. Nothing has been queued. Without a listener the text goes to the
    // debug log.
    void SlotClashWarning(QString text);

public slots:
    void Connected();
    void ConnectError(QString error);
    void CommandError(QString command);
    void AtoNSentenceError(QString formatter);
    void JobComplete(QString name, bool send);
    void AllJobsComplete();
    void Timeout();
    void Disconnected();
    void Disconnecting();
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void GetTab(int tab);
    void SendAllTabs();
    void GetAllTabs();
    void OnFaultLogRequest();
    void OnSerialNumberTestTimeout();
    void OnPollingLimit();
    void OnProductSerialNumberTest(QString serial_number);

private:
    void SetTabState(int tab, int state, bool enable);
    void StartSerialNumberTest();
    void GiveUpPolling();
    void ShowSlotClashWarning();
    static bool IsConfigurationTab(int tab) { return tab == 0 || tab == 1; }

    bool connected = false;
    Model *editModel;
    Model *transportModel;
    int tabStates[TabCount] = {TabNoLink, TabNoLink};
    QTimer *pollingTimer;
    bool polling = false;
    int missedAnswers = 0;
    bool gaveUp = false;
};

#endif // STATEMACHINE_H
