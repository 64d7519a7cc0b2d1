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
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    const ssize_t ignored = ::write(signalPipe[1], &c, 1);
    (void)ignored;
}

} // namespace

int main(int argc, char *argv[])
{
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

    // A reader of the diagnostics that goes away must not end the unit.
    std::signal(SIGPIPE, SIG_IGN);
    // SIGINT and SIGTERM end the event loop, so that the link is removed.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGHUP, onSignal);
    }

    UnitSimulator simulator(options);
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
