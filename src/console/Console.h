#pragma once
// The files of console/ depend one way, each only on those listed before it:
//
//   Layout.h        where everything sits on the screen (numbers only)
//   Console.h       the back end's interface; the back ends and their
//                   helpers (MemoryConsole, PlainConsole, CellGrid, Cp437,
//                   WakePipe) and the pieces that know nothing of a run
//                   (Format, CommandHistory, Transcript) use only these two
//   RuntimeState    the state of a run, its locks and its one reset
//   Screen          the frame, the title, the end of the program
//   Input           the one source of keys and the hand-off to a key pause
//   Output          printMarked: the scrollback, its drawing and its pauses
//   LineEditor      the input row
//   TitleArt        the title screen

// The narrow set of console operations the game needs. The back ends
// implement it: the terminal, the page, the plain front end and an
// in-memory screen for tests. Game code never talks to a terminal library
// directly.
#include <cstdint>

#include "console/Layout.h"

struct ScreenCell {
    std::uint8_t ch = ' ';       // code page 437 byte
    std::uint16_t attr = 0x07;   // console colour attribute
};

enum class KeyCode : std::uint8_t {
    None,
    Char,         // a printable character of the main keyboard in `ch`
    Enter,
    Backspace,
    KeypadDigit,  // numeric keypad 0..9 in `digit`
    KeypadPlus,
    KeypadMinus,
    PageUp,
    PageDown,
    ArrowUp,
    ArrowDown,
    CtrlC,
    AltF4,
    Other,        // left and right, function keys and the rest
};

struct InputEvent {
    enum class Type : std::uint8_t { None, Key, Mouse, Resize, Closed };
    Type type = Type::None;
    // keys
    KeyCode key = KeyCode::None;
    bool keyDown = true;
    char ch = 0;
    int digit = 0;
    bool ctrl = false;
    // mouse
    int x = 0;
    int y = 0;
    bool leftDown = false;
    int wheel = 0;  // +120 away from the player, -120 toward

    static InputEvent character(char c) { InputEvent e; e.type = Type::Key; e.key = KeyCode::Char; e.ch = c; return e; }
    static InputEvent special(KeyCode k) { InputEvent e; e.type = Type::Key; e.key = k; return e; }
    static InputEvent keypad(int d) { InputEvent e; e.type = Type::Key; e.key = KeyCode::KeypadDigit; e.digit = d; return e; }
    static InputEvent click(int cx, int cy) { InputEvent e; e.type = Type::Mouse; e.x = cx; e.y = cy; e.leftDown = true; return e; }
    static InputEvent scrollWheel(int delta) { InputEvent e; e.type = Type::Mouse; e.wheel = delta; return e; }
    static InputEvent closed() { InputEvent e; e.type = Type::Closed; return e; }
    static InputEvent resized() { InputEvent e; e.type = Type::Resize; return e; }
    bool isKeyDown() const { return type == Type::Key && keyDown; }
};

class Console {
public:
    virtual ~Console() = default;

    // Characters only; the cells keep their attributes.
    virtual void writeChars(int x, int y, const char* text, int length) = 0;
    // A block of w x h cells, row by row.
    virtual void writeCells(int x, int y, int w, int h, const ScreenCell* cells) = 0;
    // Moves the rows of a w x h block up by `rows`; the rows that come in
    // at the bottom are blank (a space, black on black) until written.
    virtual void scrollUp(int x, int y, int w, int h, int rows) = 0;
    virtual void setCursor(int x, int y) = 0;
    virtual void setTitle(const char* title) = 0;
    // The rows of the screen, as the game is to lay it out (80 columns
    // wide). A back end whose height changes reports a Resize event.
    virtual int rows() { return kDefaultScreenHeight; }
    // Waits up to timeoutMs (negative: forever); Type::None on timeout,
    // and when woken.
    virtual InputEvent nextEvent(int timeoutMs) = 0;
    // From any thread: a nextEvent that waits returns at once; with nobody
    // waiting, the next one does. A back end that never waits ignores it.
    virtual void wake() {}
    virtual void beep(int frequency, int durationMs) = 0;
    virtual void sleepMs(int ms) = 0;
    // Shows what was drawn (a terminal refreshes; memory does nothing).
    virtual void present() {}
    // Drops keys typed ahead and not read yet (scripted input is kept).
    virtual void discardTypeAhead() {}
    // False for the plain front end: no keypad shortcuts, no completion.
    virtual bool interactive() const { return true; }
    // The plain front end prints finished text lines instead of cells.
    virtual void plainText(const char* /*text*/) {}
    // A finished command line, for the plain front end to write back when
    // its input is a script rather than typed.
    virtual void echoLine(const char* /*line*/) {}
};

// The console in use, console(), is kept with the run's state (RuntimeState.h).
