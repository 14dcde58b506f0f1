#include "console/Input.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "console/Screen.h"

namespace {
InputHandOff& handOff() { return runtime().input; }

// Every event from the back end comes through here: Ctrl+C and Alt+F4 end
// the program wherever they are pressed, at the prompt, in a pause or
// while the window is too small. The back ends only report them.
InputEvent readBackEnd(int timeoutMs) {
    InputEvent e = console().nextEvent(timeoutMs);
    if (e.type == InputEvent::Type::Key && (e.key == KeyCode::CtrlC || e.key == KeyCode::AltF4)) endProgramNow();
    return e;
}

std::optional<PauseKey> pauseKeyOf(const InputEvent& e) {
    if (e.type == InputEvent::Type::Closed) return PauseKey::GoOn;
    if (e.type == InputEvent::Type::Mouse && e.wheel != 0) return e.wheel > 0 ? PauseKey::LineUp : PauseKey::LineDown;
    if (!e.isKeyDown()) return std::nullopt;
    switch (e.key) {
    case KeyCode::PageUp: return PauseKey::PageUp;
    case KeyCode::PageDown: return PauseKey::PageDown;
    case KeyCode::KeypadMinus: return PauseKey::LineUp;
    case KeyCode::KeypadPlus: return PauseKey::LineDown;
    default: return PauseKey::GoOn;
    }
}

// Hands a key to a waiting pause; true when one took it.
bool offerToPause(const InputEvent& e) {
    const std::optional<PauseKey> key = pauseKeyOf(e);
    if (!key) return false;
    std::lock_guard lock(handOff().mutex);
    if (handOff().pausesWaiting == 0) return false;
    handOff().keysForPause.push_back(*key);
    handOff().keyArrived.notify_all();
    return true;
}

// The oldest key handed to the pause; the caller holds the state lock.
std::optional<PauseKey> popKeyForPause() {
    if (handOff().keysForPause.empty()) return std::nullopt;
    const PauseKey key = handOff().keysForPause.front();
    handOff().keysForPause.pop_front();
    return key;
}

std::optional<PauseKey> takeKeyForPause() {
    std::lock_guard lock(handOff().mutex);
    return popKeyForPause();
}
}  // namespace

InputEvent nextInputEvent(int timeoutMs) {
    InputEvent e;
    {
        std::lock_guard lock(handOff().readMutex);
        e = readBackEnd(timeoutMs);
    }
    if (e.type == InputEvent::Type::Closed) handOff().closed = true;
    if (offerToPause(e)) return InputEvent{};
    return e;
}

void wakeInput() { console().wake(); }

PauseWait::PauseWait() {
    std::lock_guard lock(handOff().mutex);
    ++handOff().pausesWaiting;
}

PauseWait::~PauseWait() {
    std::lock_guard lock(handOff().mutex);
    --handOff().pausesWaiting;
    if (handOff().pausesWaiting == 0) handOff().keysForPause.clear();
}

std::optional<PauseKey> PauseWait::waitForKey(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        if (handOff().closed) return PauseKey::GoOn;
        // A key the reader handed over while the pause was between two waits.
        if (std::optional<PauseKey> key = takeKeyForPause()) return key;
        // Read the back end ourselves when nobody else is; otherwise the
        // reader hands the key over.
        std::unique_lock reader(handOff().readMutex, std::try_to_lock);
        if (!reader.owns_lock()) {
            std::unique_lock lock(handOff().mutex);
            if (handOff().keyArrived.wait_until(lock, deadline, [] { return !handOff().keysForPause.empty(); }))
                return popKeyForPause();
            return handOff().closed ? std::optional(PauseKey::GoOn) : std::nullopt;
        }
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        // A blink already due still looks once at what has come in.
        InputEvent e = readBackEnd(static_cast<int>(left > 0 ? left : 0));
        if (e.type == InputEvent::Type::Closed) handOff().closed = true;
        reader.unlock();
        // The screen is laid out again by the pause, after the reader lets
        // go of the back end: a pause printing meanwhile keeps reading keys.
        if (e.type == InputEvent::Type::Resize) return PauseKey::Refit;
        if (std::optional<PauseKey> key = pauseKeyOf(e)) return key;
        if (std::optional<PauseKey> key = takeKeyForPause()) return key;
        // A click or a wake meant for the line editor: the blink is not due yet.
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    }
}

bool inputClosed() { return handOff().closed; }
