#include "app/vandrelapplication.h"

#include "model/model.h"

#include <QSettings>
#include <QStringList>

namespace {

const char *const KeyFilename = "Filename";
const char *const KeyLogFilename = "LogFilename";
const char *const KeyPortName = "PortName";
const char *const KeyShowTransmit = "ShowTransmit";
const char *const KeyFCCAccept = "FCCAccept";
const char *const KeyVendorID = "VendorID";

} // namespace

VandrelApplication::VandrelApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setOrganizationName(QCoreApplication::translate("Application", "Orvante"));
    setApplicationName(QCoreApplication::translate("Application", "Quorvel"));
    setOrganizationDomain(QStringLiteral("orvante.com"));
    setApplicationVersion(VersionText());

    editModel = new Model(this);
    transportModel = new Model(this);

    // ---- Link control: construction of the link objects goes here.

    ReadSettings();
    connect(this, &QCoreApplication::aboutToQuit, this, &VandrelApplication::OnClosing);
}

VandrelApplication::~VandrelApplication()
{
    // ---- Link control: waiting for the worker thread goes here.
}

VandrelApplication *VandrelApplication::instance()
{
    auto *application = qobject_cast<VandrelApplication *>(QCoreApplication::instance());
    if (!application)
        qBadAlloc();
    return application;
}

QString VandrelApplication::VersionText()
{
    // __DATE__ pads a one-digit day with a blank ("Feb  1 2023"); the version
    // separates month, day and year by single blanks.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    return QStringLiteral("090300.03.00.05 ") + QStringLiteral(" (") + date + QStringLiteral(")");
}

void VandrelApplication::SetFilename(const QString &name)
{
    fileName = name;
    settingsChanged = true;
}

void VandrelApplication::SetLogFilename(const QString &name)
{
    logFileName = name;
    settingsChanged = true;
}

void VandrelApplication::SetPortName(const QString &name)
{
    portName = name;
    settingsChanged = true;
}

void VandrelApplication::OnClosing()
{
    if (settingsChanged)
        WriteSettings();
}

void VandrelApplication::ReadSettings()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, organizationName(),
                   applicationName());
    fileName = user.value(QLatin1String(KeyFilename), QString()).toString();
    logFileName = user.value(QLatin1String(KeyLogFilename), QString()).toString();
    portName = user.value(QLatin1String(KeyPortName), QString()).toString();
    showTransmit = user.value(QLatin1String(KeyShowTransmit), false).toBool();
    fccAccept = user.value(QLatin1String(KeyFCCAccept), false).toBool();
    settingsChanged = false;

    QSettings system(QSettings::NativeFormat, QSettings::SystemScope, organizationName(),
                     applicationName());
    vendorID = system.value(QLatin1String(KeyVendorID), QStringLiteral("VKX")).toString();
}

void VandrelApplication::WriteSettings()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, organizationName(),
                   applicationName());
    user.setValue(QLatin1String(KeyFilename), fileName);
    user.setValue(QLatin1String(KeyLogFilename), logFileName);
    user.setValue(QLatin1String(KeyPortName), portName);
    user.setValue(QLatin1String(KeyFCCAccept), fccAccept);
    user.sync();
    settingsChanged = false;
}
