#pragma once
// The title screen and menu, the help text and the credits.

// 1 for a new game, 0 to load the save of the name entered.
int frontMenu();
void showHelp();
void showCredits();
