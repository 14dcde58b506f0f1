#pragma once
// The fixed 80x50 layout: frame, text area, scroll bar and prompt.
#include <memory>

#include "console/Console.h"

void setUpConsole();
// A short text in the middle of the frame's top line ("Day 3"); empty for none.
// setUpConsole clears it; the loaded game sets its day.
void setFrameTitle(const char* title);
// The back end for this run: the terminal when both ends are a terminal
// and plain text is not asked for, else plain text.
std::unique_ptr<Console> makeConsole(bool plain = false);
// Puts the terminal back as it was; safe to call more than once.
void restoreTerminal();
// Ctrl+C, Alt+F4 and "quit" from the menu: the terminal put back, status 0, nothing saved.
[[noreturn]] void endProgramNow();
