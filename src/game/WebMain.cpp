// The game in a browser page: the data packed at /data, the saves in the
// browser's store at /saves, the screen in the page's terminal.
#include <emscripten.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Pace.h"
#include "base/Paths.h"
#include "base/SaveKeeping.h"
#include "clock/Clock.h"
#include "console/RuntimeState.h"
#include "console/Screen.h"
#include "game/MainLoop.h"
#include "web/WebPage.h"

extern "C" [[noreturn]] void brinefall_exit();

namespace {
// The page's `?tick=MS` (web/pre.js puts it here): a faster clock, its
// pauses in step, for the browser test.
void applyPageTick() {
    const char* text = std::getenv("BRINEFALL_TEST_TICK_MS");
    if (!text) return;
    char* end = nullptr;
    const long ms = std::strtol(text, &end, 10);
    if (*end == '\0' && ms > 0) setTickPeriod(std::chrono::milliseconds(ms));
}

// "quit" from the menu ends the program at once, through the page's exit
// (web/library.js): the C library's would throw on the page.
void endFromPage() {
    closePage();
    brinefall_exit();
}
}  // namespace

// Called by the page on its own thread (web/page.js): a hidden tab holds
// the clock, which saves the game; shown again, the clock goes on.
extern "C" EMSCRIPTEN_KEEPALIVE void brinefall_hidden(int hidden) { holdGameClock(hidden != 0); }

int main() {
    if (std::string why = settleDirectories("/data", "/saves", "brinefall"); !why.empty()) {
        std::fprintf(stderr, "brinefall: %s\n", why.c_str());
        return 1;
    }
    applyPageTick();
    setOtherPlaceWord("tab");  // a browser's other places are its tabs
    setConsole(&openPage());
    setProgramEndHook(endFromPage);
    const int status = runGame();
    closePage();
    return status;
}
