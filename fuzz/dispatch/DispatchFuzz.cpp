// Command lines dispatched on the shipped world. Each input is several
// lines (split at line breaks); a line starting with '!' lets one clock
// tick pass instead. The questions some commands ask (the raft, sailing)
// read from a scripted input that runs out, so they always return.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "../FuzzSupport.h"
#include "clock/Clock.h"
#include "console/Input.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "game/Commands.h"
#include "base/Random.h"
#include "world/World.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"

namespace {
struct Setup {
    MemoryConsole screen;
    FuzzDataDir data{"dispatch"};
    Setup() {
        setConsole(&screen);
        data.buildFromContent();
        setFixedSeconds(1000);
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup setup;
    setup.screen.clearInput();
    resetInputState();
    resetGameState();
    reseed(7);
    setUpConsole();
    game.player.name = "Fuzz";
    if (!loadGame(1)) std::abort();  // the shipped world always loads
    game.running = 1;
    game.debugMode = 1;

    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    for (int count = 0; count < 64 && std::getline(lines, line); ++count) {
        if (!line.empty() && line[0] == '!') {
            advanceOneTick();
            continue;
        }
        dispatchCommand(line.c_str());
        if (!game.player.currentRoom) std::abort();
        game.running = 1;  // "quit" ends nothing here: go on with the next line
    }
    freeAllLists();
    return 0;
}
