#pragma once
// How fast real time passes for the game: one tick a second in play. The
// end-to-end tests set a shorter period at start (see tests/e2e/README.md),
// and every timed pause of the game keeps its share of a tick.
#include <chrono>

constexpr std::chrono::milliseconds kTickPeriod{1000};

std::chrono::milliseconds tickPeriod();
// Set once at start, before the clock thread exists.
void setTickPeriod(std::chrono::milliseconds period);
// A pause of ms milliseconds at one tick a second, at the period in use.
int pacedMs(int ms);
