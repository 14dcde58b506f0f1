#pragma once
// Where this build put the game and its data, and where its sources are.
// Only BuildPaths.cpp is compiled with these paths, so every other test file
// compiles the same in any checkout and a compiler cache shared between
// checkouts in different folders reuses it.
namespace build_paths {
const char* dataDir();
const char* binary();
const char* sourceDir();
}  // namespace build_paths

#define BRINEFALL_DATA_DIR (build_paths::dataDir())
#define BRINEFALL_BINARY (build_paths::binary())
#define BRINEFALL_SOURCE_DIR (build_paths::sourceDir())
