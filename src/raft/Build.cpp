// The "boat" command: starting a raft on a sailing shore and improving it
// through Junky, Lousy, Common and Fine to a Yacht.
#include <initializer_list>
#include <string>
#include <vector>

#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "raft/Raft.h"
#include "raft/RaftState.h"
#include "world/Places.h"
#include "world/World.h"

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

const Step kStart{kKeepState, 10, "/CConstructing raft...", "/yCongratulations, you have built a junky looking raft.",
                  "Junky Raft", "A raft which looks in no way ready for the high seas."};
const Step kAxeStep{1, 3, "/CYou use your axe to improve upon the raft.", "/yYou have completed upgrades on your raft.",
                    nullptr, kUpgradedJunky};
const Step kKnifeStep{1, 3, "/CYou use your knife to improve upon the raft.",
                      "/yYou have completed upgrades on your raft.", nullptr, kUpgradedJunky};
const Step kHammerStep{1, 3, "/CYou use your hammer to improve upon the raft.",
                       "/yYou have completed upgrades on your raft.", nullptr, kUpgradedJunky};
const Step kLousyStep{kKeepState, 15, "/CYou work hard on refining your boat.",
                      "/yYou have completed upgrading your raft; you now have a Lousy Raft!", "Lousy Raft",
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
const Step kYachtStep{kYacht - kStrengthened, 60, "/CYou work hard on refining your raft.",
                      "/yYou have completed upgrades on your raft. You now have a Yacht.", "Yacht",
                      "A fine seafaring ship. Even looks strong enough to hold multiple people."};

struct Cost {
    const char* name;
    int units;
};

bool present(const char* name) { return isItemPresent(name); }
int woodHeld() { return heldCount("wood"); }
bool stateIn(int low, int high) { return game.raftState >= low && game.raftState <= high; }
// The work the raft's quality calls for next.
bool axeWork() { return game.raftState < kKnifeWork; }
bool knifeWork() { return stateIn(kKnifeWork, kHammerWork - 1); }
bool hammerWork() { return stateIn(kHammerWork, kFrameDone - 1); }
bool sailWork() { return stateIn(kSailWork, kSailDone - 1); }

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
    if (!game.player.currentRoom) return false;
    for (int area : kSailingAreas)
        if (game.player.currentRoom->area == area) return true;
    return false;
}

// The areas where a raft can be started, as a player knows them.
constexpr const char* kSailingShores = "the southern beach where you woke, the western cove or the eastern shore";

// "a", "a and b", "a, b and c".
std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

// The wood still to find for a step that wants `needed` pieces in the hands.
std::string moreWood(int needed) {
    int missing = needed - woodHeld();
    return std::to_string(missing) + (missing == 1 ? " more piece" : " more pieces") + " of Wood in your hands";
}

// The game calls the blade "Blade (or Knife)", but only a blade with a handle counts.
std::string bladeHint() {
    if (present("knife") || !present("blade")) return "";
    return " Your blade needs a handle to count as a knife: combine the blade with a handle.";
}

void needTool(const char* tools, const char* toDo, bool knifeHelps) {
    printMarked("You need %s to %s.%s\n", tools, toDo, knifeHelps ? bladeHint() : std::string());
}

void explainStart() {
    std::vector<std::string> missing;
    if (woodHeld() < 3) missing.push_back(moreWood(3));
    if (!present("rope")) missing.push_back("a rope");
    printMarked("To start a raft you need three pieces of Wood in your hands and a rope, on %s. You still need %s.\n",
                kSailingShores, joined(missing));
}

// Only a damaged save can pair a raft's name with a quality of another stage.
void stuck() { printMarked("/rThis raft cannot be built on any further.\n"); }

void explainJunky() {
    if (!stateIn(kJunkyRaft, kFrameDone)) return stuck();
    if (axeWork()) return needTool("an axe", "continue building", false);
    if (knifeWork()) return needTool("a knife", "continue building", true);
    if (hammerWork()) return needTool("a hammer", "continue building", false);
    needTool("an axe, a knife or a hammer", "finish the raft's frame", true);
}

void explainLousy() {
    if (!stateIn(kFrameDone, kSailDone)) return stuck();
    if (sailWork()) {
        return printMarked("You need a large leaf to continue building (the sail takes %d more).\n",
                           kSailDone - game.raftState);
    }
    if (game.raftState < kLeafForWood) return printMarked("You need %s to continue building.\n", moreWood(6));
    printMarked("You need %s or a large leaf to continue building.\n", moreWood(6));
}

void explainCommon() {
    std::vector<std::string> missing;
    if (woodHeld() < 3) missing.push_back(moreWood(3));
    if (!present("cloth") && !present("rope")) missing.push_back("a cloth or a rope");
    if (!stateIn(kSailDone, kStrengthened) || missing.empty()) return stuck();
    printMarked("You need %s to continue building.\n", joined(missing));
}

void explainFine() {
    std::vector<std::string> missing;
    for (const char* tool : {"axe", "hammer", "knife"})
        if (!present(tool)) missing.push_back(std::string(tool[0] == 'a' ? "an " : "a ") + tool);
    if (woodHeld() < 6) missing.push_back(moreWood(6));
    for (const char* part : {"large leaf", "rope", "cloth"})
        if (!present(part)) missing.push_back(std::string("a ") + part);
    printMarked("You need %s to turn your raft into a Yacht.%s\n", joined(missing), bladeHint());
}

// Every "boat" that builds nothing says what the next step needs and how
// much of it is still missing.
void explainNextStep() {
    if (game.raftState == kNoRaft) return explainStart();
    if (present("junky raft")) return explainJunky();
    if (present("lousy raft")) return explainLousy();
    if (present("common raft")) return explainCommon();
    if (present("fine raft")) return explainFine();
    if (present("yacht")) return printMarked("This boat looks as fine as the boat you can build.\n");
    printMarked("/rYou need to be in the same room as your raft.\n");
}

void startRaft() {
    if (!onSailingShore()) {
        printMarked("/rYou need to be in an area where you can sail your ship: %s.\n", kSailingShores);
        return;
    }
    ItemDef* raft = findItemByName("Raft");
    if (!raft) {
        printMarked("/rThere is nothing here to lash the wood together into a raft.\n");
        return;
    }
    printMarked("/yYou have the necessary items to start construction of your raft.\n");
    setInputLimit(3);
    std::optional<std::string> answer = askPlayer("/cWould you like to start construction on your raft? (Yes or No)\n");
    setInputLimit(kLineCapacity);
    // The game may have ended while the question waited.
    if (!game.running || !answer) return;
    if (!isYesAnswer(*answer)) {
        printMarked("/yYou think better of it. Nothing was built.\n");
        return;
    }

    runStep(kStart, "Raft", {{"wood", 3}, {"rope", 1}});
    // The spent wood has made room in the hands should the floor be full.
    if (addToList(game.player.currentRoom->items, raft) < 0) addToList(game.player.inventory, raft);
    game.raftState = kJunkyRaft;
}

void junkyWithAxe() {
    if (axeWork()) return runStep(kAxeStep, "junky raft");
    if (game.raftState == kFrameDone) return runStep(kLousyStep, "junky raft");
    if (present("knife") && knifeWork()) return runStep(kKnifeStep, "junky raft");
    if (present("hammer") && hammerWork()) return runStep(kHammerStep, "junky raft");
    explainNextStep();
}

void junkyWithKnife() {
    if (knifeWork()) return runStep(kKnifeStep, "junky raft");
    if (game.raftState == kFrameDone) return runStep(kLousyStep, "junky raft");
    if (present("hammer") && hammerWork()) return runStep(kHammerStep, "junky raft");
    explainNextStep();
}

void junkyWithHammer() {
    if (hammerWork()) return runStep(kHammerStep, "junky raft");
    if (game.raftState == kFrameDone) return runStep(kLousyStep, "junky raft");
    explainNextStep();
}

void lousyWithWood() {
    if (game.raftState < kSailWork) return runStep(kWoodStep, "lousy raft", {{"wood", 6}});
    if (game.raftState == kSailDone) return runStep(kCommonStep, "lousy raft", {{"wood", 6}});
    if (present("large leaf") && sailWork()) return runStep(kLeafStep, "lousy raft", {{"large leaf", 1}});
    explainNextStep();
}

void lousyWithLeaf() {
    if (stateIn(kLeafForWood, kSailDone - 1)) return runStep(kLeafStep, "lousy raft", {{"large leaf", 1}});
    if (game.raftState == kSailDone) return runStep(kCommonStep, "lousy raft", {{"large leaf", 1}});
    explainNextStep();
}

void commonRaft() {
    if (game.raftState < kStrengthened)
        return runStep(kStrengthenStep, "common raft", {{"cloth", 1}, {"rope", 1}, {"wood", 3}});
    if (game.raftState == kStrengthened) return runStep(kFineStep, "common raft", {{"cloth", 1}, {"rope", 1}, {"wood", 1}});
    explainNextStep();
}

bool readyForYacht() {
    return present("fine raft") && present("axe") && present("hammer") && present("knife") && woodHeld() >= 6 &&
           present("large leaf") && present("rope") && present("cloth");
}

}  // namespace

void buildRaft() {
    if (present("rope") && game.raftState == kNoRaft && woodHeld() >= 3) return startRaft();
    if (present("junky raft") && present("axe")) return junkyWithAxe();
    if (present("junky raft") && present("knife")) return junkyWithKnife();
    if (present("junky raft") && present("hammer")) return junkyWithHammer();
    if (present("lousy raft") && woodHeld() >= 6) return lousyWithWood();
    if (present("lousy raft") && present("large leaf")) return lousyWithLeaf();
    if (present("common raft") && (present("cloth") || present("rope")) && woodHeld() >= 3) return commonRaft();
    if (readyForYacht()) return runStep(kYachtStep, "fine raft", {{"wood", 6}, {"rope", 1}, {"cloth", 1}, {"large leaf", 1}});
    explainNextStep();
}
