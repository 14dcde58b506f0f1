#include <cctype>
#include <cstdlib>
#include <string>

#include "clock/Clock.h"
#include "game/Days.h"
#include "console/Output.h"
#include "game/Commands.h"
#include "game/FrontMenu.h"
#include "game/Inventory.h"
#include "game/Lab.h"
#include "game/Movement.h"
#include "world/World.h"
#include "game/Sail.h"
#include "game/Talk.h"
#include "items/Items.h"
#include "raft/Raft.h"

namespace {

// Reads a decimal integer as the command arguments do: leading blanks,
// an optional sign, digits up to the first other character. Sets ok when
// at least one digit was read; pos moves past what was read.
long readNumber(const std::string& text, std::size_t& pos, bool& ok) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long value = 0;
    ok = false;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        ok = true;
        if (value < 100000000) value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return negative ? -value : value;
}

struct Move {
    const char* word;
    const char* shortWord;
    Direction direction;
};

constexpr Move kMoves[] = {
    {"north", "n", North},         {"south", "s", South},         {"east", "e", East},
    {"west", "w", West},           {"northwest", "nw", Northwest}, {"northeast", "ne", Northeast},
    {"southwest", "sw", Southwest}, {"southeast", "se", Southeast},
};

// A slot of the room table that the world leaves unused: no description
// and no way out. Teleporting there would strand the player.
bool isBlankRoom(const Room& room) {
    if (!room.description.empty()) return false;
    for (const Room* exit : room.exits)
        if (exit != nullptr) return false;
    return true;
}

bool debugCommand(const std::string& word, const char* argument) {
    std::string arg = argument ? argument : "";
    std::size_t pos = 0;
    bool ok = false;
    if (word == "dayskip") {
        long n = readNumber(arg, pos, ok);
        if (!ok || n < 1 || n > 100000) return false;
        game.day = static_cast<int>(n - 1);
        game.tick = static_cast<int>(kTicksPerDay * (n - 1) - 1);
        return true;
    }
    if (word == "getitem") {
        long n = readNumber(arg, pos, ok);
        if (!ok || n < 0 || n >= kItemCount) return false;
        addToList(game.player.inventory, &game.items[static_cast<std::size_t>(n)]);
        return true;
    }
    if (word == "roominfo") {
        printMarked("Area: %d  Room: %d\n", game.player.currentRoom->area, game.player.currentRoom->number);
        return true;
    }
    if (word == "tele") {
        bool okRoom = false;
        long area = readNumber(arg, pos, ok);
        long number = readNumber(arg, pos, okRoom);
        Room* target = roomAt(static_cast<int>(area), static_cast<int>(number));
        if (!ok || !okRoom || !target || isBlankRoom(*target)) return false;
        game.player.currentRoom = target;
        lookCommand("");
        return true;
    }
    if (word == "kill") {
        if (arg != "tim") return false;
        printMarked("You have slain Tim.\n");
        return true;
    }
    return false;
}

}  // namespace

void printInvalidCommand() {
    printMarked("Invalid command.  Try the \"help\" command for a list of valid commands.\n");
}

void dispatchCommand(const char* rawLine) {
    std::string line = rawLine ? rawLine : "";
    // An open conversation is always answerable, even during a busy period.
    if (!game.clockRunning) {
        if (!line.empty()) conversationChoice(line.c_str());
        return;
    }
    if (const char* busy = isBusy()) {
        printMarked("%s\n", busy);
        return;
    }
    if (line.empty()) return;

    line = toLower(line);
    std::size_t blank = line.find(' ');
    std::string word = line.substr(0, blank);
    std::string argumentText = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    const char* argument = blank == std::string::npos ? nullptr : argumentText.c_str();

    for (const Move& m : kMoves) {
        if (word == m.word || word == m.shortWord) {
            moveCommand(m.direction);
            return;
        }
    }
    if (word == "get") return getCommand(argument);
    if (word == "drop") return dropCommand(argument);
    if (word == "inv" || word == "i" || word == "inventory") return inventoryCommand();
    if (word == "talk") return talkCommand(argument);
    if (word == "look" || word == "l") return lookCommand(argument);
    if (word == "combine") return combineCommand(argument);
    if (word == "boat") return buildRaft();
    if (word == "sail") return setSail();
    if (word == "map") return showMap();
    if (word == "use") return useCommand(argument);
    if (word == "help") return showHelp();
    if (word == "time") return timeCommand();
    if (word == "verbose") return verboseCommand();
    if (word == "brief") return briefCommand();
    if (word == "5830") return labCodeCommand();
    if (word == "quit" || word == "q") {
        game.running = 0;
        return;
    }
    if (word == "debug") {
        game.debugMode = 1;
        return;
    }
    if (word == "ri") {
        printMarked("Area: %d  Room: %d\n", game.player.currentRoom->area, game.player.currentRoom->number);
        return;
    }
    if (game.debugMode && debugCommand(word, argument)) return;
    printInvalidCommand();
}
