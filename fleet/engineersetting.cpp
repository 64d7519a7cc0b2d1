#include "fleet/engineersetting.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

const char *const Key = "EngineerName";

QSettings UserStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

} // namespace

QString EngineerSetting::Read()
{
    return UserStore().value(QLatin1String(Key)).toString();
}

void EngineerSetting::Write(const QString &name)
{
    UserStore().setValue(QLatin1String(Key), name);
}
