#include "TestSupport.h"

#include <string>

#include "game/Commands.h"
#include "game/Inventory.h"

namespace {
std::string handledText;
int handlerCalls = 0;
void recordUse(std::string_view text) {
    handledText = std::string(text);
    ++handlerCalls;
}
std::string ringText;
void recordRing(std::string_view text) { ringText = "ring:" + std::string(text); }
const char* kCombineSyntax =
    "/RInvalid use of command \"combine.\"\n/GCorrect syntax is \"combine <item1> with <item2>\"\n";
}  // namespace

class InventoryTest : public GameTest {
protected:
    ItemDef* rock = nullptr;
    ItemDef* stick = nullptr;
    ItemDef* wood = nullptr;
    Room* here = nullptr;
    PtrList<ItemDef>& inventory = game.player.inventory;

    void SetUp() override {
        GameTest::SetUp();
        here = &makeRoom(0, 8, "Beach", "Warm sand.");
        rock = &makeItem(4, "rock", "A grey rock.");
        stick = &makeItem(5, "stick", "A stick.");
        wood = &makeItem(6, "Wood", "Some wood.");
        handledText.clear();
        handlerCalls = 0;
    }
    void put(PtrList<ItemDef>& list, ItemDef* item, int n) {
        for (int i = 0; i < n; ++i) ASSERT_GE(addToList(list, item), 0);
    }
    int held(ItemDef* item) { return static_cast<int>(countInList(inventory, item)); }
    int lying(ItemDef* item) { return static_cast<int>(countInList(here->items, item)); }
};

TEST_F(InventoryTest, InventoryListsCountsInFirstSeenOrder) {
    inventoryCommand();
    EXPECT_EQ(output(), "You have no items in your inventory.\n");
    put(inventory, rock, 2);
    put(inventory, stick, 1);
    put(inventory, wood, 2);
    put(inventory, rock, 1);
    dispatchCommand("i");
    EXPECT_EQ(output(), "/cYou have the following items: /C3 rocks, stick, 2 Wood.\n");
}

TEST_F(InventoryTest, SimilarNamesAreListedApart) {
    put(inventory, &makeItem(10, "rope ladder"), 1);
    put(inventory, &makeItem(11, "rope"), 2);
    dispatchCommand("inventory");
    EXPECT_EQ(output(), "/cYou have the following items: /Crope ladder, 2 ropes.\n");
}

TEST_F(InventoryTest, PluralTakesEverythingThere) {
    put(here->items, rock, 3);
    dispatchCommand("get rocks");
    EXPECT_EQ(output(), "You pick up 3 rock, A grey rock.\n");
    EXPECT_EQ(held(rock), 3);
    EXPECT_EQ(lying(rock), 0);
}

TEST_F(InventoryTest, AllBeforeOrAfterTheNameTakesEveryUnit) {
    put(here->items, wood, 3);
    dispatchCommand("get Wood all");
    EXPECT_EQ(held(wood), 3);
    dispatchCommand("drop all wood");
    EXPECT_EQ(lying(wood), 3);
    dispatchCommand("get ALL Wood");
    EXPECT_EQ(held(wood), 3);
    output();
    dispatchCommand("get all");  // "all" alone names no item
    EXPECT_EQ(output(), "That item is not in the room.\n");
}

TEST_F(InventoryTest, CountsInDecimalOctalAndHex) {
    put(here->items, rock, 20);
    struct Case {
        const char* line;
        int taken;
    } cases[] = {
        {"get 2 rocks", 2}, {"get 3rocks", 3}, {"get 010 rock", 8}, {"get 0x3 rock", 3},
        {"get 1 rock", 1},  {"get 2rock", 2},
    };
    int total = 0;
    for (const Case& c : cases) {
        dispatchCommand(c.line);
        total += c.taken;
        EXPECT_EQ(held(rock), total) << c.line;
        EXPECT_EQ(output(), "You pick up " + std::to_string(c.taken) + " rock, A grey rock.\n") << c.line;
    }
}

TEST_F(InventoryTest, OneWithAPluralMeansAsManyAsPossible) {
    put(here->items, rock, 20);
    dispatchCommand("get 1 rocks");
    EXPECT_EQ(held(rock), 20);
    EXPECT_EQ(output(), "You pick up 20 rock, A grey rock.\n");
}

TEST_F(InventoryTest, ZeroMovesNothing) {
    put(here->items, rock, 2);
    dispatchCommand("get 0 rock");
    EXPECT_EQ(output(), "You cannot hold any more items.\n");
    EXPECT_EQ(lying(rock), 2);
}

TEST_F(InventoryTest, HandcuffsAndGlassesKeepTheirS) {
    ItemDef& handcuffs = makeItem(12, "handcuffs", "Steel cuffs.");
    ItemDef& glasses = makeItem(13, "glasses", "Cracked glasses.");
    put(here->items, &handcuffs, 3);
    put(here->items, &glasses, 2);
    dispatchCommand("get glasses");
    EXPECT_EQ(output(), "You pick up 1 glasses, Cracked glasses.\n");
    dispatchCommand("get 2 handcuffs");
    EXPECT_EQ(output(), "You pick up 2 handcuffs, Steel cuffs.\n");
    EXPECT_EQ(static_cast<int>(countInList(inventory, &handcuffs)), 2);
}

TEST_F(InventoryTest, NameEndingInSThatIsNoPlural) {
    ItemDef& corpse = makeItem(14, "Corpse of Chris", "Cold.", 0);
    put(here->items, &corpse, 1);
    dispatchCommand("get corpse of chris");
    EXPECT_EQ(output(), "/RYou cannot pick up this item.\n");
}

TEST_F(InventoryTest, ThePluralAListShowsIsTakenAsTyped) {
    ItemDef& scrap = makeItem(15, "scrap of metal", "Rusty.", 1);
    ItemDef& leaf = makeItem(16, "large leaf", "Green.", 1);
    put(here->items, &scrap, 3);
    put(here->items, &leaf, 2);
    dispatchCommand("get scraps of metal");
    EXPECT_EQ(output(), "You pick up 3 scrap of metal, Rusty.\n");
    dispatchCommand("get 1 large leaves");
    EXPECT_EQ(output(), "You pick up 2 large leaf, Green.\n");
    dispatchCommand("drop 2 scraps of metal");
    EXPECT_EQ(output(), "You drop 2 scrap of metal.\n");
    EXPECT_EQ(lying(&scrap), 2);
}

TEST_F(InventoryTest, GetRefusals) {
    put(inventory, rock, 1);
    dispatchCommand("get rock");
    EXPECT_EQ(output(), "That item is not in the room.\n");
    dispatchCommand("get unicorn");
    EXPECT_EQ(output(), "That item is not in the room.\n");
    ItemDef& boulder = makeItem(15, "boulder", "Huge.", 0);
    put(here->items, &boulder, 1);
    dispatchCommand("get boulder");
    EXPECT_EQ(output(), "/RYou cannot pick up this item.\n");
    EXPECT_EQ(lying(&boulder), 1);
}

TEST_F(InventoryTest, PartialPickupIntoANearlyFullInventory) {
    put(inventory, stick, 18);
    put(here->items, rock, 3);
    dispatchCommand("get rocks");
    EXPECT_EQ(output(), "You pick up 2 rock, A grey rock.\nYour hands are full: the rest stays here.\n");
    EXPECT_EQ(lying(rock), 1);
    dispatchCommand("get rock");
    EXPECT_EQ(output(), "You cannot hold any more items.\n");
    EXPECT_EQ(lying(rock), 1);
}

TEST_F(InventoryTest, DropMovesUnitsToTheFloor) {
    put(inventory, rock, 4);
    dispatchCommand("drop 3 rocks");
    EXPECT_EQ(output(), "You drop 3 rock.\n");
    EXPECT_EQ(held(rock), 1);
    EXPECT_EQ(lying(rock), 3);
    put(inventory, wood, 2);
    dispatchCommand("drop wood");
    EXPECT_EQ(output(), "You drop 1 Wood.\n");
}

TEST_F(InventoryTest, DropIntoANearlyFullRoom) {
    put(here->items, stick, 19);
    put(inventory, rock, 3);
    dispatchCommand("drop rocks");
    EXPECT_EQ(output(), "You drop 1 rock.\n");
    dispatchCommand("drop rocks");
    EXPECT_EQ(output(), "This room is so full of things you cannot find a place to drop rock.\n");
    EXPECT_EQ(held(rock), 2);
}

TEST_F(InventoryTest, DroppingWhatIsNotHeld) {
    put(here->items, rock, 1);
    dispatchCommand("drop rocks");
    EXPECT_EQ(output(), "You are holding no rock.\n");
    dispatchCommand("drop Magic Beans");
    EXPECT_EQ(output(), "You are holding no magic bean.\n");
}

TEST_F(InventoryTest, MissingAndEmptyArguments) {
    dispatchCommand("get");
    EXPECT_EQ(output(), "You pick up a bunch of nothing.\n");
    dispatchCommand("drop");
    EXPECT_EQ(output(), "You pretend to drop an imaginary item.\n");
    dispatchCommand("use");
    EXPECT_EQ(output(), "You use \"nothing\" to the best of your ability - go you!\n(Hooray, fellatio)\n");
    dispatchCommand("combine");
    EXPECT_EQ(output(), kCombineSyntax);

    // Unused catalogue records have empty names; an empty argument must not find them.
    put(inventory, &game.items[40], 1);
    put(here->items, &game.items[40], 1);
    dispatchCommand("get ");
    EXPECT_EQ(output(), "That item is not in the room.\n");
    dispatchCommand("drop ");
    EXPECT_EQ(output(), "You are holding no .\n");
    dispatchCommand("use ");
    EXPECT_EQ(output(), "You do not have that item.\n");
    dispatchCommand("combine ");
    EXPECT_EQ(output(), kCombineSyntax);
}

TEST_F(InventoryTest, UseHandsTheRestToTheHandler) {
    ItemDef& rope = makeItem(16, "rope", "A rope.");
    ItemDef& map = makeItem(17, "map", "A map.");
    rope.useHandler = recordUse;
    map.useHandler = recordUse;
    put(inventory, &rope, 1);
    put(inventory, &map, 1);
    dispatchCommand("use rope on tree");
    EXPECT_EQ(handledText, " on tree");
    dispatchCommand("use map");
    EXPECT_EQ(handledText, "");
    dispatchCommand("use rope with the palm");
    EXPECT_EQ(handledText, " with the palm");
    EXPECT_EQ(handlerCalls, 3);
    EXPECT_EQ(output(), "");
}

TEST_F(InventoryTest, UseRefusals) {
    ItemDef& rod = makeItem(18, "fishing rod", "A rod.");
    rod.useHandler = recordUse;
    put(inventory, &rod, 1);
    put(inventory, stick, 1);
    put(here->items, rock, 1);
    dispatchCommand("use rock");
    EXPECT_EQ(output(), "You do not have that item.\n");
    dispatchCommand("use stick");
    EXPECT_EQ(output(), "You cannot use that item.\n");
}

TEST_F(InventoryTest, UseTakesTheLongestHeldNameTheLineStartsWith) {
    ItemDef& ring = makeItem(18, "life ring", "A ring.");
    ItemDef& leaf = makeItem(19, "large leaf", "A leaf.");
    ItemDef& life = makeItem(20, "life", "Just life.");
    ItemDef& hammer = makeItem(21, "hammer", "A hammer.");
    ring.useHandler = recordRing;
    for (ItemDef* item : {&leaf, &life, &hammer}) item->useHandler = recordUse;
    for (ItemDef* item : {&ring, &leaf, &life, &hammer}) put(inventory, item, 1);
    ringText.clear();

    dispatchCommand("use life ring on wall");  // "life" is held too, but "life ring" is longer
    EXPECT_EQ(ringText, "ring: on wall");
    dispatchCommand("use large leaf on coconut");
    EXPECT_EQ(handledText, " on coconut");
    dispatchCommand("use hammer on coconut");
    EXPECT_EQ(handledText, " on coconut");
    dispatchCommand("use life on wall");
    EXPECT_EQ(handledText, " on wall");
    dispatchCommand("use Life Ring");
    EXPECT_EQ(ringText, "ring:");
    // The typed end of a name finds the item held: "ring" is the life ring.
    dispatchCommand("use ring on wall");
    EXPECT_EQ(ringText, "ring: on wall");
    EXPECT_EQ(handlerCalls, 3);
    EXPECT_EQ(output(), "");

    // A name held only in part is not held.
    removeFromList(inventory, &leaf);
    put(here->items, &leaf, 1);
    dispatchCommand("use large leaf on coconut");
    EXPECT_EQ(output(), "You do not have that item.\n");
    EXPECT_EQ(handlerCalls, 3);
}

// "use coconut husk" while holding a coconut but no husk: the line names the
// husk, so nothing is used, least of all the coconut.
TEST_F(InventoryTest, UseOfAnItemNotHeldNeverTakesTheHeldItemWhoseNameBeginsIt) {
    ItemDef& coconut = makeItem(18, "coconut", "A coconut.");
    ItemDef& husk = makeItem(19, "coconut husk", "A husk.");
    coconut.useHandler = recordUse;
    husk.useHandler = recordUse;
    put(inventory, &coconut, 1);
    put(here->items, &husk, 1);

    dispatchCommand("use coconut husk");
    dispatchCommand("use coconut husk on rock");
    EXPECT_EQ(output(), "You do not have that item.\nYou do not have that item.\n");
    EXPECT_EQ(handlerCalls, 0);

    dispatchCommand("use coconut on rock");
    EXPECT_EQ(handledText, " on rock");
    put(inventory, &husk, 1);
    dispatchCommand("use coconut husk on rock");
    EXPECT_EQ(handledText, " on rock");
    EXPECT_EQ(handlerCalls, 2);
}

TEST_F(InventoryTest, NamesAsPlayersTypeThem) {
    ItemDef& leaf = makeItem(19, "large leaf", "A broad leaf.");
    ItemDef& ring = makeItem(20, "life ring", "A ring.");
    ItemDef& sharp = makeItem(21, "sharp rock", "A sharp rock.");
    put(here->items, &leaf, 2);
    put(inventory, &ring, 1);

    dispatchCommand("get leaf");
    EXPECT_EQ(held(&leaf), 1);
    dispatchCommand("drop ring");
    EXPECT_EQ(lying(&ring), 1);
    EXPECT_EQ(output(), "You pick up 1 large leaf, A broad leaf.\nYou drop 1 life ring.\n");
    dispatchCommand("get leafs");  // the plural takes all that lie here
    EXPECT_EQ(held(&leaf), 2);
    output();

    // Whole words only, and an exact name wins over a longer one ending in it.
    dispatchCommand("get ing");
    EXPECT_EQ(output(), "That item is not in the room.\n");
    put(here->items, rock, 1);
    put(here->items, &sharp, 1);
    dispatchCommand("get rock");
    EXPECT_EQ(held(rock), 1);
    EXPECT_EQ(lying(&sharp), 1);
    output();
}

TEST_F(InventoryTest, TwoItemsThatFitTheTypedNameAskWhichAndDoNothing) {
    ItemDef& large = makeItem(19, "large leaf", "A leaf.");
    ItemDef& dry = makeItem(20, "dry leaf", "A dry leaf.");
    put(here->items, &large, 1);
    put(inventory, &dry, 1);
    dispatchCommand("get leaf");
    EXPECT_EQ(output(), "Which do you mean: the large leaf or the dry leaf?\n");
    dispatchCommand("drop leaf");
    EXPECT_EQ(output(), "Which do you mean: the large leaf or the dry leaf?\n");
    EXPECT_EQ(held(&dry), 1);
    EXPECT_EQ(lying(&large), 1);
    // Only what is present counts: with the large leaf gone, the dry leaf is meant.
    removeFromList(here->items, &large);
    dispatchCommand("drop leaf");
    EXPECT_EQ(output(), "You drop 1 dry leaf.\n");
}

TEST_F(InventoryTest, CombineNeedsTwoNamesJoinedByWith) {
    for (const char* line : {"combine rock with", "combine rock with ", "combine rock stick", "combine with stick"}) {
        dispatchCommand(line);
        EXPECT_EQ(output(), kCombineSyntax) << line;
    }
    dispatchCommand("combine rock with stick");
    EXPECT_EQ(output().find("Invalid use"), std::string::npos);
}

TEST_F(InventoryTest, CombineFindsEachItemByTheEndOfItsName) {
    ItemDef& leaf = makeItem(19, "large leaf", "A leaf.");
    ItemDef& bundle = makeItem(20, "leaf bundle", "Leaves tied with a stick.");
    leaf.recipes[0] = CombineRecipe{stick, &bundle, "You tie the leaf to the stick."};
    put(inventory, &leaf, 1);
    put(inventory, stick, 1);
    dispatchCommand("combine stick with leaf");
    EXPECT_EQ(output(), "You tie the leaf to the stick.\n");
    EXPECT_EQ(held(&bundle), 1);
    EXPECT_EQ(held(&leaf) + held(stick), 0);
}

TEST(ItemCountTest, ParsesCountsAndPlurals) {
    struct Case {
        const char* argument;
        int count;
        const char* name;
    } cases[] = {
        {"rock", 1, "rock"},          {"rocks", 20, "rock"},        {"2 rocks", 2, "rock"},
        {"1 rocks", 20, "rock"},      {"3rocks", 3, "rock"},        {"010 rocks", 8, "rock"},
        {"0x1f  rock", 31, "rock"},   {"0 rock", 0, "rock"},        {"7", 7, "7"},
        {"5   ", 5, "5   "},          {"09 rocks", 0, "9 rock"},    {"99999999999 rock", 2147483647, "rock"},
        {"glasses", 1, "glasses"},    {"handcuffs", 1, "handcuffs"}, {"", 1, ""},
        {"s", 20, ""},
    };
    for (const Case& c : cases) {
        ItemCount parsed = parseItemCount(c.argument);
        EXPECT_EQ(parsed.count, c.count) << '"' << c.argument << '"';
        EXPECT_EQ(parsed.name, c.name) << '"' << c.argument << '"';
    }
}
