#include "model/padfile.h"

#include "model/model.h"
#include "model/regularfile.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void SetError(QString *errorText, const QString &text)
{
    if (errorText)
        *errorText = text;
}

// The position as the file holds it: the model keeps a value it cannot use
// as "not available", which only 91 and 181 may mean.
QString PositionProblem(const QByteArray &bytes)
{
    QDataStream in(bytes);
    qint32 number = 0;
    QString text;
    bool flag = false;
    double latitude = 0;
    double longitude = 0;
    // Versions of the model, the AtoN and the MMSI record; the MMSI record;
    // the type of EPFS.
    in >> number >> number >> number >> text >> text >> number >> flag >> number;
    in >> latitude >> longitude;
    const struct
    {
        const char *name;
        double value;
        double limit;
    } fields[] = {{QT_TRANSLATE_NOOP("PadFile", "Latitude"), latitude, 90.0},
                  {QT_TRANSLATE_NOOP("PadFile", "Longitude"), longitude, 180.0}};
    for (const auto &field : fields) {
        // Written so that NaN fails too.
        if ((field.value >= -field.limit && field.value <= field.limit) ||
            field.value == field.limit + 1.0)
            continue;
        return PadFile::tr("%1: %2 is not a position (-%3 to %3, or %4 for not available).")
            .arg(PadFile::tr(field.name), QString::number(field.value),
                 QString::number(field.limit), QString::number(field.limit + 1.0));
    }
    return QString();
}

} // namespace

PadFile::Result PadFile::Load(const QString &fileName, Model *model, QString *errorText)
{
    Q_CHECK_PTR(model);
    QFile file;
    QString reason;
    if (!RegularFile::OpenForReading(fileName, &file, &reason)) {
        SetError(errorText, reason);
        return OpenFailed;
    }
    const Result result = Read(&file, model, errorText);
    if (result != Done && errorText)
        *errorText = tr("%1: %2").arg(fileName, *errorText);
    return result;
}

PadFile::Result PadFile::Save(const QString &fileName, const Model &model, QString *errorText,
                              FileSaver::Mode mode)
{
    QString reason;
    switch (FileSaver::Save(fileName, ToBytes(model), mode, &reason)) {
    case FileSaver::Done:
        return Done;
    case FileSaver::FolderRefuses:
        SetError(errorText, reason);
        return FolderRefuses;
    case FileSaver::NotAFile:
        SetError(errorText, reason);
        return OpenFailed;
    case FileSaver::Failed:
        break;
    }
    SetError(errorText, reason);
    return WriteFailed;
}

QString PadFile::SaveProblem(const QString &fileName, FileSaver::Mode mode)
{
    return FileSaver::Problem(fileName, mode);
}

PadFile::Result PadFile::Read(QIODevice *device, Model *model, QString *errorText)
{
    Q_CHECK_PTR(device);
    Q_CHECK_PTR(model);
    // A pipe or a device such as /dev/urandom has no size to ask for: read
    // until its end, but never more than one byte past the limit.
    QByteArray bytes;
    for (qint64 have = 0; have <= MaxFileSize; have = bytes.size()) {
        const qint64 wanted = qMin<qint64>(ReadPieceSize, MaxFileSize + 1 - have);
        bytes.resize(int(have + wanted));
        const qint64 got = device->read(bytes.data() + have, wanted);
        bytes.resize(int(have + qMax<qint64>(got, 0)));
        // A read error is not the end of the file: what came so far is no
        // reason to call the file truncated.
        if (got < 0) {
            SetError(errorText, tr("The file could not be read (%1).").arg(device->errorString()));
            return OpenFailed;
        }
        if (got == 0)
            break;
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
    const QString position = PositionProblem(bytes);
    if (!position.isEmpty()) {
        SetError(errorText, position);
        return Invalid;
    }
    scratch.GetMessageSchedule()->CompleteLayout();
    *model = scratch;
    return Done;
}
