#include "register/registersql.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// SQLite's primary result codes for "file is not a database" and "database
// disk image is malformed"; the driver gives the extended code as text.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

} // namespace

bool RegisterSql::Failed(const QSqlError &error)
{
    errorText = error.text().trimmed();
    if (errorText.isEmpty())
        errorText = database.lastError().text().trimmed();
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xff;
    damaged = !postgres && number && (code == SqliteCorrupt || code == SqliteNotADatabase);
    return false;
}

bool RegisterSql::Begin()
{
    return Exec(postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

bool RegisterSql::Commit()
{
    return Exec(QStringLiteral("COMMIT"));
}

void RegisterSql::Rollback()
{
    if (!database.isOpen())
        return;
    QSqlQuery query(database);
    query.exec(QStringLiteral("ROLLBACK"));
}

bool RegisterSql::Exec(const QString &statement, QSqlQuery *query)
{
    QSqlQuery own(database);
    QSqlQuery *used = query ? query : &own;
    if (!used->exec(statement))
        return Failed(used->lastError());
    return true;
}

bool RegisterSql::Prepare(QSqlQuery *query, const QString &statement, const QVariantList &values)
{
    return Prepare(query, statement) && Run(query, values);
}

bool RegisterSql::Prepare(QSqlQuery *query, const QString &statement)
{
    if (!query->prepare(statement))
        return Failed(query->lastError());
    return true;
}

bool RegisterSql::Run(QSqlQuery *query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query->bindValue(i, values.at(i));
    if (!query->exec())
        return Failed(query->lastError());
    return true;
}
