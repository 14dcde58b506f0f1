#pragma once
// The input row: typing, keypad shortcuts and word completion.
#include <string>

#include "console/RuntimeState.h"

// What the game lends the editor (see CommandLineWords).
void setCommandLineWords(CommandLineWords words);

class CommandHistory;

// What the line is for: a command, with keypad shortcuts and completion
// during play; or the answer to a question (a name, yes or no), typed as is.
// A PagedAnswer is an answer over a list shown in pages: Page Up and Page
// Down end the line with kPageUpLine or kPageDownLine instead of scrolling.
enum class LineKind { Command, Answer, PagedAnswer };
inline constexpr const char* kPageUpLine = "\x1b" "PageUp";
inline constexpr const char* kPageDownLine = "\x1b" "PageDown";

// Blocks until a line is complete; keypad shortcuts come back as command words.
// A closed input gives back what was typed so far. Given a history, Up and
// Down bring back its lines and a line ended with Enter joins it.
std::string readInputLine(CommandHistory* history = nullptr, LineKind kind = LineKind::Command);
// From any thread: something now waits for another kind of answer (a
// conversation opened). The line being typed is dropped from the row (kept
// in the history) and keys typed before now are not taken.
void dropTypedLine();
// True once when dropTypedLine came after the last line was handed back:
// that line was typed for what came before, not as an answer.
bool lineWasOvertaken();
// Lets the player type `characters` (1 to 75) from now on.
void setInputLimit(int characters);
int inputLimit();
// The rest of the completion word that `typed` begins, cut to `room`
// characters; empty for none.
std::string completionFor(const std::string& typed, int room);
