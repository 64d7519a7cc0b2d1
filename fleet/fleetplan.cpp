#include "fleet/fleetplan.h"

#include "app/configurationcheck.h"
#include "fleet/csvtable.h"
#include "fleet/unitcolumns.h"
#include "model/mmsiplausibility.h"
#include "model/model.h"
#include "model/padfile.h"
#include "model/regularfile.h"
#include "model/visibletext.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

namespace {

std::shared_ptr<Model> Merged(const Model &templateModel, const QList<QString> &names,
                              const QList<QString> &texts, int leaveOut = -1)
{
    auto model = std::make_shared<Model>();
    *model = templateModel;
    for (int i = 0; i < names.size(); ++i) {
        if (i != leaveOut && !texts.at(i).isEmpty())
            UnitColumns::Apply(names.at(i), texts.at(i), model.get());
    }
    return model;
}

} // namespace

QString FleetPlan::Located(int line, int column, const QString &text) const
{
    const QString table = VisibleText::OneLine(tablePath);
    if (column < 0)
        return tr("%1 line %2: %3").arg(table, QString::number(line), text);
    return tr("%1 line %2, column %3 (%4): %5")
        .arg(table, QString::number(line), QString::number(column + 1),
             VisibleText::OneLine(header.value(column)), text);
}

void FleetPlan::Problem(int line, int column, const QString &text)
{
    if (problems.size() >= MaxProblems) {
        ++unlisted;
        return;
    }
    problems << Located(line, column, text);
}

void FleetPlan::WarnOfIdentity(const Row &row)
{
    // A table of a few hundred ships' MMSIs would drown every other line.
    if (warnings.size() >= MaxProblems)
        return;
    const QString mmsi = MmsiPlausibility::MmsiWarning(row.mmsi);
    if (!mmsi.isEmpty())
        warnings << Located(row.line, header.indexOf(QStringLiteral("mmsi")), mmsi);
    const QString name = MmsiPlausibility::NameWarning(row.name);
    if (!name.isEmpty())
        warnings << Located(row.line, header.indexOf(QStringLiteral("name")), name);
}

bool FleetPlan::Load(const QString &templatePathGiven, const QString &tablePathGiven)
{
    templatePath = templatePathGiven;
    tablePath = tablePathGiven;
    rows.clear();
    problems.clear();
    warnings.clear();
    templateSha256.clear();
    // The bytes are read once: the checksum a record gives is of the very
    // template that was sent.
    Model templateModel;
    QString error;
    QByteArray templateBytes;
    // One byte past the limit is what the file format itself refuses.
    const RegularFile::Read read =
        RegularFile::ReadAll(templatePath, PadFile::MaxFileSize, &templateBytes, &error);
    if ((read == RegularFile::ReadDone || read == RegularFile::TooLarge) &&
        PadFile::FromBytes(templateBytes, &templateModel, &error) != PadFile::Done)
        error = tr("%1: %2").arg(templatePath, error);
    if (!error.isEmpty()) {
        problems << VisibleText::OneLine(error);
        return false;
    }
    const QString sha = QString::fromLatin1(
        QCryptographicHash::hash(templateBytes, QCryptographicHash::Sha256).toHex());
    QByteArray bytes;
    if (!CsvTable::ReadFile(tablePath, &bytes, &error)) {
        problems << error;
        return false;
    }
    const bool loaded = Load(templateModel, bytes, tablePath);
    templateSha256 = sha;
    return loaded;
}

bool FleetPlan::Load(const Model &templateModel, const QByteArray &table, const QString &tableName)
{
    tablePath = tableName;
    rows.clear();
    problems.clear();
    warnings.clear();
    header.clear();
    unlisted = 0;

    QList<CsvTable::Record> records;
    QString error;
    if (!CsvTable::Parse(table, &records, &error)) {
        problems << VisibleText::OneLine(tablePath) + QStringLiteral(" ") + error;
        return false;
    }
    if (records.isEmpty()) {
        problems << tr("%1: the table is empty").arg(VisibleText::OneLine(tablePath));
        return false;
    }

    // The schedule is the template's alone: a clash is its problem, once.
    if (templateModel.GetMessageSchedule()->RisksSlotClash())
        problems << tr("%1: the message schedule risks clashing time slots (%2); a send "
                       "refuses it")
                        .arg(VisibleText::OneLine(templatePath),
                             templateModel.GetMessageSchedule()->SlotClashRowTexts().join(
                                 QStringLiteral("; ")));

    const CsvTable::Record &head = records.first();
    for (const QString &name : head.fields)
        header << name.trimmed();
    for (int column = 0; column < header.size(); ++column) {
        const QString &name = header.at(column);
        if (!UnitColumns::IsKnown(name))
            Problem(head.line, column,
                    tr("not a field of a unit; the columns a table may have are %1")
                        .arg(UnitColumns::Known().join(QStringLiteral(", "))));
        else if (header.indexOf(name) != column)
            Problem(head.line, column,
                    tr("the column is also column %1").arg(header.indexOf(name) + 1));
    }
    for (const QString &required : UnitColumns::Required()) {
        if (!header.contains(required))
            Problem(head.line, -1, tr("the column \"%1\" is missing").arg(required));
    }
    if (records.size() == 1)
        Problem(head.line, -1, tr("the table has no unit rows"));
    if (records.size() - 1 > MaxRows)
        Problem(head.line, -1,
                tr("the table has %1 unit rows, more than the %2 one plan takes")
                    .arg(QString::number(records.size() - 1), QString::number(MaxRows)));
    if (!problems.isEmpty())
        return false;

    const int mmsiColumn = header.indexOf(QStringLiteral("mmsi"));
    const int serialColumn = header.indexOf(UnitColumns::SerialColumn());
    QStringList templateProblems;
    QStringList mmsis;
    QStringList serials;
    QList<int> lines;
    for (int r = 1; r < records.size(); ++r) {
        const CsvTable::Record &record = records.at(r);
        if (record.fields.size() != header.size()) {
            Problem(
                record.line, -1,
                tr("%1 fields where the header has %2")
                    .arg(QString::number(record.fields.size()), QString::number(header.size())));
            continue;
        }
        QList<Cell> cells;
        for (int column = 0; column < header.size(); ++column)
            cells << Cell{column, record.fields.at(column)};
        const int before = problems.size() + unlisted;
        CheckRow(templateModel, record.line, cells, &templateProblems);
        mmsis << record.fields.at(mmsiColumn).trimmed();
        serials << (serialColumn < 0 ? QString() : record.fields.at(serialColumn).trimmed());
        lines << record.line;
        if (problems.size() + unlisted > before)
            continue;
        QStringList names;
        QStringList texts;
        for (int column = 0; column < header.size(); ++column) {
            if (column != serialColumn &&
                !UnitColumns::RecordColumns().contains(header.at(column))) {
                names << header.at(column);
                texts << record.fields.at(column);
            }
        }
        const std::shared_ptr<const Model> configuration = Merged(templateModel, names, texts);
        const auto recordCell = [&](const char *column) {
            const int at = header.indexOf(QLatin1String(column));
            return at < 0 ? QString() : record.fields.at(at).trimmed();
        };
        rows.append({record.line, mmsis.last(), serials.last(), configuration->GetAtoN()->Name(),
                     recordCell("customer"), recordCell("site"), configuration});
        WarnOfIdentity(rows.last());
    }
    RefuseDuplicates(mmsiColumn, mmsis, lines, tr("MMSI"));
    RefuseDuplicates(serialColumn, serials, lines, tr("serial number"));
    for (const QString &problem : templateProblems)
        problems << tr("%1: %2 (the template's own field)")
                        .arg(VisibleText::OneLine(templatePath), problem);
    if (unlisted > 0)
        problems << tr("and %n more problem(s)", nullptr, unlisted);
    if (!problems.isEmpty()) {
        rows.clear();
        warnings.clear();
    }
    return problems.isEmpty();
}

void FleetPlan::CheckRow(const Model &templateModel, int line, const QList<Cell> &cells,
                         QStringList *templateProblems)
{
    QStringList names;
    QStringList texts;
    QList<int> columns;
    bool cellProblem = false;
    for (const Cell &cell : cells) {
        const QString &name = header.at(cell.column);
        // The serial number is compared with what a unit tells and shown in
        // every message; customer and site are printed on the record: each
        // must be one line, as the table says it.
        const bool serial = name == UnitColumns::SerialColumn();
        if (serial || UnitColumns::RecordColumns().contains(name)) {
            if (VisibleText::OneLine(cell.text) != cell.text) {
                const QString shown = VisibleText::OneLine(cell.text);
                Problem(line, cell.column,
                        serial ? tr("the serial number \"%1\" holds a control character or a "
                                    "line break")
                                     .arg(shown)
                               : tr("\"%1\" holds a control character or a line break").arg(shown));
                cellProblem = true;
            }
            continue;
        }
        if (cell.text.trimmed().isEmpty()) {
            if (UnitColumns::Required().contains(name)) {
                Problem(line, cell.column, tr("empty, but every unit needs it"));
                cellProblem = true;
            }
            // An empty optional cell keeps the template's value.
            continue;
        }
        Model scratch;
        const QString problem = UnitColumns::Apply(name, cell.text, &scratch);
        if (!problem.isEmpty()) {
            Problem(line, cell.column, problem);
            cellProblem = true;
            continue;
        }
        names << name;
        texts << cell.text;
        columns << cell.column;
    }
    if (cellProblem)
        return;

    // The same check as a send's, on the row as it would go out. A problem
    // belongs to the cells without which it goes away; one that stays
    // whatever the row says is the template's.
    const QStringList found = ConfigurationCheck::Problems(*Merged(templateModel, names, texts));
    // Past the listed problems only their number counts.
    if (problems.size() >= MaxProblems) {
        unlisted += found.size();
        return;
    }
    for (const QString &problem : found) {
        bool placed = false;
        for (int i = 0; i < names.size(); ++i) {
            if (!ConfigurationCheck::Problems(*Merged(templateModel, names, texts, i))
                     .contains(problem)) {
                Problem(line, columns.at(i), problem);
                placed = true;
            }
        }
        if (!placed && !templateProblems->contains(problem))
            templateProblems->append(problem);
    }
}

void FleetPlan::RefuseDuplicates(int column, const QStringList &values, const QList<int> &lines,
                                 const QString &what)
{
    QHash<QString, int> first;
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).isEmpty())
            continue;
        const auto seen = first.constFind(values.at(i));
        if (seen == first.constEnd()) {
            first.insert(values.at(i), lines.at(i));
            continue;
        }
        Problem(lines.at(i), column,
                tr("the %1 %2 is also on line %3; each unit needs its own")
                    .arg(what, VisibleText::OneLine(values.at(i)), QString::number(seen.value())));
    }
}
