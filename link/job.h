#ifndef JOB_H
#define JOB_H

#include "link/jobstep.h"

#include <QList>
#include <QString>

// A named, fixed list of steps that the transport runs one at a time.
class Job
{
public:
    // The parts of the transport model a get of a job reads.
    enum Reads
    {
        ReadMmsi = 1,
        ReadAtoN = 2, // the MMSI, the general and the extended settings
        ReadSchedule = 4,
        ReadLantern = 8
    };

    explicit Job(const QString &name) : name(name) {}

    QString Name() const { return name; }
    QList<JobStep> &Steps() { return steps; }
    const QList<JobStep> &Steps() const { return steps; }
    void AddStep(const JobStep &step) { steps.append(step); }
    // The parts of the transport model a get of the job reads (Reads bits).
    int Reads() const { return reads; }
    void AddReads(int parts) { reads |= parts; }

private:
    QString name;
    QList<JobStep> steps;
    int reads = 0;
};

#endif // JOB_H
