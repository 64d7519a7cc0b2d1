#ifndef FLEETRUN_H
#define FLEETRUN_H

#include "app/mmsiguard.h"
#include "fleet/fleetplan.h"
#include "fleet/fleetsummary.h"
#include "fleet/unitassignment.h"
#include "fleet/unitrecord.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class TransferJournal;
class UnitLink;
class UnitRegister;

// Commissions the docked units of one plan, all at once: each unit that
// reports who it is gets its row (UnitAssignment), is sent the template with
// that row, read back, compared and recorded in the records folder
// (MMSI-SERIAL.pad, .pdf, .log) and in summary.csv. The command line and the
// window both run their batches through it.
class FleetRun : public QObject
{
    Q_OBJECT

public:
    using PdfWriter = std::function<bool(const UnitRecord &, const QString &, QString *)>;

    // Where a unit ended, worst last; the command's exit status follows the worst.
    enum class Outcome
    {
        Verified, // holds its row and the template, or did already
        Differs,  // sent, but does not hold every field
        Failed    // the line, the unit or a file failed, or no row was left
    };

    // plan: loaded without problems. pdf: prints a record; the engineer is
    // named on each.
    FleetRun(const FleetPlan &plan, const QString &recordsFolder, const QString &engineer,
             PdfWriter pdf, QObject *parent = nullptr);

    // The register asked before a row's MMSI goes to a unit and told of
    // every read and send of the run (not owned; null: none is asked).
    void SetRegister(UnitRegister *unitRegister);
    // The engineer lets a row go to a unit although another unit took part
    // of it, or the register has its MMSI for another unit.
    void SetReassign(bool allowed);
    // How the engineer gives a refused row's MMSI all the same, for the
    // refusal's words (the command line's option unless said otherwise).
    void SetReassignWording(const QString &wayOn) { reassignWording = wayOn; }
    // After each send, wait this long for the unit's own report on air and
    // compare it with what was sent, for the unit's record and entry; 0: no.
    void SetOnAirMinutes(double minutes) { onAirMinutes = minutes; }

    // Reads what an earlier run left in the records folder (making the
    // folder if need be); false with *errorText when it cannot be used.
    bool Prepare(QString *errorText);

    // Takes a unit on and commissions it with the row it is due; the link
    // is not owned. row >= 0: that row, if it is free for this unit.
    // reassignMmsi: the engineer chose to give this unit the row's MMSI
    // although the register has it for another unit (or cannot be asked).
    void AddUnit(UnitLink *link, int row = -1, bool reassignMmsi = false);
    // Whether the row's MMSI goes to the identified unit on link only by
    // the engineer's choice, with what the register said (*finding).
    bool NeedsReassign(UnitLink *link, int row, MmsiGuard::Finding *finding) const;
    // Ends every unit still running, as when the engineer stops the run:
    // each line is closed, which resets its unit, and each row being sent
    // is recorded as failed with what its unit may hold of it. why begins
    // each unit's message: "the run was stopped".
    void Stop(const QString &why);

    const FleetPlan &Plan() const { return plan; }
    const FleetSummary &Summary() const { return summary; }
    // "waiting", "docked on /dev/pts/3", "sending 12 of 40", "verified",
    // "failed: the line closed".
    QString RowStatus(int row) const { return rowStatus.value(row); }
    QString RecordPath(int row, const QString &suffix) const;
    // Units added that have not yet ended.
    int Running() const { return running; }
    Outcome Worst() const { return worst; }

signals:
    void RowChanged(int row);
    // What a unit is doing, one line at a time.
    void UnitMessage(QString port, QString text);
    void UnitEnded(QString port, FleetRun::Outcome outcome);
    // Every unit added has ended.
    void Finished();

private:
    struct Unit
    {
        QPointer<UnitLink> link;
        int row = -1;
        int wantedRow = -1;
        bool ended = false;
        // Reading a unit verified in an earlier run, to see that it still
        // holds its row; sending its row.
        bool checking = false;
        bool sending = false;
        int sent = 0; // sentences of the send out so far
        bool reassign = false;
    };
    void OnIdentified(UnitLink *link);
    void OnRetrieved(UnitLink *link);
    void SendRow(UnitLink *link);
    // The register has the row's MMSI for another unit (or could not be
    // asked, where it is shared) and the engineer has not overridden that:
    // why nothing is sent; else empty. *overridden: the engineer's override
    // let the row go.
    // What the register says against sending the row's MMSI to the unit
    // on link (empty: nothing), with its finding.
    QString RegisterRefusal(UnitLink *link, int row, MmsiGuard::Finding *finding) const;
    QString MmsiRefusal(UnitLink *link, int row, bool *overridden) const;
    void OnSendDone(UnitLink *link, const QStringList &mismatches);
    void OnFailed(UnitLink *link, const QString &reason);
    void OnProgress(UnitLink *link, const QString &step, int done, int total);
    // keepLine: nothing was sent and the engineer may still give the unit a
    // row, so its line stays open.
    void End(UnitLink *link, Outcome outcome, const QString &message, bool keepLine = false);
    void SetRow(int row, FleetSummary::State state, const QString &serial, const QString &verdict,
                const QString &status);
    // The read-back configuration, the printed record and the traffic log;
    // false with *errorText naming the file that could not be written.
    bool WriteRecords(UnitLink *link, int row, const QString &verdict,
                      const QStringList &mismatches, QString *errorText);
    // The printed record and the traffic log, each naming the transfer's
    // register entry, which names them.
    bool FileRecords(UnitLink *link, const QString &stem, UnitRecord record, QString *errorText);
    bool CopyLog(UnitLink *link, const QString &stem, const QString &entryId, QString *errorText);
    QString Stem(int row, const QString &serial) const;
    // What the register says each row of this folder came to, before the
    // copy in summary.csv.
    void TakeFromRegister();
    // The journal of the link's unit session, made at its first use; null
    // without a register or for a link that has no session.
    TransferJournal *JournalOf(UnitLink *link);

    FleetPlan plan;
    QString folder;
    QString engineer;
    PdfWriter pdf;
    FleetSummary summary;
    UnitAssignment assignment;
    QHash<UnitLink *, Unit> units;
    QList<QString> rowStatus;
    // The window may change its register while a run goes on.
    QPointer<UnitRegister> unitRegister;
    // Kept across the units' ends: a link added again in the run is told
    // of by the same journal, once.
    QHash<UnitLink *, TransferJournal *> journals;
    // What the entries of this run share, with the records folder.
    QString batch;
    bool reassign = false;
    QString reassignWording;
    double onAirMinutes = 0;
    int running = 0;
    Outcome worst = Outcome::Verified;
};

#endif // FLEETRUN_H
