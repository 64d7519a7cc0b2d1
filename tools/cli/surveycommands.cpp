#include "surveycommands.h"

#include "clicommandline.h"
#include "console.h"
#include "exitstatus.h"
#include "filecommands.h"
#include "stopsignals.h"

#include "app/unitsession.h"
#include "app/vandrelsettings.h"
#include "fleet/sessionunitlink.h"
#include "model/configurationfields.h"
#include "model/model.h"
#include "model/visibletext.h"
#include "status/positionsurvey.h"
#include "status/unitstatus.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// Progress lines no closer than this, however often the receiver tells a fix.
constexpr qint64 ProgressEveryMs = 10000;

// Runs the event loop until the link tells done or fails, or until Ctrl-C;
// false with *reason unless done came.
template <class Signal>
bool LinkStep(SessionUnitLink *link, void (UnitLink::*start)(), Signal done, QString *reason)
{
    QEventLoop loop;
    bool ok = false;
    QObject::connect(link, done, &loop, [&] {
        ok = true;
        loop.quit();
    });
    QObject::connect(link, &UnitLink::Failed, &loop, [&](const QString &text) {
        *reason = text;
        loop.quit();
    });
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stop, &loop, [&] {
        *reason = QStringLiteral("Stopped.");
        loop.quit();
    });
    // A port that cannot be opened fails within start().
    QTimer::singleShot(0, link, [link, start] { (link->*start)(); });
    loop.exec();
    return ok;
}

void CloseLink(SessionUnitLink *link)
{
    link->Close();
    UnitSession *session = link->Session();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!session->HasLink() || clock.elapsed() > 5000)
            loop.quit();
    });
    poll.start(50);
    if (session->HasLink())
        loop.exec();
}

} // namespace

bool SurveyCommands::Parse(const QStringList &arguments, Options *options, QString *errorText)
{
    const QCommandLineOption port(QStringList{QStringLiteral("p"), QStringLiteral("port")},
                                  QString(), QStringLiteral("PATH"));
    const QCommandLineOption minutes(QStringLiteral("minutes"), QString(), QStringLiteral("N"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QString(), QStringLiteral("FILE"));
    const QCommandLineOption debug(QStringLiteral("debug"));
    QCommandLineParser parser;
    parser.addOptions({port, minutes, output, debug});
    if (!parser.parse(arguments)) {
        *errorText = parser.errorText();
        return false;
    }
    options->port = parser.value(port);
    options->output = parser.value(output);
    options->debug = parser.isSet(debug);
    if (options->port.isEmpty()) {
        *errorText = QStringLiteral("survey needs --port PATH.");
        return false;
    }
    if (parser.isSet(output) && options->output.isEmpty()) {
        *errorText = QStringLiteral("-o needs the name of a .pad file.");
        return false;
    }
    if (parser.isSet(minutes)) {
        bool ok = false;
        options->minutes = parser.value(minutes).toDouble(&ok);
        if (!ok || !(options->minutes > 0) || options->minutes > MaximumMinutes) {
            *errorText = QStringLiteral("--minutes needs a number of minutes above 0 and up "
                                        "to %1 (\"%2\").")
                             .arg(MaximumMinutes)
                             .arg(VisibleText::OneLine(parser.value(minutes)));
            return false;
        }
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        *errorText = QStringLiteral("survey takes no file name (\"%1\").")
                         .arg(VisibleText::OneLine(positional.at(1)));
        return false;
    }
    return true;
}

int SurveyCommands::Run(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    Options options;
    QString error;
    if (!Parse(arguments, &options, &error)) {
        Console::Error(error);
        Console::Err(CliCommandLine::Usage());
        return ExitUsage;
    }
    QCoreApplication app(argc, argv);
    VandrelSettings::Name();
    return Survey(VandrelSettings::SystemVendorId(), options);
}

int SurveyCommands::Survey(const QString &vendorId, const Options &options)
{
    if (!options.output.isEmpty() && !FileCommands::CheckTarget(options.output, false))
        return ExitFailure;

    SessionUnitLink link(options.port, vendorId);
    QString reason;
    Console::Err(QStringLiteral("Connecting to %1\n").arg(VisibleText::OneLine(options.port)));
    // The threshold the spread is held to, and the file -o writes, are the
    // unit's own.
    if (!LinkStep(&link, &UnitLink::Open, &UnitLink::Identified, &reason) ||
        !LinkStep(&link, &UnitLink::Retrieve, &UnitLink::Retrieved, &reason)) {
        CloseLink(&link);
        Console::Error(VisibleText::OneLine(reason.simplified()));
        return ExitFailure;
    }
    const int threshold = link.Held().GetAtoN()->OffPositionThreshold();
    PositionSurvey survey(link.Session()->Status());
    QElapsedTimer sinceProgress;
    QObject::connect(&survey, &PositionSurvey::Changed, [&] {
        if (survey.CurrentState() != PositionSurvey::State::Running)
            return;
        if (sinceProgress.isValid() && sinceProgress.elapsed() < ProgressEveryMs)
            return;
        sinceProgress.start();
        Console::Err(survey.ProgressText() + QLatin1Char('\n'));
    });
    Console::Err(QStringLiteral("Surveying for %1 min; the off-position threshold the unit "
                                "holds is %2 m\n")
                     .arg(options.minutes)
                     .arg(threshold));
    survey.Start(qint64(options.minutes * 60000.0), threshold);
    bool finished = true;
    {
        QEventLoop loop;
        StopSignals stop;
        QObject::connect(&stop, &StopSignals::Stop, &loop, [&] {
            finished = false;
            loop.quit();
        });
        QObject::connect(&survey, &PositionSurvey::Finished, &loop, &QEventLoop::quit);
        if (survey.IsRunning())
            loop.exec();
    }
    if (!finished)
        survey.Cancel();
    CloseLink(&link);

    if (survey.CurrentState() != PositionSurvey::State::Done) {
        Console::Error(survey.Problem() + (options.output.isEmpty()
                                               ? QString()
                                               : QStringLiteral(" Nothing was written.")));
        return ExitFailure;
    }
    const double latitude = PositionSurvey::UnitResolution(survey.MeanLatitude());
    const double longitude = PositionSurvey::UnitResolution(survey.MeanLongitude());
    Console::Out(QStringLiteral("Surveyed nominal position: %1, %2\n")
                     .arg(ConfigurationFields::LatitudeText(latitude),
                          ConfigurationFields::LongitudeText(longitude)));
    Console::Out(survey.ResultText() + QLatin1Char('\n'));
    if (options.output.isEmpty())
        return ExitDone;
    // The unit's configuration as read, with the surveyed position as its
    // nominal one: a file to look at and send, not sent by itself.
    Model surveyed;
    surveyed = link.Held();
    surveyed.GetAtoN()->GetPosition()->SetLatitude(latitude);
    surveyed.GetAtoN()->GetPosition()->SetLongitude(longitude);
    const int saved = FileCommands::Save(surveyed, options.output, false);
    if (saved == ExitDone)
        Console::Err(QStringLiteral("Written to %1; nothing was sent to the unit.\n")
                         .arg(VisibleText::OneLine(options.output)));
    return saved;
}
