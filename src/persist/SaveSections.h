#pragma once
// The sections of a save file, one reader and one writer per section.
#include <array>
#include <memory>

#include "core/World.h"
#include "persist/SaveText.h"

// Sections 1 to 5 of a save, read in full before any of it reaches the
// game, so that a broken file changes nothing but the lists.
struct SaveHead {
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
};

// Reading. Each returns false when the file breaks off or does not parse.
bool readIslanders(SaveReader& in, std::array<Npc, kIslanderCount>& islanders);
bool readItemCatalogue(SaveReader& in, std::array<ItemDef, kItemCount>& items);
// Copies a catalogue into the game and registers the use handlers.
void installCatalogue(const std::array<ItemDef, kItemCount>& items);
bool readRoomRecord(SaveReader& in);
// Room records until the end of the file, or until one does not parse.
void readRoomRecords(SaveReader& in);
bool readOccupantList(SaveReader& in, PtrList<Npc>& list);
bool readItemList(SaveReader& in, PtrList<ItemDef>& list);
bool readExits(SaveReader& in, std::array<Room*, kDirectionCount>& exits);
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
