#pragma once
// The one game lock: each dispatched command (with its autosave) and
// each clock tick run under it. A command that waits for the player's
// answer gives it up meanwhile with ReleasedWhileWaiting.
//
// Lock order: game, then output, then input, then the back end's
// (base/LockOrder.h). The game lock comes first: never take it while
// holding the output, input or back end lock.
#include <atomic>
#include <mutex>
#include <thread>

#include "base/LockOrder.h"

class GameLock {
public:
    void lock() {
        noteLockTaken(LockRank::Game);
        mutex_.lock();
        owner_ = std::this_thread::get_id();
    }
    void unlock() {
        owner_ = std::thread::id();
        mutex_.unlock();
        noteLockReleased(LockRank::Game);
    }
    bool heldByThisThread() const { return owner_.load() == std::this_thread::get_id(); }

private:
    std::mutex mutex_;
    std::atomic<std::thread::id> owner_{};
};

GameLock& gameLock();

// Unlocks the game lock (when this thread holds it) for its lifetime.
class ReleasedWhileWaiting {
public:
    ReleasedWhileWaiting() : held_(gameLock().heldByThisThread()) {
        if (held_) gameLock().unlock();
    }
    ~ReleasedWhileWaiting() {
        if (held_) gameLock().lock();
    }
    ReleasedWhileWaiting(const ReleasedWhileWaiting&) = delete;
    ReleasedWhileWaiting& operator=(const ReleasedWhileWaiting&) = delete;

private:
    bool held_;
};
