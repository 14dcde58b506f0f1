#pragma once
// The nine islander records: creation, wandering, killings and gifts.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "world/World.h"

// Roster
void createIslanders();
void pickPersonalities(std::array<int, 9>& numbers);
// The names of every personality file, the Dog's included.
std::vector<std::string> personalityNames();
void loadPersonality(Npc& prepared, const char* personalityName);
const char* pickName(const Npc& npc);
// "he" or "she" as the name drawn says: a personality that draws from the
// names of either sex is not told by its gender, and a dead islander has
// none. Every save holds the name, so old saves are told right too.
const char* pronounOf(std::string_view name);

// Movement, presence and corpses (the rooms an islander wanders among: areaRoomCount)
void moveIslander(Npc& npc, int area, int number);
Npc* pickRandomIslander(int allowRepeat);
void killIslander(Npc& npc);
Npc* findIslanderInRoom(std::string_view name, Room& room);

// Gifts
void islanderReacts();
void considerGift(Npc& npc);
void offerGiftOfKind(Npc& npc, int kind, double chance);
void offerGift(Npc& npc, PtrList<ItemDef>& items, double chance, const char* message, int kind);
