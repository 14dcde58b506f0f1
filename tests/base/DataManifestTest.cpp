// The data build's manifest: its checksum is the standard CRC-32, it reads
// back what was written, and a list that was tampered with yet closes with
// a right checksum still names only files inside the data folder.
#include "base/DataManifest.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/Checksum.h"

TEST(DataManifest, ChecksumIsTheStandardCrc32) {
    EXPECT_EQ(crc32(""), 0u);
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    // In pieces as at once.
    EXPECT_EQ(crc32("6789", crc32("12345")), 0xCBF43926u);
}

TEST(DataManifest, ReadsBackWhatWasWrittenAndRefusesTheRest) {
    std::vector<ManifestEntry> files = {manifestEntry("initial.mox", "world"), manifestEntry("map.txt", "")};
    std::string text = manifestText(files);
    std::string why;
    std::optional<std::vector<ManifestEntry>> read = parseManifest(text, why);
    ASSERT_TRUE(read) << why;
    ASSERT_EQ(read->size(), 2u);
    EXPECT_EQ((*read)[0].name, "initial.mox");
    EXPECT_EQ((*read)[0].size, 5u);
    EXPECT_EQ((*read)[0].crc, crc32("world"));

    // Lines whose own checksum was made right again: only a plain
    // "<crc> <size> <name>" of a file in the folder itself is taken.
    auto closed = [](const std::string& lines) {
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(crc32(lines)));
        return lines + "end " + crc + "\n";
    };
    struct Case {
        const char* lines;
        const char* why;
    } cases[] = {
        {"", "it lists no files"},
        {"0000000g 5 map.txt\n", "line 1 is damaged"},
        {"00000000 -5 map.txt\n", "line 1 is damaged"},
        {"00000000 5 ../../etc/passwd\n", "line 1 is damaged"},
        {"00000000 5 ..\n", "line 1 is damaged"},
        {"00000000 5 map.txt\n0000 5 things.txt\n", "line 2 is damaged"},
        {"00000000 5\n", "line 1 is damaged"},
    };
    for (const Case& c : cases) {
        why.clear();
        EXPECT_FALSE(parseManifest(closed(c.lines), why)) << c.lines;
        EXPECT_EQ(why, c.why) << c.lines;
    }
    // Anything after the closing line, or no closing line at all.
    EXPECT_FALSE(parseManifest(text + "\n", why));
    EXPECT_FALSE(parseManifest(text.substr(0, text.size() - 1), why));
    EXPECT_FALSE(parseManifest("", why));
    EXPECT_EQ(why, "it is empty");
}
