// The closer looks: a fuzzed things file is read, and every name it gives
// is looked at in its room, so a record of any shape is shown or refused.
#include <cstdint>
#include <sstream>
#include <string>

#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "game/Movement.h"
#include "game/Things.h"
#include "world/World.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryConsole screen;
    setConsole(&screen);
    resetGameState();
    clearScrollback();
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    setThings(readThings(file));
    for (const Thing& thing : things()) {
        Room* room = roomAt(thing.area, thing.room);
        if (!room) __builtin_trap();  // the reader keeps only rooms of the table
        room->description = "A room with a crab.";
        game.player.currentRoom = room;
        for (const std::string& name : thing.names) lookCommand(name.c_str());
        lookCommand("crab");
    }
    setThings({});
    freeAllLists();
    return 0;
}
