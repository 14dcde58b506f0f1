// Plays the island through the game's own commands: walking by direction
// words, picking things up, crafting over ticks, and opening the way into
// the laboratory, so the content and the code are checked together.
#include "WorldPlaythrough.h"
#include "game/Ending.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"
#include "world/Places.h"

TEST_F(WorldPlaythroughTest, TheMapLiesBesideTheStartAndShowsWhereThePlayerIs) {
    walkTo(0, 4);
    command("get map");
    ASSERT_EQ(held("map"), 1);
    output();
    command("map");
    std::string shown = output();
    EXPECT_NE(shown.find("/RX/x"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('_'), std::string::npos) << "every marker is replaced";
    EXPECT_EQ(shown.find("Error."), std::string::npos) << shown;
}

TEST_F(WorldPlaythroughTest, DiggingUnderTheFenceAndPryingTheDoorLeadsIntoTheLab) {
    makeShovel();
    walkTo(10, 12);
    command("get crowbar");
    ASSERT_EQ(held("crowbar"), 1);
    walkTo(11, 0);
    command("use shovel");
    ASSERT_EQ(game.player.currentRoom->exits[Northeast], roomAt(kBehindTheFence)) << output();
    walkTo(11, 7);
    output();
    command("use crowbar");
    ASSERT_EQ(game.player.currentRoom->exits[East], roomAt(kLaboratory)) << output();
    command("e");
    EXPECT_EQ(game.running, 0);
    EXPECT_NE(output().find("Thanks for playing!"), std::string::npos);
}

TEST_F(WorldPlaythroughTest, TheThreeShapesAndTheSungCodeOpenTheKeypadWall) {
    walkTo(10, 2);
    command("get pyramid");
    walkTo(8, 2);
    command("get cube");
    walkTo(2, 8);
    command("get sphere");
    ASSERT_EQ(held("pyramid") + held("cube") + held("sphere"), 3);
    walkTo(9, 7);
    output();
    command("use pyramid");
    command("use cube");
    command("use sphere");
    EXPECT_NE(output().find("Please enter lab code"), std::string::npos);
    command("5830");
    ASSERT_EQ(game.player.currentRoom->exits[North], roomAt(kLaboratory)) << output();
    command("n");
    EXPECT_EQ(game.running, 0);
}

TEST_F(WorldPlaythroughTest, AnAxeFellsAJungleTreeIntoWood) {
    makeShovel();  // leaves a blade in hand and rocks to spare
    walkTo(0, 4);
    ASSERT_GE(held("rock"), 2);
    command("use rock on rock");
    ticks(4);
    command("get sharp rock");
    walkTo(0, 1);
    command("get wood");
    command("use blade on wood");
    ticks(4);
    command("get handle");
    command("combine sharp rock with handle");
    ASSERT_EQ(held("axe"), 1) << output();
    walkTo(4, 1);
    ASSERT_EQ(lyingHere("tree"), 1);
    command("use axe on tree");
    ticks(8);
    EXPECT_EQ(lyingHere("tree"), 0) << output();
    EXPECT_EQ(lyingHere("wood"), 3);
}

TEST_F(WorldPlaythroughTest, ARaftGrowsIntoAYachtAndSailsHome) {
    setUpConsole();  // the raft and the sail ask their questions on the input row
    sendIslandersAway();
    // Tools: an axe, a hammer and a knife from rocks, beach wood and the cave's blade.
    walkTo(0, 3);
    command("get rocks");
    for (auto [area, number] : {std::pair{0, 4}, {0, 1}, {0, 6}}) {
        walkTo(area, number);
        command("get wood");
    }
    walkTo(10, 7);
    command("get blade");
    craft("use rock on rock", "sharp rock");
    for (int i = 0; i < 3; ++i) craft("use blade on wood", "handle");
    command("combine sharp rock with handle");
    command("combine rock with handle");
    command("combine blade with handle");
    ASSERT_EQ(held("axe") + held("hammer") + held("knife"), 3) << output();

    // Rope, cloth and leaves are gathered and left at the raft's shore.
    for (auto [area, number] : {std::pair{0, 13}, {1, 2}, {3, 4}, {7, 2}}) {
        walkTo(area, number);
        command("get rope");
    }
    walkTo(4, 11);
    command("get vine");
    walkTo(4, 10);
    command("get coconut husk");
    command("combine vine with coconut husk");
    for (auto [area, number] : {std::pair{1, 9}, {3, 6}, {6, 0}, {7, 14}}) {
        walkTo(area, number);
        command("get cloth");
    }
    for (auto [area, number] : {std::pair{4, 3}, {4, 5}, {4, 8}, {4, 12}, {4, 14}, {0, 9}}) {
        walkTo(area, number);
        command("get large leaf");
    }
    ASSERT_EQ(held("rope"), 5);
    ASSERT_EQ(held("cloth"), 4);
    ASSERT_EQ(held("large leaf"), 6);
    walkTo(0, 4);
    command("drop ropes");
    command("drop cloths");
    command("drop large leafs");

    // Junky Raft, then the tool steps up to a Lousy Raft.
    fellTreeIn(4, 7);
    fellTreeIn(4, 9);
    walkTo(0, 4);
    command("get rope");
    screen.typeText("yes");
    boat(1);
    ASSERT_EQ(game.items[kRaftRecord].name, "Junky Raft");
    for (int state = 2; state <= 7; ++state) boat(state);
    boat(7);
    ASSERT_EQ(game.items[kRaftRecord].name, "Lousy Raft");

    // Two wood steps, four leaf steps, and a leaf pays for the Common Raft.
    fellTreeIn(4, 5);
    walkTo(0, 4);
    boat(8);
    fellTreeIn(4, 3);
    fellTreeIn(4, 11);
    walkTo(0, 4);
    boat(9);
    ASSERT_LT(held("wood"), 6);
    command("get 5 large leafs");
    for (int state = 10; state <= 13; ++state) boat(state);
    boat(13);
    ASSERT_EQ(game.items[kRaftRecord].name, "Common Raft");

    // Strengthening twice, the Fine Raft, then the Yacht.
    for (auto [area, number] : {std::pair{4, 1}, {5, 11}, {5, 13}, {5, 15}}) fellTreeIn(area, number);
    walkTo(0, 4);
    command("get 3 cloths");
    command("get 3 ropes");
    boat(14);
    boat(15);
    boat(15);
    ASSERT_EQ(game.items[kRaftRecord].name, "Fine Raft");
    fellTreeIn(5, 18);
    walkTo(0, 4);
    ASSERT_GE(held("wood"), 6);
    command("get large leaf");
    command("get rope");
    command("get cloth");
    boat(20);
    ASSERT_EQ(game.items[kRaftRecord].name, "Yacht");
    EXPECT_EQ(held("rope") + held("cloth") + held("large leaf"), 0) << "every step paid from the pack";

    output();
    screen.typeText("yes");
    screen.typeText("");
    command("sail");
    EXPECT_EQ(game.running, 0);
    EXPECT_NE(output().find("escaped the Island!"), std::string::npos);
    ASSERT_EQ(saveGame(), 0);  // as the main loop does when play stops
    EXPECT_EQ(inspectSave("Sam").ending, Ending::Escaped);
    EXPECT_EQ(loadGame(0), 0) << "the escaped sailor does not reload on the island";
}
