#include "configurationprinter.h"

#include "model/configurationfields.h"
#include "model/scheduletable.h"

#include "model/model.h"

#include <QVector>

namespace {

using Out = std::function<void(const QString &)>;

QString Group(const QList<ConfigurationField> &fields, const QString &group)
{
    int width = 0;
    for (const ConfigurationField &field : fields)
        width = qMax(width, field.label.size() + 1);
    QString text = group + QLatin1Char('\n');
    for (const ConfigurationField &field : fields) {
        text += QStringLiteral("  ") + (field.label + QLatin1Char(':')).leftJustified(width + 1) +
                field.text + QLatin1Char('\n');
    }
    return text;
}

void PrintSchedule(const MessageSchedule *schedule, const Out &text)
{
    const ScheduleTable table(schedule);
    QVector<int> widths(ScheduleTable::ColumnCount);
    for (int column = 0; column < ScheduleTable::ColumnCount; ++column) {
        widths[column] = ScheduleTable::Header(column).size();
        for (int row = 0; row < table.RowCount(); ++row)
            widths[column] = qMax(widths[column], table.Cell(row, column).size());
    }
    text(QStringLiteral("Message schedule\n"));
    auto line = [&](auto cell) {
        QString out = QStringLiteral(" ");
        for (int column = 0; column < ScheduleTable::ColumnCount; ++column)
            out += QStringLiteral(" ") + cell(column).leftJustified(widths[column]);
        return out;
    };
    text(line([](int column) { return ScheduleTable::Header(column); })
             .trimmed()
             .prepend(QStringLiteral("  ")) +
         QLatin1Char('\n'));
    for (int row = 0; row < table.RowCount(); ++row) {
        QString out = line([&](int column) { return table.Cell(row, column); });
        if (table.Specified(row) && !table.Active(row))
            out += QStringLiteral("  (not in use)");
        // Trailing blanks of the last column carry nothing.
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        text(out + QLatin1Char('\n'));
    }
    if (table.RowCount() == 0)
        text(QStringLiteral("  (no rows)\n"));
    const QStringList leftToUnit = schedule->UnspecifiedRowRuns();
    if (!leftToUnit.isEmpty())
        text(QStringLiteral("  Left as the unit holds them: ") +
             leftToUnit.join(QStringLiteral(", ")) + QLatin1Char('\n'));
}

} // namespace

void ConfigurationPrinter::Print(const Model &model, const Out &out)
{
    out(Group(ConfigurationFields::AtoNFields(model), QStringLiteral("AtoN")) + QLatin1Char('\n'));
    PrintSchedule(model.GetMessageSchedule(), out);
    out(QStringLiteral("\n") +
        Group(ConfigurationFields::LanternFields(model), QStringLiteral("Lantern interface")));
}
