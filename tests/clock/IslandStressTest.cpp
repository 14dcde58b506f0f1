#include <chrono>
#include <mutex>
#include <thread>

#include "clock/Clock.h"
#include "content/WorldFixture.h"
#include "game/Commands.h"
#include "world/GameLock.h"
#include "game/Tick.h"
#include "console/OutputTesting.h"

using IslandStressTest = WorldFixture;

// The whole island under the fast clock: islanders wander, approach and
// talk, moods drift at night and a new day begins, while the player walks,
// looks, carries things and answers. Every living islander must still stand
// in exactly one room: its own.
TEST_F(IslandStressTest, IslandersStayWhereTheyAreWhileTheClockRunsFast) {
    game.running = 1;
    game.clockRunning = 1;
    game.day = 1;
    game.tick = 170;  // dusk, bedtime, midnight and several wandering steps to come

    std::thread clock([] { runGameClock(std::chrono::milliseconds(1)); });
    const char* commands[] = {"n", "e", "look", "get coconut", "s", "w", "a", "i", "drop coconut",
                              "ne", "sw", "b", "l", "get large leaf", "drop large leaf", "a"};
    int startTick = 0;
    {
        std::lock_guard lock(gameLock());
        startTick = game.tick;
    }
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool pastMidnight = false;
    for (int round = 0; !pastMidnight && std::chrono::steady_clock::now() < giveUp; ++round) {
        int tickBefore = 0;
        {
            std::lock_guard lock(gameLock());
            pastMidnight = game.tick > startTick + 100 || !game.running;
            dispatchCommand(commands[round % 16]);
            tickBefore = game.tick;
        }
        // Let the clock in between commands: the lock is not fair, and a
        // command loop that never lets go would stand the clock still.
        while (std::chrono::steady_clock::now() < giveUp && game.running && game.clockRunning) {
            std::this_thread::yield();
            std::lock_guard lock(gameLock());
            if (game.tick != tickBefore) break;
        }
        if (round % 40 == 0) takeCapturedOutput();
    }
    stopGameClock();
    clock.join();

    EXPECT_TRUE(pastMidnight) << "the clock stood still at tick " << game.tick;
    for (const Npc& npc : game.islanders) {
        int seen = 0;
        for (const Room& room : game.rooms) seen += static_cast<int>(countInList(room.occupants, &npc));
        if (!npc.alive()) {
            EXPECT_EQ(seen, 0) << npc.name.c_str();
            continue;
        }
        EXPECT_EQ(seen, 1) << npc.name.c_str();
        ASSERT_NE(npc.currentRoom, nullptr);
        EXPECT_EQ(countInList(npc.currentRoom->occupants, &npc), 1u) << npc.name.c_str();
    }
}
