#pragma once
// Where the Data directory is, and how file names map into it.
// The scramble key is derived from the name as the game has always
// built it, with a backslash after "Data" ("Data\initial.mox"); the file
// itself is opened through the real directory.
#include <filesystem>
#include <string>
#include <string_view>

// Uses ./Data when it exists, else Data next to the executable.
void locateDataDirectory(const char* argv0);
void setDataDirectory(const std::filesystem::path& dir);
const std::filesystem::path& dataDirectory();
// The real path of a file in the Data directory.
std::filesystem::path dataPath(std::string_view fileName);
// "Data\" + fileName: the form the scramble key and saves use.
std::string gamePath(std::string_view fileName);
// Maps a game path ("Data\x.txt" or "Data/x.txt") to its real path.
std::filesystem::path realPath(std::string_view gamePathText);
