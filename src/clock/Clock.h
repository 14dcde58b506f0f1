#pragma once
// Game time: one tick a second on the clock thread, 240 ticks a day; and
// the three single-slot timing facilities: the busy period, the work task
// and the scheduled event. What a tick does is the game's business: the
// clock thread runs whatever tick it is given.
#include <chrono>
#include <functional>

#include "world/World.h"

constexpr int kTicksPerDay = 240;
constexpr int kNoonTick = 45;
constexpr int kDuskTick = 180;
constexpr int kBedtimeTick = 225;
constexpr int kWanderEvery = 60;
constexpr int kSleepTicks = 15;

// The clock thread's loop: runs tick once a period while play goes on.
// Between ticks it sleeps until the next one is due, or until stopGameClock.
// True when play ended during a tick, false when it was stopped from outside.
// While the clock is held it runs onHold once, then no tick until released.
bool runClockThread(std::chrono::milliseconds period, const std::function<void()>& tick,
                    const std::function<void()>& onHold = nullptr);
// Holds the clock (a hidden browser tab) or lets it go on; from any thread.
// Time stands still while held, as for a suspended process: the clock goes
// on a period after the release, without the missed ticks.
void holdGameClock(bool held);
// Play is over (running becomes 0): the clock thread stops now, not at its next tick.
void stopGameClock();

void setBusy(int ticks, const char* text);
// Despite its name, not a yes or no: the busy text ("What? In your
// sleep?") while a busy period lasts, else nullptr (and the period is
// cleared), so the caller prints what the player is busy with.
const char* isBusy();
// With a completion, the finish text waits for the task's last tick and the
// completion runs right after it, so the line and the product come together.
void startWork(int interval, int count, const char* progressText, const char* finishText,
               EventCallback completion = nullptr);
void scheduleEvent(int delay, EventCallback callback);
