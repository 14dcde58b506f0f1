// One game is played in one window, whatever happens to the files under
// it: a lock path that is no file is refused, the load list's look at the
// locks never drops this window's own, a lock removed under the game is
// taken again, and a game another window took over is never saved over.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "SaveFixture.h"
#include "base/Files.h"
#include "game/MainLoop.h"
#include "game/RunState.h"
#include "game/SaveReport.h"

namespace fs = std::filesystem;

namespace {
// Another program, forked before any thread starts, that claims games when
// asked and holds them until it is destroyed.
class OtherWindow {
public:
    OtherWindow() {
        if (::pipe(ask_) != 0 || ::pipe(answer_) != 0) return;
        pid_ = ::fork();
        if (pid_ != 0) {
            closeEnd(ask_[0]);
            closeEnd(answer_[1]);
            return;
        }
        closeEnd(ask_[1]);  // so that the test's end is the end of the questions
        closeEnd(answer_[0]);
        releaseSaveClaim();  // the claim of the test, if any, is not this program's
        std::string name;
        for (char c; ::read(ask_[0], &c, 1) == 1;) {
            if (c != '\n') {
                name += c;
                continue;
            }
            char taken = claimSave(name) == Claim::Taken ? 'y' : 'n';
            name.clear();
            if (::write(answer_[1], &taken, 1) != 1) break;
        }
        ::_exit(0);
    }
    ~OtherWindow() {
        closeEnd(ask_[1]);
        closeEnd(answer_[0]);
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    }
    bool claim(const std::string& name) {
        std::string line = name + "\n";
        char taken = 'n';
        return ::write(ask_[1], line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
               ::read(answer_[0], &taken, 1) == 1 && taken == 'y';
    }

private:
    static void closeEnd(int& fd) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    int ask_[2] = {-1, -1};
    int answer_[2] = {-1, -1};
    pid_t pid_ = -1;
};

std::size_t timesShown(const std::string& shown, const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = shown.find(text); at != std::string::npos; at = shown.find(text, at + 1)) ++count;
    return count;
}

const std::string kRetaken = "/YThe lock of Sam's game was removed; it is taken again.\n";
const std::string kLost = "/RSam is now being played in another window; this window no longer saves it.\n";
}  // namespace

class OneWindow : public SaveTest {
protected:
    fs::path saves;
    void SetUp() override {
        SaveTest::SetUp();
        releaseSaveClaim();  // a game an earlier test played in this process
        saves = data.path() / "saves";
        setSaveDirectory(saves);
        buildRichWorld();
        game.player.name = "Sam";
        resetRunState();
        output();
    }
    void TearDown() override {
        releaseSaveClaim();
        setSaveDirectory({});
        SaveTest::TearDown();
    }
    fs::path lockPath() const { return saves / ".Sam.lock"; }
};

TEST_F(OneWindow, ALockPathThatIsNoFileIsRefusedWithThePathAndTheReason) {
    fs::create_directories(saves);
    fs::path elsewhere = data.path() / "elsewhere";
    ASSERT_TRUE(writeFileAtomically(elsewhere, "", false));
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { fs::create_directory(lockPath()); }, "Is a directory"},
        {[&] { fs::create_symlink(elsewhere, lockPath()); }, "is a link; saved games must be plain files"},
        {[&] { fs::create_symlink(data.path() / "nowhere", lockPath()); }, "is a link; saved games must be plain files"},
        {[&] { ::mkfifo(lockPath().c_str(), 0600); }, "not a regular file"},
    };
    for (const auto& [make, reason] : cases) {
        fs::remove(lockPath());
        make();
        EXPECT_EQ(claimSave("Sam"), Claim::Failed) << reason;
        EXPECT_EQ(claimProblem(), lockPath().string() + ": " + reason);
    }
    EXPECT_EQ(readWholeFile(elsewhere), "") << "nothing was written through the link";
}

TEST_F(OneWindow, TheListsLookAtTheLocksNeverDropsTheGameHeldHere) {
    OtherWindow other;
    OtherWindow third;
    ASSERT_EQ(saveGame(), 0);
    game.player.name = "Robin";
    ASSERT_EQ(saveGame(), 0);
    ASSERT_EQ(claimSave("Sam"), Claim::Taken);
    ASSERT_TRUE(other.claim("Robin"));
    for (int look = 0; look < 2; ++look) {
        std::vector<ListedSave> listed = describedSaves();
        ASSERT_EQ(listed.size(), 2u);
        for (const ListedSave& save : listed)
            EXPECT_EQ(save.playedElsewhere, save.name == "Robin") << save.name;
        // Opening and closing another descriptor of the lock file left ours.
        lockHeldElsewhere(lockPath());
        EXPECT_FALSE(third.claim("Sam")) << "the look dropped this window's lock";
    }
}

TEST_F(OneWindow, ALockRemovedUnderTheGameIsTakenAgainOnANewFile) {
    OtherWindow other;
    ASSERT_EQ(claimSave("Sam"), Claim::Taken);
    ASSERT_TRUE(autosaveAndReport());
    for (const fs::path& removed : {lockPath(), saves}) {
        fs::remove_all(removed);
        EXPECT_TRUE(autosaveAndReport()) << removed;
        EXPECT_TRUE(autosaveAndReport());
        EXPECT_EQ(output(), kRetaken) << "told once, when " << removed << " went";
        EXPECT_TRUE(fs::is_regular_file(lockPath()));
        EXPECT_TRUE(fs::is_regular_file(saves / "Sam.mox"));
        EXPECT_FALSE(other.claim("Sam")) << "another window could take it";
    }
}

namespace {
// The other window takes the game over as soon as play has begun here:
// the lock file removed, and the game claimed there.
class TakenOverConsole : public MemoryConsole {
public:
    explicit TakenOverConsole(OtherWindow& other, fs::path lock) : other_(other), lock_(std::move(lock)) {}
    std::optional<std::string> savedWhenTaken;
    InputEvent nextEvent(int timeoutMs) override {
        if (game.running && !savedWhenTaken) {
            fs::remove(lock_);
            if (other_.claim("Sam")) savedWhenTaken = readWholeFile(lock_.parent_path() / "Sam.mox");
        }
        return MemoryConsole::nextEvent(timeoutMs);
    }

private:
    OtherWindow& other_;
    fs::path lock_;
};
}  // namespace

TEST_F(OneWindow, AGameTakenOverIsNeverSavedOverAndEndsWithStatusOne) {
    ASSERT_EQ(saveGame(), 0);
    OtherWindow other;
    TakenOverConsole console(other, lockPath());
    setConsole(&console);
    for (const char* line : {"c", "Sam", "look", "dayskip 3", "dayskip 5", "quit"}) console.typeText(line);
    EXPECT_EQ(runGame(std::chrono::hours(1)), 1);
    setConsole(&screen);
    std::string shown = output();
    ASSERT_TRUE(console.savedWhenTaken) << shown;
    EXPECT_EQ(timesShown(shown, kLost), 1u) << shown;
    EXPECT_EQ(readWholeFile(saves / "Sam.mox"), console.savedWhenTaken) << "saved over the other window's game";
    EXPECT_EQ("/R" + lastSaveFailureLine(), kLost) << "the closing words say it again";
    initAllLists();  // the loop freed them; the fixture frees them again
}
