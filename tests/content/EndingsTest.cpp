// Every way a game can end, played from a new game on the built island
// through the dispatcher and the clock's own tick, each finished as the
// main loop finishes: with a final save, which is that of a finished game
// and never loads again. Quitting saves a game that loads.
#include <algorithm>

#include "WorldPlaythrough.h"
#include "game/Days.h"
#include "game/Ending.h"
#include "base/Random.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"
#include "world/Places.h"

class EndingsTest : public WorldPlaythroughTest {
protected:
    void SetUp() override {
        WorldPlaythroughTest::SetUp();
        game.debugMode = 1;  // as when play begins
    }
    // One tick of the real clock (it does nothing once the game has ended).
    void clockTicks(int n) {
        for (int i = 0; i < n; ++i) advanceOneTick();
    }
    // What the main loop does when play stops: save, then the save must load.
    void expectFinalSave() {
        ASSERT_EQ(game.running, 0);
        ASSERT_EQ(game.ending, Ending::None);
        int tick = game.tick;
        int day = game.day;
        const Room* where = game.player.currentRoom;
        std::int16_t raft = game.raftState;
        ASSERT_EQ(saveGame(), 0);
        ASSERT_EQ(loadGame(0), 1);
        EXPECT_EQ(game.tick, tick);
        EXPECT_EQ(game.day, day);
        EXPECT_EQ(game.player.currentRoom, where);
        EXPECT_EQ(game.raftState, raft);
    }
    // After an ending the final save is that of a finished game: loading
    // it is refused and says how the game ended, and the ending's text is
    // kept for the terminal's own screen.
    void expectFinishedSave(Ending how, const char* lastWords) {
        ASSERT_EQ(game.running, 0);
        EXPECT_EQ(game.ending, how);
        std::string kept = plainEndingText();
        std::string joined = kept;
        std::replace(joined.begin(), joined.end(), '\n', ' ');
        EXPECT_NE(joined.find(lastWords), std::string::npos) << kept;
        EXPECT_EQ(kept.find('/'), std::string::npos) << "no colour codes: " << kept;
        ASSERT_EQ(saveGame(), 0);
        SavedGame saved = inspectSave(game.player.name.view());
        EXPECT_EQ(saved.state, SaveState::Over);
        EXPECT_EQ(saved.ending, how);
        output();
        EXPECT_EQ(loadGame(0), 0) << "a finished game is never played on";

        resetGameState();
        resetInputState();  // the ending's key pauses found the scripted input empty
        screen.typeText("c");
        screen.typeText("Sam");
        frontMenu();  // refuses, shows the menu again, then finds the input closed
        std::string said = output();
        EXPECT_NE(said.find(std::string("\n/RThe game of Sam is over: ") + endingSummary(how) + ".\n"),
                  std::string::npos)
            << said;
    }
    void gather(const char* name, int area, int number) {
        walkTo(area, number);
        std::string line = std::string("get ") + name;
        command(line.c_str());
        ASSERT_GE(held(name), 1) << name << " at " << area << " " << number;
    }
    void gatherShapes() {
        gather("pyramid", 10, 2);
        gather("cube", 8, 2);
        gather("sphere", 2, 8);
    }
    void openKeypadWall() {
        gatherShapes();
        walkTo(9, 7);
        command("use pyramid");
        command("use cube");
        command("use sphere");
        command("5830");
        ASSERT_EQ(game.player.currentRoom->exits[North], roomAt(kLaboratory));
    }
    // The murderer at the thresholds where he strikes.
    void makeMurderous() {
        game.murderer->hostility = 65.0;
        game.murderer->happiness = 35.0;
    }
};

TEST_F(EndingsTest, TheCodeOpensTheLabAndAnEvenDrawWins) {
    openKeypadWall();
    output();
    queueDraws({2});
    command("n");
    std::string text = output();
    EXPECT_NE(text.find("spins around to reveal The Dog."), std::string::npos);
    EXPECT_NE(text.find("bearing you and any survivors away from the island forever."), std::string::npos);
    EXPECT_NE(text.find("Thanks for playing!  Team Tidewright hopes you enjoyed BRINEFALL!\n"), std::string::npos);
    EXPECT_EQ(text.find("you never wake up"), std::string::npos);
    int endedAt = game.tick;
    clockTicks(3);
    EXPECT_EQ(game.tick, endedAt) << "the clock stands still after the end";
    expectFinishedSave(Ending::LabWon, "bearing you and any survivors away from the island forever.");
}

TEST_F(EndingsTest, TheDoorOpensTheLabAndEitherDrawEndsTheGame) {
    for (int drawn : {5, 8}) {
        SCOPED_TRACE(drawn);
        if (drawn == 8) {
            TearDown();
            SetUp();
        }
        makeShovel();
        gather("crowbar", 10, 12);
        walkTo(11, 0);
        command("use shovel");
        walkTo(11, 7);
        command("use crowbar");
        output();
        queueDraws({drawn});
        command("e");
        std::string text = output();
        bool won = drawn % 2 == 0;
        EXPECT_EQ(text.find("spins around to reveal The Dog.") != std::string::npos, won);
        EXPECT_EQ(text.find("Unfortunately, you never wake up. And then the island explodes.") != std::string::npos, !won);
        expectFinishedSave(won ? Ending::LabWon : Ending::LabLost, "Thanks for playing!");
    }
}

TEST_F(EndingsTest, AJunkyRaftDrownsItsSailor) {
    setUpConsole();
    sendIslandersAway();
    walkTo(0, 13);
    command("get rope");
    for (auto [area, number] : {std::pair{0, 4}, {0, 1}, {0, 6}}) gather("wood", area, number);
    walkTo(0, 13);
    screen.typeText("y");
    command("boat");
    ASSERT_EQ(game.raftState, 1) << output();
    clockTicks(10);
    ASSERT_FALSE(isBusy());
    // Two islanders come back to life and down to the raft; a third name is nobody's.
    Npc& first = game.islanders[1];
    Npc& second = game.islanders[2];
    for (Npc* npc : {&first, &second}) {
        npc->gender = 1;
        npc->currentRoom = roomAt(0, 13);
        addToList(roomAt(0, 13)->occupants, npc);
    }
    output();
    screen.typeText("yes");
    screen.typeText(toLower(first.name.view()) + ", Bert , " + second.name.str());
    command("sail");
    std::string text = output();
    EXPECT_NE(text.find("There is nobody called Bert on the island.\n"), std::string::npos) << text;
    EXPECT_NE(text.find("You have died of dysentery.\n"), std::string::npos) << text;
    const std::string mourned = "/rSadly " + first.name.str() + " has passed away with you.\n/rSadly " +
                                second.name.str() + " has passed away with you.\n";
    EXPECT_NE(text.find(mourned), std::string::npos) << text;
    expectFinishedSave(Ending::LostAtSea, ("Sadly " + second.name.str() + " has passed away with you.").c_str());
}

TEST_F(EndingsTest, TheMurdererCanComeForThePlayerInTheNight) {
    makeMurderous();
    command("dayskip 4");
    output();
    queueDraws({0});  // the night's victim: 0 is the player
    clockTicks(1);
    std::string text = output();
    EXPECT_EQ(text.rfind("In the middle of the night you wake up to footsteps coming near you.", 0), 0u) << text;
    EXPECT_EQ(text.find("You wake up to the sound of the other islanders busying themselves."), std::string::npos)
        << "no morning follows a murder";
    EXPECT_EQ(game.day, 4);
    expectFinishedSave(Ending::Murdered, "kills you in cold blood.");
}

TEST_F(EndingsTest, FoodRunsOutOnTheSeventeenthMorning) {
    game.murderer->gender = -1;  // nobody kills in the night
    command("dayskip 17");
    output();
    clockTicks(1);
    EXPECT_EQ(game.tick, 3840);
    EXPECT_NE(output().find("You have starved to death."), std::string::npos);
    expectFinishedSave(Ending::Starved, "You have starved to death.");
}

TEST_F(EndingsTest, QuitSavesAGameThatLoadsWhereItWasLeft) {
    walkTo(0, 4);
    command("get map");
    clockTicks(7);
    command("quit");
    expectFinalSave();
    EXPECT_EQ(held("map"), 1);
}

TEST_F(EndingsTest, ShapesInTheWallStayThereAcrossASave) {
    gatherShapes();
    walkTo(9, 7);
    command("use pyramid");
    command("use cube");
    saveGame();
    game.pyramidPlaced = game.cubePlaced = game.spherePlaced = 0;  // a fresh program
    ASSERT_EQ(loadGame(0), 1);
    EXPECT_EQ(game.pyramidPlaced, 1);
    EXPECT_EQ(game.cubePlaced, 1);
    EXPECT_EQ(game.spherePlaced, 0) << "the sphere is still carried";
    output();
    command("use sphere");
    EXPECT_NE(output().find("Please enter lab code"), std::string::npos);
    command("5830");
    EXPECT_EQ(game.player.currentRoom->exits[North], roomAt(kLaboratory));
}
