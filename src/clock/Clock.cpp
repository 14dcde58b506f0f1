#include "clock/Clock.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

void setBusy(int ticks, const char* text) {
    game.busyUntil = game.tick + ticks;
    game.busyMessage = text ? text : "";
}

const char* isBusy() {
    if (game.busyUntil > game.tick) return game.busyMessage.c_str();
    game.busyUntil = 0;
    game.busyMessage.clear();
    return nullptr;
}

void startWork(int interval, int count, const char* progressText, const char* finishText,
               EventCallback completion) {
    game.work.interval = interval < 1 ? 1 : interval;
    game.work.remaining = count;
    game.work.progressText = progressText ? progressText : "";
    if (finishText) game.work.finishText = finishText;
    game.work.completion = completion;
}

void scheduleEvent(int delay, EventCallback callback) {
    game.event.dueTick = game.tick + delay;
    game.event.callback = callback;
}

namespace {
// The clock thread sleeps on this between ticks; stopGameClock wakes it.
// The hold is the page's visibility, not the game's: it outlives a game.
std::mutex sleepMutex;
std::condition_variable stopRequested;
std::atomic<bool> clockHeld{false};

void wakeClock() {
    // Taking the mutex orders this after a sleep that checked its condition
    // just before: the notification cannot slip in between and be lost.
    { std::lock_guard lock(sleepMutex); }
    stopRequested.notify_all();
}
}  // namespace

void holdGameClock(bool held) {
    clockHeld = held;
    wakeClock();
}

void stopGameClock() {
    game.running = 0;
    wakeClock();
}

bool runClockThread(std::chrono::milliseconds period, const std::function<void()>& tick,
                    const std::function<void()>& onHold) {
    using std::chrono::steady_clock;
    auto next = steady_clock::now();
    while (game.running) {
        if (clockHeld) {
            if (onHold) onHold();
            std::unique_lock lock(sleepMutex);
            stopRequested.wait(lock, [] { return !game.running || !clockHeld; });
            // The missed ticks are not made up: the next comes a period on.
            next = steady_clock::now() + period;
        } else {
            tick();
            if (!game.running) return true;
            next += period;
            // After a long stall (a key pause inside a tick, a suspended
            // machine) go on from now instead of catching up in a burst.
            if (steady_clock::now() > next + period) next = steady_clock::now() + period;
        }
        std::unique_lock lock(sleepMutex);
        stopRequested.wait_until(lock, next, [] { return !game.running || clockHeld; });
    }
    return false;
}
