#include "registercommands.h"

#include "console.h"
#include "exitstatus.h"
#include "filecommands.h"

#include "app/transferentry.h"
#include "app/vandrelsettings.h"
#include "fleet/csvtable.h"
#include "model/filesaver.h"
#include "model/model.h"
#include "model/padfile.h"
#include "model/regularfile.h"
#include "register/unitregister.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUuid>

namespace {

// Imported entries get ids made from what they are, so that a folder taken
// in twice (or by two engineers) is there once.
const QUuid ImportNamespace(QStringLiteral("{6f1c2b1e-93c4-4e55-a0de-5a1f3c0e7d21}"));

QString Line(const RegisterEntry &entry)
{
    const QString mmsi = entry.mmsiBefore.isEmpty() || entry.mmsiBefore == entry.mmsiAfter
                             ? entry.mmsiAfter
                             : entry.mmsiBefore + QStringLiteral(" -> ") + entry.mmsiAfter;
    QString line = QStringLiteral("%1  %2  serial %3  MMSI %4")
                       .arg(entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss'Z'")),
                            RegisterEntry::KindText(entry.kind).leftJustified(10),
                            entry.serial.isEmpty() ? QStringLiteral("-") : entry.serial,
                            mmsi.isEmpty() ? QStringLiteral("-") : mmsi);
    if (!entry.unitName.isEmpty())
        line += QStringLiteral("  \"%1\"").arg(entry.unitName);
    line += QStringLiteral("  ") + RegisterEntry::ResultText(entry.result);
    if (!entry.detail.isEmpty())
        line += QStringLiteral(" (%1)").arg(entry.detail);
    if (entry.mmsiReassigned)
        line += QStringLiteral(" [MMSI reassigned]");
    if (!entry.engineer.isEmpty())
        line += QStringLiteral("  by ") + entry.engineer;
    if (!entry.computer.isEmpty())
        line += QStringLiteral(" on ") + entry.computer;
    return line + QStringLiteral("  ") + entry.id;
}

QByteArray JsonLine(const RegisterEntry &entry)
{
    QJsonObject json = entry.ToJson();
    json.remove(QStringLiteral("configuration"));
    json.insert(QStringLiteral("configuration_sha256"), entry.configurationHash);
    json.insert(QStringLiteral("mmsi"),
                entry.mmsiAfter.isEmpty() ? entry.mmsiBefore : entry.mmsiAfter);
    return QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n';
}

const QStringList ExportHeader{QStringLiteral("id"),
                               QStringLiteral("time"),
                               QStringLiteral("kind"),
                               QStringLiteral("result"),
                               QStringLiteral("detail"),
                               QStringLiteral("serial"),
                               QStringLiteral("mmsi_before"),
                               QStringLiteral("mmsi_after"),
                               QStringLiteral("unit_name"),
                               QStringLiteral("latitude"),
                               QStringLiteral("longitude"),
                               QStringLiteral("software_version"),
                               QStringLiteral("engineer"),
                               QStringLiteral("computer"),
                               QStringLiteral("program_version"),
                               QStringLiteral("port"),
                               QStringLiteral("mmsi_reassigned"),
                               QStringLiteral("batch"),
                               QStringLiteral("folder"),
                               QStringLiteral("records"),
                               QStringLiteral("configuration_sha256")};

QStringList ExportRow(const RegisterEntry &entry)
{
    return {entry.id,
            RegisterEntry::TimeText(entry.time),
            RegisterEntry::KindText(entry.kind),
            RegisterEntry::ResultText(entry.result),
            entry.detail,
            entry.serial,
            entry.mmsiBefore,
            entry.mmsiAfter,
            entry.unitName,
            entry.latitude,
            entry.longitude,
            entry.softwareVersion,
            entry.engineer,
            entry.computer,
            entry.programVersion,
            entry.port,
            entry.mmsiReassigned ? QStringLiteral("yes") : QStringLiteral("no"),
            entry.batch,
            entry.folder,
            entry.records.join(QLatin1Char(';')),
            entry.configurationHash};
}

// What summary.csv says of a row: its state, time and verdict.
struct SummaryRow
{
    QString mmsi;
    QString serial;
    QString state;
    QDateTime time;
    QString verdict;
};

bool ReadSummary(const QString &folder, QList<SummaryRow> *rows, QString *errorText)
{
    const QString path = QDir(folder).filePath(QStringLiteral("summary.csv"));
    if (!QFileInfo::exists(path))
        return true;
    QList<CsvTable::Record> records;
    if (!CsvTable::Load(path, &records, errorText))
        return false;
    for (int i = 1; i < records.size(); ++i) {
        const QStringList fields = records.at(i).fields;
        if (fields.size() < 5)
            continue;
        rows->append({fields.at(0), fields.at(1), fields.at(2),
                      QDateTime::fromString(fields.at(3), Qt::ISODate).toUTC(), fields.at(4)});
    }
    return true;
}

RegisterEntry::Result ResultOf(const QString &state)
{
    if (state == QLatin1String("verified"))
        return RegisterEntry::Result::Verified;
    if (state == QLatin1String("differs"))
        return RegisterEntry::Result::Differs;
    if (state == QLatin1String("failed"))
        return RegisterEntry::Result::Failed;
    return RegisterEntry::Result::Done;
}

RegisterEntry ImportedEntry(const QString &folder, const QString &stem, const QString &serial,
                            const QString &seed)
{
    RegisterEntry entry = RegisterEntry::New(RegisterEntry::Kind::Commission);
    entry.id = QUuid::createUuidV5(ImportNamespace, folder + QLatin1Char('\n') + seed)
                   .toString(QUuid::WithoutBraces);
    entry.serial = serial;
    entry.folder = folder;
    for (const char *suffix : {".pad", ".pdf", ".log"}) {
        const QString file = QDir(folder).filePath(stem + QLatin1String(suffix));
        if (QFileInfo::exists(file))
            entry.records << file;
    }
    return entry;
}

// The entries of one records folder; what cannot be taken in is named in
// *problems.
QVector<RegisterEntry> FolderEntries(const QString &folder, QStringList *problems)
{
    QList<SummaryRow> rows;
    QString error;
    if (!ReadSummary(folder, &rows, &error))
        problems->append(error);
    QHash<QString, SummaryRow> byStem;
    for (const SummaryRow &row : rows)
        byStem.insert(row.mmsi + QLatin1Char('-') + row.serial, row);

    static const QRegularExpression name(QStringLiteral("^([0-9]{9})-(.+)\\.pad$"));
    QVector<RegisterEntry> entries;
    QSet<QString> stems;
    for (const QFileInfo &file :
         QDir(folder).entryInfoList({QStringLiteral("*.pad")}, QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = name.match(file.fileName());
        // The file's own bytes are kept, so that it comes back exactly as it
        // was, whatever version of the program wrote it.
        QFile pad(file.filePath());
        QByteArray bytes;
        Model model;
        if (!match.hasMatch() || !pad.open(QIODevice::ReadOnly) ||
            (bytes = pad.read(PadFile::MaxFileSize + 1)).size() > PadFile::MaxFileSize ||
            PadFile::FromBytes(bytes, &model, &error) != PadFile::Done) {
            problems->append(
                match.hasMatch()
                    ? QStringLiteral("%1: %2").arg(file.filePath(),
                                                   error.isEmpty() ? pad.errorString() : error)
                    : QStringLiteral("%1: not named MMSI-SERIAL.pad").arg(file.filePath()));
            continue;
        }
        const QString stem = match.captured(1) + QLatin1Char('-') + match.captured(2);
        stems.insert(stem);
        RegisterEntry entry = ImportedEntry(
            folder, stem, match.captured(2),
            stem + QLatin1Char('\n') +
                QString::fromLatin1(
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
        TransferEntry::Describe(model, &entry);
        entry.configuration = bytes;
        const SummaryRow row = byStem.value(stem);
        entry.time = row.time.isValid() ? row.time : file.lastModified().toUTC();
        entry.result = ResultOf(row.state);
        entry.detail =
            row.verdict.isEmpty() ? QStringLiteral("taken in from a records folder") : row.verdict;
        entries.append(entry);
    }
    // A row that failed left no configuration, but the unit may hold part
    // of it: it is the row's MMSI that the register must tie to the unit.
    for (const SummaryRow &row : rows) {
        const QString stem = row.mmsi + QLatin1Char('-') + row.serial;
        if (row.serial.isEmpty() || stems.contains(stem) || row.state == QLatin1String("waiting"))
            continue;
        RegisterEntry entry =
            ImportedEntry(folder, stem, row.serial,
                          stem + QLatin1Char('\n') + row.state + QLatin1Char('\n') + row.verdict);
        entry.mmsiAfter = row.mmsi;
        entry.time = row.time.isValid() ? row.time : QDateTime::currentDateTimeUtc();
        entry.result = row.state == QLatin1String("failed") ? RegisterEntry::Result::CutOff
                                                            : ResultOf(row.state);
        entry.detail = row.verdict;
        entries.append(entry);
    }
    return entries;
}

} // namespace

std::unique_ptr<UnitRegister> RegisterCommands::Open(const QString &where)
{
    VandrelSettings settings;
    settings.Read();
    RegisterLocation location;
    QString error;
    if (!RegisterLocation::Choose(where, settings.Register(), &location, &error)) {
        Console::Error(error);
        return nullptr;
    }
    auto unitRegister = std::make_unique<UnitRegister>(location);
    QObject::connect(unitRegister.get(), &UnitRegister::Notice,
                     [](const QString &text) { Console::Error(text); });
    unitRegister->Open();
    return unitRegister;
}

int RegisterCommands::History(const QString &where, HistoryFilter filter, bool json,
                              const QString &padFile)
{
    if (!padFile.isEmpty()) {
        QString reason;
        QByteArray bytes;
        // The open's own message names the file.
        switch (RegularFile::ReadAll(padFile, PadFile::MaxFileSize, &bytes, &reason)) {
        case RegularFile::ReadDone:
        case RegularFile::OpenFailed:
            break;
        case RegularFile::ReadFailed:
            reason = QStringLiteral("%1: %2").arg(padFile, reason);
            break;
        case RegularFile::TooLarge:
            reason = QStringLiteral("%1 is larger than any configuration.").arg(padFile);
            break;
        }
        if (!reason.isEmpty()) {
            Console::Error(reason);
            return ExitFailure;
        }
        filter.padSha256 = QString::fromLatin1(
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        filter.padPath = QFileInfo(padFile).absoluteFilePath();
    }
    const auto unitRegister = Open(where);
    if (!unitRegister)
        return ExitFailure;
    QString error;
    int count = 0;
    const bool read = unitRegister->Each(
        filter,
        [&](const RegisterEntry &entry) {
            ++count;
            if (json)
                Console::OutJson(JsonLine(entry));
            else
                Console::Out(Line(entry) + QLatin1Char('\n'));
        },
        &error);
    if (!read) {
        Console::Error(error);
        return ExitFailure;
    }
    if (count == 0)
        Console::Err(QStringLiteral("The register holds no such entry.\n"));
    return ExitDone;
}

int RegisterCommands::Configuration(const QString &where, const QString &id, const QString &output)
{
    if (!FileCommands::CheckTarget(output, false))
        return ExitFailure;
    const auto unitRegister = Open(where);
    if (!unitRegister)
        return ExitFailure;
    RegisterEntry entry;
    QString error;
    if (!unitRegister->Find(id, &entry, &error) || entry.id.isEmpty()) {
        Console::Error(
            error.isEmpty()
                ? QStringLiteral("No register entry has the id \"%1\".").arg(Console::Visible(id))
                : error);
        return ExitFailure;
    }
    if (entry.configuration.isEmpty()) {
        Console::Error(QStringLiteral("The entry %1 (%2, %3) holds no configuration.")
                           .arg(entry.id, RegisterEntry::KindText(entry.kind),
                                RegisterEntry::ResultText(entry.result)));
        return ExitFailure;
    }
    if (FileSaver::Save(output, entry.configuration, FileSaver::WholeOrNothing, &error) !=
        FileSaver::Done) {
        Console::Error(QStringLiteral("%1: %2").arg(output, error));
        return ExitFailure;
    }
    Console::Err(QStringLiteral("%1: the configuration %2 of %3 (serial %4, %5).\n")
                     .arg(output,
                          entry.kind == RegisterEntry::Kind::Retrieve ? QStringLiteral("read")
                                                                      : QStringLiteral("sent"),
                          entry.time.toString(Qt::ISODate),
                          entry.serial.isEmpty() ? QStringLiteral("-") : entry.serial, entry.id));
    return ExitDone;
}

int RegisterCommands::Import(const QString &where, const QString &folder)
{
    if (!QFileInfo(folder).isDir()) {
        Console::Error(QStringLiteral("%1 is no folder.").arg(folder));
        return ExitFailure;
    }
    const auto unitRegister = Open(where);
    if (!unitRegister)
        return ExitFailure;
    QStringList folders{QFileInfo(folder).absoluteFilePath()};
    QDirIterator below(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                       QDirIterator::Subdirectories);
    while (below.hasNext())
        folders << QFileInfo(below.next()).absoluteFilePath();

    int written = 0;
    int spooled = 0;
    int lost = 0;
    QStringList problems;
    for (const QString &records : folders) {
        for (const RegisterEntry &entry : FolderEntries(records, &problems)) {
            switch (unitRegister->Record(entry)) {
            case UnitRegister::Recorded::Written:
                ++written;
                break;
            case UnitRegister::Recorded::Spooled:
                ++spooled;
                break;
            case UnitRegister::Recorded::Lost:
                ++lost;
                break;
            }
        }
    }
    for (const QString &problem : problems)
        Console::Error(QStringLiteral("passed over: ") + problem);
    Console::Err(QStringLiteral("%1 entries from %2 are in the register%3.\n")
                     .arg(written)
                     .arg(folder, spooled > 0
                                      ? QStringLiteral("; %1 wait in the spool").arg(spooled)
                                      : QString()));
    return lost > 0 ? ExitFailure : ExitDone;
}

int RegisterCommands::Export(const QString &where, const QString &csvFile)
{
    const auto unitRegister = Open(where);
    if (!unitRegister)
        return ExitFailure;
    QSaveFile file(csvFile);
    if (!file.open(QIODevice::WriteOnly)) {
        Console::Error(QStringLiteral("%1: %2").arg(csvFile, file.errorString()));
        return ExitFailure;
    }
    bool wrote = file.write(CsvTable::Line(ExportHeader)) >= 0;
    QString error;
    int count = 0;
    const bool read = unitRegister->Each(
        {},
        [&](const RegisterEntry &entry) {
            ++count;
            wrote = wrote && file.write(CsvTable::Line(ExportRow(entry))) >= 0;
        },
        &error);
    if (!read) {
        file.cancelWriting();
        Console::Error(error);
        return ExitFailure;
    }
    if (!wrote || !file.commit()) {
        Console::Error(QStringLiteral("%1: %2").arg(csvFile, file.errorString()));
        return ExitFailure;
    }
    Console::Err(QStringLiteral("%1 entries written to %2.\n").arg(count).arg(csvFile));
    return ExitDone;
}
