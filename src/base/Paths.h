#pragma once
// Where the game's files are: the data directory, only ever read (the
// world, the islanders' scripts, the map, the instructions), and the save
// directory, where the player's games are written.
//
// The scramble key is derived from the name as the game has always built
// it, with a backslash after "Data" ("Data\initial.mox", "Data\Sam.mox"),
// wherever the file really lies: a save moves freely between directories.
#include <filesystem>
#include <string>
#include <string_view>

// Data beside a binary in the build tree, ../share/brinefall beside an
// installed one; never the working directory.
std::filesystem::path dataDirectoryBeside(const std::filesystem::path& executable);
// The running program's own file: where the system's link to it points
// (Linux has /proc/self/exe), else argv0 when it is a path; empty when
// neither says (a bare name found on PATH).
std::filesystem::path runningExecutable(const char* argv0,
                                        const std::filesystem::path& selfLink = "/proc/self/exe");
// Where the game was configured to be installed: the prefix's share/brinefall.
std::filesystem::path installedDataDirectory();
// The data beside the program when its place is known, else the installed data.
std::filesystem::path defaultDataDirectory(const std::filesystem::path& executable);
void setDataDirectory(const std::filesystem::path& dir);
const std::filesystem::path& dataDirectory();
// The real path of a file in the data directory.
std::filesystem::path dataPath(std::string_view fileName);
// "Data\" + fileName: the form the scramble key and saves use.
std::string gamePath(std::string_view fileName);
// Maps a game path ("Data\x.txt" or "Data/x.txt") to its real path in the data directory.
std::filesystem::path realPath(std::string_view gamePathText);

// $XDG_DATA_HOME/brinefall, else $HOME/.local/share/brinefall; empty when
// neither names an absolute directory.
std::filesystem::path defaultSaveDirectory();
// Empty (the start): saves lie in the data directory, as for the tools
// and tests that keep one private directory for everything.
void setSaveDirectory(const std::filesystem::path& dir);
const std::filesystem::path& saveDirectory();
// Where the save of a game path ("Data\Sam.mox") is written.
std::filesystem::path saveWritePath(std::string_view gamePathText);
// Where it is read: the save directory, or else a save that an earlier
// build left beside the data (the next save then goes to the save directory).
std::filesystem::path saveReadPath(std::string_view gamePathText);
// Creates the save directory and any missing parent, each with mode 0700.
// False (errno saying why) when it cannot.
bool makeSaveDirectory();

// Settles both directories for a run: the ones given, or else the data
// beside the program and the player's own save directory. "" when both can
// be used, else one line naming the directory and why not.
std::string settleDirectories(const std::filesystem::path& dataDir, const std::filesystem::path& saveDir,
                              const char* argv0);

// Why the data directory cannot be read, "" when it can.
std::string dataDirectoryProblem(const std::filesystem::path& dir);
// Why saves could not be made in dir (it, or the nearest parent that
// exists, is not a writable directory), "" when they could.
std::string saveDirectoryProblem(const std::filesystem::path& dir);
