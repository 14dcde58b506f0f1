#pragma once
// The random player of the long playthrough: it picks commands the way a
// curious, aimless player might (walking, picking up, dropping, using,
// combining, talking, building a raft), with a little sense: it keeps what
// a raft is made of, works on a raft it stands beside, and heads back to
// its raft when it holds a tool.
#include <random>
#include <string>
#include <vector>

#include "console/MemoryConsole.h"
#include "world/World.h"

// What a random command is about, so its outcome can be judged.
struct Command {
    enum Kind { Move, Get, Drop, Use, Combine, Talk, Boat, Sail, Other } kind = Other;
    std::string line;
    int direction = -1;
    const ItemDef* item = nullptr;
    const ItemDef* second = nullptr;
    std::string target;      // " on tree" without its blank: "on tree"
    bool exactName = false;  // the line names the item exactly, without count or plural
    std::string answer;      // to the raft's or the sail's question
};

// "use large leaf on coconut": an item of several words, and a target.
inline bool isMultiWordUse(const Command& c) {
    return c.kind == Command::Use && c.item->name.view().find(' ') != std::string_view::npos && !c.target.empty();
}

// The distinct items of a list, in the order they first appear.
std::vector<const ItemDef*> distinctItems(const PtrList<ItemDef>& list);

class RandomPlayer {
public:
    explicit RandomPlayer(unsigned seed) : rng_(seed) {}
    void setRaft(const ItemDef* raft) { raft_ = raft; }

    int roll(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return roll(100) < percent; }

    Command pickCommand();
    Command pickMove();
    // The letter of a conversation choice, now and then one not offered.
    std::string pickAnswer(int options);
    // Types the answers to the questions the command asks.
    void typeAnswers(Command& c, MemoryConsole& screen);

private:
    std::mt19937 rng_;
    const ItemDef* raft_ = nullptr;

    Command pickGetOrDrop(bool get);
    Command pickUse();
    Command pickCombine();
    Command pickTalk();
    // The first step of a shortest walk to the room where the raft lies; -1 when there is none.
    int stepTowardRaft() const;
    bool raftHere() const;
    // What the raft and its tools are made of is dropped less often than the rest.
    static bool worthKeeping(const ItemDef* item);
    std::vector<const Npc*> peopleHere() const {
        std::vector<const Npc*> people;
        const PtrList<Npc>& list = game.player.currentRoom->occupants;
        for (std::uint32_t i = 0; i < list.capacity; ++i)
            if (list.slots[i]) people.push_back(list.slots[i]);
        return people;
    }
    const ItemDef* anyItem() {
        for (;;) {
            const ItemDef& item = game.items[static_cast<std::size_t>(roll(kItemCount))];
            if (!item.name.empty() && item.name.view().rfind("Corpse", 0) != 0) return &item;
        }
    }
};
