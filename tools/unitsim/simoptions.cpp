#include "simoptions.h"

namespace {

const double MaxFloodRate = 100000;
const int MaxLateMs = 600000;

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
        "\n"
        "Faults:\n"
        "  --no-answer WHAT         leave a query (AID, ACF, ACE, AAR) or a shell\n"
        "                           command (getserno, \"nvgeti \\\"limen\\\"\", or nvgeti for\n"
        "                           all of them) unanswered; may be repeated\n"
        "  --corrupt-checksums      every line sent carries a wrong checksum\n"
        "  --answer-status-c        configuration answers carry status C, not R\n"
        "  --missing-field          configuration answers lack their last field\n"
        "  --zero-mmsi              configuration answers carry MMSI 000000000\n"
        "  --late-ms N              answer N milliseconds late\n"
        "  --dock-out-after S       stop answering getserno S seconds after start\n"
        "  --close-after S          close the line and exit S seconds after start\n"
        "  --flood RATE             add RATE lines a second, half valid, half broken\n"
        "\n"
        "  --help                   show this text\n");
}

bool SimOptions::parse(const QStringList &args, QString *error, bool *help)
{
    *help = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args.at(i);
        auto value = [&](QString *out) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            *out = args.at(++i);
            return true;
        };
        QString v;
        double d = 0;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            *help = true;
        } else if (a == QLatin1String("--link")) {
            if (!value(&linkPath))
                return false;
        } else if (a == QLatin1String("--state")) {
            if (!value(&stateFile))
                return false;
        } else if (a == QLatin1String("--fast")) {
            fast = true;
        } else if (a == QLatin1String("--unconfigured")) {
            unconfigured = true;
        } else if (a == QLatin1String("--verbose")) {
            verbose = true;
        } else if (a == QLatin1String("--prompt")) {
            prompt = true;
        } else if (a == QLatin1String("--no-gps")) {
            gps = false;
        } else if (a == QLatin1String("--no-gps-text")) {
            gpsText = false;
        } else if (a == QLatin1String("--no-vdo")) {
            vdo = false;
        } else if (a == QLatin1String("--no-alr")) {
            alarms = false;
        } else if (a == QLatin1String("--no-ai-text")) {
            aiText = false;
        } else if (a == QLatin1String("--quiet")) {
            gps = gpsText = vdo = alarms = aiText = false;
        } else if (a == QLatin1String("--no-answer")) {
            if (!value(&v))
                return false;
            if (v.trimmed().isEmpty()) {
                *error = QStringLiteral("--no-answer needs a sentence or a command");
                return false;
            }
            noAnswer << v.trimmed();
        } else if (a == QLatin1String("--corrupt-checksums")) {
            corruptChecksums = true;
        } else if (a == QLatin1String("--answer-status-c")) {
            answerStatusC = true;
        } else if (a == QLatin1String("--missing-field")) {
            missingField = true;
        } else if (a == QLatin1String("--zero-mmsi")) {
            zeroMmsi = true;
        } else if (a == QLatin1String("--late-ms")) {
            if (!value(&v) || !number(a, v, 0, MaxLateMs, &d, error))
                return false;
            lateMs = int(d);
        } else if (a == QLatin1String("--dock-out-after")) {
            if (!value(&v) || !number(a, v, 0, 1e7, &dockOutAfter, error))
                return false;
        } else if (a == QLatin1String("--close-after")) {
            if (!value(&v) || !number(a, v, 0, 1e7, &closeAfter, error))
                return false;
        } else if (a == QLatin1String("--flood")) {
            if (!value(&v) || !number(a, v, 0, MaxFloodRate, &floodRate, error))
                return false;
        } else {
            *error = QStringLiteral("unknown option \"%1\" (see --help)").arg(a);
            return false;
        }
    }
    return true;
}
