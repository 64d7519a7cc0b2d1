#ifndef UNITSESSION_H
#define UNITSESSION_H

#include "app/sendoutcome.h"
#include "app/unitidentity.h"
#include "link/modelsnapshot.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QStringList>

class BroadcastName;
class GPSDecoder;
class MessageDecoder;
class Model;
class QThread;
class SerialController;
class SerialTransport;
class StateMachine;
class UnitStatus;

// Everything about one unit on one line: the serial transport and the worker
// thread it runs on, the state machine of its transfers, the decoders of its
// traffic and the status gathered from them, the unit's configuration as last
// read or confirmed, and its identity. Sessions share nothing, so any number
// of them may run side by side in one process, each on its own port.
//
// The creator names the port (Open) or the traffic log (Replay) and, from its
// settings, the vendor code; the session reads no settings of its own.
class UnitSession : public QObject
{
    Q_OBJECT

public:
    // Longest wait, when the session goes, for its worker thread to close the
    // line and end.
    static constexpr int WorkerExitTimeoutMs = 5000;

    explicit UnitSession(QObject *parent = nullptr);
    // Closes a line still open and ends every worker thread, never waiting
    // without a limit.
    ~UnitSession() override;

    // Shell answers are also taken under this maker code (from the settings
    // of the installation); it applies to links opened afterwards.
    void SetVendorId(const QString &code) { vendorId = code; }

    // Starts a link to the port. False when the port cannot be used (the
    // reason comes as Failed) or a link is already up; the line is open when
    // LinkUp comes, and ready for transfers once IsReady().
    bool Open(const QString &port);
    // Plays a traffic log back as if the unit sent it; nothing is sent. The
    // log cannot tell whose reports are the unit's own: those of mmsi are.
    bool Replay(const QString &logFile, const QString &mmsi);
    // Takes the reports of mmsi as the unit's own until the unit tells its
    // MMSI, for traffic that does not come from a link.
    void SetReportMmsi(const QString &mmsi);
    // Asks the unit to reset and closes the line; LinkDown follows.
    void Close();

    // The port of the last Open, the log of the last Replay.
    QString PortName() const { return portName; }
    QString LogFileName() const { return logFileName; }
    // A transport exists (the line is opening, open or closing).
    bool HasLink() const { return transport != nullptr; }
    // The line is open.
    bool IsLinked() const;
    bool IsReplaying() const { return transport && replaying; }
    // The unit answered on the line: transfers may start.
    bool IsReady() const;
    bool IsTransferring() const;

    // Reads the parts (StateMachine::Part bits) of the unit's configuration
    // into Configuration(); RetrieveFinished follows. False when it cannot
    // start now.
    bool Retrieve(int parts);
    // Reads like Retrieve, for a look at what the unit holds (a verify, a
    // record): whoever shows a document keeps it as it is, since the read is
    // not the engineer taking the unit's configuration into it.
    bool Inspect(int parts);
    // An Inspect runs, up to and including its RetrieveFinished.
    bool IsInspecting() const { return inspecting; }
    // Sends the parts of document to the unit and reads them back;
    // SendFinished follows. False when it cannot start or is refused before
    // anything went out (the reason comes as SendRefused or SlotClashWarning).
    // Before anything goes out the unit on the line must answer with the
    // serial number and MMSI of meantFor (by default the unit the session
    // knows now); otherwise nothing is sent and SendRefused names both units.
    bool Send(const Model &document, int parts, const UnitIdentity &meantFor = UnitIdentity());
    // Asks the unit for its battery voltage; the status takes the answer.
    bool ReadBatteryVoltage();

    // The unit's configuration as last read from it or sent to it and read back.
    const Model *Configuration() const { return configuration; }
    // True once Configuration() holds what this unit holds (its AtoN part).
    bool ConfigurationKnown() const { return configurationKnown; }
    UnitIdentity Identity() const { return identity; }
    // The unit has been asked who it is since the link (or the unit in the
    // dock) changed, answered or not: what Identity() lacks now stays unknown
    // until a transfer asks.
    bool IdentityAsked() const { return identityAsked; }
    // What the last send did, as data (also given by SendReported).
    SendOutcome LastSend() const { return lastSend; }

    // The document the state machine's send slots take from; the session's
    // own until the creator names another (not owned, never null).
    Model *Document() const { return document; }
    void SetDocument(Model *document);

    StateMachine *GetStateMachine() const { return stateMachine; }
    GPSDecoder *GetGpsDecoder() const { return gpsDecoder; }
    MessageDecoder *GetMessageDecoder() const { return messageDecoder; }
    // Received lines, in order, to both decoders; each line is parsed once.
    void DecodeLines(const QStringList &lines);
    UnitStatus *Status() const { return status; }
    // The current link, null while there is none.
    SerialTransport *GetTransport() const { return transport; }
    SerialController *GetSerialController() const;
    // The worker thread of the current or last link, null once it has ended.
    QThread *GetWorkerThread() const { return workerThread; }

signals:
    // A transport has been made for a link; whoever shows its traffic
    // connects to it now, before anything can arrive on it.
    void LinkStarting(SerialTransport *transport, bool replay);
    // The line has opened, and has closed again; a line that never opened
    // ends in Failed alone.
    void LinkUp();
    void LinkDown();
    // Something failed: the link or a transfer. text names what failed and
    // what the unit holds because of it.
    void Failed(QString title, QString text);
    // A send was refused before anything went out.
    void SendRefused(QString text);
    void SlotClashWarning(QString text);
    void TransferRunning(bool running);
    void TransferProgress(QString step, int done, int total, int remainingMs);
    // ok false: the retrieve failed or was cut off and Configuration() may
    // hold it in part.
    void RetrieveFinished(bool ok);
    // What a send did, as data: which parts went out, whole or in part,
    // which were compared, another unit docked during it. Comes just before
    // SendFinished, also for a send refused when the unit answered as
    // another.
    void SendReported(SendOutcome outcome);
    // complete false: the send was cut off (Failed says what the unit holds);
    // mismatches: "field: sent -> held" lines of what the unit did not take.
    void SendFinished(bool complete, QStringList mismatches);
    // The serial number, MMSI or version the unit tells has changed. When
    // the serial number is another one, another unit has been docked: what
    // was known of the one before (its configuration, status, MMSI and
    // version) is gone, and the new unit's is being read.
    void IdentityChanged(UnitIdentity now, UnitIdentity before);

private:
    void StartTransport(bool replay);
    void WireTransport(bool replay);
    void OnConnected();
    void OnTransportClosed();
    void TakeRead(const QString &job, int parts, const ModelSnapshot &read);
    void OnJobComplete(const QString &name, bool send);
    void SetIdentity(const UnitIdentity &now);
    // Takes what the unit told as its identity (false when nothing changed);
    // AnnounceIdentity() then tells the listeners.
    bool AdoptIdentity(const UnitIdentity &told);
    void AnnounceIdentity(const UnitIdentity &before);
    void SetConfigurationKnown(bool known);
    void RetireTransport(SerialTransport *link, bool closeLine);
    void OnThreadFinished(QThread *ended);
    void EndWorkerThreads();

    QString vendorId;
    QString portName;
    QString logFileName;
    Model *ownDocument;
    Model *document;
    Model *configuration;
    StateMachine *stateMachine;
    GPSDecoder *gpsDecoder;
    MessageDecoder *messageDecoder;
    UnitStatus *status;
    BroadcastName *broadcastName;
    UnitIdentity identity;
    bool configurationKnown = false;
    bool identityAsked = false;
    bool inspecting = false;
    QStringList readBack;
    SendOutcome lastSend;
    // The job whose Read brought the unit's MMSI, until its JobComplete.
    QString mmsiReadBy;

    QThread *workerThread = nullptr;
    SerialTransport *transport = nullptr;
    bool replaying = false;
    bool linkUp = false;
    // The connections of the current link, undone when it closes.
    QList<QMetaObject::Connection> linkConnections;
    // Transports whose link has closed, by the worker thread that is ending;
    // each is destroyed once its thread has finished.
    QHash<QThread *, SerialTransport *> retiredTransports;
};

#endif // UNITSESSION_H
