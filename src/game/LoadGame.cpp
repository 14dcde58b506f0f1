#include "game/LoadGame.h"

#include <optional>
#include <string>

#include "base/Paths.h"
#include "console/Output.h"
#include "game/Days.h"
#include "game/UseHandlers.h"
#include "islanders/Islanders.h"
#include "items/Items.h"
#include "persist/Persist.h"
#include "world/Places.h"

namespace {
constexpr const char* kWorldPath = "Data\\initial.mox";

// A save installed: the catalogue's handlers attached by its names.
bool loadSaveBody(std::string_view text) {
    if (!installSaveText(text)) return false;
    registerUseHandlers();
    return true;
}
}  // namespace

int loadSaveText(std::string_view text) {
    initAllLists();
    return loadSaveBody(text) ? 1 : 0;
}

int loadInitialWorld() {
    std::optional<std::string> text = readPlainTwin(realPath(kWorldPath), kWorldPath, ".ims");
    if (!text) return 0;
    game.islanderCount = 0;
    game.day = 1;
    game.tick = 0;
    game.player.currentRoom = roomAt(kWhereYouWoke);
    game.clockRunning = 1;
    createIslanders();
    game.murderer = &game.islanders[1];
    if (!installWorldText(std::move(*text))) return 0;
    registerUseHandlers();
    openingScene();
    return 1;
}

int loadGame(int newGame) {
    initAllLists();
    printMarked("\n");
    if (newGame) return loadInitialWorld();
    std::string path = saveGamePath(game.player.name.view());
    std::optional<std::string> text;
    if (!path.empty()) text = readPlainTwin(saveReadPath(path), path, ".ims");
    if (!text || !loadSaveBody(*text)) {
        printMarked("/RInvalid save name.\n");
        return 0;
    }
    restorePlacedShapes();
    return 1;
}
