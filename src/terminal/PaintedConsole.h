#pragma once
// A back end that keeps the screen in a grid and paints it with the
// terminal painter: on the real terminal, and on a page's xterm.js. It
// centres the 80 columns on a wider terminal, shows the size notice on a
// smaller one, moves the text area with the terminal's own scroll, and
// hands every byte to send(). What lies around it (setting the terminal
// up, reading the keys, the signals) is the subclass's.
#include <memory>
#include <string>

#include "base/LockOrder.h"
#include "console/CellGrid.h"
#include "console/Console.h"
#include "terminal/TerminalPainter.h"

class PaintedConsole : public Console {
public:
    void writeChars(int x, int y, const char* text, int length) override;
    void writeCells(int x, int y, int w, int h, const ScreenCell* cells) override;
    void scrollUp(int x, int y, int w, int h, int rows) override;
    void setCursor(int x, int y) override;
    int rows() override;
    void sleepMs(int ms) override;

protected:
    PaintedConsole() = default;

    // The bytes for the terminal, in order.
    virtual void send(const std::string& bytes) = 0;
    // Blanks the whole terminal, its colours plain, before the frame or
    // the notice is drawn on it afresh.
    virtual void clearTerminal() = 0;
    // Drops the keys typed and not read yet: those typed while the notice
    // was up are not for the screen that comes back.
    virtual void dropTypedAhead() = 0;
    // Learns the terminal's size, where the back end hears of it late
    // (the page's), before each paint.
    virtual void followSize() {}

    // Each of these expects mutex_ to be held.
    // The painter for the terminal's codes and abilities; the screen blank.
    void startPainting(std::unique_ptr<TerminalPainter> painter);
    // Every cell put from now on keeps only its monochrome attribute.
    void paintInMonochrome() { grid_.setMonochrome(true); }
    // The terminal is this size now: the frame laid out again (centred,
    // as tall as the terminal), or the notice when it is too small.
    void showSize(int columns, int lines);
    // The terminal may show anything: the next showSize draws it all again.
    void forgetShownSize() { shownLines_ = shownColumns_ = -1; }
    // Paints what changed since the last flush.
    void flush();
    // The terminal's scrolling region given back, before others write on it.
    void leaveRegion();
    // The window's title, after what was drawn.
    void sendTitle(const std::string& title);
    // True once after the screen's height changed while it fits: the game
    // is yet to hear of it.
    bool takeResize();
    bool fits() const { return fits_; }
    int left() const { return left_; }

    RankedMutex<LockRank::BackEnd> mutex_;  // last in the game's lock order
    bool active_ = false;  // the terminal is ours to draw on

private:
    void showNotice(int columns, int lines);

    CellGrid grid_;  // what the game drew; the next flush paints what the terminal lacks of it
    std::unique_ptr<TerminalPainter> painter_;
    int cursorX_ = 0;
    int cursorY_ = 0;
    int shownColumns_ = -1;  // the size the screen is laid out for
    int shownLines_ = -1;
    int left_ = 0;  // the screen's first column on the terminal
    bool fits_ = false;     // the terminal is at least 80x24
    bool noticeShown_ = false;
    bool resized_ = false;  // the screen's height changed: the game is yet to hear of it
};
