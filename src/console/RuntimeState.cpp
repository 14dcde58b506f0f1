#include "console/RuntimeState.h"

#include "console/Input.h"

RuntimeState& runtime() {
    static RuntimeState state;
    return state;
}

void resetRuntimeState() {
    clearScrollback();
    resetOutputState();
    resetInputState();
    runtime().inputLimit = RuntimeState{}.inputLimit.load();
}
