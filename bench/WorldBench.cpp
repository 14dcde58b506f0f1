// Save and load of the shipped world after some play: the in-memory part
// of a save (formatting and scrambling), the whole save with its sync and
// rename, a bare write-sync-rename of the same bytes for comparison, and
// the load. Run with --benchmark_repetitions=5 for medians.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "game/Commands.h"
#include "base/Paths.h"
#include "world/World.h"
#include "base/Codec.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"

namespace fs = std::filesystem;

namespace {
class World {
public:
    World() {
        setConsole(&screen_);
        dir_ = fs::temp_directory_path() / ("brinefall-worldbench-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        for (const auto& entry : fs::directory_iterator(BRINEFALL_DATA_DIR))
            if (entry.path().extension() == ".mox") fs::copy_file(entry.path(), dir_ / entry.path().filename());
        setDataDirectory(dir_);
        resetGameState();
        game.player.name = "Bench";
        if (!loadGame(1)) std::fprintf(stderr, "the shipped world did not load\n");
        game.running = 1;
        for (const char* line : {"n", "get stick", "s", "e", "w", "look"}) dispatchCommand(line);
        saveGame();
    }
    ~World() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
        setConsole(nullptr);
    }
    fs::path savePath() const { return realPath(saveGamePath("Bench")); }

private:
    MemoryConsole screen_;
    fs::path dir_;
};

World& world() {
    static World w;
    return w;
}

// What a save does in memory: the text and its scrambled form.
void BM_WorldSaveInMemory(benchmark::State& state) {
    world();
    std::string path = saveGamePath("Bench");
    for (auto _ : state) benchmark::DoNotOptimize(scrambleBytes(saveText(), ".ims", scrambleKey(path)));
    state.counters["bytes"] = static_cast<double>(saveText().size());
}
BENCHMARK(BM_WorldSaveInMemory)->Unit(benchmark::kMicrosecond);

void BM_WorldSaveGame(benchmark::State& state) {
    world();
    for (auto _ : state) saveGame();
}
BENCHMARK(BM_WorldSaveGame)->Unit(benchmark::kMicrosecond);

// The floor for any durable save: write, fsync and rename of the same bytes.
void BM_BareWriteSyncRename(benchmark::State& state) {
    fs::path target = world().savePath();
    std::string bytes = *readWholeFile(target);
    fs::path temp = target.string() + ".bare";
    for (auto _ : state) {
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0)
            state.SkipWithError("write failed");
        ::close(fd);
        if (std::rename(temp.c_str(), (target.string() + ".copy").c_str()) != 0) state.SkipWithError("rename failed");
    }
}
BENCHMARK(BM_BareWriteSyncRename)->Unit(benchmark::kMicrosecond);

void BM_WorldLoadGame(benchmark::State& state) {
    world();
    for (auto _ : state) {
        if (!loadGame(0)) state.SkipWithError("the save did not load");
    }
}
BENCHMARK(BM_WorldLoadGame)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
