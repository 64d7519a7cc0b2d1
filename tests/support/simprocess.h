#ifndef SIMPROCESS_H
#define SIMPROCESS_H

#include <QProcess>
#include <QStringList>

// The vandrel-unitsim program, started with the given switches and stopped
// when the object goes; port is empty when it did not start (the program
// announces it on its first line).
class SimProcess
{
public:
    explicit SimProcess(const QStringList &options)
    {
        process.start(QStringLiteral(VANDREL_UNITSIM), options);
        while (!process.canReadLine() && process.waitForReadyRead(10000))
            continue;
        const QByteArray first = process.readLine().trimmed();
        if (first.startsWith("PORT /dev/"))
            port = QString::fromLatin1(first.mid(5));
    }
    // QProcess kills what a terminate did not end.
    ~SimProcess()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    QProcess process;
    QString port;
};

#endif // SIMPROCESS_H
