#ifndef JOBSTEP_H
#define JOBSTEP_H

class AtoNSentence;
class LimSetParam;
class NmeaShellCommand;

// One step of a job: one sentence or shell command to send and, for some, the
// answers to wait for. Exactly one of the three pointers is set; the objects
// belong to the transport.
struct JobStep
{
    NmeaShellCommand *shellCommand = nullptr;
    LimSetParam *setParameter = nullptr;
    AtoNSentence *sentence = nullptr;
    // How often the step is issued when its job runs as a send.
    int repeatCount = 1;
    // For a sentence step run as a get: 1 when exactly one answer is awaited
    // (its absence is an error), 0 when answers are collected until the unit
    // falls silent.
    int expectedReplies = 1;
    // For a sentence step run as a get: whether the unit must answer. A unit
    // always names itself (AID, ACE) and reports its message 21 rows; a step
    // that is only a help (the MMSI asked as the link starts) ends quietly
    // when the unit is silent or its answer cannot be taken.
    bool answerRequired = true;
    // A shell step asking the unit for its serial number within a job, before
    // a line that carries no address: not one of the job's own lines.
    bool checksUnit = false;
    int spare = 0;
};

#endif // JOBSTEP_H
