// Fuzzes the conversation script reader and the conversation runner.
//
// Input: byte 0 the day, byte 1 the islander's starting label, bytes 2..9
// the letters typed as choices, the rest the plain script. The script is
// walked with the reader directly, then talked through as the game does,
// from a private Data directory.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "clock/Clock.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "base/Paths.h"
#include "base/Random.h"
#include "world/World.h"
#include "dialogue/Conversation.h"
#include "dialogue/Script.h"
#include "game/Talk.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"

namespace {

constexpr std::size_t kHeader = 10;

struct Setup {
    MemoryConsole screen;
    std::filesystem::path dir;

    Setup() {
        dir = std::filesystem::temp_directory_path() / ("brinefall-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        setDataDirectory(dir);
        setConsole(&screen);
        setFixedSeconds(1000);
    }
    ~Setup() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

void prepareGame(int day, int label) {
    resetGameState();
    clearScrollback();
    game.running = 1;
    game.clockRunning = 1;
    game.day = day;
    game.tick = (day - 1) * 240 + 10;
    game.player.name = "Sam";
    const char* names[] = {"Dog", "Alex", "Beth", "Carl", "Fran", "Jose", "Tom", "Luke", "Monica"};
    for (int i = 0; i < kIslanderCount; ++i) {
        Npc& npc = game.islanders[static_cast<std::size_t>(i)];
        npc.name = names[i];
        npc.gender = i % 3;
        npc.moodRate = 0.2;
        npc.tolerance = 150;
        npc.personalityFile = "Data\\Fuzz.txt";
        Room* room = roomAt(0, i % 3 == 0 ? 14 : 8);
        room->name = "Beach";
        npc.currentRoom = room;
        addToList(room->occupants, &npc);
    }
    game.player.currentRoom = roomAt(0, 8);
    game.murderer = &game.islanders[1];
    game.memorySubject = &game.islanders[0];
    game.islanders[1].scriptLabel = label;
}

// The reader on its own: every day header, every label, every node.
void walkReader(const std::string& text) {
    ConversationScript script;
    script.openText(text);
    for (int day = 0; day < 4; ++day) {
        if (!script.seekDay(day)) continue;
        for (int label : {0, 1, 2, 999}) {
            if (!script.seekDay(day) || !script.seekLabel(label)) continue;
            ScriptNode node = script.readNode();
            sayLine('Y', node.spokenText.c_str(), game.islanders[2]);
            runScriptAction(node.islanderLine.c_str(), game.islanders[2]);
            for (const ScriptOption& option : node.options) sayLine('R', option.shownText.c_str(), game.islanders[2]);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Setup& s = setup();
    if (size < kHeader) return 0;
    int day = data[0] % 5;
    int label = static_cast<std::int8_t>(data[1]);
    std::string choices(reinterpret_cast<const char*>(data + 2), 8);
    std::string text(reinterpret_cast<const char*>(data + kHeader), size - kHeader);

    prepareGame(day == 0 ? 1 : day, label);
    walkReader(text);
    {
        std::ofstream out(s.dir / "Fuzz.txt", std::ios::binary | std::ios::trunc);
        out << text;
    }
    talkCommand("to alex");  // finds Alex once islanders can be looked up
    if (game.clockRunning) startConversation(game.islanders[1]);
    bool approached = false;
    for (char c : choices) {
        if (game.clockRunning) {
            if (approached) break;
            // Once over, Alex walks up again as a happy islander does.
            approached = true;
            game.talkingTo = &game.islanders[1];
            resumeConversation();
            continue;
        }
        int tick = game.tick;
        char line[2] = {c, '\0'};
        conversationChoice(line);
        if (!game.clockRunning) {
            advanceOneTick();  // time stands still while the conversation is open
            if (game.tick != tick) __builtin_trap();
        }
    }
    freeAllLists();
    return 0;
}
