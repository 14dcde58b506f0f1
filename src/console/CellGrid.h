#pragma once
// The screen's cells as a back end holds them: writes outside the screen
// are dropped, and every row that changed is marked until the back end has shown it.
// It is 80 columns wide and as tall as the screen it stands for.
#include <cstdint>
#include <vector>

#include "console/Console.h"

// The attribute a cell keeps on a screen without colours: a coloured
// background, and a warning's red letters, in reverse video; a bright
// letter, and a red block of the title art, in bold; the rest, blanks
// included, plain grey (0x07), or black (0x00).
std::uint16_t monochromeAttr(ScreenCell cell);

class CellGrid {
public:
    explicit CellGrid(int rows = kDefaultScreenHeight) { resize(rows); }

    // Every cell a grey space on black, every row marked.
    void clear();
    // A blank screen of this many rows (at least one), every row marked.
    void resize(int rows);
    int rows() const { return rows_; }
    // Every cell put from now on keeps only its monochrome attribute.
    void setMonochrome(bool on) { monochrome_ = on; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < kScreenWidth && y < rows_; }
    // A blank grey space outside the screen.
    ScreenCell cell(int x, int y) const;
    void put(int x, int y, ScreenCell value);
    void putChar(int x, int y, std::uint8_t ch);
    void writeChars(int x, int y, const char* text, int length);
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells);
    // The rows of a w x h block up by `rows`; the rows that come in are
    // blank (a space, black on black) and marked, and a marked row keeps
    // its mark as it moves: the back end moves what it shows the same way.
    void scrollUp(int x, int y, int w, int h, int rows);

    bool rowDirty(int y) const { return y >= 0 && y < rows_ && dirty_[static_cast<std::size_t>(y)]; }
    void markAllDirty() { dirty_.assign(dirty_.size(), true); }
    void markRowsDirty(int y, int h);
    void clearDirty() { dirty_.assign(dirty_.size(), false); }

private:
    ScreenCell& at(int x, int y) { return cells_[static_cast<std::size_t>(y * kScreenWidth + x)]; }
    void markDirty(int y) { dirty_[static_cast<std::size_t>(y)] = true; }

    int rows_ = 0;
    bool monochrome_ = false;
    std::vector<ScreenCell> cells_;
    std::vector<bool> dirty_;
};
