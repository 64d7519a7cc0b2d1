#ifndef SIMOPTIONS_H
#define SIMOPTIONS_H

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// How the simulator was asked to behave: where its line appears, how it
// paces, what it holds, what it sends unasked, and which faults it shows.
struct SimOptions
{
    QString linkPath;
    bool fast = false;
    QString stateFile;
    bool unconfigured = false;
    // The identity of the unit the simulator starts as, so that several
    // simulators are several units; a state file that exists wins.
    QString mmsi;
    QString serialNumber;
    // Rows (message, instance) the unit the simulator starts as holds besides
    // its own, such as a row of message 25.
    QList<QPair<int, int>> extraRows;
    bool verbose = false;
    bool prompt = false;  // the shell prompt ">" after each shell answer
    bool version = false; // only the version was asked for

    bool gps = true;
    bool gpsText = true;
    bool vdo = true;
    bool alarms = true;
    bool aiText = true;
    double driftMetres = 0; // out from the nominal position and back; 0: stays put
    bool fixGaps = false;   // the GPS fix comes and goes
    bool rmcOnly = false;   // a receiver that sends RMC without GSA and GSV
    // The name the unit's own message 21 carries instead of the one it
    // holds, as a unit that broadcasts an old name; empty: the one held.
    QString broadcastName;
    double cycleSeconds = 120; // period of the drift and of the fix gaps
    double reportSeconds = 10; // period of the unit's own message 21

    QStringList noAnswer;
    QStringList noAnswerFirst; // left unanswered the first time only
    QStringList refuse;        // set sentences or shell commands the unit does not take
    bool corruptChecksums = false;
    bool answerStatusC = false;
    bool missingField = false;
    bool zeroMmsi = false;
    QStringList badAnswers;
    int lateMs = 0;
    double dockOutAfter = -1; // seconds; negative: never
    double closeAfter = -1;   // seconds; negative: never
    // Another unit takes the dock after this many set sentences and lantern
    // set commands; 0: never. It is the unit of swapStateFile, or a sample
    // unit of another serial number and MMSI.
    int swapAfter = 0;
    QString swapStateFile;
    double floodRate = 0; // lines per second

    // Parses the arguments (without the program name). Returns false with
    // *error set for a bad argument; *help is set when usage was asked for.
    bool parse(const QStringList &arguments, QString *error, bool *help);
    static QString usage();
};

#endif // SIMOPTIONS_H
