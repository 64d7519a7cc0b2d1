#include "app/translationloader.h"

#include "app/vandrelversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

QStringList TranslationLoader::ProgramFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {QStringLiteral("."), programFolder,
            QDir::cleanPath(programFolder + QLatin1Char('/') +
                            QLatin1String(VandrelVersion::TranslationsFromBin()))};
}

QString TranslationLoader::Install(QCoreApplication *application, const QLocale &locale)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    for (const char *catalogue : {"qtbase", "qtserialport"}) {
        auto *qt = new QTranslator(application);
        if (qt->load(locale, QLatin1String(catalogue), QStringLiteral("_"), qtFolder))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
    }

    // "vandrel_de.qm" for a German system; without such a file the texts stay
    // as they are written.
    auto *program = new QTranslator(application);
    for (const QString &folder : ProgramFolders()) {
        if (program->load(locale, QStringLiteral("vandrel"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(program);
            return program->filePath();
        }
    }
    delete program;
    return QString();
}
