#pragma once
// The state of a run that is not the world: what the text area shows and
// keeps in its scrollback, the hand-off of keys to a key pause, the screen's
// height and title, the typing limit, and the console in use with the
// game's words for the line editor. It lives in one object with one reset.
// Each part is guarded by the lock of the code that uses it: the output
// part by the output lock, the hand-off by the input's state lock, the
// title and the words by their own small locks.
#include <atomic>
#include <deque>
#include <mutex>
#include <string>

#include "console/Input.h"
#include "console/LineEditor.h"
#include "console/Output.h"

class Console;

struct OutputState {
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
    // Typing ended a pause: no page stops again until the line is in.
    bool pagingEnded = false;
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
    // The line of a question waiting for its answer (empty for none), the
    // holds it lifted, and whether something was printed below it.
    std::string questionLine;
    int holdsLifted = 0;
    bool questionBuried = false;
};

struct InputHandOff {
    int pausesWaiting = 0;
    bool typingEndsPause = false;  // the pause waiting is a long text's
    std::deque<PauseKey> keysForPause;
    // Keys a pause read that start the line being typed.
    std::deque<InputEvent> keptForLine;
    // A pause's words are on the input row (see spoilInputRow).
    std::atomic<bool> rowSpoilt{false};
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
// The output part as at start, under the output lock (the scrollback's
// text is cleared by clearScrollback).
void resetOutputState();
// Everything as when the program started, but the connections (the console
// in use, its end hook, the game's words): an empty scrollback, no capture,
// paging or held output, no pause waiting, the input open, the screen of
// the starting height without a title, the starting typing limit.
void resetRuntimeState();
