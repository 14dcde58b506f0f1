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
// At the pause of a long text, a printable key (a blank aside) is TypeOn:
// the pause ends and the key goes on to the line being typed as well.
// A pause, registered from construction to destruction: every key read
// meanwhile, by whichever thread, goes to it (a TypeOn key to the line too).
class PauseWait {
public:
    // typingEndsIt: the pause of a long text, which typing ends; a "/s"
    // pause takes whatever key comes.
    explicit PauseWait(bool typingEndsIt = false);
    ~PauseWait();
    PauseWait(const PauseWait&) = delete;
    PauseWait& operator=(const PauseWait&) = delete;
    // Waits up to timeoutMs for the pause's key, sleeping until it comes;
    // none when the time passed (a closed input goes on, so nothing waits
    // forever); Refit when the pause read a resize itself.
    std::optional<PauseKey> waitForKey(int timeoutMs);

private:
    bool typingEndsIt_;
};
// A pause wrote on the input row: the line editor is to draw its row again.
void spoilInputRow();
// True once the input has reported that it is closed.
bool inputClosed();
