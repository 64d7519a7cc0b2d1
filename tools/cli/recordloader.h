#ifndef RECORDLOADER_H
#define RECORDLOADER_H

#include "fleet/record/recordmodule.h"

#include <QLibrary>
#include <QString>

#include <memory>

// Finds and loads the record writer module for the commands that write
// records (commission, record); the other commands never touch it.
class RecordLoader
{
public:
    // program is argv[0]. False with *errorText naming the module and why.
    bool Load(const char *program, QString *errorText);
    // Both valid only after a successful Load, and as long as this lives.
    std::unique_ptr<QCoreApplication> CreateApplication(int &argc, char **argv) const;
    bool WritePdf(const UnitRecord &record, const QString &path, QString *errorText) const;
    bool WriteBatchPdf(const BatchRecord &batch, const QString &path, QString *errorText) const;

private:
    QLibrary library;
    VandrelRecordApplication application = nullptr;
    VandrelRecordWritePdf writePdf = nullptr;
    VandrelRecordWriteBatchPdf writeBatchPdf = nullptr;
};

#endif // RECORDLOADER_H
