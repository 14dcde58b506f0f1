#include "terminal/TerminalScreen.h"

#include <curses.h>
#include <sys/ioctl.h>
#include <term.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "base/Files.h"
#include "terminal/TerminalCodes.h"
#include "terminal/TerminalQuery.h"
#include "terminal/TerminalSignals.h"

namespace {
// The one terminal of the process, for the signal hooks to find; console/'s
// runtime state knows only the Console interface.
TerminalScreen* activeTerminal = nullptr;

std::string capability(const char* name) { return cursesCodes().get(name); }

// Terminals known to take the xterm title and resize sequences.
bool speaksXterm() {
    const char* term = std::getenv("TERM");
    if (term == nullptr) return false;
    for (const char* family : {"xterm", "screen", "tmux", "rxvt", "alacritty", "kitty", "foot", "wezterm", "vte", "konsole", "gnome"})
        if (std::strncmp(term, family, std::strlen(family)) == 0) return true;
    return false;
}

constexpr mmask_t kMouseEvents = BUTTON1_PRESSED | BUTTON4_PRESSED | BUTTON5_PRESSED;
constexpr const char* kMouseOff = "\033[?1000l\033[?1002l\033[?1003l\033[?1006l";

// What undoes our modes: the keypad back to numbers, mouse reporting off,
// plain colours, a visible cursor, the shell's own screen.
std::string resetSequence(bool withScreenSwitch) {
    std::string reset = capability("rmkx") + kMouseOff + capability("sgr0") + capability("cnorm");
    // A signal may come while the text area's scrolling region is set. Its
    // reset also homes the cursor: keep the cursor where it is, or the shell
    // would write over its own lines at the top.
    if (capability("csr").rfind("\033[", 0) == 0) reset += capability("sc") + "\033[r" + capability("rc");
    if (speaksXterm()) reset += "\033[?69l\033[23;0t";  // no left and right margins; the title the terminal had before
    if (withScreenSwitch) {
        std::string leave = capability("rmcup");
        reset += leave.empty() ? capability("clear") : leave;
    }
    return reset;
}

}  // namespace

bool TerminalScreen::start() {
    if (!startCurses()) return false;
    std::unique_ptr<TerminalPainter> painter = std::make_unique<TerminalPainter>(readAbilities());
    if (noColour_) paintInMonochrome();
    startPainting(std::move(painter));
    installTerminalSignalHandlers(resetSequence(true));
    wakeOnSignals(wakePipe_.writeEnd());
    if (speaksXterm()) {
        refresh();
        send("\033[22;0t");  // keep the terminal's title to give it back
    }
    checkSize();
    if (!fits()) askForSize();
    takeResize();  // the game lays its screen out for rows() when it sets it up
    flush();
    return true;
}

bool TerminalScreen::startCurses() {
    // The glyphs need a UTF-8 locale; fall back to one when the environment names none.
    std::setlocale(LC_ALL, "");
    if (MB_CUR_MAX == 1) std::setlocale(LC_CTYPE, "C.UTF-8");
    saveTerminalModes();
    SCREEN* screen = newterm(nullptr, stdout, stdin);
    if (screen == nullptr) return false;
    if (capability("cup").empty()) {
        // A terminal that cannot place the cursor (TERM=dumb) would show
        // a broken frame: the plain front end serves it instead.
        endwin();
        delscreen(screen);
        return false;
    }
    screen_ = screen;
    active_ = true;
    activeTerminal = this;
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(25);
    mousemask(kMouseEvents, nullptr);
    mouseinterval(0);
    return true;
}

TerminalAbilities TerminalScreen::readAbilities() {
    const bool colours = has_colors() && !noColour_;
    if (colours) start_color();
    TerminalAbilities abilities;
    abilities.colours = colours;
    abilities.colourCount = COLORS;
    abilities.backgroundColourErase = tigetflag("bce") > 0 && !capability("setab").empty();
    abilities.lastCellSafe = tigetflag("am") <= 0 || tigetflag("xenl") > 0;
    if (speaksXterm() && isatty(STDIN_FILENO)) {
        TerminalAnswers answers = askTerminal(STDIN_FILENO, STDOUT_FILENO, kAnswerWaitMs);
        abilities.columnMargins = answers.columnMargins;
        // Keys typed while the terminal answered go back in, the last first.
        for (auto key = answers.typedAhead.rbegin(); key != answers.typedAhead.rend(); ++key)
            ungetch(static_cast<unsigned char>(*key));
    }
    return abilities;
}

void TerminalScreen::askForSize() {
    if (!speaksXterm()) return;
    // Ask for the size we need and give the terminal a moment to answer.
    send("\033[8;" + std::to_string(std::max(LINES, kMinScreenHeight)) + ";" +
         std::to_string(std::max(COLS, kScreenWidth)) + "t");
    for (int i = 0; i < 10 && !fits(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        checkSize();
    }
}

TerminalScreen::~TerminalScreen() { restore(); }

void TerminalScreen::restore() {
    std::lock_guard lock(mutex_);
    if (!active_) return;
    active_ = false;
    if (activeTerminal == this) activeTerminal = nullptr;
    wakeOnSignals(-1);
    leaveCurses(resetSequence(false));
    delscreen(static_cast<SCREEN*>(screen_));
}

void TerminalScreen::leaveCurses(const std::string& resetBytes) {
    leaveRegion();
    mousemask(0, nullptr);
    keypad(stdscr, FALSE);
    endwin();
    std::fflush(stdout);
    std::string reset = resetBytes;
    // Without an alternate screen (TERM=linux, vt100) the frame would stay
    // behind, the shell's prompt inside it: clear what was drawn.
    if (capability("rmcup").empty()) reset += capability("clear");
    send(reset);
}

// Ctrl+Z or a SIGTSTP: the shell gets its terminal back as it was, the
// process stops (the clock with it), and on "fg" the screen comes back whole.
void TerminalScreen::suspend() {
    leaveCurses(resetSequence(false));
    stopUntilContinued();
    refresh();  // curses takes the terminal again
    keypad(stdscr, TRUE);
    mousemask(kMouseEvents, nullptr);
    if (speaksXterm()) send("\033[22;0t\033]0;" + title_ + "\007");
    takeRedrawRequest();  // the continue's redraw is this one
    redrawAll();
}

// A resize that came back to the same size, a job that ran while the game
// was stopped: the whole screen is painted again.
void TerminalScreen::redrawAll() {
    forgetShownSize();
    checkSize();
}

void TerminalScreen::followSignals() {
    if (!active_) return;
    if (takeSuspendRequest()) suspend();
    if (takeRedrawRequest()) redrawAll();
}

void restoreActiveTerminal() {
    if (activeTerminal) activeTerminal->restore();
}

void TerminalScreen::checkSize() {
    if (!active_) return;
    struct winsize size;
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0 &&
        (size.ws_row != LINES || size.ws_col != COLS))
        resizeterm(size.ws_row, size.ws_col);
    showSize(COLS, LINES);
}

// Curses clears the terminal, and so knows it blank: it never draws over
// what the painter writes next. The cursor goes home first: curses takes
// it to be where curses left it, and would start its clearing wherever
// the painter left it instead.
void TerminalScreen::clearTerminal() {
    send(cursesCodes().get("cup", 0, 0));
    erase();
    clearok(stdscr, TRUE);
    refresh();
}

void TerminalScreen::dropTypedAhead() { flushinp(); }

void TerminalScreen::send(const std::string& bytes) { writeAll(STDOUT_FILENO, bytes); }

void TerminalScreen::setTitle(const char* title) {
    std::lock_guard lock(mutex_);
    title_ = title;
    if (active_ && speaksXterm()) sendTitle(title_);
}

void TerminalScreen::present() {
    std::lock_guard lock(mutex_);
    followSignals();
    flush();
}

void TerminalScreen::beep(int /*frequency*/, int durationMs) {
    {
        std::lock_guard lock(mutex_);
        if (active_) ::beep();
    }
    sleepMs(durationMs);
}
