#pragma once
// Reading and writing save and world files, and installing what was read.
#include <array>
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "world/World.h"

// The plain text of a scrambled file, unscrambled in memory (no plain twin
// is ever written); nullopt when it cannot be read or its header names
// another extension (another kind of file). moxPath gives the key.
std::optional<std::string> readPlainTwin(const std::filesystem::path& file, std::string_view moxPath,
                                         std::string_view extension);
// The rooms an island has, by table index (area * 25 + room).
using RoomSet = std::array<bool, kRoomCount>;

// A save is checked whole before any of it is used: every section there
// and every record finished, each number in its range, every room a
// player, islander or exit stands for described, and (when worldRooms is
// given) the very rooms of the island. A text that is refused changes
// nothing at all (the lists are emptied only once it is accepted), and problem (when given) says what is wrong with it. Use
// handlers are the caller's to attach.
bool installSaveText(std::string_view text, const RoomSet* worldRooms = nullptr, std::string* problem = nullptr);
// The same check for the initial world's plain text (its catalogue and
// rooms): "" when it is sound, and then rooms holds the island's rooms.
std::string worldTextProblem(std::string_view text, RoomSet& rooms);
// Installs the catalogue and rooms of the initial world's plain text,
// after the same check.
bool installWorldText(std::string text);
// A save is never larger than this (a real one is some 74 KB).
constexpr std::size_t kSaveSizeLimit = 1024 * 1024;

// Loading the save of a player name: Missing when there is none; Unreadable
// when what stands there cannot be read (a FIFO, a directory, no
// permission); Damaged when it is no whole save. Only Loaded changes the
// game, and the file is only ever read.
enum class SaveLoad { Missing, Unreadable, Damaged, Loaded };
struct SaveOutcome {
    SaveLoad result = SaveLoad::Missing;
    std::filesystem::path file;
    std::string why;
};
SaveOutcome loadSaveFile(std::string_view playerName, const RoomSet* worldRooms);
// Writes the save of the player's name; only its scrambled form ever
// reaches the disk, replacing the previous save in one rename. 0 when it
// was written, else the errno of the failure (the previous save is kept).
// Once play has ended the save is that of a finished game: the file's
// header names ".end" instead of ".ims", and its text is the ending's word
// on a line of its own followed by the state play ended in. The loader
// never loads it; a game that goes on is saved exactly as always.
int saveGame();

// One earlier generation of each save, ".Sam.mox.prev" beside it (never
// listed as a game): once a game day, before a save is written, the bytes
// this program last wrote or loaded and checked are written there whole.
// A damaged save never becomes it. A new game's first save removes the
// previous generation of the save it replaces.
struct PreviousSave {
    int day = 0;
    std::time_t saved = 0;  // when it was saved
};
// The previous generation of a player name's save, when there is one that
// is whole.
std::optional<PreviousSave> previousSave(std::string_view playerName, const RoomSet* worldRooms);
// Loads it in place of the save (which is left as it was); false when it cannot.
bool loadPreviousSave(std::string_view playerName, const RoomSet* worldRooms);
std::filesystem::path previousSavePath(std::string_view playerName);
// A new game begins: nothing of an earlier game is remembered.
void forgetSavedBytes();

enum class SaveState { None, Playing, Over, OtherData };
struct SavedGame {
    SaveState state = SaveState::None;
    Ending ending = Ending::None;  // for a finished game, when its word is known
};
// What Data holds under a player name: no save, a game to go on with, a
// finished game, or a file of the island's own data (a personality).
SavedGame inspectSave(std::string_view playerName);

// The save of a player name as the load menu lists it. A damaged save
// (unreadable, or no whole save) tells no day.
struct ListedSave {
    std::string name;
    std::filesystem::path file;  // where it is read from
    int day = 0;
    std::time_t lastPlayed = 0;  // the file's modification time
    bool described = false;      // the fields below have been read
    bool finished = false;
    bool damaged = false;
    std::string unreadable;  // why it may not be read ("Permission denied"), "" when it may
    bool playedElsewhere = false;  // another program holds its claim
};
// The saves a player could load, newest first: those of the save directory
// and those an earlier build left beside the data. Files of the island's
// own data, lock and temporary files, and names no player could type are
// left out. Only names and times are read, so that a folder of thousands
// lists at once: describeListedSave fills in the lines that are shown.
std::vector<ListedSave> listSavedGames();
// Reads what the line of a listed save shows (its day, finished, in play
// elsewhere) from the first lines of its file alone, and marks it damaged
// when even they do not read. The whole save is checked when it is
// chosen, so a save damaged further on is found out then.
void describeListedSave(ListedSave& save);
// The day of a save from its first lines; nullopt when they do not read.
std::optional<int> saveHeadDay(std::string_view head);
// The check of installSaveText alone: "" when the text is a whole save,
// and then day (when given) is its day.
std::string saveTextProblem(std::string_view text, const RoomSet* worldRooms, int* day = nullptr);

// A game is played in one window at a time. Claiming the save of a name
// takes the operating system's advisory lock on a small file of its own in
// the save directory (".Sam.lock": saves are replaced by rename, so they
// cannot carry the lock), held until the claim is released or the program
// ends, however it ends. HeldElsewhere: another program plays that game.
// Failed: the lock could not be taken (the lock file is another user's,
// or no file at all, or the file system is read-only); claimProblem() then
// names the file and the reason.
enum class Claim { Taken, HeldElsewhere, Failed };
Claim claimSave(std::string_view playerName);
const std::string& claimProblem();
void releaseSaveClaim();
std::filesystem::path saveLockPath(std::string_view playerName);
// Before each save: whether the lock file is still the very one this
// program holds (the same device and inode). Kept also when nothing is
// held. When it was removed or replaced, a new lock is taken on a new file:
// Retaken; when another window holds that one now, Lost, and this window
// must never write over that window's save.
enum class ClaimCheck { Kept, Retaken, Lost };
ClaimCheck checkSaveClaim();
// Whether another window plays the game of that name now (the load menu's
// mark); the game this program holds is its own.
bool savePlayedElsewhere(std::string_view playerName);

// The plain text of the current game, exactly as a save holds it.
std::string saveText();
// "Data\<name>.mox" for a player name fit to name a file, else "".
std::string saveGamePath(std::string_view playerName);
