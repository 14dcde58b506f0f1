#include "terminal/TerminalSignals.h"

#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "base/Files.h"

namespace {
// Plain statics on purpose: a signal handler may touch nothing else, and
// there is one terminal per process.
constexpr std::size_t kResetCapacity = 512;
char resetBytes[kResetCapacity];
std::size_t resetLength = 0;
struct termios savedModes;
bool haveSavedModes = false;
volatile std::sig_atomic_t stopSignal = 0;
constexpr int kGraceSeconds = 3;
volatile std::sig_atomic_t wakeFd = -1;
volatile std::sig_atomic_t suspendAsked = 0;
volatile std::sig_atomic_t redrawAsked = 0;
bool jobControl = false;  // SIGTSTP was not ignored when the game started
struct sigaction resizeBefore;  // the handler curses installed for SIGWINCH
bool resizeChained = false;

// Only async-signal-safe calls from here on.
void restoreFromHandler() {
    writeAll(STDOUT_FILENO, std::string_view(resetBytes, resetLength));
    if (haveSavedModes) tcsetattr(STDIN_FILENO, TCSANOW, &savedModes);
}

void wakeTheInput() {
    const int fd = wakeFd;
    if (fd < 0) return;
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(fd, &byte, 1);
    errno = savedErrno;
}

void onCrash(int sig) {
    restoreFromHandler();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void onStop(int sig) {
    if (stopSignal == 0) stopSignal = sig;
    alarm(kGraceSeconds);
    wakeTheInput();
}

void onResize(int sig, siginfo_t* info, void* context) {
    if ((resizeBefore.sa_flags & SA_SIGINFO) != 0) {
        if (resizeBefore.sa_sigaction != nullptr) resizeBefore.sa_sigaction(sig, info, context);
    } else if (resizeBefore.sa_handler != SIG_DFL && resizeBefore.sa_handler != SIG_IGN) {
        resizeBefore.sa_handler(sig);
    }
    redrawAsked = 1;
    wakeTheInput();
}

void onSuspend(int) {
    suspendAsked = 1;
    wakeTheInput();
}

void onContinue(int) {
    redrawAsked = 1;
    wakeTheInput();
}

// The game did not wind down in time: put the terminal back and go.
void onGraceOver(int) {
    restoreFromHandler();
    int sig = stopSignal != 0 ? stopSignal : SIGTERM;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    _exit(128 + sig);
}

// A handler that only raises a flag (and wakes the input) lets the call it
// interrupted go on (SA_RESTART): a write to a slow terminal, a read. A wait
// for input (poll) returns all the same, and the wake pipe ends it anyway.
enum class Interrupted { Restart, Fail };

void handle(int sig, void (*handler)(int), Interrupted interrupted = Interrupted::Fail) {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = handler;
    action.sa_flags = interrupted == Interrupted::Restart ? SA_RESTART : 0;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
}
}  // namespace

void saveTerminalModes() { haveSavedModes = tcgetattr(STDIN_FILENO, &savedModes) == 0; }

void installTerminalSignalHandlers(const std::string& resetSequence) {
    resetLength = resetSequence.size() < kResetCapacity ? resetSequence.size() : kResetCapacity;
    std::memcpy(resetBytes, resetSequence.data(), resetLength);
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE}) handle(sig, onCrash);
    for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGPIPE})
        handle(sig, onStop, Interrupted::Restart);
    handle(SIGALRM, onGraceOver);
    // A shell without job control starts its programs with SIGTSTP ignored:
    // then there is no one to give the terminal to, and Ctrl+Z does nothing.
    struct sigaction before;
    jobControl = sigaction(SIGTSTP, nullptr, &before) == 0 && before.sa_handler != SIG_IGN;
    if (jobControl) handle(SIGTSTP, onSuspend, Interrupted::Restart);
    handle(SIGCONT, onContinue, Interrupted::Restart);
}

void installPlainSignalHandlers(int fd) {
    // SIGPIPE stays ignored: the plain front end sees a reader that went
    // away as a failed write, and ends as at the end of its input.
    for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2}) handle(sig, onStop, Interrupted::Restart);
    handle(SIGALRM, onGraceOver);
    wakeFd = fd;
}

void wakeOnSignals(int fd) {
    wakeFd = fd;
    if (fd < 0 || resizeChained) return;
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = onResize;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    resizeChained = sigaction(SIGWINCH, &action, &resizeBefore) == 0;
}

bool takeSuspendRequest() {
    if (suspendAsked == 0) return false;
    suspendAsked = 0;
    return true;
}

void requestSuspend() {
    if (jobControl) suspendAsked = 1;
}

void stopUntilContinued() {
    if (!jobControl) return;
    handle(SIGTSTP, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);
    raise(SIGTSTP);  // the whole process stops here; SIGCONT goes on
    handle(SIGTSTP, onSuspend, Interrupted::Restart);
    suspendAsked = 0;  // a second Ctrl+Z typed while stopped is not a new suspend
}

bool takeRedrawRequest() {
    if (redrawAsked == 0) return false;
    redrawAsked = 0;
    return true;
}

int pendingStopSignal() { return stopSignal; }

void finishPendingStopSignal() {
    int sig = stopSignal;
    if (sig == 0) return;
    alarm(0);
    // The game is saved and the terminal back: a quit from outside leaves
    // no core file behind.
    if (sig == SIGQUIT) {
        struct rlimit none = {0, 0};
        setrlimit(RLIMIT_CORE, &none);
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}
