#include <cstdio>
#include <string>

#include "console/Console.h"
#include "console/Screen.h"
#include "core/MainLoop.h"
#include "core/Options.h"
#include "core/Paths.h"

namespace {
// Exit statuses besides the game's own 0 and 1.
constexpr int kCannotStart = 1;
constexpr int kMisuse = 2;

// Picks the data and save directories, or says in one line why it cannot.
bool settleDirectories(const Options& options, const char* argv0) {
    std::filesystem::path data = options.dataDir.empty() ? dataDirectoryBeside(runningExecutable(argv0)) : options.dataDir;
    if (std::string why = dataDirectoryProblem(data); !why.empty()) {
        std::fprintf(stderr, "brinefall: cannot read the game data in %s: %s\n", data.c_str(), why.c_str());
        return false;
    }
    std::filesystem::path saves = options.saveDir.empty() ? defaultSaveDirectory() : options.saveDir;
    if (saves.empty()) {
        std::fprintf(stderr, "brinefall: no directory for saved games: set HOME or XDG_DATA_HOME, or give --save-dir\n");
        return false;
    }
    if (std::string why = saveDirectoryProblem(saves); !why.empty()) {
        std::fprintf(stderr, "brinefall: cannot create the save directory %s: %s\n", saves.c_str(), why.c_str());
        return false;
    }
    setDataDirectory(data);
    setSaveDirectory(saves);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    switch (options.action) {
        case Options::Action::Help: std::fputs(usageText().c_str(), stdout); return 0;
        case Options::Action::Version: std::printf("brinefall %s\n", BRINEFALL_VERSION); return 0;
        case Options::Action::Misuse: std::fputs(usageText().c_str(), stderr); return kMisuse;
        case Options::Action::Play: break;
    }
    if (!settleDirectories(options, argv[0])) return kCannotStart;

    std::unique_ptr<Console> backEnd = makeConsole(options.plain);
    setConsole(backEnd.get());
    int status = runGame();
    // The plain front end has printed everything already; a terminal's
    // game screen goes, so its last words are printed again after it.
    bool screenGoes = backEnd->interactive();
    restoreTerminal();
    setConsole(nullptr);
    if (screenGoes) std::fputs(closingWords().c_str(), stdout);
    return status;
}
