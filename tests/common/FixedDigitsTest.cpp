#include "common/FixedDigits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace tovra {
namespace {

std::string printed(Extended value, int places) {
    char text[128];
    std::snprintf(text, sizeof text, "%.*Lf", places, value);
    return text;
}

std::string written(Extended value, int places) {
    char text[32];
    const char* end = fixedDigits(text, value, places);
    return end ? std::string(text, std::size_t(end - text)) : "(left to printf)";
}

TEST(FixedDigits, WritesWhatPrintfWrites) {
    EXPECT_EQ(written(0.125L, 2), "0.12");  // an exact half goes to the even digit
    EXPECT_EQ(written(0.375L, 2), "0.38");
    EXPECT_EQ(written(2.5L, 0), "2");
    EXPECT_EQ(written(-0.01L, 1), "-0.0");
    EXPECT_EQ(written(-0.0L, 2), "-0.00");
    EXPECT_EQ(written(0.0L, 0), "0");
    EXPECT_EQ(written(123.456L, 1), "123.5");
    EXPECT_EQ(written(1e-30L, 4), "0.0000");
    EXPECT_EQ(written(std::numeric_limits<Extended>::infinity(), 1), "(left to printf)");
    EXPECT_EQ(written(0x1p63L, 1), "(left to printf)");
    EXPECT_EQ(written(std::numeric_limits<Extended>::denorm_min(), 1), "(left to printf)");

    std::mt19937_64 random(29);
    std::uniform_int_distribution<int> magnitude(-40, 62);
    std::uniform_int_distribution<int> places(0, 4);
    for (int i = 0; i < 200000; ++i) {
        const Extended unit = std::ldexp(1.0L, magnitude(random));
        Extended value = unit * (Extended(random()) / 0x1p64L + 1);
        if (i % 4 == 0) value = std::round(value * 2) / 2;        // halves and wholes
        if (i % 8 == 1) value = std::round(value * 32) / 32;  // ties at every place
        if (i % 2) value = -value;
        const int p = places(random);
        ASSERT_EQ(written(value, p), printed(value, p)) << double(value) << " " << p;
    }
}

}  // namespace
}  // namespace tovra
