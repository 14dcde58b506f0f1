#include "islanders/Handcuffed.h"

#include <array>
#include <string_view>

#include "world/RoomPhrase.h"

namespace {

struct Manner {
    std::string_view personality;
    const char* text;
};

constexpr std::array kManners = {
    Manner{"Angry", "rattles the chain at you, swearing"},
    Manner{"Convict", "leans back against the trunk as if the cuffs were old friends"},
    Manner{"Crackpot", "mutters that the tree is listening"},
    Manner{"Depressed", "does not even look up"},
    Manner{"Doctor", "asks, very calmly, for water and a witness"},
    Manner{"Formal", "requests, with icy courtesy, to be told the charge"},
    Manner{"Jock", "does squats against the trunk to stay in shape"},
    Manner{"Leet", "grumbles about being kicked off the server"},
    Manner{"Leader", "demands to know who gave the order"},
    Manner{"Megalomaniac", "declares the tree a throne and you a traitor"},
    Manner{"Nerd", "counts the links of the chain, again"},
    Manner{"Paranoid", "whispers that at least nobody can creep up from behind now"},
    Manner{"Perky", "waves at you with both hands, since they come as a pair"},
    Manner{"Silent", "watches you without a word"},
    Manner{"Soldier", "sits at attention, eyes front"},
    Manner{"Wise", "says that the tree, too, has nowhere to go"},
    Manner{"Dog", "thumps its tail in the dust at the sight of you"},
};

// "Data\Angry.txt" names the Angry personality.
std::string_view personalityOf(const Npc& npc) {
    std::string_view file = npc.personalityFile.view();
    std::size_t slash = file.find_last_of("\\/");
    if (slash != std::string_view::npos) file.remove_prefix(slash + 1);
    return file.substr(0, file.find('.'));
}

}  // namespace

bool isHandcuffed(const Npc& npc) { return &npc == game.handcuffedIslander; }

const char* handcuffedManner(const Npc& npc) {
    std::string_view personality = personalityOf(npc);
    for (const Manner& manner : kManners)
        if (manner.personality == personality) return manner.text;
    return "says nothing";
}

std::string treePlace(const Room* room) {
    if (!room || room->name.empty()) return "where you left them";
    return roomPhrase(*room);
}
