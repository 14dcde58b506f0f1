#include "game/Verbs.h"

#include <string>
#include <string_view>

#include "console/Output.h"
#include "game/ItemNames.h"
#include "game/Things.h"
#include "world/Places.h"
#include "world/World.h"

namespace {

struct Hint {
    std::string_view verbs;  // the verbs it answers, blank-separated
    const Place* where;  // nullptr: wherever the named item is present
    std::string_view names;  // what the player may call it, comma-separated
    bool (*done)();  // true once the deed is done; nullptr for never
    const char* hint;
    const char* doneText = nullptr;
    // The hint for a player who already holds the tool that would do it.
    const char* tool = nullptr;
    const char* toolHint = nullptr;
};

bool exitOpen(Place place, int direction) {
    return roomAt(place)->exits[static_cast<std::size_t>(direction)] != nullptr;
}
bool doorOpen() { return exitOpen(kTheDoor, East); }
bool fenceDugUnder() { return exitOpen(kFence, Northeast); }
bool wallOpen() { return exitOpen(kKeypadWall, North); }

constexpr const char* kOverTheWire =
    "/wThe coils of barbed wire along the top would cut you to ribbons. Under the fence would be kinder than over it.\n";

constexpr Hint kHints[] = {
    {"open pry", &kTheDoor, "door, steel door, edge", doorOpen,
     "/wThe door will not give to fingers, but its bent edge wants a strong lever: /Guse crowbar on door/w.\n",
     "/wThe door already stands open to the east.\n", "crowbar",
     "/wThe door will not give to fingers, but its bent edge wants a strong lever, and your crowbar is one: /Guse crowbar on door/w.\n"},
    {"dig", &kFence, "ground, sand, soft ground, fence, hole, here", fenceDugUnder,
     "/wThe sandy ground at the foot of the fence is soft, but your hands will not get far. A shovel would: /Guse shovel/w here.\n",
     "/wYou have already dug a hole under the fence, wide enough to crawl through to the northeast.\n", "shovel",
     "/wThe sandy ground at the foot of the fence is soft, and you have the shovel for it: /Guse shovel/w here.\n"},
    {"climb", &kFence, "fence, wire, barbed wire", nullptr, kOverTheWire},
    {"climb", &kFenceCorner, "fence", nullptr, kOverTheWire},
    {"open", &kFence, "fence, wire, gate", nullptr,
     "/wThe fence's gate, to the west, is chained shut with a lump of rust. Under the fence would be kinder than over it, where the sandy ground is soft.\n"},
    {"open pry", &kKeypadWall, "wall, stone, slots, slot, keypad", wallOpen,
     "/wThe wall has no handle and no seam. Its three slots look made to take shapes: /Guse/w one here when you have it.\n",
     "/wThe wall already stands open to the north.\n"},
    {"open pry", &kCargoScatter, "crates, crate", nullptr, "/wThey are split open already, and empty.\n"},
    {"open pry", nullptr, "crate", nullptr,
     "/wThe lid is already off: the tins inside are what the islanders ration.\n"},
    {"climb", nullptr, "tree", nullptr,
     "/wThe trunk is straight and bare of branches. An axe would bring it down to you instead: /Guse axe on tree/w.\n"},
};

bool listed(std::string_view list, std::string_view word, char separator) {
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t to = list.find(separator, from);
        if (to == std::string_view::npos) to = list.size();
        std::string_view entry = list.substr(from, to - from);
        while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
        if (entry == word) return true;
        from = to + 1;
    }
    return false;
}

// "open the door", "dig at the ground": the thing meant.
std::string targetOf(const char* argument) {
    std::string typed = toLower(argument ? argument : "");
    while (!typed.empty() && typed.front() == ' ') typed.erase(0, 1);
    while (!typed.empty() && typed.back() == ' ') typed.pop_back();
    for (const char* filler : {"at ", "in ", "up ", "under ", "over ", "the "})
        if (typed.rfind(filler, 0) == 0) typed.erase(0, std::string_view(filler).size());
    return typed;
}

bool fits(const Hint& hint, std::string_view verb, const std::string& target) {
    if (!listed(hint.verbs, verb, ' ') || !listed(hint.names, target, ',')) return false;
    const Room& here = *game.player.currentRoom;
    if (hint.where) return here.is(*hint.where);
    ItemLookup found = lookUpItem(target);
    return found.item && isItemPresent(found.item->name.view());
}

bool holding(const char* name) {
    const ItemDef* item = findItemByName(name);
    return item && countInList(game.player.inventory, item) > 0;
}

bool presentHere(const std::string& target) {
    const Room& here = *game.player.currentRoom;
    ItemLookup found = lookUpItem(target);
    return (found.item && isItemPresent(found.item->name.view())) || findThing(here, target) ||
           textMentions(here.description.view(), target);
}

// One line for the verb at the target: the hint that fits, or why not.
void answer(std::string_view verb, const std::string& target) {
    for (const Hint& hint : kHints) {
        if (!fits(hint, verb, target)) continue;
        if (hint.done && hint.done()) printMarked("%s", hint.doneText);
        else printMarked("%s", hint.tool && holding(hint.tool) ? hint.toolHint : hint.hint);
        return;
    }
    if (verb == "dig" && listed("ground, sand, here", target, ',')) {
        if (holding("shovel"))
            printMarked("Nothing says the ground here is worth digging, shovel or no shovel.\n");
        else
            printMarked("The ground here is too hard for bare hands, and nothing says it is worth digging.\n");
    }
    else if (presentHere(target))
        printMarked("You see no way to %s the %s.\n", verb, target);
    else
        printMarked("You see no %s here.\n", target);
}

void answerTyped(std::string_view verb, const char* argument, const char* question) {
    if (!game.player.currentRoom) return;
    std::string target = targetOf(argument);
    if (target.empty()) {
        printMarked("%s\n", question);
        return;
    }
    answer(verb, target);
}

}  // namespace

void openCommand(const char* argument) { answerTyped("open", argument, "Open what?"); }
void pryCommand(const char* argument) { answerTyped("pry", argument, "Pry what?"); }
void climbCommand(const char* argument) { answerTyped("climb", argument, "Climb what?"); }
// Digging needs no target: the ground underfoot is meant.
void digCommand(const char* argument) {
    std::string target = targetOf(argument);
    if (game.player.currentRoom) answer("dig", target.empty() ? "ground" : target);
}
