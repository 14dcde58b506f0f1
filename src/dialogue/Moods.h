#pragma once
// Islander moods: changes from conversation, the morning drift and the night moves.
#include <string_view>

#include "world/World.h"

void applyMoodChange(Npc& npc, std::string_view key, int amount);
void driftMoods();
void relocateForNight(Npc& npc);
