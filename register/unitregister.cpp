#include "register/unitregister.h"

#include <QDir>

namespace {

// Adds the time from its making to its end to *total.
class BusyClock
{
public:
    explicit BusyClock(qint64 *total) : total(total) { clock.start(); }
    ~BusyClock() { *total += clock.nsecsElapsed(); }
    BusyClock(const BusyClock &) = delete;
    BusyClock &operator=(const BusyClock &) = delete;

private:
    qint64 *total;
    QElapsedTimer clock;
};

} // namespace

UnitRegister::UnitRegister(const RegisterLocation &location, const QString &spoolFolder,
                           QObject *parent)
    : QObject(parent), location(location), spool(spoolFolder)
{}

QString UnitRegister::DefaultSpoolFolder()
{
    return RegisterLocation::DefaultFolder() + QStringLiteral("/spool");
}

bool UnitRegister::Open()
{
    const BusyClock busy(&busyNs);
    return Reopen();
}

bool UnitRegister::Reopen(bool quiet)
{
    QString error;
    QString notice;
    const RegisterDatabase::Status status = database.Open(location, &error, &notice);
    if (!notice.isEmpty())
        emit Notice(notice);
    if (status != RegisterDatabase::Status::Ok) {
        lastFailure = error;
        sinceFailure.start();
        if (!quiet)
            emit Notice(error);
        return false;
    }
    lastFailure.clear();
    ReplaySpool();
    return true;
}

bool UnitRegister::Reach()
{
    if (database.IsOpen())
        return true;
    if (sinceFailure.isValid() && !sinceFailure.hasExpired(retryIntervalMs))
        return false;
    return Reopen();
}

void UnitRegister::ReplaySpool()
{
    QString error;
    const RegisterSpool::Replayed replayed =
        spool.Replay(location.Display(), [&](const RegisterEntry &entry) {
            return database.Append(entry, &error) == RegisterDatabase::Status::Ok;
        });
    for (const QString &problem : replayed.problems)
        emit Notice(tr("A file in the register's spool holds no entry: %1").arg(problem));
    const QString folder = QDir::toNativeSeparators(spool.Folder());
    if (replayed.written == 1)
        emit Notice(tr("1 entry that had waited in %1 was now written to the register %2.")
                        .arg(folder, location.Display()));
    else if (replayed.written > 1)
        emit Notice(tr("%1 entries that had waited in %2 were now written to the register %3.")
                        .arg(QString::number(replayed.written), folder, location.Display()));
    if (replayed.waiting > 0)
        emit Notice(tr("%1 entries still wait in %2: %3")
                        .arg(QString::number(replayed.waiting), folder, error));
}

UnitRegister::Recorded UnitRegister::Record(const RegisterEntry &entry)
{
    const BusyClock busy(&busyNs);
    QString error = lastFailure;
    if (Reach()) {
        if (database.Append(entry, &error) == RegisterDatabase::Status::Ok)
            return Recorded::Written;
        // A server restarted since the last entry leaves a dead connection:
        // one fresh one before the entry goes to the spool.
        if (location.IsShared() && Reopen(true) &&
            database.Append(entry, &error) == RegisterDatabase::Status::Ok)
            return Recorded::Written;
        database.Close();
        lastFailure = error;
        sinceFailure.start();
    }
    QString spoolError;
    if (!spool.Put(entry, location.Display(), &spoolError)) {
        emit Notice(tr("%1\nThe spool %2 could not take the entry either (%3): this transfer "
                       "is not in the register.")
                        .arg(error, QDir::toNativeSeparators(spool.Folder()), spoolError));
        return Recorded::Lost;
    }
    emit Notice(tr("%1\nThe entry waits in %2 and will be written to the register as soon "
                   "as a Vandrel program reaches it again.")
                    .arg(error, QDir::toNativeSeparators(spool.Folder())));
    return Recorded::Spooled;
}

bool UnitRegister::Ask(const std::function<RegisterDatabase::Status(QString *)> &query,
                       QString *errorText)
{
    const BusyClock busy(&busyNs);
    if (!Reach()) {
        *errorText = lastFailure;
        return false;
    }
    if (query(errorText) == RegisterDatabase::Status::Ok)
        return true;
    if (location.IsShared() && Reopen(true) && query(errorText) == RegisterDatabase::Status::Ok)
        return true;
    database.Close();
    lastFailure = *errorText;
    sinceFailure.start();
    return false;
}

bool UnitRegister::History(const HistoryFilter &filter, QVector<RegisterEntry> *entries,
                           QString *errorText)
{
    return Ask([&](QString *error) { return database.History(filter, entries, error); }, errorText);
}

bool UnitRegister::Each(const HistoryFilter &filter, const RegisterDatabase::Visitor &visit,
                        QString *errorText)
{
    return Ask([&](QString *error) { return database.Each(filter, visit, error); }, errorText);
}

bool UnitRegister::Find(const QString &id, RegisterEntry *entry, QString *errorText)
{
    return Ask([&](QString *error) { return database.Find(id, entry, error); }, errorText);
}

bool UnitRegister::HolderOf(const QString &mmsi, const QString &exceptSerial, RegisterEntry *holder,
                            QString *errorText)
{
    return Ask([&](QString *error) { return database.HolderOf(mmsi, exceptSerial, holder, error); },
               errorText);
}
