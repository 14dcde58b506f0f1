// The main loop saves after a command that leaves the tick odd, and once
// more when play ends.
#include <vector>

#include "SaveFixture.h"
#include "game/MainLoop.h"

namespace {
// Notes the tick held by the save on disk each time the game asks for input.
class SaveWatchingConsole : public MemoryConsole {
public:
    std::vector<int> savedTicks;

    InputEvent nextEvent(int timeoutMs) override {
        int tick = savedTick();
        if (savedTicks.empty() || savedTicks.back() != tick) savedTicks.push_back(tick);
        return MemoryConsole::nextEvent(timeoutMs);
    }

    static int savedTick() {
        auto bytes = readWholeFile(dataPath("Sam.mox"));
        if (!bytes) return -1;
        auto twin = unscrambleBytes(*bytes, scrambleKey("Data\\Sam.mox"));
        if (!twin) return -1;
        // The clock line is the fourth: islanders, day, tick.
        std::size_t at = 0;
        for (int line = 0; line < 3; ++line) at = twin->bytes.find('\n', at) + 1;
        int islanders = 0, day = 0, tick = 0;
        std::sscanf(twin->bytes.c_str() + at, "%d %d %d", &islanders, &day, &tick);
        return tick;
    }
};
}  // namespace

class Autosave : public SaveTest {};

TEST_F(Autosave, OddTicksAfterACommandAndTheEndOfPlayAreSaved) {
    buildRichWorld();  // tick 1291
    saveGame();

    SaveWatchingConsole watcher;
    setConsole(&watcher);
    for (const char* line : {"c", "Sam", "look", "dayskip 3", "dayskip 5", "quit"}) watcher.typeText(line);
    // A clock of one tick an hour ticks once as play begins, then waits.
    EXPECT_EQ(runGame(std::chrono::hours(1)), 0);
    setConsole(&screen);

    // 479 is saved right after "dayskip 3", before the next line is read.
    std::vector<int> expected = {1291, 479, 959};
    ASSERT_GE(watcher.savedTicks.size(), 3u);
    EXPECT_EQ(std::vector<int>(watcher.savedTicks.begin(), watcher.savedTicks.begin() + 3), expected);
    // The final save holds the state play ended in (one more tick if the
    // clock's first tick came late).
    int last = SaveWatchingConsole::savedTick();
    EXPECT_TRUE(last == 959 || last == 960) << last;
    EXPECT_EQ(game.running, 0);
    initAllLists();  // the loop freed them; the fixture frees them again
}
