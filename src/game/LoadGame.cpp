#include "game/LoadGame.h"

#include <optional>
#include <string>

#include "base/Paths.h"
#include "base/Text.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "game/Days.h"
#include "game/UseHandlers.h"
#include "islanders/Islanders.h"
#include "items/Items.h"
#include "persist/Persist.h"
#include "world/Places.h"

namespace {
constexpr const char* kWorldPath = "Data\\initial.mox";

// The rooms of the island, which every save of it has; false when the world
// cannot be read (the start-up check has read it: only tests go without).
bool islandRooms(RoomSet& rooms) {
    std::optional<std::string> text = readPlainTwin(realPath(kWorldPath), kWorldPath, ".ims");
    return text && worldTextProblem(*text, rooms).empty();
}

// A save installed: the catalogue's handlers attached by its names.
void finishLoading() {
    registerUseHandlers();
    restorePlacedShapes();
}
// The damaged save is left as it was, whatever the answer.
bool loadPreviousWhenAsked(const std::string& name, const PreviousSave& previous, const RoomSet* rooms) {
    printMarked("/RThe saved game of %s is damaged./w Load the one before it, from day %d, saved %s? (yes or no)\n", name,
                previous.day, shortPlayedTime(previous.saved));
    bool yes = toLower(readInputLine(nullptr, LineKind::Answer)) == "yes";
    if (yes && loadPreviousSave(name, rooms)) return true;
    printMarked("\nThe saved game of %s is left as it was.\n", name);
    return false;
}
}  // namespace

int loadSaveText(std::string_view text) {
    RoomSet rooms{};
    bool known = islandRooms(rooms);
    if (!installSaveText(text, known ? &rooms : nullptr)) return 0;
    registerUseHandlers();
    return 1;
}

std::vector<ListedSave> savedGames() { return listSavedGames(); }

int loadInitialWorld() {
    std::optional<std::string> text = readPlainTwin(realPath(kWorldPath), kWorldPath, ".ims");
    if (!text) return 0;
    game.islanderCount = 0;
    game.day = 1;
    game.tick = 0;
    game.player.currentRoom = roomAt(kWhereYouWoke);
    game.clockRunning = 1;
    createIslanders();
    game.murderer = &islanderRecord(kMurdererRecord);
    if (!installWorldText(std::move(*text))) return 0;
    registerUseHandlers();
    openingScene();
    return 1;
}

int loadGame(int newGame) {
    printMarked("\n");
    if (newGame) {
        forgetSavedBytes();
        initAllLists();
        return loadInitialWorld();
    }
    RoomSet rooms{};
    bool known = islandRooms(rooms);
    std::string name = game.player.name.str();
    SaveOutcome outcome = loadSaveFile(name, known ? &rooms : nullptr);
    switch (outcome.result) {
        case SaveLoad::Loaded: finishLoading(); return 1;
        case SaveLoad::Missing: printMarked("/RInvalid save name.\n"); break;
        case SaveLoad::Unreadable:
            printMarked("/RThe saved game of %s cannot be read: %s: %s.\n", name, markupLiteral(outcome.file.string()),
                        outcome.why);
            break;
        case SaveLoad::Damaged:
            if (std::optional<PreviousSave> previous = previousSave(name, known ? &rooms : nullptr)) {
                if (!loadPreviousWhenAsked(name, *previous, known ? &rooms : nullptr)) return 0;
                finishLoading();
                return 1;
            }
            printMarked("/RThe saved game of %s is damaged and cannot be loaded; it is left as it was.\n", name);
            break;
    }
    return 0;
}
