#include "platform/posixstopwatch.h"

#ifdef Q_OS_UNIX

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int socketFds[2] = {-1, -1};

extern "C" void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a request to stop; nothing is lost.
    [[maybe_unused]] ssize_t written = ::write(socketFds[0], &byte, 1);
    errno = saved;
}

} // namespace

PosixStopWatch::PosixStopWatch(std::function<void()> stop, QObject *parent)
    : QObject(parent), stop(std::move(stop))
{
    if (socketFds[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, socketFds) != 0)
        return;
    notifier = new QSocketNotifier(socketFds[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PosixStopWatch::ReadSignal);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

PosixStopWatch::~PosixStopWatch()
{
    if (!notifier)
        return;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    delete notifier;
    for (int &fd : socketFds) {
        ::close(fd);
        fd = -1;
    }
}

void PosixStopWatch::ReadSignal()
{
    char bytes[16];
    bool asked = false;
    while (::read(socketFds[1], bytes, sizeof bytes) > 0)
        asked = true;
    if (asked && stop)
        stop();
}

#endif // Q_OS_UNIX
