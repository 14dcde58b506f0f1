#pragma once
// The plain front end, for pipes and files: finished text lines go to
// standard output without colour codes, command lines come from standard
// input. No keypad shortcuts, no completion, no key pauses; the end of the
// input closes it, and the game then saves and ends as "quit" does; so does
// a reader of the output that went away (a pipe closed early), and a stop
// signal when the program gave it a way to learn of one.
#include <atomic>
#include <mutex>

#include "base/LockOrder.h"
#include "console/CellGrid.h"
#include "console/Console.h"
#include "console/WakePipe.h"

class PlainConsole : public Console {
public:
    // stopAsked (when given) says whether a signal asked the game to end;
    // the handler wakes the input through wakeEnd().
    explicit PlainConsole(bool (*stopAsked)() = nullptr);
    // The end of the wake pipe a signal handler writes a byte to.
    int wakeEnd() const { return wakePipe_.writeEnd(); }

    // The cells are kept, never shown.
    void writeChars(int x, int y, const char* text, int length) override;
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells) override;
    void scrollUp(int x, int y, int w, int h, int rows) override;
    void setCursor(int /*x*/, int /*y*/) override {}
    void setTitle(const char* /*title*/) override {}
    InputEvent nextEvent(int timeoutMs) override;
    void wake() override;
    void beep(int frequency, int durationMs) override;
    void sleepMs(int ms) override;
    bool interactive() const override { return false; }
    void plainText(const char* text) override;
    void echoLine(const char* line) override;

private:
    RankedMutex<LockRank::BackEnd> mutex_;
    CellGrid grid_;
    std::atomic<bool> closed_ = false;
    bool pacedOutput_ = false;  // a person may be reading: keep the pauses
    bool echoInput_ = false;    // input from a pipe or file, not typed
    bool (*stopAsked_)() = nullptr;
    WakePipe wakePipe_;
};
