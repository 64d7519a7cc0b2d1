#ifndef REGISTERDATABASE_H
#define REGISTERDATABASE_H

#include "register/historyfilter.h"
#include "register/registerentry.h"
#include "register/registerlocation.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <functional>

// One connection to a register, on the thread that made it: opens it
// (bringing its schema up to date, setting a damaged SQLite file aside),
// appends entries and answers queries.
class RegisterDatabase
{
public:
    enum class Status
    {
        Ok,
        Unreachable, // no connection, a refused login, locked, full: try again later
        Refused      // a newer program's register: this one must not write it
    };

    using Visitor = std::function<void(const RegisterEntry &)>;

    RegisterDatabase();
    ~RegisterDatabase();
    RegisterDatabase(const RegisterDatabase &) = delete;
    RegisterDatabase &operator=(const RegisterDatabase &) = delete;

    // *notice tells of anything the engineer should know even when the
    // register opened, such as a damaged file set aside.
    Status Open(const RegisterLocation &location, QString *errorText, QString *notice);
    void Close();
    bool IsOpen() const;
    const RegisterLocation &Location() const { return location; }

    // Appends the entry; an entry whose id is there already is left as it
    // was and counts as written.
    Status Append(const RegisterEntry &entry, QString *errorText);
    // All of them in one transaction: all are there afterwards, or none.
    Status Append(const QVector<RegisterEntry> &entries, QString *errorText);

    // Newest first, without the configurations.
    Status History(const HistoryFilter &filter, QVector<RegisterEntry> *entries,
                   QString *errorText);
    // The same, one entry at a time, for a history of any length.
    Status Each(const HistoryFilter &filter, const Visitor &visit, QString *errorText);
    // The entry with this id, or with the one id that starts with it (at
    // least eight characters), with its configuration. Ok with an empty id
    // in *entry when there is none.
    Status Find(const QString &id, RegisterEntry *entry, QString *errorText);
    // The unit other than exceptSerial whose latest entry leaves it with
    // this MMSI; Ok with an empty serial when there is none.
    Status HolderOf(const QString &mmsi, const QString &exceptSerial, RegisterEntry *holder,
                    QString *errorText);

    // The unique name of the file set aside, beside it: NAME.damaged-TIME.
    static QString SetAside(const QString &path, QString *errorText);

private:
    Status OpenSqlite(QString *errorText, QString *notice);
    Status Prepare(QString *errorText, bool *damaged);
    Status Failed(const QString &what, const QString &cause, QString *errorText);
    Status Select(const QString &statement, const QVariantList &values, const Visitor &visit,
                  bool withConfiguration, QString *errorText);
    Status Select(const QString &statement, const QVariantList &values,
                  QVector<RegisterEntry> *entries, bool withConfiguration, QString *errorText);

    RegisterLocation location;
    QString connectionName;
    QSqlDatabase database;
};

#endif // REGISTERDATABASE_H
