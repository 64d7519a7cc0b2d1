#ifndef QUEUEDJOB_H
#define QUEUEDJOB_H

class Job;

// A job waiting in the transport's queue, or running: the job, and whether it
// writes its data to the unit (send) or reads it, or simply runs (get).
struct QueuedJob
{
    Job *job = nullptr;
    bool send = false;
};

#endif // QUEUEDJOB_H
