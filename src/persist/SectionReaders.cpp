#include "persist/SaveSections.h"

#include "items/Items.h"

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
// Reads one slot line; every slot is set (none for -1 or an unknown
// index), so slots keep their positions, gaps included.
template <class T>
bool readSlots(SaveReader& in, PtrList<T>& list, T* (*lookup)(int)) {
    bool complete = true;
    for (std::uint32_t i = 0; i < list.capacity; ++i) {
        int index = -1;
        if (complete && !in.number(index)) complete = false;
        list.slots[i] = complete ? lookup(index) : nullptr;
    }
    list.count = 0;
    for (std::uint32_t i = 0; i < list.capacity; ++i)
        if (list.slots[i]) ++list.count;
    return complete;
}

bool readRoomBody(SaveReader& in, Room& room) {
    room.name = in.text();
    room.description = in.text();
    return readOccupantList(in, room.occupants) && readItemList(in, room.items) && readExits(in, room.exits);
}

// A record whose pair names no room is read into a scratch room and dropped.
bool skipRoomRecord(SaveReader& in) {
    Room scratch;
    initList(scratch.occupants, kOccupantCapacity);
    initList(scratch.items, kRoomItemCapacity);
    return readRoomBody(in, scratch);
}
}  // namespace

bool readOccupantList(SaveReader& in, PtrList<Npc>& list) { return readSlots(in, list, islanderOfIndex); }
bool readItemList(SaveReader& in, PtrList<ItemDef>& list) { return readSlots(in, list, itemOfIndex); }

bool readExits(SaveReader& in, std::array<Room*, kDirectionCount>& exits) {
    for (Room*& exit : exits) {
        int area = -1;
        int number = -1;
        if (!in.number(area) || !in.number(number)) return false;
        exit = roomOfPair(area, number);
    }
    return true;
}

void relinkOccupants(Room& room) {
    for (std::uint32_t i = 0; i < room.occupants.capacity; ++i)
        if (Npc* npc = room.occupants.slots[i]) npc->currentRoom = &room;
}

bool readRoomRecord(SaveReader& in) {
    int area = -1;
    int number = -1;
    if (!in.number(area) || !in.number(number)) return false;
    Room* room = roomOfPair(area, number);
    if (!room) return skipRoomRecord(in);
    room->area = static_cast<std::int16_t>(area);
    room->number = static_cast<std::int16_t>(number);
    bool complete = readRoomBody(in, *room);
    relinkOccupants(*room);
    return complete;
}

void readRoomRecords(SaveReader& in) {
    while (!in.atEnd() && readRoomRecord(in)) {
    }
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
        int area = -1;
        int number = -1;
        if (!in.number(area) || !in.number(number)) return false;

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
        npc.currentRoom = roomOfPair(area, number);
    }
    return true;
}

bool readItemCatalogue(SaveReader& in, std::array<ItemDef, kItemCount>& items) {
    for (int n = 0; n < kItemCount; ++n) {
        ItemDef record;
        record.name = in.text();
        record.description = in.text();
        int index = -1;
        if (!in.number(index) || !in.number(record.portable)) return false;
        for (CombineRecipe& recipe : record.recipes) {
            int with = -1;
            int result = -1;
            if (!in.number(with) || !in.number(result)) return false;
            recipe.withItem = itemOfIndex(with);
            recipe.resultItem = itemOfIndex(result);
            recipe.message = in.text();
        }
        if (index < 0 || index >= kItemCount) continue;  // no such catalogue slot
        record.catalogueIndex = index;
        items[static_cast<std::size_t>(index)] = record;
    }
    return true;
}

void installCatalogue(const std::array<ItemDef, kItemCount>& items) {
    game.items = items;
    registerUseHandlers();
}
