// The shipped island with the real generator and real, advancing seconds:
// islanders keep wandering, the memory subject changes every time it can,
// and killings pick only the living.
#include <array>
#include <cstdio>
#include <filesystem>

#include "BuildPaths.h"
#include "islanders/Islanders.h"
#include "persist/SaveFixture.h"
#include "game/LoadGame.h"
#include "game/Wandering.h"
#include "base/RandomTesting.h"

namespace fs = std::filesystem;

namespace {
constexpr long long kSecondsPerDay = 24 * 60 * 60;
constexpr long long kWanderInterval = 60;
}  // namespace

class IslandRandomness : public SaveTest {
protected:
    long long startSeconds = 0;

    void SetUp() override {
        SaveTest::SetUp();
        for (const auto& entry : fs::directory_iterator(BRINEFALL_DATA_DIR))
            fs::copy_file(entry.path(), data.path() / entry.path().filename());
        ASSERT_EQ(loadGame(1), 1);
        output();
        setFixedSeconds(-1);
        startSeconds = nowSeconds();  // today's real clock, advanced by hand from here
    }

    bool isLivingHuman(const Npc* npc) { return npc && npc->npcIndex >= 1 && npc->alive(); }

    int livingHumans() {
        int n = 0;
        for (int i = 1; i < kIslanderCount; ++i) n += islander(i).alive() ? 1 : 0;
        return n;
    }

    // Dead as a killing leaves an islander, without using up the corpses.
    void kill(Npc& npc) {
        removeFromList(npc.currentRoom->occupants, &npc);
        npc.gender = -1;
    }

    // Brings the dead back, in the rooms where they fell.
    void reviveEveryone() {
        for (int i = 1; i < kIslanderCount; ++i) {
            Npc& npc = islander(i);
            if (npc.alive()) continue;
            npc.gender = 1;
            addToList(npc.currentRoom->occupants, &npc);
        }
    }
};

TEST_F(IslandRandomness, IslandersKeepWanderingAllDayOneMinuteApart) {
    // One day of real seconds: a wander step every minute, with the clock's
    // seconds at each step as the game would read them.
    double moved = 0;
    double expected = 0;
    int steps = 0;
    int stillSteps = 0;  // steps in which nobody moved
    for (long long at = startSeconds; at < startSeconds + kSecondsPerDay; at += kWanderInterval) {
        std::array<Room*, kIslanderCount> before{};
        for (int i = 1; i < kIslanderCount; ++i) {
            before[static_cast<std::size_t>(i)] = islander(i).currentRoom;
            expected += 1.0 - 1.0 / areaRoomCount(islander(i).currentRoom->area);
        }
        setFixedSeconds(at);
        moveIslanders(0);
        int movers = 0;
        for (int i = 1; i < kIslanderCount; ++i) movers += islander(i).currentRoom != before[static_cast<std::size_t>(i)];
        moved += movers;
        stillSteps += movers == 0 ? 1 : 0;
        ++steps;
    }
    output();
    const double share = moved / (steps * (kIslanderCount - 1));
    const double expectedShare = expected / (steps * (kIslanderCount - 1));
    std::printf("wander share over %d steps: %.4f moved, %.4f expected\n", steps, share, expectedShare);
    EXPECT_NEAR(share, expectedShare, 0.02);
    EXPECT_EQ(stillSteps, 0);
}

TEST_F(IslandRandomness, TheMemorySubjectNeverRepeatsWhileAnotherIslanderLives) {
    // Mornings one game day apart, with ever more of the islanders dead;
    // the subject may be dead itself, as after a killing.
    long long at = startSeconds;
    for (int dead = 0; dead < kIslanderCount - 1; ++dead) {
        SCOPED_TRACE(dead);
        reviveEveryone();
        for (int i = 1; i <= dead; ++i) kill(islander(1 + (i * 3 + dead) % 8));
        game.memorySubject = nullptr;
        for (int morning = 0; morning < 400; ++morning, at += 240) {
            setFixedSeconds(at);
            Npc* previous = game.memorySubject;
            Npc* picked = pickRandomIslander(0);
            const bool anotherLives = livingHumans() > (isLivingHuman(previous) ? 1 : 0);
            if (anotherLives) {
                ASSERT_TRUE(isLivingHuman(picked)) << "morning " << morning;
                ASSERT_NE(picked, previous) << "morning " << morning;
            }
            game.memorySubject = picked;
        }
    }
}

TEST_F(IslandRandomness, KillingsPickOnlyLivingHumans) {
    // Night after night the killer's pick takes another living islander,
    // until nobody is left; then the pick offers nobody to kill.
    long long at = startSeconds;
    for (int round = 0; round < 200; ++round) {
        reviveEveryone();
        game.memorySubject = &islander(1 + round % 8);
        while (livingHumans() > 0) {
            setFixedSeconds(at += 240);
            Npc* victim = pickRandomIslander(1);
            ASSERT_TRUE(isLivingHuman(victim)) << "with " << livingHumans() << " alive";
            kill(*victim);
        }
        EXPECT_FALSE(isLivingHuman(pickRandomIslander(1)));
    }
}
