// The script reader on its own: headers, labels, options, END lines and
// malformed lines.
#include <gtest/gtest.h>

#include "dialogue/Script.h"

namespace {

const char* kTwoDays =
    "50\n20\n70\n"
    "DAY1\n"
    "LABEL 0\n"
    "Hello <PLAYERNAME>. {SIGH}\n"
    "SKIP 1 [ha 5 to -2] A)  Hi there. {LAUGH}\n"
    "SKIP -7 [] B)  Go away.\n"
    "\n"
    "LABEL 1\n"
    "Nice weather.\n"
    "END4\n"
    "DAY 2\n"
    "LABEL 0\n"
    "Day two.\n"
    "END 4\n"
    "LABEL 999\n"
    "Leave me be.\n"
    "END\n";

}  // namespace

TEST(ScriptReader, DayHeadersWithAndWithoutBlankAreFound) {
    ConversationScript script;
    script.openText(kTwoDays);
    ASSERT_TRUE(script.seekDay(1));
    EXPECT_EQ(script.nextLine(), "LABEL 0");
    ASSERT_TRUE(script.seekDay(2));
    EXPECT_EQ(script.nextLine(), "LABEL 0");
    EXPECT_FALSE(script.seekDay(3));
    EXPECT_EQ(script.nextLine(), std::nullopt);
    // seekDay rewinds, so an earlier day is found after a failed search.
    EXPECT_TRUE(script.seekDay(1));
}

TEST(ScriptReader, NodeWithOptionsAndChanges) {
    ConversationScript script;
    script.openText(kTwoDays);
    ASSERT_TRUE(script.seekDay(1));
    ASSERT_TRUE(script.seekLabel(0));
    ScriptNode node = script.readNode();
    EXPECT_EQ(node.islanderLine, "Hello <PLAYERNAME>. {SIGH}");
    EXPECT_EQ(node.spokenText, "Hello <PLAYERNAME>. ");
    EXPECT_FALSE(node.ends);
    ASSERT_EQ(node.options.size(), 2u);
    const ScriptOption& a = node.options[0];
    EXPECT_TRUE(a.hasNextLabel);
    EXPECT_EQ(a.nextLabel, 1);
    ASSERT_EQ(a.changes.size(), 2u);
    EXPECT_EQ(a.changes[0].key, "ha");
    EXPECT_EQ(a.changes[0].amount, 5);
    EXPECT_EQ(a.changes[1].key, "to");
    EXPECT_EQ(a.changes[1].amount, -2);
    EXPECT_EQ(a.shownText, " A)  Hi there. ");
    EXPECT_EQ(a.spokenText, " Hi there. ");
    const ScriptOption& b = node.options[1];
    EXPECT_EQ(b.nextLabel, -7);
    EXPECT_TRUE(b.changes.empty());
    EXPECT_EQ(b.spokenText, " Go away.");
}

TEST(ScriptReader, EndLinesGiveTheResumeLabel) {
    EXPECT_EQ(endResumeLabel("END4"), 4);
    EXPECT_EQ(endResumeLabel("END 4"), kEndWithoutLabel);
    EXPECT_EQ(endResumeLabel("END"), kEndWithoutLabel);
    EXPECT_EQ(endResumeLabel("END0"), 0);
    EXPECT_EQ(endResumeLabel("END12x"), 12);
    EXPECT_EQ(endResumeLabel("END99999999999999"), 100000000);  // clamped, no overflow

    ConversationScript script;
    script.openText(kTwoDays);
    ASSERT_TRUE(script.seekDay(1));
    ASSERT_TRUE(script.seekLabel(1));
    ScriptNode node = script.readNode();
    EXPECT_TRUE(node.options.empty());
    EXPECT_TRUE(node.ends);
    EXPECT_EQ(node.resumeLabel, 4);
}

TEST(ScriptReader, LabelSearchRunsForwardAcrossDaysAndStopsAtTheEnd) {
    ConversationScript script;
    script.openText(kTwoDays);
    ASSERT_TRUE(script.seekDay(1));
    ASSERT_TRUE(script.seekLabel(999));  // only written after day 2
    EXPECT_EQ(script.readNode().spokenText, "Leave me be.");
    ASSERT_TRUE(script.seekDay(2));
    EXPECT_FALSE(script.seekLabel(1));  // label 1 lies before day 2
    EXPECT_EQ(script.nextLine(), std::nullopt);
}

TEST(ScriptReader, MalformedLinesStayInsideTheLine) {
    ScriptOption shortLine = parseOption("SKIP");
    EXPECT_FALSE(shortLine.hasNextLabel);
    EXPECT_TRUE(shortLine.shownText.empty());
    EXPECT_TRUE(shortLine.spokenText.empty());

    ScriptOption noBracket = parseOption("SKIP 3 A)  text");
    EXPECT_EQ(noBracket.nextLabel, 3);
    EXPECT_TRUE(noBracket.changes.empty());
    EXPECT_TRUE(noBracket.shownText.empty());

    ScriptOption unclosed = parseOption("SKIP x [ha 4 ho");
    EXPECT_FALSE(unclosed.hasNextLabel);
    ASSERT_EQ(unclosed.changes.size(), 1u);
    EXPECT_EQ(unclosed.changes[0].amount, 4);

    ScriptOption shortLettering = parseOption("SKIP 1 [] A)");
    EXPECT_EQ(shortLettering.shownText, " A)");
    EXPECT_TRUE(shortLettering.spokenText.empty());

    ScriptOption braceFirst = parseOption("SKIP 1 {HUG} [] A)  Text");
    EXPECT_EQ(braceFirst.shownText, " A)  Text");

    int day = 5;
    EXPECT_TRUE(readDayHeader("DAYX", day));
    EXPECT_EQ(day, 5);  // unreadable number: the last one stands
    EXPECT_FALSE(readDayHeader("DAY", day));
    int label = 0;
    EXPECT_FALSE(readLabelLine("LABEL", label));
    EXPECT_FALSE(readLabelLine("LABEL x", label));
    EXPECT_TRUE(readLabelLine("LABEL  -3", label));
    EXPECT_EQ(label, -3);
}

TEST(ScriptReader, LineEndsAndTheStopByteEndLines) {
    ConversationScript script;
    script.openText("DAY 1\r\nLABEL 0\r\nHi.\xFFSKIP 2 [] A)  Yes\r\n");
    ASSERT_TRUE(script.seekDay(1));
    ASSERT_TRUE(script.seekLabel(0));
    ScriptNode node = script.readNode();
    EXPECT_EQ(node.spokenText, "Hi.");
    ASSERT_EQ(node.options.size(), 1u);
    EXPECT_EQ(node.options[0].spokenText, " Yes");
}

TEST(ScriptReader, MissingFileIsNotOpened) {
    ConversationScript script;
    EXPECT_FALSE(script.open("/nonexistent/dir/Nobody.txt"));
    EXPECT_FALSE(script.isOpen());
    EXPECT_FALSE(script.seekDay(1));
    EXPECT_EQ(script.readNode().options.size(), 0u);
}
