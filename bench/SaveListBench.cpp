// How soon the load menu shows its first page with 5,000 saves in the
// save directory: listing them (names and times) and reading the lines
// of the page shown, printed to the in-memory screen, as "load a previous
// game" does before its prompt. The target is 0.3 s.
// Run with --benchmark_repetitions=5 for medians.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>
#include <string>

#include "base/Codec.h"
#include "base/Paths.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "console/OutputTesting.h"
#include "console/RuntimeState.h"
#include "console/Screen.h"
#include "game/CommandLine.h"
#include "game/LoadGame.h"
#include "game/LoadMenu.h"
#include "persist/Persist.h"
#include "world/World.h"

namespace {
namespace fs = std::filesystem;
constexpr int kSaves = 5000;

// The built data and a save directory of kSaves saves of the island as a
// new game starts it, each a minute older than the one before.
class ManySaves {
public:
    ManySaves() {
        setConsole(&screen_);
        connectCommandLine();
        resetRuntimeState();
        setUpConsole();
        dir_ = fs::temp_directory_path() / ("brinefall-list-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "saves");
        std::error_code ec;
        fs::copy(BRINEFALL_DATA_DIR, dir_ / "Data", ec);
        setDataDirectory(dir_ / "Data");
        setSaveDirectory(dir_ / "saves");
        resetGameState();
        game.player.name = "Bench";
        ok_ = loadGame(1) != 0;
        const std::string text = saveText();
        const std::time_t now = std::time(nullptr);
        for (int i = 0; i < kSaves && ok_; ++i) {
            std::string name = "Sailor" + std::to_string(i);
            std::string path = gamePath(name + ".mox");
            fs::path file = saveWritePath(path);
            ok_ = writeFileAtomically(file, scrambleBytes(text, ".ims", scrambleKey(path)), false, 0600);
            utimbuf times{now - i * 60, now - i * 60};
            ::utime(file.c_str(), &times);
        }
        setOutputCapture(true);
    }
    ~ManySaves() {
        setOutputCapture(false);
        std::error_code ec;
        fs::remove_all(dir_, ec);
        setConsole(nullptr);
    }
    bool ok() const { return ok_; }
    MemoryConsole& screen() { return screen_; }

private:
    MemoryConsole screen_;
    fs::path dir_;
    bool ok_ = false;
};

// From "load a previous game" to its prompt under the first page, then a
// typed name that is no save ends it.
void BM_LoadMenuFirstPage(benchmark::State& state) {
    static ManySaves saves;
    if (!saves.ok()) {
        state.SkipWithError("the saves could not be made");
        return;
    }
    for (auto _ : state) {
        saves.screen().typeText("Nobody");
        benchmark::DoNotOptimize(askSavedGameName());
        std::string shown = takeCapturedOutput();
        if (shown.find("a. Sailor0 ") == std::string::npos) state.SkipWithError("the newest save is not first");
    }
    state.counters["saves"] = kSaves;
}

// The list alone: names and times, nothing opened.
void BM_ListSavedGames(benchmark::State& state) {
    static ManySaves saves;
    for (auto _ : state) benchmark::DoNotOptimize(listSavedGames());
}

BENCHMARK(BM_LoadMenuFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListSavedGames)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
