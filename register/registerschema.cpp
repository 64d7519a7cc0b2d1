#include "register/registerschema.h"

#include "register/registersql.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

// SERIAL: the row number column, BYTES: the bytes type.
const char *const Version1[] = {
    "CREATE TABLE register_meta (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE configurations (sha256 TEXT PRIMARY KEY, pad BYTES NOT NULL)",
    "CREATE TABLE transfers (seq SERIAL, id TEXT NOT NULL UNIQUE, time TEXT NOT NULL,"
    " kind TEXT NOT NULL, result TEXT NOT NULL, detail TEXT NOT NULL, serial TEXT NOT NULL,"
    " mmsi_before TEXT NOT NULL, mmsi_after TEXT NOT NULL, unit_name TEXT NOT NULL,"
    " latitude TEXT NOT NULL, longitude TEXT NOT NULL, software_version TEXT NOT NULL,"
    " engineer TEXT NOT NULL, computer TEXT NOT NULL, program_version TEXT NOT NULL,"
    " port TEXT NOT NULL, records TEXT NOT NULL, mmsi_reassigned INTEGER NOT NULL,"
    " batch TEXT NOT NULL, folder TEXT NOT NULL,"
    " sha256 TEXT REFERENCES configurations (sha256))",
    "CREATE INDEX transfers_by_serial ON transfers (serial, time)",
    "CREATE INDEX transfers_by_mmsi_after ON transfers (mmsi_after)",
    "CREATE INDEX transfers_by_mmsi_before ON transfers (mmsi_before)",
    "CREATE INDEX transfers_by_time ON transfers (time)",
    "CREATE INDEX transfers_by_folder ON transfers (folder, time)",
    "INSERT INTO register_meta (name, value) VALUES ('schema_version', '0')",
};

// Any number, the same in every program: the lock that lets one of several
// programs opening a new shared register make its tables.
const char *const PostgresLock = "SELECT pg_advisory_xact_lock(7215341)";

} // namespace

RegisterSchema::Outcome RegisterSchema::Prepare(QSqlDatabase &database, bool postgres, int *version,
                                                QString *errorText)
{
    // A register of this version is only read, so that a copy nobody may
    // write still answers; only one to be made or migrated takes the lock.
    bool migrate = false;
    const Outcome outcome = Examine(database, postgres, false, version, errorText, &migrate);
    if (!migrate)
        return outcome;
    return Examine(database, postgres, true, version, errorText, &migrate);
}

RegisterSchema::Outcome RegisterSchema::Examine(QSqlDatabase &database, bool postgres, bool locked,
                                                int *version, QString *errorText, bool *migrate)
{
    RegisterSql sql(database, postgres);
    *version = 0;
    *migrate = false;
    const auto failed = [&]() {
        const Outcome outcome = sql.Damaged() ? Outcome::Damaged : Outcome::Unreachable;
        *errorText = sql.ErrorText();
        sql.Rollback();
        return outcome;
    };
    const auto end = [&](Outcome outcome) {
        if (locked)
            sql.Rollback();
        return outcome;
    };
    if (locked && (!sql.Begin() || (postgres && !sql.Exec(QLatin1String(PostgresLock)))))
        return failed();

    QSqlQuery query(database);
    const QString hasMeta =
        postgres ? QStringLiteral("SELECT count(*) FROM pg_catalog.pg_tables WHERE "
                                  "schemaname = current_schema() AND tablename = ?")
                 : QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                  "name = ?");
    if (!sql.Prepare(&query, hasMeta, {QStringLiteral("register_meta")}) || !query.next())
        return failed();
    if (query.value(0).toInt() == 0) {
        if (!postgres) {
            if (!sql.Exec(QStringLiteral("SELECT count(*) FROM sqlite_master"), &query) ||
                !query.next())
                return failed();
            if (query.value(0).toInt() > 0) {
                *errorText = QStringLiteral("it holds other tables than a register's");
                return end(Outcome::Foreign);
            }
        }
        if (!locked) {
            *migrate = true;
            return Outcome::Unreachable;
        }
        for (const char *statement : Version1) {
            const QString text =
                QString::fromLatin1(statement)
                    .replace(QLatin1String("SERIAL"),
                             postgres ? QLatin1String("BIGSERIAL PRIMARY KEY")
                                      : QLatin1String("INTEGER PRIMARY KEY AUTOINCREMENT"))
                    .replace(QLatin1String("BYTES"),
                             postgres ? QLatin1String("BYTEA") : QLatin1String("BLOB"));
            if (!sql.Exec(text))
                return failed();
        }
    }

    if (!sql.Prepare(&query, QStringLiteral("SELECT value FROM register_meta WHERE name = ?"),
                     {QStringLiteral("schema_version")}) ||
        !query.next())
        return failed();
    const QString versionText = query.value(0).toString();
    query.finish();
    bool number = false;
    *version = versionText.toInt(&number);
    if (!number) {
        *errorText = QStringLiteral("its schema version \"%1\" is not a number").arg(versionText);
        return end(Outcome::Damaged);
    }
    if (*version > CurrentVersion) {
        *errorText = QStringLiteral("it was written by a newer Vandrel (schema version %1; this "
                                    "program knows up to %2): update Vandrel to use it")
                         .arg(*version)
                         .arg(CurrentVersion);
        return end(Outcome::Newer);
    }
    if (*version < CurrentVersion && !locked) {
        *migrate = true;
        return Outcome::Unreachable;
    }
    // Steps from one version to the next go here as the schema grows; a new
    // register has just been given the tables of version 1.
    if (*version < CurrentVersion &&
        !sql.Prepare(&query, QStringLiteral("UPDATE register_meta SET value = ? WHERE name = ?"),
                     {QString::number(CurrentVersion), QStringLiteral("schema_version")}))
        return failed();
    if (locked && !sql.Commit())
        return failed();
    return Outcome::Ready;
}
