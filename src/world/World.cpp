#include "world/World.h"

#include <cctype>

GameState game;

Room* roomAt(int area, int number) {
    if (area < 0 || area >= kAreaCount || number < 0 || number >= kRoomsPerArea) return nullptr;
    return &game.rooms[static_cast<std::size_t>(area * kRoomsPerArea + number)];
}

int areaRoomCount(int area) {
    if (area < 0 || area >= kAreaCount) return 0;
    int count = 0;
    while (count < kRoomsPerArea && !roomAt(area, count)->name.empty()) ++count;
    return count;
}

void initAllLists() {
    initList(game.player.inventory, kInventoryCapacity);
    for (Room& room : game.rooms) {
        initList(room.items, kRoomItemCapacity);
        initList(room.occupants, kOccupantCapacity);
    }
}

void freeAllLists() {
    freeList(game.player.inventory);
    for (Room& room : game.rooms) {
        freeList(room.items);
        freeList(room.occupants);
    }
}

void resetGameState() {
    game.running = 0;
    game.ending = Ending::None;
    game.debugMode = 0;
    game.verboseRooms = false;
    game.player.name.clear();
    game.player.currentRoom = nullptr;
    game.talkingTo = nullptr;
    game.pyramidPlaced = game.cubePlaced = game.spherePlaced = 0;
    game.raftState = 0;
    game.clockRunning = 0;
    game.optionCount = 0;
    for (int i = 0; i < kRoomCount; ++i) {
        Room& room = game.rooms[static_cast<std::size_t>(i)];
        room.area = static_cast<std::int16_t>(i / kRoomsPerArea);
        room.number = static_cast<std::int16_t>(i % kRoomsPerArea);
        room.name.clear();
        room.description.clear();
        room.exits.fill(nullptr);
    }
    for (int i = 0; i < kIslanderCount; ++i) {
        game.islanders[static_cast<std::size_t>(i)] = Npc{};
        game.islanders[static_cast<std::size_t>(i)].npcIndex = i;
    }
    for (int i = 0; i < kItemCount; ++i) {
        game.items[static_cast<std::size_t>(i)] = ItemDef{};
        game.items[static_cast<std::size_t>(i)].catalogueIndex = i;
    }
    game.islanderCount = 0;
    game.day = 1;
    game.tick = 0;
    game.murderer = game.memorySubject = game.lastVictim = game.handcuffedIslander = nullptr;
    game.busyUntil = 0;
    game.busyMessage.clear();
    game.work = WorkTask{};
    game.event = ScheduledEvent{};
    initAllLists();
}

ItemDef* findItemByName(std::string_view name) {
    if (name.size() > 19) return nullptr;
    std::string query = toLower(name);
    for (ItemDef& item : game.items)
        if (toLower(item.name.view()) == query) return &item;
    return nullptr;
}

const char* describeItemIfPresent(std::string_view name) {
    ItemDef* item = findItemByName(name);
    if (!item) return nullptr;
    if (countInList(game.player.inventory, item) > 0) return item->description.c_str();
    Room* here = game.player.currentRoom;
    if (here && countInList(here->items, item) > 0) return item->description.c_str();
    return nullptr;
}

void connectRooms(Room& a, Room& b, int direction) {
    a.exits[static_cast<std::size_t>(direction)] = &b;
    b.exits[static_cast<std::size_t>(oppositeDirection(direction))] = &a;
}

bool isItemPresent(std::string_view name) { return describeItemIfPresent(name) != nullptr; }

int heldCount(std::string_view name) {
    ItemDef* item = findItemByName(name);
    return item ? static_cast<int>(countInList(game.player.inventory, item)) : 0;
}

bool takeFromInventory(std::string_view name) {
    ItemDef* item = findItemByName(name);
    return item && removeFromList(game.player.inventory, item) >= 0;
}

bool putInCurrentRoom(std::string_view name) {
    ItemDef* item = findItemByName(name);
    Room* here = game.player.currentRoom;
    return item && here && addToList(here->items, item) >= 0;
}
