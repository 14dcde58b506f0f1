// Time of one autosave and one load of a full world: every room of the
// table named and described, the catalogue full of recipes, the lists
// busy. Run with --benchmark_repetitions=5 for medians.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "core/Paths.h"
#include "core/World.h"
#include "persist/Persist.h"

namespace {
std::string words(int count, const char* word) {
    std::string out;
    for (int i = 0; i < count; ++i) out += (i ? " " : "") + std::string(word);
    return out;
}

void buildFullWorld() {
    resetGameState();
    game.player.name = "Bench";
    for (int i = 0; i < kItemCount; ++i) {
        ItemDef& item = game.items[static_cast<std::size_t>(i)];
        item.name = "item " + std::to_string(i);
        item.description = words(30, "sandy");
        item.catalogueIndex = i;
        item.portable = i % 3 != 0;
        for (int r = 0; r < 2; ++r)
            item.recipes[static_cast<std::size_t>(r)] = {&game.items[static_cast<std::size_t>((i + r + 1) % kItemCount)],
                                                         &game.items[static_cast<std::size_t>((i + 7) % kItemCount)],
                                                         words(12, "combined").c_str()};
    }
    for (int a = 0; a < kAreaCount; ++a) {
        for (int n = 0; n < kRoomsPerArea; ++n) {
            Room& room = *roomAt(a, n);
            room.name = "Room " + std::to_string(a) + "-" + std::to_string(n);
            room.description = words(50, "palms");
            if (n + 1 < kRoomsPerArea) connectRooms(room, *roomAt(a, n + 1), East);
            if (a + 1 < kAreaCount) connectRooms(room, *roomAt(a + 1, n), South);
            for (int k = 0; k < 4; ++k) addToList(room.items, &game.items[static_cast<std::size_t>((a * 25 + n + k) % kItemCount)]);
        }
    }
    for (int i = 0; i < kIslanderCount; ++i) {
        Npc& npc = game.islanders[static_cast<std::size_t>(i)];
        npc.name = "Islander" + std::to_string(i);
        npc.personalityFile = "Data\\Perky.txt";
        npc.npcIndex = i;
        npc.gender = i % 3;
        npc.tolerance = 40 + i;
        npc.moodRate = 0.2;
        npc.currentRoom = roomAt(i, i);
        addToList(npc.currentRoom->occupants, &npc);
    }
    for (int i = 0; i < kInventoryCapacity; ++i) addToList(game.player.inventory, &game.items[static_cast<std::size_t>(i)]);
    game.player.currentRoom = roomAt(0, 8);
    game.islanderCount = 9;
    game.day = 9;
    game.tick = 2001;
}

class Fixture {
public:
    Fixture() {
        setConsole(&screen_);
        dir_ = std::filesystem::temp_directory_path() / ("brinefall-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        setDataDirectory(dir_);
        buildFullWorld();
        saveGame();
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
        setConsole(nullptr);
    }

private:
    MemoryConsole screen_;
    std::filesystem::path dir_;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_SaveGame(benchmark::State& state) {
    fixture();
    for (auto _ : state) saveGame();
    state.counters["bytes"] = static_cast<double>(saveText().size());
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond);

void BM_SaveText(benchmark::State& state) {
    fixture();
    for (auto _ : state) benchmark::DoNotOptimize(saveText());
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMicrosecond);

void BM_LoadGame(benchmark::State& state) {
    fixture();
    for (auto _ : state) {
        if (!loadGame(0)) state.SkipWithError("the save did not load");
    }
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
