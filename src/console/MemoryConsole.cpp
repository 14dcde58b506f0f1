#include "console/MemoryConsole.h"

MemoryConsole::MemoryConsole() = default;

void MemoryConsole::writeChars(int x, int y, const char* text, int length) {
    std::lock_guard lock(mutex_);
    grid_.writeChars(x, y, text, length);
}

void MemoryConsole::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    std::lock_guard lock(mutex_);
    grid_.writeCells(x, y, w, h, cells);
}

void MemoryConsole::scrollUp(int x, int y, int w, int h, int rows) {
    std::lock_guard lock(mutex_);
    grid_.scrollUp(x, y, w, h, rows);
}

void MemoryConsole::setCursor(int x, int y) {
    std::lock_guard lock(mutex_);
    cursorX_ = x;
    cursorY_ = y;
}
int MemoryConsole::cursorX() const { std::lock_guard lock(mutex_); return cursorX_; }
int MemoryConsole::cursorY() const { std::lock_guard lock(mutex_); return cursorY_; }
void MemoryConsole::setTitle(const char* title) { std::lock_guard lock(mutex_); title_ = title; }
void MemoryConsole::setMonochrome(bool on) {
    std::lock_guard lock(mutex_);
    grid_.setMonochrome(on);
}

int MemoryConsole::rows() { std::lock_guard lock(mutex_); return grid_.rows(); }

void MemoryConsole::resize(int rows) {
    std::lock_guard lock(mutex_);
    grid_.resize(rows);
}

InputEvent MemoryConsole::nextEvent(int /*timeoutMs*/) {
    std::lock_guard lock(mutex_);
    // A script that has run out behaves like a closed input: nothing waits forever.
    if (input_.empty()) return InputEvent::closed();
    InputEvent e = input_.front();
    input_.pop_front();
    if (e.type == InputEvent::Type::Resize && !resizes_.empty()) {
        grid_.resize(resizes_.front());
        resizes_.pop_front();
    }
    return e;
}

void MemoryConsole::beep(int, int) { std::lock_guard lock(mutex_); ++beeps_; }
void MemoryConsole::sleepMs(int ms) { std::lock_guard lock(mutex_); slept_ += ms; }

ScreenCell MemoryConsole::cell(int x, int y) const {
    std::lock_guard lock(mutex_);
    return grid_.cell(x, y);
}

std::string MemoryConsole::rowText(int y, int fromX, int toX) const {
    std::string s;
    for (int x = fromX; x < toX; ++x) s += static_cast<char>(cell(x, y).ch);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

void MemoryConsole::pushEvent(const InputEvent& e) { std::lock_guard lock(mutex_); input_.push_back(e); }

void MemoryConsole::pushResize(int rows) {
    std::lock_guard lock(mutex_);
    input_.push_back(InputEvent::resized());
    resizes_.push_back(rows);
}

void MemoryConsole::typeText(const std::string& text, bool enter) {
    for (char c : text) pushEvent(InputEvent::character(c));
    if (enter) pushEvent(InputEvent::special(KeyCode::Enter));
}

void MemoryConsole::clearInput() {
    std::lock_guard lock(mutex_);
    input_.clear();
    resizes_.clear();
}
std::string MemoryConsole::title() const { std::lock_guard lock(mutex_); return title_; }
int MemoryConsole::beepCount() const { std::lock_guard lock(mutex_); return beeps_; }
int MemoryConsole::sleptMs() const { std::lock_guard lock(mutex_); return slept_; }
