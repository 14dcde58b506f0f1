#include "console/Console.h"
#include "console/Screen.h"
#include "core/MainLoop.h"
#include "core/Paths.h"

int main(int /*argc*/, char** argv) {
    locateDataDirectory(argv[0]);
    std::unique_ptr<Console> backEnd = makeConsole();
    setConsole(backEnd.get());
    int status = runGame();
    restoreTerminal();
    setConsole(nullptr);
    return status;
}
