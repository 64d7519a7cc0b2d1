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
    // Retrieves, sends the file's configuration, retrieves again and lists
    // every field the unit does not hold as sent.
    static int Send(const QString &vendorId, const QString &port, const QString &file);
};

#endif // TRANSFERCOMMANDS_H
