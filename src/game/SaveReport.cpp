#include "game/SaveReport.h"

#include <cstring>

#include "console/Output.h"
#include "game/RunState.h"
#include "persist/Persist.h"
#include "world/World.h"

namespace {
SaveReportState& report() { return runState().saves; }

// Whether an earlier save of this game is there to fall back on.
bool earlierSaveExists() { return report().savedThisRun || inspectSave(game.player.name.view()).state != SaveState::None; }

bool saveAndReport(bool final) {
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
