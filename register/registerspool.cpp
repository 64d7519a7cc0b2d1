#include "register/registerspool.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>

namespace {

const char *const Suffix = ".entry";

QStringList EntryFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*") + QLatin1String(Suffix)},
                                  QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

bool RegisterSpool::Put(const RegisterEntry &entry, const QString &registerKey, QString *errorText)
{
    if (!QDir().mkpath(folder)) {
        *errorText = QStringLiteral("the folder %1 cannot be made").arg(folder);
        return false;
    }
    // The id is the writer's own, but a file name takes only a plain one.
    static const QRegularExpression plain(QStringLiteral("^[0-9a-fA-F-]{1,64}$"));
    const QString name = plain.match(entry.id).hasMatch()
                             ? entry.id
                             : QUuid::createUuid().toString(QUuid::WithoutBraces);
    QJsonObject json;
    json.insert(QStringLiteral("register"), registerKey);
    json.insert(QStringLiteral("entry"), entry.ToJson());
    QSaveFile file(QDir(folder).filePath(name + QLatin1String(Suffix)));
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Compact);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *errorText = file.errorString();
        return false;
    }
    return true;
}

bool RegisterSpool::Load(const QString &path, QString *registerKey, RegisterEntry *entry,
                         QString *errorText) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorText = file.errorString();
        return false;
    }
    if (file.size() > MaxEntryBytes) {
        *errorText = QStringLiteral("larger than any entry");
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.read(MaxEntryBytes), &parseError);
    if (!document.isObject()) {
        *errorText = parseError.errorString();
        return false;
    }
    *registerKey = document.object().value(QStringLiteral("register")).toString();
    return RegisterEntry::FromJson(document.object().value(QStringLiteral("entry")).toObject(),
                                   entry, errorText);
}

RegisterSpool::Replayed
RegisterSpool::Replay(const QString &registerKey,
                      const std::function<bool(const RegisterEntry &)> &write)
{
    Replayed replayed;
    QVector<QPair<RegisterEntry, QString>> waiting;
    for (const QString &name : EntryFiles(folder)) {
        const QString path = QDir(folder).filePath(name);
        QString key;
        QString error;
        RegisterEntry entry;
        if (!Load(path, &key, &entry, &error)) {
            // Another program may have just written it to its register.
            if (!QFile::exists(path))
                continue;
            const QString aside = QDir(folder).filePath(QStringLiteral("unreadable"));
            QDir().mkpath(aside);
            QFile::rename(path, QDir(aside).filePath(name));
            replayed.problems << QStringLiteral("%1: %2 (moved to %3)").arg(path, error, aside);
            continue;
        }
        if (key == registerKey)
            waiting.append({entry, path});
    }
    std::sort(waiting.begin(), waiting.end(),
              [](const auto &a, const auto &b) { return a.first.time < b.first.time; });
    for (int i = 0; i < waiting.size(); ++i) {
        if (!write(waiting.at(i).first)) {
            replayed.waiting = waiting.size() - i;
            break;
        }
        QFile::remove(waiting.at(i).second);
        ++replayed.written;
    }
    return replayed;
}

int RegisterSpool::Waiting(const QString &registerKey) const
{
    int count = 0;
    for (const QString &name : EntryFiles(folder)) {
        QString key;
        QString error;
        RegisterEntry entry;
        if (Load(QDir(folder).filePath(name), &key, &entry, &error) && key == registerKey)
            ++count;
    }
    return count;
}
