#ifndef TRANSFERJOURNAL_H
#define TRANSFERJOURNAL_H

#include "register/registerentry.h"

#include <QObject>
#include <QStringList>

class Model;
class UnitRegister;
class UnitSession;

// Writes an entry to the register for every transfer one unit session
// makes: each retrieve or inspection, each send (complete, cut off part-way,
// or read back with fields the unit did not take). The window, vandrel-cli
// and fleet runs each give their sessions one, so all three record alike.
class TransferJournal : public QObject
{
    Q_OBJECT

public:
    // Neither is owned; both must outlive the journal.
    TransferJournal(UnitSession *session, UnitRegister *unitRegister, QObject *parent = nullptr);
    // An entry still held is written as it stands.
    ~TransferJournal() override;

    void SetEngineer(const QString &name) { engineer = name; }
    // A fleet run's id and records folder, for the entries from now on.
    void SetBatch(const QString &batch, const QString &folder);
    // What the next read or send is for (a verify, a record, a commission)
    // where the session's own kind (retrieve, send) says too little.
    void SetNextKind(RegisterEntry::Kind kind);
    // Call just before a send: what goes out, and whether the engineer chose
    // to give the unit an MMSI the register has for another unit.
    void NoteSend(const Model &document, bool mmsiReassigned);
    // The files made for the transfer that ends now, for its entry; a
    // transfer that failed is written a turn of the event loop after it
    // ended, so these may come as late as that.
    void SetRecords(const QStringList &files);
    // The next entry waits for its records (SetRecords), for a send whose
    // records are made only after more talk with the unit (its battery,
    // its report on air), so that the entry still names them.
    void HoldNextEntry() { holdNext = true; }
    // Appended to the detail of the entry held or about to be written: what
    // was learnt of the unit after the transfer itself ended.
    void AddDetail(const QString &text);

    // The id of the last entry written or spooled, for records to name.
    QString LastEntryId() const { return lastEntryId; }
    // The id the next entry will carry, for a record written before its
    // transfer's entry (a commission's PDF is made as the read-back ends).
    QString ReserveEntryId();

signals:
    void EntryRecorded(const RegisterEntry &entry);

private slots:
    void NoteTransfer(bool running);
    void NoteFailure(const QString &title, const QString &text);
    void RecordRead(bool ok);
    void RecordSend(bool complete, const QStringList &mismatches);

private:
    RegisterEntry Begin(RegisterEntry::Kind kind) const;
    void Write(RegisterEntry entry);
    void Finish(RegisterEntry entry);

    UnitSession *session;
    UnitRegister *unitRegister;
    QString engineer;
    QString batch;
    QString folder;
    bool kindSet = false;
    RegisterEntry::Kind nextKind = RegisterEntry::Kind::Retrieve;
    QByteArray sending;
    bool reassigned = false;
    QString mmsiBefore;
    QString failure;
    bool refused = false;
    QStringList records;
    bool recordsGiven = false;
    bool holdNext = false;
    bool holding = false;
    RegisterEntry held;
    QString extraDetail;
    QString reservedId;
    QString lastEntryId;
};

#endif // TRANSFERJOURNAL_H
