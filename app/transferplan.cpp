#include "app/transferplan.h"

#include <QCoreApplication>

void TransferPlan::Clear()
{
    jobs.clear();
    current = 0;
    sentInCurrent = 0;
}

void TransferPlan::Add(const Job &job)
{
    jobs.append(job);
}

const TransferPlan::Job *TransferPlan::Current() const
{
    return IsDone() ? nullptr : &jobs.at(current);
}

void TransferPlan::Next()
{
    if (IsDone())
        return;
    ++current;
    sentInCurrent = 0;
}

void TransferPlan::LineSent()
{
    // A job may write more lines than planned (a name continuation).
    if (!IsDone())
        sentInCurrent = qMin(sentInCurrent + 1, jobs.at(current).lines);
}

void TransferPlan::SetCurrentLines(int lines)
{
    if (!IsDone())
        jobs[current].lines = lines;
}

int TransferPlan::TotalLines() const
{
    int total = 0;
    for (const Job &job : jobs)
        total += job.lines;
    return total;
}

int TransferPlan::DoneLines() const
{
    int done = sentInCurrent;
    for (int i = 0; i < current && i < jobs.size(); ++i)
        done += jobs.at(i).lines;
    return done;
}

int TransferPlan::RemainingMs() const
{
    int remaining = 0;
    for (int i = current; i < jobs.size(); ++i) {
        const Job &job = jobs.at(i);
        const int lines = i == current ? job.lines - sentInCurrent + 1 : job.lines;
        remaining += qMin(lines, job.lines) * job.lineMs;
    }
    return remaining;
}

QString TransferPlan::StepText() const
{
    const Job *job = Current();
    if (!job)
        return QString();
    if (job->lines <= 1)
        return job->text;
    return QCoreApplication::translate("StateMachine", "%1 %2 of %3")
        .arg(job->text)
        .arg(qMax(1, sentInCurrent))
        .arg(job->lines);
}

QString TransferPlan::CurrentText() const
{
    const Job *job = Current();
    return job ? job->text : QString();
}

int TransferPlan::PartsStarted() const
{
    int parts = 0;
    for (int i = 0; i <= current && i < jobs.size(); ++i) {
        if (jobs.at(i).send && (i < current || sentInCurrent > 0))
            parts |= jobs.at(i).parts;
    }
    return parts;
}

int TransferPlan::PartsSent() const
{
    int sent = 0, pending = 0;
    for (int i = 0; i < jobs.size(); ++i) {
        if (jobs.at(i).send)
            (i < current ? sent : pending) |= jobs.at(i).parts;
    }
    return sent & ~pending;
}

bool TransferPlan::InReadBack() const
{
    const Job *job = Current();
    return job && job->readBack;
}
