// Feeds arbitrary bytes to the save and world loaders: they must never
// read or write out of bounds, whatever the save loader accepts must
// save and load back to the very same text, and a save it refuses must
// leave the game exactly as it was (nothing of it half installed). The same bytes are also
// scrambled into files and read the way the game reads them: as the
// player's save (loadGame) and as the initial world (loadInitialWorld).
//   fuzz/build.sh && mkdir -p /tmp/save-work &&
//   build-fuzz/SaveFuzz /tmp/save-work fuzz/save/corpus -max_total_time=300
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../FuzzSupport.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "world/World.h"
#include "base/Codec.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"

namespace {
struct Setup {
    MemoryConsole screen;
    FuzzDataDir data{"save"};
    Setup() { setConsole(&screen); }
};

void writeScrambled(const std::string& path, std::string_view plain) {
    writeFileAtomically(realPath(path), scrambleBytes(plain, ".ims", scrambleKey(path)), false);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup setup;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    resetGameState();
    game.tick = 4321;  // a game in hand
    const std::string before = saveText();
    if (loadSaveText(bytes)) {
        std::string saved = saveText();
        resetGameState();
        if (!loadSaveText(saved) || saveText() != saved) std::abort();
    } else if (saveText() != before) {
        std::abort();
    }
    // The scrambled header check on the same bytes.
    if (auto twin = unscrambleBytes(bytes, 0x5A)) {
        if (scrambleBytes(twin->bytes, twin->extension, 0x5A) != bytes) std::abort();
    }

    // The player's save file, scrambled on disk.
    resetGameState();
    game.player.name = "Fuzz";
    writeScrambled(saveGamePath("Fuzz"), bytes);
    game.tick = 4321;
    const std::string held = saveText();
    int loaded = loadGame(0);
    if (loaded && !game.player.currentRoom) std::abort();
    if (!loaded && saveText() != held) std::abort();

    // The same bytes as the world a new game starts from.
    resetGameState();
    writeScrambled(gamePath("initial.mox"), bytes);
    if (loadGame(1) && !game.player.currentRoom) std::abort();
    freeAllLists();
    return 0;
}
