// The game in a browser page: the data packed at /data, the saves in the
// browser's store at /saves, the screen in the page's terminal.
#include <cstdio>
#include <string>

#include "base/Paths.h"
#include "console/RuntimeState.h"
#include "console/Screen.h"
#include "game/MainLoop.h"
#include "web/WebPage.h"

int main() {
    if (std::string why = settleDirectories("/data", "/saves", "brinefall"); !why.empty()) {
        std::fprintf(stderr, "brinefall: %s\n", why.c_str());
        return 1;
    }
    setConsole(&openPage());
    setProgramEndHook(closePage);  // "quit" from the menu ends the program at once
    const int status = runGame();
    closePage();
    return status;
}
