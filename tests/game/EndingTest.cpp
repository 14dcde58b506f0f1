// The ending's text as the terminal's own screen gets it after the game.
#include "game/Ending.h"

#include <sstream>

#include "TestSupport.h"

namespace {
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}
}  // namespace

class EndingTextTest : public GameTest {};

TEST_F(EndingTextTest, WrappingBreaksOnlyAtBlanksAndKeepsEveryCharacter) {
    std::string text =
        "You reach the land and are greeted by people running towards your raft. The people call the hospital and "
        "an ambulance soon arrives.\nYou have  escaped the Island!  Every word stays whole when a line fills the "
        "width exactly: 0123456789012345678901234567890123456789012345678901234567890123456 next";
    std::string wrapped = wrapPlainText(text, 77);
    for (const std::string& line : linesOf(wrapped)) EXPECT_LE(line.size(), 77u) << line;
    // Every break took the place of a blank; nothing else changed.
    ASSERT_EQ(wrapped.size(), text.size());
    EXPECT_GT(linesOf(wrapped).size(), 3u);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (wrapped[i] == text[i]) continue;
        EXPECT_EQ(text[i], ' ') << "a break at " << i << " that was no blank";
        EXPECT_EQ(wrapped[i], '\n');
    }
    EXPECT_NE(wrapped.find("You have  escaped the Island!"), std::string::npos) << "double blanks are kept";
}

TEST_F(EndingTextTest, AWordLongerThanALineIsCutNotLost) {
    std::string word(100, 'x');
    std::string wrapped = wrapPlainText(word, 77);
    EXPECT_EQ(wrapped, std::string(77, 'x') + "\n" + std::string(23, 'x'));
}

TEST_F(EndingTextTest, TheKeptTextLosesItsCodesAndPausesAndStartsAfreshAtEachEnding) {
    EXPECT_EQ(plainEndingText(), "") << "no text while play goes on";
    endPlay(Ending::Murdered);
    tellEnding("/RYou died, %s.\n/s", "Sam");
    EXPECT_EQ(output(), "/RYou died, Sam.\n/s") << "printed as printMarked prints it";
    EXPECT_EQ(plainEndingText(), "You died, Sam.\n");
    EXPECT_EQ(game.running, 0);

    endPlay(Ending::Starved);
    tellEnding("Hungry");
    EXPECT_EQ(plainEndingText(), "Hungry\n");
    EXPECT_EQ(endingOfWord(endingWord(Ending::Starved)), Ending::Starved);
    EXPECT_EQ(endingOfWord("lab-won"), Ending::LabWon);
    EXPECT_EQ(endingOfWord("nothing"), Ending::None);
}
