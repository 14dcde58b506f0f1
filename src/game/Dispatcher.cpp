#include <algorithm>
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
#include "game/Redirects.h"
#include "game/Sail.h"
#include "game/SaveReport.h"
#include "game/Talk.h"
#include "game/TranscriptCommand.h"
#include "game/Verbs.h"
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
bool quit(const char*) {
    game.running = 0;
    return true;
}

// The last line obeyed as a command, for "again".
std::string lastCommand;

bool repeatLastCommand(const char*) {
    if (lastCommand.empty()) {
        printMarked("There is no command to do again yet.\n");
        return true;
    }
    dispatchCommand(lastCommand.c_str());
    return true;
}

bool saveNow(const char*) {
    if (saveNowAndReport()) printMarked("The game is saved.\n");
    return true;
}

// In the order the help lists them; the completion has its own order.
constexpr CommandWord kCommands[] = {
    {"help", {}, plain<showHelp>, Access::Always, "/Ghelp/w - this list; /Gsave/w; /Gtranscript/w - a record of play; /Gquit/w or /Gq/w to end\n", 19},
    {"look", {"l"}, withArgument<lookCommand>, Access::Always,
     "/Glook/w (/Gl/w) - displays the important things about a room. Alternatively, you can press 5 on the numpad to do this as well (to /Gtouch/w, to /Gjump/w).\n", 12},
    {"talk", {}, withArgument<talkCommand>, Access::Always, "/Gtalk /B<npc>/w - start a conversation with an NPC (to /Gask/w, /Ggive/w, /Glisten/w)\n", 11},
    {"north", {"n"}, go<North>, Access::Always,
     "movement - type /Gnorth, south, east, west, northwest, northeast, southwest, /wor /Gsoutheast/w to move in that direction (/Gn, s, e, w, nw, ne, sw, se/w for short).  Or, you can use the numpad and press the number corresponding to the compass direction you wish to go, i.e. 8 for north, 2 for south, etc.\n",
     1},
    {"south", {"s"}, go<South>, Access::Always, nullptr, 2},
    {"east", {"e"}, go<East>, Access::Always, nullptr, 3},
    {"west", {"w"}, go<West>, Access::Always, nullptr, 4},
    {"northwest", {"nw"}, go<Northwest>, Access::Always, nullptr, 5},
    {"northeast", {"ne"}, go<Northeast>, Access::Always, nullptr, 6},
    {"southwest", {"sw"}, go<Southwest>, Access::Always, nullptr, 7},
    {"southeast", {"se"}, go<Southeast>, Access::Always, nullptr, 8},
    {"inventory", {"inv", "i"}, plain<inventoryCommand>, Access::Always,
     "/Ginv/w (/Gi/w, /Ginventory/w) - displays your current inventory\n", 15},
    {"get", {"take"}, withArgument<getCommand>, Access::Always,
     "/Gget /B<ITEM>/w (/Gtake/w) - put ITEM in your inventory if it is in the room\n", 9},
    {"drop", {}, withArgument<dropCommand>, Access::Always,
     "/Gdrop /B<ITEM>/w - if ITEM is in your inventory, this will drop it to the ground\n", 10},
    {"boat", {}, plain<buildRaft>, Access::Always, "/Gboat/w - attempt to craft your boat if you have the proper tool and resources\n", 17},
    {"sail", {}, plain<setSail>, Access::Always, "/Gsail/w (to /Gswim/w) - set sail on your boat; each one aboard lowers the odds\n", 18},
    {"map", {}, [](const char*) { showMap(); return true; }, Access::Always,
     "/Gmap/w - if you have the map, this will display it and show you where on the island you are\n", 16},
    {"combine", {}, withArgument<combineCommand>, Access::Always,
     "/Gcombine /B<ITEM> /Gwith /B<ITEM>/w - if the two items are in your inventory and are combinable, then this will combine them and form a new item, possibly destroying one or both of the originals\n",
     14},
    {"use", {}, withArgument<useCommand>, Access::Always,
     "/Guse /B<ITEM> /Gon /B<ITEM>/w - sometimes you can use items in your inventory with items in the environment (to /Geat/w, use food)\n", 13},
    {"time", {}, plain<timeCommand>, Access::Always,
     "/Gtime/w (to /Gwait/w, /Gz/w) - day and food; /Gverbose/w, /Gbrief/w - places in full or not\n", 20},
    {"verbose", {}, plain<verboseCommand>, Access::Always, nullptr, 21},
    {"brief", {}, plain<briefCommand>, Access::Always, nullptr, 22},
    {"examine", {"x"}, withArgument<lookCommand>, Access::Always,
     "/Gx/w, /Gexamine/w, /Gread/w, /Gsearch/w: look; /Gopen/w, /Gpry/w, /Gclimb/w, /Gdig/w: hints; /Gagain/w, /Gg/w: redo\n", 23},
    {"read", {}, withArgument<lookCommand>, Access::Always, nullptr, 24},
    {"search", {}, withArgument<lookCommand>, Access::Always, nullptr, 25},
    {"open", {}, withArgument<openCommand>, Access::Always, nullptr, 26},
    {"pry", {}, withArgument<pryCommand>, Access::Always, nullptr, 27},
    {"climb", {}, withArgument<climbCommand>, Access::Always, nullptr, 28},
    {"dig", {}, withArgument<digCommand>, Access::Always, nullptr, 29},
    {"again", {"g"}, repeatLastCommand, Access::Always, nullptr, 30},
    {"save", {}, saveNow, Access::Always, nullptr, 31},
    {"transcript", {}, transcriptCommand, Access::Always, nullptr, 40},
    // Verbs of other games, each answered with the command that does it here;
    // the help names each beside that command, in a row it already takes.
    {"eat", {}, withArgument<eatCommand>, Access::Always, nullptr, 32},
    {"wait", {"z"}, withArgument<waitCommand>, Access::Always, nullptr, 33},
    {"ask", {}, withArgument<askCommand>, Access::Always, nullptr, 34},
    {"give", {}, withArgument<giveCommand>, Access::Always, nullptr, 35},
    {"listen", {}, withArgument<listenCommand>, Access::Always, nullptr, 36},
    {"jump", {}, withArgument<jumpCommand>, Access::Always, nullptr, 37},
    {"swim", {}, withArgument<swimCommand>, Access::Always, nullptr, 38},
    {"touch", {}, withArgument<touchCommand>, Access::Always, nullptr, 39},
    {"quit", {"q"}, quit},
    // The laboratory's code is found in the game, never told.
    {"5830", {}, plain<labCodeCommand>, Access::Hidden},
    {"debug", {}, [](const char*) { game.debugMode = 1; return true; }, Access::Hidden},
    {"ri", {}, roomInfo, Access::Hidden},
    {"dayskip", {}, daySkip, Access::Debug},
    {"getitem", {}, getItem, Access::Debug},
    {"roominfo", {}, roomInfo, Access::Debug},
    {"tele", {}, teleport, Access::Debug},
    {"kill", {}, kill, Access::Debug},
    {"febreeze fabric freshener?", {}, nullptr, Access::Joke, nullptr, 90},
    {"mongoose?", {}, nullptr, Access::Joke, nullptr, 91},
};

bool isWordOf(const CommandWord& command, const std::string& word) {
    if (word == command.word) return true;
    for (const char* shortForm : command.shortForms)
        if (shortForm && word == shortForm) return true;
    return false;
}

const CommandWord* findCommand(const std::string& word) {
    for (const CommandWord& command : kCommands)
        if (command.access != Access::Joke && isWordOf(command, word)) return &command;
    return nullptr;
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

    const CommandWord* command = findCommand(word);
    if (command && (command->access != Access::Debug || game.debugMode)) {
        if (command->run != repeatLastCommand) lastCommand = line;
        if (command->run(argument)) return;
    }
    if (!command && numberTyped(word)) return;
    printInvalidCommand();
}

std::span<const CommandWord> commandTable() { return kCommands; }

std::vector<std::string> completionWords() {
    std::vector<const CommandWord*> offered;
    for (const CommandWord& command : kCommands)
        if (command.completionPlace > 0) offered.push_back(&command);
    std::stable_sort(offered.begin(), offered.end(),
                     [](const CommandWord* a, const CommandWord* b) { return a->completionPlace < b->completionPlace; });
    std::vector<std::string> words;
    for (const CommandWord* command : offered) words.emplace_back(command->word);
    // A word typed whole is never completed into another command: "se" is
    // southeast, not the start of a longer word. Such a word stands in the
    // list before the first entry it would otherwise complete to.
    for (const CommandWord& command : kCommands) {
        if (command.access == Access::Joke) continue;
        std::vector<std::string> own{command.word};
        for (const char* shortForm : command.shortForms)
            if (shortForm) own.emplace_back(shortForm);
        for (const std::string& typed : own) {
            if (typed.size() < 2) continue;
            auto first = std::find_if(words.begin(), words.end(),
                                      [&](const std::string& entry) { return entry.starts_with(typed); });
            if (first != words.end() && !isWordOf(command, *first)) words.insert(first, typed);
        }
    }
    return words;
}

std::string helpText() {
    std::string text = "The following are some of the useful game commands:\n";
    for (const CommandWord& command : kCommands)
        if (command.help) text += command.help;
    text += "/GPage Up/w, /GPage Down/w, numpad /G+/w and /G-/w scroll the text; /GUp/w, /GDown/w recall commands\n\n";
    return text;
}

void forgetLastCommand() { lastCommand.clear(); }
