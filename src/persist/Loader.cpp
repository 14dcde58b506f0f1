#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>

#include "clock/Days.h"
#include "console/Output.h"
#include "core/Paths.h"
#include "islanders/Islanders.h"
#include "persist/Codec.h"
#include "persist/Persist.h"
#include "persist/SaveSections.h"

namespace {
constexpr const char* kWorldPath = "Data\\initial.mox";
// The clock adds one a second; keep far from the end of the int range.
constexpr int kClockLimit = 1000000000;

// The plain bytes of a scrambled file, read in memory: no plain twin is
// ever written. A header naming another extension means another kind of file.
std::optional<std::string> readPlainTwin(std::string_view moxPath, std::string_view extension) {
    std::optional<std::string> bytes = readWholeFile(realPath(moxPath));
    if (!bytes) return std::nullopt;
    std::optional<PlainTwin> twin = unscrambleBytes(*bytes, scrambleKey(moxPath));
    if (!twin || twin->extension != extension) return std::nullopt;
    return std::move(twin->bytes);
}

bool readSaveHead(SaveReader& in, SaveHead& head) {
    for (int& slot : head.inventory)
        if (!in.number(slot)) return false;
    if (!in.number(head.playerArea) || !in.number(head.playerRoom) || !in.number(head.raftState)) return false;
    if (!in.number(head.islanderCount) || !in.number(head.day) || !in.number(head.tick)) return false;
    for (int& reference : head.references)
        if (!in.number(reference)) return false;
    // A save without a single room record cannot be played.
    return readIslanders(in, head.islanders) && readItemCatalogue(in, head.items) && !in.atEnd();
}

void installHead(const SaveHead& head) {
    PtrList<ItemDef>& inventory = game.player.inventory;
    inventory.count = 0;
    for (std::uint32_t i = 0; i < inventory.capacity && i < head.inventory.size(); ++i) {
        inventory.slots[i] = itemOfIndex(head.inventory[i]);
        if (inventory.slots[i]) ++inventory.count;
    }
    // The player is always somewhere; a save naming no room starts on the beach.
    game.player.currentRoom = roomOfPair(head.playerArea, head.playerRoom);
    if (!game.player.currentRoom) game.player.currentRoom = roomAt(0, 8);
    game.raftState = static_cast<std::int16_t>(std::clamp(head.raftState, -32768, 32767));
    game.clockRunning = 1;

    game.islanderCount = std::clamp(head.islanderCount, 0, kIslanderCount);
    game.day = std::clamp(head.day, -kClockLimit, kClockLimit);
    game.tick = std::clamp(head.tick, -kClockLimit, kClockLimit);
    game.memorySubject = islanderOfIndex(head.references[0]);
    game.lastVictim = islanderOfIndex(head.references[1]);
    game.handcuffedIslander = islanderOfIndex(head.references[2]);

    game.islanders = head.islanders;
    installCatalogue(head.items);
    game.murderer = &game.islanders[1];
}

bool loadSaveBody(std::string_view text) {
    std::istringstream stream{std::string(text)};
    SaveReader in(stream);
    // Unread fields (gaveGift, use handlers) keep what the tables hold.
    auto head = std::make_unique<SaveHead>();
    head->islanders = game.islanders;
    head->items = game.items;
    if (!readSaveHead(in, *head)) return false;
    installHead(*head);
    readRoomRecords(in);
    return true;
}
}  // namespace

std::string saveGamePath(std::string_view playerName) {
    if (playerName.empty() || playerName.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos)
        return {};
    return gamePath(std::string(playerName) + ".mox");
}

int loadSaveText(std::string_view text) {
    initAllLists();
    return loadSaveBody(text) ? 1 : 0;
}

int loadInitialWorld() {
    std::optional<std::string> text = readPlainTwin(kWorldPath, ".ims");
    if (!text) return 0;
    game.islanderCount = 0;
    game.day = 1;
    game.tick = 0;
    game.player.currentRoom = roomAt(0, 8);
    game.clockRunning = 1;
    createIslanders();
    game.murderer = &game.islanders[1];

    std::istringstream stream{std::move(*text)};
    SaveReader in(stream);
    auto items = std::make_unique<std::array<ItemDef, kItemCount>>(game.items);
    if (!readItemCatalogue(in, *items) || in.atEnd()) return 0;
    installCatalogue(*items);
    readRoomRecords(in);
    openingScene();
    return 1;
}

int loadGame(int newGame) {
    initAllLists();
    printMarked("\n");
    if (newGame) return loadInitialWorld();
    std::string path = saveGamePath(game.player.name.view());
    std::optional<std::string> text;
    if (!path.empty()) text = readPlainTwin(path, ".ims");
    if (!text || !loadSaveBody(*text)) {
        printMarked("/RInvalid save name.\n");
        return 0;
    }
    return 1;
}
