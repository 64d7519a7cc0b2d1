#ifndef BROADCASTNAME_H
#define BROADCASTNAME_H

#include <QObject>
#include <QString>

class MessageDecoder;
class StateMachine;
struct Message21Report;

// The name the unit broadcasts in its own message 21, as this link has seen
// it since the unit's name could last have changed. The unit answers a query
// for its name with an empty name field both when it has none and when the
// name is long and comes in a continuation: a continuation lost on the line
// would pass for a unit without a name, had the unit not broadcast one.
class BroadcastName : public QObject
{
    Q_OBJECT

public:
    BroadcastName(MessageDecoder *reports, StateMachine *transfers, QObject *parent = nullptr);

    // Nothing seen yet (a new link).
    void Forget();
    // Empty, or why a read that gave the unit of mmsi the name readName
    // cannot be right.
    QString LostContinuation(const QString &mmsi, const QString &readName) const;

private:
    void OnReport(const Message21Report &report);

    QString mmsi;
    QString name;
    // A send has begun: the name broadcast before it may be the old one, and
    // so may one broadcast while it runs.
    bool sending = false;
};

#endif // BROADCASTNAME_H
