#include "platform/platform.h"

#include <QDir>

namespace {

Platform *standIn = nullptr;

} // namespace

Platform &Platform::Current()
{
    return standIn ? *standIn : System();
}

void Platform::Replace(Platform *platform)
{
    standIn = platform;
}

QString Platform::SaveTarget::Path() const
{
    return QDir(folderPath).filePath(name);
}
