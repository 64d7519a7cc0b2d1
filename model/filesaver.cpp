#include "model/filesaver.h"

#include "model/regularfile.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

const char TemporaryMark[] = ".vandrel-save-";

// The folder of a save, held from the first look to the last step.
class HeldTarget
{
public:
    explicit HeldTarget(Platform &platform) : platform(platform) {}
    ~HeldTarget() { platform.CloseSaveTarget(&target); }
    HeldTarget(const HeldTarget &) = delete;
    HeldTarget &operator=(const HeldTarget &) = delete;

    Platform &platform;
    Platform::SaveTarget target;
};

QString WriteProblem(const QString &path, int error)
{
    return RegularFile::SystemProblem(path, error, RegularFile::Writing);
}

// Temporary files of saves that were killed: their process is gone (or is
// this one, which has none open now).
void RemoveLeftovers(HeldTarget &held)
{
    const QString prefix = QLatin1Char('.') + held.target.name + QLatin1String(TemporaryMark);
    for (const QString &name : held.platform.NamesBeside(held.target, prefix)) {
        bool ok = false;
        const qint64 pid = QStringView(name).mid(prefix.size()).toLongLong(&ok);
        if (ok && (pid == held.platform.ProcessId() || held.platform.ProcessGone(pid)))
            held.platform.Remove(held.target, name);
    }
}

// The data written, on the disk and the file closed; a full disk or a
// failing medium may first show at any of the three. The file is closed
// whatever happened.
bool WriteSyncClose(Platform &platform, Platform::Handle file, const QByteArray &bytes,
                    bool truncate, int *error)
{
    bool ok = platform.Write(file, bytes.constData(), bytes.size(), error) &&
              (!truncate || platform.Truncate(file, bytes.size(), error)) &&
              platform.Sync(file, error);
    int closeError = 0;
    if (!platform.Close(file, &closeError) && ok) {
        *error = closeError;
        ok = false;
    }
    return ok;
}

// Why a save of `path` cannot work, with its folder held in `held` when it
// can.
QString Check(const QString &path, FileSaver::Mode mode, HeldTarget &held,
              FileSaver::Result *result)
{
    *result = FileSaver::Failed;
    Platform &platform = held.platform;
    Platform::SaveTarget &target = held.target;
    int error = 0;
    QString failedPath;
    if (!platform.OpenSaveTarget(path, &target, &error, &failedPath))
        return WriteProblem(error == Platform::ForeignLink ? failedPath : path, error);
    const bool exists = target.kind != Platform::FileKind::Missing;
    if (exists && target.kind != Platform::FileKind::Regular) {
        *result = FileSaver::NotAFile;
        return RegularFile::KindProblem(path, target.kind);
    }
    const QString file = exists ? target.Path() : path;
    // A file the user has protected is not replaced behind its back.
    if (exists && !platform.MayWrite(target, target.name, &error))
        return WriteProblem(file, error);
    if (mode == FileSaver::WholeOrNothing && !platform.MayWrite(target, QString(), &error)) {
        if (!exists)
            return WriteProblem(target.folderPath, error);
        *result = FileSaver::FolderRefuses;
        return FileSaver::tr("The folder %1 does not allow new files, so the file cannot be "
                             "replaced as a whole. The file itself may be written directly, but "
                             "a failure while writing would then leave it incomplete.")
            .arg(QDir::toNativeSeparators(target.folderPath));
    }
    if (mode == FileSaver::InPlace && !exists)
        return WriteProblem(file, ENOENT);
    *result = FileSaver::Done;
    return QString();
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
    HeldTarget held(Platform::Current());
    return Check(path, mode, held, result ? result : &ignored);
}

FileSaver::Result FileSaver::Save(const QString &path, const QByteArray &bytes, Mode mode,
                                  QString *errorText)
{
    Q_CHECK_PTR(errorText);
    Result result = Failed;
    HeldTarget held(Platform::Current());
    *errorText = Check(path, mode, held, &result);
    if (result != Done)
        return result;
    Platform &platform = held.platform;
    const Platform::SaveTarget &target = held.target;
    const QString file = target.Path();
    int error = 0;

    if (mode == InPlace) {
        const Platform::Handle handle = platform.OpenExisting(target, &error);
        if (handle == Platform::NoHandle ||
            !WriteSyncClose(platform, handle, bytes, true, &error)) {
            *errorText = WriteProblem(file, error) + QLatin1Char(' ') +
                         (handle == Platform::NoHandle ? tr("The file was not changed.")
                                                       : tr("The file may now be incomplete."));
            return Failed;
        }
        return Done;
    }

    RemoveLeftovers(held);
    const QString temporary = QFileInfo(TemporaryName(file, platform.ProcessId())).fileName();
    const Platform::Handle handle = platform.CreateBeside(target, temporary, &error);
    if (handle == Platform::NoHandle) {
        const bool denied = error == EACCES || error == EPERM;
        *errorText = WriteProblem(denied ? target.folderPath : file, error);
        return Failed;
    }
    if (!WriteSyncClose(platform, handle, bytes, false, &error) ||
        !platform.ReplaceWith(target, temporary, &error)) {
        platform.Remove(target, temporary);
        *errorText = WriteProblem(file, error);
        return Failed;
    }
    // The rename itself is made lasting.
    platform.SyncFolder(target);
    return Done;
}
