#include "app/sendreport.h"

#include "app/statemachine.h"
#include "lim/lanterninterface.h"

void SendReport::Begin(int sendParts, const UnitIdentity &meant)
{
    parts = sendParts;
    meantFor = meant;
    serialNumber.clear();
    jobs.clear();
    lines.clear();
    confirmed = 0;
}

void SendReport::PlanJob(const QString &job, int part, int count)
{
    for (Job &planned : jobs) {
        if (planned.name == job) {
            planned.lines = count;
            return;
        }
    }
    jobs.append({job, part, count});
}

void SendReport::LineSent(const QString &job)
{
    for (int i = 0; i < jobs.size(); ++i) {
        if (jobs.at(i).name != job)
            continue;
        int index = 0;
        for (const Line &line : qAsConst(lines))
            index += line.job == i ? 1 : 0;
        lines.append({i, index});
        return;
    }
}

void SendReport::SerialNumberTold(const QString &number)
{
    // The first answer of the send is the unit it goes to; the session has
    // checked that it is the one meant before anything went out.
    if (serialNumber.isEmpty() && lines.isEmpty())
        serialNumber = number;
    if (number == serialNumber)
        confirmed = int(lines.size());
}

void SendReport::UnitConfirmed(const QString &serial, const QString &mmsi)
{
    if (meantFor.serialNumber.isEmpty())
        meantFor.serialNumber = serial;
    if (meantFor.mmsi.isEmpty())
        meantFor.mmsi = mmsi;
}

QString SendReport::Joined(const QStringList &items)
{
    if (items.size() < 2)
        return items.value(0);
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) + tr(" and ") +
           items.last();
}

QString SendReport::PartNames(int parts)
{
    QStringList names;
    if (parts & StateMachine::AtoNPart)
        names << tr("the AtoN settings and message schedule");
    if (parts & StateMachine::LanternPart)
        names << tr("the lantern settings");
    return names.join(tr(" and "));
}

int SendReport::PartsWholeIn(int count) const
{
    int whole = parts;
    for (int i = 0; i < jobs.size(); ++i) {
        int out = 0;
        for (int l = 0; l < count; ++l)
            out += lines.at(l).job == i ? 1 : 0;
        if (out < jobs.at(i).lines)
            whole &= ~jobs.at(i).part;
    }
    return whole;
}

int SendReport::PartsIn(int from, int to) const
{
    int touched = 0;
    for (int l = from; l < to; ++l)
        touched |= jobs.at(lines.at(l).job).part;
    return touched;
}

QStringList SendReport::Describe(int from, int to) const
{
    QStringList text;
    for (int i = 0; i < jobs.size(); ++i) {
        QStringList names;
        int count = 0;
        for (int l = from; l < to; ++l) {
            if (lines.at(l).job != i)
                continue;
            ++count;
            names << QStringLiteral("\"%1\"").arg(
                LanternInterface::ParameterName(lines.at(l).index));
        }
        if (count == 0)
            continue;
        const Job &job = jobs.at(i);
        const bool whole = count == job.lines;
        if (job.name == QLatin1String("Kelvane"))
            text << (whole ? tr("the AtoN settings") : tr("part of the AtoN settings"));
        else if (job.name == QLatin1String("Message Schedule"))
            text << (whole ? tr("the message schedule")
                           : tr("%1 of the %2 rows of the message schedule sent")
                                 .arg(count)
                                 .arg(job.lines));
        else
            text << (whole ? tr("the lantern settings")
                           : tr("the lantern settings %1").arg(names.join(QStringLiteral(", "))));
    }
    return text;
}

QString SendReport::Interrupted(int started, int sent, bool readingBack) const
{
    if (readingBack)
        return tr("The send ended while %1 were read back: everything went out, but what the "
                  "unit holds now is not known, as it was not compared.")
            .arg(PartNames(parts));
    if (!started)
        return tr("The send ended before any of %1 went out: the unit holds what it held "
                  "before.")
            .arg(PartNames(parts));
    // Only the parts that had lines out may be spoiled; the others are told
    // apart so that the engineer does not send again what is whole.
    const int partial = started & ~sent;
    QStringList text;
    text << (partial ? tr("The send ended before it was complete: the unit may hold %1 only in "
                          "part.")
                           .arg(PartNames(partial))
                     : tr("The send ended before it was complete."));
    if (sent)
        text << tr("All of %1 went out, but was not read back: what the unit holds of it now is "
                   "not known.")
                    .arg(PartNames(sent));
    if (parts & ~started)
        text << tr("Nothing of %1 went out: the unit holds that as before.")
                    .arg(PartNames(parts & ~started));
    return text.join(QLatin1Char(' '));
}

SendOutcome SendReport::InterruptedOutcome(int started, int sent, bool readingBack) const
{
    SendOutcome outcome;
    outcome.text = Interrupted(started, sent, readingBack);
    outcome.parts = parts;
    outcome.meantFor = meantFor;
    outcome.partsWhole = sent;
    outcome.partsInPart = started & ~sent;
    outcome.unitStateKnown = started == 0;
    return outcome;
}

QString SendReport::Swapped(const UnitIdentity &now) const
{
    UnitIdentity meant = meantFor;
    if (meant.serialNumber.isEmpty())
        meant.serialNumber = serialNumber;
    QStringList text;
    text << tr("Another unit was docked during the send, which stopped at once. The send was "
               "meant for the unit with %1; the unit on the line now has %2.")
                .arg(meant.Text(), now.Text());
    const QStringList held = Describe(0, confirmed);
    text << (held.isEmpty()
                 ? tr("The unit meant is not known to hold anything of this send.")
                 : tr("The unit meant holds %1 as sent (not read back); the rest as before.")
                       .arg(Joined(held)));
    const QStringList doubtful = Describe(confirmed, int(lines.size()));
    if (!doubtful.isEmpty()) {
        text << tr("Either unit may hold %1: it went out while the units were changed.")
                    .arg(Joined(doubtful));
        if (PartsIn(confirmed, int(lines.size())) & StateMachine::AtoNPart)
            text << tr("The AtoN sentences are addressed to MMSI %1: the unit now docked takes "
                       "them only if it holds that MMSI.")
                        .arg(meant.mmsi);
    }
    text << tr("The unit now docked holds nothing else of this send.");
    return text.join(QLatin1Char(' '));
}

SendOutcome SendReport::SwappedOutcome(const UnitIdentity &now) const
{
    SendOutcome outcome;
    outcome.parts = parts;
    outcome.meantFor = meantFor;
    outcome.otherUnit = now;
    outcome.partsWhole = PartsWholeIn(confirmed);
    outcome.partsInPart = PartsIn(0, int(lines.size())) & ~outcome.partsWhole;
    outcome.unitStateKnown = lines.isEmpty();
    outcome.inDoubt = Describe(confirmed, int(lines.size()));
    outcome.text = Swapped(now);
    return outcome;
}
