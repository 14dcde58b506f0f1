// The verbs players of text games type: examine and its kin look, the
// hint verbs say what would do it, take gets, save saves, again repeats.
#include <algorithm>
#include <filesystem>

#include "TestSupport.h"
#include "game/Commands.h"
#include "items/Items.h"
#include "persist/Persist.h"

class VerbsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeRoom(0, 8, "Start", "Sand and a tall tree.");
        makeItem(2, "rock", "A rock.");
        makeItem(33, "crate", "A crate of tins.", 0);
        makeItem(38, "tree", "A tall tree.", 0);
        addToList(roomAt(0, 8)->items, &game.items[2]);
        addToList(roomAt(0, 8)->items, &game.items[38]);
    }
    std::string said(const char* line) {
        output();
        dispatchCommand(line);
        return output();
    }
};

TEST_F(VerbsTest, ExamineAndItsKinLookAtAThingOrAround) {
    const std::string atRock = said("look rock"), around = said("look");
    for (const char* verb : {"examine", "x", "read", "search", "EXAMINE"}) {
        EXPECT_EQ(said((std::string(verb) + " the rock").c_str()), atRock) << verb;
        EXPECT_EQ(said(verb), around) << verb;
    }
}

TEST_F(VerbsTest, HintVerbsNeverDoTheDeed) {
    EXPECT_NE(said("climb tree").find("use axe on tree"), std::string::npos);
    EXPECT_EQ(said("open crate"), "You see no crate here.\n");
    addToList(roomAt(0, 8)->items, &game.items[33]);
    EXPECT_NE(said("open the crate").find("lid is already off"), std::string::npos);
    EXPECT_EQ(said("open rock"), "You see no way to open the rock.\n");
    EXPECT_EQ(said("pry"), "Pry what?\n");
    EXPECT_EQ(said("dig"), "The ground here is too hard for bare hands, and nothing says it is worth digging.\n");
    EXPECT_EQ(said("climb sand"), "You see no way to climb the sand.\n") << "the room's text names it";
    EXPECT_EQ(countInList(roomAt(0, 8)->items, &game.items[38]), 1u);
}

TEST_F(VerbsTest, AgainRepeatsTheLastCommandAndSaveSavesNow) {
    forgetLastCommand();  // as a new game does
    EXPECT_EQ(said("g"), "There is no command to do again yet.\n");
    const std::string around = said("look");
    EXPECT_EQ(said("again"), around);
    EXPECT_EQ(said("g"), around) << "again never repeats itself";
    said("take rock");  // the genre's word for get
    EXPECT_EQ(countInList(game.player.inventory, &game.items[2]), 1u);
    EXPECT_EQ(said("g"), "That item is not in the room.\n");

    PrivateDataDir data;
    EXPECT_EQ(said("save"), "The game is saved.\n");
    EXPECT_FALSE(std::filesystem::is_empty(data.path()));
}

// A hint knows what the player holds: no "a shovel would" to a player holding one.
TEST_F(VerbsTest, HintsKnowTheToolInHand) {
    game.player.currentRoom = &makeRoom(11, 0, "The Fence", "Wire. The sandy ground is soft.");
    addToList(game.player.inventory, &makeItem(18, "shovel", "A shovel."));
    EXPECT_NE(said("dig").find("you have the shovel for it: /Guse shovel/w here"), std::string::npos);
    game.player.currentRoom = roomAt(0, 8);
    EXPECT_EQ(said("dig"), "Nothing says the ground here is worth digging, shovel or no shovel.\n");
}

// The verbs of other games each get one line naming a command that does
// work, do nothing themselves, and are offered by the completion.
TEST_F(VerbsTest, VerbsOfOtherGamesSayWhatWorksHere) {
    const std::vector<std::string> offered = completionWords();
    for (const char* line : {"eat", "wait", "z", "ask frank about the knife", "give rock to frank", "listen", "jump",
                             "swim", "touch"}) {
        const std::string answer = said(line), verb = std::string(line).substr(0, std::string(line).find(' '));
        EXPECT_EQ(std::count(answer.begin(), answer.end(), '\n'), 1) << answer;
        const std::size_t green = answer.find("/G") + 2;
        const std::string named = answer.substr(green, answer.find_first_of(" /", green) - green);
        EXPECT_TRUE(std::any_of(commandTable().begin(), commandTable().end(), [&](const CommandWord& c) {
            return named == c.word && c.run;
        })) << line << " names " << named;
        EXPECT_TRUE(verb == "z" || std::find(offered.begin(), offered.end(), verb) != offered.end()) << verb;
    }
    EXPECT_NE(said("eat the Coconut").find("/Guse coconut/w"), std::string::npos);
    EXPECT_NE(said("touch /Rtree").find("//rtree"), std::string::npos) << "typed words are shown as typed";
    EXPECT_EQ(countInList(roomAt(0, 8)->items, &game.items[2]), 1u);
    EXPECT_EQ(game.player.inventory.count, 0u);
}
