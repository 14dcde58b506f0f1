#include "console/Output.h"
#include "console/OutputTesting.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <mutex>

#include "base/Pace.h"
#include "console/Input.h"
#include "console/Screen.h"
#include "console/Transcript.h"

namespace {
constexpr char kLetters[] = "WwRrBbGgYyCcPpke";
constexpr std::uint16_t kForeground[16] = {0x0F, 0x07, 0x0C, 0x04, 0x09, 0x01, 0x0A, 0x02,
                                           0x0E, 0x06, 0x0B, 0x03, 0x0D, 0x05, 0x00, 0x00};
constexpr std::uint16_t kBackground[16] = {0xF0, 0x70, 0xC0, 0x40, 0x90, 0x10, 0xA0, 0x20,
                                           0xE0, 0x60, 0xB0, 0x30, 0xD0, 0x50, 0x00, 0x80};
constexpr int kGrey = 1;
constexpr int kBlack = 14;
constexpr std::uint8_t kPauseArrow = 25;
// Where the wrap takes out the blank that falls just past the last column:
// the screen wraps there by itself and draws nothing, the plain output
// breaks the line, so the words on either side stay apart.
constexpr char kSoftBreak = '\x1e';

OutputState& state() { return runtime().output; }
// Held for a whole print, its key pause included (see OutputState::mutex).
RankedRecursiveMutex<LockRank::Output>& outputMutex = runtime().output.mutex;

bool isForegroundCode(char c) { return c == 'x' || c == 's' || foregroundIndex(c) >= 0; }
bool isBackgroundCode(char c) { return backgroundIndex(c) >= 0; }

void scrollOneLine() {
    Scrollback& sb = state().scrollback;
    ++state().pageLines;
    ++state().linesScrolledIn;
    sb.oldest = (sb.oldest + 1) % kScrollbackLines;  // line 0 is lost
    sb.bottom().fill(ScreenCell{' ', 0x00});
}

int textRows() { return screenLayout().textRows; }

// Lays the screen out for a new height, when one waits: the frame where it
// now belongs, the view on the newest lines, every row drawn afresh.
void applyPendingHeight() {
    const int rows = state().pendingHeight.exchange(0);
    if (rows == 0) return;
    setScreenHeight(rows);
    state().scrollback.viewTop = newestViewTop();
    state().shownTopLine = -1;  // the rows are not where they were: no scroll, all of them drawn
    state().shownBottomBlank = false;
    drawScreenFrame();
    console().wake();  // the line editor draws its row where it now is
}

void refreshLocked() {
    Scrollback& sb = state().scrollback;
    state().heldBack = false;
    applyPendingHeight();
    const int areaRows = textRows();
    sb.viewTop = std::clamp(sb.viewTop, 0, newestViewTop());
    static std::array<ScreenCell, kTextWidth * kScrollbackLines> block;  // scratch under the output lock, nothing kept
    const long long topLine = state().linesScrolledIn + sb.viewTop;
    const ScrollbackLine& lastRow = sb.line(sb.viewTop + areaRows - 1);
    const bool bottomBlank = std::all_of(lastRow.begin(), lastRow.end(), [](const ScreenCell& c) { return c.ch == ' ' && c.attr == 0x00; });
    // A last row blank before and after (the line still to be written, as
    // a rule) stays out of the scroll, and the scroll bar's arrow beside it
    // stays in place.
    const int rows = state().shownBottomBlank && bottomBlank ? areaRows - 1 : areaRows;
    if (state().shownTopLine >= 0 && topLine > state().shownTopLine && topLine - state().shownTopLine < rows)
        console().scrollUp(kTextLeft, kTextTop, kTextWidth, rows, static_cast<int>(topLine - state().shownTopLine));
    state().shownTopLine = topLine;
    state().shownBottomBlank = bottomBlank;
    for (int row = 0; row < areaRows; ++row) {
        const ScrollbackLine& line = sb.line(sb.viewTop + row);
        std::copy(line.begin(), line.end(), block.begin() + row * kTextWidth);
    }
    console().writeCells(kTextLeft, kTextTop, kTextWidth, areaRows, block.data());
    console().present();
}

void putCell(char ch, std::uint16_t attr) {
    Scrollback& sb = state().scrollback;
    sb.bottom()[static_cast<std::size_t>(sb.column)] = ScreenCell{static_cast<std::uint8_t>(ch), attr};
    ++sb.column;
}

// The "/s" pause: a blinking arrow until a key comes, on and off each half
// second of play (faster when the tests speed up the clock). Page Up and
// the other scrolling keys look back over the text meanwhile; any other
// key goes on, with the newest lines in view again.
void waitForKeyBlinking() {
    Scrollback& sb = state().scrollback;
    if (!console().interactive()) return;
    // Registered once for the whole wait, from before the arrow shows, so
    // no key slips past it to the line editor while the arrow blinks.
    PauseWait pause;
    ScreenCell& cell = sb.bottom()[static_cast<std::size_t>(sb.column)];
    cell = ScreenCell{kPauseArrow, 0x07};
    refreshLocked();
    while (true) {
        const std::optional<PauseKey> key = pause.waitForKey(std::max(10, pacedMs(500)));
        if (key == PauseKey::GoOn) break;
        if (key == PauseKey::Refit) fitScreenToHeight(console().rows());
        else if (key == PauseKey::LineUp) scrollViewUp();
        else if (key == PauseKey::LineDown) scrollViewDown();
        else if (key == PauseKey::PageUp) scrollViewPageUp();
        else if (key == PauseKey::PageDown) scrollViewPageDown();
        else {
            cell.ch = cell.ch == kPauseArrow ? ' ' : kPauseArrow;
            refreshLocked();
        }
    }
    cell = ScreenCell{' ', 0x00};
    sb.viewTop = newestViewTop();
}

// Draws the wrapped text; false when a bad code stopped it.
bool draw(const std::string& text) {
    Scrollback& sb = state().scrollback;
    int fg = kGrey;
    int bg = kBlack;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((state().pagingDepth > 0 || state().pageCarried) && state().pageLines >= textRows() - 1) {
            // The page's first line is at the top: show it and wait before it scrolls away.
            sb.viewTop = newestViewTop();
            waitForKeyBlinking();
            state().pageLines = 0;
            state().pageCarried = true;
        }
        char c = text[i];
        if (c == kSoftBreak) continue;
        if (sb.column >= kTextWidth) { scrollOneLine(); sb.column = 0; }
        if (c == '/') {
            if (i + 1 >= text.size()) return false;
            char code = text[++i];
            if (code != 'x') sb.restoreForeground = fg;
            if (code == 'x') fg = sb.restoreForeground;
            else if (code == 's') { waitForKeyBlinking(); state().pageLines = 0; }
            else if (code == '/') putCell('/', backgroundAttr(bg) | foregroundAttr(fg));
            else if (foregroundIndex(code) >= 0) fg = foregroundIndex(code);
            else return false;
        } else if (c == '@') {
            if (i + 1 >= text.size()) return false;
            char code = text[++i];
            if (code == '@') putCell('@', foregroundAttr(fg));
            else if (backgroundIndex(code) >= 0) bg = backgroundIndex(code);
            else return false;
        } else if (c == '\n') {
            scrollOneLine();
            sb.column = 0;
        } else {
            putCell(c, backgroundAttr(bg) | foregroundAttr(fg));
        }
    }
    return true;
}

void printLocked(const char* format, const FormatArg* args, std::size_t count) {
    if (format == nullptr || *format == '\0') return;
    std::string text;
    if (!formatMarked(format, args, count, text)) {
        printLocked("Error.  Invalid character following '%%'.\n", nullptr, 0);
        return;
    }
    if (state().capturing) state().captured += text;
    wrapMarkedText(text, state().scrollback.column);
    bool ok = draw(text);
    state().scrollback.viewTop = newestViewTop();
    if (state().holds > 0) state().heldBack = true;
    else refreshLocked();
    const std::string plain = stripMarkup(text);
    console().plainText(plain.c_str());
    transcribeText(plain);
    if (!ok) printLocked("Error.  Invalid character following '//'.\n", nullptr, 0);
}
}  // namespace

int foregroundIndex(char letter) {
    for (int i = 0; i < 15; ++i)
        if (kLetters[i] == letter) return i;
    return -1;
}
int backgroundIndex(char letter) {
    for (int i = 0; i < 16; ++i)
        if (kLetters[i] == letter) return i;
    return -1;
}
std::uint16_t foregroundAttr(int index) { return index >= 0 && index < 16 ? kForeground[index] : 0x07; }
std::uint16_t backgroundAttr(int index) { return index >= 0 && index < 16 ? kBackground[index] : 0x00; }

Scrollback& scrollback() { return state().scrollback; }

void printMarkedArgs(const char* format, const FormatArg* args, std::size_t count) {
    std::lock_guard lock(outputMutex);
    printLocked(format, args, count);
}

PagedOutput::PagedOutput() {
    std::lock_guard lock(outputMutex);
    if (state().pagingDepth++ == 0 && !state().pageCarried) state().pageLines = 0;
}

PagedOutput::~PagedOutput() {
    std::lock_guard lock(outputMutex);
    --state().pagingDepth;
}

HeldOutput::HeldOutput() {
    std::lock_guard lock(outputMutex);
    ++state().holds;
}

HeldOutput::~HeldOutput() {
    std::lock_guard lock(outputMutex);
    if (--state().holds == 0 && state().heldBack) refreshLocked();
}

void endCarriedPage() {
    std::lock_guard lock(outputMutex);
    state().pageCarried = false;
}

void showHeldOutput() {
    std::lock_guard lock(outputMutex);
    if (state().heldBack) refreshLocked();
}

void scrollViewUp() {
    std::lock_guard lock(outputMutex);
    if (state().scrollback.viewTop > 0) {
        --state().scrollback.viewTop;
        refreshLocked();
    }
}

void scrollViewDown() {
    std::lock_guard lock(outputMutex);
    if (state().scrollback.viewTop < newestViewTop()) {
        ++state().scrollback.viewTop;
        refreshLocked();
    }
}

namespace {
// A page keeps one line of the one before in view, so the reader's place is not lost.
void scrollViewPage(int direction) {
    std::lock_guard lock(outputMutex);
    int top = std::clamp(state().scrollback.viewTop + direction * (textRows() - 1), 0, newestViewTop());
    if (top != state().scrollback.viewTop) {
        state().scrollback.viewTop = top;
        refreshLocked();
    }
}
}  // namespace

void scrollViewPageUp() { scrollViewPage(-1); }
void scrollViewPageDown() { scrollViewPage(+1); }

void fitScreenToHeight(int rows) {
    state().pendingHeight = rows;
    // Waits while another thread prints: a pause there lays the screen out
    // at its next blink, so this waits for no key with the screen undrawn.
    std::lock_guard lock(outputMutex);
    // A resize redraws everything anyway: even output held back is shown.
    refreshLocked();
}

namespace {
// What starts at text[i]: a colour code (two bytes, nothing shown), a
// doubled "//" or "@@" (two bytes, one column) or one byte of one column.
enum class MarkupUnit { Code, Doubled, Plain };
MarkupUnit unitAt(const std::string& text, std::size_t i) {
    const char c = text[i];
    if ((c == '/' || c == '@') && i + 1 < text.size()) {
        const char d = text[i + 1];
        if ((c == '/' && isForegroundCode(d)) || (c == '@' && isBackgroundCode(d))) return MarkupUnit::Code;
        if (d == c) return MarkupUnit::Doubled;
    }
    return MarkupUnit::Plain;
}

// The columns text[from..to] takes on the screen.
int visibleWidth(const std::string& text, std::size_t from, std::size_t to) {
    int n = 0;
    for (std::size_t k = from; k <= to && k < text.size(); ++k) {
        const MarkupUnit unit = unitAt(text, k);
        if (unit != MarkupUnit::Plain) ++k;
        if (unit != MarkupUnit::Code) ++n;
    }
    return n;
}

// The line is full at text[i], whose unit ends at text[last]: the line
// breaks at the last blank, and the columns the next line already holds
// come back.
int breakFullLine(std::string& text, std::size_t i, std::size_t last) {
    const char c = text[i];
    if (c == ' ') {
        text[i] = kSoftBreak;
        return 0;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
        text[i] = '\n';
        return 0;
    }
    const std::size_t lowest = i >= 76 ? i - 76 : 0;
    for (std::size_t j = i; j-- > lowest;) {
        if (std::isspace(static_cast<unsigned char>(text[j]))) {
            text[j] = '\n';
            return visibleWidth(text, j + 1, last);
        }
    }
    return 1;  // no break point: the drawing breaks the line at column 77
}
}  // namespace

void wrapMarkedText(std::string& text, int startColumn) {
    int count = startColumn;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const MarkupUnit unit = unitAt(text, i);
        if (unit == MarkupUnit::Code) {
            ++i;
            continue;
        }
        const std::size_t last = unit == MarkupUnit::Doubled ? i + 1 : i;  // last byte of this visible unit
        if (text[i] == '\n') {
            count = 0;
            continue;
        }
        if (++count == kTextWidth + 1) count = breakFullLine(text, i, last);
        i = last;
    }
}

std::string markupLiteral(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '/' || c == '@') out += c;
        out += c;
    }
    return out;
}

std::string stripMarkup(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if ((c == '/' || c == '@') && i + 1 < text.size()) {
            char d = text[i + 1];
            if (d == c) { out += c; ++i; continue; }
            if ((c == '/' && isForegroundCode(d)) || (c == '@' && isBackgroundCode(d))) { ++i; continue; }
        }
        out += c == kSoftBreak ? '\n' : c;
    }
    return out;
}

std::string scrollbackLine(int i) {
    std::lock_guard lock(outputMutex);
    std::string s;
    if (i < 0 || i >= kScrollbackLines) return s;
    for (const ScreenCell& cell : state().scrollback.line(i)) s += static_cast<char>(cell.ch);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

void setOutputCapture(bool on) {
    std::lock_guard lock(outputMutex);
    state().capturing = on;
    state().captured.clear();
}

std::string takeCapturedOutput() {
    std::lock_guard lock(outputMutex);
    std::string out;
    out.swap(state().captured);
    return out;
}
