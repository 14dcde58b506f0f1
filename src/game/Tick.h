#pragma once
// What happens on each tick of game time: a new day or the time of day,
// the islanders' wandering, a step of the work task, the scheduled event.
#include <chrono>

// The clock thread's body; period is one second in play, shorter in stress
// tests. A held clock (holdGameClock) saves the game first.
void runGameClock(std::chrono::milliseconds period = std::chrono::milliseconds(1000));
// The work of one tick (the caller has already increased tick and holds the game lock).
void onTick();
// Increases tick and runs onTick under the game lock, if the clock runs.
void advanceOneTick();
