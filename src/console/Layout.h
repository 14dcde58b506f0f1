#pragma once
// Where everything sits on the screen, declared once: the frame around
// it, the text area and its scroll bar, the divider and the input row.
// The screen is 80 columns wide and as tall as the terminal, at least 24
// rows: the text area takes the rows the frame, the divider and the input
// row leave (46 of 50).
constexpr int kScreenWidth = 80;
constexpr int kMinScreenHeight = 24;
constexpr int kDefaultScreenHeight = 50;  // until a console says otherwise

// The text area inside the frame, and the scrollback it shows.
constexpr int kTextLeft = 1;
constexpr int kTextTop = 1;
constexpr int kTextWidth = 77;
constexpr int kScrollbackLines = 300;

// The scroll bar right of the text, an arrow at each end.
constexpr int kScrollBarColumn = kTextLeft + kTextWidth;  // 78
constexpr int kUpArrowRow = kTextTop;

// The input row's columns.
constexpr int kFirstInputColumn = 3;   // after the prompt "> "
constexpr int kLastInputColumn = 77;   // the last cell the editor clears
constexpr int kLineCapacity = 75;      // characters a line may hold

// Under the text area: the divider, the input row and the frame's bottom line.
constexpr int kRowsBelowText = 3;
// The tallest screen laid out: its text area shows the whole scrollback.
// A taller terminal keeps its last rows blank.
constexpr int kMaxScreenHeight = kTextTop + kScrollbackLines + kRowsBelowText;

struct ScreenLayout {
    int height = 0;        // rows of the screen
    int textRows = 0;      // rows of the text area
    int textBottom = 0;    // its last row, where the scroll bar's down arrow is
    int dividerRow = 0;
    int inputRow = 0;
    int bottomRow = 0;     // the frame's bottom line
};

// The layout of a screen with this many rows, kept within the bounds above.
constexpr ScreenLayout layoutForHeight(int rows) {
    ScreenLayout layout;
    layout.height = rows < kMinScreenHeight ? kMinScreenHeight : rows > kMaxScreenHeight ? kMaxScreenHeight : rows;
    layout.textRows = layout.height - kTextTop - kRowsBelowText;
    layout.textBottom = kTextTop + layout.textRows - 1;
    layout.dividerRow = layout.textBottom + 1;
    layout.inputRow = layout.dividerRow + 1;
    layout.bottomRow = layout.inputRow + 1;
    return layout;
}

static_assert(layoutForHeight(50).textRows == 46 && layoutForHeight(50).dividerRow == 47 &&
                  layoutForHeight(50).inputRow == 48 && layoutForHeight(50).bottomRow == 49,
              "the screen of 50 rows as it has always been");
static_assert(layoutForHeight(kMinScreenHeight).textRows == 20, "a 24-row terminal shows 20 rows of text");
static_assert(kScrollBarColumn == kScreenWidth - 2, "the frame's right side follows the scroll bar");
// The layout in force, screenLayout(), is kept with the run's state (RuntimeState.h).
