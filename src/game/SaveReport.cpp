#include "game/SaveReport.h"

#include <cstring>

#include "base/SaveKeeping.h"
#include "console/Output.h"
#include "persist/Persist.h"
#include "world/World.h"

namespace {
// The game layer's own record of the run, which the console's runtime state
// cannot name: runGame resets it at the start (resetSaveReport).
std::string failure;
std::string failureLine;
bool failing = false;
bool savedThisRun = false;
bool lostToAnotherWindow = false;

// Whether an earlier save of this game is there to fall back on.
bool earlierSaveExists() { return savedThisRun || inspectSave(game.player.name.view()).state != SaveState::None; }

// Whether this window still holds its game; told once when it took it
// again, or when another window has it now (then this one never saves again).
bool stillHoldsTheGame() {
    if (lostToAnotherWindow) return false;
    switch (checkSaveClaim()) {
        case ClaimCheck::Kept: return true;
        case ClaimCheck::Retaken:
            printMarked("/YThe lock of %s's game was removed; it is taken again.\n", game.player.name.str());
            return true;
        case ClaimCheck::Lost: break;
    }
    lostToAnotherWindow = true;
    failure = "played in another window";
    const std::string place = otherPlaceWord();
    failureLine = game.player.name.str() + " is now being played in another " + place + "; this " + place +
                  " no longer saves it.\n";
    printMarked("/R%s", failureLine);
    return false;
}

bool saveAndReport(bool final) {
    if (!stillHoldsTheGame()) return false;
    int error = saveGame();
    if (error == 0) {
        if (failing) printMarked("/GThe game is saved again.\n");
        failing = false;
        savedThisRun = true;
        failure.clear();
        failureLine.clear();
        return true;
    }
    failure = std::strerror(error);
    failureLine = "The game could not be saved (" + failure + ")";
    failureLine += earlierSaveExists() ? "; the last save is kept.\n" : ".\n";
    if (!failing || final) printMarked("/R%s", failureLine);
    failing = true;
    return false;
}
}  // namespace

void noteLoadedSave() { savedThisRun = true; }

bool autosaveAndReport() { return saveAndReport(false); }
bool finalSaveAndReport() { return saveAndReport(true); }
bool saveNowAndReport() { return saveAndReport(true); }
const std::string& lastSaveFailure() { return failure; }
const std::string& lastSaveFailureLine() { return failureLine; }

void resetSaveReport() {
    failing = false;
    savedThisRun = false;
    lostToAnotherWindow = false;
    failure.clear();
    failureLine.clear();
}
