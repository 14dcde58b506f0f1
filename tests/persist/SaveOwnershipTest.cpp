// Modes and ownership never lock players out of their own games, nor give
// a false reason: whatever the umask, saves and locks are 0600 and the
// folders the game makes 0700; only a lock another process holds means
// "another window"; a save that may not be read is told apart from one
// that is damaged. Run as user 65534, since root ignores modes.
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "OtherUser.h"
#include "SaveFixture.h"
#include "game/FrontMenu.h"

namespace fs = std::filesystem;

namespace {
int modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

// What went wrong in the child, one line each.
struct Findings {
    std::string text;
    void check(bool ok, const std::string& what) { text += ok ? "" : what + "\n"; }
    void mode(const fs::path& path, int expected) {
        check(modeOf(path) == expected, path.filename().string() + " has mode " + std::to_string(modeOf(path)));
    }
};
}  // namespace

class SaveOwnership : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        releaseSaveClaim();  // a game an earlier test played in this process
        if (!canActAsAnotherUser()) GTEST_SKIP() << "needs root to act as user 65534, where file modes count";
        giveToNobody(data.path());
        buildRichWorld();
        game.player.name = "Sam";
        output();
    }
    void TearDown() override {
        releaseSaveClaim();
        setSaveDirectory({});
        SaveTest::TearDown();
    }
    fs::path lockPath() const { return data.path() / ".Sam.lock"; }
};

TEST_F(SaveOwnership, UnderAnyUmaskTheNextGameLoadsItsSave) {
    for (mode_t mask : {0222, 0777, 0077}) {
        std::string masked = "umask " + std::to_string(mask) + ": ";
        fs::path home = data.path() / ("home" + std::to_string(mask));
        fs::path saves = home / "brinefall";
        EXPECT_EQ(asAnotherUser([&] {
                      Findings found;
                      ::umask(mask);
                      setSaveDirectory(saves);
                      found.check(claimSave("Sam") == Claim::Taken, "the first claim failed");
                      found.check(saveGame() == 0, "the first save failed");
                      found.mode(home, 0700);
                      found.mode(saves, 0700);
                      found.mode(saves / "Sam.mox", 0600);
                      found.mode(saves / ".Sam.lock", 0600);
                      // The next game of the player: the lock is free, the save readable,
                      // and a lock file of the player's own made read-only is mended.
                      releaseSaveClaim();
                      fs::permissions(saves / ".Sam.lock", fs::perms(0400));
                      found.check(claimSave("Sam") == Claim::Taken, "the next claim failed: " + claimProblem());
                      found.mode(saves / ".Sam.lock", 0600);
                      SaveOutcome loaded = loadSaveFile("Sam", nullptr);
                      found.check(loaded.result == SaveLoad::Loaded, "the save did not load: " + loaded.why);
                      std::vector<ListedSave> listed = describedSaves();
                      found.check(listed.size() == 1 && !listed[0].damaged && listed[0].unreadable.empty() &&
                                      !listed[0].playedElsewhere,
                                  "the list marks the save");
                      return found.text;
                  }),
                  "")
            << masked;
    }
}

TEST_F(SaveOwnership, AFolderGivenIsUsedAsItIs) {
    fs::path given = data.path() / "given";
    fs::create_directory(given);
    fs::permissions(given, fs::perms(0755));
    setSaveDirectory(given);
    ASSERT_EQ(saveGame(), 0);
    EXPECT_EQ(modeOf(given), 0755);
    EXPECT_EQ(modeOf(given / "Sam.mox"), 0600);
}

TEST_F(SaveOwnership, ALockOfAnotherUserIsNamedWithTheReasonAndTheMenuGoesOn) {
    int fd = ::open(lockPath().c_str(), O_CREAT | O_WRONLY, 0644);  // root's
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(asAnotherUser([&] {
                  Findings found;
                  found.check(claimSave("Sam") == Claim::Failed, "claimed");
                  found.check(claimProblem() == lockPath().string() + ": Permission denied", claimProblem());
                  screen.typeText("a");
                  screen.typeText("Sam");
                  screen.typeText("a");
                  screen.typeText("Robin");
                  found.check(frontMenu() == 1, "the menu did not go on");
                  std::string shown = output();
                  found.check(shown.find("\n/RThe lock of Sam's game cannot be taken: " +
                                         markupLiteral(lockPath().string()) + ": Permission denied.\n") !=
                                  std::string::npos,
                              shown);
                  found.check(shown.find("another window") == std::string::npos, "a false reason: " + shown);
                  found.check(game.player.name.str() == "Robin", "the next name was not played");
                  return found.text;
              }),
              "");
}

TEST_F(SaveOwnership, TheListTellsASaveThatCannotBeReadFromADamagedOne) {
    ASSERT_EQ(saveGame(), 0);  // root's, 0600
    writeSave("not a save at all\n", "Robin");
    fs::permissions(data.path() / "Robin.mox", fs::perms(0644));
    EXPECT_EQ(asAnotherUser([&] {
                  Findings found;
                  std::vector<ListedSave> listed = describedSaves();
                  found.check(listed.size() == 2, "not both listed");
                  for (const ListedSave& save : listed) {
                      if (save.name == "Sam")
                          found.check(!save.damaged && save.unreadable == "Permission denied", "Sam: " + save.unreadable);
                      else
                          found.check(save.damaged && save.unreadable.empty(), "Robin is not damaged");
                  }
                  SaveOutcome loaded = loadSaveFile("Sam", nullptr);
                  found.check(loaded.result == SaveLoad::Unreadable && loaded.why == "Permission denied", loaded.why);
                  return found.text;
              }),
              "");
}

TEST_F(SaveOwnership, ASaveThatIsALinkIsSaidSoInWords) {
    fs::path outside = data.path() / "outside.mox";
    ASSERT_EQ(saveGame(), 0);
    fs::rename(data.path() / "Sam.mox", outside);
    const std::string link = "is a link; saved games must be plain files";
    for (const fs::path& target : {outside, data.path() / "nowhere"}) {  // and a dangling one
        fs::remove(data.path() / "Sam.mox");
        fs::create_symlink(target, data.path() / "Sam.mox");
        SaveOutcome loaded = loadSaveFile("Sam", nullptr);
        EXPECT_EQ(loaded.result, SaveLoad::Unreadable);
        EXPECT_EQ(loaded.why, link) << target;
        std::vector<ListedSave> listed = describedSaves();
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].unreadable, link);
    }
}
