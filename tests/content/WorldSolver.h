#pragma once
// Works out what a player could make from the items lying in a set of
// rooms, using the catalogue's combine recipes and the timed crafts that
// the tools perform. Used to prove that every ending can be reached.
#include <map>
#include <set>
#include <string>

#include "world/World.h"

// Every room reachable from start through the exits as they stand now.
std::set<const Room*> reachableRooms(const Room* start);

class WorldStock {
public:
    // Adds every unit lying in these rooms (each room counted once).
    void gather(const std::set<const Room*>& rooms);
    int count(const std::string& name) const;
    // Takes n units, making the missing ones from what is in stock.
    bool take(const std::string& name, int n);
    // Makes sure one unit is at hand without using it up (a tool).
    bool ensureTool(const std::string& name);
    // Fells every tree in stock with the axe; the number felled.
    int fellAllTrees();

private:
    bool makeOne(const std::string& name, int depth);
    bool takeOne(const std::string& name, int depth);
    bool haveTool(const std::string& name, int depth);
    bool tryRecipeFromCatalogue(const std::string& name, int depth);
    bool tryTimedCraft(const std::string& name, int depth);

    std::map<std::string, int> units_;
    std::set<const Room*> gathered_;
};
