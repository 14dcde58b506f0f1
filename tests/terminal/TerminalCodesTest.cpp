// The sequences read from terminfo come without its padding, which only
// curses' own output would wait out; anything else that looks like it stays.
#include <curses.h>
#include <term.h>

#include <gtest/gtest.h>

#include "terminal/TerminalCodes.h"

namespace {
TEST(TerminalCodesTest, PaddingIsTakenOutAndNothingElse) {
    EXPECT_EQ(withoutDelays("\033[%i%p1%d;%p2%dH$<5>"), "\033[%i%p1%d;%p2%dH");
    EXPECT_EQ(withoutDelays("$<2>\033[H$<50/>\033[J$<1.5*>"), "\033[H\033[J");
    EXPECT_EQ(withoutDelays("$<>a$<x>b$<5"), "$<>a$<x>b$<5");  // not delays
    EXPECT_EQ(withoutDelays("$$<5>>"), "$>");

    int error = 0;
    ASSERT_EQ(setupterm(const_cast<char*>("vt100"), -1, &error), OK) << "no vt100 description";
    ASSERT_NE(std::string(tigetstr("cup")).find("$<"), std::string::npos) << "vt100 pads its moves";
    EXPECT_EQ(cursesCodes().get("cup", 2, 7), "\033[3;8H");
    for (const char* name : {"cup", "clear", "sgr0", "rev", "csr", "ind", "el"})
        EXPECT_EQ(cursesCodes().get(name).find("$<"), std::string::npos) << name;
}
}  // namespace
