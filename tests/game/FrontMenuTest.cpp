#include "game/FrontMenu.h"

#include <utime.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "TestSupport.h"
#include "base/Codec.h"
#include "base/Text.h"
#include "base/Pace.h"
#include "base/Paths.h"
#include "base/SaveKeeping.h"
#include "console/RuntimeState.h"
#include "console/LineEditor.h"
#include "console/Screen.h"
#include "game/LoadMenu.h"
#include "persist/Persist.h"

namespace {
namespace fs = std::filesystem;

constexpr const char* kMenu =
    "\nPlease select one of the following:\n\na. start new game\nb. instructions\nc. load a previous game\nd. credits\ne. quit\n\n";

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class FrontMenuTest : public GameTest {
protected:
    PrivateDataDir privateData;
    const fs::path& data = privateData.path();

    void SetUp() override {
        GameTest::SetUp();
        setUpConsole();
        game.running = 0;  // the menu comes before any game
        game.player.name = "";
    }
    void TearDown() override {
        setInputLimit(75);
        setScreenHeight(kDefaultScreenHeight);
        GameTest::TearDown();
    }
    void writeFile(const std::string& name, const std::string& text) { std::ofstream(data / name) << text; }
};

TEST(NameTest, CutAtFirstBlankAndCased) {
    EXPECT_EQ(normaliseName("mARY ann"), "Mary");
    EXPECT_EQ(normaliseName("jo"), "Jo");
    EXPECT_EQ(normaliseName("  bob"), "");
    EXPECT_EQ(normaliseName(""), "");
    EXPECT_EQ(normaliseName("X9"), "X9");
    EXPECT_EQ(normaliseName("jo,bob"), "Jo");  // a comma ends a name as a blank does
}

TEST_F(FrontMenuTest, TitleScreenThenNewGameWithUpperCaseChoice) {
    screen.typeText("A");
    screen.typeText("jO hnson");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_STREQ(game.player.name.c_str(), "Jo");
    EXPECT_EQ(inputLimit(), 78);
    std::string shown = output();
    EXPECT_NE(shown.find("/wWelcome to /RB/Yr/Bi/Gn/Ce/Pf/Ra/Yl/Bl/W!\n  /GMade By...\n"), std::string::npos);
    EXPECT_NE(shown.find("\n\n\n\n\n\n\n\n/wWelcome"), std::string::npos);
    EXPECT_NE(shown.find(kMenu), std::string::npos);
    EXPECT_NE(shown.find("\nPlease enter your name: "), std::string::npos);
    EXPECT_TRUE(shown.size() >= 10 && shown.substr(shown.size() - 10) == "\nHello Jo\n");
    // Two beeps with a short gap between them open the title screen.
    EXPECT_EQ(screen.beepCount(), 2);
    EXPECT_EQ(screen.sleptMs(), 50);
}

TEST_F(FrontMenuTest, OtherChoicesAndEmptyLinesShowTheMenuAgain) {
    screen.typeText("x");
    screen.typeText("");
    screen.typeText("a");
    screen.typeText("Sam");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_EQ(count(output(), kMenu), 3);
}

TEST_F(FrontMenuTest, MenuChoiceTakesOneCharacter) {
    screen.typeText("ab");  // the b cannot be typed
    screen.typeText("Sam");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_STREQ(game.player.name.c_str(), "Sam");
}

TEST_F(FrontMenuTest, TooShortNamesAreRefused) {
    screen.typeText("a");
    screen.typeText("j");
    screen.typeText("a");
    screen.typeText(" b");  // the leading blank is never typed, so this is "b"
    screen.typeText("a");
    screen.typeText("jo");
    EXPECT_EQ(frontMenu(), 1);
    std::string shown = output();
    EXPECT_EQ(count(shown, "\n/RInvalid name (too short).\n"), 2);
    EXPECT_EQ(count(shown, kMenu), 3);
    EXPECT_STREQ(game.player.name.c_str(), "Jo");
}

TEST_F(FrontMenuTest, NewGameNameIsLimitedToNineteenCharacters) {
    screen.typeText("a");
    screen.typeText("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_STREQ(game.player.name.c_str(), "Abcdefghijklmnopqrs");
}

TEST_F(FrontMenuTest, MakersGetAPersonalGreeting) {
    screen.typeText("a");
    screen.typeText("marisol");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_NE(output().find("\nHello Marisol, the lead designer of Team Tidewright!\n"), std::string::npos);
}

TEST_F(FrontMenuTest, LoadNeedsTheScrambledSave) {
    writeFile("Bob.ims", "plain twin only");
    // A twenty-letter name is longer than any name, even with a file of that name.
    writeFile("Abcdefghijklmnopqrst.mox", "x");
    screen.typeText("c");
    screen.typeText("bob");
    screen.typeText("c");
    screen.typeText("b");
    screen.typeText("c");
    screen.typeText("abcdefghijklmnopqrst");
    screen.typeText("a");
    screen.typeText("Sam");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_EQ(count(output(), "\n/RInvalid save file (file not found).\n"), 3);
    EXPECT_STREQ(game.player.name.c_str(), "Sam");

    writeFile("Bob.mox", "scrambled");
    screen.typeText("c");
    screen.typeText("BOB");
    EXPECT_EQ(frontMenu(), 0);
    std::string shown = output();
    EXPECT_NE(shown.find("\nPlease enter your name... "), std::string::npos);
    EXPECT_EQ(shown.find("Hello"), std::string::npos);
    EXPECT_STREQ(game.player.name.c_str(), "Bob");
    EXPECT_EQ(inputLimit(), 78);
}

TEST_F(FrontMenuTest, NamesOfTheIslandsOwnFilesAreNotOffered) {
    writeFile("Dog.mox", ".txt 0123");    // a personality file
    writeFile("Robin.mox", ".ims abcd");  // an earlier save may be replaced
    screen.typeText("a");
    screen.typeText("dog");
    screen.typeText("a");
    screen.typeText("robin");
    screen.typeText("yes");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_EQ(count(output(), "\n/RThat name belongs to the island itself. Please choose another.\n"), 1);
    EXPECT_STREQ(game.player.name.c_str(), "Robin");
}

TEST_F(FrontMenuTest, ANewGameUnderASavedNameAsksFirstAndOnlyYesReplacesIt) {
    writeFile("Robin.mox", ".ims abcd");
    for (const char* answer : {"no", "", "y", "yes please"}) {
        screen.typeText("a");
        screen.typeText("robin");
        screen.typeText(answer);
    }
    screen.typeText("a");
    screen.typeText("robin");
    screen.typeText("YeS");
    EXPECT_EQ(frontMenu(), 1);
    std::string shown = output();
    EXPECT_EQ(count(shown, "\nA saved game named Robin exists. Start over and replace it? (yes or no)\n"), 5);
    EXPECT_EQ(count(shown, "\nThe saved game of Robin is left as it was.\n"), 4);
    EXPECT_EQ(count(shown, kMenu), 5) << "each refusal goes back to the menu";
    EXPECT_EQ(count(shown, "\nHello Robin\n"), 1);
    std::ifstream file(data / "Robin.mox");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), ".ims abcd") << "the save waits for the first autosave";

    // A name without a save is not asked about.
    screen.typeText("a");
    screen.typeText("Kim");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_EQ(output().find("exists"), std::string::npos);
}

TEST_F(FrontMenuTest, AFinishedGameIsNotLoadedAndTheMenuSaysHowItEnded) {
    auto writeFinished = [&](const std::string& name, const std::string& plain) {
        std::string path = "Data\\" + name + ".mox";
        ASSERT_TRUE(writeFileAtomically(realPath(path), scrambleBytes(plain, ".end", scrambleKey(path))));
    };
    writeFinished("Robin", "starved\n0 0 0\n");
    writeFinished("Kim", "vanished\n");  // a word this game does not know
    for (const char* name : {"robin", "kim"}) {
        screen.typeText("c");
        screen.typeText(name);
    }
    screen.typeText("a");
    screen.typeText("robin");
    screen.typeText("yes");
    EXPECT_EQ(frontMenu(), 1) << "a finished game may be started over";
    std::string shown = output();
    EXPECT_NE(shown.find("\n/RThe game of Robin is over: you starved to death when the food ran out.\n"),
              std::string::npos)
        << shown;
    EXPECT_NE(shown.find("\n/RThe game of Kim is over.\n"), std::string::npos);
    EXPECT_EQ(count(shown, kMenu), 3) << "each refusal goes back to the menu";
    EXPECT_STREQ(game.player.name.c_str(), "Robin");
}

TEST_F(FrontMenuTest, TheLoadMenuListsSavesNewestFirstInPagesOfTheScreen) {
    shapeIsland();
    const std::time_t now = 1765150000;
    auto write = [&](const std::string& name, const std::string& plain, const char* extension, int hoursAgo) {
        std::string path = "Data\\" + name + ".mox";
        ASSERT_TRUE(writeFileAtomically(realPath(path), scrambleBytes(plain, extension, scrambleKey(path))));
        utimbuf times{now - hoursAgo * 3600, now - hoursAgo * 3600};
        ASSERT_EQ(::utime(realPath(path).c_str(), &times), 0);
    };
    // Eighteen saves, the newest first by name: Shipa is an hour old.
    for (int i = 0; i < 18; ++i) {
        game.day = i + 1;
        std::string name = std::string("Ship") + static_cast<char>('a' + i);
        if (i == 2) write(name, "starved\n" + saveText(), ".end", i + 1);
        else if (i == 5) write(name, "3 4\n", ".ims", i + 1);
        else write(name, saveText(), ".ims", i + 1);
    }
    writeFile(".Shipa.lock", "");
    writeFile("Shipb.mox.12345.tmp", "");
    writeFile("Dog.mox", ".txt 0123");
    writeFile("shipz.mox", "not a name the menu would make");

    // A browser's tab says which games other tabs hold, and calls them tabs.
    setGameHeld([](const std::string& name) { return name == "Shipd"; });
    setOtherPlaceWord("tab");

    screen.resize(24);
    setUpConsole();
    screen.typeText("c");
    screen.pushEvent(InputEvent::special(KeyCode::PageDown));
    screen.typeText("B");
    EXPECT_EQ(frontMenu(), 0);
    setGameHeld(nullptr);
    setOtherPlaceWord("window");
    EXPECT_STREQ(game.player.name.c_str(), "Shipq") << "the second save of the second page";
    std::string shown = output();
    // A 24-row screen shows fifteen saves a page: a to o, then the last three.
    std::size_t first = shown.find("\nSaved games, newest first (page 1 of 2; Page Up, Page Down):\na. Shipa ");
    std::size_t second = shown.find("\nSaved games, newest first (page 2 of 2; Page Up, Page Down):\na. Shipp ");
    ASSERT_NE(first, std::string::npos) << shown;
    ASSERT_NE(second, std::string::npos) << shown;
    EXPECT_NE(shown.find("\no. Shipo ", first), std::string::npos);
    EXPECT_NE(shown.find("\nc. Shipr ", second), std::string::npos);
    EXPECT_LT(shown.find("\nb. Shipb               day 2    "), shown.find("\nc. Shipc               day 3"));
    EXPECT_NE(shown.find("day 3    " + shortPlayedTime(now - 3 * 3600) + "  /Gfinished/w\n"),
              std::string::npos);
    EXPECT_NE(shown.find("\nf. Shipf                        " + shortPlayedTime(now - 6 * 3600) +
                         "  /Rdamaged/w\n"),
              std::string::npos);
    auto line = [&](const char* start) { std::size_t at = shown.find(start); return shown.substr(at, shown.find('\n', at + 1) - at); };
    EXPECT_NE(line("\nd. Shipd ").find("in play in another tab"), std::string::npos);
    EXPECT_EQ(line("\ne. Shipe ").find("in play in another"), std::string::npos);
    for (const char* hidden : {"lock", "tmp", "Dog", "Shipz", "\np. "}) EXPECT_EQ(shown.find(hidden), std::string::npos) << hidden;
}

TEST_F(FrontMenuTest, InstructionsStopAtTheZeroLine) {
    writeFile("readme.txt", "How to play\n/GGreen words\n0\nnot shown\n");
    screen.typeText("b");
    screen.typeText("a");
    screen.typeText("Sam");
    frontMenu();
    std::string shown = output();
    EXPECT_NE(shown.find("How to play\n/GGreen words\n\n"), std::string::npos);
    EXPECT_EQ(shown.find("not shown"), std::string::npos);
    EXPECT_EQ(count(shown, kMenu), 2);
}

TEST_F(FrontMenuTest, MissingOrUnendedInstructionsShowWhatThereIs) {
    screen.typeText("b");
    screen.typeText("a");
    screen.typeText("Sam");
    EXPECT_EQ(frontMenu(), 1);
    EXPECT_EQ(count(output(), kMenu), 2);

    writeFile("readme.txt", "only line");
    screen.typeText("b");
    screen.typeText("a");
    screen.typeText("Sam");
    frontMenu();
    EXPECT_NE(output().find("only line\n\n"), std::string::npos);
}

TEST_F(FrontMenuTest, ClosedInputLeavesTheMenu) {
    screen.typeText("x");
    frontMenu();  // returns once the script runs out instead of waiting forever
    EXPECT_TRUE(inputClosed());
}

TEST_F(FrontMenuTest, CreditsNameFiveMakersWithTimedPauses) {
    showCredits();
    std::string shown = output();
    EXPECT_EQ(shown.rfind("\n\n/G Team...\n/G", 0), 0u);
    EXPECT_NE(shown.find("/b" + std::string(76, '_') + "\n"), std::string::npos);
    std::regex credit(R"(/R[A-Z][a-z]+ /Y"[^"]+"(, "[^"]+")* /R[A-Z][A-Za-z-]+ /w- /G[a-z ,]+\n)");
    auto lines = std::distance(std::sregex_iterator(shown.begin(), shown.end(), credit), std::sregex_iterator());
    EXPECT_EQ(lines, 5);
    EXPECT_TRUE(shown.size() >= 3 && shown.substr(shown.size() - 3) == "\n/s");
    // Two pauses, three between each pair of names, five at the end.
    EXPECT_EQ(screen.sleptMs(), (2 + 4 * 3 + 5) * 750);
}

TEST_F(FrontMenuTest, CreditsPausesKeepTheirShareOfAFasterTick) {
    setTickPeriod(std::chrono::milliseconds(20));
    showCredits();
    setTickPeriod(kTickPeriod);
    EXPECT_EQ(screen.sleptMs(), (2 + 4 * 3 + 5) * 15);
}
}  // namespace
