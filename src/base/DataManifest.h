#pragma once
// The data build's list of the files it wrote, each with its size and
// CRC-32, kept beside them as manifest.txt. The game checks every file it
// lists before the menu, so that a byte changed on the disk is noticed,
// not played. Files the list does not name (the saves an earlier build
// kept in the data folder) are no data and are not looked at.
//
// One line a file, "<crc32 in hex> <size> <name>", then "end <crc32>" of
// all the lines above it, so that damage to the list itself is told as
// such and never blamed on a data file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kManifestName = "manifest.txt";

struct ManifestEntry {
    std::string name;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};

// The entry of a file the data build wrote.
ManifestEntry manifestEntry(const std::string& name, std::string_view bytes);
// The manifest's text for these files.
std::string manifestText(const std::vector<ManifestEntry>& files);
// The files a manifest's text lists; nullopt when it is damaged, why
// then saying how.
std::optional<std::vector<ManifestEntry>> parseManifest(std::string_view text, std::string& why);
// "" when the manifest in dataDir is sound and every file it lists is
// there with its bytes as written; else one line naming the file (the
// manifest or a data file) and what is wrong with it.
std::string dataManifestProblem(const std::filesystem::path& dataDir);
