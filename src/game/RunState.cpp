#include "game/RunState.h"

GameRunState& runState() {
    static GameRunState state;
    return state;
}

void resetRunState() {
    GameRunState& run = runState();
    run.saves = SaveReportState{};
    run.ending = EndingState{};
    run.lastCommand.clear();
    std::lock_guard lock(run.thingsMutex);
    run.things.clear();
}
