#pragma once
// Which back end a run plays on, and giving the terminal back at the end.
#include <memory>

#include "console/Console.h"

// The back end for this run: the terminal when both ends are a terminal
// and plain text is not asked for, else plain text. Without colour the
// terminal draws in its own colours with bold and reverse video.
std::unique_ptr<Console> makeConsole(bool plain = false, bool noColour = false);
// Puts the terminal back as it was; safe to call more than once.
void restoreTerminal();
