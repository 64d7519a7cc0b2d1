#include "fleet/batchrecord.h"

#include "app/vandrelversion.h"
#include "fleet/fleetplan.h"

#include <QFileInfo>

namespace {

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

BatchRecord::BatchRecord(const FleetPlan &plan, const QString &engineer)
    : templateFile(plan.TemplatePath()), templateSha256(plan.TemplateSha256()),
      tableFile(plan.TablePath()), engineer(engineer), utc(QDateTime::currentDateTimeUtc())
{
    for (const FleetPlan::Row &row : plan.Rows()) {
        rows.append({row.line, row.mmsi, row.customer, row.site});
        lines.append({row.line, row.mmsi, QString(), tr("NOT DONE"), QString()});
    }
}

UnitRecord BatchRecord::Completed(const UnitRecord &record, const QString &pdfPath)
{
    UnitRecord completed = record;
    const QString name = QFileInfo(pdfPath).fileName();
    for (int row = 0; row < rows.size(); ++row) {
        const PlanRow &planRow = rows.at(row);
        if (UnitRecord::FileStem(planRow.mmsi, record.serial) + QStringLiteral(".pdf") != name)
            continue;
        completed.customer = planRow.customer;
        completed.site = planRow.site;
        completed.templateFile = templateFile;
        completed.templateSha256 = templateSha256;
        completed.tableFile = tableFile;
        completed.tableLine = planRow.tableLine;
        records.insert(row, completed);
        break;
    }
    return completed;
}

void BatchRecord::SetLine(int row, const FleetSummary::Entry &entry, const QString &status)
{
    if (row < 0 || row >= lines.size())
        return;
    using State = FleetSummary::State;
    using Result = UnitRecord::Result;
    lines[row].serial = entry.serial;
    lines[row].result = entry.state == State::Verified  ? UnitRecord::ResultWord(Result::Verified)
                        : entry.state == State::Differs ? UnitRecord::ResultWord(Result::Differs)
                        : entry.state == State::Failed  ? UnitRecord::ResultWord(Result::Failed)
                                                        : tr("NOT DONE");
    lines[row].status = status;
}

QString BatchRecord::Title() const
{
    return tr("Fleet commissioning record");
}

QString BatchRecord::FileName() const
{
    return QStringLiteral("batch-") + utc.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QStringLiteral(".pdf");
}

QString BatchRecord::Html() const
{
    QString html = QStringLiteral("<html><head><style>") + UnitRecord::StyleSheet() +
                   QStringLiteral("</style></head><body>\n");
    html += QStringLiteral("<p class=\"h1\">%1</p>\n<table>\n").arg(Escaped(Title()));
    const auto pair = [&html](const QString &label, const QString &value) {
        html += QStringLiteral("<tr><td class=\"label\">%1</td><td>%2</td></tr>\n")
                    .arg(Escaped(label), Escaped(value));
    };
    pair(tr("Date and time (UTC)"), utc.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    pair(tr("Engineer"), engineer.isEmpty() ? tr("not given") : engineer);
    pair(tr("Template"), templateFile);
    pair(tr("Template SHA-256"), templateSha256);
    pair(tr("Unit table"), tableFile);
    pair(tr("Program"), QStringLiteral("Vandrel ") + QLatin1String(VandrelVersion::Number()));
    html += QStringLiteral("</table>\n");

    int passed = 0;
    for (const Line &line : lines)
        passed += line.result == UnitRecord::ResultWord(UnitRecord::Result::Verified) ? 1 : 0;
    html += QStringLiteral("<p class=\"h2\">%1</p>\n")
                .arg(Escaped(tr("Units that pass: %1 of %2")
                                 .arg(QString::number(passed), QString::number(lines.size()))));
    html += QStringLiteral("<table class=\"grid\">\n<thead><tr><th>%1</th><th>%2</th><th>%3</th>"
                           "<th>%4</th><th>%5</th></tr></thead>\n")
                .arg(tr("Line"), tr("MMSI"), tr("Serial number"), tr("Result"), tr("Status"));
    for (const Line &line : lines)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td><b>%4</b></td>"
                               "<td>%5</td></tr>\n")
                    .arg(QString::number(line.tableLine), Escaped(line.mmsi),
                         Escaped(line.serial.isEmpty() ? QStringLiteral("-") : line.serial),
                         Escaped(line.result), Escaped(line.status));
    html += QStringLiteral("</table>\n");
    if (records.size() < lines.size())
        html += QStringLiteral("<p>%1</p>\n")
                    .arg(Escaped(tr("Each unit's record follows; a row without one ended "
                                    "before its read-back (its traffic log is in the records "
                                    "folder).")));
    return html + QStringLiteral("</body></html>\n");
}
