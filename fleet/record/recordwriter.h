#ifndef RECORDWRITER_H
#define RECORDWRITER_H

#include <QCoreApplication>
#include <QString>

struct UnitRecord;

// Prints a unit record as an A4 PDF. The pages are made in memory and the
// file written whole and renamed into place, so that a failed write leaves
// no half record beside the others.
class RecordWriter
{
    Q_DECLARE_TR_FUNCTIONS(RecordWriter)

public:
    static bool WritePdf(const UnitRecord &record, const QString &path, QString *errorText);
};

#endif // RECORDWRITER_H
