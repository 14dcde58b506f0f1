#include "TestSupport.h"

#include <algorithm>
#include <vector>

#include "clock/Clock.h"
#include "game/Days.h"
#include "game/MorningTexts.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"
#include "world/RoomPhrase.h"

namespace {

const char* kMurderText =
    "In the middle of the night you wake up to footsteps coming near you.  You open your eyes but all you can make "
    "out is the outline of a dark figure.  The figure whispers something that you could not make out and before you "
    "can react the figure jumps on top of you.  The figure pulls from the darkness a knife and kills you in cold "
    "blood. And then the island explodes.\n";
const char* kGreyThanks = "Thanks for playing!  Team Tidewright hopes you enjoyed BRINEFALL!\n";
const char* kStarvedText =
    "/RYou don't wake up this morning.  You have starved to death.  Your bones will lie here for eternity. And then "
    "the island explodes.\n";
const char* kYellowThanks = "/YThanks for playing!  Team Tidewright hopes you enjoyed BRINEFALL!\n";
const char* kQuietNight = "/wNobody was killed in the night.\n";
constexpr int kSentinel = 7654321;

// The ending's own lines, then the credits, then a key pause.
::testing::AssertionResult isEnding(const std::string& text, const std::string& lines) {
    if (!text.starts_with(lines)) return ::testing::AssertionFailure() << "does not start with the ending: " << text;
    if (text.find("/G Team...\n", lines.size()) == std::string::npos)
        return ::testing::AssertionFailure() << "no credits: " << text;
    if (!text.ends_with("/s")) return ::testing::AssertionFailure() << "no key pause at the end: " << text;
    return ::testing::AssertionSuccess();
}

}  // namespace

class DaysTest : public GameTest {
protected:
    Npc& murderer = game.islanders[1];

    void SetUp() override {
        GameTest::SetUp();
        Room& camp = makeRoom(6, 13, "Camp", "Tents.");
        makeRoom(1, 6, "Cove", "A cove.");
        makeItem(33, "crate", "A crate marked EAC.", 0);
        makeItem(34, "note", "A water-damaged note.");
        const char* names[] = {"Dog", "Tim", "Ann", "Bob", "Eve", "Joe", "Kim", "Lou", "Max"};
        for (int i = 0; i < kIslanderCount; ++i) {
            Npc& npc = game.islanders[static_cast<std::size_t>(i)];
            npc.name = names[i];
            npc.gender = 1;
            npc.hostility = npc.happiness = 50;
            npc.currentRoom = &camp;
            addToList(camp.occupants, &npc);
        }
        game.islanderCount = kIslanderCount;
        game.murderer = &murderer;
        game.memorySubject = &game.islanders[0];
    }
    void makeMurderous(double hostility = 65.0, double happiness = 35.0) {
        murderer.hostility = hostility;
        murderer.happiness = happiness;
    }
    // Runs the tick that begins the given day.
    std::string beginDay(int day) {
        game.day = day - 1;
        game.tick = (day - 1) * kTicksPerDay;
        onTick();
        return output();
    }
};

TEST_F(DaysTest, OpeningSceneTellsTheWakingAndLaysTheBody) {
    Room& wreck = makeRoom(7, 5, "Wreck Beach", "Driftwood lies about.");
    openingScene();
    std::string text = output();
    EXPECT_TRUE(text.starts_with("\nYou slowly wake up to the sound of waves lapping on a beach. It feels almost"));
    EXPECT_NE(text.find("lying on the beach of a tropical island.  You see a lush jungle"), std::string::npos);
    EXPECT_TRUE(text.ends_with("feel for the island and see what is going on here.  Good luck.\n\n"));
    EXPECT_EQ(wreck.description.view(),
              "Driftwood lies about. A man's body lies motionless in the sand. He looks like some sort of scientist.");
}

TEST_F(DaysTest, EachMorningHasItsOwnText) {
    EXPECT_EQ(beginDay(2),
              "\nYou wake up this morning to the sound of thunder.  The sky above is grey and, although it is not "
              "raining, the weather looks as though it could not get much worse.\n");
    std::string day12 = beginDay(12);
    EXPECT_NE(day12.find("the crate appeared with that weird \"EAC\" symbol on the side"), std::string::npos);
    EXPECT_TRUE(day12.ends_with("major events of your time on the island, but what do they all mean?\n"
                                "/wNobody was killed in the night.\n"));
    EXPECT_TRUE(beginDay(16).starts_with("\nThe wind was whipping and rain falling all night so you got no rest."));
    for (int day = 2; day <= 16; ++day) {
        ASSERT_NE(morningText(day), nullptr) << day;
        EXPECT_EQ(morningText(day)[0], '\n') << day;
        for (int other = 2; other < day; ++other) EXPECT_STRNE(morningText(day), morningText(other));
    }
    EXPECT_EQ(morningText(1), nullptr);
    EXPECT_EQ(morningText(17), nullptr);
    EXPECT_EQ(beginDay(20), "");  // only reachable by the day skip: no morning at all
    EXPECT_EQ(game.day, 20);
    EXPECT_EQ(game.running, 1);
}

TEST_F(DaysTest, CrateOnDayFourAndNoteOnDaySix) {
    beginDay(4);
    EXPECT_EQ(countInList(roomAt(6, 13)->items, &game.items[33]), 1u);
    EXPECT_TRUE(roomAt(1, 6)->items.empty());
    beginDay(5);
    EXPECT_TRUE(roomAt(1, 6)->items.empty());
    beginDay(6);
    EXPECT_EQ(countInList(roomAt(1, 6)->items, &game.items[34]), 1u);
    EXPECT_EQ(countInList(roomAt(6, 13)->items, &game.items[33]), 1u);
}

TEST_F(DaysTest, MemorySubjectStaysOnMorningsWithoutAPick) {
    beginDay(4);
    Npc* dayFour = game.memorySubject;
    ASSERT_NE(dayFour, nullptr);
    for (int day : {5, 8, 11, 12, 13, 16}) {
        beginDay(day);
        EXPECT_EQ(game.memorySubject, dayFour) << day;
    }
}

TEST_F(DaysTest, MurderStrikesAtExactlyTheThresholds) {
    makeMurderous(65.0, 35.0);
    queueDraws({0});
    EXPECT_TRUE(nightMurder());
    EXPECT_EQ(game.running, 0);
    EXPECT_TRUE(isEnding(output(), std::string(kMurderText) + kGreyThanks));
}

TEST_F(DaysTest, MurderHoldsBackJustInsideTheThresholds) {
    for (auto [hostility, happiness] : {std::pair{64.9, 35.0}, std::pair{65.0, 35.1}, std::pair{20.0, 80.0}}) {
        makeMurderous(hostility, happiness);
        queueDraws({0});
        EXPECT_FALSE(nightMurder());
        EXPECT_EQ(game.running, 1);
        EXPECT_EQ(draw(), 0) << "no draw was made";
    }
    EXPECT_EQ(output(), "");
}

TEST_F(DaysTest, HandcuffedOrDeadMurdererNeverStrikes) {
    makeMurderous(99.0, 0.0);
    game.handcuffedIslander = &murderer;
    queueDraws({0});
    EXPECT_FALSE(nightMurder());
    EXPECT_EQ(draw(), 0);
    game.handcuffedIslander = &game.islanders[3];
    murderer.gender = -1;
    queueDraws({0});
    EXPECT_FALSE(nightMurder());
    EXPECT_EQ(draw(), 0);
    game.murderer = nullptr;
    EXPECT_FALSE(nightMurder());
    EXPECT_EQ(game.running, 1);
}

TEST_F(DaysTest, PlayersChanceIsOneInIslandersPlusOne) {
    makeMurderous();
    queueDraws({3});  // 3 % 10: an islander, not the player
    EXPECT_FALSE(nightMurder());
    EXPECT_EQ(game.running, 1);
    clearQueuedDraws();
    murderer.gender = 1;  // he may have drawn himself
    queueDraws({game.islanderCount + 1});  // a multiple of islanderCount + 1 is the player
    EXPECT_TRUE(nightMurder());
    game.running = 1;
    game.islanderCount = 4;
    queueDraws({5});
    EXPECT_TRUE(nightMurder());
    EXPECT_EQ(game.running, 0);
}

TEST_F(DaysTest, MurderBeginsOnDayFour) {
    makeMurderous();
    queueDraws({0});  // would be the player, were there a night murder
    std::string text = beginDay(3);
    EXPECT_EQ(game.running, 1);
    EXPECT_EQ(text.find("In the middle of the night"), std::string::npos);
    EXPECT_NE(text.find(morningText(3)), std::string::npos);
}

TEST_F(DaysTest, MurderedPlayerSeesNoMorning) {
    makeMurderous();
    queueDraws({0, kSentinel});
    std::string text = beginDay(4);
    EXPECT_EQ(game.running, 0);
    EXPECT_TRUE(isEnding(text, std::string(kMurderText) + kGreyThanks));
    EXPECT_TRUE(roomAt(6, 13)->items.empty()) << "no crate: the morning never came";
    EXPECT_EQ(draw(), kSentinel) << "nothing else happens on that tick";
}

TEST_F(DaysTest, StarvationWhenDaySeventeenBegins) {
    game.day = 16;
    game.tick = 3839;
    ++game.tick;
    onTick();
    EXPECT_EQ(game.tick, 3840);
    EXPECT_EQ(game.day, 17);
    EXPECT_EQ(game.running, 0);
    EXPECT_TRUE(isEnding(output(), std::string(kStarvedText) + kYellowThanks));
}

TEST_F(DaysTest, MurderOnTheLastNightComesBeforeStarvation) {
    makeMurderous();
    queueDraws({0});
    std::string text = beginDay(17);
    EXPECT_EQ(game.running, 0);
    EXPECT_TRUE(isEnding(text, std::string(kMurderText) + kGreyThanks));
}
TEST_F(DaysTest, DayThreeKillsALivingHumanIslander) {
    makeItem(40, "Corpse of", "The body of");
    std::string text = beginDay(3);
    EXPECT_EQ(game.islanderCount, kIslanderCount - 1);
    ASSERT_NE(game.lastVictim, nullptr);
    EXPECT_NE(game.lastVictim, &game.islanders[0]);
    EXPECT_FALSE(game.lastVictim->alive());
    EXPECT_EQ(text, std::string(morningText(3)) + "/RIn the night " + game.lastVictim->name.str() +
                        " was killed. The body lies at the camp.\n");
}

// Night after night the morning tells the new death, and only a new one.
TEST_F(DaysTest, EachMorningAfterAKillingTellsWhoAndWhere) {
    makeItem(40, "Corpse of", "The body of");
    // Wandering takes the islanders anywhere in their areas: every room there has its name.
    for (int n = 0; n < 25; ++n) {
        if (roomAt(6, n)->name.empty()) makeRoom(6, n, ("Camp " + std::to_string(n)).c_str());
        if (roomAt(1, n)->name.empty()) makeRoom(1, n, ("Cove " + std::to_string(n)).c_str());
    }
    Room& cove = *roomAt(1, 6);
    for (int i = 2; i < kIslanderCount; i += 2) {
        Npc& npc = game.islanders[static_cast<std::size_t>(i)];
        removeFromList(npc.currentRoom->occupants, &npc);
        npc.currentRoom = &cove;
        addToList(cove.occupants, &npc);
    }
    auto deathLine = [] {
        const Npc& victim = *game.lastVictim;
        return "/RIn the night " + victim.name.str() + " was killed. The body lies at the " +
               toLower(victim.currentRoom->name.view()) + ".\n";
    };
    std::vector<const Npc*> told;
    for (int day = 3; day <= 9; ++day) {
        if (day % 2 == 0) makeMurderous(); else makeMurderous(0.0, 100.0);
        const Npc* before = game.lastVictim;
        const bool killing = day == 3 || (day % 2 == 0 && murderer.alive());
        queueDraws({3});  // never the player
        const std::string text = beginDay(day);
        if (!killing) {
            EXPECT_EQ(text, morningText(day) + std::string(kQuietNight)) << day;
            continue;
        }
        ASSERT_NE(game.lastVictim, before) << day;
        EXPECT_EQ(text, morningText(day) + deathLine()) << day;
        EXPECT_EQ(std::count(told.begin(), told.end(), game.lastVictim), 0) << "a death is told once";
        told.push_back(game.lastVictim);
    }
    EXPECT_GE(told.size(), 2u);
}

TEST_F(DaysTest, MurderOnANightThePlayerSurvives) {
    makeMurderous();
    queueDraws({4});
    EXPECT_FALSE(nightMurder());
    EXPECT_EQ(game.islanderCount, kIslanderCount - 1);
    ASSERT_NE(game.lastVictim, nullptr);
    EXPECT_FALSE(game.lastVictim->alive());
    EXPECT_EQ(output(), "");
}

TEST_F(DaysTest, SomeMorningsTurnTheTalkToAnotherIslandersMemory) {
    for (int day = 4; day <= 16; ++day) {
        Npc* before = game.memorySubject;
        beginDay(day);
        bool picks = day == 4 || day == 6 || day == 7 || day == 9 || day == 10 || day == 14 || day == 15;
        if (picks) {
            EXPECT_NE(game.memorySubject, before) << day;
            EXPECT_GE(game.memorySubject->npcIndex, 1) << day;
        } else {
            EXPECT_EQ(game.memorySubject, before) << day;
        }
    }
}

// Each morning from the fourth tells a quiet night, and while someone sits
// handcuffed, how they take it: the player can judge the wrists they chose.
TEST_F(DaysTest, MorningsTellQuietNightsAndTheHandcuffedIslander) {
    makeItem(40, "Corpse of", "The body of");
    for (int n = 0; n < 25; ++n)  // the islanders wander anywhere in the camp's area
        if (roomAt(6, n)->name.empty()) makeRoom(6, n, ("Camp " + std::to_string(n)).c_str());
    Npc& bob = game.islanders[3];
    murderer.personalityFile = "Data\\Angry.txt";
    bob.personalityFile = "Data\\Perky.txt";
    auto news = [&](int day, Npc* cuffed, std::vector<int> draws) {
        makeMurderous();
        game.handcuffedIslander = cuffed;
        queueDraws(draws);  // the murderer's draw (an islander, not the player), then 1 + draw % 8 dies
        return beginDay(day).substr(std::string_view(morningText(day)).size());
    };
    auto cuffLine = [](const Npc& npc, const char* takesIt) {  // they stay where the handcuffs went on
        return "/Y" + npc.name.str() + " is still handcuffed to the tree " + roomPhrase(*npc.currentRoom) +
               ", and " + takesIt + ".\n";
    };
    auto deathOnly = [](const std::string& text, const char* name) {
        return text.starts_with("/RIn the night " + std::string(name) + " was killed.") &&
               text.find('\n') == text.size() - 1;
    };
    murderer.gender = -1;  // a night nobody can die
    EXPECT_EQ(news(5, nullptr, {}), kQuietNight);
    murderer.gender = 1;
    EXPECT_TRUE(deathOnly(news(8, nullptr, {3, 3}), "Eve"));
    std::string timLine = cuffLine(murderer, "rattles the chain at you, swearing");
    EXPECT_EQ(news(11, &murderer, {}), kQuietNight + timLine);
    std::string bobLine = cuffLine(bob, "waves at you with both hands, since they come as a pair");
    std::string text = news(12, &bob, {3, 5});
    EXPECT_TRUE(deathOnly(text.substr(0, text.find('\n') + 1), "Kim"));
    EXPECT_EQ(text.substr(text.find('\n') + 1), bobLine);
    EXPECT_TRUE(deathOnly(news(13, &bob, {3, 2}), "Bob")) << "no line for a handcuffed victim";
}
