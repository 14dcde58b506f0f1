#pragma once
// Reading and writing save and world files, and installing what was read.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "world/World.h"

// The plain text of a scrambled file, unscrambled in memory (no plain twin
// is ever written); nullopt when it cannot be read or its header names
// another extension (another kind of file). moxPath gives the key.
std::optional<std::string> readPlainTwin(const std::filesystem::path& file, std::string_view moxPath,
                                         std::string_view extension);
// Installs the plain text of a save into the game: true when it parsed.
// A text that is refused changes nothing. Use handlers are
// the caller's to attach.
bool installSaveText(std::string_view text);
// Installs the catalogue and rooms of the initial world's plain text.
bool installWorldText(std::string text);
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
// "Data\<name>.mox" for a player name fit to name a file, else "".
std::string saveGamePath(std::string_view playerName);
