// The island map: a fuzzed Data/map.txt shown with the player on a
// chosen square. Byte 0 is the area, byte 1 the room, the rest the file.
#include <cstdint>
#include <string_view>

#include "../FuzzSupport.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "world/World.h"
#include "items/Items.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryConsole screen;
    static FuzzDataDir dir("map");
    setConsole(&screen);
    if (size < 2) return 0;
    resetGameState();
    clearScrollback();
    game.items[0].name = "map";
    addToList(game.player.inventory, &game.items[0]);
    game.player.currentRoom = roomAt(data[0] % kAreaCount, data[1] % kRoomsPerArea);
    std::string_view file(reinterpret_cast<const char*>(data + 2), size - 2);
    writeFileAtomically(dataPath("map.txt"), file, false);
    showMap();
    freeAllLists();
    return 0;
}
