#pragma once
// Input has one source. The line editor and the "/s" pause both take
// their events from here; while a pause waits, the next key goes to it,
// even when the pause was printed by the clock thread.
#include <optional>

#include "console/RuntimeState.h"

// Next event for the line editor, waiting up to timeoutMs (negative: with
// no timeout); Type::None when the time passed, when a key went to a pause,
// and when woken. A Resize is the reader's to lay the screen out for.
InputEvent nextInputEvent(int timeoutMs);
// From any thread: the wait for input returns at once with Type::None, so
// its caller looks again at what changed (play ended on the clock thread).
void wakeInput();
// A "/s" pause, registered from construction to destruction: every key
// read meanwhile, by whichever thread, goes to it.
class PauseWait {
public:
    PauseWait();
    ~PauseWait();
    PauseWait(const PauseWait&) = delete;
    PauseWait& operator=(const PauseWait&) = delete;
    // Waits up to timeoutMs for the pause's key, sleeping until it comes;
    // none when the time passed (a closed input goes on, so nothing waits
    // forever); Refit when the pause read a resize itself.
    std::optional<PauseKey> waitForKey(int timeoutMs);
};
// True once the input has reported that it is closed.
bool inputClosed();
