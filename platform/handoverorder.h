#ifndef HANDOVERORDER_H
#define HANDOVERORDER_H

// For ThreadSanitizer builds only; nothing otherwise. A QThread that has
// already finished lets QThread::wait() return under Qt's own mutex, which a
// sanitizer cannot see in a Qt not built with it: what the thread did last
// would look unordered against what the waiting thread does next (such as
// destroying the thread's objects). The thread's last act is its finished()
// signal, which the hand-over hooks of such a build (cmake/) release at;
// this acquires it.
#if defined(__SANITIZE_THREAD__)
extern "C" void VandrelAcquireHandOvers();
#endif

inline void OrderAfterEndedThreads()
{
#if defined(__SANITIZE_THREAD__)
    VandrelAcquireHandOvers();
#endif
}

#endif // HANDOVERORDER_H
