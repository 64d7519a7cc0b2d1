#ifndef REGISTERCOMMANDS_H
#define REGISTERCOMMANDS_H

#include "register/historyfilter.h"

#include <QString>

#include <memory>

class UnitRegister;

// The commands that read and fill the register of units and transfers:
// history, history --config, register import and register export.
class RegisterCommands
{
public:
    // The register named by --register, VANDREL_REGISTER or the window's
    // setting, opened, its notices going to standard error; null (and said
    // why) when the name is wrong.
    static std::unique_ptr<UnitRegister> Open(const QString &where);

    // With padFile, the entries of that file: a .pad carries no entry id of
    // its own (other tools read it as it is), so its bytes find the
    // transfers that sent or read that configuration, and its path the
    // transfer that made it a record.
    static int History(const QString &where, HistoryFilter filter, bool json,
                       const QString &padFile = QString());
    // Writes the entry's configuration, byte for byte, to output.
    static int Configuration(const QString &where, const QString &id, const QString &output);
    // Takes in the records folders below folder (MMSI-SERIAL.pad, .pdf and
    // .log, and summary.csv); a folder taken in twice gives no entry twice.
    static int Import(const QString &where, const QString &folder);
    static int Export(const QString &where, const QString &csvFile);
};

#endif // REGISTERCOMMANDS_H
