// Every ending can be reached from what lies on the island, without any
// islander's gift: the items are gathered from the rooms a player can walk
// to, made into tools by the recipes and the timed crafts, and counted
// against what each way out uses up.
#include <gtest/gtest.h>

#include "WorldFixture.h"
#include "WorldSolver.h"
#include "world/Places.h"

namespace {

// Materials the raft uses up on its way to a Yacht, one "boat" per step:
// start 3 wood 1 rope; axe, knife and hammer twice each (tools only); Lousy;
// wood steps at 6 wood; leaf steps at 1 large leaf; Common at 6 wood or a
// leaf; strengthening twice at 1 cloth, 1 rope, 3 wood; Fine at 1 cloth,
// 1 rope, 1 wood; Yacht at 6 wood, 1 rope, 1 cloth, 1 large leaf.
struct RaftBill {
    int wood;
    int rope;
    int cloth;
    int leaves;
};

// A player who always holds six wood takes three wood steps (7 to 10), three
// leaf steps (10 to 13) and pays the Common step in wood.
constexpr RaftBill kWoodHeavyPath{3 + 3 * 6 + 6 + 2 * 3 + 1 + 6, 1 + 2 + 1 + 1, 2 + 1 + 1, 3 + 1};
// One who holds little wood takes two wood steps, four leaf steps and pays
// the Common step with a leaf.
constexpr RaftBill kLeafHeavyPath{3 + 2 * 6 + 2 * 3 + 1 + 6, 1 + 2 + 1 + 1, 2 + 1 + 1, 4 + 1 + 1};

bool isSailingShore(const Room* room) { return room->area == 0 || room->area == 1 || room->area == 3; }

}  // namespace

using WorldEndingsTest = WorldFixture;

TEST_F(WorldEndingsTest, RaftBillCountsEveryStep) {
    EXPECT_EQ(kWoodHeavyPath.wood, 40);
    EXPECT_EQ(kLeafHeavyPath.wood, 28);
    EXPECT_EQ(kLeafHeavyPath.leaves, 6);
    EXPECT_EQ(kWoodHeavyPath.rope, 5);
    EXPECT_EQ(kWoodHeavyPath.cloth, 4);
}

TEST_F(WorldEndingsTest, AYachtCanBeBuiltFromWhatTheIslandOffers) {
    std::set<const Room*> reached = reachableRooms(roomAt(kWhereYouWoke));
    bool shore = false;
    for (const Room* r : reached) shore = shore || isSailingShore(r);
    ASSERT_TRUE(shore);

    WorldStock stock;
    stock.gather(reached);
    // The Yacht step wants all three tools at hand; the axe comes first to fell trees.
    ASSERT_TRUE(stock.ensureTool("axe")) << "no axe: a sharp rock and a carved handle are needed";
    ASSERT_TRUE(stock.ensureTool("hammer"));
    ASSERT_TRUE(stock.ensureTool("knife"));
    int felled = stock.fellAllTrees();
    EXPECT_GE(felled, 10) << "the jungle needs trees to fell";

    RaftBill need{std::max(kWoodHeavyPath.wood, kLeafHeavyPath.wood), std::max(kWoodHeavyPath.rope, kLeafHeavyPath.rope),
                  std::max(kWoodHeavyPath.cloth, kLeafHeavyPath.cloth),
                  std::max(kWoodHeavyPath.leaves, kLeafHeavyPath.leaves)};
    EXPECT_TRUE(stock.take("wood", need.wood)) << "wood left: " << stock.count("wood");
    EXPECT_TRUE(stock.take("rope", need.rope)) << "rope left: " << stock.count("rope");
    EXPECT_TRUE(stock.take("cloth", need.cloth)) << "cloth left: " << stock.count("cloth");
    EXPECT_TRUE(stock.take("large leaf", need.leaves)) << "leaves left: " << stock.count("large leaf");
    EXPECT_TRUE(stock.ensureTool("axe") && stock.ensureTool("hammer") && stock.ensureTool("knife"));
}

TEST_F(WorldEndingsTest, TheLabOpensThroughTheDoorWithShovelAndCrowbar) {
    std::set<const Room*> reached = reachableRooms(roomAt(kWhereYouWoke));
    ASSERT_EQ(reached.count(roomAt(kFence)), 1u) << "the fence must be reachable";
    WorldStock stock;
    stock.gather(reached);
    ASSERT_TRUE(stock.ensureTool("shovel")) << "a shovel head and a handle are needed";

    connectRooms(*roomAt(kFence), *roomAt(kBehindTheFence), Northeast);
    reached = reachableRooms(roomAt(kWhereYouWoke));
    ASSERT_EQ(reached.count(roomAt(kTheDoor)), 1u) << "the door lies behind the fence";
    stock.gather(reached);
    ASSERT_TRUE(stock.ensureTool("crowbar"));

    connectRooms(*roomAt(kTheDoor), *roomAt(kLaboratory), East);
    EXPECT_EQ(reachableRooms(roomAt(kWhereYouWoke)).count(roomAt(kLaboratory)), 1u);
}

TEST_F(WorldEndingsTest, TheLabOpensThroughTheKeypadWithTheThreeShapes) {
    std::set<const Room*> reached = reachableRooms(roomAt(kWhereYouWoke));
    ASSERT_EQ(reached.count(roomAt(kKeypadWall)), 1u) << "the keypad wall must be reachable";
    WorldStock stock;
    stock.gather(reached);
    if (stock.ensureTool("shovel")) {
        connectRooms(*roomAt(kFence), *roomAt(kBehindTheFence), Northeast);
        stock.gather(reachableRooms(roomAt(kWhereYouWoke)));
    }
    for (const char* shape : {"pyramid", "cube", "sphere"}) EXPECT_TRUE(stock.take(shape, 1)) << shape;

    connectRooms(*roomAt(kKeypadWall), *roomAt(kLaboratory), North);
    EXPECT_EQ(reachableRooms(roomAt(kWhereYouWoke)).count(roomAt(kLaboratory)), 1u);
}

TEST_F(WorldEndingsTest, TheShapesAndCrowbarAreNotLyingNearTheStart) {
    // They reward exploring: none lies on the beach where the player wakes.
    for (const char* name : {"pyramid", "cube", "sphere", "crowbar", "handcuffs"}) {
        const ItemDef* item = findItemByName(name);
        ASSERT_NE(item, nullptr) << name;
        for (const Room& r : game.rooms) {
            if (countInList(r.items, item) == 0) continue;
            EXPECT_NE(r.area, 0) << name << " lies on the south beach";
        }
    }
    // The map, on the other hand, is found early.
    bool mapNearStart = false;
    for (const Room* r : reachableRooms(roomAt(kWhereYouWoke))) {
        if (r->area == 0 && countInList(r->items, findItemByName("map")) > 0) mapNearStart = true;
    }
    EXPECT_TRUE(mapNearStart);
}
