#include "TestSupport.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "clock/Clock.h"
#include "core/Commands.h"
#include "core/GameLock.h"

namespace {
// A scheduled callback that changes what the commands read.
void backToTheBeach() { game.player.currentRoom = roomAt(0, 8); }
}  // namespace

// The clock thread runs fast while commands are dispatched from this
// thread under the game lock, as the main loop does. Built with
// -DBRINEFALL_SANITIZE=thread this shows whether the two threads share
// the game state safely.
using ClockStressTest = GameTest;

TEST_F(ClockStressTest, CommandsUnderTheLockWhileTheClockRunsFast) {
    Room& beach = makeRoom(0, 8, "Beach", "Warm sand.");
    Room& cove = makeRoom(0, 3, "Cove", "A quiet cove.");
    connectRooms(beach, cove, North);
    ItemDef& rock = makeItem(4, "rock", "A grey rock.");
    for (int i = 0; i < 6; ++i) addToList(beach.items, &rock);
    for (Npc& npc : game.islanders) npc.gender = -1;  // nobody to murder or wander
    game.day = 1;
    game.tick = 200;  // bedtime, a new day and wandering steps come soon

    std::thread clock([] { runGameClock(std::chrono::milliseconds(1)); });
    const char* commands[] = {"get 2 rocks", "n", "drop rock", "look", "s", "i", "drop rocks", "get rocks"};
    int startTick = 0;
    {
        std::lock_guard lock(gameLock());
        startTick = game.tick;
    }
    // Until the clock has crossed bedtime and midnight (or a generous cap).
    bool pastMidnight = false;
    for (int round = 0; round < 2000000 && !pastMidnight; ++round) {
        {
            std::lock_guard lock(gameLock());
            pastMidnight = game.tick > startTick + 60;
            dispatchCommand(commands[round % 8]);
            if (round % 50 == 0) {
                startWork(1, 5, "Working.", "Done.");
                scheduleEvent(1, backToTheBeach);
            }
        }
        if (round % 100 == 0) {
            game.clockRunning = 0;  // a conversation opens and closes
            std::this_thread::yield();
            game.clockRunning = 1;
        }
        std::this_thread::yield();  // give the clock thread its turn at the lock
        if (round % 40 == 0) takeCapturedOutput();
    }
    game.running = 0;
    clock.join();

    EXPECT_TRUE(pastMidnight);
    EXPECT_EQ(game.day, 2);
    // Commands moved rocks back and forth between rooms and the inventory: none may be lost or doubled.
    int rocks = static_cast<int>(countInList(beach.items, &rock) + countInList(cove.items, &rock) +
                                 countInList(game.player.inventory, &rock));
    EXPECT_EQ(rocks, 6);
}

using ClockThreadTest = GameTest;

// With a long period only the first tick can come: it must come at once.
TEST_F(ClockThreadTest, FirstTickComesAsSoonAsTheClockStarts) {
    for (int savedTick : {0, 500}) {
        // A new game's clock makes the tick 1 and handles tick 2; a loaded game goes on from its tick.
        const int expected = savedTick == 0 ? 2 : savedTick + 1;
        game.tick = savedTick;
        game.running = 1;
        std::thread clock([] { runGameClock(std::chrono::hours(1)); });
        int seen = savedTick;
        auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (seen != expected && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::yield();
            std::lock_guard lock(gameLock());
            seen = game.tick;
        }
        game.running = 0;
        clock.join();
        EXPECT_EQ(game.tick, expected) << "the first tick did not come within five seconds";
    }
}
