// The immediate use handlers: eating, wearing, throwing, breaking,
// digging, prying and placing the shapes at the keypad wall.
#include <cstdint>

#include "base/Random.h"
#include "console/Output.h"
#include "islanders/Islanders.h"
#include "items/Items.h"
#include "items/Wall.h"
#include "world/Places.h"
#include "world/World.h"

namespace {

void eat(const char* itemName, const char* message) {
    takeFromInventory(itemName);
    printMarked(message);
}

// Moves one unit from the inventory to the floor; a full room leaves it held.
void dropHere(const char* itemName) {
    ItemDef* item = findItemByName(itemName);
    Room* here = game.player.currentRoom;
    if (!item || !here) return;
    if (addToList(here->items, item) >= 0) removeFromList(game.player.inventory, item);
}

bool here(Place place) {
    return game.player.currentRoom && game.player.currentRoom->is(place);
}

void placeShape(const char* itemName, std::int16_t& flag, const char* insertMessage) {
    const bool atWall = here(kKeypadWall);
    if (atWall) {
        printMarked(insertMessage);
        flag = 1;
        takeFromInventory(itemName);
        describeWall();
    }
    if (game.pyramidPlaced == 1 && game.cubePlaced == 1 && game.spherePlaced == 1) {
        printMarked("/YOff to the right you hear a female voice softly say 'Please enter lab code' as a small numeric keypad is revealed.\n");
    } else if (!atWall && here(kCrystalGrotto)) {
        // The pedestal's three-sided cup invites the shape that lay in it.
        if (std::string_view(itemName) == "pyramid")
            printMarked("/YYou set the pyramid in the three-sided cup. It fits exactly, but nothing happens: the cup only kept it safe. You take it back; something else must want it.\n");
        else
            printMarked("/YThe %s will not sit in the pedestal's three-sided cup. Whatever it is for, it is not this.\n", itemName);
    } else if (!atWall) {
        printMarked("/YYou turn the %s over in your hands, but there is nothing here for it to fit into.\n", itemName);
    }
}

}  // namespace

void useCoconut(std::string_view) { eat("coconut", "/YMmm, tastes good!\n"); }
void useBanana(std::string_view) { eat("banana", "/YYummy!\n"); }
void useDarkInsect(std::string_view) { eat("dark insect", "/YUgh, it tastes horrible.\n"); }
void useBrightInsect(std::string_view) { eat("bright insect", "/YWow, that tastes really good!\n"); }
void useBerry(std::string_view) { eat("berry", "/YHmm, should berries taste like acid?\n"); }
void useBatGuano(std::string_view) { eat("bat guano", "/YYou regrettably apply the stinky camouflage.\n"); }
void useDarkFlower(std::string_view) { eat("dark flower", "GAK, that tastes horrible.\n"); }
void useBrightFlower(std::string_view) { eat("bright flower", "/YYou die of poison...just kidding, you're fine.\n"); }

void useTornShirt(std::string_view) { printMarked("/YWow, you look stylish.\n"); }
void useBandana(std::string_view) { printMarked("/YYou look ready to get into a bar fight.\n"); }
void useGlasses(std::string_view) { printMarked("/YWow, now you see worse!\n"); }
void useBrokenRadio(std::string_view) { printMarked("/YAll you get is static.\n"); }

void useNote(std::string_view) {
    ItemDef* note = findItemByName("note");
    if (!note) return;
    // The note reads as its description; a line break closes it when the text has none.
    std::string_view words = note->description.view();
    printMarked(!words.empty() && words.back() == '\n' ? "%s" : "%s\n", words);
}

void useShell(std::string_view) {
    dropHere("shell");
    printMarked("/YYou fling the shell like a deadly ninja star...of death!\n");
}

void useHandcuffs(std::string_view text) {
    takeFromInventory("handcuffs");
    // "use handcuffs on mary" hands over " on mary": skip the blank, the
    // word "on" or "with" and one blank; what is left is the name.
    std::string_view name = text.empty() ? text : text.substr(1);
    std::size_t blank = name.find(' ');
    name = blank == std::string_view::npos ? std::string_view() : name.substr(blank + 1);
    Room* room = game.player.currentRoom;
    game.handcuffedIslander = room && !name.empty() ? findIslanderInRoom(name, *room) : nullptr;
    if (game.handcuffedIslander) {
        printMarked("/YYou handcuffed %s to a nearby tree.\n", name);
    } else if (name.empty()) {
        printMarked("/YThe handcuffs snap shut on nothing and will not open again.\n");
    } else {
        printMarked("/YNobody called %s is here. The handcuffs snap shut on nothing and will not open again.\n", name);
    }
}

void useHammer(std::string_view text) {
    if (isForm(text, "on broken radio") && heldCount("broken radio") > 0) {
        takeFromInventory("broken radio");
        printMarked("/YYou destroyed the radio, good job!\n");
    } else if (isForm(text, "on coconut") && heldCount("coconut") > 0) {
        takeFromInventory("coconut");
        printMarked("/YYou break open the coconut, yummy.\n");
    } else {
        refuseToolUse(text, "hammer", "/RInvalid use of the hammer.\n/WSyntax is:/G USE HAMMER ON /B<item>.\n");
    }
}

void useSling(std::string_view text) {
    if (isForm(text, "on tree")) {
        printMarked("/YYou hit the tree, but to no effect.\n");
    } else {
        printMarked("/YYou whirl the empty sling around your head, but it has nothing to throw.\n");
    }
}

void usePebble(std::string_view text) {
    if ((isForm(text, "on sling") || isForm(text, "with sling")) && heldCount("sling") > 0) {
        takeFromInventory("sling");
        takeFromInventory("pebble");
        printMarked("/YYou load a pebble into your sling.\n");
        return;
    }
    switch (draw() % 3) {
    case 0:
        printMarked("/YYou throw the pebble at the ground in disgust!\n");
        dropHere("pebble");
        break;
    case 1:
        printMarked("/YYou smash the pebble into dust. /CPoof!\n");
        takeFromInventory("pebble");
        break;
    default:
        if (heldCount("pebble") > 1) {
            printMarked("/YYou juggle your pebbles in a spectacular display.\n");
        } else {
            printMarked("/YYou juggle a single pebble... wow.\n");
        }
        break;
    }
}

// A room the player has changed tells of it from then on; the save keeps
// the new text like any room's.
constexpr const char* kFenceDugUnder =
    "A tall wire fence topped with barbed wire blocks the way north. Behind it the mountain rises. In the soft, "
    "sandy ground at its foot you have dug a hole under the wire, wide enough to crawl through to the northeast.";
constexpr const char* kDoorPriedOpen =
    "A heavy steel door is set into the rock face to the east. You have pried it open on its rusted hinges, and a "
    "faint light shows in the passage beyond.";

void useShovel(std::string_view) {
    if (here(kFence)) {
        printMarked("/YYou dig a hole under the fence large enough for you to safely crawl under. It comes out on the far side to the northeast.\n");
        connectRooms(*game.player.currentRoom, *roomAt(kBehindTheFence), Northeast);
        game.player.currentRoom->description = kFenceDugUnder;
    } else {
        printMarked("/YYou swing the shovel around uselessly.\n");
    }
}

void useCrowbar(std::string_view) {
    if (here(kTheDoor)) {
        printMarked("/YYou use the crowbar to pry the door open.\n");
        connectRooms(*game.player.currentRoom, *roomAt(kLaboratory), East);
        game.player.currentRoom->description = kDoorPriedOpen;
    } else {
        printMarked("/YYou swing the crowbar about uselessly.\n");
    }
}

void usePyramid(std::string_view) {
    placeShape("pyramid", game.pyramidPlaced, "/YYou insert the pyramid into a slot and you hear a click.\n");
}
void useCube(std::string_view) {
    placeShape("cube", game.cubePlaced, "/YYou insert the cube into a slot and you hear a click.\n");
}
void useSphere(std::string_view) {
    placeShape("sphere", game.spherePlaced, "/YYou insert the sphere into a slot and you hear a click.\n");
}

namespace {
bool isAnywhere(const ItemDef& shape) {
    if (countInList(game.player.inventory, &shape) > 0) return true;
    for (const Room& room : game.rooms)
        if (room.items.capacity > 0 && countInList(room.items, &shape) > 0) return true;
    return false;
}

void restoreFlag(const char* name, std::int16_t& flag) {
    const ItemDef* shape = findItemByName(name);
    flag = shape && !isAnywhere(*shape) ? 1 : 0;
}
}  // namespace

void restorePlacedShapes() {
    restoreFlag("pyramid", game.pyramidPlaced);
    restoreFlag("cube", game.cubePlaced);
    restoreFlag("sphere", game.spherePlaced);
    describeWall();
}
