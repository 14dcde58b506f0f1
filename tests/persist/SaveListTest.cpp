// The load menu's list: names and times alone decide it (no save is
// opened to order thousands), and a listed line is read from the first
// lines of its save, so a save damaged further on shows its day and is
// found out when it is chosen.
#include <utime.h>

#include <filesystem>

#include "SaveFixture.h"

namespace fs = std::filesystem;

class SaveList : public SaveTest {
protected:
    fs::path saves = data.path().string() + "-saves";
    std::time_t now = 1765150000;

    void SetUp() override {
        SaveTest::SetUp();
        buildRichWorld();
        fs::create_directories(saves);
        setSaveDirectory(saves);
    }
    void TearDown() override {
        setSaveDirectory({});
        fs::remove_all(saves);
        SaveTest::TearDown();
    }
    // A scrambled file under name in dir, its time hoursAgo before now.
    void put(const fs::path& dir, const std::string& name, const std::string& plain, const char* extension,
             int hoursAgo) {
        std::string path = "Data\\" + name + ".mox";
        fs::path file = dir / (name + ".mox");
        ASSERT_TRUE(writeFileAtomically(file, scrambleBytes(plain, extension, scrambleKey(path)), false));
        utimbuf times{now - hoursAgo * 3600, now - hoursAgo * 3600};
        ASSERT_EQ(::utime(file.c_str(), &times), 0);
    }
};

TEST_F(SaveList, OrdersByTimeAloneAndReadsOnlyTheLinesShown) {
    game.day = 4;
    const std::string whole = saveText();
    put(saves, "Newest", whole, ".ims", 1);
    put(saves, "Cut", whole.substr(0, whole.size() / 2), ".ims", 2);  // the first lines are whole
    put(saves, "Ended", "starved\n" + whole, ".end", 3);
    put(saves, "Garbled", "3 4\n", ".ims", 4);
    // Beside the data: a save of an earlier build, an older copy of a name
    // the save directory has, and an islander's script, which is no save.
    put(data.path(), "Earlier", whole, ".ims", 5);
    put(data.path(), "Newest", whole, ".ims", 9);
    put(data.path(), "Dog", "DAY 1\n", ".txt", 0);

    std::vector<ListedSave> listed = listSavedGames();
    std::vector<std::string> names;
    for (const ListedSave& save : listed) {
        names.push_back(save.name);
        EXPECT_FALSE(save.described) << save.name;
        EXPECT_EQ(save.day, 0) << save.name << ": nothing read yet";
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Newest", "Cut", "Ended", "Garbled", "Earlier"}));
    EXPECT_EQ(listed[0].file, saves / "Newest.mox") << "the save directory's copy is the one read";
    EXPECT_EQ(listed[0].lastPlayed, now - 3600);

    struct Line {
        int day;
        bool finished, damaged;
    } expected[] = {{4, false, false}, {4, false, false}, {4, true, false}, {0, false, true}, {4, false, false}};
    for (std::size_t i = 0; i < listed.size(); ++i) {
        describeListedSave(listed[i]);
        EXPECT_EQ(listed[i].day, expected[i].day) << names[i];
        EXPECT_EQ(listed[i].finished, expected[i].finished) << names[i];
        EXPECT_EQ(listed[i].damaged, expected[i].damaged) << names[i];
    }
    // Chosen, the cut save is checked whole and refused.
    EXPECT_EQ(loadSaveFile("Cut", nullptr).result, SaveLoad::Damaged);
}
