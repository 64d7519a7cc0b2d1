#ifndef TRANSFERPLAN_H
#define TRANSFERPLAN_H

#include "link/transport.h"

#include <QList>
#include <QString>

// The transport jobs of one retrieve or send, in the order they run, and how
// far the request has come: lines written to the unit so far against those
// it will take, and the time the rest should need at the protocol's pace.
class TransferPlan
{
public:
    struct Job
    {
        QString name;
        bool send = false;
        // What the transport model needs just before the job is queued.
        Transport::Preparation preparation = Transport::PrepareNothing;
        QString text;   // "Sending lantern settings"
        int lines = 1;  // lines the job writes to the unit
        int lineMs = 0; // expected time per line
        bool readBack = false;
        // The parts of the configuration a job that sets writes, as bits of
        // the caller's choosing.
        int parts = 0;
    };

    // Expected times of the protocol: a query whose answers are collected
    // until the unit falls silent, a set sentence at the send pace, a shell
    // command answered at once.
    static constexpr int SilenceMs = 1000;
    static constexpr int AnswerMs = 100;

    void Clear();
    void Add(const Job &job);
    bool IsEmpty() const { return jobs.isEmpty(); }
    bool IsDone() const { return current >= jobs.size(); }
    // The job to run now; null when all have run.
    const Job *Current() const;
    // The current job has completed; the next (if any) becomes current.
    void Next();
    // The current job has written one more line.
    void LineSent();
    // The current job writes this many lines after all.
    void SetCurrentLines(int lines);
    // Lines of the plan and of the ones before the current job has written.
    int TotalLines() const;
    int DoneLines() const;
    int RemainingMs() const;
    // "Sending lantern settings 3 of 8"; the plain text for a one-line job.
    QString StepText() const;
    // The current job's text without its count of lines.
    QString CurrentText() const;
    // The current job has written a line; until then the transport may still
    // be busy with a job queued before the plan's.
    bool CurrentStarted() const { return !IsDone() && sentInCurrent > 0; }
    // The plan reads back what it sent; the send part has completed.
    bool InReadBack() const;
    // The parts of which a job that sets has written a line: the unit may
    // hold some of them.
    int PartsStarted() const;
    // The parts whose every job that sets has completed.
    int PartsSent() const;

private:
    QList<Job> jobs;
    int current = 0;
    int sentInCurrent = 0;
};

#endif // TRANSFERPLAN_H
