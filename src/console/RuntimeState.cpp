#include "console/RuntimeState.h"

#include "console/MemoryConsole.h"

RuntimeState& runtime() {
    static RuntimeState state;
    return state;
}

Console& console() {
    Console*& current = runtime().console;
    if (!current) {
        static MemoryConsole fallback;
        current = &fallback;
    }
    return *current;
}

void setConsole(Console* backEnd) { runtime().console = backEnd; }

ScreenLayout screenLayout() { return layoutForHeight(runtime().screen.height); }

void setScreenHeight(int rows) {
    runtime().screen.height = layoutForHeight(rows).height;
    ++runtime().screen.layoutChanges;
}

int screenLayoutChanges() { return runtime().screen.layoutChanges; }

int newestViewTop() { return kScrollbackLines - screenLayout().textRows; }

void clearScrollback() {
    OutputState& o = runtime().output;
    std::lock_guard lock(o.mutex);
    for (auto& line : o.scrollback.ring) line.fill(ScreenCell{' ', 0x00});
    o.scrollback.oldest = 0;
    o.scrollback.column = 0;
    o.scrollback.restoreForeground = 0;
    o.scrollback.viewTop = newestViewTop();
    o.shownTopLine = -1;
}

void resetOutputState() {
    OutputState& o = runtime().output;
    std::lock_guard lock(o.mutex);
    o.capturing = false;
    o.captured.clear();
    o.pagingDepth = 0;
    o.pageLines = 0;
    o.pageCarried = false;
    o.linesScrolledIn = 0;
    o.shownTopLine = -1;
    o.shownBottomBlank = false;
    o.holds = 0;
    o.heldBack = false;
}

void resetInputState() {
    InputHandOff& in = runtime().input;
    std::lock_guard lock(in.mutex);
    in.pausesWaiting = 0;
    in.keysForPause.clear();
    in.closed = false;
    in.dropRequested = false;
}

void resetRuntimeState() {
    clearScrollback();
    resetOutputState();
    resetInputState();
    setScreenHeight(kDefaultScreenHeight);
    {
        ScreenState& screen = runtime().screen;
        std::lock_guard lock(screen.titleMutex);
        screen.frameTitle.clear();
    }
    runtime().inputLimit = kLineCapacity;
}
