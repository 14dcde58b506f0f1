#include <cstdio>

#include "base/Paths.h"
#include "console/Console.h"
#include "console/Screen.h"
#include "game/MainLoop.h"

int main(int /*argc*/, char** argv) {
    locateDataDirectory(argv[0]);
    std::unique_ptr<Console> backEnd = makeConsole();
    setConsole(backEnd.get());
    int status = runGame();
    // The plain front end has printed everything already; a terminal's
    // game screen goes, so its last words are printed again after it.
    bool screenGoes = backEnd->interactive();
    restoreTerminal();
    setConsole(nullptr);
    if (screenGoes) std::fputs(closingWords().c_str(), stdout);
    return status;
}
