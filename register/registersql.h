#ifndef REGISTERSQL_H
#define REGISTERSQL_H

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class QSqlError;
class QSqlQuery;

// Statements on one register connection, and what the last failure was.
// Values only ever travel as bound parameters.
class RegisterSql
{
public:
    RegisterSql(QSqlDatabase &database, bool postgres) : database(database), postgres(postgres) {}

    // SQLite takes the write lock at once, so that two writers never both
    // read first and then wait on each other.
    bool Begin();
    bool Commit();
    void Rollback();

    // A statement with no values in it.
    bool Exec(const QString &statement, QSqlQuery *query = nullptr);
    // Prepares, binds the values in order and runs.
    bool Prepare(QSqlQuery *query, const QString &statement, const QVariantList &values);
    // Prepares only, for Run to bind and run many times.
    bool Prepare(QSqlQuery *query, const QString &statement);
    bool Run(QSqlQuery *query, const QVariantList &values);

    QString ErrorText() const { return errorText; }
    // The last failure says the SQLite file is no database or a damaged one.
    bool Damaged() const { return damaged; }

private:
    bool Failed(const QSqlError &error);

    QSqlDatabase &database;
    bool postgres;
    QString errorText;
    bool damaged = false;
};

#endif // REGISTERSQL_H
