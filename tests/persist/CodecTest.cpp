#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "base/Paths.h"
#include "base/Codec.h"
#include "base/CodecTesting.h"
#include "TestSupport.h"

namespace {
void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
std::string readBytes(const std::filesystem::path& path) { return readWholeFile(path).value_or("<missing>"); }
}  // namespace

TEST(ScrambleKey, SumsAllButTheExtensionModulo255) {
    // "Data\" is 470, "initial" 746: 1216 % 255 = 196.
    EXPECT_EQ(scrambleKey("Data\\initial.mox"), 196);
    EXPECT_EQ(scrambleKey("Data\\initial.ims"), 196);  // both twins share the key
    EXPECT_NE(scrambleKey("Data\\initial.mox"), scrambleKey("Data/initial.mox"));
    // 470 + "zz3" (295) = 765, a multiple of 255.
    EXPECT_EQ(scrambleKey("Data\\zz3.ims"), 0);
    // Bytes above 0x7F count as negative: 3 * -23 = -69, whose low byte is 187.
    EXPECT_EQ(scrambleKey("\xE9\xE9\xE9.txt"), 187);
    EXPECT_EQ(scrambleKey(".mox"), 0);
}

TEST(ReplaceExtension, SwapsTheLastFourCharacters) {
    EXPECT_EQ(replaceExtension("Data\\Sam.mox", ".ims"), "Data\\Sam.ims");
    EXPECT_EQ(replaceExtension("ab", ".txt"), ".txt");
}

TEST(ScrambleBytes, HeaderThenXoredData) {
    std::string scrambled = scrambleBytes(std::string("\x20\x0A" "ab", 4), ".ims", 0x20);
    EXPECT_EQ(scrambled, std::string(".ims \x00\x2A\x41\x42", 9));
    auto twin = unscrambleBytes(scrambled, 0x20);
    ASSERT_TRUE(twin);
    EXPECT_EQ(twin->extension, ".ims");
    EXPECT_EQ(twin->bytes, std::string("\x20\x0A" "ab", 4));
}

TEST(UnscrambleBytes, RefusesWhatThisCodecDidNotWrite) {
    EXPECT_FALSE(unscrambleBytes("", 1));
    EXPECT_FALSE(unscrambleBytes(".ims", 1));       // shorter than the header
    EXPECT_TRUE(unscrambleBytes(".ims ", 1));       // header only: an empty file
    EXPECT_FALSE(unscrambleBytes(".imsxdata", 1));  // no blank after the extension
    EXPECT_FALSE(unscrambleBytes("xims data", 1));  // no point
    EXPECT_FALSE(unscrambleBytes("./.. data", 1));  // not letters or digits
    EXPECT_FALSE(unscrambleBytes(std::string(".i\0s data", 9), 1));
}

class CodecFiles : public ::testing::Test {
protected:
    PrivateDataDir data;
};

TEST_F(CodecFiles, ScrambleAndUnscrambleRestoreTheBytes) {
    std::string plain = "5 6\nhello\n\xFF\x00 end";
    plain.push_back('\0');
    writeBytes(dataPath("world.ims"), plain);
    ASSERT_TRUE(convertScrambled("Data\\world.ims"));
    std::string scrambled = readBytes(dataPath("world.mox"));
    ASSERT_EQ(scrambled.size(), plain.size() + 5);
    EXPECT_EQ(scrambled.substr(0, 5), ".ims ");
    std::uint8_t key = scrambleKey("Data\\world.mox");
    for (std::size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(static_cast<std::uint8_t>(scrambled[i + 5]), static_cast<std::uint8_t>(plain[i]) ^ key) << i;

    removePlainTwin("Data\\world.ims");
    EXPECT_FALSE(std::filesystem::exists(dataPath("world.ims")));
    ASSERT_TRUE(convertScrambled("Data\\world.mox"));
    EXPECT_EQ(readBytes(dataPath("world.ims")), plain);
    EXPECT_TRUE(std::filesystem::exists(dataPath("world.mox")));  // the source stays
}

TEST_F(CodecFiles, HeaderNamesTheRestoredExtension) {
    writeBytes(dataPath("Angry.txt"), "50\n20\n70\n");
    ASSERT_TRUE(convertScrambled("Data\\Angry.txt"));
    EXPECT_EQ(readBytes(dataPath("Angry.mox")).substr(0, 5), ".txt ");
    removePlainTwin("Data\\Angry.txt");
    ASSERT_TRUE(convertScrambled("Data\\Angry.mox"));
    EXPECT_EQ(readBytes(dataPath("Angry.txt")), "50\n20\n70\n");
    std::set<std::string> names;  // no temporary file left behind
    for (const auto& entry : std::filesystem::directory_iterator(data.path())) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"Angry.mox", "Angry.txt"}));
}

TEST_F(CodecFiles, KeyZeroStoresTheDataUnchanged) {
    writeBytes(dataPath("zz3.ims"), "plain text\n");
    ASSERT_TRUE(convertScrambled("Data\\zz3.ims"));
    EXPECT_EQ(readBytes(dataPath("zz3.mox")), ".ims plain text\n");
}

TEST_F(CodecFiles, DataStartingWithBlanksSurvives) {
    // A key equal to ' ' ^ '\n' would turn "\n" into a blank; use data that
    // becomes blanks and newlines under this path's key.
    std::uint8_t key = scrambleKey("Data\\gap.mox");
    std::string plain = {static_cast<char>(' ' ^ key), static_cast<char>('\n' ^ key), 'x'};
    writeBytes(dataPath("gap.ims"), plain);
    ASSERT_TRUE(convertScrambled("Data\\gap.ims"));
    EXPECT_EQ(readBytes(dataPath("gap.mox")).substr(5, 2), " \n");
    removePlainTwin("Data\\gap.ims");
    ASSERT_TRUE(convertScrambled("Data\\gap.mox"));
    EXPECT_EQ(readBytes(dataPath("gap.ims")), plain);
}

TEST_F(CodecFiles, UpperCaseMoxIsScrambledNotUnscrambled) {
    writeBytes(dataPath("odd.MOX"), "abc");
    ASSERT_TRUE(convertScrambled("Data\\odd.MOX"));
    EXPECT_EQ(readBytes(dataPath("odd.mox")).substr(0, 5), ".MOX ");
}

TEST_F(CodecFiles, FileCopiedUnderAnotherNameUnscramblesDifferently) {
    writeBytes(dataPath("Sam.ims"), "The same bytes\n");
    ASSERT_TRUE(convertScrambled("Data\\Sam.ims"));
    std::filesystem::copy_file(dataPath("Sam.mox"), dataPath("Bob.mox"));
    ASSERT_NE(scrambleKey("Data\\Sam.mox"), scrambleKey("Data\\Bob.mox"));
    ASSERT_TRUE(convertScrambled("Data\\Bob.mox"));
    std::string other = readBytes(dataPath("Bob.ims"));
    EXPECT_EQ(other.size(), 15u);
    EXPECT_NE(other, "The same bytes\n");
}

TEST_F(CodecFiles, BadSourcesCreateNothing) {
    EXPECT_FALSE(convertScrambled("Data\\absent.mox"));
    EXPECT_FALSE(std::filesystem::exists(dataPath("absent.ims")));

    writeBytes(dataPath("short.mox"), ".im");
    EXPECT_FALSE(convertScrambled("Data\\short.mox"));
    writeBytes(dataPath("noblank.mox"), ".imsXabc");
    EXPECT_FALSE(convertScrambled("Data\\noblank.mox"));
    writeBytes(dataPath("self.mox"), ".mox abc");  // would overwrite itself
    EXPECT_FALSE(convertScrambled("Data\\self.mox"));
    EXPECT_EQ(readBytes(dataPath("self.mox")), ".mox abc");
    EXPECT_FALSE(convertScrambled(".mox"));

    for (const auto& entry : std::filesystem::directory_iterator(data.path()))
        EXPECT_NE(entry.path().extension(), ".ims") << entry.path();
}
