#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "clock/Clock.h"
#include "console/Output.h"
#include "game/Commands.h"
#include "game/Days.h"
#include "game/FrontMenu.h"
#include "game/Inventory.h"
#include "game/Lab.h"
#include "game/Movement.h"
#include "game/Sail.h"
#include "game/Talk.h"
#include "items/Items.h"
#include "raft/Raft.h"
#include "world/World.h"

namespace {

// The decimal integers of a debug word's argument, one after another, as
// the command arguments read them: leading blanks, an optional sign,
// digits up to the first other character. None where no digit follows.
class Numbers {
public:
    explicit Numbers(const char* argument) : text_(argument ? argument : "") {}

    std::optional<long> next() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) negative = text_[pos_++] == '-';
        long value = 0;
        bool digits = false;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            digits = true;
            if (value < 100000000) value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (!digits) return std::nullopt;
        return negative ? -value : value;
    }

private:
    std::string text_;
    std::size_t pos_ = 0;
};

// A slot of the room table that the world leaves unused: no description
// and no way out. Teleporting there would strand the player.
bool isBlankRoom(const Room& room) {
    if (!room.description.empty()) return false;
    for (const Room* exit : room.exits)
        if (exit != nullptr) return false;
    return true;
}

// The debug words, once "debug" was typed; false for an argument they
// cannot use (then the line is an invalid command).
bool daySkip(const char* argument) {
    const std::optional<long> day = Numbers(argument).next();
    if (!day || *day < 1 || *day > 100000) return false;
    game.day = static_cast<int>(*day - 1);
    game.tick = static_cast<int>(kTicksPerDay * (*day - 1) - 1);
    return true;
}

bool getItem(const char* argument) {
    const std::optional<long> item = Numbers(argument).next();
    if (!item || *item < 0 || *item >= kItemCount) return false;
    addToList(game.player.inventory, &game.items[static_cast<std::size_t>(*item)]);
    return true;
}

bool roomInfo(const char*) {
    printMarked("Area: %d  Room: %d\n", game.player.currentRoom->area, game.player.currentRoom->number);
    return true;
}

bool teleport(const char* argument) {
    Numbers numbers(argument);
    const std::optional<long> area = numbers.next();
    const std::optional<long> number = numbers.next();
    if (!area || !number) return false;
    Room* target = roomAt(static_cast<int>(*area), static_cast<int>(*number));
    if (!target || isBlankRoom(*target)) return false;
    game.player.currentRoom = target;
    lookCommand("");
    return true;
}

bool kill(const char* argument) {
    if (std::string(argument ? argument : "") != "tim") return false;
    printMarked("You have slain Tim.\n");
    return true;
}

enum class Access : std::uint8_t { Always, Debug };

struct CommandWord {
    const char* word;
    // The argument is what followed the first blank, or nullptr for none.
    // False when the line turns out to be no command after all.
    bool (*run)(const char* argument);
    Access access = Access::Always;
};

template <void (*command)()>
bool plain(const char*) {
    command();
    return true;
}
template <void (*command)(const char*)>
bool withArgument(const char* argument) {
    command(argument);
    return true;
}
template <Direction direction>
bool go(const char*) {
    moveCommand(direction);
    return true;
}

// Every word the dispatcher knows, the debug words included.
constexpr CommandWord kCommands[] = {
    {"north", go<North>},         {"n", go<North>},
    {"south", go<South>},         {"s", go<South>},
    {"east", go<East>},           {"e", go<East>},
    {"west", go<West>},           {"w", go<West>},
    {"northwest", go<Northwest>}, {"nw", go<Northwest>},
    {"northeast", go<Northeast>}, {"ne", go<Northeast>},
    {"southwest", go<Southwest>}, {"sw", go<Southwest>},
    {"southeast", go<Southeast>}, {"se", go<Southeast>},
    {"get", withArgument<getCommand>},
    {"drop", withArgument<dropCommand>},
    {"inv", plain<inventoryCommand>},
    {"i", plain<inventoryCommand>},
    {"inventory", plain<inventoryCommand>},
    {"talk", withArgument<talkCommand>},
    {"look", withArgument<lookCommand>},
    {"l", withArgument<lookCommand>},
    {"combine", withArgument<combineCommand>},
    {"boat", plain<buildRaft>},
    {"sail", plain<setSail>},
    {"map", [](const char*) { showMap(); return true; }},
    {"use", withArgument<useCommand>},
    {"help", plain<showHelp>},
    {"time", plain<timeCommand>},
    {"verbose", plain<verboseCommand>},
    {"brief", plain<briefCommand>},
    {"5830", plain<labCodeCommand>},
    {"quit", [](const char*) { game.running = 0; return true; }},
    {"q", [](const char*) { game.running = 0; return true; }},
    {"debug", [](const char*) { game.debugMode = 1; return true; }},
    {"ri", roomInfo},
    {"dayskip", daySkip, Access::Debug},
    {"getitem", getItem, Access::Debug},
    {"roominfo", roomInfo, Access::Debug},
    {"tele", teleport, Access::Debug},
    {"kill", kill, Access::Debug},
};

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

    for (const CommandWord& command : kCommands) {
        if (word != command.word) continue;
        if (command.access == Access::Debug && !game.debugMode) break;
        if (command.run(argument)) return;
        break;
    }
    printInvalidCommand();
}
