#include "game/Commands.h"
#include "game/Inventory.h"
#include "items/ItemWorld.h"

TEST(PluralsTest, CountedNamesReadAsEnglish) {
    const std::pair<const char*, const char*> cases[] = {
        {"rock", "rocks"},
        {"glasses", "glasses"},
        {"handcuffs", "handcuffs"},
        {"large leaf", "large leaves"},
        {"scrap of metal", "scraps of metal"},
        {"berry", "berries"},
        {"knife", "knives"},
        {"Wood", "Wood"},
        {"bat guano", "bat guano"},
        {"axe", "axes"},
        {"coconut husk", "coconut husks"},
        {"life ring", "life rings"},
        {"box", "boxes"},
        {"Junky Raft", "Junky Rafts"},
        {"Leaf", "Leaves"},
        {"Corpse of Chris", "Corpses of Chris"},
        {"", ""},
    };
    for (auto [name, plural] : cases) EXPECT_EQ(pluralName(name), plural) << name;
}

using ItemListTest = ItemTest;

TEST_F(ItemListTest, InventoryAndRoomListsUsePlurals) {
    give("glasses", 2);
    give("large leaf", 2);
    give("scrap of metal", 2);
    give("rope");
    give("Wood", 3);
    output();
    inventoryCommand();
    EXPECT_EQ(output(), "/cYou have the following items: /C2 glasses, 2 large leaves, 2 scraps of metal, rope, 3 Wood.\n");

    lay("knife", 2);
    lay("rock");
    formatItemList(here().items);
    EXPECT_EQ(output(), "/C2 knives, rock.\n");
    // The names the player types are unchanged.
    EXPECT_EQ(findItemByName("large leaf"), &item("large leaf"));
    EXPECT_EQ(item("scrap of metal").name, "scrap of metal");
}
