#include "console/LineEditor.h"

#include <vector>

#include "TestSupport.h"
#include "console/CommandHistory.h"
#include "console/Screen.h"

namespace {
constexpr int kRow = 48;

class LineEditorTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        setUpConsole();
        setInputLimit(75);
    }
    void TearDown() override {
        setInputLimit(75);
        GameTest::TearDown();
    }
    std::string inputRow() { return screen.rowText(kRow, 3, 78); }
    void press(KeyCode key) { screen.pushEvent(InputEvent::special(key)); }
    std::uint16_t attrAt(int x) { return screen.cell(x, kRow).attr; }
};

TEST_F(LineEditorTest, KeypadDigitOnEmptyLineReturnsItsCommandAtOnce) {
    const char* expected[10] = {"use map", "southwest", "south", "southeast", "west",
                                "look", "east", "northwest", "north", "northeast"};
    for (int digit = 0; digit < 10; ++digit) {
        screen.pushEvent(InputEvent::keypad(digit));
        screen.typeText("x");  // must stay unread: the shortcut ends the call
        EXPECT_EQ(readInputLine(), expected[digit]);
        screen.clearInput();
    }
}

TEST_F(LineEditorTest, KeypadDigitIsIgnoredOnceSomethingIsTyped) {
    screen.typeText("ab", false);
    screen.pushEvent(InputEvent::keypad(8));
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "ab");
}

TEST_F(LineEditorTest, AKeypadShortcutLongerThanTheLimitIsNotOffered) {
    setInputLimit(1);  // a conversation's one-letter answer
    screen.pushEvent(InputEvent::keypad(8));
    screen.typeText("a");
    EXPECT_EQ(readInputLine(), "a");
    setInputLimit(5);
    screen.pushEvent(InputEvent::keypad(6));
    EXPECT_EQ(readInputLine(), "east");
    setInputLimit(75);
}

TEST_F(LineEditorTest, KeypadAndCompletionAreOffWhileNoGameRuns) {
    game.running = 0;
    screen.pushEvent(InputEvent::keypad(8));
    screen.typeText("inv", false);
    EXPECT_EQ(screen.cell(6, kRow).attr, 0x07);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "inv");
    EXPECT_EQ(inputRow(), "");
}

namespace {
// Keeps the input row as it was when the scripted keys ran out.
class RowWatcher : public MemoryConsole {
public:
    std::string text;
    std::vector<std::uint16_t> attrs;  // columns 3 to 77
    InputEvent nextEvent(int timeoutMs) override {
        InputEvent e = MemoryConsole::nextEvent(timeoutMs);
        if (e.type == InputEvent::Type::Closed && attrs.empty()) {
            text = rowText(kRow, 3, 78);
            for (int x = 3; x <= 77; ++x) attrs.push_back(cell(x, kRow).attr);
        }
        return e;
    }
};

// The row shown after typing `typed`, and the line a closed input hands back.
std::string typeAndWatch(const std::string& typed, RowWatcher& watcher, std::string& line) {
    setConsole(&watcher);
    resetInputState();
    setUpConsole();
    watcher.typeText(typed, false);
    line = readInputLine();
    return watcher.text;
}
}  // namespace

TEST_F(LineEditorTest, CompletionFollowsTheListOrder) {
    struct Case { const char* typed; const char* shown; };
    const Case cases[] = {{"no", "rth"}, {"so", "uth"}, {"northw", "est"}, {"northe", "ast"},
                          {"fe", "breeze fabric freshener?"}, {"mo", "ngoose?"}, {"co", "mbine"}};
    for (const Case& c : cases) {
        RowWatcher watcher;
        std::string line;
        const std::string typed = c.typed;
        const std::string shown = c.shown;
        EXPECT_EQ(typeAndWatch(typed, watcher, line), typed + shown);
        for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(watcher.attrs[typed.size() + i], 0x1F) << c.typed;
        EXPECT_EQ(watcher.attrs[typed.size() + shown.size()], 0x07) << c.typed;
        EXPECT_EQ(watcher.attrs[0], 0x07) << c.typed;
        EXPECT_EQ(line, typed) << "a closed input takes no suggestion";
        EXPECT_EQ(watcher.rowText(kRow, 3, 78), "") << "and leaves the row empty";
    }
    setConsole(&screen);
}

TEST_F(LineEditorTest, NoSuggestionForShortUnknownOrCompleteWords) {
    for (const char* typed : {"n", "xyz", "use", "North", "north"}) {
        RowWatcher watcher;
        std::string line;
        EXPECT_EQ(typeAndWatch(typed, watcher, line), typed);
        for (std::uint16_t attr : watcher.attrs) EXPECT_EQ(attr, 0x07) << typed;
    }
    setConsole(&screen);
}

TEST_F(LineEditorTest, CompletionIsCutToTheRoomLeft) {
    EXPECT_EQ(completionFor("fe", 5), "breez");
    EXPECT_EQ(completionFor("fe", 0), "");
    EXPECT_EQ(completionFor("inv", 75), "entory");
    EXPECT_EQ(completionFor("inventory s", 75), "") << "only the first word is completed";
}

TEST_F(LineEditorTest, TypingShowsTheHighlightedRestAndEnterTakesIt) {
    screen.typeText("inv", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "inventory");
    // The row is blank and grey again, the cursor back after the prompt.
    EXPECT_EQ(inputRow(), "");
    for (int x = 3; x < 78; ++x) EXPECT_EQ(attrAt(x), 0x07);
    EXPECT_EQ(screen.cursorX(), 3);
    EXPECT_EQ(screen.rowText(kRow, 1, 3), ">");
}

TEST_F(LineEditorTest, TypingPastASuggestionWipesIt) {
    screen.typeText("nox", false);  // "no" shows "rth"; the x matches nothing
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "nox");
}

TEST_F(LineEditorTest, SpaceTakesTheSuggestionAndLeavesRoomForTheSpace) {
    screen.typeText("inv sa", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "inventory sa");
}

TEST_F(LineEditorTest, SpaceAfterOneLetterAddsOnlyTheSpace) {
    screen.typeText("n x", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "n x");
}

TEST_F(LineEditorTest, NoLeadingSpaceAndNoDoubleSpace) {
    screen.typeText("  ab  cd", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "ab cd");
}

TEST_F(LineEditorTest, BackspaceRemovesTheLastCharacterAndItsSuggestion) {
    screen.typeText("ab", false);
    press(KeyCode::Backspace);
    screen.typeText("c", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "ac");

    screen.typeText("nor", false);  // shows "th"
    press(KeyCode::Backspace);
    press(KeyCode::Backspace);
    press(KeyCode::Backspace);
    press(KeyCode::Backspace);  // nothing left to remove: the prompt stays
    screen.typeText("x", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "x");
    EXPECT_EQ(screen.rowText(kRow, 1, 3), ">");
}

TEST_F(LineEditorTest, InputLimitStopsTypingUntilBackspace) {
    setInputLimit(1);
    EXPECT_EQ(inputLimit(), 4);
    screen.typeText("ab", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "a");

    screen.typeText("ab", false);
    press(KeyCode::Backspace);
    screen.typeText("c", false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "c");

    setInputLimit(0);
    EXPECT_EQ(inputLimit(), 4);
    setInputLimit(200);
    EXPECT_EQ(inputLimit(), 78);
}

TEST_F(LineEditorTest, LongestLineFillsTheRowAndNoMore) {
    std::string typed(80, 'a');
    screen.typeText(typed, false);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), std::string(75, 'a'));
    EXPECT_EQ(screen.cell(78, kRow).ch, ' ');
}

TEST_F(LineEditorTest, SuggestionNeverRunsPastTheLimit) {
    // "fe" then Space takes the long febreeze entry; with 19 characters allowed
    // the suggestion is cut where typing would stop.
    setInputLimit(19);
    screen.typeText("fe ", false);
    press(KeyCode::Enter);
    std::string line = readInputLine();
    EXPECT_EQ(line, "febreeze fabric fre");
    EXPECT_EQ(screen.cell(79, kRow).ch, 0xBA);  // the frame is untouched
}

TEST_F(LineEditorTest, FebreezeEntryKeepsSuggestingInsideTheRow) {
    // The entry holds spaces, so its first word keeps matching; every
    // suggestion stays inside the row and the line inside its 75 characters.
    screen.typeText("fe " + std::string(60, 'a') + " b", false);
    press(KeyCode::Enter);
    std::string line = readInputLine();
    EXPECT_LE(line.size(), 75u);
    EXPECT_EQ(line.rfind("febreeze fabric freshener? ", 0), 0u);
    EXPECT_EQ(screen.cell(79, kRow).ch, 0xBA);
}

TEST_F(LineEditorTest, LineWithoutLetterOrDigitComesBackEmpty) {
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "");
    screen.typeText("!?-", false);  // punctuation is not typed at all
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "");
    EXPECT_EQ(inputRow(), "");
    EXPECT_EQ(screen.cursorX(), 3);
}

TEST_F(LineEditorTest, CommasCanBeTypedForThePassengerList) {
    screen.typeText("mary,,bob,", true);
    EXPECT_EQ(readInputLine(), "mary,,bob,");
    screen.typeText(",,", true);  // commas alone are no line
    EXPECT_EQ(readInputLine(), "");
}

namespace {
// Scripted keys, with the game ending (as a death in the night ends it)
// on the given read, which brings no key.
class EndingConsole : public MemoryConsole {
public:
    explicit EndingConsole(int endOnRead) : endOnRead_(endOnRead) {}
    int reads = 0;
    InputEvent nextEvent(int timeoutMs) override {
        if (++reads == endOnRead_) {
            game.running = 0;
            return {};
        }
        return MemoryConsole::nextEvent(timeoutMs);
    }

private:
    int endOnRead_;
};
}  // namespace

TEST_F(LineEditorTest, AnUntouchedLineComesBackEmptyWhenTheGameEnds) {
    EndingConsole ending(1);
    setConsole(&ending);
    setUpConsole();
    game.running = 1;
    ending.typeText("look");  // never read: the game is over first
    EXPECT_EQ(readInputLine(), "");
    EXPECT_EQ(ending.reads, 1);
    setConsole(&screen);
}

TEST_F(LineEditorTest, ABegunLineIsDroppedWhenTheGameEnds) {
    EndingConsole ending(3);
    setConsole(&ending);
    setUpConsole();
    game.running = 1;
    ending.typeText("ri");  // two letters typed, then the game ends before Enter
    EXPECT_EQ(readInputLine(), "");
    EXPECT_EQ(ending.reads, 3) << "no Enter is waited for";
    EXPECT_EQ(ending.rowText(kRow, 3, 78), "") << "what was typed is gone from the row";
    setConsole(&screen);
}

TEST_F(LineEditorTest, ClosedInputHandsBackWhatWasTyped) {
    screen.typeText("look", false);
    EXPECT_EQ(readInputLine(), "look");
    EXPECT_TRUE(inputClosed());
    EXPECT_EQ(readInputLine(), "");
}

TEST_F(LineEditorTest, ControlLettersAreNotTyped) {
    InputEvent ctrlA = InputEvent::character('a');
    ctrlA.ctrl = true;
    screen.pushEvent(ctrlA);
    InputEvent keyUp = InputEvent::character('b');
    keyUp.keyDown = false;
    screen.pushEvent(keyUp);
    screen.typeText("c", true);
    EXPECT_EQ(readInputLine(), "c");
}

class ScrollKeysTest : public LineEditorTest {
protected:
    void SetUp() override {
        LineEditorTest::SetUp();
        for (int i = 0; i < 60; ++i) printMarked("line %d\n", i);
    }
};

TEST_F(ScrollKeysTest, KeypadPlusMinusAndMousePageTheScrollback) {
    screen.typeText("ab", false);
    press(KeyCode::KeypadMinus);
    press(KeyCode::KeypadMinus);
    screen.pushEvent(InputEvent::scrollWheel(120));
    screen.pushEvent(InputEvent::click(78, 1));
    screen.pushEvent(InputEvent::click(77, 1));   // beside the arrow: nothing
    screen.pushEvent(InputEvent::scrollWheel(60));  // not a whole notch: nothing
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "ab");
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 4);

    press(KeyCode::KeypadPlus);
    screen.pushEvent(InputEvent::scrollWheel(-120));
    screen.pushEvent(InputEvent::click(78, 46));
    press(KeyCode::Enter);
    readInputLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 1);

    // Paging stops at the newest line, and works with no game running.
    game.running = 0;
    press(KeyCode::KeypadPlus);
    press(KeyCode::KeypadPlus);
    press(KeyCode::Enter);
    readInputLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop());
}

// A page is the text area less one line: the line that was at the top stays
// in view at the bottom, so the reader does not lose the place.
TEST_F(ScrollKeysTest, PageUpAndPageDownMoveByAPageAndStopAtTheEnds) {
    for (int i = 60; i < 320; ++i) printMarked("/Yline %d\n", i);
    ASSERT_EQ(screen.rowText(1, 1, 78), "line 275");
    screen.typeText("ab", false);
    press(KeyCode::PageUp);
    press(KeyCode::Enter);
    EXPECT_EQ(readInputLine(), "ab") << "paging leaves the typed line alone";
    EXPECT_EQ(screen.rowText(1, 1, 78), "line 230");
    EXPECT_EQ(screen.rowText(46, 1, 78), "line 275");

    for (int i = 0; i < 6; ++i) press(KeyCode::PageUp);  // five pages would do
    press(KeyCode::Enter);
    readInputLine();
    EXPECT_EQ(scrollback().viewTop, 0);
    EXPECT_EQ(screen.rowText(1, 1, 78), "line 21");

    // From the oldest line down one page, then on past the newest, with no game running.
    game.running = 0;
    press(KeyCode::PageDown);
    press(KeyCode::Enter);
    readInputLine();
    EXPECT_EQ(screen.rowText(1, 1, 78), "line 66");
    for (int i = 0; i < 7; ++i) press(KeyCode::PageDown);
    press(KeyCode::Enter);
    readInputLine();
    EXPECT_EQ(scrollback().viewTop, newestViewTop());
    EXPECT_EQ(screen.rowText(45, 1, 78), "line 319");
    EXPECT_EQ(screen.cell(1, 45).attr, 0x0E) << "the text keeps its colour";
}
}  // namespace

namespace {
// The plain front end's editor: same typing rules, no shortcuts, no completion.
class NonInteractiveConsole : public MemoryConsole {
public:
    bool interactive() const override { return false; }
};

TEST(PlainEditorTest, NoKeypadShortcutsOrCompletion) {
    NonInteractiveConsole plain;
    setConsole(&plain);
    resetInputState();
    game.running = 1;
    setInputLimit(75);
    plain.pushEvent(InputEvent::keypad(8));
    plain.typeText("inv ../x!", true);
    EXPECT_EQ(readInputLine(), "inv x");
    for (int x = 3; x < 78; ++x) EXPECT_EQ(plain.cell(x, 48).attr, 0x07);
    setConsole(nullptr);
}
}  // namespace

TEST_F(LineEditorTest, AnAnswerIsTypedAsIsWithoutCompletionOrShortcuts) {
    screen.typeText("no");
    EXPECT_EQ(readInputLine(nullptr, LineKind::Answer), "no") << "never completed to north";
    screen.pushEvent(InputEvent::keypad(8));
    screen.typeText("yes");
    EXPECT_EQ(readInputLine(nullptr, LineKind::Answer), "yes") << "a keypad digit is no answer";
    screen.typeText("no");
    EXPECT_EQ(readInputLine(), "north") << "a command line still completes";
}

namespace {
// A conversation opens after the seventh key; two more keys were already
// typed by then. Once those are read, "b" comes, typed after the choices.
class ConversationOpensWhileTyping : public MemoryConsole {
public:
    InputEvent nextEvent(int timeoutMs) override {
        if (delivered == 7 && !dropped) {
            dropped = true;
            dropTypedLine();
        }
        if (delivered == 9 && !answered) {
            answered = true;
            typeText("b");
            return InputEvent{};
        }
        ++delivered;
        return MemoryConsole::nextEvent(timeoutMs);
    }
    int delivered = 0;
    bool dropped = false, answered = false;
};
}  // namespace

TEST_F(LineEditorTest, AConversationDropsTheLineBeingTypedAndKeepsItInTheHistory) {
    ConversationOpensWhileTyping console;
    setConsole(&console);
    setUpConsole();
    console.typeText("combinezz", false);
    CommandHistory history;
    EXPECT_EQ(readInputLine(&history), "b") << "only a key typed after the choices answers";
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history.line(0), "combine") << "the dropped line can be brought back";
    EXPECT_FALSE(lineWasOvertaken()) << "the editor took the notice itself";
    dropTypedLine();
    EXPECT_TRUE(lineWasOvertaken()) << "a line handed back before the talk began is no answer";
    setConsole(&screen);
}
