// The screen is as tall as the terminal, 24 rows at least: the frame, the
// scroll bar and the input row follow the height, and a resize in play
// keeps every line of the scrollback.
#include "TestSupport.h"

#include <vector>

#include "console/LineEditor.h"

namespace {
constexpr std::uint8_t kPauseArrow = 25;

// Notes, each time input is asked for, the input row and where the cursor
// stands, and the text area's first and last rows of text while a pause waits.
class HeightWatcher : public MemoryConsole {
public:
    struct Look {
        int rows;
        std::string inputRow;
        int cursorX;
        int cursorY;
    };
    struct Page {
        std::string top;
        std::string lastText;  // just above the pause arrow
    };
    std::vector<Look> looks;
    std::vector<Page> pages;

    InputEvent nextEvent(int timeoutMs) override {
        const int bottom = rows() - 4;  // the text area's last row, where a page pauses
        looks.push_back({rows(), rowText(rows() - 2, 3, 78), cursorX(), cursorY()});
        if (cell(1, bottom).ch == kPauseArrow) pages.push_back({rowText(1, 1, 78), rowText(bottom - 1, 1, 78)});
        return MemoryConsole::nextEvent(timeoutMs);
    }
};

class ScreenHeightTest : public GameTest {
protected:
    HeightWatcher watcher;

    void SetUp() override {
        GameTest::SetUp();
        setConsole(&watcher);
    }
    void TearDown() override {
        GameTest::TearDown();
        setScreenHeight(kDefaultScreenHeight);
    }
    void press(KeyCode key) { watcher.pushEvent(InputEvent::special(key)); }
    // Runs the line editor over the events queued so far, and an Enter.
    std::string readQueuedLine() {
        press(KeyCode::Enter);
        return readInputLine();
    }
    std::vector<std::string> scrollbackText() {
        std::vector<std::string> lines;
        for (int i = 0; i < kScrollbackLines; ++i) lines.push_back(scrollbackLine(i));
        return lines;
    }
    // The frame, the scroll bar and the prompt of a screen `rows` tall.
    void expectFrame(int rows) {
        SCOPED_TRACE("a screen of " + std::to_string(rows) + " rows");
        auto ch = [&](int x, int y) { return watcher.cell(x, y).ch; };
        const int textBottom = rows - 4;
        EXPECT_EQ(ch(0, 0), 201);
        EXPECT_EQ(ch(79, 0), 187);
        EXPECT_EQ(ch(0, rows - 3), 204);
        EXPECT_EQ(ch(79, rows - 3), 185);
        EXPECT_EQ(ch(0, rows - 1), 200);
        EXPECT_EQ(ch(79, rows - 1), 188);
        for (int x = 1; x <= 78; ++x) {
            EXPECT_EQ(ch(x, rows - 3), 205) << x;
            EXPECT_EQ(ch(x, rows - 1), 205) << x;
        }
        for (int y = 1; y <= textBottom; ++y) {
            EXPECT_EQ(ch(0, y), 186) << y;
            EXPECT_EQ(ch(79, y), 186) << y;
            EXPECT_EQ(ch(78, y), y == 1 ? 24 : y == textBottom ? 25 : 177) << y;
            EXPECT_EQ(watcher.cell(78, y).attr, 0x70) << y;
        }
        EXPECT_EQ(watcher.rowText(rows - 2, 0, 3), "\xBA>");
        EXPECT_EQ(ch(79, rows - 2), 186);
    }
};

TEST_F(ScreenHeightTest, TheLayoutFillsTheHeightWithinItsBounds) {
    for (int rows : {24, 30, 50, 61}) {
        const ScreenLayout layout = layoutForHeight(rows);
        EXPECT_EQ(layout.height, rows);
        // Top line, text, divider, input row, bottom line: every row has its use.
        EXPECT_EQ(1 + layout.textRows + 1 + 1 + 1, rows);
        EXPECT_EQ(layout.textBottom, layout.textRows);
        EXPECT_EQ(layout.bottomRow, rows - 1);
    }
    EXPECT_EQ(layoutForHeight(10).height, kMinScreenHeight) << "a smaller terminal waits behind the notice";
    EXPECT_EQ(layoutForHeight(1000).textRows, kScrollbackLines) << "no text row without a scrollback line";
}

TEST_F(ScreenHeightTest, A24RowScreenHasItsFrameScrollBarAndPromptAtTheBottom) {
    watcher.resize(24);
    setUpConsole();
    expectFrame(24);
    EXPECT_EQ(watcher.cursorX(), 3);
    EXPECT_EQ(watcher.cursorY(), 22);
    for (int y = 1; y <= 20; ++y) EXPECT_EQ(watcher.rowText(y, 1, 78), "") << y;
    // The newest lines stand at the bottom of the 20 text rows.
    for (int i = 0; i < 30; ++i) printMarked("/Gline %d\n", i);
    EXPECT_EQ(watcher.rowText(1, 1, 78), "line 11");
    EXPECT_EQ(watcher.rowText(19, 1, 78), "line 29");
    EXPECT_EQ(watcher.cell(1, 19).attr, 0x0A);
    EXPECT_EQ(watcher.rowText(20, 1, 78), "");
    expectFrame(24);
}

TEST_F(ScreenHeightTest, AResizeKeepsEveryLineOfTheScrollbackAndShowsTheNewest) {
    setUpConsole();
    for (int i = 0; i < 320; ++i) printMarked("/Yline %d\n", i);
    const std::vector<std::string> before = scrollbackText();
    press(KeyCode::PageUp);  // the player had scrolled back: the resize shows the newest lines again

    // 50 rows to 24 while a line is being typed.
    watcher.typeText("zq", false);
    watcher.pushResize(24);
    watcher.typeText("x", false);
    EXPECT_EQ(readQueuedLine(), "zqx");
    EXPECT_EQ(scrollbackText(), before);
    expectFrame(24);
    EXPECT_EQ(watcher.rowText(1, 1, 78), "line 301");
    EXPECT_EQ(watcher.rowText(19, 1, 78), "line 319");
    EXPECT_EQ(watcher.cell(1, 19).attr, 0x0E);
    EXPECT_EQ(watcher.rowText(48, 1, 78), "") << "nothing drawn below the screen";
    // The line being typed moved to the new input row at once, the cursor after it.
    bool sawMovedLine = false;
    for (const HeightWatcher::Look& look : watcher.looks)
        if (look.rows == 24 && look.inputRow == "zq" && look.cursorX == 5 && look.cursorY == 22) sawMovedLine = true;
    EXPECT_TRUE(sawMovedLine);

    // 24 to 30: the oldest line is still there to scroll back to.
    watcher.pushResize(30);
    for (int i = 0; i < 15; ++i) press(KeyCode::PageUp);
    readQueuedLine();
    EXPECT_EQ(scrollbackText(), before);
    expectFrame(30);
    EXPECT_EQ(scrollback().viewTop, 0);
    EXPECT_EQ(watcher.rowText(1, 1, 78), before[0]);
    EXPECT_EQ(watcher.rowText(26, 1, 78), before[25]);
}

TEST_F(ScreenHeightTest, PagesAndTheScrollBarsArrowsFollowTheHeight) {
    watcher.resize(24);
    setUpConsole();
    for (int i = 0; i < 100; ++i) printMarked("line %d\n", i);
    // A page is the 20 text rows less one: the top line stays in view at the bottom.
    press(KeyCode::PageUp);
    readQueuedLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 19);
    EXPECT_EQ(watcher.rowText(1, 1, 78), "line 62");
    EXPECT_EQ(watcher.rowText(20, 1, 78), "line 81");
    // The down arrow is on row 20 now; row 46 is below the screen.
    watcher.pushEvent(InputEvent::click(78, 46));
    readQueuedLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 19);
    watcher.pushEvent(InputEvent::click(78, 20));
    watcher.pushEvent(InputEvent::click(78, 20));
    readQueuedLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 17);
    // At 30 rows a page is 25 lines.
    watcher.pushResize(30);
    press(KeyCode::PageUp);
    readQueuedLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 25);
    EXPECT_EQ(watcher.rowText(26, 1, 78), "line 75");
}

TEST_F(ScreenHeightTest, ATallTextPausesAfterEachShortScreenfulAndAResizeInThePauseRedraws) {
    watcher.resize(24);
    setUpConsole();
    watcher.pushEvent(InputEvent::character(' '));
    watcher.pushResize(30);  // read by the pause itself: no line editor is waiting
    for (int i = 0; i < 3; ++i) watcher.pushEvent(InputEvent::character(' '));
    {
        PagedOutput paged;
        std::string text;
        for (int i = 1; i <= 60; ++i) text += "line " + std::to_string(i) + "\n";
        printMarked("%s", text);
    }
    ASSERT_GE(watcher.pages.size(), 3u);
    EXPECT_EQ(watcher.pages[0].top, "line 1");
    EXPECT_EQ(watcher.pages[0].lastText, "line 19");
    EXPECT_EQ(watcher.pages[1].top, "line 20");
    EXPECT_EQ(watcher.pages[1].lastText, "line 38");
    // The resize came during the second pause: the same pause, drawn at 30
    // rows, with the newest lines and the arrow at the bottom.
    EXPECT_EQ(watcher.pages[2].lastText, "line 38");
    EXPECT_EQ(watcher.pages[2].top, "line 14");
    expectFrame(30);
    EXPECT_EQ(watcher.rowText(25, 1, 78), "line 60");
}
}  // namespace
