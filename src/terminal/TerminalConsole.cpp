#include "terminal/TerminalConsole.h"

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

#include "terminal/TerminalPainter.h"
#include "terminal/TerminalQuery.h"
#include "terminal/TerminalSignals.h"

namespace {
// The one terminal of the process, for the signal hooks to find; console/'s
// runtime state knows only the Console interface.
TerminalConsole* activeTerminal = nullptr;

std::string capability(const char* name) {
    const char* s = tigetstr(name);
    if (s == nullptr || s == reinterpret_cast<const char*>(-1)) return {};
    return s;
}

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

void writeAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}
}  // namespace

std::unique_ptr<TerminalConsole> TerminalConsole::open(bool noColour) {
    std::unique_ptr<TerminalConsole> terminal(new TerminalConsole());
    terminal->noColour_ = noColour;
    terminal->grid_.setMonochrome(noColour);
    if (!terminal->start()) return nullptr;
    return terminal;
}

bool TerminalConsole::start() {
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
    defineKeypadKeys();
    mousemask(kMouseEvents, nullptr);
    mouseinterval(0);
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
    painter_ = std::make_unique<TerminalPainter>(abilities);
    grid_.clear();
    installTerminalSignalHandlers(resetSequence(true));
    wakeOnSignals(wakePipe_.writeEnd());
    if (speaksXterm()) {
        refresh();
        writeAll("\033[22;0t");  // keep the terminal's title to give it back
    }

    checkSize();
    if (!fits_ && speaksXterm()) {
        // Ask for the size we need and give the terminal a moment to answer.
        const std::string request = "\033[8;" + std::to_string(std::max(LINES, kMinScreenHeight)) + ";" +
                                    std::to_string(std::max(COLS, kScreenWidth)) + "t";
        writeAll(request);
        for (int i = 0; i < 10 && !fits_; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            checkSize();
        }
    }
    resized_ = false;  // the game lays its screen out for rows() when it sets it up
    flush();
    return true;
}

TerminalConsole::~TerminalConsole() { restore(); }

void TerminalConsole::restore() {
    std::lock_guard lock(mutex_);
    if (!active_) return;
    active_ = false;
    if (activeTerminal == this) activeTerminal = nullptr;
    wakeOnSignals(-1);
    leaveCurses(resetSequence(false));
    delscreen(static_cast<SCREEN*>(screen_));
}

void TerminalConsole::leaveCurses(const std::string& resetBytes) {
    painter_->leaveRegion();
    writeAll(painter_->takeBytes());
    mousemask(0, nullptr);
    keypad(stdscr, FALSE);
    endwin();
    std::fflush(stdout);
    std::string reset = resetBytes;
    // Without an alternate screen (TERM=linux, vt100) the frame would stay
    // behind, the shell's prompt inside it: clear what was drawn.
    if (capability("rmcup").empty()) reset += capability("clear");
    writeAll(reset);
}

// Ctrl+Z or a SIGTSTP: the shell gets its terminal back as it was, the
// process stops (the clock with it), and on "fg" the screen comes back whole.
void TerminalConsole::suspend() {
    leaveCurses(resetSequence(false));
    stopUntilContinued();
    refresh();  // curses takes the terminal again
    keypad(stdscr, TRUE);
    mousemask(kMouseEvents, nullptr);
    if (speaksXterm()) writeAll("\033[22;0t\033]0;" + title_ + "\007");
    takeRedrawRequest();  // the continue's redraw is this one
    redrawAll();
}

// The terminal may show anything now (a resize that came back to the same
// size, a job that ran while the game was stopped): paint it all again.
void TerminalConsole::redrawAll() {
    shownLines_ = -1;
    checkSize();
}

void TerminalConsole::followSignals() {
    if (!active_) return;
    if (takeSuspendRequest()) suspend();
    if (takeRedrawRequest()) redrawAll();
}

void restoreActiveTerminal() {
    if (activeTerminal) activeTerminal->restore();
}

void TerminalConsole::showSizeNotice() {
    erase();
    char actual[64];
    std::snprintf(actual, sizeof actual, "This one is %d x %d.", COLS, LINES);
    const char* notice[] = {"Brinefall needs a window of 80 x 24 characters.", actual,
                           "Please make it larger."};
    int top = (LINES - 3) / 2;
    for (int i = 0; i < 3; ++i) {
        int length = static_cast<int>(std::strlen(notice[i]));
        int left = COLS > length ? (COLS - length) / 2 : 0;
        mvaddnstr(top + i < 0 ? 0 : top + i, left, notice[i], COLS);
    }
    dirty_ = true;
}

void TerminalConsole::checkSize() {
    if (!active_) return;
    struct winsize size;
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0 &&
        (size.ws_row != LINES || size.ws_col != COLS))
        resizeterm(size.ws_row, size.ws_col);
    bool fits = LINES >= kMinScreenHeight && COLS >= kScreenWidth;
    if (fits == fits_ && LINES == shownLines_ && COLS == shownCols_) return;
    painter_->leaveRegion();  // curses clears and may draw: the whole screen is its own again
    writeAll(painter_->takeBytes());
    shownLines_ = LINES;
    shownCols_ = COLS;
    fits_ = fits;
    left_ = fits_ ? (COLS - kScreenWidth) / 2 : 0;  // a wider terminal centres the frame
    if (fits_) {
        // Curses clears the terminal, and the screen as it was (frame,
        // scrollback view and input row) is painted again on it. The screen
        // fills the terminal's height: at a new one it starts blank, and
        // the game, told of the resize, draws it all again.
        erase();
        clearok(stdscr, TRUE);
        refresh();
        painter_->forget(left_, LINES, COLS);
        const int height = layoutForHeight(LINES).height;
        if (height != grid_.rows()) {
            grid_.resize(height);
            resized_ = true;
        }
    } else {
        showSizeNotice();
    }
}

void TerminalConsole::flush() {
    if (!active_) return;
    if (!fits_) {
        if (dirty_) refresh();  // the size notice, which curses draws
        dirty_ = false;
        return;
    }
    painter_->paint(grid_, cursorX_, cursorY_);
    grid_.clearDirty();
    writeAll(painter_->takeBytes());
}

void TerminalConsole::writeChars(int x, int y, const char* text, int length) {
    std::lock_guard lock(mutex_);
    grid_.writeChars(x, y, text, length);
}

void TerminalConsole::scrollUp(int x, int y, int w, int h, int rows) {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || rows <= 0 || x + w > kScreenWidth || y + h > grid_.rows()) return;
    if (rows > h) rows = h;
    // Whole rows move on the terminal where it cannot keep to the block's
    // columns; still worth it, as only the frame beside it is painted again.
    if (active_ && fits_ && painter_->scrollWaiting()) flush();  // one scroll waits for the paint at a time
    const bool moved = rows < h && active_ && fits_ && painter_->scrollBlock(x, y, w, h, rows);
    grid_.scrollUp(x, y, w, h, rows);
    if (!moved) grid_.markRowsDirty(y, h);  // the rows are drawn again where they are now
}

void TerminalConsole::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    std::lock_guard lock(mutex_);
    grid_.writeCells(x, y, w, h, cells);
}

void TerminalConsole::setCursor(int x, int y) {
    std::lock_guard lock(mutex_);
    cursorX_ = x;
    cursorY_ = y;
}

void TerminalConsole::setTitle(const char* title) {
    std::lock_guard lock(mutex_);
    title_ = title;
    if (!active_ || !speaksXterm()) return;
    flush();  // what was drawn goes out first
    writeAll(std::string("\033]0;") + title + "\007");
}

int TerminalConsole::rows() {
    std::lock_guard lock(mutex_);
    return grid_.rows();
}

void TerminalConsole::present() {
    std::lock_guard lock(mutex_);
    followSignals();
    flush();
}

void TerminalConsole::beep(int /*frequency*/, int durationMs) {
    {
        std::lock_guard lock(mutex_);
        if (active_) ::beep();
    }
    sleepMs(durationMs);
}

void TerminalConsole::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
