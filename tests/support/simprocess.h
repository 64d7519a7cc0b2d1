#ifndef SIMPROCESS_H
#define SIMPROCESS_H

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <signal.h>

// The vandrel-unitsim program, started with the given switches and stopped
// when the object goes; port is empty when it did not start (the program
// announces it on its first line). The unit keeps what it holds in a state
// file of its own (State(), Redock()).
class SimProcess
{
public:
    explicit SimProcess(const QStringList &options)
    {
        process.start(QStringLiteral(VANDREL_UNITSIM),
                      options + QStringList{"--state", stateDir.filePath("unit.json")});
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

    // The line goes, as when the unit's adapter is pulled.
    void Unplug()
    {
        process.kill();
        process.waitForFinished(3000);
    }
    // What the unit holds now.
    QJsonObject State() const
    {
        QFile file(stateDir.filePath("unit.json"));
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                              : QJsonObject();
    }
    // Another unit, holding state, takes the dock.
    void Redock(const QJsonObject &state)
    {
        QFile file(stateDir.filePath("unit.json"));
        // A process id of 0 would signal this whole process group.
        if (process.processId() > 0 && file.open(QIODevice::WriteOnly) &&
            file.write(QJsonDocument(state).toJson()) > 0) {
            file.close();
            ::kill(pid_t(process.processId()), SIGUSR1);
        }
    }

    QProcess process;
    QString port;

private:
    QTemporaryDir stateDir;
};

#endif // SIMPROCESS_H
