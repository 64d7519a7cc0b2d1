#ifndef ONAIRCOMMAND_H
#define ONAIRCOMMAND_H

#include <QString>
#include <QStringList>

class AtoN;
class UnitSession;

// --on-air [MINUTES] of send and commission: after the send, the unit's
// own next report is waited for and compared with what was sent.
class OnAirCommand
{
public:
    // A day at most: a longer wait is a typing slip.
    static constexpr double MaximumMinutes = 24 * 60.0;

    // Takes "--on-air", "--on-air MINUTES" and "--on-air=MINUTES" out of
    // arguments (the minutes are optional, so a parser that wants a value or
    // none cannot read them). *minutes is 0 when the option is not given,
    // the default when it comes without minutes; false with *errorText for
    // minutes that are no number in range.
    static bool Take(QStringList *arguments, double *minutes, QString *errorText);
    // Waits for the report and says what it found on standard error (the
    // differences on standard output). Returns ExitDone when the report
    // carries every field sent, ExitDifferent when it differs, ExitFailure
    // when none came within the minutes or the line closed first. *verdict,
    // where given, gets the finding in one line, for the register.
    static int Wait(UnitSession *session, const AtoN &sent, double minutes,
                    QString *verdict = nullptr);
};

#endif // ONAIRCOMMAND_H
