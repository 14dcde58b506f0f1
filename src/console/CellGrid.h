#pragma once
// The screen's cells as a back end holds them: writes outside the screen
// are dropped, fills run on along the rows as a console buffer's do, and
// every row that changed is marked until the back end has shown it.
#include <array>
#include <bitset>
#include <cstdint>

#include "console/Console.h"

class CellGrid {
public:
    CellGrid() { clear(); }

    // Every cell a grey space on black, every row marked.
    void clear();
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight; }
    // A blank grey space outside the screen.
    ScreenCell cell(int x, int y) const;
    void put(int x, int y, ScreenCell value);
    void putChar(int x, int y, std::uint8_t ch);
    void putAttr(int x, int y, std::uint16_t attr);
    void writeChars(int x, int y, const char* text, int length);
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells);
    void fillChars(int x, int y, std::uint8_t ch, int count);
    void fillAttrs(int x, int y, std::uint16_t attr, int count);
    // The rows of a w x h block up by `rows`; the rows that come in are
    // blank (a space, black on black) and marked, and a marked row keeps
    // its mark as it moves: the back end moves what it shows the same way.
    void scrollUp(int x, int y, int w, int h, int rows);

    bool rowDirty(int y) const { return y >= 0 && y < kScreenHeight && dirty_[static_cast<std::size_t>(y)]; }
    bool anyDirty() const { return dirty_.any(); }
    void markAllDirty() { dirty_.set(); }
    void markRowsDirty(int y, int h);
    void clearDirty() { dirty_.reset(); }

private:
    ScreenCell& at(int x, int y) { return cells_[static_cast<std::size_t>(y * kScreenWidth + x)]; }
    void markDirty(int y) { dirty_.set(static_cast<std::size_t>(y)); }

    std::array<ScreenCell, kScreenWidth * kScreenHeight> cells_{};
    std::bitset<kScreenHeight> dirty_;
};
