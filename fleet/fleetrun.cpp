#include "fleet/fleetrun.h"

#include "app/mmsiguard.h"
#include "app/transferjournal.h"
#include "fleet/sessionunitlink.h"
#include "fleet/unitlink.h"
#include "fleet/unitrecord.h"
#include "link/serialcontroller.h"
#include "model/configurationdiff.h"
#include "model/filesaver.h"
#include "model/model.h"
#include "model/padfile.h"
#include "model/regularfile.h"
#include "model/visibletext.h"
#include "register/unitregister.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

FleetRun::FleetRun(const FleetPlan &plan, const QString &recordsFolder, const QString &engineer,
                   PdfWriter pdf, QObject *parent)
    : QObject(parent), plan(plan), folder(recordsFolder), engineer(engineer), pdf(std::move(pdf)),
      batch(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'")))
{}

void FleetRun::SetRegister(UnitRegister *newRegister)
{
    if (unitRegister)
        disconnect(unitRegister, nullptr, this, nullptr);
    qDeleteAll(journals);
    journals.clear();
    unitRegister = newRegister;
    // Journals write to the register they were made with: none outlives it.
    if (unitRegister)
        connect(unitRegister, &QObject::destroyed, this, [this] {
            qDeleteAll(journals);
            journals.clear();
        });
}

TransferJournal *FleetRun::JournalOf(UnitLink *link)
{
    if (!unitRegister)
        return nullptr;
    if (TransferJournal *journal = journals.value(link))
        return journal;
    auto *sessionLink = qobject_cast<SessionUnitLink *>(link);
    if (!sessionLink)
        return nullptr;
    auto *journal = new TransferJournal(sessionLink->Session(), unitRegister, this);
    journal->SetEngineer(engineer);
    journal->SetBatch(batch, QDir(folder).absolutePath());
    journals.insert(link, journal);
    connect(link, &QObject::destroyed, this, [this, link] { delete journals.take(link); });
    return journal;
}

void FleetRun::SetReassign(bool allowed)
{
    reassign = allowed;
    assignment.SetReassign(allowed);
}

bool FleetRun::Prepare(QString *errorText)
{
    if (!QDir().mkpath(folder)) {
        *errorText =
            tr("%1: the records folder could not be made").arg(VisibleText::OneLine(folder));
        return false;
    }
    QStringList mmsis;
    for (const FleetPlan::Row &row : plan.Rows())
        mmsis << row.mmsi;
    if (!summary.Open(folder, mmsis, errorText))
        return false;
    TakeFromRegister();
    for (int i = 0; i < plan.RowCount(); ++i) {
        const FleetSummary::Entry &entry = summary.At(i);
        const bool done = entry.state == FleetSummary::State::Verified;
        assignment.AddRow(plan.Rows().at(i).serial, done ? entry.serial : QString());
        // A unit named on a row that is not verified may hold part of it.
        if (!done)
            assignment.TakenBy(i, entry.serial);
        rowStatus << (done ? tr("verified") : tr("waiting"));
    }
    // Rows of the table that are new to the summary are in it from the start.
    return summary.Write(errorText);
}

void FleetRun::TakeFromRegister()
{
    if (!unitRegister)
        return;
    // Newest first: the first entry of an MMSI is what its row holds.
    QSet<QString> seen;
    QList<FleetSummary::Entry> latest;
    QString error;
    const bool read = unitRegister->Each(
        {{}, {}, {}, QDir(folder).absolutePath(), 0},
        [&](const RegisterEntry &entry) {
            if (entry.kind != RegisterEntry::Kind::Commission || entry.mmsiAfter.isEmpty() ||
                seen.contains(entry.mmsiAfter))
                return;
            if (entry.result == RegisterEntry::Result::Done)
                return;
            seen.insert(entry.mmsiAfter);
            FleetSummary::Entry line{entry.mmsiAfter, entry.serial, FleetSummary::State::Failed,
                                     entry.time, entry.detail};
            switch (entry.result) {
            case RegisterEntry::Result::Verified:
                line.state = FleetSummary::State::Verified;
                if (line.verdict.isEmpty())
                    line.verdict = tr("The unit holds every field sent.");
                break;
            case RegisterEntry::Result::Differs:
                line.state = FleetSummary::State::Differs;
                break;
            case RegisterEntry::Result::Failed:
                // Nothing of it reached the unit: the row is free.
                line.serial.clear();
                break;
            case RegisterEntry::Result::CutOff:
            case RegisterEntry::Result::Done:
                break;
            }
            latest.append(line);
        },
        &error);
    // A register out of reach has said so itself; the file stands in.
    if (!read)
        return;
    for (const FleetSummary::Entry &line : qAsConst(latest))
        summary.Take(line);
}

QString FleetRun::Stem(int row, const QString &serial) const
{
    return UnitRecord::FileStem(plan.Rows().at(row).mmsi, serial);
}

QString FleetRun::RecordPath(int row, const QString &suffix) const
{
    if (row < 0 || row >= plan.RowCount())
        return QString();
    return QDir(folder).filePath(Stem(row, summary.At(row).serial) + suffix);
}

void FleetRun::AddUnit(UnitLink *link, int row, bool reassignMmsi)
{
    if (units.contains(link))
        return;
    Unit unit{link, -1, row, false};
    unit.reassign = reassignMmsi;
    units.insert(link, unit);
    link->SetOnAirMinutes(onAirMinutes);
    ++running;
    connect(link, &UnitLink::Identified, this, [this, link] { OnIdentified(link); });
    connect(link, &UnitLink::Retrieved, this, [this, link] { OnRetrieved(link); });
    connect(link, &UnitLink::SendDone, this,
            [this, link](const QStringList &mismatches) { OnSendDone(link, mismatches); });
    connect(link, &UnitLink::Failed, this,
            [this, link](const QString &reason) { OnFailed(link, reason); });
    connect(link, &UnitLink::Progress, this,
            [this, link](const QString &step, int done, int total) {
                OnProgress(link, step, done, total);
            });
    // A unit the caller has already docked goes on from there.
    if (link->IsIdentified()) {
        QMetaObject::invokeMethod(
            this, [this, link] { OnIdentified(link); }, Qt::QueuedConnection);
        return;
    }
    emit UnitMessage(link->Port(), tr("connecting"));
    link->Open();
}

void FleetRun::SetRow(int row, FleetSummary::State state, const QString &serial,
                      const QString &verdict, const QString &status)
{
    rowStatus[row] = status;
    QString error;
    if (state != FleetSummary::State::Waiting || summary.At(row).serial != serial) {
        FleetSummary::Entry entry{plan.Rows().at(row).mmsi, serial, state,
                                  QDateTime::currentDateTimeUtc(), verdict};
        if (!summary.Set(row, entry, &error))
            emit UnitMessage(QString(), error);
    }
    emit RowChanged(row);
}

void FleetRun::OnIdentified(UnitLink *link)
{
    Unit &unit = units[link];
    const UnitLink::Identity identity = link->UnitIdentity();
    emit UnitMessage(link->Port(), tr("unit serial number %1, MMSI %2")
                                       .arg(VisibleText::OneLine(identity.serial),
                                            VisibleText::OneLine(identity.mmsi)));
    UnitAssignment::Outcome outcome;
    if (unit.wantedRow >= 0) {
        if (assignment.Claim(link->Port(), identity.serial, unit.wantedRow, unit.reassign))
            outcome = {UnitAssignment::Kind::Assigned, unit.wantedRow};
    } else {
        outcome = assignment.Assign(link->Port(), identity.serial);
    }
    switch (outcome.kind) {
    case UnitAssignment::Kind::NoRow:
        End(link, Outcome::Failed,
            unit.wantedRow >= 0
                ? tr("row on line %1 is not free for this unit; nothing sent")
                      .arg(plan.Rows().value(unit.wantedRow).line)
                : tr("no row of the table is left for serial number %1; nothing sent")
                      .arg(VisibleText::OneLine(identity.serial)));
        return;
    case UnitAssignment::Kind::AlreadyDone:
        // A file says so; only the unit can say that it still holds it.
        unit.row = outcome.row;
        unit.checking = true;
        emit UnitMessage(link->Port(),
                         tr("MMSI %1 was verified on this unit in an earlier run; reading the "
                            "unit to see whether it still holds its row and the template")
                             .arg(plan.Rows().at(outcome.row).mmsi));
        if (TransferJournal *journal = JournalOf(link))
            journal->SetNextKind(RegisterEntry::Kind::Verify);
        link->Retrieve();
        return;
    case UnitAssignment::Kind::Assigned:
        break;
    }
    unit.row = outcome.row;
    SendRow(link);
}

void FleetRun::OnRetrieved(UnitLink *link)
{
    Unit &unit = units[link];
    if (unit.ended || !unit.checking)
        return;
    unit.checking = false;
    const FleetPlan::Row &row = plan.Rows().at(unit.row);
    const QStringList differences = ConfigurationDiff::SentLines(*row.configuration, link->Held());
    if (differences.isEmpty()) {
        rowStatus[unit.row] = tr("verified");
        emit RowChanged(unit.row);
        End(link, Outcome::Verified,
            tr("MMSI %1 was verified on this unit in an earlier run, and the unit still holds "
               "its row and the template; nothing sent")
                .arg(row.mmsi));
        return;
    }
    emit UnitMessage(
        link->Port(),
        tr("the unit no longer holds line %1 of the table (%n field(s) differ, "
           "first: %2); sending it again",
           nullptr, differences.size())
            .arg(QString::number(row.line), VisibleText::OneLine(differences.first())));
    SendRow(link);
}

bool FleetRun::NeedsReassign(UnitLink *link, int row, MmsiGuard::Finding *finding) const
{
    return !RegisterRefusal(link, row, finding).isEmpty();
}

QString FleetRun::RegisterRefusal(UnitLink *link, int row, MmsiGuard::Finding *finding) const
{
    *finding = MmsiGuard::Finding();
    if (!unitRegister || row < 0 || row >= plan.RowCount())
        return QString();
    const UnitLink::Identity identity = link->UnitIdentity();
    *finding =
        MmsiGuard::Check(unitRegister, identity.serial, identity.mmsi, plan.Rows().at(row).mmsi);
    return MmsiGuard::Refusal(*finding, unitRegister->Location().IsShared());
}

QString FleetRun::MmsiRefusal(UnitLink *link, int row, bool *overridden) const
{
    MmsiGuard::Finding finding;
    const QString refusal = RegisterRefusal(link, row, &finding);
    // The register keeps that the engineer overrode it.
    *overridden = !refusal.isEmpty() && (reassign || units.value(link).reassign);
    if (refusal.isEmpty() || *overridden)
        return QString();
    return VisibleText::OneLine(
        reassignWording.isEmpty()
            ? refusal
            : tr("%1 Nothing was sent; %2").arg(finding.text, reassignWording));
}

void FleetRun::SendRow(UnitLink *link)
{
    Unit &unit = units[link];
    const UnitLink::Identity identity = link->UnitIdentity();
    const FleetPlan::Row &row = plan.Rows().at(unit.row);
    bool overridden = false;
    const QString refusal = MmsiRefusal(link, unit.row, &overridden);
    if (!refusal.isEmpty()) {
        // The row stays free for the unit that holds its MMSI; the engineer
        // may yet give it to this one.
        assignment.Release(unit.row);
        rowStatus[unit.row] = tr("refused: %1").arg(refusal);
        emit RowChanged(unit.row);
        End(link, Outcome::Failed, refusal, true);
        return;
    }
    unit.sending = true;
    SetRow(unit.row, FleetSummary::State::Waiting, identity.serial, QString(),
           tr("docked on %1").arg(VisibleText::OneLine(link->Port())));
    emit UnitMessage(link->Port(),
                     tr("sending line %1 of the table: MMSI %2, \"%3\"")
                         .arg(QString::number(row.line), row.mmsi, VisibleText::OneLine(row.name)));
    if (TransferJournal *journal = JournalOf(link)) {
        journal->SetNextKind(RegisterEntry::Kind::Commission);
        journal->NoteSend(*row.configuration, overridden);
        journal->HoldNextEntry();
    }
    link->Send(*row.configuration);
}

void FleetRun::OnProgress(UnitLink *link, const QString &step, int done, int total)
{
    Unit &unit = units[link];
    if (unit.row < 0 || unit.ended || !unit.sending || total <= 0)
        return;
    unit.sent = done;
    rowStatus[unit.row] = tr("sending %1 of %2").arg(QString::number(done), QString::number(total));
    emit RowChanged(unit.row);
    Q_UNUSED(step)
}

void FleetRun::Stop(const QString &why)
{
    const QList<UnitLink *> links = units.keys();
    for (UnitLink *link : links) {
        const Unit &unit = units[link];
        if (unit.ended)
            continue;
        if (unit.row < 0) {
            End(link, Outcome::Failed, tr("%1; nothing was sent").arg(why));
            continue;
        }
        const FleetPlan::Row &row = plan.Rows().at(unit.row);
        OnFailed(link, unit.sent > 0
                           ? tr("%1 during the send: the unit may hold line %2 of the table "
                                "(MMSI %3) in part")
                                 .arg(why, QString::number(row.line), row.mmsi)
                           : tr("%1 before anything went out: the unit holds what it held "
                                "before")
                                 .arg(why));
    }
}

void FleetRun::OnSendDone(UnitLink *link, const QStringList &mismatches)
{
    Unit &unit = units[link];
    if (unit.ended || unit.row < 0)
        return;
    const QString serial = link->UnitIdentity().serial;
    const QString verdict = mismatches.isEmpty() ? tr("The unit holds every field sent.")
                                                 : tr("The unit does not hold %n field(s) sent.",
                                                      nullptr, mismatches.size());
    QString error;
    if (!WriteRecords(link, unit.row, verdict, mismatches, &error)) {
        OnFailed(link, error);
        return;
    }
    const bool same = mismatches.isEmpty();
    if (same)
        assignment.Done(unit.row, serial);
    const QString fields = VisibleText::OneLine(mismatches.join(QStringLiteral("; ")));
    SetRow(unit.row, same ? FleetSummary::State::Verified : FleetSummary::State::Differs, serial,
           same ? verdict : verdict + QLatin1Char(' ') + fields,
           same ? tr("verified") : tr("differs: %1").arg(fields));
    for (const QString &line : mismatches)
        emit UnitMessage(link->Port(), QStringLiteral("  ") + VisibleText::OneLine(line));
    End(link, same ? Outcome::Verified : Outcome::Differs, verdict);
}

void FleetRun::OnFailed(UnitLink *link, const QString &fullReason)
{
    // One line for the summary and the progress; the window's boxes put the
    // same text on several.
    const QString reason = VisibleText::OneLine(fullReason.simplified());
    Unit &unit = units[link];
    if (unit.ended)
        return;
    if (unit.row >= 0 && unit.checking) {
        // The row stays verified as the earlier run left it; only this look
        // at the unit failed.
        rowStatus[unit.row] = tr("verified earlier; not read now");
        emit RowChanged(unit.row);
    } else if (unit.row >= 0 && unit.sent == 0) {
        // Nothing of the row went out: the unit holds what it held, and the
        // row is free for any unit.
        assignment.Release(unit.row);
        SetRow(unit.row, FleetSummary::State::Failed, QString(),
               tr("serial number %1: %2; nothing was sent")
                   .arg(VisibleText::OneLine(link->UnitIdentity().serial), reason),
               tr("failed: %1").arg(reason));
    } else if (unit.row >= 0) {
        const QString serial = link->UnitIdentity().serial;
        SetRow(unit.row, FleetSummary::State::Failed, serial, reason, tr("failed: %1").arg(reason));
        // What went over the line tells what the unit may now hold; the
        // record says that it is not known.
        UnitRecord record = UnitRecord::Of(*link, tr("Commissioning record"), engineer);
        record.mmsi = plan.Rows().at(unit.row).mmsi;
        record.held.reset();
        record.failure = reason;
        record.verdict = tr("The send did not end (%1). The unit may hold line %2 of the table in "
                            "part; what it holds was not read back.")
                             .arg(reason, QString::number(plan.Rows().at(unit.row).line));
        QString error;
        if (!FileRecords(link, QDir(folder).filePath(Stem(unit.row, serial)), record, &error))
            emit UnitMessage(link->Port(), error);
    }
    End(link, Outcome::Failed, tr("failed: %1").arg(reason));
}

bool FleetRun::WriteRecords(UnitLink *link, int row, const QString &verdict,
                            const QStringList &mismatches, QString *errorText)
{
    const UnitLink::Identity identity = link->UnitIdentity();
    const QString stem = QDir(folder).filePath(Stem(row, identity.serial));
    QString error;
    if (PadFile::Save(stem + QStringLiteral(".pad"), link->Held(), &error) != PadFile::Done) {
        *errorText = tr("%1.pad: %2").arg(VisibleText::OneLine(stem), VisibleText::OneLine(error));
        return false;
    }
    UnitRecord record = UnitRecord::Of(*link, tr("Commissioning record"), engineer);
    record.verdict = verdict;
    record.differences = mismatches;
    return FileRecords(link, stem, record, errorText);
}

bool FleetRun::FileRecords(UnitLink *link, const QString &stem, UnitRecord record,
                           QString *errorText)
{
    // The transfer's entry is written once the session has told of its
    // end, which is after this: the record names it ahead, and it names
    // the files.
    TransferJournal *journal = JournalOf(link);
    if (journal)
        record.registerEntry = journal->ReserveEntryId();
    const bool written = CopyLog(link, stem, record.registerEntry, errorText) &&
                         pdf(record, stem + QStringLiteral(".pdf"), errorText);
    if (journal) {
        QStringList files;
        for (const char *suffix : {".pad", ".pdf", ".log"}) {
            const QFileInfo file(stem + QLatin1String(suffix));
            if (file.exists())
                files << file.absoluteFilePath();
        }
        journal->AddDetail(link->OnAirText());
        journal->SetRecords(files);
    }
    return written;
}

bool FleetRun::CopyLog(UnitLink *link, const QString &stem, const QString &entryId,
                       QString *errorText)
{
    // The traffic so far; the rest of the link (its close) is not part of
    // the commissioning.
    const QString log = link->LogPath();
    if (log.isEmpty())
        return true;
    const QString target = stem + QStringLiteral(".log");
    QFile file;
    QString reason;
    QByteArray bytes;
    if (RegularFile::OpenForReading(log, &file, &reason)) {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    // The .pad cannot name the entry (other tools read it); the log can,
    // in a comment line of its header.
    if (reason.isEmpty() && !entryId.isEmpty())
        bytes = SerialController::WithHeaderNote(bytes, tr("register entry %1").arg(entryId));
    // Written as every other file: a FIFO or a device planted in the
    // records folder is refused, and a failure leaves the old log.
    if (reason.isEmpty())
        FileSaver::Save(target, bytes, FileSaver::WholeOrNothing, &reason);
    if (!reason.isEmpty()) {
        *errorText = tr("%1: the traffic log could not be copied there: %2")
                         .arg(VisibleText::OneLine(target), VisibleText::OneLine(reason));
        return false;
    }
    return true;
}

void FleetRun::End(UnitLink *link, Outcome outcome, const QString &message, bool keepLine)
{
    Unit &unit = units[link];
    if (unit.ended)
        return;
    unit.ended = true;
    --running;
    worst = qMax(worst, outcome);
    emit UnitMessage(link->Port(), message);
    // The run is done with this unit: a later look at the port (the
    // window's "Find docked units") sends nothing, and a unit docked there
    // is added afresh.
    disconnect(link, nullptr, this, nullptr);
    units.remove(link);
    if (!keepLine)
        link->Close();
    emit UnitEnded(link->Port(), outcome);
    if (running == 0)
        emit Finished();
}
