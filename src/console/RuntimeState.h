#pragma once
// The state of a run that is not the world: what the text area shows and
// keeps in its scrollback, the hand-off of keys to a key pause, the screen's
// height and title, the typing limit, and the console in use with the
// game's words for the line editor. It lives in one object with one reset.
// Each part holds the lock that guards it, taken by the code that uses it:
// the output lock, the input's locks, the title's and the words' small locks.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "base/LockOrder.h"
#include "console/Console.h"
#include "console/Layout.h"

using ScrollbackLine = std::array<ScreenCell, kTextWidth>;

struct Scrollback {
    // A ring of lines, so a new line costs one line, not a move of all 300.
    std::array<ScrollbackLine, kScrollbackLines> ring{};
    int oldest = 0;  // ring index of line 0
    // Line i: 0 is the oldest, 299 the bottom line being written.
    ScrollbackLine& line(int i) { return ring[static_cast<std::size_t>((oldest + i) % kScrollbackLines)]; }
    ScrollbackLine& bottom() { return line(kScrollbackLines - 1); }
    int column = 0;
    int restoreForeground = 0;  // colour index; 0 is bright white
    int viewTop = kScrollbackLines - layoutForHeight(kDefaultScreenHeight).textRows;
};

struct OutputState {
    // Held for a whole print, its key pause included. Re-entered in one
    // case only: a resize read by a key pause lays the screen out under it.
    RankedRecursiveMutex<LockRank::Output> mutex;
    Scrollback scrollback;
    // Every formatted text printed, while a test captures it.
    bool capturing = false;
    std::string captured;
    // Paging: lines scrolled in since the page began; a PagedOutput inside
    // another goes on with its page.
    int pagingDepth = 0;
    int pageLines = 0;
    // A text taller than the text area stopped for a key: what is printed
    // after it goes on with its page, until a line is typed.
    bool pageCarried = false;
    // Every line ever scrolled in, and the line that headed the text area
    // when it was last drawn (counted the same way; -1 for none): the
    // difference is how far the shown text moved, which the console is
    // told as a scroll.
    long long linesScrolledIn = 0;
    long long shownTopLine = -1;
    bool shownBottomBlank = false;  // the text area's last row, as last drawn
    // A height the screen is to be laid out for at the next refresh; 0 for none.
    std::atomic<int> pendingHeight{0};
    // Prints held back from the screen (see HeldOutput).
    int holds = 0;
    bool heldBack = false;
};

// What a key does to a pause: the scrolling keys (and the wheel) move the
// view while it waits; any other key, or the input closing, lets it go on.
// Refit is no key: the pause read a resize, and the screen is laid out again.
enum class PauseKey : std::uint8_t { GoOn, LineUp, LineDown, PageUp, PageDown, Refit };

struct InputHandOff {
    RankedMutex<LockRank::Input> readMutex;  // one reader of the back end at a time
    std::mutex mutex;                        // guards the fields below but the atomics
    std::condition_variable keyArrived;
    int pausesWaiting = 0;
    std::deque<PauseKey> keysForPause;
    std::atomic<bool> closed{false};
    // The line being typed is to be dropped (see dropTypedLine).
    std::atomic<bool> dropRequested{false};
};

// The screen as the console reports it, read from any thread.
struct ScreenState {
    std::atomic<int> height{kDefaultScreenHeight};
    std::atomic<int> layoutChanges{0};  // counts the heights set, see screenLayoutChanges
    std::mutex titleMutex;
    std::string frameTitle;  // shown on the frame's top line
};

// What the game lends the line editor: the words completed as the first
// word of a line (the first that matches is offered), the command each
// keypad digit gives on an empty line, and whether play is on (shortcuts
// and completion only then; a game that ends drops the line being typed).
struct CommandLineWords {
    std::vector<std::string> completions;
    std::array<std::string, 10> keypad;
    std::function<bool()> playing;
};

struct RuntimeState {
    OutputState output;
    InputHandOff input;
    ScreenState screen;
    // The first column where no more characters may be typed; a walk-up
    // conversation sets it from the clock thread.
    std::atomic<int> inputLimit{kLineCapacity};
    // The connections a run makes once, which a reset keeps.
    Console* console = nullptr;  // nullptr: an in-memory screen stands in
    void (*programEndHook)() = nullptr;  // see setProgramEndHook
    std::mutex wordsMutex;
    CommandLineWords gameWords;  // see setCommandLineWords
};

RuntimeState& runtime();

// The console in use: the back end set, or an in-memory screen.
Console& console();
void setConsole(Console* backEnd);

// The layout in force, from any thread. It changes when the console's
// height does (setUpConsole, a resize); screenLayoutChanges counts them,
// so whoever drew with the old one knows to draw again.
ScreenLayout screenLayout();
void setScreenHeight(int rows);
int screenLayoutChanges();
// The first line shown when the text area shows the newest lines (254 of
// 300 at 46 rows); it follows the screen's height.
int newestViewTop();

// Every cell a space with attribute 0x00; column, view and restore colour reset.
void clearScrollback();
// The output part as at start, under the output lock (the scrollback's
// text is cleared by clearScrollback).
void resetOutputState();
// No pause waiting, no key handed over, the input open.
void resetInputState();
// Everything as when the program started, but the connections (the console
// in use, its end hook, the game's words): an empty scrollback, no capture,
// paging or held output, no pause waiting, the input open, the screen of
// the starting height without a title, the starting typing limit.
void resetRuntimeState();
