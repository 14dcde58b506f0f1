#pragma once
// An 80-column screen in memory (50 rows unless resized) with scripted input, for tests.
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "base/LockOrder.h"
#include "console/CellGrid.h"
#include "console/Console.h"

class MemoryConsole : public Console {
public:
    MemoryConsole();

    void writeChars(int x, int y, const char* text, int length) override;
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells) override;
    void scrollUp(int x, int y, int w, int h, int rows) override;
    void setCursor(int x, int y) override;
    void setTitle(const char* title) override;
    int rows() override;
    InputEvent nextEvent(int timeoutMs) override;
    void beep(int frequency, int durationMs) override;
    void sleepMs(int ms) override;

    // Test helpers.
    // A blank screen of this many rows, as a terminal shows after a resize.
    void resize(int rows);
    // Cells without colour, as the terminal draws them for NO_COLOR.
    void setMonochrome(bool on);
    // A resize to come in turn with the other events: when its Resize event
    // is read, the screen takes the new height first, as a terminal's does.
    void pushResize(int rows);
    ScreenCell cell(int x, int y) const;
    int cursorX() const;
    int cursorY() const;
    std::string rowText(int y, int fromX = 0, int toX = kScreenWidth) const;  // trailing blanks trimmed
    void pushEvent(const InputEvent& e);
    void typeText(const std::string& text, bool enter = true);
    void clearInput();
    std::string title() const;
    int beepCount() const;
    int sleptMs() const;

private:
    mutable RankedMutex<LockRank::BackEnd> mutex_;
    CellGrid grid_;
    std::deque<InputEvent> input_;
    std::deque<int> resizes_;  // the heights of the Resize events queued
    int cursorX_ = 0;
    int cursorY_ = 0;
    std::string title_;
    int beeps_ = 0;
    int slept_ = 0;
};
