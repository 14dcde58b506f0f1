// The "sail" command and the endings at sea.
#include "game/Sail.h"

#include <algorithm>

#include "base/Random.h"
#include "console/Output.h"
#include "game/Ending.h"
#include "raft/Raft.h"
#include "world/World.h"

namespace {

bool raftPresent() {
    for (const char* name : {"junky raft", "lousy raft", "common raft", "fine raft", "yacht"})
        if (isItemPresent(name)) return true;
    return false;
}

// An ending at sea waits for a key, so it is read before the screen goes.
void escape(const std::vector<std::string>& passengers) {
    endPlay(Ending::Escaped);
    tellEnding("/cYou set sail on your boat. Days go by without any sign of land, only water as far as you can see. On the 4th day of your voyage you see land in the distance. Exhausted by your long voyage, you hop off of your raft and begin to paddle towards the land. You reach the land and are greeted by people running towards your raft. The people call the hospital and an ambulance soon arrives. You are rushed to the hospital. /wYou awaken with a sense of great accomplishment.\n/yYou have  escaped the Island!\n");
    for (const std::string& name : passengers) tellEnding("/yCongratulations, you have saved %s.\n", name);
    printMarked("/s");
}

void washBack() {
    printMarked("/cYou set sail on your boat. Days go by without any sign of land, only water as far as you can see. On the 5th day of your voyage you pass out from heat exhaustion. Awakened by water repeatedly splashing on your face you sit up and find yourself on the coast of an island. /rThe island looks strangely like the one you just set sail from.\n");
}

void drown(const std::vector<std::string>& passengers) {
    endPlay(Ending::LostAtSea);
    tellEnding("/cYou set sail on your boat, if you can even call it that. Two days go by and your raft is beginning to look worse and worse. You soon realize your raft is not meant for turbulent waters. A few hours pass and the main rope holding your raft together snaps like a twig. There is nothing you can do to repair your raft at this point. You cling on to a log for dear life but after much struggle you succumb to the mighty seas.\n/rYou have died of dysentery.\n");
    for (const std::string& name : passengers) tellEnding("/rSadly %s has passed away with you.\n", name);
    printMarked("/s");
}

}  // namespace

std::vector<std::string> splitPassengers(std::string_view line) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < line.size() && names.size() < kMaxPassengers) {
        std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) comma = line.size();
        std::string_view name = line.substr(pos, comma - pos);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (!name.empty()) names.emplace_back(name);
        pos = comma + 1;
    }
    return names;
}

std::vector<std::string> boardPassengers(const std::vector<std::string>& typed) {
    std::vector<std::string> aboard;
    if (typed.size() == 1) {
        const std::string answer = toLower(typed[0]);
        if (answer == "no" || answer == "none" || answer == "nobody") return aboard;
    }
    for (const std::string& name : typed) {
        const Npc* found = nullptr;
        for (const Npc& npc : game.islanders)
            if (!npc.name.empty() && toLower(npc.name.view()) == toLower(name)) found = &npc;
        if (!found) {
            printMarked("/wThere is nobody called %s on the island.\n", name);
        } else if (!found->alive()) {
            printMarked("/w%s is dead and cannot come with you.\n", found->name);
        } else if (!found->currentRoom || found->currentRoom != game.player.currentRoom) {
            printMarked("/w%s is not here with you.\n", found->name);
        } else if (std::find(aboard.begin(), aboard.end(), found->name.str()) == aboard.end()) {
            aboard.push_back(found->name.str());
        }
    }
    return aboard;
}

void setSail() {
    if (!raftPresent()) {
        printMarked("You need a raft to set sail.\n");
        return;
    }
    printMarked("/yYou are about to set sail on a perilous journey across the seas. If you do not have a raft sufficient enough for the high seas then it is unlikely you will ever see land again. \n");
    std::optional<std::string> answer = askPlayer("/rDo you really want to set sail? (yes or no) \n");
    if (!game.running || !answer) return;
    if (!isYesAnswer(*answer)) {
        printMarked("/yYou think better of it and stay ashore. Nothing was done.\n");
        return;
    }

    // Sleep before the names are in calls the voyage off, rather than sail alone.
    std::optional<std::string> names = askPlayer(
        "/yIs there anyone you wish to take with you on this journey? /w(Enter the name of the person you wish to take separated by commas.)\n");
    if (game.running && names) completeVoyage(boardPassengers(splitPassengers(*names)));
}

void completeVoyage(const std::vector<std::string>& passengers) {
    reseedFromClock();
    int r = draw() % 12;
    int quality = game.raftState;
    int aboard = 1 + static_cast<int>(passengers.size());
    if (quality > r + aboard + 3) {
        escape(passengers);
    } else if (quality > r + aboard) {
        washBack();
    } else {
        drown(passengers);
    }
}

void useRaft(std::string_view) { setSail(); }
