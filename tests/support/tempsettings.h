#ifndef TEMPSETTINGS_H
#define TEMPSETTINGS_H

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// Points every settings store at a temporary folder for the life of the
// object, so that tests never read or write the user's own settings.
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
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

#endif // TEMPSETTINGS_H
