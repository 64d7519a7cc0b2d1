#ifndef POSIXSTOPWATCH_H
#define POSIXSTOPWATCH_H

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a call on the event loop: the handler only
// writes a byte to a socket pair, which is all a signal handler may safely
// do, and the loop reads it. One at a time per process; the default
// handling comes back when it ends.
class PosixStopWatch : public QObject
{
public:
    PosixStopWatch(std::function<void()> stop, QObject *parent = nullptr);
    ~PosixStopWatch() override;

private:
    void ReadSignal();

    QSocketNotifier *notifier = nullptr;
    std::function<void()> stop;
};

#endif // POSIXSTOPWATCH_H
