#pragma once
// Plays the island through the game's own commands: walking by direction
// words, picking things up, crafting over ticks, so the content and the code
// are checked together.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "WorldFixture.h"
#include "clock/Clock.h"
#include "console/Screen.h"
#include "game/Commands.h"
#include "base/Random.h"
#include "game/Tick.h"

namespace playthrough {

inline const char* const kDirectionWords[kDirectionCount] = {"n", "ne", "e", "se", "s", "sw", "w", "nw"};

}  // namespace playthrough

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
            dispatchCommand(playthrough::kDirectionWords[d]);
            ASSERT_EQ(game.player.currentRoom, next) << "the move " << playthrough::kDirectionWords[d] << " went elsewhere";
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

