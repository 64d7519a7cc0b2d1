#include "filecommands.h"

#include "configurationjson.h"
#include "configurationprinter.h"
#include "console.h"
#include "exitstatus.h"
#include "model/configurationdiff.h"

#include "model/model.h"
#include "model/padfile.h"

#include <QJsonDocument>

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

} // namespace

int FileCommands::Show(const QString &path, bool json)
{
    Model model;
    if (!LoadOrSay(path, &model))
        return ExitFailure;
    if (json)
        Console::OutJson(QString::fromUtf8(QJsonDocument(ConfigurationJson::Of(model)).toJson()));
    else
        Console::Out(ConfigurationPrinter::Text(model));
    return ExitDone;
}

int FileCommands::Diff(const QString &pathA, const QString &pathB)
{
    Model a;
    Model b;
    if (!LoadOrSay(pathA, &a) || !LoadOrSay(pathB, &b))
        return ExitFailure;
    const QStringList lines = ConfigurationDiff::Lines(a, b);
    for (const QString &line : lines)
        Console::Out(line + QLatin1Char('\n'));
    return lines.isEmpty() ? ExitDone : ExitDifferent;
}
