#ifndef TRAFFICCOMMANDS_H
#define TRAFFICCOMMANDS_H

#include <QString>

// The commands that decode received traffic: monitor (a port, live) and
// replay (a traffic log written by the window or by this tool).
class TrafficCommands
{
public:
    // Until Ctrl-C, or until the line goes away. json: one JSON object a
    // line for each event instead of a text line.
    static int Monitor(const QString &vendorId, const QString &port, const QString &mmsi,
                       bool json);
    // fast: no pause between the lines of the log (the serial line
    // controller otherwise plays one line per 10 ms).
    static int Replay(const QString &vendorId, const QString &log, bool fast, const QString &mmsi,
                      bool json);
};

#endif // TRAFFICCOMMANDS_H
