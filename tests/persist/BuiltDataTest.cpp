// The data build turns content/ into the Data directory with the game's
// own codec; the built world loads.
#include <filesystem>

#include "BuildPaths.h"
#include "SaveFixture.h"
#include "game/LoadGame.h"

namespace fs = std::filesystem;

namespace {
const fs::path kContent = fs::path(BRINEFALL_SOURCE_DIR) / "content";
const fs::path kBuilt = BRINEFALL_DATA_DIR;

void expectScrambledTwin(const fs::path& source, const std::string& name, const char* extension) {
    SCOPED_TRACE(source.string());
    auto plain = readWholeFile(source);
    auto built = readWholeFile(kBuilt / (name + ".mox"));
    ASSERT_TRUE(plain && built);
    auto twin = unscrambleBytes(*built, scrambleKey("Data\\" + name + ".mox"));
    ASSERT_TRUE(twin);
    EXPECT_EQ(twin->extension, extension);
    EXPECT_TRUE(twin->bytes == *plain);
}
}  // namespace

TEST(BuiltData, EveryContentFileHasItsCurrentTwin) {
    ASSERT_TRUE(fs::is_regular_file(kContent / "initial.ims"));
    expectScrambledTwin(kContent / "initial.ims", "initial", ".ims");
    if (fs::is_directory(kContent / "scripts"))
        for (const auto& entry : fs::directory_iterator(kContent / "scripts"))
            if (entry.path().extension() == ".txt") {
                expectScrambledTwin(entry.path(), entry.path().stem().string(), ".txt");
            }
    for (const char* name : {"map.txt", "readme.txt"})
        if (fs::exists(kContent / name)) {
            EXPECT_EQ(readWholeFile(kContent / name), readWholeFile(kBuilt / name)) << name;
        }
}

class BuiltWorld : public SaveTest {};

TEST_F(BuiltWorld, LoadsAndSurvivesASave) {
    setDataDirectory(kBuilt);
    ASSERT_EQ(loadGame(1), 1);
    setDataDirectory(data.path());
    EXPECT_EQ(game.day, 1);
    EXPECT_EQ(game.player.currentRoom, roomAt(0, 8));
    EXPECT_FALSE(roomAt(0, 8)->name.empty());
    for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(item(i).catalogueIndex, i);
    EXPECT_FALSE(fs::exists(kBuilt / "initial.ims"));

    std::string before = saveText();
    saveGame();
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(saveText(), before);
}
