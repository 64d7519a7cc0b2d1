#ifndef FILESAVER_H
#define FILESAVER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Writes a file so that a failure loses nothing: the bytes go to a temporary
// file beside the target, every write, the flush to the disk and the close
// are checked, and only a whole file is renamed over the old one. On any
// failure the old file stays byte for byte and the reason is given in the
// user's words.
//
// The temporary file is named ".NAME.vandrel-save-PID"; one left by a save
// that was killed is removed by the next save of the same file.
//
// A symbolic link is followed, and the file it leads to written, unless
// another user made it in a folder that everyone may write to (/tmp): such a
// link is refused, as Linux's protected-symlinks guard would refuse it, so a
// save can never be led into a file of someone else's choosing. Every step
// after the first look works within the folder then found.
class FileSaver
{
    Q_DECLARE_TR_FUNCTIONS(FileSaver)

public:
    enum Result
    {
        Done = 0,
        NotAFile,      // the target is a folder, a FIFO, a device: nothing written
        FolderRefuses, // no new file may be made there, but the file itself is writable
        Failed,        // nothing changed; the reason says why
    };
    enum Mode
    {
        WholeOrNothing,
        // Writes into the existing file itself, for a folder that refuses new
        // files. A failure part way may leave the file incomplete, so this is
        // only ever done when the user asked for it.
        InPlace,
    };

    static Result Save(const QString &path, const QByteArray &bytes, Mode mode, QString *errorText);
    // Why a save of `path` cannot work, found before anything is written
    // (empty when it looks possible): a target that is no file, a missing
    // folder, no permission. Save() gives the same reasons.
    static QString Problem(const QString &path, Mode mode = WholeOrNothing,
                           Result *result = nullptr);
    static QString TemporaryName(const QString &path, qint64 processId);
};

#endif // FILESAVER_H
