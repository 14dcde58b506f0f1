#pragma once
#include <chrono>
#include <string>

// Menu, play and the final save; returns the program's exit status.
// The clock period is a parameter so tests can run the clock fast.
int runGame(std::chrono::milliseconds clockPeriod = std::chrono::milliseconds(1000));

// One typed line, as the loop runs it: under the game lock, dropped once
// play has ended, then the autosave on an odd tick when asked for.
void dispatchTypedLine(const std::string& line, bool autosave);

// What the terminal's own screen shows once the game's screen is gone:
// the ending's text, and why the final save failed; "" when neither.
std::string closingWords();
