#pragma once
// The one test kit: the fixture of a fresh game state on an in-memory
// screen, time and randomness fixed, no clock thread; and the private data
// directory a test writes its files into.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "BuildPaths.h"
#include "console/Input.h"
#include "console/RuntimeState.h"
#include "console/MemoryConsole.h"
#include "console/Output.h"
#include "console/Screen.h"
#include "base/Paths.h"
#include "base/Random.h"
#include "world/World.h"

#include "game/CommandLine.h"
#include "game/FrontMenu.h"
#include "base/RandomTesting.h"
#include "console/OutputTesting.h"

// The rooms in use of each area on the island the game ships.
constexpr int kAreaRooms[kAreaCount] = {15, 17, 11, 16, 15, 20, 20, 20, 23, 16, 15, 8, 1};

class GameTest : public ::testing::Test {
protected:
    MemoryConsole screen;

    void SetUp() override {
        setConsole(&screen);
        connectCommandLine();
        resetRuntimeState();  // scrollback, key hand-off, typing limit: as at start
        setUpConsole();  // frame, prompt and the cursor on the input row, as in the game
        resetGameState();
        setFixedSeconds(1000);
        clearQueuedDraws();
        reseed(1);
        game.running = 1;
        game.clockRunning = 1;
        game.player.name = "Sam";
        game.player.currentRoom = roomAt(0, 8);
        setOutputCapture(true);
    }
    void TearDown() override {
        setOutputCapture(false);
        setFixedSeconds(-1);
        clearQueuedDraws();
        freeAllLists();
        setConsole(nullptr);
    }
    // Everything printed since the last call, colour codes included.
    std::string output() { return takeCapturedOutput(); }
    // The credits as showCredits prints them, for texts that end with them.
    // It discards what was captured so far: call it before the action under test.
    std::string creditsText();
    // A room with a name, so it counts as part of the world.
    Room& makeRoom(int area, int number, const char* name = "Room", const char* description = "A room.") {
        Room& r = *roomAt(area, number);
        r.name = name;
        r.description = description;
        return r;
    }
    // Names the rooms in use of every area, as on the island the game ships,
    // for the islanders to wander among.
    void shapeIsland() {
        for (int area = 0; area < kAreaCount; ++area)
            for (int number = 0; number < kAreaRooms[area]; ++number)
                if (roomAt(area, number)->name.empty()) makeRoom(area, number);
    }
    ItemDef& makeItem(int index, const char* name, const char* description = "An item.", int portable = 1) {
        ItemDef& item = game.items[static_cast<std::size_t>(index)];
        item.name = name;
        item.description = description;
        item.catalogueIndex = index;
        item.portable = portable;
        return item;
    }
};

// Discards what was captured so far; call it before the action under test.
inline std::string GameTest::creditsText() {
    takeCapturedOutput();
    showCredits();
    return takeCapturedOutput();
}

// Builds a new private data directory for one test and returns it: empty,
// or a copy of the files of `from` less their plain twins (".ims": another
// test may be unscrambling its own right now).
inline std::filesystem::path makePrivateDataDir(const std::filesystem::path& from = {}) {
    namespace fs = std::filesystem;
    static std::atomic<int> serial{0};
    fs::path dir = fs::temp_directory_path() /
                   ("brinefall-data-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (!from.empty()) {
        for (const auto& entry : fs::directory_iterator(from)) {
            if (entry.path().extension() == ".ims" || !entry.is_regular_file()) continue;
            std::error_code ignored;
            fs::copy_file(entry.path(), dir / entry.path().filename(), ignored);
        }
    }
    return dir;
}

// A private data directory that is the game's from construction to
// destruction; then the previous one is restored and this one removed.
class PrivateDataDir {
public:
    explicit PrivateDataDir(const std::filesystem::path& from = {})
        : previous_(dataDirectory()), dir_(makePrivateDataDir(from)) {
        setDataDirectory(dir_);
    }
    ~PrivateDataDir() {
        setDataDirectory(previous_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    PrivateDataDir(const PrivateDataDir&) = delete;
    PrivateDataDir& operator=(const PrivateDataDir&) = delete;
    const std::filesystem::path& path() const { return dir_; }
    // Starts over, empty, under another parent (/dev/shm, say); false
    // (nothing changed) when that cannot be made.
    bool moveUnder(const std::filesystem::path& parent) {
        std::error_code ec;
        if (!std::filesystem::is_directory(parent, ec)) return false;
        std::filesystem::path moved = parent / dir_.filename();
        if (!std::filesystem::create_directories(moved, ec)) return false;
        std::filesystem::remove_all(dir_, ec);
        dir_ = moved;
        setDataDirectory(dir_);
        return true;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};
