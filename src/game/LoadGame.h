#pragma once
// Starting a game: a new one from the initial world, or the save of the
// player's name.
#include <string_view>
#include <vector>

#include "persist/Persist.h"

// flag 1: a new game from the initial world; 0: the save of the player's name.
int loadGame(int newGame);
int loadInitialWorld();
// Loads a game from the plain text of a save: 1 loaded, 0 refused (then
// nothing of the game has changed).
int loadSaveText(std::string_view text);
// The saved games a player could load, newest first, by name and time alone
// (the menu reads the lines it shows: describeListedSave).
std::vector<ListedSave> savedGames();
