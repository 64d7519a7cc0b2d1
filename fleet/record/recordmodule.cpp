#include "fleet/record/recordmodule.h"

#include "app/vandrelversion.h"
#include "fleet/record/recordwriter.h"

#include <QGuiApplication>

extern "C" {

Q_DECL_EXPORT const char *vandrel_record_version()
{
    return VandrelVersion::Number();
}

Q_DECL_EXPORT QCoreApplication *vandrel_record_application(int *argc, char **argv)
{
    return new QGuiApplication(*argc, argv);
}

Q_DECL_EXPORT bool vandrel_record_write_pdf(const UnitRecord *record, const QString *path,
                                            QString *errorText)
{
    return RecordWriter::WritePdf(*record, *path, errorText);
}

Q_DECL_EXPORT bool vandrel_record_write_batch_pdf(const BatchRecord *batch, const QString *path,
                                                  QString *errorText)
{
    return RecordWriter::WriteBatchPdf(*batch, *path, errorText);
}
}
