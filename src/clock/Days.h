#pragma once
// Day progression: the morning texts and events, the night murder and starvation.
void startNewDay();
void openingScene();
// True when the murderer killed the player.
bool nightMurder();
