#include "model/filesaver.h"

#include "model/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char TemporaryMark[] = ".vandrel-save-";

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

bool Writable(const QString &path)
{
    return ::faccessat(AT_FDCWD, Native(path).constData(), W_OK, AT_EACCESS) == 0;
}

bool WriteAll(int fd, const QByteArray &bytes, int *error)
{
    const char *next = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(qMin<qint64>(left, 1 << 20)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *error = written < 0 ? errno : EIO;
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

// The data on the disk and the descriptor closed; either can be where a full
// disk or a failing medium first shows.
bool SyncAndClose(int fd, int *error)
{
    bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    if (!ok)
        *error = errno;
    if (::close(fd) != 0 && errno != EINTR && ok) {
        *error = errno;
        ok = false;
    }
    return ok;
}

// Temporary files of saves that were killed: their process is gone (or is
// this one, which has none open now).
void RemoveLeftovers(const QString &folder, const QString &fileName)
{
    const QString prefix = QLatin1Char('.') + fileName + QLatin1String(TemporaryMark);
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!name.startsWith(prefix))
            continue;
        bool ok = false;
        const qint64 pid = QStringView(name).mid(prefix.size()).toLongLong(&ok);
        if (!ok || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
            continue;
        if (pid == ::getpid() || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
            ::unlink(Native(dir.filePath(name)).constData());
    }
}

} // namespace

QString FileSaver::TemporaryName(const QString &path, qint64 processId)
{
    const QFileInfo info(path);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1String(TemporaryMark) +
                               QString::number(processId));
}

QString FileSaver::Problem(const QString &path, Mode mode, Result *result)
{
    Result ignored;
    Result &outcome = result ? *result : ignored;
    outcome = Failed;
    struct stat info = {};
    const bool exists = ::stat(Native(path).constData(), &info) == 0;
    if (!exists && errno != ENOENT)
        return RegularFile::SystemProblem(path, errno, RegularFile::Writing);
    if (exists) {
        const QString kind = RegularFile::KindProblem(path, info.st_mode);
        if (!kind.isEmpty()) {
            outcome = NotAFile;
            return kind;
        }
    }
    const QString target = exists ? QFileInfo(path).canonicalFilePath() : path;
    const QString folder = QFileInfo(target).absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return RegularFile::SystemProblem(target, ENOENT, RegularFile::Writing);
    if (!folderInfo.isDir())
        return RegularFile::SystemProblem(target, ENOTDIR, RegularFile::Writing);
    // A file the user has protected is not replaced behind its back.
    if (exists && !Writable(target))
        return RegularFile::SystemProblem(target, errno, RegularFile::Writing);
    if (mode == WholeOrNothing && !Writable(folder)) {
        if (!exists)
            return RegularFile::SystemProblem(folder, errno, RegularFile::Writing);
        outcome = FolderRefuses;
        return tr("The folder %1 does not allow new files, so the file cannot be replaced "
                  "as a whole. The file itself may be written directly, but a failure "
                  "while writing would then leave it incomplete.")
            .arg(QDir::toNativeSeparators(folder));
    }
    if (mode == InPlace && !exists)
        return RegularFile::SystemProblem(target, ENOENT, RegularFile::Writing);
    outcome = Done;
    return QString();
}

FileSaver::Result FileSaver::Save(const QString &path, const QByteArray &bytes, Mode mode,
                                  QString *errorText)
{
    Q_CHECK_PTR(errorText);
    Result result = Failed;
    *errorText = Problem(path, mode, &result);
    if (result != Done)
        return result;

    // A link to the file: the file is written, the link stays.
    struct stat old = {};
    const bool exists = ::stat(Native(path).constData(), &old) == 0;
    const QString target = exists ? QFileInfo(path).canonicalFilePath() : path;
    int error = 0;
    if (mode == InPlace) {
        const int fd = ::open(Native(target).constData(), O_WRONLY | O_CLOEXEC);
        bool ok = fd >= 0;
        if (!ok)
            error = errno;
        if (ok && (!WriteAll(fd, bytes, &error) || ::ftruncate(fd, bytes.size()) != 0)) {
            if (error == 0)
                error = errno;
            ::close(fd);
            ok = false;
        } else if (ok) {
            ok = SyncAndClose(fd, &error);
        }
        if (!ok) {
            *errorText = RegularFile::SystemProblem(target, error, RegularFile::Writing) +
                         QLatin1Char(' ') + tr("The file may now be incomplete.");
            return Failed;
        }
        return Done;
    }

    const QString folder = QFileInfo(target).absolutePath();
    RemoveLeftovers(folder, QFileInfo(target).fileName());
    const QString temporary = TemporaryName(target, ::getpid());
    const QByteArray nativeTemporary = Native(temporary);
    const int fd =
        ::open(nativeTemporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int openError = errno;
        const bool denied = openError == EACCES || openError == EPERM;
        *errorText =
            RegularFile::SystemProblem(denied ? folder : target, openError, RegularFile::Writing);
        return Failed;
    }
    // The new file keeps the old one's permissions (and, saved by root, its
    // owner), as an edit in place would.
    if (exists) {
        (void)::fchmod(fd, old.st_mode & 07777);
        if (::geteuid() == 0)
            (void)::fchown(fd, old.st_uid, old.st_gid);
    }
    bool ok = WriteAll(fd, bytes, &error);
    if (!ok)
        ::close(fd);
    else
        ok = SyncAndClose(fd, &error);
    if (ok && ::rename(nativeTemporary.constData(), Native(target).constData()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(nativeTemporary.constData());
        *errorText = RegularFile::SystemProblem(target, error, RegularFile::Writing);
        return Failed;
    }
    // The rename itself is made lasting; a folder that cannot be synced
    // (some file systems refuse) still holds the whole new file.
    const int folderFd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        (void)::fsync(folderFd);
        ::close(folderFd);
    }
    return Done;
}
