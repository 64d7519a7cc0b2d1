#ifndef PADFILE_H
#define PADFILE_H

#include <QCoreApplication>
#include <QString>

class Model;
class QIODevice;

// Loads and saves .pad configuration files: the whole Model as its Write
// gives it, nothing before and nothing after.
//
// Loading reads into a scratch model and copies it to the target only when
// the whole file was read without error, so a truncated or damaged file
// leaves the document exactly as it was.
class PadFile
{
    Q_DECLARE_TR_FUNCTIONS(PadFile)

public:
    enum Result
    {
        Done = 0,
        OpenFailed,  // the file could not be opened
        Invalid,     // truncated, trailing bytes, impossible row count, or too large
        WriteFailed, // the bytes could not all be written
    };

    // Far above any configuration (a default one is a few hundred bytes);
    // keeps a wrong file from filling memory.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    static constexpr qint64 ReadPieceSize = 64 * 1024;

    static Result Load(const QString &fileName, Model *model, QString *errorText = nullptr);
    // A failed save gives in errorText why, in the user's words (the folder
    // is missing, writing there is not allowed, the disk is full); the caller
    // names the file.
    static Result Save(const QString &fileName, const Model &model, QString *errorText = nullptr);
    // Why `size` bytes cannot be saved as fileName; systemText, the system's
    // own account, when none of the usual causes applies (empty when it looks
    // possible and the system says nothing).
    static QString SaveProblem(const QString &fileName, qint64 size = 0,
                               const QString &systemText = QString());

    // The same on an open device of any kind (reading starts at its current
    // position and goes to its end, at most MaxFileSize bytes).
    static Result Read(QIODevice *device, Model *model, QString *errorText = nullptr);
    static Result Write(QIODevice *device, const Model &model, QString *errorText = nullptr);

    static QByteArray ToBytes(const Model &model);
    static Result FromBytes(const QByteArray &bytes, Model *model, QString *errorText = nullptr);
};

#endif // PADFILE_H
