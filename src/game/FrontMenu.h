#pragma once
// The title screen and menu, and the help text.

// Shows the menu until the player starts or loads a game. Returns the
// choice as loadGame takes it: 1 for a new game, 0 to load the save of
// the name entered (1 too when the input closed; see inputClosed).
int frontMenu();
void showHelp();
