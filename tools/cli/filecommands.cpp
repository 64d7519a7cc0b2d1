#include "filecommands.h"

#include "configurationjson.h"
#include "configurationprinter.h"
#include "console.h"
#include "exitstatus.h"
#include "model/configurationdiff.h"

#include "model/model.h"
#include "model/padfile.h"

#include <QCoreApplication>

namespace {

bool LoadOrSay(const QString &path, Model *model)
{
    QString error;
    if (PadFile::Load(path, model, &error) != PadFile::Done) {
        Console::Error(error);
        return false;
    }
    return true;
}

void SaveFailed(const QString &output, const QString &reason, bool folderRefuses)
{
    QString text = QCoreApplication::translate("MainWindow", "Could not save file: ") + output +
                   QStringLiteral(": ") + reason;
    if (folderRefuses)
        text += QStringLiteral(" Give --in-place to write into the file directly.");
    Console::Error(text);
}

} // namespace

bool FileCommands::CheckTarget(const QString &output, bool inPlace)
{
    FileSaver::Result result = FileSaver::Done;
    const QString problem = FileSaver::Problem(
        output, inPlace ? FileSaver::InPlace : FileSaver::WholeOrNothing, &result);
    if (problem.isEmpty())
        return true;
    SaveFailed(output, problem, result == FileSaver::FolderRefuses);
    return false;
}

int FileCommands::Save(const Model &model, const QString &output, bool inPlace)
{
    QString error;
    const PadFile::Result result = PadFile::Save(
        output, model, &error, inPlace ? FileSaver::InPlace : FileSaver::WholeOrNothing);
    if (result != PadFile::Done) {
        SaveFailed(output, error, result == PadFile::FolderRefuses);
        return ExitFailure;
    }
    Console::Err(QStringLiteral("Written to %1\n").arg(output));
    return ExitDone;
}

int FileCommands::Show(const QString &path, bool json)
{
    Model model;
    if (!LoadOrSay(path, &model))
        return ExitFailure;
    // Nobody watches a file's contents line by line.
    Console::SetBlockBuffered(true);
    if (json)
        ConfigurationJson::Write(model, &Console::OutJson);
    else
        ConfigurationPrinter::Print(model, &Console::Out);
    Console::SetBlockBuffered(false);
    return ExitDone;
}

int FileCommands::Diff(const QString &pathA, const QString &pathB)
{
    Model a;
    Model b;
    if (!LoadOrSay(pathA, &a) || !LoadOrSay(pathB, &b))
        return ExitFailure;
    // Nobody watches a comparison line by line.
    Console::SetBlockBuffered(true);
    const int lines = ConfigurationDiff::ForEachLine(
        a, b, [](const QString &line) { Console::Out(line + QLatin1Char('\n')); });
    Console::SetBlockBuffered(false);
    return lines == 0 ? ExitDone : ExitDifferent;
}
