#include "model/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RegularFile::OpenForReading(const QString &path, QFile *file, QString *errorText)
{
    Q_CHECK_PTR(file);
    // Not blocking: opening a FIFO without a writer would otherwise wait for
    // ever, before the kind of the file could be looked at.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        *errorText = SystemProblem(path, error);
        return false;
    }
    struct stat info = {};
    QString problem;
    if (::fstat(fd, &info) != 0)
        problem = SystemProblem(path, errno);
    else
        problem = KindProblem(path, info.st_mode);
    if (problem.isEmpty() && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        problem = SystemProblem(path, errno);
    if (problem.isEmpty() && !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        problem = tr("The system reports: %1").arg(file->errorString());
    if (!problem.isEmpty()) {
        ::close(fd);
        *errorText = problem;
        return false;
    }
    return true;
}

QString RegularFile::KindProblem(const QString &path, unsigned mode)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (mode & S_IFMT) {
    case S_IFREG:
        return QString();
    case S_IFDIR:
        return tr("%1 is a folder, not a file.").arg(name);
    case S_IFIFO:
        return tr("%1 is a pipe (FIFO), not a file.").arg(name);
    case S_IFCHR:
    case S_IFBLK:
        return tr("%1 is a device, not a file.").arg(name);
    case S_IFSOCK:
        return tr("%1 is a socket, not a file.").arg(name);
    default:
        return tr("%1 is not an ordinary file.").arg(name);
    }
}

QString RegularFile::SystemProblem(const QString &path, int error, Use use)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    switch (error) {
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
    default:
        return tr("The system reports: %1").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}
