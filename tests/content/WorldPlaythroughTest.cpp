// Plays the island through the game's own commands: walking by direction
// words, picking things up, crafting over ticks, and opening the way into
// the laboratory, so the content and the code are checked together.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "WorldFixture.h"
#include "clock/Clock.h"
#include "console/Screen.h"
#include "core/Commands.h"
#include "core/Random.h"

namespace {

const char* const kDirectionWords[kDirectionCount] = {"n", "ne", "e", "se", "s", "sw", "w", "nw"};

}  // namespace

class WorldPlaythroughTest : public WorldFixture {
protected:
    // Walks the shortest way through the exits as they stand, one command a step.
    void walkTo(int area, int number) {
        const Room* target = roomAt(area, number);
        std::map<const Room*, std::pair<const Room*, int>> cameFrom;
        std::deque<const Room*> queue{game.player.currentRoom};
        cameFrom[game.player.currentRoom] = {nullptr, -1};
        while (!queue.empty() && !cameFrom.count(target)) {
            const Room* r = queue.front();
            queue.pop_front();
            for (int d = 0; d < kDirectionCount; ++d) {
                const Room* next = r->exits[static_cast<std::size_t>(d)];
                if (next && !cameFrom.count(next)) {
                    cameFrom[next] = {r, d};
                    queue.push_back(next);
                }
            }
        }
        ASSERT_TRUE(cameFrom.count(target)) << "no way to " << area << " " << number;
        std::vector<std::pair<const Room*, int>> steps;
        for (const Room* r = target; cameFrom[r].first; r = cameFrom[r].first) steps.insert(steps.begin(), {r, cameFrom[r].second});
        for (auto [next, d] : steps) {
            dispatchCommand(kDirectionWords[d]);
            ASSERT_EQ(game.player.currentRoom, next) << "the move " << kDirectionWords[d] << " went elsewhere";
        }
    }
    void command(const char* line) { dispatchCommand(line); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            ++game.tick;
            onTick();
        }
    }
    int held(const char* name) { return heldCount(name); }
    // Lets any work or sleep run out.
    void finishWork() {
        for (int guard = 0; guard < 200 && isBusy(); ++guard) ticks(1);
        ASSERT_FALSE(isBusy());
    }
    void craft(const char* useLine, const char* product) {
        command(useLine);
        finishWork();
        std::string get = std::string("get ") + product;
        command(get.c_str());
    }
    // The murderer and the wanderers would interrupt long work; this game is played alone.
    void sendIslandersAway() {
        for (std::size_t i = 1; i < game.islanders.size(); ++i) {
            Npc& npc = game.islanders[i];
            if (npc.currentRoom) removeFromList(npc.currentRoom->occupants, &npc);
            npc.gender = -1;
        }
    }
    void fellTreeIn(int area, int number) {
        walkTo(area, number);
        ASSERT_EQ(lyingHere("tree"), 1) << area << " " << number;
        command("use axe on tree");
        finishWork();
        ASSERT_EQ(lyingHere("tree"), 0) << output();
        ASSERT_EQ(lyingHere("wood"), 3);
        command("get 3 wood");
    }
    // One "boat" command, then the work period it starts.
    void boat(int expectedState) {
        command("boat");
        ASSERT_EQ(game.raftState, expectedState) << output();
        finishWork();
    }
    int lyingHere(const char* name) {
        const ItemDef* item = findItemByName(name);
        return item ? static_cast<int>(countInList(game.player.currentRoom->items, item)) : 0;
    }
    // Picks up the materials for a shovel: a rock, a scrap of metal, wood and a blade.
    void makeShovel() {
        walkTo(0, 3);
        command("get rocks");
        walkTo(0, 4);
        command("get wood");
        walkTo(0, 7);
        command("get scrap of metal");
        walkTo(10, 7);
        command("get blade");
        ASSERT_EQ(held("blade"), 1);
        command("use rock on scrap of metal");
        ticks(6);
        ASSERT_EQ(lyingHere("shovel head"), 1) << output();
        command("get shovel head");
        command("use blade on wood");
        ticks(4);
        ASSERT_EQ(lyingHere("handle"), 1) << output();
        command("get handle");
        command("combine shovel head with handle");
        ASSERT_EQ(held("shovel"), 1) << output();
    }
};

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
    ASSERT_EQ(game.player.currentRoom->exits[Northeast], roomAt(11, 5)) << output();
    walkTo(11, 7);
    output();
    command("use crowbar");
    ASSERT_EQ(game.player.currentRoom->exits[East], roomAt(12, 0)) << output();
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
    ASSERT_EQ(game.player.currentRoom->exits[North], roomAt(12, 0)) << output();
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
    ASSERT_EQ(game.items[32].name, "Junky Raft");
    for (int state = 2; state <= 7; ++state) boat(state);
    boat(7);
    ASSERT_EQ(game.items[32].name, "Lousy Raft");

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
    ASSERT_EQ(game.items[32].name, "Common Raft");

    // Strengthening twice, the Fine Raft, then the Yacht.
    for (auto [area, number] : {std::pair{4, 1}, {5, 11}, {5, 13}, {5, 15}}) fellTreeIn(area, number);
    walkTo(0, 4);
    command("get 3 cloths");
    command("get 3 ropes");
    boat(14);
    boat(15);
    boat(15);
    ASSERT_EQ(game.items[32].name, "Fine Raft");
    fellTreeIn(5, 18);
    walkTo(0, 4);
    ASSERT_GE(held("wood"), 6);
    command("get large leaf");
    command("get rope");
    command("get cloth");
    boat(20);
    ASSERT_EQ(game.items[32].name, "Yacht");
    EXPECT_EQ(held("rope") + held("cloth") + held("large leaf"), 0) << "every step paid from the pack";

    output();
    screen.typeText("yes");
    screen.typeText("");
    command("sail");
    EXPECT_EQ(game.running, 0);
    EXPECT_NE(output().find("escaped the Island!"), std::string::npos);
}
