#include "items/ItemWorld.h"

class CombineTest : public ItemTest {
protected:
    void SetUp() override {
        ItemTest::SetUp();
        // A sharp rock goes onto a handle: the recipe lives on the handle only.
        item("handle").recipes[1] = {&item("sharp rock"), &item("axe"), "/YYou lash the sharp rock to the handle."};
    }
};

TEST_F(CombineTest, TheRecipeBelongsToTheSecondItem) {
    give("handle");
    give("sharp rock");
    combineItems("handle", "sharp rock");
    EXPECT_EQ(output(), "/RYou can't combine those two items.\n");
    EXPECT_EQ(game.player.inventory.count, 2u);

    combineItems("Sharp Rock", "HANDLE");
    EXPECT_EQ(output(), "/YYou lash the sharp rock to the handle.\n");
    EXPECT_EQ(game.player.inventory.count, 1u);
    EXPECT_EQ(held("axe"), 1);
}

TEST_F(CombineTest, BothItemsMustExistAndBeHeld) {
    give("handle");
    combineItems("sharp rock", "handle");
    EXPECT_EQ(output(), "/RYou do not have those items.\n");
    combineItems("unicorn", "handle");
    EXPECT_EQ(output(), "/RYou do not have those items.\n");
    combineItems("", "");
    EXPECT_EQ(output(), "/RYou do not have those items.\n");
    EXPECT_EQ(held("handle"), 1);
}

TEST_F(CombineTest, TheResultIsTheNewestEntry) {
    give("sharp rock");
    give("coconut");
    give("handle");
    give("banana");
    combineItems("sharp rock", "handle");
    ASSERT_EQ(game.player.inventory.count, 3u);
    EXPECT_EQ(game.player.inventory.at(0), &item("coconut"));
    EXPECT_EQ(game.player.inventory.at(1), &item("banana"));
    EXPECT_EQ(game.player.inventory.at(2), &item("axe"));
}

TEST_F(CombineTest, AFullInventoryStillCombines) {
    give("sharp rock");
    give("handle");
    give("coconut", 18);
    ASSERT_TRUE(game.player.inventory.full());
    combineItems("sharp rock", "handle");
    EXPECT_EQ(output(), "/YYou lash the sharp rock to the handle.\n");
    EXPECT_EQ(game.player.inventory.count, 19u);
    EXPECT_EQ(game.player.inventory.at(18), &item("axe"));
    EXPECT_EQ(held("sharp rock") + held("handle"), 0);
}

TEST_F(CombineTest, OnlyTheFirstMatchingSlotCounts) {
    item("handle").recipes[3] = {&item("sharp rock"), &item("shovel"), "never"};
    give("sharp rock");
    give("handle");
    combineItems("sharp rock", "handle");
    EXPECT_EQ(held("axe"), 1);
    EXPECT_EQ(held("shovel"), 0);
}

TEST_F(CombineTest, AnItemWithItselfNeedsOnlyOneUnit) {
    item("cloth").recipes[0] = {&item("cloth"), &item("rope"), "/YYou twist the cloth into rope."};
    give("cloth");
    combineItems("cloth", "cloth");
    EXPECT_EQ(held("rope"), 1);
    EXPECT_EQ(held("cloth"), 0);
}

TEST_F(CombineTest, RockWithRockSharpens) {
    combineItems("rock", "Rock");
    EXPECT_EQ(output(), "/RInvalid use of the rock.\n/WSyntax is:/G USE ROCK ON /B<item>\n");
    give("rock");
    combineItems("rock", "rock");
    EXPECT_EQ(output(), "/CYou begin sharpening the rock...\n");
    EXPECT_EQ(game.work.remaining, 4);
    EXPECT_NE(isBusy(), nullptr);
}
