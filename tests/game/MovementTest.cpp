#include "TestSupport.h"

#include "game/Commands.h"
#include "game/Movement.h"
#include "game/Things.h"
#include "islanders/Islanders.h"

class MovementTest : public GameTest {
protected:
    Room* beach = nullptr;
    Room* cove = nullptr;

    void SetUp() override {
        GameTest::SetUp();
        beach = &makeRoom(0, 8, "Beach", "Warm sand.");
        cove = &makeRoom(0, 3, "Cove", "A quiet cove.");
        connectRooms(*beach, *cove, North);
        game.tick = 100;
        game.verboseRooms = false;
        setThings({});
    }
    void TearDown() override {
        game.verboseRooms = false;
        setThings({});
        GameTest::TearDown();
    }
    void addPerson(int index, const char* name, Room& room) {
        Npc& npc = game.islanders[static_cast<std::size_t>(index)];
        npc.name = name;
        npc.gender = 1;
        npc.currentRoom = &room;
        addToList(room.occupants, &npc);
    }
};

TEST_F(MovementTest, ExitsLineForNoneOneAndSeveralExits) {
    Room& lonely = makeRoom(4, 4);
    game.player.currentRoom = &lonely;
    printExits();
    EXPECT_EQ(output(), "/yValid exits are:/Y.\n\n");

    game.player.currentRoom = cove;
    printExits();
    EXPECT_EQ(output(), "/yValid exits are:/Y south.\n\n");

    Room& west = makeRoom(0, 7);
    connectRooms(*beach, west, West);
    game.player.currentRoom = beach;
    printExits();
    EXPECT_EQ(output(), "/yValid exits are:/Y north, west.\n\n");

    Room& hub = makeRoom(5, 12);
    for (int d = kDirectionCount - 1; d >= 0; --d) hub.exits[static_cast<std::size_t>(d)] = beach;
    game.player.currentRoom = &hub;
    printExits();
    EXPECT_EQ(output(),
              "/yValid exits are:/Y north, northeast, east, southeast, south, southwest, west, northwest.\n\n");
}

TEST_F(MovementTest, MoveShowsTheRoomAndArmsTheReaction) {
    moveCommand(North);
    EXPECT_EQ(game.player.currentRoom, cove);
    EXPECT_EQ(output(), "/GA quiet cove.\n/yValid exits are:/Y south.\n\n");
    EXPECT_EQ(game.event.dueTick, 102);
    EXPECT_EQ(game.event.callback, &islanderReacts);
}

TEST_F(MovementTest, NoExitLeavesEverythingAsItWas) {
    moveCommand(East);
    EXPECT_EQ(output(), "/RYou cannot travel in that direction.\n");
    EXPECT_EQ(game.player.currentRoom, beach);
    EXPECT_EQ(game.event.dueTick, -1);
}

TEST_F(MovementTest, RoomWithoutDescriptionStillShowsExits) {
    cove->description.clear();
    moveCommand(North);
    EXPECT_EQ(output(), "/G\n/yValid exits are:/Y south.\n\n");
}

TEST_F(MovementTest, SecondMoveReplacesTheFirstReaction) {
    moveCommand(North);
    ++game.tick;
    moveCommand(South);
    EXPECT_EQ(game.event.dueTick, 103);
}

TEST_F(MovementTest, FenceOnDayFifteenBringsTheRemembrance) {
    Room& fence = makeRoom(11, 0, "Fence", "A tall fence.");
    connectRooms(*beach, fence, East);
    game.day = 15;
    moveCommand(East);
    EXPECT_EQ(output(), "You remember how you escaped dialog! Whoo!\n/GA tall fence.\n/yValid exits are:/Y west.\n\n");
    EXPECT_EQ(game.event.dueTick, -1);

    game.day = 14;
    moveCommand(West);
    moveCommand(East);
    EXPECT_EQ(output().find("remember"), std::string::npos);
    EXPECT_EQ(game.event.dueTick, 102);
}

TEST_F(MovementTest, EnteringTheLaboratoryHandsOverToTheEnding) {
    Room& lab = makeRoom(12, 0, "Lab", "Screens everywhere.");
    connectRooms(*beach, lab, Northeast);
    moveCommand(Northeast);
    EXPECT_EQ(game.player.currentRoom, &lab);
    EXPECT_EQ(output().find("Screens everywhere."), std::string::npos);
    EXPECT_EQ(game.event.dueTick, -1);
}

TEST_F(MovementTest, LookShowsItemsPeopleAndExits) {
    ItemDef& rock = makeItem(4, "rock");
    ItemDef& stick = makeItem(5, "stick");
    for (int i = 0; i < 3; ++i) addToList(beach->items, &rock);
    addToList(beach->items, &stick);
    addPerson(2, "Ann", *beach);
    addPerson(5, "Bob", *beach);
    lookCommand(nullptr);
    EXPECT_EQ(output(),
              "/GWarm sand.\n/cYou see the following items: /C3 rocks, stick.\n"
              "/wYou see the following people here: /WAnn, /WBob.\n/yValid exits are:/Y north.\n\n");
}

TEST_F(MovementTest, LookInAnEmptyRoomAndWithABlankArgument) {
    dispatchCommand("look ");
    EXPECT_EQ(output(), "/GWarm sand.\nYou see no items here.\n/yValid exits are:/Y north.\n\n");
    dispatchCommand("L");
    EXPECT_EQ(output(), "/GWarm sand.\nYou see no items here.\n/yValid exits are:/Y north.\n\n");
}

TEST_F(MovementTest, LookAtAnItemOnlyWhenItIsAtHand) {
    const char* blank = "You look blankly at your hands, as though looking for something that isn't there...\n";
    ItemDef& rock = makeItem(4, "rock", "A grey rock.");
    addToList(cove->items, &rock);
    lookCommand("rock");
    EXPECT_EQ(output(), blank);
    lookCommand("unicorn");
    EXPECT_EQ(output(), blank);
    addToList(game.player.inventory, &rock);
    dispatchCommand("look ROCK");
    EXPECT_EQ(output(), "A grey rock.\n");
}

TEST_F(MovementTest, NinePeopleListedInSlotOrder) {
    const char* names[] = {"Dog", "Ann", "Bob", "Cat", "Dan", "Eve", "Fay", "Gus", "Hal"};
    for (int i = kIslanderCount - 1; i >= 0; --i) addPerson(i, names[i], *beach);
    listPeopleHere();
    EXPECT_EQ(output(),
              "/wYou see the following people here: /WHal, /WGus, /WFay, /WEve, /WDan, /WCat, /WBob, /WAnn, /WDog.\n");
    game.player.currentRoom = cove;
    listPeopleHere();
    EXPECT_EQ(output(), "");
}

TEST_F(MovementTest, ShowRoomGivesDescriptionAndExitsOnly) {
    addToList(beach->items, &makeItem(4, "rock"));
    showRoom();
    EXPECT_EQ(output(), "/GWarm sand.\n/yValid exits are:/Y north.\n\n");
}


TEST_F(MovementTest, LookAtAThingOfTheStoryOrAnyOtherWordOfTheRoom) {
    const char* blank = "You look blankly at your hands, as though looking for something that isn't there...\n";
    beach->description = "Warm sand. A crab waves its claw at you.";
    cove->description = "A quiet cove full of crabs.";
    setThings({Thing{0, 8, {"crab", "claw"}, "A red crab, bigger than your hand."}});
    for (const char* line : {"look crab", "look CLAW", "look at the crab", "l crab "}) {
        dispatchCommand(line);
        EXPECT_EQ(output(), "/wA red crab, bigger than your hand.\n") << line;
    }
    dispatchCommand("look sand");
    EXPECT_EQ(output(), "You see nothing more of the sand than you have already seen here.\n");
    dispatchCommand("look san");  // only whole words of the description
    EXPECT_EQ(output(), blank);
    dispatchCommand("look unicorn");
    EXPECT_EQ(output(), blank);
    // The thing stays where it stands: in the cove "crab" is only a word of the room.
    moveCommand(North);
    output();
    dispatchCommand("look crab");
    EXPECT_EQ(output(), "You see nothing more of the crab than you have already seen here.\n");
}

TEST_F(MovementTest, LookFindsAnItemByTheEndOfItsNameAndTheRaftTellsItsStage) {
    ItemDef& raft = makeItem(32, "Junky Raft", "A raft which looks in no way ready for the high seas.");
    addToList(beach->items, &raft);
    game.raftState = 3;
    dispatchCommand("look raft");
    EXPECT_EQ(output(), "A raft which looks in no way ready for the high seas.\n"
                        "/yIt is a Junky Raft. To become a Lousy Raft it needs work with a knife 2 more times, then "
                        "twice with a hammer and a last go with any of the three.\n");
    raft.name = "Lousy Raft";
    game.raftState = 12;
    dispatchCommand("look raft");
    EXPECT_NE(output().find("It is a Lousy Raft. To become a Common Raft it needs one more large leaf, then a last load"),
              std::string::npos);
    raft.name = "Yacht";
    dispatchCommand("look yacht");
    EXPECT_NE(output().find("It is a Yacht"), std::string::npos);

    ItemDef& leaf = makeItem(6, "large leaf", "A broad leaf.");
    ItemDef& dry = makeItem(7, "dry leaf", "A dry leaf.");
    addToList(game.player.inventory, &leaf);
    dispatchCommand("look leaf");
    EXPECT_EQ(output(), "A broad leaf.\n");
    addToList(beach->items, &dry);
    dispatchCommand("look leaf");
    EXPECT_EQ(output(), "Which do you mean: the large leaf or the dry leaf?\n");
}

TEST_F(MovementTest, VerboseListsWhatLiesAndWhoIsHereOnEntering) {
    addToList(cove->items, &makeItem(4, "rock"));
    addPerson(2, "Ann", *cove);
    moveCommand(North);
    EXPECT_EQ(output(), "/GA quiet cove.\n/yValid exits are:/Y south.\n\n");  // brief by default
    dispatchCommand("verbose");
    output();
    moveCommand(South);
    EXPECT_EQ(output(), "/GWarm sand.\n/yValid exits are:/Y north.\n\n");  // nothing here to list
    moveCommand(North);
    EXPECT_EQ(output(), "/GA quiet cove.\n/cYou see the following items: /Crock.\n"
                        "/wYou see the following people here: /WAnn.\n/yValid exits are:/Y south.\n\n");
    EXPECT_TRUE(game.verboseRooms);
    dispatchCommand("brief");
    output();
    moveCommand(South);
    moveCommand(North);
    EXPECT_EQ(output(), "/GWarm sand.\n/yValid exits are:/Y north.\n\n/GA quiet cove.\n/yValid exits are:/Y south.\n\n");
}

// Whoever sits handcuffed says so, to a look and in the room's list.
TEST_F(MovementTest, LookAtAnIslanderTellsWhetherTheyAreHandcuffed) {
    addPerson(2, "Ann", *beach);
    addPerson(5, "Bob", *beach);
    game.islanders[2].personalityFile = "Data\\Paranoid.txt";
    game.handcuffedIslander = &game.islanders[2];
    dispatchCommand("look at ANN");
    EXPECT_EQ(output(),
              "/wAnn is handcuffed to a tree here, and whispers that at least nobody can creep up from behind now.\n");
    dispatchCommand("look bob");
    EXPECT_EQ(output(), "/wBob is here, watching you as warily as you watch them.\n");
    listPeopleHere();
    EXPECT_EQ(output(), "/wYou see the following people here: /WAnn/w (handcuffed to a tree), /WBob.\n");
}
