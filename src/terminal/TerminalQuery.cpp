#include "terminal/TerminalQuery.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "base/Files.h"

namespace {
// "Is left-and-right-margin mode known?", then "who are you?".
constexpr char kQuestions[] = "\033[?69$p\033[c";

// The end of the control sequence that starts at `from` (a CSI), or npos.
std::size_t sequenceEnd(const std::string& s, std::size_t from) {
    for (std::size_t i = from + 2; i < s.size(); ++i) {
        const auto byte = static_cast<unsigned char>(s[i]);
        if (byte >= 0x40 && byte <= 0x7e) return i;
    }
    return std::string::npos;
}
}  // namespace

bool readTerminalAnswers(const std::string& received, TerminalAnswers& answers) {
    answers = TerminalAnswers{};
    bool attributesCame = false;
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (received.compare(i, 3, "\033[?") != 0) {
            answers.typedAhead += received[i];
            continue;
        }
        const std::size_t end = sequenceEnd(received, i);
        if (end == std::string::npos) {  // cut short: not an answer after all
            answers.typedAhead += received.substr(i);
            break;
        }
        const std::string body = received.substr(i + 3, end - i - 3);
        if (received[end] == 'c') attributesCame = true;
        // "69;1$y" set, "69;2$y" reset: either way the terminal knows the mode.
        else if (received[end] == 'y' && (body == "69;1$" || body == "69;2$")) answers.columnMargins = true;
        else if (received[end] != 'y') answers.typedAhead += received.substr(i, end - i + 1);
        i = end;
    }
    return attributesCame;
}

TerminalAnswers askTerminal(int in, int out, int timeoutMs) {
    TerminalAnswers answers;
    if (!writeAll(out, kQuestions)) return answers;
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!readTerminalAnswers(received, answers)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{in, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buffer[256];
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n <= 0) break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return answers;
}

bool LateAnswerFilter::drops(unsigned key) {
    switch (state_) {
        case State::Idle:
            if (key == 0x1b) state_ = State::Escape;
            return false;
        case State::Escape:
            state_ = key == '[' ? State::Bracket : key == 0x1b ? State::Escape : State::Idle;
            return state_ == State::Bracket;
        case State::Bracket:
            state_ = key == '?' ? State::Answer : key == 0x1b ? State::Escape : State::Idle;
            return state_ == State::Answer;
        case State::Answer:
            if (key >= 0x40 && key <= 0x7e) state_ = State::Idle;
            return true;
    }
    return false;
}
