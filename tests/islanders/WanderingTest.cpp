#include "clock/Clock.h"
#include "dialogue/Conversation.h"
#include "islanders/IslanderFixture.h"
#include "game/Talk.h"
#include "game/Tick.h"
#include "game/Wandering.h"
#include "base/RandomTesting.h"
#include "world/Places.h"

using WanderingTest = IslanderTest;

TEST_F(WanderingTest, AreaRoomCountsFollowTheIslandAndRejectOtherAreas) {
    const int expected[kAreaCount] = {15, 17, 11, 16, 15, 20, 20, 20, 23, 16, 15, 8, 1};
    for (int area = 0; area < kAreaCount; ++area) EXPECT_EQ(areaRoomCount(area), expected[area]) << area;
    EXPECT_EQ(areaRoomCount(-1), 0);
    EXPECT_EQ(areaRoomCount(13), 0);
}

TEST_F(WanderingTest, IslandersWanderOnlyAmongTheRoomsOfTheirArea) {
    Npc& lab = place(1, "Frank", 12, 0);
    Npc& fence = place(2, "Beth", 11, 3, 2);
    for (unsigned seed = 1; seed <= 200; ++seed) {
        setFixedSeconds(seed);
        moveIslanders(0);
        EXPECT_TRUE(lab.currentRoom->is(kLaboratory));
        EXPECT_EQ(fence.currentRoom->area, 11);
        EXPECT_LT(fence.currentRoom->number, 8);
        EXPECT_EQ(countInList(fence.currentRoom->occupants, &fence), 1u);
    }
    EXPECT_EQ(output(), "");
}

TEST_F(WanderingTest, DrawOfTheCurrentRoomKeepsTheIslanderStillAndSilent) {
    Npc& frank = place(1, "Frank", 0, 8);
    queueDraws({15 + 8});  // 23 % 15 is the room it stands in
    moveIslanders(0);
    EXPECT_EQ(frank.currentRoom, &playerRoom());
    EXPECT_EQ(output(), "");
}

TEST_F(WanderingTest, PlayerSeesOnlyMovesIntoAndOutOfTheirRoom) {
    Npc& frank = place(1, "Frank", 0, 8);
    Npc& beth = place(2, "Beth", 0, 3, 2);
    Npc& carl = place(3, "Carl", 0, 4);
    game.tick = 100;
    queueDraws({5, 8, 6});
    moveIslanders(0);
    EXPECT_TRUE(frank.currentRoom->is(0, 5));
    EXPECT_TRUE(beth.currentRoom->is(kWhereYouWoke));
    EXPECT_TRUE(carl.currentRoom->is(0, 6));
    EXPECT_EQ(output(), "Frank leaves the room.\nBeth walks into the room.\n");
    EXPECT_EQ(countInList(roomAt(kWhereYouWoke)->occupants, &frank), 0u);
    EXPECT_EQ(countInList(roomAt(0, 5)->occupants, &frank), 1u);
    EXPECT_EQ(game.event.callback, &islanderReacts);
    EXPECT_EQ(game.event.dueTick, 102);
}

TEST_F(WanderingTest, ArrivalIsFollowedByTheReactionTwoTicksLater) {
    makeItem(0, "axe");
    Npc& frank = place(1, "Frank", 0, 3);
    frank.moodRate = 0.19;
    frank.happiness = 95;
    game.tick = 100;
    moveIslander(frank, 0, 8);
    EXPECT_EQ(output(), "Frank walks into the room.\n");
    queueDraws({0, 2, 0});  // the one occupant, the tool kind, its first item
    ++game.tick;
    onTick();
    EXPECT_EQ(output(), "");
    ++game.tick;
    onTick();
    EXPECT_EQ(output(), "/YFrank says, \"This axe is a gift from me to you.\"\nFrank drops axe.\n");
    EXPECT_EQ(countInList(playerRoom().items, &game.items[0]), 1u);
}

TEST_F(WanderingTest, MoveIslanderIgnoresTheDeadTheSameRoomAndRoomsOffTheMap) {
    Npc& frank = place(1, "Frank", 0, 3);
    moveIslander(frank, 0, 3);
    moveIslander(frank, 13, 0);
    moveIslander(frank, 0, 25);
    EXPECT_TRUE(frank.currentRoom->is(0, 3));
    EXPECT_EQ(countInList(roomAt(0, 3)->occupants, &frank), 1u);
    frank.gender = -1;
    moveIslander(frank, 0, 8);
    EXPECT_TRUE(frank.currentRoom->is(0, 3));
    EXPECT_EQ(output(), "");
}

TEST_F(WanderingTest, HandcuffedDeadAndFrozenIslandersStayPut) {
    Npc& cuffed = place(1, "Frank", 0, 3);
    Npc& dead = place(2, "Beth", 0, 4, 2);
    Npc& listening = place(3, "Carl", 0, 8);
    Npc& elsewhere = place(4, "Tom", 0, 5);
    game.handcuffedIslander = &cuffed;
    removeFromList(roomAt(0, 4)->occupants, &dead);
    dead.gender = -1;
    game.clockRunning = 0;
    queueDraws({1, 2, 3, 6});  // the dead one still takes its draw
    moveIslanders(0);
    EXPECT_TRUE(cuffed.currentRoom->is(0, 3));
    EXPECT_TRUE(dead.currentRoom->is(0, 4));
    EXPECT_TRUE(listening.currentRoom->is(kWhereYouWoke));
    EXPECT_TRUE(elsewhere.currentRoom->is(0, 6));
}

TEST_F(WanderingTest, EachIslanderReseedsTheGeneratorWithItsDraw) {
    place(1, "Frank", 0, 3);
    place(2, "Beth", 12, 0, 2);  // one room, so its draw is 0
    moveIslanders(0);
    const int afterStep = draw();
    reseed(0);
    EXPECT_EQ(afterStep, draw());
}

TEST_F(WanderingTest, HappyIslanderApproachesABusyPlayer) {
    Npc& frank = place(1, "Frank", 0, 3);
    Npc& beth = place(2, "Beth", 0, 4, 2);
    frank.happiness = 50.0;
    beth.happiness = 80.0;
    game.tick = 120;
    setBusy(5, "You are busy.\n");
    queueDraws({3, 7});
    moveIslanders(1);
    EXPECT_EQ(frank.currentRoom, &playerRoom());
    EXPECT_EQ(game.talkingTo, &frank);
    EXPECT_EQ(game.event.callback, &resumeConversation);
    EXPECT_EQ(game.event.dueTick, 121);
    // Only one islander approaches per step; the other wanders.
    EXPECT_TRUE(beth.currentRoom->is(0, 7));
    EXPECT_EQ(output(), "Frank walks into the room.\n");
}

TEST_F(WanderingTest, LaterArrivalInTheSameStepReplacesTheConversation) {
    Npc& frank = place(1, "Frank", 0, 3);
    place(2, "Beth", 0, 4, 2);
    frank.happiness = 60.0;
    setBusy(5, "You are busy.\n");
    queueDraws({3, 8});
    moveIslanders(1);
    EXPECT_EQ(game.talkingTo, &frank);
    EXPECT_EQ(game.event.callback, &islanderReacts);
    EXPECT_EQ(output(), "Frank walks into the room.\nBeth walks into the room.\n");
}

TEST_F(WanderingTest, NoApproachUnlessEveryConditionHolds) {
    struct Case {
        const char* what;
        double happiness;
        int scriptLabel;
        bool busy;
        bool handcuffed;
        int mayApproach;
    };
    const Case cases[] = {
        {"player not busy", 90.0, 0, false, false, 1}, {"too unhappy", 49.9, 0, true, false, 1},
        {"talked today", 90.0, 4, true, false, 1},     {"handcuffed", 90.0, 0, true, true, 1},
        {"flag not drawn", 90.0, 0, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetGameState();
        game.clockRunning = 1;
        game.player.currentRoom = roomAt(kWhereYouWoke);
        Npc& frank = place(1, "Frank", 0, 3);
        frank.happiness = c.happiness;
        frank.scriptLabel = c.scriptLabel;
        if (c.busy) setBusy(5, "You are busy.\n");
        if (c.handcuffed) game.handcuffedIslander = &frank;
        queueDraws({6});
        moveIslanders(c.mayApproach);
        EXPECT_EQ(game.talkingTo, nullptr);
        EXPECT_NE(frank.currentRoom, &playerRoom());
        EXPECT_NE(game.event.callback, &resumeConversation);
        clearQueuedDraws();
    }
}

TEST_F(WanderingTest, RandomPickSkipsTheSubjectAndTheDead) {
    for (int i = 1; i <= 8; ++i) place(i, "X", 0, i);
    game.memorySubject = &game.islanders[3];
    queueDraws({2, 4});
    EXPECT_EQ(pickRandomIslander(0), &game.islanders[5]);
    queueDraws({2});
    EXPECT_EQ(pickRandomIslander(1), &game.islanders[3]);
    game.islanders[4].gender = -1;
    queueDraws({3, 8 + 3, 5});
    EXPECT_EQ(pickRandomIslander(1), &game.islanders[6]);
    EXPECT_EQ(game.memorySubject, &game.islanders[3]);
}

TEST_F(WanderingTest, RandomPickNeverRepeatsTheSubjectOrGivesTheDog) {
    for (int i = 1; i <= 8; ++i) place(i, "X", 0, i);
    for (int subject = 1; subject <= 8; ++subject) {
        game.memorySubject = &game.islanders[static_cast<std::size_t>(subject)];
        for (long long seconds = 1; seconds <= 100; ++seconds) {
            setFixedSeconds(seconds * 7919);
            Npc* picked = pickRandomIslander(0);
            EXPECT_NE(picked, game.memorySubject);
            EXPECT_NE(picked, &game.islanders[0]);
        }
    }
}

TEST_F(WanderingTest, AfterFiftyRejectionsThePickTakesTheNextOneWhoQualifies) {
    for (int i = 1; i <= 8; ++i) place(i, "X", 0, i);
    game.memorySubject = &game.islanders[2];
    game.islanders[3].gender = -1;
    queueDraws(std::vector<int>(50, 1));
    queueDraws({0});
    // Fifty draws of the subject; islander 3 is dead, so islander 4 follows.
    EXPECT_EQ(pickRandomIslander(0), &game.islanders[4]);
    EXPECT_EQ(draw(), 0);  // exactly fifty draws were taken

    // The search wraps round the table past record 8, never to the Dog.
    for (int i = 4; i <= 8; ++i) game.islanders[static_cast<std::size_t>(i)].gender = -1;
    queueDraws(std::vector<int>(50, 7));
    EXPECT_EQ(pickRandomIslander(0), &game.islanders[1]);

    // Only the subject left alive: it is the one to repeat.
    game.islanders[1].gender = -1;
    queueDraws(std::vector<int>(50, 5));
    EXPECT_EQ(pickRandomIslander(0), &game.islanders[2]);

    // Nobody picked yet and everyone dead: the Dog stands for nobody.
    game.memorySubject = nullptr;
    for (int i = 1; i <= 8; ++i) game.islanders[static_cast<std::size_t>(i)].gender = -1;
    EXPECT_EQ(pickRandomIslander(1), &game.islanders[0]);
    EXPECT_EQ(game.memorySubject, &game.islanders[0]);
}

TEST_F(WanderingTest, KillingLeavesANamedCorpseAndRemovesTheVictim) {
    makeItem(40, "Corpse of", "The lifeless body of");
    makeItem(41, "corpse of", "The lifeless body of");
    Npc& frank = place(1, "Frank", 2, 3);
    Npc& beth = place(2, "Beth", 2, 3, 2);
    killIslander(frank);

    Room& room = *roomAt(2, 3);
    EXPECT_EQ(game.items[40].name, "Corpse of Frank");
    EXPECT_EQ(game.items[40].description, "The lifeless body of Frank");
    EXPECT_EQ(countInList(room.items, &game.items[40]), 1u);
    EXPECT_EQ(findIslanderInRoom("frank", room), nullptr);
    EXPECT_EQ(findIslanderInRoom("beth", room), &beth);
    EXPECT_EQ(game.islanderCount, 8);
    EXPECT_EQ(frank.gender, -1);
    EXPECT_EQ(frank.currentRoom, &room);
    EXPECT_EQ(game.lastVictim, &frank);

    killIslander(beth);
    EXPECT_EQ(game.items[41].name, "corpse of Beth");
    EXPECT_EQ(game.islanderCount, 7);
    EXPECT_EQ(room.occupants.count, 0u);
    EXPECT_EQ(output(), "");
}

TEST_F(WanderingTest, CorpseTextsAreCutAtTheirFieldSize) {
    makeItem(40, "Corpse of", std::string(250, 'x').c_str());
    Npc& npc = place(1, "Maximilianusxyz", 0, 3);
    killIslander(npc);
    EXPECT_EQ(game.items[40].name, "Corpse of Maximilia");
    EXPECT_EQ(game.items[40].description.size(), 255u);
}

TEST_F(WanderingTest, KillingWithoutCorpseRecordsStillKills) {
    Npc& frank = place(1, "Frank", 0, 3);
    killIslander(frank);
    EXPECT_FALSE(frank.alive());
    EXPECT_EQ(game.islanderCount, 8);
    EXPECT_TRUE(roomAt(0, 3)->items.empty());
}

TEST_F(WanderingTest, TheDeadAndTheDogCannotBeKilled) {
    makeItem(40, "Corpse of");
    Npc& frank = place(1, "Frank", 0, 3);
    killIslander(frank);
    makeItem(41, "Corpse of");
    killIslander(frank);
    place(0, "Dog", 0, 4, 0);
    killIslander(game.islanders[0]);
    EXPECT_EQ(game.islanderCount, 8);
    EXPECT_EQ(game.items[41].name, "Corpse of");
    EXPECT_TRUE(game.islanders[0].alive());
    EXPECT_EQ(game.lastVictim, &frank);
}

TEST_F(WanderingTest, FindIslanderMatchesWholeNamesInAnyCase) {
    Npc& frank = place(1, "Frank", 0, 3);
    place(2, "Beth", 0, 4, 2);
    Room& room = *roomAt(0, 3);
    EXPECT_EQ(findIslanderInRoom("Frank", room), &frank);
    EXPECT_EQ(findIslanderInRoom("FRANK", room), &frank);
    EXPECT_EQ(findIslanderInRoom("fRaNk", room), &frank);
    EXPECT_EQ(findIslanderInRoom("Fran", room), nullptr);
    EXPECT_EQ(findIslanderInRoom("Franky", room), nullptr);
    EXPECT_EQ(findIslanderInRoom("beth", room), nullptr);
    EXPECT_EQ(findIslanderInRoom("", room), nullptr);
}
