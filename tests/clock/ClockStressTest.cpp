#include "TestSupport.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "game/Commands.h"
#include "game/Ending.h"
#include "world/GameLock.h"
#include "game/Tick.h"
#include "console/OutputTesting.h"
#include "world/Places.h"

namespace {
// A scheduled callback that changes what the commands read.
void backToTheBeach() { game.player.currentRoom = roomAt(kWhereYouWoke); }
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
        // A yield is not always enough under a sanitizer's scheduler: now and
        // then step aside for a moment, as a player between two commands does.
        if (round % 20 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (round % 40 == 0) takeCapturedOutput();
    }
    stopGameClock();
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
        stopGameClock();
        clock.join();
        EXPECT_EQ(game.tick, expected) << "the first tick did not come within five seconds";
    }
}

namespace {
using std::chrono::steady_clock;

// Waits (up to five seconds) until the clock thread has handled the tick.
bool tickReached(int tick) {
    auto giveUp = steady_clock::now() + std::chrono::seconds(5);
    while (steady_clock::now() < giveUp) {
        {
            std::lock_guard lock(gameLock());
            if (game.tick >= tick) return true;
        }
        std::this_thread::yield();
    }
    return false;
}

// Input that waits as a terminal does when nobody types: with no timeout,
// until it is woken.
class SilentTerminal : public MemoryConsole {
public:
    InputEvent nextEvent(int timeoutMs) override {
        std::unique_lock lock(waitMutex_);
        ++waitsBegun_;
        changed_.notify_all();
        auto woken = [this] { return woken_; };
        if (timeoutMs < 0) changed_.wait(lock, woken);
        else changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), woken);
        woken_ = false;
        return {};
    }
    void wake() override {
        std::lock_guard lock(waitMutex_);
        woken_ = true;
        changed_.notify_all();
    }
    // True once a reader waits, within five seconds.
    bool readerWaits() {
        std::unique_lock lock(waitMutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [this] { return waitsBegun_ > 0; });
    }

private:
    std::mutex waitMutex_;
    std::condition_variable changed_;
    int waitsBegun_ = 0;
    bool woken_ = false;
};

void starveNow() { endPlay(Ending::Starved); }
}  // namespace

// Between ticks the clock sleeps until the next one or until play ends: with
// a period of five seconds it must still stop at once, every time.
TEST_F(ClockThreadTest, StopsWithin50MsOfTheEndOfPlay) {
    game.tick = 100;
    std::vector<double> stopMs;
    for (int round = 0; round < 5; ++round) {
        game.running = 1;
        const int next = game.tick + 1;
        std::thread clock([] { runGameClock(std::chrono::seconds(5)); });
        const bool ticked = tickReached(next);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));  // the clock falls asleep
        auto start = steady_clock::now();
        stopGameClock();
        clock.join();
        stopMs.push_back(std::chrono::duration<double, std::milli>(steady_clock::now() - start).count());
        ASSERT_TRUE(ticked) << "the first tick did not come";
        EXPECT_EQ(game.tick, next) << "no tick after play ended";
    }
    std::sort(stopMs.begin(), stopMs.end());
    EXPECT_LT(stopMs[2], 50.0) << "median stop";
    EXPECT_LT(stopMs[4], 1000.0) << "a stop waited for the next tick";
}

// A death on the clock's tick while the player has typed nothing: the line
// editor, waiting for a key with no timeout, is woken and gives up the line.
TEST_F(ClockThreadTest, AnEndingOnItsTickWakesTheLineEditor) {
    SilentTerminal terminal;
    setConsole(&terminal);
    setEndingRecorder(nullptr);
    game.tick = 100;
    scheduleEvent(1, starveNow);  // on the clock's first tick

    std::atomic<bool> returned{false};
    std::string line = "none";
    std::thread editor([&] {
        line = readInputLine();
        returned = true;
    });
    EXPECT_TRUE(terminal.readerWaits());
    std::thread clock([] { runGameClock(std::chrono::hours(1)); });
    auto giveUp = steady_clock::now() + std::chrono::seconds(5);
    while (!returned && steady_clock::now() < giveUp) std::this_thread::yield();
    const bool wokenByTheClock = returned;
    if (!returned) terminal.wake();  // free the editor: play is over by now
    editor.join();
    clock.join();  // the tick that ended play was its last

    EXPECT_TRUE(wokenByTheClock) << "the line editor slept on after play ended";
    EXPECT_EQ(line, "");
    EXPECT_EQ(game.ending, Ending::Starved);
    EXPECT_EQ(game.tick, 101);
    setConsole(&screen);
}
