#pragma once
// Game time: one tick a second on the clock thread, 240 ticks a day.
// Also the three single-slot timing facilities: the busy period, the
// work task and the scheduled event.
#include <chrono>

#include "world/World.h"

constexpr int kTicksPerDay = 240;
constexpr int kNoonTick = 45;
constexpr int kDuskTick = 180;
constexpr int kBedtimeTick = 225;
constexpr int kWanderEvery = 60;
constexpr int kSleepTicks = 15;

// The clock thread's body; period is one second in play, shorter in stress tests.
// Between ticks it sleeps until the next one is due, or until stopGameClock.
void runGameClock(std::chrono::milliseconds period = std::chrono::milliseconds(1000));
// Play is over (running becomes 0): the clock thread stops now, not at its next tick.
void stopGameClock();
// The work of one tick (the caller has already increased tick and holds the game lock).
void onTick();
// Increases tick and runs onTick under the game lock, if the clock runs.
void advanceOneTick();

void setBusy(int ticks, const char* text);
// The busy text while a busy period lasts, else nullptr (and the period is cleared).
const char* isBusy();
// With a completion, the finish text waits for the task's last tick and the
// completion runs right after it, so the line and the product come together.
void startWork(int interval, int count, const char* progressText, const char* finishText,
               EventCallback completion = nullptr);
void workTick();
void scheduleEvent(int delay, EventCallback callback);
