#ifndef RECORDMODULE_H
#define RECORDMODULE_H

#include <QCoreApplication>
#include <QString>

class BatchRecord;
struct UnitRecord;

// The entry points of the record writer built as a module of its own, which
// vandrel-cli loads only for the commands that write records: everything
// else it does starts without Qt Gui and what that brings (fonts, shaping,
// the platform plugins). The module and the program come from one build:
// the version is compared before anything else is called.
extern "C" {
// The version of the build the module belongs to.
using VandrelRecordVersion = const char *(*)();
// The application object a record needs for its fonts: a QGuiApplication on
// the platform QT_QPA_PLATFORM names. argc must outlive it.
using VandrelRecordApplication = QCoreApplication *(*)(int *argc, char **argv);
// RecordWriter::WritePdf.
using VandrelRecordWritePdf = bool (*)(const UnitRecord *record, const QString *path,
                                       QString *errorText);
// RecordWriter::WriteBatchPdf.
using VandrelRecordWriteBatchPdf = bool (*)(const BatchRecord *batch, const QString *path,
                                            QString *errorText);
}

#define VANDREL_RECORD_VERSION_SYMBOL "vandrel_record_version"
#define VANDREL_RECORD_APPLICATION_SYMBOL "vandrel_record_application"
#define VANDREL_RECORD_WRITE_PDF_SYMBOL "vandrel_record_write_pdf"
#define VANDREL_RECORD_WRITE_BATCH_PDF_SYMBOL "vandrel_record_write_batch_pdf"

#endif // RECORDMODULE_H
