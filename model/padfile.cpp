#include "model/padfile.h"

#include "model/model.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        SetError(errorText, tr("Could not save file: %1").arg(fileName));
        return OpenFailed;
    }
    const Result result = Write(&file, model, errorText);
    if (result != Done) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        SetError(errorText, tr("Could not save file: %1 (%2)").arg(fileName, file.errorString()));
        return WriteFailed;
    }
    return Done;
}

PadFile::Result PadFile::Read(QIODevice *device, Model *model, QString *errorText)
{
    Q_CHECK_PTR(device);
    Q_CHECK_PTR(model);
    if (!device->isSequential() && device->bytesAvailable() > MaxFileSize) {
        SetError(errorText, tr("The file is too large to be a configuration file."));
        return Invalid;
    }
    QDataStream stream(device);
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
    *model = scratch;
    return Done;
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
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Read(&buffer, model, errorText);
}
