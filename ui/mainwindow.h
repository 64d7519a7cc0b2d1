#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "app/unitidentity.h"

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QString>
#include <QStringList>

namespace Ui {
class MainWindow;
}

class DocumentController;
class GpsData;
class LanternInterfaceTab;
class QAction;
class QComboBoxDropdown;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class RealAtoNTab;
class SerialTab;
class SerialTransport;
class TransferControls;
class UnitSession;
class VandrelApplication;

// The program's one window: the three tabs, the port and transfer tool bars,
// the file commands and the status bar with its UTC clock.  It turns the
// user's commands into requests to the application object and signals for the
// state machine, and carries out what the state machine asks of it.  The
// document (DocumentController) and the transfer controls (TransferControls)
// are objects of their own.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The unit's own USB serial adapter, by which its port is recognised.
    static constexpr int DeviceVendorId = 0x27C5;
    static constexpr int DeviceProductId = 0x0502;
    static constexpr int ClockIntervalMs = 1000;
    // How often the count of replayed lines is shown.
    static constexpr int ReplayCountIntervalMs = 200;
    // Characters the port choice shows at least.
    static constexpr int PortNameLength = 20;
    // Room left on the screen for the window's frame and title bar.
    static constexpr int FrameAllowance = 24;

    // Works with the application's session.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Takes its link, transfers and unit status from session, and lets go of
    // the one before; null lets go only.
    void BindSession(UnitSession *session);

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
    void OnSave();
    void OnSaveAs();
    void OnClose();
    void OnExit();
    void OnAbout();
    void OnReplayLogFile();
    void OnSerialDropdown();
    void OnSerialPortChanged(int index);
    void OnConnect();
    void OnDisconnect();
    void OnGetCurrentTab();
    void OnGetAllTabs();
    void OnSendCurrentTab();
    void OnSendAllTabs();
    void OnSerialTabSaveLogFile(bool save);
    // The session calls this as a link starts, before anything can be
    // received on it.
    void OnLinkStarting(SerialTransport *transport, bool replay);
    void OnConnected();
    void OnDisconnected();
    void OnSaveError();
    void OnGpsDataReceived(GpsData *gpsData);
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
    void OnSendFinished(bool complete);

private slots:
    void OnReplayedLine();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    static VandrelApplication *App();

    void BuildPortToolBar();
    void BuildStatusBar();
    void FitToScreen();

    void UpdateControls();
    bool IsTransferring() const;
    bool MayReplaceDocument() const;
    bool ReadyToSend(bool withAtoNTab);
    // The document is for the unit on the line, or the engineer agrees to
    // send it whole to this one.
    bool MayGoToThisUnit();
    void TellOtherUnitDocked();
    // Shows the first error that ends a link; later ones of the same link
    // are dropped.
    void ShowLinkError(const QString &text, const QString &informativeText);
    void DetectDevicePort();
    void RefreshPortList();
    void RelabelCurrentPort();
    bool IsLinked() const;

    void StartLogToFile();
    void StopLogToFile();

    Ui::MainWindow *ui;
    UnitSession *session = nullptr;
    // The window's connections to the session, undone by the next BindSession.
    QList<QMetaObject::Connection> sessionConnections;
    QTabWidget *tabWidget = nullptr;
    DocumentController *document = nullptr;
    TransferControls *transfers = nullptr;
    QLabel *utcClockLabel = nullptr;
    RealAtoNTab *realAtoNTab = nullptr;
    LanternInterfaceTab *lanternTab = nullptr;
    SerialTab *serialTab = nullptr;
    QTimer *clockTimer = nullptr;
    QComboBoxDropdown *portComboBox = nullptr;
    QPushButton *connectButton = nullptr;
    QPushButton *disconnectButton = nullptr;

    int realAtoNTabIndex = 0;
    int lanternTabIndex = 1;
    int serialTabIndex = 2;
    bool populatingPortList = false;
    bool portsAvailable = false;
    bool devicePortFound = false;
    // The user chose the port, in the port list or on the command line; the
    // unit's adapter does not take its place.
    bool portChosen = false;
    bool transferRunning = false;
    bool linkErrorShown = false;
    bool askingAboutOtherUnit = false;
    // The unit the document was last retrieved from or sent to; empty for a
    // document from a file or a new one.
    UnitIdentity documentUnit;
    // Another unit has been docked in place of this one; it is named once
    // it has told its MMSI.
    UnitIdentity replacedUnit;
    QAction *portComboAction = nullptr;
    // Lines of the log being replayed so far; -1 when no replay runs.
    int replayedLines = -1;
    QElapsedTimer replayShown;

    // Connections made when the link comes up and undone when it goes down.
    QList<QMetaObject::Connection> linkConnections;
};

#endif // MAINWINDOW_H
