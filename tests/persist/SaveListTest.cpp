// The load menu's list: names and times alone order it (no save is opened
// to order thousands); a line is read from the first lines of its save, so
// a save damaged further on shows its day and is refused when chosen.
#include <utime.h>

#include "SaveFixture.h"

namespace fs = std::filesystem;

TEST_F(SaveTest, TheLoadListOrdersByTimeAloneAndReadsOnlyTheLinesShown) {
    buildRichWorld();
    const fs::path saves = data.path().string() + "-saves";
    fs::create_directories(saves);
    setSaveDirectory(saves);
    game.day = 4;
    const std::string whole = saveText();
    auto put = [](const fs::path& dir, const std::string& name, const std::string& plain, int hoursAgo) {
        fs::path file = dir / (name + ".mox");
        ASSERT_TRUE(writeFileAtomically(file, scrambleBytes(plain, ".ims", scrambleKey("Data\\" + name + ".mox")), false));
        utimbuf times{1765150000 - hoursAgo * 3600, 1765150000 - hoursAgo * 3600};
        ASSERT_EQ(::utime(file.c_str(), &times), 0);
    };
    put(saves, "Newest", whole, 1);
    put(saves, "Cut", whole.substr(0, whole.size() / 2), 2);
    put(data.path(), "Earlier", whole, 3);  // an earlier build's, beside the data
    put(data.path(), "Newest", "3 4\n", 9);  // older than the save directory's copy

    std::vector<ListedSave> listed = listSavedGames();
    const std::string names[] = {"Newest", "Cut", "Earlier"};
    ASSERT_EQ(listed.size(), std::size(names));
    EXPECT_EQ(listed[0].file, saves / "Newest.mox") << "the save directory's copy is the one read";
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].name, names[i]);
        EXPECT_FALSE(listed[i].described || listed[i].day != 0) << listed[i].name << ": read before it is shown";
        describeListedSave(listed[i]);
        EXPECT_EQ(listed[i].day, 4) << listed[i].name;
        EXPECT_FALSE(listed[i].damaged) << listed[i].name;
    }
    EXPECT_EQ(loadSaveFile("Cut", nullptr).result, SaveLoad::Damaged) << "chosen, it is checked whole";
    setSaveDirectory({});
    fs::remove_all(saves);
}
