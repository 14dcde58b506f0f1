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
    setScreenHeight(kDefaultScreenHeight);
    {
        ScreenState& screen = runtime().screen;
        std::lock_guard lock(screen.titleMutex);
        screen.frameTitle.clear();
    }
    runtime().inputLimit = kLineCapacity;
}
