#ifndef SERIALCONTROLLER_H
#define SERIALCONTROLLER_H

#include "link/lineassembler.h"
#include "link/listenercache.h"
#include "link/portinfo.h"
#include "link/portprobe.h"

#include <QAtomicInteger>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class LineSink;
class QFile;
class QTimer;

// The one line to the AtoN unit: a serial port, or a traffic log played back
// as if the unit were sending it. Cuts the incoming bytes into text lines,
// writes outgoing text, and keeps an optional log of what was received.
class SerialController : public QObject
{
    Q_OBJECT

public:
    // A partial line longer than this is passed on in parts, so that a peer
    // that never sends a newline cannot grow the line buffer without limit.
    static constexpr int MaxLineLength = LineAssembler::MaxLineLength;
    // Bytes taken from a port in one read.
    static constexpr int PieceSize = 255;
    // Pieces read in one notification before the event loop gets a turn.
    static constexpr int MaxPiecesPerNotification = 100;
    // Writes in a row that the line refuses for now (its output queue is
    // full) before the send counts as failed; the port writes what it holds
    // again when the line takes more.
    static constexpr int MaxRefusedWrites = 20;
    // Replay delivers one piece per tick of this interval.
    static constexpr int ReplayIntervalMs = 10;
    // Fast replay reads the log in blocks of this many bytes, one block per
    // turn of the event loop.
    static constexpr int ReplayBlockSize = 64 * 1024;
    // Longest time that the input flush at open may take.
    static constexpr int FlushTimeoutMs = 1000;
    // The flush also ends after this long without a byte: at 38400 baud a
    // line under way sends a character every quarter of a millisecond, so
    // nothing half sent is left to cut into the first answer.
    static constexpr int FlushSilenceMs = 100;
    // The unit's own USB serial adapter.
    static constexpr int DeviceVendorId = 0x27C5;
    static constexpr int DeviceProductId = 0x0502;

    // A sent line in the traffic log starts with this; a replay passes such a
    // line on as sent, without the mark.
    static constexpr char SentLogMark[] = "> ";
    // The unit's presence poll, kept out of the log both ways.
    static constexpr char PresencePoll[] = "getserno";

    explicit SerialController(QObject *parent = nullptr);

    // The traffic log's line for text sent, and a logged sent line as sent.
    static QByteArray SentLogLine(const QString &text);
    static QString WithoutSentMark(QString line);
    // A copy of a log with one more comment line in its opening banner, for
    // what is known of the whole log only once it is written (the register
    // entry a record of it is filed under). Replay and every reader of the
    // log pass over it as over the banner itself.
    static QByteArray WithHeaderNote(const QByteArray &log, const QString &note);
    ~SerialController() override;

    bool Open(const QString &portName, qint32 baudRate);
    bool OpenFile(const QString &fileName);
    // Plays the next traffic log opened without the pause between pieces:
    // every whole line of a block is passed on in one turn of the event loop,
    // and at the end of the log Closed() is raised once. Paced replay is the
    // default; a log already playing keeps its pace.
    void SetFastReplay(bool fast) { fastReplay = fast; }
    bool IsFastReplay() const { return fastReplay; }
    bool Close();
    bool IsOpen() const;
    bool IsFileOpen() const;
    QString ErrorString() const;
    // Why the last Open failed; None after one that succeeded.
    PortProblem OpenProblem() const { return openProblem; }

    // The three log operations may be called from another thread than the one
    // that receives lines; they share one lock with the write of each line.
    bool StartLog(const QString &fileName);
    bool StopLog();
    QString LogErrorString() const;

    // Every received line goes to each sink, in the order they were added,
    // after Received(); both on the thread of the line.
    void AddLineSink(LineSink *sink);
    void RemoveLineSink(LineSink *sink);

    // Port discovery, called on the user-interface thread only. Listing the
    // ports asks the system about every serial device it has, so it is done
    // when a list is wanted (PortList, FindDevicePort, UnitPorts) or the
    // ports have changed (PortWatch), never on a clock; the other queries
    // answer from the last listing.
    using PortEnumeration = std::function<PortInfoList()>;
    static QString FindDevicePort();
    // The unit's adapter among the ports last listed.
    static QString KnownDevicePort();
    static QString FriendlyName(const QString &portName);
    static QList<QPair<QString, QString>> PortList();
    // The ports on which a unit may be docked: the unit's own adapters
    // (never another serial device of the computer, which a unit's
    // questions could upset), the ports that VANDREL_PORTS offers and those
    // `named` by the engineer.
    static QStringList UnitPorts(const QStringList &named = {});
    static bool IsUnitAdapter(const PortInfo &port);
    // The ports present now, without touching the last listing.
    static PortInfoList ListPorts();
    // Replaces the enumeration of ports present (tests feed records through
    // it); an empty function restores the system's enumeration. Clears the cache.
    static void SetPortEnumeration(PortEnumeration enumeration);
    static bool IsPortEnumerationReplaced();

signals:
    void Opened();
    void SendError();
    void SaveError();
    void Sent(QString sent);
    // Made only while something listens; the line sinks take the lines
    // without their text being made.
    void Received(QString received);
    void Closed();
    // The device went away (adapter pulled, far end closed). The line stays
    // open until the owner closes it; a program that only reads learns of
    // the loss here rather than from a failed write.
    void LineLost(QString reason);

public slots:
    void OnSend(QString text);
    void OnReceived();
    void OnWritten(qlonglong bytes);
    void OnDSRChanged(bool status);

private slots:
    void OnPortError(QSerialPort::SerialPortError error);

protected:
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private:
    void FlushInput();
    void PassOnLine(const ReceivedLine &line, bool prompt);
    void ReplayBlock();
    void SkipByteOrderMark(const char *&bytes, qint64 &length);
    void EndFastReplay();
    void WriteLog(const QByteArray &line);
    void WriteLogBanner(const QString &text);
    void ReportSendFailure();
    bool HasHungUp() const;
    void LineFailed(const QString &reason);
    static void RefreshPorts();

    QSerialPort *port = nullptr;
    QFile *replayFile = nullptr;
    QFile *logFile = nullptr;
    QTimer *replayTimer = nullptr;
    bool fastReplay = false;
    // Nothing of the log has been read yet: a byte order mark may come.
    bool atLogStart = false;
    LineAssembler lines;
    QVector<LineSink *> sinks;
    ListenerCache textListeners;

    // Why the last Open failed; offered by ErrorString while nothing is held.
    QString openError;
    PortProblem openProblem = PortProblem::None;
    // Why the last StartLog failed; offered by LogErrorString while no log is
    // held, so that the box about it says why. Guarded by logLock.
    QString logOpenError;
    // Why the held port stopped working; set when the far end has gone.
    QString lineError;
    // A failed write has been reported and no write has succeeded since, so
    // that a dead line raises SendError once rather than on every attempt.
    bool sendFailureReported = false;
    int refusedWrites = 0;
    bool readAgainQueued = false;
    // Likewise for the traffic log: a full disk raises SaveError once, not
    // once per received line (each would open another box in the window),
    // until a line is written again or a new log starts. Guarded by logLock.
    bool saveFailureReported = false;
    mutable QMutex logLock;
    // A log file is held; read without the lock by the line delivery.
    QAtomicInteger<bool> logging = false;
};

#endif // SERIALCONTROLLER_H
