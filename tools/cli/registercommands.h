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

    static int History(const QString &where, const HistoryFilter &filter, bool json);
    // Writes the entry's configuration, byte for byte, to output.
    static int Configuration(const QString &where, const QString &id, const QString &output);
    // Takes in the records folders below folder (MMSI-SERIAL.pad, .pdf and
    // .log, and summary.csv); a folder taken in twice gives no entry twice.
    static int Import(const QString &where, const QString &folder);
    static int Export(const QString &where, const QString &csvFile);
};

#endif // REGISTERCOMMANDS_H
