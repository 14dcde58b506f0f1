#include "raft/Stage.h"

#include "raft/RaftState.h"

namespace {
// Work sessions left before raftState reaches the given state.
int sessionsUntil(int state) { return state - game.raftState; }

std::string times(int n) { return n == 1 ? "once more" : std::to_string(n) + " more times"; }

std::string junkyNeeds() {
    const char* lastGo = "a last go with any of the three";
    if (game.raftState < kKnifeWork)
        return "work with an axe " + times(sessionsUntil(kKnifeWork)) + ", then twice with a knife, twice with a hammer and " + lastGo;
    if (game.raftState < kHammerWork) return "work with a knife " + times(sessionsUntil(kHammerWork)) + ", then twice with a hammer and " + lastGo;
    if (game.raftState < kFrameDone) return "work with a hammer " + times(sessionsUntil(kFrameDone)) + ", then " + lastGo;
    return "a last go with an axe, a knife or a hammer";
}

std::string lousyNeeds() {
    int wood = sessionsUntil(kSailWork);
    int leaves = sessionsUntil(kSailDone);
    if (game.raftState < kSailWork)
        return (wood == 1 ? std::string("one more load") : std::to_string(wood) + " more loads") +
               " of six pieces of Wood, then three large leaves for a sail, one at a time, and a last load of Wood or a leaf";
    if (game.raftState < kSailDone)
        return (leaves == 1 ? std::string("one more large leaf") : std::to_string(leaves) + " more large leaves, one at a time") +
               ", then a last load of six pieces of Wood or a leaf";
    return "one last load of six pieces of Wood, or one large leaf";
}
}  // namespace

bool isRaftItem(const ItemDef& item) {
    std::string name = toLower(item.name.view());
    return name == "raft" || name == "yacht" || (name.size() > 5 && name.ends_with(" raft"));
}

std::string raftStageText(const ItemDef& raft) {
    std::string name = toLower(raft.name.view());
    if (name == "junky raft") return "/yIt is a Junky Raft. To become a Lousy Raft it needs " + junkyNeeds() + ".\n";
    if (name == "lousy raft") return "/yIt is a Lousy Raft. To become a Common Raft it needs " + lousyNeeds() + ".\n";
    if (name == "common raft")
        return "/yIt is a Common Raft. To become a Fine Raft it needs cloth or rope with three pieces of Wood, " +
               times(sessionsUntil(kStrengthened) + 1) + ".\n";  // the last go makes it Fine
    if (name == "fine raft")
        return "/yIt is a Fine Raft. To become a Yacht it needs an axe, a knife and a hammer at hand, and six pieces of Wood, a large leaf, rope and cloth.\n";
    if (name == "yacht") return "/yIt is a Yacht, as fine a boat as anyone could build here.\n";
    return "";
}
