#ifndef FLEETCOMMANDS_H
#define FLEETCOMMANDS_H

#include <QString>
#include <QStringList>

// commission, verify and record: the commands that work on docked units as
// a commissioning bench does, each on unit sessions of its own.
class FleetCommands
{
public:
    static bool Handles(const QString &word);
    // Parses the whole command line and runs the command; the exit status.
    static int Run(int argc, char **argv);

private:
    struct Options
    {
        QString command;
        QString templatePath;
        QString unitsPath;
        QString records;
        QStringList ports;
        QString engineer;
        QString output;
        QString file;
        QString registerText;
        bool reassignMmsi = false;
        bool debug = false;
        // Refuse a table whose identities draw a warning.
        bool strict = false;
        // commission --on-air: minutes to wait for each unit's own report
        // after its send; 0 when not asked.
        double onAirMinutes = 0;
    };
    static bool Parse(const QStringList &arguments, Options *options, QString *errorText);
    static int Commission(const Options &options);
    static int Verify(const Options &options);
    static int Record(const Options &options);
};

#endif // FLEETCOMMANDS_H
