// The course of a conversation: opening the script, speaking a node,
// taking an option, closing.
#include "dialogue/Conversation.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Codec.h"
#include "base/Paths.h"
#include "console/RuntimeState.h"
#include "console/Output.h"
#include "dialogue/Moods.h"
#include "dialogue/Script.h"

namespace {

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

namespace {

// The steps of one interaction with an open script. seekLabel and the two
// after it close the conversation (clockRunning back to 1) when the script
// says so, or when the day or label cannot be found; they report whether
// the conversation is still open.
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

}  // namespace

Talk openConversation(Npc& npc) {
    OpenedScript opened(npc);
    if (!opened.script.isOpen()) {
        printMarked("%s has nothing to say right now.\n", npc.name);
        return Talk::NothingToSay;
    }
    game.clockRunning = 0;
    game.talkingTo = &npc;
    if (seekLabel(opened.script, npc, npc.scriptLabel)) speakNode(opened.script, npc);
    return game.clockRunning ? Talk::Closed : Talk::Open;
}

bool answerConversation(Npc& npc, int option) {
    OpenedScript opened(npc);
    if (!opened.script.isOpen())
        closeConversation();
    else if (takeOption(opened.script, npc, option))
        speakNode(opened.script, npc);
    return !game.clockRunning;
}
