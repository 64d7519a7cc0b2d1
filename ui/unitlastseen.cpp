#include "ui/unitlastseen.h"

#include "app/unitsession.h"
#include "register/unitregister.h"

UnitLastSeen::UnitLastSeen(UnitSession *session, QWidget *parent) : QLabel(parent), session(session)
{
    setObjectName(QStringLiteral("labelLastSeen"));
    setWordWrap(true);
    connect(session, &UnitSession::IdentityChanged, this, &UnitLastSeen::OnIdentityChanged);
}

void UnitLastSeen::SetRegister(UnitRegister *newRegister)
{
    unitRegister = newRegister;
    LookUp(session->Identity().serialNumber);
}

void UnitLastSeen::OnIdentityChanged(const UnitIdentity &now, const UnitIdentity &before)
{
    if (now.serialNumber != before.serialNumber)
        LookUp(now.serialNumber);
}

void UnitLastSeen::LookUp(const QString &serial)
{
    if (!unitRegister || serial.isEmpty()) {
        clear();
        return;
    }
    QVector<RegisterEntry> latest;
    QString error;
    if (!unitRegister->History({serial, {}, {}, {}, 1}, &latest, &error)) {
        setText(tr("Last seen: the register could not be asked (%1)").arg(error));
        return;
    }
    if (latest.isEmpty()) {
        setText(tr("Last seen: never before; the register has no entry for serial number %1.")
                    .arg(serial));
        return;
    }
    const RegisterEntry &entry = latest.first();
    setText(tr("Last seen: %1 by %2 on %3 (%4, %5)")
                .arg(entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")), entry.engineer,
                     entry.computer, RegisterEntry::KindText(entry.kind),
                     RegisterEntry::ResultText(entry.result)));
}
