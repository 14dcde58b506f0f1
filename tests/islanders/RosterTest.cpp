#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "base/Paths.h"
#include "islanders/IslanderFixture.h"
#include "base/RandomTesting.h"

namespace fs = std::filesystem;

namespace {

const char* const kPersonalities[16] = {"Angry",  "Convict",      "Crackpot", "Depressed", "Doctor",   "Formal",
                                        "Jock",   "Leet",         "Leader",   "Megalomaniac", "Nerd", "Paranoid",
                                        "Perky",  "Silent",       "Soldier",  "Wise"};
const int kGenders[16] = {1, 1, 1, 0, 2, 1, 1, 1, 1, 1, 0, 1, 2, 2, 1, 1};
const std::set<std::string> kEither = {"Frank", "John",  "Phill", "Luke",  "Monica", "Carl",  "Beth",
                                       "Joey",  "Gerald", "Jose", "Slade", "Trish",  "Bert",  "James",
                                       "Alex",  "Jenna", "Fran",  "Shelly", "Herman", "Tom"};
const std::set<std::string> kMale = {"Frank", "John",  "Phill", "Luke",  "Carl",   "Joey", "Gerald",
                                     "Jose",  "Slade", "Bert",  "James", "Alex", "Herman", "Tom"};
const std::set<std::string> kFemale = {"Monica", "Beth", "Trish", "Jenna", "Fran", "Shelly", "Alexis"};

}  // namespace

class RosterTest : public IslanderTest {
protected:
    PrivateDataDir privateData;
    const fs::path& dir = privateData.path();

    void SetUp() override {
        IslanderTest::SetUp();
        game.islanderCount = 0;
    }

    // Writes Data\<name>.mox the way the game's data build scrambles it:
    // the plain extension and a blank, then every byte XORed with a key
    // taken from the path without its extension.
    void writePersonality(const std::string& name, const std::string& text) {
        const std::string gamePathText = "Data\\" + name + ".mox";
        int sum = 0;
        for (std::size_t i = 0; i + 4 < gamePathText.size(); ++i) sum += static_cast<signed char>(gamePathText[i]);
        const auto key = static_cast<unsigned char>(sum % 255);
        std::ofstream out(dir / (name + ".mox"), std::ios::binary);
        out << ".txt ";
        for (char c : text) out.put(static_cast<char>(static_cast<unsigned char>(c) ^ key));
    }
    void writeMoods(const std::string& name, int tolerance, int hostility, int happiness) {
        writePersonality(name, std::to_string(tolerance) + "\n" + std::to_string(hostility) + "\n" +
                                   std::to_string(happiness) + "\nDAY 1\nLABEL 0\nHello.\nEND\n");
    }
    // Every personality p (1..16) gets tolerance 100+p, hostility p, happiness 200+p.
    void writeAllPersonalities() {
        for (int p = 1; p <= 16; ++p) writeMoods(kPersonalities[p - 1], 100 + p, p, 200 + p);
        writeMoods("Dog", 7, 8, 9);
    }
    int plainFilesLeft() {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".txt") ++n;
        return n;
    }
};

TEST_F(RosterTest, NewGameHasTheDogAndEightDistinctIslanders) {
    writeAllPersonalities();
    bool alexisSeen = false;
    for (long long seconds = 1; seconds <= 20; ++seconds) {
        SCOPED_TRACE(seconds);
        resetGameState();
        setFixedSeconds(seconds * 86413);
        createIslanders();
        ASSERT_EQ(game.islanderCount, 9);

        const Npc& dog = game.islanders[0];
        EXPECT_EQ(dog.name, "Dog");
        EXPECT_EQ(dog.personalityFile, "Data\\Dog.txt");
        EXPECT_EQ(dog.gender, 0);
        EXPECT_DOUBLE_EQ(dog.tolerance, 7);
        EXPECT_DOUBLE_EQ(dog.hostility, 8);
        EXPECT_DOUBLE_EQ(dog.happiness, 9);

        std::set<std::string> personalities, names{"Dog"};
        for (int i = 1; i < kIslanderCount; ++i) {
            const Npc& npc = game.islanders[static_cast<std::size_t>(i)];
            const std::string file = npc.personalityFile.str();
            const auto* found = std::find_if(std::begin(kPersonalities), std::end(kPersonalities),
                                             [&](const char* p) { return file == "Data\\" + std::string(p) + ".txt"; });
            ASSERT_NE(found, std::end(kPersonalities)) << file;
            const int p = static_cast<int>(found - std::begin(kPersonalities)) + 1;
            personalities.insert(file);
            names.insert(npc.name.str());

            EXPECT_EQ(npc.gender, kGenders[p - 1]);
            const std::set<std::string>& list = npc.gender == 0 ? kEither : npc.gender == 1 ? kMale : kFemale;
            EXPECT_TRUE(list.count(npc.name.str())) << npc.name.c_str() << " for gender " << npc.gender;
            if (npc.name == "Alexis") {
                EXPECT_EQ(npc.gender, 2);
                alexisSeen = true;
            }
            EXPECT_DOUBLE_EQ(npc.tolerance, 100 + p);
            EXPECT_DOUBLE_EQ(npc.hostility, p);
            EXPECT_DOUBLE_EQ(npc.happiness, 200 + p);
            EXPECT_DOUBLE_EQ(npc.hostilityBase, npc.hostility);
            EXPECT_DOUBLE_EQ(npc.happinessBase, npc.happiness);
            EXPECT_EQ(npc.moodRate, 0.2);
            EXPECT_EQ(npc.npcIndex, i);
            EXPECT_EQ(npc.scriptLabel, 0);
            EXPECT_EQ(npc.gaveGift, 0);
            EXPECT_EQ(npc.currentRoom, nullptr);
        }
        EXPECT_EQ(personalities.size(), 8u);
        EXPECT_EQ(names.size(), 9u);
        EXPECT_EQ(plainFilesLeft(), 0);
    }
    EXPECT_TRUE(alexisSeen);
    EXPECT_TRUE(fs::exists(dir / "Angry.mox"));
    EXPECT_EQ(output(), "");
}

TEST_F(RosterTest, MoodLinesAreReadByTheirLeadingInteger) {
    struct Case {
        const char* text;
        double tolerance, hostility, happiness;
    };
    const Case cases[] = {
        {"50\n20\n70\nDAY 1\n", 50, 20, 70},
        {"50 patience\r\n20 temper\r\n70 joy\r\n", 50, 20, 70},
        {"  120\n-15\n+8\n", 120, -15, 8},
        {"calm\n\n30", 0, 0, 30},
        {"60\n", 60, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        game.islanderCount = 1;
        writePersonality("Angry", c.text);
        Npc prepared;
        prepared.gender = 1;
        loadPersonality(prepared, "Angry");
        const Npc& npc = game.islanders[1];
        EXPECT_DOUBLE_EQ(npc.tolerance, c.tolerance);
        EXPECT_DOUBLE_EQ(npc.hostility, c.hostility);
        EXPECT_DOUBLE_EQ(npc.happiness, c.happiness);
        EXPECT_DOUBLE_EQ(npc.hostilityBase, c.hostility);
        EXPECT_DOUBLE_EQ(npc.happinessBase, c.happiness);
        EXPECT_EQ(game.islanderCount, 2);
        EXPECT_FALSE(fs::exists(dir / "Angry.txt"));
    }
}

TEST_F(RosterTest, MissingPersonalityFileStillGivesANamedIslander) {
    game.islanderCount = 3;
    Npc prepared;
    prepared.gender = 2;
    loadPersonality(prepared, "Perky");
    const Npc& npc = game.islanders[3];
    EXPECT_EQ(game.islanderCount, 4);
    EXPECT_EQ(npc.npcIndex, 3);
    EXPECT_EQ(npc.personalityFile, "Data\\Perky.txt");
    EXPECT_TRUE(kFemale.count(npc.name.str()));
    EXPECT_DOUBLE_EQ(npc.tolerance, 0);
    EXPECT_DOUBLE_EQ(npc.happiness, 0);
    EXPECT_DOUBLE_EQ(npc.moodRate, 0.2);
    EXPECT_EQ(output(), "");
}

TEST_F(RosterTest, PersonalityDrawsAreRepeatedUntilNew) {
    std::array<int, 9> numbers{};
    // Position 2 draws 1 twice; position 3 draws the values of positions 1 and 2.
    queueDraws({0, 0, 16, 1, 0, 17, 2, 3, 4, 5, 6, 7 + 16 * 40});
    pickPersonalities(numbers);
    EXPECT_EQ(numbers, (std::array<int, 9>{0, 1, 2, 3, 4, 5, 6, 7, 8}));

    for (long long seconds = 1; seconds <= 200; ++seconds) {
        setFixedSeconds(seconds);
        pickPersonalities(numbers);
        std::set<int> distinct(numbers.begin() + 1, numbers.end());
        EXPECT_EQ(distinct.size(), 8u);
        EXPECT_GE(*distinct.begin(), 1);
        EXPECT_LE(*distinct.rbegin(), 16);
    }
}

TEST_F(RosterTest, NamesComeFromTheListOfTheGender) {
    Npc npc;
    queueDraws({19, 13, 6, 20, 5});
    npc.gender = 0;
    EXPECT_STREQ(pickName(npc), "Tom");
    npc.gender = 1;
    EXPECT_STREQ(pickName(npc), "Tom");
    npc.gender = 2;
    EXPECT_STREQ(pickName(npc), "Alexis");
    EXPECT_STREQ(pickName(npc), "Alexis");
    npc.gender = 3;
    EXPECT_STREQ(pickName(npc), "error");
    npc.gender = -1;
    EXPECT_STREQ(pickName(npc), "error");
    EXPECT_EQ(draw(), 5);  // no draw for an unknown gender
}

TEST_F(RosterTest, ATakenNameIsDrawnAgain) {
    game.islanders[0].name = "Dog";
    game.islanders[1].name = "Frank";
    game.islanders[2].name = "Herman";  // a record not yet filled does not count
    game.islanderCount = 2;
    Npc prepared;
    prepared.gender = 1;
    queueDraws({0, 14, 12});  // Frank, Frank again, then Herman
    loadPersonality(prepared, "Jock");
    EXPECT_EQ(game.islanders[2].name, "Herman");
}
