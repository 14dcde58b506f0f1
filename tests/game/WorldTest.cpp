#include "TestSupport.h"

using WorldTest = GameTest;

TEST_F(WorldTest, FullListRefusesAndNineteenthSlotIsReturned) {
    PtrList<ItemDef> list;
    initList(list, 20);
    ItemDef& rock = makeItem(0, "rock");
    for (int i = 0; i < 19; ++i) ASSERT_EQ(addToList(list, &rock), i);
    EXPECT_EQ(addToList(list, &rock), 19);
    EXPECT_EQ(addToList(list, &rock), -1);
    EXPECT_EQ(list.count, 20u);
    EXPECT_EQ(countInList(list, &rock), 20u);
}

TEST_F(WorldTest, RemovalEmptiesFirstMatchAndKeepsOrderPacked) {
    PtrList<ItemDef> list;
    initList(list, 5);
    ItemDef& rock = makeItem(0, "rock");
    ItemDef& stick = makeItem(1, "stick");
    addToList(list, &stick);
    addToList(list, &rock);
    addToList(list, &rock);
    addToList(list, &stick);
    addToList(list, &rock);
    EXPECT_EQ(removeFromList(list, &rock), 1);
    ASSERT_EQ(list.count, 4u);
    EXPECT_EQ(list.slots[0], &stick);
    EXPECT_EQ(list.slots[1], &rock);
    EXPECT_EQ(list.slots[2], &stick);
    EXPECT_EQ(list.slots[3], &rock);
    EXPECT_EQ(list.slots[4], nullptr);
    EXPECT_EQ(countInList(list, &rock), 2u);
    EXPECT_EQ(removeFromList(list, static_cast<ItemDef*>(nullptr)), -1);
    EXPECT_EQ(removeFromList(list, &makeItem(2, "leaf")), -1);
}

TEST_F(WorldTest, CompactMovesEntriesDownInOrder) {
    PtrList<ItemDef> list;
    initList(list, 6);
    ItemDef& a = makeItem(0, "a");
    ItemDef& b = makeItem(1, "b");
    list.slots[1] = &a;
    list.slots[4] = &b;
    list.count = 2;
    compactList(list);
    EXPECT_EQ(list.slots[0], &a);
    EXPECT_EQ(list.slots[1], &b);
    EXPECT_EQ(list.slots[4], nullptr);
}

TEST_F(WorldTest, TransferStopsWhenDestinationFills) {
    ItemDef& rock = makeItem(0, "rock");
    ItemDef& leaf = makeItem(1, "leaf");
    Room& here = *game.player.currentRoom;
    for (int i = 0; i < 3; ++i) addToList(here.items, &rock);
    for (int i = 0; i < 18; ++i) addToList(game.player.inventory, &leaf);
    EXPECT_EQ(transferItems(&rock, 20, here.items, game.player.inventory), 2);
    EXPECT_EQ(countInList(here.items, &rock), 1u);
    EXPECT_EQ(transferItems(&rock, 5, here.items, game.player.inventory), 0);
    EXPECT_EQ(transferItems(&leaf, 0, game.player.inventory, here.items), 0);
}

TEST_F(WorldTest, ItemLookupFoldsCaseOnWholeNames) {
    ItemDef& rock = makeItem(4, "rock");
    makeItem(5, "Wood");
    EXPECT_EQ(findItemByName("ROCK"), &rock);
    EXPECT_EQ(findItemByName("Rock"), &rock);
    EXPECT_EQ(findItemByName("rock"), &rock);
    EXPECT_EQ(findItemByName("rocks"), nullptr);
    EXPECT_EQ(findItemByName("wood"), &game.items[5]);
    EXPECT_EQ(findItemByName(std::string(40, 'x')), nullptr);
}

TEST_F(WorldTest, DescriptionOnlyWhenCarriedOrHere) {
    ItemDef& rock = makeItem(4, "rock", "A grey rock.");
    EXPECT_EQ(describeItemIfPresent("rock"), nullptr);
    addToList(roomAt(3, 3)->items, &rock);
    EXPECT_EQ(describeItemIfPresent("rock"), nullptr);
    addToList(game.player.currentRoom->items, &rock);
    EXPECT_STREQ(describeItemIfPresent("ROCK"), "A grey rock.");
    EXPECT_EQ(describeItemIfPresent("nothing"), nullptr);
}

TEST_F(WorldTest, ConnectRoomsSetsBothDirections) {
    Room& a = makeRoom(1, 1);
    Room& b = makeRoom(1, 2);
    connectRooms(a, b, North);
    EXPECT_EQ(a.exits[North], &b);
    EXPECT_EQ(b.exits[South], &a);
    connectRooms(a, b, Northeast);
    EXPECT_EQ(b.exits[Southwest], &a);
}

TEST_F(WorldTest, TextUtilities) {
    char text[] = "MiXeD 123 Case!";
    EXPECT_STREQ(toLowerInPlace(text), "mixed 123 case!");
    char empty[] = "";
    EXPECT_STREQ(toLowerInPlace(empty), "");
    std::string s = "get rock now";
    EXPECT_EQ(copyUntil(s, 3), "get");
    EXPECT_EQ(copyUntil(s, 0), "");
    std::string line = "Hi <A>, <A>!";
    EXPECT_TRUE(replaceFirst(line, "<A>", "Sam"));
    EXPECT_EQ(line, "Hi Sam, <A>!");
    EXPECT_FALSE(replaceFirst(line, "<B>", "x"));
    EXPECT_EQ(line, "Hi Sam, <A>!");
}

TEST(FixedTextTest, CutsAtCapacityNeverOverflows) {
    FixedText<5> t("abcdefgh");
    EXPECT_EQ(t.view(), "abcd");
    t = "ab";
    t.append("cdefg");
    EXPECT_EQ(t.view(), "abcd");
    EXPECT_EQ(t.size(), 4u);
    t.clear();
    EXPECT_TRUE(t.empty());
}
