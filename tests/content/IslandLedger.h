#pragma once
// The item ledger of the long random playthrough: how many units of each
// catalogue item the island holds (lying in rooms, carried, set into the
// keypad wall), and what a command or a tick may change about them by the
// rules of the game: eating, breaking, the recipes of the catalogue, the
// timed crafts, the raft's bill, gifts, corpses and what the mornings wash up.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "world/World.h"

using Tally = std::array<int, kItemCount>;

// What the player and the islanders can observe of the world at one moment.
struct Snapshot {
    Tally total{};  // every unit anywhere: rooms, inventory, the wall's slots
    Tally held{};
    Tally here{};   // lying in the player's room
    bool roomFull = false;
    bool handsFull = false;
    Room* playerRoom = nullptr;
    std::array<Room*, kIslanderCount> islanderRoom{};
    std::array<bool, kIslanderCount> alive{};
    int raftState = 0;
    std::size_t raftIndex = 0;  // the raft's catalogue record, whatever it is called
    std::string raftName;
    int tick = 0;
    int day = 0;
    bool busy = false;
};

Snapshot takeSnapshot(const ItemDef* raft);
std::string describeTally(const Tally& tally);  // "rock -2, sharp rock +1"

// The timed crafts, made by their completion when their time is up.
enum class Craft { Sharpen, Pound, Carve, CutRope, Fell };
struct PendingCraft {
    Craft craft;
    int dueTick;
    const char* finishLine;  // the line that says the product is made
};
// What the completion of a craft changes, from the world just before its tick.
struct Change {
    Tally total{};
    Tally held{};
};
Change completionChange(Craft craft, const Snapshot& before);
int craftTicks(Craft craft);
const char* craftFinishLine(Craft craft);

// One way a command may turn out: the line it prints (empty: any answer
// that claims none of the other outcomes), what it changes, and the craft
// it starts.
struct Outcome {
    std::string says;
    Change change;
    std::optional<Craft> starts;
    // A raft step: the raft's quality rises by raftRise and it is then called raftName.
    bool raftStep = false;
    int raftRise = 0;
    std::string raftName;
    std::string name;  // for reports
};

// The outcomes the rules allow for a use, combine or boat command, given the
// world just before it. item and second are the items the command names.
std::vector<Outcome> useOutcomes(const ItemDef& item, const std::string& target, const Snapshot& before);
std::vector<Outcome> combineOutcomes(const ItemDef& first, const ItemDef& second, const Snapshot& before);
std::vector<Outcome> raftOutcomes(const Snapshot& before);

int itemIndex(const char* name);
