#pragma once
// Follows the cursor through what the game writes to an xterm-like terminal
// and notes which screen rows received characters or erasures inside a
// column range. A scroll (a scrolling region with index, or scroll up)
// moves rows without writing them, so a text area that is told it scrolled
// shows only its new rows here, and one redrawn shows them all.
#include <set>
#include <string>
#include <string_view>

class TerminalRows {
public:
    TerminalRows(int rows, int firstColumn, int lastColumn)
        : rows_(rows), firstColumn_(firstColumn), lastColumn_(lastColumn), bottom_(rows - 1) {}

    void feed(std::string_view bytes);
    // The rows written since the last clearWritten().
    const std::set<int>& written() const { return written_; }
    void clearWritten() { written_.clear(); }

private:
    void csi(char final, std::string_view params);
    void escape(char c);
    void print();
    void markRow(int row);
    void lineFeed();
    void clamp();

    enum class State { Ground, Escape, Csi, Charset, Osc, OscEscape };
    State state_ = State::Ground;
    std::string params_;
    int rows_;
    int firstColumn_;
    int lastColumn_;
    int row_ = 0;
    int column_ = 0;
    int top_ = 0;
    int bottom_;
    int savedRow_ = 0;
    int savedColumn_ = 0;
    bool pendingWrap_ = false;
    bool columnMargins_ = false;  // CSI s sets margins rather than saving the cursor
    std::set<int> written_;
};
