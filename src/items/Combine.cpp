// Combining two held items by the recipes of the second one.
#include "console/Output.h"
#include "items/Items.h"
#include "world/World.h"

void combineItems(const char* first, const char* second) {
    ItemDef* firstItem = findItemByName(first ? first : "");
    ItemDef* secondItem = findItemByName(second ? second : "");
    ItemDef* rock = findItemByName("rock");

    // Rock with rock is sharpening, which takes time: the rock's own handler.
    if (rock && firstItem == rock && secondItem == rock) {
        useRock(" on rock");
        return;
    }
    PtrList<ItemDef>& inventory = game.player.inventory;
    if (!firstItem || !secondItem || countInList(inventory, firstItem) == 0 ||
        countInList(inventory, secondItem) == 0) {
        printMarked("/RYou do not have those items.\n");
        return;
    }
    for (const CombineRecipe& recipe : secondItem->recipes) {
        if (recipe.withItem != firstItem) continue;
        printMarked("%s\n", recipe.message);
        // The ingredients leave first, so a full inventory still has room
        // for the result; it ends up as the newest entry either way.
        removeFromList(inventory, firstItem);
        removeFromList(inventory, secondItem);
        if (recipe.resultItem) addToList(inventory, recipe.resultItem);
        return;
    }
    printMarked("/RYou can't combine those two items.\n");
}
