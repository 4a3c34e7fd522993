#include "common/ExactResults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/RememberedMath.h"

namespace tovra {
namespace {

TEST(ExactResults, GivesTheResultOfTheVeryArguments) {
    ExactResults<2, 8> table;
    int computed = 0;
    const auto get = [&](long double a, long double b) {
        return table.get({a, b}, [&] {
            ++computed;
            return a * 3 + b;
        });
    };
    EXPECT_EQ(get(1, 2), 5);
    EXPECT_EQ(get(1, 2), 5);
    EXPECT_EQ(computed, 1);
    // Equal values of another sign, and a NaN, are never taken for a match.
    EXPECT_EQ(std::signbit(get(0.0L, -0.0L)), false);
    EXPECT_EQ(std::signbit(get(-0.0L, -0.0L)), true);
    EXPECT_EQ(computed, 3);
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    get(nan, 1);
    get(nan, 1);
    EXPECT_EQ(computed, 5);
    // Far more arguments than slots: each answer is still its own.
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 100; ++i)
            EXPECT_EQ(get(i / 8.0L, 1e-18L * i), i / 8.0L * 3 + 1e-18L * i) << i;

    // The powers kept are the library's own at run time, bit for bit (the
    // compiler's folded constants may differ from it in the last place).
    volatile long double base = 1.2L, exponent = -0.37L, half = 0.5L, thousandth = 1e-3L;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rememberedPow(1.2L, -0.37L), std::pow(base, exponent));
        EXPECT_EQ(rememberedPow(0.0L, -1.0L), std::numeric_limits<long double>::infinity());
        EXPECT_EQ(rememberedPow(-0.0L, -1.0L), -std::numeric_limits<long double>::infinity());
        EXPECT_EQ(rememberedPow(0.5L, 1e-3L), std::pow(half, thousandth));
    }
}

}  // namespace
}  // namespace tovra
