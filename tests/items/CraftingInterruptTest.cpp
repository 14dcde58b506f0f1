// Islanders who walk in or walk up while the player crafts, on the built
// island with its real scripts: every craft still makes its product once
// and uses its materials once, whenever the islander comes.
#include <string>
#include <utility>
#include <vector>

#include "clock/Clock.h"
#include "content/WorldFixture.h"
#include "game/Commands.h"
#include "dialogue/Conversation.h"
#include "islanders/Islanders.h"
#include "game/Tick.h"
#include "game/Wandering.h"

namespace {

struct Craft {
    const char* command;
    std::vector<std::pair<const char*, int>> held;  // what the player carries
    const char* onFloor;                            // nullptr, or an item laid in the room
    int ticks;
    const char* product;
    int made;
    std::vector<std::pair<const char*, int>> used;  // units that must be gone afterwards
    const char* finishLine;
};

const std::vector<Craft>& crafts() {
    static const std::vector<Craft> all{
        {"use rock on rock", {{"rock", 2}}, nullptr, 4, "sharp rock", 1, {{"rock", 2}},
         "You finally finish sharpening the rock"},
        {"use rock on scrap of metal", {{"rock", 1}, {"scrap of metal", 1}}, nullptr, 6, "shovel head", 1,
         {{"rock", 1}, {"scrap of metal", 1}}, "You finally finish pounding the metal"},
        {"use blade on wood", {{"blade", 1}, {"wood", 1}}, nullptr, 4, "handle", 1, {{"wood", 1}},
         "You finally finish carving the wood"},
        // The sling is cut from the rope, which stays whole.
        {"use blade on rope", {{"blade", 1}, {"rope", 1}}, nullptr, 2, "sling", 1, {{"rope", 0}},
         "You finally finish cutting a piece of the rope"},
        {"use axe on tree", {{"axe", 1}}, "tree", 8, "wood", 3, {{"tree", 1}}, "You finally finish chopping down the tree"},
    };
    return all;
}

enum class Visit { WalksIn, WalksUp };

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

class CraftingInterruptTest : public WorldFixture {
protected:
    Npc* visitor = nullptr;

    void SetUp() override {
        WorldFixture::SetUp();
        game.tick = 61;  // clear of noon, dusk, bedtime and the islanders' minute
        // One islander, happy enough to walk up to a busy player; the others
        // stay out of the way, and nobody hands over a gift meanwhile.
        for (int i = 1; i < kIslanderCount; ++i) {
            Npc& npc = game.islanders[static_cast<std::size_t>(i)];
            npc.gaveGift = 1;
            if (i > 1) npc.gender = -1;
        }
        visitor = &game.islanders[1];
        moveIslander(*visitor, 0, 3);
        ASSERT_EQ(visitor->currentRoom, roomAt(0, 3));
        visitor->happiness = 90.0;
        visitor->scriptLabel = 0;
        output();
    }

    int units(const char* name) {
        ItemDef* item = findItemByName(name);
        return static_cast<int>(countInList(game.player.inventory, item) +
                                countInList(game.player.currentRoom->items, item));
    }

    // One tick of the clock when it runs; an open conversation stops it.
    void tick() {
        if (!game.clockRunning) return;
        ++game.tick;
        onTick();
    }

    // The islander comes the way the wandering step brings it.
    void visit(Visit how) {
        const Room& here = *game.player.currentRoom;
        if (how == Visit::WalksIn) {
            moveIslander(*visitor, here.area, here.number);
            return;
        }
        moveIslanders(1);
        ASSERT_EQ(game.talkingTo, visitor);
        tick();  // the islander speaks up
        ASSERT_EQ(game.clockRunning, 0) << "no conversation opened";
        // Take the last choice until the talk is over, as a player in a hurry would.
        for (int i = 0; i < 30 && !game.clockRunning; ++i)
            dispatchCommand(std::string(1, static_cast<char>('a' + game.optionCount - 1)).c_str());
        ASSERT_EQ(game.clockRunning, 1) << "the conversation never closed";
    }
};

TEST_F(CraftingInterruptTest, EveryCraftMakesItsProductOnceWhoeverComes) {
    for (const Craft& craft : crafts()) {
        for (Visit how : {Visit::WalksIn, Visit::WalksUp}) {
            for (int after = 0; after < craft.ticks; ++after) {
                SCOPED_TRACE(std::string(craft.command) + (how == Visit::WalksIn ? ", walks in" : ", walks up") +
                             " after " + std::to_string(after) + " ticks");
                TearDown();
                SetUp();
                for (auto [name, n] : craft.held)
                    for (int i = 0; i < n; ++i) addToList(game.player.inventory, findItemByName(name));
                if (craft.onFloor) addToList(game.player.currentRoom->items, findItemByName(craft.onFloor));
                std::vector<int> before;
                for (auto [name, n] : craft.used) before.push_back(units(name));
                const int productBefore = units(craft.product);

                dispatchCommand(craft.command);
                ASSERT_NE(isBusy(), nullptr);
                for (int k = 0; k < after; ++k) tick();
                visit(how);
                for (int k = 0; k < craft.ticks + 4; ++k) tick();

                EXPECT_EQ(units(craft.product) - productBefore, craft.made);
                for (std::size_t i = 0; i < craft.used.size(); ++i)
                    EXPECT_EQ(before[i] - units(craft.used[i].first), craft.used[i].second) << craft.used[i].first;
                EXPECT_EQ(occurrences(output(), craft.finishLine), 1u);
                EXPECT_EQ(isBusy(), nullptr);
            }
        }
    }
}
