// Islanders on the move: single moves with what the player sees of them,
// the random pick for the day's events, and killings that leave a corpse.
#include <string>

#include "base/Random.h"
#include "clock/Clock.h"
#include "console/Output.h"
#include "islanders/Islanders.h"
#include "world/Places.h"

namespace {

constexpr int kPickAttempts = 50;

bool inPlayersRoom(const Npc& npc) {
    return npc.currentRoom != nullptr && npc.currentRoom == game.player.currentRoom;
}

}  // namespace

void moveIslander(Npc& npc, int area, int number) {
    Room* target = roomAt(area, number);
    if (!npc.alive() || target == nullptr || npc.currentRoom == target) return;
    // Handcuffed to a tree: no walking off, not even at night.
    if (&npc == game.handcuffedIslander) return;

    if (inPlayersRoom(npc)) printMarked("%s leaves the room.\n", npc.name);
    if (npc.currentRoom != nullptr) removeFromList(npc.currentRoom->occupants, &npc);
    npc.currentRoom = target;
    addToList(target->occupants, &npc);
    if (target == game.player.currentRoom) {
        printMarked("%s walks into the room.\n", npc.name);
        scheduleEvent(2, islanderReacts);
    }
}

Npc* pickRandomIslander(int allowRepeat) {
    if (game.memorySubject == nullptr) game.memorySubject = &theDog();
    auto qualifies = [allowRepeat](const Npc& npc) {
        return npc.alive() && (allowRepeat == 1 || &npc != game.memorySubject);
    };
    reseedFromClock();
    // A rejected islander only costs a fresh draw: reseeding with its index
    // would make every retry after it the same.
    int last = kFirstHumanRecord;
    for (int attempt = 0; attempt < kPickAttempts; ++attempt) {
        last = kFirstHumanRecord + draw() % kHumanCount;
        if (qualifies(islanderRecord(last))) return &islanderRecord(last);
    }
    // Fifty unlucky draws (one islander left of eight misses them all about
    // once in eight hundred picks): the next one after the last draw who
    // qualifies, so the subject repeats only when nobody else is left.
    for (int step = 1; step <= kHumanCount; ++step) {
        Npc& npc = islanderRecord(kFirstHumanRecord + (last - kFirstHumanRecord + step) % kHumanCount);
        if (qualifies(npc)) return &npc;
    }
    return game.memorySubject;
}

void killIslander(Npc& npc) {
    // The fallback of a failed pick can be the Dog or someone already dead;
    // neither can be killed (again).
    if (!npc.alive() || isTheDog(npc)) return;

    Room* room = npc.currentRoom;
    if (ItemDef* corpse = findItemByName("Corpse of")) {
        const std::string suffix = " " + npc.name.str();
        corpse->name.append(suffix);
        corpse->description.append(suffix);
        if (room != nullptr) addToList(room->items, corpse);
    }
    if (room != nullptr) removeFromList(room->occupants, &npc);
    npc.gender = -1;
    game.lastVictim = &npc;
    --game.islanderCount;
}

Npc* findIslanderInRoom(std::string_view name, Room& room) {
    const std::string wanted = toLower(name);
    for (std::uint32_t i = 0; i < room.occupants.count && i < room.occupants.capacity; ++i) {
        Npc* npc = room.occupants.slots[i];
        if (npc != nullptr && toLower(npc->name.view()) == wanted) return npc;
    }
    return nullptr;
}
