#include "core/MainLoop.h"

#include <mutex>
#include <thread>

#include "clock/Clock.h"
#include "clock/Days.h"
#include "console/Input.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "core/CommandLine.h"
#include "core/Commands.h"
#include "core/Ending.h"
#include "core/FrontMenu.h"
#include "core/GameLock.h"
#include "core/Movement.h"
#include "core/SaveReport.h"
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

// Once play has ended (a death in the night while the line was typed)
// the line is dropped. A command that ends play is followed by the final
// save alone.
void dispatchLocked(const std::string& line, bool autosave) {
    std::lock_guard lock(gameLock());
    if (!game.running) return;
    HeldOutput heldOutput;  // the command's whole answer reaches the screen at once
    dispatchCommand(line.c_str());
    if (autosave && game.running && game.tick % 2 != 0) autosaveAndReport();
}
}  // namespace

int runGame(std::chrono::milliseconds clockPeriod) {
    connectCommandLine();
    setUpConsole();
    resetGameState();
    resetSaveReport();
    setEndingRecorder(nullptr);
    while (true) {
        int choice = frontMenu();
        if (inputClosed()) return 0;
        if (loadGame(choice)) break;
    }
    loadThings();
    showDayInFrame();
    showHelp();
    showRoom();
    // Runs under the game lock, where the ending comes.
    setEndingRecorder([] { autosaveAndReport(); });
    game.running = 1;
    game.debugMode = 1;

    std::string first = nextCommandLine();
    std::thread clock([clockPeriod] { runGameClock(clockPeriod); });
    dispatchLocked(first, false);
    while (game.running) {
        std::string line = nextCommandLine();
        dispatchLocked(line, true);
    }
    bool saved = false;
    {
        std::lock_guard lock(gameLock());
        saved = finalSaveAndReport();
    }
    clock.join();
    setEndingRecorder(nullptr);
    freeAllLists();
    return saved ? 0 : 1;
}

std::string closingWords() {
    std::string words = plainEndingText();
    if (!lastSaveFailure().empty())
        words += "The game could not be saved (" + lastSaveFailure() + "); the last save is kept.\n";
    return words;
}
