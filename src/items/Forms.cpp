// The forms a handler reads, and the refusal every tool shares.
#include "items/Items.h"

#include "console/Output.h"
#include "world/World.h"

bool isForm(std::string_view text, std::string_view form) {
    return !text.empty() && text.substr(1) == form;
}

void refuseToolUse(std::string_view text, const char* invalidUseText) {
    constexpr std::string_view kOn = " on ";
    if (text.substr(0, kOn.size()) == kOn) {
        std::string target(text.substr(kOn.size()));
        ItemDef* item = findItemByName(target.c_str());
        Room* here = game.player.currentRoom;
        if (item && item->portable && here && countInList(here->items, item) > 0 &&
            countInList(game.player.inventory, item) == 0) {
            printMarked("You need the %s in your hands first.\n", target);
            return;
        }
    }
    printMarked(invalidUseText);
}
