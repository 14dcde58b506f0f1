// The three ways off the island played on the real built world, one
// command at a time, without a terminal.
#include <filesystem>

#include "TestSupport.h"
#include "console/Screen.h"
#include "core/Commands.h"
#include "core/Paths.h"
#include "persist/Persist.h"

class EndingPlaythroughTest : public GameTest {
protected:
    std::filesystem::path previous;
    std::filesystem::path dir;

    void SetUp() override {
        GameTest::SetUp();
        setUpConsole();  // questions are typed on the input row
        previous = dataDirectory();
        dir = std::filesystem::temp_directory_path() /
              (std::string("brinefall-ending-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::copy(BRINEFALL_DATA_DIR, dir, std::filesystem::copy_options::recursive);
        setDataDirectory(dir);
        resetGameState();
        game.player.name = "Tester";
        loadGame(1);
        game.running = 1;
        game.debugMode = 1;
        game.clockRunning = 1;
        if (!findItemByName("Raft") || roomAt(0, 8)->name.empty() || roomAt(9, 7)->name.empty())
            GTEST_SKIP() << "this build's Data holds no island world yet";
        output();
    }
    void TearDown() override {
        setDataDirectory(previous);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
        GameTest::TearDown();
    }
    void give(const char* name, int units = 1) {
        ItemDef* item = findItemByName(name);
        ASSERT_NE(item, nullptr) << name;
        for (int i = 0; i < units; ++i) ASSERT_GE(addToList(game.player.inventory, item), 0) << name;
    }
    // The command, once any work period has passed.
    std::string command(const char* line) {
        if (game.busyUntil > game.tick) game.tick = game.busyUntil;
        game.work.remaining = 0;
        output();
        dispatchCommand(line);
        return output();
    }
    bool at(int area, int number) const { return game.player.currentRoom->is(area, number); }
};

TEST_F(EndingPlaythroughTest, ThroughTheKeypadWall) {
    command("tele 9 7");
    ASSERT_TRUE(at(9, 7));
    give("pyramid");
    give("cube");
    give("sphere");
    EXPECT_EQ(command("5830"), "Only crazy people type into thin air, crazy.\n");
    command("use cube");
    command("use sphere");
    EXPECT_NE(command("use pyramid").find("Please enter lab code"), std::string::npos);
    EXPECT_NE(command("5830").find("faintly lit hallway"), std::string::npos);
    queueDraws({0});
    std::string ending = command("north");
    EXPECT_TRUE(at(12, 0));
    EXPECT_NE(ending.find("reveal The Dog."), std::string::npos);
    EXPECT_NE(ending.find("Thanks for playing!"), std::string::npos);
    EXPECT_EQ(game.running, 0);
}

TEST_F(EndingPlaythroughTest, UnderTheFenceAndThroughTheDoor) {
    command("tele 11 0");
    give("shovel");
    command("use shovel");
    command("northeast");
    ASSERT_TRUE(at(11, 5));
    command("tele 11 7");
    EXPECT_EQ(game.running, 1);
    give("crowbar");
    EXPECT_EQ(command("use crowbar"), "/YYou use the crowbar to pry the door open.\n");
    queueDraws({1});
    std::string ending = command("east");
    EXPECT_TRUE(at(12, 0));
    EXPECT_NE(ending.find("Unfortunately, you never wake up."), std::string::npos);
    EXPECT_EQ(game.running, 0);
}

TEST_F(EndingPlaythroughTest, BuildAYachtAndSailAway) {
    ASSERT_TRUE(at(0, 8));
    give("Wood", 3);
    give("rope");
    give("axe");
    give("knife");
    give("hammer");
    screen.typeText("yes");
    std::string asked = command("boat");
    ASSERT_EQ(game.raftState, 1) << asked;
    for (int i = 0; i < 7; ++i) command("boat");  // axe, axe, knife, knife, hammer, hammer, Lousy
    EXPECT_TRUE(findItemByName("Lousy Raft"));
    for (int i = 0; i < 3; ++i) {
        give("Wood", 6);
        command("boat");
    }
    give("large leaf", 3);
    for (int i = 0; i < 3; ++i) command("boat");
    give("Wood", 6);
    command("boat");
    ASSERT_EQ(game.raftState, 13);
    for (int i = 0; i < 3; ++i) {  // strengthening twice, then Fine
        give("cloth");
        give("rope");
        give("Wood", 3);
        command("boat");
    }
    give("Wood", 4);
    give("large leaf");
    give("rope");
    give("cloth");
    command("boat");
    ASSERT_EQ(game.raftState, 20);
    EXPECT_TRUE(findItemByName("Yacht"));

    screen.typeText("yes");
    screen.typeText("mary");
    queueDraws({11});
    std::string voyage = command("sail");
    EXPECT_NE(voyage.find("/yYou have  escaped the Island!\n/yCongratulations you have saved mary.\n"), std::string::npos)
        << voyage;
    EXPECT_EQ(game.running, 0);
}
