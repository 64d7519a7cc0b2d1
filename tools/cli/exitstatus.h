#ifndef EXITSTATUS_H
#define EXITSTATUS_H

// Exit statuses of vandrel-cli, for scripts.
enum ExitStatus
{
    ExitDone = 0,      // done; diff: the configurations are equal
    ExitDifferent = 1, // diff: they differ; send: the unit did not take every field
    ExitUsage = 2,     // the command line is wrong
    ExitFailure = 3    // a file, the port or the unit failed; the message says which
};

#endif // EXITSTATUS_H
