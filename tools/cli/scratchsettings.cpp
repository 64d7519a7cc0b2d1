#include "scratchsettings.h"

#include <QSettings>

ScratchSettings::ScratchSettings()
{
    if (dir.isValid()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    }
}
