#pragma once
// The scrambled file form (".mox"): a four-character extension of the
// plain twin, one blank, then the plain bytes XORed with a key derived
// from the file's game path ("Data\initial.mox"). Game paths use a
// backslash after "Data" whatever the platform, so the key is the same
// everywhere; realPath() maps them onto the real Data directory.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Key of a game path: the sum of all but its last four characters as
// signed bytes, modulo 255 (truncating), low 8 bits.
std::uint8_t scrambleKey(std::string_view gamePath);
std::string replaceExtension(std::string_view path, std::string_view extension);
// ".mox" (case-sensitive) writes the plain twin; anything else the scrambled twin.
// False when the source cannot be read or is not a scrambled file.
bool convertScrambled(std::string_view gamePath);
bool transcodeFile(std::string_view gamePath, std::uint8_t key, bool toPlain);
// Deletes a plain twin directly (never through a shell).
void removePlainTwin(std::string_view gamePath);
