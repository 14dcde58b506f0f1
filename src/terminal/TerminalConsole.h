#pragma once
// The real terminal: the 80-column screen as tall as the terminal, centred
// on a wider one, code page 437 glyphs as Unicode, the 16 console colours,
// keys of the main keyboard and the numeric keypad, and the mouse. Curses
// sets the terminal up and reads the keys; the painter writes the screen.
//
// Every curses call happens under one mutex. Waiting for input polls the
// terminal outside it, so the clock thread can draw while the player types;
// the poll has no timeout of its own and a wake pipe ends it early.
#include <memory>
#include <mutex>

#include "base/LockOrder.h"
#include "console/CellGrid.h"
#include "console/Console.h"
#include "terminal/TerminalPainter.h"
#include "terminal/TerminalQuery.h"
#include "console/WakePipe.h"

class TerminalConsole : public Console {
public:
    // None when the terminal cannot be driven (an unknown TERM, say).
    // Without colour: bold and reverse video only, in the terminal's own colours.
    static std::unique_ptr<TerminalConsole> open(bool noColour = false);
    ~TerminalConsole() override;

    void writeChars(int x, int y, const char* text, int length) override;
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells) override;
    void scrollUp(int x, int y, int w, int h, int rows) override;
    void setCursor(int x, int y) override;
    void setTitle(const char* title) override;
    int rows() override;
    InputEvent nextEvent(int timeoutMs) override;
    void wake() override;
    void beep(int frequency, int durationMs) override;
    void sleepMs(int ms) override;
    void present() override;
    void discardTypeAhead() override;

    // Leaves curses and puts the terminal back; later calls do nothing.
    void restore();

private:
    TerminalConsole() = default;
    bool start();

    // All of these expect the mutex to be held.
    void showSizeNotice();
    void checkSize();
    void flush();
    // What the signals asked for: a suspend, or the whole screen drawn again.
    void followSignals();
    void suspend();
    void redrawAll();
    // Hands the terminal back to the shell (resetBytes: what undoes our
    // modes besides curses' own), and takes it again.
    void leaveCurses(const std::string& resetBytes);
    InputEvent translateKey(int status, unsigned key);
    InputEvent mouseEvent();
    static void defineKeypadKeys();

    RankedMutex<LockRank::BackEnd> mutex_;  // last in the game's lock order
    CellGrid grid_;  // what the game drew; the next flush paints what the terminal lacks of it
    std::unique_ptr<TerminalPainter> painter_;
    int cursorX_ = 0;
    int cursorY_ = 0;
    bool noColour_ = false;
    bool active_ = false;  // curses is running
    bool fits_ = false;    // the terminal is at least 80x24
    bool resized_ = false; // the screen's height changed: the game is yet to hear of it
    bool dirty_ = false;   // the size notice waits for curses' refresh
    bool afterEscape_ = false;
    LateAnswerFilter lateAnswers_;  // the start-up answers that came after the wait
    int shownLines_ = -1;
    int shownCols_ = -1;
    int left_ = 0;  // the screen's first column on the terminal
    void* screen_ = nullptr;  // the curses SCREEN
    int hangupReads_ = 0;
    std::string title_;  // the window's title, set again after a suspend
    WakePipe wakePipe_;
};

// Puts the terminal back if one is open; for the ways out of the program.
void restoreActiveTerminal();
