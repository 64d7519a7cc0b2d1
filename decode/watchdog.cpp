#include "decode/watchdog.h"

Watchdog::Watchdog(int intervalMs, QObject *parent)
    : QObject(parent), intervalNs(qint64(intervalMs) * 1000000)
{
    // A coarse timer may fire up to 5% early; the silence must be whole.
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &Watchdog::OnTimer);
}

void Watchdog::Feed()
{
    sinceFeed.start();
    if (!timer.isActive())
        timer.start(int(intervalNs / 1000000));
}

void Watchdog::Stop()
{
    timer.stop();
}

void Watchdog::OnTimer()
{
    const qint64 remainingNs = intervalNs - sinceFeed.nsecsElapsed();
    if (remainingNs > 0) {
        timer.start(int((remainingNs + 999999) / 1000000));
        return;
    }
    emit Expired();
}
