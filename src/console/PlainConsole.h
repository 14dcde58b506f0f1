#pragma once
// The plain front end, for pipes and files: finished text lines go to
// standard output without colour codes, command lines come from standard
// input. No keypad shortcuts, no completion, no key pauses; the end of the
// input closes it, and the game then saves and ends as "quit" does.
#include "console/MemoryConsole.h"
#include "console/WakePipe.h"

class PlainConsole : public MemoryConsole {
public:
    PlainConsole();

    InputEvent nextEvent(int timeoutMs) override;
    void wake() override;
    void beep(int frequency, int durationMs) override;
    void sleepMs(int ms) override;
    bool interactive() const override { return false; }
    void plainText(const char* text) override;

private:
    bool closed_ = false;
    bool pacedOutput_ = false;  // a person may be reading: keep the pauses
    bool echoInput_ = false;    // input from a pipe or file, not typed
    WakePipe wakePipe_;
};
