#ifndef TEMPSETTINGS_H
#define TEMPSETTINGS_H

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// Points every settings store at a temporary folder for the life of the
// object, so that tests never read or write the user's own settings.
// The register goes there too, so that no test sees another's units.
// Construct it before anything opens a QSettings.
class TempSettings
{
public:
    TempSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_dir.path() + "/user");
            QSettings::setPath(format, QSettings::SystemScope, m_dir.path() + "/system");
        }
        qputenv("VANDREL_REGISTER", QFile::encodeName(m_dir.path() + "/register.sqlite"));
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

#endif // TEMPSETTINGS_H
