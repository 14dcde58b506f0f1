// The course of a conversation: opening, choices, END lines, closing, and
// game time standing still meanwhile.
#include <chrono>

#include "ConversationFixture.h"
#include "clock/Clock.h"
#include "console/LineEditor.h"
#include "game/Commands.h"
#include "dialogue/Conversation.h"
#include "islanders/Islanders.h"
#include "game/Talk.h"
#include "game/Tick.h"
#include "world/Places.h"

namespace {

const char* kTester =
    "100\n20\n70\n"
    "DAY 1\n"
    "LABEL 0\n"
    "Hello <PLAYERNAME>.\n"
    "SKIP 1 [ha 5 to -2] A)  Hello yourself.\n"
    "SKIP -7 [] B)  Goodbye.\n"
    "\n"
    "LABEL 1\n"
    "How are you?\n"
    "SKIP 2 [] A)  Fine.\n"
    "SKIP 3 [] B)  Not fine.\n"
    "SKIP 4 [] C)  Whatever. {SHRUG}\n"
    "\n"
    "LABEL 2\n"
    "Glad to hear it.\n"
    "END4\n"
    "\n"
    "LABEL 3\n"
    "Too bad.\n"
    "END 4\n"
    "\n"
    "LABEL 4\n"
    "Whatever yourself.\n"
    "END\n"
    "\n"
    "LABEL 5\n"
    "Start over tomorrow.\n"
    "END0\n"
    "\n"
    "LABEL 6\n"
    "I have nothing more.\n"
    "\n"
    "DAY2\n"
    "LABEL 0\n"
    "A new day, <PLAYERNAME>.\n"
    "SKIP -1 [] A)  Bye.\n"
    "\n"
    "LABEL 999\n"
    "Leave me be.\n"
    "END\n";

const char* kInvalidChoice = "/c\nYou must enter a valid choice.\n";

}  // namespace

class TalkTest : public ConversationTest {
protected:
    Npc* alex = nullptr;
    std::string room;

    void SetUp() override {
        ConversationTest::SetUp();
        writeScript("Tester", kTester);
        alex = &placeIslander(1, "Alex", "Tester");
        room = roomView();
        game.tick = 100;
    }
    // Opens a conversation at the given label and forgets what it printed.
    void openAt(int label) {
        alex->scriptLabel = label;
        startConversation(*alex);
        output();
    }
};

TEST_F(TalkTest, OpeningShowsTheNodeAndStopsTime) {
    startConversation(*alex);
    EXPECT_EQ(output(),
              "/YAlex says, \"Hello Sam.\"\n\n"
              "/R A)  Hello yourself.\n"
              "/R B)  Goodbye.\n");
    EXPECT_EQ(game.clockRunning, 0);
    EXPECT_EQ(game.talkingTo, alex);
    EXPECT_EQ(game.optionCount, 2);
    EXPECT_EQ(inputLimit(), 1 + 3);
    advanceOneTick();
    advanceOneTick();
    EXPECT_EQ(game.tick, 100);
}

TEST_F(TalkTest, ChoicesTakeLettersInEitherCase) {
    startConversation(*alex);
    output();
    conversationChoice("a");
    EXPECT_EQ(output(),
              "/WYou say, \" Hello yourself.\"\n\n"
              "/YAlex says, \"How are you?\"\n\n"
              "/R A)  Fine.\n/R B)  Not fine.\n/R C)  Whatever. \n");
    EXPECT_EQ(alex->scriptLabel, 1);
    EXPECT_EQ(game.optionCount, 3);
    EXPECT_DOUBLE_EQ(alex->moodRate, 0.198);
    conversationChoice("C");
    std::string out = output();
    EXPECT_EQ(out.rfind("Alex shrugs nonchalantly.\n/WYou say, \" Whatever. \"\n\n/YAlex says, \"Whatever yourself.\"\n\n", 0), 0u)
        << out;
    EXPECT_DOUBLE_EQ(alex->moodRate, 0.196);
}

TEST_F(TalkTest, InvalidChoicesChangeNothing) {
    startConversation(*alex);
    output();
    for (const char* line : {"c", "C", "1", " ", "?", "@", "north", "\xE9"}) {
        conversationChoice(line);
        EXPECT_EQ(output(), kInvalidChoice) << line;
    }
    conversationChoice("");
    EXPECT_EQ(output(), "");
    EXPECT_EQ(alex->scriptLabel, 0);
    EXPECT_EQ(game.clockRunning, 0);
    EXPECT_EQ(game.optionCount, 2);
    EXPECT_DOUBLE_EQ(alex->moodRate, 0.2);
}

TEST_F(TalkTest, EndWithNumberResumesThere) {
    openAt(1);
    conversationChoice("a");
    EXPECT_EQ(output(), "/WYou say, \" Fine.\"\n\n/YAlex says, \"Glad to hear it.\"\n\n" + room);
    EXPECT_EQ(alex->scriptLabel, 4);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(inputLimit(), 75 + 3);
    EXPECT_EQ(game.event.dueTick, 102);
    EXPECT_EQ(game.event.callback, &islanderReacts);
}

TEST_F(TalkTest, EndWithBlankOrAloneResumesAt999) {
    openAt(1);
    conversationChoice("b");  // END 4
    EXPECT_EQ(alex->scriptLabel, 999);
    EXPECT_EQ(game.clockRunning, 1);
    output();

    alex->scriptLabel = 4;  // END alone
    startConversation(*alex);
    EXPECT_EQ(output(), "/YAlex says, \"Whatever yourself.\"\n\n" + room);
    EXPECT_EQ(alex->scriptLabel, 999);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(game.event.callback, &islanderReacts);

    startConversation(*alex);  // 999 is found after the day's own labels
    EXPECT_EQ(output(), "/YAlex says, \"Leave me be.\"\n\n" + room);
    EXPECT_EQ(alex->scriptLabel, 999);
}

TEST_F(TalkTest, EndZeroStartsOverAtZero) {
    openAt(5);
    EXPECT_EQ(alex->scriptLabel, 0);
    EXPECT_EQ(game.clockRunning, 1);
}

TEST_F(TalkTest, NegativeNextLabelClosesAfterThePlayersLine) {
    startConversation(*alex);
    output();
    conversationChoice("b");
    EXPECT_EQ(output(), "/WYou say, \" Goodbye.\"\n\n" + room);
    EXPECT_EQ(alex->scriptLabel, 7);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(inputLimit(), 75 + 3);
}

TEST_F(TalkTest, TheNextMorningStartsAtTheNewDaysSection) {
    openAt(1);
    conversationChoice("a");
    EXPECT_EQ(alex->scriptLabel, 4);
    output();
    game.day = 2;
    alex->scriptLabel = 0;  // every morning
    startConversation(*alex);
    EXPECT_EQ(output(), "/YAlex says, \"A new day, Sam.\"\n\n/R A)  Bye.\n");
}

TEST_F(TalkTest, AMissingDayOrLabelClosesWithTheLabelUnchanged) {
    game.day = 3;
    startConversation(*alex);
    EXPECT_EQ(output(), room);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(alex->scriptLabel, 0);
    EXPECT_EQ(inputLimit(), 75 + 3);

    game.day = 1;
    alex->scriptLabel = 42;
    startConversation(*alex);
    EXPECT_EQ(output(), room);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(alex->scriptLabel, 42);
}

TEST_F(TalkTest, ANodeWithoutOptionsLetsThePlayerGo) {
    openAt(6);
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(alex->scriptLabel, 6);
}

TEST_F(TalkTest, TimeResumesWithoutLostTicks) {
    startConversation(*alex);
    for (int i = 0; i < 5; ++i) advanceOneTick();
    EXPECT_EQ(game.tick, 100);
    conversationChoice("b");
    EXPECT_EQ(game.tick, 100);
    EXPECT_EQ(game.event.dueTick, 102);  // the parting reaction, two ticks on
    advanceOneTick();
    EXPECT_EQ(game.tick, 101);
    advanceOneTick();
    EXPECT_EQ(game.tick, 102);
}

TEST_F(TalkTest, TheDispatcherOnlyTakesChoicesWhileOpen) {
    makeRoom(0, 7, "North");
    connectRooms(*roomAt(kWhereYouWoke), *roomAt(0, 7), North);
    startConversation(*alex);
    output();
    dispatchCommand("north");
    dispatchCommand("look");
    EXPECT_EQ(output(), std::string(kInvalidChoice) + kInvalidChoice);
    EXPECT_EQ(game.player.currentRoom, roomAt(kWhereYouWoke));
    setBusy(10, "You are busy.");
    dispatchCommand("A");  // an open conversation is answerable while busy
    EXPECT_EQ(alex->scriptLabel, 1);
    EXPECT_EQ(output().rfind("/WYou say, \" Hello yourself.\"", 0), 0u);
}

TEST_F(TalkTest, AnIslanderWithoutAScriptHasNothingToSay) {
    Npc& beth = placeIslander(2, "Beth", "Missing");
    startConversation(beth);
    EXPECT_EQ(output(), "Beth has nothing to say right now.\n");
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(game.talkingTo, nullptr);
}

TEST_F(TalkTest, AConversationNeverWritesIntoTheDataDirectory) {
    if (!scrambledScripts()) GTEST_SKIP() << "the codec cannot scramble yet";
    // Any file made and removed there, even for a moment, moves the
    // directory's time away from this one.
    const auto long_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    std::filesystem::last_write_time(dataDir, long_ago);
    startConversation(*alex);
    EXPECT_EQ(game.clockRunning, 0);
    conversationChoice("a");
    EXPECT_EQ(alex->scriptLabel, 1);
    EXPECT_FALSE(plainTwinExists("Tester"));
    EXPECT_TRUE(std::filesystem::last_write_time(dataDir) == long_ago) << "a file was made in the data directory";
}

TEST_F(TalkTest, TodaysMemorySubjectSpeaksFromTheMemoryScript) {
    writeScript("Memory",
                "DAY 1\nLABEL 0\nI remember <MEMORY>... <MEM-HE-SHE> was there.\nSKIP -3 [] A)  Go on.\n");
    game.memorySubject = alex;
    EXPECT_EQ(scriptPathsFor(*alex).plain, "Data/Memory.txt");
    startConversation(*alex);
    EXPECT_EQ(output(), "/YAlex says, \"I remember Alex... he was there.\"\n\n/R A)  Go on.\n");
    conversationChoice("a");
    EXPECT_EQ(alex->scriptLabel, 3);
    if (scrambledScripts()) {
        EXPECT_FALSE(plainTwinExists("Memory"));
        EXPECT_TRUE(std::filesystem::exists(dataDir / "Memory.mox"));
    }

    // Anyone else, or nobody picked (the Dog), speaks from the personality.
    Npc& beth = placeIslander(2, "Beth", "Tester");
    EXPECT_EQ(scriptPathsFor(beth).plain, "Data\\Tester.txt");
    EXPECT_EQ(scriptPathsFor(beth).scrambled, "Data\\Tester.mox");
    game.memorySubject = &game.islanders[0];
    game.islanders[0].personalityFile = "Data\\Dog.txt";
    EXPECT_EQ(scriptPathsFor(game.islanders[0]).plain, "Data\\Dog.txt");
    EXPECT_EQ(scriptPathsFor(*alex).plain, "Data\\Tester.txt");
}

TEST_F(TalkTest, AnApproachOpensOnlyWithTheIslanderStillThere) {
    game.talkingTo = alex;
    resumeConversation();
    EXPECT_EQ(game.clockRunning, 0);
    EXPECT_EQ(output().rfind("\n/k@Y Alex comes up to talk to you. Answer with a letter. @k/w\n/YAlex says, \"Hello Sam.\"", 0), 0u)
        << "an approach stands out before the islander's first line";
    conversationChoice("b");
    output();

    alex->scriptLabel = 0;
    game.player.currentRoom = roomAt(0, 9);
    resumeConversation();  // the player walked away meanwhile
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(output(), "");

    game.player.currentRoom = roomAt(kWhereYouWoke);
    alex->gender = -1;
    resumeConversation();
    EXPECT_EQ(game.clockRunning, 1);
    game.talkingTo = nullptr;
    resumeConversation();
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(output(), "");
}

TEST_F(TalkTest, TalkingToNoOneOrYourself) {
    talkCommand(nullptr);
    talkCommand("");
    EXPECT_EQ(output(), "You carry on a short conversation with no one.\n"
                        "You carry on a short conversation with no one.\n");
    talkCommand("me");
    talkCommand("to me");
    talkCommand("sam");
    talkCommand("SAM");
    EXPECT_EQ(output(), std::string() +
                            "You carry on a short conversation with yourself.\n"
                            "You carry on a short conversation with yourself.\n"
                            "You carry on a short conversation with yourself.\n"
                            "You carry on a short conversation with yourself.\n");
    talkCommand("zed");
    EXPECT_EQ(output(), "There's no one by that name here.\n");
    EXPECT_EQ(game.clockRunning, 1);
}

namespace {
// Counts how often keys typed ahead are thrown away.
class TypeAheadConsole : public MemoryConsole {
public:
    int discarded = 0;
    void discardTypeAhead() override { ++discarded; }
};
}  // namespace

TEST_F(TalkTest, ClosingAConversationDiscardsKeysTypedAhead) {
    TypeAheadConsole counting;
    setConsole(&counting);
    openAt(0);
    EXPECT_EQ(counting.discarded, 0) << "an open conversation keeps its keys";
    conversationChoice("a");
    EXPECT_EQ(counting.discarded, 0);
    conversationChoice("b");  // END 4 closes
    EXPECT_EQ(counting.discarded, 1);
    setConsole(&screen);
}
