#ifndef TST_CLI_SUPPORT_H
#define TST_CLI_SUPPORT_H

// Running vandrel-cli and the unit simulator as the end-to-end tests need
// them: real processes on a real pseudo-terminal.

#include "model/model.h"
#include "model/padfile.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun
{
    int status = -1; // -1: crashed or did not end
    QString out;
    QString err;
};

inline CliRun RunCli(const QStringList &arguments, int limitMs = 120000)
{
    CliRun run;
    QProcess process;
    process.start(QStringLiteral(VANDREL_CLI), arguments);
    if (!process.waitForFinished(limitMs)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline QString SavePad(const QString &path, const Model &model)
{
    QString error;
    if (PadFile::Save(path, model, &error) != PadFile::Done)
        qWarning() << error;
    return path;
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The simulator, started with the given switches; its port is announced on
// the first line of its output.
class Simulator
{
public:
    explicit Simulator(const QStringList &switches)
    {
        process.start(QStringLiteral(VANDREL_UNITSIM), switches);
        QElapsedTimer clock;
        clock.start();
        QByteArray first;
        while (!first.contains('\n') && clock.elapsed() < 10000 &&
               process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(100);
            first += process.readAllStandardOutput();
        }
        const QString line = QString::fromLatin1(first).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (line.startsWith(QLatin1String("PORT ")))
            port = line.mid(5);
    }
    ~Simulator()
    {
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished();
        }
    }
    // Retrieves the unit's configuration into path and loads it into model.
    int Retrieve(const QString &path, Model *model = nullptr) const
    {
        const int status = RunCli({"retrieve", "--port", port, "-o", path}).status;
        QString error;
        if (model && PadFile::Load(path, model, &error) != PadFile::Done)
            qWarning() << error;
        return status;
    }
    QString port;
    QProcess process;
};

#endif // TST_CLI_SUPPORT_H
