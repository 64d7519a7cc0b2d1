#include "app/transferentry.h"

#include "app/mmsiguard.h"
#include "app/vandrelversion.h"
#include "model/geoposition.h"
#include "model/model.h"
#include "model/padfile.h"

#include <QSysInfo>

namespace {

// Degrees to seven places: about a centimetre, and no binary noise.
QString Degrees(double value, double notAvailable)
{
    return value == notAvailable ? QString() : QString::number(value, 'f', 7);
}

} // namespace

RegisterEntry TransferEntry::Make(RegisterEntry::Kind kind, const QString &engineer,
                                  const QString &port)
{
    RegisterEntry entry = RegisterEntry::New(kind);
    entry.engineer = engineer.trimmed().isEmpty() ? LoginName() : engineer.trimmed();
    entry.computer = QSysInfo::machineHostName();
    entry.programVersion = QLatin1String(VandrelVersion::Number());
    entry.port = port;
    return entry;
}

void TransferEntry::Describe(const Model &configuration, RegisterEntry *entry)
{
    const AtoN *aton = configuration.GetAtoN();
    entry->configuration = PadFile::ToBytes(configuration);
    entry->mmsiAfter = MmsiGuard::GivenBy(configuration);
    entry->unitName = aton->Name();
    entry->latitude = Degrees(aton->GetPosition()->Latitude(), GeoPosition::NotAvailableLatitude);
    entry->longitude =
        Degrees(aton->GetPosition()->Longitude(), GeoPosition::NotAvailableLongitude);
}

QString TransferEntry::LoginName()
{
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QString();
}
