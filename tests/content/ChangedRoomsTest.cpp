// A room the player has changed says so: the fence after the shovel has dug
// under it, the door after the crowbar has pried it open; a save keeps both.
#include "WorldPlaythrough.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"

class ChangedRoomsTest : public WorldPlaythroughTest {
protected:
    void SetUp() override {
        WorldPlaythroughTest::SetUp();
        sendIslandersAway();
        for (const char* name : {"shovel", "crowbar"}) addToList(game.player.inventory, findItemByName(name));
    }
    std::string look() {
        output();
        command("look");
        return output();
    }
};

TEST_F(ChangedRoomsTest, TheFenceTellsOfTheHoleDugUnderIt) {
    walkTo(11, 0);
    EXPECT_EQ(look().find("hole"), std::string::npos) << "no hole before the digging";
    command("use shovel");
    ASSERT_EQ(game.player.currentRoom->exits[Northeast], roomAt(11, 5));
    std::string seen = look();
    EXPECT_NE(seen.find("dug a hole under the wire"), std::string::npos) << seen;
    EXPECT_NE(seen.find("northeast"), std::string::npos) << "the text points the way through";
    command("ne");
    EXPECT_NE(look().find("hole you dug"), std::string::npos) << "the far side tells of it too";
}

TEST_F(ChangedRoomsTest, TheDoorNoLongerReadsRustedShutOncePriedOpen) {
    walkTo(11, 0);
    command("use shovel");
    walkTo(11, 7);
    EXPECT_NE(look().find("rusted shut"), std::string::npos);
    command("use crowbar");
    ASSERT_EQ(game.player.currentRoom->exits[East], roomAt(12, 0));
    std::string seen = look();
    EXPECT_EQ(seen.find("rusted shut"), std::string::npos) << seen;
    EXPECT_NE(seen.find("pried it open"), std::string::npos) << seen;
}

TEST_F(ChangedRoomsTest, ASaveKeepsTheChangedTexts) {
    walkTo(11, 0);
    command("use shovel");
    walkTo(11, 7);
    command("use crowbar");
    command("use crowbar");  // prying twice changes nothing more
    const std::string fence = roomAt(11, 0)->description.str();
    const std::string door = roomAt(11, 7)->description.str();
    saveGame();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(roomAt(11, 0)->description.str(), fence);
    EXPECT_EQ(roomAt(11, 7)->description.str(), door);
    EXPECT_NE(door.find("pried it open"), std::string::npos);
    EXPECT_EQ(roomAt(11, 7)->exits[East], roomAt(12, 0));
}

TEST_F(ChangedRoomsTest, ToolsSwungElsewhereChangeNoRoom) {
    walkTo(11, 1);
    const std::string before = game.player.currentRoom->description.str();
    command("use shovel");
    command("use crowbar");
    EXPECT_EQ(game.player.currentRoom->description.str(), before);
}
