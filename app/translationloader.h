#ifndef TRANSLATIONLOADER_H
#define TRANSLATIONLOADER_H

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

// Finds and installs the translations for a language: Qt's own (the
// standard buttons, the file dialog, the key names in menus) and the
// program's. The program's translation is looked for in the current folder,
// then beside the program, then in the installed data folder; the first
// found is taken.
class TranslationLoader
{
public:
    // Installs what is found for locale into the application, which owns the
    // translators. Returns the path of the program's translation, empty when
    // there is none for the language.
    static QString Install(QCoreApplication *application, const QLocale &locale = QLocale());

    // The folders searched for the program's translation, in order.
    static QStringList ProgramFolders();
};

#endif // TRANSLATIONLOADER_H
