#ifndef FUZZAPPLICATION_H
#define FUZZAPPLICATION_H

#include <QCoreApplication>

// The application object that timers, files and the settings want, made once
// for all the runs of a target. The program's diagnostics are silenced first:
// a run prints only what the fuzzer finds.
template <class Application = QCoreApplication> struct FuzzApplication
{
    bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return true;
    }();
    int argc = 1;
    char name[8] = "fuzz";
    char *argv[2] = {name, nullptr};
    Application application{argc, argv};
};

#endif // FUZZAPPLICATION_H
