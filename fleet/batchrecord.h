#ifndef BATCHRECORD_H
#define BATCHRECORD_H

#include "fleet/fleetsummary.h"
#include "fleet/unitrecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

class FleetPlan;

// The record of one fleet run as a whole, filed beside the units' own: the
// template and table it ran from, one line per row of the table with the
// unit it went to and its verdict, then each unit's record.
class BatchRecord
{
    Q_DECLARE_TR_FUNCTIONS(BatchRecord)

public:
    struct Line
    {
        int tableLine = 0;
        QString mmsi;
        QString serial;
        QString result; // "PASS", "DIFFERS", "FAILED", "NOT DONE"
        QString status; // the run's last word on the row
    };

    BatchRecord() = default;
    BatchRecord(const FleetPlan &plan, const QString &engineer);

    // The record a run wrote as pdfPath (MMSI-SERIAL.pdf of a row of the
    // plan), with what the plan says of that row: customer, site, the
    // template and the table's line. It is kept for the batch.
    UnitRecord Completed(const UnitRecord &record, const QString &pdfPath);
    // The row's line of the summary page, as the run left it.
    void SetLine(int row, const FleetSummary::Entry &entry, const QString &status);

    QString Title() const;
    // The summary page; the units' records follow it on pages of their own.
    QString Html() const;
    // In table order.
    QList<UnitRecord> Records() const { return records.values(); }
    QDateTime Utc() const { return utc; }
    // "batch-YYYYMMDD-HHMMSS.pdf": every run into one records folder keeps
    // its own.
    QString FileName() const;

private:
    struct PlanRow
    {
        int tableLine = 0;
        QString mmsi;
        QString customer;
        QString site;
    };

    QString templateFile;
    QString templateSha256;
    QString tableFile;
    QString engineer;
    QDateTime utc;
    QList<PlanRow> rows;
    QList<Line> lines;
    QMap<int, UnitRecord> records; // by row
};

#endif // BATCHRECORD_H
