#include "TerminalRows.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
constexpr int kColumns = 80;

// The numbers of a control sequence, empty ones as 0; a leading private
// marker ('?', '>') is left out.
std::vector<int> numbers(std::string_view params) {
    std::vector<int> out;
    std::string current;
    for (char c : params) {
        if (c == ';') {
            out.push_back(std::atoi(current.c_str()));
            current.clear();
        } else if (c >= '0' && c <= '9') {
            current += c;
        }
    }
    out.push_back(std::atoi(current.c_str()));
    return out;
}

int argument(const std::vector<int>& n, std::size_t i, int fallback) {
    return i < n.size() && n[i] > 0 ? n[i] : fallback;
}
}  // namespace

void TerminalRows::feed(std::string_view bytes) {
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Ground:
            if (byte == 0x1b) state_ = State::Escape;
            else if (byte == '\r') column_ = 0, pendingWrap_ = false;
            else if (byte == '\n' || byte == 0x0b || byte == 0x0c) lineFeed();
            else if (byte == '\b') column_ = std::max(0, column_ - 1), pendingWrap_ = false;
            else if (byte == '\t') column_ = std::min(kColumns - 1, (column_ / 8 + 1) * 8);
            else if (byte < 0x20 || byte == 0x7f) {}
            else if (byte >= 0x80 && byte < 0xc0) {}  // the rest of a UTF-8 character
            else print();
            break;
        case State::Escape:
            if (c == '[') {
                state_ = State::Csi;
                params_.clear();
            } else if (c == '(' || c == ')' || c == '*' || c == '+') {
                state_ = State::Charset;
            } else if (c == ']' || c == 'P') {
                state_ = State::Osc;
            } else {
                state_ = State::Ground;
                escape(c);
            }
            break;
        case State::Csi:
            if (byte >= 0x40 && byte <= 0x7e) {
                state_ = State::Ground;
                csi(c, params_);
            } else {
                params_ += c;
            }
            break;
        case State::Charset:
            state_ = State::Ground;
            break;
        case State::Osc:
            if (byte == 0x07) state_ = State::Ground;
            else if (byte == 0x1b) state_ = State::OscEscape;
            break;
        case State::OscEscape:
            state_ = c == '\\' ? State::Ground : State::Osc;
            break;
        }
    }
}

void TerminalRows::markRow(int row) {
    if (row >= 0 && row < rows_) written_.insert(row);
}

void TerminalRows::print() {
    if (pendingWrap_) {
        pendingWrap_ = false;
        column_ = 0;
        lineFeed();
    }
    if (column_ >= firstColumn_ && column_ <= lastColumn_) markRow(row_);
    if (column_ == kColumns - 1) pendingWrap_ = true;
    else ++column_;
}

void TerminalRows::lineFeed() {
    pendingWrap_ = false;
    if (row_ == bottom_) return;  // the region scrolls: nothing is written
    if (row_ < rows_ - 1) ++row_;
}

void TerminalRows::clamp() {
    pendingWrap_ = false;
    row_ = std::clamp(row_, 0, rows_ - 1);
    column_ = std::clamp(column_, 0, kColumns - 1);
}

void TerminalRows::escape(char c) {
    switch (c) {
    case '7': savedRow_ = row_, savedColumn_ = column_; break;
    case '8': row_ = savedRow_, column_ = savedColumn_, clamp(); break;
    case 'D': lineFeed(); break;
    case 'E': column_ = 0, lineFeed(); break;
    case 'M':
        pendingWrap_ = false;
        if (row_ != top_ && row_ > 0) --row_;
        break;
    case 'c': row_ = column_ = top_ = 0, bottom_ = rows_ - 1; break;
    default: break;  // keypad modes and the like move nothing
    }
}

void TerminalRows::csi(char final, std::string_view params) {
    bool isPrivate = !params.empty() && (params[0] == '?' || params[0] == '>' || params[0] == '=');
    if (isPrivate) {
        // Left and right margins on or off; the other modes (the alternate
        // screen, the cursor, the mouse) move nothing.
        if (params == "?69" && (final == 'h' || final == 'l')) columnMargins_ = final == 'h';
        return;
    }
    std::vector<int> n = numbers(params);
    int first = argument(n, 0, 1);
    auto spans = [&](int from, int to) { return from <= lastColumn_ && to >= firstColumn_; };
    switch (final) {
    case 'H':
    case 'f': row_ = first - 1, column_ = argument(n, 1, 1) - 1, clamp(); break;
    case 'd': row_ = first - 1, clamp(); break;
    case 'G':
    case '`': column_ = first - 1, clamp(); break;
    case 'A': row_ -= first, clamp(); break;
    case 'B':
    case 'e': row_ += first, clamp(); break;
    case 'C':
    case 'a': column_ += first, clamp(); break;
    case 'D': column_ -= first, clamp(); break;
    case 'E': row_ += first, column_ = 0, clamp(); break;
    case 'F': row_ -= first, column_ = 0, clamp(); break;
    case 's':  // with margins on, the left and right margins, which home the cursor
        if (columnMargins_) row_ = column_ = 0, clamp();
        break;
    case 'r':
        top_ = argument(n, 0, 1) - 1;
        bottom_ = argument(n, 1, rows_) - 1;
        row_ = column_ = 0;
        clamp();
        break;
    case 'J': {
        int mode = n.empty() ? 0 : n[0];
        int from = mode == 0 ? row_ : 0;
        int to = mode == 1 ? row_ : rows_ - 1;
        for (int r = from; r <= to; ++r) markRow(r);
        break;
    }
    case 'K': {
        int mode = n.empty() ? 0 : n[0];
        int from = mode == 0 ? column_ : 0;
        int to = mode == 1 ? column_ : kColumns - 1;
        if (spans(from, to)) markRow(row_);
        break;
    }
    case 'X':
        if (spans(column_, column_ + first - 1)) markRow(row_);
        break;
    case 'b':  // the last character repeated
        if (spans(column_, column_ + first - 1)) markRow(row_);
        column_ += first;
        clamp();
        break;
    case '@':
    case 'P':
        if (spans(column_, kColumns - 1)) markRow(row_);
        break;
    default: break;  // colours, scrolls, line inserts and the like write no row
    }
}
