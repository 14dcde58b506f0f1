#pragma once
// The inventory commands. An argument of nullptr means none was typed.
#include <string>
#include <string_view>

#include "world/World.h"

void inventoryCommand();
void getCommand(const char* argument);
void dropCommand(const char* argument);
void useCommand(const char* argument);
void combineCommand(const char* argument);
void formatItemList(const PtrList<ItemDef>& list);

struct ItemCount {
    int count = 1;     // units wanted
    std::string name;  // as typed, a plural s removed
};

// A leading number is read as C reads "%i" (decimal, 0 octal, 0x hex),
// blanks after it are optional. A plural name without a number, or with
// the number 1, asks for as many as possible (20).
ItemCount parseItemCount(std::string_view argument);
