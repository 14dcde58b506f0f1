#include "BuildPaths.h"
#include "WorldFixture.h"


#include "base/Paths.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"

namespace fs = std::filesystem;

fs::path worldSourcePath(const char* relative) { return fs::path(BRINEFALL_SOURCE_DIR) / relative; }

const WorldSource& worldSource() {
    static const WorldSource source = readWorldSource(worldSourcePath("content/initial.ims").string());
    return source;
}

void WorldFixture::SetUp() {
    GameTest::SetUp();
    fs::path built(BRINEFALL_DATA_DIR);
    if (fs::exists(built / "initial.mox")) {
        privateData_.emplace(built);
        ASSERT_EQ(loadGame(1), 1) << "the built world did not load";
        loadedFromBuild = true;
    } else {
        // No data build yet: read the source the build would scramble.
        ASSERT_TRUE(worldSource().error.empty()) << worldSource().error;
        installWorldSource(worldSource());
    }
    output();
}

void WorldFixture::TearDown() {
    privateData_.reset();
    GameTest::TearDown();
}
