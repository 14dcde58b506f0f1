#pragma once
// Item names as players type them: "leaf" for the large leaf, "raft" for
// the Junky Raft. An exact name always wins; otherwise an item present
// (held or lying here) whose name ends with the typed words is meant.
#include <string_view>
#include <vector>

#include "world/World.h"

struct ItemLookup {
    ItemDef* item = nullptr;         // the item meant, or nullptr
    std::vector<ItemDef*> choices;   // two or more items that fit equally well
    bool ambiguous() const { return choices.size() > 1; }
};

// An item present whose name is typed, or ends with the typed words; a
// body word ("body", "corpse") means any islander's body lying here.
ItemLookup lookUpItem(std::string_view typed);
bool isBodyWord(std::string_view words);
// "Which do you mean: the large leaf or the ...?"
void askWhichItem(const std::vector<ItemDef*>& choices);
// The item whose name is the longest the text starts with as whole words
// ("life ring" in "life ring on wall"), held or not, so that "coconut husk"
// never names the coconut; a held one among records of the same name.
// nullptr when the text starts with no item's name.
ItemDef* itemNamedAtStart(std::string_view text);
