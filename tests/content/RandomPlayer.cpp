#include "RandomPlayer.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>

std::vector<const ItemDef*> distinctItems(const PtrList<ItemDef>& list) {
    std::vector<const ItemDef*> items;
    for (std::uint32_t i = 0; i < list.capacity; ++i)
        if (const ItemDef* item = list.slots[i]; item && std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(item);
    return items;
}

int RandomPlayer::stepTowardRaft() const {
    std::map<const Room*, int> firstStep;
    std::deque<const Room*> queue{game.player.currentRoom};
    firstStep[game.player.currentRoom] = -1;
    while (!queue.empty()) {
        const Room* room = queue.front();
        queue.pop_front();
        if (room != game.player.currentRoom && countInList(room->items, raft_) > 0) return firstStep[room];
        for (int d = 0; d < kDirectionCount; ++d) {
            const Room* next = room->exits[static_cast<std::size_t>(d)];
            if (!next || firstStep.count(next)) continue;
            firstStep[next] = room == game.player.currentRoom ? d : firstStep[room];
            queue.push_back(next);
        }
    }
    return -1;
}

bool RandomPlayer::raftHere() const {
    return game.raftState > 0 && countInList(game.player.currentRoom->items, raft_) > 0;
}

bool RandomPlayer::worthKeeping(const ItemDef* item) {
    static const std::set<std::string> kKeep = {"wood", "rope", "cloth", "large leaf", "rock", "blade", "handle",
                                                "sharp rock", "axe", "knife", "hammer", "vine", "coconut husk"};
    return kKeep.count(toLower(item->name.view())) > 0;
}

std::string RandomPlayer::pickAnswer(int options) {
    options = std::max(1, options);
    std::string answer(1, static_cast<char>(chance(90) ? 'a' + roll(options) : 'a' + roll(8)));
    if (chance(20)) answer[0] = static_cast<char>(answer[0] - 'a' + 'A');
    return answer;
}

Command RandomPlayer::pickMove() {
    Command c;
    c.kind = Command::Move;
    static const char* const kWords[kDirectionCount] = {"n", "northeast", "e", "se", "south", "sw", "west", "nw"};
    std::vector<int> open;
    for (int d = 0; d < kDirectionCount; ++d)
        if (game.player.currentRoom->exits[static_cast<std::size_t>(d)]) open.push_back(d);
    c.direction = !open.empty() && chance(85) ? open[static_cast<std::size_t>(roll(static_cast<int>(open.size())))]
                                              : roll(kDirectionCount);
    // A player with a raft somewhere and a tool in hand often heads back to it.
    bool toolInHand = heldCount("axe") + heldCount("knife") + heldCount("hammer") > 0;
    if (game.raftState > 0 && toolInHand && chance(40))
        if (int toward = stepTowardRaft(); toward >= 0) c.direction = toward;
    c.line = kWords[c.direction];
    return c;
}

Command RandomPlayer::pickGetOrDrop(bool get) {
    Command c;
    c.kind = get ? Command::Get : Command::Drop;
    auto items = distinctItems(get ? game.player.currentRoom->items : game.player.inventory);
    if (!get && chance(80)) {
        std::vector<const ItemDef*> spare;
        for (const ItemDef* item : items)
            if (!worthKeeping(item)) spare.push_back(item);
        if (!spare.empty()) items = spare;
    }
    c.item = !items.empty() && chance(90) ? items[static_cast<std::size_t>(roll(static_cast<int>(items.size())))]
                                          : anyItem();
    std::string name = toLower(c.item->name.view());
    int form = roll(10);
    if (form < 6) {
        c.exactName = true;
    } else if (form < 8) {
        name = std::to_string(1 + roll(3)) + " " + name;
    } else {
        name += "s";
    }
    c.line = (get ? "get " : "drop ") + name;
    return c;
}

Command RandomPlayer::pickUse() {
    static const std::map<std::string, std::vector<std::string>> kForms = {
        {"rock", {"on rock", "on scrap of metal", "on glasses"}},
        {"blade", {"on wood", "on rope", "on torn shirt", "on broken radio"}},
        {"knife", {"on wood", "on rope", "on torn shirt", "on broken radio"}},
        {"axe", {"on broken radio", "on tree"}},
        {"hammer", {"on broken radio", "on coconut"}},
        {"pebble", {"on sling", "with sling"}},
        {"sling", {"on tree"}},
    };
    Command c;
    c.kind = Command::Use;
    auto held = distinctItems(game.player.inventory);
    c.item = !held.empty() && chance(90) ? held[static_cast<std::size_t>(roll(static_cast<int>(held.size())))] : anyItem();
    std::string name = toLower(c.item->name.view());
    auto forms = kForms.find(name);
    int form = roll(10);
    if (forms != kForms.end() && form < 6) {
        c.target = forms->second[static_cast<std::size_t>(roll(static_cast<int>(forms->second.size())))];
    } else if (name == "handcuffs" && form < 6) {
        auto people = peopleHere();
        c.target = "on " + (people.empty() || chance(30) ? std::string("nobody")
                                                          : toLower(people[static_cast<std::size_t>(roll(static_cast<int>(people.size())))]->name.view()));
    } else if (form < 8) {
        c.target = std::string(chance(80) ? "on " : "with ") + toLower(anyItem()->name.view());
    }
    c.line = "use " + name + (c.target.empty() ? "" : " " + c.target);
    return c;
}

Command RandomPlayer::pickCombine() {
    Command c;
    c.kind = Command::Combine;
    auto held = distinctItems(game.player.inventory);
    std::vector<std::pair<const ItemDef*, const ItemDef*>> recipes;
    for (const ItemDef* second : held)
        for (const CombineRecipe& recipe : second->recipes)
            if (recipe.withItem && std::find(held.begin(), held.end(), recipe.withItem) != held.end())
                recipes.push_back({recipe.withItem, second});
    if (heldCount("rock") >= 1) recipes.push_back({findItemByName("rock"), findItemByName("rock")});
    if (!recipes.empty() && chance(60)) {
        auto [first, second] = recipes[static_cast<std::size_t>(roll(static_cast<int>(recipes.size())))];
        c.item = first;
        c.second = second;
    } else {
        auto pick = [&] {
            return !held.empty() && chance(85) ? held[static_cast<std::size_t>(roll(static_cast<int>(held.size())))]
                                               : anyItem();
        };
        c.item = pick();
        c.second = pick();
    }
    c.line = "combine " + toLower(c.item->name.view()) + " with " + toLower(c.second->name.view());
    return c;
}

Command RandomPlayer::pickTalk() {
    Command c;
    c.kind = Command::Talk;
    auto people = peopleHere();
    std::string name = !people.empty() && chance(85)
                           ? people[static_cast<std::size_t>(roll(static_cast<int>(people.size())))]->name.str()
                           : game.islanders[static_cast<std::size_t>(roll(kIslanderCount))].name.str();
    c.line = (chance(50) ? "talk to " : "talk ") + name;
    return c;
}

Command RandomPlayer::pickCommand() {
    // Beside a raft the player mostly works on it, so its later stages are reached too.
    if (raftHere() && chance(40)) {
        Command c;
        c.kind = Command::Boat;
        c.line = "boat";
        return c;
    }
    // Company is there to be talked to.
    if (!peopleHere().empty() && chance(8)) return pickTalk();
    int r = roll(100);
    if (r < 34) return pickMove();
    if (r < 49) return pickGetOrDrop(true);
    if (r < 55) return pickGetOrDrop(false);
    if (r < 73) return pickUse();
    if (r < 80) return pickCombine();
    if (r < 87) return pickTalk();
    Command c;
    if (r < 93) {
        c.kind = Command::Boat;
        c.line = "boat";
    } else if (r < 94) {
        c.kind = Command::Sail;
        c.line = "sail";
    } else {
        static const char* const kOthers[] = {"look", "l", "inv", "i", "map", "help", "look rock", "look tree", "ri"};
        c.line = kOthers[roll(9)];
    }
    return c;
}

// The raft's question and the sail's two, answered at random as a player might.
void RandomPlayer::typeAnswers(Command& c, MemoryConsole& screen) {
    screen.clearInput();
    static const char* const kAnswers[] = {"yes", "y", "yes", "no", "Yes", "n"};
    if (c.kind == Command::Boat) screen.typeText(c.answer = kAnswers[roll(6)]);
    if (c.kind == Command::Sail) {
        screen.typeText(c.answer = chance(60) ? "yes" : chance(50) ? "Yes" : "no");
        std::string passengers;
        for (int n = roll(3); n > 0; --n)
            passengers += (passengers.empty() ? "" : ",") + game.islanders[static_cast<std::size_t>(1 + roll(8))].name.str();
        screen.typeText(passengers);
    }
}

