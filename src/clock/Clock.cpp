#include "clock/Clock.h"

#include <condition_variable>
#include <mutex>

#include "game/Days.h"
#include "console/Input.h"
#include "console/Output.h"
#include "world/GameLock.h"
#include "base/Random.h"
#include "dialogue/Moods.h"
#include "islanders/Islanders.h"

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

namespace {

// The last tick of a task that makes something: the finish line, then the product.
void completeWork() {
    WorkTask& w = game.work;
    if (!w.finishText.empty()) printMarked("%s\n", w.finishText);
    w.finishText.clear();
    EventCallback completion = w.completion;
    w.completion = nullptr;
    w.remaining = 0;
    completion();
}

}  // namespace

void workTick() {
    WorkTask& w = game.work;
    int r = w.remaining;
    if (w.completion) {
        if (r <= 1) return completeWork();
        if (r % w.interval == 0) printMarked("%s\n", w.progressText);
    } else if (r % w.interval == 0) {
        if (!w.finishText.empty() && r >= 1 && r <= w.interval) {
            printMarked("%s\n", w.finishText);
            w.finishText.clear();
        } else {
            printMarked("%s\n", w.progressText);
        }
    }
    w.remaining = r - 1;
}

void scheduleEvent(int delay, EventCallback callback) {
    game.event.dueTick = game.tick + delay;
    game.event.callback = callback;
}

void onTick() {
    if (game.tick % kTicksPerDay == 0) {
        startNewDay();
        // A death or starvation in the night ends the game: nothing else
        // happens on that tick (no wandering islander greets the dead).
        if (!game.running) return;
    } else {
        int t = game.tick - (game.day - 1) * kTicksPerDay;
        if (t == kNoonTick) {
            printMarked("/YThe sun reaches its apex for the day and you note that it is about noon time.\n");
        } else if (t == kDuskTick) {
            printMarked("The sun slowly begins to sink past the horizon and darkness creeps across the land. It is now dusk.\n");
        } else if (t == kBedtimeTick) {
            for (int i = 1; i < kIslanderCount; ++i) relocateForNight(game.islanders[static_cast<std::size_t>(i)]);
            printMarked("It's getting late and you decide to suddenly pass out for a night's sleep.\n");
            setBusy(kSleepTicks, "What? In your sleep?\n");
        }
    }
    if (game.tick % kWanderEvery == 0) moveIslanders(draw() % 2);
    if (game.work.remaining != 0) workTick();
    if (game.tick == game.event.dueTick && game.event.callback) game.event.callback();
}

void advanceOneTick() {
    std::lock_guard lock(gameLock());
    if (!game.running || !game.clockRunning) return;
    ++game.tick;
    onTick();
}

namespace {
// The clock thread sleeps on this between ticks; stopGameClock wakes it.
std::mutex sleepMutex;
std::condition_variable stopRequested;
}  // namespace

void stopGameClock() {
    game.running = 0;
    // Taking the mutex orders this after a sleep that checked running just
    // before: the notification cannot slip in between and be lost.
    { std::lock_guard lock(sleepMutex); }
    stopRequested.notify_all();
}

void runGameClock(std::chrono::milliseconds period) {
    {
        std::lock_guard lock(gameLock());
        if (game.tick == 0) game.tick = 1;
    }
    auto next = std::chrono::steady_clock::now();
    while (game.running) {
        advanceOneTick();
        if (!game.running) {
            // Play ended on this tick (a death in the night): the line
            // editor waits for a key with no timeout and must hear of it.
            wakeInput();
            break;
        }
        next += period;
        // After a long stall (a key pause inside a tick, a suspended
        // machine) go on from now instead of catching up in a burst.
        if (std::chrono::steady_clock::now() > next + period) next = std::chrono::steady_clock::now() + period;
        std::unique_lock lock(sleepMutex);
        stopRequested.wait_until(lock, next, [] { return !game.running; });
    }
}
