#include "model/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

bool RegularFile::OpenForReading(const QString &path, QFile *file, QString *errorText)
{
    Q_CHECK_PTR(file);
    Platform::FileKind kind = Platform::FileKind::Missing;
    int error = 0;
    if (Platform::Current().OpenRegularForReading(path, file, &kind, &error))
        return true;
    *errorText = error != 0 ? SystemProblem(path, error) : KindProblem(path, kind);
    return false;
}

RegularFile::Read RegularFile::ReadAll(const QString &path, qint64 limit, QByteArray *bytes,
                                       QString *errorText)
{
    QFile file;
    if (!OpenForReading(path, &file, errorText))
        return OpenFailed;
    *bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        *errorText = file.errorString();
        return ReadFailed;
    }
    return bytes->size() > limit ? TooLarge : ReadDone;
}

QString RegularFile::KindProblem(const QString &path, Platform::FileKind kind)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (kind) {
    case Platform::FileKind::Regular:
        return QString();
    case Platform::FileKind::Folder:
        return tr("%1 is a folder, not a file.").arg(name);
    case Platform::FileKind::Pipe:
        return tr("%1 is a pipe (FIFO), not a file.").arg(name);
    case Platform::FileKind::Device:
        return tr("%1 is a device, not a file.").arg(name);
    case Platform::FileKind::Socket:
        return tr("%1 is a socket, not a file.").arg(name);
    case Platform::FileKind::Missing:
        return SystemProblem(path, ENOENT);
    case Platform::FileKind::Other:
        break;
    }
    return tr("%1 is not an ordinary file.").arg(name);
}

QString RegularFile::SystemProblem(const QString &path, int error, Use use)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    switch (error) {
    case Platform::ForeignLink:
        return tr("%1 is a symbolic link that another user made in a folder everyone may "
                  "write to; it is not followed.")
            .arg(QDir::toNativeSeparators(path));
    case ENOENT:
        if (!QFileInfo(file.absolutePath()).isDir())
            return tr("The folder %1 does not exist.").arg(folder);
        return tr("The file %1 does not exist.").arg(QDir::toNativeSeparators(path));
    case ENOTDIR:
        return tr("A part of the path %1 is not a folder.").arg(folder);
    case EACCES:
    case EPERM:
        return (use == Reading ? tr("You are not allowed to read %1.")
                               : tr("You are not allowed to write to %1."))
            .arg(QDir::toNativeSeparators(path));
    case EISDIR:
        return tr("%1 is a folder, not a file.").arg(QDir::toNativeSeparators(path));
    case EROFS:
        return tr("The disk holding %1 can only be read.").arg(folder);
    case ENOSPC:
        return tr("The disk is full.");
    case EDQUOT:
        return tr("Your disk quota is used up.");
    case ENAMETOOLONG:
        return tr("The name %1 is too long.").arg(QDir::toNativeSeparators(path));
    case EIO:
        return tr("The disk reported an error (input/output error).");
    case ELOOP:
        return tr("The path %1 goes round in symbolic links.").arg(QDir::toNativeSeparators(path));
    default:
        return tr("The system reports: %1").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}
