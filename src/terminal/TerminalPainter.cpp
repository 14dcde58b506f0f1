#include "terminal/TerminalPainter.h"

#include <curses.h>
#include <term.h>

#include <algorithm>

#include "console/Cp437.h"

namespace {
constexpr std::uint16_t kUnknown = 0xFFFF;
constexpr ScreenCell kBlackBlank{' ', 0x00};
// Fewer blanks are written as spaces: the erase sequence is as long.
constexpr int kBlanksWorthErasing = 4;

// Console colours count blue as bit 0 and red as bit 2; terminals the other way round.
int toTerminalColour(int consoleColour) {
    return (consoleColour & 0x8) | ((consoleColour & 0x1) << 2) | (consoleColour & 0x2) | ((consoleColour & 0x4) >> 2);
}

std::string capability(const char* name) {
    const char* s = tigetstr(name);
    if (s == nullptr || s == reinterpret_cast<const char*>(-1)) return {};
    return s;
}

// The numbers of a plain "ESC [ n m", or empty when it is not one.
std::string sgrNumbers(const std::string& sequence) {
    if (sequence.size() < 4 || sequence.compare(0, 2, "\033[") != 0 || sequence.back() != 'm') return {};
    std::string numbers = sequence.substr(2, sequence.size() - 3);
    for (char c : numbers)
        if (c != ';' && (c < '0' || c > '9')) return {};
    return numbers;
}
}  // namespace

void TerminalPainter::forget(int left, int height, int width) {
    left_ = left;
    lines_ = height;
    columns_ = width;
    shown_.resize(height);  // the screen is as tall as the terminal, or less
    for (int y = 0; y < shown_.rows(); ++y)
        for (int x = 0; x < kScreenWidth; ++x) shown_.put(x, y, ScreenCell{' ', kUnknown});
    row_ = column_ = -1;
    lookKnown_ = false;
    inRegion_ = false;
    waiting_ = WaitingScroll{};
}

TerminalPainter::Look TerminalPainter::lookOf(ScreenCell cell) const {
    Look look;
    int fg = toTerminalColour(cell.attr & 0x0F);
    int bg = toTerminalColour((cell.attr >> 4) & 0x0F);
    if (!abilities_.colours) {
        // No colours: a coloured background in reverse, a bright letter in bold.
        look.reverse = bg != 0;
        look.bold = !look.reverse && (fg & 0x8) != 0 && cell.ch != ' ';
        return look;
    }
    if (abilities_.colourCount < 16) {
        // Eight colours: bright foregrounds in bold, backgrounds lose their brightness.
        look.bold = (fg & 0x8) != 0 && cell.ch != ' ';
        fg &= 0x7;
        bg &= 0x7;
    }
    look.fg = cell.ch == ' ' ? -1 : fg;  // a blank shows only its background
    look.bg = bg;
    return look;
}

bool TerminalPainter::looksSame(ScreenCell a, ScreenCell b) const {
    if (a.attr == kUnknown || b.attr == kUnknown || a.ch != b.ch) return false;
    const Look x = lookOf(a);
    const Look y = lookOf(b);
    return x.fg == y.fg && x.bg == y.bg && x.bold == y.bold && x.reverse == y.reverse;
}

void TerminalPainter::resetLook() {
    out_ += capability("sgr0");
    lookKnown_ = true;
    look_ = Look{};
    look_.fg = look_.bg = -2;  // the terminal's own colours
}

void TerminalPainter::setLook(const Look& wanted) {
    if (!lookKnown_ || (look_.bold && !wanted.bold) || (look_.reverse && !wanted.reverse)) resetLook();
    if (wanted.bold && !look_.bold) out_ += capability("bold");
    if (wanted.reverse && !look_.reverse) out_ += capability("rev");
    std::string fg = wanted.fg >= 0 && wanted.fg != look_.fg ? tiparm(capability("setaf").c_str(), wanted.fg) : "";
    std::string bg = wanted.bg >= 0 && wanted.bg != look_.bg ? tiparm(capability("setab").c_str(), wanted.bg) : "";
    // Both colours in one sequence where the terminal writes them the usual way.
    const std::string fgNumbers = sgrNumbers(fg);
    const std::string bgNumbers = sgrNumbers(bg);
    if (!fgNumbers.empty() && !bgNumbers.empty()) out_ += "\033[" + fgNumbers + ";" + bgNumbers + "m";
    else out_ += fg + bg;
    look_.bold = wanted.bold;
    look_.reverse = wanted.reverse;
    if (wanted.fg >= 0) look_.fg = wanted.fg;
    if (wanted.bg >= 0) look_.bg = wanted.bg;
}

std::string TerminalPainter::alongRow(int row, int column) const {
    const std::string across = capability("hpa");
    return across.empty() ? tiparm(capability("cup").c_str(), row, column) : tiparm(across.c_str(), column);
}

void TerminalPainter::moveTo(int row, int column) {
    if (row == row_ && column == column_) return;
    if (row == row_ && column_ >= 0 && column > column_ && column - column_ <= 4 && lookKnown_) {
        // A short way on along the row: write again what is there, when
        // that is shorter than a move and needs no change of colour.
        std::string again;
        bool same = true;
        for (int c = column_; c < column && same; ++c) {
            const ScreenCell cell = shown_.cell(c - left_, row);
            const Look look = lookOf(cell);
            same = cell.attr != kUnknown && (look.fg < 0 || look.fg == look_.fg) && look.bg == look_.bg &&
                   look.bold == look_.bold && look.reverse == look_.reverse;
            appendUtf8(again, cp437ToUnicode(cell.ch));
        }
        if (same && again.size() <= 4) {
            out_ += again;
            column_ = column;
            return;
        }
    }
    const std::string back = capability("cub1");
    if (row == row_ && column_ >= 0 && column < column_ && column_ - column <= 3 && !back.empty())
        for (int c = column; c < column_; ++c) out_ += back;
    else if (row == row_ && column_ >= 0) out_ += alongRow(row, column);
    else out_ += tiparm(capability("cup").c_str(), row, column);
    row_ = row;
    column_ = column;
}

void TerminalPainter::write(int x, int y, ScreenCell cell) {
    setLook(lookOf(cell));
    appendUtf8(out_, cp437ToUnicode(cell.ch));
    shown_.put(x, y, cell);
    ++column_;
    // At the last column (of the screen, or of the margins) the cursor
    // waits to wrap, and its place is not known.
    if (column_ >= columns_ || (inRegion_ && column_ == region_.right + 1 && row_ >= 0)) row_ = column_ = -1;
}

void TerminalPainter::paint(const CellGrid& wanted) {
    if (waiting_.rows > 0) bringInRows(wanted);
    const std::string erase = capability("ech");
    const bool canErase = !erase.empty() && abilities_.colours && abilities_.backgroundColourErase;
    for (int y = 0; y < wanted.rows() && y < lines_; ++y) {
        const int width = std::min(kScreenWidth, columns_ - left_);
        for (int x = 0; x < width;) {
            const bool lastCell = y == lines_ - 1 && x + left_ == columns_ - 1;
            const ScreenCell cell = wanted.cell(x, y);
            if ((lastCell && !abilities_.lastCellSafe) || looksSame(cell, shown_.cell(x, y))) {
                ++x;  // the same already, or writing it would scroll the screen
                continue;
            }
            // Blanks of one background in a row (a cleared input row) are
            // erased in one go, those already blank among them too, and
            // the cursor stays at their start.
            int blanks = 0;
            while (canErase && x + blanks < width && !(y == lines_ - 1 && x + blanks + left_ == columns_ - 1)) {
                const ScreenCell next = wanted.cell(x + blanks, y);
                if (next.ch != ' ' || (next.attr & 0xF0) != (cell.attr & 0xF0)) break;
                ++blanks;
            }
            // The blanks that follow and are already shown need no erasing.
            while (blanks > 0 && looksSame(wanted.cell(x + blanks - 1, y), shown_.cell(x + blanks - 1, y))) --blanks;
            moveTo(y, x + left_);
            if (cell.ch == ' ' && blanks >= kBlanksWorthErasing) {
                setLook(lookOf(cell));
                out_ += tiparm(erase.c_str(), blanks);
                for (int k = 0; k < blanks; ++k) shown_.put(x + k, y, wanted.cell(x + k, y));
                x += blanks;
                continue;
            }
            write(x, y, cell);
            ++x;
        }
    }
}

void TerminalPainter::placeCursor(int x, int y) {
    if (y >= 0 && y < lines_ && x + left_ >= 0 && x + left_ < columns_) moveTo(y, x + left_);
}

void TerminalPainter::enterRegion(const Block& block) {
    if (inRegion_ && region_ == block) return;
    if (!inRegion_) out_ += "\033[?69h";  // left and right margins on
    out_ += "\033[" + std::to_string(block.left + 1) + ";" + std::to_string(block.right + 1) + "s";
    out_ += tiparm(capability("csr").c_str(), block.top, block.bottom);
    inRegion_ = true;
    region_ = block;
    row_ = column_ = -1;  // setting margins homes the cursor
}

void TerminalPainter::leaveRegion() {
    if (!inRegion_) return;
    out_ += "\033[?69l";  // the margins go with the mode
    out_ += tiparm(capability("csr").c_str(), 0, lines_ - 1);
    inRegion_ = false;
    row_ = column_ = -1;
}

// The waiting scroll, as a terminal scrolls text: at the bottom of the
// region each line feed moves the block up a row, and the row that came in
// is written there at once.
void TerminalPainter::bringInRows(const CellGrid& wanted) {
    const WaitingScroll scroll = waiting_;
    waiting_ = WaitingScroll{};
    const Block& block = scroll.block;
    enterRegion(block);
    Look black;
    black.bg = 0;
    // To the region's bottom row: up from the input row below it, or a jump.
    // The column stays where it was until a cell needs the left margin.
    const bool withinMargins = column_ >= block.left && column_ <= block.right;
    const std::string up = capability("cuu");
    if (row_ > block.bottom && withinMargins && !up.empty()) {
        out_ += tiparm(up.c_str(), row_ - block.bottom);
    } else if (row_ != block.bottom || !withinMargins) {
        out_ += tiparm(capability("cup").c_str(), block.bottom, block.left);
        column_ = block.left;
    }
    row_ = block.bottom;
    const std::string index = capability("ind");
    for (int i = 0; i < scroll.rows; ++i) {
        setLook(black);  // the row comes in black, as blank text is
        out_ += index;   // keeps the column: a blank row needs no carriage return
        const int y = block.bottom - scroll.rows + 1 + i;  // where this row ends up
        for (int column = block.left; column <= block.right; ++column) {
            const int x = column - left_;
            const ScreenCell cell = wanted.cell(x, y);
            if (looksSame(cell, kBlackBlank)) continue;
            // Across the blanks before it: black spaces, after a carriage
            // return where the cursor is past it, or a move along the row,
            // whichever is shorter.
            if (column != column_) {
                const std::string along = alongRow(block.bottom, column);
                const bool blackSpaces = look_.bg == 0 && !look_.reverse;
                const auto spaces = [&](int from) { return static_cast<std::size_t>(column - from); };
                if (column < column_ && blackSpaces && 1 + spaces(block.left) < along.size()) {
                    out_ += '\r';
                    column_ = block.left;
                }
                if (column > column_ && blackSpaces && spaces(column_) <= along.size()) out_.append(spaces(column_), ' ');
                else if (column != column_) out_ += along;
                column_ = column;
            }
            write(x, y, cell);
            if (row_ < 0) {  // waiting to wrap at the right margin: back to the left one
                out_ += '\r';
                row_ = block.bottom;
                column_ = block.left;
            }
        }
    }
}

bool TerminalPainter::scrollBlock(int x, int y, int w, int h, int rows) {
    if (capability("csr").empty() || capability("ind").empty() || capability("cup").empty() || rows <= 0 || rows >= h)
        return false;
    const int bottom = y + h - 1;
    if (!abilities_.columnMargins || !abilities_.colours || !abilities_.backgroundColourErase)
        return scrollWholeRows(y, bottom, rows);
    if (waiting_.rows > 0) return false;  // the caller paints the one before first
    waiting_.block = Block{y, bottom, x + left_, x + left_ + w - 1};
    waiting_.rows = rows;
    for (int row = y; row <= bottom; ++row)
        for (int gx = x; gx < x + w; ++gx)
            shown_.put(gx, row, row + rows <= bottom ? shown_.cell(gx, row + rows) : kBlackBlank);
    return true;
}

// A terminal without margins scrolls whole rows; the next paint puts back
// what differs beside the block.
bool TerminalPainter::scrollWholeRows(int y, int bottom, int rows) {
    // Where the terminal fills the rows that come in with the background
    // colour, it fills them black, as blank text is. Not beside a centred
    // frame: the blank margins keep the terminal's own colour.
    const bool blackRows = abilities_.backgroundColourErase && abilities_.colours && columns_ == kScreenWidth;
    if (blackRows) {
        Look black;
        black.bg = 0;
        setLook(black);
    } else {
        resetLook();  // the rows come in blank in the terminal's own colours
    }
    leaveRegion();
    out_ += tiparm(capability("csr").c_str(), y, bottom);
    out_ += tiparm(capability("cup").c_str(), bottom, 0);
    for (int i = 0; i < rows; ++i) out_ += capability("ind");
    out_ += tiparm(capability("csr").c_str(), 0, lines_ - 1);
    row_ = column_ = -1;  // setting the region homes the cursor on some terminals, not on others
    const ScreenCell cameIn{' ', blackRows ? std::uint16_t{0x00} : kUnknown};
    for (int row = y; row <= bottom; ++row)
        for (int gx = 0; gx < kScreenWidth; ++gx)
            shown_.put(gx, row, row + rows <= bottom ? shown_.cell(gx, row + rows) : cameIn);
    return true;
}

std::string TerminalPainter::takeBytes() {
    std::string bytes;
    bytes.swap(out_);
    return bytes;
}
