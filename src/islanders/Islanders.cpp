#include "islanders/Islanders.h"

// Placeholders until the islanders are built.
void createIslanders() { game.islanderCount = kIslanderCount; }
void pickPersonalities(std::array<int, 9>&) {}
void loadPersonality(Npc&, const char*) {}
const char* pickName(const Npc&) { return "error"; }
int areaRoomCount(int) { return 0; }
void moveIslanders(int) {}
void moveIslander(Npc&, int, int) {}
Npc* pickRandomIslander(int) { return game.memorySubject; }
void killIslander(Npc&) {}
Npc* findIslanderInRoom(std::string_view, Room&) { return nullptr; }
void islanderReacts() {}
void considerGift(Npc&) {}
void offerGiftOfKind(Npc&, int, double) {}
void offerGift(Npc&, PtrList<ItemDef>&, double, const char*, int) {}
