// Gifts: an islander who has talked with the player and is not hostile
// now and then drops something it found, at most once a day. The happier
// it is, the likelier and the better the gift.
#include "base/Random.h"
#include "console/Output.h"
#include "islanders/Islanders.h"
#include "world/Places.h"

namespace {

constexpr int kGiftKinds = 3;
constexpr int kGiftListCapacity = 15;

struct GiftKind {
    std::initializer_list<const char*> items;
    const char* message;
};

const GiftKind kGiftKindTable[kGiftKinds] = {
    {{"coconut", "banana", "berry", "dark insect", "bright insect", "bat guano", "large leaf", "wood",
      "dark flower", "bright flower", "rock", "pebble", "shell", "scrap of metal"},
     "/Y%s says, \"By the way, %s, you can have this %s... if you want.\"\n"},
    {{"sharp rock", "broken radio", "shovel head", "blade", "handle", "rope", "cloth", "torn shirt", "bandana",
      "glasses", "sling"},
     "/Y%s says, \"Oh, hey %s, I found this %s, and I thought you might have a use for it.\"\n"},
    {{"axe", "knife", "hammer", "shovel", "crowbar"}, "/Y%s says, \"This %s is a gift from me to you.\"\n"},
};

// Conversation lowers moodRate from 0.2, so exactly 0.2 means never talked with.
constexpr double kUntouchedMoodRate = 0.2;

}  // namespace

void islanderReacts() {
    Room* room = game.player.currentRoom;
    if (room == nullptr) return;
    std::uint32_t n = room->occupants.count;
    if (n == 0) n = 1;
    const std::uint32_t k = static_cast<std::uint32_t>(draw()) % n;
    if (Npc* npc = room->occupants.at(k)) considerGift(*npc);
}

void considerGift(Npc& npc) {
    if (isTheDog(npc) || npc.gaveGift || npc.currentRoom == nullptr ||
        npc.currentRoom != game.player.currentRoom || npc.moodRate == kUntouchedMoodRate || npc.hostility > 60.0)
        return;
    reseedFromClock();
    if (npc.happiness < 60.0) {
        offerGiftOfKind(npc, 0, 0.25);
    } else if (npc.happiness < 90.0) {
        if (draw() % 2 == 1)
            offerGiftOfKind(npc, 0, 0.5);
        else
            offerGiftOfKind(npc, 1, 0.25);
    } else {
        static constexpr double kChances[kGiftKinds] = {0.75, 0.5, 0.25};
        const int kind = draw() % 3;
        offerGiftOfKind(npc, kind, kChances[kind]);
    }
}

void offerGiftOfKind(Npc& npc, int kind, double chance) {
    if (kind < 0 || kind >= kGiftKinds) return;
    const GiftKind& gifts = kGiftKindTable[kind];
    PtrList<ItemDef> items;
    initList(items, kGiftListCapacity);
    for (const char* name : gifts.items)
        if (ItemDef* item = findItemByName(name)) addToList(items, item);
    offerGift(npc, items, chance, gifts.message, kind);
    freeList(items);
}

void offerGift(Npc& npc, PtrList<ItemDef>& items, double chance, const char* message, int kind) {
    const int n = static_cast<int>(items.count);
    if (n == 0 || chance <= 0.0) return;
    const int range = static_cast<int>((1.0 / chance) * n);
    if (range <= 0) return;
    const int d = draw() % range;
    if (d >= n) return;

    ItemDef* gift = items.slots[static_cast<std::size_t>(d)];
    if (kind == 2)
        printMarked(message, npc.name, gift->name);
    else
        printMarked(message, npc.name, game.player.name, gift->name);
    printMarked("%s drops %s.\n", npc.name, gift->name);
    if (game.player.currentRoom != nullptr) addToList(game.player.currentRoom->items, gift);
    npc.gaveGift = 1;
}
