#include "clock/Days.h"

#include "core/World.h"

// Placeholder until the days are built.
void startNewDay() { ++game.day; }
void openingScene() {}
bool nightMurder() { return false; }
