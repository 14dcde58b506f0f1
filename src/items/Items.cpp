#include "items/Items.h"

#include "core/Commands.h"

// Placeholders until the items are built.
void registerUseHandlers() {}
void combineItems(const char*, const char*) {}
void showMap(std::string_view) { printInvalidCommand(); }
