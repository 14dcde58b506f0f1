#include "TestSupport.h"

#include "clock/Clock.h"
#include "game/Commands.h"
#include "game/MainLoop.h"
#include "world/Places.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace {
const char* kInvalid = "Invalid command.  Try the \"help\" command for a list of valid commands.\n";
}

class DispatcherTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        game.debugMode = 1;
        makeRoom(0, 8, "Start");
        makeRoom(9, 7, "Wall");
    }
};

TEST_F(DispatcherTest, DayskipSetsTheDayBeforeAndTheTickJustShortOfIt) {
    dispatchCommand("dayskip 5");
    EXPECT_EQ(game.day, 4);
    EXPECT_EQ(game.tick, 959);
    EXPECT_EQ(output(), "");
    dispatchCommand("DAYSKIP   +2x");
    EXPECT_EQ(game.day, 1);
    EXPECT_EQ(game.tick, 239);
}

TEST_F(DispatcherTest, DebugWordsNeedDebugModeButRiDoesNot) {
    game.debugMode = 0;
    dispatchCommand("roominfo");
    dispatchCommand("getitem 3");
    dispatchCommand("kill tim");
    EXPECT_EQ(output(), std::string(kInvalid) + kInvalid + kInvalid);
    EXPECT_TRUE(game.player.inventory.empty());
    dispatchCommand("ri");
    EXPECT_EQ(output(), "Area: 0  Room: 8\n");
    dispatchCommand("debug");
    EXPECT_EQ(game.debugMode, 1);
    dispatchCommand("roominfo");
    EXPECT_EQ(output(), "Area: 0  Room: 8\n");
}

TEST_F(DispatcherTest, KillOnlyTim) {
    dispatchCommand("kill tim");
    EXPECT_EQ(output(), "You have slain Tim.\n");
    dispatchCommand("kill bob");
    dispatchCommand("kill");
    dispatchCommand("kill tim now");
    EXPECT_EQ(output(), std::string(kInvalid) + kInvalid + kInvalid);
}

TEST_F(DispatcherTest, GetitemAddsOneUnitAndFullInventoryTakesNothing) {
    dispatchCommand("getitem 7");
    EXPECT_EQ(game.player.inventory.slots[0], &game.items[7]);
    for (int i = 0; i < 25; ++i) dispatchCommand("getitem 7");
    EXPECT_EQ(game.player.inventory.count, 20u);
    EXPECT_EQ(output(), "");
    dispatchCommand("getitem 60");
    dispatchCommand("getitem -1");
    dispatchCommand("getitem");
    EXPECT_EQ(output(), std::string(kInvalid) + kInvalid + kInvalid);
}

TEST_F(DispatcherTest, TeleReadsAreaThenRoomAndRefusesOutsideTheTable) {
    dispatchCommand("tele 9 7");
    EXPECT_EQ(game.player.currentRoom, roomAt(kKeypadWall));
    output();
    dispatchCommand("tele 13 0");
    dispatchCommand("tele 0 25");
    dispatchCommand("tele 4");
    EXPECT_EQ(output(), std::string(kInvalid) + kInvalid + kInvalid);
    EXPECT_EQ(game.player.currentRoom, roomAt(kKeypadWall));
    makeRoom(12, 0, "Laboratory");
    dispatchCommand("tele 12 0");
    EXPECT_EQ(game.player.currentRoom, roomAt(kLaboratory));
    EXPECT_EQ(game.running, 1);  // teleporting does not play the laboratory ending
}

TEST_F(DispatcherTest, TeleRefusesASlotThatNamesNoRoomOfTheWorld) {
    dispatchCommand("tele 0 20");  // inside the table, but the world has no such room
    EXPECT_EQ(output(), kInvalid);
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));

    // A room without a description still counts while an exit leads out of it.
    Room& passage = *roomAt(0, 21);
    passage.exits[North] = roomAt(kWhereYouWoke);
    dispatchCommand("tele 0 21");
    EXPECT_EQ(game.player.currentRoom, &passage);
}

TEST_F(DispatcherTest, GrammarCutsAtTheFirstBlankAndMatchesWholeWords) {
    dispatchCommand(" ri");  // empty command word
    dispatchCommand("rii");
    dispatchCommand("r");
    EXPECT_EQ(output(), std::string(kInvalid) + kInvalid + kInvalid);
    dispatchCommand("RI extra words");
    EXPECT_EQ(output(), "Area: 0  Room: 8\n");
    dispatchCommand("ri\tx");  // a tab is no separator
    EXPECT_EQ(output(), kInvalid);
}

TEST_F(DispatcherTest, QuitEndsPlaySilently) {
    dispatchCommand("Q");
    EXPECT_EQ(game.running, 0);
    EXPECT_EQ(output(), "");
    game.running = 1;
    dispatchCommand("quit now");
    EXPECT_EQ(game.running, 0);
}

TEST_F(DispatcherTest, BusyPeriodRefusesEveryLineEvenEmptyOnes) {
    setBusy(3, "/RBusy!");
    dispatchCommand("ri");
    dispatchCommand("");
    EXPECT_EQ(output(), "/RBusy!\n/RBusy!\n");
    game.tick += 3;
    dispatchCommand("ri");
    EXPECT_EQ(output(), "Area: 0  Room: 8\n");
    dispatchCommand("");
    EXPECT_EQ(output(), "");
}

TEST_F(DispatcherTest, OpenConversationTakesTheLineBeforeTheBusyCheck) {
    setBusy(10, "busy");
    game.clockRunning = 0;
    game.optionCount = 0;
    dispatchCommand("n");
    EXPECT_EQ(output(), "/c\nYou must enter a valid choice.\n");
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));
    dispatchCommand("");
    EXPECT_EQ(output(), "");
}

namespace {
// The words the help shows in green: the runs after "/G" up to the next code, cut at blanks and commas.
std::set<std::string> greenWords(const std::string& help) {
    std::set<std::string> words;
    for (std::size_t at = help.find("/G"); at != std::string::npos; at = help.find("/G", at + 1)) {
        const std::size_t end = help.find('/', at + 2);
        std::istringstream run(help.substr(at + 2, end - at - 2));
        for (std::string word; std::getline(run, word, ' ');) {
            while (!word.empty() && (word.back() == ',' || word.back() == '.')) word.pop_back();
            if (!word.empty()) words.insert(word);
        }
    }
    return words;
}
}  // namespace

TEST(CommandTableTest, EveryWordAPlayerMayTypeIsInTheHelp) {
    const std::set<std::string> shown = greenWords(helpText());
    for (const CommandWord& command : commandTable()) {
        if (command.access != Access::Always) continue;
        EXPECT_TRUE(shown.contains(command.word)) << command.word;
        for (const char* shortForm : command.shortForms) {
            if (shortForm) {
                EXPECT_TRUE(shown.contains(shortForm)) << shortForm;
            }
        }
    }
    EXPECT_FALSE(shown.contains("5830"));
    EXPECT_FALSE(shown.contains("dayskip"));
}

TEST(CommandTableTest, CompletionKeepsItsOrderAndNeverTurnsAWordIntoAnother) {
    // The words in their completion places, the jokes last. "se" and "sw",
    // typed whole, are southeast's and southwest's own short forms: they
    // stand before "search" and "swim" so that they are never completed
    // into them.
    const std::vector<std::string> expected = {
        "north", "south", "east", "west", "northwest", "northeast", "southwest", "southeast",
        "get", "drop", "talk", "look", "use", "combine", "inventory", "map", "boat", "sail", "help",
        "time", "verbose", "brief", "examine", "read", "se", "search", "open", "pry", "climb", "dig",
        "again", "save", "eat", "wait", "ask", "give", "listen", "jump", "sw", "swim", "touch",
        "transcript", "febreeze fabric freshener?", "mongoose?"};
    EXPECT_EQ(completionWords(), expected);
}

// Each line the game obeys stands above its answer, in the input row's
// colours, so a player can tell which reply answered what.
TEST_F(DispatcherTest, EachLineObeyedStandsAboveItsAnswer) {
    setUpConsole();
    dispatchTypedLine("xyzzy now  ", false);
    EXPECT_EQ(output(), std::string("/w> xyzzy now\n") + kInvalid);
    EXPECT_EQ(screen.rowText(44, 1, 78), "> xyzzy now");
    EXPECT_EQ(screen.cell(1, 44).attr, 0x07);
    EXPECT_EQ(screen.rowText(45, 1, 78).rfind("Invalid command.", 0), 0u);
    dispatchTypedLine("", false);
    EXPECT_EQ(output(), "") << "an empty line shows nothing";
    game.running = 0;
    dispatchTypedLine("look", false);
    EXPECT_EQ(output(), "") << "a line dropped when play ended shows nothing";
}
