// The painter against a small model of xterm: whatever the game draws and
// scrolls, with left and right margins or without, what the terminal shows
// after each paint is what the game drew, cell for cell and colour for colour.
#include <curses.h>
#include <term.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "console/Cp437.h"
#include "terminal/TerminalPainter.h"

namespace {

// Just enough of xterm to follow what the painter writes: printing with
// autowrap, carriage return, line feed, backspace, the cursor moves (up too),
// saving and restoring the cursor with its colours, the scrolling region
// with left and right margins, colours, reverse video and erasing.
class ModelTerminal {
public:
    struct Cell {
        char32_t ch = U' ';
        int fg = -2;  // -2: the terminal's own colour
        int bg = -2;
    };

    ModelTerminal(int height, int width) : rows_(height), columns_(width), cells_(static_cast<std::size_t>(height * width)) {
        bottom_ = height - 1;
        right_ = width - 1;
    }

    const Cell& at(int row, int column) const { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }
    int row() const { return row_; }
    int column() const { return column_; }

    void feed(const std::string& bytes) {
        for (std::size_t i = 0; i < bytes.size();) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte == 0x1b) {
                i = escape(bytes, i + 1);
            } else if (byte == '\r') {
                column_ = margins_ && column_ >= left_ ? left_ : 0;
                wrapPending_ = false;
                ++i;
            } else if (byte == '\n') {
                lineFeed();
                ++i;
            } else if (byte == '\b') {
                column_ = column_ > 0 ? column_ - 1 : 0;
                wrapPending_ = false;
                ++i;
            } else {
                int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : 3;
                char32_t c = length == 1 ? byte : length == 2 ? byte & 0x1F : byte & 0x0F;
                for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) & 0x3F);
                print(c);
                i += static_cast<std::size_t>(length);
            }
        }
    }

private:
    Cell& cell(int row, int column) { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }
    bool insideMargins() const { return !margins_ || (column_ >= left_ && column_ <= right_); }

    void print(char32_t c) {
        if (wrapPending_) {
            column_ = margins_ && insideMargins() ? left_ : 0;
            lineFeed();
        }
        Cell& target = cell(row_, column_);
        target.ch = c;
        target.fg = reverse_ ? bg_ : fg_;
        target.bg = reverse_ ? fg_ : bg_;
        const int edge = margins_ && insideMargins() ? right_ : columns_ - 1;
        if (column_ == edge) wrapPending_ = true;
        else if (column_ < columns_ - 1) ++column_;
    }

    void lineFeed() {
        wrapPending_ = false;
        if (row_ != bottom_) {
            if (row_ < rows_ - 1) ++row_;
            return;
        }
        if (!insideMargins()) return;
        const int first = margins_ ? left_ : 0;
        const int last = margins_ ? right_ : columns_ - 1;
        for (int r = top_; r <= bottom_; ++r)
            for (int c = first; c <= last; ++c) cell(r, c) = r < bottom_ ? cell(r + 1, c) : Cell{U' ', -2, bg_};
    }

    std::size_t escape(const std::string& bytes, std::size_t i) {
        if (i >= bytes.size()) return i;
        if (bytes[i] == '(') return i + 2;  // a character set: always ASCII here
        if (bytes[i] == '7') saved_ = Saved{row_, column_, fg_, bg_, reverse_};
        if (bytes[i] == '8') {
            row_ = saved_.row, column_ = saved_.column, fg_ = saved_.fg, bg_ = saved_.bg, reverse_ = saved_.reverse;
            wrapPending_ = false;
        }
        if (bytes[i] != '[') return i + 1;
        std::string params;
        ++i;
        while (i < bytes.size() && !(bytes[i] >= 0x40 && bytes[i] <= 0x7e)) params += bytes[i++];
        csi(bytes[i], params);
        return i + 1;
    }

    static std::vector<int> numbers(const std::string& params) {
        std::vector<int> out{0};
        for (char c : params) {
            if (c == ';') out.push_back(0);
            else if (c >= '0' && c <= '9') out.back() = out.back() * 10 + (c - '0');
        }
        return out;
    }

    void csi(char final, const std::string& params) {
        std::vector<int> n = numbers(params);
        auto arg = [&](std::size_t k, int fallback) { return k < n.size() && n[k] > 0 ? n[k] : fallback; };
        if (!params.empty() && params[0] == '?') {
            if (n[0] == 69 && (final == 'h' || final == 'l')) {
                margins_ = final == 'h';
                left_ = 0;
                right_ = columns_ - 1;
            }
            return;
        }
        wrapPending_ = wrapPending_ && final == 'm';
        switch (final) {
        case 'H': row_ = arg(0, 1) - 1, column_ = arg(1, 1) - 1; break;
        case 'G': column_ = arg(0, 1) - 1; break;
        case 'd': row_ = arg(0, 1) - 1; break;
        case 'A': row_ = std::max(row_ - arg(0, 1), row_ >= top_ ? top_ : 0); break;  // stops at the top margin
        case 'r': top_ = arg(0, 1) - 1, bottom_ = arg(1, rows_) - 1, row_ = column_ = 0; break;
        case 's':
            if (margins_) left_ = arg(0, 1) - 1, right_ = arg(1, columns_) - 1, row_ = column_ = 0;
            break;
        case 'X':
            for (int k = 0; k < arg(0, 1) && column_ + k < columns_; ++k) cell(row_, column_ + k) = Cell{U' ', -2, bg_};
            break;
        case 'm':
            for (std::size_t k = 0; k < n.size(); ++k) {
                const int v = n[k];
                if (v == 0) fg_ = bg_ = -2, reverse_ = false;
                else if (v == 7) reverse_ = true;
                else if (v == 27) reverse_ = false;
                else if (v >= 30 && v <= 37) fg_ = v - 30;
                else if (v >= 90 && v <= 97) fg_ = v - 90 + 8;
                else if (v >= 40 && v <= 47) bg_ = v - 40;
                else if (v >= 100 && v <= 107) bg_ = v - 100 + 8;
                else if (v == 39) fg_ = -2;
                else if (v == 49) bg_ = -2;
                else if ((v == 38 || v == 48) && k + 2 < n.size()) (v == 38 ? fg_ : bg_) = n[k + 2], k += 2;
            }
            break;
        default: break;
        }
    }

    int rows_;
    int columns_;
    std::vector<Cell> cells_;
    int row_ = 0, column_ = 0;
    bool wrapPending_ = false;
    int top_ = 0, bottom_;
    bool margins_ = false;
    int left_ = 0, right_;
    int fg_ = -2, bg_ = -2;
    bool reverse_ = false;
    struct Saved {
        int row = 0, column = 0, fg = -2, bg = -2;
        bool reverse = false;
    } saved_;
};

int terminalColour(int consoleColour) {
    return (consoleColour & 0x8) | ((consoleColour & 0x1) << 2) | (consoleColour & 0x2) | ((consoleColour & 0x4) >> 2);
}

// The game's side: a frame, a text area that scrolls, a scroll bar and an input row.
struct Game {
    CellGrid grid;
    std::mt19937 random{7};

    explicit Game(int height) : grid(height) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < kScreenWidth; ++x) {
                const bool edge = y == 0 || y == height - 1 || y == height - 3;
                if (edge) grid.put(x, y, ScreenCell{205, 0x07});  // ═
                else if (x == 0 || x == kScreenWidth - 1) grid.put(x, y, ScreenCell{186, 0x07});  // ║
                else if (x == kScreenWidth - 2 && y < height - 3) {
                    // ▒ between the arrows, which whole rows that scroll take along
                    const std::uint8_t bar = y == 1 ? 24 : y == height - 4 ? 25 : 177;
                    grid.put(x, y, ScreenCell{bar, 0x70});
                }
                else grid.put(x, y, ScreenCell{' ', y == height - 2 ? std::uint16_t{0x07} : std::uint16_t{0x00}});
            }
    }

    // A line of words in a few colours, or a blank line now and then.
    void writeLine(int y) {
        if (random() % 5 == 0) return;
        const std::uint16_t colours[] = {0x07, 0x0A, 0x0E, 0x0B, 0x1F, 0x0C};
        int x = 1;
        int end = 1 + static_cast<int>(random() % 77);
        std::uint16_t attr = colours[random() % 6];
        while (x <= end) {
            if (random() % 7 == 0) attr = colours[random() % 6];
            const char c = random() % 6 == 0 ? ' ' : static_cast<char>('a' + random() % 26);
            grid.put(x++, y, ScreenCell{static_cast<std::uint8_t>(c), attr});
        }
    }
};

void expectSame(const Game& game, const ModelTerminal& terminal, int left, const char* when) {
    for (int y = 0; y < game.grid.rows(); ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const ScreenCell want = game.grid.cell(x, y);
            const ModelTerminal::Cell& got = terminal.at(y, x + left);
            ASSERT_EQ(static_cast<std::uint32_t>(got.ch), static_cast<std::uint32_t>(cp437ToUnicode(want.ch)))
                << when << ": the letter at " << x << "," << y;
            ASSERT_EQ(got.bg, terminalColour(want.attr >> 4)) << when << ": the background at " << x << "," << y;
            if (want.ch != ' ') {  // a blank shows only its background
                ASSERT_EQ(got.fg, terminalColour(want.attr & 0x0F)) << when << ": the colour at " << x << "," << y;
            }
        }
}

// The painter set up as for xterm, with left and right margins or without.
TerminalAbilities xtermAbilities(bool columnMargins) {
    TerminalAbilities abilities;
    abilities.colours = true;
    abilities.colourCount = 256;
    abilities.backgroundColourErase = true;
    abilities.columnMargins = columnMargins;
    return abilities;
}

// The xterm description, set up once a process: a second setupterm leaves
// the first behind, which the leak checker reports.
bool xtermDescribed() {
    static const bool described = [] {
        int error = 0;
        return setupterm(const_cast<char*>("xterm-256color"), -1, &error) == OK;
    }();
    return described;
}

void playAgainstTheModel(bool columnMargins, int terminalColumns, int height = kDefaultScreenHeight) {
    ASSERT_TRUE(xtermDescribed()) << "no xterm-256color description";
    TerminalPainter painter(xtermAbilities(columnMargins));
    const int left = (terminalColumns - kScreenWidth) / 2;
    painter.forget(left, height, terminalColumns);
    ModelTerminal terminal(height, terminalColumns);
    Game game(height);
    const int inputRow = height - 2;
    int cursorColumn = 3;  // moves with what is typed, so the cursor's way back is not always the same
    auto paint = [&] {
        painter.paint(game.grid, cursorColumn, inputRow);
        game.grid.clearDirty();  // as the console does: the next paint looks at the rows changed since
        terminal.feed(painter.takeBytes());
    };
    paint();
    expectSame(game, terminal, left, "the first paint");
    const int textRows = height - 4;
    for (int step = 0; step < 400; ++step) {
        // The text area scrolls by a few rows, its last row kept out now and then.
        const int h = step % 3 == 0 ? textRows - 1 : textRows;
        const int rows = 1 + static_cast<int>(game.random() % (step % 10 == 0 ? textRows : 6));
        if (painter.scrollWaiting()) paint();
        painter.scrollBlock(1, 1, 77, h, rows);
        game.grid.scrollUp(1, 1, 77, h, rows);
        for (int y = 1 + h - std::min(rows, h); y <= h; ++y) game.writeLine(y);
        // Sometimes a second scroll comes before the paint, or the input row changes.
        if (step % 4 == 1) {
            if (painter.scrollWaiting()) paint();
            painter.scrollBlock(1, 1, 77, h, 1);
            game.grid.scrollUp(1, 1, 77, h, 1);
            game.writeLine(h);
        }
        if (step % 3 == 2) {
            cursorColumn = 3 + static_cast<int>(game.random() % 75);
            game.grid.put(cursorColumn, inputRow, ScreenCell{'k', 0x07});
        }
        if (step % 5 == 0) {
            for (int x = 3; x < kScreenWidth - 2; ++x) game.grid.put(x, inputRow, ScreenCell{' ', 0x07});
        }
        if (step % 2 == 0) {
            paint();
            expectSame(game, terminal, left, ("step " + std::to_string(step)).c_str());
            if (::testing::Test::HasFatalFailure()) return;
            ASSERT_EQ(terminal.row(), inputRow) << "the cursor waits on the input row";
            ASSERT_EQ(terminal.column(), cursorColumn + left);
        }
    }
}

// A command's answer, as a player sees it most: the typed word leaves the
// input row and a line of one colour comes in under the text above. The
// terminal gets its letters and a few bytes more: one colour, the moves to
// the text and back (back by restoring the place saved in the terminal),
// two line ends and the erase of the word.
//
// Without margins the frame's sides and the scroll bar come in with each
// row, in the same pass as its text.
struct Bytes {
    std::string answer;
    std::string typedOver;  // the rest of a highlighted word typed
};

Bytes answerBytes(bool columnMargins, const std::string& line) {
    EXPECT_TRUE(xtermDescribed()) << "no xterm-256color description";
    TerminalPainter painter(xtermAbilities(columnMargins));
    const int height = kDefaultScreenHeight;
    const int inputRow = height - 2;
    const int textRows = height - 4;
    painter.forget(0, height, kScreenWidth);
    ModelTerminal terminal(height, kScreenWidth);
    Game game(height);
    // The player types a word, and its answer, a line and a blank one, comes in.
    const auto answer = [&](const std::string& word, const std::string& text) {
        for (std::size_t i = 0; i < word.size(); ++i)
            game.grid.put(3 + static_cast<int>(i), inputRow, ScreenCell{static_cast<std::uint8_t>(word[i]), 0x07});
        painter.paint(game.grid, 3 + static_cast<int>(word.size()), inputRow);
        game.grid.clearDirty();
        terminal.feed(painter.takeBytes());
        for (int x = 3; x < 3 + static_cast<int>(word.size()); ++x) game.grid.put(x, inputRow, ScreenCell{' ', 0x07});
        painter.scrollBlock(1, 1, 77, textRows, 2);
        game.grid.scrollUp(1, 1, 77, textRows, 2);
        for (std::size_t i = 0; i < text.size(); ++i)
            game.grid.put(1 + static_cast<int>(i), textRows - 1, ScreenCell{static_cast<std::uint8_t>(text[i]), 0x0A});
        painter.paint(game.grid, 3, inputRow);
        game.grid.clearDirty();
        const std::string bytes = painter.takeBytes();
        terminal.feed(bytes);
        return bytes;
    };
    answer("east", "A ragged line of seaweed marks where the tide reached.");  // the region is set once
    Bytes bytes;
    bytes.answer = answer("look", line);
    expectSame(game, terminal, 0, "after the answer");
    // The next word: "lo" typed shows the rest of "look" highlighted, then "ok" is typed over it.
    const auto put = [&](int x, char c, std::uint16_t attr) {
        game.grid.put(x, inputRow, ScreenCell{static_cast<std::uint8_t>(c), attr});
    };
    put(3, 'l', 0x07), put(4, 'o', 0x07), put(5, 'o', 0x1F), put(6, 'k', 0x1F);
    painter.paint(game.grid, 5, inputRow);
    game.grid.clearDirty();
    terminal.feed(painter.takeBytes());
    put(5, 'o', 0x07), put(6, 'k', 0x07);
    painter.paint(game.grid, 7, inputRow);
    bytes.typedOver = painter.takeBytes();
    terminal.feed(bytes.typedOver);
    expectSame(game, terminal, 0, "after typing over the highlight");
    return bytes;
}

TEST(TerminalPainterTest, ALineThatScrollsInCostsItsLettersAndLittleMore) {
    const std::string line = "The surf hisses in and out. Palms rise to the north of you.";
    const Bytes bytes = answerBytes(true, line);
    const std::string& withMargins = bytes.answer;
    EXPECT_LE(withMargins.size(), line.size() + 20) << "the answer cost more than its letters and 20 bytes: "
                                                    << ::testing::PrintToString(withMargins);
    // Back to the word's start restores the typing's colours too: "look" is written again, no colour.
    EXPECT_LE(bytes.typedOver.size(), 2u + 4u) << ::testing::PrintToString(bytes.typedOver);
    const std::string wholeRows = answerBytes(false, line).answer;
    // Each of the two rows brings the frame's sides and the scroll bar in,
    // 28 bytes at most; the arrows the rows took along are put back.
    EXPECT_LE(wholeRows.size(), line.size() + 20 + 2 * 28 + 30) << "the frame cost more than it needs: "
                                                               << ::testing::PrintToString(wholeRows);
}

// Without colour (NO_COLOR) only bold and reverse video reach the terminal.
TEST(TerminalPainterTest, WithoutColourNoColourIsSent) {
    ASSERT_TRUE(xtermDescribed()) << "no xterm-256color description";
    TerminalAbilities abilities = xtermAbilities(false);
    abilities.colours = false;
    TerminalPainter painter(abilities);
    painter.forget(0, kDefaultScreenHeight, kScreenWidth);
    Game game(kDefaultScreenHeight);
    std::string bytes;
    for (int step = 0; step < 40; ++step) {
        painter.scrollBlock(1, 1, 77, kDefaultScreenHeight - 4, 1 + step % 3);
        game.grid.scrollUp(1, 1, 77, kDefaultScreenHeight - 4, 1 + step % 3);
        for (int y = kDefaultScreenHeight - 7; y < kDefaultScreenHeight - 4; ++y) game.writeLine(y);
        painter.paint(game.grid, 3, kDefaultScreenHeight - 2);
        bytes += painter.takeBytes();
    }
    int sequences = 0;
    for (std::size_t at = bytes.find("\033["); at != std::string::npos; at = bytes.find("\033[", at + 1)) {
        std::size_t end = at + 2;
        while (end < bytes.size() && !(bytes[end] >= 0x40 && bytes[end] <= 0x7e)) ++end;
        if (end >= bytes.size() || bytes[end] != 'm') continue;
        ++sequences;
        std::string number;
        for (std::size_t i = at + 2; i <= end; ++i) {
            if (bytes[i] != ';' && bytes[i] != 'm') {
                number += bytes[i];
                continue;
            }
            EXPECT_TRUE(number.empty() || number == "0" || number == "1" || number == "7" || number == "22" || number == "27")
                << "a colour: " << number;
            number.clear();
        }
    }
    EXPECT_GT(sequences, 10) << "bold and reverse video were not used";
}

TEST(TerminalPainterTest, ScrollingWithinMarginsShowsWhatWasDrawn) { playAgainstTheModel(true, kScreenWidth); }
TEST(TerminalPainterTest, ScrollingWholeRowsShowsWhatWasDrawn) { playAgainstTheModel(false, kScreenWidth); }
TEST(TerminalPainterTest, ACentredFrameScrollsWithinMarginsToo) { playAgainstTheModel(true, kScreenWidth + 21); }
TEST(TerminalPainterTest, ACentredFrameScrollsWholeRowsToo) { playAgainstTheModel(false, kScreenWidth + 21); }
TEST(TerminalPainterTest, A24RowScreenScrollsWithinMargins) { playAgainstTheModel(true, kScreenWidth, kMinScreenHeight); }
TEST(TerminalPainterTest, A24RowCentredScreenScrollsWholeRows) {
    playAgainstTheModel(false, kScreenWidth + 21, kMinScreenHeight);
}

}  // namespace
