#ifndef TRANSFERCOMMANDS_H
#define TRANSFERCOMMANDS_H

#include <QString>

// The commands that talk to the unit: retrieve and send.
class TransferCommands
{
public:
    // Retrieves both tabs; writes them to output when one is given (whole or
    // not at all; inPlace: see FileCommands::Save), prints them otherwise.
    static int Retrieve(const QString &vendorId, const QString &port, const QString &output,
                        bool inPlace = false);
    // Sends the file's configuration, reads it back and lists every field
    // the unit does not hold as sent. The schedule rows the file does not
    // name stay as the unit holds them; with exactSchedule the unit is read
    // first and each of its rows in use that the file does not name is
    // switched off, named before anything goes out.
    // onAirMinutes above 0: then waits that long for the unit's own report
    // and compares it with what was sent (see OnAirCommand::Wait).
    static int Send(const QString &vendorId, const QString &port, const QString &file,
                    bool exactSchedule = false, double onAirMinutes = 0);
};

#endif // TRANSFERCOMMANDS_H
