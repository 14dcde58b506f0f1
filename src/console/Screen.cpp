#include "console/Screen.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "console/RuntimeState.h"

namespace {
// Code page 437 pieces of the frame and the scroll bar.
constexpr char kTopLeft = '\xC9';
constexpr char kTopRight = '\xBB';
constexpr char kBottomLeft = '\xC8';
constexpr char kBottomRight = '\xBC';
constexpr char kHorizontal = '\xCD';
constexpr char kVertical = '\xBA';
constexpr char kLeftTee = '\xCC';
constexpr char kRightTee = '\xB9';
constexpr std::uint8_t kUpArrow = 24;
constexpr std::uint8_t kDownArrow = 25;
constexpr std::uint8_t kShade = 177;
constexpr std::uint16_t kScrollBarAttr = 0x70;
constexpr int kRight = kScreenWidth - 1;   // 79

void put(int x, int y, char ch) { console().writeChars(x, y, &ch, 1); }

// The top line between its corners, the title centred on it with a blank each side.
void drawTopLine() {
    std::string line(kRight - 1, kHorizontal);
    std::string title;
    {
        ScreenState& screen = runtime().screen;
        std::lock_guard lock(screen.titleMutex);
        title = screen.frameTitle;
    }
    if (!title.empty()) {
        std::string shown = " " + title.substr(0, line.size() - 4) + " ";
        line.replace((line.size() - shown.size()) / 2, shown.size(), shown);
    }
    console().writeChars(1, 0, line.data(), static_cast<int>(line.size()));
}

// One character at a time, clockwise from the top left, then the divider.
void drawFrame(const ScreenLayout& layout) {
    put(0, 0, kTopLeft);
    drawTopLine();
    put(kRight, 0, kTopRight);
    for (int y = 1; y <= layout.textBottom; ++y) put(kRight, y, kVertical);
    put(kRight, layout.dividerRow, kRightTee);
    put(kRight, layout.inputRow, kVertical);
    put(kRight, layout.bottomRow, kBottomRight);
    for (int x = kRight - 1; x >= 1; --x) put(x, layout.bottomRow, kHorizontal);
    put(0, layout.bottomRow, kBottomLeft);
    put(0, layout.inputRow, kVertical);
    put(0, layout.dividerRow, kLeftTee);
    for (int y = layout.textBottom; y >= 1; --y) put(0, y, kVertical);
    for (int x = 1; x < kRight; ++x) put(x, layout.dividerRow, kHorizontal);
}

void drawScrollBar(const ScreenLayout& layout) {
    std::vector<ScreenCell> bar(static_cast<std::size_t>(layout.textRows), ScreenCell{kShade, kScrollBarAttr});
    bar.front().ch = kUpArrow;
    bar.back().ch = kDownArrow;
    console().writeCells(kScrollBarColumn, kTextTop, 1, layout.textRows, bar.data());
}
}  // namespace

void setUpConsole() {
    setScreenHeight(console().rows());
    clearScrollback();
    {
        ScreenState& screen = runtime().screen;
        std::lock_guard lock(screen.titleMutex);
        screen.frameTitle.clear();  // a game that is loaded sets its day
    }
    console().setTitle("Brinefall!");
    drawScreenFrame();
    console().present();
}

void drawScreenFrame() {
    const ScreenLayout layout = screenLayout();
    drawFrame(layout);
    drawScrollBar(layout);
    console().setCursor(1, layout.inputRow);
    console().writeChars(1, layout.inputRow, "> ", 2);
    console().setCursor(kFirstInputColumn, layout.inputRow);
}

void setFrameTitle(const char* title) {
    {
        ScreenState& screen = runtime().screen;
        std::lock_guard lock(screen.titleMutex);
        screen.frameTitle = title ? title : "";
    }
    drawTopLine();
    console().present();
}

void setProgramEndHook(void (*restore)()) { runtime().programEndHook = restore; }

void endProgramNow() {
    if (void (*hook)() = runtime().programEndHook) hook();
    std::fflush(stdout);
    std::_Exit(0);
}
