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
