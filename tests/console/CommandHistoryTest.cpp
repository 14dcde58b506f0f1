#include "console/CommandHistory.h"

#include "TestSupport.h"
#include "console/LineEditor.h"

namespace {
constexpr int kRow = 48;

std::vector<std::string> allOlder(CommandHistory& history, std::size_t maxLength = 75) {
    std::vector<std::string> seen;
    while (auto line = history.older("", maxLength)) seen.push_back(*line);
    return seen;
}

TEST(CommandHistoryTest, KeepsTheLastFiftyNewestFirst) {
    CommandHistory history;
    for (int i = 0; i < 60; ++i) history.add("get rock " + std::to_string(i));
    ASSERT_EQ(history.size(), CommandHistory::kCapacity);
    EXPECT_EQ(history.line(0), "get rock 10");
    std::vector<std::string> seen = allOlder(history);
    ASSERT_EQ(seen.size(), 50u);
    EXPECT_EQ(seen.front(), "get rock 59");
    EXPECT_EQ(seen.back(), "get rock 10");
    EXPECT_FALSE(history.older("", 75)) << "the oldest line is the end";
}

TEST(CommandHistoryTest, NoLineTwiceInARowAndNoBlankLines) {
    CommandHistory history;
    for (const char* line : {"look", "look", "inventory ", "inventory", "", "   ", "look", "north"})
        history.add(line);
    EXPECT_EQ(allOlder(history), (std::vector<std::string>{"north", "look", "inventory", "look"}));
}

TEST(CommandHistoryTest, DownGoesBackToTheLineBeingTyped) {
    CommandHistory history;
    EXPECT_FALSE(history.newer(75)) << "nothing recalled, nothing to go back to";
    history.add("look");
    history.add("north");
    EXPECT_EQ(history.older("ge", 75), "north");
    EXPECT_EQ(history.older("ignored once recalling", 75), "look");
    EXPECT_EQ(history.newer(75), "north");
    EXPECT_EQ(history.newer(75), "ge");
    EXPECT_FALSE(history.newer(75));
    // Each new line starts again from the newest.
    history.older("", 75);
    history.startLine();
    EXPECT_EQ(history.older("", 75), "north");
}

// A recalled line cut to the limit would be another command ("northwest"
// cut to three letters is "nor"), so lines that do not fit are passed over.
TEST(CommandHistoryTest, LinesLongerThanTheLimitArePassedOver) {
    CommandHistory history;
    for (const char* line : {"yes", "northwest", "no", "get coconut"}) history.add(line);
    EXPECT_EQ(history.older("", 3), "no");
    EXPECT_EQ(history.older("", 3), "yes");
    EXPECT_FALSE(history.older("", 3));
    EXPECT_EQ(history.newer(3), "no");
    EXPECT_EQ(history.newer(3), "") << "past the newest that fits: the empty line typed";
}

TEST(CommandHistoryTest, ALineThatIsNoCommandNeitherRecallsNorIsKept) {
    bool command = true;
    CommandHistory history([&command] { return command; });
    history.add("talk maria");
    command = false;  // a conversation's lettered answer
    EXPECT_FALSE(history.older("", 75));
    history.add("a");
    command = true;
    EXPECT_EQ(allOlder(history), std::vector<std::string>{"talk maria"});
}

class RecallTest : public GameTest {
protected:
    CommandHistory history;
    void SetUp() override {
        GameTest::SetUp();
        setInputLimit(75);
    }
    void TearDown() override {
        setInputLimit(75);
        GameTest::TearDown();
    }
    void press(KeyCode key) { screen.pushEvent(InputEvent::special(key)); }
    std::string inputRow() { return screen.rowText(kRow, 3, 78); }
    // Types a line and enters it, as the main loop reads it.
    std::string enter(const std::string& text) {
        screen.typeText(text);
        return readInputLine(&history);
    }
};

TEST_F(RecallTest, UpShowsTheLineReadyToEditAndEnterRunsItAgain) {
    enter("get rock");
    enter("look");
    press(KeyCode::ArrowUp);
    press(KeyCode::ArrowUp);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(&history), "get rock");
    EXPECT_EQ(inputRow(), "");
    EXPECT_EQ(screen.cursorX(), 3);

    // Recalled, then edited: the cursor stands after the line.
    press(KeyCode::ArrowUp);
    for (int i = 0; i < 4; ++i) press(KeyCode::Backspace);
    screen.typeText("stick");
    EXPECT_EQ(readInputLine(&history), "get stick");
    EXPECT_EQ(allOlder(history), (std::vector<std::string>{"get stick", "get rock", "look", "get rock"}));
}

// Notes the input row each time it hands over an ignored key, to see the row in mid-line.
class RowWatchingConsole : public MemoryConsole {
public:
    struct Row {
        std::string text;
        int cursor;
        bool grey;
    };
    std::vector<Row> rows;
    void lookAtTheRow() { pushEvent(InputEvent::special(KeyCode::Other)); }
    InputEvent nextEvent(int timeoutMs) override {
        InputEvent e = MemoryConsole::nextEvent(timeoutMs);
        if (e.type == InputEvent::Type::Key && e.key == KeyCode::Other) {
            bool grey = true;
            for (int x = 3; x < 78; ++x) grey = grey && cell(x, kRow).attr == 0x07;
            rows.push_back({rowText(kRow, 3, 78), cursorX(), grey});
        }
        return e;
    }
};

TEST_F(RecallTest, TheRowShowsTheRecalledLineAndThenWhatWasBeingTyped) {
    RowWatchingConsole watched;
    setConsole(&watched);
    setUpConsole();
    watched.typeText("inventory");
    ASSERT_EQ(readInputLine(&history), "inventory");

    watched.typeText("no", false);  // "rth" is suggested
    watched.pushEvent(InputEvent::special(KeyCode::ArrowUp));
    watched.lookAtTheRow();
    watched.pushEvent(InputEvent::special(KeyCode::ArrowDown));
    watched.lookAtTheRow();
    watched.pushEvent(InputEvent::special(KeyCode::Enter));
    EXPECT_EQ(readInputLine(&history), "north") << "the suggestion came back with the typed word";
    ASSERT_EQ(watched.rows.size(), 2u);
    EXPECT_EQ(watched.rows[0].text, "inventory");
    EXPECT_EQ(watched.rows[0].cursor, 12);
    EXPECT_TRUE(watched.rows[0].grey) << "no suggestion is left highlighted";
    EXPECT_EQ(watched.rows[1].text, "north");
    EXPECT_EQ(watched.rows[1].cursor, 5);
    EXPECT_EQ(watched.cell(5, kRow).attr, 0x07) << "the row is blank and grey after Enter";
    setConsole(&screen);
}

TEST_F(RecallTest, ARecalledLineKeepsToTheInputLimit) {
    enter("northwest");
    enter("n");
    enter("get coconut");
    setInputLimit(3);
    press(KeyCode::ArrowUp);
    press(KeyCode::ArrowUp);  // nothing older fits: "n" stays
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(&history), "n");
}

TEST_F(RecallTest, ShortcutsAreNotKeptAndAReadWithoutHistoryIgnoresTheArrows) {
    enter("get rock");
    screen.pushEvent(InputEvent::keypad(8));
    EXPECT_EQ(readInputLine(&history), "north");
    press(KeyCode::ArrowUp);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(&history), "get rock") << "the keypad's move was not typed";

    // The menu and the questions read without a history.
    press(KeyCode::ArrowUp);
    press(KeyCode::ArrowDown);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "");
    EXPECT_EQ(inputRow(), "");
}
}  // namespace
