// How fast the register answers what an engineer asks of it, at the size a
// busy bench reaches in years: 10,000 units and 100,000 transfers. Made once
// in a temporary folder (SQLite), or in the PostgreSQL database that
// VANDREL_BENCH_REGISTER names (an empty one: it is filled). The window's
// Unit history view is timed as the engineer meets it: made, filled for one
// unit and drawn.

#include "model/model.h"
#include "model/padfile.h"
#include "register/unitregister.h"
#include "ui/unithistoryview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int Units = 10000;
constexpr int Transfers = 100000;

QTemporaryDir &Folder()
{
    static QTemporaryDir folder;
    return folder;
}

QString RegisterText()
{
    const QString named = qEnvironmentVariable("VANDREL_BENCH_REGISTER");
    return named.isEmpty() ? Folder().filePath(QStringLiteral("register.sqlite")) : named;
}

QString Serial(int unit)
{
    return QStringLiteral("SN%1").arg(unit, 6, 10, QLatin1Char('0'));
}

QString Mmsi(int unit)
{
    return QStringLiteral("9923%1").arg(unit, 5, 10, QLatin1Char('0'));
}

// Every unit retrieved and sent to in turn over five years; each entry with
// a configuration of its own.
UnitRegister &Filled()
{
    static UnitRegister *unitRegister = nullptr;
    if (unitRegister)
        return *unitRegister;
    RegisterLocation location;
    QString error;
    RegisterLocation::Parse(RegisterText(), &location, &error);
    unitRegister = new UnitRegister(location, Folder().filePath(QStringLiteral("spool")));
    if (!unitRegister->Open())
        qFatal("the register cannot be opened");
    RegisterDatabase database;
    QString notice;
    database.Open(location, &error, &notice);
    Model model;
    const QDateTime start = QDateTime::currentDateTimeUtc().addYears(-5);
    QElapsedTimer clock;
    clock.start();
    QVector<RegisterEntry> batch;
    for (int i = 0; i < Transfers; ++i) {
        const int unit = i % Units;
        RegisterEntry entry =
            RegisterEntry::New(i % 2 ? RegisterEntry::Kind::Send : RegisterEntry::Kind::Retrieve);
        entry.time = start.addSecs(i * 1500);
        entry.serial = Serial(unit);
        entry.mmsiBefore = Mmsi(unit);
        entry.mmsiAfter = Mmsi(unit);
        entry.engineer = QStringLiteral("bench");
        entry.result = RegisterEntry::Result::Verified;
        model.GetAtoN()->GetAtoNMMSI()->SetMmsi(entry.mmsiAfter);
        model.GetAtoN()->SetName(QStringLiteral("BUOY %1").arg(i));
        entry.configuration = PadFile::ToBytes(model);
        batch.append(entry);
        if (batch.size() == 5000) {
            if (database.Append(batch, &error) != RegisterDatabase::Status::Ok)
                qFatal("%s", qPrintable(error));
            batch.clear();
        }
    }
    fprintf(stderr, "register of %d units and %d transfers made in %lld ms\n", Units, Transfers,
            clock.elapsed());
    return *unitRegister;
}

void HistoryOfOneUnit(benchmark::State &state)
{
    UnitRegister &unitRegister = Filled();
    QVector<RegisterEntry> entries;
    QString error;
    for (auto _ : state) {
        const QString serial = Serial(QRandomGenerator::global()->bounded(Units));
        if (!unitRegister.History({serial, {}, {}, {}, 0}, &entries, &error) ||
            entries.size() != Transfers / Units)
            state.SkipWithError("wrong history");
    }
}
BENCHMARK(HistoryOfOneUnit)->Unit(benchmark::kMillisecond);

// The look-up before every send that changes a unit's MMSI.
void HolderOfAnMmsi(benchmark::State &state)
{
    UnitRegister &unitRegister = Filled();
    RegisterEntry holder;
    QString error;
    for (auto _ : state) {
        const int unit = QRandomGenerator::global()->bounded(Units);
        if (!unitRegister.HolderOf(Mmsi(unit), QStringLiteral("other"), &holder, &error) ||
            holder.serial != Serial(unit))
            state.SkipWithError("wrong holder");
    }
}
BENCHMARK(HolderOfAnMmsi)->Unit(benchmark::kMillisecond);

// The whole command as an engineer types it: start, open, ask, print.
void CliHistoryOfOneUnit(benchmark::State &state)
{
    Filled();
    const QString cli =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/cli/vandrel-cli");
    for (auto _ : state) {
        QProcess process;
        process.start(cli, {QStringLiteral("history"), QStringLiteral("--serial"),
                            Serial(QRandomGenerator::global()->bounded(Units)),
                            QStringLiteral("--register"), RegisterText()});
        if (!process.waitForFinished(10000) || process.exitCode() != 0 ||
            process.readAllStandardOutput().count('\n') != Transfers / Units)
            state.SkipWithError("vandrel-cli history failed");
    }
}
BENCHMARK(CliHistoryOfOneUnit)->Unit(benchmark::kMillisecond);

// The window's view of one unit, from nothing to its first picture.
void HistoryViewOfOneUnit(benchmark::State &state)
{
    UnitRegister &unitRegister = Filled();
    for (auto _ : state) {
        UnitHistoryView view(&unitRegister);
        view.resize(900, 600);
        const QString serial = Serial(QRandomGenerator::global()->bounded(Units));
        if (!view.ShowUnit(serial) ||
            view.findChild<QTreeWidget *>()->topLevelItemCount() != Transfers / Units)
            state.SkipWithError("wrong history view");
        view.show();
        view.grab();
        benchmark::DoNotOptimize(view.Serial());
    }
}
BENCHMARK(HistoryViewOfOneUnit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Drawn off screen: the figure is the view's, not a display server's.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
