#pragma once
// Loading and saving games and the world.
#include <string>
#include <string_view>

// flag 1: a new game from the initial world; 0: the save of the player's name.
int loadGame(int newGame);
int loadInitialWorld();
// Writes the save of the player's name; only its scrambled form ever
// reaches the disk, replacing the previous save in one rename.
void saveGame();

// The plain text of the current game, exactly as a save holds it.
std::string saveText();
// Loads a game from the plain text of a save: 1 loaded, 0 refused (then
// only the lists have been re-initialised).
int loadSaveText(std::string_view text);
// "Data\<name>.mox" for a player name fit to name a file, else "".
std::string saveGamePath(std::string_view playerName);
