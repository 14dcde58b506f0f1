#pragma once
// Writes the screen to the terminal: only the cells that differ from what
// the terminal is known to show, a colour only when it changes, and a
// scroll of the text area as the terminal's own scroll. Curses reads the
// keys and sets the terminal up, but never paints: it would guess at
// scrolls of its own and reset the colours after every key. The painter
// itself calls no curses: it takes the terminal's sequences from its codes.
#include <string>
#include <vector>

#include "console/CellGrid.h"
#include "terminal/TerminalCodes.h"

// What the terminal can do, read from its description.
struct TerminalAbilities {
    bool colours = false;
    int colourCount = 0;
    bool backgroundColourErase = false;  // scrolled-in rows take the background colour
    bool lastCellSafe = true;            // the bottom right cell can be written without a scroll
    bool columnMargins = false;          // a scroll can be kept to a block of columns
};

class TerminalPainter {
public:
    // The sequences of the terminal curses set up.
    explicit TerminalPainter(TerminalAbilities abilities) : TerminalPainter(abilities, cursesCodes()) {}
    // Reads the sequences it needs from `codes` once.
    TerminalPainter(TerminalAbilities abilities, const TerminalCodes& codes);

    // After the terminal was cleared or resized: nothing is known to be
    // shown, so the next paint writes every cell. The screen's first column
    // and the terminal's size.
    void forget(int left, int height, int width);
    // Writes the cells of `wanted` that the terminal does not show yet,
    // looking only at the rows marked in `wanted` and those a scroll or a
    // forget left to look at: a key typed costs the input row alone. Leaves
    // the cursor at cell (cursorX, cursorY) of the screen, where that is on it.
    void paint(const CellGrid& wanted, int cursorX, int cursorY);
    // Moves the rows of a block up by `rows`; false when the terminal has
    // no scrolling region. The move waits for the next paint, which brings
    // the new rows in line by line, as a terminal scrolls text; one move
    // waits at a time. Where the terminal takes left and right margins only
    // the block's columns move; elsewhere whole rows do, and each row that
    // comes in gets the frame beside the block with its text.
    bool scrollBlock(int x, int y, int w, int h, int rows);
    bool scrollWaiting() const { return waiting_.rows > 0; }
    // Gives the terminal back its whole screen to scroll, before others
    // write to it (curses, or the shell after the game).
    void leaveRegion();
    // Plain text at a place of the terminal, outside the screen (the size
    // notice); the screen's cells are not touched.
    void writeText(int row, int column, const std::string& text);
    // The bytes to send, handed over once.
    std::string takeBytes();

private:
    struct Look {
        int fg = -1;  // -1: any (a blank shows only its background)
        int bg = -1;
        bool bold = false;
        bool reverse = false;
        bool operator==(const Look&) const = default;
    };
    // Where the terminal's cursor is and what it writes with.
    struct Pen {
        int row = -1, column = -1;  // -1 when not known
        bool lookKnown = false;
        Look look;
        bool operator==(const Pen&) const = default;
    };
    // A block of the terminal's rows and columns, inclusive.
    struct Block {
        int top = 0, bottom = 0, left = 0, right = 0;
        bool operator==(const Block&) const = default;
    };
    struct WaitingScroll {
        Block block;
        int rows = 0;
    };

    Look lookOf(ScreenCell cell) const;
    bool looksSame(ScreenCell a, ScreenCell b) const;
    // `plain`: without reverse video standing in for swapped colours, for
    // the colour an erase or a scroll fills with.
    void setLook(const Look& look, bool plain = false);
    void setLookBySgr(const Look& look, bool plain);
    bool lookShows(const Look& look) const;  // the terminal writes with these colours now
    bool usesMargins() const;
    // Blank rows scrolled in show as the game's blank cells (black, or the
    // terminal's own colours without colour), known without writing them.
    bool rowsComeInBlank() const;
    void resetLook();
    void moveTo(int row, int column);
    Pen pen() const { return Pen{row_, column_, lookKnown_, look_}; }
    void takePen(const Pen& pen);
    // To a cell, and into the look to write it in when one is given: from
    // where the cursor is, or from the place saved in the terminal when that
    // is shorter (restoring it brings back the look saved with it too).
    void reach(int row, int column, const Look* look, bool plain = false);
    void savePlace();
    void paintRow(const CellGrid& wanted, int y);
    bool moreToPaint(const CellGrid& wanted, int besidesRow) const;
    // To another column of the row the cursor is on.
    std::string alongRow(int row, int column) const;
    // Writes a cell at the cursor, on terminal row `row`, as cell (x, y) of the screen.
    void write(int x, int y, ScreenCell cell);
    void enterRegion(const Block& block);
    void bringInRows(const CellGrid& wanted);
    void goToRegionBottom(const Block& block);
    void writeRowCameIn(const CellGrid& wanted, const Block& block, int y);
    void crossToColumn(int row, int column, int firstColumn);

    // The terminal's sequences, read once.
    struct Sequences {
        std::string cup, hpa, cub1, cuu, csr, ind, ech, sgr0, bold, rev, setaf, setab, sc, rc;
        std::string fg[16], bg[16];  // the numbers of "ESC [ n m" for each colour, where it has that form
        bool plainSgr = false;       // every look change fits in one "ESC [ ... m"
    };

    TerminalAbilities abilities_;
    const TerminalCodes& codes_;
    Sequences seq_;
    CellGrid shown_;  // what the terminal shows; attribute kUnknown where it is not known
    std::vector<bool> toLook_;  // rows to compare at the next paint whether marked in `wanted` or not
    std::string out_;
    int left_ = 0;
    int lines_ = 0;
    int columns_ = 0;
    int row_ = -1;  // the terminal's cursor; -1 when not known
    int column_ = -1;
    bool lookKnown_ = false;
    Look look_;  // the colours the terminal writes with, when known
    bool inRegion_ = false;  // the scrolling region set to region_ (and its margins, where they are used)
    Block region_;
    WaitingScroll waiting_;
    // The cursor's place (and look) the terminal keeps since the last "sc",
    // when the painter left the place the cursor rests at; -1 rows: none.
    Pen saved_;
};
