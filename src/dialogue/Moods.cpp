#include "dialogue/Moods.h"

// Placeholders until the moods are built.
void applyMoodChange(Npc&, std::string_view, int) {}
void driftMoods() {}
void relocateForNight(Npc&) {}
