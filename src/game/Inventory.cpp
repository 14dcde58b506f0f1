#include "game/Inventory.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "console/Output.h"
#include "game/ItemNames.h"
#include "items/Items.h"

namespace {

constexpr int kAsManyAsPossible = 20;

bool keepsFinalS(const std::string& name) { return name == "handcuffs" || name == "glasses"; }

// Reads the count and moves the name past it. The name stays as typed
// when nothing follows the number.
void readLeadingNumber(ItemCount& result) {
    const char* start = result.name.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(start, &end, 0);
    if (errno == ERANGE || value > INT_MAX) value = INT_MAX;
    result.count = static_cast<int>(value);
    while (*end && std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (*end) result.name = std::string(end);
}

// "all wood" and "wood all", as players type them, take every unit: the
// word is taken off the name.
bool takesAll(std::string& name) {
    const std::string lower = toLower(name);
    if (lower.starts_with("all ")) {
        name.erase(0, 4);
    } else if (lower.ends_with(" all")) {
        name.resize(name.size() - 4);
    } else {
        return false;
    }
    return !name.empty();
}

}  // namespace

ItemCount parseItemCount(std::string_view argument) {
    ItemCount result;
    result.name = std::string(argument);
    if (takesAll(result.name)) result.count = kAsManyAsPossible;
    if (!result.name.empty() && std::isdigit(static_cast<unsigned char>(result.name[0]))) readLeadingNumber(result);

    const std::string& name = result.name;
    // The plural an item list shows ("scraps of metal", "large leaves") is
    // taken as typed, as a plural is.
    const std::string typed = toLower(name);
    for (const ItemDef& item : game.items) {
        if (item.name.empty() || toLower(item.name.view()) == typed) continue;
        if (toLower(pluralName(item.name.view())) != typed) continue;
        result.name = std::string(item.name.view());
        if (result.count == 1) result.count = kAsManyAsPossible;
        return result;
    }
    if (!name.empty() && name.back() == 's' && !keepsFinalS(name)) {
        std::string singular = name.substr(0, name.size() - 1);
        // A name that really ends in s ("corpse of chris") is not a plural.
        if (findItemByName(singular) || !findItemByName(name)) {
            result.name = singular;
            if (result.count == 1) result.count = kAsManyAsPossible;
        }
    }
    return result;
}

namespace {

Room& currentRoom() { return *game.player.currentRoom; }

}  // namespace

void formatItemList(const PtrList<ItemDef>& list) {
    std::string text = "/C";
    for (std::uint32_t i = 0; i < list.capacity; ++i) {
        const ItemDef* item = list.at(i);
        if (!item) continue;
        bool listedBefore = false;
        for (std::uint32_t j = 0; j < i && !listedBefore; ++j) listedBefore = list.at(j) == item;
        if (listedBefore) continue;
        unsigned n = countInList(list, item);
        if (n > 1) {
            text += std::to_string(n) + " ";
            text += pluralName(item->name.view());
        } else {
            text += item->name.view();
        }
        text += ", ";
    }
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ", ") == 0) text.resize(text.size() - 2);
    text += ".\n";
    printMarked("%s", text);
}

void inventoryCommand() {
    if (game.player.inventory.empty()) {
        printMarked("You have no items in your inventory.\n");
        return;
    }
    printMarked("/cYou have the following items: ");
    formatItemList(game.player.inventory);
}

void getCommand(const char* argument) {
    if (!argument) {
        printMarked("You pick up a bunch of nothing.\n");
        return;
    }
    ItemCount wanted = parseItemCount(argument);
    ItemLookup found = lookUpItem(wanted.name);
    if (found.ambiguous()) return askWhichItem(found.choices);
    ItemDef* item = found.item;
    if (!item || countInList(currentRoom().items, item) == 0) {
        printMarked("That item is not in the room.\n");
        return;
    }
    if (!item->portable) {
        printMarked("/RYou cannot pick up this item.\n");
        return;
    }
    int moved = transferItems(item, wanted.count, currentRoom().items, game.player.inventory);
    if (moved == 0) {
        printMarked("You cannot hold any more items.\n");
        return;
    }
    printMarked("You pick up %i %s, %s\n", moved, item->name, item->description);
    if (moved < wanted.count && game.player.inventory.full() && countInList(currentRoom().items, item) > 0)
        printMarked("Your hands are full: the rest stays here.\n");
}

void dropCommand(const char* argument) {
    if (!argument) {
        printMarked("You pretend to drop an imaginary item.\n");
        return;
    }
    ItemCount wanted = parseItemCount(argument);
    ItemLookup found = lookUpItem(wanted.name);
    if (found.ambiguous()) return askWhichItem(found.choices);
    ItemDef* item = found.item;
    if (!item || countInList(game.player.inventory, item) == 0) {
        printMarked("You are holding no %s.\n", wanted.name);
        return;
    }
    int moved = transferItems(item, wanted.count, game.player.inventory, currentRoom().items);
    if (moved == 0) {
        printMarked("This room is so full of things you cannot find a place to drop %s.\n", wanted.name);
        return;
    }
    printMarked("You drop %i %s.\n", moved, item->name);
}

namespace {
// The target after " on " or " with " is found like any item name, so the
// tool's handler reads the item's own name: "use hammer on metal" and
// "use rock on scrap of metal" both name the scrap of metal. A target that
// is no item (a tree's name, an islander, the door) is left as typed.
// False when the words fit several items and the player was asked which.
bool nameTarget(std::string& rest) {
    for (std::string_view joint : {" on ", " with "}) {
        if (rest.rfind(joint, 0) != 0) continue;
        std::string target = rest.substr(joint.size());
        ItemDef* item = itemNamedAtStart(target);
        if (!item || item->name.view().size() != target.size()) {
            ItemLookup found = lookUpItem(target);
            if (found.ambiguous()) {
                askWhichItem(found.choices);
                return false;
            }
            item = found.item;
        }
        if (item) rest = std::string(joint) + toLower(item->name.view());
        return true;
    }
    return true;
}
}  // namespace

void useCommand(const char* argument) {
    if (!argument) {
        printMarked("You use \"nothing\" to the best of your ability - go you!\n(Hooray, fellatio)\n");
        return;
    }
    std::string text = argument;
    // The longest item name the line starts with: "use life ring on wall".
    // Held or not, it is the item meant: "use coconut husk" never eats the coconut.
    ItemDef* item = itemNamedAtStart(text);
    std::size_t nameLength = item ? item->name.view().size() : 0;
    if (!item) {
        // Otherwise the typed name ends before " on" or " with" ("use ring on wall").
        std::string name = text;
        if (text.find(" on") != std::string::npos || text.find(" with") != std::string::npos)
            name = copyUntil(text, text.find(' '));
        ItemLookup found = lookUpItem(name);
        if (found.ambiguous()) return askWhichItem(found.choices);
        item = found.item;
        nameLength = name.size();
    }
    if (!item || countInList(game.player.inventory, item) == 0) {
        printMarked("You do not have that item.\n");
        return;
    }
    if (!item->useHandler) {
        printMarked("You cannot use that item.\n");
        return;
    }
    std::string rest = text.substr(std::min(nameLength, text.size()));
    if (!nameTarget(rest)) return;
    item->useHandler(rest);
}

void combineCommand(const char* argument) {
    std::string text = argument ? argument : "";
    std::size_t joint = text.find(" with");
    // Both names need text: something after "with" and its separating blank.
    if (joint == std::string::npos || text.size() - (joint + 1) <= 5) {
        printMarked("/RInvalid use of command \"combine.\"\n/GCorrect syntax is \"combine <item1> with <item2>\"\n");
        return;
    }
    std::string names[2] = {copyUntil(text, joint), text.substr(joint + 1 + 5)};
    // Each name as players type it: "combine blade with handle" or "... with leaf".
    for (std::string& name : names) {
        ItemLookup found = lookUpItem(name);
        if (found.ambiguous()) return askWhichItem(found.choices);
        if (found.item) name = std::string(found.item->name.view());
    }
    combineItems(names[0].c_str(), names[1].c_str());
}
