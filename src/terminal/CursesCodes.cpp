#include <curses.h>
#include <term.h>

#include <cctype>

#include "terminal/TerminalCodes.h"

std::string withoutDelays(std::string sequence) {
    const auto inDelay = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '*' || c == '/'; };
    std::size_t start = 0;
    while ((start = sequence.find("$<", start)) != std::string::npos) {
        std::size_t end = start + 2;
        while (end < sequence.size() && inDelay(sequence[end])) ++end;
        if (end < sequence.size() && sequence[end] == '>' && end > start + 2) sequence.erase(start, end + 1 - start);
        else start += 2;  // not a delay: "$<" as text
    }
    return sequence;
}

namespace {
class CursesCodes : public TerminalCodes {
public:
    std::string get(const char* name) const override {
        const char* s = tigetstr(name);
        if (s == nullptr || s == reinterpret_cast<const char*>(-1)) return {};
        return withoutDelays(s);
    }
    std::string get(const char* name, int first, int second) const override {
        const std::string sequence = get(name);
        if (sequence.empty()) return {};
        const char* filled = tiparm(sequence.c_str(), first, second);
        return filled ? withoutDelays(filled) : "";
    }
};
}  // namespace

const TerminalCodes& cursesCodes() {
    static const CursesCodes codes;
    return codes;
}
