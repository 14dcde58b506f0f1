#pragma once
// The inventory commands. An argument of nullptr means none was typed.
#include "core/World.h"

void inventoryCommand();
void getCommand(const char* argument);
void dropCommand(const char* argument);
void useCommand(const char* argument);
void combineCommand(const char* argument);
void formatItemList(const PtrList<ItemDef>& list);
