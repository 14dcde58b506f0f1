#include "game/Talk.h"

#include <cctype>
#include <string>
#include <string_view>

#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "dialogue/Conversation.h"
#include "game/Movement.h"
#include "islanders/Islanders.h"

namespace {

constexpr int kCommandInputLimit = 75;
constexpr int kChoiceInputLimit = 1;
constexpr int kReactionDelay = 2;

// After the last node: the room again, normal typing, and the islander's
// parting reaction a little later.
void showRoomAfterConversation() {
    lookCommand("");
    setInputLimit(kCommandInputLimit);
    scheduleEvent(kReactionDelay, islanderReacts);
}

// A lettered choice; when it closes the conversation, the room again.
void answerChoice(Npc& npc, int option) {
    if (!answerConversation(npc, option)) showRoomAfterConversation();
}

}  // namespace

void startConversation(Npc& npc) {
    switch (openConversation(npc)) {
    case Talk::NothingToSay:
        break;
    case Talk::Open:
        setInputLimit(kChoiceInputLimit);
        // A command half typed is not an answer.
        dropTypedLine();
        break;
    case Talk::Closed:
        lookCommand("");
        scheduleEvent(kReactionDelay, islanderReacts);
        break;
    }
}

void resumeConversation() {
    Npc* npc = game.talkingTo;
    // The islander who walked up may have gone, or the player may have moved on.
    if (!npc || !npc->alive() || !game.player.currentRoom || npc->currentRoom != game.player.currentRoom) return;
    if (!game.clockRunning) return;
    // The player did not ask for this talk: it must not pass unseen.
    printMarked("\n/k@Y %s comes up to talk to you. Answer with a letter. @k/w\n", npc->name);
    startConversation(*npc);
}

void conversationChoice(const char* line) {
    if (!line || !*line) return;
    int option = std::toupper(static_cast<unsigned char>(line[0])) - 64;
    if (game.talkingTo && option >= 1 && option <= game.optionCount) {
        answerChoice(*game.talkingTo, option);
        return;
    }
    printMarked("/c\nYou must enter a valid choice.\n");
}

void talkCommand(const char* argument) {
    if (!argument || !*argument) {
        printMarked("You carry on a short conversation with no one.\n");
        return;
    }
    std::string_view name = argument;
    if (std::size_t blank = name.find(' '); blank != std::string_view::npos) name = name.substr(blank + 1);
    Npc* npc = game.player.currentRoom ? findIslanderInRoom(name, *game.player.currentRoom) : nullptr;
    if (npc) {
        startConversation(*npc);
        return;
    }
    std::string lower = toLower(name);
    if (lower == toLower(game.player.name.view()) || lower == "me")
        printMarked("You carry on a short conversation with yourself.\n");
    else
        printMarked("There's no one by that name here.\n");
}
