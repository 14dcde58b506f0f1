// The island as the game loads it: the catalogue the code relies on, every
// room of every area, exits that lead both ways, and fixed places whose
// passages the shovel, the crowbar and the keypad open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "WorldFixture.h"
#include "WorldSolver.h"
#include "WorldTextRules.h"
#include "world/Places.h"

namespace {

bool isBehindFence(const Room* room) { return room->area == 11 && room->number >= 5; }
bool isLab(const Room* room) { return room->area == 12 && room->number == 0; }
int islanderIndex(const Npc* npc) { return static_cast<int>(npc - game.islanders.data()); }

}  // namespace

// --- The file as written: sizes the game's fields can hold, readable lines.

TEST(WorldSourceTest, CatalogueHasSixtyRecordsThatFitTheirFields) {
    const WorldSource& source = worldSource();
    ASSERT_TRUE(source.error.empty()) << source.error;
    ASSERT_EQ(source.items.size(), 60u);
    std::set<int> indices;
    for (const auto& item : source.items) {
        SCOPED_TRACE(item.name);
        EXPECT_TRUE(indices.insert(item.catalogueIndex).second) << "index used twice";
        EXPECT_GE(item.catalogueIndex, 0);
        EXPECT_LT(item.catalogueIndex, 60);
        EXPECT_LE(item.name.size(), 19u);
        // A killing appends a blank and a name of up to 15 letters.
        EXPECT_LE(item.description.size(), item.name == "Corpse of" ? 239u : 255u);
        EXPECT_EQ(item.name.find_first_of("/@"), std::string::npos) << "names are typed and printed plain";
        EXPECT_TRUE(hasValidMarkup(item.description));
        for (const auto& recipe : item.recipes) {
            EXPECT_LE(recipe.message.size(), 159u);
            EXPECT_TRUE(hasValidMarkup(recipe.message));
            if (recipe.withItem == -1) {
                EXPECT_EQ(recipe.resultItem, -1);
                EXPECT_EQ(recipe.message, "~");
            } else {
                EXPECT_LT(recipe.withItem, 60);
                EXPECT_GE(recipe.resultItem, 0);
                EXPECT_LT(recipe.resultItem, 60);
            }
        }
    }
}

TEST(WorldSourceTest, RoomsAreExactlyTheRoomsOfEachAreaWithTextsThatFit) {
    const WorldSource& source = worldSource();
    ASSERT_TRUE(source.error.empty()) << source.error;
    std::set<std::pair<int, int>> seen;
    std::set<std::string> names;
    for (const auto& room : source.rooms) {
        SCOPED_TRACE(std::to_string(room.area) + " " + std::to_string(room.number));
        ASSERT_GE(room.area, 0);
        ASSERT_LT(room.area, kAreaCount);
        EXPECT_GE(room.number, 0);
        EXPECT_LT(room.number, kAreaRooms[room.area]) << "wanderers only use rooms 0..n-1 of an area";
        EXPECT_TRUE(seen.insert({room.area, room.number}).second) << "room written twice";
        EXPECT_TRUE(names.insert(room.name).second) << "name shared: " << room.name;
        EXPECT_LE(room.name.size(), 19u);
        // The scientist's body is appended to this beach at the start (80 characters).
        std::size_t limit = room.area == 7 && room.number == 5 ? 303u : 383u;
        EXPECT_LE(room.description.size(), limit);
        EXPECT_GE(room.description.size(), 90u) << "a description worth reading";
        EXPECT_EQ(room.name.find_first_of("/@"), std::string::npos);
        EXPECT_EQ(room.description.find_first_of("/@"), std::string::npos);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kWorldRoomTotal));
}

// --- The loaded catalogue.

using WorldCatalogueTest = WorldFixture;

TEST_F(WorldCatalogueTest, HoldsEveryNameTheCodeLooksUp) {
    const char* names[] = {"coconut", "banana", "berry", "dark insect", "bright insect", "bat guano",
                           "large leaf", "wood", "dark flower", "bright flower", "rock", "pebble",
                           "shell", "scrap of metal", "sharp rock", "broken radio", "shovel head", "blade",
                           "handle", "rope", "cloth", "torn shirt", "bandana", "glasses",
                           "sling", "axe", "knife", "hammer", "shovel", "crowbar",
                           "handcuffs", "note", "map", "pyramid", "cube", "sphere",
                           "tree", "Raft"};
    for (const char* name : names) EXPECT_NE(findItemByName(name), nullptr) << name;
    ASSERT_NE(findItemByName("wood"), nullptr);
    EXPECT_EQ(findItemByName("wood")->name, "Wood") << "lists print it without a plural s";
    ASSERT_NE(findItemByName("tree"), nullptr);
    EXPECT_EQ(findItemByName("tree")->portable, 0) << "trees are felled where they stand";
    // Islander gifts and the raft look these up too; none may be shadowed by an earlier record.
    for (const char* name : {"Junky Raft", "Lousy Raft", "Common Raft", "Fine Raft", "Yacht"}) {
        EXPECT_EQ(findItemByName(name), nullptr) << name << " is written into the raft record, not a record of its own";
    }
}

TEST_F(WorldCatalogueTest, NamesCanBeTypedWithGetAndDrop) {
    std::set<std::string> names;
    for (const ItemDef& item : game.items) {
        std::string name = toLower(item.name.view());
        SCOPED_TRACE(name);
        EXPECT_FALSE(name.empty());
        if (name != "corpse of") {
            EXPECT_TRUE(names.insert(name).second) << "an earlier record hides this one";
        }
        // "get" and "drop" take a final s for a plural, except on these two.
        if (item.portable && name != "glasses" && name != "handcuffs") {
            EXPECT_NE(name.back(), 's');
        }
        // "use" splits at " on" and " with"; a name holding them could never be used whole.
        EXPECT_EQ(name.find(" on"), std::string::npos);
        EXPECT_EQ(name.find(" with"), std::string::npos);
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(name[0]))) << "a leading digit reads as a count";
    }
}

TEST_F(WorldCatalogueTest, RaftCrateAndNoteSitAtTheirIndicesInNoRoom) {
    EXPECT_EQ(game.items[kRaftRecord].name, "Raft");
    EXPECT_EQ(findItemByName("Raft"), &game.items[kRaftRecord]);
    EXPECT_EQ(findItemByName("note"), &game.items[kNoteRecord]);
    const std::string crate = game.items[kCrateRecord].description.str();
    EXPECT_NE(crate.find("EAC"), std::string::npos) << "the crate is marked EAC";
    const std::string note = game.items[kNoteRecord].description.str();
    for (const char* clue : {"8", "experiment", "Dr.", "EAC"}) {
        EXPECT_NE(note.find(clue), std::string::npos) << "the note should mention " << clue;
    }
    EXPECT_TRUE(hasValidMarkup(note));
    for (const Room& r : game.rooms) {
        for (std::uint32_t i = 0; i < r.items.count; ++i) {
            const ItemDef* item = r.items.at(i);
            EXPECT_TRUE(item != &game.items[kRaftRecord] && item != &game.items[kCrateRecord] && item != &game.items[kNoteRecord])
                << item->name.c_str() << " lies in " << r.area << " " << r.number << " before its time";
        }
    }
}

TEST_F(WorldCatalogueTest, HasACorpseRecordForEveryIslanderWhoCanDie) {
    int corpses = 0;
    for (const ItemDef& item : game.items) {
        if (toLower(item.name.view()) != "corpse of") continue;
        ++corpses;
        EXPECT_EQ(item.portable, 0);
        // The victim's name is appended: "... body of Frank".
        EXPECT_TRUE(item.description.view().ends_with(" of")) << item.description.c_str();
    }
    EXPECT_GE(corpses, 8);
}

TEST_F(WorldCatalogueTest, ToolsCombineEitherWayRound) {
    struct Pair {
        const char* a;
        const char* b;
        const char* result;
    };
    const Pair pairs[] = {{"sharp rock", "handle", "axe"},   {"shovel head", "handle", "shovel"},
                          {"blade", "handle", "knife"},      {"rock", "handle", "hammer"},
                          {"vine", "coconut husk", "rope"},  {"torn shirt", "bandana", "cloth"}};
    auto yields = [](const char* first, const char* second) -> const ItemDef* {
        const ItemDef* with = findItemByName(first);
        const ItemDef* on = findItemByName(second);
        if (!with || !on) return nullptr;
        for (const CombineRecipe& recipe : on->recipes) {
            if (recipe.withItem == with) return recipe.resultItem;
        }
        return nullptr;
    };
    for (const Pair& p : pairs) {
        EXPECT_EQ(yields(p.a, p.b), findItemByName(p.result)) << "combine " << p.a << " with " << p.b;
        EXPECT_EQ(yields(p.b, p.a), findItemByName(p.result)) << "combine " << p.b << " with " << p.a;
    }
    // No recipe pairs an item with itself: one unit would pass for two.
    for (const ItemDef& item : game.items) {
        for (const CombineRecipe& recipe : item.recipes) {
            EXPECT_NE(recipe.withItem, &item) << item.name.c_str();
            if (recipe.withItem) {
                EXPECT_FALSE(recipe.message.empty());
            }
        }
    }
}

// --- The loaded rooms.

using WorldRoomsTest = WorldFixture;

TEST_F(WorldRoomsTest, EveryAreaHasItsRoomsAndNoOthers) {
    int total = 0;
    for (int area = 0; area < kAreaCount; ++area) {
        EXPECT_EQ(areaRoomCount(area), kAreaRooms[area]) << "islanders wander among these rooms of area " << area;
        for (int number = 0; number < kRoomsPerArea; ++number) {
            const Room& r = room(area, number);
            bool expected = number < kAreaRooms[area];
            EXPECT_EQ(!r.name.empty(), expected) << area << " " << number;
            if (expected) {
                EXPECT_EQ(r.area, area);
                EXPECT_EQ(r.number, number);
                EXPECT_FALSE(r.description.empty());
                ++total;
            }
        }
    }
    EXPECT_EQ(total, kWorldRoomTotal);
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));
    EXPECT_EQ(areaRoomCount(kAreaCount), 0);
}

TEST_F(WorldRoomsTest, ExitsLeadBothWaysBetweenRoomsOfTheWorld) {
    for (const Room& r : game.rooms) {
        for (int d = 0; d < kDirectionCount; ++d) {
            const Room* target = r.exits[static_cast<std::size_t>(d)];
            if (!target) continue;
            SCOPED_TRACE(std::to_string(r.area) + " " + std::to_string(r.number) + " dir " + std::to_string(d));
            EXPECT_FALSE(r.name.empty()) << "an exit out of a room that is not part of the world";
            EXPECT_FALSE(target->name.empty()) << "an exit into nowhere";
            EXPECT_EQ(target->exits[static_cast<std::size_t>(oppositeDirection(d))], &r) << "not mirrored";
        }
    }
}

TEST_F(WorldRoomsTest, FixedPlacesLeaveTheirPassagesFreeAndShowTheirFeatures) {
    EXPECT_EQ(room(9, 7).exits[North], nullptr) << "the code opens north from the keypad wall";
    EXPECT_EQ(room(11, 7).exits[East], nullptr) << "the crowbar opens east from the door";
    EXPECT_EQ(room(11, 0).exits[Northeast], nullptr) << "the shovel opens northeast from the fence";
    for (const Room* exit : room(12, 0).exits) EXPECT_EQ(exit, nullptr) << "the lab is sealed";
    for (const Room& r : game.rooms) {
        if (isBehindFence(&r) || r.name.empty()) continue;
        for (const Room* exit : r.exits) {
            EXPECT_FALSE(exit && isBehindFence(exit)) << r.area << " " << r.number << " leads behind the fence";
        }
    }
    auto mentions = [](const Room& r, const char* word) {
        return toLower(r.description.view()).find(word) != std::string::npos;
    };
    EXPECT_TRUE(mentions(room(11, 0), "fence"));
    EXPECT_TRUE(mentions(room(11, 7), "door"));
    EXPECT_TRUE(mentions(room(9, 7), "slots"));
    EXPECT_TRUE(mentions(room(0, 8), "sand"));
}

TEST_F(WorldRoomsTest, EverythingButTheFencedRoomsAndTheLabIsReachableOnFoot) {
    std::set<const Room*> reached = reachableRooms(roomAt(kWhereYouWoke));
    for (const Room& r : game.rooms) {
        if (r.name.empty()) continue;
        bool hidden = isBehindFence(&r) || isLab(&r);
        EXPECT_EQ(reached.count(&r) == 1, !hidden) << r.area << " " << r.number << " " << r.name.c_str();
    }
}

TEST_F(WorldRoomsTest, ShovelCrowbarAndCodeOpenTheWayOn) {
    connectRooms(room(11, 0), room(11, 5), Northeast);
    std::set<const Room*> dug = reachableRooms(roomAt(kWhereYouWoke));
    for (int number = 5; number <= 7; ++number) EXPECT_EQ(dug.count(roomAt(11, number)), 1u) << number;
    EXPECT_EQ(dug.count(roomAt(kLaboratory)), 0u);
    connectRooms(room(11, 7), room(12, 0), East);
    EXPECT_EQ(reachableRooms(roomAt(kWhereYouWoke)).count(roomAt(kLaboratory)), 1u);
}

TEST_F(WorldRoomsTest, TheCodeAloneOpensTheLabFromTheKeypadWall) {
    connectRooms(room(9, 7), room(12, 0), North);
    EXPECT_EQ(reachableRooms(roomAt(kWhereYouWoke)).count(roomAt(kLaboratory)), 1u);
}

TEST_F(WorldRoomsTest, IslandersStartOneEachInRoomsOfDifferentAreas) {
    std::map<int, const Room*> placed;
    for (const Room& r : game.rooms) {
        for (std::uint32_t i = 0; i < r.occupants.count; ++i) {
            int index = islanderIndex(r.occupants.at(i));
            EXPECT_TRUE(placed.emplace(index, &r).second) << "islander " << index << " placed twice";
        }
    }
    ASSERT_EQ(placed.size(), 9u);
    std::set<int> areas;
    for (auto [index, r] : placed) {
        EXPECT_FALSE(isBehindFence(r) || isLab(r)) << index;
        EXPECT_TRUE(areas.insert(r->area).second) << "two islanders start in area " << r->area;
        EXPECT_EQ(game.islanders[static_cast<std::size_t>(index)].currentRoom, r);
    }
}

TEST_F(WorldRoomsTest, RoomsKeepSpaceForWhatArrivesDuringPlay) {
    for (const Room& r : game.rooms) {
        EXPECT_LE(r.items.count, 12u) << r.area << " " << r.number << " is crowded";
    }
    // The crate and the note are added on their mornings; gifts and corpses land anywhere.
    EXPECT_LE(room(6, 13).items.count, 3u);
    EXPECT_LE(room(1, 6).items.count, 3u);
}
