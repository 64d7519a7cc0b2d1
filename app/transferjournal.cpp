#include "app/transferjournal.h"

#include "app/transferentry.h"
#include "app/unitsession.h"
#include "model/model.h"
#include "model/padfile.h"
#include "register/unitregister.h"

#include <QTimer>

TransferJournal::TransferJournal(UnitSession *session, UnitRegister *unitRegister, QObject *parent)
    : QObject(parent), session(session), unitRegister(unitRegister)
{
    connect(session, &UnitSession::TransferRunning, this, &TransferJournal::NoteTransfer);
    connect(session, &UnitSession::Failed, this, &TransferJournal::NoteFailure);
    connect(session, &UnitSession::RetrieveFinished, this, &TransferJournal::RecordRead);
    connect(session, &UnitSession::SendFinished, this, &TransferJournal::RecordSend);
    connect(session, &UnitSession::SendRefused, this, [this]() { refused = true; });
}

TransferJournal::~TransferJournal()
{
    if (holding)
        Finish(held);
}

void TransferJournal::SetRecords(const QStringList &files)
{
    records = files;
    recordsGiven = true;
    if (holding) {
        holding = false;
        Finish(held);
    }
}

void TransferJournal::AddDetail(const QString &text)
{
    if (text.isEmpty())
        return;
    extraDetail = extraDetail.isEmpty() ? text : extraDetail + QStringLiteral("; ") + text;
}

void TransferJournal::SetBatch(const QString &id, const QString &recordsFolder)
{
    batch = id;
    folder = recordsFolder;
}

void TransferJournal::SetNextKind(RegisterEntry::Kind kind)
{
    nextKind = kind;
    kindSet = true;
}

void TransferJournal::NoteSend(const Model &document, bool mmsiReassigned)
{
    sending = PadFile::ToBytes(document);
    reassigned = mmsiReassigned;
}

QString TransferJournal::ReserveEntryId()
{
    if (reservedId.isEmpty())
        reservedId = RegisterEntry::New(RegisterEntry::Kind::Retrieve).id;
    return reservedId;
}

void TransferJournal::NoteTransfer(bool running)
{
    if (!running)
        return;
    // What the unit held before: a send's entry tells the MMSI it changed.
    mmsiBefore = session->Identity().mmsi;
    failure.clear();
    refused = false;
}

void TransferJournal::NoteFailure(const QString &title, const QString &text)
{
    failure = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
}

RegisterEntry TransferJournal::Begin(RegisterEntry::Kind kind) const
{
    RegisterEntry entry =
        TransferEntry::Make(kindSet ? nextKind : kind, engineer, session->PortName());
    const UnitIdentity identity = session->Identity();
    entry.serial = identity.serialNumber;
    entry.softwareVersion = identity.softwareVersion;
    entry.mmsiBefore = mmsiBefore;
    entry.batch = batch;
    entry.folder = folder;
    return entry;
}

void TransferJournal::RecordRead(bool ok)
{
    RegisterEntry entry = Begin(session->IsInspecting() ? RegisterEntry::Kind::Verify
                                                        : RegisterEntry::Kind::Retrieve);
    if (ok) {
        TransferEntry::Describe(*session->Configuration(), &entry);
        entry.result = RegisterEntry::Result::Done;
    } else {
        // A read cut off holds part of the configuration at most: none is
        // kept, as none could be given back as the unit's.
        entry.mmsiAfter = session->Identity().mmsi;
        entry.result = RegisterEntry::Result::Failed;
    }
    Write(entry);
}

void TransferJournal::RecordSend(bool complete, const QStringList &mismatches)
{
    RegisterEntry entry = Begin(RegisterEntry::Kind::Send);
    Model sent;
    if (!sending.isEmpty() && PadFile::FromBytes(sending, &sent) == PadFile::Done)
        TransferEntry::Describe(sent, &entry);
    else
        TransferEntry::Describe(*session->Document(), &entry);
    entry.mmsiReassigned = reassigned;
    const SendOutcome outcome = session->LastSend();
    if (!complete && outcome.partsWhole == 0 && outcome.partsInPart == 0) {
        // Nothing reached the unit: it keeps its MMSI, and the row's stays
        // free for the unit that holds it.
        entry.result = RegisterEntry::Result::Failed;
        entry.mmsiAfter = mmsiBefore;
        entry.detail = outcome.text;
    } else if (!complete) {
        // The unit may hold any part of what went out, its new MMSI too: the
        // entry ties that MMSI to this unit until it is read again.
        entry.result = RegisterEntry::Result::CutOff;
        entry.detail = outcome.text;
    } else if (!mismatches.isEmpty()) {
        entry.result = RegisterEntry::Result::Differs;
        entry.detail = mismatches.join(QStringLiteral("; "));
        // The read-back tells which MMSI the unit took.
        if (!session->Identity().mmsi.isEmpty())
            entry.mmsiAfter = session->Identity().mmsi;
    } else {
        entry.result = RegisterEntry::Result::Verified;
    }
    sending.clear();
    reassigned = false;
    Write(entry);
}

void TransferJournal::Write(RegisterEntry entry)
{
    kindSet = false;
    if (entry.result == RegisterEntry::Result::Done ||
        entry.result == RegisterEntry::Result::Verified ||
        entry.result == RegisterEntry::Result::Differs) {
        Finish(entry);
        return;
    }
    // The session says why a transfer ended (and whether anything went out
    // at all) just after it says that it ended.
    QTimer::singleShot(0, this, [this, entry]() mutable {
        if (refused)
            return;
        // Why it ended, then what the unit holds because of it, where the
        // failure does not say that already.
        if (failure.contains(entry.detail))
            entry.detail = failure;
        else if (!failure.isEmpty())
            entry.detail = failure + QStringLiteral("; ") + entry.detail;
        Finish(entry);
    });
}

void TransferJournal::Finish(RegisterEntry entry)
{
    if (holdNext) {
        holdNext = false;
        if (!recordsGiven) {
            // An entry still held goes out first, as it stands: no entry
            // takes another's place.
            if (holding) {
                holding = false;
                Finish(held);
            }
            held = entry;
            holding = true;
            return;
        }
    }
    if (!extraDetail.isEmpty()) {
        entry.detail = entry.detail.isEmpty() ? extraDetail
                                              : entry.detail + QStringLiteral("; ") + extraDetail;
        extraDetail.clear();
    }
    recordsGiven = false;
    // A record made for this transfer, as it ended, named it ahead.
    if (!reservedId.isEmpty())
        entry.id = reservedId;
    entry.records = records;
    reservedId.clear();
    records.clear();
    lastEntryId = entry.id;
    unitRegister->Record(entry);
    emit EntryRecorded(entry);
}
