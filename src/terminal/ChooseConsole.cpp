#include "terminal/ChooseConsole.h"

#include <unistd.h>

#include "console/PlainConsole.h"
#include "console/Screen.h"
#include "terminal/TerminalConsole.h"
#include "terminal/TerminalSignals.h"

std::unique_ptr<Console> makeConsole(bool plain, bool noColour) {
    if (!plain && isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) {
        if (std::unique_ptr<TerminalConsole> terminal = TerminalConsole::open(noColour)) {
            setProgramEndHook(restoreActiveTerminal);
            return terminal;
        }
    }
    auto lines = std::make_unique<PlainConsole>([] { return pendingStopSignal() != 0; });
    installPlainSignalHandlers(lines->wakeEnd());
    return lines;
}

void restoreTerminal() {
    restoreActiveTerminal();
    wakeOnSignals(-1);  // the plain front end's pipe goes with it
    finishPendingStopSignal();
}
