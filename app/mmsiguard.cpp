#include "app/mmsiguard.h"

#include "model/model.h"
#include "register/unitregister.h"

bool MmsiGuard::IsUnset(const QString &mmsi)
{
    return mmsi.trimmed().isEmpty() || mmsi == QLatin1String("000000000");
}

QString MmsiGuard::GivenBy(const Model &document)
{
    const AtoNMMSI *mmsi = document.GetAtoN()->GetAtoNMMSI();
    return IsUnset(mmsi->NewMmsi()) ? mmsi->Mmsi() : mmsi->NewMmsi();
}

MmsiGuard::Finding MmsiGuard::Check(UnitRegister *unitRegister, const QString &serial,
                                    const QString &unitMmsi, const QString &newMmsi)
{
    Finding finding;
    finding.unitMmsi = unitMmsi;
    finding.newMmsi = newMmsi;
    if (IsUnset(newMmsi) || newMmsi == unitMmsi)
        return finding;

    const QString change =
        IsUnset(unitMmsi)
            ? tr("This gives the unit (serial number %1) the MMSI %2.")
                  .arg(serial.isEmpty() ? tr("not known") : serial, newMmsi)
            : tr("This changes the unit's MMSI from %1 to %2.").arg(unitMmsi, newMmsi);
    QString error;
    RegisterEntry holder;
    if (!unitRegister) {
        finding.verdict = Verdict::Changes;
        finding.text = change;
        return finding;
    }
    if (!unitRegister->HolderOf(newMmsi, serial, &holder, &error)) {
        finding.verdict = Verdict::NotChecked;
        finding.text =
            change + QLatin1Char(' ') +
            tr("Whether another unit holds MMSI %1 could not be checked: %2").arg(newMmsi, error);
        return finding;
    }
    if (holder.serial.isEmpty()) {
        finding.verdict = Verdict::Changes;
        finding.text = change;
        return finding;
    }
    // Where and when that unit was last met, whatever that entry was.
    QVector<RegisterEntry> latest;
    if (unitRegister->History({holder.serial, {}, {}, {}, 1}, &latest, &error) && !latest.isEmpty())
        holder = latest.first();
    finding.verdict = Verdict::HeldByAnother;
    finding.holder = holder;
    const QString where =
        holder.computer.isEmpty()
            ? QString()
            : tr(" on %1%2")
                  .arg(holder.computer,
                       holder.port.isEmpty() ? QString() : tr(" (port %1)").arg(holder.port));
    finding.text = change + QLatin1Char(' ') +
                   tr("The register says MMSI %1 belongs to another unit, serial number %2, "
                      "last seen %3%4. Two units with one MMSI show as one station on every "
                      "chart.")
                       .arg(newMmsi, holder.serial,
                            holder.time.toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")), where);
    return finding;
}

QString MmsiGuard::Refusal(const Finding &finding, bool sharedRegister)
{
    const bool refused = finding.verdict == Verdict::HeldByAnother ||
                         (finding.verdict == Verdict::NotChecked && sharedRegister);
    if (!refused)
        return QString();
    return tr("%1 Nothing was sent; --reassign-mmsi gives the unit this MMSI all the same.")
        .arg(finding.text);
}
