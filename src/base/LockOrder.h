#pragma once
// The order of the game's locks. A thread takes them only in this order,
// never one to the left while it holds one to the right:
//
//   game  ->  output  ->  input  ->  back end
//
// The game lock is held around each command with its autosave and around
// each tick; the output lock around each printMarked call, its key pause
// included; the input lock while one thread reads the back end; the back
// end's own lock around each console operation. Small locks that guard one
// value for a moment (the random generator, the frame title, the editor's
// words, the clock's sleep) are taken last and hold nothing under them.
//
// Debug builds check every acquisition of a ranked lock against the locks
// this thread already holds, and stop at the first one out of order.
#include <mutex>

enum class LockRank : int { Game = 0, Output = 1, Input = 2, BackEnd = 3 };

#ifdef NDEBUG
inline void noteLockTaken(LockRank, bool = false) {}
inline void noteLockReleased(LockRank) {}
inline void setLockOrderChecked(bool) {}
#else
// Asserts that this thread holds no lock of a later rank, nor one of this
// rank unless the lock may be taken again by the thread that holds it.
void noteLockTaken(LockRank rank, bool reentrant = false);
void noteLockReleased(LockRank rank);
// On for every thread; see base/LockOrderTesting.h.
void setLockOrderChecked(bool checked);
#endif

// A plain mutex that knows its place in the order.
template <LockRank Rank>
class RankedMutex {
public:
    void lock() {
        noteLockTaken(Rank);
        mutex_.lock();
    }
    bool try_lock() {
        if (!mutex_.try_lock()) return false;
        noteLockTaken(Rank);
        return true;
    }
    void unlock() {
        mutex_.unlock();
        noteLockReleased(Rank);
    }

private:
    std::mutex mutex_;
};

// The same for a lock its holder may take again (the output lock: a resize
// read by a key pause lays the screen out under the lock the pause holds).
template <LockRank Rank>
class RankedRecursiveMutex {
public:
    void lock() {
        noteLockTaken(Rank, true);
        mutex_.lock();
    }
    bool try_lock() {
        if (!mutex_.try_lock()) return false;
        noteLockTaken(Rank, true);
        return true;
    }
    void unlock() {
        mutex_.unlock();
        noteLockReleased(Rank);
    }

private:
    std::recursive_mutex mutex_;
};
