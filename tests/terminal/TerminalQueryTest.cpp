// What the game makes of a terminal's answers when it asks whether the
// terminal can scroll between left and right margins.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "terminal/TerminalQuery.h"

namespace {

TEST(TerminalQueryTest, AnswersAreReadAndKeysAmongThemKept) {
    TerminalAnswers answers;
    // xterm: the mode is known (reset), then its attributes.
    EXPECT_TRUE(readTerminalAnswers("\033[?69;2$y\033[?64;1;2;6;9;15;18;21;22c", answers));
    EXPECT_TRUE(answers.columnMargins);
    EXPECT_EQ(answers.typedAhead, "");
    // A terminal that does not know the mode says 0, or nothing at all.
    EXPECT_TRUE(readTerminalAnswers("\033[?69;0$y\033[?62;22c", answers));
    EXPECT_FALSE(answers.columnMargins);
    EXPECT_TRUE(readTerminalAnswers("\033[?1;2c", answers));
    EXPECT_FALSE(answers.columnMargins);
    // Keys typed meanwhile, an arrow among them, come back in their order.
    EXPECT_TRUE(readTerminalAnswers("lo\033[?69;1$y\033[Aok\033[?64c", answers));
    EXPECT_TRUE(answers.columnMargins);
    EXPECT_EQ(answers.typedAhead, "lo\033[Aok");
    // Until the attributes come the answers are not complete.
    EXPECT_FALSE(readTerminalAnswers("\033[?69;2$y", answers));
    EXPECT_FALSE(readTerminalAnswers("\033[?69;2$y\033[?64;1", answers));
}

// Answers that come after the wait reach curses as keys: they are dropped,
// the keys typed around them kept.
TEST(TerminalQueryTest, ALateAnswerIsNotTakenAsKeys) {
    LateAnswerFilter filter;
    std::string kept;
    const auto type = [&](const std::string& keys) {
        for (unsigned char key : keys)
            if (!filter.drops(key)) kept += static_cast<char>(key);
    };
    type("lo\033[?69;2$y\033[?64;1;2;6;9;15;18;21;22cok");
    EXPECT_EQ(kept, "lo\033\033ok") << "only the escapes, which are ignored keys, go on";
    kept.clear();
    type("\033x\033\033[?1;2cn");
    EXPECT_EQ(kept, "\033x\033\033n") << "Alt+x and a double escape are keys";
    kept.clear();
    type("\033[");
    filter.otherKey();  // an arrow curses read breaks the sequence
    type("?n");
    EXPECT_EQ(kept, "\033?n");
}

TEST(TerminalQueryTest, ATerminalThatNeverAnswersCostsOnlyTheTimeout) {
    int questions[2];
    int replies[2];
    ASSERT_EQ(pipe(questions), 0);
    ASSERT_EQ(pipe(replies), 0);
    // Answered at once: the answers and a key typed before them.
    const std::string answered = "x\033[?69;2$y\033[?64c";
    ASSERT_EQ(write(replies[1], answered.data(), answered.size()), static_cast<ssize_t>(answered.size()));
    TerminalAnswers answers = askTerminal(replies[0], questions[1], 5000);
    EXPECT_TRUE(answers.columnMargins);
    EXPECT_EQ(answers.typedAhead, "x");
    char asked[64] = {};
    ASSERT_GT(read(questions[0], asked, sizeof asked - 1), 0);
    EXPECT_STREQ(asked, "\033[?69$p\033[c");
    // Never answered: no margins, after the timeout.
    answers = askTerminal(replies[0], questions[1], 30);
    EXPECT_FALSE(answers.columnMargins);
    for (int fd : {questions[0], questions[1], replies[0], replies[1]}) close(fd);
}

}  // namespace
