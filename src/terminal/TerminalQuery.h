#pragma once
// Asks the terminal whether it can scroll a block of columns between left
// and right margins (as xterm can), so the text area scrolls without
// taking the frame beside it along. Called once, in raw mode, before curses
// reads any key. The device attributes are asked last: every terminal
// answers them, so on a terminal that ignores the first question the wait
// ends with that answer rather than a timeout.
#include <string>

struct TerminalAnswers {
    bool columnMargins = false;
    std::string typedAhead;  // keys that came in among the answers, in order
};

TerminalAnswers askTerminal(int in, int out, int timeoutMs);

// The answers in what a terminal sent back; false while the device
// attributes have not come yet. Exposed for tests.
bool readTerminalAnswers(const std::string& received, TerminalAnswers& answers);
