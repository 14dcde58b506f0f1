#include "TestSupport.h"
#include "game/Commands.h"
#include "game/Lab.h"
#include "base/RandomTesting.h"

namespace {
const char* kCrazy = "Only crazy people type into thin air, crazy.\n";
const char* kOpening =
    "/YThe keypad recedes back into the wall and then a portion of the wall recedes back and slides away to reveal a faintly lit hallway.\n";
const std::string kThanks = "Thanks for playing!  Team Tidewright hopes you enjoyed BRINEFALL!\n";
}  // namespace

class LabTest : public GameTest {
protected:
    Room* wall = nullptr;
    Room* lab = nullptr;
    void SetUp() override {
        GameTest::SetUp();
        wall = &makeRoom(9, 7, "Keypad wall");
        lab = &makeRoom(12, 0, "Laboratory");
        game.player.currentRoom = wall;
    }
};

TEST_F(LabTest, TheCodeNeedsAllThreeShapesAtTheWall) {
    game.pyramidPlaced = 1;
    game.spherePlaced = 1;
    labCodeCommand();
    EXPECT_EQ(output(), kCrazy);
    EXPECT_EQ(wall->exits[North], nullptr);

    game.cubePlaced = 1;
    game.player.currentRoom = &makeRoom(9, 6, "Slope");
    labCodeCommand();
    EXPECT_EQ(output(), kCrazy);

    game.player.currentRoom = wall;
    dispatchCommand("5830");
    EXPECT_EQ(output(), kOpening);
    EXPECT_EQ(wall->exits[North], lab);
    EXPECT_EQ(lab->exits[South], wall);
    labCodeCommand();  // again: the same text and the same passage
    EXPECT_EQ(output(), kOpening);
    EXPECT_EQ(wall->exits[North], lab);
}

// A wrong number at the shown keypad is answered by the keypad; before it
// shows, after the wall opens and anywhere else every number, the code
// included, is typed into thin air, so none is told apart.
TEST_F(LabTest, AWrongCodeBuzzesOnlyWhileTheKeypadShows) {
    for (const char* number : {"1234", "5830", "0", "58300", "1234 5", "000000000000000000000"}) {
        dispatchCommand(number);
        EXPECT_EQ(output(), kCrazy) << number;
    }
    dispatchCommand("12a4");
    EXPECT_EQ(output(), "Invalid command.  Try the \"help\" command for a list of valid commands.\n");
    game.pyramidPlaced = game.cubePlaced = game.spherePlaced = 1;
    game.player.currentRoom = &makeRoom(9, 6, "Slope");
    dispatchCommand("1234");
    EXPECT_EQ(output(), kCrazy);
    game.player.currentRoom = wall;
    dispatchCommand("1234");
    EXPECT_NE(output().find("buzz"), std::string::npos);
    EXPECT_EQ(wall->exits[North], nullptr);
    dispatchCommand("5830");
    output();
    dispatchCommand("1234");
    EXPECT_EQ(output(), kCrazy);
}

TEST_F(LabTest, AnEvenDrawWins) {
    queueDraws({4});
    enterLab();
    std::string text = output();
    EXPECT_EQ(game.running, 0);
    EXPECT_EQ(text.rfind("\nYou are walking down a long hallway.", 0), 0u);
    EXPECT_NE(text.find("spins around to reveal The Dog.  'Well done."), std::string::npos);
    EXPECT_NE(text.find("quite an entertaining turn of events.'\n/s\nYou take a look around the lab"), std::string::npos);
    EXPECT_NE(text.find("H A H A H A!'\n/s\nThe dog leaps at you"), std::string::npos);
    EXPECT_NE(text.find("away from the island forever.\n\n/s" + kThanks), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "/s");
    EXPECT_EQ(text.find("Unfortunately, you never wake up."), std::string::npos);
}

TEST_F(LabTest, AnOddDrawLoses) {
    const std::string lost =
        "You are walking down a long hallway.  Your footsteps echo all around in the vacant space.  You can see a small amount of light coming from a chamber at the end of the tunnel.  As you peer into the chamber you see a dog sitting at a computer.  Just as the dog turns to face you, you feel something hard hit the back of your head.  You stagger and your vision goes blurry.  You collapse to the floor and as you slip out of consciousness you hear what sounds like one of the islanders laughing.  Unfortunately, you never wake up. And then the island explodes.\n";
    queueDraws({7});
    enterLab();
    EXPECT_EQ(game.running, 0);
    std::string text = output();
    EXPECT_EQ(text.substr(0, lost.size() + kThanks.size()), lost + kThanks);  // the credits follow
    EXPECT_EQ(text.substr(text.size() - 2), "/s");
    EXPECT_EQ(text.find("The Dog."), std::string::npos);
}

TEST_F(LabTest, TheEndingIsDrawnFromTheClock) {
    setFixedSeconds(777);
    reseed(777);
    bool wins = draw() % 2 == 0;
    reseed(1);
    enterLab();
    EXPECT_EQ(output().find("The Dog.") != std::string::npos, wins);
}

TEST_F(LabTest, TeleportingInDoesNotEndTheGame) {
    game.debugMode = 1;
    dispatchCommand("tele 12 0");
    EXPECT_EQ(game.player.currentRoom, lab);
    EXPECT_EQ(game.running, 1);
    EXPECT_EQ(output().find("Thanks for playing!"), std::string::npos);
}
