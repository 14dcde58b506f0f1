#include "terminal/PaintedConsole.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "console/SizeNotice.h"

void PaintedConsole::startPainting(std::unique_ptr<TerminalPainter> painter) {
    painter_ = std::move(painter);
    grid_.clear();
}

void PaintedConsole::showSize(int columns, int lines) {
    const bool fits = columns >= kScreenWidth && lines >= kMinScreenHeight;
    if (fits == fits_ && columns == shownColumns_ && lines == shownLines_) return;
    leaveRegion();
    shownColumns_ = columns;
    shownLines_ = lines;
    fits_ = fits;
    left_ = fits_ ? (columns - kScreenWidth) / 2 : 0;  // a wider terminal centres the frame
    clearTerminal();
    if (!fits_) {
        showNotice(columns, lines);
        return;
    }
    if (noticeShown_) dropTypedAhead();
    noticeShown_ = false;
    // The screen as it was (frame, scrollback view and input row) is
    // painted again on the blank terminal. The screen fills the terminal's
    // height: at a new one it starts blank, and the game, told of the
    // resize, draws it all again.
    painter_->forget(left_, lines, columns);
    const int height = layoutForHeight(lines).height;
    if (height != grid_.rows()) {
        grid_.resize(height);
        resized_ = true;
    }
}

void PaintedConsole::showNotice(int columns, int lines) {
    painter_->forget(0, lines, columns);  // nothing of the frame is shown now
    for (const NoticeLine& line : sizeNotice(columns, lines)) painter_->writeText(line.row, line.column, line.text);
    send(painter_->takeBytes());
    noticeShown_ = true;
}

void PaintedConsole::flush() {
    followSize();
    if (!active_ || !fits_) return;
    painter_->paint(grid_, cursorX_, cursorY_);
    grid_.clearDirty();
    const std::string bytes = painter_->takeBytes();
    if (!bytes.empty()) send(bytes);
}

void PaintedConsole::leaveRegion() {
    if (!painter_) return;
    painter_->leaveRegion();
    const std::string bytes = painter_->takeBytes();
    if (!bytes.empty()) send(bytes);
}

void PaintedConsole::sendTitle(const std::string& title) {
    flush();  // what was drawn goes out first
    send("\033]0;" + title + "\007");
}

bool PaintedConsole::takeResize() {
    if (!resized_ || !fits_) return false;
    resized_ = false;
    return true;
}

void PaintedConsole::writeChars(int x, int y, const char* text, int length) {
    std::lock_guard lock(mutex_);
    grid_.writeChars(x, y, text, length);
}

void PaintedConsole::writeCells(int x, int y, int w, int h, const ScreenCell* cells) {
    std::lock_guard lock(mutex_);
    grid_.writeCells(x, y, w, h, cells);
}

void PaintedConsole::scrollUp(int x, int y, int w, int h, int rows) {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || rows <= 0 || x + w > kScreenWidth || y + h > grid_.rows()) return;
    rows = std::min(rows, h);
    // Whole rows move on the terminal where it cannot keep to the block's
    // columns; still worth it, as only the frame beside it is painted again.
    if (active_ && fits_ && painter_->scrollWaiting()) flush();  // one scroll waits for the paint at a time
    const bool moved = rows < h && active_ && fits_ && painter_->scrollBlock(x, y, w, h, rows);
    grid_.scrollUp(x, y, w, h, rows);
    if (!moved) grid_.markRowsDirty(y, h);  // the rows are drawn again where they are now
}

void PaintedConsole::setCursor(int x, int y) {
    std::lock_guard lock(mutex_);
    cursorX_ = x;
    cursorY_ = y;
}

int PaintedConsole::rows() {
    std::lock_guard lock(mutex_);
    return grid_.rows();
}

void PaintedConsole::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
