#ifndef SURVEYCOMMANDS_H
#define SURVEYCOMMANDS_H

#include <QString>
#include <QStringList>

// survey: the unit's own GPS fixes averaged over some minutes into a
// nominal position, offered on standard output and, with -o, written into
// a .pad of the unit's configuration. Nothing is sent to the unit.
class SurveyCommands
{
public:
    static constexpr double DefaultMinutes = 5.0;
    // A day at most: a longer survey is a typing slip.
    static constexpr double MaximumMinutes = 24 * 60.0;

    struct Options
    {
        QString port;
        double minutes = DefaultMinutes;
        QString output;
        bool debug = false;
    };

    static bool Handles(const QString &word) { return word == QLatin1String("survey"); }
    // arguments with the program name first; false with *errorText for a
    // wrong command line.
    static bool Parse(const QStringList &arguments, Options *options, QString *errorText);
    static int Run(int argc, char **argv);
    static int Survey(const QString &vendorId, const Options &options);
};

#endif // SURVEYCOMMANDS_H
