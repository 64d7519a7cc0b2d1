#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "app/unitidentity.h"

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QStringList>

namespace Ui {
class MainWindow;
}

class ConnectionView;
class DocumentController;
class FleetMenu;
class LanternInterfaceTab;
class QAction;
class PortToolBar;
class QTabWidget;
class QTimer;
class RealAtoNTab;
class SerialTab;
class SerialTransport;
class TrafficLog;
class TransferControls;
class TransferJournal;
class UnitRegister;
class UnitSession;
class UnitStatusTab;
class VandrelApplication;

// The program's one window: the tabs, the tool bars, the file commands and
// the status bar with its UTC clock. It turns the user's commands into
// requests to the unit session it is bound to and signals for its state
// machine, and carries out what the state machine asks of it. The document
// (DocumentController), the port tool bar (PortToolBar), the connection
// (ConnectionView), the transfer controls (TransferControls) and the traffic
// logs (TrafficLog) are objects of their own.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int ClockIntervalMs = 1000;
    // Room left on the screen for the window's frame and title bar.
    static constexpr int FrameAllowance = 24;

    // Works with the application's session.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Takes its link, transfers and unit status from session, and lets go of
    // the one before; null lets go only.
    void BindSession(UnitSession *session);
    // The register the MMSI of a send is looked up in and whose notices the
    // status bar shows, and the journal that records the session's
    // transfers (neither owned; null lets go).
    void BindRegister(UnitRegister *unitRegister, TransferJournal *journal);

    // Makes the port of that name the current item; item 0 and false when no
    // item carries it.
    bool SelectPort(const QString &portName);

    QString CurrentFileName() const;

    // What the command line asks for at start. OpenFileAtStart opens a
    // configuration file as File > Open does once the file is chosen (a file
    // that cannot be read leaves the document as it is, with a box saying
    // why); ConnectAtStart connects to the port of that name.
    void OpenFileAtStart(const QString &fileName);
    void ConnectAtStart(const QString &portName);

signals:
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void GetTab(int tab);
    void GetAllTabs();
    void SendAllTabs();

public slots:
    void OnNew();
    void OnOpen();
    void OnOpenRecorded(const QByteArray &pad, const QString &title);
    void OnSave();
    void OnSaveAs();
    void OnClose();
    void OnExit();
    void OnAbout();
    void OnReplayLogFile();
    void OnConnect();
    void OnDisconnect();
    void OnGetCurrentTab();
    void OnGetAllTabs();
    void OnSendCurrentTab();
    void OnSendAllTabs();
    // The session calls this as a link starts, before anything can be
    // received on it.
    void OnLinkStarting(SerialTransport *transport, bool replay);
    void OnConnected();
    void OnDisconnected();
    void OnTimeout();
    void OnEdited(QWidget *tab);
    void OnUpdate();
    void OnUpdateTabFromTransportModel(int tab);
    void OnUpdateTabIcon(int tab, int icon);
    void OnEnableTab(int tab, bool enable);
    void OnDisplayError(QString text, QString informativeText);
    void OnSlotClashWarning(QString text);
    void OnSendRefused(QString text);
    void OnTransferInterrupted(QString text);
    void OnReadBackResult(int tab, QStringList mismatches);
    void OnTransferRunning(bool running);
    void OnTransferProgress(QString step, int done, int total, int remainingMs);
    void OnRetrieveFinished(bool ok);
    void OnAutoConnect();
    void OnIdentityChanged(UnitIdentity now, UnitIdentity before);
    void OnSendFinished(bool complete, QStringList mismatches);
    void StartSend(int parts);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    static VandrelApplication *App();

    void FitToScreen();

    void UpdateControls();
    bool IsTransferring() const;
    bool MayReplaceDocument() const;
    bool ReadyToSend(int parts);
    // The document is for the unit on the line and keeps its MMSI, or the
    // engineer agrees to send it (whole, when it is another unit's) and to
    // the MMSI it gives the unit.
    bool MayGoToThisUnit(int parts);
    void TellOtherUnitDocked();
    bool IsLinked() const;

    Ui::MainWindow *ui;
    UnitSession *session = nullptr;
    UnitRegister *unitRegister = nullptr;
    TransferJournal *journal = nullptr;
    FleetMenu *fleetMenu = nullptr;
    // The engineer gave the unit an MMSI the register has for another unit,
    // for the send that starts next.
    bool mmsiReassigned = false;
    // The window's connections to the session, undone by the next BindSession.
    QList<QMetaObject::Connection> sessionConnections;
    QTabWidget *tabWidget = nullptr;
    DocumentController *document = nullptr;
    TransferControls *transfers = nullptr;
    RealAtoNTab *realAtoNTab = nullptr;
    LanternInterfaceTab *lanternTab = nullptr;
    SerialTab *serialTab = nullptr;
    QTimer *clockTimer = nullptr;
    PortToolBar *ports = nullptr;
    ConnectionView *connection = nullptr;
    TrafficLog *trafficLog = nullptr;
    UnitStatusTab *unitStatusTab = nullptr;

    int realAtoNTabIndex = 0;
    int lanternTabIndex = 1;
    int serialTabIndex = 2;
    bool transferRunning = false;
    // The parts the last send asked for and when, for the reply when it ends.
    int sendParts = 0;
    QElapsedTimer sendTime;
    bool askingAboutOtherUnit = false;
    // Where the focus was when a transfer greyed its page out, and where
    // it went then.
    QPointer<QWidget> focusBeforeTransfer;
    QPointer<QWidget> focusDuringTransfer;
    // The unit the document was last retrieved from or sent to; empty for a
    // document from a file or a new one.
    UnitIdentity documentUnit;
    // Another unit has been docked in place of this one; it is named once
    // it has told its MMSI.
    UnitIdentity replacedUnit;
};

#endif // MAINWINDOW_H
