// Built into every program and test of a ThreadSanitizer build, and only
// there.
//
// A signal queued to another thread is copied into an event, put on the
// receiving thread's queue under Qt's lock, and taken off it under the same
// lock. The distribution's Qt is not built with ThreadSanitizer and locks with
// futexes it cannot see, so everything the sender wrote before the emit looks
// unordered against what the slot reads: each hand-over would be reported as
// a race. Two hooks Qt keeps for its own tools restore the order it really
// has: every emit releases, and every queued call acquires before its slot
// runs.
//
// One token for all hand-overs is coarser than Qt's per-thread queues: a
// thread that takes any queued call is ordered after every emit made before
// it. In this program every link talks to the main thread, which talks to
// all of them, so Qt orders nearly all of these pairs anyway; races within one
// side of a hand-over (two threads writing what neither hands over) are still
// seen.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);

// The layout Qt's own signal dumper registers (unchanged since Qt 4); the
// function that takes it is exported by Qt Core in Qt 5 and Qt 6 alike.
struct QSignalSpyCallbackSet
{
    using BeginCallback = void (*)(QObject *caller, int index, void **argv);
    using EndCallback = void (*)(QObject *caller, int index);
    BeginCallback signalBegin;
    BeginCallback slotBegin;
    EndCallback signalEnd;
    EndCallback slotEnd;
};
Q_CORE_EXPORT void qt_register_signal_spy_callbacks(QSignalSpyCallbackSet *callbacks);

namespace {

char token;

// Called on the emitting thread before Qt copies the arguments of any queued
// connection; what the sender wrote for them is written by now.
void Release(QObject *, int, void **)
{
    __tsan_release(&token);
}

bool AcquireBeforeQueuedCall(void **data)
{
    const auto *event = static_cast<const QEvent *>(data[1]);
    if (event->type() == QEvent::MetaCall)
        __tsan_acquire(&token);
    return false; // the event goes on to its receiver as usual
}

} // namespace

// For what Qt orders without a queued call (platform/handoverorder.h).
extern "C" void VandrelAcquireHandOvers()
{
    __tsan_acquire(&token);
}

namespace {

bool Install()
{
    static QSignalSpyCallbackSet callbacks{Release, nullptr, nullptr, nullptr};
    qt_register_signal_spy_callbacks(&callbacks);
    return QInternal::registerCallback(QInternal::EventNotifyCallback, AcquireBeforeQueuedCall);
}

// Before main(), so that no thread exists yet.
const bool installed = Install();

} // namespace
