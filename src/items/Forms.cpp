// The forms a handler reads, and the refusal every tool shares.
#include "items/Items.h"

#include "console/Output.h"
#include "world/World.h"

bool isForm(std::string_view text, std::string_view form) {
    return !text.empty() && text.substr(1) == form;
}

namespace {
// "raft", "boat", "junky raft", "the yacht": the raft under any of its names.
bool namesTheRaft(std::string_view target) {
    std::string words = toLower(target);
    while (!words.empty() && words.back() == ' ') words.pop_back();
    if (words.starts_with("the ")) words.erase(0, 4);
    for (const char* name : {"raft", "boat", "yacht"}) {
        const std::string_view n = name;
        if (words == n || (words.ends_with(n) && words.size() > n.size() && words[words.size() - n.size() - 1] == ' '))
            return true;
    }
    return false;
}
}  // namespace

void refuseToolUse(std::string_view text, const char* toolName, const char* invalidUseText) {
    constexpr std::string_view kOn = " on ";
    if (text.substr(0, kOn.size()) == kOn) {
        std::string target(text.substr(kOn.size()));
        ItemDef* item = findItemByName(target.c_str());
        Room* here = game.player.currentRoom;
        const bool held = item && countInList(game.player.inventory, item) > 0;
        const bool lying = item && here && countInList(here->items, item) > 0;
        if (item && item->portable && lying && !held) {
            printMarked("You need the %s in your hands first.\n", target);
            return;
        }
        // A thing in hand that this tool does nothing for: the words were right.
        if (held) {
            printMarked("/YYou try the %s on the %s, but nothing comes of it.\n", toolName, target);
            return;
        }
    }
    printMarked(invalidUseText);
    if (text.substr(0, kOn.size()) == kOn && namesTheRaft(text.substr(kOn.size())))
        printMarked("/wWork on the raft is done with /Gboat/w, the tools in your hands.\n");
}
