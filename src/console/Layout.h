#pragma once
// Where everything sits on the screen, declared once: the frame around
// it, the text area and its scroll bar, the divider and the input row.
constexpr int kScreenWidth = 80;
constexpr int kScreenHeight = 50;

// The text area inside the frame, and the scrollback it shows.
constexpr int kTextLeft = 1;
constexpr int kTextTop = 1;
constexpr int kTextWidth = 77;
constexpr int kTextRows = 46;
constexpr int kTextBottom = kTextTop + kTextRows - 1;  // 46
constexpr int kScrollbackLines = 300;

// The scroll bar right of the text, an arrow at each end.
constexpr int kScrollBarColumn = kTextLeft + kTextWidth;  // 78
constexpr int kUpArrowRow = kTextTop;
constexpr int kDownArrowRow = kTextBottom;

// The divider under the text area, the input row and the frame's bottom line.
constexpr int kDividerRow = kTextBottom + 1;  // 47
constexpr int kInputRow = kDividerRow + 1;    // 48
constexpr int kFirstInputColumn = 3;          // after the prompt "> "
constexpr int kLastInputColumn = 77;          // the last cell the editor clears
constexpr int kLineCapacity = 75;             // characters a line may hold

static_assert(kInputRow == kScreenHeight - 2, "the frame's bottom line follows the input row");
static_assert(kScrollBarColumn == kScreenWidth - 2, "the frame's right side follows the scroll bar");
