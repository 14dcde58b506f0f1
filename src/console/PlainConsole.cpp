#include "console/PlainConsole.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "console/Cp437.h"

PlainConsole::PlainConsole(bool (*stopAsked)())
    : pacedOutput_(isatty(STDOUT_FILENO) != 0), echoInput_(isatty(STDIN_FILENO) == 0), stopAsked_(stopAsked) {
    // A reader that went away shows as a failed write (EPIPE), not a
    // signal that would end the game unsaved.
    std::signal(SIGPIPE, SIG_IGN);
}

void PlainConsole::writeChars(int x, int y, const char* text, int length) {
    std::lock_guard lock(mutex_);
    grid_.writeChars(x, y, text, length);
}

void PlainConsole::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    std::lock_guard lock(mutex_);
    grid_.writeCells(x, y, w, h, cells);
}

void PlainConsole::scrollUp(int x, int y, int w, int h, int rows) {
    std::lock_guard lock(mutex_);
    grid_.scrollUp(x, y, w, h, rows);
}

InputEvent PlainConsole::nextEvent(int timeoutMs) {
    // A stop signal ends the game as the end of the input does: saved.
    auto stopped = [this] { return closed_ || (stopAsked_ != nullptr && stopAsked_()); };
    if (stopped()) return InputEvent::closed();
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wakePipe_.readEnd(), POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return stopped() ? InputEvent::closed() : InputEvent{};
    if ((fds[1].revents & POLLIN) != 0) {
        wakePipe_.drain();
        return stopped() ? InputEvent::closed() : InputEvent{};
    }
    unsigned char byte = 0;
    if (read(STDIN_FILENO, &byte, 1) != 1) {
        closed_ = true;
        return InputEvent::closed();
    }
    if (byte == '\n') return InputEvent::special(KeyCode::Enter);
    if (byte == 8 || byte == 127) return InputEvent::special(KeyCode::Backspace);
    if (byte >= 32 && byte < 127) return InputEvent::character(static_cast<char>(byte));
    return InputEvent::special(KeyCode::Other);
}

void PlainConsole::wake() { wakePipe_.wake(); }

void PlainConsole::beep(int, int durationMs) { sleepMs(durationMs); }

void PlainConsole::sleepMs(int ms) {
    if (pacedOutput_ && ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The line as the editor holds it, so a transcript reads like a session;
// a terminal on the input side has echoed it already.
void PlainConsole::echoLine(const char* line) {
    if (!echoInput_) return;
    std::string shown = line;
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    plainText(("> " + shown + "\n").c_str());
}

void PlainConsole::plainText(const char* text) {
    std::string shown = cp437ToUtf8(text);
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    if (std::fflush(stdout) != 0 && errno == EPIPE && !closed_.exchange(true)) {
        // No one reads what the game says: it ends as at the end of its input.
        std::clearerr(stdout);
        wake();
    }
}
