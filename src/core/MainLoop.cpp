#include "core/MainLoop.h"

#include <mutex>
#include <thread>

#include "clock/Clock.h"
#include "clock/Days.h"
#include "console/Input.h"
#include "console/LineEditor.h"
#include "console/Screen.h"
#include "core/Commands.h"
#include "core/FrontMenu.h"
#include "core/GameLock.h"
#include "core/Movement.h"
#include "core/Things.h"
#include "core/World.h"
#include "persist/Persist.h"

namespace {
// A closed input (end of a piped script) ends the game as "quit" does.
std::string nextCommandLine() {
    std::string line = readInputLine();
    if (line.empty() && inputClosed()) game.running = 0;
    return line;
}

void dispatchLocked(const std::string& line, bool autosave) {
    std::lock_guard lock(gameLock());
    if (!game.running && line.empty()) return;
    dispatchCommand(line.c_str());
    if (autosave && game.tick % 2 != 0) saveGame();
}
}  // namespace

int runGame(std::chrono::milliseconds clockPeriod) {
    setUpConsole();
    resetGameState();
    while (true) {
        int choice = frontMenu();
        if (inputClosed()) return 0;
        if (loadGame(choice)) break;
    }
    loadThings();
    showDayInFrame();
    showHelp();
    showRoom();
    game.running = 1;
    game.debugMode = 1;

    std::string first = nextCommandLine();
    std::thread clock([clockPeriod] { runGameClock(clockPeriod); });
    dispatchLocked(first, false);
    while (game.running) {
        std::string line = nextCommandLine();
        dispatchLocked(line, true);
    }
    {
        std::lock_guard lock(gameLock());
        saveGame();
    }
    clock.join();
    freeAllLists();
    return 0;
}
