#pragma once
// The real terminal's screen: curses sets the terminal up (and gives it
// back on a suspend and at the end), the painted back end draws the
// 80-column screen as tall as the terminal, centred on a wider one, in
// code page 437 glyphs as Unicode and the 16 console colours. The signals
// (a suspend, a continue, a resize) are followed at each look at the
// terminal. The keys are read above it, in TerminalConsole.
//
// Every curses call happens under the back end's mutex.
#include <string>

#include "terminal/PaintedConsole.h"
#include "console/WakePipe.h"

class TerminalScreen : public PaintedConsole {
public:
    ~TerminalScreen() override;

    void setTitle(const char* title) override;
    void beep(int frequency, int durationMs) override;
    void present() override;

    // Leaves curses and puts the terminal back; later calls do nothing.
    void restore();

protected:
    explicit TerminalScreen(bool noColour) : noColour_(noColour) {}
    // False when the terminal cannot be driven (an unknown TERM, say).
    bool start();

    // All of these expect the mutex to be held.
    // Takes the terminal's size, drawing the screen or the notice again where it changed.
    void checkSize();
    // What the signals asked for: a suspend, or the whole screen drawn again.
    void followSignals();
    // The terminal may show anything now: paint it all again.
    void redrawAll();
    void dropTypedAhead() override;

    WakePipe wakePipe_;  // a signal, or the end of play, ends a wait for keys

private:
    bool startCurses();
    TerminalAbilities readAbilities();
    // Asks an xterm that is too small for the size the game needs.
    void askForSize();
    void send(const std::string& bytes) override;
    void clearTerminal() override;
    void suspend();
    // Hands the terminal back to the shell (resetBytes: what undoes our
    // modes besides curses' own), and takes it again.
    void leaveCurses(const std::string& resetBytes);

    bool noColour_ = false;
    void* screen_ = nullptr;  // the curses SCREEN
    std::string title_;  // the window's title, set again after a suspend
};

// Puts the terminal back if one is open; for the ways out of the program.
void restoreActiveTerminal();
