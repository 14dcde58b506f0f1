#include "persist/SaveSections.h"

Room* roomOfPair(int area, int number) { return roomAt(area, number); }

Npc* islanderOfIndex(int index) {
    if (index < 0 || index >= kIslanderCount) return nullptr;
    return &game.islanders[static_cast<std::size_t>(index)];
}

ItemDef* itemOfIndex(int index) {
    if (index < 0 || index >= kItemCount) return nullptr;
    return &game.items[static_cast<std::size_t>(index)];
}

namespace {
template <class T, std::size_t N>
void fillSlots(PtrList<T>& list, const std::array<int, N>& indices, T* (*lookup)(int)) {
    list.count = 0;
    for (std::uint32_t i = 0; i < list.capacity; ++i) {
        list.slots[i] = i < N ? lookup(indices[i]) : nullptr;
        if (list.slots[i]) ++list.count;
    }
}
}  // namespace

void fillItemList(PtrList<ItemDef>& list, const std::array<int, kRoomItemCapacity>& indices) {
    fillSlots(list, indices, itemOfIndex);
}

bool isNoRoom(const RoomPair& pair) { return pair[0] == -1 && pair[1] == -1; }

bool readRoomPair(SaveReader& in, RoomPair& pair) {
    if (!in.number(pair[0]) || !in.number(pair[1])) return false;
    return isNoRoom(pair) || roomOfPair(pair[0], pair[1]) != nullptr;
}

bool readExits(SaveReader& in, std::array<RoomPair, kDirectionCount>& exits) {
    exits.fill({-1, -1});
    for (RoomPair& exit : exits)
        if (!readRoomPair(in, exit)) return false;
    return true;
}

bool readRoomRecord(SaveReader& in, RoomRecord& record) {
    record = RoomRecord{};
    record.occupants.fill(-1);
    record.items.fill(-1);
    record.exits.fill({-1, -1});
    if (!in.number(record.where[0]) || !in.number(record.where[1])) return false;
    record.name = in.text();
    record.description = in.text();
    record.complete = readOccupantList(in, record.occupants) && readItemList(in, record.items) &&
                      readExits(in, record.exits);
    return true;
}

bool readRoomRecords(SaveReader& in, std::vector<RoomRecord>& rooms) {
    RoomRecord record;
    std::array<bool, kRoomCount> seen{};
    while (!in.atEnd()) {
        if (!readRoomRecord(in, record) || !record.complete || !describesRoom(record)) return false;
        bool& already = seen[static_cast<std::size_t>(record.where[0] * kRoomsPerArea + record.where[1])];
        if (already) return false;  // one record per room
        already = true;
        rooms.push_back(record);
    }
    return !rooms.empty();
}

bool describesRoom(const RoomRecord& record) {
    return roomOfPair(record.where[0], record.where[1]) != nullptr && !record.name.empty();
}

void relinkOccupants(Room& room) {
    for (std::uint32_t i = 0; i < room.occupants.capacity; ++i)
        if (Npc* npc = room.occupants.slots[i]) npc->currentRoom = &room;
}

// Records for rooms outside the table, or without a name, describe no room.
void placeRoom(const RoomRecord& record) {
    if (!describesRoom(record)) return;
    Room& room = *roomOfPair(record.where[0], record.where[1]);
    room.area = static_cast<std::int16_t>(record.where[0]);
    room.number = static_cast<std::int16_t>(record.where[1]);
    room.name = record.name.view();
    room.description = record.description.view();
    fillSlots(room.occupants, record.occupants, islanderOfIndex);
    fillSlots(room.items, record.items, itemOfIndex);
    for (std::size_t d = 0; d < room.exits.size(); ++d)
        room.exits[d] = roomOfPair(record.exits[d][0], record.exits[d][1]);
    relinkOccupants(room);
}

bool readIslanders(SaveReader& in, std::array<Npc, kIslanderCount>& islanders) {
    for (int position = 0; position < kIslanderCount; ++position) {
        Npc& npc = islanders[static_cast<std::size_t>(position)];
        std::string name = in.text();
        int index = 0;
        double moods[6] = {};
        int label = 0;
        int gender = 0;
        if (!in.number(index)) return false;
        for (double& value : moods)
            if (!in.decimal(value)) return false;
        if (!in.number(label) || !in.number(gender)) return false;
        std::string personality = in.text();
        RoomPair where{-1, -1};
        if (!readRoomPair(in, where) || gender < -1 || gender > 2) return false;

        npc.name = name;
        npc.npcIndex = position;  // references are table positions
        npc.tolerance = moods[0];
        npc.hostility = moods[1];
        npc.happiness = moods[2];
        npc.moodRate = moods[3];
        npc.hostilityBase = moods[4];
        npc.happinessBase = moods[5];
        npc.scriptLabel = label;
        npc.gender = gender;
        npc.personalityFile = personality;
        npc.currentRoom = roomOfPair(where[0], where[1]);
    }
    return true;
}

namespace {
bool isItemIndex(int index) { return index >= 0 && index < kItemCount; }

// A recipe names both items, or (with the other item only) no result, or none at all.
bool readRecipe(SaveReader& in, CombineRecipe& recipe) {
    int with = -1;
    int result = -1;
    if (!in.number(with) || !in.number(result)) return false;
    if (!(isItemIndex(with) ? result == -1 || isItemIndex(result) : with == -1 && result == -1)) return false;
    recipe.withItem = itemOfIndex(with);
    recipe.resultItem = itemOfIndex(result);
    recipe.message = in.text();
    return true;
}
}  // namespace

bool readItemCatalogue(SaveReader& in, std::array<ItemDef, kItemCount>& items) {
    std::array<bool, kItemCount> seen{};
    for (int n = 0; n < kItemCount; ++n) {
        ItemDef record;
        record.name = in.text();
        record.description = in.text();
        int index = -1;
        if (!in.number(index) || !in.number(record.portable)) return false;
        for (CombineRecipe& recipe : record.recipes)
            if (!readRecipe(in, recipe)) return false;
        // Every catalogue slot is described once.
        if (!isItemIndex(index) || seen[static_cast<std::size_t>(index)]) return false;
        seen[static_cast<std::size_t>(index)] = true;
        record.catalogueIndex = index;
        items[static_cast<std::size_t>(index)] = record;
    }
    return true;
}

void installCatalogue(const std::array<ItemDef, kItemCount>& items) {
    game.items = items;
}
