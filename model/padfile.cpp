#include "model/padfile.h"

#include "model/model.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

void SetError(QString *errorText, const QString &text)
{
    if (errorText)
        *errorText = text;
}

} // namespace

PadFile::Result PadFile::Load(const QString &fileName, Model *model, QString *errorText)
{
    Q_CHECK_PTR(model);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(errorText, tr("Could not open file: %1").arg(fileName));
        return OpenFailed;
    }
    const Result result = Read(&file, model, errorText);
    if (result != Done && errorText)
        *errorText = tr("%1: %2").arg(fileName, *errorText);
    return result;
}

PadFile::Result PadFile::Save(const QString &fileName, const Model &model, QString *errorText)
{
    // Written beside the old file and renamed over it at the end, so that a
    // full disk cannot leave half a configuration behind.
    const QByteArray bytes = ToBytes(model);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        SetError(errorText, SaveProblem(fileName, bytes.size(), file.errorString()));
        return OpenFailed;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        SetError(errorText, SaveProblem(fileName, bytes.size(), file.errorString()));
        file.cancelWriting();
        return WriteFailed;
    }
    return Done;
}

QString PadFile::SaveProblem(const QString &fileName, qint64 size, const QString &systemText)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return tr("%1 is not a folder.").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return tr("You are not allowed to write to %1.")
            .arg(QDir::toNativeSeparators(file.exists() ? file.filePath() : folder.filePath()));
    const QStorageInfo disk(folder.filePath());
    if (disk.isValid() && disk.bytesAvailable() < size)
        return tr("The disk is full.");
    return systemText.isEmpty() ? QString() : tr("The system reports: %1").arg(systemText);
}

PadFile::Result PadFile::Read(QIODevice *device, Model *model, QString *errorText)
{
    Q_CHECK_PTR(device);
    Q_CHECK_PTR(model);
    // A pipe or a device such as /dev/urandom has no size to ask for: read
    // until its end, but never more than one byte past the limit.
    QByteArray bytes;
    while (bytes.size() <= MaxFileSize) {
        const qint64 wanted = qMin<qint64>(ReadPieceSize, MaxFileSize + 1 - bytes.size());
        const QByteArray piece = device->read(wanted);
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    return FromBytes(bytes, model, errorText);
}

PadFile::Result PadFile::Write(QIODevice *device, const Model &model, QString *errorText)
{
    Q_CHECK_PTR(device);
    QDataStream stream(device);
    model.Write(stream);
    if (stream.status() != QDataStream::Ok) {
        SetError(errorText,
                 tr("The configuration could not be written (%1).").arg(device->errorString()));
        return WriteFailed;
    }
    return Done;
}

QByteArray PadFile::ToBytes(const Model &model)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    model.Write(stream);
    return bytes;
}

PadFile::Result PadFile::FromBytes(const QByteArray &bytes, Model *model, QString *errorText)
{
    Q_CHECK_PTR(model);
    if (bytes.size() > MaxFileSize) {
        SetError(errorText, tr("The file is too large to be a configuration file."));
        return Invalid;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream stream(&buffer);
    Model scratch;
    scratch.Read(stream);
    switch (stream.status()) {
    case QDataStream::Ok:
        break;
    case QDataStream::ReadPastEnd:
        SetError(errorText, tr("The file ends before the configuration is complete."));
        return Invalid;
    default:
        SetError(errorText, tr("The file does not hold a valid configuration."));
        return Invalid;
    }
    // Nothing may follow the configuration: two files joined are not one.
    if (!buffer.atEnd()) {
        SetError(errorText, tr("The file holds %n byte(s) after the end of the configuration.",
                               nullptr, int(buffer.bytesAvailable())));
        return Invalid;
    }
    *model = scratch;
    return Done;
}
