#ifndef REGISTERSCHEMA_H
#define REGISTERSCHEMA_H

#include <QString>

class QSqlDatabase;

// The register's tables, and the steps that bring a register of any earlier
// version to this program's. The version is kept in the register itself
// (register_meta.schema_version).
//
//   register_meta   name -> value
//   configurations  sha256 -> pad (the .pad bytes, each distinct one once)
//   transfers       one row per transfer, appended only; id is the writer's
//                   UUID, time is UTC text of fixed width, sha256 names the
//                   configuration read or sent
class RegisterSchema
{
public:
    static constexpr int CurrentVersion = 1;

    enum class Outcome
    {
        Ready,
        Newer,      // written by a newer program: refused, left as it is
        Foreign,    // an SQLite file that holds other tables than a register's
        Damaged,    // the file is no database, or a damaged one
        Unreachable // any other failure (locked, disk full, connection lost)
    };

    // Migrates the register on an open connection inside one transaction,
    // which also keeps two programs opening a new register at once from
    // making its tables twice. *version is the version found.
    static Outcome Prepare(QSqlDatabase &database, bool postgres, int *version, QString *errorText);

private:
    // locked: inside a transaction that holds the write lock, making or
    // migrating the tables; else only looking. *migrate: look again, locked.
    static Outcome Examine(QSqlDatabase &database, bool postgres, bool locked, int *version,
                           QString *errorText, bool *migrate);
};

#endif // REGISTERSCHEMA_H
