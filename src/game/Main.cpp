#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "base/Pace.h"
#include "base/Paths.h"
#include "base/RandomTesting.h"
#include "base/StandardStreams.h"
#include "console/RuntimeState.h"
#include "console/Screen.h"
#include "game/DataCheck.h"
#include "game/MainLoop.h"
#include "game/Options.h"
#include "terminal/ChooseConsole.h"

namespace {
// Exit statuses besides the game's own 0 and 1.
constexpr int kCannotStart = 1;
constexpr int kMisuse = 2;

// A whole number of at least min from the environment, or -1.
long long numberFromEnvironment(const char* name, long long min) {
    const char* text = std::getenv(name);
    if (!text || !*text) return -1;
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    return *end == '\0' && value >= min ? value : -1;
}

// For the end-to-end tests alone (tests/e2e/README.md): a faster clock,
// its pauses in step, and fixed seconds for every reseed, so that a draw
// such as the laboratory's comes out as the test chooses.
void applyTestTiming() {
    if (long long ms = numberFromEnvironment("BRINEFALL_TEST_TICK_MS", 1); ms > 0)
        setTickPeriod(std::chrono::milliseconds(ms));
    if (long long seconds = numberFromEnvironment("BRINEFALL_TEST_SECONDS", 0); seconds >= 0)
        setFixedSeconds(seconds);
}

int play(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    switch (options.action) {
        case Options::Action::Help: std::fputs(usageText().c_str(), stdout); return 0;
        case Options::Action::Version: std::printf("brinefall %s\n", BRINEFALL_VERSION); return 0;
        case Options::Action::Misuse: std::fputs(usageText().c_str(), stderr); return kMisuse;
        case Options::Action::Play: break;
    }
    // Past a file-size limit a save's write fails with EFBIG and is
    // reported as any failed save; the signal would end the game instead.
    std::signal(SIGXFSZ, SIG_IGN);
    // Before the screen is taken over, so that the reason stays readable.
    if (std::string why = settleDirectories(options.dataDir, options.saveDir, argv[0]); !why.empty()) {
        std::fprintf(stderr, "brinefall: %s\n", why.c_str());
        return kCannotStart;
    }
    if (std::string why = gameDataProblem(); !why.empty()) {
        std::fprintf(stderr, "brinefall: damaged game data in %s: %s\n", dataDirectory().c_str(), why.c_str());
        return kCannotStart;
    }

    applyTestTiming();
    std::unique_ptr<Console> backEnd = makeConsole(options.plain, noColourAsked(options));
    setConsole(backEnd.get());
    int status = runGame(tickPeriod());
    // The plain front end has printed everything already; a terminal's
    // game screen goes, so its last words are printed again after it.
    bool screenGoes = backEnd->interactive();
    restoreTerminal();
    setConsole(nullptr);
    if (screenGoes) std::fputs(closingWords().c_str(), stdout);
    return status;
}
}  // namespace

int main(int argc, char** argv) {
    // First of all, before any file is opened: a closed standard
    // descriptor would be given to our own pipe or a save.
    openClosedStandardStreams();
    // The last resort: whatever was thrown, the terminal is given back and
    // the reason told in one line.
    try {
        return play(argc, argv);
    } catch (const std::exception& error) {
        restoreTerminal();
        std::fprintf(stderr, "brinefall: %s\n", error.what());
    } catch (...) {
        restoreTerminal();
        std::fputs("brinefall: an unexpected error\n", stderr);
    }
    return kCannotStart;
}
