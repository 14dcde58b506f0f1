// The talk command and the course of a conversation: opening the script,
// speaking a node, taking an option, closing.
#include "dialogue/Conversation.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "console/Output.h"
#include "core/Movement.h"
#include "core/Paths.h"
#include "dialogue/Moods.h"
#include "dialogue/Script.h"
#include "islanders/Islanders.h"
#include "console/Console.h"
#include "persist/Codec.h"

namespace {

constexpr int kCommandInputLimit = 75;
constexpr int kChoiceInputLimit = 1;
constexpr int kReactionDelay = 2;
constexpr double kMoodRateStep = 0.002;

// An islander's script for the length of one interaction, unscrambled in
// memory: the data directory is only ever read. A script kept plain in the
// data directory (no scrambled twin) is read as it is.
class OpenedScript {
public:
    explicit OpenedScript(const Npc& npc) {
        ScriptPaths paths = scriptPathsFor(npc);
        if (paths.plain.empty()) return;
        std::optional<PlainTwin> twin = readScrambled(realPath(paths.scrambled), paths.scrambled);
        if (twin && twin->extension == paths.plain.substr(paths.plain.size() - 4)) script.openText(std::move(twin->bytes));
        else script.open(realPath(paths.plain));
    }
    ~OpenedScript() { script.close(); }
    OpenedScript(const OpenedScript&) = delete;
    OpenedScript& operator=(const OpenedScript&) = delete;

    ConversationScript script;
};

void closeConversation() {
    game.clockRunning = 1;
    // Letters typed ahead for the conversation must not become commands.
    console().discardTypeAhead();
}

// After the last node: the room again, normal typing, and the islander's
// parting reaction a little later.
void showRoomAfterConversation() {
    lookCommand("");
    setInputLimit(kCommandInputLimit);
    scheduleEvent(kReactionDelay, islanderReacts);
}

bool isMemorySubject(const Npc& npc) {
    return game.memorySubject && game.memorySubject != &game.islanders[0] && game.memorySubject == &npc;
}

}  // namespace

ScriptPaths scriptPathsFor(const Npc& npc) {
    if (isMemorySubject(npc)) return {"Data\\Memory.mox", "Data/Memory.txt"};
    std::string plain = npc.personalityFile.str();
    if (plain.size() <= 4) return {};
    return {replaceExtension(plain, ".mox"), plain};
}

bool seekDaySection(ConversationScript& script) { return script.seekDay(game.day); }

bool seekLabel(ConversationScript& script, Npc& npc, int label) {
    bool dayFound = seekDaySection(script);
    if (label < 0) {
        npc.scriptLabel = -label;
        closeConversation();
        return false;
    }
    // A missing day or label ends the conversation where it stands.
    if (!dayFound || !script.seekLabel(label)) {
        closeConversation();
        return false;
    }
    npc.scriptLabel = label;
    return true;
}

bool speakNode(ConversationScript& script, Npc& npc) {
    game.optionCount = 0;
    ScriptNode node = script.readNode();
    sayLine('Y', node.spokenText.c_str(), npc);
    runScriptAction(node.islanderLine.c_str(), npc);
    for (const ScriptOption& option : node.options) {
        if (game.optionCount < INT16_MAX) ++game.optionCount;
        sayLine('R', option.shownText.c_str(), npc);
    }
    if (node.ends) {
        if (node.resumeLabel == 0) {
            npc.scriptLabel = 0;
            closeConversation();
            return false;
        }
        return seekLabel(script, npc, -node.resumeLabel);
    }
    // A node without options could never be answered: let the player go.
    if (node.options.empty()) {
        closeConversation();
        return false;
    }
    return true;
}

bool takeOption(ConversationScript& script, Npc& npc, int option) {
    if (!seekLabel(script, npc, npc.scriptLabel)) return false;
    ScriptNode node = script.readNode();
    if (option < 1 || option > static_cast<int>(node.options.size())) {
        closeConversation();  // the script no longer matches what was shown
        return false;
    }
    const ScriptOption& chosen = node.options[static_cast<std::size_t>(option - 1)];
    runScriptAction(chosen.line.c_str(), npc);
    if (chosen.hasNextLabel) npc.scriptLabel = chosen.nextLabel;
    for (const MoodChange& change : chosen.changes) applyMoodChange(npc, change.key, change.amount);
    sayLine('W', chosen.spokenText.c_str(), npc);
    npc.moodRate -= kMoodRateStep;
    return seekLabel(script, npc, npc.scriptLabel);
}

void startConversation(Npc& npc) {
    OpenedScript opened(npc);
    if (!opened.script.isOpen()) {
        printMarked("%s has nothing to say right now.\n", npc.name);
        return;
    }
    game.clockRunning = 0;
    game.talkingTo = &npc;
    if (seekLabel(opened.script, npc, npc.scriptLabel)) speakNode(opened.script, npc);
    if (!game.clockRunning) {
        setInputLimit(kChoiceInputLimit);
    } else {
        lookCommand("");
        scheduleEvent(kReactionDelay, islanderReacts);
    }
}

void answerChoice(Npc& npc, int option) {
    {
        OpenedScript opened(npc);
        if (!opened.script.isOpen())
            closeConversation();
        else if (takeOption(opened.script, npc, option))
            speakNode(opened.script, npc);
    }
    if (game.clockRunning) showRoomAfterConversation();
}

void resumeConversation() {
    Npc* npc = game.talkingTo;
    // The islander who walked up may have gone, or the player may have moved on.
    if (!npc || !npc->alive() || !game.player.currentRoom || npc->currentRoom != game.player.currentRoom) return;
    if (!game.clockRunning) return;
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
