#ifndef TRANSPORT_H
#define TRANSPORT_H

#include "link/answerledger.h"
#include "link/job.h"
#include "link/jobtable.h"
#include "link/linebatch.h"
#include "link/linesink.h"
#include "link/listenercache.h"
#include "link/modelsnapshot.h"
#include "link/queuedjob.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>

class AtoNSentence;
class Model;
class NmeaShellCommand;
class QTimer;
class SerialController;

// The link to the AtoN unit and the owner of all device work. Everything asked
// of the unit is a named job; jobs wait in a first-in, first-out queue and run
// one step at a time, each step guarded by one response timer. Answers go into
// the transport's own model through the sentence codecs and shell commands;
// that model is touched only on the transport's thread, and what a job has
// read leaves it as a copy (Read). A subclass supplies the line itself.
class Transport : public QObject, public LineSink
{
    Q_OBJECT

public:
    // Waiting time for the answer to a query or shell command.
    static constexpr int AnswerTimeoutMs = 1000;
    // Pause between the set sentences of a send.
    static constexpr int SendPacingMs = 250;

    // The parts of the configuration a job reads, as Read names them.
    enum ReadPart
    {
        ReadMmsi = Job::ReadMmsi,
        ReadAtoN = Job::ReadAtoN,
        ReadSchedule = Job::ReadSchedule,
        ReadLantern = Job::ReadLantern
    };
    // What the transport model needs before a job runs (Prepare).
    enum Preparation
    {
        PrepareNothing,
        ForgetUnitMmsi, // the unit's answer is to name it afresh
        CopyAtoN,       // the sent AtoN record, addressed by the MMSI the unit holds
        CopySchedule,   // the sent message schedule
        CopyLantern,    // the sent lantern settings
        ResetSchedule   // a schedule about to be read starts from the defaults
    };

    explicit Transport(QObject *parent = nullptr);
    ~Transport() override;

    // The configuration the codecs read from and answer into. Only on the
    // transport's thread.
    Model *TransportModel() { return model; }

    virtual bool IsConnected() const = 0;
    // The status-bar text of the link.
    virtual QString ConnectionDescription() const = 0;
    // Safe to call from any thread.
    virtual QString LastError() const;
    // Receives every received line that parsed as a valid sentence.
    virtual void HandleResponse(ParsedSentence sentence);
    // Each received line: to the listeners of Received() when there are any,
    // then to the line sinks, then to the job step waiting for an answer.
    void TakeLine(const ReceivedLine &line) override;
    // Takes every received line after Received(), on the line's thread.
    void AddLineSink(LineSink *sink);
    void RemoveLineSink(LineSink *sink);
    // A job step waits for an answer; otherwise HandleResponse takes nothing.
    bool AwaitsAnswer() const { return HasCurrent() && stepIndex != -1; }
    virtual int ResponseTimeout() const { return AnswerTimeoutMs; }

    // Shell answers are also taken under this maker code. Call before the
    // transport moves to its worker thread.
    void SetVendorId(const QString &code);

    // A job is queued or running. Safe to call from any thread.
    bool IsBusy() const { return busy.load(); }

    // The serial line controller; null once the subclass has let go of it.
    SerialController *GetSerialController() const { return controller.load(); }
    // The job of that name in the job table, or null.
    Job *FindJob(const QString &name) const { return table.Find(name); }
    // Names of the jobs waiting in the queue, first to run first.
    QStringList QueuedJobNames() const;
    // The job now running, or an empty name.
    QString CurrentJobName() const;

    // Port discovery, offered here for the main window and the application
    // object (user-interface thread only).
    static QString FindDevicePort();
    static QString FriendlyName(const QString &portName);
    static QList<QPair<QString, QString>> PortList();

signals:
    void Connected();
    void ConnectError(QString error);
    void Sent(QString sent);
    // The line could not be written; reason is the line's own error text.
    void SendError(QString reason);
    // The device has gone (unplugged, or the far end closed the line).
    void LineLost(QString reason);
    void Received(QString received);
    // The same lines for another thread, a few at a time: in order, and
    // before a Sent() or Disconnected() that follows them.
    void ReceivedLines(QStringList lines);
    void Disconnected();
    void DisconnectedCleanUp();
    void VSWR(double ratio);
    void VIN(double voltage);
    void Version(QString version);
    void Variant(QString variant);
    void BootloaderVersion(QString version);
    void PCASerialNumber(QString version);
    void ProductSerialNumber(QString version);
    void ProductSerialNumberTest(QString version);
    void BatteryVoltage(QString version);
    void FaultLogMessage(QString dateString, QString timeString, QString faultLogMessage);
    void FaultLogMessageCount(int sentenceNumber, int totalNumberOfSentnces);
    void FaultLogRequestComplete();
    void SerialSend(QString send);
    // The three failures of a job step carry the reason also kept as
    // LastError(): the query or command, and what went wrong with it.
    void CommandError(QString reason);
    void AtoNSentenceError(QString reason);
    // A get of the job has read parts (ReadPart bits) of the unit's
    // configuration: read holds them as they are now. Comes just before the
    // job's JobComplete.
    void Read(QString name, int parts, ModelSnapshot read);
    void JobComplete(QString name, bool send);
    // A step of a get has ended by waiting for the unit to fall silent
    // (AnswerTimeoutMs without an answer), as a query whose answers have no
    // count does.
    void QuietWait(QString name);
    // A step of the job has written a line (after Sent).
    void JobLineSent(QString name, bool send);
    void AllJobsComplete();
    void Timeout(QString reason);
    void AtoNType(int atonType);
    void showLimParams();

public slots:
    virtual void Connect(QString connection) = 0;
    virtual void Send(QString send) = 0;
    virtual void Disconnect() = 0;
    virtual void SerialSent(QString sent) = 0;
    virtual void SerialSendError() = 0;
    virtual void SerialReceived(QString received) = 0;
    virtual void SerialClosed() = 0;

    void QueueJob(QString name, bool send);
    void QueueJob(Job *job, bool send);
    // The link is closing and no answer will be waited for: the jobs queued
    // and the one running are dropped, and the job of that name starts now.
    void QueueLastJob(QString name);
    // Readies the transport model for the job queued next: preparation takes
    // its part from sent. For CopySchedule, scheduleRows are the rows the next
    // send of the schedule writes, by their index (empty: every row).
    void Prepare(int preparation, ModelSnapshot sent, QList<int> scheduleRows);
    void OnTimeout();

    void OnVersion(QString version);
    void OnVariant(QString variant);
    void OnBootloaderVersion(QString version);
    void OnPCASerialNumber(QString version);
    void OnProductSerialNumber(QString version);
    void OnProductSerialNumberTest(QString version);
    void OnBatteryVoltage(QString voltage);
    void OnAtoNType(int atonType);
    void OnFaultLogMessage(int sentenceNumber, int totalNumberOfSentnces, QString dateString,
                           QString timeString, QString faultDescritionString);
    void OnFaultLogRequestComplete();
    void onShowLimParams();

protected:
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;
    void SetLastError(const QString &text);
    // Undoes the connections between the transport and its controller: from
    // then on nothing more arrives from the line.
    void DisconnectController();
    // Lets go of the controller; it stays a child and goes with the transport.
    void ForgetController() { controller.store(nullptr); }
    // Hands over the received lines that wait for ReceivedLines().
    void FlushReceived() { batch->Flush(); }

private:
    // The reason for an answer to request that was refused for problem.
    static QString Refused(const QString &request, const QString &problem);
    // Fails a query answered until silence when text is a damaged answer to
    // it; of a step awaiting one answer, keeps what its time-out is to say.
    void RefuseDamagedAnswer(const QString &text);
    // "The answer to <request> came with a wrong checksum: <line>".
    static QString DamagedAnswer(const QString &request, const QString &text);
    // Fails the read under way when sentence answers a query whose answers had ended.
    bool RefuseLateAnswer(const SentenceView &sentence, const QString &text);
    // An answer against the earlier answers to the same query: the first of
    // its kind, the same again (harmless), or another (the read fails).
    AnswerLedger::Heard CompareWithEarlier(const SentenceView &sentence, const QString &text);
    void FailRead(const QString &reason);
    void OnLineLost(const QString &reason);
    // How much of a damaged line its failure quotes.
    static constexpr int MaxQuotedLine = 100;
    void StartNextJob();
    bool Advance();
    void Issue();
    JobStep &CurrentStep();
    bool HasCurrent() const { return current.job != nullptr; }
    void SetCurrent(const QueuedJob &job);
    void UpdateBusy();
    // A serial number the unit told. Another one than before means another
    // unit in the dock: nothing more of what was queued for the unit before
    // goes out, and what was read of it is forgotten.
    void HearSerialNumber(const QString &number);

    // Owned, a child: it moves with the transport to its thread.
    Model *model;
    JobTable table;
    // Let go of on the worker thread while the window asks for it (traffic
    // log) on the user-interface thread.
    std::atomic<SerialController *> controller{nullptr};
    QList<QueuedJob> queue;
    QList<LineSink *> sinks;
    ListenerCache textListeners;
    ListenerCache batchListeners;
    LineBatch *batch;
    QString lastError;
    QueuedJob current;
    int stepIndex = -1;
    int repeat = 0;
    // Answers taken since the current step was last issued, and in the
    // current job.
    int answers = 0;
    int jobAnswers = 0;
    // The current step ends with its first answer.
    bool endsAtFirstAnswer = false;
    // The unit on the line has answered the AID question: the next one ends
    // at its first answer rather than waiting for silence.
    bool aidAnswered = false;
    // The query whose answers, taken until silence, ended last in a read:
    // one of them coming later still would be missing from what was read.
    QString endedQuery;
    // The answers to each query since it was last asked.
    AnswerLedger ledger;
    // Why the step now waiting has no answer although one came damaged.
    QString damagedAnswer;
    QTimer *responseTimer = nullptr;

    // The rows given for the next send of the schedule, and those of the
    // send under way.
    QList<int> nextScheduleRows;
    QList<int> scheduleRows;
    std::atomic<bool> busy{false};
    // The serial number the unit on the line told last.
    QString heardSerial;
    mutable QMutex lastErrorLock;
};

#endif // TRANSPORT_H
