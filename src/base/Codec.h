#pragma once
// The scrambled file form (".mox"): a four-character extension of the
// plain twin, one blank, then the plain bytes XORed with a key derived
// from the file's game path ("Data\initial.mox"). Game paths use a
// backslash after "Data" whatever the platform, so the key is the same
// everywhere; realPath() maps them onto the real data directory.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Key of a game path: the sum of all but its last four characters as
// signed bytes, modulo 255 (truncating), low 8 bits.
std::uint8_t scrambleKey(std::string_view gamePath);
std::string replaceExtension(std::string_view path, std::string_view extension);

// The same conversion on bytes in memory.
std::string scrambleBytes(std::string_view plain, std::string_view extension, std::uint8_t key);
struct PlainTwin {
    std::string extension;  // from the header, e.g. ".ims"
    std::string bytes;
};
// nullopt when the bytes are too short or the header is not an extension
// (a point and three letters or digits) followed by one blank.
std::optional<PlainTwin> unscrambleBytes(std::string_view scrambled, std::uint8_t key);
// The plain twin of the scrambled file at `file`, unscrambled in memory
// with the key of its game path: nothing is written beside it.
std::optional<PlainTwin> readScrambled(const std::filesystem::path& file, std::string_view gamePath);

// The whole of a regular file; nullopt when there is none (see Files.h).
std::optional<std::string> readWholeFile(const std::filesystem::path& path);
// Writes the bytes to a temporary file of its own beside the target (a
// fresh name, created exclusively with the mode given), syncs it (unless
// the file is a short-lived twin) and renames it over the target, so the
// target always holds either the old or the new content, whole. False
// (target untouched, errno saying why) on any failure.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, bool durable = true,
                         mode_t mode = 0644);
// Whether a file is one of the temporary files writes to target make, and
// those that lie beside target now (left by a write that died half-way).
bool isTemporaryOf(const std::filesystem::path& candidate, const std::filesystem::path& target);
std::vector<std::filesystem::path> temporariesOf(const std::filesystem::path& target);
