#include "game/Redirects.h"

#include <string>
#include <string_view>

#include "console/Output.h"
#include "world/World.h"

namespace {

// What was typed after the verb, trimmed, without a leading "the", as it
// may be shown back: "the coconut " is "coconut".
std::string typedWords(const char* argument) {
    std::string words = toLower(argument ? argument : "");
    while (!words.empty() && words.front() == ' ') words.erase(0, 1);
    while (!words.empty() && words.back() == ' ') words.pop_back();
    if (words.starts_with("the ")) words.erase(0, 4);
    return markupLiteral(words);
}

// "frank about the knife": the words before the joining word.
std::string before(const std::string& words, std::string_view joint) {
    const std::size_t at = words.find(joint);
    return at == std::string::npos ? words : words.substr(0, at);
}

}  // namespace

void eatCommand(const char* argument) {
    const std::string food = typedWords(argument);
    if (food.empty())
        printMarked("/wOn this island you eat with /Guse/w: /Guse coconut/w, for one.\n");
    else
        printMarked("/wOn this island you eat with /Guse/w: /Guse %s/w.\n", food);
}

void waitCommand(const char*) {
    printMarked("/wTime passes here on its own, whatever you do; /Gtime/w tells the hour.\n");
}

void askCommand(const char* argument) {
    const std::string name = before(typedWords(argument), " about");
    printMarked("/wIslanders are talked with, not questioned: /Gtalk %s/w, then answer with a letter.\n",
                name.empty() ? "<name>" : name);
}

void giveCommand(const char*) {
    printMarked("/wNobody here takes things from your hands; /Gtalk/w with an islander, and a happy one may give you "
                "a gift.\n");
}

void listenCommand(const char*) {
    printMarked("/wYou hear the wind and the sea. The islanders say more: /Gtalk/w to one who is here.\n");
}

void jumpCommand(const char*) {
    printMarked("/wJumping gets you nowhere. The ways on are in the exits line: /Glook/w.\n");
}

void swimCommand(const char*) {
    printMarked("/wThe current around the island throws swimmers back. A raft gets through: /Gboat/w builds one, /Gsail/w puts to sea.\n");
}

void touchCommand(const char* argument) {
    const std::string thing = typedWords(argument);
    if (thing.empty())
        printMarked("/wYour hands tell you nothing your eyes do not: /Glook/w.\n");
    else
        printMarked("/wYour hands tell you nothing of the %s that /Glook %s/w does not.\n", thing, thing);
}
