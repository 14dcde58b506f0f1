// The whole program's loop on the built island: menu, play, final save.
#include <filesystem>

#include "WorldFixture.h"
#include "core/MainLoop.h"
#include "core/Paths.h"
#include "persist/Persist.h"

namespace fs = std::filesystem;

class MainLoopTest : public WorldFixture {
protected:
    // The clock's period is an hour: it ticks once when it starts, then waits.
    int play() { return runGame(std::chrono::hours(1)); }
};

TEST_F(MainLoopTest, NewGameThenQuitLeavesOnlyTheScrambledSave) {
    screen.typeText("a");
    screen.typeText("tESTER smith");
    screen.typeText("e");
    screen.typeText("quit");
    EXPECT_EQ(play(), 0);
    EXPECT_EQ(game.running, 0);
    EXPECT_TRUE(fs::exists(dataPath("Tester.mox")));
    EXPECT_FALSE(fs::exists(dataPath("Tester.ims")));
    EXPECT_GE(game.tick, 1) << "a new game's clock starts at tick 1";

    resetGameState();
    game.player.name = "Tester";
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.player.currentRoom, roomAt(0, 8)->exits[East]);
}

TEST_F(MainLoopTest, TheEndOfInputEndsTheGameAsQuitDoes) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("get pebble");
    EXPECT_EQ(play(), 0);
    EXPECT_TRUE(fs::exists(dataPath("Robin.mox")));
    resetGameState();
    game.player.name = "Robin";
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(heldCount("pebble"), 1);
}

TEST_F(MainLoopTest, ALoadedGameGoesOnFromItsSave) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("get shell");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    screen.typeText("c");
    screen.typeText("robin");
    screen.typeText("drop shell");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    EXPECT_EQ(heldCount("shell"), 0);
    EXPECT_GE(game.tick, 1) << "the loaded game kept its ticks";
}

TEST_F(MainLoopTest, ThePlayedDayIsOnTheTopLineAndTheThingsAreThereToLookAt) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    EXPECT_NE(screen.rowText(0).find(" Day 1 "), std::string::npos) << screen.rowText(0);
    // The save moves on to the afternoon of day 6, well away from a morning.
    resetGameState();
    game.player.name = "Robin";
    ASSERT_EQ(loadGame(0), 1);
    game.day = 6;
    game.tick = 5 * 240 + 100;
    saveGame();

    screen.typeText("c");
    screen.typeText("robin");
    screen.typeText("tele 9 7");
    screen.typeText("look keypad");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    EXPECT_NE(screen.rowText(0).find(" Day 6 "), std::string::npos) << screen.rowText(0);
    std::string shown = output();
    EXPECT_NE(shown.find("a number is typed on its own"), std::string::npos) << shown;
}
