#ifndef STATEMACHINE_H
#define STATEMACHINE_H

#include "app/sendoutcome.h"
#include "app/sendreport.h"
#include "app/transferplan.h"
#include "app/unitidentity.h"
#include "link/modelsnapshot.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class Model;
class QTimer;

// Turns the user's retrieve and send commands into transport jobs, and the
// transport's reports into tab states, tab refreshes and error messages.
// Keeps a synchronisation state for each of the two configuration tabs (0
// the AtoN tab, 1 the lantern interface tab; other numbers are ignored),
// and polls the unit for its serial number while idle to notice a unit taken
// from its dock.
//
// One transfer runs at a time; a request made while one runs, or without a
// link, is ignored. The jobs of a transfer are queued one after another, each
// when the one before has completed, so that the transport model is only
// written between jobs. A retrieve shows its tabs only once every job has
// read its part. A send is checked first (slot clash, ranges, line lengths)
// and refused as a whole; what it sends is a copy of the document taken when
// it is accepted. Before its first set sentence it asks the unit on the line
// for its serial number and MMSI and goes on only when they are those of the
// unit it was meant for, addressing the unit by that MMSI; it then reads back
// what it sent and compares it with that copy. Presence polling starts once
// the unit has told its identity at link start.
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
    // The parts of the configuration a transfer covers, one bit a tab.
    enum Part
    {
        AtoNPart = 1,
        LanternPart = 2,
        AllParts = AtoNPart | LanternPart
    };
    static constexpr int PollingIntervalMs = 1250;
    // Transport timeouts in a row while polling that end the link.
    static constexpr int MissedAnswerLimit = 9;

    // Neither model may be null. document: what the send slots send;
    // unitModel: the unit's configuration as last read from it (by whoever
    // takes the transport's Read), only read here.
    StateMachine(Model *document, const Model *unitModel, QObject *parent = nullptr);

    // The document the send slots take from; not owned, never null.
    void SetDocument(Model *document);

    // Starts a retrieve or a send of the given parts; false when none can start
    // (no link, a transfer running, or the send refused before anything went out).
    // The send takes a copy of document as it is now.
    bool Retrieve(int parts);
    bool Send(const Model &document, int parts);
    // The unit the sends are meant for: the serial number and MMSI a send
    // confirms before anything goes out (an empty field is not compared). A
    // send keeps the unit it was started for to its end.
    void SetExpectedUnit(const UnitIdentity &unit) { expectedUnit = unit; }
    // Another unit (now) has been docked: what the tabs show is not what it
    // holds, and a transfer under way has been cut off.
    void OtherUnitDocked(const UnitIdentity &now);

    // Stops presence polling.
    void StopSerialNumberTest();

    bool IsConnected() const { return connected; }
    // The state of tab 0 or 1; TabNoLink for any other number.
    int TabStateOf(int tab) const;
    bool IsPolling() const { return polling; }
    int MissedAnswers() const { return missedAnswers; }
    bool HasGivenUp() const { return gaveUp; }

    // A retrieve, a send or its read-back is under way.
    bool IsTransferring() const { return transfer != NoTransfer; }

    // The warning shown when a send is refused for clashing time slots.
    static QString SlotClashText();

signals:
    void QueueJob(QString name, bool send);
    // The link is closing: what is queued or running is dropped and the job
    // of that name goes out at once, before the line closes.
    void QueueLastJob(QString name);
    // What the transport model needs for the job queued next
    // (Transport::Prepare): a part of sent, the copy the send takes from, and
    // for the schedule the rows to write (empty: every row).
    void PrepareJob(int preparation, ModelSnapshot sent, QList<int> scheduleRows);
    void Update();
    void UpdateTabFromTransportModel(int tab);
    void UpdateTabIcon(int tab, int icon);
    void EnableTab(int tab, bool enable);
    void DisplayError(QString text, QString informativeText);
    void Disconnect();
    // A send of tab 0 has been refused: the message schedule risks clashing
    // time slots. The window shows text in a modal warning box; a tool prints
    // it. Nothing has been queued. Without a listener the text goes to the
    // debug log.
    void SlotClashWarning(QString text);
    // A transfer has started (true) or ended (false).
    void TransferRunning(bool running);
    // A step of the transfer starts: what it does, the lines of the whole
    // request written so far and in all, the time the rest should take.
    // Empty with zeros when the transfer has ended.
    void TransferProgress(QString step, int done, int total, int remainingMs);
    // What the unit holds of a tab after a send, against what was sent: one
    // "field: sent -> held" line per field it did not take; empty when it
    // took everything.
    void ReadBackResult(int tab, QStringList mismatches);
    // A send was refused before anything went out; text names each field.
    void SendRefused(QString text);
    // A retrieve has ended; ok false when it failed or was cancelled, and
    // then no tab was updated.
    void RetrieveFinished(bool ok);
    // A send ended before it was complete; text names the tabs that the unit
    // may hold only in part.
    void TransferInterrupted(QString text);
    // What a send did, as data; just before its SendFinished.
    void SendReported(SendOutcome outcome);
    // A send has ended: complete when everything went out and was read back
    // (the read-back results come first), false when it was cut off.
    void SendFinished(bool complete);

public slots:
    void Connected();
    void ConnectError(QString error);
    // A failed step ends the link with an error naming the step of the
    // transfer and the transport's reason.
    void CommandError(QString reason);
    void AtoNSentenceError(QString reason);
    void JobComplete(QString name, bool send);
    void AllJobsComplete();
    void Timeout(QString reason = QString());
    void Disconnected();
    void Disconnecting();
    void SendError(QString reason = QString());
    // The device has gone (unplugged, or the far end closed); reason says how.
    void LineLost(QString reason);
    // A line written by the transport for a job, for the progress of a
    // transfer; lines of jobs that are not the transfer's do not count.
    void LineSent(QString name, bool send);
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
    enum Transfer
    {
        NoTransfer,
        Retrieving,
        Sending
    };
    void SetTabState(int tab, int state, bool enable);
    void StartSerialNumberTest();
    void GiveUpPolling();
    void ShowSlotClashWarning(const Model &document);
    static bool IsConfigurationTab(int tab) { return tab == 0 || tab == 1; }

    bool SendAccepted(const Model &document, int tabs);
    void AddReadJobs(int tabs, bool readBack);
    void BeginTransfer(Transfer kind, int tabs);
    void QueueCurrentJob();
    void Prepare(Transport::Preparation preparation);
    void FinishRetrieve();
    void FinishSend();
    // Empty when the unit on the line is the expected one; otherwise why not.
    QString UnitMismatch() const;
    void RefuseForOtherUnit(const QString &mismatch);
    QStringList Mismatches(int tab) const;
    QList<int> ScheduleRowsToSend(const QString &serial) const;
    // Ends the transfer that failed or was cut off, if one runs; for a send,
    // returns what the unit may now hold.
    QString AbandonTransfer();
    // A failure's text and, after it, what the unit holds because of it.
    static QString WithWhatIsHeld(const QString &failure, const QString &held);
    void EndTransfer();
    void EmitProgress();
    // The first error of a link is shown; what follows from it is not.
    void LinkError(const QString &text, const QString &informativeText, bool disconnectFirst);
    QString TransferErrorTitle() const;
    // The informative text of an error: the step of the transfer that
    // failed, if one runs, and the reason. lineFailed: the line itself
    // failed, not one job's answer.
    QString FailureText(const QString &reason, bool lineFailed = false) const;

    bool connected = false;
    Model *document;
    const Model *unitModel;
    int tabStates[TabCount] = {TabNoLink, TabNoLink};
    QTimer *pollingTimer;
    bool polling = false;
    int missedAnswers = 0;
    bool gaveUp = false;

    Transfer transfer = NoTransfer;
    int transferTabs = 0;
    TransferPlan plan;
    // What the send in progress sends, as it was when the send was accepted.
    ModelSnapshot sentCopy;
    // The tab was changed while its transfer ran.
    bool editedDuringTransfer[TabCount] = {false, false};
    // The unit the next send is meant for; the send under way keeps its own
    // in its report, with the lines it has written.
    UnitIdentity expectedUnit;
    SendReport report;
    // The serial number the unit answered last, and whether the send in
    // progress has confirmed the unit.
    QString answeredSerial;
    bool unitConfirmed = false;
    // The unit's active schedule rows by name ("6/1"; a report row is
    // active even with both channels off), as last read on this link, and
    // the serial number of the unit that answered it.
    QSet<QString> unitRowsInUse;
    QString unitRowsSerial;
    // The link is being closed on purpose.
    bool closing = false;
    // An error has been shown for this link.
    bool errorShown = false;
};

#endif // STATEMACHINE_H
