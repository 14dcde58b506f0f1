#include "BuildPaths.h"

namespace build_paths {
const char* dataDir() { return BUILT_DATA_DIR; }
const char* binary() { return BUILT_BINARY; }
const char* sourceDir() { return SOURCE_DIR; }
}  // namespace build_paths
