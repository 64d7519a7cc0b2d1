#include "decode/watchdog.h"

#include <QElapsedTimer>

#include <ctime>

namespace {

// A feed comes with every sentence, thousands a second in a replay, and the
// precise clock costs more than the rest of the feed. The coarse clock is
// the same clock read at its last tick: a read costs next to nothing, and it
// lags the precise one by at most its resolution, which the watchdog adds to
// the silence it waits for, so that it never fires early.
#if defined(CLOCK_MONOTONIC_COARSE)
qint64 CoarseNowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 CoarseResolutionNs()
{
    static const qint64 resolution = [] {
        timespec tick{};
        clock_getres(CLOCK_MONOTONIC_COARSE, &tick);
        return qint64(tick.tv_sec) * 1000000000 + tick.tv_nsec;
    }();
    return resolution;
}
#else
qint64 CoarseNowNs()
{
    QElapsedTimer now;
    now.start();
    return now.nsecsSinceReference();
}

qint64 CoarseResolutionNs()
{
    return 0;
}
#endif

} // namespace

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
    fedNs = CoarseNowNs();
    if (!timer.isActive())
        timer.start(int(intervalNs / 1000000));
}

void Watchdog::Stop()
{
    timer.stop();
}

void Watchdog::OnTimer()
{
    // Both readings may lag by up to the resolution: the silence measured
    // here is whole only when it exceeds the interval by that much.
    const qint64 remainingNs = intervalNs + CoarseResolutionNs() - (CoarseNowNs() - fedNs);
    if (remainingNs > 0) {
        timer.start(int((remainingNs + 999999) / 1000000));
        return;
    }
    emit Expired();
}
