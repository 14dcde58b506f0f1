#include "core/Movement.h"

#include <string>

#include "clock/Clock.h"
#include "console/Output.h"
#include "core/Inventory.h"
#include "core/Lab.h"
#include "core/World.h"
#include "islanders/Islanders.h"

namespace {

constexpr int kRemembranceDay = 15;
constexpr int kReactionDelay = 2;

// The exits line lists exits in direction order, north first, clockwise.
constexpr const char* kExitWords[kDirectionCount] = {
    " north,", " northeast,", " east,", " southeast,", " south,", " southwest,", " west,", " northwest,",
};

void describeCurrentRoom() {
    printMarked("/G%s\n", game.player.currentRoom->description);
    printExits();
}

}  // namespace

void moveCommand(int direction) {
    Room* here = game.player.currentRoom;
    Room* target = (here && direction >= 0 && direction < kDirectionCount)
                       ? here->exits[static_cast<std::size_t>(direction)]
                       : nullptr;
    if (!target) {
        printMarked("/RYou cannot travel in that direction.\n");
        return;
    }
    game.player.currentRoom = target;
    if (target->is(12, 0)) {
        enterLab();
        return;
    }
    if (game.day == kRemembranceDay && target->is(11, 0)) {
        printMarked("You remember how you escaped dialog! Whoo!\n");
    } else {
        scheduleEvent(kReactionDelay, islanderReacts);
    }
    describeCurrentRoom();
}

void showRoom() {
    if (game.player.currentRoom) describeCurrentRoom();
}

void lookCommand(const char* argument) {
    if (argument && *argument) {
        if (const char* description = describeItemIfPresent(argument)) {
            printMarked("%s\n", description);
        } else {
            printMarked("You look blankly at your hands, as though looking for something that isn't there...\n");
        }
        return;
    }
    Room* here = game.player.currentRoom;
    if (!here) return;
    printMarked("/G%s\n", here->description);
    if (!here->items.empty()) {
        printMarked("/cYou see the following items: ");
        formatItemList(here->items);
    } else {
        printMarked("You see no items here.\n");
    }
    listPeopleHere();
    printExits();
}

void listPeopleHere() {
    Room* here = game.player.currentRoom;
    if (!here || here->occupants.empty()) return;
    std::string line = "/wYou see the following people here: ";
    for (std::uint32_t i = 0; i < here->occupants.count; ++i) {
        Npc* npc = here->occupants.at(i);
        if (!npc) break;
        if (i > 0) line += ", ";
        line += "/W";
        line += npc->name.view();
    }
    line += ".\n";
    printMarked("%s", line);
}

void printExits() {
    Room* here = game.player.currentRoom;
    std::string line = "/yValid exits are:/Y";
    for (int d = 0; here && d < kDirectionCount; ++d)
        if (here->exits[static_cast<std::size_t>(d)]) line += kExitWords[d];
    if (line.back() == ',') line.pop_back();
    line += ".\n\n";
    printMarked("%s", line);
}
