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
#include "core/Commands.h"

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
