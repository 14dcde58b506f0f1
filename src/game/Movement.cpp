#include "game/Movement.h"

#include <optional>
#include <string>

#include "clock/Clock.h"
#include "console/Output.h"
#include "game/Inventory.h"
#include "game/ItemNames.h"
#include "game/Lab.h"
#include "game/Things.h"
#include "islanders/Handcuffed.h"
#include "islanders/Islanders.h"
#include "items/Wall.h"
#include "raft/Stage.h"
#include "world/Places.h"
#include "world/World.h"

namespace {

constexpr int kRemembranceDay = 15;
constexpr int kReactionDelay = 2;

// The exits line lists exits in direction order, north first, clockwise.
constexpr const char* kExitWords[kDirectionCount] = {
    " north,", " northeast,", " east,", " southeast,", " south,", " southwest,", " west,", " northwest,",
};

void listItemsHere(bool sayWhenNone) {
    Room* here = game.player.currentRoom;
    if (!here->items.empty()) {
        printMarked("/cYou see the following items: ");
        formatItemList(here->items);
    } else if (sayWhenNone) {
        printMarked("You see no items here.\n");
    }
}

void describeCurrentRoom() {
    printMarked("/G%s\n", game.player.currentRoom->description);
    if (game.verboseRooms) {
        listItemsHere(false);
        listPeopleHere();
    }
    printExits();
}

// "look at the fence" reads as "look fence".
std::string lookTarget(const char* argument) {
    std::string typed = toLower(argument);
    while (!typed.empty() && typed.front() == ' ') typed.erase(0, 1);
    while (!typed.empty() && typed.back() == ' ') typed.pop_back();
    for (const char* filler : {"at ", "the "})
        if (typed.rfind(filler, 0) == 0) typed.erase(0, std::string_view(filler).size());
    return typed;
}

void lookAtIslander(const Npc& npc) {
    if (isHandcuffed(npc))
        printMarked("/w%s is handcuffed to a tree here, and %s.\n", npc.name, handcuffedManner(npc));
    else
        printMarked("/w%s is here, watching you as warily as you watch them.\n", npc.name);
}

void lookAt(const std::string& typed) {
    if (const Npc* npc = findIslanderInRoom(typed, *game.player.currentRoom)) return lookAtIslander(*npc);
    ItemLookup found = lookUpItem(typed);
    if (found.ambiguous()) return askWhichItem(found.choices);
    if (found.item) {
        if (const char* description = describeItemIfPresent(found.item->name.view())) {
            printMarked("%s\n", description);
            if (isRaftItem(*found.item)) printMarked("%s", raftStageText(*found.item));
            return;
        }
    }
    const Room& here = *game.player.currentRoom;
    if (here.is(kKeypadWall)) {
        if (std::optional<std::string> wall = wallLookText(typed)) {
            printMarked("/w%s\n", *wall);
            return;
        }
    }
    // With no islander's body here, "corpse" is the scientist's.
    const Thing* thing = findThing(here, typed);
    if (!thing && isBodyWord(typed)) thing = findThing(here, "body");
    if (thing) {
        printMarked("/w%s\n", thing->text);
    } else if (textMentions(here.description.view(), typed)) {
        printMarked("You see nothing more of the %s than you have already seen here.\n", typed);
    } else {
        printMarked("You look blankly at your hands, as though looking for something that isn't there...\n");
    }
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
    if (target->is(kLaboratory)) {
        enterLab();
        return;
    }
    if (game.day == kRemembranceDay && target->is(kFence)) {
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
    Room* here = game.player.currentRoom;
    if (!here) return;
    if (argument && *argument) return lookAt(lookTarget(argument));
    printMarked("/G%s\n", here->description);
    listItemsHere(true);
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
        if (isHandcuffed(*npc)) line += "/w (handcuffed to a tree)";
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

void verboseCommand() {
    game.verboseRooms = true;
    printMarked("Verbose: entering a place also tells what lies there and who is here.\n");
}

void briefCommand() {
    game.verboseRooms = false;
    printMarked("Brief: entering a place tells only its description and its exits.\n");
}
