#pragma once
// Tests only: a write that dies half-way, and the files scrambled and
// unscrambled on disk (the game itself converts only in memory).
#include <string_view>

// When set, atomic writes stop right before the rename, as if the
// program had died there (the temporary file stays behind).
void stopWritesBeforeRename(bool stop);

// Converts a file beside itself: ".mox" (case-sensitive) writes the plain
// twin; anything else the scrambled twin.
// False when the source cannot be read or is not a scrambled file; then
// no target is created.
bool convertScrambled(std::string_view gamePath);
// Deletes a plain twin directly (never through a shell).
void removePlainTwin(std::string_view gamePath);
