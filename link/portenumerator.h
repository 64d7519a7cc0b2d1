#ifndef PORTENUMERATOR_H
#define PORTENUMERATOR_H

#include "link/portinfo.h"

#include <QStringList>

// Lists the serial ports present now: the system's serial devices, then every
// existing path named in the environment variable VANDREL_PORTS (paths
// separated by ":"), which is how pseudo-terminals such as the unit simulator's
// line are offered.
class PortEnumerator
{
public:
    static PortInfoList Ports();
    static PortInfoList SystemPorts();
    static PortInfoList EnvironmentPorts();
    // Every path the environment names, present or not.
    static QStringList EnvironmentPaths();
};

#endif // PORTENUMERATOR_H
