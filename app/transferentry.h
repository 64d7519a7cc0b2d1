#ifndef TRANSFERENTRY_H
#define TRANSFERENTRY_H

#include "register/registerentry.h"

class Model;

// Register entries as the window, vandrel-cli and fleet runs make them, so
// that all three describe a transfer alike.
class TransferEntry
{
public:
    // A new entry stamped with this computer, this program's version and the
    // engineer (the login name when none is given).
    static RegisterEntry Make(RegisterEntry::Kind kind, const QString &engineer,
                              const QString &port);
    // The configuration's bytes, name and nominal position, and the MMSI it
    // gives the unit as the one the unit holds afterwards.
    static void Describe(const Model &configuration, RegisterEntry *entry);
    static QString LoginName();
};

#endif // TRANSFERENTRY_H
