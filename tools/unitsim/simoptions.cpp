#include "simoptions.h"

#include "unitconfig.h"
#include "unitresponder.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <tuple>
#include <utility>

namespace {

const double MaxFloodRate = 100000;
const int MaxLateMs = 600000;
const double MaxDriftMetres = 100000;
const double MaxCycleSeconds = 86400;

bool number(const QString &option, const QString &text, double min, double max, double *out,
            QString *error)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < min || v > max) {
        *error = QStringLiteral("%1 needs a number from %2 to %3, not \"%4\"")
                     .arg(option)
                     .arg(min)
                     .arg(max)
                     .arg(text);
        return false;
    }
    *out = v;
    return true;
}

} // namespace

QString SimOptions::usage()
{
    return QStringLiteral(
        "Usage: vandrel-unitsim [options]\n"
        "Behaves like a docked AIS AtoN unit on a pseudo-terminal. The first line of\n"
        "output is \"PORT /dev/pts/N\"; open that path like a serial port.\n"
        "\n"
        "Line and state:\n"
        "  --link PATH              also make a symbolic link PATH to the port\n"
        "  --fast                   write at full speed instead of 38400-baud pace\n"
        "  --state FILE             load the unit from FILE (JSON) and save it there\n"
        "                           after every change; a missing FILE is created\n"
        "  --unconfigured           start as a unit fresh from the factory (MMSI\n"
        "                           000000000) instead of the built-in sample unit\n"
        "  --mmsi DIGITS            start as a unit with this MMSI (nine digits)\n"
        "  --serial TEXT            start as a unit with this serial number (1 to 40\n"
        "                           printable characters)\n"
        "  --extra-row M/I          start as a unit that also holds a row of message M,\n"
        "                           instance I (such as 25/1 or 6/5); may be repeated\n"
        "  --verbose                log every line received and sent to standard error\n"
        "  --prompt                 send the shell prompt \">\" (no line end) after each\n"
        "                           shell answer, as the unit's shell does\n"
        "\n"
        "Unsolicited traffic (all on by default):\n"
        "  --no-gps                 no GPS RMC, GSA and GSV\n"
        "  --no-gps-text            no GPS TXT\n"
        "  --no-vdo                 no VDO of the unit's own message 21\n"
        "  --no-alr                 no ALR alarms\n"
        "  --no-ai-text             no AI TXT texts\n"
        "  --quiet                  none of the above\n"
        "  --drift METRES           drift out to METRES from the nominal position and\n"
        "                           back once a cycle (GPS and message 21; the\n"
        "                           off-position flag and alarm follow the threshold)\n"
        "  --fix-gaps               lose the GPS fix for the last eighth of each cycle\n"
        "                           (the \"external EPFS lost\" alarm follows)\n"
        "  --rmc-only               GPS RMC alone, without GSA and GSV\n"
        "  --broadcast-name TEXT    the unit's own message 21 carries TEXT as its name\n"
        "                           instead of the name it holds\n"
        "  --cycle S                the cycle of --drift and --fix-gaps (default 120)\n"
        "  --report-every S         send the unit's own message 21 every S seconds\n"
        "                           (default 10)\n"
        "\n"
        "Faults:\n"
        "  --no-answer WHAT         leave a query (AID, ACF, ACE, AAR) or a shell\n"
        "                           command (getserno, \"nvgeti \\\"limen\\\"\", or nvgeti for\n"
        "                           all of them) unanswered; may be repeated\n"
        "  --no-answer-first WHAT   the same, only the first time it is asked\n"
        "  --refuse WHAT            take a set sentence (AID, ACF, ACE, AAR) or a shell\n"
        "                           command (nvseti, or \"nvseti \\\"limvmax\\\"\") without\n"
        "                           storing it, as a unit that ignores a field; may be\n"
        "                           repeated\n"
        "  --corrupt-checksums      every line sent carries a wrong checksum\n"
        "  --answer-status-c        configuration answers carry status C, not R\n"
        "  --missing-field          configuration answers lack their last field\n"
        "  --zero-mmsi              configuration answers carry MMSI 000000000\n"
        "  --bad-answer WHAT        answer malformed, WHAT one of empty-value,\n"
        "                           non-numeric, lantern-range, acf-range,\n"
        "                           empty-position, lonely-continuation,\n"
        "                           other-mmsi, second-unit, huge-instance,\n"
        "                           unconfigured-mmsi, damaged-row, late-row,\n"
        "                           lost-row, lost-continuation,\n"
        "                           lost-continuation-once, contradicting-row,\n"
        "                           two-ace, two-acf, aid-mode-v; may be repeated\n"
        "  --late-ms N              answer N milliseconds late\n"
        "  --dock-out-after S       stop answering getserno S seconds after start\n"
        "  --close-after S          close the line and exit S seconds after start\n"
        "  --swap-after N           another unit takes the dock after N set sentences\n"
        "                           and lantern set commands\n"
        "  --swap-state FILE        the state file of that other unit (created when\n"
        "                           missing); without it, a sample unit with serial\n"
        "                           number VK0099999 and MMSI 992359999\n"
        "  --flood RATE             add RATE lines a second, half valid, half broken\n"
        "\n"
        "  --help                   show this text\n"
        "  --version                show the version\n");
}

bool SimOptions::parse(const QStringList &args, QString *error, bool *help)
{
    *help = false;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringLiteral("version"));
    const auto flag = [](const char *name) { return QCommandLineOption(QLatin1String(name)); };
    const auto valued = [](const char *name) {
        return QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("VALUE"));
    };
    const QCommandLineOption link = valued("link"), state = valued("state"),
                             noAnswerOption = valued("no-answer"), refuseOption = valued("refuse"),
                             late = valued("late-ms"), dockOut = valued("dock-out-after"),
                             close = valued("close-after"), flood = valued("flood"),
                             drift = valued("drift"), cycle = valued("cycle"),
                             reportEvery = valued("report-every"), badAnswer = valued("bad-answer"),
                             mmsiOption = valued("mmsi"), serialOption = valued("serial"),
                             noAnswerFirstOption = valued("no-answer-first"),
                             extraRow = valued("extra-row"), swapAfterOption = valued("swap-after"),
                             swapState = valued("swap-state"),
                             broadcastNameOption = valued("broadcast-name");
    // Each switch and the member it sets.
    const std::pair<QCommandLineOption, bool *> switches[] = {
        {flag("fast"), &fast},
        {flag("unconfigured"), &unconfigured},
        {flag("verbose"), &verbose},
        {flag("prompt"), &prompt},
        {flag("corrupt-checksums"), &corruptChecksums},
        {flag("answer-status-c"), &answerStatusC},
        {flag("missing-field"), &missingField},
        {flag("zero-mmsi"), &zeroMmsi},
        {flag("fix-gaps"), &fixGaps},
        {flag("rmc-only"), &rmcOnly},
    };
    // Traffic that is on unless switched off.
    const std::pair<QCommandLineOption, bool *> offSwitches[] = {
        {flag("no-gps"), &gps},    {flag("no-gps-text"), &gpsText}, {flag("no-vdo"), &vdo},
        {flag("no-alr"), &alarms}, {flag("no-ai-text"), &aiText},
    };
    const QCommandLineOption quiet = flag("quiet");

    QCommandLineParser parser;
    parser.addOptions({helpOption,     versionOption,
                       link,           state,
                       noAnswerOption, refuseOption,
                       late,           dockOut,
                       close,          flood,
                       quiet,          drift,
                       cycle,          reportEvery,
                       badAnswer,      mmsiOption,
                       serialOption,   noAnswerFirstOption,
                       extraRow,       swapAfterOption,
                       swapState,      broadcastNameOption});
    for (const auto &s : switches)
        parser.addOption(s.first);
    for (const auto &s : offSwitches)
        parser.addOption(s.first);

    // The parser expects the program's name first.
    if (!parser.parse(QStringList(QStringLiteral("vandrel-unitsim")) + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString dashes =
                unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
            *error =
                QStringLiteral("unknown option \"%1\" (see --help)").arg(dashes + unknown.first());
        } else if (!args.isEmpty() && args.last().startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("%1 needs a value").arg(args.last());
        } else {
            *error = parser.errorText();
        }
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unknown option \"%1\" (see --help)")
                     .arg(parser.positionalArguments().first());
        return false;
    }
    *help = parser.isSet(helpOption);
    version = parser.isSet(versionOption);

    linkPath = parser.value(link);
    stateFile = parser.value(state);
    mmsi = parser.value(mmsiOption);
    if (parser.isSet(mmsiOption) &&
        !QRegularExpression(QStringLiteral("\\A[0-9]{9}\\z")).match(mmsi).hasMatch()) {
        *error = QStringLiteral("--mmsi needs nine digits, not \"%1\"").arg(mmsi);
        return false;
    }
    serialNumber = parser.value(serialOption);
    if (parser.isSet(serialOption) &&
        !QRegularExpression(QStringLiteral("\\A[\\x20-\\x7e\\xa0-\\xff]{1,40}\\z"))
             .match(serialNumber)
             .hasMatch()) {
        *error = QStringLiteral("--serial needs 1 to 40 printable characters, not \"%1\"")
                     .arg(serialNumber);
        return false;
    }
    for (const auto &s : switches)
        *s.second = *s.second || parser.isSet(s.first);
    for (const auto &s : offSwitches)
        *s.second = *s.second && !parser.isSet(s.first) && !parser.isSet(quiet);
    for (const auto &[option, list] :
         {std::pair{noAnswerOption, &noAnswer}, std::pair{refuseOption, &refuse},
          std::pair{noAnswerFirstOption, &noAnswerFirst}}) {
        for (const QString &v : parser.values(option)) {
            if (v.trimmed().isEmpty()) {
                *error = QStringLiteral("--%1 needs a sentence or a command")
                             .arg(option.names().first());
                return false;
            }
            *list << v.trimmed();
        }
    }
    for (const QString &v : parser.values(badAnswer)) {
        if (!UnitFaults::BadAnswerKinds.contains(v)) {
            *error = QStringLiteral("--bad-answer takes one of %1")
                         .arg(UnitFaults::BadAnswerKinds.join(QStringLiteral(", ")));
            return false;
        }
        badAnswers << v;
    }
    static const QRegularExpression rowShape(QStringLiteral("\\A([0-9]{1,2})/([0-9])\\z"));
    for (const QString &v : parser.values(extraRow)) {
        const QRegularExpressionMatch m = rowShape.match(v);
        const int message = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int instance = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (!UnitConfig::keepsRowsOf(message) || instance < 1 ||
            instance > UnitConfig::maxInstance(message)) {
            *error = QStringLiteral("--extra-row needs MESSAGE/INSTANCE of a message the unit "
                                    "schedules (6, 8, 12, 14, 21, 25), not \"%1\"")
                         .arg(v);
            return false;
        }
        extraRows << qMakePair(message, instance);
    }
    swapStateFile = parser.value(swapState);
    broadcastName = parser.value(broadcastNameOption);
    if (parser.isSet(broadcastNameOption) &&
        !QRegularExpression(QStringLiteral("\\A[\\x20-\\x5f]{1,34}\\z"))
             .match(broadcastName)
             .hasMatch()) {
        *error = QStringLiteral("--broadcast-name needs 1 to 34 characters a message 21 "
                                "carries (space to \"_\", upper case), not \"%1\"")
                     .arg(broadcastName);
        return false;
    }
    double d = 0;
    if (parser.isSet(swapAfterOption)) {
        if (!number(QStringLiteral("--swap-after"), parser.value(swapAfterOption), 1, 1000000, &d,
                    error))
            return false;
        swapAfter = int(d);
    }
    if (parser.isSet(late)) {
        if (!number(QStringLiteral("--late-ms"), parser.value(late), 0, MaxLateMs, &d, error))
            return false;
        lateMs = int(d);
    }
    const std::tuple<const QCommandLineOption &, const char *, double, double *> numbers[] = {
        {dockOut, "--dock-out-after", 1e7, &dockOutAfter},
        {close, "--close-after", 1e7, &closeAfter},
        {flood, "--flood", MaxFloodRate, &floodRate},
        {drift, "--drift", MaxDriftMetres, &driftMetres},
    };
    for (const auto &[option, name, max, out] : numbers) {
        if (parser.isSet(option) &&
            !number(QLatin1String(name), parser.value(option), 0, max, out, error))
            return false;
    }
    if (parser.isSet(cycle) && !number(QStringLiteral("--cycle"), parser.value(cycle), 1,
                                       MaxCycleSeconds, &cycleSeconds, error))
        return false;
    if (parser.isSet(reportEvery) &&
        !number(QStringLiteral("--report-every"), parser.value(reportEvery), 0.1, MaxCycleSeconds,
                &reportSeconds, error))
        return false;
    return true;
}
