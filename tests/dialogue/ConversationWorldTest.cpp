// Conversations in the running world: finding islanders by name, their
// moods changing with the player's answers, and islanders walking off.
#include "ConversationFixture.h"
#include "clock/Clock.h"
#include "game/Commands.h"
#include "dialogue/Conversation.h"
#include "islanders/Islanders.h"
#include "game/Talk.h"
#include "game/Tick.h"
#include "game/Wandering.h"
#include "world/Places.h"

namespace {

const char* kMoody =
    "100\n20\n70\n"
    "DAY 1\n"
    "LABEL 0\n"
    "How do you feel?\n"
    "SKIP 1 [ha 5 to -2] A)  Happy.\n"
    "SKIP 1 [to 200 ha -10] B)  Patient, then sad.\n"
    "SKIP 1 [ha -10 to 200] C)  Sad, then patient.\n"
    "SKIP 2 [ho 6] D)  Cross. {LEAVEROOM}\n"
    "\n"
    "LABEL 1\n"
    "I see.\n"
    "END\n"
    "\n"
    "LABEL 2\n"
    "Then I am off. {LEAVEROOM}\n"
    "END\n";

}  // namespace

class TalkInWorldTest : public ConversationTest {
protected:
    Npc* alex = nullptr;

    void SetUp() override {
        ConversationTest::SetUp();
        shapeIsland();  // islanders walk off among the rooms of their area
        writeScript("Moody", kMoody);
        alex = &placeIslander(1, "Alex", "Moody");
        alex->happiness = 40;
        alex->hostility = 20;
    }
};

TEST_F(TalkInWorldTest, TalkFindsTheIslanderByNameInAnyCase) {
    for (const char* line : {"talk to alex", "talk ALEX", "TALK Alex", "talk to aLeX"}) {
        alex->scriptLabel = 0;
        dispatchCommand(line);
        EXPECT_EQ(game.clockRunning, 0) << line;
        EXPECT_EQ(game.talkingTo, alex);
        EXPECT_EQ(output().rfind("/YAlex says, \"How do you feel?\"\n\n/R A)  Happy.\n", 0), 0u) << line;
        dispatchCommand("a");  // closes
        output();
    }
}

TEST_F(TalkInWorldTest, IslandersElsewhereAreNotHere) {
    placeIslander(2, "Beth", "Moody", 0, 9);
    dispatchCommand("talk beth");
    EXPECT_EQ(output(), "There's no one by that name here.\n");
    dispatchCommand("talk al");
    EXPECT_EQ(output(), "There's no one by that name here.\n");
    EXPECT_EQ(game.clockRunning, 1);
}

TEST_F(TalkInWorldTest, MoodChangesApplyInTheirWrittenOrder) {
    startConversation(*alex);
    conversationChoice("a");
    EXPECT_DOUBLE_EQ(alex->happiness, 45);
    EXPECT_DOUBLE_EQ(alex->tolerance, 98);

    alex->scriptLabel = 0;
    alex->tolerance = 100;
    startConversation(*alex);
    conversationChoice("b");  // tolerance 300 first: the sadness is damped by 3
    EXPECT_DOUBLE_EQ(alex->happiness, 45 - 10.0 / 3);

    alex->scriptLabel = 0;
    alex->tolerance = 100;
    alex->happiness = 45;
    startConversation(*alex);
    conversationChoice("c");  // sadness first, undamped
    EXPECT_DOUBLE_EQ(alex->happiness, 35);
    EXPECT_DOUBLE_EQ(alex->tolerance, 300);
}

TEST_F(TalkInWorldTest, LeaveRoomGoesToTheNextRoomOrBackFromTheLast) {
    struct Case {
        int area, from, to;
    } cases[] = {{0, 14, 13}, {0, 3, 4}, {0, 0, 1}, {11, 7, 6}, {8, 21, 22}};
    for (const Case& c : cases) {
        Npc& beth = placeIslander(2, "Beth", "Moody", c.area, c.from);
        runScriptAction("Bye. {LEAVEROOM}", beth);
        ASSERT_NE(beth.currentRoom, nullptr);
        EXPECT_EQ(beth.currentRoom->area, c.area);
        EXPECT_EQ(beth.currentRoom->number, c.to) << c.area << "/" << c.from;
        EXPECT_EQ(countInList(roomAt(c.area, c.to)->occupants, &beth), 1u);
        EXPECT_EQ(countInList(roomAt(c.area, c.from)->occupants, &beth), 0u);
        removeFromList(roomAt(c.area, c.to)->occupants, &beth);
    }
}

TEST_F(TalkInWorldTest, LeaveRoomInAOneRoomAreaStaysPut) {
    Npc& beth = placeIslander(2, "Beth", "Moody", 12, 0);
    runScriptAction("{LEAVEROOM}", beth);
    EXPECT_EQ(beth.currentRoom, roomAt(kLaboratory));
    EXPECT_EQ(countInList(roomAt(kLaboratory)->occupants, &beth), 1u);
}

TEST_F(TalkInWorldTest, TheIslanderWalksOffAtTheEndOfTheConversation) {
    startConversation(*alex);
    output();
    conversationChoice("d");  // the option's action, then the node's own
    std::string out = output();
    EXPECT_EQ(out.rfind("Alex leaves the room.\n/WYou say, \" Cross. \"\n\n", 0), 0u) << out;
    EXPECT_EQ(alex->currentRoom, roomAt(0, 10));  // 8 -> 9 -> 10
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_EQ(alex->scriptLabel, 999);
    EXPECT_DOUBLE_EQ(alex->hostility, 26);
}

TEST_F(TalkInWorldTest, TheDogDisappearsIntoTheLaboratory) {
    Npc& dog = game.islanders[0];
    dog.currentRoom = roomAt(kWhereYouWoke);
    addToList(roomAt(kWhereYouWoke)->occupants, &dog);
    runScriptAction("Woof. {DOGDISAPPEAR}{LEAVEROOM}", *alex);
    EXPECT_EQ(dog.currentRoom, roomAt(kLaboratory));
    EXPECT_EQ(alex->currentRoom, roomAt(kWhereYouWoke));  // only the first action runs
    EXPECT_EQ(output(), "Dog leaves the room.\n");
}

TEST_F(TalkInWorldTest, AnIslanderWhoWalksUpIsAnsweredDuringABusyPeriod) {
    alex->happiness = 60;
    removeFromList(roomAt(kWhereYouWoke)->occupants, alex);
    alex->currentRoom = roomAt(0, 3);
    addToList(roomAt(0, 3)->occupants, alex);
    game.tick = 300;
    setBusy(20, "You are busy sharpening.");
    moveIslanders(1);
    ASSERT_EQ(alex->currentRoom, roomAt(kWhereYouWoke));
    EXPECT_EQ(game.event.callback, &resumeConversation);
    advanceOneTick();  // the tick after the approach opens the conversation
    EXPECT_EQ(game.tick, 301);
    EXPECT_EQ(game.clockRunning, 0);
    EXPECT_NE(output().find("/YAlex says, \"How do you feel?\"\n\n"), std::string::npos);

    advanceOneTick();
    EXPECT_EQ(game.tick, 301);  // the busy period cannot run out meanwhile
    dispatchCommand("b");
    EXPECT_EQ(game.clockRunning, 1);
    EXPECT_NE(output().find("/WYou say, \" Patient, then sad.\"\n\n"), std::string::npos);
    dispatchCommand("look");
    EXPECT_EQ(output(), "You are busy sharpening.\n");  // once closed, the busy period holds again
}
