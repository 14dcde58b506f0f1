#include "WorldSolver.h"

#include <deque>
#include <vector>

namespace {

constexpr int kDepthLimit = 8;

// What the tools make over time: the rock sharpens a rock and pounds scrap
// into a shovel head, a blade or knife carves wood and cuts a shirt, the
// axe fells a tree into three wood.
struct TimedCraft {
    const char* product;
    int yield;
    std::vector<const char*> inputs;
    std::vector<const char*> anyTool;  // one of these must be at hand
};

const std::vector<TimedCraft>& timedCrafts() {
    static const std::vector<TimedCraft> crafts = {
        {"sharp rock", 1, {"rock", "rock"}, {}},
        {"shovel head", 1, {"rock", "scrap of metal"}, {}},
        {"handle", 1, {"wood"}, {"blade", "knife"}},
        {"bandana", 1, {"torn shirt"}, {"blade", "knife"}},
        {"wood", 3, {"tree"}, {"axe"}},
    };
    return crafts;
}

}  // namespace

std::set<const Room*> reachableRooms(const Room* start) {
    std::set<const Room*> seen{start};
    std::deque<const Room*> queue{start};
    while (!queue.empty()) {
        const Room* room = queue.front();
        queue.pop_front();
        for (const Room* next : room->exits) {
            if (next && seen.insert(next).second) queue.push_back(next);
        }
    }
    return seen;
}

void WorldStock::gather(const std::set<const Room*>& rooms) {
    for (const Room* room : rooms) {
        if (!gathered_.insert(room).second) continue;
        for (std::uint32_t i = 0; i < room->items.count; ++i) {
            const ItemDef* item = room->items.at(i);
            std::string name = toLower(item->name.view());
            if (item->portable || name == "tree") ++units_[name];
        }
    }
}

int WorldStock::count(const std::string& name) const {
    auto it = units_.find(name);
    return it == units_.end() ? 0 : it->second;
}

bool WorldStock::take(const std::string& name, int n) {
    for (int i = 0; i < n; ++i) {
        if (!takeOne(name, 0)) return false;
    }
    return true;
}

bool WorldStock::ensureTool(const std::string& name) { return haveTool(name, 0); }

int WorldStock::fellAllTrees() {
    int felled = 0;
    while (count("tree") > 0 && haveTool("axe", 0)) {
        --units_["tree"];
        units_["wood"] += 3;
        ++felled;
    }
    return felled;
}

bool WorldStock::takeOne(const std::string& name, int depth) {
    if (count(name) == 0 && !makeOne(name, depth)) return false;
    --units_[name];
    return true;
}

bool WorldStock::haveTool(const std::string& name, int depth) {
    return count(name) > 0 || makeOne(name, depth);
}

bool WorldStock::makeOne(const std::string& name, int depth) {
    if (depth > kDepthLimit) return false;
    return tryTimedCraft(name, depth) || tryRecipeFromCatalogue(name, depth);
}

bool WorldStock::tryTimedCraft(const std::string& name, int depth) {
    for (const TimedCraft& craft : timedCrafts()) {
        if (name != craft.product) continue;
        auto saved = units_;
        bool ok = craft.anyTool.empty();
        for (const char* tool : craft.anyTool) {
            if (haveTool(tool, depth + 1)) {
                ok = true;
                break;
            }
        }
        for (const char* input : craft.inputs) ok = ok && takeOne(input, depth + 1);
        if (ok) {
            units_[name] += craft.yield;
            return true;
        }
        units_ = saved;
    }
    return false;
}

// "combine X with Y" makes the result of Y's recipe whose other item is X,
// using up one X and one Y.
bool WorldStock::tryRecipeFromCatalogue(const std::string& name, int depth) {
    for (const ItemDef& second : game.items) {
        for (const CombineRecipe& recipe : second.recipes) {
            if (!recipe.withItem || !recipe.resultItem || toLower(recipe.resultItem->name.view()) != name) continue;
            auto saved = units_;
            if (takeOne(toLower(recipe.withItem->name.view()), depth + 1) &&
                takeOne(toLower(second.name.view()), depth + 1)) {
                ++units_[name];
                return true;
            }
            units_ = saved;
        }
    }
    return false;
}
