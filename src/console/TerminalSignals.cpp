#include "console/TerminalSignals.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {
constexpr std::size_t kResetCapacity = 512;
char resetBytes[kResetCapacity];
std::size_t resetLength = 0;
struct termios savedModes;
bool haveSavedModes = false;
volatile std::sig_atomic_t stopSignal = 0;
constexpr int kGraceSeconds = 3;

// Only async-signal-safe calls from here on.
void restoreFromHandler() {
    std::size_t done = 0;
    while (done < resetLength) {
        ssize_t n = write(STDOUT_FILENO, resetBytes + done, resetLength - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (haveSavedModes) tcsetattr(STDIN_FILENO, TCSANOW, &savedModes);
}

void onCrash(int sig) {
    restoreFromHandler();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void onStop(int sig) {
    if (stopSignal == 0) stopSignal = sig;
    alarm(kGraceSeconds);
}

// The game did not wind down in time: put the terminal back and go.
void onGraceOver(int) {
    restoreFromHandler();
    int sig = stopSignal != 0 ? stopSignal : SIGTERM;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    _exit(128 + sig);
}

void handle(int sig, void (*handler)(int)) {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
}
}  // namespace

void saveTerminalModes() { haveSavedModes = tcgetattr(STDIN_FILENO, &savedModes) == 0; }

void installTerminalSignalHandlers(const std::string& resetSequence) {
    resetLength = resetSequence.size() < kResetCapacity ? resetSequence.size() : kResetCapacity;
    std::memcpy(resetBytes, resetSequence.data(), resetLength);
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE}) handle(sig, onCrash);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) handle(sig, onStop);
    handle(SIGALRM, onGraceOver);
}

int pendingStopSignal() { return stopSignal; }

void finishPendingStopSignal() {
    int sig = stopSignal;
    if (sig == 0) return;
    alarm(0);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}
