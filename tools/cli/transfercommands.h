#ifndef TRANSFERCOMMANDS_H
#define TRANSFERCOMMANDS_H

#include <QString>

// The commands that talk to the unit: retrieve and send.
class TransferCommands
{
public:
    // Retrieves both tabs; writes them to output when one is given (whole or
    // not at all; inPlace: see FileCommands::Save), prints them otherwise.
    // registerText: --register as given (empty: the usual choice); the
    // retrieve is written there.
    static int Retrieve(const QString &vendorId, const QString &port, const QString &output,
                        bool inPlace = false, const QString &registerText = QString());
    // Sends the file's configuration, reads it back and lists every field
    // the unit does not hold as sent. The schedule rows the file does not
    // name stay as the unit holds them; with exactSchedule the unit is read
    // first and each of its rows in use that the file does not name is
    // switched off, named before anything goes out.
    //
    // Before the first sentence the register is asked whether another unit
    // holds the MMSI the file gives; the send is refused then (and when a
    // shared register cannot be asked) unless reassignMmsi. strict refuses a
    // file whose MMSI or name no AtoN should carry. The send is written to
    // the register.
    struct SendOptions
    {
        bool exactSchedule = false;
        QString registerText;
        bool reassignMmsi = false;
        bool strict = false;
        // Above 0: then waits that long for the unit's own report and
        // compares it with what was sent (see OnAirCommand::Wait).
        double onAirMinutes = 0;
    };
    static int Send(const QString &vendorId, const QString &port, const QString &file,
                    const SendOptions &options);
};

#endif // TRANSFERCOMMANDS_H
