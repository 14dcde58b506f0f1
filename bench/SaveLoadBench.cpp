// Time of one autosave and one load of a save: of the island as built
// from content/, and of a table with every room named and described, the
// catalogue full of recipes and the lists busy.
// Run with --benchmark_repetitions=5 for medians.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "base/Paths.h"
#include "world/World.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"

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

// A private copy of the built Data directory to save into.
class DataCopy {
public:
    DataCopy() {
        setConsole(&screen_);
        dir_ = std::filesystem::temp_directory_path() / ("brinefall-bench-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::error_code ec;
        std::filesystem::copy(BRINEFALL_DATA_DIR, dir_, ec);
        std::filesystem::create_directories(dir_);
        setDataDirectory(dir_);
    }
    ~DataCopy() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
        setConsole(nullptr);
    }

private:
    MemoryConsole screen_;
    std::filesystem::path dir_;
};

// The island as a new game starts it, or every room of the table when
// the world has not been built.
void useIsland(benchmark::State& state) {
    static DataCopy data;
    resetGameState();
    game.player.name = "Bench";
    if (!loadGame(1)) {
        state.SkipWithError("no built world in " BRINEFALL_DATA_DIR);
        return;
    }
    saveGame();
}

void useFullTable(benchmark::State&) {
    static DataCopy data;
    buildFullWorld();
    saveGame();
}

template <void (*Setup)(benchmark::State&)>
void BM_SaveGame(benchmark::State& state) {
    Setup(state);
    for (auto _ : state) saveGame();
    state.counters["bytes"] = static_cast<double>(saveText().size());
}

template <void (*Setup)(benchmark::State&)>
void BM_SaveText(benchmark::State& state) {
    Setup(state);
    for (auto _ : state) benchmark::DoNotOptimize(saveText());
}

template <void (*Setup)(benchmark::State&)>
void BM_LoadGame(benchmark::State& state) {
    Setup(state);
    for (auto _ : state) {
        if (!loadGame(0)) state.SkipWithError("the save did not load");
    }
}

BENCHMARK_TEMPLATE(BM_SaveGame, useIsland)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_LoadGame, useIsland)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_SaveText, useIsland)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_SaveGame, useFullTable)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_LoadGame, useFullTable)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
