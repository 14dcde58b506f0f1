// Timed crafting: the rock, the blade (or knife) and the axe turn
// materials into parts over a few ticks; the product lands in the room.
#include "clock/Clock.h"
#include "console/Output.h"
#include "items/Items.h"
#include "world/World.h"

namespace {

struct TimedAction {
    int ticks;
    int interval;
    const char* startLine;
    const char* progressText;
    const char* finishText;
    const char* refusalText;
    EventCallback completion;
};

const TimedAction kSharpen{4, 2, "/CYou begin sharpening the rock...\n", "/YYou continue sharpening the rock.\n",
                           "/CYou finally finish sharpening the rock into a sharp rock.\n",
                           "/RDo something else? Yeah right, but you're almost done sharpening that rock!\n",
                           finishSharpRock};
const TimedAction kPound{6, 2, "/CYou begin pounding the rock on the metal...\n",
                         "/YYou continue pounding the rock on the metal.\n",
                         "/CYou finally finish pounding the metal into a shovel head.\n",
                         "/RDo something else? Yeah right, but you're almost done pounding that metal!\n",
                         finishShovelHead};
const TimedAction kCarve{4, 2, "/CYou begin carving the wood...\n", "/YYou continue carving the wood.\n",
                         "/CYou finally finish carving the wood into a crude handle.\n",
                         "/RDo something else? Yeah right, but you're almost done carving that wood!\n",
                         finishHandle};
const TimedAction kCutRope{2, 1, "/CYou begin cutting the rope...\n", "/YYou continue cutting the rope.\n",
                           "/CYou finally finish cutting a piece of the rope and shaping it into a sling.\n",
                           "/RDo something else? Yeah right, but you're almost done cutting that rope!\n",
                           finishSling};
const TimedAction kFell{8, 2, "/CYou begin hacking away at the tree...\n",
                        "/YYou continue slicing into the tree with the axe.\n",
                        "/CYou finally finish chopping down the tree and cut it into pieces of wood.\n",
                        "/RDo something else? Yeah right, but you're almost done cutting down that tree!\n",
                        finishFelling};

// The start line now; progress and refusal through the clock. The completion
// rides with the work task, not in the clock's one event slot, so an islander
// who walks in meanwhile cannot cancel it.
void start(const TimedAction& action) {
    printMarked(action.startLine);
    startWork(action.interval, action.ticks, action.progressText, action.finishText, action.completion);
    setBusy(action.ticks, action.refusalText);
}

bool held(const char* name) { return heldCount(name) > 0; }

// Products are laid in the room. When the floor is full the product goes
// into the player's hands instead, so the materials are never spent for nothing.
void putProduct(const char* name) {
    if (putInCurrentRoom(name)) return;
    if (ItemDef* item = findItemByName(name)) addToList(game.player.inventory, item);
}

bool treeHere() {
    ItemDef* tree = findItemByName("tree");
    Room* here = game.player.currentRoom;
    return tree && here && countInList(here->items, tree) > 0;
}

}  // namespace

void useRock(std::string_view text) {
    if (isForm(text, "on rock") && held("rock")) {
        start(kSharpen);
    } else if (isForm(text, "on scrap of metal") && held("scrap of metal")) {
        start(kPound);
    } else if (isForm(text, "on glasses") && held("glasses")) {
        printMarked("/YYou make some sparks.\n");
    } else {
        refuseToolUse(text, "rock", "/RInvalid use of the rock.\n/WSyntax is:/G USE ROCK ON /B<item>\n");
    }
}

void useBlade(std::string_view text) {
    if (isForm(text, "on wood") && held("wood")) {
        start(kCarve);
    } else if (isForm(text, "on rope") && held("rope")) {
        start(kCutRope);
    } else if (isForm(text, "on torn shirt") && held("torn shirt")) {
        takeFromInventory("torn shirt");
        putProduct("bandana");
        printMarked("/YYou cut up the shirt and make it into a bandana.\n");
    } else if (isForm(text, "on broken radio") && held("broken radio")) {
        printMarked("/YYou fiddle with the radio but with no success.\n");
    } else {
        refuseToolUse(text, "blade", "/RInvalid use of the Blade (or Knife).\n/WSyntax is:/G USE BLADE (or KNIFE) ON /B<item>\n");
    }
}

void useAxe(std::string_view text) {
    if (isForm(text, "on broken radio") && held("broken radio")) {
        takeFromInventory("broken radio");
        printMarked("/YYou destroyed the radio, good job slick.\n");
    } else if (isForm(text, "on tree") && treeHere()) {
        start(kFell);
    } else {
        refuseToolUse(text, "axe", "/RInvalid use of the axe.\n/WSyntax is:/G USE AXE ON /B<item>.\n");
    }
}

// The completions act on the room the player is in, which is the room of
// the action: a busy player cannot move. Each runs on the tick its finish
// line is printed.

void finishSharpRock() {
    // With a single rock the second removal finds nothing; the rock still sharpens.
    takeFromInventory("rock");
    takeFromInventory("rock");
    putProduct("sharp rock");
    printMarked("/YYou have created a sharp rock. It is shaped like an axe head and looks like it might be useful for major cutting...\n");
}

void finishShovelHead() {
    takeFromInventory("rock");
    takeFromInventory("scrap of metal");
    putProduct("shovel head");
    printMarked("/YYou have pounded the metal into a shovel head. Now if you just had a handle to attach it to, you could make a useful tool...\n");
}

void finishHandle() {
    takeFromInventory("wood");
    putProduct("handle");
    printMarked("/YYou carve the wood into a handle. If you had something to attach this to, you could make some useful tools...\n");
}

void finishSling() {
    putProduct("sling");
    printMarked("/YYou cut off a piece of rope and shape it into a sling. Now if you just had some bullet-shaped pebbles...\n");
}

void finishFelling() {
    ItemDef* tree = findItemByName("tree");
    Room* here = game.player.currentRoom;
    if (tree && here) removeFromList(here->items, tree);
    for (int i = 0; i < 3; ++i) putProduct("wood");
}
