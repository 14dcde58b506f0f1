#pragma once
// Day progression: the morning texts and events, the night murder and starvation.
void startNewDay();
void openingScene();
// True when the murderer killed the player.
bool nightMurder();
// "Day N" on the frame's top line, for the day the game is on.
void showDayInFrame();
// The "time" command: the day, the time of day and the food that is left.
void timeCommand();
