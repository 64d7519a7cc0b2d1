#ifndef UNITCOLUMNS_H
#define UNITCOLUMNS_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class Model;

// The columns a unit table may have: each names a per-unit field the way
// `vandrel-cli show --json` names it and puts a cell's text into a
// configuration. The schedule is the template's alone.
class UnitColumns
{
    Q_DECLARE_TR_FUNCTIONS(UnitColumns)

public:
    // The columns every table needs.
    static QStringList Required();
    // Binds a row to the unit with this serial number; not a field.
    static QString SerialColumn() { return QStringLiteral("serial"); }
    // Taken into the unit's record as written (customer, site); not fields.
    static QStringList RecordColumns();
    // Every column name taken, Required() first.
    static QStringList Known();
    static bool IsKnown(const QString &name);

    // Puts text into the field named; an empty string when it was taken,
    // otherwise why not (the field keeps its value then). Texts are read as
    // written, never cut or rounded into something else.
    static QString Apply(const QString &name, const QString &text, Model *model);
};

#endif // UNITCOLUMNS_H
