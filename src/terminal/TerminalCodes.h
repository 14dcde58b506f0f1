#pragma once
// The sequences a terminal takes, named as terminfo names them ("cup",
// "setaf"). The terminal back end reads them from the terminal's
// description through curses; a page's xterm.js takes xterm's own, which
// need no curses at all.
#include <string>

class TerminalCodes {
public:
    virtual ~TerminalCodes() = default;
    // The sequence as described (with its parameters unfilled), empty when
    // the terminal has none.
    virtual std::string get(const char* name) const = 0;
    // The sequence with its one or two numbers filled in.
    virtual std::string get(const char* name, int first, int second = 0) const = 0;
};

// `sequence` without terminfo's padding ("$<5>", "$<2*/>"): a delay that
// only curses' own output routine knows to wait out, and that every other
// writer would show as text.
std::string withoutDelays(std::string sequence);

// The description of the terminal curses set up, its delays taken out.
const TerminalCodes& cursesCodes();
// Those of xterm-256color, written out: what xterm.js understands.
const TerminalCodes& xtermCodes();
