#include "console/Screen.h"

#include "TestSupport.h"
#include "console/Cp437.h"
#include "console/TitleArt.h"
#include "console/OutputTesting.h"

namespace {
class ScreenTest : public GameTest {};

TEST_F(ScreenTest, SetUpDrawsFrameScrollBarAndPrompt) {
    setUpConsole();
    EXPECT_EQ(screen.title(), "Brinefall!");
    auto ch = [&](int x, int y) { return screen.cell(x, y).ch; };
    EXPECT_EQ(ch(0, 0), 201);
    EXPECT_EQ(ch(79, 0), 187);
    EXPECT_EQ(ch(0, 49), 200);
    EXPECT_EQ(ch(79, 49), 188);
    EXPECT_EQ(ch(0, 47), 204);
    EXPECT_EQ(ch(79, 47), 185);
    for (int x = 1; x <= 78; ++x) {
        EXPECT_EQ(ch(x, 0), 205) << x;
        EXPECT_EQ(ch(x, 47), 205) << x;
        EXPECT_EQ(ch(x, 49), 205) << x;
    }
    for (int y : {1, 20, 46, 48}) {
        EXPECT_EQ(ch(0, y), 186) << y;
        EXPECT_EQ(ch(79, y), 186) << y;
    }
    // The frame keeps the default grey on black.
    EXPECT_EQ(screen.cell(0, 0).attr, 0x07);
    // Scroll bar: arrows at both ends, shade between, black on grey.
    EXPECT_EQ(ch(78, 1), 24);
    EXPECT_EQ(ch(78, 46), 25);
    for (int y = 2; y <= 45; ++y) EXPECT_EQ(ch(78, y), 177) << y;
    for (int y = 1; y <= 46; ++y) EXPECT_EQ(screen.cell(78, y).attr, 0x70) << y;
    // Prompt, cursor after it, text area blank.
    EXPECT_EQ(screen.rowText(48, 1, 3), ">");
    EXPECT_EQ(screen.cell(2, 48).ch, ' ');
    EXPECT_EQ(screen.cursorX(), 3);
    EXPECT_EQ(screen.cursorY(), 48);
    for (int y = 1; y <= 46; ++y) EXPECT_EQ(screen.rowText(y, 1, 78), "") << y;
}

TEST_F(ScreenTest, SetUpClearsTheScrollback) {
    printMarked("/Rleft over\n");
    setUpConsole();
    EXPECT_EQ(scrollbackLine(298), "");
    EXPECT_EQ(scrollback().column, 0);
    EXPECT_EQ(scrollback().line(298)[0].attr, 0x00);
}

TEST(Cp437Test, GraphicFormsAndBoxDrawing) {
    EXPECT_EQ(cp437ToUnicode(0), U' ');
    EXPECT_EQ(cp437ToUnicode(1), U'\u263A');
    EXPECT_EQ(cp437ToUnicode(24), U'\u2191');
    EXPECT_EQ(cp437ToUnicode(25), U'\u2193');
    EXPECT_EQ(cp437ToUnicode('A'), U'A');
    EXPECT_EQ(cp437ToUnicode(127), U'\u2302');
    EXPECT_EQ(cp437ToUnicode(177), U'\u2592');
    EXPECT_EQ(cp437ToUnicode(201), U'\u2554');
    EXPECT_EQ(cp437ToUnicode(205), U'\u2550');
    EXPECT_EQ(cp437ToUnicode(219), U'\u2588');
    EXPECT_EQ(cp437ToUnicode(255), U'\u00A0');
}

TEST(Cp437Test, Utf8KeepsLineBreaksAndEncodesGlyphs) {
    EXPECT_EQ(cp437ToUtf8("a\tb\n"), "a\tb\n");
    EXPECT_EQ(cp437ToUtf8("\xC9\xCD"), "\u2554\u2550");
    EXPECT_EQ(cp437ToUtf8("\x82"), "\u00E9");      // two bytes
    EXPECT_EQ(cp437ToUtf8("\x01"), "\u263A");      // three bytes
}

class TitleArtTest : public GameTest {
protected:
    // Visible columns of each printed line, with its first code checked.
    std::vector<std::string> lines(const std::string& printed, char colour) {
        std::vector<std::string> out;
        std::size_t start = 0;
        while (start < printed.size()) {
            std::size_t end = printed.find('\n', start);
            std::string line = printed.substr(start, end - start);
            EXPECT_EQ(line.substr(0, 2), std::string("/") + colour);
            out.push_back(stripMarkup(line));
            start = end + 1;
        }
        return out;
    }
};

TEST_F(TitleArtTest, LogoIsElevenLinesOfSixteenColumnsAndANotice) {
    showLogo('G');
    std::vector<std::string> shown = lines(output(), 'G');
    ASSERT_EQ(shown.size(), 12u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(shown[i].size(), 29u + 16u) << i;
        EXPECT_EQ(shown[i].substr(0, 29), std::string(29, ' '));
    }
    EXPECT_EQ(shown[11].substr(0, 18), std::string(18, ' '));
    EXPECT_NE(shown[11][18], ' ');
    EXPECT_LE(shown[11].size(), 77u);
    // Every art cell is bright green; what follows starts grey again.
    EXPECT_EQ(scrollback().line(kScrollbackLines - 4)[31].attr, 0x0A);
    printMarked("after");
    EXPECT_EQ(scrollback().line(kScrollbackLines - 1)[0].attr, 0x07);
}

TEST_F(TitleArtTest, BannerIsFiveLinesOf58AndOneOf62) {
    showBanner('R');
    std::vector<std::string> shown = lines(output(), 'R');
    ASSERT_EQ(shown.size(), 6u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(shown[i].size(), 58u) << i;
        EXPECT_EQ(shown[i][0], ' ');
    }
    EXPECT_EQ(shown[5].size(), 62u);
    EXPECT_EQ(shown[5][0], ' ');
}
}  // namespace
