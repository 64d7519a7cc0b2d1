#include "recordloader.h"

#include "app/vandrelversion.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The running program's folder; no application object exists yet.
QString ProgramFolder(const char *program)
{
    QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (!self.exists()) {
        const QString name = QFile::decodeName(program);
        self.setFile(name.contains(QLatin1Char('/')) ? name : QStandardPaths::findExecutable(name));
    }
    return QFileInfo(self.canonicalFilePath()).absolutePath();
}

} // namespace

bool RecordLoader::Load(const char *program, QString *errorText)
{
    // Installed in its own folder below the libraries; in the build, beside
    // the program.
    const QDir folder(ProgramFolder(program));
    const QString name = QStringLiteral(VANDREL_RECORD_MODULE);
    const QString installed =
        folder.filePath(QStringLiteral(VANDREL_RECORD_MODULE_FROM_BIN "/") + name);
    const QString path = QFileInfo::exists(installed) ? installed : folder.filePath(name);
    library.setFileName(QDir::cleanPath(path));
    if (!library.load()) {
        *errorText =
            QStringLiteral("the record writer %1 could not be loaded (%2); records need it")
                .arg(library.fileName(), library.errorString());
        return false;
    }
    const auto version =
        reinterpret_cast<VandrelRecordVersion>(library.resolve(VANDREL_RECORD_VERSION_SYMBOL));
    application = reinterpret_cast<VandrelRecordApplication>(
        library.resolve(VANDREL_RECORD_APPLICATION_SYMBOL));
    writePdf =
        reinterpret_cast<VandrelRecordWritePdf>(library.resolve(VANDREL_RECORD_WRITE_PDF_SYMBOL));
    writeBatchPdf = reinterpret_cast<VandrelRecordWriteBatchPdf>(
        library.resolve(VANDREL_RECORD_WRITE_BATCH_PDF_SYMBOL));
    if (!version || !application || !writePdf || !writeBatchPdf) {
        *errorText = QStringLiteral("%1 is not Vandrel's record writer").arg(library.fileName());
        return false;
    }
    if (qstrcmp(version(), VandrelVersion::Number()) != 0) {
        *errorText = QStringLiteral("the record writer %1 is of version %2, this program of %3; "
                                    "install both from one package")
                         .arg(library.fileName(), QLatin1String(version()),
                              QLatin1String(VandrelVersion::Number()));
        return false;
    }
    return true;
}

std::unique_ptr<QCoreApplication> RecordLoader::CreateApplication(int &argc, char **argv) const
{
    return std::unique_ptr<QCoreApplication>(application(&argc, argv));
}

bool RecordLoader::WritePdf(const UnitRecord &record, const QString &path, QString *errorText) const
{
    return writePdf(&record, &path, errorText);
}

bool RecordLoader::WriteBatchPdf(const BatchRecord &batch, const QString &path,
                                 QString *errorText) const
{
    return writeBatchPdf(&batch, &path, errorText);
}
