#ifndef LISTENERCACHE_H
#define LISTENERCACHE_H

#include <atomic>

// Whether a signal has listeners, asked of the framework only after a
// connection or disconnection has touched the object: asking for every
// received line would cost more than the rest of the line's path. The owner
// calls Forget from connectNotify and disconnectNotify (on any thread) and
// Listened on the thread that emits.
class ListenerCache
{
public:
    void Forget() { known.store(false); }

    template <class Ask> bool Listened(Ask ask)
    {
        // A plain read while the answer is known; the exchange, which costs
        // more, only once it has been forgotten.
        if (!known.load(std::memory_order_acquire) && !known.exchange(true))
            listened = ask();
        return listened;
    }

private:
    std::atomic<bool> known{false};
    bool listened = false;
};

#endif // LISTENERCACHE_H
