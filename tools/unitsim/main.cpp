// vandrel-unitsim: a stand-in for a docked AIS AtoN unit on a pseudo-terminal.

#include "app/vandrelversion.h"
#include "simoptions.h"
#include "unitsimulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// SIGUSR1 docks another unit; every other signal ends the program.
const char RedockByte = 'U';

void onSignal(int number)
{
    const char c = number == SIGUSR1 ? RedockByte : 'Q';
    const ssize_t ignored = ::write(signalPipe[1], &c, 1);
    (void)ignored;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef __linux__
    // A test or script killed before its cleanup would leave the unit holding
    // a pseudo-terminal for good: it ends with the one that started it. Asked
    // before anything is opened; from the signal handlers on below, through
    // the same quit as SIGTERM, which removes the link.
    const pid_t parent = ::getppid();
    if (::prctl(PR_SET_PDEATHSIG, SIGTERM) == 0 && ::getppid() != parent)
        return 1;
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandrel-unitsim"));

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    SimOptions options;
    QString error;
    bool help = false;
    if (!options.parse(args, &error, &help)) {
        fprintf(stderr, "vandrel-unitsim: %s\n", qPrintable(error));
        return 2;
    }
    if (help) {
        fputs(qPrintable(SimOptions::usage()), stdout);
        return 0;
    }
    if (options.version) {
        printf("vandrel-unitsim %s\n", VandrelVersion::Number());
        return 0;
    }

    UnitSimulator simulator(options);

    // A reader of the diagnostics that goes away must not end the unit.
    std::signal(SIGPIPE, SIG_IGN);
    // SIGINT and SIGTERM end the event loop, so that the link is removed.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&simulator] {
            char c = 0;
            if (::read(signalPipe[0], &c, 1) == 1 && c == RedockByte)
                simulator.redock();
            else
                QCoreApplication::quit();
        });
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGHUP, onSignal);
        std::signal(SIGUSR1, onSignal);
    }

    QObject::connect(&simulator, &UnitSimulator::diagnostic, [](const QString &text) {
        fprintf(stderr, "%s\n", qPrintable(text));
        fflush(stderr);
    });
    QObject::connect(&simulator, &UnitSimulator::finished, &app, &QCoreApplication::quit);
    if (!simulator.start(&error)) {
        fprintf(stderr, "vandrel-unitsim: %s\n", qPrintable(error));
        return 1;
    }
    printf("PORT %s\n", qPrintable(simulator.portPath()));
    if (!options.linkPath.isEmpty())
        printf("LINK %s\n", qPrintable(options.linkPath));
    fflush(stdout);

    const int rc = app.exec();
    simulator.stop();
    return rc;
}
