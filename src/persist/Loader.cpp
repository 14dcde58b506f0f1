#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <optional>
#include <sstream>

#include "base/Codec.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "persist/Persist.h"
#include "persist/SaveGenerations.h"
#include "persist/SaveSeal.h"
#include "persist/SaveSections.h"
#include "world/Places.h"

namespace {
// The clock adds one a second; a day or tick beyond this is damage.
constexpr int kClockLimit = 1000000000;

std::size_t roomIndex(const RoomPair& pair) { return static_cast<std::size_t>(pair[0] * kRoomsPerArea + pair[1]); }

// Every save the game writes ends with a line break: a save cut inside its
// last number (" 12 2" of " 12 24") would read as another, wrong, room.
// (The world, which the game only reads, may end without one.)
bool endsItsLastLine(std::string_view text) { return !text.empty() && text.back() == '\n'; }

// Where the reading stopped, for the one line that tells what is wrong.
std::string brokenAt(SaveReader& in) {
    int line = in.line();
    return in.atEnd() ? "it ends too soon, at line " + std::to_string(line)
                      : "line " + std::to_string(line) + " is damaged";
}

bool readSaveFile(SaveReader& in, SaveFile& save) {
    RoomPair player{-1, -1};
    if (!readItemList(in, save.inventory) || !readRoomPair(in, player) || !in.number(save.raftState)) return false;
    save.playerArea = player[0];
    save.playerRoom = player[1];
    if (!in.number(save.islanderCount) || !in.number(save.day) || !in.number(save.tick)) return false;
    for (int& reference : save.references)
        if (!in.number(reference) || reference < -1 || reference >= kIslanderCount) return false;
    return readIslanders(in, save.islanders) && readItemCatalogue(in, save.items) && readRoomRecords(in, save.rooms);
}

RoomSet roomsOf(const std::vector<RoomRecord>& rooms) {
    RoomSet set{};
    for (const RoomRecord& record : rooms) set[roomIndex(record.where)] = true;
    return set;
}

bool leadsWithin(const RoomSet& rooms, const RoomPair& pair) { return isNoRoom(pair) || rooms[roomIndex(pair)]; }

// Every exit leads to a room the file describes; "" when it does.
std::string strayExit(const std::vector<RoomRecord>& records, const RoomSet& rooms) {
    for (const RoomRecord& record : records)
        for (const RoomPair& exit : record.exits)
            if (!leadsWithin(rooms, exit))
                return "an exit of " + record.name.str() + " leads to a room that is not there";
    return {};
}

// What no game ever writes, though each number read well: "" when the save holds together.
std::string inconsistency(const SaveFile& save, const RoomSet* worldRooms) {
    RoomSet rooms = roomsOf(save.rooms);
    if (worldRooms && rooms != *worldRooms) return "its rooms are not those of the island";
    if (save.raftState < -32768 || save.raftState > 32767) return "the raft's state is out of range";
    if (save.islanderCount < 0 || save.islanderCount > kIslanderCount) return "the count of islanders is out of range";
    if (save.day < 0 || save.day > kClockLimit || save.tick < 0 || save.tick > kClockLimit)
        return "the day or the time is out of range";
    if (!leadsWithin(rooms, {save.playerArea, save.playerRoom})) return "the player stands in a room that is not there";
    for (const Npc& npc : save.islanders) {
        if (!npc.currentRoom) continue;
        auto index = static_cast<std::size_t>(npc.currentRoom - game.rooms.data());
        if (!rooms[index]) return npc.name.str() + " stands in a room that is not there";
    }
    return strayExit(save.rooms, rooms);
}

void placeRooms(const std::vector<RoomRecord>& rooms) {
    for (const RoomRecord& record : rooms) placeRoom(record);
}

// An islander may be named in the lists of several rooms, or twice in one
// list: each stays only in the list of the room it ended up in, so it is
// never seen in two places at once.
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
    initAllLists();
    fillItemList(game.player.inventory, save.inventory);
    // The player is always somewhere; a save naming no room starts on the beach.
    game.player.currentRoom = roomOfPair(save.playerArea, save.playerRoom);
    if (!game.player.currentRoom) game.player.currentRoom = roomAt(kWhereYouWoke);
    game.raftState = static_cast<std::int16_t>(save.raftState);
    game.clockRunning = 1;

    game.islanderCount = save.islanderCount;
    game.day = save.day;
    game.tick = save.tick;
    game.memorySubject = islanderOfIndex(save.references[0]);
    game.lastVictim = islanderOfIndex(save.references[1]);
    game.handcuffedIslander = islanderOfIndex(save.references[2]);

    game.islanders = save.islanders;
    installCatalogue(save.items);
    game.murderer = &islanderRecord(kMurdererRecord);
    placeRooms(save.rooms);
    settleOccupants();
}

// Reads a save's text into save: "" when it is whole and holds together.
std::string checkSave(std::string_view text, const RoomSet* worldRooms, SaveFile& save) {
    std::string_view body;
    if (std::string why = unsealSaveText(text, body); !why.empty()) return why;
    std::istringstream stream{std::string(body)};
    SaveReader in(stream);
    std::string why = readSaveFile(in, save) ? inconsistency(save, worldRooms) : brokenAt(in);
    if (why.empty() && !endsItsLastLine(body)) why = "its last line is cut short";
    return why;
}

// The initial world: the catalogue and the rooms, nothing before or after.
std::string readWorld(std::string_view text, SaveFile& world) {
    std::istringstream stream{std::string(text)};
    SaveReader in(stream);
    if (!readItemCatalogue(in, world.items) || !readRoomRecords(in, world.rooms)) return brokenAt(in);
    return strayExit(world.rooms, roomsOf(world.rooms));
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

bool installSaveText(std::string_view text, const RoomSet* worldRooms, std::string* problem) {
    // Unread fields (gaveGift, use handlers) keep what the tables hold.
    auto save = std::make_unique<SaveFile>();
    save->islanders = game.islanders;
    save->items = game.items;
    std::string why = checkSave(text, worldRooms, *save);
    if (problem) *problem = why;
    if (!why.empty()) return false;
    installSave(*save);
    return true;
}

std::string saveTextProblem(std::string_view text, const RoomSet* worldRooms, int* day) {
    auto save = std::make_unique<SaveFile>();
    save->islanders = game.islanders;
    save->items = game.items;
    std::string why = checkSave(text, worldRooms, *save);
    if (why.empty() && day) *day = save->day;
    return why;
}

std::optional<int> saveHeadDay(std::string_view head) {
    std::istringstream stream{std::string(head)};
    SaveReader in(stream);
    decltype(SaveFile::inventory) inventory{};
    RoomPair player{-1, -1};
    int raftState = 0;
    int islanderCount = 0;
    int day = 0;
    if (!readItemList(in, inventory) || !readRoomPair(in, player) || !in.number(raftState) ||
        !in.number(islanderCount) || !in.number(day) || day < 0 || day > kClockLimit)
        return std::nullopt;
    return day;
}

std::string worldTextProblem(std::string_view text, RoomSet& rooms) {
    auto world = std::make_unique<SaveFile>();
    std::string why = readWorld(text, *world);
    if (why.empty()) rooms = roomsOf(world->rooms);
    return why;
}

bool installWorldText(std::string text) {
    auto world = std::make_unique<SaveFile>();
    world->items = game.items;
    if (!readWorld(text, *world).empty()) return false;
    installCatalogue(world->items);
    placeRooms(world->rooms);
    return true;
}

SaveOutcome loadSaveFile(std::string_view playerName, const RoomSet* worldRooms) {
    SaveOutcome outcome;
    std::string moxPath = saveGamePath(playerName);
    if (moxPath.empty()) return outcome;
    outcome.file = saveReadPath(moxPath);
    // Never more than the limit and one byte is read, whatever lies there.
    FileBytes bytes = readRegularFile(outcome.file, kSaveSizeLimit, Links::Refuse);
    outcome.why = bytes.why;
    if (bytes.missing) return outcome;
    outcome.result = bytes.tooLarge ? SaveLoad::Damaged : SaveLoad::Unreadable;
    if (!bytes.bytes) return outcome;
    outcome.result = SaveLoad::Damaged;
    std::optional<PlainTwin> twin = unscrambleBytes(*bytes.bytes, scrambleKey(moxPath));
    if (!twin || twin->extension != ".ims") {
        outcome.why = "it is not a saved game";
        return outcome;
    }
    if (!installSaveText(twin->bytes, worldRooms, &outcome.why)) return outcome;
    outcome.result = SaveLoad::Loaded;
    struct stat info {};
    std::time_t saved = ::lstat(outcome.file.c_str(), &info) == 0 ? info.st_mtime : std::time(nullptr);
    rememberSaveBytes(saveWritePath(moxPath), std::move(*bytes.bytes), game.day, saved);
    return outcome;
}
