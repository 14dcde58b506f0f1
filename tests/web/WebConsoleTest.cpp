// The page's back end without a browser: xterm's codes as written out
// against xterm's own description, the keys read from the bytes a page's
// terminal sends, and the size the page reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/TerminalCodes.h"
#include "web/KeyDecoder.h"
#include "web/WebConsole.h"
// Last: term.h's macros (columns, lines) would rename what the headers above declare.
#include <curses.h>
#include <term.h>

namespace {
TEST(WebConsoleTest, XtermCodesAreThoseOfXtermsDescription) {
    int error = 0;
    ASSERT_EQ(setupterm(const_cast<char*>("xterm-256color"), -1, &error), OK) << "no xterm-256color description";
    for (const char* name : {"sgr0", "bold", "rev", "cub1", "ind", "cup", "hpa", "ech", "csr", "cuu", "setaf", "setab"})
        EXPECT_EQ(xtermCodes().get(name), cursesCodes().get(name)) << name;
    for (const char* name : {"cup", "csr"})
        for (int a : {0, 9, 23})
            for (int b : {0, 79, 120}) EXPECT_EQ(xtermCodes().get(name, a, b), cursesCodes().get(name, a, b)) << name;
    for (const char* name : {"hpa", "ech", "cuu", "setaf", "setab"})
        for (int n : {0, 1, 7, 8, 15, 16, 200}) EXPECT_EQ(xtermCodes().get(name, n), cursesCodes().get(name, n)) << name << n;
    EXPECT_EQ(xtermCodes().get("smcup"), "");  // one the painter never asks for
}

std::string describe(const InputEvent& e) {
    if (e.type == InputEvent::Type::Mouse) return "wheel" + std::to_string(e.wheel);
    if (e.type != InputEvent::Type::Key) return "none";
    switch (e.key) {
        case KeyCode::Char: return std::string(1, e.ch);
        case KeyCode::KeypadDigit: return "pad" + std::to_string(e.digit);
        case KeyCode::KeypadPlus: return "pad+";
        case KeyCode::KeypadMinus: return "pad-";
        case KeyCode::Enter: return "enter";
        case KeyCode::Backspace: return "back";
        case KeyCode::PageUp: return "pgup";
        case KeyCode::PageDown: return "pgdn";
        case KeyCode::ArrowUp: return "up";
        case KeyCode::ArrowDown: return "down";
        case KeyCode::CtrlC: return "ctrl-c";
        default: return "other";
    }
}

TEST(WebConsoleTest, KeysAreReadFromTheBytesXtermSends) {
    std::string bytes = "n8\r\x7f\x1b[A\x1b[B\x1b[5~\x1b[6~\x1bOp\x1bOy\x1bOk\x1bOm\x1bOM\x1b[<64;3;4M\x1b[<65;1;1M"
                        "\x1b[<0;5;5M\x1b[1;5C\xc3\xa9x\x03\x1b";
    std::vector<std::string> keys;
    for (InputEvent e = takeKey(bytes); !bytes.empty() || e.type != InputEvent::Type::None; e = takeKey(bytes))
        keys.push_back(describe(e));
    const std::vector<std::string> expected = {"n", "8", "enter", "back", "up", "down", "pgup", "pgdn", "pad0", "pad9",
                                               "pad+", "pad-", "enter", "wheel120", "wheel-120", "none", "other",
                                               "other", "x", "ctrl-c", "other"};
    EXPECT_EQ(keys, expected);
    bytes = "\x1b[12";  // cut short: dropped whole, never read as letters
    EXPECT_EQ(describe(takeKey(bytes)), "other");
    EXPECT_TRUE(bytes.empty());
}

TEST(WebConsoleTest, ASmallWindowGetsTheNoticeAndTheGameWaitsUntilItGrows) {
    std::string shown;
    WebConsole web(60, 20, [&](const std::string& bytes) { shown += bytes; });
    EXPECT_NE(shown.find("Brinefall needs a window of 80 x 24 characters."), std::string::npos);
    EXPECT_NE(shown.find("This one is 60 x 20."), std::string::npos);
    web.typed("a");
    EXPECT_EQ(web.nextEvent(0).type, InputEvent::Type::None);  // dropped while the notice is up

    web.resize(100, 30);
    EXPECT_EQ(web.nextEvent(0).type, InputEvent::Type::Resize);
    EXPECT_EQ(web.rows(), 30);
    shown.clear();
    web.writeChars(0, 0, "Day 1", 5);
    web.setCursor(3, 28);
    web.present();
    EXPECT_NE(shown.find("Day 1"), std::string::npos);
    EXPECT_NE(shown.find("\033[29;14H"), std::string::npos) << "the frame centred in 100 columns: " << shown;

    web.typed("\x1bOt");
    const InputEvent key = web.nextEvent(-1);
    EXPECT_EQ(key.key, KeyCode::KeypadDigit);
    EXPECT_EQ(key.digit, 4);
    web.wake();
    EXPECT_EQ(web.nextEvent(-1).type, InputEvent::Type::None);  // a wake with nobody waiting is kept
}
}  // namespace
