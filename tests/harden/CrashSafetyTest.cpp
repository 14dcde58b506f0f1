// The real game killed with SIGKILL at random moments while it saves after
// nearly every command: the save on disk must always load, and always be
// a whole state the game wrote (its text re-saves to the very same bytes).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "core/Paths.h"
#include "persist/Codec.h"
#include "persist/Persist.h"

namespace fs = std::filesystem;

namespace {
// Commands that keep the save changing: "dayskip 2" makes the tick odd,
// so every following command saves until the clock ticks on; the
// teleports change the player's room in each save.
const int kRooms[] = {8, 7, 9, 10};
std::string commandBlock() {
    std::string block = "dayskip 2\n";
    for (int room : kRooms) block += "tele 0 " + std::to_string(room) + "\n";
    return block;
}

class GameProcess {
public:
    GameProcess(const fs::path& dir, const std::string& menuInput) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[0], STDIN_FILENO);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            close(fds[0]);
            close(fds[1]);
            if (chdir(dir.c_str()) != 0) _exit(127);
            // The game's data and its saves both in the private Data.
            execl(BRINEFALL_BINARY, BRINEFALL_BINARY, "--data-dir", "Data", "--save-dir", "Data", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[0]);
        input_ = fds[1];
        writeAll(menuInput);
        // Feed commands for as long as the game reads them.
        feeder_ = std::thread([this] {
            std::string block = commandBlock();
            while (!stop_ && writeAll(block)) {
            }
        });
    }
    ~GameProcess() { kill(); }
    bool started() const { return pid_ > 0; }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        stop_ = true;
        close(input_);  // the feeder's next write fails
        feeder_.join();
    }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    std::atomic<bool> stop_{false};
    std::thread feeder_;

    bool writeAll(const std::string& text) {
        std::size_t done = 0;
        while (done < text.size()) {
            ssize_t n = write(input_, text.data() + done, text.size() - done);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
};

class CrashSafety : public GameTest {
protected:
    fs::path work;
    fs::path previousData;

    void SetUp() override {
        GameTest::SetUp();
        signal(SIGPIPE, SIG_IGN);
        previousData = dataDirectory();
        work = fs::temp_directory_path() / ("brinefall-crash-" + std::to_string(getpid()));
        fs::remove_all(work);
        fs::create_directories(work / "Data");
        for (const auto& entry : fs::directory_iterator(BRINEFALL_DATA_DIR))
            if (entry.path().extension() != ".ims") fs::copy_file(entry.path(), work / "Data" / entry.path().filename());
    }
    void TearDown() override {
        setDataDirectory(previousData);
        fs::remove_all(work);
        GameTest::TearDown();
    }
    fs::path saveFile() const { return work / "Data" / "Crash.mox"; }

    // Loads the save on disk with the game's own loader and checks it is a
    // whole state; gives back its bytes.
    std::string checkSave(int kill) {
        SCOPED_TRACE("after kill " + std::to_string(kill));
        std::optional<std::string> bytes = readWholeFile(saveFile());
        EXPECT_TRUE(bytes) << "the save is missing";
        if (!bytes) return {};
        std::optional<PlainTwin> twin = unscrambleBytes(*bytes, scrambleKey("Data\\Crash.mox"));
        EXPECT_TRUE(twin) << "the save's header is broken";
        setDataDirectory(work / "Data");
        resetGameState();
        game.player.name = "Crash";
        EXPECT_EQ(loadGame(0), 1) << "the save does not load";
        if (twin) {
            EXPECT_TRUE(saveText() == twin->bytes) << "the save is not a state the game wrote";
        }
        EXPECT_NE(game.player.currentRoom, nullptr);
        if (!game.player.currentRoom) return *bytes;
        EXPECT_EQ(game.player.currentRoom->area, 0);
        EXPECT_TRUE(std::set<int>(std::begin(kRooms), std::end(kRooms)).count(game.player.currentRoom->number))
            << "room " << game.player.currentRoom->number;
        freeAllLists();
        return *bytes;
    }
};
}  // namespace

TEST_F(CrashSafety, EveryKillLeavesAWholeSave) {
    std::mt19937 random(12345);
    // First a new game, kept running until its first save is on disk; how
    // long that took sets the range of the kill moments (a sanitizer build
    // starts several times slower).
    int firstSaveMs = 0;
    {
        GameProcess game(work, "a\nCrash\n");
        ASSERT_TRUE(game.started());
        auto start = std::chrono::steady_clock::now();
        auto deadline = start + std::chrono::seconds(20);
        while (!fs::exists(saveFile()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        firstSaveMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
        game.kill();
    }
    ASSERT_TRUE(fs::exists(saveFile())) << "the game never saved";
    std::string last = checkSave(0);

    // Then a hundred runs that load it, play on and die at a random moment.
    int changed = 0;
    std::uniform_int_distribution<int> delay(firstSaveMs / 2, std::clamp(firstSaveMs * 3, 200, 500));
    for (int kill = 1; kill <= 100 && !HasFatalFailure(); ++kill) {
        {
            GameProcess game(work, "c\nCrash\n");
            ASSERT_TRUE(game.started());
            std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        }
        std::string now = checkSave(kill);
        if (now != last) ++changed;
        last = now;
    }
    // The kills really came while the game was saving busily.
    std::printf("first save after %d ms; 100 kills, the save on disk changed between %d of them\n", firstSaveMs, changed);
    EXPECT_GT(changed, 30);
}
