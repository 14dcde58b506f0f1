#include "raft/RaftWorld.h"
#include "game/Sail.h"
#include "base/RandomTesting.h"
#include "world/Places.h"

namespace {
const std::string kWarning =
    "/yYou are about to set sail on a perilous journey across the seas. If you do not have a raft sufficient enough for the high seas then it is unlikely you will ever see land again. \n/rDo you really want to set sail? (yes or no) \n";
const std::string kPassengers =
    "/yIs there anyone you wish to take with you on this journey? /w(Enter the name of the person you wish to take separated by commas.)\n";
const std::string kEscape =
    "/cYou set sail on your boat. Days go by without any sign of land, only water as far as you can see. On the 4th day of your voyage you see land in the distance. Exhausted by your long voyage, you hop off of your raft and begin to paddle towards the land. You reach the land and are greeted by people running towards your raft. The people call the hospital and an ambulance soon arrives. You are rushed to the hospital. /wYou awaken with a sense of great accomplishment.\n/yYou have  escaped the Island!\n";
const std::string kReturn =
    "/cYou set sail on your boat. Days go by without any sign of land, only water as far as you can see. On the 5th day of your voyage you pass out from heat exhaustion. Awakened by water repeatedly splashing on your face you sit up and find yourself on the coast of an island. /rThe island looks strangely like the one you just set sail from.\n";
const std::string kDeath =
    "/cYou set sail on your boat, if you can even call it that. Two days go by and your raft is beginning to look worse and worse. You soon realize your raft is not meant for turbulent waters. A few hours pass and the main rope holding your raft together snaps like a twig. There is nothing you can do to repair your raft at this point. You cling on to a log for dear life but after much struggle you succumb to the mighty seas.\n/rYou have died of dysentery.\n";

const std::string kStayAshore = "/yYou think better of it and stay ashore. Nothing was done.\n";

enum class Outcome { Escape, Return, Death };
}  // namespace

class SailTest : public RaftTest {
protected:
    void SetUp() override {
        RaftTest::SetUp();
        raft().name = "Junky Raft";
        lay("Junky Raft");
    }
    // Sails with the draw fixed to r; the output after the two prompts.
    std::string sail(int quality, int r, const std::string& passengers = "") {
        game.raftState = static_cast<std::int16_t>(quality);
        game.running = 1;
        game.ending = Ending::None;
        screen.typeText("yes");
        screen.typeText(passengers);
        queueDraws({r});
        output();
        setSail();
        std::string text = output();
        EXPECT_EQ(text.substr(0, kWarning.size() + kPassengers.size()), kWarning + kPassengers);
        return text.substr(std::min(text.size(), kWarning.size() + kPassengers.size()));
    }
    Outcome outcome(int quality, int r, const std::string& passengers = "") {
        return classify(sail(quality, r, passengers));
    }
    // The voyage alone, for crews the line editor cannot type (it takes no commas).
    std::string voyage(int quality, int r, const std::vector<std::string>& crew) {
        game.raftState = static_cast<std::int16_t>(quality);
        game.running = 1;
        game.ending = Ending::None;
        queueDraws({r});
        output();
        completeVoyage(crew);
        return output();
    }
    Outcome classify(const std::string& text) {
        // An ending at sea waits for a key before the game's screen goes.
        bool paused = text.size() >= 2 && text.substr(text.size() - 2) == "/s";
        if (text.rfind(kEscape, 0) == 0) {
            EXPECT_EQ(game.running, 0);
            EXPECT_EQ(game.ending, Ending::Escaped);
            EXPECT_TRUE(paused) << text;
            return Outcome::Escape;
        }
        if (text == kReturn) {
            EXPECT_EQ(game.running, 1);
            EXPECT_EQ(game.ending, Ending::None) << "a raft washed back goes on";
            return Outcome::Return;
        }
        EXPECT_EQ(text.rfind(kDeath, 0), 0u) << text;
        EXPECT_EQ(game.running, 0);
        EXPECT_EQ(game.ending, Ending::LostAtSea);
        EXPECT_TRUE(paused) << text;
        return Outcome::Death;
    }
};

TEST_F(SailTest, ChancesAloneFollowTheRaftsQuality) {
    struct Row {
        int quality, escape, back, death;
    };
    for (Row row : {Row{1, 0, 0, 12}, Row{7, 3, 3, 6}, Row{13, 9, 3, 0}, Row{15, 11, 1, 0}, Row{20, 12, 0, 0}}) {
        int counts[3] = {0, 0, 0};
        for (int r = 0; r < 12; ++r) ++counts[static_cast<int>(outcome(row.quality, r))];
        EXPECT_EQ(counts[0], row.escape) << "quality " << row.quality;
        EXPECT_EQ(counts[1], row.back) << "quality " << row.quality;
        EXPECT_EQ(counts[2], row.death) << "quality " << row.quality;
    }
}

TEST_F(SailTest, TheDrawIsReseededFromTheClockAndTakenModuloTwelve) {
    EXPECT_EQ(outcome(20, 23), Outcome::Escape);  // 23 % 12 = 11: 20 > 11 + 1 + 3
    EXPECT_EQ(outcome(15, 23), Outcome::Return);

    setFixedSeconds(4242);
    reseed(4242);
    const int r = draw() % 12;
    reseed(99);  // whatever the generator did before, the voyage reseeds from the clock
    game.raftState = 13;
    screen.typeText("yes");
    screen.typeText("");
    output();
    setSail();
    std::string text = output();
    EXPECT_EQ(text.find(kEscape) != std::string::npos, r < 9) << "r = " << r;
    EXPECT_EQ(text.find(kReturn) != std::string::npos, r >= 9) << "r = " << r;
}

TEST_F(SailTest, PassengersWeighTheRaftDown) {
    const std::vector<std::string> four{"a", "b", "c", "d"}, five{"a", "b", "c", "d", "e"};
    EXPECT_EQ(classify(voyage(20, 11, four)), Outcome::Escape);
    EXPECT_EQ(classify(voyage(20, 10, five)), Outcome::Escape);
    EXPECT_EQ(classify(voyage(20, 11, five)), Outcome::Return);
    game.islanders[1].name = "Mary";
    game.islanders[1].currentRoom = &here();
    EXPECT_EQ(outcome(7, 2, "mary"), Outcome::Return);  // 7 > 2 + 2 but not > 2 + 5
    EXPECT_EQ(outcome(7, 1, "mary"), Outcome::Escape);
}

TEST_F(SailTest, NamesAreThankedOrMournedExactlyAsTyped) {
    EXPECT_EQ(voyage(20, 0, splitPassengers("mary,,bob,")),
              kEscape + "/yCongratulations, you have saved mary.\n/yCongratulations, you have saved bob.\n/s");
    EXPECT_EQ(voyage(1, 0, splitPassengers("mary, Big Bob")),
              kDeath + "/rSadly mary has passed away with you.\n/rSadly Big Bob has passed away with you.\n/s")
        << "one blank, the name trimmed";
    EXPECT_EQ(sail(20, 0, "Big Bob"), "/wThere is nobody called Big Bob on the island.\n" + kEscape + "/s")
        << "a name typed at the prompt must be someone standing here";
}

// Only living islanders standing with the player go aboard, spelt as the
// table spells them; every other name is told why not; "no" is nobody (and
// is never completed to a command).
TEST_F(SailTest, OnlyLivingIslandersStandingHereComeAboard) {
    const char* names[] = {"Dog", "Mary", "Luke", "Anna"};
    for (int i = 0; i < 4; ++i) {
        Npc& npc = game.islanders[static_cast<std::size_t>(i)];
        npc.name = names[i];
        npc.gender = 1;
        npc.currentRoom = i == 2 ? roomAt(1, 1) : &here();
    }
    game.islanders[3].gender = -1;
    EXPECT_EQ(sail(20, 0, "mary, luke ,anna,bob,dog,MARY"),
              "/wLuke is not here with you.\n/wAnna is dead and cannot come with you.\n"
              "/wThere is nobody called bob on the island.\n" + kEscape +
                  "/yCongratulations, you have saved Mary.\n/yCongratulations, you have saved Dog.\n/s");
    EXPECT_EQ(sail(1, 0, "Luke,Mary"),
              "/wLuke is not here with you.\n" + kDeath + "/rSadly Mary has passed away with you.\n/s");
    for (const char* nobody : {"no", "None", "nobody", ""}) EXPECT_EQ(sail(20, 0, nobody), kEscape + "/s") << nobody;
    // Alone the player escapes on a 7 with r = 2; one aboard makes it a return.
    EXPECT_EQ(outcome(7, 2, "no"), Outcome::Escape);
    EXPECT_EQ(sail(7, 2, "Bob"), "/wThere is nobody called Bob on the island.\n" + kEscape + "/s")
        << "an unknown name adds no weight";
    EXPECT_EQ(outcome(7, 2, "mary"), Outcome::Return);
}

TEST_F(SailTest, SplittingThePassengerLine) {
    EXPECT_EQ(splitPassengers(""), std::vector<std::string>{});
    EXPECT_EQ(splitPassengers(",,,"), std::vector<std::string>{});
    EXPECT_EQ(splitPassengers("mary,,bob,"), (std::vector<std::string>{"mary", "bob"}));
    EXPECT_EQ(splitPassengers(" a , b"), (std::vector<std::string>{"a", "b"})) << "names are trimmed";
    std::string crowd;
    for (int i = 0; i < 40; ++i) crowd += "p" + std::to_string(i) + ",";
    std::vector<std::string> names = splitPassengers(crowd);
    ASSERT_EQ(names.size(), kMaxPassengers);
    EXPECT_EQ(names.back(), "p28");
}

TEST_F(SailTest, YesInAnyCaseSailsAndAnythingElseSaysNothingWasDone) {
    for (const char* answer : {"no", "", "yes please", "yess", "n"}) {
        game.raftState = 20;
        screen.typeText(answer);
        output();
        setSail();
        EXPECT_EQ(output(), kWarning + kStayAshore) << answer;
        EXPECT_EQ(game.running, 1);
        screen.clearInput();
    }
    for (const char* answer : {"Yes", "YES", "y", "Y", "yes "}) {
        game.running = 1;
        screen.typeText(answer);
        screen.typeText("");
        queueDraws({0});
        output();
        setSail();
        EXPECT_EQ(output().rfind(kWarning + kPassengers + kEscape, 0), 0u) << answer;
        EXPECT_EQ(game.running, 0) << answer;
    }
}

TEST_F(SailTest, NoRaftNoVoyage) {
    takeFromInventory("junky raft");
    removeFromList(here().items, &raft());
    game.raftState = 7;
    screen.typeText("yes");
    setSail();
    EXPECT_EQ(output(), "You need a raft to set sail.\n");
    EXPECT_EQ(game.raftState, 7);
    EXPECT_EQ(game.running, 1);
}

TEST_F(SailTest, AReturnChangesNothing) {
    give("wood", 2);
    EXPECT_EQ(outcome(13, 11), Outcome::Return);
    EXPECT_EQ(game.raftState, 13);
    EXPECT_EQ(onFloor("junky raft"), 1);
    EXPECT_EQ(held("wood"), 2);
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));
}

TEST_F(SailTest, BothQuestionsWaitWithoutTheGameLock) {
    LockProbeConsole probe;
    setConsole(&probe);
    setUpConsole();
    probe.typeText("yes");
    probe.typeText("mary");
    queueDraws({0});
    game.raftState = 20;
    {
        std::lock_guard lock(gameLock());
        setSail();
        EXPECT_TRUE(gameLock().heldByThisThread());
    }
    EXPECT_GE(probe.reads, 2);
    EXPECT_FALSE(probe.askedUnderLock);
    EXPECT_EQ(game.running, 0);
    setConsole(&screen);
}

TEST_F(SailTest, UsingTheRaftItemSetsSail) {
    give("Junky Raft");
    screen.typeText("no");
    game.items[kRaftIndex].useHandler(" on sea");
    EXPECT_EQ(output(), kWarning + kStayAshore);
}
