#ifndef REGULARFILE_H
#define REGULARFILE_H

#include "platform/platform.h"

#include <QCoreApplication>
#include <QString>

class QFile;

// Opens configuration files for reading only when they are ordinary files.
// A FIFO would block the open until a writer comes, and a device or a folder
// is never a configuration; each failure is named as what it is.
class RegularFile
{
    Q_DECLARE_TR_FUNCTIONS(RegularFile)

public:
    // Opens `path` read-only on `file` (which must not be open). False with
    // *errorText set to the reason, in the user's words, without the name
    // of the file itself unless the reason is about another path.
    static bool OpenForReading(const QString &path, QFile *file, QString *errorText);

    enum Read
    {
        ReadDone,
        OpenFailed,
        ReadFailed,
        // More than the limit: *bytes holds one byte past it.
        TooLarge
    };
    // Reads the whole of an ordinary file of at most `limit` bytes into
    // *bytes, never more than one byte past the limit. Unless ReadDone,
    // *errorText gives the reason in the user's words (for OpenFailed as
    // OpenForReading gives it, for ReadFailed the system's).
    static Read ReadAll(const QString &path, qint64 limit, QByteArray *bytes, QString *errorText);

    // Why a path of that kind is not an ordinary file; empty when it is one.
    static QString KindProblem(const QString &path, Platform::FileKind kind);

    enum Use
    {
        Reading,
        Writing
    };
    // The user's words for an errno (or a platform error) met while using
    // `path`.
    static QString SystemProblem(const QString &path, int error, Use use = Reading);
};

#endif // REGULARFILE_H
