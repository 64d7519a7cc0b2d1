#include "app/vandrelsettings.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

const char *const KeyFilename = "Filename";
const char *const KeyLogFilename = "LogFilename";
const char *const KeyPortName = "PortName";
const char *const KeyShowTransmit = "ShowTransmit";
const char *const KeyFCCAccept = "FCCAccept";
const char *const KeyVendorID = "VendorID";
const char *const KeyRegister = "Register";

} // namespace

void VandrelSettings::Name()
{
    QCoreApplication::setOrganizationName(QCoreApplication::translate("Application", "Orvante"));
    QCoreApplication::setApplicationName(QCoreApplication::translate("Application", "Quorvel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("orvante.com"));
}

QString VandrelSettings::SystemVendorId()
{
    QSettings system(QSettings::NativeFormat, QSettings::SystemScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName());
    return system.value(QLatin1String(KeyVendorID), QStringLiteral("VKX")).toString();
}

void VandrelSettings::Read()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope,
                   QCoreApplication::organizationName(), QCoreApplication::applicationName());
    fileName = user.value(QLatin1String(KeyFilename), QString()).toString();
    logFileName = user.value(QLatin1String(KeyLogFilename), QString()).toString();
    portName = user.value(QLatin1String(KeyPortName), QString()).toString();
    showTransmit = user.value(QLatin1String(KeyShowTransmit), false).toBool();
    fccAccept = user.value(QLatin1String(KeyFCCAccept), false).toBool();
    registerText = user.value(QLatin1String(KeyRegister), QString()).toString();
    vendorId = SystemVendorId();
    changed = false;
}

void VandrelSettings::WriteIfChanged()
{
    if (!changed)
        return;
    QSettings user(QSettings::NativeFormat, QSettings::UserScope,
                   QCoreApplication::organizationName(), QCoreApplication::applicationName());
    user.setValue(QLatin1String(KeyFilename), fileName);
    user.setValue(QLatin1String(KeyLogFilename), logFileName);
    user.setValue(QLatin1String(KeyPortName), portName);
    user.setValue(QLatin1String(KeyShowTransmit), showTransmit);
    user.setValue(QLatin1String(KeyFCCAccept), fccAccept);
    user.setValue(QLatin1String(KeyRegister), registerText);
    user.sync();
    changed = false;
}

void VandrelSettings::SetFileName(const QString &name)
{
    fileName = name;
    changed = true;
}

void VandrelSettings::SetLogFileName(const QString &name)
{
    logFileName = name;
    changed = true;
}

void VandrelSettings::SetPortName(const QString &name)
{
    portName = name;
    changed = true;
}

void VandrelSettings::SetShowTransmit(bool show)
{
    if (show != showTransmit) {
        showTransmit = show;
        changed = true;
    }
}

void VandrelSettings::SetRegister(const QString &text)
{
    if (text != registerText) {
        registerText = text;
        changed = true;
    }
}
