// While a question inside a command waits, the clock's lines reach the
// screen as they come, the question is asked again below them and what the
// player typed stays; an answer given once sleep has come counts as no.
#include <chrono>
#include <thread>

#include "base/RandomTesting.h"
#include "console/WaitingConsole.h"
#include "game/MainLoop.h"
#include "raft/RaftWorld.h"

namespace {
const char* kRaftQuestion = "Would you like to start construction on your raft? (Yes or No)";
const char* kSailQuestion = "Do you really want to set sail? (yes or no)";
const char* kPassengerQuestion = "separated by commas.)";  // the last of its two lines
const char* kNoon = "about noon time.";
const char* kBedtime = "It's getting late and you decide to suddenly pass out for a night's sleep.";
const char* kAsleep = "Sleep took you before you answered. Nothing was done.";
}  // namespace

class QuestionClockTest : public RaftTest {
protected:
    WaitingConsole terminal;
    std::thread player;

    void SetUp() override {
        RaftTest::SetUp();
        setConsole(&terminal);
        setUpConsole();
    }
    void TearDown() override {
        if (player.joinable()) {
            terminal.send(InputEvent::special(KeyCode::Enter));
            player.join();
        }
        setConsole(&screen);
        RaftTest::TearDown();
    }
    // The command as the main loop obeys it, on a thread of its own.
    void command(const char* line) {
        player = std::thread([line] { dispatchTypedLine(line, false); });
    }
    void answer(const std::string& typed) {
        for (char c : typed) terminal.send(InputEvent::character(c));
        terminal.send(InputEvent::special(KeyCode::Enter));
    }
    void awaitAnswerTaken() { player.join(); }
    // The text area's rows that hold something, oldest first.
    std::vector<std::string> shownLines() {
        std::vector<std::string> lines;
        for (int row = 1; row <= screenLayout().textBottom; ++row) {
            std::string text = terminal.rowText(row, 1, 78);
            if (!text.empty()) lines.push_back(text);
        }
        return lines;
    }
    std::string lastLine() {
        std::vector<std::string> lines = shownLines();
        return lines.empty() ? std::string() : lines.back();
    }
    bool awaitLastLineEndingWith(const std::string& text) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            std::string last = lastLine();
            if (last.size() >= text.size() && last.compare(last.size() - text.size(), text.size(), text) == 0) return true;
            std::this_thread::yield();
        }
        return false;
    }
    int timesShown(const std::string& text) {
        int n = 0;
        for (const std::string& line : shownLines()) n += line.find(text) != std::string::npos;
        return n;
    }
    std::string typedSoFar() { return terminal.rowText(screenLayout().inputRow, kFirstInputColumn, kLastInputColumn + 1); }
    void typeWithoutEnter(const std::string& typed) {
        for (char c : typed) terminal.send(InputEvent::character(c));
        ASSERT_TRUE(terminal.drained(std::chrono::seconds(5)));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (typedSoFar() != typed && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        ASSERT_EQ(typedSoFar(), typed);
    }
    // The clock's next tick, handed by this thread, falls on this tick of the day.
    void tickAt(int tickOfDay) {
        {
            std::lock_guard lock(gameLock());
            game.tick = (game.day - 1) * kTicksPerDay + tickOfDay - 1;
        }
        advanceOneTick();
    }
    void startAt(int tickOfDay) { game.tick = (game.day - 1) * kTicksPerDay + tickOfDay; }
};

TEST_F(QuestionClockTest, TheRaftQuestionHearsNoonAndIsAskedAgainBelowIt) {
    give("wood", 3);
    give("rope");
    startAt(40);
    command("boat");
    ASSERT_TRUE(awaitLastLineEndingWith(kRaftQuestion));
    typeWithoutEnter("ye");

    tickAt(45);
    std::vector<std::string> lines = shownLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find(kNoon), std::string::npos) << "noon shows while the question waits";
    EXPECT_EQ(lines.back(), kRaftQuestion) << "and the question is asked again below it";
    EXPECT_EQ(typedSoFar(), "ye") << "what was typed stays";

    tickAt(46);  // a tick that says nothing asks nothing again
    EXPECT_EQ(timesShown(kRaftQuestion), 2);

    answer("s");
    awaitAnswerTaken();
    EXPECT_EQ(game.raftState, 1) << "the answer typed across the tick counts";
    tickAt(47);
    EXPECT_EQ(lastLine(), "Constructing raft...") << "once answered, the question is not asked again";
    EXPECT_EQ(timesShown(kRaftQuestion), 2);
}

TEST_F(QuestionClockTest, AnAnswerAfterSleepCameBuildsNothing) {
    give("wood", 3);
    give("rope");
    startAt(220);
    command("boat");
    ASSERT_TRUE(awaitLastLineEndingWith(kRaftQuestion));

    tickAt(225);
    std::vector<std::string> lines = shownLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], kBedtime);
    EXPECT_EQ(lines.back(), kRaftQuestion);

    answer("yes");
    awaitAnswerTaken();
    EXPECT_EQ(lastLine(), kAsleep);
    EXPECT_EQ(game.raftState, 0);
    EXPECT_EQ(held("wood"), 3);
    EXPECT_EQ(held("rope"), 1);
}

TEST_F(QuestionClockTest, BothSailingQuestionsHearTheClockAndSleepCallsTheVoyageOff) {
    raft().name = "Junky Raft";
    lay("Junky Raft");
    game.raftState = 20;
    queueDraws({0});
    startAt(40);
    command("sail");
    ASSERT_TRUE(awaitLastLineEndingWith(kSailQuestion));
    typeWithoutEnter("y");
    tickAt(45);
    std::vector<std::string> lines = shownLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find(kNoon), std::string::npos);
    EXPECT_EQ(lines.back(), kSailQuestion);
    EXPECT_EQ(typedSoFar(), "y");

    answer("es");
    ASSERT_TRUE(awaitLastLineEndingWith(kPassengerQuestion));
    typeWithoutEnter("mary");
    tickAt(225);
    lines = shownLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], kBedtime);
    EXPECT_TRUE(lines.back().ends_with(kPassengerQuestion)) << "the passengers' question is asked again too";
    EXPECT_EQ(typedSoFar(), "mary");

    answer("");
    awaitAnswerTaken();
    EXPECT_EQ(lastLine(), kAsleep) << "asleep, nobody sails, not even alone";
    EXPECT_EQ(game.running, 1);
    EXPECT_EQ(game.ending, Ending::None);
    EXPECT_EQ(onFloor("junky raft"), 1);
}
