#pragma once
// The real terminal as the game's console: its screen (TerminalScreen)
// and, on top of it, the keys of the main keyboard and the numeric
// keypad, and the mouse, as curses reads them.
//
// Waiting for input polls the terminal outside the mutex, so the clock
// thread can draw while the player types; the poll has no timeout of its
// own and the wake pipe ends it early.
#include <memory>

#include "terminal/TerminalQuery.h"
#include "terminal/TerminalScreen.h"

class TerminalConsole : public TerminalScreen {
public:
    // None when the terminal cannot be driven (an unknown TERM, say).
    // Without colour: bold and reverse video only, in the terminal's own colours.
    static std::unique_ptr<TerminalConsole> open(bool noColour = false);

    InputEvent nextEvent(int timeoutMs) override;
    void wake() override;
    void discardTypeAhead() override;

private:
    explicit TerminalConsole(bool noColour) : TerminalScreen(noColour) {}

    // What a look at the terminal found (under the mutex).
    struct Look {
        InputEvent event;
        bool gotKey = false;    // curses gave something, a key it turned into no event included
        bool tooSmall = false;  // the notice is up
        bool closed = false;
    };
    Look lookAtTerminal();
    // Waits up to leftMs (negative: for ever) for the terminal or the wake
    // pipe: Again to look at the terminal, Woken, or Closed (hung up).
    enum class Wait { Again, Woken, Closed };
    Wait waitForTerminal(int leftMs);
    InputEvent translateKey(int status, unsigned key);
    InputEvent mouseEvent();
    static void defineKeypadKeys();

    bool afterEscape_ = false;
    LateAnswerFilter lateAnswers_;  // the start-up answers that came after the wait
    int hangupReads_ = 0;
};
