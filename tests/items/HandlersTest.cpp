#include "items/ItemWorld.h"
#include "base/RandomTesting.h"
#include <algorithm>

using HandlersTest = ItemTest;

TEST_F(HandlersTest, EatingTakesOneUnitAndPrintsItsMessage) {
    struct Case {
        const char* name;
        UseHandler handler;
        const char* message;
    };
    const Case cases[] = {
        {"coconut", useCoconut, "/YMmm, tastes good!\n"},
        {"banana", useBanana, "/YYummy!\n"},
        {"dark insect", useDarkInsect, "/YUgh, it tastes horrible.\n"},
        {"bright insect", useBrightInsect, "/YWow, that tastes really good!\n"},
        {"berry", useBerry, "/YHmm, should berries taste like acid?\n"},
        {"bat guano", useBatGuano, "/YYou regrettably apply the stinky camouflage.\n"},
        {"dark flower", useDarkFlower, "GAK, that tastes horrible.\n"},
        {"bright flower", useBrightFlower, "/YYou die of poison...just kidding, you're fine.\n"},
    };
    for (const Case& c : cases) {
        give(c.name, 2);
        output();
        c.handler("");
        EXPECT_EQ(output(), c.message) << c.name;
        EXPECT_EQ(held(c.name), 1) << c.name;
    }
}

TEST_F(HandlersTest, WearingAndFiddlingChangeNothing) {
    give("torn shirt");
    give("bandana");
    give("glasses");
    give("broken radio");
    useTornShirt("");
    useBandana(" on head");
    useGlasses("");
    useBrokenRadio("");
    EXPECT_EQ(output(),
              "/YWow, you look stylish.\n/YYou look ready to get into a bar fight.\n/YWow, now you see worse!\n"
              "/YAll you get is static.\n");
    EXPECT_EQ(game.player.inventory.count, 4u);
}

TEST_F(HandlersTest, TheNoteReadsAsItsDescription) {
    item("note").description = "/WThe ink has run: '...8 subjects... Dr.'\n";
    give("note");
    useNote("");
    EXPECT_EQ(output(), "/WThe ink has run: '...8 subjects... Dr.'\n");
    item("note").description = "No line break";
    useNote("");
    EXPECT_EQ(output(), "No line break\n");
    EXPECT_EQ(held("note"), 1);
}

TEST_F(HandlersTest, AFlungShellLandsInTheRoomUnlessTheFloorIsFull) {
    give("shell", 2);
    useShell("");
    EXPECT_EQ(output(), "/YYou fling the shell like a deadly ninja star...of death!\n");
    EXPECT_EQ(held("shell"), 1);
    EXPECT_EQ(onFloor("shell"), 1);

    while (!here().items.full()) lay("coconut");
    useShell("");
    EXPECT_EQ(output(), "/YYou fling the shell like a deadly ninja star...of death!\n");
    EXPECT_EQ(held("shell"), 1);
    EXPECT_EQ(onFloor("shell"), 1);
}

TEST_F(HandlersTest, HandcuffsOnNobodySnapShutOnNothingAndAreUsedUp) {
    give("handcuffs");
    useHandcuffs(" on mary");
    EXPECT_EQ(output(), "/YNobody called mary is here. The handcuffs snap shut on nothing and will not open again.\n");
    EXPECT_EQ(held("handcuffs"), 0);
    EXPECT_EQ(game.handcuffedIslander, nullptr);

    give("handcuffs");
    useHandcuffs(" with big bob");
    EXPECT_EQ(output(), "/YNobody called big bob is here. The handcuffs snap shut on nothing and will not open again.\n");

    give("handcuffs");
    useHandcuffs("");
    EXPECT_EQ(output(), "/YThe handcuffs snap shut on nothing and will not open again.\n");
    EXPECT_EQ(held("handcuffs"), 0);
}

TEST_F(HandlersTest, HandcuffsHoldTheNamedIslanderInTheRoom) {
    Npc& mary = game.islanders[2];
    mary.name = "Mary";
    mary.gender = 2;
    mary.currentRoom = &here();
    ASSERT_GE(addToList(here().occupants, &mary), 0);
    give("handcuffs", 2);
    useHandcuffs(" on bob");
    EXPECT_EQ(game.handcuffedIslander, nullptr);
    useHandcuffs(" on mary");
    EXPECT_EQ(output(), "/YNobody called bob is here. The handcuffs snap shut on nothing and will not open again.\n"
                        "/YYou handcuffed mary to a nearby tree.\n");
    EXPECT_EQ(game.handcuffedIslander, &mary);
}

TEST_F(HandlersTest, TheHammerBreaksOnlyWhatItsFormNamesAndIsHeld) {
    const std::string invalid = "/RInvalid use of the hammer.\n/WSyntax is:/G USE HAMMER ON /B<item>.\n";
    useHammer("");
    EXPECT_EQ(output(), invalid);
    useHammer(" on coconut");
    EXPECT_EQ(output(), invalid);

    give("coconut", 2);
    give("broken radio");
    useHammer(" on coconut");
    EXPECT_EQ(output(), "/YYou break open the coconut, yummy.\n");
    EXPECT_EQ(held("coconut"), 1);
    useHammer(" on broken radio");
    EXPECT_EQ(output(), "/YYou destroyed the radio, good job!\n");
    EXPECT_EQ(held("broken radio"), 0);
    useHammer(" with coconut");
    EXPECT_EQ(output(), invalid);
}

TEST_F(HandlersTest, AToolAimedAtSomethingOnTheGroundSaysToPickItUpFirst) {
    give("hammer");
    give("blade");
    item("coconut").portable = 1;
    item("torn shirt").portable = 1;
    lay("coconut");
    lay("torn shirt");
    useHammer(" on coconut");
    EXPECT_EQ(output(), "You need the coconut in your hands first.\n");
    useBlade(" on torn shirt");
    EXPECT_EQ(output(), "You need the torn shirt in your hands first.\n");
    EXPECT_EQ(held("coconut"), 0);

    // What cannot be carried, or is not here at all, keeps the tool's own refusal.
    item("coconut").portable = 0;
    useHammer(" on coconut");
    EXPECT_EQ(output(), "/RInvalid use of the hammer.\n/WSyntax is:/G USE HAMMER ON /B<item>.\n");
    useBlade(" on rock");
    EXPECT_EQ(output(), "/RInvalid use of the Blade (or Knife).\n/WSyntax is:/G USE BLADE (or KNIFE) ON /B<item>\n");
}

TEST_F(HandlersTest, TheSlingOnlyHitsTreesAndSaysSoElsewhere) {
    const std::string empty = "/YYou whirl the empty sling around your head, but it has nothing to throw.\n";
    useSling(" on tree");
    EXPECT_EQ(output(), "/YYou hit the tree, but to no effect.\n");
    useSling(" on rock");
    EXPECT_EQ(output(), empty);
    useSling("");
    EXPECT_EQ(output(), empty);
}

TEST_F(HandlersTest, APebbleLoadsIntoAHeldSling) {
    give("pebble", 2);
    give("sling");
    usePebble(" with sling");
    EXPECT_EQ(output(), "/YYou load a pebble into your sling.\n");
    EXPECT_EQ(held("sling"), 0);
    EXPECT_EQ(held("pebble"), 1);
}

TEST_F(HandlersTest, APebbleWithoutASlingIsThrownSmashedOrJuggled) {
    give("pebble", 3);
    queueDraws({3, 4, 5, 2});  // 0 throw, 1 smash, 2 juggle, 2 juggle
    usePebble(" on sling");
    EXPECT_EQ(output(), "/YYou throw the pebble at the ground in disgust!\n");
    EXPECT_EQ(held("pebble"), 2);
    EXPECT_EQ(onFloor("pebble"), 1);

    usePebble("");
    EXPECT_EQ(output(), "/YYou smash the pebble into dust. /CPoof!\n");
    EXPECT_EQ(held("pebble"), 1);
    EXPECT_EQ(onFloor("pebble"), 1);

    usePebble("");
    EXPECT_EQ(output(), "/YYou juggle a single pebble... wow.\n");
    give("pebble");
    usePebble("");
    EXPECT_EQ(output(), "/YYou juggle your pebbles in a spectacular display.\n");
    EXPECT_EQ(held("pebble"), 2);
}

TEST_F(HandlersTest, AThrownPebbleStaysHeldWhenTheFloorIsFull) {
    give("pebble");
    while (!here().items.full()) lay("coconut");
    queueDraws({0});
    usePebble("");
    EXPECT_EQ(output(), "/YYou throw the pebble at the ground in disgust!\n");
    EXPECT_EQ(held("pebble"), 1);
}

TEST_F(HandlersTest, TheShovelDigsUnderTheFenceOnly) {
    give("shovel");
    useShovel("");
    EXPECT_EQ(output(), "/YYou swing the shovel around uselessly.\n");

    Room& fence = makeRoom(11, 0, "Fence");
    Room& behind = makeRoom(11, 5, "Behind");
    game.player.currentRoom = &fence;
    useShovel(" on ground");
    EXPECT_EQ(output(), "/YYou dig a hole under the fence large enough for you to safely crawl under. It comes out on the far side to the northeast.\n");
    EXPECT_EQ(fence.exits[Northeast], &behind);
    EXPECT_EQ(behind.exits[Southwest], &fence);
    EXPECT_EQ(held("shovel"), 1);
}

TEST_F(HandlersTest, TheCrowbarPriesTheDoorOnly) {
    give("crowbar");
    useCrowbar("");
    EXPECT_EQ(output(), "/YYou swing the crowbar about uselessly.\n");

    Room& door = makeRoom(11, 7, "Door");
    Room& lab = makeRoom(12, 0, "Lab");
    game.player.currentRoom = &door;
    useCrowbar("");
    EXPECT_EQ(output(), "/YYou use the crowbar to pry the door open.\n");
    EXPECT_EQ(door.exits[East], &lab);
    EXPECT_EQ(lab.exits[West], &door);
    EXPECT_EQ(held("crowbar"), 1);
}

TEST_F(HandlersTest, ShapesClickIntoTheWallAndTheLastRevealsTheKeypad) {
    const std::string keypad =
        "/YOff to the right you hear a female voice softly say 'Please enter lab code' as a small numeric keypad is revealed.\n";
    give("sphere");
    give("pyramid");
    give("cube");
    useSphere("");
    EXPECT_EQ(output(), "/YYou turn the sphere over in your hands, but there is nothing here for it to fit into.\n");
    EXPECT_EQ(held("sphere"), 1);
    EXPECT_EQ(game.spherePlaced, 0);

    game.player.currentRoom = &makeRoom(9, 7, "Wall");
    useSphere("");
    EXPECT_EQ(output(), "/YYou insert the sphere into a slot and you hear a click.\n");
    useCube("");
    EXPECT_EQ(output(), "/YYou insert the cube into a slot and you hear a click.\n");
    usePyramid("");
    EXPECT_EQ(output(), "/YYou insert the pyramid into a slot and you hear a click.\n" + keypad);
    EXPECT_EQ(game.pyramidPlaced + game.cubePlaced + game.spherePlaced, 3);
    EXPECT_EQ(game.player.inventory.count, 0u);

    // Once all are in place any shape anywhere repeats the keypad line.
    game.player.currentRoom = &makeRoom(0, 1, "Beach");
    give("cube");
    useCube("");
    EXPECT_EQ(output(), keypad);
    EXPECT_EQ(held("cube"), 1);
}

TEST_F(HandlersTest, TheKeypadAppearsOnTheLastShapeInEveryOrder) {
    UseHandler shapes[] = {usePyramid, useCube, useSphere};
    int order[] = {0, 1, 2};
    do {
        game.pyramidPlaced = game.cubePlaced = game.spherePlaced = 0;
        game.player.currentRoom = &makeRoom(9, 7, "Wall");
        shapes[order[0]]("");
        shapes[order[1]]("");
        EXPECT_EQ(output().find("keypad"), std::string::npos);
        shapes[order[2]]("");
        EXPECT_NE(output().find("numeric keypad is revealed"), std::string::npos);
    } while (std::next_permutation(order, order + 3));
}
