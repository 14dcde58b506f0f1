// The "boat" command: starting a raft on a sailing shore and improving it
// through Junky, Lousy, Common and Fine to a Yacht.
#include <initializer_list>

#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "core/World.h"
#include "raft/Raft.h"

namespace {

constexpr const char* kWaitText = "/rYou must wait for construction to be complete.";
constexpr int kKeepState = -1;

struct Step {
    int stateChange;  // added to raftState; kKeepState leaves it
    int ticks;
    const char* progressText;
    const char* finishText;
    const char* newName;  // nullptr keeps the raft's name
    const char* description;
};

constexpr const char* kUpgradedJunky =
    "A raft which looks a bit nicer than the previous raft but still is in no way ready for the high seas.";
constexpr const char* kUpgradedLousy =
    "A raft which looks a bit larger than the previous raft but still is in no way ready for the high seas.";

const Step kStart{kKeepState, 10, "/CConstructing raft...", "/yCongratulations you have built a junky looking raft.",
                  "Junky Raft", "A raft which looks in no way ready for the high seas."};
const Step kAxeStep{1, 3, "/CYou use your axe to improve upon the raft", "/yYou have completed upgrades on your raft.",
                    nullptr, kUpgradedJunky};
const Step kKnifeStep{1, 3, "/CYou use your knife to improve upon the raft",
                      "/yYou have completed upgrades on your raft.", nullptr, kUpgradedJunky};
const Step kHammerStep{1, 3, "/CYou use your hammer to improve upon the raft.",
                       "/yYou have completed upgrades on your raft.", nullptr, kUpgradedJunky};
const Step kLousyStep{kKeepState, 15, "/CYou work hard on refining your boat.",
                      "/yYou have completed upgrading your raft, you now have a Lousy Raft!", "Lousy Raft",
                      "A raft which looks a bit nicer than the junky raft but still looks too weak for the high seas."};
const Step kWoodStep{1, 5, "/CYou add more wood to your boat to make it larger.",
                     "/yYou have completed upgrades on your raft.", nullptr, kUpgradedLousy};
const Step kLeafStep{1, 5, "/CYou add large leaves to your boat to create a makeshift sail.",
                     "/yYou have completed upgrades on your raft.", nullptr, kUpgradedLousy};
const Step kCommonStep{kKeepState, 20, "/CYou work hard on refining your boat.",
                       "/yYou have completed upgrades on your raft. You now have a common raft.", "Common Raft",
                       "A raft which looks bigger than the lousy raft but still looks as if it may break in waves of the high seas."};
const Step kStrengthenStep{1, 10, "/CYou add to your boat to make it stronger.",
                           "/yYou have completed upgrades on your raft.", nullptr,
                           "A raft which looks the same size as the previous boat, but with a much better looking sail."};
const Step kFineStep{kKeepState, 30, "/CYou work hard on refining your boat.",
                     "/yYou have completed upgrades on your raft. You now have a fine raft.", "Fine Raft",
                     "A fine looking raft which looks as if it could be strong enough to hold up to the high seas."};
const Step kYachtStep{5, 60, "/CYou work hard on refining your raft.",
                      "/yYou have completed upgrades on your raft. You now have a Yacht.", "Yacht",
                      "A fine seafaring ship. Even looks strong enough to hold multiple people."};

struct Cost {
    const char* name;
    int units;
};

bool present(const char* name) { return isItemPresent(name); }
int woodHeld() { return heldCount("wood"); }
bool stateIn(int low, int high) { return game.raftState >= low && game.raftState <= high; }

// Only the inventory pays; what lies on the floor is never taken.
void consume(std::initializer_list<Cost> costs) {
    for (const Cost& cost : costs)
        for (int i = 0; i < cost.units; ++i) takeFromInventory(cost.name);
}

// The raft record under its current name gets the step's name and description;
// the time the work takes is only messages and a busy period.
void runStep(const Step& step, const char* currentName, std::initializer_list<Cost> costs = {}) {
    startWork(1, step.ticks, step.progressText, step.finishText);
    setBusy(step.ticks, kWaitText);
    if (ItemDef* raft = findItemByName(currentName)) {
        if (step.newName) raft->name = step.newName;
        raft->description = step.description;
    }
    consume(costs);
    if (step.stateChange != kKeepState) game.raftState = static_cast<std::int16_t>(game.raftState + step.stateChange);
}

bool onSailingShore() {
    int area = game.player.currentRoom ? game.player.currentRoom->area : -1;
    return area == 0 || area == 1 || area == 3;
}

void startRaft() {
    if (!onSailingShore()) {
        printMarked("/rYou need to be in an area where you can sail your ship.\n");
        return;
    }
    ItemDef* raft = findItemByName("Raft");
    if (!raft) {
        printMarked("/rThere is nothing here to lash the wood together into a raft.\n");
        return;
    }
    printMarked("/yYou have the necessary items to start construction of your raft.\n");
    printMarked("/cWould you like to start construction on your raft? (Yes or No)\n");
    setInputLimit(3);
    std::string answer = askPlayer();
    setInputLimit(kLineCapacity);
    // The game may have ended while the question waited.
    if (!game.running || (answer != "yes" && answer != "y")) return;

    runStep(kStart, "Raft", {{"wood", 3}, {"rope", 1}});
    // The spent wood has made room in the hands should the floor be full.
    if (addToList(game.player.currentRoom->items, raft) < 0) addToList(game.player.inventory, raft);
    game.raftState = 1;
}

void junkyWithAxe() {
    if (game.raftState < 3) return runStep(kAxeStep, "junky raft");
    if (game.raftState == 7) return runStep(kLousyStep, "junky raft");
    if (present("knife") && stateIn(3, 4)) return runStep(kKnifeStep, "junky raft");
    if (present("knife") && !present("hammer")) return printMarked("You need a hammer to continue building\n");
    if (present("hammer") && stateIn(5, 6)) return runStep(kHammerStep, "junky raft");
    if (present("hammer")) return printMarked("You need a knife to continue\n");
    printMarked("You need a knife or a hammer to continue building.\n");
}

void junkyWithKnife() {
    if (stateIn(3, 4)) return runStep(kKnifeStep, "junky raft");
    if (game.raftState == 7) return runStep(kLousyStep, "junky raft");
    if (present("hammer") && stateIn(5, 6)) return runStep(kHammerStep, "junky raft");
    if (present("hammer")) return;
    printMarked("You need an axe or a hammer to continue building.\n");
}

void junkyWithHammer() {
    if (stateIn(5, 6)) return runStep(kHammerStep, "junky raft");
    if (game.raftState == 7) return runStep(kLousyStep, "junky raft");
    printMarked("You need an axe or a knife to continue building.\n");
}

void lousyWithWood() {
    if (game.raftState < 10) return runStep(kWoodStep, "lousy raft", {{"wood", 6}});
    if (game.raftState == 13) return runStep(kCommonStep, "lousy raft", {{"wood", 6}});
    if (present("large leaf") && stateIn(10, 12)) return runStep(kLeafStep, "lousy raft", {{"large leaf", 1}});
    if (present("large leaf")) return;
    printMarked("You need large leaves to continue building.\n");
}

void lousyWithLeaf() {
    if (stateIn(9, 12)) return runStep(kLeafStep, "lousy raft", {{"large leaf", 1}});
    if (game.raftState == 13) return runStep(kCommonStep, "lousy raft", {{"large leaf", 1}});
    printMarked("You need more wood or large leaves to continue building.\n");
}

void commonRaft() {
    if (game.raftState < 15)
        return runStep(kStrengthenStep, "common raft", {{"cloth", 1}, {"rope", 1}, {"wood", 3}});
    if (game.raftState == 15) return runStep(kFineStep, "common raft", {{"cloth", 1}, {"rope", 1}, {"wood", 1}});
}

void advice() {
    if (game.raftState == 0) return printMarked("To start construction on a boat you need wood and rope.\n");
    if (present("junky raft"))
        return printMarked("To continue construction on the raft you need an axe, a hammer, or a knife.\n");
    if (present("lousy raft"))
        return printMarked("To continue construction you need more resources, such as wood and large leafs.\n");
    if (present("common raft"))
        return printMarked("To continue construction on the raft you need cloth, rope, or wood.\n");
    if (present("fine raft"))
        return printMarked("To continue construction on the raft you need a many different items.\n");
    if (present("yacht")) return printMarked("This boat looks as fine as the boat you can build.\n");
    printMarked("/rYou need to be in the same room as your raft.\n");
}

bool readyForYacht() {
    return present("fine raft") && present("axe") && present("hammer") && present("knife") && woodHeld() >= 6 &&
           present("large leaf") && present("rope") && present("cloth");
}

}  // namespace

void buildRaft() {
    if (present("rope") && game.raftState == 0 && woodHeld() >= 3) return startRaft();
    if (present("junky raft") && present("axe")) return junkyWithAxe();
    if (present("junky raft") && present("knife")) return junkyWithKnife();
    if (present("junky raft") && present("hammer")) return junkyWithHammer();
    if (present("lousy raft") && woodHeld() >= 6) return lousyWithWood();
    if (present("lousy raft") && present("large leaf")) return lousyWithLeaf();
    if (present("common raft") && (present("cloth") || present("rope")) && woodHeld() >= 3) return commonRaft();
    if (readyForYacht()) return runStep(kYachtStep, "fine raft", {{"wood", 6}, {"rope", 1}, {"cloth", 1}, {"large leaf", 1}});
    advice();
}
