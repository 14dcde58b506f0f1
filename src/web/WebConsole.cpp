#include "web/WebConsole.h"

#include <algorithm>
#include <chrono>
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
}  // namespace

WebConsole::WebConsole(int columns, int lines, Sink sink)
    : sink_(std::move(sink)), columns_(columns), lines_(lines) {
    std::lock_guard lock(mutex_);
    active_ = true;
    startPainting(std::make_unique<TerminalPainter>(xtermJsAbilities(), xtermCodes()));
    followSize();
    takeResize();  // the game lays its screen out for rows() when it sets it up
}

void WebConsole::followSize() {
    int columns, lines;
    {
        std::lock_guard input(inputMutex_);
        columns = columns_;
        lines = lines_;
    }
    showSize(columns, lines);
}

// The page's terminal starts blank at its new size.
void WebConsole::clearTerminal() { send(kClear); }

void WebConsole::setTitle(const char* title) {
    std::lock_guard lock(mutex_);
    sendTitle(title);
}

void WebConsole::present() {
    std::lock_guard lock(mutex_);
    flush();
}

void WebConsole::beep(int /*frequency*/, int durationMs) {
    sink_("\a");
    sleepMs(durationMs);
}

void WebConsole::discardTypeAhead() {
    std::lock_guard lock(mutex_);
    dropTypedAhead();
}

void WebConsole::dropTypedAhead() {
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
            if (takeResize()) return InputEvent::resized();
            tooSmall = !fits();
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
