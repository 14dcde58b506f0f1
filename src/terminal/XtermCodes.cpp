#include <cstring>

#include "terminal/TerminalCodes.h"

namespace {
std::string csi(int number, const char* final) { return "\033[" + std::to_string(number) + final; }

// A colour as xterm-256color writes it: 30..37, then 90..97, then 38;5;n.
std::string colour(int n, int base, int brightBase, const char* extended) {
    if (n < 8) return csi(base + n, "m");
    if (n < 16) return csi(brightBase + n - 8, "m");
    return std::string("\033[") + extended + std::to_string(n) + "m";
}

class XtermCodes : public TerminalCodes {
public:
    std::string get(const char* name) const override {
        struct Plain { const char* name; const char* sequence; };
        static const Plain plain[] = {
            {"sgr0", "\033(B\033[m"}, {"bold", "\033[1m"}, {"rev", "\033[7m"}, {"cub1", "\b"},
            {"ind", "\n"}, {"sc", "\0337"}, {"rc", "\0338"}, {"cup", "\033[%i%p1%d;%p2%dH"}, {"hpa", "\033[%i%p1%dG"},
            {"ech", "\033[%p1%dX"}, {"csr", "\033[%i%p1%d;%p2%dr"}, {"cuu", "\033[%p1%dA"},
            {"setaf", "\033[%?%p1%{8}%<%t3%p1%d%e%p1%{16}%<%t9%p1%{8}%-%d%e38;5;%p1%d%;m"},
            {"setab", "\033[%?%p1%{8}%<%t4%p1%d%e%p1%{16}%<%t10%p1%{8}%-%d%e48;5;%p1%d%;m"},
        };
        for (const Plain& p : plain)
            if (std::strcmp(p.name, name) == 0) return p.sequence;
        return {};
    }
    std::string get(const char* name, int first, int second) const override {
        const std::string which = name;
        if (which == "cup" || which == "csr")
            return "\033[" + std::to_string(first + 1) + ";" + std::to_string(second + 1) + (which == "cup" ? "H" : "r");
        if (which == "hpa") return csi(first + 1, "G");
        if (which == "ech") return csi(first, "X");
        if (which == "cuu") return csi(first, "A");
        if (which == "setaf") return colour(first, 30, 90, "38;5;");
        if (which == "setab") return colour(first, 40, 100, "48;5;");
        return get(name);
    }
};
}  // namespace

const TerminalCodes& xtermCodes() {
    static const XtermCodes codes;
    return codes;
}
