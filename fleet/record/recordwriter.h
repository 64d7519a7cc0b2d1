#ifndef RECORDWRITER_H
#define RECORDWRITER_H

#include <QCoreApplication>
#include <QString>

class BatchRecord;
struct UnitRecord;

// Prints records as A4 PDFs: every page names the program and its version,
// the record and the unit it is of, and says "page x of y". The pages are
// made in memory and the file written whole and renamed into place, so that
// a failed write leaves no half record beside the others.
class RecordWriter
{
    Q_DECLARE_TR_FUNCTIONS(RecordWriter)

public:
    static bool WritePdf(const UnitRecord &record, const QString &path, QString *errorText);
    // The batch's summary page, then each unit's record from a page of its
    // own; the pages are counted through the whole document.
    static bool WriteBatchPdf(const BatchRecord &batch, const QString &path, QString *errorText);
};

#endif // RECORDWRITER_H
