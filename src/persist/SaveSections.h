#pragma once
// The sections of a save file, one reader and one writer per section.
#include <array>
#include <memory>
#include <vector>

#include "persist/Persist.h"
#include "persist/SaveText.h"
#include "world/World.h"

using RoomPair = std::array<int, 2>;  // area, room number; -1 -1 for none

// One room record as the file holds it, references still numbers.
struct RoomRecord {
    RoomPair where{-1, -1};
    FixedText<20> name;
    FixedText<384> description;
    std::array<int, kOccupantCapacity> occupants{};
    std::array<int, kRoomItemCapacity> items{};
    std::array<RoomPair, kDirectionCount> exits{};
    bool complete = false;  // false when the file broke off inside it
};

// A whole save (or world) file, read in full before any of it reaches
// the game, so that a file that is refused changes nothing but the lists.
struct SaveFile {
    std::array<int, kInventoryCapacity> inventory{};
    int playerArea = -1;
    int playerRoom = -1;
    int raftState = 0;
    int islanderCount = 0;
    int day = 1;
    int tick = 0;
    std::array<int, 3> references{};  // memorySubject, lastVictim, handcuffedIslander
    std::array<Npc, kIslanderCount> islanders{};
    std::array<ItemDef, kItemCount> items{};
    std::vector<RoomRecord> rooms;
};

// Reading. Each returns false when the file breaks off or does not parse.
bool readIslanders(SaveReader& in, std::array<Npc, kIslanderCount>& islanders);
bool readItemCatalogue(SaveReader& in, std::array<ItemDef, kItemCount>& items);
// Copies a catalogue into the game.
void installCatalogue(const std::array<ItemDef, kItemCount>& items);
// False when no record starts here; a record cut short is kept as far as
// it goes and not complete.
bool readRoomRecord(SaveReader& in, RoomRecord& record);
// Room records to the end of the file: false unless there is at least one
// and each is whole, names a room of the table, and is that room's only one.
bool readRoomRecords(SaveReader& in, std::vector<RoomRecord>& rooms);
// Slot lines: one index per slot, -1 for an empty one; false for an index
// outside its table (below `limit`).
template <std::size_t N>
bool readSlotLine(SaveReader& in, std::array<int, N>& slots, int limit) {
    slots.fill(-1);
    for (int& slot : slots)
        if (!in.number(slot) || slot < -1 || slot >= limit) return false;
    return true;
}
inline bool readOccupantList(SaveReader& in, std::array<int, kOccupantCapacity>& slots) {
    return readSlotLine(in, slots, kIslanderCount);
}
inline bool readItemList(SaveReader& in, std::array<int, kRoomItemCapacity>& slots) {
    return readSlotLine(in, slots, kItemCount);
}
// A room pair: "-1 -1" for none, else a room of the table.
bool isNoRoom(const RoomPair& pair);
bool readRoomPair(SaveReader& in, RoomPair& pair);
bool readExits(SaveReader& in, std::array<RoomPair, kDirectionCount>& exits);

// Whether a record names a room of the table and gives it a name.
bool describesRoom(const RoomRecord& record);
void fillItemList(PtrList<ItemDef>& list, const std::array<int, kRoomItemCapacity>& indices);
// Puts a record into the room table and links its islanders to it.
void placeRoom(const RoomRecord& record);
void relinkOccupants(Room& room);

// The room of a pair, or none unless both numbers name a room of the table.
Room* roomOfPair(int area, int number);
Npc* islanderOfIndex(int index);
ItemDef* itemOfIndex(int index);

// Writing.
void writePlayerBlock(SaveWriter& out);
void writeIslanders(SaveWriter& out);
void writeItemCatalogue(SaveWriter& out);
void writeRoomRecord(SaveWriter& out, int area, int number);
void writeOccupantList(SaveWriter& out, const PtrList<Npc>& list);
void writeItemList(SaveWriter& out, const PtrList<ItemDef>& list);
void writeExits(SaveWriter& out, const std::array<Room*, kDirectionCount>& exits);
