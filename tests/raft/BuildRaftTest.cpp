#include "game/Commands.h"
#include "raft/RaftWorld.h"

namespace {
const char* kWait = "/rYou must wait for construction to be complete.";
const char* kShores = "the southern beach where you woke, the western cove or the eastern shore";
const char* kUpgradedJunky =
    "A raft which looks a bit nicer than the previous raft but still is in no way ready for the high seas.";
const char* kUpgradedLousy =
    "A raft which looks a bit larger than the previous raft but still is in no way ready for the high seas.";
}  // namespace

using BuildRaftTest = RaftTest;

TEST_F(BuildRaftTest, StartingAsksAndBuildsAJunkyRaftOverTenTicks) {
    give("wood", 4);
    give("rope");
    screen.typeText("yes");
    game.tick = 61;
    buildRaft();
    EXPECT_EQ(output(),
              "/yYou have the necessary items to start construction of your raft.\n"
              "/cWould you like to start construction on your raft? (Yes or No)\n");
    EXPECT_EQ(game.raftState, 1);
    EXPECT_EQ(raft().name, "Junky Raft");
    EXPECT_EQ(raft().description, "A raft which looks in no way ready for the high seas.");
    EXPECT_EQ(onFloor("junky raft"), 1);
    EXPECT_EQ(held("wood"), 1);
    EXPECT_EQ(held("rope"), 0);
    EXPECT_STREQ(isBusy(), kWait);

    std::vector<std::string> printed = runTicks(10);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(printed[k], "/CConstructing raft...\n") << k;
    EXPECT_EQ(printed[9], "/yCongratulations, you have built a junky looking raft.\n");
    EXPECT_EQ(isBusy(), nullptr);
}

TEST_F(BuildRaftTest, TheQuestionTakesYesInAnyCaseAndSaysWhenNothingWasBuilt) {
    const std::string question =
        "/yYou have the necessary items to start construction of your raft.\n"
        "/cWould you like to start construction on your raft? (Yes or No)\n";
    for (const char* answer : {"no", "", "yep", "n"}) {
        give("wood", 3);
        give("rope");
        screen.typeText(answer);
        output();
        buildRaft();
        EXPECT_EQ(output(), question + "/yYou think better of it. Nothing was built.\n") << answer;
        EXPECT_EQ(game.raftState, 0) << answer;
        EXPECT_EQ(held("wood"), 3) << answer;
        EXPECT_EQ(held("rope"), 1) << answer;
        EXPECT_EQ(isBusy(), nullptr) << answer;
        EXPECT_EQ(raft().name, "Raft");
        while (takeFromInventory("wood")) {
        }
        takeFromInventory("rope");
    }
    for (const char* answer : {"Yes", "YES", "Y", "y"}) {
        SetUp();
        give("wood", 3);
        give("rope");
        screen.typeText(answer);
        output();
        buildRaft();
        EXPECT_EQ(output(), question) << answer;
        EXPECT_EQ(game.raftState, 1) << answer;
        EXPECT_EQ(onFloor("junky raft"), 1) << answer;
    }
}

TEST_F(BuildRaftTest, TheQuestionWaitsWithoutTheGameLockForThreeCharacters) {
    setInputLimit(3);
    const int shortLimit = inputLimit();
    setInputLimit(75);
    const int fullLimit = inputLimit();
    LockProbeConsole probe;
    setConsole(&probe);
    setUpConsole();
    probe.typeText("yes");
    give("wood", 3);
    give("rope");
    {
        std::lock_guard lock(gameLock());
        buildRaft();
        EXPECT_TRUE(gameLock().heldByThisThread());
    }
    EXPECT_GT(probe.reads, 0);
    EXPECT_FALSE(probe.askedUnderLock);
    EXPECT_EQ(probe.limitWhileAsked, shortLimit);
    EXPECT_EQ(inputLimit(), fullLimit);
    EXPECT_EQ(game.raftState, 1);
    setConsole(&screen);
}

TEST_F(BuildRaftTest, OnlySailingShoresAllowAStart) {
    give("wood", 3);
    give("rope");
    for (int area : {2, 4, 5, 7, 9, 12}) {
        game.player.currentRoom = &makeRoom(area, 3);
        screen.typeText("yes");
        buildRaft();
        EXPECT_EQ(output(), std::string("/rYou need to be in an area where you can sail your ship: ") + kShores + ".\n")
            << area;
        EXPECT_EQ(game.raftState, 0);
        EXPECT_EQ(held("wood"), 3);
    }
    for (int area : {0, 1, 3}) {
        SetUp();
        game.player.currentRoom = &makeRoom(area, 3);
        give("wood", 3);
        give("rope");
        screen.typeText("y");
        buildRaft();
        EXPECT_EQ(game.raftState, 1) << area;
    }
}

TEST_F(BuildRaftTest, MaterialsOnTheFloorCountButAreNotConsumed) {
    lay("rope");
    lay("wood", 3);
    give("wood", 2);
    buildRaft();  // only held wood counts
    EXPECT_EQ(output(), std::string("To start a raft you need three pieces of Wood in your hands and a rope, on ") +
                            kShores + ". You still need 1 more piece of Wood in your hands.\n");
    give("wood");
    screen.typeText("yes");
    buildRaft();
    EXPECT_EQ(game.raftState, 1);
    EXPECT_EQ(onFloor("rope"), 1);
    EXPECT_EQ(onFloor("wood"), 3);
    EXPECT_EQ(held("wood"), 0);
}

TEST_F(BuildRaftTest, TheWholePathToAYachtOneCommandAtATime) {
    give("axe");
    give("knife");
    give("hammer");
    give("wood", 3);
    give("rope");
    screen.typeText("yes");
    struct Expect {
        int state;
        const char* name;
        const char* description;
        int ticks;
        const char* progress;
    };
    auto check = [&](const Expect& e, const char* step) {
        EXPECT_EQ(game.raftState, e.state) << step;
        EXPECT_EQ(raft().name, e.name) << step;
        EXPECT_EQ(raft().description, e.description) << step;
        EXPECT_EQ(game.busyUntil - game.tick, e.ticks) << step;
        EXPECT_EQ(game.work.remaining, e.ticks) << step;
        EXPECT_EQ(game.work.interval, 1) << step;
        EXPECT_EQ(game.work.progressText, e.progress) << step;
        EXPECT_EQ(countInList(here().items, &raft()), 1u) << step;
        finishWork();
    };
    auto boat = [&] {
        output();
        dispatchCommand("boat");
    };

    boat();
    check({1, "Junky Raft", "A raft which looks in no way ready for the high seas.", 10, "/CConstructing raft..."},
          "start");
    boat();
    check({2, "Junky Raft", kUpgradedJunky, 3, "/CYou use your axe to improve upon the raft."}, "axe 1");
    boat();
    check({3, "Junky Raft", kUpgradedJunky, 3, "/CYou use your axe to improve upon the raft."}, "axe 2");
    boat();
    check({4, "Junky Raft", kUpgradedJunky, 3, "/CYou use your knife to improve upon the raft."}, "knife 1");
    boat();
    check({5, "Junky Raft", kUpgradedJunky, 3, "/CYou use your knife to improve upon the raft."}, "knife 2");
    boat();
    check({6, "Junky Raft", kUpgradedJunky, 3, "/CYou use your hammer to improve upon the raft."}, "hammer 1");
    boat();
    check({7, "Junky Raft", kUpgradedJunky, 3, "/CYou use your hammer to improve upon the raft."}, "hammer 2");
    boat();
    check({7, "Lousy Raft",
           "A raft which looks a bit nicer than the junky raft but still looks too weak for the high seas.", 15,
           "/CYou work hard on refining your boat."},
          "lousy");

    for (int state = 8; state <= 10; ++state) {
        give("wood", 6);
        boat();
        check({state, "Lousy Raft", kUpgradedLousy, 5, "/CYou add more wood to your boat to make it larger."},
              "wood");
        EXPECT_EQ(held("wood"), 0);
    }
    give("large leaf", 3);
    for (int state = 11; state <= 13; ++state) {
        boat();
        check({state, "Lousy Raft", kUpgradedLousy, 5,
               "/CYou add large leaves to your boat to create a makeshift sail."},
              "leaf");
    }
    EXPECT_EQ(held("large leaf"), 0);
    give("wood", 6);
    boat();
    check({13, "Common Raft",
           "A raft which looks bigger than the lousy raft but still looks as if it may break in waves of the high seas.",
           20, "/CYou work hard on refining your boat."},
          "common");
    EXPECT_EQ(held("wood"), 0);

    for (int state = 14; state <= 15; ++state) {
        give("cloth");
        give("rope");
        give("wood", 3);
        boat();
        check({state, "Common Raft",
               "A raft which looks the same size as the previous boat, but with a much better looking sail.", 10,
               "/CYou add to your boat to make it stronger."},
              "strengthen");
        EXPECT_EQ(held("cloth") + held("rope") + held("wood"), 0);
    }
    give("cloth");
    give("rope");
    give("wood", 3);
    boat();
    check({15, "Fine Raft", "A fine looking raft which looks as if it could be strong enough to hold up to the high seas.",
           30, "/CYou work hard on refining your boat."},
          "fine");
    EXPECT_EQ(held("wood"), 2);
    EXPECT_EQ(held("cloth") + held("rope"), 0);

    give("wood", 4);
    give("large leaf");
    give("rope");
    give("cloth");
    boat();
    check({20, "Yacht", "A fine seafaring ship. Even looks strong enough to hold multiple people.", 60,
           "/CYou work hard on refining your raft."},
          "yacht");
    EXPECT_EQ(held("wood") + held("large leaf") + held("rope") + held("cloth"), 0);
    EXPECT_EQ(held("axe") + held("knife") + held("hammer"), 3);  // tools are never consumed

    boat();
    EXPECT_EQ(output(), "This boat looks as fine as the boat you can build.\n");
    EXPECT_EQ(game.raftState, 20);
}

TEST_F(BuildRaftTest, EveryCommandWaitsForTheStepToFinish) {
    give("wood", 3);
    give("rope");
    screen.typeText("yes");
    game.tick = 61;
    buildRaft();
    runTicks(9);
    output();
    dispatchCommand("boat");
    EXPECT_EQ(output(), std::string(kWait) + "\n");
    runTicks(1);
    dispatchCommand("boat");
    EXPECT_EQ(output(), "You need an axe to continue building.\n");
}

class JunkyRaftTest : public RaftTest {
protected:
    void SetUp() override {
        RaftTest::SetUp();
        raft().name = "Junky Raft";
        lay("Junky Raft");
    }
};

TEST_F(JunkyRaftTest, AnyOneToolTurnsAFinishedJunkyRaftLousy) {
    for (const char* tool : {"axe", "knife", "hammer"}) {
        raft().name = "Junky Raft";
        give(tool);
        boatAt(7);
        EXPECT_EQ(raft().name, "Lousy Raft") << tool;
        EXPECT_EQ(game.raftState, 7) << tool;
        takeFromInventory(tool);
    }
}

TEST_F(BuildRaftTest, StartingNamesWhatIsMissingAndWhere) {
    const std::string needs = std::string("To start a raft you need three pieces of Wood in your hands and a rope, on ") +
                              kShores + ". You still need ";
    EXPECT_EQ(boatAt(0), needs + "3 more pieces of Wood in your hands and a rope.\n");
    give("wood", 2);
    EXPECT_EQ(boatAt(0), needs + "1 more piece of Wood in your hands and a rope.\n");
    give("rope");
    EXPECT_EQ(boatAt(0), needs + "1 more piece of Wood in your hands.\n");
    takeFromInventory("rope");
    give("wood", 3);
    EXPECT_EQ(boatAt(0), needs + "a rope.\n");
    EXPECT_EQ(game.raftState, 0);
    EXPECT_EQ(held("wood"), 5);
}

TEST_F(JunkyRaftTest, ToolAdviceNamesOnlyTheToolThatStageTakes) {
    give("knife");
    give("hammer");
    EXPECT_EQ(boatAt(1), "You need an axe to continue building.\n");  // once silent
    EXPECT_EQ(game.raftState, 1);
    takeFromInventory("knife");
    EXPECT_EQ(boatAt(2), "You need an axe to continue building.\n");
    EXPECT_EQ(boatAt(3), "You need a knife to continue building.\n");
    takeFromInventory("hammer");
    give("axe");
    EXPECT_EQ(boatAt(4), "You need a knife to continue building.\n");
    EXPECT_EQ(boatAt(5), "You need a hammer to continue building.\n");
    give("knife");
    EXPECT_EQ(boatAt(6), "You need a hammer to continue building.\n");
    takeFromInventory("knife");
    takeFromInventory("axe");
    EXPECT_EQ(boatAt(7), "You need an axe, a knife or a hammer to finish the raft's frame.\n");
    EXPECT_EQ(boatAt(2), "You need an axe to continue building.\n");
    EXPECT_EQ(game.raftState, 2);
    EXPECT_EQ(raft().name, "Junky Raft");
}

TEST_F(JunkyRaftTest, ABladeIsToldItNeedsAHandleToCountAsAKnife) {
    const std::string hint = " Your blade needs a handle to count as a knife: combine the blade with a handle.\n";
    give("blade");
    EXPECT_EQ(boatAt(3), "You need a knife to continue building." + hint);
    EXPECT_EQ(boatAt(7), "You need an axe, a knife or a hammer to finish the raft's frame." + hint);
    EXPECT_EQ(boatAt(1), "You need an axe to continue building.\n");  // the blade is no help there
    give("knife");
    give("axe");
    EXPECT_EQ(boatAt(5), "You need a hammer to continue building.\n");
}

TEST_F(JunkyRaftTest, ToolsLyingOnTheFloorWorkToo) {
    lay("knife");
    boatAt(3);
    EXPECT_EQ(game.raftState, 4);
    EXPECT_EQ(onFloor("knife"), 1);
}

class LousyRaftTest : public RaftTest {
protected:
    void SetUp() override {
        RaftTest::SetUp();
        raft().name = "Lousy Raft";
        lay("Lousy Raft");
    }
};

TEST_F(LousyRaftTest, WoodOrLeavesByState) {
    give("wood", 5);
    give("large leaf");
    boatAt(9);  // fewer than six wood: the leaf step
    EXPECT_EQ(game.raftState, 10);
    EXPECT_EQ(held("large leaf"), 0);
    EXPECT_EQ(held("wood"), 5);

    give("wood");
    EXPECT_EQ(boatAt(10), "You need a large leaf to continue building (the sail takes 3 more).\n");
    EXPECT_EQ(game.raftState, 10);
    lay("large leaf");
    EXPECT_EQ(boatAt(11), "");
    EXPECT_EQ(game.raftState, 12);
    EXPECT_EQ(onFloor("large leaf"), 1);  // the leaf on the floor stays
    EXPECT_EQ(held("wood"), 6);
}

TEST_F(LousyRaftTest, TheCommonStepPaysWithWoodOrALeaf) {
    give("wood", 6);
    give("large leaf");
    boatAt(13);
    EXPECT_EQ(raft().name, "Common Raft");
    EXPECT_EQ(held("wood"), 0);
    EXPECT_EQ(held("large leaf"), 1);

    raft().name = "Lousy Raft";
    give("wood", 5);
    boatAt(13);
    EXPECT_EQ(raft().name, "Common Raft");
    EXPECT_EQ(held("wood"), 5);
    EXPECT_EQ(held("large leaf"), 0);
}

TEST_F(LousyRaftTest, TooFewMaterialsAreCounted) {
    give("large leaf");
    give("wood", 5);
    EXPECT_EQ(boatAt(7), "You need 1 more piece of Wood in your hands to continue building.\n");
    takeFromInventory("large leaf");
    EXPECT_EQ(boatAt(8), "You need 1 more piece of Wood in your hands to continue building.\n");
    EXPECT_EQ(boatAt(9), "You need 1 more piece of Wood in your hands or a large leaf to continue building.\n");
    EXPECT_EQ(boatAt(12), "You need a large leaf to continue building (the sail takes 1 more).\n");
    while (takeFromInventory("wood")) {
    }
    EXPECT_EQ(boatAt(13), "You need 6 more pieces of Wood in your hands or a large leaf to continue building.\n");
    EXPECT_EQ(game.raftState, 13);
    EXPECT_EQ(raft().name, "Lousy Raft");
    give("wood", 6);
    give("large leaf");
    EXPECT_EQ(boatAt(14), "/rThis raft cannot be built on any further.\n");  // only a damaged save gets here
    EXPECT_EQ(game.raftState, 14);
    EXPECT_EQ(held("wood"), 6);
}

TEST_F(RaftTest, StrengtheningTakesOnlyWhatIsHeld) {
    raft().name = "Common Raft";
    lay("Common Raft");
    game.raftState = 13;
    lay("rope");
    give("wood", 3);
    buildRaft();
    EXPECT_EQ(game.raftState, 14);
    EXPECT_EQ(onFloor("rope"), 1);
    EXPECT_EQ(held("wood"), 0);
    finishWork();
    give("wood", 2);
    output();
    buildRaft();  // the rope on the floor still counts
    EXPECT_EQ(output(), "You need 1 more piece of Wood in your hands to continue building.\n");
    removeFromList(here().items, &item("rope"));
    buildRaft();
    EXPECT_EQ(output(), "You need 1 more piece of Wood in your hands and a cloth or a rope to continue building.\n");
    EXPECT_EQ(game.raftState, 14);
}

TEST_F(RaftTest, AFineRaftNeedsEverythingForAYacht) {
    raft().name = "Fine Raft";
    lay("Fine Raft");
    game.raftState = 15;
    for (const char* name : {"axe", "hammer", "knife", "large leaf", "rope"}) give(name);
    give("wood", 6);
    buildRaft();
    EXPECT_EQ(output(), "You need a cloth to turn your raft into a Yacht.\n");
    takeFromInventory("knife");
    takeFromInventory("axe");
    give("blade");
    takeFromInventory("wood");
    buildRaft();
    EXPECT_EQ(output(), "You need an axe, a knife, 1 more piece of Wood in your hands and a cloth to turn your raft into a "
                        "Yacht. Your blade needs a handle to count as a knife: combine the blade with a handle.\n");
    give("axe");
    give("knife");
    give("wood");
    lay("cloth");
    buildRaft();
    EXPECT_EQ(raft().name, "Yacht");
    EXPECT_EQ(game.raftState, 20);
    EXPECT_EQ(onFloor("cloth"), 1);
}

TEST_F(RaftTest, AwayFromTheRaft) {
    raft().name = "Lousy Raft";
    roomAt(0, 1)->name = "Elsewhere";
    ASSERT_GE(addToList(roomAt(0, 1)->items, &raft()), 0);
    game.raftState = 9;
    give("wood", 6);
    buildRaft();
    EXPECT_EQ(output(), "/rYou need to be in the same room as your raft.\n");
    EXPECT_EQ(game.raftState, 9);
    EXPECT_EQ(held("wood"), 6);
}
