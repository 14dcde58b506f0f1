// Every data file is checked before the menu: the shipped data is sound,
// and each kind of damage is named with its file.
#include "game/DataCheck.h"

#include <filesystem>

#include "TestSupport.h"
#include "base/Codec.h"
#include "persist/Persist.h"

namespace {
// Rewrites the plain text of a scrambled data file with one edit.
void damage(const std::string& name, const char* extension, const std::string& what, const std::string& with) {
    std::string path = "Data\\" + name + ".mox";
    std::optional<std::string> text = readPlainTwin(realPath(path), path, extension);
    ASSERT_TRUE(text);
    std::size_t at = text->find(what);
    ASSERT_NE(at, std::string::npos) << what;
    text->replace(at, what.size(), with);
    ASSERT_TRUE(writeFileAtomically(realPath(path), scrambleBytes(*text, extension, scrambleKey(path)), false));
}
}  // namespace

class DataCheck : public GameTest {
protected:
    PrivateDataDir data{BRINEFALL_DATA_DIR};
    std::filesystem::path copy = makePrivateDataDir(BRINEFALL_DATA_DIR);  // the sound data to go back to

    void TearDown() override {
        std::filesystem::remove_all(copy);
        GameTest::TearDown();
    }
    void mend() {
        for (const auto& entry : std::filesystem::directory_iterator(copy)) {
            std::filesystem::path target = data.path() / entry.path().filename();
            std::filesystem::remove_all(target);
            std::filesystem::copy_file(entry.path(), target);
        }
    }
};

TEST_F(DataCheck, TheShippedDataIsSoundAndEachDamageIsNamed) {
    EXPECT_EQ(gameDataProblem(), "");
    damage("initial", ".ims", "\n0\n1\n", "\nzero\n1\n");  // a word where a number stands
    EXPECT_EQ(gameDataProblem(), "initial.mox: line 3 is damaged");
    mend();
    damage("Angry", ".txt", "SKIP 1 [ha 4", "SKIP 77 [ha 4");
    EXPECT_EQ(gameDataProblem(), "Angry.mox: day 1, label 0 leads to a label its day does not have");
    mend();
    damage("Memory", ".txt", "DAY 2", "DAY 20");
    EXPECT_EQ(gameDataProblem(), "Memory.mox: its days are not 1 to 16, each once and in order");
    mend();
    std::filesystem::remove(data.path() / "Dog.mox");
    std::filesystem::create_directory(data.path() / "Dog.mox");
    EXPECT_EQ(gameDataProblem(), "Dog.mox: Is a directory");
    mend();
    EXPECT_EQ(gameDataProblem(), "");
}
