#ifndef UNITREGISTER_H
#define UNITREGISTER_H

#include "register/historyfilter.h"
#include "register/registerdatabase.h"
#include "register/registerentry.h"
#include "register/registerlocation.h"
#include "register/registerspool.h"

#include <QElapsedTimer>
#include <QObject>
#include <QVector>

// The register of units and transfers as a program uses it. Recording never
// fails a transfer: an entry the register cannot take now waits in the spool
// and is written, once, when any program reaches that register again. The
// engineer is told of both through Notice.
//
// One object per thread; several in one program (or several programs) may
// write one register at once.
class UnitRegister : public QObject
{
    Q_OBJECT

public:
    enum class Recorded
    {
        Written,
        Spooled, // waits in the spool
        Lost     // neither the register nor the spool could take it
    };

    explicit UnitRegister(const RegisterLocation &location,
                          const QString &spoolFolder = DefaultSpoolFolder(),
                          QObject *parent = nullptr);
    static QString DefaultSpoolFolder();

    // Opens the register and writes what waits for it in the spool. False
    // when it cannot be reached now (the notice says why); recording still
    // works, through the spool.
    bool Open();
    bool IsReachable() const { return database.IsOpen(); }
    const RegisterLocation &Location() const { return location; }
    // How long a register that failed is left alone before the next try, so
    // that a server that is down does not hold up every transfer.
    void SetRetryInterval(int milliseconds) { retryIntervalMs = milliseconds; }

    Recorded Record(const RegisterEntry &entry);
    int SpoolWaiting() const { return spool.Waiting(location.Display()); }
    // Time spent opening, writing and asking the register so far, for a
    // program to tell what the register adds to its runs.
    qint64 BusyNs() const { return busyNs; }

    // The queries give false with *errorText when the register cannot be
    // reached; see RegisterDatabase for what they answer.
    bool History(const HistoryFilter &filter, QVector<RegisterEntry> *entries, QString *errorText);
    bool Each(const HistoryFilter &filter, const RegisterDatabase::Visitor &visit,
              QString *errorText);
    bool Find(const QString &id, RegisterEntry *entry, QString *errorText);
    bool HolderOf(const QString &mmsi, const QString &exceptSerial, RegisterEntry *holder,
                  QString *errorText);

signals:
    // A plain sentence for the engineer: the register was set aside, could
    // not be reached, an entry waits in the spool, waiting entries arrived.
    void Notice(const QString &text);

private:
    bool Reach();
    // quiet: the caller tells of a failure itself.
    bool Reopen(bool quiet = false);
    void ReplaySpool();
    bool Ask(const std::function<RegisterDatabase::Status(QString *)> &query, QString *errorText);

    RegisterLocation location;
    RegisterSpool spool;
    RegisterDatabase database;
    QString lastFailure;
    QElapsedTimer sinceFailure;
    int retryIntervalMs = 30000;
    qint64 busyNs = 0;
};

#endif // UNITREGISTER_H
