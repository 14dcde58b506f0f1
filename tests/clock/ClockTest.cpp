#include "TestSupport.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "clock/Clock.h"
#include "game/MorningTexts.h"
#include "game/Commands.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"

namespace {

int completions = 0;
std::vector<char> eventsRun;
void countCompletion() { ++completions; }
void eventA() { eventsRun.push_back('A'); }
void eventB() { eventsRun.push_back('B'); }

// A draw nobody would get from the generator: still queued means nobody drew.
constexpr int kSentinel = 1234567;

}  // namespace

class ClockTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        completions = 0;
        eventsRun.clear();
        game.tick = 300;  // day 2, tick of day 60
        game.day = 2;
        // Nobody on the island: the clock alone is under test.
        for (Npc& npc : game.islanders) npc.gender = -1;
    }
    // One tick, and what it printed.
    std::string tickOnce() {
        ++game.tick;
        onTick();
        return output();
    }
    // Puts the clock just before the given tick of the current day.
    void clockBefore(int tickOfDay) { game.tick = (game.day - 1) * kTicksPerDay + tickOfDay - 1; }
};

TEST_F(ClockTest, RaftStepPrintsProgressNineTimesThenFinish) {
    startWork(1, 10, "You lash another log.", "The raft's frame is done.");
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(tickOnce(), "You lash another log.\n") << "tick T+" << k;
    EXPECT_EQ(tickOnce(), "The raft's frame is done.\n");
    EXPECT_EQ(game.work.remaining, 0);
    EXPECT_EQ(tickOnce(), "");
}

TEST_F(ClockTest, SharpeningTimelineWithCompletionAndBusyPeriod) {
    startWork(2, 4, "You grind the rock.", "The rock is sharp.");
    setBusy(4, "You are busy sharpening.");
    scheduleEvent(4, countCompletion);
    EXPECT_EQ(tickOnce(), "You grind the rock.\n");  // T+1
    EXPECT_EQ(tickOnce(), "");                          // T+2
    EXPECT_EQ(tickOnce(), "The rock is sharp.\n");    // T+3
    ASSERT_NE(isBusy(), nullptr);
    EXPECT_STREQ(isBusy(), "You are busy sharpening.");
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(tickOnce(), "");  // T+4
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(isBusy(), nullptr);
    EXPECT_EQ(game.busyUntil, 0);
    EXPECT_TRUE(game.busyMessage.empty());
    tickOnce();
    EXPECT_EQ(completions, 1);  // the slot is not cleared but never matches again
}

TEST_F(ClockTest, TasksShorterThanTheirInterval) {
    startWork(2, 1, "progress", "finish");
    EXPECT_EQ(tickOnce(), "");
    EXPECT_EQ(game.work.remaining, 0);
    EXPECT_EQ(game.work.finishText.view(), "finish");  // never printed, so kept

    startWork(1, 1, "progress", nullptr);  // keeps the unprinted finish text
    EXPECT_EQ(tickOnce(), "finish\n");
    EXPECT_TRUE(game.work.finishText.empty());

    startWork(1, 2, "still working", nullptr);  // no finish text left: progress twice
    EXPECT_EQ(tickOnce(), "still working\n");
    EXPECT_EQ(tickOnce(), "still working\n");
}

TEST_F(ClockTest, ALaterScheduleReplacesThePendingEvent) {
    scheduleEvent(4, eventA);
    tickOnce();
    scheduleEvent(1, eventB);
    for (int i = 0; i < 6; ++i) tickOnce();
    EXPECT_EQ(eventsRun, std::vector<char>{'B'});
}

TEST_F(ClockTest, NoonDuskAndBedtimeByTickOfDay) {
    clockBefore(kNoonTick);
    EXPECT_EQ(tickOnce(), "/YThe sun reaches its apex for the day and you note that it is about noon time.\n");
    clockBefore(kDuskTick);
    EXPECT_EQ(tickOnce(),
              "The sun slowly begins to sink past the horizon and darkness creeps across the land. It is now dusk.\n");
    clockBefore(kBedtimeTick);
    EXPECT_EQ(tickOnce(), "It's getting late and you decide to suddenly pass out for a night's sleep.\n");
    EXPECT_EQ(game.busyUntil, game.tick + kSleepTicks);
}

TEST_F(ClockTest, BedtimeSleepLastsUntilTheNewDay) {
    makeRoom(0, 8, "Beach", "Sand everywhere.");
    startWork(1, 30, "Hammering.", nullptr);
    setBusy(30, "You are building.");
    clockBefore(kBedtimeTick);
    tickOnce();
    EXPECT_STREQ(isBusy(), "What? In your sleep?\n");  // replaces the task's refusal
    game.work.remaining = 0;

    clockBefore(239);
    tickOnce();
    output();
    dispatchCommand("look");
    EXPECT_EQ(output(), "What? In your sleep?\n\n");

    std::string morning = tickOnce();  // tick 480: day 3 begins
    EXPECT_EQ(game.day, 3);
    EXPECT_NE(morning.find(morningText(3)), std::string::npos);
    dispatchCommand("look");
    EXPECT_EQ(output().rfind("/GSand everywhere.\n", 0), 0u);
}

TEST_F(ClockTest, NewDayAndWanderingShareTheTick) {
    game.day = 1;
    game.tick = 238;
    queueDraws({kSentinel});
    tickOnce();  // 239: neither a new day nor a wandering step
    EXPECT_EQ(game.day, 1);
    tickOnce();  // 240
    EXPECT_EQ(game.day, 2);
    EXPECT_NE(draw(), kSentinel);  // the wandering step took the queued draw
}

TEST_F(ClockTest, DayskipThenTheNextTickBeginsThatDay) {
    game.debugMode = 1;
    dispatchCommand("dayskip 5");
    EXPECT_EQ(output(), "");
    std::string morning = tickOnce();
    EXPECT_EQ(game.tick, 960);
    EXPECT_EQ(game.day, 5);
    EXPECT_EQ(morning, std::string(morningText(5)) + "/wNobody was killed in the night.\n");
    while (game.tick < 1004) tickOnce();
    EXPECT_EQ(tickOnce(), "/YThe sun reaches its apex for the day and you note that it is about noon time.\n");
}

TEST_F(ClockTest, StoppedClockOrEndedGameAdvancesNothing) {
    int start = game.tick;
    game.clockRunning = 0;  // a conversation is open
    advanceOneTick();
    EXPECT_EQ(game.tick, start);
    game.clockRunning = 1;
    advanceOneTick();
    EXPECT_EQ(game.tick, start + 1);
    game.running = 0;
    advanceOneTick();
    EXPECT_EQ(game.tick, start + 1);
}

// A hidden browser tab holds the clock: the hold's save runs once, no tick
// comes until the release, and play can still end while held.
TEST_F(ClockTest, AHeldClockSavesOnceAndStandsStillUntilReleased) {
    using namespace std::chrono_literals;
    struct Release {
        ~Release() { holdGameClock(false); }
    } releaseAtTheEnd;
    const auto waitUntil = [](auto condition) {
        for (auto deadline = std::chrono::steady_clock::now() + 10s; !condition();)
            if (std::chrono::steady_clock::now() > deadline) return false;
            else std::this_thread::sleep_for(1ms);
        return true;
    };
    std::atomic<int> ticks{0}, holds{0};
    game.running = 1;
    holdGameClock(true);  // hidden before the clock starts
    std::thread clock([&] { EXPECT_FALSE(runClockThread(1ms, [&] { ++ticks; }, [&] { ++holds; })); });
    ASSERT_TRUE(waitUntil([&] { return holds == 1; }));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(holds, 1);

    holdGameClock(false);
    EXPECT_TRUE(waitUntil([&] { return ticks >= 3; }));
    holdGameClock(true);
    EXPECT_TRUE(waitUntil([&] { return holds == 2; }));
    const int ticksWhenHeld = ticks;
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(ticks, ticksWhenHeld);

    stopGameClock();  // the held clock ends with play
    clock.join();
    EXPECT_EQ(holds, 2);
}

TEST_F(ClockTest, BusyEndsExactlyAtItsTick) {
    setBusy(2, "Wait.");
    ++game.tick;
    EXPECT_STREQ(isBusy(), "Wait.");
    ++game.tick;
    EXPECT_EQ(isBusy(), nullptr);
    EXPECT_EQ(game.busyUntil, 0);
}
