// Arbitrary bytes as a unit table. What the reader takes must be written back
// by the writer to a table that reads the same, cell for cell, and come back
// through the spreadsheet marking unchanged. A plan either has rows that a
// unit can take and broadcast as they are, or no rows and problems that each
// stand on one line of output, whatever the table holds.

#include "fuzzapplication.h"

#include "fleet/csvtable.h"
#include "fleet/fleetplan.h"
#include "model/model.h"
#include "model/visibletext.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Harness : FuzzApplication<>
{
    Model templateModel;

    Harness()
    {
        // Message 21's two channels apart, as a send takes them: rows can pass.
        MessageSchedule *schedule = templateModel.GetMessageSchedule();
        MessageScheduleEntry normal = schedule->EntryAt(0);
        normal.SetStartSlot2(1125);
        schedule->SetEntry(0, normal);
    }
};

bool OneLine(const QString &text)
{
    return VisibleText::OneLine(text) == text;
}

void CheckCsv(const QByteArray &bytes)
{
    QList<CsvTable::Record> records;
    QString error;
    if (!CsvTable::Parse(bytes, &records, &error)) {
        if (error.isEmpty())
            abort();
        return;
    }
    QByteArray written;
    int line = 0;
    for (const CsvTable::Record &record : records) {
        if (record.line <= line || record.fields.isEmpty())
            abort();
        line = record.line;
        for (const QString &field : record.fields) {
            if (field.size() > CsvTable::MaxFieldLength ||
                CsvTable::FromText(CsvTable::AsText(field)) != field)
                abort();
        }
        written += CsvTable::Line(record.fields);
    }
    QList<CsvTable::Record> again;
    if (!CsvTable::Parse(written, &again, &error) || again.size() != records.size())
        abort();
    for (int i = 0; i < records.size(); ++i) {
        if (again.at(i).fields != records.at(i).fields)
            abort();
    }
}

void CheckPlan(const Model &templateModel, const QByteArray &bytes)
{
    FleetPlan plan;
    const bool loaded = plan.Load(templateModel, bytes, QStringLiteral("units.csv"));
    if (!loaded) {
        if (plan.Problems().isEmpty() || plan.RowCount() != 0)
            abort();
        for (const QString &problem : plan.Problems()) {
            if (!OneLine(problem))
                abort();
        }
        return;
    }
    if (!plan.Problems().isEmpty() || plan.RowCount() == 0 || plan.RowCount() > FleetPlan::MaxRows)
        abort();
    for (const FleetPlan::Row &row : plan.Rows()) {
        if (row.mmsi.size() != 9 || !OneLine(row.serial) || row.name.isEmpty() ||
            row.name != row.configuration->GetAtoN()->Name())
            abort();
        for (const QChar c : row.name) {
            if (c.unicode() < 0x20 || c.unicode() >= 0x60 || c == QLatin1Char('@'))
                abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Harness harness;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    CheckCsv(bytes);
    CheckPlan(harness.templateModel, bytes);
    return 0;
}
