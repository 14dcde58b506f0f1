#include <cmath>

#include "clock/Clock.h"
#include "dialogue/Moods.h"
#include "islanders/IslanderFixture.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"

using MoodsTest = IslanderTest;

TEST_F(MoodsTest, ToleranceDampsOnlyUnfavourableChanges) {
    struct Case {
        double tolerance;
        const char* key;
        int amount;
        double happiness, hostility, toleranceAfter;
    };
    const Case cases[] = {
        {250, "ha", -10, 46, 20, 250},  {50, "ha", -10, 40, 20, 50},      {400, "ha", -10, 50 - 10.0 / 3, 20, 400},
        {250, "ha", 10, 60, 20, 250},   {200, "ho", 6, 50, 23, 200},      {200, "ho", -6, 50, 14, 200},
        {100, "ho", 6, 50, 26, 100},    {200, "to", -150, 50, 20, 50},    {200, "to", 7, 50, 20, 207},
        {200, "HA", -10, 50, 20, 200},  {200, "hap", -10, 50, 20, 200},   {200, "", 5, 50, 20, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.amount) + " at " + std::to_string(c.tolerance));
        Npc npc;
        npc.tolerance = c.tolerance;
        npc.happiness = 50;
        npc.hostility = 20;
        applyMoodChange(npc, c.key, c.amount);
        EXPECT_DOUBLE_EQ(npc.happiness, c.happiness);
        EXPECT_DOUBLE_EQ(npc.hostility, c.hostility);
        EXPECT_DOUBLE_EQ(npc.tolerance, c.toleranceAfter);
    }
}

TEST_F(MoodsTest, MorningRelaxesTheMoodsOfThoseWhoTalked) {
    struct Case {
        double mood, base, after;
    };
    const Case cases[] = {{60, 40, 48}, {45, 40, 40}, {30, 40, 36}, {35, 40, 40}, {40, 40, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mood);
        Npc& frank = place(1, "Frank", 0, 3);
        frank.scriptLabel = 7;
        frank.happiness = frank.hostility = c.mood;
        frank.happinessBase = frank.hostilityBase = c.base;
        driftMoods();
        EXPECT_DOUBLE_EQ(frank.happiness, c.after);
        EXPECT_DOUBLE_EQ(frank.hostility, c.after);
        EXPECT_EQ(frank.scriptLabel, 0);
    }
}

TEST_F(MoodsTest, MoodsAtOrBelowZeroDriftTowardTheirBaseToo) {
    struct Case {
        double mood, base, after;
    };
    // At or below zero a mood closes a fifth of its distance to the base;
    // above zero it still moves by a fifth of itself.
    const Case cases[] = {{-10, 0, -8},  {-10, 40, 0},   {0, 40, 8},      {-60, -20, -52},
                          {-5, -20, -8}, {-2.5, 0, -2}, {-30, -30, -30}, {5, -10, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mood) + " toward " + std::to_string(c.base));
        Npc& frank = place(1, "Frank", 0, 3);
        frank.scriptLabel = 1;
        frank.happiness = frank.hostility = c.mood;
        frank.happinessBase = frank.hostilityBase = c.base;
        driftMoods();
        EXPECT_DOUBLE_EQ(frank.happiness, c.after);
        EXPECT_DOUBLE_EQ(frank.hostility, c.after);
    }
}

TEST_F(MoodsTest, EveryMoodComesHomeMorningByMorning) {
    // From far below zero to far above, toward bases on either side of
    // zero: each morning the distance shrinks, and a mood whose base is
    // above zero is back at it within 40 mornings.
    for (double base : {-20.0, 0.0, 15.0, 60.0}) {
        for (double start = -120; start <= 120; start += 7.5) {
            SCOPED_TRACE(std::to_string(start) + " toward " + std::to_string(base));
            Npc& frank = place(1, "Frank", 0, 3);
            frank.happiness = start;
            frank.happinessBase = base;
            double distance = std::abs(start - base);
            for (int morning = 0; morning < 40; ++morning) {
                frank.scriptLabel = 1;
                driftMoods();
                const double now = std::abs(frank.happiness - base);
                ASSERT_LE(now, distance) << "morning " << morning;
                distance = now;
            }
            if (base > 0) {
                EXPECT_DOUBLE_EQ(frank.happiness, base);
            }
        }
    }
}

TEST_F(MoodsTest, TheRateSlowsTheDriftAndSilentIslandersKeepTheirMoods) {
    Npc& talker = place(1, "Frank", 0, 3);
    talker.scriptLabel = 999;
    talker.moodRate = 0.1;
    talker.happiness = 80;
    talker.happinessBase = 50;
    talker.hostility = 10;
    talker.hostilityBase = 30;
    Npc& silent = place(2, "Beth", 0, 4, 2);
    silent.happiness = 80;
    silent.happinessBase = 50;
    silent.gaveGift = 1;
    game.islanders[0].scriptLabel = 2;
    game.islanders[0].moodRate = 0.2;
    game.islanders[0].happiness = 10;
    game.islanders[0].happinessBase = 20;

    driftMoods();
    EXPECT_DOUBLE_EQ(talker.happiness, 72);
    EXPECT_DOUBLE_EQ(talker.hostility, 11);
    EXPECT_DOUBLE_EQ(silent.happiness, 80);
    EXPECT_EQ(silent.scriptLabel, 0);
    EXPECT_EQ(silent.gaveGift, 0);
    EXPECT_DOUBLE_EQ(game.islanders[0].happiness, 12);  // the Dog drifts too
}

TEST_F(MoodsTest, HappyIslandersJoinThePlayersAreaAtNight) {
    Npc& glad = place(1, "Frank", 3, 6);
    glad.happiness = 50.0;
    Npc& near = place(2, "Beth", 0, 2, 2);
    near.happiness = 90.0;
    relocateForNight(glad);
    relocateForNight(near);
    EXPECT_TRUE(glad.currentRoom->is(0, 6));
    EXPECT_TRUE(near.currentRoom->is(0, 2));
    EXPECT_EQ(countInList(roomAt(3, 6)->occupants, &glad), 0u);
    EXPECT_EQ(output(), "");
}

TEST_F(MoodsTest, UnhappyIslandersGoToAnotherAreaThanThePlayers) {
    Npc& sad = place(1, "Frank", 0, 8);
    sad.happiness = 49.9;
    queueDraws({0, 11, 4});  // the player's area twice, then area 4
    relocateForNight(sad);
    EXPECT_TRUE(sad.currentRoom->is(4, 8));
    EXPECT_EQ(output(), "Frank leaves the room.\n");

    queueDraws({4});  // its own area: it stays
    relocateForNight(sad);
    EXPECT_TRUE(sad.currentRoom->is(4, 8));
}

TEST_F(MoodsTest, NightMovesNeverLeaveAnIslanderInAnUnusedRoom) {
    Npc& glad = place(1, "Frank", 8, 22);
    glad.happiness = 70;
    game.player.currentRoom = roomAt(2, 1);
    relocateForNight(glad);
    EXPECT_TRUE(glad.currentRoom->is(2, 10));  // area 2 has 11 rooms

    Npc& sad = place(2, "Beth", 8, 19, 2);
    sad.happiness = 10;
    queueDraws({2, 10});
    relocateForNight(sad);
    EXPECT_TRUE(sad.currentRoom->is(10, 14));  // area 10 has 15 rooms

    for (unsigned seed = 1; seed <= 300; ++seed) {
        reseed(seed);
        Npc& wanderer = place(3, "Carl", 8, 22);
        wanderer.happiness = 0;
        relocateForNight(wanderer);
        const Room& at = *wanderer.currentRoom;
        EXPECT_LE(at.area, 10);
        EXPECT_NE(at.area, 2);
        EXPECT_LT(at.number, areaRoomCount(at.area));
        removeFromList(wanderer.currentRoom->occupants, &wanderer);
    }
}

TEST_F(MoodsTest, BedtimeMovesEveryHumanButNotTheDog) {
    place(0, "Dog", 5, 3, 0).happiness = 100;
    Npc& glad = place(1, "Frank", 5, 3);
    glad.happiness = 50;
    Npc& cuffed = place(3, "Carl", 5, 3);
    cuffed.happiness = 90;
    game.handcuffedIslander = &cuffed;
    Npc& dead = place(2, "Beth", 5, 4, 2);
    dead.happiness = 50;
    removeFromList(roomAt(5, 4)->occupants, &dead);
    dead.gender = -1;
    game.tick = 224;
    ++game.tick;
    onTick();
    EXPECT_TRUE(glad.currentRoom->is(0, 3));
    EXPECT_TRUE(game.islanders[0].currentRoom->is(5, 3));
    EXPECT_TRUE(dead.currentRoom->is(5, 4));
    EXPECT_TRUE(cuffed.currentRoom->is(5, 3));
    EXPECT_NE(isBusy(), nullptr);
}
