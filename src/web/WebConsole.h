#pragma once
// The game in a page: the screen drawn by the painted back end into the
// page's terminal (xterm.js takes the bytes a real xterm takes), the keys
// read from the bytes the page sends, the size the page reports. Nothing
// here knows the browser: the page's side hands bytes in through typed()
// and resize(), and takes the bytes to show from the sink.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "terminal/PaintedConsole.h"

class WebConsole : public PaintedConsole {
public:
    using Sink = std::function<void(const std::string& bytes)>;
    WebConsole(int columns, int lines, Sink sink);

    void setTitle(const char* title) override;
    InputEvent nextEvent(int timeoutMs) override;
    void wake() override;
    void beep(int frequency, int durationMs) override;
    void present() override;
    void discardTypeAhead() override;

    // From the page, on any thread: what its terminal sent for the keys
    // (whole sequences), and its size in characters.
    void typed(const std::string& bytes);
    void resize(int columns, int lines);

private:
    void send(const std::string& bytes) override { sink_(bytes); }
    void clearTerminal() override;
    void dropTypedAhead() override;
    void followSize() override;

    Sink sink_;

    // The page's side: keys and size, under a small lock of their own.
    std::mutex inputMutex_;
    std::condition_variable inputReady_;
    std::string bytes_;
    int columns_ = 0;
    int lines_ = 0;
    bool woken_ = false;
};
