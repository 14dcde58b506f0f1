#include "WorldFixture.h"

#include <unistd.h>

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
    previousData_ = dataDirectory();
    fs::path built(BRINEFALL_DATA_DIR);
    if (fs::exists(built / "initial.mox")) {
        static int copies = 0;
        privateData_ = fs::temp_directory_path() /
                       ("brinefall-world-" + std::to_string(::getpid()) + "-" + std::to_string(++copies));
        fs::remove_all(privateData_);
        fs::create_directories(privateData_);
        // Plain twins are left out: another test may be unscrambling its own right now.
        for (const auto& entry : fs::directory_iterator(built)) {
            if (entry.path().extension() == ".ims" || !entry.is_regular_file()) continue;
            std::error_code ignored;
            fs::copy_file(entry.path(), privateData_ / entry.path().filename(), ignored);
        }
        setDataDirectory(privateData_);
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
    if (!previousData_.empty()) setDataDirectory(previousData_);
    if (!privateData_.empty()) fs::remove_all(privateData_);
    GameTest::TearDown();
}
