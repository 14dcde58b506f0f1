// A save whose bytes changed is caught by the checksum line every save now
// ends with, refused and left as it was; saves of earlier builds still load;
// and one earlier generation of each save is kept, to be offered when the
// save is damaged.
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "base/Codec.h"
#include "base/Text.h"
#include "game/LoadGame.h"
#include "game/LoadMenu.h"
#include "persist/Persist.h"

namespace fs = std::filesystem;

namespace {
const fs::path kFixtures = fs::path(BRINEFALL_SOURCE_DIR) / "tests/persist/fixtures";

std::time_t modificationTime(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}
}  // namespace

class SaveChecksum : public GameTest {
protected:
    PrivateDataDir data{BRINEFALL_DATA_DIR};
    fs::path file;
    std::string sealed;  // written by this build
    std::uint8_t key = scrambleKey("Data\\Sam.mox");

    void SetUp() override {
        GameTest::SetUp();
        releaseSaveClaim();
        file = data.path() / "Sam.mox";
        sealed = readWholeFile(kFixtures / "checksummed/Sam.mox").value_or("");
        ASSERT_FALSE(sealed.empty());
        putFile(sealed);
        game.player.name = "Sam";
        output();
    }
    void putFile(const std::string& bytes) { ASSERT_TRUE(writeFileAtomically(file, bytes, false, 0600)); }
    std::string plainOf(const std::string& scrambled) {
        std::optional<PlainTwin> twin = unscrambleBytes(scrambled, key);
        return twin ? twin->bytes : "<not scrambled>";
    }
    void restart() {
        resetGameState();
        game.player.name = "Sam";
        output();
    }
};

TEST_F(SaveChecksum, SavesEndWithTheirChecksumAndThoseOfEarlierBuildsAreWrittenWithIt) {
    EXPECT_NE(plainOf(sealed).rfind("\nchecksum "), std::string::npos);
    for (const char* fixture : {"checksummed/Sam.mox", "Sam.mox"}) {  // this build's, and an earlier one's
        putFile(readWholeFile(kFixtures / fixture).value_or(""));
        restart();
        ASSERT_EQ(loadGame(0), 1) << fixture;
        ASSERT_EQ(saveGame(), 0);
        EXPECT_TRUE(readWholeFile(file) == sealed) << fixture << " is not written as this build writes it";
    }
}

// One bit flipped at a few hundred fixed places (and every bit of the
// header and of the checksum line): each refused, the game and the file
// as they were.
TEST_F(SaveChecksum, OneBitFlippedAnywhereIsRefusedAndTheFileLeftAsItWas) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < 300; ++i) offsets.push_back(i * sealed.size() / 300 + i % 17);
    for (std::size_t i = 0; i < 5; ++i) offsets.push_back(i);
    for (std::size_t i = sealed.size() - 18; i < sealed.size(); ++i) offsets.push_back(i);
    ASSERT_EQ(loadGame(0), 1);
    game.tick = 31337;  // the game in hand
    int refused = 0;
    for (std::size_t n = 0; n < offsets.size() && !HasFatalFailure(); ++n) {
        std::string damaged = sealed;
        damaged[offsets[n]] = static_cast<char>(damaged[offsets[n]] ^ (1 << (n % 8)));
        putFile(damaged);
        SaveOutcome outcome = loadSaveFile("Sam", nullptr);
        ASSERT_EQ(outcome.result, SaveLoad::Damaged) << "bit " << n % 8 << " at " << offsets[n] << " loaded";
        ASSERT_TRUE(readWholeFile(file) == damaged) << "changed at " << offsets[n];
        ASSERT_EQ(game.tick, 31337);
        ++refused;
    }
    EXPECT_EQ(refused, 323);
}

TEST_F(SaveChecksum, AnythingButOneWellFormedChecksumLineAfterTheRoomsIsDamage) {
    std::string plain = plainOf(sealed);
    std::size_t line = plain.rfind("checksum ");
    std::string body = plain.substr(0, line);
    std::string checksum = plain.substr(line);
    std::string upper = checksum;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const std::string& text : {
             plain + "\n",                                    // a blank line after it
             plain + checksum,                                // twice
             body + "x" + checksum,                           // something between
             body + checksum.substr(0, checksum.size() - 1),  // its line break cut off
             body + checksum.substr(0, checksum.size() - 3) + "\n",
             body + "checksum " + upper.substr(9),            // hex in capitals
             body + "checksum  " + checksum.substr(9),
         }) {
        EXPECT_EQ(loadSaveText(text), 0) << text.substr(body.size());
    }
    EXPECT_EQ(loadSaveText(plain), 1);
    EXPECT_EQ(loadSaveText(body), 1) << "as an earlier build wrote it";
}

TEST_F(SaveChecksum, ADamagedSaveOffersTheOneBeforeItAndNeverBecomesIt) {
    ASSERT_EQ(loadGame(0), 1);
    fs::path previous = previousSavePath("Sam");
    EXPECT_EQ(previous, data.path() / ".Sam.mox.prev");
    game.day = 3;
    ASSERT_EQ(saveGame(), 0);
    EXPECT_EQ(readWholeFile(previous), sealed) << "the save it was loaded from";
    game.tick += 2;
    std::time_t before = std::time(nullptr);
    ASSERT_EQ(saveGame(), 0);
    std::time_t after = std::time(nullptr);
    EXPECT_EQ(readWholeFile(previous), sealed) << "written again on the same day";
    std::string dayThree = *readWholeFile(file);
    game.day = 4;
    ASSERT_EQ(saveGame(), 0);
    EXPECT_EQ(readWholeFile(previous), dayThree) << "the last save of the day before";
    std::time_t saved = modificationTime(previous);
    EXPECT_TRUE(saved >= before && saved <= after) << "it keeps the time it was saved";
    ASSERT_EQ(listSavedGames().size(), 1u) << "the previous save is no game of its own";

    std::string damaged = *readWholeFile(file);
    damaged[damaged.size() / 2] ^= 0x10;
    const std::string offer = "/RThe saved game of Sam is damaged./w Load the one before it, from day 3, saved " +
                              shortPlayedTime(saved) + "? (yes or no)\n";
    for (const char* answer : {"no", "yes"}) {
        putFile(damaged);
        restart();
        screen.typeText(answer);
        EXPECT_EQ(loadGame(0), answer == std::string("yes") ? 1 : 0);
        std::string shown = output();
        EXPECT_EQ(shown.substr(0, offer.size() + 1), "\n" + offer) << shown;
        EXPECT_TRUE(readWholeFile(file) == damaged) << "the damaged save is left as it was";
    }
    EXPECT_EQ(game.day, 3);
    // Played on: the damaged bytes never become the previous save.
    std::string lastOfTheDay;
    for (int day : {3, 4, 5}) {
        game.day = day;
        ASSERT_EQ(saveGame(), 0);
        EXPECT_FALSE(readWholeFile(previous) == damaged);
        if (day > 3) {
            EXPECT_TRUE(readWholeFile(previous) == lastOfTheDay) << day;
        }
        lastOfTheDay = *readWholeFile(file);
    }

    // A new game that replaces the save takes its previous one with it.
    restart();
    ASSERT_EQ(loadGame(1), 1);
    ASSERT_EQ(saveGame(), 0);
    EXPECT_FALSE(fs::exists(previous));
}
