#pragma once
// The input row: typing, keypad shortcuts and word completion.
#include <string>

constexpr int kLineCapacity = 75;

// Blocks until a line is complete; keypad shortcuts come back as command words.
std::string readInputLine();
void setInputLimit(int characters);
int inputLimit();
int suggestCompletion(int cursorX);
