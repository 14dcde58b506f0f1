#include "game/SaveReport.h"

#include <cstring>

#include "base/SaveKeeping.h"
#include "console/Output.h"
#include "game/RunState.h"
#include "persist/Persist.h"
#include "world/World.h"

namespace {
SaveReportState& report() { return runState().saves; }

// Whether an earlier save of this game is there to fall back on.
bool earlierSaveExists() { return report().savedThisRun || inspectSave(game.player.name.view()).state != SaveState::None; }

// Whether this window still holds its game; told once when it took it
// again, or when another window has it now (then this one never saves again).
bool stillHoldsTheGame() {
    SaveReportState& r = report();
    if (r.lostToAnotherWindow) return false;
    switch (checkSaveClaim()) {
        case ClaimCheck::Kept: return true;
        case ClaimCheck::Retaken:
            printMarked("/YThe lock of %s's game was removed; it is taken again.\n", game.player.name.str());
            return true;
        case ClaimCheck::Lost: break;
    }
    r.lostToAnotherWindow = true;
    const std::string place = otherPlaceWord();
    r.failureLine = game.player.name.str() + " is now being played in another " + place + "; this " + place +
                  " no longer saves it.\n";
    printMarked("/R%s", r.failureLine);
    return false;
}

bool saveAndReport(bool final) {
    if (!stillHoldsTheGame()) return false;
    SaveReportState& r = report();
    int error = saveGame();
    if (error == 0) {
        if (r.failing) printMarked("/GThe game is saved again.\n");
        r.failing = false;
        r.savedThisRun = true;
        r.failureLine.clear();
        return true;
    }
    r.failureLine = "The game could not be saved (" + std::string(std::strerror(error)) + ")";
    r.failureLine += earlierSaveExists() ? "; the last save is kept.\n" : ".\n";
    if (!r.failing || final) printMarked("/R%s", r.failureLine);
    r.failing = true;
    return false;
}
}  // namespace

void noteLoadedSave() { report().savedThisRun = true; }

bool autosaveAndReport() { return saveAndReport(false); }
bool finalSaveAndReport() { return saveAndReport(true); }
bool saveNowAndReport() { return saveAndReport(true); }
const std::string& lastSaveFailureLine() { return report().failureLine; }
