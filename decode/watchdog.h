#ifndef WATCHDOG_H
#define WATCHDOG_H

#include <QObject>
#include <QTimer>

// Tells when a stream of sentences has been silent for a whole interval.
// Feeding it on every sentence only notes the time; the timer underneath is
// armed once and, when it fires before the silence is whole, armed again for
// the rest, so that a steady stream costs no timer work per sentence.
class Watchdog : public QObject
{
    Q_OBJECT
public:
    Watchdog(int intervalMs, QObject *parent = nullptr);

    // Starts the silence anew.
    void Feed();
    void Stop();
    bool IsActive() const { return timer.isActive(); }

signals:
    void Expired();

private:
    void OnTimer();

    QTimer timer;
    // The time of the last feed on the coarse monotonic clock.
    qint64 fedNs = 0;
    qint64 intervalNs;
};

#endif // WATCHDOG_H
