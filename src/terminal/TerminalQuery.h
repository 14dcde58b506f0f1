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

// How long the game waits for the answers: a terminal that never answers
// costs no more than this before the menu.
constexpr int kAnswerWaitMs = 50;

// An answer that comes after the wait reaches the keys: "ESC [ ?", its
// numbers and a final letter, which no key sends. Fed every key read, in
// order; true for those that belong to such an answer and are dropped
// (the ESC before it goes on as the ignored key it is).
class LateAnswerFilter {
public:
    bool drops(unsigned key);
    void otherKey() { state_ = State::Idle; }  // a key curses named breaks any sequence

private:
    enum class State { Idle, Escape, Bracket, Answer };
    State state_ = State::Idle;
};

// The answers in what a terminal sent back; false while the device
// attributes have not come yet. Exposed for tests.
bool readTerminalAnswers(const std::string& received, TerminalAnswers& answers);
