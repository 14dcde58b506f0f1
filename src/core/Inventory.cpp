#include "core/Inventory.h"

#include "core/Commands.h"

// Placeholders until the inventory is built.
void inventoryCommand() { printInvalidCommand(); }
void getCommand(const char*) { printInvalidCommand(); }
void dropCommand(const char*) { printInvalidCommand(); }
void useCommand(const char*) { printInvalidCommand(); }
void combineCommand(const char*) { printInvalidCommand(); }
void formatItemList(const PtrList<ItemDef>&) {}
