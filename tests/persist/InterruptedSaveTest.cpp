#include <filesystem>

#include "SaveFixture.h"
#include "game/LoadGame.h"
#include "base/CodecTesting.h"
#include "world/Places.h"

class InterruptedSave : public SaveTest {};

TEST_F(InterruptedSave, DyingBeforeTheRenameKeepsThePreviousSave) {
    buildRichWorld();
    saveGame();
    std::string first = saveText();

    game.day = 8;
    game.tick = 1681;
    addToList(roomAt(kWhereYouWoke)->items, &item(2));
    stopWritesBeforeRename(true);
    saveGame();  // the program "dies" here
    stopWritesBeforeRename(false);
    EXPECT_EQ(temporariesOf(dataPath("Sam.mox")).size(), 1u);

    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.day, 6);
    EXPECT_EQ(saveText(), first);

    // The next save goes through, and the next claim of the game clears the leftover.
    game.tick = 1293;
    saveGame();
    ASSERT_EQ(claimSave("Sam"), Claim::Taken);
    EXPECT_TRUE(temporariesOf(dataPath("Sam.mox")).empty());
    releaseSaveClaim();
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.tick, 1293);
}

TEST_F(InterruptedSave, HalfWrittenLeftoverIsIgnoredByTheLoader) {
    buildRichWorld();
    saveGame();
    std::string first = saveText();
    auto leftover = dataPath(".Sam.mox.1-2-3.tmp");
    ASSERT_TRUE(writeFileAtomically(dataPath("junk"), ".ims \x01\x02"));
    std::filesystem::rename(dataPath("junk"), leftover);
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(saveText(), first);
}
