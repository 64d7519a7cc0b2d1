#ifndef VANDRELAPPLICATION_H
#define VANDRELAPPLICATION_H

#include <QApplication>
#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QString>

class GPSDecoder;
class MessageDecoder;
class Model;
class QThread;
class SerialController;
class SerialTransport;
class StateMachine;

// The program's application object: names the organisation and the
// application (which fixes where the settings live), keeps the six persisted
// settings, and owns the edit model and the transport model. It also owns the
// link: the state machine, the two decoders of received data, and, while
// connected, the serial transport with the worker thread it runs on.
class VandrelApplication : public QApplication
{
    Q_OBJECT

public:
    VandrelApplication(int &argc, char **argv);
    ~VandrelApplication() override;

    // The running application object. Ends the program through the
    // allocation-failure handler when the application is not a VandrelApplication.
    static VandrelApplication *instance();

    // The configuration that the tabs edit and that files are read into and
    // written from, and the configuration as exchanged with the unit.
    Model *EditModel() const { return editModel; }
    Model *TransportModel() const { return transportModel; }

    // Copies; safe to call from the transport's worker thread.
    // The transport reads the names from its worker thread while the window
    // may set them, so each copy is taken under a small lock.
    QString GetFilename() const;
    QString GetLogFilename() const;
    QString GetPortName() const;
    // Each setter marks the settings for writing when the program quits.
    void SetFilename(const QString &name);
    void SetLogFilename(const QString &name);
    void SetPortName(const QString &name);
    bool GetShowTransmit() const { return showTransmit; }
    void SetShowTransmit(bool show);
    QString GetVendorID() const { return vendorID; }

    // "090300.03.00.05  (Mon d yyyy)" with the build date.
    static QString VersionText();

    // Longest wait at exit for a worker thread to close its line and end.
    static constexpr int WorkerExitTimeoutMs = 5000;

    // Stores the window and wires its signals to the state machine and the
    // state machine's to the window, by signature: the window must offer the
    // signals FileLoad(), Edited(int), SendTab(int), SendAllTabs(), GetTab(int),
    // GetAllTabs() and the slots OnUpdate(), OnUpdateTabFromTransportModel(int),
    // OnUpdateTransportModelFromTab(int), OnUpdateTabIcon(int,int),
    // OnEnableTab(int,bool), OnDisplayError(QString,QString) and
    // OnSlotClashWarning(QString), and may offer OnTransferRunning(bool),
    // OnTransferProgress(QString,int,int,int), OnReadBackResult(int,QStringList),
    // OnSendRefused(QString), OnTransferInterrupted(QString) and
    // OnRetrieveFinished(bool); each connection takes the link's OnConnected()
    // and OnDisconnected(). A window given again replaces the first one.
    void SetMainWindow(QObject *window);

    // The current link, null while not connected.
    SerialTransport *GetTransport() const { return transport; }
    // The transport's serial line controller, null without a transport.
    SerialController *GetSerialController() const;
    StateMachine *GetStateMachine() const { return stateMachine; }
    GPSDecoder *GetGpsDecoder() const { return gpsDecoder; }
    MessageDecoder *GetMessageDecoder() const { return messageDecoder; }
    // The worker thread of the current or last link, null once it has ended.
    QThread *GetWorkerThread() const { return workerThread; }

signals:
    void ConnectTransport(QString connection);
    void ConnectTransportToFile(QString logFilename);
    void DisconnectTransport();
    void Disconnecting();
    void FaultLogRequest();
    void FaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences);
    void ConnectError(QString error);

public slots:
    void ConnectSerialTransport();
    void ConnectSerialTransportToLogFile();
    void Disconnect();
    void Disconnected();
    void Finished();
    void OnFaultLogRequest();
    void OnFaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences);

private slots:
    void OnClosing();

private:
    void ReadSettings();
    void WriteSettings();
    void StartTransport(bool replay);
    void RetireTransport(SerialTransport *link, bool closeLine);
    void EndWorkerThreads();

    QPointer<QObject> mainWindow; // not owned

    mutable QMutex namesLock;
    QString fileName;
    QString logFileName;
    QString portName;
    bool fccAccept = false;
    bool showTransmit = false;
    bool settingsChanged = false;
    QString vendorID;
    Model *editModel = nullptr;
    Model *transportModel = nullptr;

    QThread *workerThread = nullptr;
    SerialTransport *transport = nullptr;
    StateMachine *stateMachine = nullptr;
    GPSDecoder *gpsDecoder = nullptr;
    MessageDecoder *messageDecoder = nullptr;

    // Window wiring, and the connections of the current link that Disconnected
    // undoes.
    QList<QMetaObject::Connection> windowConnections;
    QList<QMetaObject::Connection> linkConnections;
    // Transports whose link has closed, by the worker thread that is ending;
    // each is destroyed once its thread has finished.
    QHash<QThread *, SerialTransport *> retiredTransports;
};

#endif // VANDRELAPPLICATION_H
