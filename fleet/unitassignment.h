#ifndef UNITASSIGNMENT_H
#define UNITASSIGNMENT_H

#include <QHash>
#include <QString>
#include <QVector>

// Which table row a docked unit gets. A row that names a serial number goes
// to that unit only; a row a unit has taken any part of belongs to that unit
// from then on; any other unit takes the next row that nobody holds, in table
// order. No row goes to two units and no unit gets two rows, so one MMSI can
// never be given to two units, in one run or across runs, unless the engineer
// lets a row that went wrong go to another unit (SetReassign).
//
// Units are told apart by their port and their serial number together: a
// unit docked on a port in place of another is a new unit.
class UnitAssignment
{
public:
    enum class Kind
    {
        Assigned,    // row: the unit's row, now or from before
        AlreadyDone, // row: verified on this unit in an earlier run
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
    // The unit with this serial number took part of the row in an earlier
    // run (a send that failed or differed): the row is that unit's.
    void TakenBy(int row, const QString &serial);
    // The unit with this serial number holds the row, verified.
    void Done(int row, const QString &serial);
    // Nothing of the row went out to the unit that held it: the row is free
    // again.
    void Release(int row);
    // Rows that went wrong on one unit may go to another (never a row
    // verified on a unit).
    void SetReassign(bool allowed) { reassign = allowed; }

    // unit: what tells docked units apart (their port); serial: the serial
    // number the unit reported, empty when it did not.
    Outcome Assign(const QString &unit, const QString &serial);
    // A chosen row for a chosen unit (the window's "this row on this unit"):
    // false when the row is held by another unit, verified on or taken by
    // another, bound to another serial number, or the unit holds another row.
    // reassign: the engineer lets this row, though taken by another unit,
    // go to this one.
    bool Claim(const QString &unit, const QString &serial, int row, bool reassign = false);
    // The unit holding a row, empty when none does.
    QString UnitOf(int row) const { return rows.value(row).unit; }

private:
    struct Row
    {
        QString boundSerial;
        QString doneSerial;
        // The serial number that took any part of the row.
        QString owner;
        // The port of the unit holding the row in this run, and its serial.
        QString unit;
        QString unitSerial;
    };
    // The unit on this port, if it is another than the one that held a row
    // there, leaves that row (which stays its unit's).
    void Forget(const QString &unit, const QString &serial);
    bool FreeFor(const Row &row, const QString &serial, bool reassignThis = false) const;
    Outcome Take(int row, const QString &unit, const QString &serial);

    QVector<Row> rows;
    QHash<QString, int> rowOfUnit;
    bool reassign = false;
};

#endif // UNITASSIGNMENT_H
