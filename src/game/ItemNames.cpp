#include "game/ItemNames.h"

#include <string>

#include "console/Output.h"

namespace {
bool isPresent(ItemDef* item) {
    if (countInList(game.player.inventory, item) > 0) return true;
    const Room* here = game.player.currentRoom;
    return here && countInList(here->items, item) > 0;
}

// An islander's body lies as "Corpse of <name>": players say "body" or "corpse".
bool isCorpse(const ItemDef& item) { return toLower(item.name.view()).starts_with("corpse of "); }

bool endsWithWords(const std::string& name, const std::string& words) {
    if (name.size() <= words.size()) return false;
    std::size_t start = name.size() - words.size();
    return name[start - 1] == ' ' && name.compare(start, words.size(), words) == 0;
}
}  // namespace

bool isBodyWord(std::string_view words) {
    for (const char* word : {"body", "corpse", "dead body", "bodies", "corpses"})
        if (words == word) return true;
    return false;
}

ItemLookup lookUpItem(std::string_view typed) {
    ItemLookup found;
    std::string words = toLower(typed);
    if (words.empty()) return found;
    if ((found.item = findItemByName(words))) return found;
    const bool bodyWord = isBodyWord(words);
    for (ItemDef& item : game.items) {
        if (item.name.empty() || !isPresent(&item)) continue;
        if (endsWithWords(toLower(item.name.view()), words) || (bodyWord && isCorpse(item))) found.choices.push_back(&item);
    }
    if (found.choices.size() == 1) found.item = found.choices.front();
    if (!found.ambiguous()) found.choices.clear();
    return found;
}

void askWhichItem(const std::vector<ItemDef*>& choices) {
    std::string line = "Which do you mean: ";
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) line += i + 1 == choices.size() ? " or " : ", ";
        line += "the ";
        line += choices[i]->name.view();
    }
    line += "?\n";
    printMarked("%s", line);
}

ItemDef* itemNamedAtStart(std::string_view text) {
    std::string typed = toLower(text);
    ItemDef* best = nullptr;
    auto held = [](ItemDef* item) { return countInList(game.player.inventory, item) > 0; };
    for (ItemDef& item : game.items) {
        if (item.name.empty()) continue;
        std::string name = toLower(item.name.view());
        bool startsWithName = typed.compare(0, name.size(), name) == 0 &&
                              (typed.size() == name.size() || typed[name.size()] == ' ');
        if (!startsWithName) continue;
        std::size_t bestSize = best ? best->name.view().size() : 0;
        if (!best || name.size() > bestSize || (name.size() == bestSize && !held(best) && held(&item))) best = &item;
    }
    return best;
}
