#pragma once
// Loading and saving games and the world.
#include <string>
#include <string_view>

#include "world/World.h"

// flag 1: a new game from the initial world; 0: the save of the player's name.
int loadGame(int newGame);
int loadInitialWorld();
// Writes the save of the player's name; only its scrambled form ever
// reaches the disk, replacing the previous save in one rename. 0 when it
// was written, else the errno of the failure (the previous save is kept).
// Once play has ended the save is that of a finished game: the file's
// header names ".end" instead of ".ims", and its text is the ending's word
// on a line of its own followed by the state play ended in. The loader
// never loads it; a game that goes on is saved exactly as always.
int saveGame();

enum class SaveState { None, Playing, Over, OtherData };
struct SavedGame {
    SaveState state = SaveState::None;
    Ending ending = Ending::None;  // for a finished game, when its word is known
};
// What Data holds under a player name: no save, a game to go on with, a
// finished game, or a file of the island's own data (a personality).
SavedGame inspectSave(std::string_view playerName);

// The plain text of the current game, exactly as a save holds it.
std::string saveText();
// Loads a game from the plain text of a save: 1 loaded, 0 refused (then
// only the lists have been re-initialised).
int loadSaveText(std::string_view text);
// "Data\<name>.mox" for a player name fit to name a file, else "".
std::string saveGamePath(std::string_view playerName);
