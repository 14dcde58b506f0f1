#include "game/SaveReport.h"

#include <cstring>

#include "console/Output.h"
#include "persist/Persist.h"

namespace {
// The game layer's own record of the run, which the console's runtime state
// cannot name: runGame resets it at the start (resetSaveReport).
std::string failure;
bool failing = false;

bool saveAndReport(bool final) {
    int error = saveGame();
    if (error == 0) {
        if (failing) printMarked("/GThe game is saved again.\n");
        failing = false;
        failure.clear();
        return true;
    }
    failure = std::strerror(error);
    if (!failing || final) printMarked("/RThe game could not be saved (%s); the last save is kept.\n", failure);
    failing = true;
    return false;
}
}  // namespace

bool autosaveAndReport() { return saveAndReport(false); }
bool finalSaveAndReport() { return saveAndReport(true); }
bool saveNowAndReport() { return saveAndReport(true); }
const std::string& lastSaveFailure() { return failure; }

void resetSaveReport() {
    failing = false;
    failure.clear();
}
