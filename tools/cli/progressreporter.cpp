#include "progressreporter.h"

#include "console.h"

#include "sentences/parsedsentence.h"

namespace {

const char *const PollJob = "SerNo Test";

QString StepOf(const ParsedSentence &sentence)
{
    const QStringList &f = sentence.fields;
    if (f.isEmpty())
        return QString();
    const QString address = f.at(0);
    if (address == QLatin1String("$UPAIQ") && f.size() > 1)
        return QStringLiteral("query ") + f.at(1);
    if (address == QLatin1String("$UPAAR") && f.size() > 3)
        return QStringLiteral("set AAR %1/%2").arg(f.at(2).toInt()).arg(f.at(3).toInt());
    if (address.startsWith(QLatin1String("$UP")) && address.size() == 6)
        return QStringLiteral("set ") + address.mid(3);
    if (address == QLatin1String("$PVKX") && f.size() > 5) {
        QString command = f.at(5);
        ParsedSentence::Unescape(command);
        // nvgeti "limvmax" / nvseti "limvmax",24000,0,0,1
        const int open = command.indexOf(QLatin1Char('"'));
        const int close = command.indexOf(QLatin1Char('"'), open + 1);
        if (open > 0 && close > open) {
            const QString name = command.mid(open + 1, close - open - 1);
            if (command.startsWith(QLatin1String("nvgeti")))
                return QStringLiteral("get ") + name;
            if (command.startsWith(QLatin1String("nvseti"))) {
                const QString value = command.mid(close + 1).section(QLatin1Char(','), 1, 1);
                return QStringLiteral("set %1 = %2").arg(name, value);
            }
        }
        return QStringLiteral("shell ") + command;
    }
    return QString();
}

// The link's jobs by what they do for the engineer.
struct JobName
{
    const char *job;
    const char *shown;
};
const JobName JobNames[] = {
    {"Kelvane", "AtoN settings"},
    {"Identity", "AtoN identity"},
    {"Link Identity", "AtoN identity"},
    {"Message Schedule", "Message schedule"},
    {"Version", "Software version"},
    {"Voltage", "Battery voltage"},
    {"GPS OFF", "GPS off"},
    {"Reset", "Unit reset"},
    {"Get LIM", "Lantern settings"},
    {"Set LIM", "Lantern settings"},
};

QString Shown(const QString &job)
{
    for (const JobName &name : JobNames) {
        if (job == QLatin1String(name.job))
            return QLatin1String(name.shown);
    }
    return job;
}

// The link's job that a sentence belongs to, by its formatter or shell tag.
QString JobOf(const ParsedSentence &sentence)
{
    const QStringList &f = sentence.fields;
    if (f.isEmpty())
        return QString();
    QString formatter = f.at(0).mid(3);
    if (f.at(0) == QLatin1String("$UPAIQ") && f.size() > 1)
        formatter = f.at(1);
    if (f.at(0).startsWith(QLatin1String("$UP"))) {
        if (formatter == QLatin1String("AID") || formatter == QLatin1String("ACF") ||
            formatter == QLatin1String("ACE"))
            return QStringLiteral("Kelvane");
        if (formatter == QLatin1String("AAR"))
            return QStringLiteral("Message Schedule");
        return QString();
    }
    if (f.at(0) != QLatin1String("$PVKX") || f.size() < 7)
        return QString();
    // The shell commands carry the number of their job step as the last field.
    const int tag = f.at(6).toInt();
    if (tag <= 1)
        return QStringLiteral("Version");
    if (tag == 2)
        return QStringLiteral("Voltage");
    if (tag == 3)
        return QLatin1String(PollJob);
    if (tag == 4)
        return QStringLiteral("GPS OFF");
    if (tag == 5)
        return QStringLiteral("Reset");
    if (tag <= 13)
        return QStringLiteral("Get LIM");
    if (tag <= 22)
        return QStringLiteral("Set LIM");
    return QString();
}

// "AtoN settings: query ACF", "Lantern settings: set limvmax = 24000";
// empty for a line that is not one of the tool's sentences.
QString Describe(const QString &job, const QString &step)
{
    if (step.isEmpty())
        return QString();
    return job.isEmpty() ? step : Shown(job) + QStringLiteral(": ") + step;
}

} // namespace

ProgressReporter::ProgressReporter(QObject *parent) : QObject(parent) {}

void ProgressReporter::OnSent(QString sent)
{
    const ParsedSentence sentence(sent);
    const QString job = JobOf(sentence);
    if (job == QLatin1String(PollJob))
        return;
    const QString text = Describe(job, StepOf(sentence));
    if (!text.isEmpty())
        Console::Err(text + QLatin1Char('\n'));
}

void ProgressReporter::OnJobComplete(QString name, bool send)
{
    if (name == QLatin1String(PollJob))
        return;
    Console::Err(QStringLiteral("%1: %2\n")
                     .arg(Shown(name), send ? QStringLiteral("sent") : QStringLiteral("done")));
}

void ProgressReporter::OnTabState(int tab, int state)
{
    static const char *const tabs[] = {"AtoN tab", "Lantern Interface Module tab"};
    static const char *const states[] = {"no link", "edited", "not synced", "syncing", "synced"};
    if (tab < 0 || tab > 1 || state < 0 || state > 4)
        return;
    Console::Err(
        QStringLiteral("%1: %2\n").arg(QLatin1String(tabs[tab]), QLatin1String(states[state])));
}
