// Spoken lines with their tokens, and the actions written in braces.
#include <string>
#include <string_view>

#include "console/Output.h"
#include "dialogue/Conversation.h"
#include "islanders/Islanders.h"
#include "world/Places.h"

namespace {

constexpr std::size_t kLineBuffer = 512;  // one spoken line, terminator included
constexpr const char* kNobody = "nobody";
constexpr std::string_view kSomeone = "someone";

void cutToBuffer(std::string& line) {
    if (line.size() > kLineBuffer - 1) line.resize(kLineBuffer - 1);
}

const char* nameOf(const Npc* npc) { return npc ? npc->name.c_str() : kNobody; }

// Three places further on in the islander table, wrapping around its end;
// from there on the first who can be talked about: alive, not the Dog and
// not the speaker. Nobody at all when no one is left.
const Npc* otherIslander(const Npc& speaker) {
    for (int step = 3; step < 3 + kIslanderCount; ++step) {
        const int index = ((speaker.npcIndex + step) % kIslanderCount + kIslanderCount) % kIslanderCount;
        const Npc& other = game.islanders[static_cast<std::size_t>(index)];
        if (index != 0 && other.alive() && &other != &speaker && other.name.view() != speaker.name.view()) return &other;
    }
    return nullptr;
}

std::string_view otherName(const Npc& speaker) {
    const Npc* other = otherIslander(speaker);
    return other ? other->name.view() : kSomeone;
}

const Npc* memorySubjectOrDog() {
    return game.memorySubject ? game.memorySubject : &game.islanders[0];
}

void replaceToken(std::string& line, std::string_view token, std::string_view value) {
    replaceFirst(line, token, value);
    cutToBuffer(line);
}

void replaceTokens(std::string& line, const Npc& npc, bool mentionsMurderer) {
    const Npc* subject = memorySubjectOrDog();
    replaceToken(line, "<NPCNAME>", npc.name.view());
    replaceToken(line, "<PLAYERNAME>", game.player.name.view());
    replaceToken(line, "<MEMORY>", subject->name.view());
    replaceToken(line, "<MEM-HE-SHE>", game.memorySubject ? pronounOf(game.memorySubject->name.view()) : "she");
    replaceToken(line, "<OTHERNPC>", otherName(npc));
    replaceToken(line, "<DEADGUY>", nameOf(game.lastVictim));
    // The murderer never names himself: he points at someone else.
    bool speakerIsMurderer = game.murderer && game.murderer->name.view() == npc.name.view();
    if (speakerIsMurderer && mentionsMurderer)
        replaceToken(line, "<MURDERER>", otherName(npc));
    else
        replaceToken(line, "<MURDERER>", nameOf(game.murderer));
}

void leaveRoom(Npc& npc) {
    if (!npc.currentRoom) return;
    int area = npc.currentRoom->area;
    int room = npc.currentRoom->number;
    int target = room + 1 < areaRoomCount(area) ? room + 1 : room - 1;
    if (target < 0) return;  // a one-room area has nowhere to go
    moveIslander(npc, area, target);
}

}  // namespace

void sayLine(char speaker, const char* text, const Npc& npc) {
    std::string_view spoken = text ? text : "";
    std::string line;
    if (speaker == 'W') {
        line = "You say, \"";
        line += spoken;
        line += "\"\n";
    } else if (speaker == 'Y') {
        line = npc.name.str() + " says, \"";
        line += spoken;
        line += "\"\n";
    } else {
        line = spoken;
    }
    cutToBuffer(line);
    if (spoken.find('<') != std::string_view::npos && spoken.find('>') != std::string_view::npos)
        replaceTokens(line, npc, spoken.find("<MURDERER>") != std::string_view::npos);
    printMarked("/%c%s\n", speaker, line);
}

void runScriptAction(const char* text, Npc& npc) {
    std::string_view line = text ? text : "";
    std::size_t brace = line.find('{');
    if (brace == std::string_view::npos) return;
    std::string_view action = line.substr(brace + 1);
    auto has = [&](std::string_view keyword) { return action.find(keyword) != std::string_view::npos; };
    if (has("DOGDISAPPEAR")) {
        moveIslander(game.islanders[0], kLaboratory.area, kLaboratory.number);
    } else if (has("LEAVEROOM")) {
        leaveRoom(npc);
    } else if (has("SIGH")) {
        printMarked("%s sighs sadly.\n", npc.name);
    } else if (has("LAUGH")) {
        printMarked("%s laughs.\n", npc.name);
    } else if (has("SHRUG")) {
        printMarked("%s shrugs nonchalantly.\n", npc.name);
    } else if (has("DANCE")) {
        printMarked("%s dances in an almost silly manner.\n", npc.name);
    } else if (has("HUG")) {
        printMarked("%s gives you a hug.\n", npc.name);
    } else if (has("CRY")) {
        printMarked("%s cries sadly.\n", npc.name);
    }
}
