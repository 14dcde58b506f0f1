// The scrambler works eight bytes at a time: every length, tails included,
// must give exactly the byte-by-byte result.
#include <gtest/gtest.h>

#include <string>

#include "base/Codec.h"

TEST(ScrambleWords, EveryLengthMatchesByteByByte) {
    for (std::size_t length = 0; length < 40; ++length) {
        std::string plain;
        for (std::size_t i = 0; i < length; ++i) plain += static_cast<char>(i * 37 + 200);
        std::string scrambled = scrambleBytes(plain, ".ims", 0xA5);
        ASSERT_EQ(scrambled.size(), length + 5);
        EXPECT_EQ(scrambled.substr(0, 5), ".ims ");
        for (std::size_t i = 0; i < length; ++i)
            ASSERT_EQ(static_cast<std::uint8_t>(scrambled[i + 5]), static_cast<std::uint8_t>(plain[i]) ^ 0xA5) << i;
        auto back = unscrambleBytes(scrambled, 0xA5);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->bytes, plain);
    }
}
