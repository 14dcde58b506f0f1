#pragma once
// Loading and saving games and the world.

// flag 1: a new game from the initial world; 0: the save of the player's name.
int loadGame(int newGame);
int loadInitialWorld();
void saveGame();
