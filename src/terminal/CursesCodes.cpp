#include <curses.h>
#include <term.h>

#include "terminal/TerminalCodes.h"

namespace {
class CursesCodes : public TerminalCodes {
public:
    std::string get(const char* name) const override {
        const char* s = tigetstr(name);
        if (s == nullptr || s == reinterpret_cast<const char*>(-1)) return {};
        return s;
    }
    std::string get(const char* name, int first, int second) const override {
        const std::string sequence = get(name);
        if (sequence.empty()) return {};
        const char* filled = tiparm(sequence.c_str(), first, second);
        return filled ? filled : "";
    }
};
}  // namespace

const TerminalCodes& cursesCodes() {
    static const CursesCodes codes;
    return codes;
}
