// The too-small notice at the sizes players meet and the smallest ones:
// whole words, each line within the window and centred, cut only where
// nothing more fits.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "console/SizeNotice.h"

namespace {
std::vector<std::string> texts(const std::vector<NoticeLine>& notice) {
    std::vector<std::string> lines;
    for (const NoticeLine& line : notice) lines.push_back(line.text);
    return lines;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> all;
    for (std::string word; in >> word;) all.push_back(word);
    return all;
}

TEST(SizeNoticeTest, ThreeSentencesCentredWhereTheyFit) {
    const std::vector<NoticeLine> notice = sizeNotice(60, 20);
    ASSERT_EQ(texts(notice), (std::vector<std::string>{"Brinefall needs a window of 80 x 24 characters.",
                                                       "This one is 60 x 20.", "Please make it larger."}));
    EXPECT_EQ(notice[0].row, 8);
    EXPECT_EQ(notice[0].column, 6);
    EXPECT_EQ(notice[2].row, 10);
    EXPECT_EQ(notice[2].column, 19);

    EXPECT_EQ(texts(sizeNotice(40, 10)), (std::vector<std::string>{"Brinefall needs a window of 80 x 24",
                                                                   "characters.", "This one is 40 x 10.",
                                                                   "Please make it larger."}));
}

TEST(SizeNoticeTest, SmallWindowsShowAsManyWholeWordsAsFit) {
    const std::vector<std::string> all = words("Brinefall needs a window of 80 x 24 characters.");
    for (int columns : {12, 20, 30, 39})
        for (int lines : {1, 2, 4, 5, 9}) {
            const std::vector<NoticeLine> notice = sizeNotice(columns, lines);
            ASSERT_FALSE(notice.empty());
            ASSERT_LE(static_cast<int>(notice.size()), lines);
            std::string shown;
            for (const NoticeLine& line : notice) {
                EXPECT_LE(static_cast<int>(line.text.size()), columns) << line.text;
                EXPECT_EQ(line.column, (columns - static_cast<int>(line.text.size())) / 2);
                EXPECT_GE(line.row, 0);
                EXPECT_LT(line.row, lines);
                shown += line.text + ' ';
            }
            // The notice's words in order, none of them broken.
            const std::vector<std::string> got = words(shown);
            for (std::size_t i = 0; i < got.size() && i < all.size(); ++i) EXPECT_EQ(got[i], all[i]) << columns << "x" << lines;
        }
    // 20x5: the three sentences run on to show them all.
    EXPECT_EQ(texts(sizeNotice(20, 5)).back(), "make it larger.");
    // A word wider than the window shows as much of it as fits.
    EXPECT_EQ(texts(sizeNotice(5, 1)), (std::vector<std::string>{"Brine"}));
    EXPECT_TRUE(sizeNotice(0, 0).empty());
}
}  // namespace
