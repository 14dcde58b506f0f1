#include "console/PlainConsole.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "console/Cp437.h"

namespace {
constexpr int kInputRow = 48;
constexpr int kFirstInputColumn = 3;
}  // namespace

PlainConsole::PlainConsole()
    : pacedOutput_(isatty(STDOUT_FILENO) != 0), echoInput_(isatty(STDIN_FILENO) == 0) {}

InputEvent PlainConsole::nextEvent(int timeoutMs) {
    if (closed_) return InputEvent::closed();
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wakePipe_.readEnd(), POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return {};
    if ((fds[1].revents & POLLIN) != 0) {
        wakePipe_.drain();
        return {};
    }
    unsigned char byte = 0;
    if (read(STDIN_FILENO, &byte, 1) != 1) {
        closed_ = true;
        return InputEvent::closed();
    }
    if (byte == '\n') {
        // Echo the line as the editor holds it, so a transcript reads like a
        // session; a terminal on the input side has echoed it already.
        if (echoInput_) {
            std::string line = "> " + rowText(kInputRow, kFirstInputColumn, kScreenWidth - 1) + "\n";
            plainText(line.c_str());
        }
        return InputEvent::special(KeyCode::Enter);
    }
    if (byte == 8 || byte == 127) return InputEvent::special(KeyCode::Backspace);
    if (byte >= 32 && byte < 127) return InputEvent::character(static_cast<char>(byte));
    return InputEvent::special(KeyCode::Other);
}

void PlainConsole::wake() { wakePipe_.wake(); }

void PlainConsole::beep(int, int durationMs) { sleepMs(durationMs); }

void PlainConsole::sleepMs(int ms) {
    if (pacedOutput_ && ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void PlainConsole::plainText(const char* text) {
    std::string shown = cp437ToUtf8(text);
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    std::fflush(stdout);
}
