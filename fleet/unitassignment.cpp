#include "fleet/unitassignment.h"

void UnitAssignment::AddRow(const QString &boundSerial, const QString &doneSerial)
{
    rows.append({boundSerial, doneSerial, QString()});
}

UnitAssignment::Outcome UnitAssignment::Assign(const QString &unit, const QString &serial)
{
    const auto held = rowOfUnit.constFind(unit);
    if (held != rowOfUnit.constEnd())
        return {Kind::Assigned, held.value()};

    const auto take = [&](int row) {
        rows[row].unit = unit;
        rowOfUnit.insert(unit, row);
        return Outcome{Kind::Assigned, row};
    };
    if (!serial.isEmpty()) {
        for (int row = 0; row < rows.size(); ++row) {
            const Row &r = rows.at(row);
            if (r.doneSerial == serial && (r.boundSerial.isEmpty() || r.boundSerial == serial))
                return {Kind::AlreadyDone, row};
            if (r.boundSerial == serial)
                return r.unit.isEmpty() && r.doneSerial.isEmpty() ? take(row) : Outcome{};
        }
    }
    for (int row = 0; row < rows.size(); ++row) {
        const Row &r = rows.at(row);
        if (r.boundSerial.isEmpty() && r.doneSerial.isEmpty() && r.unit.isEmpty())
            return take(row);
    }
    return {};
}

bool UnitAssignment::Claim(const QString &unit, const QString &serial, int row)
{
    if (row < 0 || row >= rows.size())
        return false;
    Row &r = rows[row];
    const int held = rowOfUnit.value(unit, -1);
    if (held == row)
        return true;
    if (held >= 0 || !r.unit.isEmpty() || !r.doneSerial.isEmpty() ||
        (!r.boundSerial.isEmpty() && r.boundSerial != serial))
        return false;
    r.unit = unit;
    rowOfUnit.insert(unit, row);
    return true;
}
