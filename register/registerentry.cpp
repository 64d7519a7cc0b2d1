#include "register/registerentry.h"

#include <QJsonArray>
#include <QUuid>

namespace {

const char *const KindNames[] = {"retrieve", "send", "verify", "commission", "record", "status"};
const char *const ResultNames[] = {"done", "verified", "differs", "failed", "cut-off"};

// The text fields by their JSON names; the same names as the register's columns.
const struct
{
    const char *name;
    QString RegisterEntry::*member;
} TextFields[] = {
    {"id", &RegisterEntry::id},
    {"detail", &RegisterEntry::detail},
    {"serial", &RegisterEntry::serial},
    {"mmsi_before", &RegisterEntry::mmsiBefore},
    {"mmsi_after", &RegisterEntry::mmsiAfter},
    {"unit_name", &RegisterEntry::unitName},
    {"latitude", &RegisterEntry::latitude},
    {"longitude", &RegisterEntry::longitude},
    {"software_version", &RegisterEntry::softwareVersion},
    {"engineer", &RegisterEntry::engineer},
    {"computer", &RegisterEntry::computer},
    {"program_version", &RegisterEntry::programVersion},
    {"port", &RegisterEntry::port},
    {"batch", &RegisterEntry::batch},
    {"folder", &RegisterEntry::folder},
};

template <typename Enum, size_t N>
bool FromName(const char *const (&names)[N], const QString &text, Enum *value)
{
    for (size_t i = 0; i < N; ++i) {
        if (text == QLatin1String(names[i])) {
            *value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

} // namespace

RegisterEntry RegisterEntry::New(Kind kind)
{
    RegisterEntry entry;
    entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    entry.time = QDateTime::currentDateTimeUtc();
    entry.kind = kind;
    return entry;
}

QString RegisterEntry::KindText(Kind kind)
{
    return QLatin1String(KindNames[static_cast<int>(kind)]);
}

bool RegisterEntry::KindFromText(const QString &text, Kind *kind)
{
    return FromName(KindNames, text, kind);
}

QString RegisterEntry::ResultText(Result result)
{
    return QLatin1String(ResultNames[static_cast<int>(result)]);
}

bool RegisterEntry::ResultFromText(const QString &text, Result *result)
{
    return FromName(ResultNames, text, result);
}

QString RegisterEntry::TimeText(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime RegisterEntry::TimeFromText(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : time;
}

QJsonObject RegisterEntry::ToJson() const
{
    QJsonObject json;
    for (const auto &field : TextFields)
        json.insert(QLatin1String(field.name), this->*field.member);
    json.insert(QStringLiteral("time"), TimeText(time));
    json.insert(QStringLiteral("kind"), KindText(kind));
    json.insert(QStringLiteral("result"), ResultText(result));
    json.insert(QStringLiteral("records"), QJsonArray::fromStringList(records));
    json.insert(QStringLiteral("mmsi_reassigned"), mmsiReassigned);
    json.insert(QStringLiteral("configuration"), QString::fromLatin1(configuration.toBase64()));
    return json;
}

bool RegisterEntry::FromJson(const QJsonObject &json, RegisterEntry *entry, QString *errorText)
{
    RegisterEntry read;
    for (const auto &field : TextFields) {
        const QJsonValue value = json.value(QLatin1String(field.name));
        if (!value.isString()) {
            *errorText = QStringLiteral("the field \"%1\" is missing or not text")
                             .arg(QLatin1String(field.name));
            return false;
        }
        read.*field.member = value.toString();
    }
    read.time = TimeFromText(json.value(QStringLiteral("time")).toString());
    if (!read.time.isValid() || read.id.isEmpty()) {
        *errorText = QStringLiteral("the entry has no id or no valid time");
        return false;
    }
    if (!KindFromText(json.value(QStringLiteral("kind")).toString(), &read.kind) ||
        !ResultFromText(json.value(QStringLiteral("result")).toString(), &read.result)) {
        *errorText = QStringLiteral("the entry's kind or result is unknown");
        return false;
    }
    const QJsonValue records = json.value(QStringLiteral("records"));
    const QJsonValue configuration = json.value(QStringLiteral("configuration"));
    if (!records.isArray() || !configuration.isString()) {
        *errorText = QStringLiteral("the entry's records or configuration is missing");
        return false;
    }
    for (const QJsonValue &record : records.toArray())
        read.records << record.toString();
    read.mmsiReassigned = json.value(QStringLiteral("mmsi_reassigned")).toBool();
    const auto decoded = QByteArray::fromBase64Encoding(configuration.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        *errorText = QStringLiteral("the entry's configuration is not base64");
        return false;
    }
    read.configuration = *decoded;
    *entry = read;
    return true;
}
