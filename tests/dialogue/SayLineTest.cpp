// Spoken lines: frames, tokens, the line length, and the emote actions.
#include <string>

#include "TestSupport.h"
#include "dialogue/Conversation.h"

class SayLineTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        const char* names[] = {"Dog", "Alex", "Beth", "Carl", "Fran", "Jose", "Tom", "Luke", "Monica"};
        for (int i = 0; i < kIslanderCount; ++i) {
            Npc& npc = game.islanders[static_cast<std::size_t>(i)];
            npc.name = names[i];
            npc.npcIndex = i;
            npc.gender = i == 2 || i == 4 || i == 8 ? 2 : (i == 0 ? 0 : 1);
        }
        game.murderer = &game.islanders[1];
        game.memorySubject = &game.islanders[0];
    }
    Npc& npc(int i) { return game.islanders[static_cast<std::size_t>(i)]; }
    std::string said(char speaker, const char* text, int speakerIndex = 3) {
        sayLine(speaker, text, npc(speakerIndex));
        return output();
    }
};

TEST_F(SayLineTest, FramesByLetter) {
    EXPECT_EQ(said('Y', "Nice day."), "/YCarl says, \"Nice day.\"\n\n");
    EXPECT_EQ(said('W', "Indeed."), "/WYou say, \"Indeed.\"\n\n");
    EXPECT_EQ(said('R', " A)  Indeed."), "/R A)  Indeed.\n");
    EXPECT_EQ(said('c', "bare"), "/cbare\n");
}

TEST_F(SayLineTest, OnlyTheFirstOccurrenceOfATokenIsReplaced) {
    EXPECT_EQ(said('Y', "Hello <PLAYERNAME>, <PLAYERNAME>!", 1), "/YAlex says, \"Hello Sam, <PLAYERNAME>!\"\n\n");
}

TEST_F(SayLineTest, TokensNeedBothAngleBrackets) {
    EXPECT_EQ(said('R', "<PLAYERNAME and <NPCNAME"), "/R<PLAYERNAME and <NPCNAME\n");
    EXPECT_EQ(said('R', "PLAYERNAME> and NPCNAME>"), "/RPLAYERNAME> and NPCNAME>\n");
}

TEST_F(SayLineTest, EveryTokenInOneLine) {
    game.memorySubject = &npc(4);
    game.lastVictim = &npc(6);
    EXPECT_EQ(said('R', "<NPCNAME>|<PLAYERNAME>|<MEMORY>|<MEM-HE-SHE>|<OTHERNPC>|<DEADGUY>|<MURDERER>", 3),
              "/RCarl|Sam|Fran|she|Tom|Tom|Alex\n");
}

TEST_F(SayLineTest, TheMurdererNamesSomeoneElse) {
    EXPECT_EQ(said('R', "It was <MURDERER>.", 1), "/RIt was Fran.\n");  // 1 + 3
    EXPECT_EQ(said('R', "It was <MURDERER>.", 5), "/RIt was Alex.\n");
    game.murderer = nullptr;
    EXPECT_EQ(said('R', "It was <MURDERER>.", 5), "/RIt was nobody.\n");
}

TEST_F(SayLineTest, OtherIslanderWrapsAroundTheTable) {
    EXPECT_EQ(said('R', "<OTHERNPC>", 5), "/RMonica\n");
    EXPECT_EQ(said('R', "<OTHERNPC>", 6), "/RAlex\n") << "the Dog is passed over";
    EXPECT_EQ(said('R', "<OTHERNPC>", 7), "/RAlex\n");
    EXPECT_EQ(said('R', "<OTHERNPC>", 8), "/RBeth\n");
    game.murderer = &npc(8);
    EXPECT_EQ(said('R', "<MURDERER>", 8), "/RBeth\n");
}

// Every speaker, with every set of the eight humans dead: another islander
// named is alive, not the Dog, not the speaker, and the one three places on
// whenever that one qualifies; "someone" only when nobody does. The
// murderer is named as such by everyone else, dead or alive.
TEST_F(SayLineTest, NamedIslandersAreAlwaysLivingOthers) {
    for (unsigned dead = 0; dead < 256; ++dead) {
        for (int i = 1; i < kIslanderCount; ++i) npc(i).gender = (dead >> (i - 1)) & 1 ? -1 : 1;
        for (int speaker = 0; speaker < kIslanderCount; ++speaker) {
            const std::string named = said('R', "<OTHERNPC>", speaker);
            const Npc* qualifying[kIslanderCount] = {};
            int count = 0;
            for (int i = 1; i < kIslanderCount; ++i)
                if (i != speaker && npc(i).alive()) qualifying[count++] = &npc(i);
            const int threeOn = (speaker + 3) % kIslanderCount;
            if (count == 0) {
                EXPECT_EQ(named, "/Rsomeone\n") << dead << " " << speaker;
            } else if (threeOn != 0 && threeOn != speaker && npc(threeOn).alive()) {
                EXPECT_EQ(named, "/R" + npc(threeOn).name.str() + "\n") << dead << " " << speaker;
            } else {
                bool living = false;
                for (int k = 0; k < count; ++k) living = living || named == "/R" + qualifying[k]->name.str() + "\n";
                EXPECT_TRUE(living) << named << " " << dead << " " << speaker;
            }
            const std::string accused = said('R', "<MURDERER>", speaker);
            const std::string expected = speaker == 1 ? named : "/RAlex\n";
            EXPECT_EQ(accused, expected) << "the murderer points elsewhere; others name him " << dead << " " << speaker;
        }
    }
}

TEST_F(SayLineTest, MemorySubjectPronounAndName) {
    EXPECT_EQ(said('R', "<MEMORY> <MEM-HE-SHE>"), "/RDog he\n");  // the Dog stands in before a subject is picked
    game.memorySubject = &npc(3);
    EXPECT_EQ(said('R', "<MEMORY> <MEM-HE-SHE>"), "/RCarl he\n");
    game.memorySubject = &npc(2);
    EXPECT_EQ(said('R', "<MEMORY> <MEM-HE-SHE>"), "/RBeth she\n");
    game.memorySubject = nullptr;
    EXPECT_EQ(said('R', "<MEMORY> <MEM-HE-SHE>"), "/RDog she\n");
}

TEST_F(SayLineTest, NobodyHasDiedYet) {
    EXPECT_EQ(said('R', "Poor <DEADGUY>."), "/RPoor nobody.\n");
    game.lastVictim = &npc(7);
    EXPECT_EQ(said('R', "Poor <DEADGUY>."), "/RPoor Luke.\n");
}

TEST_F(SayLineTest, LongLinesAreCutToTheLineBuffer) {
    std::string longText(600, 'x');
    std::string out = said('Y', longText.c_str());
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out.size(), 2u + 511u + 1u);  // "/Y", 511 bytes of line, "\n"
    EXPECT_EQ(out.substr(0, 15), "/YCarl says, \"x");

    // A replacement near the end cannot push the line past the buffer.
    game.player.name = "Samuel-the-Magnificent";
    std::string nearEnd = std::string(495, 'y') + "<PLAYERNAME>";
    out = said('R', nearEnd.c_str());
    EXPECT_EQ(out.size(), 2u + 511u + 1u);
    EXPECT_EQ(out.substr(2 + 495), "Samuel-the-Magni\n");  // the name is cut where the buffer ends
}

TEST_F(SayLineTest, FirstKeywordInTableOrderWins) {
    runScriptAction("I feel... {CRY}{LAUGH}", npc(2));
    EXPECT_EQ(output(), "Beth laughs.\n");
    runScriptAction("{LAUGHS}", npc(2));
    EXPECT_EQ(output(), "Beth laughs.\n");
    runScriptAction("SIGH first {HUG}", npc(2));  // keywords count only after the brace
    EXPECT_EQ(output(), "Beth gives you a hug.\n");
    runScriptAction("no action here LAUGH", npc(2));
    runScriptAction("{laugh}", npc(2));  // upper case only
    runScriptAction("{", npc(2));
    runScriptAction("", npc(2));
    EXPECT_EQ(output(), "");
}

TEST_F(SayLineTest, EmoteMessages) {
    struct Case {
        const char* keyword;
        const char* message;
    } cases[] = {
        {"{SIGH}", "Carl sighs sadly.\n"},
        {"{LAUGH}", "Carl laughs.\n"},
        {"{SHRUG}", "Carl shrugs nonchalantly.\n"},
        {"{DANCE}", "Carl dances in an almost silly manner.\n"},
        {"{HUG}", "Carl gives you a hug.\n"},
        {"{CRY}", "Carl cries sadly.\n"},
    };
    for (const Case& c : cases) {
        runScriptAction(c.keyword, npc(3));
        EXPECT_EQ(output(), c.message) << c.keyword;
    }
}

// The Depressed and the Nerd draw from the names of either sex, and a dead
// islander has no gender left: the name drawn tells the pronoun.
TEST_F(SayLineTest, ThePronounFollowsTheNameDrawn) {
    npc(7).gender = 0;  // Luke
    game.memorySubject = &npc(7);
    EXPECT_EQ(said('R', "<MEMORY> says <MEM-HE-SHE> remembers"), "/RLuke says he remembers\n");
    npc(8).gender = 0;  // Monica
    game.memorySubject = &npc(8);
    EXPECT_EQ(said('R', "<MEMORY> says <MEM-HE-SHE> remembers"), "/RMonica says she remembers\n");
    npc(3).gender = -1;  // Carl, killed in the night
    game.memorySubject = &npc(3);
    EXPECT_EQ(said('R', "<MEM-HE-SHE>"), "/Rhe\n");
}
