#pragma once
// The input row: typing, keypad shortcuts and word completion.
#include <string>

#include "console/Layout.h"

// Blocks until a line is complete; keypad shortcuts come back as command words.
// A closed input gives back what was typed so far.
std::string readInputLine();
// Lets the player type `characters` (1 to 75) from now on.
void setInputLimit(int characters);
int inputLimit();
// Shows (or removes) the completion of the first word; the length shown.
int suggestCompletion(int cursorX);
// The input row from column 3 up to the column before the cursor.
std::string readInputRow(int cursorX);
