#ifndef UNITASSIGNMENT_H
#define UNITASSIGNMENT_H

#include <QHash>
#include <QString>
#include <QVector>

// Which table row a docked unit gets. A row that names a serial number goes
// to that unit only; any other unit takes the next row that names none and is
// not yet done, in table order. No row goes to two units and no unit gets two
// rows, so one MMSI can never be given to two units in one run.
class UnitAssignment
{
public:
    enum class Kind
    {
        Assigned,    // row: the unit's row, now or from before
        AlreadyDone, // row: verified in an earlier run; nothing is sent
        NoRow        // nothing left for this unit
    };
    struct Outcome
    {
        Kind kind = Kind::NoRow;
        int row = -1;
    };

    // boundSerial: the serial number the table binds a row to, or empty;
    // doneSerial: for a row verified in an earlier run, the unit it went to.
    void AddRow(const QString &boundSerial, const QString &doneSerial = QString());
    int RowCount() const { return rows.size(); }

    // unit: what tells docked units apart (their port); serial: the serial
    // number the unit reported, empty when it did not.
    Outcome Assign(const QString &unit, const QString &serial);
    // A chosen row for a chosen unit (the window's "this row on this unit"):
    // false when the row is held by another unit, already done, bound to
    // another serial number, or the unit holds another row.
    bool Claim(const QString &unit, const QString &serial, int row);
    // The unit holding a row, empty when none does.
    QString UnitOf(int row) const { return rows.value(row).unit; }

private:
    struct Row
    {
        QString boundSerial;
        QString doneSerial;
        QString unit;
    };
    QVector<Row> rows;
    QHash<QString, int> rowOfUnit;
};

#endif // UNITASSIGNMENT_H
