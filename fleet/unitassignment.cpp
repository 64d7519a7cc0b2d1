#include "fleet/unitassignment.h"

void UnitAssignment::AddRow(const QString &boundSerial, const QString &doneSerial)
{
    rows.append({boundSerial, doneSerial, doneSerial, QString(), QString()});
}

void UnitAssignment::TakenBy(int row, const QString &serial)
{
    if (row >= 0 && row < rows.size() && !serial.isEmpty())
        rows[row].owner = serial;
}

void UnitAssignment::Done(int row, const QString &serial)
{
    if (row >= 0 && row < rows.size() && !serial.isEmpty())
        rows[row].doneSerial = rows[row].owner = serial;
}

void UnitAssignment::Release(int row)
{
    if (row >= 0 && row < rows.size() && rows.at(row).doneSerial.isEmpty())
        rows[row].owner.clear();
}

void UnitAssignment::Forget(const QString &unit, const QString &serial)
{
    const auto held = rowOfUnit.find(unit);
    if (held == rowOfUnit.end())
        return;
    Row &row = rows[held.value()];
    if (serial.isEmpty() || row.unitSerial.isEmpty() || row.unitSerial == serial)
        return;
    row.unit.clear();
    row.unitSerial.clear();
    rowOfUnit.erase(held);
}

bool UnitAssignment::FreeFor(const Row &row, const QString &serial, bool reassignThis) const
{
    if (!row.unit.isEmpty() || !row.doneSerial.isEmpty())
        return false;
    if (!row.boundSerial.isEmpty() && row.boundSerial != serial)
        return false;
    return row.owner.isEmpty() || row.owner == serial ||
           ((reassign || reassignThis) && !serial.isEmpty());
}

UnitAssignment::Outcome UnitAssignment::Take(int row, const QString &unit, const QString &serial)
{
    Row &r = rows[row];
    r.unit = unit;
    r.unitSerial = serial;
    if (!serial.isEmpty() && r.doneSerial.isEmpty())
        r.owner = serial;
    rowOfUnit.insert(unit, row);
    return {r.doneSerial.isEmpty() ? Kind::Assigned : Kind::AlreadyDone, row};
}

UnitAssignment::Outcome UnitAssignment::Assign(const QString &unit, const QString &serial)
{
    Forget(unit, serial);
    const auto held = rowOfUnit.constFind(unit);
    if (held != rowOfUnit.constEnd())
        return {rows.at(held.value()).doneSerial.isEmpty() ? Kind::Assigned : Kind::AlreadyDone,
                held.value()};

    if (!serial.isEmpty()) {
        // The unit's own row first: verified on it, taken in part by it, or
        // bound to it by the table.
        for (int row = 0; row < rows.size(); ++row) {
            const Row &r = rows.at(row);
            if (r.unit.isEmpty() && r.doneSerial == serial &&
                (r.boundSerial.isEmpty() || r.boundSerial == serial))
                return Take(row, unit, serial);
            if (r.unit.isEmpty() && r.doneSerial.isEmpty() && r.owner == serial)
                return Take(row, unit, serial);
        }
        for (int row = 0; row < rows.size(); ++row) {
            if (rows.at(row).boundSerial == serial)
                return FreeFor(rows.at(row), serial) ? Take(row, unit, serial) : Outcome{};
        }
    }
    for (int row = 0; row < rows.size(); ++row) {
        const Row &r = rows.at(row);
        if (r.boundSerial.isEmpty() && r.owner.isEmpty() && FreeFor(r, serial))
            return Take(row, unit, serial);
    }
    // Only then a row that went wrong on another unit, where allowed.
    for (int row = 0; row < rows.size(); ++row) {
        const Row &r = rows.at(row);
        if (r.boundSerial.isEmpty() && FreeFor(r, serial))
            return Take(row, unit, serial);
    }
    return {};
}

bool UnitAssignment::Claim(const QString &unit, const QString &serial, int row, bool reassignThis)
{
    if (row < 0 || row >= rows.size())
        return false;
    Forget(unit, serial);
    const int held = rowOfUnit.value(unit, -1);
    if (held == row)
        return true;
    if (held >= 0 || !FreeFor(rows.at(row), serial, reassignThis))
        return false;
    Take(row, unit, serial);
    return true;
}
