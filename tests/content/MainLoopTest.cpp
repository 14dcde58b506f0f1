// The whole program's loop on the built island: menu, play, final save.
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "WorldFixture.h"
#include "clock/Clock.h"
#include "world/GameLock.h"
#include "game/MainLoop.h"
#include "base/Paths.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"
#include "game/Tick.h"
#include "base/LockOrderTesting.h"
#include "world/Places.h"

namespace fs = std::filesystem;

class MainLoopTest : public WorldFixture {
protected:
    // The clock's period is an hour: it ticks once when it starts, then waits.
    int play() { return runGame(std::chrono::hours(1)); }
};

TEST_F(MainLoopTest, NewGameThenQuitLeavesOnlyTheScrambledSave) {
    screen.typeText("a");
    screen.typeText("tESTER smith");
    screen.typeText("e");
    screen.typeText("quit");
    EXPECT_EQ(play(), 0);
    EXPECT_EQ(game.running, 0);
    EXPECT_TRUE(fs::exists(dataPath("Tester.mox")));
    EXPECT_FALSE(fs::exists(dataPath("Tester.ims")));
    EXPECT_GE(game.tick, 1) << "a new game's clock starts at tick 1";

    resetGameState();
    game.player.name = "Tester";
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke)->exits[East]);
}

TEST_F(MainLoopTest, TheEndOfInputEndsTheGameAsQuitDoes) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("get pebble");
    EXPECT_EQ(play(), 0);
    EXPECT_TRUE(fs::exists(dataPath("Robin.mox")));
    resetGameState();
    game.player.name = "Robin";
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(heldCount("pebble"), 1);
}

TEST_F(MainLoopTest, ALoadedGameGoesOnFromItsSave) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("get shell");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    screen.typeText("c");
    screen.typeText("robin");
    screen.typeText("drop shell");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    EXPECT_EQ(heldCount("shell"), 0);
    EXPECT_GE(game.tick, 1) << "the loaded game kept its ticks";
}

TEST_F(MainLoopTest, UpBringsBackAnEarlierCommand) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("get pebble");
    screen.typeText("drop pebble");
    screen.pushEvent(InputEvent::special(KeyCode::ArrowUp));
    screen.pushEvent(InputEvent::special(KeyCode::ArrowUp));
    screen.pushEvent(InputEvent::special(KeyCode::Enter));
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    resetGameState();
    game.player.name = "Robin";
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(heldCount("pebble"), 1) << "the pebble was picked up again";
}

namespace {
// Scripted keys with hooks: an arrow key (which the line editor ignores)
// in the script runs the next hook before it is handed over, as if
// something happened while the player was typing. It runs no key pauses,
// so a hook may run a tick that prints an ending.
class HookConsole : public MemoryConsole {
public:
    std::deque<std::function<void()>> hooks;
    void typeHook(std::function<void()> hook) {
        hooks.push_back(std::move(hook));
        pushEvent(InputEvent::special(KeyCode::Other));
    }
    InputEvent nextEvent(int timeoutMs) override {
        InputEvent e = MemoryConsole::nextEvent(timeoutMs);
        if (e.type == InputEvent::Type::Key && e.key == KeyCode::Other && !hooks.empty()) {
            auto hook = std::move(hooks.front());
            hooks.pop_front();
            LockOrderUnchecked standInForTheClock;  // the hook runs under the input lock
            hook();
        }
        return e;
    }
    bool interactive() const override { return false; }
    // What Sam's save on disk is at each pause of the credits.
    std::vector<SaveState> savesDuringCredits;
    void sleepMs(int ms) override {
        if (ms == 750) savesDuringCredits.push_back(inspectSave("Sam").state);
        MemoryConsole::sleepMs(ms);
    }
};

int lockedTick() {
    std::lock_guard lock(gameLock());
    return game.tick;
}

// The clock thread ticks once as play begins (its period is an hour):
// waits for that tick, so the script's own ticks come after it.
void waitForTheClocksFirstTick(int loadedTick) {
    for (int i = 0; i < 500 && lockedTick() == loadedTick; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_NE(lockedTick(), loadedTick);
}
}  // namespace

TEST_F(MainLoopTest, ADeathInTheNightDropsTheLineBeingTypedAndIsSavedBeforeTheCredits) {
    // At the open keypad wall, the laboratory one step north, the murderer
    // ready to strike and nobody else left for him to pick.
    game.player.currentRoom = roomAt(kKeypadWall);
    connectRooms(*roomAt(kKeypadWall), *roomAt(kLaboratory), North);
    game.murderer->hostility = 100;
    game.murderer->happiness = 0;
    game.islanderCount = 0;
    game.day = 4;
    game.tick = 958;
    ASSERT_EQ(saveGame(), 0);

    HookConsole keys;
    setConsole(&keys);
    keys.typeText("c");
    keys.typeText("Sam");
    keys.typeText("look");
    keys.typeText("nor", false);
    keys.typeHook([] {
        waitForTheClocksFirstTick(958);
        advanceOneTick();  // midnight: day 5 begins, and the murderer comes
    });
    keys.typeText("th");
    EXPECT_EQ(runGame(std::chrono::hours(1)), 0);
    setConsole(&screen);

    std::string shown = output();
    EXPECT_NE(shown.find("kills you in cold blood"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("long hallway"), std::string::npos) << "the dead player walked into the laboratory";
    EXPECT_EQ(game.player.currentRoom, roomAt(kKeypadWall));
    EXPECT_EQ(inspectSave("Sam").ending, Ending::Murdered);
    // Stopped during the credits (Ctrl+C), the program would leave a finished game too.
    ASSERT_FALSE(keys.savesDuringCredits.empty());
    for (SaveState state : keys.savesDuringCredits) EXPECT_EQ(state, SaveState::Over);
    initAllLists();  // the loop freed them; the fixture frees them again
}

TEST_F(MainLoopTest, AFailingSaveIsToldOnceAndItsMendingToo) {
    game.tick = 100;
    ASSERT_EQ(saveGame(), 0);
    fs::path goodData = dataDirectory();
    // Data inside a regular file: nothing can be written there, not even by root.
    fs::path blocker = goodData / "blocker";
    std::ofstream(blocker) << "a file, not a directory";
    auto breakData = [blocker] { setDataDirectory(blocker / "Data"); };
    auto mendData = [goodData] { setDataDirectory(goodData); };

    HookConsole keys;
    setConsole(&keys);
    keys.typeText("c");
    keys.typeText("Sam");
    keys.typeText("look");
    keys.typeHook([breakData] {
        waitForTheClocksFirstTick(100);
        breakData();
    });
    keys.typeText("dayskip 3");  // tick 479: an autosave, which fails
    keys.typeText("dayskip 5");  // 959: fails again, quietly
    keys.typeHook(mendData);
    keys.typeText("dayskip 6");  // 1199: saved again
    keys.typeHook(breakData);
    keys.typeText("quit");  // the final save fails
    int status = runGame(std::chrono::hours(1));
    setDataDirectory(goodData);
    setConsole(&screen);

    EXPECT_NE(status, 0) << "a game that could not be saved does not end with success";
    std::string shown = output();
    const std::string failed = "/RThe game could not be saved (Not a directory); the last save is kept.\n";
    std::size_t first = shown.find(failed);
    std::size_t mended = shown.find("/GThe game is saved again.\n");
    std::size_t last = shown.rfind(failed);
    ASSERT_NE(first, std::string::npos) << shown;
    ASSERT_NE(mended, std::string::npos) << shown;
    EXPECT_LT(first, mended);
    EXPECT_GT(last, mended) << "the final save tells its failure";
    EXPECT_EQ(shown.find(failed, first + 1), last) << "told once while failing, then once at the end";
    EXPECT_NE(closingWords().find("The game could not be saved (Not a directory)"), std::string::npos);

    // The save that worked is the one on disk.
    resetGameState();
    game.player.name = "Sam";
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.tick, 1199);
}

TEST_F(MainLoopTest, ThePlayedDayIsOnTheTopLineAndTheThingsAreThereToLookAt) {
    screen.typeText("a");
    screen.typeText("Robin");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    EXPECT_NE(screen.rowText(0).find(" Day 1 "), std::string::npos) << screen.rowText(0);
    // The save moves on to the afternoon of day 6, well away from a morning.
    resetGameState();
    game.player.name = "Robin";
    ASSERT_EQ(loadGame(0), 1);
    game.day = 6;
    game.tick = 5 * 240 + 100;
    saveGame();

    screen.typeText("c");
    screen.typeText("robin");
    screen.typeText("tele 9 7");
    screen.typeText("look slots");
    screen.typeText("quit");
    ASSERT_EQ(play(), 0);
    EXPECT_NE(screen.rowText(0).find(" Day 6 "), std::string::npos) << screen.rowText(0);
    std::string shown = output();
    EXPECT_NE(shown.find("Three hollows a hand deep"), std::string::npos) << shown;
}

namespace {
// The text area as it stands whenever a "/s" pause waits for its key.
class PauseScreens : public MemoryConsole {
public:
    std::vector<std::string> screens;
    InputEvent nextEvent(int timeoutMs) override {
        const int bottom = screenLayout().textBottom;
        if (cell(1, bottom).ch == 25) {
            std::string shown;
            for (int y = 1; y <= bottom; ++y) shown += rowText(y, 1, 78) + "\n";
            screens.push_back(shown);
        }
        return MemoryConsole::nextEvent(timeoutMs);
    }
};
}  // namespace

TEST_F(MainLoopTest, OnAShortScreenPlayBeginsWithTheOpeningSceneThenStops) {
    PauseScreens keys;
    keys.resize(24);
    setConsole(&keys);
    keys.typeText("a");
    keys.typeText("Tester");
    for (int i = 0; i < 3; ++i) keys.pushEvent(InputEvent::character(' '));
    keys.typeText("quit");
    EXPECT_EQ(play(), 0);
    setConsole(&screen);
    setScreenHeight(kDefaultScreenHeight);

    // The opening scene, the help and the room make one text, read a page at a time.
    ASSERT_EQ(keys.screens.size(), 2u);
    EXPECT_NE(keys.screens[0].find("You slowly wake up"), std::string::npos) << keys.screens[0];
    EXPECT_NE(keys.screens[0].find("useful game commands"), std::string::npos) << keys.screens[0];
    EXPECT_NE(keys.screens[1].find("verbose, brief"), std::string::npos) << keys.screens[1];
}
