#include "register/registerdatabase.h"

#include "register/registerschema.h"
#include "register/registersql.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// The transfer columns in the order Bind and Read use them.
const char *const Columns[] = {"id",          "time",       "kind",
                               "result",      "detail",     "serial",
                               "mmsi_before", "mmsi_after", "unit_name",
                               "latitude",    "longitude",  "software_version",
                               "engineer",    "computer",   "program_version",
                               "port",        "records",    "mmsi_reassigned",
                               "batch",       "folder",     "sha256"};

QString ColumnList(const QString &prefix)
{
    QStringList names;
    for (const char *name : Columns)
        names << prefix + QLatin1String(name);
    return names.join(QStringLiteral(", "));
}

// A null QString would reach the database as NULL.
QVariant Text(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariantList Values(const RegisterEntry &entry, const QString &hash)
{
    const QByteArray records =
        QJsonDocument(QJsonArray::fromStringList(entry.records)).toJson(QJsonDocument::Compact);
    return {Text(entry.id),
            RegisterEntry::TimeText(entry.time),
            RegisterEntry::KindText(entry.kind),
            RegisterEntry::ResultText(entry.result),
            Text(entry.detail),
            Text(entry.serial),
            Text(entry.mmsiBefore),
            Text(entry.mmsiAfter),
            Text(entry.unitName),
            Text(entry.latitude),
            Text(entry.longitude),
            Text(entry.softwareVersion),
            Text(entry.engineer),
            Text(entry.computer),
            Text(entry.programVersion),
            Text(entry.port),
            QString::fromUtf8(records),
            entry.mmsiReassigned ? 1 : 0,
            Text(entry.batch),
            Text(entry.folder),
            hash.isEmpty() ? QVariant() : QVariant(hash)};
}

RegisterEntry Read(const QSqlQuery &query, bool withConfiguration)
{
    RegisterEntry entry;
    int i = 0;
    const auto next = [&]() { return query.value(i++).toString(); };
    entry.id = next();
    entry.time = RegisterEntry::TimeFromText(next());
    RegisterEntry::KindFromText(next(), &entry.kind);
    RegisterEntry::ResultFromText(next(), &entry.result);
    entry.detail = next();
    entry.serial = next();
    entry.mmsiBefore = next();
    entry.mmsiAfter = next();
    entry.unitName = next();
    entry.latitude = next();
    entry.longitude = next();
    entry.softwareVersion = next();
    entry.engineer = next();
    entry.computer = next();
    entry.programVersion = next();
    entry.port = next();
    for (const QJsonValue &record : QJsonDocument::fromJson(next().toUtf8()).array())
        entry.records << record.toString();
    entry.mmsiReassigned = query.value(i++).toInt() != 0;
    entry.batch = next();
    entry.folder = next();
    entry.configurationHash = next();
    if (withConfiguration)
        entry.configuration = query.value(i).toByteArray();
    return entry;
}

// LIKE's own characters in a text that is meant literally.
QString LikeEscaped(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('!'), QLatin1String("!!"));
    escaped.replace(QLatin1Char('%'), QLatin1String("!%"));
    escaped.replace(QLatin1Char('_'), QLatin1String("!_"));
    return escaped;
}

} // namespace

RegisterDatabase::RegisterDatabase()
    : connectionName(QStringLiteral("vandrel-register-") +
                     QUuid::createUuid().toString(QUuid::WithoutBraces))
{}

RegisterDatabase::~RegisterDatabase()
{
    Close();
}

void RegisterDatabase::Close()
{
    if (!database.isValid())
        return;
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
}

bool RegisterDatabase::IsOpen() const
{
    return database.isValid() && database.isOpen();
}

RegisterDatabase::Status RegisterDatabase::Failed(const QString &what, const QString &cause,
                                                  QString *errorText)
{
    *errorText = QStringLiteral("The register %1 %2: %3")
                     .arg(location.Display(), what, location.Scrubbed(cause));
    return Status::Unreachable;
}

RegisterDatabase::Status RegisterDatabase::Open(const RegisterLocation &where, QString *errorText,
                                                QString *notice)
{
    Close();
    location = where;
    notice->clear();
    if (location.kind() == RegisterLocation::Kind::Sqlite)
        return OpenSqlite(errorText, notice);

    const QString driver = QStringLiteral("QPSQL");
    if (!QSqlDatabase::isDriverAvailable(driver))
        return Failed(QStringLiteral("cannot be used"),
                      QStringLiteral("Qt's PostgreSQL driver (QPSQL) is not installed"), errorText);
    database = QSqlDatabase::addDatabase(driver, connectionName);
    database.setHostName(location.host());
    database.setPort(location.port());
    database.setDatabaseName(location.database());
    database.setUserName(location.user());
    database.setPassword(location.password());
    database.setConnectOptions(location.options());
    if (!database.open()) {
        const QString cause = database.lastError().text().trimmed();
        Close();
        return Failed(QStringLiteral("could not be reached"), cause, errorText);
    }
    bool damaged = false;
    return Prepare(errorText, &damaged);
}

RegisterDatabase::Status RegisterDatabase::OpenSqlite(QString *errorText, QString *notice)
{
    const QString path = location.filePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Failed(QStringLiteral("cannot be made"), QStringLiteral("its folder cannot be made"),
                      errorText);
    for (int attempt = 0; attempt < 2; ++attempt) {
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        database.setDatabaseName(path);
        // Other writers (sessions, programs) hold the lock for milliseconds.
        database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!database.open()) {
            const QString cause = database.lastError().text().trimmed();
            Close();
            return Failed(QStringLiteral("could not be opened"), cause, errorText);
        }
        bool damaged = false;
        const Status status = Prepare(errorText, &damaged);
        if (!damaged || attempt > 0)
            return status;

        const QString why = *errorText;
        Close();
        QString renameError;
        const QString aside = SetAside(path, &renameError);
        if (aside.isEmpty())
            return Failed(QStringLiteral("is no register and could not be set aside"), renameError,
                          errorText);
        *notice = QStringLiteral("The register file %1 is no register (%2). It was set aside as "
                                 "%3, unchanged, and a new register begun in %1.")
                      .arg(QDir::toNativeSeparators(path), why, QDir::toNativeSeparators(aside));
    }
    return Status::Unreachable;
}

RegisterDatabase::Status RegisterDatabase::Prepare(QString *errorText, bool *damaged)
{
    const bool postgres = location.kind() == RegisterLocation::Kind::Postgres;
    if (!postgres) {
        // Readers do not wait for writers, and writers of several programs
        // take turns rather than fail.
        RegisterSql sql(database, false);
        if (!sql.Exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
            *damaged = sql.Damaged();
            *errorText = sql.ErrorText();
            if (*damaged)
                return Status::Unreachable;
            Close();
            return Failed(QStringLiteral("could not be opened"), sql.ErrorText(), errorText);
        }
    }
    int version = 0;
    QString cause;
    switch (RegisterSchema::Prepare(database, postgres, &version, &cause)) {
    case RegisterSchema::Outcome::Ready:
        return Status::Ok;
    case RegisterSchema::Outcome::Newer:
        *errorText =
            QStringLiteral("The register %1 cannot be used: %2").arg(location.Display(), cause);
        Close();
        return Status::Refused;
    case RegisterSchema::Outcome::Foreign:
    case RegisterSchema::Outcome::Damaged:
        *damaged = !postgres;
        *errorText = cause;
        if (!postgres)
            return Status::Unreachable;
        Close();
        return Failed(QStringLiteral("cannot be used"), cause, errorText);
    case RegisterSchema::Outcome::Unreachable:
        break;
    }
    Close();
    return Failed(QStringLiteral("could not be read"), cause, errorText);
}

QString RegisterDatabase::SetAside(const QString &path, QString *errorText)
{
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    QFile file(path);
    if (!file.rename(aside)) {
        *errorText = file.errorString();
        return QString();
    }
    // A journal left beside the file belongs to it, not to the new register.
    for (const QString &companion : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path + companion))
            QFile::rename(path + companion, aside + companion);
    }
    return aside;
}

RegisterDatabase::Status RegisterDatabase::Append(const RegisterEntry &entry, QString *errorText)
{
    return Append(QVector<RegisterEntry>{entry}, errorText);
}

RegisterDatabase::Status RegisterDatabase::Append(const QVector<RegisterEntry> &entries,
                                                  QString *errorText)
{
    if (!IsOpen())
        return Failed(QStringLiteral("is not open"), QStringLiteral("no connection"), errorText);
    const bool postgres = location.kind() == RegisterLocation::Kind::Postgres;
    RegisterSql sql(database, postgres);
    QStringList marks;
    for (size_t i = 0; i < std::size(Columns); ++i)
        marks << QStringLiteral("?");
    QSqlQuery configuration(database);
    QSqlQuery transfer(database);
    bool written =
        sql.Begin() &&
        sql.Prepare(&configuration,
                    QStringLiteral("INSERT INTO configurations (sha256, pad) VALUES (?, ?) "
                                   "ON CONFLICT (sha256) DO NOTHING")) &&
        sql.Prepare(&transfer, QStringLiteral("INSERT INTO transfers (%1) VALUES (%2) ON "
                                              "CONFLICT (id) DO NOTHING")
                                   .arg(ColumnList(QString()), marks.join(QStringLiteral(", "))));
    for (int i = 0; written && i < entries.size(); ++i) {
        const RegisterEntry &entry = entries.at(i);
        QString hash;
        if (!entry.configuration.isEmpty())
            hash = QString::fromLatin1(
                QCryptographicHash::hash(entry.configuration, QCryptographicHash::Sha256).toHex());
        written = (hash.isEmpty() || sql.Run(&configuration, {hash, entry.configuration})) &&
                  sql.Run(&transfer, Values(entry, hash));
    }
    written = written && sql.Commit();
    if (written)
        return Status::Ok;
    const QString cause = sql.ErrorText();
    sql.Rollback();
    return Failed(sql.Damaged() ? QStringLiteral("is damaged and could not be written")
                                : QStringLiteral("could not be written"),
                  cause, errorText);
}

RegisterDatabase::Status RegisterDatabase::Select(const QString &statement,
                                                  const QVariantList &values,
                                                  QVector<RegisterEntry> *entries,
                                                  bool withConfiguration, QString *errorText)
{
    entries->clear();
    return Select(
        statement, values, [entries](const RegisterEntry &entry) { entries->append(entry); },
        withConfiguration, errorText);
}

RegisterDatabase::Status RegisterDatabase::Select(const QString &statement,
                                                  const QVariantList &values, const Visitor &visit,
                                                  bool withConfiguration, QString *errorText)
{
    if (!IsOpen())
        return Failed(QStringLiteral("is not open"), QStringLiteral("no connection"), errorText);
    RegisterSql sql(database, location.kind() == RegisterLocation::Kind::Postgres);
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!sql.Prepare(&query, statement, values))
        return Failed(QStringLiteral("could not be read"), sql.ErrorText(), errorText);
    while (query.next())
        visit(Read(query, withConfiguration));
    return Status::Ok;
}

RegisterDatabase::Status RegisterDatabase::History(const HistoryFilter &filter,
                                                   QVector<RegisterEntry> *entries,
                                                   QString *errorText)
{
    entries->clear();
    return Each(
        filter, [entries](const RegisterEntry &entry) { entries->append(entry); }, errorText);
}

RegisterDatabase::Status RegisterDatabase::Each(const HistoryFilter &filter, const Visitor &visit,
                                                QString *errorText)
{
    QStringList where;
    QVariantList values;
    if (!filter.serial.isEmpty()) {
        where << QStringLiteral("serial = ?");
        values << filter.serial;
    }
    if (!filter.mmsi.isEmpty()) {
        where << QStringLiteral("(mmsi_after = ? OR mmsi_before = ?)");
        values << filter.mmsi << filter.mmsi;
    }
    if (filter.since.isValid()) {
        where << QStringLiteral("time >= ?");
        values << RegisterEntry::TimeText(filter.since);
    }
    if (!filter.folder.isEmpty()) {
        where << QStringLiteral("folder = ?");
        values << filter.folder;
    }
    if (!filter.padSha256.isEmpty() && !filter.padPath.isEmpty()) {
        // The path as the records column holds it: a string of a JSON array.
        const QByteArray quoted =
            QJsonDocument(QJsonArray{filter.padPath}).toJson(QJsonDocument::Compact);
        where << QStringLiteral("(sha256 = ? OR records LIKE ? ESCAPE '!')");
        values << filter.padSha256
               << QLatin1Char('%') +
                      LikeEscaped(QString::fromUtf8(quoted.mid(1, quoted.size() - 2))) +
                      QLatin1Char('%');
    }
    QString statement = QStringLiteral("SELECT %1 FROM transfers").arg(ColumnList(QString()));
    if (!where.isEmpty())
        statement += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    statement += QStringLiteral(" ORDER BY time DESC, seq DESC");
    if (filter.limit > 0) {
        statement += QStringLiteral(" LIMIT ?");
        values << filter.limit;
    }
    return Select(statement, values, visit, false, errorText);
}

RegisterDatabase::Status RegisterDatabase::Find(const QString &id, RegisterEntry *entry,
                                                QString *errorText)
{
    *entry = RegisterEntry();
    errorText->clear();
    const QString select =
        QStringLiteral("SELECT %1, c.pad FROM transfers t LEFT JOIN configurations c ON "
                       "c.sha256 = t.sha256 WHERE ")
            .arg(ColumnList(QStringLiteral("t.")));
    QVector<RegisterEntry> found;
    Status status = Select(select + QStringLiteral("t.id = ?"), {id}, &found, true, errorText);
    if (status == Status::Ok && found.isEmpty() && id.size() >= 8)
        status = Select(select + QStringLiteral("t.id LIKE ? ESCAPE '!' LIMIT 2"),
                        {LikeEscaped(id) + QLatin1Char('%')}, &found, true, errorText);
    if (status != Status::Ok)
        return status;
    if (found.size() > 1)
        *errorText = QStringLiteral("more than one entry's id starts with \"%1\"").arg(id);
    else if (found.size() == 1)
        *entry = found.first();
    return Status::Ok;
}

RegisterDatabase::Status RegisterDatabase::HolderOf(const QString &mmsi,
                                                    const QString &exceptSerial,
                                                    RegisterEntry *holder, QString *errorText)
{
    *holder = RegisterEntry();
    // The latest entry of each unit tells what it holds; an entry that left
    // the MMSI unknown (a failed read) changes nothing.
    const QString statement =
        QStringLiteral("SELECT %1 FROM transfers t WHERE t.mmsi_after = ? AND t.serial <> '' "
                       "AND t.serial <> ? AND t.seq = (SELECT n.seq FROM transfers n WHERE "
                       "n.serial = t.serial AND n.mmsi_after <> '' ORDER BY n.time DESC, n.seq "
                       "DESC LIMIT 1) ORDER BY t.time DESC, t.seq DESC LIMIT 1")
            .arg(ColumnList(QStringLiteral("t.")));
    QVector<RegisterEntry> found;
    const Status status = Select(statement, {mmsi, Text(exceptSerial)}, &found, false, errorText);
    if (status == Status::Ok && !found.isEmpty())
        *holder = found.first();
    return status;
}
