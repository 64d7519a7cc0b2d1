#ifndef SCRATCHSETTINGS_H
#define SCRATCHSETTINGS_H

#include <QTemporaryDir>

// Keeps the tool away from the window's remembered file, log and port: the
// user's settings store is pointed at a temporary folder for the life of the
// object, so that a port given on the command line is not remembered by the
// window. The system store (the vendor code) is read as usual. Construct it
// before the application object.
class ScratchSettings
{
public:
    ScratchSettings();

private:
    QTemporaryDir dir;
};

#endif // SCRATCHSETTINGS_H
