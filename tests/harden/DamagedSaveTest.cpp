// A save cut short or with one byte changed either loads or is refused:
// never a sanitizer report, never a hang, and whatever loads is a state
// the game can save and load again. The saves come from the shipped world
// after some play, so every kind of section is in them: the whole island
// swept at intervals, and the island cut down to its first two areas
// (every other room left unnamed, so unsaved) tried at every byte.
#include <chrono>
#include <filesystem>
#include <string>

#include "content/WorldFixture.h"
#include "game/Commands.h"
#include "base/Paths.h"
#include "base/Codec.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"
#include "world/Places.h"

namespace {
using Clock = std::chrono::steady_clock;

class DamagedSave : public WorldFixture {
protected:
    std::string plain;    // two areas: every byte is tried
    std::string whole;    // the whole island: swept at intervals
    std::string scrambled;
    std::string path;
    double slowestMs = 0;
    int loaded = 0;
    int refused = 0;

    void SetUp() override {
        WorldFixture::SetUp();
        for (const char* line : {"n", "get stick", "s", "e", "look"}) dispatchCommand(line);
        game.tick = 123;
        game.day = 2;
        whole = saveText();
        path = saveGamePath("Sam");
        saveGame();
        for (int area = 2; area < kAreaCount; ++area)
            for (int number = 0; number < kRoomsPerArea; ++number) roomAt(area, number)->name = "";
        // What is left holds together: no exit or islander in the rooms cut off.
        for (Room& room : game.rooms)
            for (Room*& exit : room.exits)
                if (exit && exit->area >= 2) exit = nullptr;
        for (Npc& npc : game.islanders)
            if (npc.currentRoom && npc.currentRoom->area >= 2) npc.currentRoom = nullptr;
        plain = saveText();
        scrambled = readWholeFile(realPath(path)).value_or("");
        // Without the world the cut-down island is not held to the island's
        // rooms, so that every byte of it can be tried in a short time.
        std::filesystem::remove(realPath("Data\\initial.mox"));
        output();
    }

    // One attempt at loading; checks that what loads saves and loads again.
    void tryLoad(std::string_view text, bool checkRoundTrip) {
        auto start = Clock::now();
        int ok = loadSaveText(text);
        slowestMs = std::max(slowestMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (!ok) {
            ++refused;
            return;
        }
        ++loaded;
        ASSERT_NE(game.player.currentRoom, nullptr);
        if (checkRoundTrip) {
            std::string again = saveText();
            ASSERT_EQ(loadSaveText(again), 1);
            ASSERT_TRUE(saveText() == again);
        }
    }
};
}  // namespace

TEST_F(DamagedSave, EveryPrefixLoadsOrIsRefused) {
    ASSERT_GT(plain.size(), 5000u);
    ASSERT_GT(whole.size(), plain.size() * 2);
    for (std::size_t length = 0; length < plain.size() && !HasFatalFailure(); ++length)
        tryLoad(std::string_view(plain).substr(0, length), length % 97 == 0);
    for (std::size_t length = 0; length < whole.size() && !HasFatalFailure(); length += 61)
        tryLoad(std::string_view(whole).substr(0, length), length % 7 == 0);
    // The scrambled file cut short, read the way the game reads it.
    for (std::size_t length = 0; length < scrambled.size(); length += length < 16 ? 1 : 331) {
        ASSERT_TRUE(writeFileAtomically(realPath(path), std::string_view(scrambled).substr(0, length), false));
        auto start = Clock::now();
        int ok = loadGame(0);
        slowestMs = std::max(slowestMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (length <= 5) {
            EXPECT_EQ(ok, 0) << "a file without its header loaded";
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_EQ(loadSaveText(plain), 1);  // the whole save still loads afterwards
    EXPECT_LT(slowestMs, 2000.0);
}

// The sweep over every byte runs as four interleaved slices, so that each
// stays well inside the test time limit under the sanitizers.
class DamagedSaveSlice : public DamagedSave, public testing::WithParamInterface<std::size_t> {};
constexpr std::size_t kSlices = 4;

TEST_P(DamagedSaveSlice, EverySingleByteChangeLoadsOrIsRefused) {
    const std::size_t slice = GetParam();
    // Two of these at each position, in turn, so each value meets every kind of field.
    const char values[] = {'\0', '\n', ' ', '-', '9', '~', '\xFF'};
    auto sweep = [&](const std::string& original, std::size_t first, std::size_t step) {
        std::string copy = original;
        for (std::size_t pos = first; pos < copy.size() && !HasFatalFailure(); pos += step) {
            for (std::size_t k = 0; k < 2; ++k) {
                char value = values[(pos + 3 * k) % std::size(values)];
                if (original[pos] == value) continue;
                copy[pos] = value;
                tryLoad(copy, (pos + k) % 101 == 0);
            }
            copy[pos] = original[pos];
        }
    };
    sweep(plain, slice, kSlices);
    sweep(whole, 37 * slice, 37 * kSlices);
    // The header of the scrambled file, every value of every byte.
    std::uint8_t key = scrambleKey(path);
    for (std::size_t pos = slice; pos < 6 && pos < scrambled.size(); pos += kSlices) {
        std::string damaged = scrambled;
        for (int value = 0; value < 256; ++value) {
            damaged[pos] = static_cast<char>(value);
            std::optional<PlainTwin> twin = unscrambleBytes(damaged, key);
            if (twin && twin->extension == ".ims") tryLoad(twin->bytes, false);
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
    EXPECT_LT(slowestMs, 2000.0);
}

INSTANTIATE_TEST_SUITE_P(Slices, DamagedSaveSlice, testing::Range<std::size_t>(0, kSlices));

// Found by fuzzing: a save naming an islander in two rooms' lists loaded
// with the islander in both, and saved differently each time after.
TEST_F(DamagedSave, AnIslanderListedInTwoRoomsEndsUpInOne) {
    Npc& npc = game.islanders[4];
    ASSERT_NE(npc.currentRoom, nullptr);
    Room& other = roomAt(kWhereYouWoke) == npc.currentRoom ? *roomAt(0, 7) : *roomAt(kWhereYouWoke);
    ASSERT_GE(addToList(other.occupants, &npc), 0);
    ASSERT_GE(addToList(other.occupants, &npc), 0);  // and twice in that list
    std::string damaged = saveText();

    ASSERT_EQ(loadSaveText(damaged), 1);
    Npc& loaded = game.islanders[4];
    int listed = 0;
    for (const Room& room : game.rooms)
        for (std::uint32_t i = 0; i < room.occupants.capacity; ++i)
            if (room.occupants.slots[i] == &loaded) {
                ++listed;
                EXPECT_EQ(loaded.currentRoom, &room) << "listed in a room it is not in";
            }
    EXPECT_LE(listed, 1);
    std::string settled = saveText();
    ASSERT_EQ(loadSaveText(settled), 1);
    EXPECT_TRUE(saveText() == settled);
}
