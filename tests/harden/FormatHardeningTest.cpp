// Formatting faults found by fuzzing printMarked.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "console/Format.h"

namespace {
std::string format(const char* conversion, const FormatArg& arg) {
    std::string out;
    EXPECT_TRUE(formatMarked(conversion, &arg, 1, out));
    return out;
}
}  // namespace

// A double given to an integer conversion: in range it is cut toward zero,
// beyond the range (or not a number) it is held at the range's end.
TEST(FormatHardening, DoubleForAnIntegerConversionStaysDefined) {
    EXPECT_EQ(format("%d", FormatArg(-3.9)), "-3");
    EXPECT_EQ(format("%d", FormatArg(-1.5e234)), "-9223372036854775808");
    EXPECT_EQ(format("%i", FormatArg(1e300)), "9223372036854775807");
    EXPECT_EQ(format("%d", FormatArg(std::nan(""))), "0");
    EXPECT_EQ(format("%x", FormatArg(1e300)), "7fffffffffffffff");
    EXPECT_EQ(format("%c", FormatArg(65.0)), "A");
}
