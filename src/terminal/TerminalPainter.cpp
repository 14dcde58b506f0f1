#include "terminal/TerminalPainter.h"

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

// The numbers of a plain "ESC [ n m", or empty when it is not one.
std::string sgrNumbers(const std::string& sequence) {
    if (sequence.size() < 4 || sequence.compare(0, 2, "\033[") != 0 || sequence.back() != 'm') return {};
    std::string numbers = sequence.substr(2, sequence.size() - 3);
    for (char c : numbers)
        if (c != ';' && (c < '0' || c > '9')) return {};
    return numbers;
}
}  // namespace

TerminalPainter::TerminalPainter(TerminalAbilities abilities, const TerminalCodes& codes)
    : abilities_(abilities), codes_(codes) {
    seq_.cup = codes_.get("cup");
    seq_.hpa = codes_.get("hpa");
    seq_.cub1 = codes_.get("cub1");
    seq_.cuu = codes_.get("cuu");
    seq_.csr = codes_.get("csr");
    seq_.ind = codes_.get("ind");
    seq_.ech = codes_.get("ech");
    seq_.sgr0 = codes_.get("sgr0");
    seq_.bold = codes_.get("bold");
    seq_.rev = codes_.get("rev");
    seq_.setaf = codes_.get("setaf");
    seq_.setab = codes_.get("setab");
    // DEC's save and restore keep the colours with the place; others may not.
    if (codes_.get("sc") == "\0337" && codes_.get("rc") == "\0338") {
        seq_.sc = "\0337";
        seq_.rc = "\0338";
    }
    bool colourNumbers = !seq_.setaf.empty() && !seq_.setab.empty();
    for (int c = 0; c < 16 && colourNumbers; ++c) {
        seq_.fg[c] = sgrNumbers(codes_.get("setaf", c));
        seq_.bg[c] = sgrNumbers(codes_.get("setab", c));
        colourNumbers = !seq_.fg[c].empty() && !seq_.bg[c].empty();
    }
    seq_.plainSgr = seq_.bold == "\033[1m" && seq_.rev == "\033[7m" && (colourNumbers || !abilities_.colours);
    forget(0, 0, 0);
}

void TerminalPainter::forget(int left, int height, int width) {
    left_ = left;
    lines_ = height;
    columns_ = width;
    shown_.resize(height);  // the screen is as tall as the terminal, or less
    toLook_.assign(static_cast<std::size_t>(std::max(height, 0)), true);
    for (int y = 0; y < shown_.rows(); ++y)
        for (int x = 0; x < kScreenWidth; ++x) shown_.put(x, y, ScreenCell{' ', kUnknown});
    row_ = column_ = -1;
    lookKnown_ = false;
    inRegion_ = false;
    waiting_ = WaitingScroll{};
    saved_ = Pen{};
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

bool TerminalPainter::lookShows(const Look& wanted) const {
    if (!lookKnown_ || wanted.bold != look_.bold) return false;
    if (!abilities_.colours) return wanted.reverse == look_.reverse;
    const int fg = look_.reverse ? look_.bg : look_.fg;
    const int bg = look_.reverse ? look_.fg : look_.bg;
    return (wanted.fg < 0 || wanted.fg == fg) && wanted.bg == bg;
}

void TerminalPainter::resetLook() {
    out_ += seq_.sgr0;
    lookKnown_ = true;
    look_ = Look{};
    look_.fg = look_.bg = -2;  // the terminal's own colours
}

void TerminalPainter::setLook(const Look& wanted, bool plain) {
    if (seq_.plainSgr) return setLookBySgr(wanted, plain);
    if (!lookKnown_ || (look_.bold && !wanted.bold) || (look_.reverse && !wanted.reverse)) resetLook();
    if (wanted.bold && !look_.bold) out_ += seq_.bold;
    if (wanted.reverse && !look_.reverse) out_ += seq_.rev;
    std::string fg = wanted.fg >= 0 && wanted.fg != look_.fg ? codes_.get("setaf", wanted.fg) : "";
    std::string bg = wanted.bg >= 0 && wanted.bg != look_.bg ? codes_.get("setab", wanted.bg) : "";
    out_ += fg + bg;
    look_.bold = wanted.bold;
    look_.reverse = wanted.reverse;
    if (wanted.fg >= 0) look_.fg = wanted.fg;
    if (wanted.bg >= 0) look_.bg = wanted.bg;
}

// Every change in one "ESC [ ... m": bold and reverse on and off by their
// own numbers, and a pair of colours that is the one at hand swapped (the
// scroll bar beside the frame) by reverse video alone.
void TerminalPainter::setLookBySgr(const Look& wanted, bool plain) {
    if (lookShows(wanted) && !(plain && look_.reverse)) return;
    std::string numbers;
    const auto add = [&numbers](const std::string& n) { numbers += (numbers.empty() ? "" : ";") + n; };
    Look state = look_;
    if (!lookKnown_) {
        add("0");
        state = Look{};
        state.fg = state.bg = -2;
    }
    if (wanted.bold != state.bold) add(wanted.bold ? "1" : "22");
    bool reverse = wanted.reverse;
    int fg = wanted.fg;
    int bg = wanted.bg;
    if (abilities_.colours) {
        // Straight, or reversed with the colours swapped: whichever changes
        // less, and on a tie the one that keeps black as the background the
        // terminal writes with, as blank text and the frame are.
        const auto cost = [&](bool rev, int f, int b) {
            std::size_t n = rev != state.reverse ? 3 : 0;
            if (f >= 0 && f != state.fg) n += seq_.fg[f].size() + 1;
            if (b >= 0 && b != state.bg) n += seq_.bg[b].size() + 1;
            return 2 * n + ((b >= 0 ? b : state.bg) != 0 ? 1 : 0);
        };
        // Reversed, a blank shows the foreground as its background.
        reverse = !plain && wanted.fg >= 0 && cost(true, wanted.bg, wanted.fg) < cost(false, wanted.fg, wanted.bg);
        if (reverse) std::swap(fg, bg);
    }
    if (reverse != state.reverse) add(reverse ? "7" : "27");
    if (fg >= 0 && fg != state.fg) add(seq_.fg[fg]);
    if (bg >= 0 && bg != state.bg) add(seq_.bg[bg]);
    out_ += "\033[" + numbers + "m";
    state.bold = wanted.bold;
    state.reverse = reverse;
    if (fg >= 0) state.fg = fg;
    if (bg >= 0) state.bg = bg;
    look_ = state;
    lookKnown_ = true;
}

std::string TerminalPainter::alongRow(int row, int column) const {
    return seq_.hpa.empty() ? codes_.get("cup", row, column) : codes_.get("hpa", column);
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
            same = cell.attr != kUnknown && lookShows(lookOf(cell));
            appendUtf8(again, cp437ToUnicode(cell.ch));
        }
        if (same && again.size() <= 4) {
            out_ += again;
            column_ = column;
            return;
        }
    }
    if (row == row_ && column_ >= 0 && column < column_ && column_ - column <= 3 && !seq_.cub1.empty())
        for (int c = column; c < column_; ++c) out_ += seq_.cub1;
    else if (row == row_ && column_ >= 0) out_ += alongRow(row, column);
    else out_ += codes_.get("cup", row, column);
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
    if (column_ >= columns_ || (inRegion_ && usesMargins() && column_ == region_.right + 1 && row_ >= 0))
        row_ = column_ = -1;
}

void TerminalPainter::takePen(const Pen& pen) {
    row_ = pen.row;
    column_ = pen.column;
    lookKnown_ = pen.lookKnown;
    look_ = pen.look;
}

void TerminalPainter::reach(int row, int column, const Look* look, bool plain) {
    const std::size_t start = out_.size();
    const auto go = [&] {
        moveTo(row, column);
        if (look) setLook(*look, plain);
    };
    go();
    const std::size_t direct = out_.size() - start;
    if (saved_.row < 0 || direct <= seq_.rc.size()) return;
    const Pen afterDirect = pen();
    const std::string directBytes = out_.substr(start);
    out_.resize(start);
    out_ += seq_.rc;
    takePen(saved_);
    go();
    if (out_.size() - start < direct) return;
    out_.resize(start);
    out_ += directBytes;
    takePen(afterDirect);
}

void TerminalPainter::savePlace() {
    if (seq_.sc.empty() || row_ < 0 || saved_ == pen()) return;
    out_ += seq_.sc;
    saved_ = pen();
}

bool TerminalPainter::moreToPaint(const CellGrid& wanted, int besidesRow) const {
    if (waiting_.rows > 0) return true;
    for (int y = 0; y < wanted.rows() && y < lines_; ++y)
        if (y != besidesRow && (wanted.rowDirty(y) || toLook_[static_cast<std::size_t>(y)])) return true;
    return false;
}

void TerminalPainter::paint(const CellGrid& wanted, int cursorX, int cursorY) {
    const int goalRow = cursorY;
    const int goalColumn = cursorX + left_;
    const bool goalShown =
        goalRow >= 0 && goalRow < lines_ && goalRow < wanted.rows() && goalColumn >= 0 && goalColumn < columns_;
    const bool scrollTakesGoal = waiting_.rows > 0 && goalRow >= waiting_.block.top && goalRow <= waiting_.block.bottom;
    if (goalShown && !scrollTakesGoal && row_ == goalRow) {
        // The cursor's row first, while the cursor is on it (the input row,
        // cleared after a command); then, if other rows are to be painted,
        // its place is saved in the terminal, and coming back costs two bytes.
        paintRow(wanted, goalRow);
        reach(goalRow, goalColumn, nullptr);
        if (moreToPaint(wanted, goalRow)) savePlace();
    }
    if (waiting_.rows > 0) bringInRows(wanted);
    for (int y = 0; y < wanted.rows() && y < lines_; ++y) paintRow(wanted, y);
    if (goalShown) reach(goalRow, goalColumn, nullptr);
}

void TerminalPainter::paintRow(const CellGrid& wanted, int y) {
    if (!wanted.rowDirty(y) && !toLook_[static_cast<std::size_t>(y)]) return;
    toLook_[static_cast<std::size_t>(y)] = false;
    const bool canErase = !seq_.ech.empty() && abilities_.colours && abilities_.backgroundColourErase;
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
        const Look look = lookOf(cell);
        if (cell.ch == ' ' && blanks >= kBlanksWorthErasing) {
            reach(y, x + left_, &look, true);
            out_ += codes_.get("ech", blanks);
            for (int k = 0; k < blanks; ++k) shown_.put(x + k, y, wanted.cell(x + k, y));
            x += blanks;
            continue;
        }
        reach(y, x + left_, &look);
        write(x, y, cell);
        ++x;
    }
}

bool TerminalPainter::usesMargins() const {
    return abilities_.columnMargins && abilities_.colours && abilities_.backgroundColourErase;
}

bool TerminalPainter::rowsComeInBlank() const {
    // In colour, only a terminal that fills them with the background colour
    // fills them black; beside a centred frame the blank margins keep the
    // terminal's own colour, so the rows are painted black where they need it.
    if (!abilities_.colours) return true;
    return abilities_.backgroundColourErase && (usesMargins() || columns_ == kScreenWidth);
}

void TerminalPainter::enterRegion(const Block& block) {
    if (inRegion_ && region_ == block) return;
    if (usesMargins()) {
        if (!inRegion_) out_ += "\033[?69h";  // left and right margins on
        out_ += "\033[" + std::to_string(block.left + 1) + ";" + std::to_string(block.right + 1) + "s";
    }
    out_ += codes_.get("csr", block.top, block.bottom);
    inRegion_ = true;
    region_ = block;
    row_ = column_ = -1;  // setting the region homes the cursor on some terminals, not on others
}

void TerminalPainter::leaveRegion() {
    if (!inRegion_) return;
    if (usesMargins()) out_ += "\033[?69l";  // the margins go with the mode
    out_ += codes_.get("csr", 0, lines_ - 1);
    inRegion_ = false;
    row_ = column_ = -1;
    saved_ = Pen{};  // others write to the terminal next
}

// The waiting scroll, as a terminal scrolls text: at the bottom of the
// region each line feed moves the block up a row, and the row that came in
// is written there at once, with the frame beside it where whole rows move.
void TerminalPainter::bringInRows(const CellGrid& wanted) {
    const WaitingScroll scroll = waiting_;
    waiting_ = WaitingScroll{};
    const Block& block = scroll.block;
    enterRegion(block);
    const Look blank = lookOf(kBlackBlank);
    goToRegionBottom(block);
    for (int i = 0; i < scroll.rows; ++i) {
        if (rowsComeInBlank()) setLook(blank, true);  // the row comes in blank, as blank text is
        else if (lookKnown_ && (look_.reverse || look_.bold)) resetLook();
        out_ += seq_.ind;  // keeps the column: a blank row needs no carriage return
        writeRowCameIn(wanted, block, block.bottom - scroll.rows + 1 + i);  // where this row ends up
    }
}

// To the region's bottom row: up from the input row below it, or a jump.
// The column stays where it was until a cell needs the left margin.
void TerminalPainter::goToRegionBottom(const Block& block) {
    const bool withinMargins = column_ >= block.left && column_ <= block.right;
    if (row_ > block.bottom && withinMargins && !seq_.cuu.empty()) {
        out_ += codes_.get("cuu", row_ - block.bottom);
    } else if (row_ != block.bottom || !withinMargins) {
        out_ += codes_.get("cup", block.bottom, block.left);
        column_ = block.left;
    }
    row_ = block.bottom;
}

// The cells of screen row y that differ from what the terminal shows, on
// the region's bottom row where the row came in.
void TerminalPainter::writeRowCameIn(const CellGrid& wanted, const Block& block, int y) {
    const int firstColumn = usesMargins() ? block.left : 0;  // where a carriage return goes
    for (int column = block.left; column <= block.right; ++column) {
        const int x = column - left_;
        const ScreenCell cell = wanted.cell(x, y);
        if (looksSame(cell, shown_.cell(x, y))) continue;
        if (column != column_) crossToColumn(block.bottom, column, firstColumn);
        write(x, y, cell);
        if (row_ < 0) {  // waiting to wrap at the right margin or edge: back to the left one
            out_ += '\r';
            row_ = block.bottom;
            column_ = firstColumn;
        }
    }
}

// Across the blanks before a cell: blank spaces, after a carriage return
// where the cursor is past it, or a move along the row, whichever is shorter.
void TerminalPainter::crossToColumn(int row, int column, int firstColumn) {
    const std::string along = alongRow(row, column);
    const bool blankSpaces = lookShows(lookOf(kBlackBlank)) && rowsComeInBlank();
    const auto spaces = [&](int from) { return static_cast<std::size_t>(column - from); };
    if (column < column_ && 1 + spaces(firstColumn) < along.size() && (blankSpaces || column == firstColumn)) {
        out_ += '\r';
        column_ = firstColumn;
    }
    if (column > column_ && blankSpaces && spaces(column_) <= along.size()) out_.append(spaces(column_), ' ');
    else if (column != column_) out_ += along;
    column_ = column;
}

bool TerminalPainter::scrollBlock(int x, int y, int w, int h, int rows) {
    if (seq_.csr.empty() || seq_.ind.empty() || seq_.cup.empty() || rows <= 0 || rows >= h) return false;
    if (waiting_.rows > 0) return false;  // the caller paints the one before first
    const int bottom = y + h - 1;
    // Without margins whole rows move, the frame beside the block with them.
    const int first = usesMargins() ? x : 0;
    const int last = usesMargins() ? x + w - 1 : kScreenWidth - 1;
    waiting_.block = Block{y, bottom, first + left_, last + left_};
    waiting_.rows = rows;
    const ScreenCell cameIn = rowsComeInBlank() ? kBlackBlank : ScreenCell{' ', kUnknown};
    for (int row = y; row <= bottom; ++row) {
        for (int gx = first; gx <= last; ++gx)
            shown_.put(gx, row, row + rows <= bottom ? shown_.cell(gx, row + rows) : cameIn);
        toLook_[static_cast<std::size_t>(row)] = true;  // the scroll bar's arrows moved with the rest
    }
    return true;
}

void TerminalPainter::writeText(int row, int column, const std::string& text) {
    const bool plain = lookKnown_ && look_.fg == -2 && look_.bg == -2 && !look_.bold && !look_.reverse;
    if (!plain) resetLook();
    out_ += codes_.get("cup", row, column);
    out_ += text;
    row_ = column_ = -1;
}

std::string TerminalPainter::takeBytes() {
    std::string bytes;
    bytes.swap(out_);
    return bytes;
}
