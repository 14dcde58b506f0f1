// Long texts (the instructions, the map, the help) stop after each
// screenful, so their first line is read before it scrolls away.
#include "TestSupport.h"

#include <unistd.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <vector>

#include "console/LineEditor.h"
#include "game/Ending.h"
#include "base/Paths.h"

namespace fs = std::filesystem;

namespace {
constexpr std::uint8_t kPauseArrow = 25;

// Notes the text area's top and bottom rows whenever a pause waits for its key.
class PauseWatcher : public MemoryConsole {
public:
    struct Page {
        std::string top;
        std::string lastText;  // row 45, just above the pause arrow
    };
    std::vector<Page> pages;
    int textBottom = 46;
    std::vector<std::string> seen;  // every row of the text area shown at a pause
    std::vector<std::string> tops;  // the text area's top row whenever a key is read
    std::vector<std::string> words;  // the input row at each pause

    InputEvent nextEvent(int timeoutMs) override {
        tops.push_back(rowText(1, 1, 78));
        if (cell(1, textBottom).ch == kPauseArrow) {
            pages.push_back({rowText(1, 1, 78), rowText(textBottom - 1, 1, 78)});
            words.push_back(inputRow());
            for (int y = 1; y <= textBottom; ++y) seen.push_back(rowText(y, 1, 78));
        }
        return MemoryConsole::nextEvent(timeoutMs);
    }
    std::string inputRow() const { return rowText(textBottom + 2, kFirstInputColumn, kLastInputColumn + 1); }
};

std::string numberedLines(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) text += "line " + std::to_string(i) + "\n";
    return text;
}
}  // namespace

class PagingTest : public GameTest {
protected:
    PauseWatcher watcher;

    void SetUp() override {
        GameTest::SetUp();
        setConsole(&watcher);
        setUpConsole();
    }
};

TEST_F(PagingTest, ATallTextStopsAfterEachScreenfulWithItsFirstLineOnTop) {
    for (int i = 0; i < 3; ++i) watcher.pushEvent(InputEvent::character(' '));
    {
        PagedOutput paged;
        printMarked("%s", numberedLines(1, 100));
    }
    ASSERT_EQ(watcher.pages.size(), 2u);
    EXPECT_EQ(watcher.pages[0].top, "line 1");
    EXPECT_EQ(watcher.pages[0].lastText, "line 45");
    EXPECT_EQ(watcher.pages[1].top, "line 46");  // no line is skipped between pages
    EXPECT_EQ(watcher.pages[1].lastText, "line 90");
    EXPECT_EQ(watcher.rowText(45, 1, 78), "line 100");
    EXPECT_EQ(watcher.nextEvent(0).type, InputEvent::Type::Key);  // one key was left over
}

TEST_F(PagingTest, PagesCountAcrossCallsAndOnlyWhilePaging) {
    watcher.pushEvent(InputEvent::character(' '));
    {
        PagedOutput paged;
        // Many short prints, the way the instructions come, one line at a time.
        for (int i = 1; i <= 50; ++i) printMarked("line %d\n", i);
    }
    ASSERT_EQ(watcher.pages.size(), 1u);
    EXPECT_EQ(watcher.pages[0].top, "line 1");

    // A text that fits, or any text printed without paging, never stops
    // (once the player has typed a line after the tall text).
    watcher.typeText("");
    readInputLine();
    {
        PagedOutput paged;
        printMarked("%s", numberedLines(1, 45));
    }
    printMarked("%s", numberedLines(1, 120));
    EXPECT_EQ(watcher.pages.size(), 1u);
}

TEST_F(PagingTest, InstructionsFromTheMenuAreReadFromTheirTitle) {
    PrivateDataDir privateData;
    const fs::path& data = privateData.path();
    std::ofstream(data / "readme.txt") << "How to survive\n" << numberedLines(2, 60) << "0\n";
    game.running = 0;  // the menu comes before any game

    watcher.typeText("b");
    watcher.pushEvent(InputEvent::character(' '));  // for the pause
    watcher.typeText("a");
    watcher.typeText("Sam");
    EXPECT_EQ(frontMenu(), 1);

    ASSERT_EQ(watcher.pages.size(), 1u);
    EXPECT_EQ(watcher.pages[0].top, "How to survive");
    EXPECT_EQ(watcher.pages[0].lastText, "line 45");
    setInputLimit(75);
}

// At 24 rows the menu follows the instructions' last page: it waits for a
// key before it pushes that page's first line away, so no line goes unread.
TEST_F(PagingTest, OnAShortScreenTheMenuWaitsBeforeItPushesTheInstructionsAway) {
    watcher.resize(24);
    watcher.textBottom = 20;
    setUpConsole();
    PrivateDataDir privateData;
    std::ofstream(privateData.path() / "readme.txt") << "How to survive\n" << numberedLines(2, 72) << "0\n";
    game.running = 0;

    watcher.typeText("b");
    for (int i = 0; i < 4; ++i) watcher.pushEvent(InputEvent::character(' '));
    watcher.typeText("a");
    watcher.typeText("Sam");
    EXPECT_EQ(frontMenu(), 1);
    setInputLimit(75);

    auto seen = [&](const std::string& line) {
        return std::find(watcher.seen.begin(), watcher.seen.end(), line) != watcher.seen.end();
    };
    EXPECT_TRUE(seen("How to survive"));
    for (int i = 2; i <= 72; ++i) EXPECT_TRUE(seen("line " + std::to_string(i))) << "line " << i << " was never read";
    EXPECT_EQ(watcher.nextEvent(0).type, InputEvent::Type::Closed) << "every key was taken by a pause or the menu";
}

// Page Up in a pause looks back over the text before it, and the pause
// waits on; any other key goes on from the newest lines.
TEST_F(PagingTest, PageUpInAPauseLooksBackAndThePauseWaitsOn) {
    printMarked("%s", numberedLines(1, 50));
    watcher.pushEvent(InputEvent::special(KeyCode::PageUp));
    watcher.pushEvent(InputEvent::special(KeyCode::PageDown));
    watcher.pushEvent(InputEvent::character(' '));
    {
        PagedOutput paged;
        for (int i = 1; i <= 60; ++i) printMarked("new %d\n", i);
    }
    ASSERT_EQ(watcher.pages.size(), 2u) << "the arrow shows before Page Up and again after Page Down";
    EXPECT_EQ(watcher.pages[1].top, "new 1");
    EXPECT_NE(std::find(watcher.tops.begin(), watcher.tops.end(), "line 6"), watcher.tops.end())
        << "Page Up showed the page before";
    EXPECT_EQ(watcher.rowText(45, 1, 78), "new 60");
    EXPECT_EQ(watcher.nextEvent(0).type, InputEvent::Type::Closed) << "the pause took all three keys";
}

// A pause says so on the input row. At a long text's pause a typed key
// ends the paging (the rest comes at once) and starts the line; a "/s"
// pause takes whatever key comes.
TEST_F(PagingTest, APauseSaysSoAndTypingEndsTheLongTextsPagingAndStartsTheLine) {
    watcher.typeText("xy");
    {
        PagedOutput paged;
        printMarked("%s", numberedLines(1, 150));
    }
    ASSERT_EQ(watcher.pages.size(), 1u) << "after the typed key the rest came at once";
    EXPECT_TRUE(watcher.words[0].ends_with(" [more: any key]")) << watcher.words[0];
    EXPECT_EQ(watcher.rowText(45, 1, 78), "line 150");
    EXPECT_EQ(watcher.inputRow(), "") << "the words go with the pause";
    EXPECT_EQ(readInputLine(), "xy") << "the key that ended the paging starts the line";

    watcher.typeText("xy");
    printMarked("/swait\n");
    ASSERT_EQ(watcher.words.size(), 2u);
    EXPECT_TRUE(watcher.words[1].ends_with(" [any key]")) << watcher.words[1];
    EXPECT_EQ(readInputLine(), "y") << "the any-key pause took the x";
}

// An ending's first line heads a page: the credits stop before they push it away.
TEST_F(PagingTest, TheCreditsWaitBeforeTheyPushAnEndingsFirstLineAway) {
    watcher.resize(24);
    watcher.textBottom = 20;
    setUpConsole();
    printMarked("%s", numberedLines(1, 30));
    endGame(Ending::Starved, {"/rThe first line of the end.\n"});
    ASSERT_FALSE(watcher.pages.empty());
    EXPECT_EQ(watcher.pages[0].top, "The first line of the end.");
}
