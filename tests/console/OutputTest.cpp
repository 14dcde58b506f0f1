#include <random>
#include <sstream>
#include <vector>

#include "TestSupport.h"
#include "console/OutputTesting.h"

namespace {
// The bottom line being written is 299; a finished line is 298 when a newline followed it.
std::string lastLine(int back = 1) { return scrollbackLine(kScrollbackLines - 1 - back); }
ScreenCell cellOf(int line, int col) { return scrollback().line(line)[static_cast<std::size_t>(col)]; }
}  // namespace

using OutputTest = GameTest;

namespace {
// The plain front end's view of the output: what reaches standard output.
class PlainRecorder : public MemoryConsole {
public:
    std::string text;
    void plainText(const char* t) override { text += t; }
};

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}
}  // namespace

TEST_F(OutputTest, ColourCodesSetForegroundAndRestore) {
    printMarked("/RHello /Gworld/x!\n");
    EXPECT_EQ(lastLine(), "Hello world!");
    EXPECT_EQ(cellOf(298, 0).attr, 0x0C);
    EXPECT_EQ(cellOf(298, 6).attr, 0x0A);
    EXPECT_EQ(cellOf(298, 11).attr, 0x0C);  // "/x" brings back bright red
    // The screen's text area shows the same cells at row 45 (the newest view).
    EXPECT_EQ(screen.cell(1, 45).ch, 'H');
    EXPECT_EQ(screen.cell(1, 45).attr, 0x0C);
}

TEST_F(OutputTest, RestoreWithoutAnyCodeGivesBrightWhiteThenLastSaved) {
    printMarked("/xa\n");
    EXPECT_EQ(cellOf(298, 0).attr, 0x0F);
    printMarked("/Yb/Gc\n");  // "/G" saves yellow
    printMarked("/xd\n");
    EXPECT_EQ(cellOf(298, 0).attr, 0x0E);
}

TEST_F(OutputTest, EachCallStartsGreyOnBlackAndCallsShareALine) {
    printMarked("/Rabc");
    printMarked("def\n");
    EXPECT_EQ(lastLine(), "abcdef");
    EXPECT_EQ(cellOf(298, 0).attr, 0x0C);
    EXPECT_EQ(cellOf(298, 3).attr, 0x07);
}

TEST_F(OutputTest, BackgroundAndLiteralMarks) {
    printMarked("@bA@@B//C@eD\n");
    EXPECT_EQ(lastLine(), "A@B/CD");
    EXPECT_EQ(cellOf(298, 0).attr, 0x17);
    EXPECT_EQ(cellOf(298, 1).attr, 0x07);  // '@' keeps the foreground on black
    EXPECT_EQ(cellOf(298, 3).attr, 0x17);  // '/' in the current colours
    EXPECT_EQ(cellOf(298, 5).attr, 0x87);
}

TEST_F(OutputTest, FormatConversions) {
    printMarked("%d%% %i %u %o %x %X %c %s %f\n", 50, -3, 7u, 8, 255, 255, 'z', "str", 1.5);
    EXPECT_EQ(lastLine(), "50% -3 7 10 ff FF z str 1.500000");
    std::string s = "/Yyellow";
    printMarked("%s\n", s);
    EXPECT_EQ(cellOf(298, 0).attr, 0x0E);
}

TEST_F(OutputTest, BadConversionPrintsOnlyTheError) {
    printMarked("abc %5d\n", 3);
    EXPECT_EQ(lastLine(), "Error.  Invalid character following '%'.");
    printMarked("trailing %");
    EXPECT_EQ(lastLine(), "Error.  Invalid character following '%'.");
    EXPECT_EQ(scrollbackLine(297), "Error.  Invalid character following '%'.");
}

TEST_F(OutputTest, BadCodeKeepsWhatWasDrawnAndDropsTheRest) {
    printMarked("ab/Qcd\n");
    EXPECT_EQ(lastLine(), "abError.  Invalid character following '/'.");
    printMarked("/e\n");
    EXPECT_EQ(lastLine(), "Error.  Invalid character following '/'.");
    printMarked("x@z\n");
    EXPECT_EQ(lastLine(), "xError.  Invalid character following '/'.");
}

TEST_F(OutputTest, WordThatWouldEndInColumn78MovesWhole) {
    std::string text = std::string(70, 'a') + " bbbbbbbbbb\n";
    printMarked("%s", text);
    EXPECT_EQ(lastLine(2), std::string(70, 'a'));
    EXPECT_EQ(lastLine(), "bbbbbbbbbb");
}

TEST_F(OutputTest, SpaceOnColumn78Disappears) {
    std::string text = std::string(77, 'a') + " next\n";
    printMarked("%s", text);
    EXPECT_EQ(lastLine(2), std::string(77, 'a'));
    EXPECT_EQ(lastLine(), "next");
}

TEST_F(OutputTest, FullLineThenNewlineLeavesAnEmptyLine) {
    std::string text = std::string(77, 'x') + "\n";
    printMarked("%s", text);
    printMarked("after\n");
    EXPECT_EQ(lastLine(3), std::string(77, 'x'));
    EXPECT_EQ(lastLine(2), "");
    EXPECT_EQ(lastLine(), "after");
}

TEST_F(OutputTest, ColourCodesTakeNoColumnsWhenWrapping) {
    std::string text;
    std::string visible;
    for (int i = 0; i < 37; ++i) {
        text += "/Ra/Gb";
        visible += "ab";
    }
    text += " c\n";  // 76 columns: fits only if the codes count nothing
    printMarked("%s", text);
    EXPECT_EQ(lastLine(), visible + " c");
}

TEST_F(OutputTest, RunWithoutBreakPointIsCutByTheDrawing) {
    std::string text = std::string(100, 'q') + "\n";
    printMarked("%s", text);
    EXPECT_EQ(lastLine(2), std::string(77, 'q'));
    EXPECT_EQ(lastLine(), std::string(23, 'q'));
}

TEST_F(OutputTest, WordStartedInEarlierCallIsNotSplitBackwards) {
    printMarked("%s", std::string(60, 'a'));
    std::string more = std::string(30, 'b') + "\n";
    printMarked("%s", more);
    EXPECT_EQ(lastLine(2), std::string(60, 'a') + std::string(17, 'b'));
    EXPECT_EQ(lastLine(), std::string(13, 'b'));
}

TEST_F(OutputTest, EmptyFormatLeavesAScrolledViewAlone) {
    for (int i = 0; i < 60; ++i) printMarked("line %d\n", i);
    scrollViewUp();
    scrollViewUp();
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 2);
    printMarked("");
    EXPECT_EQ(scrollback().viewTop, newestViewTop() - 2);
    printMarked("x");
    EXPECT_EQ(scrollback().viewTop, newestViewTop());
}

TEST_F(OutputTest, ScrollbackKeepsThreeHundredLinesAndViewStops) {
    for (int i = 0; i < 320; ++i) printMarked("line %d\n", i);
    EXPECT_EQ(scrollbackLine(0), "line 21");
    EXPECT_EQ(scrollbackLine(298), "line 319");
    for (int i = 0; i < 400; ++i) scrollViewUp();
    EXPECT_EQ(scrollback().viewTop, 0);
    EXPECT_EQ(screen.rowText(1, 1, 78), "line 21");
    for (int i = 0; i < 400; ++i) scrollViewDown();
    EXPECT_EQ(scrollback().viewTop, newestViewTop());
    EXPECT_EQ(screen.rowText(45, 1, 78), "line 319");
}

TEST_F(OutputTest, PauseShowsArrowThenClearsOnAKey) {
    screen.pushEvent(InputEvent::character('k'));
    printMarked("wait/sgo\n");
    // The arrow's cell is cleared and drawing goes on in the same column.
    EXPECT_EQ(lastLine(), "waitgo");
    EXPECT_EQ(screen.nextEvent(0).type, InputEvent::Type::Closed);  // the key was consumed
}

TEST(WrapTest, StartColumnCountsTowardTheLimit) {
    std::string text = "hello world";
    wrapMarkedText(text, 72);
    // The space falls on column 78: the drawing wraps there by itself and
    // draws nothing for it; the plain output breaks the line.
    EXPECT_EQ(stripMarkup(text), "hello\nworld");
    std::string longer = "hello worlds";
    wrapMarkedText(longer, 71);
    EXPECT_EQ(longer, "hello\nworlds");
}

TEST(WrapTest, StripMarkupKeepsLiterals) {
    EXPECT_EQ(stripMarkup("/Ra//b@@c@bd/x/se"), "a/b@cde");
}

TEST_F(OutputTest, PlainOutputKeepsWordsApartWhereALineFillsTheWidth) {
    PlainRecorder plain;
    setConsole(&plain);
    clearScrollback();
    // "as" ends on the last column; the blank after it is where the line wraps.
    const std::string filler(67, 'w');
    printMarked((filler + " softly as each wave\n").c_str());
    EXPECT_EQ(plain.text, filler + " softly as\neach wave\n");
    EXPECT_EQ(lastLine(2), filler + " softly as");
    EXPECT_EQ(lastLine(), "each wave");
    setConsole(&screen);
}

TEST_F(OutputTest, PlainOutputHasEveryWordAndTheScreensLines) {
    // Texts of random words, colour codes and double blanks, from random
    // columns: the plain output holds every word intact, broken into the
    // lines the screen shows.
    std::mt19937 pick(15);
    PlainRecorder plain;
    setConsole(&plain);
    for (int round = 0; round < 400; ++round) {
        clearScrollback();
        const int startColumn = static_cast<int>(pick() % 60);
        printMarked(std::string(static_cast<std::size_t>(startColumn), '-').c_str());
        plain.text.clear();
        std::string text;
        std::string words;
        const int count = 5 + static_cast<int>(pick() % 60);
        for (int i = 0; i < count; ++i) {
            std::string word(1 + pick() % 12, static_cast<char>('a' + pick() % 26));
            word += std::to_string(i);
            words += word + " ";
            if (pick() % 5 == 0) text += "/G";
            text += word;
            if (pick() % 7 == 0) text += "/x";
            text += pick() % 4 == 0 ? "  " : " ";
        }
        text += "end\n";
        words += "end";
        printMarked(text.c_str());
        SCOPED_TRACE(text);
        ASSERT_EQ(wordsOf(plain.text), wordsOf(words));

        std::vector<std::string> lines;
        std::istringstream in(std::string(static_cast<std::size_t>(startColumn), '-') + plain.text);
        for (std::string line; std::getline(in, line);) {
            while (!line.empty() && line.back() == ' ') line.pop_back();
            lines.push_back(line);
        }
        // The screen's lines start where the dashes are (a full last line
        // leaves a blank one after it there, not in the plain output).
        int first = 0;
        while (first < kScrollbackLines && scrollbackLine(first).empty()) ++first;
        for (std::size_t i = 0; i < lines.size(); ++i)
            ASSERT_EQ(scrollbackLine(first + static_cast<int>(i)), lines[i]) << "line " << i;
    }
    setConsole(&screen);
}

namespace {
// Records each scroll the output asks of the console.
class ScrollRecorder : public MemoryConsole {
public:
    std::vector<int> scrolls;
    void scrollUp(int x, int y, int w, int h, int rows) override {
        EXPECT_EQ(x, 1);
        EXPECT_EQ(y, 1);
        EXPECT_EQ(w, kTextWidth);
        // The last row, blank before and after, may stay out of it.
        EXPECT_TRUE(h == screenLayout().textRows || h == screenLayout().textRows - 1) << h;
        scrolls.push_back(rows);
        MemoryConsole::scrollUp(x, y, w, h, rows);
    }
};
}  // namespace

TEST_F(OutputTest, TheConsoleIsToldHowFarTheTextScrolled) {
    ScrollRecorder recorder;
    setConsole(&recorder);
    setUpConsole();
    printMarked("first\n");  // the first draw after a clear moves nothing
    EXPECT_TRUE(recorder.scrolls.empty());
    // Blank lines and repeated lines count like any other.
    printMarked("same\n\nsame\nsame\n");
    printMarked("no newline yet");
    printMarked(", still none");
    printMarked("\n");
    EXPECT_EQ(recorder.scrolls, (std::vector<int>{4, 1}));
    for (int row = 1; row <= screenLayout().textRows; ++row)
        EXPECT_EQ(recorder.rowText(row, 1, 1 + kTextWidth), scrollbackLine(newestViewTop() + row - 1)) << row;
    EXPECT_EQ(recorder.rowText(45, 1, 78), "no newline yet, still none");
    // A page or more at once is drawn whole rather than scrolled.
    recorder.scrolls.clear();
    std::string many;
    for (int i = 0; i < screenLayout().textRows; ++i) many += "line " + std::to_string(i) + "\n";
    printMarked(many.c_str());
    EXPECT_TRUE(recorder.scrolls.empty());
    EXPECT_EQ(recorder.rowText(45, 1, 78), "line 45");
    EXPECT_EQ(recorder.cell(1, 45).attr, 0x07);
    // Scrolling the view back up redraws; coming down again is a scroll of one.
    scrollViewUp();
    EXPECT_EQ(recorder.rowText(46, 1, 78), "line 45");
    scrollViewDown();
    EXPECT_EQ(recorder.scrolls, (std::vector<int>{1}));
    EXPECT_EQ(recorder.rowText(46, 1, 78), "");
    setConsole(&screen);
}

TEST(MemoryConsoleTest, ScrollUpMovesTheBlockAndBlanksTheRowsThatComeIn) {
    MemoryConsole memory;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 4; ++x) {
            const ScreenCell digit{static_cast<std::uint8_t>('0' + y), 0x1E};
            memory.writeCells(x, y, 1, 1, &digit);
        }
    memory.scrollUp(1, 1, 2, 3, 2);
    EXPECT_EQ(memory.rowText(0), "0000");
    EXPECT_EQ(memory.rowText(1), "1331");  // row 3 moved up two, beside it nothing moved
    EXPECT_EQ(memory.rowText(2), "2  2");
    EXPECT_EQ(memory.rowText(3), "3  3");
    EXPECT_EQ(memory.cell(1, 1).attr, 0x1E);
    EXPECT_EQ(memory.cell(1, 2).attr, 0x00);
    EXPECT_EQ(memory.rowText(4), "4444");
}

TEST_F(OutputTest, HeldOutputReachesTheScreenOnceWithOneScroll) {
    ScrollRecorder recorder;
    setConsole(&recorder);
    setUpConsole();
    printMarked("before\n");
    {
        HeldOutput held;
        printMarked("one\n");
        {
            HeldOutput inner;
            printMarked("two\n");
        }
        printMarked("three\n");
        EXPECT_EQ(recorder.rowText(45, 1, 78), "before") << "nothing shown while held";
        EXPECT_TRUE(recorder.scrolls.empty());
    }
    EXPECT_EQ(recorder.scrolls, (std::vector<int>{3}));
    EXPECT_EQ(recorder.rowText(43, 1, 78), "one");
    EXPECT_EQ(recorder.rowText(45, 1, 78), "three");
    // A line to be typed shows what was held so far.
    {
        HeldOutput held;
        printMarked("Your answer?\n");
        showHeldOutput();
        EXPECT_EQ(recorder.rowText(45, 1, 78), "Your answer?");
    }
    EXPECT_EQ(recorder.scrolls, (std::vector<int>{3, 1}));
    setConsole(&screen);
}

TEST(WrapTest, ABreakAtARunOfBlanksDropsTheWholeRun) {
    // Two blanks after a full stop, both past the last column: neither
    // starts the next line.
    std::string twoPast = std::string(76, 'a') + ".  Next";
    wrapMarkedText(twoPast, 0);
    EXPECT_EQ(stripMarkup(twoPast), std::string(76, 'a') + ".\nNext");
    // One blank on the last column, the next past it.
    std::string straddling = std::string(75, 'a') + ".  Next";
    wrapMarkedText(straddling, 0);
    EXPECT_EQ(stripMarkup(straddling), std::string(75, 'a') + ".\nNext");
    // A word too long for the line goes down whole; the blanks before it stay behind no more.
    std::string backward = std::string(70, 'a') + ".   abcdefghij";
    wrapMarkedText(backward, 0);
    EXPECT_EQ(stripMarkup(backward), std::string(70, 'a') + ".\nabcdefghij");
}

TEST_F(OutputTest, NoLineOnTheScreenStartsWithABlankAfterARunOfThem) {
    printMarked("%s", std::string(76, 'a') + ".  Next\n");
    EXPECT_EQ(lastLine(2), std::string(76, 'a') + ".");
    EXPECT_EQ(lastLine(), "Next");
}
