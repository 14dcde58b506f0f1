#include "game/MainLoop.h"

#include <mutex>
#include <optional>
#include <thread>

#include "clock/Clock.h"
#include "console/CommandHistory.h"
#include "console/Input.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "game/CommandLine.h"
#include "game/Commands.h"
#include "game/Days.h"
#include "game/Ending.h"
#include "game/FrontMenu.h"
#include "game/LoadGame.h"
#include "game/Movement.h"
#include "game/SaveReport.h"
#include "game/Things.h"
#include "game/Tick.h"
#include "game/TranscriptCommand.h"
#include "persist/Persist.h"
#include "world/GameLock.h"
#include "world/World.h"

namespace {
// A closed input (end of a piped script) ends the game as "quit" does.
std::string nextCommandLine(CommandHistory& history) {
    std::string line = readInputLine(&history);
    if (line.empty() && inputClosed()) game.running = 0;
    return line;
}
}  // namespace

// Once play has ended (a death in the night while the line was typed)
// the line is dropped. A command that ends play is followed by the final
// save alone.
void dispatchTypedLine(const std::string& line, bool autosave) {
    std::lock_guard lock(gameLock());
    if (!game.running) return;
    // A command entered just as an islander walked up is no answer to him;
    // the history keeps it.
    if (lineWasOvertaken() && !game.clockRunning) return;
    HeldOutput heldOutput;  // the command's whole answer reaches the screen at once
    dispatchCommand(line.c_str());
    if (autosave && game.running && game.tick % 2 != 0) autosaveAndReport();
}

namespace {
// Everything a game before this one left, gone; the screen set up.
void prepareRun() {
    connectCommandLine();
    setUpConsole();
    resetGameState();
    resetSaveReport();
    forgetLastCommand();
    setEndingRecorder(nullptr);
}

// The front menu until a game opens, then its first screen; false when
// the input closed at the menu. The start of play (the opening scene, the
// help and the room) stops after each screenful as one text: on a short
// screen the opening is read before the help follows it.
bool openGame() {
    std::optional<PagedOutput> opening;
    while (true) {
        int choice = frontMenu();
        if (inputClosed()) return false;
        opening.emplace();
        if (loadGame(choice)) {
            if (choice == 0) noteLoadedSave();
            break;
        }
        releaseSaveClaim();  // the game was not opened: another window may have it
        opening.reset();
    }
    loadThings();
    showDayInFrame();
    showHelp();
    showRoom();
    return true;
}

// Commands until play ends, the clock running from the first one on, then
// the final save; true when it was saved.
bool playUntilTheEnd(std::chrono::milliseconds clockPeriod) {
    // While a conversation holds the clock, a line is a lettered answer, not a command.
    CommandHistory history([] { return game.clockRunning != 0; });
    std::string first = nextCommandLine(history);
    std::thread clock([clockPeriod] { runGameClock(clockPeriod); });
    dispatchTypedLine(first, false);
    while (game.running) {
        std::string line = nextCommandLine(history);
        dispatchTypedLine(line, true);
    }
    stopGameClock();
    bool saved = false;
    {
        std::lock_guard lock(gameLock());
        saved = finalSaveAndReport();
        finishTranscript();
    }
    clock.join();
    return saved;
}
}  // namespace

int runGame(std::chrono::milliseconds clockPeriod) {
    prepareRun();
    if (!openGame()) return 0;
    // Runs under the game lock, where the ending comes.
    setEndingRecorder([] { autosaveAndReport(); });
    game.running = 1;
    game.debugMode = 1;
    const bool saved = playUntilTheEnd(clockPeriod);
    setEndingRecorder(nullptr);
    freeAllLists();
    return saved ? 0 : 1;
}

std::string closingWords() {
    std::string words = plainEndingText();
    words += lastSaveFailureLine();
    return words;
}
