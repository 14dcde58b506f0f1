// Where the game's files are: the data found from the program's own place
// and only ever read, the saves in the player's own directory with the
// bytes they always had, and the saves an earlier build left beside the data.
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "BuildPaths.h"
#include "SaveFixture.h"
#include "game/Options.h"
#include "game/LoadGame.h"

namespace fs = std::filesystem;

namespace {
int modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

// Sets or clears an environment variable for one test, and puts it back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

void touch(const fs::path& path) { ASSERT_TRUE(writeFileAtomically(path, "x", false)); }
}  // namespace

class SaveDirectory : public SaveTest {
protected:
    fs::path home;   // the player's, apart from the data
    fs::path saves;
    fs::file_time_type longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);

    void SetUp() override {
        SaveTest::SetUp();
        home = data.path().string() + "-home";
        saves = home / "share" / "brinefall";
        buildRichWorld();
    }
    void TearDown() override {
        setSaveDirectory({});
        fs::remove_all(home);
        SaveTest::TearDown();
    }
    // The data directory's time, set long ago: any file made and removed
    // there, even for a moment, moves it.
    void markDataUntouched() { fs::last_write_time(data.path(), longAgo); }
    bool dataUntouched() const { return fs::last_write_time(data.path()) == longAgo; }
};

TEST_F(SaveDirectory, TheFirstSaveMakesAPrivateDirectoryAndKeepsTheBytesOfTheSave) {
    setSaveDirectory(saves);
    markDataUntouched();
    ASSERT_EQ(saveGame(), 0);
    EXPECT_TRUE(dataUntouched()) << "the save touched the data directory";
    EXPECT_FALSE(fs::exists(data.path() / "Sam.mox"));
    // Each directory the game made is the player's alone.
    for (const fs::path& dir : {home, home / "share", saves})
        EXPECT_EQ(modeOf(dir), 0700) << dir;
    // The key still comes from "Data\Sam", wherever the file lies.
    EXPECT_EQ(readWholeFile(saves / "Sam.mox"), scrambleBytes(saveText(), ".ims", scrambleKey("Data\\Sam.ims")));
    EXPECT_EQ(inspectSave("Sam").state, SaveState::Playing);
}

TEST_F(SaveDirectory, ASaveAnEarlierBuildLeftBesideTheDataLoadsAndIsThenSavedInTheSaveDirectory) {
    ASSERT_EQ(saveGame(), 0);  // no save directory yet: beside the data, as earlier builds did
    std::optional<std::string> old = readWholeFile(data.path() / "Sam.mox");
    ASSERT_TRUE(old);
    setSaveDirectory(saves);
    EXPECT_EQ(inspectSave("Sam").state, SaveState::Playing);

    restart();
    ASSERT_EQ(loadGame(0), 1);
    ASSERT_EQ(saveGame(), 0);
    EXPECT_EQ(readWholeFile(saves / "Sam.mox"), old) << "the same state moved with the same bytes";
    EXPECT_EQ(readWholeFile(data.path() / "Sam.mox"), old) << "the old save is left as it was";

    // From now on the save directory's copy is the one loaded.
    game.raftState = 3;
    ASSERT_EQ(saveGame(), 0);
    restart();
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.raftState, 3);
}

TEST_F(SaveDirectory, ASaveThatCannotMakeItsDirectoryFailsAndSaysWhy) {
    touch(home);
    setSaveDirectory(saves);
    EXPECT_EQ(saveGame(), ENOTDIR);
    EXPECT_NE(saveDirectoryProblem(saves), "");
    EXPECT_NE(saveDirectoryProblem(saves).find("home: Not a directory"), std::string::npos)
        << saveDirectoryProblem(saves);
}

TEST_F(SaveDirectory, ANewGameReadsTheWorldAndPersonalitiesWithoutWritingBesideThem) {
    for (const fs::directory_entry& entry : fs::directory_iterator(BRINEFALL_DATA_DIR))
        fs::copy_file(entry.path(), data.path() / entry.path().filename());
    markDataUntouched();
    restart();
    setSaveDirectory(saves);
    ASSERT_EQ(loadGame(1), 1);
    EXPECT_TRUE(dataUntouched());
    // The personality files were read: every human islander has its moods.
    for (int i = 1; i < kIslanderCount; ++i) EXPECT_GT(islander(i).tolerance, 0) << islander(i).name.str();
}

TEST(DataDirectory, IsFoundBesideTheProgramNeverInTheWorkingDirectory) {
    PrivateDataDir root;
    const fs::path built = root.path() / "build";
    fs::create_directories(built / "Data");
    EXPECT_EQ(dataDirectoryBeside(built / "brinefall"), built / "Data");

    const fs::path prefix = root.path() / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "brinefall");
    EXPECT_EQ(dataDirectoryBeside(prefix / "bin" / "brinefall"), prefix / "share" / "brinefall");
}

// Where the system has no link to the running program (no /proc).
TEST(DataDirectory, WithoutTheSystemsLinkIsFoundFromTheProgramsPathOrTheInstalledPrefix) {
    PrivateDataDir root;
    const fs::path noLink = root.path() / "proc" / "self" / "exe";
    const fs::path prefix = root.path() / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "brinefall");
    const fs::path program = prefix / "bin" / "brinefall";
    EXPECT_EQ(defaultDataDirectory(runningExecutable(program.c_str(), noLink)), prefix / "share" / "brinefall");

    // Found on PATH by its bare name, or with no name at all: the place
    // the build was configured to install into.
    EXPECT_EQ(runningExecutable("brinefall", noLink), fs::path());
    EXPECT_EQ(runningExecutable(nullptr, noLink), fs::path());
    EXPECT_EQ(defaultDataDirectory({}), installedDataDirectory());
    EXPECT_TRUE(installedDataDirectory().is_absolute());
    EXPECT_EQ(installedDataDirectory().parent_path().filename(), "share");

    // Where the link exists it wins over whatever argv0 says.
    fs::create_directories(noLink.parent_path());
    fs::create_symlink(program, noLink);
    EXPECT_EQ(runningExecutable("elsewhere/brinefall", noLink), program);
}

TEST(DataDirectory, ProblemsNameTheReason) {
    PrivateDataDir root;
    EXPECT_EQ(dataDirectoryProblem(root.path() / "missing"), "No such file or directory");
    touch(root.path() / "file");
    EXPECT_EQ(dataDirectoryProblem(root.path() / "file"), "Not a directory");
    EXPECT_EQ(dataDirectoryProblem(root.path()), "initial.mox: No such file or directory");
    touch(root.path() / "initial.mox");
    EXPECT_EQ(dataDirectoryProblem(root.path()), "");
    EXPECT_EQ(saveDirectoryProblem(root.path() / "not" / "yet" / "made"), "");
}

TEST(DefaultSaveDirectory, FollowsXdgDataHomeThenHome) {
    {
        ScopedVariable xdg("XDG_DATA_HOME", "/x/data");
        ScopedVariable home("HOME", "/home/sam");
        EXPECT_EQ(defaultSaveDirectory(), fs::path("/x/data/brinefall"));
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedVariable xdg("XDG_DATA_HOME", unusable);
        ScopedVariable home("HOME", "/home/sam");
        EXPECT_EQ(defaultSaveDirectory(), fs::path("/home/sam/.local/share/brinefall"));
    }
    ScopedVariable xdg("XDG_DATA_HOME", nullptr);
    ScopedVariable home("HOME", nullptr);
    EXPECT_EQ(defaultSaveDirectory(), fs::path());
}

TEST(CommandLine, ReadsTheOptionsAndRefusesTheRest) {
    auto parse = [](std::vector<std::string> words) {
        words.insert(words.begin(), "brinefall");
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        return parseOptions(static_cast<int>(words.size()), argv.data());
    };
    Options play = parse({"--plain", "--data-dir", "/d", "--save-dir=/s"});
    EXPECT_EQ(play.action, Options::Action::Play);
    EXPECT_TRUE(play.plain);
    EXPECT_EQ(play.dataDir, fs::path("/d"));
    EXPECT_EQ(play.saveDir, fs::path("/s"));
    EXPECT_FALSE(parse({}).plain);
    EXPECT_EQ(parse({"--version"}).action, Options::Action::Version);
    EXPECT_EQ(parse({"--version", "--help"}).action, Options::Action::Help);
    for (std::vector<std::string> wrong : std::vector<std::vector<std::string>>{
             {"--nope"}, {"--data-dir"}, {"--plain", "stray"}, {"-q"}, {"--save-dir"}})
        EXPECT_EQ(parse(wrong).action, Options::Action::Misuse) << wrong[0];
}

TEST(SettleDirectories, TakesTheGivenOnesAndNeedsSomewhereForSaves) {
    PrivateDataDir data;
    touch(data.path() / "initial.mox");
    ScopedVariable xdg("XDG_DATA_HOME", nullptr);
    ScopedVariable home("HOME", nullptr);
    EXPECT_EQ(settleDirectories(data.path(), {}, nullptr),
              "no directory for saved games: set HOME or XDG_DATA_HOME, or give --save-dir");
    EXPECT_EQ(settleDirectories(data.path() / "nowhere", data.path(), nullptr),
              "cannot read the game data in " + (data.path() / "nowhere").string() + ": No such file or directory");
    EXPECT_EQ(settleDirectories(data.path(), data.path() / "saves", nullptr), "");
    EXPECT_EQ(dataDirectory(), data.path());
    EXPECT_EQ(saveDirectory(), data.path() / "saves");
    EXPECT_FALSE(fs::exists(data.path() / "saves")) << "made before the first save";
    setSaveDirectory({});
}
