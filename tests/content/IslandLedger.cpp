#include "IslandLedger.h"
#include "world/Places.h"

#include <algorithm>
#include <initializer_list>

namespace {

void countList(const PtrList<ItemDef>& list, Tally& tally) {
    for (std::uint32_t i = 0; i < list.capacity; ++i)
        if (const ItemDef* item = list.slots[i]) ++tally[static_cast<std::size_t>(item->catalogueIndex)];
}

std::size_t at(const char* name) { return static_cast<std::size_t>(itemIndex(name)); }

// A product goes into the room, or into the hands when the floor is full.
void addProduct(Change& change, const char* name, const Snapshot& before, int units = 1) {
    int room = before.roomFull ? 0 : units;
    change.total[at(name)] += units;
    change.held[at(name)] += units - room;
}

// Units taken out of the inventory: a removal that finds nothing does nothing.
void spend(Change& change, const char* name, int units, const Snapshot& before) {
    int taken = std::min(units, before.held[at(name)]);
    change.total[at(name)] -= taken;
    change.held[at(name)] -= taken;
}

Outcome says(const char* line, const char* name) {
    Outcome o;
    o.says = line;
    o.name = name;
    return o;
}

// A refusal changes nothing; whatever it says, it claims none of the successes.
Outcome refusal() { return says("", "refusal"); }

bool isForm(const std::string& target, const char* form) { return target == form; }

// Eating and applying: the item is gone.
bool eaten(const ItemDef& item) {
    for (const char* name : {"coconut", "banana", "berry", "dark insect", "bright insect", "bat guano",
                             "dark flower", "bright flower"})
        if (item.name.view() == name) return true;
    return false;
}

const char* eatLine(const std::string& name) {
    if (name == "coconut") return "Mmm, tastes good!";
    if (name == "banana") return "Yummy!";
    if (name == "dark insect") return "Ugh, it tastes horrible.";
    if (name == "bright insect") return "Wow, that tastes really good!";
    if (name == "berry") return "Hmm, should berries taste like acid?";
    if (name == "bat guano") return "stinky";
    if (name == "dark flower") return "GAK, that tastes horrible.";
    return "just kidding";
}

// Moves one unit from the hands to the floor; a full floor leaves it held.
Outcome thrown(const char* line, const char* name, const Snapshot& before) {
    Outcome o = says(line, "throw");
    if (!before.roomFull) o.change.held[at(name)] = -1;
    return o;
}

Outcome starts(Craft craft, const char* line) {
    Outcome o = says(line, "start a craft");
    o.starts = craft;
    return o;
}

std::vector<Outcome> rockOutcomes(const std::string& target, const Snapshot& s) {
    if (isForm(target, "on rock") && s.held[at("rock")] > 0) return {starts(Craft::Sharpen, "You begin sharpening")};
    if (isForm(target, "on scrap of metal") && s.held[at("scrap of metal")] > 0)
        return {starts(Craft::Pound, "You begin pounding")};
    if (isForm(target, "on glasses") && s.held[at("glasses")] > 0) return {says("You make some sparks.", "sparks")};
    return {refusal()};
}

std::vector<Outcome> bladeOutcomes(const std::string& target, const Snapshot& s) {
    if (isForm(target, "on wood") && s.held[at("wood")] > 0) return {starts(Craft::Carve, "You begin carving")};
    if (isForm(target, "on rope") && s.held[at("rope")] > 0) return {starts(Craft::CutRope, "You begin cutting")};
    if (isForm(target, "on torn shirt") && s.held[at("torn shirt")] > 0) {
        Outcome o = says("You cut up the shirt and make it into a bandana.", "bandana");
        spend(o.change, "torn shirt", 1, s);
        addProduct(o.change, "bandana", s);
        return {o};
    }
    if (isForm(target, "on broken radio") && s.held[at("broken radio")] > 0)
        return {says("You fiddle with the radio", "fiddle")};
    return {refusal()};
}

Outcome breaks(const char* line, const char* name, const Snapshot& s) {
    Outcome o = says(line, "break");
    spend(o.change, name, 1, s);
    return o;
}

std::vector<Outcome> axeOutcomes(const std::string& target, const Snapshot& s) {
    if (isForm(target, "on broken radio") && s.held[at("broken radio")] > 0)
        return {breaks("You destroyed the radio, good job slick.", "broken radio", s)};
    if (isForm(target, "on tree") && s.here[at("tree")] > 0) return {starts(Craft::Fell, "You begin hacking")};
    return {refusal()};
}

std::vector<Outcome> hammerOutcomes(const std::string& target, const Snapshot& s) {
    if (isForm(target, "on broken radio") && s.held[at("broken radio")] > 0)
        return {breaks("You destroyed the radio, good job!", "broken radio", s)};
    if (isForm(target, "on coconut") && s.held[at("coconut")] > 0)
        return {breaks("You break open the coconut, yummy.", "coconut", s)};
    return {refusal()};
}

std::vector<Outcome> pebbleOutcomes(const std::string& target, const Snapshot& s) {
    if ((isForm(target, "on sling") || isForm(target, "with sling")) && s.held[at("sling")] > 0) {
        Outcome o = says("You load a pebble into your sling.", "load");
        spend(o.change, "sling", 1, s);
        spend(o.change, "pebble", 1, s);
        return {o};
    }
    Outcome smash = says("You smash the pebble into dust.", "smash");
    spend(smash.change, "pebble", 1, s);
    return {thrown("You throw the pebble at the ground", "pebble", s), smash, says("You juggle", "juggle")};
}

std::vector<Outcome> shapeOutcomes(const ItemDef& shape, const Snapshot& s) {
    if (!s.playerRoom->is(kKeypadWall)) return {refusal()};
    // Into its slot in the wall: still on the island, no longer in the hands.
    Outcome o = says("into a slot and you hear a click.", "insert");
    o.change.held[static_cast<std::size_t>(shape.catalogueIndex)] = -1;
    return {o};
}

}  // namespace

int itemIndex(const char* name) {
    const ItemDef* item = findItemByName(name);
    return item ? item->catalogueIndex : 0;
}

Snapshot takeSnapshot(const ItemDef* raft) {
    Snapshot s;
    for (const Room& room : game.rooms)
        if (room.items.capacity > 0) countList(room.items, s.total);
    countList(game.player.inventory, s.held);
    s.playerRoom = game.player.currentRoom;
    if (s.playerRoom) {
        countList(s.playerRoom->items, s.here);
        s.roomFull = s.playerRoom->items.full();
    }
    s.handsFull = game.player.inventory.full();
    for (int i = 0; i < kItemCount; ++i) s.total[static_cast<std::size_t>(i)] += s.held[static_cast<std::size_t>(i)];
    // A shape in the wall is still on the island.
    std::pair<const char*, int> shapes[] = {
        {"pyramid", game.pyramidPlaced}, {"cube", game.cubePlaced}, {"sphere", game.spherePlaced}};
    for (auto [name, placed] : shapes) s.total[at(name)] += placed;
    for (std::size_t i = 0; i < kIslanderCount; ++i) {
        s.islanderRoom[i] = game.islanders[i].currentRoom;
        s.alive[i] = game.islanders[i].alive();
    }
    s.raftState = game.raftState;
    s.raftName = raft ? raft->name.str() : "";
    s.raftIndex = raft ? static_cast<std::size_t>(raft->catalogueIndex) : 0;
    s.tick = game.tick;
    s.day = game.day;
    s.busy = game.busyUntil > game.tick;
    return s;
}

std::string describeTally(const Tally& tally) {
    std::string text;
    for (int i = 0; i < kItemCount; ++i) {
        int n = tally[static_cast<std::size_t>(i)];
        if (n == 0) continue;
        if (!text.empty()) text += ", ";
        text += game.items[static_cast<std::size_t>(i)].name.str() + (n > 0 ? " +" : " ") + std::to_string(n);
    }
    return text.empty() ? "nothing" : text;
}

int craftTicks(Craft craft) {
    switch (craft) {
        case Craft::Sharpen: return 4;
        case Craft::Pound: return 6;
        case Craft::Carve: return 4;
        case Craft::CutRope: return 2;
        case Craft::Fell: return 8;
    }
    return 0;
}

const char* craftFinishLine(Craft craft) {
    switch (craft) {
        case Craft::Sharpen: return "finish sharpening the rock";
        case Craft::Pound: return "finish pounding the metal";
        case Craft::Carve: return "finish carving the wood";
        case Craft::CutRope: return "finish cutting a";
        case Craft::Fell: return "finish chopping down the tree";
    }
    return "";
}

Change completionChange(Craft craft, const Snapshot& s) {
    Change c;
    switch (craft) {
        case Craft::Sharpen:
            spend(c, "rock", 2, s);
            addProduct(c, "sharp rock", s);
            break;
        case Craft::Pound:
            spend(c, "rock", 1, s);
            spend(c, "scrap of metal", 1, s);
            addProduct(c, "shovel head", s);
            break;
        case Craft::Carve:
            spend(c, "wood", 1, s);
            addProduct(c, "handle", s);
            break;
        case Craft::CutRope:
            addProduct(c, "sling", s);
            break;
        case Craft::Fell: {
            // The tree leaves the floor first, making room for the wood.
            c.total[at("tree")] -= 1;
            c.total[at("wood")] += 3;
            int free = static_cast<int>(kRoomItemCapacity);
            for (int n : s.here) free -= n;
            int onFloor = std::min(3, free + 1);
            c.held[at("wood")] += 3 - onFloor;
            break;
        }
    }
    return c;
}

std::vector<Outcome> useOutcomes(const ItemDef& item, const std::string& target, const Snapshot& s) {
    if (s.held[static_cast<std::size_t>(item.catalogueIndex)] == 0) return {refusal()};
    const std::string name = item.name.str();
    if (eaten(item)) {
        Outcome o = says(eatLine(name), "eat");
        spend(o.change, name.c_str(), 1, s);
        return {o};
    }
    if (name == "rock") return rockOutcomes(target, s);
    if (name == "blade" || name == "knife") return bladeOutcomes(target, s);
    if (name == "axe") return axeOutcomes(target, s);
    if (name == "hammer") return hammerOutcomes(target, s);
    if (name == "pebble") return pebbleOutcomes(target, s);
    if (name == "shell") return {thrown("You fling the shell", "shell", s)};
    if (name == "handcuffs") {
        Outcome o = refusal();
        spend(o.change, "handcuffs", 1, s);
        return {o};
    }
    if (name == "pyramid" || name == "cube" || name == "sphere") return shapeOutcomes(item, s);
    if (!item.useHandler) return {refusal()};
    // Wearing, fiddling, reading, digging, prying, the map and the sling change no item.
    return {refusal()};
}

std::vector<Outcome> combineOutcomes(const ItemDef& first, const ItemDef& second, const Snapshot& s) {
    if (first.name.view() == "rock" && second.name.view() == "rock") return rockOutcomes("on rock", s);
    auto held = [&](const ItemDef& item) { return s.held[static_cast<std::size_t>(item.catalogueIndex)] > 0; };
    if (!held(first) || !held(second)) return {refusal()};
    for (const CombineRecipe& recipe : second.recipes) {
        if (recipe.withItem != &first) continue;
        Outcome o = says(recipe.message.c_str(), "recipe");
        for (const ItemDef* used : {&first, &second}) {
            o.change.total[static_cast<std::size_t>(used->catalogueIndex)] -= 1;
            o.change.held[static_cast<std::size_t>(used->catalogueIndex)] -= 1;
        }
        if (const ItemDef* result = recipe.resultItem) {
            o.change.total[static_cast<std::size_t>(result->catalogueIndex)] += 1;
            o.change.held[static_cast<std::size_t>(result->catalogueIndex)] += 1;
        }
        return {o};
    }
    return {refusal()};
}

namespace {

struct Cost {
    const char* name;
    int units;
};

Outcome raftStep(const char* name, int rise, const std::string& nameAfter, std::initializer_list<Cost> costs,
                 const Snapshot& s) {
    Outcome o;
    o.name = name;
    o.raftStep = true;
    o.raftRise = rise;
    o.raftName = nameAfter;
    for (const Cost& cost : costs) spend(o.change, cost.name, cost.units, s);
    return o;
}

}  // namespace

// Every raft step with its bill; the rules that choose among them are the
// game's, so any step whose bill, rise and new name match is accepted.
std::vector<Outcome> raftOutcomes(const Snapshot& s) {
    std::vector<Outcome> steps = {refusal()};
    const std::string& n = s.raftName;
    if (s.raftState == 0) {
        Outcome start = raftStep("start", 1, "Junky Raft", {{"wood", 3}, {"rope", 1}}, s);
        // The raft is laid on the floor, or held when the floor is full.
        start.change.total[s.raftIndex] += 1;
        start.change.held[s.raftIndex] += s.roomFull ? 1 : 0;
        steps.push_back(start);
    } else if (n == "Junky Raft") {
        steps.push_back(raftStep("tool step", 1, n, {}, s));
        steps.push_back(raftStep("lousy", 0, "Lousy Raft", {}, s));
    } else if (n == "Lousy Raft") {
        steps.push_back(raftStep("wood step", 1, n, {{"wood", 6}}, s));
        steps.push_back(raftStep("leaf step", 1, n, {{"large leaf", 1}}, s));
        steps.push_back(raftStep("common with wood", 0, "Common Raft", {{"wood", 6}}, s));
        steps.push_back(raftStep("common with a leaf", 0, "Common Raft", {{"large leaf", 1}}, s));
    } else if (n == "Common Raft") {
        steps.push_back(raftStep("strengthening", 1, n, {{"cloth", 1}, {"rope", 1}, {"wood", 3}}, s));
        steps.push_back(raftStep("fine", 0, "Fine Raft", {{"cloth", 1}, {"rope", 1}, {"wood", 1}}, s));
    } else if (n == "Fine Raft") {
        steps.push_back(
            raftStep("yacht", 5, "Yacht", {{"wood", 6}, {"rope", 1}, {"cloth", 1}, {"large leaf", 1}}, s));
    }
    return steps;
}
