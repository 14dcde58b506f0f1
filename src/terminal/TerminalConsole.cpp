#include "terminal/TerminalConsole.h"

#include <curses.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "terminal/TerminalSignals.h"

namespace {
// Codes of our own for the keypad keys terminfo has no names for.
constexpr int kKeypadDigit0 = KEY_MAX + 1;  // .. +9
constexpr int kKeypadPlus = KEY_MAX + 11;
constexpr int kKeypadMinus = KEY_MAX + 12;
constexpr int kKeypadEnter = KEY_MAX + 13;
constexpr int kKeypadOther = KEY_MAX + 14;
constexpr int kAltF4 = KEY_F(52);  // xterm numbers Alt+F1 as F49
// A terminal that keeps saying "readable" but gives nothing has gone away.
constexpr int kEmptyReadsBeforeHangup = 50;

InputEvent keypadDigit(int digit) { return InputEvent::keypad(digit); }

InputEvent controlKey(KeyCode code) {
    InputEvent e = InputEvent::special(code);
    e.ctrl = true;
    return e;
}
}  // namespace

std::unique_ptr<TerminalConsole> TerminalConsole::open(bool noColour) {
    std::unique_ptr<TerminalConsole> terminal(new TerminalConsole(noColour));
    if (!terminal->start()) return nullptr;
    defineKeypadKeys();
    return terminal;
}

// In application keypad mode (switched on with the keypad) the keypad
// sends ESC O and a letter: p..y for 0..9, k for +, m for -, M for Enter.
void TerminalConsole::defineKeypadKeys() {
    static const char* const digits[10] = {"\033Op", "\033Oq", "\033Or", "\033Os", "\033Ot",
                                           "\033Ou", "\033Ov", "\033Ow", "\033Ox", "\033Oy"};
    for (int d = 0; d < 10; ++d)
        if (key_defined(digits[d]) == 0) define_key(digits[d], kKeypadDigit0 + d);
    struct Named { const char* sequence; int code; };
    const Named others[] = {{"\033Ok", kKeypadPlus}, {"\033Om", kKeypadMinus}, {"\033OM", kKeypadEnter},
                            {"\033Oj", kKeypadOther}, {"\033Oo", kKeypadOther}, {"\033On", kKeypadOther},
                            {"\033OX", kKeypadOther}};
    for (const Named& key : others)
        if (key_defined(key.sequence) == 0) define_key(key.sequence, key.code);
}

InputEvent TerminalConsole::mouseEvent() {
    MEVENT mouse;
    if (getmouse(&mouse) != OK) return {};
    if (mouse.bstate & BUTTON4_PRESSED) return InputEvent::scrollWheel(120);
    if (mouse.bstate & BUTTON5_PRESSED) return InputEvent::scrollWheel(-120);
    if (mouse.bstate & BUTTON1_PRESSED) return InputEvent::click(mouse.x - left(), mouse.y);
    return {};
}

InputEvent TerminalConsole::translateKey(int status, unsigned key) {
    bool escaped = afterEscape_;
    afterEscape_ = false;
    if (status == KEY_CODE_YES) {
        int code = static_cast<int>(key);
        if (code >= kKeypadDigit0 && code <= kKeypadDigit0 + 9) return keypadDigit(code - kKeypadDigit0);
        switch (code) {
            case KEY_RESIZE: checkSize(); return {};
            case KEY_MOUSE: return mouseEvent();
            case KEY_BACKSPACE: return InputEvent::special(KeyCode::Backspace);
            case KEY_ENTER:
            case kKeypadEnter: return InputEvent::special(KeyCode::Enter);
            case kKeypadPlus: return InputEvent::special(KeyCode::KeypadPlus);
            case kKeypadMinus: return InputEvent::special(KeyCode::KeypadMinus);
            case KEY_PPAGE: return InputEvent::special(KeyCode::PageUp);
            case KEY_NPAGE: return InputEvent::special(KeyCode::PageDown);
            case KEY_UP: return InputEvent::special(KeyCode::ArrowUp);
            case KEY_DOWN: return InputEvent::special(KeyCode::ArrowDown);
            // Keypad keys some terminfo entries do name.
            case KEY_A1: return keypadDigit(7);
            case KEY_A3: return keypadDigit(9);
            case KEY_B2: return keypadDigit(5);
            case KEY_C1: return keypadDigit(1);
            case KEY_C3: return keypadDigit(3);
            case kAltF4: return InputEvent::special(KeyCode::AltF4);
            case KEY_F(4):
                if (escaped) return InputEvent::special(KeyCode::AltF4);
                return InputEvent::special(KeyCode::Other);
            default: return InputEvent::special(KeyCode::Other);
        }
    }
    switch (key) {
        case 3: return controlKey(KeyCode::CtrlC);
        case 12: redrawAll(); return {};  // Ctrl+L
        case 26:  // Ctrl+Z
            requestSuspend();
            followSignals();
            return {};
        case '\r':
        case '\n': return InputEvent::special(KeyCode::Enter);
        case 8:
        case 127: return InputEvent::special(KeyCode::Backspace);
        case 27: afterEscape_ = true; return InputEvent::special(KeyCode::Other);
        default: break;
    }
    if (key >= 32 && key < 127) return InputEvent::character(static_cast<char>(key));
    if (key < 32) return controlKey(KeyCode::Other);
    return InputEvent::special(KeyCode::Other);  // letters beyond ASCII have no place in a command
}

void TerminalConsole::discardTypeAhead() {
    std::lock_guard lock(mutex_);
    if (active_) dropTypedAhead();
}

void TerminalConsole::wake() { wakePipe_.wake(); }

InputEvent TerminalConsole::nextEvent(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    bool woken = false;
    while (true) {
        if (pendingStopSignal() != 0) return InputEvent::closed();
        const Look look = lookAtTerminal();
        if (look.closed) return InputEvent::closed();
        // While the notice is up the game waits; only Ctrl+C and Alt+F4 get through.
        const bool endsProgram = look.event.key == KeyCode::CtrlC || look.event.key == KeyCode::AltF4;
        if (look.event.type != InputEvent::Type::None && (!look.tooSmall || endsProgram)) return look.event;
        // Curses may hold more of what it read (the rest of a sequence it did
        // not know): take all of it before waiting on the terminal.
        if (look.gotKey) continue;
        if (woken) return {};
        int left = -1;
        if (timeoutMs >= 0) {
            left = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count());
            if (left <= 0) return {};
        }
        const Wait wait = waitForTerminal(left);
        if (wait == Wait::Closed) return InputEvent::closed();
        woken = wait == Wait::Woken;
    }
}

TerminalConsole::Look TerminalConsole::lookAtTerminal() {
    std::lock_guard lock(mutex_);
    Look look;
    if (!active_) {
        look.closed = true;
        return look;
    }
    followSignals();
    checkSize();
    if (takeResize()) {
        look.event = InputEvent::resized();
        return look;
    }
    wint_t key = 0;
    const int status = wget_wch(stdscr, &key);
    if (status != ERR) {
        look.gotKey = true;
        hangupReads_ = 0;
        if (status == KEY_CODE_YES) lateAnswers_.otherKey();
        if (status == KEY_CODE_YES || !lateAnswers_.drops(static_cast<unsigned>(key)))
            look.event = translateKey(status, static_cast<unsigned>(key));
    } else {
        // Keys typed ahead (a paste) are all taken before the screen
        // is drawn: it is drawn once, when there is nothing left to read.
        flush();
    }
    look.tooSmall = !fits();
    return look;
}

TerminalConsole::Wait TerminalConsole::waitForTerminal(int leftMs) {
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wakePipe_.readEnd(), POLLIN, 0}};
    const int ready = poll(fds, 2, leftMs);
    if (ready <= 0) return Wait::Again;  // a signal (a resize, say) or the time is up: look again
    if ((fds[1].revents & POLLIN) != 0) {
        // Woken (the end of play, a stop signal, a resize): one more look
        // at the terminal, then back to the caller, which asks again.
        wakePipe_.drain();
        return Wait::Woken;
    }
    if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return Wait::Closed;
    if (++hangupReads_ > kEmptyReadsBeforeHangup) return Wait::Closed;
    return Wait::Again;
}
