// Saves are the player's only possession. A save written by the build
// before these checks (fixtures/Sam.mox) still loads; a damaged one is
// refused and left byte for byte as it was; writes go whole through a
// private temporary file of their own, never through a link; a FIFO never
// hangs the game; and one game is played in one window at a time.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "TestSupport.h"
#include "base/Codec.h"
#include "base/Files.h"
#include "console/Output.h"
#include "game/FrontMenu.h"
#include "game/LoadGame.h"
#include "persist/Persist.h"
#include "persist/SaveSeal.h"

namespace fs = std::filesystem;

namespace {
int modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
}

// Whether another process could claim the game of that name now.
bool otherWindowCanClaim(const char* name) {
    pid_t child = ::fork();
    if (child == 0) {
        releaseSaveClaim();  // a process of its own holds no claim of ours
        ::_exit(claimSave(name) == Claim::Taken ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const std::string kDamaged = "\n/RThe saved game of Sam is damaged and cannot be loaded; it is left as it was.\n";
}  // namespace

class SaveIntegrity : public GameTest {
protected:
    PrivateDataDir data{BRINEFALL_DATA_DIR};
    fs::path file;
    std::string scrambled;  // the fixture's bytes
    std::string plain;      // and its text

    void SetUp() override {
        GameTest::SetUp();
        file = data.path() / "Sam.mox";
        fs::copy_file(fs::path(BRINEFALL_SOURCE_DIR) / "tests/persist/fixtures/Sam.mox", file);
        scrambled = readWholeFile(file).value_or("");
        std::optional<PlainTwin> twin = unscrambleBytes(scrambled, scrambleKey("Data\\Sam.mox"));
        ASSERT_TRUE(twin && twin->extension == ".ims");
        plain = twin->bytes;
        output();
    }
    void TearDown() override {
        releaseSaveClaim();
        GameTest::TearDown();
    }
    void putFile(const std::string& bytes) { ASSERT_TRUE(writeFileAtomically(file, bytes, false)); }
};

// All but the wall's name, which now follows the wall: its slots were bare.
TEST_F(SaveIntegrity, ASaveOfAnEarlierBuildLoadsAndIsWrittenTheSame) {
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(output(), "\n");
    std::string renamed = plain;
    const std::size_t wall = renamed.find("\nKeypad Wall\n");
    ASSERT_NE(wall, std::string::npos);
    renamed.replace(wall, 13, "\nSlotted Wall\n");
    // The same state, now with its checksum line.
    EXPECT_EQ(saveText(), sealedSaveText(renamed));
    ASSERT_EQ(saveGame(), 0);
    EXPECT_EQ(readWholeFile(file), scrambleBytes(sealedSaveText(renamed), ".ims", scrambleKey("Data\\Sam.mox")));
    EXPECT_EQ(modeOf(file), 0600) << "a save is private";
}

TEST_F(SaveIntegrity, DamagedSavesAreRefusedAndLeftByteForByte) {
    std::uint8_t key = scrambleKey("Data\\Sam.mox");
    auto scramble = [&](const std::string& text) { return scrambleBytes(text, ".ims", key); };
    std::string oneRoomLess = plain;
    std::size_t lastRoom = plain.rfind("\n12 ");
    ASSERT_NE(lastRoom, std::string::npos);
    oneRoomLess.erase(lastRoom + 1);
    for (const std::string& damaged : {
             scrambled.substr(0, 10000),                    // cut short
             scramble(oneRoomLess),                         // a room missing
             scramble(plain + "1 1\nExtra\n"),              // a record that never ends
             scrambled + std::string(kSaveSizeLimit, '\n'),  // too large, though its start is whole
         }) {
        ASSERT_EQ(loadSaveText(plain), 1);
        game.tick = 31337;  // the game in hand, which a refused save leaves alone
        std::uint32_t carried = game.player.inventory.count;
        putFile(damaged);
        EXPECT_EQ(loadGame(0), 0);
        EXPECT_EQ(output(), kDamaged);
        EXPECT_EQ(game.tick, 31337);
        EXPECT_EQ(game.player.inventory.count, carried);
        EXPECT_TRUE(readWholeFile(file) == damaged) << "the file is left as it was";
    }
    // A hundred megabytes is refused after the first megabyte.
    ASSERT_TRUE(writeFileAtomically(file, scrambled.substr(0, 5), false));
    fs::resize_file(file, 100 << 20);
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), kDamaged);
    EXPECT_EQ(fs::file_size(file), 100u << 20);
    FileBytes big = readRegularFile(file, kSaveSizeLimit);
    EXPECT_TRUE(big.tooLarge && !big.bytes);
}

// Every prefix of a real save is either refused, changing nothing, or the
// whole game: never a world with rooms, exits or islanders missing.
TEST_F(SaveIntegrity, EveryPrefixIsRefusedOrLoadsTheWholeGame) {
    ASSERT_EQ(loadSaveText(plain), 1);
    game.tick = 31337;
    std::size_t loaded = 0;
    auto nearAnEdge = [&](std::size_t n) { return n < 300 || n + 300 > plain.size(); };
    for (std::size_t n = 0; n <= plain.size() && !HasFatalFailure(); n += nearAnEdge(n) ? 1 : 41) {
        if (!loadSaveText(std::string_view(plain).substr(0, n))) {
            ASSERT_EQ(game.tick, 31337) << "a refused prefix of " << n << " bytes changed the game";
            continue;
        }
        ++loaded;
        ASSERT_EQ(saveText(), sealedSaveText(plain)) << "a prefix of " << n << " bytes loaded as another game";
        game.tick = 31337;
    }
    EXPECT_EQ(loaded, 1u) << "only the whole save loads";
}

TEST_F(SaveIntegrity, WritesNeverFollowALink) {
    fs::path outside = data.path() / "outside";
    ASSERT_TRUE(writeFileAtomically(outside, "mine", false));
    fs::path planted = data.path() / ".Sam.mox.planted.tmp";
    fs::create_symlink(outside, planted);
    EXPECT_LT(createExclusive(planted, 0600), 0);
    EXPECT_EQ(errno, EEXIST);
    // A link in place of the save itself is replaced, never written through.
    ASSERT_EQ(loadSaveText(plain), 1);
    fs::remove(file);
    fs::create_symlink(outside, file);
    EXPECT_EQ(saveGame(), 0);
    EXPECT_EQ(readWholeFile(outside), "mine");
    EXPECT_FALSE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(planted));
}

TEST_F(SaveIntegrity, AFifoIsRefusedWithoutWaiting) {
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(inspectSave("Sam").state, SaveState::None);
    EXPECT_EQ(loadGame(0), 0);
    EXPECT_EQ(output(), "\n/RThe saved game of Sam cannot be read: " + markupLiteral(file.string()) +
                            ": not a regular file.\n");
    fs::path map = data.path() / "map.txt";
    fs::remove(map);
    ASSERT_EQ(::mkfifo(map.c_str(), 0600), 0);
    FileBytes read = readRegularFile(map);
    EXPECT_FALSE(read.bytes);
    EXPECT_EQ(read.why, "not a regular file");
    FileBytes directory = readRegularFile(data.path());
    EXPECT_FALSE(directory.bytes);
    EXPECT_EQ(directory.why, "Is a directory");
}

TEST_F(SaveIntegrity, AGameIsPlayedInOneWindowAtATime) {
    ASSERT_EQ(claimSave("Sam"), Claim::Taken);
    EXPECT_TRUE(fs::is_regular_file(saveLockPath("Sam")));
    EXPECT_FALSE(otherWindowCanClaim("Sam"));
    EXPECT_TRUE(otherWindowCanClaim("Robin"));
    releaseSaveClaim();
    EXPECT_TRUE(otherWindowCanClaim("Sam"));
    // A write that died half-way left its temporary file: the next claim clears it.
    std::string leftover = (data.path() / ".Sam.mox.123-0-0.tmp").string();
    ASSERT_TRUE(writeFileAtomically(leftover, "half", false));
    ASSERT_EQ(claimSave("Sam"), Claim::Taken);
    EXPECT_FALSE(fs::exists(leftover));
}

TEST_F(SaveIntegrity, TheSecondWindowIsToldAndGoesBackToTheMenu) {
    int ready[2];
    int hold[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(hold), 0);
    pid_t child = ::fork();
    if (child == 0) {  // the first window, which plays Sam until told to stop
        ::close(hold[1]);
        releaseSaveClaim();
        char answer = claimSave("Sam") == Claim::Taken ? 'y' : 'n';
        if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
        ::read(hold[0], &answer, 1);
        ::_exit(0);
    }
    ::close(hold[0]);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    screen.typeText("c");
    screen.typeText("Sam");  // loading it
    screen.typeText("a");
    screen.typeText("Sam");  // or starting it over
    screen.typeText("a");
    screen.typeText("Robin");
    EXPECT_EQ(frontMenu(), 1);
    std::string shown = output();
    const std::string told = "\n/RSam is being played in another window.\n";
    std::size_t first = shown.find(told);
    ASSERT_NE(first, std::string::npos) << shown;
    EXPECT_NE(shown.find(told, first + 1), std::string::npos) << "a new game of that name is refused too";
    EXPECT_EQ(shown.find("replace it?"), std::string::npos) << "the player is not even asked";
    EXPECT_EQ(readWholeFile(file), scrambled);
    ::close(hold[1]);
    ::waitpid(child, nullptr, 0);
    for (int fd : {ready[0], ready[1]}) ::close(fd);
}

// Two writers (two windows, or a save racing another) and a reader: every
// file the reader ever sees is one writer's whole file.
TEST(SaveWrites, ConcurrentWritersNeverLeaveATornFile) {
    PrivateDataDir dir;
    fs::path target = dir.path() / "Sam.mox";
    const std::string first(70000, 'a');
    const std::string second(90000, 'b');
    ASSERT_TRUE(writeFileAtomically(target, first, false, 0600));
    std::atomic<bool> writing{true};
    std::atomic<int> failures{0};
    auto writer = [&](const std::string& bytes) {
        for (int i = 0; i < 150; ++i)
            if (!writeFileAtomically(target, bytes, false, 0600)) ++failures;
    };
    int reads = 0;
    int torn = 0;
    std::thread reader([&] {
        while (writing) {
            std::optional<std::string> seen = readWholeFile(target);
            ++reads;
            if (!seen || (*seen != first && *seen != second)) ++torn;
        }
    });
    std::thread one(writer, std::cref(first));
    std::thread two(writer, std::cref(second));
    one.join();
    two.join();
    writing = false;
    reader.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    EXPECT_GT(reads, 0);
    EXPECT_TRUE(temporariesOf(target).empty());
    EXPECT_EQ(modeOf(target), 0600);
}
