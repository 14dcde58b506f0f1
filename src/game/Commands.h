#pragma once
// The command dispatcher: one typed line, one action; and the one table of
// the words it knows, from which the help and the completion are built.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

void dispatchCommand(const char* line);
void printInvalidCommand();

enum class Access : std::uint8_t {
    Always,
    Hidden,  // obeyed, never listed: the laboratory's code, the debug switch
    Debug,   // obeyed in debug mode, which runGame turns on in every game
             // (as intended: they are tools for play); "debug" turns it on too
    Joke,   // offered by the completion, never obeyed
};

struct CommandWord {
    const char* word;
    // Other words for the same command ("n" for "north").
    std::array<const char*, 3> shortForms{};
    // The argument is what followed the first blank, or nullptr for none.
    // False when the line turns out to be no command after all.
    bool (*run)(const char* argument) = nullptr;
    Access access = Access::Always;
    // The line of the help (none for the debug words and the code);
    // the help lists them in table order.
    const char* help = nullptr;
    // The word's place among the completions (1 first, 0 not offered):
    // the first entry that begins with what was typed is offered.
    int completionPlace = 0;
};

// Every word the dispatcher knows, the debug words included.
std::span<const CommandWord> commandTable();
// The words offered to complete the first word of a line, in order.
std::vector<std::string> completionWords();
// The help as "help" prints it.
std::string helpText();
