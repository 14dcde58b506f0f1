#pragma once
// The game in a page: the screen drawn by the terminal painter into the
// page's terminal (xterm.js takes the bytes a real xterm takes), the keys
// read from the bytes the page sends, the size the page reports. Nothing
// here knows the browser: the page's side hands bytes in through typed()
// and resize(), and takes the bytes to show from the sink.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "base/LockOrder.h"
#include "console/CellGrid.h"
#include "console/Console.h"
#include "terminal/TerminalPainter.h"

class WebConsole : public Console {
public:
    using Sink = std::function<void(const std::string& bytes)>;
    WebConsole(int columns, int lines, Sink sink);

    void writeChars(int x, int y, const char* text, int length) override;
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells) override;
    void scrollUp(int x, int y, int w, int h, int rows) override;
    void setCursor(int x, int y) override;
    void setTitle(const char* title) override;
    int rows() override;
    InputEvent nextEvent(int timeoutMs) override;
    void wake() override;
    void beep(int frequency, int durationMs) override;
    void sleepMs(int ms) override;
    void present() override;
    void discardTypeAhead() override;

    // From the page, on any thread: what its terminal sent for the keys
    // (whole sequences), and its size in characters.
    void typed(const std::string& bytes);
    void resize(int columns, int lines);

private:
    // Both expect the back end's lock to be held.
    void applySize();
    void flush();

    RankedMutex<LockRank::BackEnd> mutex_;
    Sink sink_;
    CellGrid grid_;
    TerminalPainter painter_;
    int cursorX_ = 0;
    int cursorY_ = 0;
    int shownColumns_ = 0;  // the size the screen is laid out for
    int shownLines_ = 0;
    bool fits_ = false;
    bool resized_ = false;  // the screen's height changed: the game is yet to hear of it

    // The page's side: keys and size, under a small lock of their own.
    std::mutex inputMutex_;
    std::condition_variable inputReady_;
    std::string bytes_;
    int columns_ = 0;
    int lines_ = 0;
    bool woken_ = false;
};
