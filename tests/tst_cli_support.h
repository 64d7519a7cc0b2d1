#ifndef TST_CLI_SUPPORT_H
#define TST_CLI_SUPPORT_H

// Running vandrel-cli and the unit simulator as the end-to-end tests need
// them: real processes on a real pseudo-terminal.

#include "model/model.h"
#include "model/padfile.h"
#include "support/simprocess.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

struct CliRun
{
    int status = -1; // -1: crashed or did not end
    QString out;
    QString err;
};

// A run that does not end in time is killed by the process object.
inline CliRun RunCli(const QStringList &arguments, int limitMs = 120000)
{
    QProcess process;
    process.start(QStringLiteral(VANDREL_CLI), arguments);
    const bool ended =
        process.waitForFinished(limitMs) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline QString SavePad(const QString &path, const Model &model)
{
    if (PadFile::Save(path, model) != PadFile::Done)
        qWarning("Could not save %s", qPrintable(path));
    return path;
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The changes an engineer makes to a configuration: a name with a comma and
// 34 characters, a position south and west, other channels, the lantern
// values and a RATDMA row of message 8. False if the row was not taken.
inline bool ChangeAsAnEngineer(Model *model)
{
    AtoN *aton = model->GetAtoN();
    aton->SetName(QStringLiteral("SOUTH MOLE, OUTER HARBOUR LIGHT 34"));
    aton->GetPosition()->SetLatitude(-(33 + 30.75 / 60));
    aton->GetPosition()->SetLongitude(-(4 + 14.808 / 60));
    aton->SetChannel1(2006);
    aton->SetChannel2(1060);
    LanternInterface *lim = model->GetLanternInterface();
    lim->SetLimvmax(32299);
    lim->SetLimion(250);
    lim->SetLimigain(false);
    lim->SetLimpthresh(420);
    MessageSchedule *schedule = model->GetMessageSchedule();
    int row = -1;
    if (!schedule->AddMessage(8, row))
        return false;
    MessageScheduleEntry entry = schedule->EntryAt(row);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetStartTime1(QTime(7, 15));
    entry.SetInterval1(3);
    entry.SetStartTime2(QTime(7, 45));
    entry.SetInterval2(12);
    return schedule->SetEntry(row, entry);
}

// The simulator, with a retrieval through the command-line program.
class Simulator : public SimProcess
{
public:
    using SimProcess::SimProcess;
    // Retrieves the unit's configuration into path (and model, if given); a
    // file that does not load counts as a failed retrieval.
    int Retrieve(const QString &path, Model *model = nullptr) const
    {
        const int status = RunCli({"retrieve", "--port", port, "-o", path}).status;
        return model && PadFile::Load(path, model) != PadFile::Done ? -1 : status;
    }
    // Docks another unit holding state and returns once the simulator says
    // it holds it (false if it did not within the time): a program started
    // sooner could still find the unit before.
    bool DockAndWait(const QJsonObject &state)
    {
        process.readAllStandardError();
        Redock(state);
        QByteArray said;
        return QTest::qWaitFor(
            [&] {
                said += process.readAllStandardError();
                return said.contains("another unit in the dock");
            },
            10000);
    }
};

#endif // TST_CLI_SUPPORT_H
