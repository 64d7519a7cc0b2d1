#ifndef FLEETPLAN_H
#define FLEETPLAN_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Model;

// What a batch of units is to be given: the template configuration with one
// row of the unit table laid over it per unit. A plan is whole or not at all:
// every row is checked as a send would check it, and a table with any
// problem gives no rows, so that nothing goes to any unit.
class FleetPlan
{
    Q_DECLARE_TR_FUNCTIONS(FleetPlan)

public:
    struct Row
    {
        int line = 0; // where the row starts in the table file
        QString mmsi;
        QString serial; // empty: any unit not bound to another row
        QString name;
        QString customer; // for the record; empty when the table has none
        QString site;
        std::shared_ptr<const Model> configuration;
    };

    // Beyond this many problems a table is plainly the wrong file; the rest
    // are counted, not listed.
    static constexpr int MaxProblems = 50;
    // Far beyond a bench's batch; each row costs a send's check.
    static constexpr int MaxRows = 10000;

    // False when the template or the table cannot be read or any row has a
    // problem; Problems() then names each one by file, line and column.
    bool Load(const QString &templatePath, const QString &tablePath);
    // The same on a template already read and the table's bytes.
    bool Load(const Model &templateModel, const QByteArray &table, const QString &tableName);

    const QList<Row> &Rows() const { return rows; }
    int RowCount() const { return rows.size(); }
    QStringList Problems() const { return problems; }
    // Rows a unit can take whose identity is not plausible for an AtoN (a
    // ship's MMSI, a MID of no country), each named by file, line and
    // column; a strict run refuses the table for them.
    QStringList Warnings() const { return warnings; }
    QString TemplatePath() const { return templatePath; }
    // Of the template's bytes as read for this plan, in hexadecimal; empty
    // when the template was given already read.
    QString TemplateSha256() const { return templateSha256; }
    QString TablePath() const { return tablePath; }

private:
    struct Cell
    {
        int column; // index into the header
        QString text;
    };
    QString Located(int line, int column, const QString &text) const;
    void Problem(int line, int column, const QString &text);
    void WarnOfIdentity(const Row &row);
    void CheckRow(const Model &templateModel, int line, const QList<Cell> &cells,
                  QStringList *templateProblems);
    void RefuseDuplicates(int column, const QStringList &values, const QList<int> &lines,
                          const QString &what);

    QString templatePath;
    QString templateSha256;
    QString tablePath;
    QStringList header;
    QList<Row> rows;
    QStringList problems;
    QStringList warnings;
    int unlisted = 0;
};

#endif // FLEETPLAN_H
