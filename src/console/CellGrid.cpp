#include "console/CellGrid.h"

#include <algorithm>

std::uint16_t monochromeAttr(ScreenCell cell) {
    constexpr int kBrightRed = 0x0C;
    const int fg = cell.attr & 0x0F;
    const int bg = (cell.attr >> 4) & 0x0F;
    // Code page 437's shades and blocks: reversed they would read as holes.
    const bool block = (cell.ch >= 176 && cell.ch <= 178) || (cell.ch >= 219 && cell.ch <= 223);
    if (bg != 0) return 0x70;
    if (fg == 0) return 0x00;
    if (cell.ch == ' ') return 0x07;  // a letter written into it later is plain
    if (fg == kBrightRed && !block) return 0x70;
    return (fg & 0x08) != 0 && fg != 0x08 ? 0x0F : 0x07;  // dark grey is no brighter than grey
}

void CellGrid::clear() {
    std::fill(cells_.begin(), cells_.end(), ScreenCell{' ', 0x07});
    markAllDirty();
}

void CellGrid::resize(int rows) {
    rows_ = std::max(rows, 1);
    cells_.assign(static_cast<std::size_t>(kScreenWidth * rows_), ScreenCell{' ', 0x07});
    dirty_.assign(static_cast<std::size_t>(rows_), true);
}

ScreenCell CellGrid::cell(int x, int y) const {
    if (!contains(x, y)) return ScreenCell{' ', 0x07};
    return cells_[static_cast<std::size_t>(y * kScreenWidth + x)];
}

// A write that changes nothing leaves its row unmarked, so the terminal
// sends nothing for it.
void CellGrid::put(int x, int y, ScreenCell value) {
    if (!contains(x, y)) return;
    if (monochrome_) value.attr = monochromeAttr(value);
    ScreenCell& target = at(x, y);
    if (target.ch == value.ch && target.attr == value.attr) return;
    target = value;
    markDirty(y);
}

void CellGrid::putChar(int x, int y, std::uint8_t ch) {
    if (contains(x, y)) put(x, y, ScreenCell{ch, at(x, y).attr});
}

void CellGrid::writeChars(int x, int y, const char* text, int length) {
    for (int i = 0; i < length; ++i) putChar(x + i, y, static_cast<std::uint8_t>(text[i]));
}

void CellGrid::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) put(x + col, y + row, cells[row * w + col]);
}

void CellGrid::scrollUp(int x, int y, int w, int h, int rows) {
    if (w <= 0 || h <= 0 || rows <= 0) return;
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            if (!contains(x + col, y + row)) continue;
            const bool movedIn = row + rows < h && contains(x + col, y + row + rows);
            at(x + col, y + row) = movedIn ? at(x + col, y + row + rows) : ScreenCell{' ', 0x00};
        }
        // Top down, so the row below still has the mark it had before the move.
        if (y + row >= 0 && y + row < rows_ && (row + rows >= h || rowDirty(y + row + rows))) markDirty(y + row);
    }
}

void CellGrid::markRowsDirty(int y, int h) {
    for (int row = y; row < y + h; ++row)
        if (row >= 0 && row < rows_) markDirty(row);
}
