#pragma once
// The input row: typing, keypad shortcuts and word completion.
#include <string>

class CommandHistory;

constexpr int kLineCapacity = 75;

// Blocks until a line is complete; keypad shortcuts come back as command words.
// A closed input gives back what was typed so far. Given a history, Up and
// Down bring back its lines and a line ended with Enter joins it.
std::string readInputLine(CommandHistory* history = nullptr);
// Lets the player type `characters` (1 to 75) from now on.
void setInputLimit(int characters);
int inputLimit();
// Shows (or removes) the completion of the first word; the length shown.
int suggestCompletion(int cursorX);
// The input row from column 3 up to the column before the cursor.
std::string readInputRow(int cursorX);
