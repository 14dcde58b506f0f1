#include "web/WebConsole.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "terminal/TerminalCodes.h"
#include "web/KeyDecoder.h"

namespace {
// xterm.js: 256 colours, erases in the background colour, waits to wrap
// at the last column; it keeps no left and right margins, so the text
// area scrolls whole rows and the frame beside it is painted again.
TerminalAbilities xtermJsAbilities() {
    TerminalAbilities abilities;
    abilities.colours = true;
    abilities.colourCount = 256;
    abilities.backgroundColourErase = true;
    abilities.lastCellSafe = true;
    abilities.columnMargins = false;
    return abilities;
}

// Plain colours, the screen cleared, the cursor home.
constexpr const char* kClear = "\033(B\033[m\033[H\033[2J";

std::string sizeNotice(int columns, int lines) {
    char actual[64];
    std::snprintf(actual, sizeof actual, "This one is %d x %d.", columns, lines);
    const std::string notice[] = {"Brinefall needs a window of 80 x 24 characters.", actual,
                                  "Please make it larger."};
    std::string bytes = kClear;
    const int top = std::max(0, (lines - 3) / 2);
    for (int i = 0; i < 3; ++i) {
        const int length = static_cast<int>(notice[i].size());
        const int left = columns > length ? (columns - length) / 2 : 0;
        bytes += "\033[" + std::to_string(top + i + 1) + ";" + std::to_string(left + 1) + "H" + notice[i];
    }
    return bytes;
}
}  // namespace

WebConsole::WebConsole(int columns, int lines, Sink sink)
    : sink_(std::move(sink)), painter_(xtermJsAbilities(), xtermCodes()), columns_(columns), lines_(lines) {
    std::lock_guard lock(mutex_);
    applySize();
    resized_ = false;  // the game lays its screen out for rows() when it sets it up
}

void WebConsole::applySize() {
    int columns, lines;
    {
        std::lock_guard input(inputMutex_);
        columns = columns_;
        lines = lines_;
    }
    if (columns == shownColumns_ && lines == shownLines_) return;
    shownColumns_ = columns;
    shownLines_ = lines;
    fits_ = columns >= kScreenWidth && lines >= kMinScreenHeight;
    if (!fits_) {
        sink_(sizeNotice(columns, lines));
        return;
    }
    // The page's terminal starts blank at its new size; the screen as it
    // was is painted again on it, or, at a new height, drawn again by the
    // game once it hears of the resize.
    sink_(kClear);
    const int left = (columns - kScreenWidth) / 2;  // a wider window centres the frame
    painter_.forget(left, lines, columns);
    const int height = layoutForHeight(lines).height;
    if (height != grid_.rows()) {
        grid_.resize(height);
        resized_ = true;
    }
}

void WebConsole::flush() {
    applySize();
    if (!fits_) return;
    painter_.paint(grid_, cursorX_, cursorY_);
    grid_.clearDirty();
    std::string bytes = painter_.takeBytes();
    if (!bytes.empty()) sink_(bytes);
}

void WebConsole::writeChars(int x, int y, const char* text, int length) {
    std::lock_guard lock(mutex_);
    grid_.writeChars(x, y, text, length);
}

void WebConsole::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    std::lock_guard lock(mutex_);
    grid_.writeCells(x, y, w, h, cells);
}

void WebConsole::scrollUp(int x, int y, int w, int h, int rows) {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || rows <= 0 || x + w > kScreenWidth || y + h > grid_.rows()) return;
    rows = std::min(rows, h);
    if (fits_ && painter_.scrollWaiting()) flush();  // one scroll waits for the paint at a time
    const bool moved = rows < h && fits_ && painter_.scrollBlock(x, y, w, h, rows);
    grid_.scrollUp(x, y, w, h, rows);
    if (!moved) grid_.markRowsDirty(y, h);
}

void WebConsole::setCursor(int x, int y) {
    std::lock_guard lock(mutex_);
    cursorX_ = x;
    cursorY_ = y;
}

void WebConsole::setTitle(const char* title) {
    std::lock_guard lock(mutex_);
    flush();  // what was drawn goes out first
    sink_(std::string("\033]0;") + title + "\007");
}

int WebConsole::rows() {
    std::lock_guard lock(mutex_);
    return grid_.rows();
}

void WebConsole::present() {
    std::lock_guard lock(mutex_);
    flush();
}

void WebConsole::beep(int /*frequency*/, int durationMs) {
    sink_("\a");
    sleepMs(durationMs);
}

void WebConsole::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void WebConsole::discardTypeAhead() {
    std::lock_guard input(inputMutex_);
    bytes_.clear();
}

void WebConsole::typed(const std::string& bytes) {
    {
        std::lock_guard input(inputMutex_);
        bytes_ += bytes;
    }
    inputReady_.notify_all();
}

void WebConsole::resize(int columns, int lines) {
    {
        std::lock_guard input(inputMutex_);
        columns_ = columns;
        lines_ = lines;
    }
    inputReady_.notify_all();
}

void WebConsole::wake() {
    {
        std::lock_guard input(inputMutex_);
        woken_ = true;
    }
    inputReady_.notify_all();
}

InputEvent WebConsole::nextEvent(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    while (true) {
        bool tooSmall;
        {
            std::lock_guard lock(mutex_);
            flush();
            if (resized_ && fits_) {
                resized_ = false;
                return InputEvent::resized();
            }
            tooSmall = !fits_;
        }
        std::unique_lock input(inputMutex_);
        while (!bytes_.empty()) {
            const InputEvent event = takeKey(bytes_);
            // While the size notice is up the game waits and its keys are dropped.
            if (event.type != InputEvent::Type::None && !tooSmall) return event;
        }
        if (woken_) {
            woken_ = false;
            return {};
        }
        const int columns = columns_;
        const int lines = lines_;
        const auto changed = [&] { return !bytes_.empty() || woken_ || columns_ != columns || lines_ != lines; };
        if (timeoutMs < 0) {
            inputReady_.wait(input, changed);
        } else if (!inputReady_.wait_until(input, deadline, changed)) {
            return {};
        }
    }
}
