#include "console/Input.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "console/Screen.h"

namespace {
std::mutex readMutex;         // one reader of the back end at a time
std::mutex stateMutex;
std::condition_variable keyArrived;
int pausesWaiting = 0;
int keysForPause = 0;
std::atomic<bool> closed{false};

// Every event from the back end comes through here: Ctrl+C and Alt+F4 end
// the program wherever they are pressed, at the prompt, in a pause or
// while the window is too small. The back ends only report them.
InputEvent readBackEnd(int timeoutMs) {
    InputEvent e = console().nextEvent(timeoutMs);
    if (e.type == InputEvent::Type::Key && (e.key == KeyCode::CtrlC || e.key == KeyCode::AltF4)) endProgramNow();
    return e;
}

// Hands a key to a waiting pause; true when one took it.
bool offerToPause(const InputEvent& e) {
    if (e.type != InputEvent::Type::Closed && !e.isKeyDown()) return false;
    std::lock_guard lock(stateMutex);
    if (pausesWaiting == 0) return false;
    ++keysForPause;
    keyArrived.notify_all();
    return true;
}

bool takeKeyForPause() {
    std::lock_guard lock(stateMutex);
    if (keysForPause == 0) return false;
    --keysForPause;
    return true;
}
}  // namespace

InputEvent nextInputEvent(int timeoutMs) {
    InputEvent e;
    {
        std::lock_guard lock(readMutex);
        e = readBackEnd(timeoutMs);
    }
    if (e.type == InputEvent::Type::Closed) closed = true;
    if (offerToPause(e)) return InputEvent{};
    return e;
}

PauseWait::PauseWait() {
    std::lock_guard lock(stateMutex);
    ++pausesWaiting;
}

PauseWait::~PauseWait() {
    std::lock_guard lock(stateMutex);
    --pausesWaiting;
    if (pausesWaiting == 0) keysForPause = 0;
}

bool PauseWait::waitForKey(int timeoutMs) {
    if (closed) return true;
    // A key the reader handed over while the pause was between two waits.
    if (takeKeyForPause()) return true;
    // Read the back end ourselves when nobody else is; otherwise the
    // reader hands the key over.
    std::unique_lock reader(readMutex, std::try_to_lock);
    if (reader.owns_lock()) {
        InputEvent e = readBackEnd(timeoutMs);
        if (e.type == InputEvent::Type::Closed) closed = true;
        reader.unlock();
        const bool handedOver = takeKeyForPause();
        return e.isKeyDown() || e.type == InputEvent::Type::Closed || handedOver;
    }
    std::unique_lock lock(stateMutex);
    keyArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return keysForPause > 0; });
    if (keysForPause > 0) {
        --keysForPause;
        return true;
    }
    return closed;
}

bool inputClosed() { return closed; }

void resetInputState() {
    std::lock_guard lock(stateMutex);
    pausesWaiting = 0;
    keysForPause = 0;
    closed = false;
}
