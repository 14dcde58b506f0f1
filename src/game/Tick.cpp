#include "game/Tick.h"

#include <mutex>

#include "base/Random.h"
#include "clock/Clock.h"
#include "console/Input.h"
#include "console/Output.h"
#include "dialogue/Moods.h"
#include "game/Days.h"
#include "game/SaveReport.h"
#include "game/Wandering.h"
#include "world/GameLock.h"
#include "world/Places.h"

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

// One step of the work task: its progress line every interval ticks.
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

}  // namespace

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
            for (int i = kFirstHumanRecord; i < kIslanderCount; ++i) relocateForNight(islanderRecord(i));
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
    // A question waiting inside a command is asked again below what the tick said.
    if (game.running) repeatWaitingQuestion();
}

namespace {
// A held clock (the page hidden, perhaps closing) saves first, as the
// autosave does: what was played since the last save is kept.
void saveOnHold() {
    std::lock_guard lock(gameLock());
    if (game.running) autosaveAndReport();
}
}  // namespace

void runGameClock(std::chrono::milliseconds period) {
    {
        std::lock_guard lock(gameLock());
        if (game.tick == 0) game.tick = 1;
    }
    // Play ended on a tick (a death in the night): the line editor waits
    // for a key with no timeout and must hear of it.
    if (runClockThread(period, advanceOneTick, saveOnHold)) wakeInput();
}
