#include "console/TerminalConsole.h"

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

#include "console/Cp437.h"
#include "console/TerminalSignals.h"

namespace {
TerminalConsole* activeTerminal = nullptr;

// Console colours count blue as bit 0 and red as bit 2; terminals the other way round.
int toTerminalColour(int consoleColour) {
    return (consoleColour & 0x8) | ((consoleColour & 0x1) << 2) | (consoleColour & 0x2) | ((consoleColour & 0x4) >> 2);
}

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

constexpr const char* kMouseOff = "\033[?1000l\033[?1002l\033[?1003l\033[?1006l";

// What undoes our modes: the keypad back to numbers, mouse reporting off,
// plain colours, a visible cursor, the shell's own screen.
std::string resetSequence(bool withScreenSwitch) {
    std::string reset = capability("rmkx") + kMouseOff + capability("sgr0") + capability("cnorm");
    // A signal may come while the text area's scrolling region is set. Its
    // reset also homes the cursor: keep the cursor where it is, or the shell
    // would write over its own lines at the top.
    if (capability("csr").rfind("\033[", 0) == 0) reset += capability("sc") + "\033[r" + capability("rc");
    if (speaksXterm()) reset += "\033[23;0t";  // the title the terminal had before
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

std::unique_ptr<TerminalConsole> TerminalConsole::open() {
    std::unique_ptr<TerminalConsole> terminal(new TerminalConsole());
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
    idlok(stdscr, FALSE);  // the text area's scrolling is done by scrollBlock
    set_escdelay(25);
    defineKeypadKeys();
    mousemask(BUTTON1_PRESSED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
    mouseinterval(0);
    if (has_colors()) start_color();
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
    mousemask(0, nullptr);
    keypad(stdscr, FALSE);
    endwin();
    std::fflush(stdout);
    std::string reset = resetSequence(false);
    // Without an alternate screen (TERM=linux, vt100) the frame would stay
    // behind, the shell's prompt inside it: clear what was drawn.
    if (capability("rmcup").empty()) reset += capability("clear");
    writeAll(reset);
    delscreen(static_cast<SCREEN*>(screen_));
}

void restoreActiveTerminal() {
    if (activeTerminal) activeTerminal->restore();
}

void TerminalConsole::drawCell(int x, int y) {
    if (!active_ || !fits_) return;
    cchar_t shown;
    toCurses(grid_.cell(x, y), &shown);
    mvadd_wch(y, x + left_, &shown);
    dirty_ = true;
}

void TerminalConsole::toCurses(const ScreenCell& cell, void* shownCell) {
    int fg = toTerminalColour(cell.attr & 0x0F);
    int bg = toTerminalColour((cell.attr >> 4) & 0x0F);
    attr_t style = A_NORMAL;
    short pair = 0;
    if (!has_colors()) {
        if (bg != 0) style |= A_REVERSE;
        else if (fg & 0x8) style |= A_BOLD;
    } else {
        if (COLORS < 16) {
            // Eight colours: bright foregrounds in bold, backgrounds lose their brightness.
            if (fg & 0x8) style |= A_BOLD;
            fg &= 0x7;
            bg &= 0x7;
        }
        short& slot = pairs_[static_cast<std::size_t>(fg)][static_cast<std::size_t>(bg)];
        if (slot == 0 && nextPair_ < COLOR_PAIRS && init_pair(nextPair_, static_cast<short>(fg), static_cast<short>(bg)) == OK)
            slot = nextPair_++;
        pair = slot;
    }
    wchar_t glyph[2] = {static_cast<wchar_t>(cp437ToUnicode(cell.ch)), L'\0'};
    setcchar(static_cast<cchar_t*>(shownCell), glyph, style, pair, nullptr);
}

void TerminalConsole::drawDirtyRows() {
    if (!active_ || !fits_) return;
    for (int y = 0; y < grid_.rows(); ++y)
        if (grid_.rowDirty(y))
            for (int x = 0; x < kScreenWidth; ++x) drawCell(x, y);
    grid_.clearDirty();
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
    shownLines_ = LINES;
    shownCols_ = COLS;
    fits_ = fits;
    left_ = fits_ ? (COLS - kScreenWidth) / 2 : 0;  // a wider terminal centres the frame
    if (fits_) {
        erase();
        clearok(stdscr, TRUE);
        // The screen fills the terminal's height: at a new one it starts
        // blank and the game draws it again; else it comes back as it was.
        const int height = layoutForHeight(LINES).height;
        if (height != grid_.rows()) {
            grid_.resize(height);
            resized_ = true;
        }
        grid_.markAllDirty();
    } else {
        showSizeNotice();
    }
}

void TerminalConsole::flush() {
    drawDirtyRows();
    if (!active_ || !dirty_) return;
    if (fits_) move(cursorY_, cursorX_ + left_);
    refresh();
    dirty_ = false;
}

void TerminalConsole::writeChars(int x, int y, const char* text, int length) {
    std::lock_guard lock(mutex_);
    grid_.writeChars(x, y, text, length);
}

// Moves the rows y..y+h-1 up on the terminal itself (a scrolling region
// and index), then the same in curses' picture of the terminal and in the
// windows, so the next refresh sends only the rows that came in. False when
// the terminal has no scrolling region. Nothing but the cells that differ
// is marked changed afterwards: curses' line hashes still describe the
// rows before the move, and a changed row would set curses guessing at a
// scroll of its own.
bool TerminalConsole::scrollBlock(int x, int y, int w, int h, int rows) {
    const int bottom = y + h - 1;
    std::string region = capability("csr");
    std::string index = capability("ind");
    std::string keep = capability("sc");
    std::string back = capability("rc");
    std::string move = capability("cup");
    if (region.empty() || index.empty() || keep.empty() || back.empty() || move.empty()) return false;
    flush();  // the terminal shows all curses holds, and the move starts from there
    // Where the terminal fills the rows that come in with the background
    // colour (bce), it fills them black, as blank text is: curses then
    // need not blank them again.
    const std::string background = capability("setab");
    // Not beside a centred frame: the blank margins keep the terminal's own colour.
    const bool blackRows = tigetflag("bce") > 0 && !background.empty() && has_colors() && COLS == kScreenWidth;
    std::string bytes = keep;  // the cursor and colours curses left, back afterwards
    if (blackRows) bytes += tiparm(background.c_str(), 0);
    else bytes += capability("sgr0");  // blank in the terminal's own colours, as curses expects
    bytes += tiparm(region.c_str(), y, bottom);
    bytes += tiparm(move.c_str(), bottom, 0);
    for (int i = 0; i < rows; ++i) bytes += index;
    bytes += tiparm(region.c_str(), 0, LINES - 1);
    bytes += back;
    writeAll(bytes);
    // The terminal, the screen curses means to show and the window.
    for (WINDOW* window : {curscr, newscr, stdscr}) {
        wsetscrreg(window, y, bottom);
        scrollok(window, TRUE);
        wscrl(window, rows);
        scrollok(window, FALSE);
        wsetscrreg(window, 0, LINES - 1);
    }
    untouchwin(newscr);
    untouchwin(stdscr);
    if (blackRows) {
        // Curses' picture of the terminal learns the rows came in black;
        // its idea of where the cursor is stays as it was.
        cchar_t blank;
        toCurses(ScreenCell{' ', 0x00}, &blank);
        int cursorRow = 0;
        int cursorColumn = 0;
        getyx(curscr, cursorRow, cursorColumn);
        for (int row = bottom - rows + 1; row <= bottom; ++row)
            for (int col = 0; col < COLS; ++col) mvwadd_wch(curscr, row, col, &blank);
        wmove(curscr, cursorRow, cursorColumn);
    }
    // The frame beside the block moved too: put back what differs.
    for (int row = y; row <= bottom; ++row)
        for (int col = 0; col < kScreenWidth; ++col) {
            if (col >= x && col < x + w) continue;
            const ScreenCell wanted = grid_.cell(col, row);
            const ScreenCell shown = grid_.cell(col, row + rows);
            if (row + rows > bottom || shown.ch != wanted.ch || shown.attr != wanted.attr) drawCell(col, row);
        }
    dirty_ = true;
    return true;
}

void TerminalConsole::scrollUp(int x, int y, int w, int h, int rows) {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || rows <= 0 || x + w > kScreenWidth || y + h > grid_.rows()) return;
    if (rows > h) rows = h;
    // Whole rows move on the terminal; a block narrower than the screen is
    // still worth it, as only the frame beside it is drawn again.
    const bool moved = rows < h && active_ && fits_ && scrollBlock(x, y, w, h, rows);
    grid_.scrollUp(x, y, w, h, rows);
    if (!moved) grid_.markRowsDirty(y, h);  // the rows are drawn again where they are now
}

void TerminalConsole::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    std::lock_guard lock(mutex_);
    grid_.writeCells(x, y, w, h, cells);
}

std::uint8_t TerminalConsole::readChar(int x, int y) {
    std::lock_guard lock(mutex_);
    return grid_.cell(x, y).ch;
}

void TerminalConsole::fillChars(int x, int y, std::uint8_t ch, int count) {
    std::lock_guard lock(mutex_);
    grid_.fillChars(x, y, ch, count);
}

void TerminalConsole::fillAttrs(int x, int y, std::uint16_t attr, int count) {
    std::lock_guard lock(mutex_);
    grid_.fillAttrs(x, y, attr, count);
}

void TerminalConsole::setCursor(int x, int y) {
    std::lock_guard lock(mutex_);
    cursorX_ = x;
    cursorY_ = y;
    dirty_ = true;
}

int TerminalConsole::cursorX() {
    std::lock_guard lock(mutex_);
    return cursorX_;
}

int TerminalConsole::cursorY() {
    std::lock_guard lock(mutex_);
    return cursorY_;
}

void TerminalConsole::setTitle(const char* title) {
    std::lock_guard lock(mutex_);
    if (!active_ || !speaksXterm()) return;
    refresh();  // what curses holds goes out first
    writeAll(std::string("\033]0;") + title + "\007");
}

int TerminalConsole::rows() {
    std::lock_guard lock(mutex_);
    return grid_.rows();
}

void TerminalConsole::present() {
    std::lock_guard lock(mutex_);
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
