#include "link/requestname.h"

namespace {

// What a query, command or lantern parameter reads, by its name on the line.
struct Reading
{
    const char *name;
    const char *reads;
};

const Reading Queries[] = {
    {"AID", QT_TRANSLATE_NOOP("RequestName", "the unit's MMSI")},
    {"ACF", QT_TRANSLATE_NOOP("RequestName", "the AtoN settings: type, position, channels")},
    {"ACE", QT_TRANSLATE_NOOP("RequestName", "the AtoN's name")},
    {"AAR", QT_TRANSLATE_NOOP("RequestName", "the message schedule")},
};

const Reading Commands[] = {
    {"appver", QT_TRANSLATE_NOOP("RequestName", "the unit's software version")},
    {"getserno", QT_TRANSLATE_NOOP("RequestName", "the unit's serial number")},
    {"battvolts", QT_TRANSLATE_NOOP("RequestName", "the battery voltage")},
    {"reset", QT_TRANSLATE_NOOP("RequestName", "the unit's restart")},
    {"gpsfilt", QT_TRANSLATE_NOOP("RequestName", "the GPS filter")},
};

const Reading LanternValues[] = {
    {"limen", QT_TRANSLATE_NOOP("RequestName", "lantern interface on or off")},
    {"limvmin", QT_TRANSLATE_NOOP("RequestName", "the lantern's minimum voltage")},
    {"limvmax", QT_TRANSLATE_NOOP("RequestName", "the lantern's maximum voltage")},
    {"limton", QT_TRANSLATE_NOOP("RequestName", "the lantern's maximum on time")},
    {"limtoff", QT_TRANSLATE_NOOP("RequestName", "the lantern's maximum off time")},
    {"limion", QT_TRANSLATE_NOOP("RequestName", "the lantern's on current or slew rate")},
    {"limigain", QT_TRANSLATE_NOOP("RequestName", "the lantern's current range")},
    {"limpthresh", QT_TRANSLATE_NOOP("RequestName", "the ambient light-on threshold")},
};

template <int N> QString Reads(const Reading (&table)[N], const QString &name)
{
    for (const Reading &reading : table) {
        if (name == QLatin1String(reading.name))
            return RequestName::tr(reading.reads);
    }
    return QString();
}

// The request, and what it reads in brackets when that is known.
QString Named(const QString &request, const QString &reads)
{
    return reads.isEmpty() ? request : RequestName::tr("%1 (%2)").arg(request, reads);
}

} // namespace

QString RequestName::OfQuery(const QString &formatter)
{
    return Named(tr("the %1 query").arg(formatter), Reads(Queries, formatter));
}

QString RequestName::OfCommand(const QString &command)
{
    const QString word = command.section(QLatin1Char(' '), 0, 0);
    // A lantern parameter's name stands between the double quotes.
    if (word == QLatin1String("nvgeti"))
        return Named(tr("the lantern query %1").arg(command),
                     Reads(LanternValues, command.section(QLatin1Char('"'), 1, 1)));
    return Named(tr("the command %1").arg(command), Reads(Commands, word));
}
