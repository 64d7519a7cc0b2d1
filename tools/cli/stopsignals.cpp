#include "stopsignals.h"

#include "platform/platform.h"

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    watch = Platform::Current().WatchStopRequests([this] { emit Stop(); }, this);
}

// The watch goes first, so that no request arrives for a half-destroyed
// object; the default handling of the signals comes back with it.
StopSignals::~StopSignals()
{
    delete watch;
}
