#ifndef PADFILE_H
#define PADFILE_H

#include "model/filesaver.h"

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
        OpenFailed,    // the file could not be opened, or is no file (a folder, a FIFO)
        Invalid,       // truncated, trailing bytes, impossible row count, or too large
        WriteFailed,   // the bytes could not all be written; the old file is as it was
        FolderRefuses, // see FileSaver: only a direct write into the file could save it
    };

    // Far above any configuration (a default one is a few hundred bytes);
    // keeps a wrong file from filling memory.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    static constexpr qint64 ReadPieceSize = 64 * 1024;

    // A file that cannot be opened gives in errorText why, naming the path;
    // one that does not hold a configuration gives its name and the fault.
    static Result Load(const QString &fileName, Model *model, QString *errorText = nullptr);
    // A failed save gives in errorText why, in the user's words (the folder
    // is missing, writing there is not allowed, the disk is full); the caller
    // names the file.
    static Result Save(const QString &fileName, const Model &model, QString *errorText = nullptr,
                       FileSaver::Mode mode = FileSaver::WholeOrNothing);
    // Why fileName cannot be saved, before anything is written (empty when it
    // looks possible).
    static QString SaveProblem(const QString &fileName,
                               FileSaver::Mode mode = FileSaver::WholeOrNothing);

    // The same on an open device of any kind (reading starts at its current
    // position and goes to its end, at most MaxFileSize bytes).
    static Result Read(QIODevice *device, Model *model, QString *errorText = nullptr);
    static Result Write(QIODevice *device, const Model &model, QString *errorText = nullptr);

    static QByteArray ToBytes(const Model &model);
    static Result FromBytes(const QByteArray &bytes, Model *model, QString *errorText = nullptr);
};

#endif // PADFILE_H
