#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>

#include "base/Codec.h"
#include "base/Paths.h"
#include "persist/Persist.h"
#include "persist/SaveSections.h"
#include "world/Places.h"

namespace {
// The clock adds one a second; keep far from the end of the int range.
constexpr int kClockLimit = 1000000000;

// The rooms a file describes; a file without one cannot be played.
bool readRooms(SaveReader& in, std::vector<RoomRecord>& rooms) {
    readRoomRecords(in, rooms);
    return std::any_of(rooms.begin(), rooms.end(), describesRoom);
}

void placeRooms(const std::vector<RoomRecord>& rooms) {
    for (const RoomRecord& record : rooms) placeRoom(record);
}

bool readSaveFile(SaveReader& in, SaveFile& save) {
    if (!readItemList(in, save.inventory)) return false;
    if (!in.number(save.playerArea) || !in.number(save.playerRoom) || !in.number(save.raftState)) return false;
    if (!in.number(save.islanderCount) || !in.number(save.day) || !in.number(save.tick)) return false;
    for (int& reference : save.references)
        if (!in.number(reference)) return false;
    return readIslanders(in, save.islanders) && readItemCatalogue(in, save.items) && readRooms(in, save.rooms);
}

// A damaged save may name an islander in the lists of several rooms, or
// twice in one list: each islander stays only in the list of the room it
// ended up in, so it is never seen in two places at once.
void settleOccupants() {
    for (Room& room : game.rooms) {
        PtrList<Npc>& list = room.occupants;
        for (std::uint32_t i = 0; i < list.capacity; ++i) {
            Npc* npc = list.slots[i];
            if (!npc) continue;
            bool repeated = false;
            for (std::uint32_t j = 0; j < i; ++j) repeated = repeated || list.slots[j] == npc;
            if (npc->currentRoom == &room && !repeated) continue;
            list.slots[i] = nullptr;
            --list.count;
        }
        compactList(list);
    }
}

void installSave(const SaveFile& save) {
    fillItemList(game.player.inventory, save.inventory);
    // The player is always somewhere; a save naming no room starts on the beach.
    game.player.currentRoom = roomOfPair(save.playerArea, save.playerRoom);
    if (!game.player.currentRoom) game.player.currentRoom = roomAt(kWhereYouWoke);
    game.raftState = static_cast<std::int16_t>(std::clamp(save.raftState, -32768, 32767));
    game.clockRunning = 1;

    game.islanderCount = std::clamp(save.islanderCount, 0, kIslanderCount);
    game.day = std::clamp(save.day, -kClockLimit, kClockLimit);
    game.tick = std::clamp(save.tick, -kClockLimit, kClockLimit);
    game.memorySubject = islanderOfIndex(save.references[0]);
    game.lastVictim = islanderOfIndex(save.references[1]);
    game.handcuffedIslander = islanderOfIndex(save.references[2]);

    game.islanders = save.islanders;
    installCatalogue(save.items);
    game.murderer = &game.islanders[1];
    placeRooms(save.rooms);
    settleOccupants();
}

}  // namespace

std::optional<std::string> readPlainTwin(const std::filesystem::path& file, std::string_view moxPath,
                                         std::string_view extension) {
    std::optional<PlainTwin> twin = readScrambled(file, moxPath);
    if (!twin || twin->extension != extension) return std::nullopt;
    return std::move(twin->bytes);
}

std::string saveGamePath(std::string_view playerName) {
    if (playerName.empty() || playerName.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos)
        return {};
    return gamePath(std::string(playerName) + ".mox");
}

bool installSaveText(std::string_view text) {
    std::istringstream stream{std::string(text)};
    SaveReader in(stream);
    // Unread fields (gaveGift, use handlers) keep what the tables hold.
    auto save = std::make_unique<SaveFile>();
    save->islanders = game.islanders;
    save->items = game.items;
    if (!readSaveFile(in, *save)) return false;
    installSave(*save);
    return true;
}

bool installWorldText(std::string text) {
    std::istringstream stream{std::move(text)};
    SaveReader in(stream);
    auto world = std::make_unique<SaveFile>();
    world->items = game.items;
    if (!readItemCatalogue(in, world->items) || !readRooms(in, world->rooms)) return false;
    installCatalogue(world->items);
    placeRooms(world->rooms);
    return true;
}
