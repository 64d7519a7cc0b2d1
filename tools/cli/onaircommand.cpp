#include "onaircommand.h"

#include "console.h"
#include "exitstatus.h"
#include "stopsignals.h"

#include "app/onaircheck.h"
#include "model/visibletext.h"

#include <QEventLoop>

namespace {

bool Minutes(const QString &text, double *minutes)
{
    bool ok = false;
    *minutes = text.toDouble(&ok);
    return ok && *minutes > 0 && *minutes <= OnAirCommand::MaximumMinutes;
}

} // namespace

bool OnAirCommand::Take(QStringList *arguments, double *minutes, QString *errorText)
{
    *minutes = 0;
    const QString option = QStringLiteral("--on-air");
    for (int i = 0; i < arguments->size(); ++i) {
        const QString argument = arguments->at(i);
        if (argument == QLatin1String("--"))
            break;
        QString value;
        if (argument.startsWith(option + QLatin1Char('='))) {
            value = argument.mid(option.size() + 1);
        } else if (argument == option) {
            // The next word is the minutes only when it is a number: a file
            // name may follow the option.
            const QString following = arguments->value(i + 1);
            bool number = false;
            following.toDouble(&number);
            if (number) {
                value = following;
                arguments->removeAt(i + 1);
            } else {
                *minutes = OnAirCheck::DefaultMinutes;
            }
        } else {
            continue;
        }
        arguments->removeAt(i--);
        if (!value.isNull() && !Minutes(value, minutes)) {
            *errorText = QStringLiteral("--on-air takes the minutes to wait, above 0 and up to "
                                        "%1 (\"%2\").")
                             .arg(MaximumMinutes)
                             .arg(VisibleText::OneLine(value));
            return false;
        }
    }
    return true;
}

int OnAirCommand::Wait(UnitSession *session, const AtoN &sent, double minutes, QString *verdict)
{
    OnAirCheck check(session);
    Console::Err(QStringLiteral("Waiting up to %1 min for the unit's own report on air\n")
                     .arg(QString::number(minutes, 'g', 4)));
    QEventLoop loop;
    QObject::connect(&check, &OnAirCheck::Finished, &loop, &QEventLoop::quit);
    StopSignals stop;
    bool stopped = false;
    QObject::connect(&stop, &StopSignals::Stop, &loop, [&] {
        stopped = true;
        loop.quit();
    });
    check.Start(sent, qint64(minutes * 60000.0));
    loop.exec();
    if (verdict)
        *verdict = stopped ? QStringLiteral("On air: the check was stopped.")
                           : VisibleText::OneLine(check.Text());
    if (stopped) {
        Console::Error(QStringLiteral("The on-air check was stopped; whether the unit broadcasts "
                                      "what it holds is not known."));
        return ExitFailure;
    }
    switch (check.Result()) {
    case OnAirCheck::Verdict::Matches:
        Console::Err(VisibleText::OneLine(check.Text()) + QLatin1Char('\n'));
        return ExitDone;
    case OnAirCheck::Verdict::Differs:
        Console::Out(QStringLiteral("The unit's report at %1 UTC differs from what was sent in "
                                    "%2 field%3:\n")
                         .arg(check.ReportTime().toUTC().toString(QStringLiteral("HH:mm:ss")))
                         .arg(check.Differences().size())
                         .arg(check.Differences().size() == 1 ? QString() : QStringLiteral("s")));
        for (const QString &line : check.Differences())
            Console::Out(QStringLiteral("  ") + VisibleText::OneLine(line) + QLatin1Char('\n'));
        return ExitDifferent;
    default:
        break;
    }
    Console::Error(VisibleText::OneLine(check.Text()));
    return ExitFailure;
}
